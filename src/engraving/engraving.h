#pragma once

#include <optional>
#include <string>

#include "engraving/checked_scale.h"
#include "engraving/job_figures.h"
#include "engraving/unrolled_drum.h"
#include "layout/number_layout.h"
#include "layout/scale_layout.h"
#include "lettering/font_source.h"
#include "model/machine_job.h"
#include "model/number_rules.h"
#include "model/result.h"
#include "model/scale_parameters.h"
#include "writers/cutter_writer.h"
#include "writers/output_table.h"
#include "writers/text_sink.h"

namespace mensora {

// The file of one scale, with every input read and checked: once this exists, writing it
// cannot fail (but for the sink).
class Engraving
{
public:
    // The file the request asks for, from a checked scale. Refuses a scale around a drum for a
    // file that cannot hold one, naming the profiles that can. Refuses, naming the box, any
    // input that gives no sound file: a depth text with characters outside printable ASCII (G-code
    // only), and coordinates that overflow (for a drawing, also its extent and arcs); then
    // the number settings (see CheckedScale) and the numbers' coordinates. With a machine
    // profile for the file's family, also the settings it uses, the depth as a number for a
    // dialect that reads it (see machineJobFor), and every number the file would hold against
    // the dialect's range and limits (its last line number); other settings leave the file
    // plain. A drawing takes no machine settings.
    static Result<Engraving> prepare(const CheckedScale& scale, const OutputRequest& request);

    // The same, reading and checking the scale first (see CheckedScale::check).
    static Result<Engraving> prepare(
        const ScaleParameters& parameters, const OutputRequest& request, const FontSource& fonts);

    // The stripe sequence, one kind digit per stripe.
    const std::string& sequence() const { return graduationOf(m_layout).sequence(); }

    // What the file is.
    const OutputRow& output() const { return *m_output; }

    // Writes the whole file to the sink, CR LF after every line. A plain program's numbers
    // take the user's decimal separator, every other file's always ".".
    void write(TextSink& sink, const NumberFormat& format) const;

    // Hands the scale's moves, in order, to a sink: the stripes, the baseline, the numbers.
    void makeMoves(MoveSink& sink) const;

    // Hands the moves as the file's machine runs them: for a profile, in its travel order and
    // passes, arcs as the dialect cuts them (see MachinePath); for any other file, makeMoves.
    // A drum's moves name X and the angle of its rotary axis, whatever the file.
    void makeMachineMoves(MoveSink& sink) const;

    // The drum the scale goes around; none for a scale on a face or a ruler.
    const DrumScaleLayout* drum() const { return std::get_if<DrumScaleLayout>(&m_layout); }

    // What the job takes, from the moves its file gets, at the profile's rates (any other
    // file at the default ones).
    JobFigures figures() const;

    // The profile the file is written with, and the settings it uses.
    const MachineJob& machineJob() const { return m_machine; }

private:
    Engraving(ScaleLayout layout, std::string depth, const OutputRow& output,
        const DrawingSettings& drawing);

    // What keeps a profile's file from being written, found before anything is.
    enum class MachineFileFault { None, OutOfRange, TooManyLines };
    // Also finds where a cutter's drawing is moved to.
    MachineFileFault checkMachineFile();
    std::size_t machineFileLines() const;
    // The moves as the file's writer takes them: the machine's moves, a drum's unrolled for a
    // file that unrolls it.
    void makeFileMoves(MoveSink& sink) const;
    // Hands what `make` makes to the sink as such a file takes it.
    template <typename Make>
    void throughSurface(MoveSink& sink, Make&& make) const
    {
        const DrumScaleLayout* onDrum = drum();
        if (!onDrum || m_output->drum != DrumForm::Unrolled) {
            make(sink);
            return;
        }
        UnrolledDrum unrolled(sink, onDrum->surface, m_output->rounding);
        make(unrolled);
    }

    ScaleLayout m_layout;
    std::optional<NumberLayout> m_numbers;
    std::string m_depth;
    const OutputRow* m_output;
    DrawingSettings m_drawing;
    MachineJob m_machine; // a plain job, with the scale's unit, for any file but a profile's
    PlotterExtent m_plotOrigin;
};

} // namespace mensora
