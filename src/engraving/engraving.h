#pragma once

#include <string>
#include <variant>

#include "layout/number_layout.h"
#include "layout/scale_layout.h"
#include "model/number_rules.h"
#include "model/result.h"
#include "model/scale_parameters.h"
#include "writers/svg_writer.h"
#include "writers/text_sink.h"

namespace mensora {

// The engraving program of one scale, with every input read and checked: once this exists,
// writing it cannot fail (but for the sink).
class Engraving
{
public:
    // Reads the parameters and refuses, naming the box, any input that gives no sound file:
    // the stripe-pattern limits, numbers beyond their precision, a depth text with characters
    // outside printable ASCII (G-code only), and coordinates that overflow (for a drawing,
    // also its extent and arcs); then the number settings (see prepareNumbers) and the
    // numbers' coordinates.
    static Result<Engraving> prepare(const ScaleParameters& parameters);

    // The stripe sequence, one kind digit per stripe.
    const std::string& sequence() const { return m_sequence; }

    // Writes the whole file (G-code program, plot file, SVG or DXF drawing, as the parameters
    // chose) to the sink, CR LF after every line. A program's numbers take the user's decimal
    // separator, a drawing's always ".". A drawing keeps a dial's base circle, which a plot
    // file leaves out; the SVG settings concern only an SVG drawing.
    void write(TextSink& sink, const NumberFormat& format, const SvgSettings& svg = {}) const;

    // Hands the scale's moves, in order, to a sink: the stripes, the baseline, the numbers.
    void makeMoves(MoveSink& sink) const;

private:
    using Layout = ScaleLayout;
    Engraving(Layout layout, std::string sequence, std::string depth, OutputFormat format);

    Layout m_layout;
    std::optional<NumberLayout> m_numbers;
    std::string m_sequence;
    std::string m_depth;
    OutputFormat m_format;
    Unit m_unit = Unit::Millimetre; // a drawing's unit
};

} // namespace mensora
