#pragma once

#include <QDockWidget>

class QListWidget;
class QListWidgetItem;

namespace mensora {

class JobActions;
class ScaleDocument;

// View › "Scales": the job's scales by name in their order, the selected one current, with
// the job's commands as buttons beneath. Choosing a scale selects it (the form shows it); a
// name is edited in place by Rename or a double-click. It shows itself when the job comes to
// hold more than one scale.
class ScalesPanel : public QDockWidget
{
    Q_OBJECT

public:
    ScalesPanel(ScaleDocument& document, JobActions& actions, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }

private:
    void showJob();
    void nameEdited(QListWidgetItem* item);

    ScaleDocument& m_document;
    JobActions& m_actions;
    QListWidget* m_list;
    std::size_t m_shownCount = 1;
    bool m_filling = false;
};

} // namespace mensora
