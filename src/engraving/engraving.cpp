#include "engraving/engraving.h"

#include <cmath>
#include <limits>
#include <utility>

#include "engraving/machine_check.h"
#include "engraving/numbering.h"
#include "engraving/unrolled_drum.h"
#include "model/character_text.h"
#include "model/scale_input.h"
#include "writers/coordinate_text.h"

namespace mensora {

namespace {

// A drawing's coordinate at most this large leaves its extent, an arc's radius and the points
// an arc reaches (under four times the largest coordinate) finite.
constexpr double drawingLimit = std::numeric_limits<double>::max() / 8;

// Checks, without writing, that every coordinate of a scale can be written: finite, for a
// plot file finite after scaling to plotter units, for a drawing within drawingLimit.
class CoordinateCheck : public MoveSink
{
public:
    explicit CoordinateCheck(CoordinateRange range)
        : m_range(range)
    { }
    void move(const ToolMove& move) override
    {
        std::visit([this](const auto& m) { check(m); }, move);
    }
    bool allWritable() const { return m_writable; }

private:
    void check(const Rapid& m) { checkPoint(m.x, m.y); }
    void check(const Cut& m) { checkPoint(m.x, m.y); }
    void check(const Arc& m)
    {
        checkPoint(m.x, m.y);
        checkPoint(m.cx, m.cy);
    }
    void check(const Plunge&) { }
    void check(const Lift&) { }

    void checkPoint(Coord x, Coord y) { m_writable = m_writable && writable(x) && writable(y); }
    bool writable(Coord c) const
    {
        if (!std::isfinite(c.value))
            return false;
        switch (m_range) {
        case CoordinateRange::PlotterUnits:
            return std::isfinite(plotterUnits(c));
        case CoordinateRange::Drawing:
            return std::fabs(c.value) <= drawingLimit;
        case CoordinateRange::Finite:
            break;
        }
        return true;
    }

    CoordinateRange m_range;
    bool m_writable = true;
};

// The box most likely to blame for coordinates too large to write: the largest number that
// goes into them. An unrolled drum's Y is the distance around it, its radius times the angle.
std::pair<ScaleInput, double> largestInput(const CheckedScale& scale, bool unrolledDrum)
{
    const BoxNumbers& n = scale.boxes();
    const bool round = scale.parameters().shape == Shape::Round;
    const double count = static_cast<double>(scale.graduation().count());
    const std::pair<ScaleInput, double> candidates[] = {
        { ScaleInput::StartX, n.startX },
        { ScaleInput::StartY, n.startY },
        { ScaleInput::Distance, n.distance * count },
        { ScaleInput::Length, n.length },
        { ScaleInput::Radius,
            !round ? 0
                : unrolledDrum
                ? n.radius * (std::fabs(n.length) + std::fabs(n.startAngle)) * radiansPerDegree
                : n.radius },
        { ScaleInput::StartAngle, round ? n.startAngle : 0 },
    };
    ScaleInput blamed = ScaleInput::Length;
    double largest = -1;
    for (const auto& [input, value] : candidates) {
        const double magnitude = std::isnan(value) ? INFINITY : std::fabs(value);
        if (magnitude > largest) {
            blamed = input;
            largest = magnitude;
        }
    }
    for (int kind = 1; kind <= 6; ++kind) {
        const double magnitude = std::fabs(n.stripeLengths[static_cast<std::size_t>(kind - 1)]);
        if (magnitude > largest) {
            blamed = stripeLengthInput(kind);
            largest = magnitude;
        }
    }
    return { blamed, largest };
}

Refusal coordinatesTooLarge(const CheckedScale& scale, bool unrolledDrum,
    const std::string& reason = " is too large: the scale's coordinates cannot be written.")
{
    const ScaleInput blamed = largestInput(scale, unrolledDrum).first;
    return { blamed, inputCaption(blamed, scale.parameters().shape) + reason };
}

// The numbers go beyond the stripes by their height and gap: those are to blame unless a box
// holds a larger number.
Refusal numbersTooLarge(const CheckedScale& scale, bool unrolledDrum)
{
    const ScaleParameters& p = scale.parameters();
    const double height = std::fabs(numberHeightOf(p.numbers, p.unit));
    const double gap = std::fabs(numberGapOf(p.numbers, p.unit));
    if (std::fmax(height, gap) < largestInput(scale, unrolledDrum).second)
        return coordinatesTooLarge(scale, unrolledDrum);
    const NumberSetting blamed = height >= gap ? NumberSetting::Height : NumberSetting::Gap;
    return settingRefusal(blamed,
        numberSettingCaption(blamed)
            + " is too large: the numbers' coordinates cannot be written.");
}

Result<std::monostate> checkDepth(const std::string& depth)
{
    const auto bad = findNonPrintableAscii(depth);
    if (bad == std::string::npos)
        return std::monostate {};
    return Refusal { ScaleInput::Depth,
        "Engr depth may hold only plain ASCII characters, not " + describeCharacter(depth, bad)
            + "." };
}

// The machine reads ASCII only: a separator outside it falls back to the point.
std::string asciiSeparator(const std::string& separator)
{
    if (separator.size() == 1 && findNonPrintableAscii(separator) == std::string::npos)
        return separator;
    return ".";
}

std::string_view fileKind(OutputFormat format)
{
    return format == OutputFormat::Plot ? "plot files" : "G-code programs";
}

// Names the profiles whose files hold a drum, from the tables.
Refusal drumRefused(const OutputRow& output)
{
    std::string rotary;
    std::string unrolled;
    for (const OutputRow& row : outputTable) {
        if (!row.profile || row.drum == DrumForm::None)
            continue;
        std::string& names = row.drum == DrumForm::RotaryAxis ? rotary : unrolled;
        names += (names.empty() ? "" : " or ") + std::string(row.dialect().caption);
    }
    return Refusal { MachineSetting::Profile,
        std::string(output.dialect().caption) + " " + std::string(fileKind(output.format))
            + " cannot hold a drum: choose the " + rotary + " profile (a rotary axis) or "
            + unrolled + " (a roller)." };
}

} // namespace

Result<Engraving> Engraving::prepare(const CheckedScale& scale, const OutputRequest& request)
{
    const ScaleParameters& p = scale.parameters();
    const OutputRow& output = outputFor(request);
    if (p.onDrum() && output.drum == DrumForm::None)
        return drumRefused(output);
    // A laser writes no depth.
    if (output.format == OutputFormat::Gcode && output.dialect().axes != ToolAxes::Laser) {
        if (const auto depth = checkDepth(p.depth); !depth)
            return depth.refusal();
    }

    const LayoutOptions options { .baseCircle = output.cutsArcs, .rounding = output.rounding };
    Engraving engraving(
        scaleLayoutOf(p, scale.values(), options), p.depth, output, request.drawing);
    CoordinateCheck check(output.range);
    engraving.throughSurface(check, [&](MoveSink& sink) { engraving.makeMoves(sink); });
    const bool unrolled = p.onDrum() && output.drum == DrumForm::Unrolled;
    if (!check.allWritable())
        return coordinatesTooLarge(scale, unrolled);

    const auto& numbers = scale.numbers();
    if (!numbers)
        return numbers.refusal();
    if (*numbers) {
        CoordinateCheck numberCheck(output.range);
        engraving.throughSurface(numberCheck, [&](MoveSink& sink) {
            (*numbers)->makeMoves(engraving.m_layout, engraving.m_depth, sink);
        });
        if (!numberCheck.allWritable())
            return numbersTooLarge(scale, unrolled);
        engraving.m_numbers = *numbers;
    }

    if (output.dialect().family) {
        if (const auto refusal = strictBoxRefusal(p, scale.values().sequence(), request.notation))
            return *refusal;
    }
    auto job = machineJobFor(p, scale.values(), output.dialect(), request.machine);
    if (!job)
        return job.refusal();
    engraving.m_machine = std::move(*job);
    if (!output.machineMoves)
        return engraving;
    switch (engraving.checkMachineFile()) {
    case MachineFileFault::OutOfRange:
        return coordinatesTooLarge(scale, unrolled, machineRangeReason(output.range, p.unit));
    case MachineFileFault::TooManyLines:
        return machineRefusal(MachineSetting::LineNumbers,
            "go only up to " + std::to_string(output.dialect().lastLineNumber)
                + " in a GRBL program, and this one has more lines: turn them off.");
    case MachineFileFault::None:
        break;
    }
    return engraving;
}

Result<Engraving> Engraving::prepare(
    const ScaleParameters& parameters, const OutputRequest& request, const FontSource& fonts)
{
    const auto scale = CheckedScale::check(parameters, fonts);
    if (!scale)
        return scale.refusal();
    return prepare(*scale, request);
}

Engraving::Engraving(
    ScaleLayout layout, std::string depth, const OutputRow& output, const DrawingSettings& drawing)
    : m_layout(std::move(layout))
    , m_depth(std::move(depth))
    , m_output(&output)
    , m_drawing(drawing)
{ }

void Engraving::makeMoves(MoveSink& sink) const
{
    std::visit([&](const auto& layout) { layout.makeMoves(m_depth, sink); }, m_layout);
    if (!m_numbers)
        return;
    sink.section(MoveSection::Numbers);
    m_numbers->makeMoves(m_layout, m_depth, sink);
}

void Engraving::write(TextSink& sink, const NumberFormat& format) const
{
    const DrumScaleLayout* onDrum = drum();
    const WriterInputs inputs { m_machine, asciiSeparator(format.decimalSeparator), m_drawing,
        m_plotOrigin, onDrum ? std::optional(onDrum->surface) : std::nullopt };
    const bool rotary = onDrum && m_output->drum == DrumForm::RotaryAxis;
    const auto writer
        = (rotary ? m_output->dialect().makeDrumWriter : m_output->makeWriter)(sink, inputs);
    writer->begin();
    makeFileMoves(*writer);
    writer->end();
}

} // namespace mensora
