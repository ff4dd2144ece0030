// Fuzz target: the numeric-prefix rule, the strict number rule and the narrowing to single.
// Input: one byte choosing the user's number format, then the box text.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "model/number_rules.h"

using namespace mensora;

namespace {

// English, German and French notation (the last with its three-byte narrow no-break space).
const NumberFormat formats[] = {
    { ".", "," },
    { ",", "." },
    { ",", "\u202f" },
};

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

void checkNarrowing(double value)
{
    const auto single = singleOrNone(value);
    if (single) {
        FUZZ_CHECK(std::isfinite(*single), "a narrowed single is finite");
        FUZZ_CHECK(*single == static_cast<float>(value), "narrowing rounds to nearest");
    } else {
        FUZZ_CHECK(!std::isfinite(value) || std::fabs(value) > FLT_MAX,
            "every finite value within single range narrows");
    }
}

void checkPrefixRule(std::string_view text)
{
    const double value = numericPrefixValue(text);
    FUZZ_CHECK(!std::isnan(value), "the numeric-prefix rule never gives NaN");
    // "12mm" reads as 12: letters after the number end it and change nothing.
    const std::string withUnit = std::string(text) + "mm";
    FUZZ_CHECK(
        sameNumber(numericPrefixValue(withUnit), value), "a unit after the number is ignored");
    checkNarrowing(value);
}

void checkStrictRule(std::string_view text, const NumberFormat& format)
{
    const auto value = strictNumberValue(text, format);
    const std::string padded = " \t" + std::string(text) + "\t ";
    const auto paddedValue = strictNumberValue(padded, format);
    FUZZ_CHECK(value.has_value() == paddedValue.has_value(), "blanks at either end are allowed");
    if (!value)
        return;
    FUZZ_CHECK(std::isfinite(*value), "the strict rule reads only finite numbers");
    FUZZ_CHECK(sameNumber(*value, *paddedValue), "blanks at either end change nothing");
    checkNarrowing(*value);

    // Without separators both rules read the same plain number, so the round baseline's
    // direction and the stripes' step can never disagree on it.
    const bool plain = text.find(format.decimalSeparator) == std::string_view::npos
        && text.find(format.groupSeparator) == std::string_view::npos;
    if (plain)
        FUZZ_CHECK(
            sameNumber(numericPrefixValue(text), *value), "both rules agree on plain numbers");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const NumberFormat& format = formats[data[0] % std::size(formats)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    checkPrefixRule(text);
    checkStrictRule(text, format);

    // The raw bytes as a double reach the edges no text does: NaN, denormals, the single limit.
    if (text.size() >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, text.data(), sizeof raw);
        checkNarrowing(raw);
    }
    return 0;
}
