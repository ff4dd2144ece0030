#pragma once

#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QColor>
#include <QDialog>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QList>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "ui/main_window.h"
#include "ui/questions.h"

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

// What a test's windows are asked and how the test answers, shared by every window of the
// test. Every question is recorded; it is answered by the test's function for it. A question
// the test gave no answer for is unexpected, as a real box would be under the watchdog: it is
// answered no (an empty file name, Cancel, false) and fails the test as it ends.
struct QuestionScript
{
    using FileAnswer = std::function<QString(const QString& nameFilter, const QString& lastPath)>;

    // The answers.
    FileAnswer saveFileName;
    FileAnswer openFileName;
    std::function<ReadinessAnswer(const QString& text)> machineReadiness;
    std::function<UnsavedAnswer(const QString& fileName)> unsavedChanges;
    std::function<ReadinessAnswer(const QString& text)> plotReadiness;
    std::function<UnitOfferAnswer(const QString& sentence)> unitOfferOpen;
    std::function<NoteAnswer(const QString& note, const QString& offer)> noteOffer;
    std::function<void(const QString& message)> tell;
    std::function<bool(const QStringList& notes)> saveDespiteNotes;
    std::function<bool(const QString& question)> cutDeep;
    QHash<QString, std::function<bool(QDialog&)>> dialogs; // by the dialog's class name

    // Answers every dialog of that class: `answer` fills it and says whether it was accepted.
    template <typename Dialog>
    void answerDialog(std::function<bool(Dialog&)> answer)
    {
        dialogs[QString::fromUtf8(Dialog::staticMetaObject.className())]
            = [answer](QDialog& dialog) { return answer(static_cast<Dialog&>(dialog)); };
    }

    // What was asked, in order.
    QStringList messages;
    QList<QStringList> notesAsked;
    QStringList deepCutsAsked;
    QStringList unsavedAsked; // the file names
    QStringList plotsAsked;
    QStringList unitOffersAsked;
    QStringList noteOffersAsked; // each note, then its offer
    QStringList dialogsRun; // the class name of every dialog run
    QStringList unexpected; // every question without an answer, with what it was asked
};

// The window's questions, answered by a script. An unexpected question gets the answer that
// closing its box would give.
class ScriptedQuestions : public Questions
{
public:
    explicit ScriptedQuestions(QuestionScript& script)
        : m_script(script)
    { }

    QString saveFileName(const QString& nameFilter, const QString& lastPath) override
    {
        if (!m_script.saveFileName)
            return unexpected(QStringLiteral("save dialog: ") + nameFilter, QString());
        return m_script.saveFileName(nameFilter, lastPath);
    }
    QString openFileName(const QString& nameFilter, const QString& lastPath) override
    {
        if (!m_script.openFileName)
            return unexpected(QStringLiteral("open dialog: ") + nameFilter, QString());
        return m_script.openFileName(nameFilter, lastPath);
    }
    ReadinessAnswer machineReadiness(const QString& text) override
    {
        if (!m_script.machineReadiness)
            return unexpected(QStringLiteral("readiness: ") + text, ReadinessAnswer::SavePlain);
        return m_script.machineReadiness(text);
    }
    UnsavedAnswer unsavedChanges(const QString& fileName) override
    {
        m_script.unsavedAsked << fileName;
        if (!m_script.unsavedChanges)
            return unexpected(
                QStringLiteral("unsaved changes: ") + fileName, UnsavedAnswer::Cancel);
        return m_script.unsavedChanges(fileName);
    }
    ReadinessAnswer plotReadiness(const QString& text) override
    {
        m_script.plotsAsked << text;
        if (!m_script.plotReadiness)
            return unexpected(QStringLiteral("plot: ") + text, ReadinessAnswer::SavePlain);
        return m_script.plotReadiness(text);
    }
    UnitOfferAnswer unitOfferOpen(const QString& sentence) override
    {
        m_script.unitOffersAsked << sentence;
        if (!m_script.unitOfferOpen)
            return unexpected(QStringLiteral("unit offer: ") + sentence, UnitOfferAnswer::Cancel);
        return m_script.unitOfferOpen(sentence);
    }
    NoteAnswer noteOffer(const QString& note, const QString& offer) override
    {
        m_script.noteOffersAsked << note << offer;
        if (!m_script.noteOffer)
            return unexpected(QStringLiteral("note offer: ") + note, NoteAnswer::GoBack);
        return m_script.noteOffer(note, offer);
    }
    void tell(const QString& message) override
    {
        m_script.messages << message;
        if (m_script.tell)
            m_script.tell(message);
        else
            unexpected(QStringLiteral("message: ") + message, 0);
    }
    bool saveDespiteNotes(const QStringList& notes) override
    {
        m_script.notesAsked << notes;
        if (!m_script.saveDespiteNotes)
            return unexpected(QStringLiteral("notes: ") + notes.join(u' '), false);
        return m_script.saveDespiteNotes(notes);
    }
    bool cutDeep(const QString& question) override
    {
        m_script.deepCutsAsked << question;
        if (!m_script.cutDeep)
            return unexpected(QStringLiteral("deep cut: ") + question, false);
        return m_script.cutDeep(question);
    }
    bool run(QDialog& dialog) override
    {
        const QString name = QString::fromUtf8(dialog.metaObject()->className());
        m_script.dialogsRun << name;
        const auto answer = m_script.dialogs.value(name);
        return answer ? answer(dialog) : unexpected(QStringLiteral("dialog: ") + name, false);
    }

private:
    template <typename Answer>
    Answer unexpected(const QString& question, Answer no)
    {
        m_script.unexpected << question;
        return no;
    }

    QuestionScript& m_script;
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
// under a modal watchdog, with no remembered settings, its questions answered by the test's
// script: the plain program and plot file saved without a question, a changed scale discarded
// unasked, the notes and deep cuts saved anyway, an open unit offer kept and a note's offer
// left. A test that opened a modal window or was asked a
// question it did not answer fails when it ends.
class WindowSuite : public QObject
{
    Q_OBJECT

protected:
    // Called with each new window before it is shown: where a suite sets its answers.
    virtual void prepare() { }

    // Questions that answer from the test's script, for the suite's window or another one.
    std::unique_ptr<Questions> scriptedQuestions()
    {
        return std::make_unique<ScriptedQuestions>(m_script);
    }

    std::unique_ptr<ModalWatchdog> m_watchdog;
    std::unique_ptr<MainWindow> m_window;
    // What the windows asked, and the answers: every suite answers "Save anyway" (and saves
    // deep cuts), so that a test of what a save writes still writes it; a test of the
    // questions reads what was asked or sets its own answers.
    QuestionScript m_script;

private slots:
    void init()
    {
        QSettings().clear();
        m_watchdog = std::make_unique<ModalWatchdog>();
        m_window = std::make_unique<MainWindow>();
        m_script = {};
        // A suite that asks nothing of these questions gets the answers that keep the old
        // behaviour: the plain program is saved, a changed scale is set aside.
        m_script.machineReadiness = [](const QString&) { return ReadinessAnswer::SavePlain; };
        m_script.unsavedChanges = [](const QString&) { return UnsavedAnswer::Discard; };
        m_script.saveDespiteNotes = [](const QStringList&) { return true; };
        m_script.cutDeep = [](const QString&) { return true; };
        m_script.plotReadiness = [](const QString&) { return ReadinessAnswer::SavePlain; };
        m_script.unitOfferOpen = [](const QString&) { return UnitOfferAnswer::Keep; };
        m_script.noteOffer = [](const QString&, const QString&) { return NoteAnswer::SaveAsItIs; };
        m_window->setQuestions(scriptedQuestions());
        prepare();
        QVERIFY(showAndWait(*m_window));
    }
    void cleanup()
    {
        m_window.reset();
        QVERIFY2(m_watchdog->seen().isEmpty(), qPrintable(m_watchdog->seen().join(u", ")));
        m_watchdog.reset();
        QVERIFY2(m_script.unexpected.isEmpty(), qPrintable(m_script.unexpected.join(u", ")));
        QSettings().clear();
    }
};

} // namespace mensora::testing
