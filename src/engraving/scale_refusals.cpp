#include "engraving/scale_refusals.h"

#include <cmath>
#include <limits>
#include <utility>

#include "layout/scale_arithmetic.h"
#include "model/character_text.h"
#include "model/scale_input.h"
#include "writers/coordinate_text.h"

namespace mensora {

namespace {

// A drawing's coordinate at most this large leaves its extent, an arc's radius and the points
// an arc reaches (under four times the largest coordinate) finite.
constexpr double drawingLimit = std::numeric_limits<double>::max() / 8;

std::pair<ScaleInput, double> largestInput(const CheckedScale& scale, bool unrolledDrum)
{
    const BoxNumbers& n = scale.boxes();
    const bool round = scale.parameters().shape == Shape::Round;
    // The last stripe stands this many steps from the first.
    const double steps = std::fmax(0, static_cast<double>(scale.graduation().count()) - 1);
    const std::pair<ScaleInput, double> candidates[] = {
        { ScaleInput::StartX, n.startX },
        { ScaleInput::StartY, n.startY },
        // The total before the steps that make it up, when they come to as much.
        { ScaleInput::Length, n.length },
        { ScaleInput::Distance, n.distance * steps },
        { ScaleInput::Radius,
            !round ? 0
                : unrolledDrum
                ? n.radius * (std::fabs(n.length) + std::fabs(n.startAngle)) * radiansPerDegree
                : n.radius },
        { ScaleInput::StartAngle, round ? n.startAngle : 0 },
    };
    ScaleInput blamed = ScaleInput::Length;
    double largest = -1;
    for (const auto& [input, value] : candidates) {
        const double magnitude = std::isnan(value) ? INFINITY : std::fabs(value);
        if (magnitude > largest) {
            blamed = input;
            largest = magnitude;
        }
    }
    for (int kind = 1; kind <= 6; ++kind) {
        const double magnitude = std::fabs(n.stripeLengths[static_cast<std::size_t>(kind - 1)]);
        if (magnitude > largest) {
            blamed = stripeLengthInput(kind);
            largest = magnitude;
        }
    }
    return { blamed, largest };
}

std::string_view fileKind(OutputFormat format)
{
    return format == OutputFormat::Plot ? "plot files" : "G-code programs";
}

// The captions of the profiles whose files hold a drum in that form, joined by "or".
std::string profilesHolding(DrumForm form)
{
    std::string names;
    for (const OutputRow& row : outputTable) {
        if (row.profile && row.drum() == form)
            names += (names.empty() ? "" : " or ") + std::string(row.dialect().caption);
    }
    return names;
}

Refusal drumRefused(const OutputRow& output)
{
    return Refusal { MachineSetting::Profile,
        std::string(output.dialect().caption) + " " + std::string(fileKind(output.format))
            + " cannot hold a drum: choose the " + profilesHolding(DrumForm::RotaryAxis)
            + " profile (a rotary axis) or " + profilesHolding(DrumForm::Unrolled)
            + " (a roller)." };
}

// Whether two scales go around one drum, in the first one's unit.
bool sameDrum(const CheckedScale& first, const CheckedScale& other)
{
    const ScaleParameters& a = first.parameters();
    const ScaleParameters& b = other.parameters();
    if (!b.onDrum() || a.rotaryAxis != b.rotaryAxis)
        return false;
    const double factor = a.unit == b.unit ? 1 : b.unit == Unit::Inch ? 25.4 : 1 / 25.4;
    const auto near = [](double x, double y) {
        return std::fabs(x - y) <= 1e-9 * std::fmax(std::fabs(x), std::fabs(y));
    };
    return near(first.values().radius, other.values().radius * factor)
        && near(first.values().startY, other.values().startY * factor);
}

} // namespace

void CoordinateCheck::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        checkPoint(rapid->x, rapid->y);
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        checkPoint(cut->x, cut->y);
    } else if (const auto* arc = std::get_if<Arc>(&move)) {
        checkPoint(arc->x, arc->y);
        checkPoint(arc->cx, arc->cy);
    }
}

bool CoordinateCheck::writable(Coord c) const
{
    if (!std::isfinite(c.value))
        return false;
    switch (m_range) {
    case CoordinateRange::PlotterUnits:
        return std::isfinite(plotterUnits(c));
    case CoordinateRange::Drawing:
        return std::fabs(c.value) <= drawingLimit;
    case CoordinateRange::Finite:
        break;
    }
    return true;
}

Refusal coordinatesTooLarge(const CheckedScale& scale, bool unrolledDrum, const std::string& reason)
{
    const ScaleInput blamed = largestInput(scale, unrolledDrum).first;
    return { blamed, inputCaption(blamed, scale.parameters().shape) + reason };
}

Refusal numbersTooLarge(
    const CheckedScale& scale, bool unrolledDrum, const std::optional<std::string>& reason)
{
    const ScaleParameters& p = scale.parameters();
    const double height = std::fabs(numberHeightOf(p.numbers, p.unit));
    const double gap = std::fabs(numberGapOf(p.numbers, p.unit));
    if (std::fmax(height, gap) < largestInput(scale, unrolledDrum).second)
        return reason ? coordinatesTooLarge(scale, unrolledDrum, *reason)
                      : coordinatesTooLarge(scale, unrolledDrum);
    const NumberSetting blamed = height >= gap ? NumberSetting::Height : NumberSetting::Gap;
    return settingRefusal(blamed,
        numberSettingCaption(blamed)
            + reason.value_or(" is too large: the numbers' coordinates cannot be written."));
}

std::optional<Refusal> depthRefusal(const std::string& depth)
{
    const auto bad = findNonPrintableAscii(depth);
    if (bad == std::string::npos)
        return std::nullopt;
    return Refusal { ScaleInput::Depth,
        "Engr depth may hold only plain ASCII characters, not " + describeCharacter(depth, bad)
            + "." };
}

std::optional<Refusal> drumRefusal(const CheckedJob& job, const OutputRow& output)
{
    const auto& scales = job.scales();
    std::size_t drum = 0;
    while (drum < scales.size() && !scales[drum].parameters().onDrum())
        ++drum;
    if (drum == scales.size())
        return std::nullopt;
    if (output.drum() == DrumForm::None)
        return job.refusalInScale(drumRefused(output), drum);
    if (output.drum() != DrumForm::RotaryAxis)
        return std::nullopt;
    for (std::size_t i = 0; i < scales.size(); ++i) {
        if (i == drum || sameDrum(scales[drum], scales[i]))
            continue;
        Refusal refusal { MachineSetting::Profile,
            std::string(output.dialect().caption)
                + " programs turn one drum: this scale does not go around the drum of "
                + job.label(drum) + ". Choose " + profilesHolding(DrumForm::Unrolled)
                + " (a roller), or export a drawing." };
        return job.refusalInScale(std::move(refusal), i);
    }
    return std::nullopt;
}

} // namespace mensora
