#include "ui/scales_panel.h"

#include <QAction>
#include <QGridLayout>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/scale_document.h"
#include "ui/job_actions.h"

namespace mensora {

namespace {

QToolButton* buttonFor(QAction* action, const char* name)
{
    auto* button = new QToolButton;
    button->setObjectName(QString::fromUtf8(name));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

} // namespace

ScalesPanel::ScalesPanel(ScaleDocument& document, JobActions& actions, QWidget* parent)
    : QDockWidget(QStringLiteral("Scales"), parent)
    , m_document(document)
    , m_actions(actions)
    , m_list(new QListWidget)
{
    setObjectName(QStringLiteral("scales_panel"));
    toggleViewAction()->setObjectName(QStringLiteral("menu_scales"));
    m_list->setObjectName(QStringLiteral("scales_list"));
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);

    auto* inside = new QWidget;
    auto* column = new QVBoxLayout(inside);
    column->addWidget(m_list);
    auto* buttons = new QGridLayout;
    buttons->addWidget(buttonFor(actions.add, "scales_add"), 0, 0);
    buttons->addWidget(buttonFor(actions.remove, "scales_remove"), 0, 1);
    buttons->addWidget(buttonFor(actions.addVernier, "scales_addvernier"), 1, 0);
    buttons->addWidget(buttonFor(actions.addOtherUnit, "scales_addotherunit"), 1, 1);
    buttons->addWidget(buttonFor(actions.moveUp, "scales_moveup"), 2, 0);
    buttons->addWidget(buttonFor(actions.moveDown, "scales_movedown"), 2, 1);
    buttons->addWidget(buttonFor(actions.rename, "scales_rename"), 3, 0, 1, 2);
    column->addLayout(buttons);
    setWidget(inside);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling && row >= 0)
            m_document.select(static_cast<std::size_t>(row));
    });
    connect(m_list, &QListWidget::itemChanged, this, &ScalesPanel::nameEdited);
    connect(&actions, &JobActions::renameAsked, this, [this] {
        show();
        if (QListWidgetItem* item = m_list->currentItem())
            m_list->editItem(item);
    });
    connect(&m_document, &ScaleDocument::jobChanged, this, &ScalesPanel::showJob);
    connect(&m_document, &ScaleDocument::selectionChanged, this, &ScalesPanel::showJob);
    showJob();
}

// The names as they stand and the selection; a job that grows past one scale shows the panel.
void ScalesPanel::showJob()
{
    const ScaleJob& job = m_document.job();
    m_filling = true;
    for (std::size_t i = 0; i < job.scales.size(); ++i) {
        const QString name = QString::fromStdString(scaleName(job.scales[i]));
        const int row = static_cast<int>(i);
        if (row >= m_list->count()) {
            auto* item = new QListWidgetItem(name, m_list);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        } else if (m_list->item(row)->text() != name) {
            m_list->item(row)->setText(name);
        }
    }
    while (m_list->count() > static_cast<int>(job.scales.size()))
        delete m_list->takeItem(m_list->count() - 1);
    m_list->setCurrentRow(static_cast<int>(m_document.selectedIndex()));
    m_filling = false;
    if (job.scales.size() > 1 && m_shownCount < 2)
        show();
    m_shownCount = job.scales.size();
}

void ScalesPanel::nameEdited(QListWidgetItem* item)
{
    if (m_filling)
        return;
    m_actions.renameScale(
        static_cast<std::size_t>(m_list->row(item)), item->text().trimmed().toStdString());
    showJob(); // a name the job refuses goes back to the one it keeps
}

} // namespace mensora
