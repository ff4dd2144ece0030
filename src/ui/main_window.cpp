#include "ui/main_window.h"

#include <algorithm>
#include <utility>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "engraving/engraving.h"
#include "files/engraving_file.h"
#include "files/installed_fonts.h"
#include "preview/preview_renderer.h"
#include "preview/travel_moves.h"
#include "ui/control_table.h"
#include "ui/drum_dialog.h"
#include "ui/figures_line.h"
#include "ui/file_filter.h"
#include "ui/help_menu.h"
#include "ui/live_update.h"
#include "ui/machine_dialog.h"
#include "ui/machine_store.h"
#include "ui/numbers_dialog.h"
#include "ui/offer_band.h"
#include "ui/preview_picture.h"
#include "ui/scale_file_commands.h"
#include "ui/tool_tips.h"
#include "ui/view_menu.h"

namespace mensora {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Mensora"));
    m_scaleFiles = new ScaleFileCommands(*this);
    createClientArea();
    createMenu();
    connectHandlers();
    createViewMenu();
    onLoad();
    centreOnScreen();

    askSaveFileName = [this](const QString& nameFilter, const QString& lastPath) {
        return askSaveInDialog(this, nameFilter, lastPath);
    };
    askMachineReadiness = [this](const QString& text) { return askReadinessInBox(this, text); };
    askUnsavedChanges = [this](const QString& fileName) { return askUnsavedInBox(this, fileName); };
    askOpenFileName = [this](const QString& nameFilter, const QString& lastPath) {
        return QFileDialog::getOpenFileName(this, QString(), lastPath, nameFilter);
    };
    showMessage
        = [this](const QString& message) { QMessageBox::warning(this, windowTitle(), message); };
    runMachineDialog = [](MachineDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    m_machine = loadMachineSettings();
    followProfileFamily();
    runNumbersDialog = [](NumbersDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    runDrumDialog = [](DrumDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    setReadingHooks();
}

void MainWindow::createMenu()
{
    // Only the menus' titles carry an access key ("&"); the items' captions carry none. The
    // scale files' items come first and the exports after the save item.
    QMenu* file = addMenu(menuBar(), QStringLiteral("&File"), "menu_file");
    m_scaleFiles->addScaleItems(file);
    m_saveAction = file->addAction(QStringLiteral("Save G-Code"));
    m_saveAction->setObjectName(QStringLiteral("menu_savegcode"));
    m_saveAction->setShortcut(QKeySequence::Save);
    m_scaleFiles->addExportItems(file);
    file->addSeparator()->setObjectName(QStringLiteral("menu_str"));
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("menu_exit"));

    QMenu* machine = addMenu(menuBar(), QStringLiteral("&Machine"), "menu_machine");
    m_machineAction = machine->addAction(QStringLiteral("Machine settings\u2026"));
    m_machineAction->setObjectName(QStringLiteral("menu_machinesettings"));

    QMenu* scale = addMenu(menuBar(), QStringLiteral("&Scale"), "menu_scale");
    m_numbersAction = scale->addAction(QStringLiteral("Numbers and marks\u2026"));
    m_numbersAction->setObjectName(QStringLiteral("menu_numbers"));
    m_convertAction = scale->addAction(QStringLiteral("Convert units\u2026"));
    m_convertAction->setObjectName(QStringLiteral("menu_convertunits"));
    m_drumAction = scale->addAction(QStringLiteral("Drum\u2026"));
    m_drumAction->setObjectName(QStringLiteral("menu_drum"));
}

void MainWindow::connectHandlers()
{
    // First, so that a run these edits start (while typing, or a click that previews) comes
    // after it and undims the picture.
    for (const InputBox& input : inputBoxes())
        connect(box(input.name), &QLineEdit::textEdited, this, [this] { markPictureStale(); });
    for (const char* name : { shapeGroup, unitGroup })
        connect(group(name), &QButtonGroup::idClicked, this, [this] { markPictureStale(); });
    auto* plotOption = qobject_cast<QCheckBox*>(m_controls.value(QString::fromUtf8(plotBox)));
    connect(plotOption, &QCheckBox::clicked, this, [this] { markPictureStale(); });
    connect(group(shapeGroup), &QButtonGroup::idClicked, this, &MainWindow::onShapeClicked);
    connect(group(unitGroup), &QButtonGroup::idClicked, this, &MainWindow::onUnitClicked);
    connect(group(baselineGroup), &QButtonGroup::idClicked, this, [this] { runPreview(); });
    connect(group(stripePositionGroup), &QButtonGroup::idClicked, this, [this] { runPreview(); });
    auto* plot = qobject_cast<QCheckBox*>(m_controls.value(QString::fromUtf8(plotBox)));
    connect(plot, &QCheckBox::clicked, this, &MainWindow::onPlotBoxClicked);
    auto* preview = qobject_cast<QPushButton*>(m_controls.value(QStringLiteral("Cmd_preview")));
    connect(preview, &QPushButton::clicked, this, &MainWindow::runPreview);
    connect(m_saveAction, &QAction::triggered, this, &MainWindow::saveEngravingFile);
    connect(m_machineAction, &QAction::triggered, this, [this] { editMachineSettings(); });
    connect(m_numbersAction, &QAction::triggered, this, [this] { editNumbersAndMarks(); });
    connect(m_drumAction, &QAction::triggered, this, &MainWindow::editDrum);
    connect(group(unitGroup), &QButtonGroup::idClicked, this, &MainWindow::onUnitChosen);
    connect(m_convertAction, &QAction::triggered, this, [this] {
        const Unit to = scaleParameters().unit;
        offerUnitConversion(to == Unit::Inch ? Unit::Millimetre : Unit::Inch, to);
    });
    connect(picture()->offerBand(), &OfferBand::accepted, this, &MainWindow::convertLengthBoxes);
    connect(findChild<QAction*>(QStringLiteral("menu_exit")), &QAction::triggered, this,
        &QWidget::close);
    // The title's "*" follows every change of the scale.
    for (const InputBox& input : inputBoxes())
        connect(box(input.name), &QLineEdit::textChanged, m_scaleFiles,
            &ScaleFileCommands::showChanges);
    for (const char* name : { shapeGroup, unitGroup, baselineGroup, stripePositionGroup })
        connect(
            group(name), &QButtonGroup::idToggled, m_scaleFiles, &ScaleFileCommands::showChanges);
}

// After the Scale menu, before Help. With "Update preview while typing" every input box runs
// the preview after a pause, and the shape, unit and plot options at once; the baseline and
// stripe-position groups run it in any case.
void MainWindow::createViewMenu()
{
    const ViewMenu view = addViewMenu(menuBar());
    PreviewPicture* area = picture();
    connect(view.preview, &QAction::triggered, this, &MainWindow::runPreview);
    connect(view.fitAll, &QAction::triggered, area, &PreviewPicture::fitAll);
    area->setShowTravel(view.showTravel->isChecked());
    connect(view.showTravel, &QAction::toggled, area, &PreviewPicture::setShowTravel);

    m_liveUpdate = new LiveUpdate([this] { runPreview(); }, this);
    m_liveUpdate->setEnabled(view.updateWhileTyping->isChecked());
    connect(view.updateWhileTyping, &QAction::toggled, m_liveUpdate, &LiveUpdate::setEnabled);
    for (const InputBox& input : inputBoxes())
        connect(box(input.name), &QLineEdit::textEdited, m_liveUpdate, &LiveUpdate::boxEdited);
    for (const char* name : { shapeGroup, unitGroup })
        connect(group(name), &QButtonGroup::idClicked, m_liveUpdate, &LiveUpdate::optionChanged);
    auto* plot = qobject_cast<QCheckBox*>(m_controls.value(QString::fromUtf8(plotBox)));
    connect(plot, &QCheckBox::clicked, m_liveUpdate, &LiveUpdate::optionChanged);
    addHelpMenu(*this);
    setMenuToolTips(*this);
}

void MainWindow::markPictureStale()
{
    picture()->setStale(true);
}

void MainWindow::centreOnScreen()
{
    adjustSize();
    if (const QScreen* screen = this->screen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

ScaleParameters MainWindow::scaleParameters() const
{
    ScaleParameters parameters;
    for (const InputBox& input : inputBoxes())
        inputText(parameters, input.input) = box(input.name)->text().toStdString();
    const auto choice = [this](const char* name) { return std::max(0, group(name)->checkedId()); };
    parameters.baseline = static_cast<Baseline>(choice(baselineGroup));
    parameters.stripePosition = static_cast<StripePosition>(choice(stripePositionGroup));
    parameters.shape = static_cast<Shape>(choice(shapeGroup));
    parameters.unit = static_cast<Unit>(choice(unitGroup));
    parameters.surface = m_surface;
    parameters.rotaryAxis = m_rotaryAxis;
    parameters.numbers = m_numbers;
    parameters.marks = m_marks;
    return parameters;
}

OutputRequest MainWindow::outputRequest() const
{
    const auto* plot = qobject_cast<const QCheckBox*>(m_controls.value(QString::fromUtf8(plotBox)));
    return { plot->isChecked() ? OutputFormat::Plot : OutputFormat::Gcode, m_machine, {},
        numberFormatOf() };
}

void MainWindow::applyScaleParameters(const ScaleParameters& parameters)
{
    for (const InputBox& input : inputBoxes())
        box(input.name)->setText(QString::fromStdString(inputText(parameters, input.input)));
    const auto select = [this](const char* name, auto choice) {
        group(name)->button(static_cast<int>(choice))->setChecked(true);
    };
    select(baselineGroup, parameters.baseline);
    select(stripePositionGroup, parameters.stripePosition);
    select(shapeGroup, parameters.shape);
    select(unitGroup, parameters.unit);
    onShapeClicked(static_cast<int>(parameters.shape));
    onUnitClicked(static_cast<int>(parameters.unit));
    m_boxesUnit = parameters.unit; // the numbers come in the unit they were saved with
    picture()->offerBand()->withdraw();
    m_surface = parameters.surface;
    m_rotaryAxis = parameters.rotaryAxis;
    setNumbersAndMarks(parameters.numbers, parameters.marks);
}

void MainWindow::setNumbersAndMarks(const NumberSettings& numbers, const MarkSettings& marks)
{
    m_numbers = numbers;
    m_marks = marks;
    m_scaleFiles->showChanges();
}

// A picture on show is redrawn with the new settings; an empty one waits for Preview. The
// field of `focus` takes the focus, for a refused setting.
void MainWindow::editNumbersAndMarks(std::optional<NumberSetting> focus)
{
    NumbersDialog dialog(this);
    dialog.setSettings(m_numbers, m_marks);
    if (focus)
        dialog.focusSetting(*focus);
    if (!runNumbersDialog(dialog))
        return;
    setNumbersAndMarks(dialog.numbers(), dialog.marks());
    if (picture()->drawing() || !picture()->message().isEmpty())
        runPreview();
}

// As the numbers: a picture on show is redrawn, an empty one waits for Preview.
void MainWindow::editDrum()
{
    DrumDialog dialog(scaleParameters().shape, this);
    dialog.setSurface(m_surface, m_rotaryAxis);
    if (!runDrumDialog(dialog))
        return;
    m_surface = dialog.surface();
    m_rotaryAxis = dialog.rotaryAxis();
    m_scaleFiles->showChanges();
    if (picture()->drawing() || !picture()->message().isEmpty())
        runPreview();
}

// A refused run clears the picture and shows the reason inside it: the preview runs on every
// click of a baseline or stripe-position button, where a message box would be in the way.
// The boxes are read once; the picture, its travel and its figures come from that one scale.
void MainWindow::runPreview()
{
    PreviewPicture* area = picture();
    const ScaleParameters parameters = scaleParameters();
    showReadingNotes(parameters);
    const auto scale = CheckedScale::check(parameters, installedFonts());
    auto run = scale ? renderPreview(*scale, area->drawableWidthMm(), area->drawableHeightMm())
                     : Result<PreviewDrawing>(scale.refusal());
    // The travel and the figures come from the file's own moves: none when it is refused.
    const auto engraving
        = scale ? Engraving::prepare(*scale, outputRequest()) : Result<Engraving>(scale.refusal());
    if (run && engraving)
        run.value().travel = travelLines(*engraving, run->frame);
    area->setFiguresLine(run && engraving ? figuresLine(engraving->figures()) : QString());
    // The cursor's position reads with the separator the saved file uses.
    area->setDecimalSeparator(QString::fromStdString(numberFormatOf().decimalSeparator));
    area->showPreview(run);
    m_pictureShowsSaveRefusal = false;
    if (run)
        box("Text7")->setText(QString::fromStdString(run->stripeSequence));
}

void MainWindow::setMachineSettings(const MachineSettings& settings)
{
    m_machine = settings;
    saveMachineSettings(settings);
}

// A picture on show is redrawn, so that its figures follow the new settings. The field of
// `focus` takes the focus, for a refused setting.
bool MainWindow::editMachineSettings(std::optional<MachineSetting> focus)
{
    MachineDialog dialog(scaleParameters().unit, this);
    dialog.setSettings(m_machine);
    if (focus)
        dialog.focusSetting(*focus);
    if (!runMachineDialog(dialog))
        return false;
    const MachineProfile before = m_machine.profile;
    setMachineSettings(dialog.settings());
    if (m_machine.profile != before)
        followProfileFamily();
    if (picture()->drawing() || !picture()->message().isEmpty())
        runPreview();
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

// A changed scale file is saved, discarded or kept open, as the user answers.
void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_scaleFiles->maySetAside()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// The message, then the place to mend it: the box, or the dialog that holds the setting with
// its field in focus.
void MainWindow::reportRefusal(const Refusal& refusal)
{
    showMessage(QString::fromStdString(refusal.message));
    if (const auto numberSetting = refusal.numberSetting()) {
        editNumbersAndMarks(numberSetting);
    } else if (const auto machineSetting = refusal.machineSetting()) {
        editMachineSettings(machineSetting);
    } else if (QLineEdit* culprit = box(boxNameOf(*refusal.box()))) {
        culprit->setFocus();
        culprit->selectAll();
    }
}

QLabel* MainWindow::label(const char* name) const
{
    return qobject_cast<QLabel*>(m_controls.value(QString::fromUtf8(name)));
}

QLineEdit* MainWindow::box(const char* name) const
{
    return qobject_cast<QLineEdit*>(m_controls.value(QString::fromUtf8(name)));
}

QButtonGroup* MainWindow::group(const char* name) const
{
    return m_groups.value(QString::fromUtf8(name));
}

PreviewPicture* MainWindow::picture() const
{
    return qobject_cast<PreviewPicture*>(m_controls.value(QStringLiteral("Picture1")));
}

} // namespace mensora
