#include "model/scale_parameters.h"

#include <stdexcept>

#include "model/scale_input.h"

namespace mensora {

const std::string& ScaleParameters::stripeLengthText(int kind) const
{
    if (kind < 1 || kind > 6)
        throw std::out_of_range("stripe kinds run from 1 to 6");
    return stripeLengths[static_cast<std::size_t>(kind - 1)];
}

namespace {

constexpr bool rowsInOrder()
{
    for (std::size_t i = 0; i < inputTable.size(); ++i)
        if (static_cast<std::size_t>(inputTable[i].input) != i)
            return false;
    return true;
}
static_assert(rowsInOrder(), "the input table lists the inputs in their order");

} // namespace

const InputRow& inputRow(ScaleInput input)
{
    return inputTable[static_cast<std::size_t>(input)];
}

ScaleInput stripeLengthInput(int kind)
{
    if (kind < 1 || kind > 6)
        throw std::out_of_range("stripe kinds run from 1 to 6");
    return static_cast<ScaleInput>(static_cast<int>(ScaleInput::Stripe1) + kind - 1);
}

std::string inputCaption(ScaleInput input, Shape shape)
{
    const InputRow& row = inputRow(input);
    return shape == Shape::Round ? row.roundCaption : row.flatCaption;
}

std::string& inputText(ScaleParameters& parameters, ScaleInput input)
{
    const InputRow& row = inputRow(input);
    if (row.text)
        return parameters.*row.text;
    return parameters.stripeLengths[static_cast<std::size_t>(row.stripeKind - 1)];
}

const std::string& inputText(const ScaleParameters& parameters, ScaleInput input)
{
    return inputText(const_cast<ScaleParameters&>(parameters), input);
}

} // namespace mensora
