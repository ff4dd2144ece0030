#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/machine_dialog.h"
#include "ui/machine_store.h"
#include "ui/picture_painting.h"
#include "ui/widths_dialog.h"

using namespace mensora;
using namespace mensora::testing;

Q_DECLARE_METATYPE(mensora::MachineProfile)
Q_DECLARE_METATYPE(mensora::RouterTool)

class TestMarkWidths : public WindowSuite
{
    Q_OBJECT

private slots:
    void markWidthsDialogChangesTheSelectedScale();
    void aRefusedWidthOpensItsField();
    void machineSettingsShowEachProfilesTool_data();
    void machineSettingsShowEachProfilesTool();
    void theToolIsKeptBetweenRuns();
    void marksOfAWidthArePaintedEachWhole();

private:
    void trigger(const char* item)
    {
        m_window->findChild<QAction*>(QString::fromUtf8(item))->trigger();
    }
};

void TestMarkWidths::markWidthsDialogChangesTheSelectedScale()
{
    m_script.answerDialog<WidthsDialog>([](WidthsDialog& dialog) {
        dialog.show();
        childNamed<QDoubleSpinBox>(dialog, "widths_stripe3")->setValue(0.3);
        childNamed<QDoubleSpinBox>(dialog, "widths_numbers")->setValue(0.25);
        auto* drawing = childNamed<QComboBox>(dialog, "widths_drawing");
        drawing->setCurrentIndex(drawing->findText("Closed outlines"));
        QTest::mouseClick(
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    });
    trigger("menu_widths");
    const MarkWidths widths = m_window->scaleParameters().widths;
    QCOMPARE(widths, (MarkWidths { { 0, 0, 0.3, 0, 0, 0 }, 0, 0.25 }));
    QCOMPARE(m_window->outputRequest().drawing.marks, DrawnMarks::Outlines);
    // Cancel keeps them.
    m_script.answerDialog<WidthsDialog>([](WidthsDialog& dialog) {
        childNamed<QDoubleSpinBox>(dialog, "widths_stripe3")->setValue(0.5);
        return false;
    });
    trigger("menu_widths");
    QCOMPARE(m_window->scaleParameters().widths, widths);
}

// Save refuses marks that overlap and opens the dialog on the width to blame.
void TestMarkWidths::aRefusedWidthOpensItsField()
{
    ScaleParameters crowded = m_window->scaleParameters();
    crowded.widths = { { 0.8, 0, 1.3, 0, 0, 0 }, 0, 0 };
    m_window->applyScaleParameters(crowded);
    MachineSettings vbit;
    vbit.profile = MachineProfile::Rs274;
    vbit.tool.router = RouterTool::VBit;
    m_window->setMachineSettings(vbit);
    QString focused;
    m_script.tell = [](const QString&) {};
    m_script.answerDialog<WidthsDialog>([&](WidthsDialog& dialog) {
        dialog.show();
        focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
        return false;
    });
    m_window->saveEngravingFile();
    QCOMPARE(m_script.messages,
        QStringList("Stripe 3) width makes stripes 1 and 2 (kinds 1 and 3) overlap: the gap left "
                    "between them is -0.05 mm."));
    QCOMPARE(focused, QStringLiteral("widths_stripe3"));
}

void TestMarkWidths::machineSettingsShowEachProfilesTool_data()
{
    QTest::addColumn<MachineProfile>("profile");
    QTest::addColumn<RouterTool>("router");
    QTest::addColumn<QStringList>("shown"); // of the tool's fields

    QTest::newRow("plain") << MachineProfile::Plain << RouterTool::VBit << QStringList {};
    QTest::newRow("rs274, a line")
        << MachineProfile::Rs274 << RouterTool::Line << QStringList { "machine_tool" };
    QTest::newRow("grbl, a V-bit")
        << MachineProfile::Grbl << RouterTool::VBit
        << QStringList { "machine_tool", "machine_vbit_angle", "machine_vbit_tip" };
    QTest::newRow("grblhal, an end mill")
        << MachineProfile::Grblhal << RouterTool::EndMill
        << QStringList { "machine_tool", "machine_endmill_diameter", "machine_stepover" };
    QTest::newRow("laser") << MachineProfile::GrblLaser << RouterTool::VBit
                           << QStringList { "machine_spot", "machine_line_interval",
                                  "machine_s_max" };
    QTest::newRow("cutter") << MachineProfile::HpglCutter << RouterTool::EndMill
                            << QStringList { "machine_blade_offset", "machine_overcut" };
}

// Only the sizes of the profile's own tool show; what was not changed comes back as it was
// set, in the unit it was given in.
void TestMarkWidths::machineSettingsShowEachProfilesTool()
{
    QFETCH(MachineProfile, profile);
    QFETCH(RouterTool, router);
    QFETCH(QStringList, shown);
    MachineSettings settings;
    settings.profile = profile;
    settings.tool.router = router;
    settings.tool.endMillDiameter = { 0.125, Unit::Inch };
    settings.tool.sMax = 255;
    settings.laserPower = 200;
    MachineDialog dialog(Unit::Millimetre);
    dialog.setSettings(settings);
    dialog.show();
    QStringList visible;
    for (const char* name : { "machine_tool", "machine_vbit_angle", "machine_vbit_tip",
             "machine_endmill_diameter", "machine_stepover", "machine_spot",
             "machine_line_interval", "machine_s_max", "machine_blade_offset", "machine_overcut" })
        if (childNamed<QWidget>(dialog, name)->isVisible())
            visible << QString::fromUtf8(name);
    QCOMPARE(visible, shown);
    QVERIFY(dialog.settings().tool == settings.tool);
    QCOMPARE(childNamed<QDoubleSpinBox>(dialog, "machine_power")->maximum(), 255.0);
}

void TestMarkWidths::theToolIsKeptBetweenRuns()
{
    MachineSettings settings;
    settings.tool.router = RouterTool::EndMill;
    settings.tool.endMillDiameter = { 0.125, Unit::Inch };
    settings.tool.stepover = 30;
    settings.tool.lineInterval = ToolLength { 0.05, Unit::Millimetre };
    settings.tool.sMax = 1;
    settings.tool.bladeOffset = { 0.3, Unit::Millimetre };
    m_window->setMachineSettings(settings);
    QVERIFY(loadMachineSettings().tool == settings.tool);
}

// A mark over the baseline's band stays filled where they meet, and a number's hole stays
// empty: each shape is filled on its own.
void TestMarkWidths::marksOfAWidthArePaintedEachWhole()
{
    const auto ring = [](float left, float bottom, float right, float top) {
        return PreviewStroke { { left, bottom }, { right, bottom }, { right, top }, { left, top } };
    };
    PreviewDrawing drawing;
    drawing.markShapes = {
        { ring(10, 40, 90, 50) }, // a baseline's band
        { ring(40, 30, 50, 80) }, // a mark reaching over it
        { ring(60, 60, 80, 90), ring(65, 65, 75, 85) }, // a "0" and its hole
    };
    const PreviewView view(1, 1, 100, 100);
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    paintPreview(painter, image.rect(), drawing, view, false);
    painter.end();
    const auto colourAt = [&](double x, double y) {
        const PixelPoint at = view.toPixel(x, y);
        return image.pixelColor(static_cast<int>(at.x), static_cast<int>(at.y));
    };
    QCOMPARE(colourAt(45, 45), previewForeground());
    QCOMPARE(colourAt(45, 70), previewForeground());
    QCOMPARE(colourAt(70, 75), previewBackground());
    QCOMPARE(colourAt(62, 75), previewForeground());
}

QTEST_MAIN(TestMarkWidths)
#include "test_mark_widths.moc"
