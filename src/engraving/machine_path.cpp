#include "engraving/machine_path.h"

#include <cmath>

#include "layout/scale_arithmetic.h"

namespace mensora {

namespace {

// The smallest circle a machine file cuts: a thousandth, the plain program's last decimal. The
// plain program's points of a smaller circle fall onto its centre, so none is cut.
constexpr double smallestArcRadius = 0.001;

ArcDirection opposite(ArcDirection direction)
{
    return direction == ArcDirection::CounterClockwise ? ArcDirection::Clockwise
                                                       : ArcDirection::CounterClockwise;
}

} // namespace

MachinePath::MachinePath(MoveSink& out, TravelOrder order, int passes, std::size_t stripes)
    : m_out(out)
    , m_order(order)
    , m_passes(passes)
    , m_stripes(stripes)
{ }

void MachinePath::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        finish();
        m_inStroke = true;
        m_hadArc = false;
        m_hasPlunge = false;
        m_rapid = *rapid;
        m_x = rapid->x;
        m_y = rapid->y;
        m_segments.clear();
    } else if (!m_inStroke) {
        m_out.move(move); // outside a stroke: as it comes
    } else if (const auto* plunge = std::get_if<Plunge>(&move)) {
        m_plunge = *plunge;
        m_hasPlunge = true;
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        m_segments.push_back({ *cut, m_x, m_y });
        m_x = cut->x;
        m_y = cut->y;
    } else if (const auto* arc = std::get_if<Arc>(&move)) {
        addArc(*arc);
    } else {
        endStroke(true);
    }
}

void MachinePath::finish()
{
    if (m_inStroke)
        endStroke(false);
}

// The pieces of the circle the arc stands for.
void MachinePath::addArc(const Arc& arc)
{
    m_hadArc = true;
    double sweep = arc.sweep;
    if (!(std::fabs(sweep) > 0) || !(std::fabs(arc.radius) >= smallestArcRadius))
        return;
    Coord endX = arc.x;
    Coord endY = arc.y;
    if (std::fabs(sweep) >= 360) {
        sweep = std::copysign(360.0, sweep);
        endX = m_x; // a full turn ends where it began
        endY = m_y;
    }
    const double pieces = std::ceil(std::fabs(sweep) / 180);
    const double piece = sweep / pieces;
    const ArcDirection direction
        = sweep > 0 ? ArcDirection::CounterClockwise : ArcDirection::Clockwise;
    for (double i = 1; i <= pieces; ++i) {
        Coord toX = endX;
        Coord toY = endY;
        if (i < pieces) {
            const double radians = (arc.startAngle + piece * i) * radiansPerDegree;
            toX = Coord::wide(arc.cx.value + arc.radius * std::cos(radians));
            toY = Coord::wide(arc.cy.value + arc.radius * std::sin(radians));
        }
        const double from = arc.startAngle + piece * (i - 1);
        m_segments.push_back(
            { Arc { toX, toY, arc.cx, arc.cy, direction, arc.radius, from, piece, arc.width }, m_x,
                m_y });
        m_x = toX;
        m_y = toY;
    }
}

void MachinePath::endStroke(bool lifted)
{
    m_inStroke = false;
    const std::size_t stroke = m_strokes++;
    if (m_hadArc && m_segments.empty())
        return; // an arc of no sweep: nothing to cut, so no plunge either
    // An outline is cut as it runs: a drag knife's is shaped for its direction.
    const bool reverse = m_order == TravelOrder::Alternate && stroke < m_stripes && stroke % 2 == 1
        && m_passes % 2 == 1 && !m_segments.empty() && m_rapid.outline == Outline::None;
    m_out.move(reverse ? Rapid { m_x, m_y, m_rapid.outline } : m_rapid);
    for (int pass = 1; pass <= m_passes; ++pass) {
        if (m_hasPlunge) {
            Plunge plunge = m_plunge;
            plunge.depthPart = static_cast<double>(pass) / m_passes;
            m_out.move(plunge);
        }
        cutSegments(reverse != (pass % 2 == 0));
    }
    if (lifted)
        m_out.move(Lift {});
}

void MachinePath::cutSegments(bool backwards)
{
    if (!backwards) {
        for (const Segment& segment : m_segments)
            m_out.move(segment.move);
        return;
    }
    for (auto segment = m_segments.rbegin(); segment != m_segments.rend(); ++segment)
        m_out.move(reversed(*segment));
}

ToolMove MachinePath::reversed(const Segment& segment)
{
    if (const auto* cut = std::get_if<Cut>(&segment.move))
        return Cut { segment.fromX, segment.fromY, cut->axes, cut->width };
    const Arc& arc = std::get<Arc>(segment.move);
    return Arc { segment.fromX, segment.fromY, arc.cx, arc.cy, opposite(arc.direction), arc.radius,
        arc.startAngle + arc.sweep, -arc.sweep, arc.width };
}

} // namespace mensora
