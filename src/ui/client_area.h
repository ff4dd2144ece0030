#pragma once

#include <QHash>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace mensora {

// The window's client area: every control at the place the control table gives it, at the
// size the table draws the window. Larger, one widget (the picture) takes the room gained;
// the controls below it move down with the area's foot and those right of it move with its
// right edge, so that nothing it grows over is hidden. It never gets smaller than the table's
// size.
class ClientArea : public QWidget
{
public:
    explicit ClientArea(QSize tableSize, QWidget* parent = nullptr);

    // Once every control stands at its table place: the widget that grows with the area.
    void setGrowing(QWidget* widget);

    QSize sizeHint() const override { return m_tableSize; }
    QSize minimumSizeHint() const override { return m_tableSize; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeControls(QSize gained);

    QSize m_tableSize;
    QWidget* m_growing = nullptr;
    QHash<QWidget*, QRect> m_tablePlaces; // every control of the area, where the table puts it
};

} // namespace mensora
