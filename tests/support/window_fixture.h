#pragma once

#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QList>
#include <QSettings>
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

// A control by name: "Option3:1" is button 1 of Option3, any other name a widget.
inline QWidget* controlNamed(const MainWindow& window, const QString& name)
{
    const QStringList parts = name.split(u':');
    if (parts.size() == 2)
        return optionButton(window, parts[0].toUtf8().constData(), parts[1].toInt());
    return window.findChild<QWidget*>(name);
}

// The child of a dialog or widget by objectName; a test that names a missing one stops.
template <typename Widget>
Widget* childNamed(QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromUtf8(name));
    if (!widget)
        qFatal("no %s in %s", name, qPrintable(parent.objectName()));
    return widget;
}

// Clicks the control that a step names, as controlNamed reads the name.
inline void click(MainWindow& window, const QString& step)
{
    QWidget* target = controlNamed(window, step);
    QVERIFY2(target, qPrintable(step));
    QTest::mouseClick(target, Qt::LeftButton);
}

// Each step types a box's text ("box=text") or clicks a control, as controlNamed reads the name.
inline void follow(MainWindow& window, const QStringList& steps)
{
    for (const QString& step : steps) {
        if (step.contains(u'=')) {
            auto* box = window.findChild<QLineEdit*>(step.section(u'=', 0, 0));
            QVERIFY2(box, qPrintable(step));
            box->setText(step.section(u'=', 1));
        } else {
            click(window, step);
        }
    }
}

// Shows the window and waits until it can take clicks.
// How many pixels of the picture have exactly that colour.
inline int pixelsOf(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

inline bool showAndWait(MainWindow& window)
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// The base of the window's suites: every test gets a new window, shown and ready for clicks,
// under a modal watchdog, with no remembered settings, the plain program saved without a
// question and a changed scale file discarded unasked; a test that opened a modal window fails
// when it ends.
class WindowSuite : public QObject
{
    Q_OBJECT

protected:
    // Called with each new window before it is shown: where a suite sets its seams.
    virtual void prepare() { }

    std::unique_ptr<ModalWatchdog> m_watchdog;
    std::unique_ptr<MainWindow> m_window;
    // What the window asked before its saves: every suite answers "Save anyway" (and saves
    // deep cuts), so that a test of what a save writes still writes it; a test of the
    // questions reads these or sets its own answers.
    QList<QStringList> m_notesAsked;
    QStringList m_deepCutsAsked;

private slots:
    void init()
    {
        QSettings().clear();
        m_watchdog = std::make_unique<ModalWatchdog>();
        m_window = std::make_unique<MainWindow>();
        // A suite that asks nothing of these questions gets the answers that keep the old
        // behaviour: the plain program is saved, a changed scale is set aside.
        m_window->askMachineReadiness = [](const QString&) { return ReadinessAnswer::SavePlain; };
        m_window->askUnsavedChanges = [](const QString&) { return UnsavedAnswer::Discard; };
        m_notesAsked.clear();
        m_deepCutsAsked.clear();
        m_window->confirmNotes = [this](const QStringList& notes) {
            m_notesAsked << notes;
            return true;
        };
        m_window->confirmDeepCut = [this](const QString& question) {
            m_deepCutsAsked << question;
            return true;
        };
        prepare();
        QVERIFY(showAndWait(*m_window));
    }
    void cleanup()
    {
        m_window.reset();
        QVERIFY2(m_watchdog->seen().isEmpty(), qPrintable(m_watchdog->seen().join(u", ")));
        m_watchdog.reset();
        QSettings().clear();
    }
};

} // namespace mensora::testing
