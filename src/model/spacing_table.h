#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "model/graduation.h"
#include "model/result.h"
#include "model/scale_values.h"

namespace mensora {

// What a law reads besides the Length box (the length, or a dial's total angle), which every
// law maps its stripes onto, and the stripe lengths every scale has.
struct LawInputs
{
    bool distance = false; // the Distance box
    bool package = false; // the package box
    bool marks = false; // "End on the total" and "No double mark on a full turn"
    bool values = false; // the value range, its segments and the gap between stripes
    bool exponent = false; // Power's p
    bool formula = false; // Expression's f(v)
    bool points = false; // the measured points
};

// What a law is asked for: one scale's settings and box numbers, with the factor its lengths
// along the scale are multiplied by (a flat scale's lengths into the unit drawn in).
struct SpacingRequest
{
    const ScaleParameters& parameters;
    const BoxNumbers& boxes;
    double alongFactor = 1;
};

// What a law makes: the total (a length, or a dial's total angle, in the precision the
// baseline is drawn in) and the stripes.
struct SpacedStripes
{
    float total = 0;
    Graduation graduation;
};

// One row of the spacing table: a law, what it is called and what it reads, and the stripes
// it makes. A new law is a row here and a class behind SpacingRule.
struct SpacingRow
{
    std::optional<SpacingLaw> law; // none: the vernier's, which a scale's vernier chooses
    // As the window and refusals call it; the command line and scale files call a law by its
    // choiceName.
    std::string_view name;
    std::string_view rule; // how it places its stripes, for the guide and tooltips
    LawInputs inputs;
    // The stripes, checked: refused, naming the box or setting, for inputs that give none.
    Result<SpacedStripes> (*stripes)(const SpacingRequest& request);
};

// Every row, the laws in the order of SpacingLaw, then the vernier's.
std::span<const SpacingRow> spacingTable();

// The row of a law.
const SpacingRow& spacingRow(SpacingLaw law);

// The row that spaces a scale: its vernier's when it has one, else its law's.
const SpacingRow& spacingRowOf(const ScaleParameters& parameters);

} // namespace mensora
