#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include "model/scale_parameters.h"
#include "ui/templates.h"

class QMenu;

namespace mensora {

class MainWindow;
class ScaleDocument;

// The File menu's commands for the window's document and drawings: "New", the templates,
// "Open Scale…", "Save Scale As…", "Export SVG…" and "Export DXF…". They ask through the
// window's questions, so tests answer them without dialogs.
class ScaleFileCommands : public QObject
{
public:
    explicit ScaleFileCommands(MainWindow& window);

    // "New" (Ctrl+N), "New from template", a menu of the scale files that come with the
    // program, "Open Scale…" (Ctrl+O) and "Save Scale As…" (Ctrl+Shift+S), then a separator.
    void addScaleItems(QMenu* file);
    // "Export SVG…" and "Export DXF…".
    void addExportItems(QMenu* file);

    // Makes the document the start job (the numbers and marks too) and previews it.
    void newScale();
    // Reads a scale file and, when it is sound, makes it the document and previews it; a
    // refused file is named in a message and changes nothing.
    void openScale();
    // Makes a template the document as Open Scale does, as a new job: the title names no file
    // and Save Scale As starts afresh. A template that cannot be read is named with its folder.
    void openTemplate(const OfferedTemplate& offered);
    // Writes the document to a scale file, after an open unit offer is answered; a job the
    // file cannot keep is refused before the dialog.
    void saveScaleAs();
    // Writes a drawing (svg or dxf) of the whole job; refusals come before the dialog, as for
    // Save G-Code.
    void exportDrawing(OutputFormat format);

    // Whether the document may be set aside (the window closed, another job opened): true when
    // it has not changed since its file (or, without one, since it began: see
    // ScaleDocument::hasUnsavedWork), or when the user saved or discarded the changes; false for
    // Cancel, or a save that failed or whose dialog was cancelled.
    bool maySetAside();

private:
    bool openFile(const QString& path, bool asNew);
    bool saveScaleAsked();
    bool writeJob(const QString& path);

    MainWindow& m_window;
    ScaleDocument& m_document;
    QHash<QString, QString> m_exportPaths; // the last path of each output, by its name
};

} // namespace mensora
