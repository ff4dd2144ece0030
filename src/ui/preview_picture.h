#pragma once

#include <QWidget>

namespace mensora {

// Picture1: the preview surface, yellow on dark teal. Its drawing unit is the millimetre.
class PreviewPicture : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPicture(QWidget* parent = nullptr);

    // Empties the area (the start state, and the first step of every preview run).
    void clear();

    // Drawable width and height in millimetres, from the widget's inner size in pixels and
    // the screen's logical DPI.
    float drawableWidthMm() const;
    float drawableHeightMm() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace mensora
