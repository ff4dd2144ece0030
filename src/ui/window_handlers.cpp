// The main window's small handlers: the start-up captions, and the captions, tooltips and
// visibility that the shape, unit and plot options switch. None of them converts a value or
// redraws.

#include "ui/main_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>

#include "document/scale_document.h"
#include "ui/control_table.h"
#include "ui/tool_tips.h"

namespace mensora {

namespace {

// The rows that only a round scale uses.
constexpr std::initializer_list<const char*> roundRows
    = { "Label27", "Label26", "Txt_start_angle", "Txt_radius", "Label24", "Label25" };

constexpr std::initializer_list<const char*> stripeLengthUnits
    = { "Label3", "Label4", "Label5", "Label16", "Label15", "Label14" };

constexpr std::initializer_list<const char*> lengthUnits
    = { "Label17", "Label19", "Label21", "Label25" };

} // namespace

void MainWindow::onLoad()
{
    setShown(roundRows, false);
    setCaptions({ "Label20" }, QStringLiteral("Start X"));
    setCaptions({ "Label18" }, QStringLiteral("Start Y"));
    updateBoxToolTips();
    m_controls.value(QStringLiteral("Cmd_preview"))
        ->setToolTip(QStringLiteral("Draws the scale as the boxes give it (F5)"));
    m_controls.value(QString::fromUtf8(plotBox))
        ->setToolTip(QStringLiteral("Saves an HP-GL plot file (.plt) instead of G-code"));
}

void MainWindow::onShapeClicked(int index)
{
    const bool round = index == 1;
    const QString angleOrLength = round ? QStringLiteral("Grd") : flatUnitCaption();
    setCaptions({ "Label9", "Label10" }, angleOrLength);
    setShown(roundRows, round);
    setCaptions({ "Label20" }, round ? QStringLiteral("Centre X") : QStringLiteral("Start X"));
    setCaptions({ "Label18" }, round ? QStringLiteral("Centre Y") : QStringLiteral("Start Y"));
    // The angle row stays hidden in both shapes: no command reads it.
    updateBoxToolTips();
}

void MainWindow::onUnitClicked(int index)
{
    if (index != 0 && index != 1)
        return;
    const bool inch = index == 1;
    const bool flat = group(shapeGroup)->checkedId() == 0;
    const QString unit = inch ? QStringLiteral("inch") : QStringLiteral("mm");
    if (flat)
        setCaptions({ "Label9", "Label10" }, unit);
    setCaptions(stripeLengthUnits, QStringLiteral("Length in ") + unit);
    setCaptions(lengthUnits, unit); // Label25 too, hidden or not
    showBoxesTheScaleReads(m_document->selectedScale().parameters);
}

// The tooltips follow the captions: the shape and unit chosen.
void MainWindow::updateBoxToolTips()
{
    const auto shape = group(shapeGroup)->checkedId() == 1 ? Shape::Round : Shape::Flat;
    const auto unit = group(unitGroup)->checkedId() == 1 ? Unit::Inch : Unit::Millimetre;
    for (const InputBox& input : inputBoxes())
        box(input.name)->setToolTip(boxToolTip(input.input, shape, unit));
}

void MainWindow::onPlotBoxClicked(bool checked)
{
    m_saveAction->setText(
        checked ? QStringLiteral("Save Plt File") : QStringLiteral("Save G-Code"));
}

QString MainWindow::flatUnitCaption() const
{
    return group(unitGroup)->checkedId() == 0 ? QStringLiteral("mm") : QStringLiteral("inch");
}

void MainWindow::setCaptions(std::initializer_list<const char*> labels, const QString& caption)
{
    for (const char* name : labels)
        label(name)->setText(caption);
}

void MainWindow::setShown(std::initializer_list<const char*> controls, bool shown)
{
    for (const char* name : controls)
        m_controls.value(QString::fromUtf8(name))->setVisible(shown);
}

} // namespace mensora
