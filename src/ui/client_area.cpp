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

void ClientArea::setGrowing(QWidget* widget, const QRect& tableRect)
{
    m_growing = widget;
    m_tableRect = tableRect;
    widget->setGeometry(tableRect);
}

void ClientArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_growing)
        return;
    const QSize gained = event->size() - m_tableSize;
    m_growing->setGeometry(
        m_tableRect.adjusted(0, 0, std::max(0, gained.width()), std::max(0, gained.height())));
}

} // namespace mensora
