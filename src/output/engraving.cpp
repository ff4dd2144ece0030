#include "output/engraving.h"

#include "model/stripe_pattern.h"

namespace mensora {

// Placeholder until the layouts and writers land: checks the stripe pattern only.
Result<Engraving> Engraving::prepare(const ScaleParameters& parameters)
{
    const Shape shape = parameters.Option3;
    const auto total = readSingle(parameters.txt_totallength, ScaleInput::Length, shape);
    if (!total)
        return total.refusal();
    const auto step = readSingle(parameters.txt_dist_stripes, ScaleInput::Distance, shape);
    if (!step)
        return step.refusal();
    auto sequence = stripeSequenceFor(*total, *step, parameters.Text6);
    if (!sequence)
        return sequence.refusal();
    return Engraving(parameters, *sequence);
}

Engraving::Engraving(ScaleParameters parameters, std::string sequence)
    : m_parameters(std::move(parameters))
    , m_sequence(std::move(sequence))
{ }

void Engraving::write(TextSink& sink, const NumberFormat&) const
{
    sink.write("N1 M30\r\n");
}

} // namespace mensora
