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
        Rapid converted = *rapid;
        converted.x = along(rapid->x);
        converted.y = across(rapid->y);
        m_out.move(converted);
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        Cut converted = *cut;
        converted.x = along(cut->x);
        converted.y = across(cut->y);
        converted.width = cut->width * m_factor;
        m_out.move(converted);
    } else if (const auto* arc = std::get_if<Arc>(&move)) {
        Arc converted = *arc;
        converted.x = along(arc->x);
        converted.y = across(arc->y);
        converted.cx = along(arc->cx);
        converted.cy = across(arc->cy);
        converted.radius = arc->radius * m_factor;
        converted.width = arc->width * m_factor;
        m_out.move(converted);
    } else if (const auto* plunge = std::get_if<Plunge>(&move)) {
        // A depth of its own (a V-bit's for its mark's width) is converted; any other plunge
        // takes the scale's, when one is given.
        Plunge deep = *plunge;
        if (plunge->depthValue)
            deep.depthValue = *plunge->depthValue * m_factor;
        else if (m_depth)
            deep.depthValue = m_depth;
        m_out.move(deep);
    } else {
        m_out.move(move);
    }
}

} // namespace mensora
