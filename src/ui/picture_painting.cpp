#include "ui/picture_painting.h"

#include <cmath>
#include <vector>

#include <QFontMetricsF>
#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>

#include "preview/visible_parts.h"

namespace mensora {

namespace {

QPointF toQt(PixelPoint point)
{
    return { point.x, point.y };
}

void drawPixelLines(QPainter& painter, const std::vector<PixelLine>& lines)
{
    std::vector<QLineF> qtLines;
    qtLines.reserve(lines.size());
    for (const PixelLine& line : lines)
        qtLines.emplace_back(toQt(line.from), toQt(line.to));
    painter.drawLines(qtLines.data(), static_cast<int>(qtLines.size()));
}

void drawPolylines(QPainter& painter, const std::vector<std::vector<PixelPoint>>& polylines)
{
    std::vector<QPointF> points;
    for (const auto& polyline : polylines) {
        points.assign(polyline.size(), {});
        for (std::size_t i = 0; i < polyline.size(); ++i)
            points[i] = toQt(polyline[i]);
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
}

// The marks of a width filled, a shape's holes left empty; or, for a file that cuts outlines,
// their outlines.
void drawMarkShapes(QPainter& painter, const VisibleParts& parts)
{
    if (parts.markOutlines)
        painter.setPen(QPen(previewForeground(), 0));
    // Each shape filled on its own: a mark that reaches over the baseline's band stays filled
    // where they meet, and only a shape's own holes (a number's "0") stay empty.
    for (const auto& shape : parts.markShapes) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const auto& ring : shape) {
            QPolygonF polygon;
            for (const PixelPoint& point : ring)
                polygon << toQt(point);
            path.addPolygon(polygon);
            path.closeSubpath();
        }
        if (parts.markOutlines)
            painter.drawPath(path);
        else
            painter.fillPath(path, previewForeground());
    }
}

void drawOriginCross(QPainter& painter, PixelPoint origin)
{
    constexpr double arm = 4;
    painter.setPen(QPen(previewOriginColour(), 0));
    painter.drawLine(QLineF(origin.x - arm, origin.y, origin.x + arm, origin.y));
    painter.drawLine(QLineF(origin.x, origin.y - arm, origin.x, origin.y + arm));
}

// A font small enough that the widest line of `text` fits `width`, down to 6 points.
QFont fittingFont(QFont font, const QString& text, int width)
{
    const auto widest = [&] {
        qreal most = 0;
        for (const QString& line : text.split(u'\n'))
            most = std::fmax(most, QFontMetricsF(font).horizontalAdvance(line));
        return most;
    };
    while (font.pointSizeF() > 6 && widest() > width)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

} // namespace

QRect drawCornerText(QPainter& painter, const QRect& area, const QString& text,
    Qt::Alignment corner, const QColor& colour)
{
    const QRect inner = area.adjusted(
        pictureTextMargin, pictureTextMargin, -pictureTextMargin, -pictureTextMargin);
    painter.save();
    painter.setFont(fittingFont(painter.font(), text, inner.width()));
    const QString shown = text.contains(u'\n')
        ? text
        : painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width());
    const QRect box = painter.boundingRect(inner, int(corner), shown);
    painter.fillRect(box.adjusted(-2, 0, 2, 0), previewBackground());
    painter.setPen(colour);
    painter.drawText(box, int(corner), shown);
    painter.restore();
    return box;
}

QColor previewForeground()
{
    return QColor(255, 255, 0);
}

QColor previewDimmedForeground()
{
    return QColor(130, 140, 50);
}

QColor previewBackground()
{
    return QColor(0, 64, 64);
}

QColor previewTravelColour()
{
    return QColor(255, 140, 60);
}

QColor previewOriginColour()
{
    return QColor(255, 255, 255);
}

bool paintPreview(QPainter& painter, const QRect& area, const PreviewDrawing& drawing,
    const PreviewView& view, bool showTravel)
{
    painter.fillRect(area, previewBackground());
    const VisibleParts parts = visibleParts(drawing, view);
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.setBrush(Qt::NoBrush);
    if (showTravel) {
        painter.setPen(QPen(previewTravelColour(), 0, Qt::DotLine));
        drawPixelLines(painter, parts.travel);
    }
    painter.setPen(QPen(previewTravelColour(), 0, Qt::DashLine));
    drawPixelLines(painter, parts.seam);
    // Width 0 is the one-pixel cosmetic pen, at every zoom.
    painter.setPen(QPen(previewDimmedForeground(), 0));
    drawPixelLines(painter, parts.otherLines);
    drawPolylines(painter, parts.otherArcs);
    painter.setPen(QPen(previewForeground(), 0));
    drawPixelLines(painter, parts.lines);
    drawPolylines(painter, parts.arcs);
    drawMarkShapes(painter, parts);
    if (parts.origin)
        drawOriginCross(painter, *parts.origin);
    painter.restore();
    return parts.showsScale();
}

void paintPreviewMessage(QPainter& painter, const QRect& area, const QString& message)
{
    painter.fillRect(area, previewBackground());
    drawCornerText(painter, area, message, Qt::AlignLeft | Qt::AlignTop);
}

} // namespace mensora
