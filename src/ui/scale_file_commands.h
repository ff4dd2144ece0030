#pragma once

#include <optional>

#include <QHash>
#include <QObject>
#include <QString>

#include "model/scale_parameters.h"

class QMenu;

namespace mensora {

class MainWindow;

// The File menu's commands for scale files and drawings: "Open Scale…", "Save Scale As…",
// "Export SVG…" and "Export DXF…". They ask through the window's dialog functions and tell
// through its showMessage, so tests answer them without dialogs.
class ScaleFileCommands : public QObject
{
public:
    explicit ScaleFileCommands(MainWindow& window);

    // "New" (Ctrl+N), "New from template", a menu of the scale files that come with the
    // program, "Open
    // Scale…" (Ctrl+O) and "Save Scale As…" (Ctrl+Shift+S), then a separator.
    void addScaleItems(QMenu* file);
    // "Export SVG…" and "Export DXF…".
    void addExportItems(QMenu* file);

    // Sets the window to its start values (the numbers and marks too) and previews it.
    void newScale();
    // Reads a scale file and, when it is sound, sets the whole window to it and previews it; a
    // refused file is named in a message and changes nothing.
    void openScale();
    // Sets the window to a template as Open Scale does, as a new scale: the title names no
    // file and Save Scale As starts afresh.
    void openTemplate(const QString& path);
    // Writes the window's scale to a scale file; a box text the file cannot keep is refused
    // before the dialog.
    void saveScaleAs();
    // Writes a drawing (svg or dxf) of the window's scale; refusals come before the dialog,
    // as for Save G-Code.
    void exportDrawing(OutputFormat format);

    // Whether the window's scale differs from the scale file it was opened from or saved to.
    bool hasUnsavedChanges() const;
    // Shows in the title, by a "*" after the file's name, whether the scale has changed; called
    // on every change of a box, an option or the numbers and marks.
    void showChanges();
    // Whether the scale may be set aside (the window closed, another scale opened): true when
    // nothing changed, or when the user saved or discarded the changes; false for Cancel or a
    // save that failed.
    bool maySetAside();

private:
    bool applyScaleFile(const QString& path);
    void nameScaleFile(const QString& path);
    void forgetScaleFile();
    bool writeScale(const ScaleParameters& scale, const QString& path);

    MainWindow& m_window;
    QString m_scalePath; // the scale file last opened or saved
    std::optional<ScaleParameters> m_savedScale; // the scale as that file holds it
    QHash<QString, QString> m_exportPaths; // the last path of each output, by its name
};

} // namespace mensora
