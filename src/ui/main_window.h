#pragma once

#include <functional>
#include <initializer_list>
#include <optional>

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "engraving/engraving.h"
#include "model/machine_settings.h"
#include "model/scale_parameters.h"
#include "ui/save_questions.h"

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;

namespace mensora {

struct ControlRow;
struct Refusal;
class LiveUpdate;
class DrumDialog;
class MachineDialog;
class NumbersDialog;
class PreviewPicture;
class ScaleFileCommands;

// The one window of the program: the inputs of a scale, the preview, the File menu that
// opens and saves scale files, saves the engraving and exports drawings, the Machine menu that
// sets what machine it is for, the Scale menu of the numbers and marks and of the surface, and
// the View menu that sets how the preview shows and when it runs. Controls carry their names as
// objectName; the buttons of an option group share the group's name and are found through the
// QButtonGroup of that name.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The inputs as they stand: every box's text exactly as typed, every group's choice.
    ScaleParameters scaleParameters() const;

    // What Save G-Code writes: the plot box's format, for the machine of the Machine menu.
    OutputRequest outputRequest() const;

    // Sets every box and option of a scale as if the user had typed and clicked them (the
    // shape and unit captions switch as on a click), and its numbers and marks. Runs no
    // preview. The plot box is left as it is: the output format is not part of a scale.
    void applyScaleParameters(const ScaleParameters& parameters);

    // The engraving of the parameters for the file the request asks for (a drawing takes none
    // of the machine settings), refusals handled as Save G-Code handles them (a message, the
    // reason in the picture, the focus on the box, or the dialog of the setting to blame);
    // nothing when refused.
    std::optional<Engraving> engravingForFile(
        const ScaleParameters& parameters, const OutputRequest& request);

    // Redraws the preview: the Preview button, and every click in the baseline and
    // stripe-position groups.
    void runPreview();

    // File, "Save G-Code": refuses inputs that give no sound file before anything is asked,
    // then asks for a file name and writes the engraving there. Text7 keeps the stripe
    // sequence of the last save. A refusal also takes the place of the picture, until a
    // preview runs or a save accepts the inputs.
    void saveEngravingFile();

    // The save dialog: given the Qt name filter and the path of the last save (empty before
    // the first), returns the chosen file name, or an empty one for none. Replaceable so that
    // tests answer it without a dialog.
    std::function<QString(const QString& nameFilter, const QString& lastPath)> askSaveFileName;

    // The open dialog, as askSaveFileName: the chosen file name, or an empty one for none.
    std::function<QString(const QString& nameFilter, const QString& lastPath)> askOpenFileName;

    // Asked when a plain program is saved, with the text of what a controller needs that the
    // program lacks: at the first such save of a run, and at every one under a controller's
    // extension (.nc, .ngc, ...), until "Don't ask again" is answered. A box unless replaced.
    std::function<ReadinessAnswer(const QString& text)> askMachineReadiness;

    // Asked before a changed scale file is set aside (closing the window, Open Scale), with
    // the file's name. A box unless replaced.
    std::function<UnsavedAnswer(const QString& fileName)> askUnsavedChanges;

    // Tells the user why a save did not happen; a warning box unless replaced.
    std::function<void(const QString& message)> showMessage;

    // Before a save: the notes on boxes read otherwise than typed (see readingNotes), then
    // for a profile that cuts deeper than 5 mm (0.2 in) the question whether to. A note is
    // answered "Save anyway" or "Go back" (the first box named takes the focus); false when
    // the save is not to happen.
    bool confirmReadings(const ScaleParameters& parameters, const Engraving& engraving);

    // The notes' confirmation: true for "Save anyway". A message box unless replaced.
    std::function<bool(const QStringList& notes)> confirmNotes;

    // The question before a deep cut: true to save. A message box unless replaced.
    std::function<bool(const QString& question)> confirmDeepCut;

    // Scale, "Convert units…": offers, under the picture, to convert every length box from
    // the other unit to the window's one. A click on MM or Inch makes the same offer (to the
    // unit clicked) when a machine profile is chosen or a box differs from its start text.
    // Nothing is converted until the offer is taken.
    void offerUnitConversion(Unit from, Unit to);

    // Machine, "Machine settings…": the settings every file and figure is made with, kept
    // between runs. The dialog runs modally unless replaced; true when it was accepted.
    const MachineSettings& machineSettings() const { return m_machine; }
    void setMachineSettings(const MachineSettings& settings);
    // True when the dialog was accepted. A profile of a file family (plot or G-code) chosen
    // there switches the plot box to that family, and the save item's caption with it.
    bool editMachineSettings(std::optional<MachineSetting> focus = std::nullopt);
    std::function<bool(MachineDialog& dialog)> runMachineDialog;

    // Scale, "Numbers and marks…": shows the dialog with the current settings and takes the
    // ones it was closed with by OK. They start at their defaults on every run.
    void editNumbersAndMarks(std::optional<NumberSetting> focus = std::nullopt);

    // The number and mark settings that go into scaleParameters().
    void setNumbersAndMarks(const NumberSettings& numbers, const MarkSettings& marks);
    const NumberSettings& numberSettings() const { return m_numbers; }
    const MarkSettings& markSettings() const { return m_marks; }

    // Runs the numbers dialog; true when it was closed by OK. Replaceable so that tests fill
    // the form and accept it without a modal loop.
    std::function<bool(NumbersDialog& dialog)> runNumbersDialog;

    // Scale, "Drum…": shows the dialog with the scale's surface and rotary axis and takes the
    // ones it was closed with by OK, as a change of the scale.
    void editDrum();
    // Runs the drum dialog; true when it was closed by OK. Replaceable as runNumbersDialog.
    std::function<bool(DrumDialog& dialog)> runDrumDialog;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void saveEngravingFileFrom(const QString& startPath);
    bool plainProgramMaySave(const Engraving& engraving, const QString& path);
    void followProfileFamily();
    void setPlotChecked(bool checked);
    void createClientArea();
    QWidget* createControl(const ControlRow& row, QWidget* parent);
    QWidget* createTextBox(const ControlRow& row, QWidget* parent);
    QWidget* createOptionButton(const ControlRow& row, QWidget* parent);
    void createMenu();
    void connectHandlers();
    void createViewMenu();
    void centreOnScreen();

    // Handlers of the window's events.
    void onLoad();
    void onShapeClicked(int index);
    void onUnitClicked(int index);
    void onPlotBoxClicked(bool checked);
    void setReadingHooks();
    void onUnitChosen(int index);
    void convertLengthBoxes();
    void showReadingNotes(const ScaleParameters& parameters);
    bool boxesChanged() const;

    void markPictureStale();
    void updateBoxToolTips();
    void reportRefusal(const Refusal& refusal);
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
    QAction* m_convertAction = nullptr;
    QAction* m_drumAction = nullptr;
    Unit m_boxesUnit = Unit::Millimetre; // the unit the boxes' numbers were typed for
    Unit m_offerFrom = Unit::Millimetre;
    Unit m_offerTo = Unit::Millimetre;
    QString m_lastSavePath;
    bool m_readinessAsked = false; // once per run, but always for a controller's extension
    bool m_pictureShowsSaveRefusal = false;
    LiveUpdate* m_liveUpdate = nullptr;
    ScaleFileCommands* m_scaleFiles = nullptr;
    NumberSettings m_numbers;
    MarkSettings m_marks;
    Surface m_surface = Surface::Face; // no control of the form shows these two
    RotaryAxis m_rotaryAxis = RotaryAxis::A;
};

} // namespace mensora
