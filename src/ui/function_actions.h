#pragma once

#include <optional>

#include <QObject>

#include "model/label_settings.h"
#include "model/spacing_settings.h"

class QAction;

namespace mensora {

class MainWindow;
class ScaleDocument;

// Scale, "Spacing…" and "Labels…": the dialogs of the selected scale's spacing (its law,
// values, segments and gap) and of its labels (what its numbers show, reverse, clockwise, its
// title), each run through the window's questions. A dialog closed by OK changes the selected
// scale of the document; the CSV file of measured points is asked for through the questions
// too.
class FunctionActions : public QObject
{
    Q_OBJECT

public:
    FunctionActions(MainWindow& window, ScaleDocument& document);

    QAction* spacing = nullptr;
    QAction* labels = nullptr;

    // Each shows its dialog with the selected scale's settings, its field of `focus` in focus
    // for a refused setting, and takes the settings it was closed with by OK.
    void editSpacing(std::optional<SpacingSetting> focus = std::nullopt);
    void editLabels(std::optional<LabelSetting> focus = std::nullopt);

signals:
    // The selected scale was changed by a dialog.
    void scaleEdited();

private:
    MainWindow& m_window;
    ScaleDocument& m_document;
};

} // namespace mensora
