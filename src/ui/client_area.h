#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

namespace mensora {

// The window's client area: every control at the place the control table gives it, at the
// size the table draws the window. Larger, the picture takes the room gained, and nothing
// else moves; it never gets smaller than the table's size.
class ClientArea : public QWidget
{
public:
    ClientArea(QSize tableSize, QWidget* parent = nullptr);

    // The widget that grows with the area, and its place at the table's size.
    void setGrowing(QWidget* widget, const QRect& tableRect);

    QSize sizeHint() const override { return m_tableSize; }
    QSize minimumSizeHint() const override { return m_tableSize; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize m_tableSize;
    QWidget* m_growing = nullptr;
    QRect m_tableRect;
};

} // namespace mensora
