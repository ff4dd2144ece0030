#include "ui/function_actions.h"

#include <QAction>

#include "document/scale_document.h"
#include "ui/labels_dialog.h"
#include "ui/main_window.h"
#include "ui/spacing_dialog.h"

namespace mensora {

FunctionActions::FunctionActions(MainWindow& window, ScaleDocument& document)
    : QObject(&window)
    , m_window(window)
    , m_document(document)
{
    spacing = new QAction(QStringLiteral("Spacing\u2026"), this);
    spacing->setObjectName(QStringLiteral("menu_spacing"));
    labels = new QAction(QStringLiteral("Labels\u2026"), this);
    labels->setObjectName(QStringLiteral("menu_labels"));
    connect(spacing, &QAction::triggered, this, [this] { editSpacing(); });
    connect(labels, &QAction::triggered, this, [this] { editLabels(); });
}

void FunctionActions::editSpacing(std::optional<SpacingSetting> focus)
{
    ScaleParameters parameters = m_document.selectedScale().parameters;
    SpacingDialog dialog(parameters, &m_window);
    dialog.setPointsFileChooser([this] {
        return m_window.questions().openFileName(
            QStringLiteral("Measured points (*.csv *.txt);;All files (*)"), QString());
    });
    if (focus)
        dialog.focusSetting(*focus);
    if (!m_window.questions().run(dialog))
        return;
    parameters.spacing = dialog.spacing();
    m_document.setSelectedScale(parameters);
    emit scaleEdited();
}

void FunctionActions::editLabels(std::optional<LabelSetting> focus)
{
    ScaleParameters parameters = m_document.selectedScale().parameters;
    LabelsDialog dialog(parameters.labels, parameters.shape, &m_window);
    if (focus)
        dialog.focusSetting(*focus);
    if (!m_window.questions().run(dialog))
        return;
    parameters.labels = dialog.labels();
    m_document.setSelectedScale(parameters);
    emit scaleEdited();
}

} // namespace mensora
