#pragma once

#include <optional>

#include "toolpath/tool_move.h"

namespace mensora {

// One scale's moves into the file of a job: its coordinates and widths times `factor` (25.4
// from inches into a file in millimetres, 1 / 25.4 the other way, 1 for a scale in the file's
// unit), and its plunges with `depth`, the number they go to in the file's unit, when one is
// given; a plunge that carries a depth of its own keeps it, times `factor`. A
// coordinate is converted from the value its text would have, so that 0.1 in is 2.54 mm, and
// kept in double precision. A drum's moves as its rotary axis turns it hold an angle in Y,
// which is never converted.
class UnitChange : public MoveSink
{
public:
    UnitChange(MoveSink& out, double factor, std::optional<double> depth, bool angleInY);

    void move(const ToolMove& move) override;
    void section(MoveSection section) override { m_out.section(section); }
    void beginScale(std::size_t index) override { m_out.beginScale(index); }

private:
    Coord along(Coord c) const;
    Coord across(Coord c) const { return m_angleInY ? c : along(c); }

    MoveSink& m_out;
    double m_factor;
    std::optional<double> m_depth;
    bool m_angleInY;
};

} // namespace mensora
