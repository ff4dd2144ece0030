#include "writers/drawing_sink.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "writers/coordinate_text.h"

namespace mensora {

namespace {

// The direction of (dx, dy) in degrees; a reader's true pi, not the layout's 15 digits.
double degreesOf(double dy, double dx)
{
    return reducedDegrees(std::atan2(dy, dx) * (180 / std::numbers::pi));
}

} // namespace

double reducedDegrees(double degrees)
{
    double reduced = std::fmod(degrees, 360.0);
    if (reduced < 0)
        reduced += 360;
    return reduced >= 360 ? 0 : reduced; // a tiny negative angle that rounds up to 360
}

void DrawingSink::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        m_at = { rapid->x, rapid->y };
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        const DrawnPoint to { cut->x, cut->y };
        line(m_section, m_at, to);
        m_at = to;
    } else if (const auto* arcCut = std::get_if<Arc>(&move)) {
        drawArc(*arcCut);
        m_at = { arcCut->x, arcCut->y };
    }
    // Plunge and Lift stay at the point.
}

void DrawingSink::drawArc(const Arc& cut)
{
    DrawnPoint from = m_at;
    DrawnPoint to { cut.x, cut.y };
    if (cut.direction == ArcDirection::Clockwise)
        std::swap(from, to);
    const double cx = writtenValue(cut.cx);
    const double cy = writtenValue(cut.cy);
    const double fromX = writtenValue(from.x) - cx;
    const double fromY = writtenValue(from.y) - cy;
    const double toX = writtenValue(to.x) - cx;
    const double toY = writtenValue(to.y) - cy;

    DrawnArc drawn { cx, cy, std::hypot(fromX, fromY), degreesOf(fromY, fromX), 0, 0, from, to };
    if (fromX != toX || fromY != toY) {
        drawn.endAngle = degreesOf(toY, toX);
        drawn.sweep = drawn.endAngle - drawn.startAngle;
        if (drawn.sweep <= 0)
            drawn.sweep += 360;
        arc(m_section, drawn);
        return;
    }
    // A full circle: to the opposite point and back.
    const DrawnPoint opposite { Coord::wide(cx - fromX), Coord::wide(cy - fromY) };
    drawn.sweep = 180;
    drawn.endAngle = reducedDegrees(drawn.startAngle + 180);
    drawn.to = opposite;
    arc(m_section, drawn);
    drawn.from = opposite;
    drawn.to = from;
    std::swap(drawn.startAngle, drawn.endAngle);
    arc(m_section, drawn);
}

} // namespace mensora
