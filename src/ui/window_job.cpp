// The window's parts for a job of several scales: the Edit menu's Undo and Redo of the job's
// commands, the job's commands in the Scale menu and the Scales panel, and the picture that
// follows the selection and picks a scale by a click.

#include "ui/main_window.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "document/scale_document.h"
#include "ui/job_actions.h"
#include "ui/preview_picture.h"
#include "ui/scales_panel.h"
#include "ui/view_menu.h"

namespace mensora {

namespace {

QAction* undoAction(QAction* action, const char* name, const QKeySequence& keys, const QString& tip)
{
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(keys);
    action->setToolTip(tip);
    return action;
}

} // namespace

// Between File and Machine. A box with the focus keeps its own undo of the typing in it.
void MainWindow::createEditMenu()
{
    QMenu* edit = addMenu(menuBar(), QStringLiteral("&Edit"), "menu_edit");
    QUndoStack& stack = m_document->undoStack();
    edit->addAction(undoAction(stack.createUndoAction(this, QStringLiteral("Undo")), "menu_undo",
        QKeySequence(Qt::CTRL | Qt::Key_Z),
        QStringLiteral("Takes back the last change of the job's scales or its mirror")));
    edit->addAction(undoAction(stack.createRedoAction(this, QStringLiteral("Redo")), "menu_redo",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
        QStringLiteral("Makes the change taken back again")));
}

// The Scale menu gains the commands that add scales and the mirror; the panel holds them all.
void MainWindow::createJobParts(QMenu* scaleMenu)
{
    m_jobActions = new JobActions(*this, *m_document);
    scaleMenu->addSeparator()->setObjectName(QStringLiteral("menu_jobstr"));
    scaleMenu->addAction(m_jobActions->addVernier);
    scaleMenu->addAction(m_jobActions->addOtherUnit);
    scaleMenu->addAction(m_jobActions->mirror);
    m_scalesPanel = new ScalesPanel(*m_document, *m_jobActions, this);
    addDockWidget(Qt::RightDockWidgetArea, m_scalesPanel);
    m_scalesPanel->hide();
    m_scalesPanel->toggleViewAction()->setToolTip(
        QStringLiteral("Shows the job's scales, to add, remove, order and name them"));
}

void MainWindow::connectJob()
{
    connect(picture(), &PreviewPicture::scaleClicked, m_document, &ScaleDocument::select);
    connect(m_document, &ScaleDocument::selectionChanged, this, &MainWindow::redrawShownPicture);
    connect(
        &m_document->undoStack(), &QUndoStack::indexChanged, this, &MainWindow::redrawShownPicture);
}

// A vernier's length is its divisions over the main scale's: its Length box is not read.
void MainWindow::showVernierLength(const ScaleParameters& parameters)
{
    QLineEdit* length = box("txt_totallength");
    const bool vernier = parameters.vernier.active();
    length->setEnabled(!vernier);
    if (vernier)
        length->setToolTip(
            QStringLiteral("A vernier spans %1 divisions of the main scale in %2: its length "
                           "follows from them")
                .arg(parameters.vernier.mainDivisions)
                .arg(parameters.vernier.divisions));
}

} // namespace mensora
