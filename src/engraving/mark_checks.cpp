#include "engraving/mark_checks.h"

#include <cmath>

#include "model/scale_input.h"
#include "writers/coordinate_text.h"

namespace mensora {

namespace {

std::string unitName(Unit unit)
{
    return unit == Unit::Inch ? " in" : " mm";
}

std::string lengthText(double value, Unit unit)
{
    return fixedDecimalsText(value, unit == Unit::Inch ? 5 : 4) + unitName(unit);
}

// What the notes call a width's marks: "Stripe 3) marks", "Baseline marks", "Number strokes".
std::string marksOf(WidthSetting setting)
{
    switch (setting) {
    case WidthSetting::Baseline:
        return "The baseline comes";
    case WidthSetting::Numbers:
        return "Number strokes come";
    default:
        return "Stripe " + std::to_string(static_cast<int>(setting) + 1) + ") marks come";
    }
}

std::optional<Refusal> toolRefusal(
    WidthSetting setting, double width, const MarkTool& tool, Unit unit, double depthLimit)
{
    if (!(width > 0))
        return std::nullopt;
    if (tool.making == MarkMaking::VBit) {
        if (!(width > tool.size))
            return widthRefusal(setting,
                "must be wider than the V-bit's tip (" + lengthText(tool.size, unit)
                    + "): a V-bit cuts a mark at least as wide as its tip.");
        if (!(std::fabs(vbitDepth(width, tool)) < depthLimit))
            return widthRefusal(setting, "takes the V-bit deeper than a machine file can write.");
    }
    if (tool.making == MarkMaking::EndMill || tool.making == MarkMaking::LaserFill) {
        const double passes = passCount(width, tool.size, tool.step);
        if (!(passes <= maxPassesPerMark))
            return widthRefusal(setting,
                "takes more than " + fixedDecimalsText(maxPassesPerMark, 0) + " passes of the "
                    + tool.name() + ": it is too wide for it.");
    }
    return std::nullopt;
}

} // namespace

std::vector<WidthSetting> usedWidths(const CheckedScale& scale)
{
    const ScaleParameters& p = scale.parameters();
    std::vector<WidthSetting> used;
    for (int kind = 1; kind <= 6; ++kind)
        if (scale.graduation().sequence().find(static_cast<char>('0' + kind)) != std::string::npos)
            used.push_back(stripeWidthSetting(kind));
    if (p.baseline == Baseline::Single)
        used.push_back(WidthSetting::Baseline);
    if (scale.numbers() && *scale.numbers())
        used.push_back(WidthSetting::Numbers);
    return used;
}

std::optional<Refusal> widthsRefusal(
    const CheckedScale& scale, const MarkTool& tool, double depthLimit)
{
    const MarkWidths& widths = scale.parameters().widths;
    for (const WidthSetting setting : widthSettings) {
        const double width = widths.of(setting);
        if (!(width >= 0) || !std::isfinite(width))
            return widthRefusal(setting, "must be a number from 0 up: 0 is a single line.");
    }
    for (const WidthSetting setting : usedWidths(scale))
        if (auto refusal
            = toolRefusal(setting, widths.of(setting), tool, scale.parameters().unit, depthLimit))
            return refusal;
    return std::nullopt;
}

std::vector<std::string> narrowMarkNotes(const CheckedScale& scale, const MarkTool& tool)
{
    if (tool.making != MarkMaking::EndMill && tool.making != MarkMaking::LaserFill)
        return {};
    const Unit unit = scale.parameters().unit;
    std::vector<std::string> notes;
    for (const WidthSetting setting : usedWidths(scale)) {
        const double width = scale.parameters().widths.of(setting);
        if (width > 0 && width < tool.size)
            notes.push_back(marksOf(setting) + " out " + lengthText(tool.size, unit)
                + " wide: the tool is wider than " + lengthText(width, unit));
    }
    return notes;
}

} // namespace mensora
