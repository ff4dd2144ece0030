#include "preview/preview_renderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "layout/scale_arithmetic.h"
#include "model/number_rules.h"
#include "model/scale_input.h"
#include "preview/drum_picture.h"
#include "preview/number_strokes.h"

namespace mensora {

namespace {

constexpr double millimetresPerInch = 25.4;

// Everything one run reads, already in millimetres where the unit asks for it.
struct RunInputs : ScaleValues
{
    Shape shape = Shape::Flat;
    StripePosition position = StripePosition::Above;
    double length1 = 0; // kind 1 in double precision, for the round fit
    double unitFactor = 1; // millimetres per unit of the boxes
};

Refusal tooLargeToDraw(ScaleInput input, Shape shape)
{
    return { input, inputCaption(input, shape) + " is too large to draw." };
}

// The box whose value weighs more in a point that does not fit, to name in the refusal.
ScaleInput heavier(double a, ScaleInput inputA, double b, ScaleInput inputB)
{
    return std::fabs(a) >= std::fabs(b) ? inputA : inputB;
}

// The scale's values in the order the save command checks them, in millimetres; a round
// scale also takes the length of kind 1 in double precision for its fit.
Result<RunInputs> inputsOf(const CheckedScale& scale)
{
    const ScaleParameters& p = scale.parameters();
    const double factor = p.unit == Unit::Inch ? millimetresPerInch : 1.0;
    RunInputs in;
    if (factor == 1.0) {
        static_cast<ScaleValues&>(in) = scale.values();
    } else {
        auto values = scaleValuesOf(p, scale.boxes(), factor);
        if (!values)
            return values.refusal();
        static_cast<ScaleValues&>(in) = std::move(*values);
    }
    in.shape = p.shape;
    in.position = p.stripePosition;
    in.unitFactor = factor;
    if (p.shape == Shape::Round) {
        in.length1 = scale.boxes().stripeLengths[0] * factor;
        if (!std::isfinite(in.length1))
            return Refusal { ScaleInput::Stripe1,
                inputCaption(ScaleInput::Stripe1, p.shape) + " is too large." };
    }
    return in;
}

// A ruler of length 0 is the one stripe it cuts: that stripe's reach from the baseline fills
// half the height less 5, as a dial's does; a stripe of no length is drawn at 1:1.
double stripeFit(const RunInputs& in, float height)
{
    const std::string& sequence = in.sequence();
    const float length
        = sequence.empty() ? 0.0f : stripeLengthFor(sequence.front(), in.lengths).value_or(0.0f);
    const StripeOffsets offsets = stripeOffsets(length, in.position);
    const double reach = std::fmax(
        std::fabs(static_cast<double>(offsets.start)), std::fabs(static_cast<double>(offsets.end)));
    const double k = (static_cast<double>(height / 2.0f) - 5.0) / reach;
    return std::isfinite(k) && k > 0 ? k : 1.0;
}

// Drawing units per millimetre. A flat scale spans the width less 3 at each side, whichever
// way it runs; a round one spans half the height less 5 with radius plus the length of kind 1.
Result<double> drawingScale(const RunInputs& in, float width, float height)
{
    if (in.shape == Shape::Flat) {
        if (in.total == 0.0f)
            return stripeFit(in, height);
        const double k
            = (static_cast<double>(width) - 6.0) / std::fabs(static_cast<double>(in.total));
        return std::isfinite(k) ? Result<double>(k) : stripeFit(in, height);
    }
    const Refusal zero { ScaleInput::Radius, "Stripe 1 and Radius must not add up to 0." };
    const double reach = in.length1 + in.radius;
    if (reach == 0.0)
        return zero;
    const double k = (static_cast<double>(height / 2.0f) - 5.0) / reach;
    return std::isfinite(k) ? Result<double>(k) : Result<double>(zero);
}

// A point for the picture, each coordinate rounded to single; refused when it does not fit.
Result<PreviewPoint> drawable(double x, ScaleInput xInput, double y, ScaleInput yInput, Shape shape)
{
    const auto sx = singleOrNone(x);
    if (!sx)
        return tooLargeToDraw(xInput, shape);
    const auto sy = singleOrNone(y);
    if (!sy)
        return tooLargeToDraw(yInput, shape);
    return PreviewPoint { *sx, *sy };
}

// Where a flat scale's X 0 lands: 3 from the left edge, so that the scale runs right across
// the width; a negative total runs left from X 0, which then stands 3 from the right edge.
double flatLeft(const RunInputs& in, float width)
{
    if (in.total == 0.0f)
        return static_cast<double>(width) / 2.0; // its one stripe in the middle
    return in.total < 0.0f ? static_cast<double>(width) - 3.0 : 3.0;
}

// The world point (x, y) of a flat scale sits at (left + k·x, H/2 − k·y).
Result<PreviewLine> flatStripe(const RunInputs& in, double k, float width, float height,
    float position, float length, int kind)
{
    const double u = in.startX + static_cast<double>(position);
    const auto [inner, outer] = stripeOffsets(length, in.position);
    const float y1 = inner + in.startY;
    const float y2 = in.startY + outer;
    const double x = flatLeft(in, width) + k * u;
    const double middle = static_cast<double>(height / 2.0f);

    const ScaleInput xInput
        = heavier(in.startX, ScaleInput::StartX, position, ScaleInput::Distance);
    const ScaleInput yInput
        = heavier(in.startY, ScaleInput::StartY, length, stripeLengthInput(kind));
    const auto from = drawable(x, xInput, middle - k * static_cast<double>(y1), yInput, in.shape);
    if (!from)
        return from.refusal();
    const auto to = drawable(x, xInput, middle - k * static_cast<double>(y2), yInput, in.shape);
    if (!to)
        return to.refusal();
    return PreviewLine { *from, *to };
}

// The end points as the round layout computes them (centre, radius, rounding to 3 decimals),
// then mapped around the middle of the area: the centre entered is taken out again.
Result<PreviewLine> roundStripe(const RunInputs& in, double k, float width, float height,
    float position, float length, int kind)
{
    const RoundStripeEnds ends = roundStripeEnds(in.startX, in.startY, in.radius,
        static_cast<double>(position) + in.startAngle, stripeOffsets(length, in.position));
    const double startY = in.startY;

    const ScaleInput reach
        = heavier(in.radius, ScaleInput::Radius, length, stripeLengthInput(kind));
    const double reachValue = std::fmax(std::fabs(in.radius), std::fabs(length));
    const ScaleInput xInput = heavier(in.startX, ScaleInput::StartX, reachValue, reach);
    const ScaleInput yInput = heavier(startY, ScaleInput::StartY, reachValue, reach);
    if (!std::isfinite(ends.outerY))
        return tooLargeToDraw(yInput, in.shape);

    const double midX = static_cast<double>(width / 2.0f);
    const double midY = static_cast<double>(height / 2.0f);
    const auto from = drawable(midX + k * ends.innerX - k * in.startX, xInput,
        midY - k * ends.innerY + k * startY, yInput, in.shape);
    if (!from)
        return from.refusal();
    const auto to = drawable(midX + k * ends.outerX - k * in.startX, xInput,
        midY - k * static_cast<double>(ends.outerY) + k * startY, yInput, in.shape);
    if (!to)
        return to.refusal();
    return PreviewLine { *from, *to };
}

// The flat baseline runs from start X to start X + total at start Y, mapped as the stripes.
Result<PreviewLine> flatBaseline(const RunInputs& in, double k, float width, float height)
{
    const double y = static_cast<double>(height / 2.0f) - k * static_cast<double>(in.startY);
    const double end = in.startX + static_cast<double>(in.total);
    const double left = flatLeft(in, width);
    const auto from
        = drawable(left + k * in.startX, ScaleInput::StartX, y, ScaleInput::StartY, in.shape);
    if (!from)
        return from.refusal();
    const ScaleInput endInput
        = heavier(in.startX, ScaleInput::StartX, in.total, ScaleInput::Length);
    const auto to = drawable(left + k * end, endInput, y, ScaleInput::StartY, in.shape);
    if (!to)
        return to.refusal();
    return PreviewLine { *from, *to };
}

// The base circle: radius R around the middle of the area, from the start angle over the
// total angle.
Result<PreviewArc> roundBaseline(const RunInputs& in, double k, float width, float height)
{
    const auto radius = singleOrNone(k * in.radius);
    if (!radius)
        return tooLargeToDraw(ScaleInput::Radius, in.shape);
    const auto start = singleOrNone(in.startAngle * radiansPerDegree);
    const auto end
        = singleOrNone((static_cast<double>(in.total) + in.startAngle) * radiansPerDegree);
    if (!start || !end)
        return tooLargeToDraw(ScaleInput::StartAngle, in.shape);
    return PreviewArc { { width / 2.0f, height / 2.0f }, *radius, *start, *end };
}

// Where the scale's own coordinates land: a flat scale's X 0 at 3 from the left edge (the
// right edge for a negative total) and Y 0 on the mid-line; a round scale's centre in the
// middle of the area.
PreviewFrame frameOf(const RunInputs& in, double k, float width, float height)
{
    const double scale = k * in.unitFactor;
    const double midY = static_cast<double>(height / 2.0f);
    if (in.shape == Shape::Flat)
        return { scale, flatLeft(in, width), midY, std::nullopt };
    const double midX = static_cast<double>(width / 2.0f);
    return { scale, midX - k * in.startX, midY + k * static_cast<double>(in.startY), std::nullopt };
}

} // namespace

std::optional<PreviewPoint> picturePoint(const PreviewFrame& frame, double x, double y)
{
    const auto px = singleOrNone(frame.originX + frame.scale * x);
    const auto py = singleOrNone(frame.originY - frame.scale * y);
    if (!px || !py)
        return std::nullopt;
    return PreviewPoint { *px, *py };
}

std::optional<PreviewPoint> movePoint(const PreviewFrame& frame, double x, double y)
{
    if (frame.drum)
        return picturePoint(frame, -frame.drum->distanceOf(y), x);
    return picturePoint(frame, x, y);
}

Result<PreviewDrawing> renderPreview(const CheckedScale& scale, float width, float height)
{
    const ScaleParameters& parameters = scale.parameters();
    if (parameters.onDrum())
        return drumPicture(scale, width, height);
    const auto read = inputsOf(scale);
    if (!read)
        return read.refusal();
    const RunInputs& in = *read;
    const Graduation& graduation = in.graduation;

    PreviewDrawing drawing;
    drawing.stripeSequence = graduation.sequence();
    // k stays 0 for the baseline of a scale without stripes.
    double k = 0;
    if (!graduation.empty()) {
        const auto fit = drawingScale(in, width, height);
        if (!fit)
            return fit.refusal();
        k = *fit;
    }
    drawing.frame = frameOf(in, k, width, height);
    drawing.unit = parameters.unit;
    if (in.shape == Shape::Round)
        drawing.centre = ScalePoint { in.startX / in.unitFactor,
            static_cast<double>(in.startY) / in.unitFactor };

    const StripeIndex count = graduation.count();
    drawing.stripes.reserve(graduation.sequence().size());
    float length = 0; // the working length: kinds are 1 to 6 here, so every stripe sets it
    for (StripeIndex i = 0; i < count; ++i) {
        // Positions stay in single precision and are not rounded to whole steps.
        const auto position = static_cast<float>(graduation.position(i, Precision::Single));
        if (!std::isfinite(position))
            return tooLargeToDraw(ScaleInput::Distance, in.shape);
        const char kind = graduation.kind(i);
        length = stripeLengthFor(kind, in.lengths).value_or(length);
        const int kindNumber = kind - '0';
        const auto line = in.shape == Shape::Flat
            ? flatStripe(in, k, width, height, position, length, kindNumber)
            : roundStripe(in, k, width, height, position, length, kindNumber);
        if (!line)
            return line.refusal();
        drawing.stripes.push_back(*line);
    }

    if (parameters.baseline == Baseline::Single) {
        if (in.shape == Shape::Flat) {
            const auto line = flatBaseline(in, k, width, height);
            if (!line)
                return line.refusal();
            drawing.baseLine = *line;
        } else {
            const auto arc = roundBaseline(in, k, width, height);
            if (!arc)
                return arc.refusal();
            drawing.baseArc = *arc;
        }
    }

    auto numbers = previewNumberStrokes(scale, drawing.frame);
    if (!numbers)
        return numbers.refusal();
    drawing.numberStrokes = std::move(numbers.value());
    return drawing;
}

Result<PreviewDrawing> renderPreview(
    const ScaleParameters& parameters, float width, float height, const FontSource& fonts)
{
    const auto scale = CheckedScale::check(parameters, fonts);
    if (!scale)
        return scale.refusal();
    return renderPreview(*scale, width, height);
}

double arcSweep(const PreviewArc& arc)
{
    constexpr double turn = 2 * std::numbers::pi;
    const double sweep = static_cast<double>(arc.endAngle) - static_cast<double>(arc.startAngle);
    return std::clamp(sweep, -turn, turn);
}

} // namespace mensora
