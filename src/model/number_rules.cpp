#include "model/number_rules.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/scale_parameters.h"

namespace mensora {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// The whole number at the front of text in the given base; digits beyond 2^53 lose exactness,
// which no scale comes near.
double wholeNumberPrefix(std::string_view text, int base)
{
    double value = 0;
    for (char c : text) {
        const int digit = digitValue(c);
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return value;
}

// The parts of a decimal number, already checked; turns them into the nearest double.
struct DecimalParts
{
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    long long exponent = 0;
};

// Nearest double of the parts; infinity when the number is beyond double range.
double toDouble(const DecimalParts& parts)
{
    std::string normal;
    if (parts.negative)
        normal += '-';
    normal += parts.integerDigits.empty() ? "0" : parts.integerDigits;
    if (!parts.fractionDigits.empty())
        normal += "." + parts.fractionDigits;
    normal += "e" + std::to_string(parts.exponent);

    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error != std::errc::result_out_of_range)
        return value;

    // Out of range: overflow or underflow, told apart by the decimal position of the first
    // significant digit.
    const std::string digits = parts.integerDigits + parts.fractionDigits;
    const auto first = digits.find_first_not_of('0');
    const long long magnitude = parts.exponent + static_cast<long long>(parts.integerDigits.size())
        - static_cast<long long>(first);
    const double limit = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return parts.negative ? -limit : limit;
}

// Reads an exponent's digits, saturating far beyond any double's range.
long long exponentValue(std::string_view digits)
{
    long long value = 0;
    for (char c : digits)
        value = std::min<long long>(value * 10 + (c - '0'), 1'000'000'000);
    return value;
}

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool consume(std::string_view& text, std::string_view token)
{
    if (token.empty() || !text.starts_with(token))
        return false;
    text.remove_prefix(token.size());
    return true;
}

std::string takeDigits(std::string_view& text)
{
    std::size_t n = 0;
    while (n < text.size() && isDigit(text[n]))
        ++n;
    std::string digits(text.substr(0, n));
    text.remove_prefix(n);
    return digits;
}

// A sign in front of digits; true for "-".
bool takeMinus(std::string_view& text)
{
    if (consume(text, "-"))
        return true;
    consume(text, "+");
    return false;
}

// The exponent that may follow a number: one of `letters`, a sign, digits. 0 when no letter
// follows; none when the letter has no digits after it.
std::optional<long long> takeExponent(std::string_view& text, std::string_view letters)
{
    if (text.empty() || letters.find(text.front()) == std::string_view::npos)
        return 0;
    text.remove_prefix(1);
    const bool negative = takeMinus(text);
    const std::string digits = takeDigits(text);
    if (digits.empty())
        return std::nullopt;
    const long long value = exponentValue(digits);
    return negative ? -value : value;
}

// Integer digits, either ungrouped or in groups of three after a first group of one to three.
std::optional<std::string> takeGroupedDigits(std::string_view& text, std::string_view group)
{
    std::string digits = takeDigits(text);
    if (digits.empty() || group.empty() || digits.size() > 3 || !text.starts_with(group))
        return digits;
    while (consume(text, group)) {
        const std::string next = takeDigits(text);
        if (next.size() != 3)
            return std::nullopt;
        digits += next;
    }
    return digits;
}

} // namespace

double numericPrefixValue(std::string_view text)
{
    std::string s;
    for (char c : text)
        if (!isBlank(c))
            s += c;

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return wholeNumberPrefix(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o')
            return wholeNumberPrefix(std::string_view(s).substr(2), 8);
        return 0;
    }

    std::string_view rest(s);
    DecimalParts parts;
    parts.negative = takeMinus(rest);
    parts.integerDigits = takeDigits(rest);
    if (consume(rest, "."))
        parts.fractionDigits = takeDigits(rest);
    if (parts.integerDigits.empty() && parts.fractionDigits.empty())
        return 0;
    // An exponent letter without digits reads as no exponent.
    parts.exponent = takeExponent(rest, "EeDd").value_or(0);
    return toDouble(parts);
}

std::optional<double> strictNumberValue(std::string_view text, const NumberFormat& format)
{
    std::string_view rest = trimBlanks(text);
    DecimalParts parts;
    parts.negative = takeMinus(rest);
    const auto integerDigits = takeGroupedDigits(rest, format.groupSeparator);
    if (!integerDigits)
        return std::nullopt;
    parts.integerDigits = *integerDigits;
    if (consume(rest, format.decimalSeparator))
        parts.fractionDigits = takeDigits(rest);
    if (parts.integerDigits.empty() && parts.fractionDigits.empty())
        return std::nullopt;

    const auto exponent = takeExponent(rest, "Ee");
    if (!exponent || !rest.empty())
        return std::nullopt;
    parts.exponent = *exponent;

    const double value = toDouble(parts);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

float singleOrInfinity(double value)
{
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (const auto single = singleOrNone(value))
        return *single;
    return value < 0 ? -std::numeric_limits<float>::infinity()
                     : std::numeric_limits<float>::infinity();
}

double roundHalfEven(double value)
{
    const double away = std::round(value);
    if (std::fabs(away - value) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return away;
}

Refusal tooLargeRefusal(ScaleInput input, Shape shape)
{
    return { input,
        inputCaption(input, shape) + " is too large: numbers here must stay below 3.4E+38." };
}

Result<float> singleTimes(double number, ScaleInput input, Shape shape, double factor)
{
    const auto value = singleOrNone(number);
    if (!value)
        return tooLargeRefusal(input, shape);
    if (factor == 1.0)
        return *value;
    if (const auto single = singleOrNone(static_cast<double>(*value) * factor))
        return *single;
    return tooLargeRefusal(input, shape);
}

Result<float> readSingle(std::string_view text, ScaleInput input, Shape shape)
{
    if (const auto single = singleOrNone(numericPrefixValue(text)))
        return *single;
    return tooLargeRefusal(input, shape);
}

Result<double> readDouble(std::string_view text, ScaleInput input, Shape shape)
{
    const double value = numericPrefixValue(text);
    if (!std::isfinite(value))
        return Refusal { input, inputCaption(input, shape) + " is too large." };
    return value;
}

} // namespace mensora
