// The dialogs of the Machine and Scale menus, and where a refusal sends the user: the box of
// the scale to blame, or the dialog that holds the setting.

#include "ui/main_window.h"

#include <QCheckBox>
#include <QLineEdit>

#include "document/scale_document.h"
#include "ui/control_table.h"
#include "ui/drum_dialog.h"
#include "ui/function_actions.h"
#include "ui/machine_dialog.h"
#include "ui/machine_store.h"
#include "ui/numbers_dialog.h"
#include "ui/preview_picture.h"
#include "ui/widths_dialog.h"

namespace mensora {

// A picture on show is redrawn with the new settings; an empty one waits for Preview.
void MainWindow::redrawShownPicture()
{
    if (picture()->drawing() || !picture()->message().isEmpty())
        runPreview();
}

// The field of `focus` takes the focus, for a refused setting.
void MainWindow::editNumbersAndMarks(std::optional<NumberSetting> focus)
{
    NumbersDialog dialog(this);
    dialog.setSettings(numberSettings(), markSettings());
    if (focus)
        dialog.focusSetting(*focus);
    if (!m_questions->run(dialog))
        return;
    setNumbersAndMarks(dialog.numbers(), dialog.marks());
    redrawShownPicture();
}

void MainWindow::editMarkWidths(std::optional<WidthSetting> focus)
{
    ScaleParameters parameters = m_document->selectedScale().parameters;
    WidthsDialog dialog(parameters.unit, this);
    dialog.setWidths(parameters.widths, m_drawnMarks);
    if (focus)
        dialog.focusSetting(*focus);
    if (!m_questions->run(dialog))
        return;
    m_drawnMarks = dialog.drawnMarks();
    parameters.widths = dialog.widths();
    m_document->setSelectedScale(parameters);
    redrawShownPicture();
}

void MainWindow::editDrum()
{
    ScaleParameters parameters = m_document->selectedScale().parameters;
    DrumDialog dialog(parameters.shape, this);
    dialog.setSurface(parameters.surface, parameters.rotaryAxis);
    if (!m_questions->run(dialog))
        return;
    parameters.surface = dialog.surface();
    parameters.rotaryAxis = dialog.rotaryAxis();
    m_document->setSelectedScale(parameters);
    redrawShownPicture();
}

void MainWindow::setMachineSettings(const MachineSettings& settings)
{
    m_machine = settings;
    saveMachineSettings(settings);
}

// A picture on show is redrawn, so that its figures follow the new settings. The field of
// `focus` takes the focus, for a refused setting. Each profile chosen in the dialog keeps its
// own settings as the dialog left them.
bool MainWindow::editMachineSettings(
    std::optional<MachineSetting> focus, std::optional<MachineProfile> profile)
{
    MachineDialog dialog(m_document->selectedScale().parameters.unit, this);
    dialog.setSettings(m_machine);
    dialog.setKeptSettings(&loadProfileSettings);
    if (profile)
        dialog.chooseProfile(*profile);
    if (focus)
        dialog.focusSetting(*focus);
    if (!m_questions->run(dialog))
        return false;
    const MachineProfile before = m_machine.profile;
    for (const MachineSettings& shown : dialog.everyProfileShown())
        saveProfileSettings(shown);
    setMachineSettings(dialog.settings());
    if (m_machine.profile != before)
        followProfileFamily();
    redrawShownPicture();
    return true;
}

// A profile that shapes one family of files selects it; plain writes both and leaves the box.
void MainWindow::followProfileFamily()
{
    if (const std::optional<OutputFormat> family = dialectOf(m_machine.profile).family)
        setPlotChecked(*family == OutputFormat::Plot);
}

void MainWindow::setPlotChecked(bool checked)
{
    auto* plot = qobject_cast<QCheckBox*>(m_controls.value(QString::fromUtf8(plotBox)));
    plot->setChecked(checked);
    onPlotBoxClicked(checked);
}

// The message, then the place to mend it: the scale it names selected, then its box, or the
// dialog that holds the setting or the width with its field in focus.
void MainWindow::reportRefusal(const Refusal& refusal)
{
    m_questions->tell(QString::fromStdString(refusal.message));
    if (refusal.scale)
        m_document->select(*refusal.scale);
    if (const auto numberSetting = refusal.numberSetting())
        editNumbersAndMarks(numberSetting);
    else if (const auto machineSetting = refusal.machineSetting())
        editMachineSettings(machineSetting);
    else if (const auto widthSetting = refusal.widthSetting())
        editMarkWidths(widthSetting);
    else if (const auto spacingSetting = refusal.spacingSetting())
        m_functionActions->editSpacing(spacingSetting);
    else if (const auto labelSetting = refusal.labelSetting())
        m_functionActions->editLabels(labelSetting);
    else
        focusBox(*refusal.box());
}

void MainWindow::focusBox(ScaleInput input)
{
    if (QLineEdit* culprit = box(boxNameOf(input))) {
        culprit->setFocus();
        culprit->selectAll();
    }
}

} // namespace mensora
