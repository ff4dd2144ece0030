#include "model/number_text.h"

#include <charconv>
#include <cmath>

namespace mensora {

namespace {

// Whether the digits after `places` decimals round the kept ones up: above half, or exactly
// half with an odd last kept digit.
bool roundsUp(const std::string& whole, const std::string& fraction, std::size_t places)
{
    const char first = fraction[places];
    if (first != '5')
        return first > '5';
    if (fraction.find_first_not_of('0', places + 1) != std::string::npos)
        return true;
    const char last = places > 0 ? fraction[places - 1] : whole.back();
    return (last - '0') % 2 == 1;
}

// Adds one to the last digit of a run of decimal digits, carrying as far as it goes.
void increment(std::string& digits)
{
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

std::string numberText(double value, std::optional<int> decimals)
{
    // The shortest fixed form that reads back as the value; a value below 1e15 takes at most
    // 16 digits before the point, and a tiny one a few hundred after it.
    char buffer[512];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, written.ptr);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);

    const auto point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    const auto places = static_cast<std::size_t>(decimals.value_or(3));
    if (fraction.size() > places) {
        const bool up = roundsUp(whole, fraction, places);
        fraction.resize(places);
        if (up) {
            std::string digits = whole + fraction;
            increment(digits);
            whole = digits.substr(0, digits.size() - places);
            fraction = digits.substr(digits.size() - places);
        }
    }
    if (decimals)
        fraction.resize(places, '0');
    else
        fraction.erase(fraction.find_last_not_of('0') + 1);

    std::string result = fraction.empty() ? whole : whole + '.' + fraction;
    if (negative && result.find_first_not_of("0.") != std::string::npos)
        result.insert(result.begin(), '-');
    return result;
}

// Without an exponent where a few digits do: what a value was typed as.
std::string valueText(double value)
{
    if (value == 0)
        value = 0;
    const double size = std::fabs(value);
    const bool fixed = size == 0 || (size >= 1e-9 && size < 1e15);
    char buffer[64];
    const auto written = fixed
        ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
        : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

} // namespace mensora
