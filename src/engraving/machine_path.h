#pragma once

#include <cstddef>
#include <vector>

#include "model/machine_settings.h"
#include "toolpath/tool_move.h"

namespace mensora {

// The moves of a scale as a machine runs them, between a layout and a machine's writer. The
// layout's moves come in strokes: a rapid, a plunge, cuts or an arc, a lift; the first
// `stripes` strokes are the stripes, the baseline and any numbers follow. Each stroke is
// handed on
// - in the travel order: "alternate" reverses every second stripe (the 2nd, 4th, ...), so
//   that it is cut from its outer end, where the stripe before ended; later strokes keep their
//   order and direction. In an even number of passes every stroke ends where it began, and
//   nothing is reversed, nor is an outline (see Outline);
// - in passes: the stroke is cut, then cut back along the same path one part of the depth
//   deeper, and so on, each pass with its own plunge (pass k of n goes to k / n of the depth).
//   Back and forth, because the tool stays in its groove: no lift, no travel back, and the
//   plunges between passes are a pass's part of the depth only;
// - with each arc cut as the circle it stands for: exactly its sweep, in the direction of the
//   sweep's sign; none for a sweep of 0 (the whole stroke goes); a full turn for a sweep of
//   more than a turn; in pieces of at most 180 degrees, which every controller reads alike.
class MachinePath : public MoveSink
{
public:
    MachinePath(MoveSink& out, TravelOrder order, int passes, std::size_t stripes);

    void move(const ToolMove& move) override;
    // Hands on a stroke the layout did not end with a lift.
    void finish();

private:
    // A cut or an arc piece, with the point it starts from.
    struct Segment
    {
        ToolMove move;
        Coord fromX, fromY;
    };

    void addArc(const Arc& arc);
    void endStroke(bool lifted);
    void cutSegments(bool backwards);
    static ToolMove reversed(const Segment& segment);

    MoveSink& m_out;
    TravelOrder m_order;
    int m_passes;
    std::size_t m_stripes;
    std::size_t m_strokes = 0;

    bool m_inStroke = false;
    bool m_hadArc = false;
    bool m_hasPlunge = false;
    Rapid m_rapid {};
    Plunge m_plunge {};
    Coord m_x {}, m_y {}; // where the stroke's last segment ends
    std::vector<Segment> m_segments;
};

} // namespace mensora
