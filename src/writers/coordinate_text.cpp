#include "writers/coordinate_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "model/number_rules.h"

namespace mensora {

namespace {

char* copy(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// The thousandths of a value that is the nearest double (or single) to a number of thousandths,
// or 0 when it is not. Such a decimal is the value's own text: dividing gives the value back,
// and the division is correctly rounded, so the decimal lies within half a unit in the last
// place of the value. For a double, with fewer than 10^15 thousandths (at most 15 digits), that
// is closer than half a step of the 15-digit grid, so the decimal is that grid's nearest point.
// For a single, with fewer than 10^7 thousandths (7 digits, below 10^4), a single's unit in the
// last place stays below a step of the 7-digit grid over the whole range, from 0.001 up, so the
// same holds (and every such single has been compared with the general conversion). Most
// coordinates are such points (the layouts round to 3 decimals): this spares them the general
// conversion.
std::int64_t exactThousandths(Coord coord)
{
    const double scaled = coord.value * 1000;
    const double limit = coord.precision == Precision::Single ? 1e7 : 1e15;
    if (!(std::fabs(scaled) < limit))
        return 0;
    const auto thousandths = static_cast<std::int64_t>(scaled + (scaled < 0 ? -0.5 : 0.5));
    if (coord.precision == Precision::Single) {
        const float single = static_cast<float>(thousandths) / 1000.0f;
        return single == coord.value ? thousandths : 0;
    }
    return static_cast<double>(thousandths) / 1000.0 == coord.value ? thousandths : 0;
}

// The separator is one character but for an unusual locale: that case spares a call.
char* copySeparator(char* out, std::string_view decimalSeparator)
{
    if (decimalSeparator.size() != 1)
        return copy(out, decimalSeparator);
    *out = decimalSeparator.front();
    return out + 1;
}

char* writeThousandths(char* out, std::int64_t thousandths, std::string_view decimalSeparator)
{
    if (thousandths < 0)
        *out++ = '-';
    const auto magnitude = static_cast<std::uint64_t>(thousandths < 0 ? -thousandths : thousandths);
    out = std::to_chars(out, out + 20, magnitude / 1000).ptr;
    auto fraction = static_cast<unsigned>(magnitude % 1000);
    if (fraction == 0)
        return out;
    out = copySeparator(out, decimalSeparator);
    // All three digits go in; the end then drops the trailing zeros.
    out[0] = static_cast<char>('0' + fraction / 100);
    out[1] = static_cast<char>('0' + fraction / 10 % 10);
    out[2] = static_cast<char>('0' + fraction % 10);
    std::size_t count = 3;
    for (; fraction % 10 == 0; fraction /= 10)
        --count;
    return out + count;
}

// The value in scientific form ("-d.dddde+xx"), rounded to the significant digits. For a
// double the shortest form that reads back as the value is tried first, as it is much faster:
// when it has at most 15 digits it lies within half a unit in the last place, closer than half
// a step of the 15-digit grid, so it is that grid's nearest point too. (A single's unit in the
// last place can be wider than a step of the 7-digit grid, so singles always round.)
std::string_view roundedScientific(char (&buffer)[64], Coord coord, int significant)
{
    char* const end = buffer + sizeof buffer;
    if (coord.precision == Precision::Double) {
        const auto shortest
            = std::to_chars(buffer, end, coord.value, std::chars_format::scientific);
        const std::string_view text(buffer, static_cast<std::size_t>(shortest.ptr - buffer));
        const std::size_t mantissa = text.find('e') - (text.front() == '-' ? 1 : 0);
        const std::size_t digits = mantissa > 1 ? mantissa - 1 : mantissa; // less the point
        if (digits <= static_cast<std::size_t>(significant))
            return text;
    }
    const auto rounded
        = std::to_chars(buffer, end, coord.value, std::chars_format::scientific, significant - 1);
    return { buffer, static_cast<std::size_t>(rounded.ptr - buffer) };
}

// Any finite value: the scientific form rounded, then written out in plain notation.
char* writeRounded(char* out, Coord coord, std::string_view decimalSeparator)
{
    const int significant = coord.precision == Precision::Single ? 7 : 15;
    char scientific[64];
    const std::string_view text = roundedScientific(scientific, coord, significant);

    const bool negative = text.front() == '-';
    const std::size_t exponentMark = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + exponentMark + (text[exponentMark + 1] == '+' ? 2 : 1),
        text.data() + text.size(), exponent);

    char digits[32];
    std::size_t count = 0;
    for (char c : text.substr(negative ? 1 : 0, exponentMark - (negative ? 1 : 0)))
        if (c != '.')
            digits[count++] = c;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    const std::string_view significand(digits, count);

    if (negative)
        *out++ = '-';
    if (exponent < 0) {
        *out++ = '0';
        out = copy(out, decimalSeparator);
        out = std::fill_n(out, -exponent - 1, '0');
        return copy(out, significand);
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (count <= integerDigits)
        return std::fill_n(copy(out, significand), integerDigits - count, '0');
    out = copy(out, significand.substr(0, integerDigits));
    out = copy(out, decimalSeparator);
    return copy(out, significand.substr(integerDigits));
}

} // namespace

char* writeCoordinate(char* out, Coord coord, std::string_view decimalSeparator)
{
    if (coord.value == 0) {
        *out++ = '0'; // also a negative zero
        return out;
    }
    if (const std::int64_t thousandths = exactThousandths(coord))
        return writeThousandths(out, thousandths, decimalSeparator);
    if (!std::isfinite(coord.value)) // never in a file: the engraving refuses it first
        return std::to_chars(out, out + 4, coord.value).ptr;
    return writeRounded(out, coord, decimalSeparator);
}

void appendCoordinate(std::string& out, Coord coord, std::string_view decimalSeparator)
{
    const std::size_t size = out.size();
    out.resize(size + coordinateTextLimit + decimalSeparator.size());
    char* const end = writeCoordinate(out.data() + size, coord, decimalSeparator);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string coordinateText(Coord coord, std::string_view decimalSeparator)
{
    std::string text;
    appendCoordinate(text, coord, decimalSeparator);
    return text;
}

double writtenValue(Coord coord)
{
    char text[coordinateTextLimit + 1];
    const char* end = writeCoordinate(text, coord, ".");
    double value = 0;
    std::from_chars(text, end, value);
    return value;
}

char* writeFixedDecimals(char* out, double value, int decimals)
{
    if (!std::isfinite(value)) // never in a file: the engraving refuses it first
        return std::to_chars(out, out + 4, value).ptr;
    // Most values are the nearest double to a number of thousandths (the layouts round to 3
    // decimals), which lies within half a unit in the last place of it: far from any tie of 3
    // or more decimals, so those thousandths are its rounding, and the general conversion is
    // spared.
    if (decimals >= 3 && value != 0) {
        if (const std::int64_t thousandths = exactThousandths(Coord::wide(value)))
            return writeThousandths(out, thousandths, ".");
    }
    // to_chars rounds the exact binary value, ties to even, as printf does in the C locale.
    char* const start = out;
    char* end
        = std::to_chars(out, out + fixedTextLimit, value, std::chars_format::fixed, decimals).ptr;
    if (decimals > 0) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    if (end - start == 2 && start[0] == '-' && start[1] == '0') { // a negative that rounds to 0
        start[0] = '0';
        end = start + 1;
    }
    return end;
}

std::string fixedDecimalsText(double value, int decimals)
{
    char text[fixedTextLimit];
    return { text, writeFixedDecimals(text, value, decimals) };
}

double roundedToDecimals(double value, int decimals)
{
    char text[fixedTextLimit];
    char* const end = writeFixedDecimals(text, value, decimals);
    double rounded = value;
    std::from_chars(text, end, rounded);
    return rounded;
}

double plotterUnits(Coord coord)
{
    if (coord.precision == Precision::Single)
        return roundHalfEven(40.0f * static_cast<float>(coord.value));
    return roundHalfEven(40.0 * coord.value);
}

char* writeWholeNumber(char* out, double whole)
{
    if (whole == 0) {
        *out++ = '0';
        return out;
    }
    // Below 2^53 every whole number is an exact integer: integer digits are much faster.
    if (std::fabs(whole) < 0x1p53) {
        const auto integer = static_cast<std::int64_t>(whole);
        if (static_cast<double>(integer) == whole)
            return std::to_chars(out, out + 20, integer).ptr;
    }
    return std::to_chars(out, out + wholeNumberTextLimit, whole, std::chars_format::fixed, 0).ptr;
}

void appendWholeNumber(std::string& out, double whole)
{
    const std::size_t size = out.size();
    out.resize(size + wholeNumberTextLimit);
    char* const end = writeWholeNumber(out.data() + size, whole);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

} // namespace mensora
