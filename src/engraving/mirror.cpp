#include "engraving/mirror.h"

namespace mensora {

Mirror::Mirror(MoveSink& out, double sum)
    : m_out(out)
    , m_sum(sum)
{ }

Coord Mirror::mirrored(Coord x) const
{
    const double value = m_sum - x.value;
    if (x.precision == Precision::Single)
        return Coord::single(static_cast<float>(value));
    return Coord::wide(value);
}

void Mirror::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        m_out.move(Rapid { mirrored(rapid->x), rapid->y, rapid->outline });
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        m_out.move(Cut { mirrored(cut->x), cut->y, cut->axes, cut->width });
    } else if (const auto* arc = std::get_if<Arc>(&move)) {
        Arc turned = *arc;
        turned.x = mirrored(arc->x);
        turned.cx = mirrored(arc->cx);
        turned.direction = arc->direction == ArcDirection::Clockwise
            ? ArcDirection::CounterClockwise
            : ArcDirection::Clockwise;
        turned.startAngle = 180 - arc->startAngle;
        turned.sweep = -arc->sweep;
        m_out.move(turned);
    } else {
        m_out.move(move);
    }
}

} // namespace mensora
