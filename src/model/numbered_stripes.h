#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/graduation.h"
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
// The graduation tells what the scale reads between two stripes. Refused, naming
// the setting, for a kind outside 1 to 6, decimals outside 0 to 3, a first or step that is
// not finite, and values of 1E+15 or more.
Result<std::vector<NumberedStripe>> numberedStripes(
    const Graduation& graduation, const NumberSettings& settings);

} // namespace mensora
