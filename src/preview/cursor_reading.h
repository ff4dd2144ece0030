#pragma once

#include <optional>

#include "preview/preview_renderer.h"
#include "preview/preview_view.h"

namespace mensora {

// Where the cursor stands in the scale's own coordinates (the unit of the drawing), each value
// rounded to as many decimals as one pixel of the view resolves, from 0 to 3.
struct CursorReading
{
    double x = 0;
    double y = 0;
    int decimals = 0; // of x, y and the radius
    // Round scales only: the angle in degrees, 0 to under 360, counted from +X towards +Y
    // about the centre, and the distance from the centre.
    std::optional<double> angle;
    std::optional<double> radius;
    int angleDecimals = 0;
    // Around a drum: x is the drum's X, the angle that of its rotary axis (as the program
    // writes it, not reduced), and this the distance around the drum; y is not read.
    std::optional<double> around;
};

// The reading at a pixel of the area; none when the drawing has no scale to read against.
std::optional<CursorReading> readCursor(
    const PreviewDrawing& drawing, const PreviewView& view, PixelPoint pixel);

} // namespace mensora
