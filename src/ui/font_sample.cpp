#include "ui/font_sample.h"

#include <algorithm>
#include <vector>

#include <QPainter>

#include "lettering/text_strokes.h"
#include "ui/preview_picture.h"

namespace mensora {

FontSample::FontSample(QWidget* parent)
    : QWidget(parent)
{
    setMinimumHeight(40);
}

void FontSample::showText(std::shared_ptr<const HersheyFont> font, const QString& text)
{
    m_font = std::move(font);
    m_text = text;
    m_message.clear();
    update();
}

void FontSample::showMessage(const QString& message)
{
    m_font.reset();
    m_message = message;
    update();
}

void FontSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_font) {
        paintPreviewMessage(painter, rect(), m_message);
        return;
    }
    painter.fillRect(rect(), previewBackground());
    const TextStrokes text = setText(*m_font, m_text.toStdString());
    int bottom = 0;
    int top = text.digitHeight;
    for (const FontStroke& stroke : text.strokes)
        for (const FontPoint& point : stroke) {
            bottom = std::min(bottom, point.y);
            top = std::max(top, point.y);
        }
    // Font units to pixels: the whole text fits, with a margin of 6 pixels all round.
    const QRectF room = QRectF(rect()).adjusted(6, 6, -6, -6);
    const double width = std::max(1, text.inkRight - text.inkLeft);
    const double scale = std::min(room.width() / width, room.height() / (top - bottom));
    const double left = room.center().x() - width * scale / 2;
    const double baseline = room.center().y() + (top + bottom) * scale / 2;

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(previewForeground(), 1.5));
    std::vector<QPointF> points;
    for (const FontStroke& stroke : text.strokes) {
        points.clear();
        for (const FontPoint& point : stroke)
            points.emplace_back(
                left + (point.x - text.inkLeft) * scale, baseline - point.y * scale);
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
}

} // namespace mensora
