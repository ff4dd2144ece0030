#include "model/value_segments.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "model/character_text.h"
#include "model/decimal_steps.h"
#include "model/number_rules.h"
#include "model/number_text.h"
#include "model/scale_input.h"
#include "model/scale_values.h"

namespace mensora {

namespace {

Refusal segmentRefusal(const SteppedSegment& s, const std::string& reason)
{
    const std::string sentence = segmentLabel(s) + ": " + reason;
    if (s.given)
        return { SpacingSetting::Segments, sentence };
    return { ScaleInput::Distance, sentence };
}

Refusal packageRefusal(const SteppedSegment& s, const std::string& reason)
{
    if (s.given)
        return segmentRefusal(s, reason);
    return { ScaleInput::Package, segmentLabel(s) + ": " + reason };
}

// The segment's values, checked; refused as segmentedValues says.
Result<DecimalSteps> stepsOf(const SteppedSegment& s, const SpacingSettings& range)
{
    const ValueSegment& g = s.segment;
    if (!std::isfinite(g.from) || !std::isfinite(g.to) || !std::isfinite(g.step))
        return segmentRefusal(s, "its values and step must be finite numbers.");
    if (!(g.step > 0))
        return segmentRefusal(s, "its step must be above 0.");
    if (!(g.from < g.to))
        return segmentRefusal(s, "it must run from a lower value to a higher one.");
    if (g.from < range.from || g.to > range.to)
        return segmentRefusal(s,
            "it lies outside the values " + valueText(range.from) + " to " + valueText(range.to)
                + ".");
    const auto steps = decimalSteps(g.from, g.to, g.step);
    if (!steps)
        return segmentRefusal(s,
            "its values may have at most " + std::to_string(maxValueDecimals)
                + " decimals, and 15 digits in all.");
    if (!steps->count())
        return segmentRefusal(s,
            valueText(g.from) + " to " + valueText(g.to) + " is no whole number of steps of "
                + valueText(g.step) + ".");
    return *steps;
}

// The package's kinds: spaces at either end left out, as a package box's are.
Result<std::string> packageOf(const SteppedSegment& s)
{
    const std::string& text = s.segment.package;
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return packageRefusal(s, "its package must not be empty.");
    const std::string package = text.substr(first, text.find_last_not_of(' ') - first + 1);
    for (std::size_t i = 0; i < package.size(); ++i)
        if (package[i] < '1' || package[i] > '6')
            return packageRefusal(s,
                "its package may hold only the digits 1 to 6, not " + describeCharacter(package, i)
                    + ".");
    return package;
}

char longerKind(char a, char b, const std::array<double, 6>& lengths)
{
    const auto length
        = [&](char kind) { return std::fabs(lengths[static_cast<std::size_t>(kind - '1')]); };
    return length(b) > length(a) ? b : a;
}

// Three significant digits: what a gap found is told in.
std::string gapText(double gap)
{
    char buffer[32];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, gap, std::chars_format::general, 3);
    return std::string(buffer, written.ptr);
}

// The distance between the feet of two stripes at these places, in the scale's own unit.
double feetApart(double a, double b, const ScaleParameters& p, double radius, double alongFactor)
{
    if (p.shape == Shape::Flat)
        return std::fabs(b - a) / alongFactor;
    const double radians = std::fabs(b - a) * std::numbers::pi / 180;
    if (p.onDrum())
        return std::fabs(radius) * radians;
    return 2 * std::fabs(radius) * std::sin(std::min(radians, std::numbers::pi) / 2);
}

} // namespace

std::vector<SteppedSegment> steppedSegments(const ScaleParameters& p, double distance)
{
    const SpacingSettings& s = p.spacing;
    if (s.segments.empty())
        return { { ValueSegment { s.from, s.to, distance, p.package }, std::nullopt } };
    std::vector<SteppedSegment> segments;
    for (std::size_t i = 0; i < s.segments.size(); ++i)
        segments.push_back({ s.segments[i], i });
    std::stable_sort(
        segments.begin(), segments.end(), [](const SteppedSegment& a, const SteppedSegment& b) {
            return a.segment.from < b.segment.from;
        });
    return segments;
}

std::string segmentLabel(const SteppedSegment& s)
{
    const ValueSegment& g = s.segment;
    const std::string range
        = valueText(g.from) + " to " + valueText(g.to) + " every " + valueText(g.step);
    if (s.given)
        return "Segment " + std::to_string(*s.given + 1) + " (" + range + ")";
    return "The values " + range;
}

Result<SegmentedValues> segmentedValues(
    const ScaleParameters& p, double distance, const std::array<double, 6>& stripeLengths)
{
    const std::vector<SteppedSegment> segments = steppedSegments(p, distance);
    if (segments.size() > maxSpacingEntries)
        return Refusal { SpacingSetting::Segments,
            "A scale may have at most " + std::to_string(maxSpacingEntries) + " segments." };
    std::vector<DecimalSteps> steps;
    std::int64_t stripes = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        auto stepped = stepsOf(segments[i], p.spacing);
        if (!stepped)
            return stepped.refusal();
        if (i > 0 && segments[i].segment.from < segments[i - 1].segment.to) {
            std::string other = segmentLabel(segments[i - 1]);
            other.front() = 's';
            return segmentRefusal(segments[i], "it overlaps " + other + ".");
        }
        stripes += *stepped->count();
        if (stripes > maxStripes + static_cast<std::int64_t>(i))
            return segmentRefusal(segments[i], "the segments give more than 32767 stripes.");
        steps.push_back(*stepped);
    }
    SegmentedValues made;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        auto package = packageOf(segments[i]);
        if (!package)
            return package.refusal();
        const std::int64_t count = *steps[i].count();
        for (std::int64_t k = 0; k < count; ++k) {
            const double value = steps[i].value(k);
            const char kind = (*package)[static_cast<std::size_t>(k) % package->size()];
            if (k == 0 && !made.values.empty() && made.values.back() == value) {
                made.kinds.back() = longerKind(made.kinds.back(), kind, stripeLengths);
                continue;
            }
            made.values.push_back(value);
            made.kinds.push_back(kind);
        }
    }
    if (made.values.size() > maxStripes)
        return segmentRefusal(segments.back(), "the segments give more than 32767 stripes.");
    return made;
}

double minGapOf(const SpacingSettings& settings, Unit unit)
{
    if (settings.minGap)
        return *settings.minGap;
    return unit == Unit::Inch ? defaultMinGapInch : defaultMinGapMm;
}

// One pass: the stripes rise, and so do the segments, so the segment of each two neighbours is
// found by moving on from the last one's.
std::optional<GapFault> gapFault(
    const Graduation& g, const ScaleParameters& p, double radius, double alongFactor)
{
    const double gap = minGapOf(p.spacing, p.unit);
    const std::vector<SteppedSegment> segments = steppedSegments(p, numericPrefixValue(p.distance));
    std::size_t s = 0;
    std::optional<StripeIndex> closest;
    double nearest = gap;
    for (StripeIndex i = 1; i < g.count(); ++i) {
        // On to the segment that holds this stripe, unless the one before has a fault.
        while (!closest && s < segments.size() && segments[s].segment.to < g.value(i))
            ++s;
        if (s == segments.size() || segments[s].segment.to < g.value(i))
            break;
        if (g.value(i - 1) < segments[s].segment.from)
            continue; // across a stretch no segment steps
        const double apart = feetApart(g.position(i - 1), g.position(i), p, radius, alongFactor);
        if (apart < nearest) {
            nearest = apart;
            closest = i;
        }
    }
    if (!closest)
        return std::nullopt;
    const std::string unit = p.unit == Unit::Inch ? " in" : " mm";
    const std::string reason = "the stripes at " + valueText(g.value(*closest - 1)) + " and "
        + valueText(g.value(*closest)) + " stand " + gapText(nearest) + unit
        + " apart, closer than the gap of " + valueText(gap) + unit + ".";
    return GapFault { segments[s].given, segmentRefusal(segments[s], reason) };
}

std::optional<GapFault> segmentTooClose(const ScaleParameters& parameters)
{
    // Without the gap, and without the marks of listed labels, which keep no gap.
    ScaleParameters ungapped = parameters;
    ungapped.spacing.minGap = 0;
    ungapped.labels.style = LabelStyle::Numbers;
    const auto values = readScaleValues(ungapped);
    if (!values || !values->graduation.readsValues())
        return std::nullopt;
    return gapFault(values->graduation, parameters, values->radius);
}

} // namespace mensora
