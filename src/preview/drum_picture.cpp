#include "preview/drum_picture.h"

#include <cmath>

#include "layout/scale_layout.h"
#include "model/scale_input.h"
#include "preview/number_strokes.h"

namespace mensora {

namespace {

// Turns the layout's moves into the picture's lines: a rapid begins one, a cut ends it.
class LineCollector : public MoveSink
{
public:
    explicit LineCollector(const PreviewFrame& frame)
        : m_frame(frame)
    { }
    void move(const ToolMove& move) override
    {
        if (const auto* rapid = std::get_if<Rapid>(&move)) {
            m_from = movePoint(m_frame, rapid->x.value, rapid->y.value);
            drawable = drawable && m_from;
        } else if (const auto* cut = std::get_if<Cut>(&move)) {
            const auto to = movePoint(m_frame, cut->x.value, cut->y.value);
            drawable = drawable && to;
            if (m_from && to)
                (m_inBaseline ? ring : stripes).push_back({ *m_from, *to });
            m_from = to;
        }
    }
    void section(MoveSection section) override { m_inBaseline = section == MoveSection::Baseline; }

    std::vector<PreviewLine> stripes;
    std::vector<PreviewLine> ring;
    bool drawable = true;

private:
    const PreviewFrame& m_frame;
    std::optional<PreviewPoint> m_from;
    bool m_inBaseline = false;
};

// A whole turn on from the start angle, across the stripes (and a little beyond).
std::optional<PreviewLine> seamOf(const DrumScaleLayout& drum, const PreviewDrawing& drawing)
{
    const double total = static_cast<double>(drum.totalAngle);
    if (!(std::fabs(total) >= 360) || drawing.stripes.empty())
        return std::nullopt;
    float low = drawing.stripes.front().from.y;
    float high = low;
    for (const PreviewLine& stripe : drawing.stripes)
        for (const float y : { stripe.from.y, stripe.to.y }) {
            low = std::fmin(low, y);
            high = std::fmax(high, y);
        }
    const double angle = drum.startAngle + std::copysign(360.0, total);
    const auto at = movePoint(drawing.frame, drum.centreX, angle);
    if (!at)
        return std::nullopt;
    const float beyond = std::fmax(2.0f, (high - low) / 10);
    return PreviewLine { { at->x, low - beyond }, { at->x, high + beyond } };
}

} // namespace

Result<PreviewDrawing> drumPicture(const CheckedScale& scale, float width, float height)
{
    const ScaleParameters& p = scale.parameters();
    const ScaleLayout layout = scaleLayoutOf(p, scale.values(), { true, PointRounding::Exact });
    const DrumScaleLayout& drum = std::get<DrumScaleLayout>(layout);

    // Picture millimetres per unit of the scale: the same picture in either unit.
    const double around = drum.surface.distanceOf(static_cast<double>(drum.totalAngle));
    double k = (static_cast<double>(width) - 6.0) / std::fabs(around);
    if (!(around != 0) || !std::isfinite(k))
        k = (static_cast<double>(height / 2.0f) - 5.0) / std::fabs(scale.boxes().stripeLengths[0]);
    if (!std::isfinite(k) || !(k > 0))
        return Refusal { ScaleInput::Length,
            inputCaption(ScaleInput::Length, p.shape) + " and Stripe 1 must not both be 0." };

    PreviewDrawing drawing;
    drawing.stripeSequence = drum.graduation.sequence();
    drawing.unit = p.unit;
    const double start = drum.surface.distanceOf(drum.startAngle);
    const double first = around > 0 ? static_cast<double>(width) - 3.0 : 3.0;
    drawing.frame = { k, first + k * start, static_cast<double>(height / 2.0f) + k * drum.centreX,
        drum.surface };

    LineCollector lines(drawing.frame);
    drum.makeMoves(p.depth, lines);
    if (!lines.drawable)
        return Refusal { ScaleInput::Radius,
            inputCaption(ScaleInput::Radius, p.shape) + " is too large to draw." };
    drawing.stripes = std::move(lines.stripes);
    if (!lines.ring.empty())
        drawing.baseLine = lines.ring.front();
    drawing.seam = seamOf(drum, drawing);

    auto numbers = previewNumberStrokes(scale, drawing.frame);
    if (!numbers)
        return numbers.refusal();
    drawing.numberStrokes = std::move(numbers.value());
    return drawing;
}

} // namespace mensora
