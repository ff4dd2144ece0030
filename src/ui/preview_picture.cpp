#include "ui/preview_picture.h"

#include <QPainter>

namespace mensora {

namespace {
constexpr double millimetresPerInch = 25.4;
}

PreviewPicture::PreviewPicture(QWidget* parent)
    : QWidget(parent)
{ }

void PreviewPicture::clear()
{
    update();
}

float PreviewPicture::drawableWidthMm() const
{
    return static_cast<float>(width() * millimetresPerInch / logicalDpiX());
}

float PreviewPicture::drawableHeightMm() const
{
    return static_cast<float>(height() * millimetresPerInch / logicalDpiY());
}

void PreviewPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 64, 64));
}

} // namespace mensora
