#pragma once

#include <optional>
#include <vector>

#include "toolpath/tool_move.h"

namespace mensora {

// The shapes that make marks of a width, in a flat plane of the scale's unit (a drum's surface
// unrolled): the passes of a tool side by side along a mark, its closed outline, and the path
// of a drag knife that cuts an outline.

struct ShapePoint
{
    double x = 0;
    double y = 0;
};

// An arc of a circle, in degrees counter-clockwise from +X; the sweep signed, a whole turn at
// most.
struct ShapeArc
{
    ShapePoint centre;
    double radius = 0;
    double startAngle = 0;
    double sweep = 0;
};

// A piece of a path: straight to a point, or along an arc that ends there.
struct ShapePiece
{
    ShapePoint to;
    std::optional<ShapeArc> arc;
};

// One stroke of the tool: from its start, piece after piece; an outline's ring ends where it
// began.
struct ShapePath
{
    ShapePoint start;
    std::vector<ShapePiece> pieces;
    Outline outline = Outline::None;
};

// The point of an arc at an angle (degrees).
ShapePoint pointOnArc(const ShapeArc& arc, double angle);

// Where the passes of a tool `toolWidth` wide stand across a mark `width` wide, from its middle:
// none but the middle for a mark no wider than the tool; else the outermost at ±(width −
// toolWidth) / 2, and as few between as keep them at most `step` apart, evenly spaced.
std::vector<double> passOffsets(double width, double toolWidth, double step);

// How many passes passOffsets gives, without giving them: a number too large to count is
// infinite.
double passCount(double width, double toolWidth, double step);

// The passes along the straight mark from `a` to `b`, one beside the other at the offsets to
// its left (a negative offset to its right), back and forth, each joined to the next across
// the mark's end, so that the tool stays down.
ShapePath straightPasses(ShapePoint a, ShapePoint b, const std::vector<double>& offsets);

// The passes along an arc mark at the offsets outward from its radius, back and forth, each
// joined to the next along the radius at its end.
ShapePath arcPasses(const ShapeArc& arc, const std::vector<double>& offsets);

// The closed outline of the straight mark from `a` to `b`, `width` across: its rectangle,
// from the corner left of `a` on to `b` first.
ShapePath straightOutline(ShapePoint a, ShapePoint b, double width);

// The closed outline of an arc mark `width` across: the band between its two radii, out along
// the outer arc and back along the inner one; a whole turn's is two rings, the outer one and
// the hole inside it. An inner radius of 0 or less leaves the outer circle's sector.
std::vector<ShapePath> arcOutline(const ShapeArc& arc, double width);

// The closed ring's corners in order, each arc in chords that stray from it by at most `sag`.
std::vector<ShapePoint> ringCorners(const ShapePath& ring, double sag);

// The path a drag knife's axis follows so that its tip, trailing it by `offset`, cuts the
// closed ring of corners and then on along it for `overcut` (at most once around): along each
// side to `offset` past its end, then, at a corner that turns more than 10 degrees, around it
// on a circle of that radius (a swivel) to the next side's direction; a smaller turn, a
// curve's, the tip follows by itself. With an offset of 0 it is the ring itself.
ShapePath knifePath(const std::vector<ShapePoint>& corners, double offset, double overcut);

} // namespace mensora
