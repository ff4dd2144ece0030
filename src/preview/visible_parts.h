#pragma once

#include <optional>
#include <span>
#include <vector>

#include "preview/preview_renderer.h"
#include "preview/preview_view.h"

namespace mensora {

// A straight line on the screen, in pixels of the picture area.
struct PixelLine
{
    PixelPoint from;
    PixelPoint to;
};

// The part of the line inside the rectangle; none when no part of it lies there.
std::optional<PixelLine> clipLine(const PixelLine& line, const PixelRect& rect);

// What of a drawing a view shows, in pixels of the area, clipped to the area widened by one
// pixel, so that painting never meets coordinates far outside the screen.
struct VisibleParts
{
    std::vector<PixelLine> lines; // the scale's straight lines: stripes, baseline, numbers
    std::vector<std::vector<PixelPoint>> arcs; // the base arc's pieces in view, as polylines
    std::vector<PixelLine> travel; // the moves between cuts
    std::vector<PixelLine> seam; // a drum's seam
    // A job's other scales, drawn dimmed: their lines and their arcs' pieces.
    std::vector<PixelLine> otherLines;
    std::vector<std::vector<PixelPoint>> otherArcs;
    std::optional<PixelPoint> origin; // the machine origin X 0 Y 0, when in view
    // The marks of a width that come into view, each shape's rings, whole; drawn as outlines
    // rather than filled when `markOutlines`.
    std::vector<std::vector<std::vector<PixelPoint>>> markShapes;
    bool markOutlines = false;

    // Whether any line of the scale itself shows.
    bool showsScale() const { return !lines.empty() || !arcs.empty() || !markShapes.empty(); }
};

// The smallest rectangle that holds the scale itself: stripes, baseline or base arc, the
// numbers' strokes and the marks of a width (not the travel), with a job's other scales; none
// for a drawing without any of them.
std::optional<PictureRect> drawingBounds(const PreviewDrawing& drawing);

VisibleParts visibleParts(const PreviewDrawing& drawing, const PreviewView& view);

// Appends the parts of `lines` that the view shows, in pixels.
void appendVisible(
    std::span<const PreviewLine> lines, const PreviewView& view, std::vector<PixelLine>& out);

// The pieces of the arc near the view as polylines, with chords short enough that each stays
// within a fifth of a pixel of the true circle at the view's zoom; none for an arc out of view.
std::vector<std::vector<PixelPoint>> visibleArc(const PreviewArc& arc, const PreviewView& view);

} // namespace mensora
