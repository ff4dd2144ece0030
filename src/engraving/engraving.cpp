#include "engraving/engraving.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engraving/machine_check.h"
#include "engraving/machine_path.h"
#include "engraving/mark_checks.h"
#include "engraving/mark_overlaps.h"
#include "engraving/mirror.h"
#include "engraving/scale_refusals.h"
#include "engraving/unit_change.h"
#include "engraving/unrolled_drum.h"
#include "model/character_text.h"

namespace mensora {

namespace {

// The machine reads ASCII only: a separator outside it falls back to the point.
std::string asciiSeparator(const std::string& separator)
{
    if (separator.size() == 1 && findNonPrintableAscii(separator) == std::string::npos)
        return separator;
    return ".";
}

double factorBetween(Unit from, Unit to)
{
    if (from == to)
        return 1;
    return from == Unit::Inch ? 25.4 : 1 / 25.4;
}

std::string unitName(Unit unit)
{
    return unit == Unit::Inch ? "in" : "mm";
}

} // namespace

Result<Engraving> Engraving::prepare(const CheckedJob& job, const OutputRequest& request)
{
    const OutputRow& output = outputFor(request);
    if (const auto refusal = drumRefusal(job, output))
        return *refusal;
    Engraving engraving(output, request.drawing);
    engraving.m_names = job.names();
    const Unit fileUnit = job.scales().front().parameters().unit;
    for (std::size_t i = 0; i < job.size(); ++i) {
        const CheckedScale& scale = job.scales()[i];
        engraving.m_scales.push_back({});
        engraving.m_scales.back().toFile = factorBetween(scale.parameters().unit, fileUnit);
        if (const auto refusal = engraving.addScale(scale, request))
            return job.refusalInScale(*refusal, i);
        for (const std::string& note : engraving.markNotes(scale))
            engraving.m_notes.push_back(job.size() > 1 ? job.label(i) + ": " + note : note);
    }
    engraving.finishJob(job);
    if (!output.machineMoves)
        return engraving;
    switch (engraving.checkMachineFile()) {
    case MachineFileFault::OutOfRange: {
        // Blame the first scale that is out of range alone, else the first.
        std::size_t blamed = 0;
        while (blamed + 1 < job.size()
            && engraving.checkMachineFile(blamed) != MachineFileFault::OutOfRange)
            ++blamed;
        return job.refusalInScale(engraving.outOfRange(job.scales()[blamed], blamed), blamed);
    }
    case MachineFileFault::TooManyLines:
        return machineRefusal(MachineSetting::LineNumbers,
            "go only up to " + std::to_string(output.dialect().lastLineNumber)
                + " in a GRBL program, and this one has more lines: turn them off.");
    case MachineFileFault::None:
        break;
    }
    return engraving;
}

Result<Engraving> Engraving::prepare(const CheckedScale& scale, const OutputRequest& request)
{
    return prepare(CheckedJob(scale), request);
}

Result<Engraving> Engraving::prepare(
    const ScaleParameters& parameters, const OutputRequest& request, const FontSource& fonts)
{
    const auto scale = CheckedScale::check(parameters, fonts);
    if (!scale)
        return scale.refusal();
    return prepare(*scale, request);
}

Result<Engraving> Engraving::prepare(
    const ScaleJob& job, const OutputRequest& request, const FontSource& fonts)
{
    const auto checked = CheckedJob::check(job, fonts);
    if (!checked)
        return checked.refusal();
    return prepare(*checked, request);
}

Engraving::Engraving(const OutputRow& output, const DrawingSettings& drawing)
    : m_output(&output)
    , m_drawing(drawing)
{ }

// The last scale added, checked as the file will hold it: its depth, its coordinates, its
// numbers, then what its machine's file needs.
std::optional<Refusal> Engraving::addScale(const CheckedScale& scale, const OutputRequest& request)
{
    const ScaleParameters& p = scale.parameters();
    const OutputRow& output = *m_output;
    // A laser writes no depth.
    if (output.format == OutputFormat::Gcode && output.dialect().axes != ToolAxes::Laser) {
        if (auto refusal = depthRefusal(p.depth))
            return refusal;
    }
    EngravedScale& added = m_scales.back();
    added.widths = p.widths;
    added.tool = markToolFor(output, request.machine, request.drawing, p.unit);
    // The tool's sizes first: a width is measured against them.
    if (p.widths.any()) {
        if (auto refusal = toolSizesRefusal(output.dialect(), request.machine.tool, p.unit))
            return refusal;
    }
    if (auto refusal = widthsRefusal(scale, added.tool, machineNumberLimit(p.unit)))
        return refusal;
    const LayoutOptions options { .baseCircle = output.cutsArcs, .rounding = output.rounding };
    added.layout = scaleLayoutOf(p, scale.values(), options);
    added.depth = p.depth;
    added.stripes = static_cast<std::size_t>(scale.graduation().count());
    if (auto refusal = overlapRefusal(scale, added.layout, added.tool))
        return refusal;

    const std::size_t index = m_scales.size() - 1;
    CoordinateCheck check(output.range);
    feed(check, drawnOnly(output), index);
    if (!check.allWritable())
        return coordinatesTooLarge(scale, p.onDrum() && output.drum() == DrumForm::Unrolled);
    if (auto refusal = addNumbers(scale))
        return refusal;
    if (output.dialect().family) {
        if (auto refusal = strictBoxRefusal(p, scale.values().sequence(), request.notation))
            return refusal;
    }
    return addMachineJob(scale, request);
}

std::vector<std::string> Engraving::markNotes(const CheckedScale& scale) const
{
    const EngravedScale& added = m_scales.back();
    std::vector<std::string> notes = narrowMarkNotes(scale, added.tool);
    if (added.numbers) {
        const auto overlaps = numberOverlapNotes(scale, added.layout, *added.numbers, added.tool);
        notes.insert(notes.end(), overlaps.begin(), overlaps.end());
    }
    return notes;
}

std::optional<Refusal> Engraving::addNumbers(const CheckedScale& scale)
{
    const auto& numbers = scale.numbers();
    if (!numbers)
        return numbers.refusal();
    if (!*numbers)
        return std::nullopt;
    const std::size_t index = m_scales.size() - 1;
    EngravedScale& added = m_scales.back();
    added.numbers = *numbers;
    const bool unrolled = scale.parameters().onDrum() && m_output->drum() == DrumForm::Unrolled;
    CoordinateCheck check(m_output->range);
    feed(check, drawnOnly(*m_output), index);
    if (!check.allWritable())
        return numbersTooLarge(scale, unrolled);
    return std::nullopt;
}

std::optional<Refusal> Engraving::addMachineJob(
    const CheckedScale& scale, const OutputRequest& request)
{
    const ScaleParameters& p = scale.parameters();
    const Dialect& dialect = m_output->dialect();
    auto job = machineJobFor(p, scale.values(), dialect, request.machine);
    if (!job)
        return job.refusal();
    EngravedScale& added = m_scales.back();
    added.depthNumber = job->depth * added.toFile;
    added.depthAsNumber = (dialect.family && dialect.readsDepth) || added.toFile != 1.0;
    added.deepest = added.depthNumber;
    if (added.tool.making == MarkMaking::VBit)
        for (const WidthSetting setting : usedWidths(scale))
            if (p.widths.of(setting) > 0)
                added.deepest = std::min(
                    added.deepest, vbitDepth(p.widths.of(setting), added.tool) * added.toFile);
    m_scaleJobs.push_back(std::move(*job));
    return std::nullopt;
}

// The file's job is the first scale's; a job of several is titled as one, and goes as deep as
// its deepest scale. A mirrored job turns about the middle of its file's drawing.
void Engraving::finishJob(const CheckedJob& job)
{
    m_machine = m_scaleJobs.front();
    for (const EngravedScale& scale : m_scales)
        m_machine.depth = std::min(m_machine.depth, scale.deepest);
    if (m_scales.size() > 1) {
        std::size_t stripes = 0;
        for (const EngravedScale& scale : m_scales)
            stripes += scale.stripes;
        if (m_output->dialect().family)
            m_machine.title = "Mensora: job of " + std::to_string(m_scales.size()) + " scales, "
                + std::to_string(stripes) + " stripes, " + unitName(m_machine.unit);
    }
    m_scaleJobs.clear();
    if (!job.mirror())
        return;
    JobFiguresSink extent(m_machine);
    makeFileMoves(extent);
    if (const auto& box = extent.figures().box)
        m_mirrorSum = box->minX + box->maxX;
}

const std::string& Engraving::sequence(std::size_t scale) const
{
    return graduationOf(m_scales.at(scale).layout).sequence();
}

const DrumScaleLayout* Engraving::drum() const
{
    for (const EngravedScale& scale : m_scales)
        if (const DrumScaleLayout* onDrum = scale.drum())
            return onDrum;
    return nullptr;
}

Refusal Engraving::outOfRange(const CheckedScale& scale, std::size_t index)
{
    const bool unrolled = scale.parameters().onDrum() && m_output->drum() == DrumForm::Unrolled;
    const std::string reason = machineRangeReason(m_output->range, m_machine.unit);
    if (m_scales[index].numbers && checkMachineFile(index, false) == MachineFileFault::None)
        return numbersTooLarge(scale, unrolled, reason);
    return coordinatesTooLarge(scale, unrolled, reason);
}

void Engraving::makeScaleMoves(std::size_t index, MoveSink& sink, bool numbers) const
{
    const EngravedScale& scale = m_scales[index];
    std::visit([&](const auto& layout) { layout.makeMoves(scale.depth, sink); }, scale.layout);
    if (scale.numbers && numbers)
        scale.numbers->makeMoves(scale.layout, scale.depth, sink);
}

// layout → marks of a width → machine order and passes → a drum unrolled → the file's unit →
// mirror → sink.
void Engraving::feed(MoveSink& sink, const MoveStages& stages, std::size_t only) const
{
    std::optional<Mirror> mirror;
    if (stages.mirrored && m_mirrorSum)
        mirror.emplace(sink, *m_mirrorSum);
    MoveSink& out = mirror ? static_cast<MoveSink&>(*mirror) : sink;
    for (std::size_t i = 0; i < m_scales.size(); ++i) {
        if (only != everyScale && i != only)
            continue;
        const EngravedScale& scale = m_scales[i];
        out.beginScale(i);
        const DrumScaleLayout* onDrum = scale.drum();
        const bool unroll = onDrum && stages.unrolled;
        const bool depth = scale.depthAsNumber || stages.everyDepth;
        UnitChange inFile(out, scale.toFile,
            depth ? std::optional(scale.depthNumber) : std::nullopt, onDrum && !unroll);
        // A scale in the file's unit with its depth as typed goes straight on.
        MoveSink& converted = scale.toFile == 1.0 && !depth ? out : static_cast<MoveSink&>(inFile);
        std::optional<UnrolledDrum> unrolled;
        if (unroll)
            unrolled.emplace(converted, onDrum->surface, *stages.unrolled);
        MoveSink& head = unrolled ? static_cast<MoveSink&>(*unrolled) : converted;
        if (!stages.machine) {
            makeMarkedMoves(i, head, stages.numbers);
            continue;
        }
        MachinePath path(head, m_machine.order, m_machine.passes, scale.stripes);
        makeMarkedMoves(i, path, stages.numbers);
        path.finish();
    }
}

// layout → the marks of a width → the rest of the stages.
void Engraving::makeMarkedMoves(std::size_t index, MoveSink& sink, bool numbers) const
{
    const EngravedScale& scale = m_scales[index];
    if (!scale.widths.any() || scale.tool.making == MarkMaking::Line) {
        makeScaleMoves(index, sink, numbers);
        return;
    }
    MarkPlane plane;
    if (const DrumScaleLayout* onDrum = scale.drum())
        plane.drum = onDrum->surface;
    else
        plane.rounding
            = std::visit([](const auto& layout) { return layout.rounding; }, scale.layout);
    WideMarks marks(sink, scale.widths, sequence(index), scale.tool, plane);
    makeScaleMoves(index, marks, numbers);
    marks.finish();
}

void Engraving::makeMarkOutlines(std::size_t index, MoveSink& sink) const
{
    const EngravedScale& scale = m_scales.at(index);
    if (!scale.widths.any() || scale.tool.making == MarkMaking::Line)
        return;
    MarkPlane plane;
    plane.rounding = PointRounding::Exact;
    if (const DrumScaleLayout* onDrum = scale.drum())
        plane.drum = onDrum->surface;
    WideMarks outlines(sink, scale.widths, sequence(index), { MarkMaking::DrawnOutlines }, plane);
    makeScaleMoves(index, outlines);
    outlines.finish();
}

bool Engraving::cutsOutlines() const
{
    return !m_scales.empty() && m_scales.front().tool.making == MarkMaking::KnifeOutline;
}

Engraving::MoveStages Engraving::fileStages() const
{
    MoveStages stages = drawnOnly(*m_output);
    stages.machine = m_output->machineMoves;
    stages.mirrored = true;
    return stages;
}

Engraving::MoveStages Engraving::drawnOnly(const OutputRow& output)
{
    MoveStages stages;
    if (output.drum() == DrumForm::Unrolled)
        stages.unrolled = output.rounding;
    return stages;
}

void Engraving::makeMoves(MoveSink& sink) const
{
    feed(sink, MoveStages {});
}

void Engraving::makeMachineMoves(MoveSink& sink) const
{
    MoveStages stages;
    stages.machine = m_output->machineMoves;
    stages.mirrored = true;
    feed(sink, stages);
}

void Engraving::makeDrawnMoves(MoveSink& sink, bool unrollDrums) const
{
    MoveStages stages;
    if (unrollDrums)
        stages.unrolled = PointRounding::Exact;
    stages.mirrored = true;
    feed(sink, stages);
}

void Engraving::write(TextSink& sink, const NumberFormat& format) const
{
    const DrumScaleLayout* onDrum = drum();
    std::optional<DrumSurface> surface;
    if (onDrum) {
        // In the file's unit: the first drum may be typed in the other.
        std::size_t first = 0;
        while (m_scales[first].drum() != onDrum)
            ++first;
        surface = onDrum->surface;
        surface->radius *= m_scales[first].toFile;
        surface->centreY *= m_scales[first].toFile;
    }
    const WriterInputs inputs { m_machine, asciiSeparator(format.decimalSeparator), m_drawing,
        m_plotOrigin, surface, m_scales.size() > 1 ? m_names : std::vector<std::string> {} };
    const bool rotary = onDrum && m_output->drum() == DrumForm::RotaryAxis;
    const auto writer
        = (rotary ? m_output->dialect().makeDrumWriter : m_output->makeWriter)(sink, inputs);
    writer->begin();
    makeFileMoves(*writer);
    writer->end();
}

} // namespace mensora
