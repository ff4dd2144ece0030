#pragma once

#include <array>
#include <string>

#include "model/scale_parameters.h"

namespace mensora {

// The inputs of a scale that a refusal can point at, one per box.
enum class ScaleInput {
    Length,
    Distance,
    Stripe1,
    Stripe2,
    Stripe3,
    Stripe4,
    Stripe5,
    Stripe6,
    Package,
    StartX,
    StartY,
    Depth,
    Radius,
    StartAngle,
};

// One input: where its text lives, what the user calls it in each shape, and the
// command-line option that sets it.
struct InputRow
{
    ScaleInput input;
    std::string ScaleParameters::*text; // the field, or nullptr for a stripe length
    int stripeKind; // 1 .. 6 for a stripe length, else 0
    const char* flatCaption;
    const char* roundCaption;
    const char* option;
    const char* description; // for the command line's help
};

// Every input of a scale, in the order of ScaleInput.
// clang-format off
inline constexpr std::array<InputRow, 14> inputTable = { {
    { ScaleInput::Length, &ScaleParameters::length, 0, "Length", "Length", "length",
      "Length, or total angle (round)" },
    { ScaleInput::Distance, &ScaleParameters::distance, 0, "Distance between stripes",
      "Distance between stripes", "distance",
      "Distance between stripes, or angle between stripes (round)" },
    { ScaleInput::Stripe1, nullptr, 1, "Stripe 1", "Stripe 1", "stripe1", "Length of stripe kind 1" },
    { ScaleInput::Stripe2, nullptr, 2, "Stripe 2", "Stripe 2", "stripe2", "Length of stripe kind 2" },
    { ScaleInput::Stripe3, nullptr, 3, "Stripe 3", "Stripe 3", "stripe3", "Length of stripe kind 3" },
    { ScaleInput::Stripe4, nullptr, 4, "Stripe 4", "Stripe 4", "stripe4", "Length of stripe kind 4" },
    { ScaleInput::Stripe5, nullptr, 5, "Stripe 5", "Stripe 5", "stripe5", "Length of stripe kind 5" },
    { ScaleInput::Stripe6, nullptr, 6, "Stripe 6", "Stripe 6", "stripe6", "Length of stripe kind 6" },
    { ScaleInput::Package, &ScaleParameters::package, 0, "How is 1 pakage", "How is 1 pakage",
      "package", "Stripe kinds of one package, digits 1-6" },
    { ScaleInput::StartX, &ScaleParameters::startX, 0, "Start X", "Centre X", "start-x",
      "Start X, or centre X (round)" },
    { ScaleInput::StartY, &ScaleParameters::startY, 0, "Start Y", "Centre Y", "start-y",
      "Start Y, or centre Y (round)" },
    { ScaleInput::Depth, &ScaleParameters::depth, 0, "Engr depth", "Engr depth", "depth",
      "Engraving depth, written as typed" },
    { ScaleInput::Radius, &ScaleParameters::radius, 0, "Radius", "Radius", "radius",
      "Radius (round)" },
    { ScaleInput::StartAngle, &ScaleParameters::startAngle, 0, "Start Angle", "Start Angle",
      "start-angle", "Start angle (round)" },
} };
// clang-format on

// The row of an input.
const InputRow& inputRow(ScaleInput input);

// The caption the user sees beside the box, for messages ("Start X" or "Centre X").
std::string inputCaption(ScaleInput input, Shape shape);

// The text of an input's box.
const std::string& inputText(const ScaleParameters& parameters, ScaleInput input);
std::string& inputText(ScaleParameters& parameters, ScaleInput input);

// The stripe-length input of kind 1 .. 6.
ScaleInput stripeLengthInput(int kind);

} // namespace mensora
