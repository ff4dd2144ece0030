#include "model/scale_parameters.h"

#include <stdexcept>

#include "model/scale_input.h"

namespace mensora {

const std::string& ScaleParameters::stripeLengthText(int kind) const
{
    switch (kind) {
    case 1:
        return txt_len_str1;
    case 2:
        return txt_len_str2;
    case 3:
        return txt_len_str3;
    case 4:
        return txt_len_str4;
    case 5:
        return txt_len_str5;
    case 6:
        return txt_len_str6;
    }
    throw std::out_of_range("stripe kinds run from 1 to 6");
}

ScaleInput stripeLengthInput(int kind)
{
    if (kind < 1 || kind > 6)
        throw std::out_of_range("stripe kinds run from 1 to 6");
    return static_cast<ScaleInput>(static_cast<int>(ScaleInput::Stripe1) + kind - 1);
}

std::string inputCaption(ScaleInput input, Shape shape)
{
    const bool round = shape == Shape::Round;
    switch (input) {
    case ScaleInput::Length:
        return "Length";
    case ScaleInput::Distance:
        return "Distance between stripes";
    case ScaleInput::Stripe1:
    case ScaleInput::Stripe2:
    case ScaleInput::Stripe3:
    case ScaleInput::Stripe4:
    case ScaleInput::Stripe5:
    case ScaleInput::Stripe6:
        return "Stripe "
            + std::to_string(static_cast<int>(input) - static_cast<int>(ScaleInput::Stripe1) + 1);
    case ScaleInput::Package:
        return "How is 1 pakage";
    case ScaleInput::StartX:
        return round ? "Centre X" : "Start X";
    case ScaleInput::StartY:
        return round ? "Centre Y" : "Start Y";
    case ScaleInput::Depth:
        return "Engr depth";
    case ScaleInput::Radius:
        return "Radius";
    case ScaleInput::StartAngle:
        return "Start Angle";
    }
    return {};
}

} // namespace mensora
