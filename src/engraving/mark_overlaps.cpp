#include "engraving/mark_overlaps.h"

#include <algorithm>
#include <cmath>

#include "engraving/number_outlines.h"
#include "writers/coordinate_text.h"

namespace mensora {

namespace {

// How far a dial's outlines' chords may stray from their arcs, for the checks alone.
constexpr double checkSag = 0.001;

std::string lengthText(double value, Unit unit)
{
    return fixedDecimalsText(value, unit == Unit::Inch ? 5 : 4)
        + (unit == Unit::Inch ? " in" : " mm");
}

// How near a dial's stripe comes to the centre: 0 for one across it.
double innerReach(const RoundScaleLayout& dial, StripeIndex i)
{
    const float length = stripeLengthFor(dial.graduation.kind(i), dial.lengths).value();
    const StripeOffsets offsets = stripeOffsets(length, dial.position);
    const double start = dial.radius + static_cast<double>(offsets.start);
    const double end = dial.radius + static_cast<double>(offsets.end);
    return start * end <= 0 ? 0 : std::fmin(std::fabs(start), std::fabs(end));
}

// How far apart the marks of stripes i and i + 1 stand, where they are nearest; infinite where
// they meet at a dial's centre, which a width does not change.
struct Spacing
{
    StripeIndex i;

    double operator()(const FlatScaleLayout& ruler) const
    {
        return std::fabs(ruler.graduation.position(i + 1) - ruler.graduation.position(i));
    }
    double operator()(const RoundScaleLayout& dial) const
    {
        const double inner = std::fmin(innerReach(dial, i), innerReach(dial, i + 1));
        if (!(inner > 0))
            return INFINITY;
        const double turn
            = std::fabs(dial.graduation.position(i + 1) - dial.graduation.position(i));
        return 2 * inner * std::sin(std::fmin(turn, 360.0) / 2 * radiansPerDegree);
    }
    double operator()(const DrumScaleLayout& drum) const
    {
        return drum.surface.distanceOf(
            std::fabs(drum.graduation.position(i + 1) - drum.graduation.position(i)));
    }
};

struct MarkShape
{
    std::vector<std::vector<ShapePoint>> rings;
    ShapePoint low { INFINITY, INFINITY };
    ShapePoint high { -INFINITY, -INFINITY };

    void add(std::vector<ShapePoint> ring)
    {
        for (const ShapePoint& p : ring) {
            low = { std::fmin(low.x, p.x), std::fmin(low.y, p.y) };
            high = { std::fmax(high.x, p.x), std::fmax(high.y, p.y) };
        }
        rings.push_back(std::move(ring));
    }
    bool mayMeet(const MarkShape& other) const
    {
        return !rings.empty() && !other.rings.empty() && low.x <= other.high.x
            && other.low.x <= high.x && low.y <= other.high.y && other.low.y <= high.y;
    }
};

// The outlines the stage draws of a scale's marks, each stripe's, the baseline's and each
// number's a shape of its own, in the flat plane (a drum's surface unrolled).
class ShapeCollector : public MoveSink
{
public:
    explicit ShapeCollector(const std::optional<DrumSurface>& drum)
        : m_drum(drum)
    { }

    void move(const ToolMove& move) override
    {
        if (const auto* rapid = std::get_if<Rapid>(&move)) {
            m_ring = ShapePath { flat(rapid->x, rapid->y), {}, rapid->outline };
            if (m_section == MoveSection::Stripes)
                ++m_stripesBegun;
        } else if (const auto* cut = std::get_if<Cut>(&move); cut && m_ring) {
            m_ring->pieces.push_back({ flat(cut->x, cut->y), std::nullopt });
        } else if (const auto* arc = std::get_if<Arc>(&move); arc && m_ring) {
            m_ring->pieces.push_back({ flat(arc->x, arc->y),
                ShapeArc { flat(arc->cx, arc->cy), arc->radius, arc->startAngle, arc->sweep } });
        } else if (std::holds_alternative<Lift>(move)) {
            endRing();
        }
    }
    void section(MoveSection section) override
    {
        m_section = section;
        if (section == MoveSection::Numbers)
            numbers.emplace_back();
    }

    std::vector<std::pair<std::size_t, MarkShape>> stripes; // by stripe, from 1
    MarkShape baseline;
    std::vector<MarkShape> numbers;

private:
    ShapePoint flat(Coord x, Coord y) const
    {
        return { x.value, m_drum ? m_drum->distanceOf(y.value) : y.value };
    }
    void endRing()
    {
        if (!m_ring || m_ring->outline == Outline::None)
            return;
        std::vector<ShapePoint> corners = ringCorners(*m_ring, checkSag);
        m_ring.reset();
        if (m_section == MoveSection::Stripes)
            stripes.emplace_back(m_stripesBegun, MarkShape {}).second.add(std::move(corners));
        else if (m_section == MoveSection::Baseline)
            baseline.add(std::move(corners));
        else if (!numbers.empty())
            numbers.back().add(std::move(corners));
    }

    std::optional<DrumSurface> m_drum;
    MoveSection m_section = MoveSection::Stripes;
    std::size_t m_stripesBegun = 0;
    std::optional<ShapePath> m_ring;
};

std::optional<Refusal> baseCircleRefusal(const CheckedScale& scale, const ScaleLayout& layout)
{
    const auto* dial = std::get_if<RoundScaleLayout>(&layout);
    const double width = scale.parameters().widths.baseline;
    if (!dial || dial->baseline != Baseline::Single || !(width > 0)
        || width < 2 * std::fabs(dial->radius))
        return std::nullopt;
    return widthRefusal(WidthSetting::Baseline,
        "must be less than the base circle's diameter ("
            + lengthText(2 * std::fabs(dial->radius), scale.parameters().unit) + ").");
}

} // namespace

std::optional<Refusal> overlapRefusal(
    const CheckedScale& scale, const ScaleLayout& layout, const MarkTool& tool)
{
    if (tool.making == MarkMaking::Line)
        return std::nullopt;
    const MarkWidths& widths = scale.parameters().widths;
    const Graduation& graduation = scale.graduation();
    for (StripeIndex i = 0; i + 1 < graduation.count(); ++i) {
        const char kinds[]
            = { graduation.kind(i), graduation.kind(static_cast<StripeIndex>(i + 1)) };
        const double reach = (widths.ofKindDigit(kinds[0]) + widths.ofKindDigit(kinds[1])) / 2;
        if (!(reach > 0))
            continue;
        const double gap = std::visit(Spacing { i }, layout) - reach;
        if (!(roundedToDecimals(gap, scale.parameters().unit == Unit::Inch ? 5 : 4) < 0))
            continue;
        const char wider
            = widths.ofKindDigit(kinds[1]) > widths.ofKindDigit(kinds[0]) ? kinds[1] : kinds[0];
        return widthRefusal(stripeWidthSetting(wider - '0'),
            "makes stripes " + std::to_string(i + 1) + " and " + std::to_string(i + 2) + " (kinds "
                + kinds[0] + " and " + kinds[1] + ") overlap: the gap left between them is "
                + lengthText(gap, scale.parameters().unit) + ".");
    }
    return baseCircleRefusal(scale, layout);
}

std::vector<std::string> numberOverlapNotes(const CheckedScale& scale, const ScaleLayout& layout,
    const NumberLayout& numbers, const MarkTool& tool)
{
    const MarkWidths& widths = scale.parameters().widths;
    if (tool.making == MarkMaking::Line || !(widths.numbers > 0))
        return {};
    MarkPlane plane;
    plane.rounding = PointRounding::Exact;
    if (const auto* drum = std::get_if<DrumScaleLayout>(&layout))
        plane.drum = drum->surface;
    ShapeCollector shapes(plane.drum);
    WideMarks outlines(
        shapes, widths, graduationOf(layout).sequence(), { MarkMaking::DrawnOutlines }, plane);
    std::visit([&](const auto& l) { l.makeMoves("", outlines); }, layout);
    numbers.makeMoves(layout, "", outlines);
    outlines.finish();

    const std::vector<NumberedStripe> cut = numbers.stripesInCutOrder(layout);
    const double size = widths.numbers;
    const auto overlap = [&](const MarkShape& a, const MarkShape& b) {
        return a.mayMeet(b) && shapesOverlap(a.rings, b.rings, size);
    };
    std::vector<std::string> notes;
    for (std::size_t n = 0; n < shapes.numbers.size() && n < cut.size(); ++n) {
        const MarkShape& number = shapes.numbers[n];
        std::string other;
        for (std::size_t m = n + 1; other.empty() && m < shapes.numbers.size() && m < cut.size();
             ++m)
            if (overlap(number, shapes.numbers[m]))
                other = "number " + cut[m].text;
        for (const auto& [stripe, mark] : shapes.stripes)
            if (other.empty() && overlap(number, mark))
                other = "stripe " + std::to_string(stripe);
        if (other.empty() && overlap(number, shapes.baseline))
            other = "the baseline";
        if (!other.empty())
            notes.push_back("The outline of number " + cut[n].text + " overlaps " + other + ".");
    }
    return notes;
}

} // namespace mensora
