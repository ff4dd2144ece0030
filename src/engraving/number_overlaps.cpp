// The note on numbers that run together: two numbers' boxes that overlap, or a number over a
// stripe. Measured on the layout's own geometry, unrounded, before any file is written.

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "engraving/scale_notes.h"
#include "layout/number_boxes.h"
#include "layout/scale_layout.h"

namespace mensora {

namespace {

// Shapes closer than this (in the scale's unit) only touch: a number set at a gap of 0 from
// its stripe's end touches it.
constexpr double touching = 1e-6;

using Convex = std::span<const PlacedPoint>;

// Whether one shape lies wholly on one side of an edge's line of the other, or only touches it.
bool separatedByEdgesOf(Convex edges, Convex a, Convex b)
{
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const PlacedPoint from = edges[i];
        const PlacedPoint to = edges[(i + 1) % edges.size()];
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        if (!(length > 0))
            continue;
        const PlacedPoint normal { (from.y - to.y) / length, (to.x - from.x) / length };
        const auto span = [&](Convex shape) {
            double low = INFINITY;
            double high = -INFINITY;
            for (const PlacedPoint& p : shape) {
                const double projected = p.x * normal.x + p.y * normal.y;
                low = std::fmin(low, projected);
                high = std::fmax(high, projected);
            }
            return std::pair { low, high };
        };
        const auto [lowA, highA] = span(a);
        const auto [lowB, highB] = span(b);
        if (highA <= lowB + touching || highB <= lowA + touching)
            return true;
    }
    return false;
}

// Two convex shapes (a box, or a stripe of two points) share more than a touch.
bool overlap(Convex a, Convex b)
{
    return !separatedByEdgesOf(a, a, b) && !separatedByEdgesOf(b, a, b);
}

bool contains(Convex box, PlacedPoint point)
{
    const PlacedPoint single[] = { point };
    return overlap(box, single);
}

// Where along the scale the box reaches, as alongScale measures the stripes; nothing when it
// may reach every stripe (a dial's number over its centre).
std::optional<std::pair<double, double>> reachAlong(const ScaleLayout& layout, const NumberBox& box)
{
    double low = INFINITY;
    double high = -INFINITY;
    const auto take = [&](double along) {
        low = std::fmin(low, along);
        high = std::fmax(high, along);
    };
    if (const auto* round = std::get_if<RoundScaleLayout>(&layout)) {
        const PlacedPoint centre { round->centreX, static_cast<double>(round->centreY) };
        if (contains(box.corners, centre))
            return std::nullopt;
        const double own = round->stripeAngle(box.index);
        for (const PlacedPoint& corner : box.corners) {
            const double angle
                = std::atan2(corner.y - centre.y, corner.x - centre.x) / radiansPerDegree;
            take(graduationOf(layout).position(box.index) + std::remainder(angle - own, 360.0));
        }
    } else if (const auto* drum = std::get_if<DrumScaleLayout>(&layout)) {
        const double origin = drum->surface.distanceOf(drum->startAngle);
        for (const PlacedPoint& corner : box.corners)
            take(corner.y - origin);
    } else {
        const double origin = std::get<FlatScaleLayout>(layout).startX;
        for (const PlacedPoint& corner : box.corners)
            take(corner.x - origin);
    }
    return std::pair { low - touching, high + touching };
}

// The stripes whose place along the scale lies within the reach: places run one way.
std::pair<StripeIndex, StripeIndex> stripesWithin(
    const ScaleLayout& layout, std::optional<std::pair<double, double>> reach)
{
    const StripeIndex count = graduationOf(layout).count();
    if (!reach || count < 2)
        return { 0, count };
    const bool rising
        = alongScale(layout, static_cast<StripeIndex>(count - 1)) >= alongScale(layout, 0);
    // The first stripe for which `past` holds, all after it holding it too.
    const auto firstWhere = [&](auto past) {
        int low = 0;
        int high = count;
        while (low < high) {
            const int middle = (low + high) / 2;
            if (past(alongScale(layout, static_cast<StripeIndex>(middle))))
                high = middle;
            else
                low = middle + 1;
        }
        return static_cast<StripeIndex>(low);
    };
    const auto [low, high] = *reach;
    if (rising)
        return { firstWhere([low](double at) { return at >= low; }),
            firstWhere([high](double at) { return at > high; }) };
    return { firstWhere([high](double at) { return at <= high; }),
        firstWhere([low](double at) { return at < low; }) };
}

// The box grown by `margin` on every side.
std::array<PlacedPoint, 4> grown(const std::array<PlacedPoint, 4>& box, double margin)
{
    const auto unit = [](PlacedPoint from, PlacedPoint to) {
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        return length > 0 ? PlacedPoint { (to.x - from.x) / length, (to.y - from.y) / length }
                          : PlacedPoint {};
    };
    PlacedPoint right = unit(box[0], box[1]);
    PlacedPoint up = unit(box[0], box[3]);
    if (right.x == 0 && right.y == 0)
        right = { up.y, -up.x };
    const auto moved = [&](PlacedPoint p, double along, double above) {
        return PlacedPoint { p.x + margin * (along * right.x + above * up.x),
            p.y + margin * (along * right.y + above * up.y) };
    };
    return { moved(box[0], -1, -1), moved(box[1], 1, -1), moved(box[2], 1, 1),
        moved(box[3], -1, 1) };
}

// Numbers not clearly farther apart than the digits of one number read as one: "150140130".
// Half as much room again as between two digits sets them apart.
bool runTogether(const NumberBox& a, const NumberBox& b, double digitSpace)
{
    const double margin = 1.5 * digitSpace / 2;
    return overlap(grown(a.corners, margin), grown(b.corners, margin));
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string heightCaption()
{
    return numberSettingCaption(NumberSetting::Height);
}

ScaleNote numbersOverlap(const CheckedScale& scale, const NumberBox& a, const NumberBox& b)
{
    const ScaleParameters& p = scale.parameters();
    const bool turnable
        = p.shape == Shape::Round && p.numbers.orientation == NumberOrientation::Dial;
    const std::string helps = "a smaller " + heightCaption()
        + (turnable ? ", level numbers or fewer numbers" : " or fewer numbers");
    return { NumberSetting::Height,
        "Numbers " + quoted(a.text) + " and " + quoted(b.text)
            + " run together and read as one: " + helps + " would keep them apart." };
}

ScaleNote numberOverStripe(const NumberBox& box, StripeIndex stripe)
{
    return { NumberSetting::Height,
        "Number " + quoted(box.text) + " lies over stripe " + std::to_string(stripe + 1)
            + ": a smaller " + heightCaption() + " or a larger "
            + numberSettingCaption(NumberSetting::Gap) + " would keep it clear." };
}

std::optional<ScaleNote> stripeUnderANumber(
    const ScaleLayout& layout, const std::vector<NumberBox>& boxes)
{
    for (const NumberBox& box : boxes) {
        const auto [first, end] = stripesWithin(layout, reachAlong(layout, box));
        for (StripeIndex i = first; i < end; ++i) {
            const auto ends = stripeEnds(layout, i);
            if (overlap(box.corners, ends))
                return numberOverStripe(box, i);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<ScaleNote> overlapNote(const CheckedScale& scale)
{
    const auto& numbers = scale.numbers();
    if (!numbers || !*numbers)
        return std::nullopt;
    const ScaleLayout layout
        = scaleLayoutOf(scale.parameters(), scale.values(), { false, PointRounding::Exact });
    std::vector<NumberBox> boxes = (*numbers)->boxes(layout);
    // Past a whole turn the numbers stand on marks cut before: the whole turn's note says so.
    if (scale.parameters().shape == Shape::Round) {
        const std::size_t turn = stripesBeforeTurn(scale);
        std::erase_if(boxes,
            [turn](const NumberBox& box) { return static_cast<std::size_t>(box.index) >= turn; });
    }
    const double space = (*numbers)->digitSpace();
    for (std::size_t i = 1; i < boxes.size(); ++i)
        if (runTogether(boxes[i - 1], boxes[i], space))
            return numbersOverlap(scale, boxes[i - 1], boxes[i]);
    // Around a dial the last number comes back beside the first.
    if (scale.parameters().shape == Shape::Round && boxes.size() > 2
        && runTogether(boxes.back(), boxes.front(), space))
        return numbersOverlap(scale, boxes.back(), boxes.front());
    return stripeUnderANumber(layout, boxes);
}

} // namespace mensora
