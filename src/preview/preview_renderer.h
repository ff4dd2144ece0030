#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engraving/checked_scale.h"
#include "layout/drum_scale_layout.h"
#include "model/result.h"
#include "model/scale_parameters.h"

namespace mensora {

// A point of the picture area in millimetres: origin at the top-left corner, y downwards.
struct PreviewPoint
{
    float x = 0;
    float y = 0;

    friend bool operator==(const PreviewPoint&, const PreviewPoint&) = default;
};

// A straight line of the picture.
struct PreviewLine
{
    PreviewPoint from;
    PreviewPoint to;

    friend bool operator==(const PreviewLine&, const PreviewLine&) = default;
};

// The base circle of a round scale: an arc of a true circle from startAngle to endAngle
// (radians, 0 pointing right, passed on unreduced). It runs counter-clockwise on the screen
// when the end is the larger angle and clockwise when it is the smaller, as the file cuts it.
struct PreviewArc
{
    PreviewPoint centre;
    float radius = 0;
    float startAngle = 0;
    float endAngle = 0;

    friend bool operator==(const PreviewArc&, const PreviewArc&) = default;
};

// A line through points: one stroke of a number.
using PreviewStroke = std::vector<PreviewPoint>;

// How a point of the scale, in the unit its numbers were typed in, lands in the picture:
// (originX + scale·x, originY − scale·y), in millimetres of the area. Numbers, travel moves
// and the cursor's position use it; the stripes and the baseline keep their own arithmetic.
struct PreviewFrame
{
    double scale = 0; // picture millimetres per unit of the scale
    double originX = 0; // where the scale's X 0 lands
    double originY = 0; // where the scale's Y 0 lands
    // Around a drum, the picture is its surface unrolled and turned a quarter so that the axis
    // runs upward: its own y is the drum's X, its own x the distance around the drum, negated
    // (the design reads as the file holds it, never mirrored).
    std::optional<DrumSurface> drum;
};

// Where the point (x, y) of the scale lands in the picture, each coordinate rounded to single;
// nothing when it lies too far out to draw.
std::optional<PreviewPoint> picturePoint(const PreviewFrame& frame, double x, double y);

// Where a move's point lands: on a drum, a move's (X, angle) is unrolled first.
std::optional<PreviewPoint> movePoint(const PreviewFrame& frame, double x, double y);

// A point in the scale's own coordinates: the unit its numbers were typed in, Y upwards.
struct ScalePoint
{
    double x = 0;
    double y = 0;
};

// Another scale of a job, drawn dimmed behind the scale a run is of, in the run's frame: its
// cuts and its numbers' strokes as lines, its arcs.
struct PreviewScale
{
    std::size_t index = 0; // in the job, from 0
    std::vector<PreviewLine> lines;
    std::vector<PreviewArc> arcs;
};

// Everything one preview run draws, in drawing order: the stripes, then the baseline (a line
// for a flat scale, the arc for a round one) when one is chosen, then the numbers' strokes,
// mapped by the frame.
struct PreviewDrawing
{
    std::vector<PreviewLine> stripes;
    std::optional<PreviewLine> baseLine;
    std::optional<PreviewArc> baseArc;
    std::vector<PreviewStroke> numberStrokes;
    std::string stripeSequence; // the stripe kinds, kept in the window's sequence box
    PreviewFrame frame;
    Unit unit = Unit::Millimetre; // the unit of the scale's own coordinates
    std::optional<ScalePoint> centre; // a round scale's centre, in its own coordinates
    std::vector<PreviewLine> travel; // moves between cuts, when the caller adds them
    // Around a drum of a whole turn or more, where the unrolled surface closes on itself: a
    // stripe there is cut over the first.
    std::optional<PreviewLine> seam;
    // In a job of several scales: the scale the run is of, and the others, drawn first.
    std::size_t selected = 0;
    std::vector<PreviewScale> others;
    // The run's marks of a width, as the file makes them, when the caller adds them: each
    // shape's rings (a mark, or a number with its holes), filled, or for a file that cuts
    // outlines drawn as outlines.
    std::vector<std::vector<PreviewStroke>> markShapes;
    bool markOutlines = false;
};

// The preview of a checked scale, fitted into a drawable area of width by height
// millimetres: a drum's unrolled surface as drumPicture draws it; a flat scale fills the width less
// 3 at each side (starting at the left margin, or at the right one when its total is negative and
// it runs left), a round scale fills half the height less 5 with the radius plus the length of kind
// 1, around the area's middle. Inch values are turned into millimetres first, from the numbers the
// scale read (total and distance only for a flat scale; angles never), so both units give the same
// picture. A flat Length of 0 draws the one stripe the file cuts, in the middle, its reach from
// the baseline fitted into half the height less 5. Refused, naming the box, for numbers beyond
// their precision once in millimetres, a round Stripe 1 plus Radius of 0, points too far out to
// draw, and the number settings the engraving refuses.
Result<PreviewDrawing> renderPreview(const CheckedScale& scale, float width, float height);

// The same, reading and checking the scale first: also refused for anything the stripe
// pattern refuses.
Result<PreviewDrawing> renderPreview(
    const ScaleParameters& parameters, float width, float height, const FontSource& fonts);

// The sweep of the arc in radians, positive counter-clockwise, in [−2π, 2π]: from the start to
// the end angle, or a whole turn in that direction when they lie a turn or more apart.
double arcSweep(const PreviewArc& arc);

} // namespace mensora
