#include "engraving/unit_change.h"

#include "writers/coordinate_text.h"

namespace mensora {

UnitChange::UnitChange(MoveSink& out, double factor, std::optional<double> depth, bool angleInY)
    : m_out(out)
    , m_factor(factor)
    , m_depth(depth)
    , m_angleInY(angleInY)
{ }

Coord UnitChange::along(Coord c) const
{
    if (m_factor == 1.0)
        return c;
    return Coord::wide(writtenValue(c) * m_factor);
}

void UnitChange::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        m_out.move(Rapid { along(rapid->x), across(rapid->y) });
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        m_out.move(Cut { along(cut->x), across(cut->y), cut->axes });
    } else if (const auto* arc = std::get_if<Arc>(&move)) {
        Arc converted = *arc;
        converted.x = along(arc->x);
        converted.y = across(arc->y);
        converted.cx = along(arc->cx);
        converted.cy = across(arc->cy);
        converted.radius = arc->radius * m_factor;
        m_out.move(converted);
    } else if (const auto* plunge = std::get_if<Plunge>(&move); plunge && m_depth) {
        Plunge deep = *plunge;
        deep.depthValue = m_depth;
        m_out.move(deep);
    } else {
        m_out.move(move);
    }
}

} // namespace mensora
