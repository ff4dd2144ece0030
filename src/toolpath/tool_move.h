#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <variant>

#include "model/precision.h"

namespace mensora {

// A coordinate in the precision its layout computed it in, which decides its text and the
// arithmetic of the plot scaling.
struct Coord
{
    double value;
    Precision precision;

    static Coord single(float v) { return { v, Precision::Single }; }
    static Coord wide(double v) { return { v, Precision::Double }; }
};

// Which coordinates a G-code cut line names; the point itself is always complete.
enum class CutAxes { X, Y, XY };

enum class ArcDirection { CounterClockwise, Clockwise };

// Which ring of a closed outline a stroke cuts: a mark, or a number's outline, made weedable
// or filled. An outer ring begins a shape; the holes inside it follow it.
enum class Outline { None, Outer, Hole };

// Travel at the safe height to (x, y), where a stroke begins.
struct Rapid
{
    Coord x, y;
    Outline outline = Outline::None; // the ring the stroke that begins here cuts, if any
};

// Feed down to the engraving depth; the depth box's text, verbatim. A machine that cuts in
// passes goes down to that part of the depth: pass k of n to k / n of it. In a file of several
// scales, each scale's plunges also carry its depth as a number in the file's unit: a scale
// typed in the other unit has no text to write verbatim.
struct Plunge
{
    std::string_view depth;
    double depthPart = 1;
    std::optional<double> depthValue {};
};

// Engraving feed move to (x, y). A drawing of strokes of a width draws it that wide, across
// it; 0 is a line.
struct Cut
{
    Coord x, y;
    CutAxes axes;
    double width = 0;
};

// Rise to the safe height.
struct Lift
{
};

// Engraving arc to (x, y) around the absolute centre (cx, cy). The plain program writes just
// these. A machine dialect cuts the circle the arc stands for: `radius` around the centre,
// from `startAngle` over the signed `sweep` (degrees, counter-clockwise when positive), which
// may be 0 or more than a turn.
struct Arc
{
    Coord x, y, cx, cy;
    ArcDirection direction;
    double radius = 0;
    double startAngle = 0;
    double sweep = 0;
    double width = 0; // as a cut's
};

using ToolMove = std::variant<Rapid, Plunge, Cut, Lift, Arc>;

// The part of a scale that the next moves belong to, in the order a scale is made: its
// stripes, then its baseline, then its numbers. Drawings keep each part apart.
enum class MoveSection { Stripes, Baseline, Numbers };

// Takes the moves of a scale one at a time, in order; nothing holds the whole toolpath.
class MoveSink
{
public:
    virtual ~MoveSink() = default;
    virtual void move(const ToolMove& move) = 0;
    // Where a new part of the scale begins; programs take no notice of it. Every number of
    // the numbers begins anew, for the marks that outline a number as a whole.
    virtual void section(MoveSection) { }
    // Where the moves of the job's scale `index` (from 0) begin, before its first section;
    // drawings keep each scale apart.
    virtual void beginScale(std::size_t /*index*/) { }
};

} // namespace mensora
