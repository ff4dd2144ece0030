#include "model/decimal_steps.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace mensora {

namespace {

// Whole numbers of units below this are exact in a double, sums of two of them in int64.
constexpr double largestUnits = 9007199254740992.0; // 2^53

std::optional<std::int64_t> inUnits(double value, double unit)
{
    const double units = std::round(value * unit);
    if (!(std::fabs(units) < largestUnits))
        return std::nullopt;
    return static_cast<std::int64_t>(units);
}

} // namespace

std::optional<std::int64_t> DecimalSteps::count() const
{
    const std::int64_t span = last - first;
    if (step <= 0 || span < 0 || span % step != 0)
        return std::nullopt;
    return span / step + 1;
}

std::optional<int> decimalPlaces(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    char buffer[400];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const auto point = text.find('.');
    if (point == std::string_view::npos)
        return 0;
    const auto places = static_cast<int>(text.size() - point - 1);
    if (places > maxValueDecimals)
        return std::nullopt;
    return places;
}

std::optional<DecimalSteps> decimalSteps(double from, double to, double step)
{
    const auto a = decimalPlaces(from);
    const auto b = decimalPlaces(to);
    const auto s = decimalPlaces(step);
    if (!a || !b || !s || !(step > 0))
        return std::nullopt;
    const int places = std::max({ *a, *b, *s });
    DecimalSteps steps;
    steps.unit = std::pow(10.0, places);
    const auto first = inUnits(from, steps.unit);
    const auto last = inUnits(to, steps.unit);
    const auto each = inUnits(step, steps.unit);
    if (!first || !last || !each)
        return std::nullopt;
    steps.first = *first;
    steps.last = *last;
    steps.step = *each;
    return steps;
}

} // namespace mensora
