#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/drum_dialog.h"

using namespace mensora;
using namespace mensora::testing;

class TestDrumDialog : public WindowSuite
{
    Q_OBJECT

private slots:
    void drumAndItsAxisChangeTheWindowsScale();
    void cancelChangesNothing();

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
        m_window->runDrumDialog = [this, button](DrumDialog& dialog) {
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
        };
    }

    QList<bool> m_axisOpenOnFace; // the axis box's state before and after Drum was chosen
};

void TestDrumDialog::drumAndItsAxisChangeTheWindowsScale()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("drum.mensora");
    m_window->askSaveFileName = [&](const QString&, const QString&) { return path; };
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

QTEST_MAIN(TestDrumDialog)
#include "test_drum_dialog.moc"
