#pragma once

#include <cstdint>
#include <optional>

namespace mensora {

// Values stepped in whole multiples of a decimal step: from, to and the step each as a whole
// number of units of their finest decimal place (0.01 for 1, 2 and 0.01), so that 0.1 × 3 is
// 0.3 and the last value is `to` itself, never a rounding short of it or past it.
struct DecimalSteps
{
    std::int64_t first = 0; // in units
    std::int64_t last = 0;
    std::int64_t step = 0;
    double unit = 1; // 10^decimals, the units per 1

    // How many values the steps give, both ends included: none when `last` is not `first`
    // plus a whole number of steps.
    std::optional<std::int64_t> count() const;

    // Value k from the first: the decimal number (first + k × step) units, as the nearest
    // double, which is what the same number typed gives.
    double value(std::int64_t k) const { return static_cast<double>(first + k * step) / unit; }
};

// The most decimal places a value of a scale may have.
inline constexpr int maxValueDecimals = 9;

// The decimal places of a value's shortest text ("0.05" has 2); none beyond maxValueDecimals.
std::optional<int> decimalPlaces(double value);

// The steps from `from` to `to` by `step`, all in units of the finest of their decimal places;
// none when one has more than maxValueDecimals places, when a value in units reaches 2^53,
// or when the step is not above 0.
std::optional<DecimalSteps> decimalSteps(double from, double to, double step);

} // namespace mensora
