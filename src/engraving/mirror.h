#pragma once

#include "toolpath/tool_move.h"

namespace mensora {

// A job's moves mirrored left to right in place, for engraving the back of clear material:
// every X becomes `sum` − X, where `sum` is the smallest plus the largest X of the whole
// drawing, so that it turns about the vertical line through its middle. Digits come out
// mirrored with everything else; an arc turns the other way (G2 becomes G3). A coordinate
// keeps its precision. Y, and a drum's angle, stay as they are.
class Mirror : public MoveSink
{
public:
    Mirror(MoveSink& out, double sum);

    void move(const ToolMove& move) override;
    void section(MoveSection section) override { m_out.section(section); }
    void beginScale(std::size_t index) override { m_out.beginScale(index); }

private:
    Coord mirrored(Coord x) const;

    MoveSink& m_out;
    double m_sum;
};

} // namespace mensora
