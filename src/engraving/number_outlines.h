#pragma once

#include <vector>

#include "engraving/mark_shapes.h"

namespace mensora {

// The closed outline of a number's strokes drawn `width` wide: the union of every stroke
// offset by half the width, with round joins and round ends, as a pen of that width would
// draw it. Each outer ring comes before the holes inside it (a 0's counter); the rings keep
// to within a two-hundredth of the width of the true curves. Nothing for a width of 0 or less.
std::vector<ShapePath> strokeOutlines(
    const std::vector<std::vector<ShapePoint>>& strokes, double width);

// Whether two shapes, each of closed rings (its holes among them) without arcs, cover any
// common area: more than a millionth of the square of `size`, a length of the drawing.
bool shapesOverlap(const std::vector<std::vector<ShapePoint>>& a,
    const std::vector<std::vector<ShapePoint>>& b, double size);

} // namespace mensora
