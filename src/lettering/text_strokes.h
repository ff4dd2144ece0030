#pragma once

#include <string_view>
#include <vector>

#include "lettering/hershey_font.h"

namespace mensora {

// A line of text set in a font, in font units: glyph after glyph along the baseline from
// x = 0, each at the sum of the advances before it.
struct TextStrokes
{
    std::vector<FontStroke> strokes;
    int inkLeft = 0; // the horizontal extent of the strokes
    int inkRight = 0;
    int digitHeight = 1; // the font's, from the baseline to the top of the digits
};

// Sets the UTF-8 text; characters the font lacks take no room (the engraving refuses them
// first).
TextStrokes setText(const HersheyFont& font, std::string_view text);

// A point of the scale, in the scale's own unit.
struct PlacedPoint
{
    double x = 0;
    double y = 0;
};

// Where a text's box goes. The box is as wide as the ink and as tall as the digits; its
// middle lands on the centre. The baseline runs along `right`, a unit vector; up is `right`
// turned a quarter turn counter-clockwise, so a text is turned but never mirrored.
struct TextPlacement
{
    PlacedPoint centre;
    PlacedPoint right { 1, 0 };
    double scale = 1; // scale units per font unit
};

// How far from its middle a box's edge lies along a unit direction: where a ray from the
// middle leaves a box of these half sizes.
double exitDistance(double halfWidth, double halfHeight, PlacedPoint direction);

// The text's strokes at their place, scaled and turned.
std::vector<std::vector<PlacedPoint>> placeText(
    const TextStrokes& text, const TextPlacement& placement);

} // namespace mensora
