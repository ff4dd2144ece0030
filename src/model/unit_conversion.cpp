#include "model/unit_conversion.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "model/number_rules.h"

namespace mensora {

namespace {

constexpr double millimetresPerInch = 25.4;
constexpr double keptWithin = 1e-6;
constexpr int mostDecimals = 6;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The text less a unit word at its end that names `unit`.
std::string_view withoutUnit(std::string_view text, Unit unit)
{
    const auto endsWith = [&](std::string_view word) {
        if (text.size() < word.size())
            return false;
        const std::string_view tail = text.substr(text.size() - word.size());
        for (std::size_t i = 0; i < word.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(tail[i])) != word[i])
                return false;
        return true;
    };
    const auto mm = { std::string_view("mm") };
    const auto inch = { std::string_view("inch"), std::string_view("in"), std::string_view("\"") };
    for (std::string_view word : unit == Unit::Inch ? inch : mm)
        if (endsWith(word))
            return trimmed(text.substr(0, text.size() - word.size()));
    return text;
}

// The value with `decimals` decimals, trailing zeros left out; nothing when it is too long to
// be a box's text.
std::optional<std::string> fixedText(double value, int decimals)
{
    char buffer[64];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return std::nullopt;
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text.find_first_not_of("-0.") == std::string::npos)
        return std::string("0");
    return text;
}

} // namespace

bool isLengthInput(ScaleInput input, Shape shape)
{
    switch (input) {
    case ScaleInput::Length:
    case ScaleInput::Distance:
        return shape == Shape::Flat;
    case ScaleInput::Package:
    case ScaleInput::StartAngle:
        return false;
    default:
        return true;
    }
}

std::optional<std::string> convertedLengthText(std::string_view text, Unit from, Unit to)
{
    const auto value
        = strictNumberValue(withoutUnit(trimmed(text), from), NumberFormat { ".", "" });
    if (!value)
        return std::nullopt;
    if (from == to)
        return std::string(text);
    const double converted
        = to == Unit::Millimetre ? *value * millimetresPerInch : *value / millimetresPerInch;
    if (!std::isfinite(converted))
        return std::nullopt;
    for (int decimals = 0;; ++decimals) {
        const auto written = fixedText(converted, decimals);
        if (!written)
            return std::nullopt;
        double back = 0;
        std::from_chars(written->data(), written->data() + written->size(), back);
        if (decimals == mostDecimals || std::fabs(back - converted) <= keptWithin)
            return written;
    }
}

ScaleParameters withLengthsIn(const ScaleParameters& parameters, Unit to)
{
    ScaleParameters converted = parameters;
    for (const InputRow& row : inputTable) {
        if (!isLengthInput(row.input, parameters.shape))
            continue;
        std::string& text = inputText(converted, row.input);
        if (const auto inNewUnit = convertedLengthText(text, parameters.unit, to))
            text = *inNewUnit;
    }
    if (parameters.unit != to) {
        const double factor = to == Unit::Inch ? 1 / 25.4 : 25.4;
        for (const WidthSetting setting : widthSettings)
            converted.widths.of(setting) *= factor;
    }
    converted.unit = to;
    return converted;
}

} // namespace mensora
