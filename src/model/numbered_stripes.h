#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/graduation.h"
#include "model/label_settings.h"
#include "model/number_settings.h"
#include "model/result.h"
#include "model/stripe_pattern.h"

namespace mensora {

// A stripe that carries a number, and the number's whole text.
struct NumberedStripe
{
    StripeIndex index;
    std::string text; // prefix, the value, suffix

    friend bool operator==(const NumberedStripe&, const NumberedStripe&) = default;
};

// Every stripe of the settings' kind, first stripe first, with its text. The n-th (from 0)
// reads first + n × step; with the step unset it reads first + its distance from the first
// numbered stripe, which is the same for a package that places the kind evenly (a default
// ruler reads 0, 10, … 100, a dial its angles) and stays true for one that does not.
// Reversed, they count the same from the last numbered stripe. On a scale of values each
// reads its value. The graduation tells what the scale reads between two stripes.
// The labels say how a number is written: as numberText writes it, in inch fractions or in
// Roman numerals; a label list (see listedGraduation) gives every stripe whose value it lists,
// whatever its kind, the listed text alone. Refused, naming the setting, for a kind outside 1
// to 6, decimals outside 0 to 3, a first or step that is not finite, values of 1E+15 or more,
// and a value that has no fraction or Roman numeral.
Result<std::vector<NumberedStripe>> numberedStripes(
    const Graduation& graduation, const NumberSettings& settings, const LabelSettings& labels = {});

} // namespace mensora
