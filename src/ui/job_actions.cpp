#include "ui/job_actions.h"

#include <QAction>

#include "document/scale_document.h"
#include "model/added_scales.h"
#include "ui/main_window.h"
#include "ui/vernier_dialog.h"

namespace mensora {

JobActions::JobActions(MainWindow& window, ScaleDocument& document)
    : QObject(&window)
    , m_window(window)
    , m_document(document)
{
    add = created(QStringLiteral("Add"), "menu_addscale",
        QStringLiteral("Adds a copy of the selected scale to the job"));
    addVernier = created(QStringLiteral("Add vernier\u2026"), "menu_addvernier",
        QStringLiteral("Adds a vernier that reads against the selected scale"));
    addOtherUnit = created(QStringLiteral("Add other unit"), "menu_addotherunit",
        QStringLiteral("Adds the selected ruler's length in the other unit on its other edge"));
    remove = created(QStringLiteral("Remove"), "menu_removescale",
        QStringLiteral("Removes the selected scale from the job"));
    moveUp = created(QStringLiteral("Move up"), "menu_movescaleup",
        QStringLiteral("Cuts the selected scale before the one above it"));
    moveDown = created(QStringLiteral("Move down"), "menu_movescaledown",
        QStringLiteral("Cuts the selected scale after the one below it"));
    rename = created(QStringLiteral("Rename"), "menu_renamescale",
        QStringLiteral("Names the selected scale, as files and drawings call it"));
    mirror = created(QStringLiteral("Mirror for the back"), "menu_mirror",
        QStringLiteral("Mirrors the whole job left to right, digits too, for engraving the back "
                       "of clear material"));
    mirror->setCheckable(true);

    connect(add, &QAction::triggered, this, &JobActions::addCopy);
    connect(addVernier, &QAction::triggered, this, &JobActions::askVernier);
    connect(addOtherUnit, &QAction::triggered, this, &JobActions::addOtherUnitScale);
    connect(remove, &QAction::triggered, this,
        [this] { m_document.removeScale(m_document.selectedIndex()); });
    connect(moveUp, &QAction::triggered, this,
        [this] { m_document.moveScale(m_document.selectedIndex(), ScaleMove::Up); });
    connect(moveDown, &QAction::triggered, this,
        [this] { m_document.moveScale(m_document.selectedIndex(), ScaleMove::Down); });
    connect(rename, &QAction::triggered, this, &JobActions::renameAsked);
    connect(mirror, &QAction::triggered, this, [this](bool on) { m_document.setMirror(on); });
    connect(&m_document, &ScaleDocument::jobChanged, this, &JobActions::showState);
    connect(&m_document, &ScaleDocument::selectionChanged, this, &JobActions::showState);
    showState();
}

QAction* JobActions::created(const QString& caption, const char* name, const QString& tip)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromUtf8(name));
    action->setToolTip(tip);
    return action;
}

void JobActions::addCopy()
{
    JobScale copy = m_document.selectedScale();
    copy.name.clear();
    m_document.addScale(m_document.selectedIndex() + 1, copy);
}

void JobActions::askVernier()
{
    const ScaleParameters& main = m_document.selectedScale().parameters;
    VernierDialog dialog(main, &m_window);
    if (!m_window.questions().run(dialog))
        return;
    const auto vernier
        = vernierAgainst(main, dialog.divisions(), dialog.mainDivisions(), dialog.bothSides());
    if (!vernier) {
        m_window.questions().tell(QString::fromStdString(vernier.refusal().message));
        return;
    }
    m_document.addScale(m_document.selectedIndex() + 1, *vernier);
}

void JobActions::addOtherUnitScale()
{
    const auto other = otherUnitOf(m_document.selectedScale().parameters);
    if (!other) {
        m_window.questions().tell(QString::fromStdString(other.refusal().message));
        return;
    }
    m_document.addScale(m_document.selectedIndex() + 1, *other);
}

void JobActions::renameScale(std::size_t index, const std::string& name)
{
    const JobScale& scale = m_document.job().scales.at(index);
    const std::string kept = name == defaultScaleName(scale.parameters) ? std::string() : name;
    if (kept != scale.name)
        m_document.renameScale(index, kept);
}

void JobActions::showState()
{
    const std::size_t count = m_document.job().scales.size();
    const std::size_t selected = m_document.selectedIndex();
    addOtherUnit->setEnabled(m_document.selectedScale().parameters.shape == Shape::Flat);
    remove->setEnabled(count > 1);
    moveUp->setEnabled(selected > 0);
    moveDown->setEnabled(selected + 1 < count);
    mirror->setChecked(m_document.job().mirror);
}

} // namespace mensora
