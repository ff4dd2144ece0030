#pragma once

#include <string>

namespace mensora {

enum class Shape;

// The inputs a refusal can point at, one per box of the window.
enum class ScaleInput {
    Length, // txt_totallength: length, or total angle of a round scale
    Distance, // txt_dist_stripes: distance, or angle between stripes
    Stripe1, // txt_len_str1 .. txt_len_str6: stripe length of kind 1 .. 6
    Stripe2,
    Stripe3,
    Stripe4,
    Stripe5,
    Stripe6,
    Package, // Text6: the repeating package of stripe kinds
    StartX, // txt_startx: start X, or centre X of a round scale
    StartY, // txt_starty: start Y, or centre Y of a round scale
    Depth, // txt_engr_depth: engraving depth text
    Radius, // Txt_radius
    StartAngle, // Txt_start_angle
};

// The caption the user sees beside the box, for messages ("Start X" or "Centre X").
std::string inputCaption(ScaleInput input, Shape shape);

// The stripe-length input of kind 1 .. 6.
ScaleInput stripeLengthInput(int kind);

} // namespace mensora
