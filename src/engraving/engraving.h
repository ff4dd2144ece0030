#pragma once

#include <string>
#include <variant>

#include "engraving/job_figures.h"
#include "layout/number_layout.h"
#include "layout/scale_layout.h"
#include "model/machine_job.h"
#include "model/machine_settings.h"
#include "model/number_rules.h"
#include "model/result.h"
#include "model/scale_parameters.h"
#include "writers/cutter_writer.h"
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
    // numbers' coordinates. With a machine profile for the file's family, also the settings it
    // uses, the depth as a number for a profile with Z (see machineJobFor), and every number the
    // file would hold against the dialect's range (for GRBL also its line numbers); other
    // settings leave the file plain. A drawing (SVG or DXF) takes no machine settings.
    static Result<Engraving> prepare(
        const ScaleParameters& parameters, const MachineSettings& machine = {});

    // The stripe sequence, one kind digit per stripe.
    const std::string& sequence() const { return m_sequence; }

    // Writes the whole file (G-code program, plot file, SVG or DXF drawing, as the parameters
    // chose) to the sink, CR LF after every line. A program's numbers take the user's decimal
    // separator, a drawing's always ".". A drawing keeps a dial's base circle, which a plot
    // file leaves out; the SVG settings concern only an SVG drawing.
    void write(TextSink& sink, const NumberFormat& format, const SvgSettings& svg = {}) const;

    // Hands the scale's moves, in order, to a sink: the stripes, the baseline, the numbers.
    void makeMoves(MoveSink& sink) const;

    // Hands the moves as the file's machine runs them: for a profile, in its travel order and
    // passes, arcs as the dialect cuts them (see MachinePath); for a plain file, makeMoves.
    void makeMachineMoves(MoveSink& sink) const;

    // What the job takes, from the moves its file gets, at the profile's rates (a plain file
    // at the default ones).
    JobFigures figures() const;

    // The profile the file is written with, and the settings it uses.
    const MachineJob& machineJob() const { return m_machine; }

private:
    using Layout = ScaleLayout;
    Engraving(Layout layout, std::string sequence, std::string depth, OutputFormat format);

    // What keeps a profile's file from being written, found before anything is.
    enum class MachineFileFault { None, OutOfRange, TooManyLines };
    // Also finds where a cutter's drawing is moved to.
    MachineFileFault checkMachineFile();
    void writeMachineFile(TextSink& sink) const;

    Layout m_layout;
    std::optional<NumberLayout> m_numbers;
    std::string m_sequence;
    std::string m_depth;
    OutputFormat m_format;
    MachineJob m_machine; // a plain job, with the scale's unit, for a drawing
    PlotterExtent m_plotOrigin;
};

} // namespace mensora
