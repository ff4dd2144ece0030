#include "preview/cursor_reading.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mensora {

namespace {

// Enough decimals that one step of `perPixel` changes the last one; no more than the 3 the
// round layout keeps.
int decimalsFor(double perPixel)
{
    if (!(perPixel > 0) || !std::isfinite(perPixel))
        return 0;
    return static_cast<int>(std::clamp(std::ceil(-std::log10(perPixel)), 0.0, 3.0));
}

// Rounded to the decimals, without a "-0".
double rounded(double value, int decimals)
{
    const double unit = std::pow(10.0, decimals);
    return std::round(value * unit) / unit + 0.0;
}

} // namespace

std::optional<CursorReading> readCursor(
    const PreviewDrawing& drawing, const PreviewView& view, PixelPoint pixel)
{
    const auto at = view.toScale(drawing.frame, pixel);
    if (!at || !std::isfinite(at->x) || !std::isfinite(at->y))
        return std::nullopt;
    // Units of the scale per pixel, along the coarser of the two directions.
    const double perPixel = 1
        / (std::fabs(drawing.frame.scale) * std::fmin(view.pixelsPerMmX(), view.pixelsPerMmY()));

    CursorReading reading;
    reading.decimals = decimalsFor(perPixel);
    if (const auto& drum = drawing.frame.drum) {
        reading.x = rounded(at->y, reading.decimals);
        reading.around = rounded(-at->x, reading.decimals);
        reading.angleDecimals = decimalsFor(drum->angleOf(perPixel));
        reading.angle = rounded(drum->angleOf(-at->x), reading.angleDecimals);
        return reading;
    }
    reading.x = rounded(at->x, reading.decimals);
    reading.y = rounded(at->y, reading.decimals);
    if (drawing.centre) {
        const double dx = at->x - drawing.centre->x;
        const double dy = at->y - drawing.centre->y;
        const double radius = std::hypot(dx, dy);
        double degrees = std::atan2(dy, dx) * 180 / std::numbers::pi;
        if (degrees < 0)
            degrees += 360;
        reading.angleDecimals
            = radius > 0 ? decimalsFor(perPixel / radius * 180 / std::numbers::pi) : 0;
        reading.angle = std::fmod(rounded(degrees, reading.angleDecimals), 360.0);
        reading.radius = rounded(radius, reading.decimals);
    }
    return reading;
}

} // namespace mensora
