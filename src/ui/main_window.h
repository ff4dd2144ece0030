#pragma once

#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include <QHash>
#include <QMainWindow>
#include <QString>

#include "engraving/engraving.h"
#include "model/machine_settings.h"
#include "model/scale_note.h"
#include "model/scale_parameters.h"
#include "ui/questions.h"

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;

namespace mensora {

struct ControlRow;
struct Refusal;
class FunctionActions;
class JobActions;
class LiveUpdate;
class ScalesPanel;
class PreviewPicture;
class ScaleDocument;
class ScaleFileCommands;

// The one window of the program: a shell over its document (the job of scales, its file and
// its undo stack). The form shows the document's selected scale and writes every edit through
// to it; the picture previews it. The File menu opens and saves the job's file, saves the
// engraving of the whole job and exports drawings of it, the Machine menu sets what machine it
// is for, the Scale menu holds the numbers and marks, the mark widths, the surface, the spacing
// and the labels of the selected scale, and the View menu sets how the preview shows and when
// it runs. Every question and dialog goes through questions(). Controls carry their names as
// objectName; the buttons of an option group share the group's name and are found through the
// QButtonGroup of that name.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The job the window shows.
    ScaleDocument& document() { return *m_document; }
    const ScaleDocument& document() const { return *m_document; }

    // What the window asks the user through: real boxes and dialogs unless replaced.
    Questions& questions() { return *m_questions; }
    void setQuestions(std::unique_ptr<Questions> questions);

    // The selected scale as the form shows it: every box's text exactly as typed, every
    // group's choice, and the rest of the scale (numbers and marks, surface) as it stands.
    ScaleParameters scaleParameters() const;

    // What Save G-Code writes: the plot box's format, for the machine of the Machine menu; a
    // drawing holds marks of a width as the Mark widths dialog chose.
    OutputRequest outputRequest() const;

    // Makes the parameters the selected scale and shows them: every box and option set as if
    // the user had typed and clicked them (the shape and unit captions switch as on a click).
    // Runs no preview. The plot box is left as it is: the output format is not part of a scale.
    void applyScaleParameters(const ScaleParameters& parameters);

    // The engraving of the whole job for the file the request asks for (a drawing takes none
    // of the machine settings), refusals handled as Save G-Code handles them (a message, the
    // reason in the picture, the scale to blame selected, the focus on its box, or the dialog
    // of the setting to blame); nothing when refused.
    std::optional<Engraving> engravingForFile(const OutputRequest& request);

    // Redraws the preview of the selected scale: the Preview button, and every click in the
    // baseline and stripe-position groups.
    void runPreview();

    // File, "Save G-Code": refuses a job that gives no sound file before anything is asked,
    // then asks for a file name and writes the engraving of the whole job there. Text7 keeps
    // the stripe sequence of the selected scale at the last save. A refusal also takes the
    // place of the picture, until a preview runs or a save accepts the job.
    void saveEngravingFile();

    // What a save does once its questions are answered.
    enum class SaveStep {
        Go, // write the file
        Stop, // write nothing
        Again, // an offer changed the job: prepare the file anew
    };

    // Before a save: the notes on the file (see fileNotes), each naming its scale in a job of
    // several; first those that offer no change (boxes read otherwise than typed, numbers that
    // run together, what the tool makes of marks of a width), answered together "Save anyway"
    // or "Go back" (the first box named takes the focus, its scale selected), then each that
    // offers one, answered by taking it (Again), saving as it is or going back; then for a
    // profile that cuts deeper than 5 mm (0.2 in) the question whether to.
    SaveStep confirmNotes(const Engraving& engraving);

    // Every save and export begins here: an open unit offer is answered first (Convert, Keep
    // or Cancel), then the job is prepared for the request (refused as engravingForFile
    // refuses) and its notes confirmed; an offer taken prepares it anew. Nothing when the
    // save is not to happen.
    std::optional<Engraving> engravingToSave(const OutputRequest& request);
    // The open unit offer's question; false for Cancel. True when no offer stands.
    bool answerUnitOffer();
    // Says in the status bar what a save has written: "Saved ruler.nc: 2,896 lines, 74 KB".
    void showSaved(const QString& path);

    // Scale, "Convert units…": offers, under the picture, to convert every length box from
    // the other unit to the window's one, and the mark widths. A click on MM or Inch makes the same
    // offer (to the unit clicked) when a machine profile is chosen or a box differs from its start
    // text. Nothing is converted until the offer is taken.
    void offerUnitConversion(Unit from, Unit to);

    // Machine, "Machine settings…": the settings every file and figure is made with, kept
    // between runs.
    const MachineSettings& machineSettings() const { return m_machine; }
    void setMachineSettings(const MachineSettings& settings);
    // True when the dialog was accepted. A profile of a file family (plot or G-code) chosen
    // there switches the plot box to that family, and the save item's caption with it.
    // A profile given is chosen in the dialog as it opens (a question's "Choose machine…").
    bool editMachineSettings(std::optional<MachineSetting> focus = std::nullopt,
        std::optional<MachineProfile> profile = std::nullopt);

    // Scale, "Numbers and marks…": shows the dialog with the selected scale's settings and
    // takes the ones it was closed with by OK.
    void editNumbersAndMarks(std::optional<NumberSetting> focus = std::nullopt);

    // The number and mark settings of the selected scale.
    void setNumbersAndMarks(const NumberSettings& numbers, const MarkSettings& marks);
    const NumberSettings& numberSettings() const;
    const MarkSettings& markSettings() const;

    // Scale, "Mark widths…": shows the dialog with the selected scale's widths and the
    // drawings' choice of strokes or outlines, and takes the ones it was closed with by OK,
    // the widths as a change of the scale. The field of `focus` takes the focus, for a refused
    // width.
    void editMarkWidths(std::optional<WidthSetting> focus = std::nullopt);
    // How the exported drawings hold marks of a width: not part of a scale, kept for the run.
    DrawnMarks drawnMarks() const { return m_drawnMarks; }

    // Scale, "Drum…": shows the dialog with the selected scale's surface and rotary axis and
    // takes the ones it was closed with by OK, as a change of the scale.
    void editDrum();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void saveEngravingFileFrom(const QString& startPath);
    bool plainProgramMaySave(const Engraving& engraving, const QString& path);
    bool plainPlotMaySave(const Engraving& engraving, const QString& path);
    void showNotes(const std::vector<ScaleNote>& notes);
    void followProfileFamily();
    void setPlotChecked(bool checked);
    void createClientArea();
    QWidget* createControl(const ControlRow& row, QWidget* parent);
    QWidget* createTextBox(const ControlRow& row, QWidget* parent);
    QWidget* createOptionButton(const ControlRow& row, QWidget* parent);
    void createMenu();
    void createEditMenu();
    void createJobParts(QMenu* scaleMenu);
    void createFunctionParts(QMenu* scaleMenu);
    void connectJob();
    void showBoxesTheScaleReads(const ScaleParameters& parameters);
    void connectHandlers();
    void connectDocument();
    void createViewMenu();
    void centreOnScreen();

    // The form and the document.
    void fillForm(const ScaleParameters& parameters);
    void writeFormThrough();
    void showSelectedScale();
    void showChangedScale();
    void showTitle();

    // Handlers of the window's events.
    void onLoad();
    void onShapeClicked(int index);
    void onUnitClicked(int index);
    void onPlotBoxClicked(bool checked);
    void onUnitChosen(int index);
    void convertLengthBoxes();
    bool boxesChanged() const;
    void redrawShownPicture();

    void markPictureStale();
    void updateBoxToolTips();
    void reportRefusal(const Refusal& refusal);
    void focusBox(ScaleInput input);
    QString flatUnitCaption() const;
    QLabel* label(const char* name) const;
    QLineEdit* box(const char* name) const;
    QButtonGroup* group(const char* name) const;
    PreviewPicture* picture() const;
    void setCaptions(std::initializer_list<const char*> labels, const QString& caption);
    void setShown(std::initializer_list<const char*> controls, bool shown);

    QHash<QString, QWidget*> m_controls; // option buttons live in m_groups instead
    QHash<QString, QButtonGroup*> m_groups;
    QAction* m_saveAction = nullptr;
    QAction* m_machineAction = nullptr;
    MachineSettings m_machine;
    QAction* m_numbersAction = nullptr;
    QAction* m_widthsAction = nullptr;
    DrawnMarks m_drawnMarks = DrawnMarks::Strokes;
    QAction* m_convertAction = nullptr;
    QAction* m_drumAction = nullptr;
    Unit m_boxesUnit = Unit::Millimetre; // the unit the boxes' numbers were typed for
    Unit m_offerFrom = Unit::Millimetre;
    Unit m_offerTo = Unit::Millimetre;
    QString m_lastSavePath;
    bool m_readinessAsked = false; // once per run, but always for a controller's extension
    bool m_plotAsked = false; // once per run, but always for an inch scale
    bool m_pictureShowsSaveRefusal = false;
    bool m_fillingForm = false; // the form is being set from the document: nothing to write
    LiveUpdate* m_liveUpdate = nullptr;
    ScaleDocument* m_document = nullptr;
    ScaleFileCommands* m_scaleFiles = nullptr;
    JobActions* m_jobActions = nullptr;
    FunctionActions* m_functionActions = nullptr;
    ScalesPanel* m_scalesPanel = nullptr;
    std::unique_ptr<Questions> m_questions;
};

} // namespace mensora
