#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/drum_dialog.h"
#include "ui/machine_dialog.h"

using namespace mensora;
using namespace mensora::testing;

class TestDrumDialog : public WindowSuite
{
    Q_OBJECT

private slots:
    void drumAndItsAxisChangeTheWindowsScale();
    void cancelChangesNothing();
    void aProgramThatCannotHoldTheDrumOpensTheProfile();

private:
    void prepare() override { m_axisOpenOnFace.clear(); }
    void trigger(const char* item)
    {
        m_window->findChild<QAction*>(QString::fromUtf8(item))->trigger();
    }
    // Runs the dialog as exec() would: shows it, chooses a drum turned by B, then clicks the
    // button.
    void answerDrumDialog(QDialogButtonBox::StandardButton button)
    {
        m_script.answerDialog<DrumDialog>([this, button](DrumDialog& dialog) {
            dialog.show();
            auto* surface = childNamed<QComboBox>(dialog, "drum_surface");
            auto* axis = childNamed<QComboBox>(dialog, "drum_rotary_axis");
            m_axisOpenOnFace << axis->isEnabled();
            surface->setCurrentIndex(surface->findText("Drum"));
            m_axisOpenOnFace << axis->isEnabled();
            axis->setCurrentIndex(axis->findText("B"));
            QTest::mouseClick(
                dialog.findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
            return dialog.result() == QDialog::Accepted;
        });
    }

    QList<bool> m_axisOpenOnFace; // the axis box's state before and after Drum was chosen
};

void TestDrumDialog::drumAndItsAxisChangeTheWindowsScale()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("drum.mensora");
    m_script.saveFileName = [&](const QString&, const QString&) { return path; };
    click(*m_window, "Option3:1");
    trigger("menu_savescale");
    QCOMPARE(m_window->windowTitle(), QStringLiteral("drum.mensora — Mensora"));

    answerDrumDialog(QDialogButtonBox::Ok);
    trigger("menu_drum");
    QCOMPARE(m_axisOpenOnFace, QList<bool>({ false, true }));
    const ScaleParameters scale = m_window->scaleParameters();
    QVERIFY(scale.onDrum());
    QCOMPARE(scale.rotaryAxis, RotaryAxis::B);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("drum.mensora* — Mensora"));

    // New starts from a dial's face again.
    trigger("menu_new");
    QVERIFY(m_window->scaleParameters() == ScaleParameters {});
}

void TestDrumDialog::cancelChangesNothing()
{
    const ScaleParameters before = m_window->scaleParameters();
    answerDrumDialog(QDialogButtonBox::Cancel);
    trigger("menu_drum");
    QCOMPARE(m_axisOpenOnFace.size(), 2); // the dialog ran
    QVERIFY(m_window->scaleParameters() == before);
}

// The plain program refuses a drum before any file dialog: the machine settings open on the
// profile, and nothing is written.
void TestDrumDialog::aProgramThatCannotHoldTheDrumOpensTheProfile()
{
    click(*m_window, "Option3:1");
    answerDrumDialog(QDialogButtonBox::Ok);
    trigger("menu_drum");
    QStringList messages;
    m_script.tell = [&](const QString& message) { messages << message; };
    bool asked = false;
    m_script.saveFileName = [&](const QString&, const QString&) {
        asked = true;
        return QString();
    };
    QString focused;
    m_script.answerDialog<MachineDialog>([&](MachineDialog& dialog) {
        dialog.show();
        focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
        return false;
    });
    trigger("menu_savegcode");
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.front().startsWith("Plain G-code programs cannot hold a drum"),
        qPrintable(messages.front()));
    QCOMPARE(focused, QStringLiteral("machine_profile"));
    QVERIFY(!asked);
}

QTEST_MAIN(TestDrumDialog)
#include "test_drum_dialog.moc"
