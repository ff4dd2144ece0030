#include "ui/main_window.h"

#include <utility>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "document/scale_document.h"
#include "engraving/engraving.h"
#include "engraving/scale_notes.h"
#include "files/engraving_file.h"
#include "files/installed_fonts.h"
#include "preview/job_picture.h"
#include "preview/preview_renderer.h"
#include "preview/travel_moves.h"
#include "ui/control_table.h"
#include "ui/figures_line.h"
#include "ui/help_menu.h"
#include "ui/live_update.h"
#include "ui/machine_store.h"
#include "ui/offer_band.h"
#include "ui/preview_picture.h"
#include "ui/scale_file_commands.h"
#include "ui/scales_panel.h"
#include "ui/tool_tips.h"
#include "ui/view_menu.h"

namespace mensora {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_document(new ScaleDocument(this))
    , m_questions(std::make_unique<BoxQuestions>(*this))
{
    setWindowTitle(QStringLiteral("Mensora"));
    m_scaleFiles = new ScaleFileCommands(*this);
    createClientArea();
    createMenu();
    connectHandlers();
    createViewMenu();
    onLoad();
    centreOnScreen();
    m_machine = loadMachineSettings();
    followProfileFamily();
    connectDocument();
    connectJob();
}

// The document goes after the window's own parts: its undo stack, cleared as it goes, must
// find no window to redraw.
MainWindow::~MainWindow()
{
    m_document->undoStack().disconnect(this);
    m_document->disconnect(this);
}

void MainWindow::setQuestions(std::unique_ptr<Questions> questions)
{
    m_questions = std::move(questions);
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
    createEditMenu();

    QMenu* machine = addMenu(menuBar(), QStringLiteral("&Machine"), "menu_machine");
    m_machineAction = machine->addAction(QStringLiteral("Machine settings\u2026"));
    m_machineAction->setObjectName(QStringLiteral("menu_machinesettings"));

    QMenu* scale = addMenu(menuBar(), QStringLiteral("&Scale"), "menu_scale");
    m_numbersAction = scale->addAction(QStringLiteral("Numbers and marks\u2026"));
    m_numbersAction->setObjectName(QStringLiteral("menu_numbers"));
    m_widthsAction = scale->addAction(QStringLiteral("Mark widths\u2026"));
    m_widthsAction->setObjectName(QStringLiteral("menu_widths"));
    m_convertAction = scale->addAction(QStringLiteral("Convert units\u2026"));
    m_convertAction->setObjectName(QStringLiteral("menu_convertunits"));
    m_drumAction = scale->addAction(QStringLiteral("Drum\u2026"));
    m_drumAction->setObjectName(QStringLiteral("menu_drum"));
    createFunctionParts(scale);
    createJobParts(scale);
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
    connect(m_widthsAction, &QAction::triggered, this, [this] { editMarkWidths(); });
    connect(m_drumAction, &QAction::triggered, this, &MainWindow::editDrum);
    connect(group(unitGroup), &QButtonGroup::idClicked, this, &MainWindow::onUnitChosen);
    connect(m_convertAction, &QAction::triggered, this, [this] {
        const Unit to = scaleParameters().unit;
        offerUnitConversion(to == Unit::Inch ? Unit::Millimetre : Unit::Inch, to);
    });
    connect(picture()->offerBand(), &OfferBand::accepted, this, &MainWindow::convertLengthBoxes);
    connect(findChild<QAction*>(QStringLiteral("menu_exit")), &QAction::triggered, this,
        &QWidget::close);
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
    QMenu* viewMenu = findChild<QMenu*>(QStringLiteral("menu_view"));
    viewMenu->addSeparator()->setObjectName(QStringLiteral("menu_panelstr"));
    viewMenu->addAction(m_scalesPanel->toggleViewAction());
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

OutputRequest MainWindow::outputRequest() const
{
    const auto* plot = qobject_cast<const QCheckBox*>(m_controls.value(QString::fromUtf8(plotBox)));
    DrawingSettings drawing;
    drawing.marks = m_drawnMarks;
    return { plot->isChecked() ? OutputFormat::Plot : OutputFormat::Gcode, m_machine, drawing,
        numberFormatOf() };
}

// A refused run clears the picture and shows the reason inside it: the preview runs on every
// click of a baseline or stripe-position button, where a message box would be in the way.
// The boxes are read once; the picture, its travel and its figures come from that one scale,
// the selected one.
// The selected scale as the form shows it, among the job's other scales. The figures are the
// whole job's; a scale of the job that is refused leaves the others without figures and says
// why in a note.
void MainWindow::runPreview()
{
    PreviewPicture* area = picture();
    const ScaleJob& job = m_document->job();
    const std::size_t selected = m_document->selectedIndex();
    const auto checked = CheckedJob::check(job, installedFonts());
    const bool selectedRefused = !checked && checked.refusal().scale.value_or(selected) == selected;
    const auto scale = checked ? Result<CheckedScale>(checked->scales()[selected])
        : selectedRefused      ? Result<CheckedScale>(checked.refusal())
                          : CheckedScale::check(job.scales[selected].parameters, installedFonts());
    std::vector<ScaleNote> notes;
    if (scale)
        notes = scaleNotes(*scale);
    else
        for (const ReadingNote& note : readingNotes(job.scales[selected].parameters))
            notes.push_back(noteOf(note));
    auto run = scale ? renderPreview(*scale, area->drawableWidthMm(), area->drawableHeightMm())
                     : Result<PreviewDrawing>(scale.refusal());
    // The travel and the figures come from the file's own moves: none when it is refused.
    const auto engraving = checked ? Engraving::prepare(*checked, outputRequest())
                                   : Result<Engraving>(checked.refusal());
    if (run && engraving) {
        addJobScales(run.value(), *engraving, selected);
        run.value().travel
            = travelLines(*engraving, run->frame, 1 / engraving->unitFactor(selected));
    }
    area->setFiguresLine(run && engraving ? figuresLine(engraving->figures()) : QString());
    // What the tool makes of the marks of a width.
    if (engraving)
        for (const std::string& note : engraving->notes())
            notes.push_back({ MachineSetting::Tool, note });
    showNotes(notes);
    if (run && !engraving && engraving.refusal().scale.value_or(selected) != selected)
        area->setNotes(
            QStringList(area->notes()) << QString::fromStdString(engraving.refusal().message));
    // The cursor's position reads with the separator the saved file uses.
    area->setDecimalSeparator(QString::fromStdString(numberFormatOf().decimalSeparator));
    area->showPreview(run);
    m_pictureShowsSaveRefusal = false;
    if (run)
        box("Text7")->setText(QString::fromStdString(run->stripeSequence));
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
