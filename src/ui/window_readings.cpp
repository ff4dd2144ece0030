// What the window says about the boxes' readings: the notes under the picture and before a
// save, the question before a deep cut, and the offer to convert the lengths to a new unit.
// None of them changes a box without the user's word.

#include "ui/main_window.h"

#include <utility>
#include <vector>

#include <QButtonGroup>
#include <QLineEdit>

#include "document/scale_document.h"
#include "engraving/machine_check.h"
#include "model/reading_notes.h"
#include "model/scale_job.h"
#include "model/unit_conversion.h"
#include "ui/control_table.h"
#include "ui/offer_band.h"
#include "ui/preview_picture.h"

namespace mensora {

namespace {

QStringList noteLines(const std::vector<ReadingNote>& notes)
{
    QStringList lines;
    for (const ReadingNote& note : notes)
        lines << QString::fromStdString(note.message);
    return lines;
}

// The notes of every scale of the job, in its order; in a job of several each names its scale
// first, as a refusal does.
struct JobNote
{
    std::size_t scale;
    ReadingNote note;
};

std::vector<JobNote> jobNotes(const ScaleJob& job)
{
    std::vector<JobNote> notes;
    for (std::size_t i = 0; i < job.scales.size(); ++i) {
        const JobScale& scale = job.scales[i];
        for (ReadingNote note : readingNotes(scale.parameters)) {
            if (job.scales.size() > 1)
                note.message = scaleLabel(i, scaleName(scale)) + ": " + note.message;
            notes.push_back({ i, std::move(note) });
        }
    }
    return notes;
}

QString unitName(Unit unit)
{
    return unit == Unit::Inch ? QStringLiteral("inch") : QStringLiteral("mm");
}

} // namespace

void MainWindow::showReadingNotes(const ScaleParameters& parameters)
{
    picture()->setNotes(noteLines(readingNotes(parameters)));
}

bool MainWindow::confirmReadings(const Engraving& engraving)
{
    const std::vector<JobNote> notes = jobNotes(m_document->job());
    QStringList lines;
    for (const JobNote& note : notes)
        lines << QString::fromStdString(note.note.message);
    // The notes on the marks follow, on what the tool makes of them.
    for (const std::string& note : engraving.notes())
        lines << QString::fromStdString(note);
    picture()->setNotes(lines);
    if (!lines.empty() && !m_questions->saveDespiteNotes(lines)) {
        if (!notes.empty()) {
            m_document->select(notes.front().scale);
            focusBox(notes.front().note.input);
        }
        return false;
    }
    const auto question = deepCutQuestion(engraving.machineJob(), engraving.output().dialect());
    if (question && !m_questions->cutDeep(QString::fromStdString(*question))) {
        focusBox(ScaleInput::Depth);
        return false;
    }
    return true;
}

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

// Texts that are no plain number are kept as typed; their notes say so at the next preview. The
// mark widths are converted with the boxes.
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
