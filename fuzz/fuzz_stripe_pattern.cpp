// Fuzz target: the stripe count and the expansion of the package into the stripe sequence.
// Input: "total|step|package", the totals read as the save command reads its boxes; the
// package is everything after the second bar.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "model/number_rules.h"
#include "model/scale_parameters.h"
#include "model/stripe_pattern.h"

using namespace mensora;

namespace {

std::string_view takeField(std::string_view& rest)
{
    const auto bar = rest.find('|');
    const std::string_view field = rest.substr(0, bar);
    rest = bar == std::string_view::npos ? std::string_view {} : rest.substr(bar + 1);
    return field;
}

bool onlyKindDigits(std::string_view text)
{
    return text.find_first_not_of("123456") == std::string_view::npos;
}

void checkSequence(const Result<std::string>& sequence, StripeCount count, std::string_view package)
{
    if (!sequence) {
        FUZZ_CHECK(!sequence.refusal().message.empty(), "a refusal says why");
        // A package of kind digits alone is refused only for its size.
        if (onlyKindDigits(package) && !package.empty() && package.size() >= 3)
            FUZZ_CHECK(count + 1 > maxStripes, "a sound package is refused only when too long");
        return;
    }
    const std::string& s = *sequence;
    FUZZ_CHECK(s.size() <= static_cast<std::size_t>(maxStripes), "at most 32767 stripes");
    FUZZ_CHECK(onlyKindDigits(s), "every stripe has a kind 1 to 6");
    if (!onlyKindDigits(package))
        return;
    // The package repeats from its first digit, and from three digits on the scale has one
    // stripe more than steps.
    for (std::size_t i = 0; i < s.size(); ++i)
        FUZZ_CHECK(s[i] == package[i % package.size()], "the package repeats in order");
    if (package.size() >= 3)
        FUZZ_CHECK(s.size() == static_cast<std::size_t>(count) + 1, "one stripe more than steps");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const auto total = readSingle(takeField(rest), ScaleInput::Length, Shape::Flat);
    const auto step = readSingle(takeField(rest), ScaleInput::Distance, Shape::Flat);
    const std::string_view package = rest;
    if (!total || !step) {
        FUZZ_CHECK(!(total ? step : total).refusal().message.empty(), "a refusal says why");
        return 0;
    }

    const auto sequence = stripeSequenceFor(*total, *step, package);
    const auto count = stripeCountFor(*total, *step);
    if (!count) {
        FUZZ_CHECK(!sequence, "a refused count refuses the sequence");
        FUZZ_CHECK(!count.refusal().message.empty(), "a refusal says why");
        FUZZ_CHECK(sequence.refusal().message == count.refusal().message, "the same refusal");
        return 0;
    }
    FUZZ_CHECK(*count >= 0, "a stripe count is never negative");
    checkSequence(sequence, *count, package);
    return 0;
}
