#include "writers/drawing_sink.h"

#include <cmath>
#include <utility>

#include "writers/coordinate_text.h"

namespace mensora {

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
        endStroke();
        m_at = { rapid->x, rapid->y };
        m_ring = rapid->outline;
        if (m_ring != Outline::None)
            beginRing(m_section, m_at);
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        const DrawnPoint to { cut->x, cut->y };
        m_width = cut->width;
        line(m_section, m_at, to);
        m_at = to;
    } else if (const auto* arcCut = std::get_if<Arc>(&move)) {
        m_width = arcCut->width;
        drawArc(*arcCut);
        m_at = { arcCut->x, arcCut->y };
    } else if (std::holds_alternative<Lift>(move)) {
        endStroke();
    }
    // A plunge stays at the point.
}

void DrawingSink::endStroke()
{
    if (m_ring != Outline::None)
        endRing(m_section);
    m_ring = Outline::None;
}

void DrawingSink::drawArc(const Arc& cut)
{
    const double radius = std::fabs(cut.radius);
    if (!(radius > 0) || !(std::fabs(cut.sweep) > 0))
        return;
    // A negative radius puts every point of the circle opposite its angle.
    double start = cut.radius < 0 ? cut.startAngle + 180 : cut.startAngle;
    const double cx = writtenValue(cut.cx);
    const double cy = writtenValue(cut.cy);
    DrawnPoint from = m_at;
    if (std::fabs(cut.sweep) >= 360) {
        // The whole circle: to the opposite point and back.
        const DrawnPoint opposite { Coord::wide(2 * cx - writtenValue(from.x)),
            Coord::wide(2 * cy - writtenValue(from.y)) };
        const double half = reducedDegrees(start + 180);
        start = reducedDegrees(start);
        arc(m_section, { cx, cy, radius, start, half, 180, from, opposite });
        arc(m_section, { cx, cy, radius, half, start, 180, opposite, from });
        return;
    }
    DrawnPoint to { cut.x, cut.y };
    double sweep = cut.sweep;
    if (sweep < 0) {
        std::swap(from, to);
        start += sweep;
        sweep = -sweep;
    }
    arc(m_section,
        { cx, cy, radius, reducedDegrees(start), reducedDegrees(start + sweep), sweep, from, to });
}

} // namespace mensora
