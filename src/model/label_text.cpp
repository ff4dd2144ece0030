#include "model/label_text.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace mensora {

namespace {

// The whole number a value is, to within 1E-9 of it relative to its size; none for another.
std::optional<std::int64_t> wholeNumber(double value)
{
    const double nearest = std::round(value);
    if (!(std::fabs(nearest) < 1e15)
        || std::fabs(value - nearest) > 1e-9 * std::fmax(1, std::fabs(nearest)))
        return std::nullopt;
    return static_cast<std::int64_t>(nearest);
}

} // namespace

std::optional<std::string> fractionText(double value, bool mixed)
{
    for (int denominator = 1; denominator <= finestFraction; denominator *= 2) {
        const auto numerator = wholeNumber(value * denominator);
        if (!numerator)
            continue;
        const std::string sign = *numerator < 0 ? "-" : "";
        const std::int64_t top = std::llabs(*numerator);
        if (denominator == 1)
            return sign + std::to_string(top);
        const std::string below = "/" + std::to_string(denominator);
        if (!mixed || top < denominator)
            return sign + std::to_string(top) + below;
        return sign + std::to_string(top / denominator) + " " + std::to_string(top % denominator)
            + below;
    }
    return std::nullopt;
}

std::optional<std::string> romanText(double value)
{
    const auto whole = wholeNumber(value);
    if (!whole || *whole < 1 || *whole > 3999)
        return std::nullopt;
    struct Numeral
    {
        int value;
        const char* text;
    };
    static constexpr std::array<Numeral, 13> numerals = { { { 1000, "M" }, { 900, "CM" },
        { 500, "D" }, { 400, "CD" }, { 100, "C" }, { 90, "XC" }, { 50, "L" }, { 40, "XL" },
        { 10, "X" }, { 9, "IX" }, { 5, "V" }, { 4, "IV" }, { 1, "I" } } };
    std::string text;
    std::int64_t rest = *whole;
    for (const Numeral& numeral : numerals)
        for (; rest >= numeral.value; rest -= numeral.value)
            text += numeral.text;
    return text;
}

std::string labelSettingCaption(LabelSetting setting)
{
    static constexpr std::array<const char*, 3> captions = { "Labels", "Label list", "Title" };
    return captions[static_cast<std::size_t>(setting)];
}

} // namespace mensora
