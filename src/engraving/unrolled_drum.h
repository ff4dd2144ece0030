#pragma once

#include "layout/drum_scale_layout.h"
#include "layout/scale_arithmetic.h"
#include "toolpath/tool_move.h"

namespace mensora {

// A drum's moves unrolled flat, for a laser's roller and for drawings: X stays along the axis,
// the angle becomes Y, the distance around the drum from its centre Y (Y = centre Y + A · π r /
// 180). Points are rounded as the file rounds its own; the surface moves at the feed on each.
class UnrolledDrum : public MoveSink
{
public:
    UnrolledDrum(MoveSink& out, const DrumSurface& surface, PointRounding rounding);

    void move(const ToolMove& move) override;
    void section(MoveSection section) override { m_out.section(section); }

private:
    Coord unrolledY(Coord angle) const;

    MoveSink& m_out;
    DrumSurface m_surface;
    PointRounding m_rounding;
};

} // namespace mensora
