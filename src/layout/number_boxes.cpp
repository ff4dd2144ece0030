#include "layout/number_boxes.h"

namespace mensora {

namespace {

std::array<PlacedPoint, 4> boxCorners(const TextStrokes& text, const TextPlacement& placement)
{
    const double halfWidth = (text.inkRight - text.inkLeft) * placement.scale / 2;
    const double halfHeight = text.digitHeight * placement.scale / 2;
    const PlacedPoint right = placement.right;
    const PlacedPoint up { -right.y, right.x };
    const auto corner = [&](double along, double above) {
        return PlacedPoint { placement.centre.x + along * right.x + above * up.x,
            placement.centre.y + along * right.y + above * up.y };
    };
    return { corner(-halfWidth, -halfHeight), corner(halfWidth, -halfHeight),
        corner(halfWidth, halfHeight), corner(-halfWidth, halfHeight) };
}

StripeOffsets offsetsOf(const auto& layout, StripeIndex i)
{
    const float length = stripeLengthFor(layout.graduation.kind(i), layout.lengths).value_or(0);
    return stripeOffsets(length, layout.position);
}

} // namespace

std::vector<NumberBox> NumberLayout::boxes(const ScaleLayout& scale) const
{
    std::vector<NumberBox> boxes;
    boxes.reserve(m_stripes.size());
    for (const NumberedStripe& stripe : m_stripes) {
        const TextStrokes text = setText(*m_font, stripe.text);
        const TextPlacement placement = std::visit(
            [&](const auto& layout) { return placementOf(layout, stripe.index, text); }, scale);
        boxes.push_back({ stripe.index, stripe.text, boxCorners(text, placement) });
    }
    return boxes;
}

double NumberLayout::digitSpace() const
{
    const auto inkWidth = [this](std::string_view text) {
        const TextStrokes set = setText(*m_font, text);
        return set.inkRight - set.inkLeft;
    };
    const int space = inkWidth("00") - 2 * inkWidth("0");
    return space * m_style.height / m_font->digitHeight();
}

std::array<PlacedPoint, 2> stripeEnds(const ScaleLayout& layout, StripeIndex i)
{
    if (const auto* flat = std::get_if<FlatScaleLayout>(&layout)) {
        const StripeOffsets offsets = offsetsOf(*flat, i);
        const double x = flat->stripeX(i);
        return { PlacedPoint { x, static_cast<double>(offsets.start + flat->startY) },
            PlacedPoint { x, static_cast<double>(flat->startY + offsets.end) } };
    }
    if (const auto* round = std::get_if<RoundScaleLayout>(&layout)) {
        const RoundStripeEnds ends = roundStripeEnds(round->centreX, round->centreY, round->radius,
            round->stripeAngle(i), offsetsOf(*round, i), PointRounding::Exact);
        return { PlacedPoint { ends.innerX, ends.innerY },
            PlacedPoint { ends.outerX, ends.outerY } };
    }
    const auto& drum = std::get<DrumScaleLayout>(layout);
    const StripeOffsets offsets = offsetsOf(drum, i);
    const double around = drum.surface.distanceOf(drum.stripeAngle(i));
    return { PlacedPoint { drum.centreX + static_cast<double>(offsets.start), around },
        PlacedPoint { drum.centreX + static_cast<double>(offsets.end), around } };
}

double alongScale(const ScaleLayout& layout, StripeIndex i)
{
    const double position = graduationOf(layout).position(i);
    if (const auto* drum = std::get_if<DrumScaleLayout>(&layout))
        return drum->surface.distanceOf(position);
    return position;
}

} // namespace mensora
