#include "ui/client_area.h"

#include <algorithm>

#include <QResizeEvent>

namespace mensora {

ClientArea::ClientArea(QSize tableSize, QWidget* parent)
    : QWidget(parent)
    , m_tableSize(tableSize)
{
    setMinimumSize(tableSize);
    resize(tableSize);
}

void ClientArea::setGrowing(QWidget* widget)
{
    m_growing = widget;
    m_tablePlaces.clear();
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        m_tablePlaces.insert(control, control->geometry());
    placeControls(size() - m_tableSize);
}

void ClientArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls(event->size() - m_tableSize);
}

void ClientArea::placeControls(QSize gained)
{
    if (!m_growing)
        return;
    const int wider = std::max(0, gained.width());
    const int taller = std::max(0, gained.height());
    const QRect grown = m_tablePlaces.value(m_growing);
    for (auto place = m_tablePlaces.cbegin(); place != m_tablePlaces.cend(); ++place) {
        const QRect& table = place.value();
        if (place.key() == m_growing) {
            place.key()->setGeometry(table.adjusted(0, 0, wider, taller));
            continue;
        }
        const int down = table.top() >= grown.bottom() ? taller : 0;
        const int right = table.left() >= grown.right() ? wider : 0;
        place.key()->setGeometry(table.translated(right, down));
    }
}

} // namespace mensora
