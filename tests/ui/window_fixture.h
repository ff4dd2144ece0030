#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "ui/main_window.h"

namespace mensora::testing {

// The window reads its View options from the settings as it opens: every window test keeps
// away from the user's settings, from before the first window.
inline const bool settingsInTestMode = [] {
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();

// Closes every modal window that a test opens by mistake (a real message box or file dialog),
// so that a fault fails the test instead of hanging it.
class ModalWatchdog : public QObject
{
public:
    ModalWatchdog()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_seen << QString::fromUtf8(modal->metaObject()->className());
                modal->close();
            }
        });
        m_timer.start(50);
    }
    const QStringList& seen() const { return m_seen; }

private:
    QTimer m_timer;
    QStringList m_seen;
};

// The button of an option group, by the group's name and the button's index.
inline QAbstractButton* optionButton(const MainWindow& window, const char* group, int index)
{
    const auto* buttons = window.findChild<QButtonGroup*>(QString::fromUtf8(group));
    return buttons ? buttons->button(index) : nullptr;
}

// Clicks what a step names: "Option3:1" is button 1 of Option3, any other name a control.
inline void click(MainWindow& window, const QString& step)
{
    const QStringList parts = step.split(u':');
    QWidget* target = parts.size() == 2
        ? optionButton(window, parts[0].toUtf8().constData(), parts[1].toInt())
        : window.findChild<QWidget*>(step);
    QVERIFY2(target, qPrintable(step));
    QTest::mouseClick(target, Qt::LeftButton);
}

// Shows the window and waits until it can take clicks.
inline bool showAndWait(MainWindow& window)
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

} // namespace mensora::testing
