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
#include "ui/control_table.h"
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

// Boxes the selected scale does not read are greyed, their tooltips saying why: a vernier's
// Length, which its divisions set, and the Distance and package of a scale of values whose
// segments set its steps and packages.
void MainWindow::showBoxesTheScaleReads(const ScaleParameters& parameters)
{
    updateBoxToolTips();
    const auto grey = [this](ScaleInput input, bool unread, const QString& why) {
        QLineEdit* field = box(boxNameOf(input));
        field->setEnabled(!unread);
        if (unread)
            field->setToolTip(why);
    };
    const Vernier& vernier = parameters.vernier;
    grey(ScaleInput::Length, vernier.active(),
        QStringLiteral("A vernier spans %1 divisions of the main scale in %2: its length "
                       "follows from them")
            .arg(vernier.mainDivisions)
            .arg(vernier.divisions));
    const bool segmented
        = parameters.spacing.law != SpacingLaw::Even && !parameters.spacing.segments.empty();
    const QString fromSegments = QStringLiteral(
        "The segments of Scale, Spacing\u2026 set this scale's steps and packages");
    grey(ScaleInput::Distance, segmented, fromSegments);
    grey(ScaleInput::Package, segmented, fromSegments);
}

} // namespace mensora
