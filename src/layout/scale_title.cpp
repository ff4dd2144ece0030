// Where a scale's title stands: beside its start, before the first stripe.

#include <cmath>

#include "layout/number_layout.h"
#include "layout/scale_arithmetic.h"

namespace mensora {

namespace {

// The first stripe's two ends relative to the baseline or the radius.
StripeOffsets firstStripe(
    const Graduation& graduation, const StripeLengths& lengths, StripePosition position)
{
    return stripeOffsets(stripeLengthFor(graduation.kind(0), lengths).value_or(0), position);
}

double middleOf(StripeOffsets offsets)
{
    return (static_cast<double>(offsets.start) + static_cast<double>(offsets.end)) / 2;
}

// Which way the stripes advance: the title stands on the other side of the first.
double advance(const Graduation& graduation)
{
    return graduation.advancesPositively() ? 1 : -1;
}

} // namespace

TextPlacement NumberLayout::titlePlacementOf(
    const FlatScaleLayout& scale, const TextStrokes& text) const
{
    TextPlacement placement;
    placement.scale = m_style.height / text.digitHeight;
    const double halfWidth = (text.inkRight - text.inkLeft) * placement.scale / 2;
    const StripeOffsets offsets = firstStripe(scale.graduation, scale.lengths, scale.position);
    placement.centre.x
        = scale.stripeX(0) - advance(scale.graduation) * (m_style.height + halfWidth);
    placement.centre.y = static_cast<double>(scale.startY) + middleOf(offsets);
    return placement;
}

// On the circle through the middle of the first stripe, turned back from it by the height and
// half the title's extent along the circle.
TextPlacement NumberLayout::titlePlacementOf(
    const RoundScaleLayout& scale, const TextStrokes& text) const
{
    TextPlacement placement;
    placement.scale = m_style.height / text.digitHeight;
    const double halfWidth = (text.inkRight - text.inkLeft) * placement.scale / 2;
    const double reach
        = scale.radius + middleOf(firstStripe(scale.graduation, scale.lengths, scale.position));
    const double first = scale.stripeAngle(0) * radiansPerDegree;
    const PlacedPoint along { -std::sin(first), std::cos(first) };
    const double extent = m_style.orientation == NumberOrientation::Dial
        ? halfWidth
        : exitDistance(halfWidth, m_style.height / 2, along);
    const double turn = reach != 0 ? (m_style.height + extent) / std::fabs(reach) : 0;
    const double radians = first - advance(scale.graduation) * turn;
    const PlacedPoint outward { std::cos(radians), std::sin(radians) };
    if (m_style.orientation == NumberOrientation::Dial)
        placement.right = { outward.y, -outward.x };
    placement.centre = { scale.centreX + reach * outward.x,
        static_cast<double>(scale.centreY) + reach * outward.y };
    return placement;
}

// On the unrolled surface: across the middle of the first stripe, back from its distance
// around by the height and half the title's extent around the drum.
TextPlacement NumberLayout::titlePlacementOf(
    const DrumScaleLayout& scale, const TextStrokes& text) const
{
    TextPlacement placement;
    placement.scale = m_style.height / text.digitHeight;
    double extent = m_style.height / 2; // "level": it reads along +X
    if (m_style.orientation == NumberOrientation::Dial) {
        placement.right = { 0, -1 };
        extent = (text.inkRight - text.inkLeft) * placement.scale / 2;
    }
    const StripeOffsets offsets = firstStripe(scale.graduation, scale.lengths, scale.position);
    const double around = scale.surface.distanceOf(scale.stripeAngle(0));
    placement.centre = { scale.centreX + middleOf(offsets),
        around - advance(scale.graduation) * (m_style.height + extent) };
    return placement;
}

} // namespace mensora
