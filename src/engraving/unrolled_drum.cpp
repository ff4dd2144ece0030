#include "engraving/unrolled_drum.h"

namespace mensora {

UnrolledDrum::UnrolledDrum(MoveSink& out, const DrumSurface& surface, PointRounding rounding)
    : m_out(out)
    , m_surface(surface)
    , m_rounding(rounding)
{ }

Coord UnrolledDrum::unrolledY(Coord angle) const
{
    return Coord::wide(
        roundedPoint(m_surface.centreY + m_surface.distanceOf(angle.value), m_rounding));
}

void UnrolledDrum::move(const ToolMove& move)
{
    const auto along = [this](Coord x) { return Coord::wide(roundedPoint(x.value, m_rounding)); };
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        m_out.move(Rapid { along(rapid->x), unrolledY(rapid->y), rapid->outline });
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        m_out.move(Cut { along(cut->x), unrolledY(cut->y), cut->axes, cut->width });
    } else if (const auto* arc = std::get_if<Arc>(&move)) {
        // A drum has no arcs; one would be cut straight.
        m_out.move(Cut { along(arc->x), unrolledY(arc->y), CutAxes::XY, arc->width });
    } else {
        m_out.move(move);
    }
}

} // namespace mensora
