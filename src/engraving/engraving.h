#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engraving/checked_job.h"
#include "engraving/checked_scale.h"
#include "engraving/job_figures.h"
#include "engraving/wide_marks.h"
#include "layout/number_layout.h"
#include "layout/scale_layout.h"
#include "lettering/font_source.h"
#include "model/machine_job.h"
#include "model/number_rules.h"
#include "model/result.h"
#include "model/scale_job.h"
#include "model/scale_parameters.h"
#include "writers/cutter_writer.h"
#include "writers/output_table.h"
#include "writers/text_sink.h"

namespace mensora {

// The file of a job, one scale or several, with every input read and checked: once this
// exists, writing it cannot fail (but for the sink). The file's unit is the first scale's: a
// scale in the other unit is converted into it (its numbers still read in its own unit).
class Engraving
{
public:
    // The file the request asks for, from a checked job. Refuses a scale around a drum for a
    // file that cannot hold one, naming the profiles that can, and in a program that turns
    // the drum any other scale than one around the same drum. Then, scale by scale, refuses,
    // naming the box, any input that gives no sound file: a depth text with characters
    // outside printable ASCII (G-code only), and coordinates that overflow (for a drawing,
    // also its extent and arcs); then the number settings (see CheckedScale) and the numbers'
    // coordinates. With a machine profile for the file's family, also the settings it uses,
    // the depth as a number for a dialect that reads it (see machineJobFor), and every number
    // the file would hold against the dialect's range and limits (its last line number);
    // other settings leave the file plain. A drawing takes no machine settings. In a job of
    // several scales, a refusal of a scale's own names the scale (see
    // CheckedJob::refusalInScale).
    static Result<Engraving> prepare(const CheckedJob& job, const OutputRequest& request);

    // The file of a job of one scale.
    static Result<Engraving> prepare(const CheckedScale& scale, const OutputRequest& request);

    // The same, reading and checking the scale, or the job, first (see CheckedJob::check).
    static Result<Engraving> prepare(
        const ScaleParameters& parameters, const OutputRequest& request, const FontSource& fonts);
    static Result<Engraving> prepare(
        const ScaleJob& job, const OutputRequest& request, const FontSource& fonts);

    // How many scales the file holds.
    std::size_t scaleCount() const { return m_scales.size(); }

    // The stripe sequence of a scale, one kind digit per stripe.
    const std::string& sequence(std::size_t scale = 0) const;

    // What the file is.
    const OutputRow& output() const { return *m_output; }

    // Writes the whole file to the sink, CR LF after every line. A plain program's numbers
    // take the user's decimal separator, every other file's always ".".
    void write(TextSink& sink, const NumberFormat& format) const;

    // Hands the job's moves, scale after scale, to a sink, each scale begun (see
    // MoveSink::beginScale) and in the file's unit: its stripes, its baseline, its numbers.
    // Not mirrored; a drum's moves name X and the angle of its rotary axis.
    void makeMoves(MoveSink& sink) const;

    // Hands the moves as the file's machine runs them: for a profile, each scale in its travel
    // order and passes, arcs as the dialect cuts them (see MachinePath); for any other file,
    // as makeMoves; mirrored when the job is. A drum's moves name X and the angle of its
    // rotary axis, whatever the file.
    void makeMachineMoves(MoveSink& sink) const;

    // Hands the job's moves as a drawing of it shows them: every scale begun and in the file's
    // unit, mirrored when the job is; a drum unrolled flat (exactly), or as its rotary axis
    // turns it.
    void makeDrawnMoves(MoveSink& sink, bool unrollDrums) const;

    // The closed outlines of scale `index`'s marks of a width (see WideMarks), in its own unit
    // and a drum's as its rotary axis turns it, unmirrored: what a picture of the marks fills,
    // or for a file that cuts outlines (see cutsOutlines) draws. Nothing when the file's tool
    // makes every mark a line, or the scale has no width.
    void makeMarkOutlines(std::size_t index, MoveSink& sink) const;
    // Whether the file's tool cuts each mark's outline rather than the mark: the cutter's.
    bool cutsOutlines() const;
    // The widths of scale `index`'s marks.
    const MarkWidths& markWidths(std::size_t index) const { return m_scales.at(index).widths; }

    // The drum the first scale around one goes around; none when no scale does.
    const DrumScaleLayout* drum() const;

    // What the job takes, from the moves its file gets, at the profile's rates (any other
    // file at the default ones): the sums over its scales.
    JobFigures figures() const;

    // The profile the file is written with, and the settings it uses. Its depth is the
    // deepest of the scales', a V-bit's marks' included.
    const MachineJob& machineJob() const { return m_machine; }

    // What the user should know of the marks before the file is cut: those that come out wider
    // than set (see narrowMarkNotes) and numbers whose outlines overlap (see
    // numberOverlapNotes), each naming its scale in a job of several.
    const std::vector<std::string>& notes() const { return m_notes; }

    // What a length of scale `index` is multiplied by in the file: 1 in the file's unit,
    // 25.4 or 1 / 25.4 in the other.
    double unitFactor(std::size_t index) const { return m_scales.at(index).toFile; }

    // The smallest plus the largest X of the drawing, about whose half the job is mirrored;
    // none for a job that is not.
    std::optional<double> mirrorSum() const { return m_mirrorSum; }

private:
    // One scale as the file holds it.
    struct EngravedScale
    {
        ScaleLayout layout;
        std::optional<NumberLayout> numbers;
        std::string depth; // the box's text, which a plain program writes verbatim
        double depthNumber = 0; // in the file's unit: the machine's depth, or the text's prefix
        bool depthAsNumber = false; // whether the plunges carry depthNumber into the file
        double toFile = 1;
        std::size_t stripes = 0;
        MarkWidths widths;
        MarkTool tool; // that makes its marks of a width, in its unit
        double deepest = 0; // in the file's unit: its depth, or a V-bit's deepest mark's

        const DrumScaleLayout* drum() const { return std::get_if<DrumScaleLayout>(&layout); }
    };

    // Which stages the moves of the scales pass on their way to a sink.
    struct MoveStages
    {
        bool machine = false; // the machine's order and passes
        std::optional<PointRounding> unrolled; // a drum unrolled flat, its points so rounded
        bool mirrored = false;
        bool everyDepth = false; // every plunge with its scale's depth, for the figures
        bool numbers = true; // false: the stripes and baselines alone
    };
    static constexpr std::size_t everyScale = static_cast<std::size_t>(-1);

    Engraving(const OutputRow& output, const DrawingSettings& drawing);

    std::optional<Refusal> addScale(const CheckedScale& scale, const OutputRequest& request);
    std::optional<Refusal> addNumbers(const CheckedScale& scale);
    // The notes on the last scale added's marks (see notes()).
    std::vector<std::string> markNotes(const CheckedScale& scale) const;
    std::optional<Refusal> addMachineJob(const CheckedScale& scale, const OutputRequest& request);
    void finishJob(const CheckedJob& job);

    // What keeps a profile's file from being written, found before anything is.
    enum class MachineFileFault { None, OutOfRange, TooManyLines };
    // Also finds where a cutter's drawing is moved to. Without numbers, of the stripes and
    // baselines alone.
    MachineFileFault checkMachineFile(std::size_t only = everyScale, bool numbers = true);
    // The refusal of scale `index`, out of the file's range: its numbers' settings when its
    // stripes alone are within it, else the box most likely to blame.
    Refusal outOfRange(const CheckedScale& scale, std::size_t index);
    std::size_t machineFileLines() const;

    // The moves of scale `index` in its own unit: its layout's, then its numbers'.
    void makeScaleMoves(std::size_t index, MoveSink& sink, bool numbers = true) const;
    // The same through the stage that makes its marks of a width, when it has any.
    void makeMarkedMoves(std::size_t index, MoveSink& sink, bool numbers = true) const;
    // The moves of every scale, or only of one, through the stages into the sink.
    void feed(MoveSink& sink, const MoveStages& stages, std::size_t only = everyScale) const;
    // The stages of the file's own moves.
    MoveStages fileStages() const;
    // The moves of the scales as the output draws them, before its machine takes them.
    static MoveStages drawnOnly(const OutputRow& output);
    // The moves as the file's writer takes them: the machine's moves, a drum's unrolled for a
    // file that unrolls it, mirrored when the job is.
    void makeFileMoves(MoveSink& sink) const { feed(sink, fileStages()); }

    std::vector<EngravedScale> m_scales;
    std::vector<std::string> m_names;
    std::vector<std::string> m_notes;
    const OutputRow* m_output;
    DrawingSettings m_drawing;
    MachineJob m_machine; // a plain job, with the file's unit, for any file but a profile's
    std::vector<MachineJob> m_scaleJobs; // each scale's, while the job is prepared
    PlotterExtent m_plotOrigin;
    std::optional<double> m_mirrorSum;
};

} // namespace mensora
