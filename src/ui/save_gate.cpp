// What every save and export passes before anything is written: the open unit offer, the
// refusals, the notes with their offers and the deep-cut question; the plain plot file's
// question; the notes under the picture; the status bar after a save.

#include "ui/main_window.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

#include "document/scale_document.h"
#include "engraving/machine_check.h"
#include "engraving/scale_notes.h"
#include "files/installed_fonts.h"
#include "ui/machine_store.h"
#include "ui/offer_band.h"
#include "ui/preview_picture.h"

namespace mensora {

namespace {

// Where the window's Numbers and marks dialog holds the offer.
QString offerPlace(NoteOffer offer)
{
    const char* caption = offer == NoteOffer::EndOnTotal ? endOnTotalCaption : noDoubleMarkCaption;
    return QStringLiteral(" Scale \u203a Numbers and marks\u2026 \u203a \"%1\" mends it.")
        .arg(QString::fromUtf8(caption));
}

} // namespace

// Each note on a line of its own under the picture; one with an offer says where to take it.
void MainWindow::showNotes(const std::vector<ScaleNote>& notes)
{
    QStringList lines;
    for (const ScaleNote& note : notes) {
        const QString line = QString::fromStdString(note.message);
        lines << (note.offer == NoteOffer::None ? line : line + offerPlace(note.offer));
    }
    picture()->setNotes(lines);
}

bool MainWindow::answerUnitOffer()
{
    const QString sentence = picture()->offerBand()->sentence();
    if (sentence.isEmpty())
        return true;
    switch (m_questions->unitOfferOpen(sentence)) {
    case UnitOfferAnswer::Convert:
        picture()->offerBand()->withdraw();
        convertLengthBoxes();
        return true;
    case UnitOfferAnswer::Keep:
        picture()->offerBand()->withdraw();
        return true;
    case UnitOfferAnswer::Cancel:
        break;
    }
    return false;
}

std::optional<Engraving> MainWindow::engravingToSave(const OutputRequest& request)
{
    if (!answerUnitOffer())
        return std::nullopt;
    for (;;) {
        std::optional<Engraving> engraving = engravingForFile(request);
        if (!engraving)
            return std::nullopt;
        switch (confirmNotes(*engraving)) {
        case SaveStep::Go:
            return engraving;
        case SaveStep::Stop:
            return std::nullopt;
        case SaveStep::Again:
            break; // a note's offer was taken: the job is another now
        }
    }
}

MainWindow::SaveStep MainWindow::confirmNotes(const Engraving& engraving)
{
    const auto job = CheckedJob::check(m_document->job(), installedFonts());
    const std::vector<ScaleNote> notes
        = job ? fileNotes(*job, engraving) : std::vector<ScaleNote> {};
    showNotes(notes);
    QStringList plain;
    const ScaleNote* firstPlain = nullptr;
    for (const ScaleNote& note : notes) {
        if (note.offer != NoteOffer::None)
            continue;
        plain << QString::fromStdString(note.message);
        firstPlain = firstPlain ? firstPlain : &note;
    }
    const auto goBackTo = [this](const ScaleNote& note) {
        m_document->select(note.scale.value_or(0));
        if (const auto* input = std::get_if<ScaleInput>(&note.place))
            focusBox(*input);
    };
    if (firstPlain && !m_questions->saveDespiteNotes(plain)) {
        goBackTo(*firstPlain);
        return SaveStep::Stop;
    }
    for (const ScaleNote& note : notes) {
        if (note.offer == NoteOffer::None)
            continue;
        const QString offer = QString::fromStdString(offerCaption(note.offer));
        switch (m_questions->noteOffer(QString::fromStdString(note.message), offer)) {
        case NoteAnswer::TakeOffer: {
            const std::size_t index = note.scale.value_or(0);
            m_document->setScaleParameters(
                index, withOffer(m_document->job().scales.at(index).parameters, note.offer));
            redrawShownPicture();
            return SaveStep::Again;
        }
        case NoteAnswer::GoBack:
            goBackTo(note);
            return SaveStep::Stop;
        case NoteAnswer::SaveAsItIs:
            break;
        }
    }
    const auto question = deepCutQuestion(engraving.machineJob(), engraving.output().dialect());
    if (question && !m_questions->cutDeep(QString::fromStdString(*question))) {
        focusBox(ScaleInput::Depth);
        return SaveStep::Stop;
    }
    return SaveStep::Go;
}

// The plain plot file counts 40 units per typed unit: before it is saved, the user hears so,
// once a run and every time for an inch scale, and may choose the cutter's profile instead;
// then the save starts again under it, and this one writes nothing.
bool MainWindow::plainPlotMaySave(const Engraving& engraving, const QString& path)
{
    const OutputRow& output = engraving.output();
    if (output.format != OutputFormat::Plot || output.profile || plotReadinessDeclined())
        return true;
    const bool inch = engraving.machineJob().unit == Unit::Inch;
    if (m_plotAsked && !inch)
        return true;
    m_plotAsked = true;
    switch (m_questions->plotReadiness(plotReadinessText(inch))) {
    case ReadinessAnswer::ChooseMachine: {
        const QFileInfo typed(path);
        if (editMachineSettings(std::nullopt, MachineProfile::HpglCutter))
            saveEngravingFileFrom(typed.dir().filePath(typed.completeBaseName()));
        return false;
    }
    case ReadinessAnswer::DontAskAgain:
        declinePlotReadiness();
        return true;
    case ReadinessAnswer::SavePlain:
        return true;
    }
    return true;
}

void MainWindow::showSaved(const QString& path)
{
    statusBar()->showMessage(savedMessage(path));
}

} // namespace mensora
