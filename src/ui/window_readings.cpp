// The offer to convert the lengths to a new unit. It changes no box without the user's word.

#include "ui/main_window.h"

#include <QButtonGroup>
#include <QLineEdit>

#include "document/scale_document.h"
#include "model/unit_conversion.h"
#include "ui/control_table.h"
#include "ui/offer_band.h"
#include "ui/preview_picture.h"

namespace mensora {

namespace {

QString unitName(Unit unit)
{
    return unit == Unit::Inch ? QStringLiteral("inch") : QStringLiteral("mm");
}

} // namespace

bool MainWindow::boxesChanged() const
{
    const ScaleParameters start;
    const ScaleParameters now = scaleParameters();
    for (const InputRow& row : inputTable)
        if (inputText(now, row.input) != inputText(start, row.input))
            return true;
    return false;
}

// A click on MM or Inch keeps the numbers; where they are likely meant in the old unit (a
// machine will cut them, or they were typed), it offers to convert them.
void MainWindow::onUnitChosen(int index)
{
    if (index != 0 && index != 1)
        return;
    const Unit from = m_boxesUnit;
    const Unit to = static_cast<Unit>(index);
    m_boxesUnit = to;
    if (from == to)
        return;
    if (dialectOf(m_machine.profile).family || boxesChanged())
        offerUnitConversion(from, to);
    else
        picture()->offerBand()->withdraw();
}

void MainWindow::offerUnitConversion(Unit from, Unit to)
{
    m_offerFrom = from;
    m_offerTo = to;
    const QString factor
        = to == Unit::Inch ? QStringLiteral("\u00f725.4") : QStringLiteral("\u00d725.4");
    picture()->offerBand()->offer(QStringLiteral("Convert every length box from %1 to %2 (%3)?")
                                      .arg(unitName(from), unitName(to), factor));
}

// Texts that are no plain number are kept as typed; their notes say so at the next preview.
void MainWindow::convertLengthBoxes()
{
    ScaleParameters parameters = scaleParameters();
    parameters.unit = m_offerFrom;
    const ScaleParameters converted = withLengthsIn(parameters, m_offerTo);
    for (const InputBox& input : inputBoxes())
        if (isLengthInput(input.input, parameters.shape))
            box(input.name)->setText(QString::fromStdString(inputText(converted, input.input)));
    // The mark widths are lengths too.
    ScaleParameters widened = m_document->selectedScale().parameters;
    widened.widths = converted.widths;
    m_document->setSelectedScale(widened);
    redrawShownPicture();
}

} // namespace mensora
