#include "model/reading_notes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "model/number_rules.h"

namespace mensora {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text as the prefix rule sees it: blanks, tabs and line feeds left out.
std::string withoutBlanks(std::string_view text)
{
    std::string kept;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            kept += c;
    return kept;
}

std::size_t digitsFrom(std::string_view s, std::size_t at)
{
    while (at < s.size() && isDigit(s[at]))
        ++at;
    return at;
}

// Where the prefix rule stops reading a decimal number (blanks already left out); 0 when no
// digit stands in front.
std::size_t decimalEnd(std::string_view s)
{
    std::size_t at = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    const std::size_t integerEnd = digitsFrom(s, at);
    std::size_t end = integerEnd;
    bool digits = integerEnd > at;
    if (end < s.size() && s[end] == '.') {
        const std::size_t fractionEnd = digitsFrom(s, end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!digits)
        return 0;
    if (end < s.size() && std::string_view("EeDd").find(s[end]) != std::string_view::npos) {
        std::size_t exponent = end + 1;
        if (exponent < s.size() && (s[exponent] == '-' || s[exponent] == '+'))
            ++exponent;
        const std::size_t exponentEnd = digitsFrom(s, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    return end;
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool isOneOf(std::string_view word, std::initializer_list<std::string_view> words)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

// What a box's numbers count: a length in the window's unit, or degrees.
enum class BoxUnit { Millimetre, Inch, Degree };

BoxUnit boxUnitOf(ScaleInput input, const ScaleParameters& p)
{
    const bool angle = input == ScaleInput::StartAngle
        || (p.shape == Shape::Round
            && (input == ScaleInput::Length || input == ScaleInput::Distance));
    if (angle)
        return BoxUnit::Degree;
    return p.unit == Unit::Inch ? BoxUnit::Inch : BoxUnit::Millimetre;
}

bool namesUnit(std::string_view rest, BoxUnit unit)
{
    const std::string word = lowerCase(rest);
    switch (unit) {
    case BoxUnit::Millimetre:
        return word == "mm";
    case BoxUnit::Inch:
        return isOneOf(word, { "in", "inch", "\"" });
    case BoxUnit::Degree:
        return isOneOf(word, { "\u00b0", "deg", "grd" });
    }
    return false;
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// Why a text that is no plain number reads as it does; nothing when it reads as meant.
std::optional<std::string> readingReason(std::string_view text, BoxUnit unit, bool unitAllowed)
{
    if (strictNumberValue(text, NumberFormat { ".", "" }))
        return std::nullopt;
    const std::string s = withoutBlanks(text);
    if (s.empty())
        return "the box is empty";
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h'))
        return "\"&H\" starts a hexadecimal number";
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'O' || s[1] == 'o'))
        return "\"&O\" starts an octal number";
    const std::size_t end = decimalEnd(s);
    if (end == 0)
        return "it starts with no number";
    const std::string_view rest = std::string_view(s).substr(end);
    if (rest.empty()) {
        if (s.find_first_of("Dd") != std::string::npos)
            return "\"D\" starts an exponent";
        return "the blanks between its digits are left out";
    }
    if (rest.size() >= 2 && rest[0] == ',' && isDigit(rest[1]))
        return "the decimal point is \".\"";
    if (unitAllowed && namesUnit(rest, unit))
        return std::nullopt;
    if (unitAllowed && unit == BoxUnit::Millimetre && namesUnit(rest, BoxUnit::Inch))
        return "the window counts mm";
    if (unitAllowed && unit == BoxUnit::Inch && namesUnit(rest, BoxUnit::Millimetre))
        return "the window counts inches";
    return quoted(rest) + " is no part of a number";
}

std::string shortestText(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool shapeReads(ScaleInput input, Shape shape)
{
    if (input == ScaleInput::Package)
        return false;
    return shape == Shape::Round
        || (input != ScaleInput::Radius && input != ScaleInput::StartAngle);
}

} // namespace

std::string windowCaption(ScaleInput input, Shape shape)
{
    const std::string caption = inputCaption(input, shape);
    return inputRow(input).stripeKind > 0 ? caption + ")" : caption;
}

std::vector<ReadingNote> readingNotes(const ScaleParameters& p)
{
    std::vector<ReadingNote> notes;
    for (const InputRow& row : inputTable) {
        if (!shapeReads(row.input, p.shape))
            continue;
        const std::string& text = inputText(p, row.input);
        const BoxUnit unit = boxUnitOf(row.input, p);
        const std::string head = windowCaption(row.input, p.shape) + ": " + quoted(text);
        if (row.input == ScaleInput::Depth) {
            // A unit after the depth goes into the program too: no text but a number is safe.
            if (const auto reason = readingReason(text, unit, false))
                notes.push_back({ row.input,
                    head + " is written into the plain program as typed: " + *reason });
            continue;
        }
        const double value = numericPrefixValue(text);
        if (!std::isfinite(value))
            continue; // refused as too large, with its own sentence
        if (const auto reason = readingReason(text, unit, true))
            notes.push_back(
                { row.input, head + " is read as " + shortestText(value) + ": " + *reason });
    }
    return notes;
}

} // namespace mensora
