#include "ui/preview_picture.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>

namespace mensora {

namespace {

constexpr double millimetresPerInch = 25.4;
constexpr double degreesPerRadian = 180 / std::numbers::pi;

QPointF toQt(const PreviewPoint& point)
{
    return { static_cast<double>(point.x), static_cast<double>(point.y) };
}

// Whether any of the circle's line can show in `visible`: not when the whole rectangle lies
// inside the circle or the circle lies wholly outside it. Keeps huge circles, which only ever
// pass far outside the area, away from the stroker.
bool circleMeets(const QRectF& visible, QPointF centre, double radius)
{
    const double nearX = std::clamp(centre.x(), visible.left(), visible.right());
    const double nearY = std::clamp(centre.y(), visible.top(), visible.bottom());
    const double nearest = std::hypot(nearX - centre.x(), nearY - centre.y());
    const double farX = std::fmax(
        std::fabs(visible.left() - centre.x()), std::fabs(visible.right() - centre.x()));
    const double farY = std::fmax(
        std::fabs(visible.top() - centre.y()), std::fabs(visible.bottom() - centre.y()));
    const double farthest = std::hypot(farX, farY);
    const double margin = 1.0;
    return nearest <= radius + margin && farthest >= radius - margin;
}

// The arc as a path at full precision. Path angles run counter-clockwise on the screen from
// 3 o'clock in y-down coordinates, as the arc's own angles do; a negative radius puts every
// point on the far side of the centre.
void drawArc(QPainter& painter, const PreviewArc& arc, const QRectF& visible)
{
    double radius = static_cast<double>(arc.radius);
    double start = std::fmod(static_cast<double>(arc.startAngle), 2 * std::numbers::pi);
    if (radius < 0) {
        radius = -radius;
        start += std::numbers::pi;
    }
    const QPointF centre = toQt(arc.centre);
    if (!circleMeets(visible, centre, radius))
        return;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const double startDegrees = start * degreesPerRadian;
    QPainterPath path;
    path.arcMoveTo(box, startDegrees);
    path.arcTo(box, startDegrees, counterClockwiseSweep(arc) * degreesPerRadian);
    painter.drawPath(path);
}

} // namespace

QColor previewForeground()
{
    return QColor(255, 255, 0);
}

QColor previewBackground()
{
    return QColor(0, 64, 64);
}

void paintPreview(QPainter& painter, const QRect& area, const PreviewDrawing& drawing,
    double pixelsPerMmX, double pixelsPerMmY)
{
    painter.fillRect(area, previewBackground());
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.scale(pixelsPerMmX, pixelsPerMmY);
    // Width 0 is the one-pixel cosmetic pen, whatever the scale.
    painter.setPen(QPen(previewForeground(), 0));
    painter.setBrush(Qt::NoBrush);

    std::vector<QLineF> lines;
    lines.reserve(drawing.stripes.size() + 1);
    for (const PreviewLine& stripe : drawing.stripes)
        lines.emplace_back(toQt(stripe.from), toQt(stripe.to));
    if (drawing.baseLine)
        lines.emplace_back(toQt(drawing.baseLine->from), toQt(drawing.baseLine->to));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    std::vector<QPointF> points;
    for (const PreviewStroke& stroke : drawing.numberStrokes) {
        points.clear();
        for (const PreviewPoint& point : stroke)
            points.push_back(toQt(point));
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }

    if (drawing.baseArc) {
        const QRectF visible(0, 0, area.width() / pixelsPerMmX, area.height() / pixelsPerMmY);
        drawArc(painter, *drawing.baseArc, visible);
    }
    painter.restore();
}

void paintPreviewMessage(QPainter& painter, const QRect& area, const QString& message)
{
    painter.fillRect(area, previewBackground());
    painter.save();
    painter.setPen(previewForeground());
    const QRect line = area.adjusted(4, 4, -4, -4);
    // Long reasons get a smaller font before they get cut short.
    QFont font = painter.font();
    while (font.pointSizeF() > 6 && QFontMetricsF(font).horizontalAdvance(message) > line.width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    painter.setFont(font);
    const QString shown = QFontMetrics(font).elidedText(message, Qt::ElideRight, line.width());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    painter.restore();
}

PreviewPicture::PreviewPicture(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPicture::clear()
{
    m_drawing.reset();
    m_message.clear();
    update();
}

void PreviewPicture::showPreview(const Result<PreviewDrawing>& run)
{
    if (run) {
        m_drawing = *run;
        m_message.clear();
    } else {
        m_drawing.reset();
        m_message = QString::fromStdString(run.refusal().message);
    }
    update();
}

float PreviewPicture::drawableWidthMm() const
{
    return static_cast<float>(contentsRect().width() * millimetresPerInch / logicalDpiX());
}

float PreviewPicture::drawableHeightMm() const
{
    return static_cast<float>(contentsRect().height() * millimetresPerInch / logicalDpiY());
}

void PreviewPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), previewBackground());
    if (m_drawing)
        paintPreview(painter, contentsRect(), *m_drawing, logicalDpiX() / millimetresPerInch,
            logicalDpiY() / millimetresPerInch);
    else if (!m_message.isEmpty())
        paintPreviewMessage(painter, contentsRect(), m_message);
}

} // namespace mensora
