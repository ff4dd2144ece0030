// The form and the document: the form shows the document's selected scale, and writes every
// edit of a box or an option through to it; the title follows the document's file.

#include "ui/main_window.h"

#include <algorithm>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFileInfo>
#include <QLineEdit>

#include "document/scale_document.h"
#include "ui/control_table.h"
#include "ui/offer_band.h"
#include "ui/preview_picture.h"

namespace mensora {

void MainWindow::connectDocument()
{
    for (const InputBox& input : inputBoxes())
        connect(box(input.name), &QLineEdit::textChanged, this, &MainWindow::writeFormThrough);
    for (const char* name : { shapeGroup, unitGroup, baselineGroup, stripePositionGroup })
        connect(group(name), &QButtonGroup::idToggled, this, &MainWindow::writeFormThrough);
    connect(m_document, &ScaleDocument::selectionChanged, this, &MainWindow::showSelectedScale);
    connect(m_document, &ScaleDocument::jobChanged, this, &MainWindow::showChangedScale);
    connect(m_document, &ScaleDocument::savedStateChanged, this, &MainWindow::showTitle);
}

ScaleParameters MainWindow::scaleParameters() const
{
    ScaleParameters parameters = m_document->selectedScale().parameters;
    for (const InputBox& input : inputBoxes())
        inputText(parameters, input.input) = box(input.name)->text().toStdString();
    const auto choice = [this](const char* name) { return std::max(0, group(name)->checkedId()); };
    parameters.baseline = static_cast<Baseline>(choice(baselineGroup));
    parameters.stripePosition = static_cast<StripePosition>(choice(stripePositionGroup));
    parameters.shape = static_cast<Shape>(choice(shapeGroup));
    parameters.unit = static_cast<Unit>(choice(unitGroup));
    return parameters;
}

void MainWindow::applyScaleParameters(const ScaleParameters& parameters)
{
    fillForm(parameters);
    m_document->setSelectedScale(parameters);
}

// The boxes and options, set without writing each step through: the scale goes to the
// document whole, or is already there.
void MainWindow::fillForm(const ScaleParameters& parameters)
{
    m_fillingForm = true;
    for (const InputBox& input : inputBoxes())
        box(input.name)->setText(QString::fromStdString(inputText(parameters, input.input)));
    const auto select = [this](const char* name, auto choice) {
        group(name)->button(static_cast<int>(choice))->setChecked(true);
    };
    select(baselineGroup, parameters.baseline);
    select(stripePositionGroup, parameters.stripePosition);
    select(shapeGroup, parameters.shape);
    select(unitGroup, parameters.unit);
    m_fillingForm = false;
    onShapeClicked(static_cast<int>(parameters.shape));
    onUnitClicked(static_cast<int>(parameters.unit));
    m_boxesUnit = parameters.unit; // the numbers come in the unit they were saved with
    showBoxesTheScaleReads(parameters);
    picture()->offerBand()->withdraw();
}

void MainWindow::writeFormThrough()
{
    if (!m_fillingForm)
        m_document->setSelectedScale(scaleParameters());
}

void MainWindow::showSelectedScale()
{
    fillForm(m_document->selectedScale().parameters);
}

// A change that did not come from the form (a command, its undo) shows in it.
void MainWindow::showChangedScale()
{
    if (scaleParameters() != m_document->selectedScale().parameters)
        showSelectedScale();
    else
        showBoxesTheScaleReads(m_document->selectedScale().parameters);
}

// "ruler.mensora — Mensora", with a "*" after the name while the job differs from its file;
// a job of no file keeps the plain title.
void MainWindow::showTitle()
{
    const QString& path = m_document->path();
    if (path.isEmpty()) {
        setWindowTitle(QStringLiteral("Mensora"));
        return;
    }
    const QString star = m_document->hasUnsavedChanges() ? QStringLiteral("*") : QString();
    setWindowTitle(QFileInfo(path).fileName() + star + QStringLiteral(" — Mensora"));
}

void MainWindow::setNumbersAndMarks(const NumberSettings& numbers, const MarkSettings& marks)
{
    ScaleParameters parameters = m_document->selectedScale().parameters;
    parameters.numbers = numbers;
    parameters.marks = marks;
    m_document->setSelectedScale(parameters);
}

const NumberSettings& MainWindow::numberSettings() const
{
    return m_document->selectedScale().parameters.numbers;
}

const MarkSettings& MainWindow::markSettings() const
{
    return m_document->selectedScale().parameters.marks;
}

} // namespace mensora
