// The File menu's program save: the checks before the dialog, the questions, the file.

#include "ui/main_window.h"

#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "document/scale_document.h"
#include "engraving/engraving.h"
#include "files/engraving_file.h"
#include "files/installed_fonts.h"
#include "ui/file_filter.h"
#include "ui/machine_store.h"
#include "ui/preview_picture.h"
#include "ui/save_questions.h"

namespace mensora {

std::optional<Engraving> MainWindow::engravingForFile(const OutputRequest& request)
{
    Result<Engraving> engraving = Engraving::prepare(m_document->job(), request, installedFonts());
    if (!engraving) {
        // The picture must not go on showing a scale that the save has just refused.
        picture()->showPreview(engraving.refusal());
        m_pictureShowsSaveRefusal = true;
        reportRefusal(engraving.refusal());
        return std::nullopt;
    }
    if (m_pictureShowsSaveRefusal) {
        picture()->clear(); // that reason no longer holds
        m_pictureShowsSaveRefusal = false;
    }
    return std::move(engraving.value());
}

void MainWindow::saveEngravingFile()
{
    saveEngravingFileFrom(m_lastSavePath);
}

// A start path without an extension takes the output's own: after "Choose machine…" the
// dialog offers the name just typed under the chosen profile's extension.
// The dialog proposes the last name with the extension of what it writes now.
void MainWindow::saveEngravingFileFrom(const QString& startPath)
{
    const std::optional<Engraving> engraving = engravingToSave(outputRequest());
    if (!engraving)
        return;
    const OutputRow& output = engraving->output();
    const std::string_view extension = output.extensions.front();
    const QString nameFilter = saveNameFilter(output);
    const QString path = withSuffix(
        m_questions->saveFileName(nameFilter, withExtensionOf(startPath, output.extensions)),
        extension);
    if (path.isEmpty())
        return; // a cancelled dialog writes nothing, whatever was saved before
    if (!plainProgramMaySave(*engraving, path) || !plainPlotMaySave(*engraving, path))
        return;
    box("Text7")->setText(QString::fromStdString(engraving->sequence(m_document->selectedIndex())));
    const QString error = saveEngraving(*engraving, path, numberFormatOf());
    if (!error.isEmpty()) {
        m_questions->tell(
            tr("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    m_lastSavePath = path;
    showSaved(path);
}

// The plain program runs on no controller as it stands: before it is saved, the user hears
// what it lacks and may choose a machine instead; then the save starts again under the new
// settings, and this one writes nothing.
bool MainWindow::plainProgramMaySave(const Engraving& engraving, const QString& path)
{
    const OutputRow& output = engraving.output();
    if (output.format != OutputFormat::Gcode || output.profile || readinessCheckDeclined())
        return true;
    if (m_readinessAsked && !hasControllerExtension(path))
        return true;
    m_readinessAsked = true;
    switch (m_questions->machineReadiness(readinessText(programHasArcs(engraving)))) {
    case ReadinessAnswer::ChooseMachine: {
        const QFileInfo typed(path);
        if (editMachineSettings())
            saveEngravingFileFrom(typed.dir().filePath(typed.completeBaseName()));
        return false;
    }
    case ReadinessAnswer::DontAskAgain:
        declineReadinessCheck();
        return true;
    case ReadinessAnswer::SavePlain:
        return true;
    }
    return true;
}

} // namespace mensora
