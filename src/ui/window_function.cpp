// The window's parts for a scale's spacing and labels: their items in the Scale menu, and the
// picture drawn again once a dialog has changed the scale.

#include "ui/main_window.h"

#include <QMenu>

#include "ui/function_actions.h"

namespace mensora {

void MainWindow::createFunctionParts(QMenu* scaleMenu)
{
    m_functionActions = new FunctionActions(*this, *m_document);
    scaleMenu->addAction(m_functionActions->spacing);
    scaleMenu->addAction(m_functionActions->labels);
    connect(
        m_functionActions, &FunctionActions::scaleEdited, this, &MainWindow::redrawShownPicture);
}

} // namespace mensora
