#include "layout/number_layout.h"

#include <cmath>
#include <limits>

#include "layout/scale_arithmetic.h"

namespace mensora {

namespace {

void engrave(const std::vector<PlacedPoint>& stroke, std::string_view depth, PointRounding rounding,
    MoveSink& sink)
{
    const auto coordinate = [rounding](double v) { return Coord::wide(roundedPoint(v, rounding)); };
    sink.move(Rapid { coordinate(stroke.front().x), coordinate(stroke.front().y) });
    sink.move(Plunge { depth });
    for (std::size_t i = 1; i < stroke.size(); ++i)
        sink.move(Cut { coordinate(stroke[i].x), coordinate(stroke[i].y), CutAxes::XY });
    sink.move(Lift {});
}

} // namespace

NumberLayout::NumberLayout(std::shared_ptr<const HersheyFont> font,
    std::vector<NumberedStripe> stripes, NumberStyle style, std::string title)
    : m_font(std::move(font))
    , m_stripes(std::move(stripes))
    , m_style(style)
    , m_title(std::move(title))
{ }

void NumberLayout::makeMoves(const ScaleLayout& scale, std::string_view depth, MoveSink& sink) const
{
    if (const auto* drum = std::get_if<DrumScaleLayout>(&scale)) {
        makeDrumMoves(*drum, depth, sink);
        return;
    }
    const PointRounding rounding
        = std::visit([](const auto& layout) { return layout.rounding; }, scale);
    for (const NumberedStripe& stripe : m_stripes) {
        sink.section(MoveSection::Numbers);
        const TextStrokes text = setText(*m_font, stripe.text);
        const TextPlacement placement = std::visit(
            [&](const auto& layout) { return placementOf(layout, stripe.index, text); }, scale);
        for (const auto& stroke : placeText(text, placement))
            if (!stroke.empty())
                engrave(stroke, depth, rounding, sink);
    }
    if (m_title.empty() || graduationOf(scale).empty())
        return;
    sink.section(MoveSection::Numbers);
    const TextStrokes title = setText(*m_font, m_title);
    const TextPlacement placement
        = std::visit([&](const auto& layout) { return titlePlacementOf(layout, title); }, scale);
    for (const auto& stroke : placeText(title, placement))
        if (!stroke.empty())
            engrave(stroke, depth, rounding, sink);
}

TextPlacement NumberLayout::placementOf(
    const FlatScaleLayout& scale, StripeIndex index, const TextStrokes& text) const
{
    const float length = scale.lengths[static_cast<std::size_t>(m_style.kind - 1)];
    const StripeOffsets offsets = stripeOffsets(length, scale.position);
    const double halfHeight = m_style.height / 2;
    TextPlacement placement;
    placement.scale = m_style.height / text.digitHeight;
    placement.centre.x = scale.stripeX(index);
    if (scale.position == StripePosition::Under) {
        const float lower = offsets.start + scale.startY;
        placement.centre.y = static_cast<double>(lower) - m_style.gap - halfHeight;
    } else {
        const float upper = scale.startY + offsets.end;
        placement.centre.y = static_cast<double>(upper) + m_style.gap + halfHeight;
    }
    return placement;
}

TextPlacement NumberLayout::placementOf(
    const RoundScaleLayout& scale, StripeIndex index, const TextStrokes& text) const
{
    const float length = scale.lengths[static_cast<std::size_t>(m_style.kind - 1)];
    const StripeOffsets offsets = stripeOffsets(length, scale.position);
    const double radians = scale.stripeAngle(index) * radiansPerDegree;
    const PlacedPoint outward { std::cos(radians), std::sin(radians) };

    TextPlacement placement;
    placement.scale = m_style.height / text.digitHeight;
    double toMiddle = m_style.height / 2;
    if (m_style.orientation == NumberOrientation::Dial) {
        placement.right = { outward.y, -outward.x }; // up is outward: the foot faces the centre
    } else {
        const double halfWidth = (text.inkRight - text.inkLeft) * placement.scale / 2;
        toMiddle = exitDistance(halfWidth, toMiddle, outward);
    }
    const double reach = static_cast<double>(offsets.end) + scale.radius + m_style.gap + toMiddle;
    placement.centre = { scale.centreX + reach * outward.x, scale.centreY + reach * outward.y };
    return placement;
}

TextPlacement NumberLayout::placementOf(
    const DrumScaleLayout& scale, StripeIndex index, const TextStrokes& text) const
{
    const float length = scale.lengths[static_cast<std::size_t>(m_style.kind - 1)];
    const StripeOffsets offsets = stripeOffsets(length, scale.position);
    TextPlacement placement;
    placement.scale = m_style.height / text.digitHeight;
    double toMiddle = m_style.height / 2;
    if (m_style.orientation == NumberOrientation::Dial) {
        placement.right = { 0, -1 }; // up is +X: the foot faces the ring
    } else {
        toMiddle = (text.inkRight - text.inkLeft) * placement.scale / 2; // reads along +X
    }
    const double outerEnd = scale.centreX + static_cast<double>(offsets.end);
    placement.centre
        = { outerEnd + m_style.gap + toMiddle, scale.surface.distanceOf(scale.stripeAngle(index)) };
    return placement;
}

// The strokes are set on the unrolled surface and wrapped: the distance around becomes the
// angle. Exact, as every drum point is.
void NumberLayout::engraveOnDrum(const DrumScaleLayout& scale, const TextStrokes& text,
    const TextPlacement& placement, std::string_view depth, MoveSink& sink) const
{
    for (auto stroke : placeText(text, placement)) {
        if (stroke.empty())
            continue;
        for (PlacedPoint& point : stroke)
            point.y = scale.surface.angleOf(point.y);
        engrave(stroke, depth, PointRounding::Exact, sink);
    }
}

void NumberLayout::makeDrumMoves(
    const DrumScaleLayout& scale, std::string_view depth, MoveSink& sink) const
{
    const bool forward = cutsForward(scale);
    for (std::size_t n = 0; n < m_stripes.size(); ++n) {
        const NumberedStripe& stripe = m_stripes[forward ? n : m_stripes.size() - 1 - n];
        sink.section(MoveSection::Numbers);
        const TextStrokes text = setText(*m_font, stripe.text);
        engraveOnDrum(scale, text, placementOf(scale, stripe.index, text), depth, sink);
    }
    if (m_title.empty() || scale.graduation.empty())
        return;
    sink.section(MoveSection::Numbers);
    const TextStrokes title = setText(*m_font, m_title);
    engraveOnDrum(scale, title, titlePlacementOf(scale, title), depth, sink);
}

bool NumberLayout::cutsForward(const DrumScaleLayout& scale) const
{
    if (m_stripes.empty())
        return true;
    const double at = scale.angleAfterScale();
    return std::fabs(scale.stripeAngle(m_stripes.front().index) - at)
        <= std::fabs(scale.stripeAngle(m_stripes.back().index) - at);
}

std::vector<NumberedStripe> NumberLayout::stripesInCutOrder(const ScaleLayout& scale) const
{
    const auto* drum = std::get_if<DrumScaleLayout>(&scale);
    if (!drum || cutsForward(*drum))
        return m_stripes;
    return { m_stripes.rbegin(), m_stripes.rend() };
}

} // namespace mensora
