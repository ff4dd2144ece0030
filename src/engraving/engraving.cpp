#include "engraving/engraving.h"

#include <cmath>
#include <limits>
#include <utility>

#include "engraving/machine_check.h"
#include "engraving/numbering.h"
#include "model/character_text.h"
#include "model/scale_input.h"
#include "model/scale_values.h"
#include "writers/coordinate_text.h"
#include "writers/dxf_writer.h"
#include "writers/gcode_writer.h"
#include "writers/plot_writer.h"

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
    explicit CoordinateCheck(OutputFormat format)
        : m_format(format)
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
        if (m_format == OutputFormat::Plot)
            return std::isfinite(plotterUnits(c));
        return m_format == OutputFormat::Gcode || std::fabs(c.value) <= drawingLimit;
    }

    OutputFormat m_format;
    bool m_writable = true;
};

// The box most likely to blame for coordinates too large to write: the largest number that
// goes into them.
std::pair<ScaleInput, double> largestInput(const ScaleParameters& p, std::size_t stripes)
{
    const bool round = p.shape == Shape::Round;
    const double count = static_cast<double>(stripes);
    const std::pair<ScaleInput, double> candidates[] = {
        { ScaleInput::StartX, numericPrefixValue(p.startX) },
        { ScaleInput::StartY, numericPrefixValue(p.startY) },
        { ScaleInput::Distance, numericPrefixValue(p.distance) * count },
        { ScaleInput::Length, numericPrefixValue(p.length) },
        { ScaleInput::Radius, round ? numericPrefixValue(p.radius) : 0 },
        { ScaleInput::StartAngle, round ? numericPrefixValue(p.startAngle) : 0 },
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
        const double magnitude = std::fabs(numericPrefixValue(p.stripeLengthText(kind)));
        if (magnitude > largest) {
            blamed = stripeLengthInput(kind);
            largest = magnitude;
        }
    }
    return { blamed, largest };
}

Refusal coordinatesTooLarge(const ScaleParameters& p, std::size_t stripes,
    const std::string& reason = " is too large: the scale's coordinates cannot be written.")
{
    const ScaleInput blamed = largestInput(p, stripes).first;
    return { blamed, inputCaption(blamed, p.shape) + reason };
}

// The numbers go beyond the stripes by their height and gap: those are to blame unless a box
// holds a larger number.
Refusal numbersTooLarge(const ScaleParameters& p, std::size_t stripes)
{
    const double height = std::fabs(numberHeightOf(p.numbers, p.unit));
    const double gap = std::fabs(numberGapOf(p.numbers, p.unit));
    if (std::fmax(height, gap) < largestInput(p, stripes).second)
        return coordinatesTooLarge(p, stripes);
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

} // namespace

Result<Engraving> Engraving::prepare(const ScaleParameters& p, const MachineSettings& machine)
{
    const auto read = readScaleValues(p);
    if (!read)
        return read.refusal();
    const ScaleValues& v = *read;
    const MachineProfile profile = effectiveProfile(machine.profile, p.format);
    // A laser writes no depth.
    if (p.format == OutputFormat::Gcode && profile != MachineProfile::GrblLaser) {
        if (const auto depth = checkDepth(p.depth); !depth)
            return depth.refusal();
    }

    // A cutter draws a dial's base circle in chords; a plain plot file has no arcs. A profile's
    // writer rounds to its own decimals (or plotter units), so its layout keeps points exact.
    const bool baseCircleInPlot = profile == MachineProfile::HpglCutter;
    const PointRounding rounding
        = profile == MachineProfile::Plain ? PointRounding::Thousandths : PointRounding::Exact;
    Engraving engraving(
        scaleLayoutOf(p, v, baseCircleInPlot, rounding), v.sequence, p.depth, p.format);
    CoordinateCheck check(p.format);
    engraving.makeMoves(check);
    if (!check.allWritable())
        return coordinatesTooLarge(p, v.sequence.size());

    auto numbers = prepareNumbers(p, v);
    if (!numbers)
        return numbers.refusal();
    if (*numbers) {
        CoordinateCheck numberCheck(p.format);
        (*numbers)->makeMoves(engraving.m_layout, engraving.m_depth, numberCheck);
        if (!numberCheck.allWritable())
            return numbersTooLarge(p, v.sequence.size());
        engraving.m_numbers = std::move(numbers.value());
    }

    auto job = machineJobFor(p, v, machine);
    if (!job)
        return job.refusal();
    engraving.m_machine = std::move(*job);
    if (profile == MachineProfile::Plain)
        return engraving;
    switch (engraving.checkMachineFile()) {
    case MachineFileFault::OutOfRange:
        return coordinatesTooLarge(p, v.sequence.size(), machineRangeReason(profile, p.unit));
    case MachineFileFault::TooManyLines:
        return machineRefusal(MachineSetting::LineNumbers,
            "go only up to 9999999 in a GRBL program, and this one has more lines: turn them "
            "off.");
    case MachineFileFault::None:
        break;
    }
    return engraving;
}

Engraving::Engraving(Layout layout, std::string sequence, std::string depth, OutputFormat format)
    : m_layout(std::move(layout))
    , m_sequence(std::move(sequence))
    , m_depth(std::move(depth))
    , m_format(format)
{ }

void Engraving::makeMoves(MoveSink& sink) const
{
    std::visit([&](const auto& layout) { layout.makeMoves(m_sequence, m_depth, sink); }, m_layout);
    if (!m_numbers)
        return;
    sink.section(MoveSection::Numbers);
    m_numbers->makeMoves(m_layout, m_depth, sink);
}

void Engraving::write(TextSink& sink, const NumberFormat& format, const SvgSettings& svg) const
{
    if (m_format == OutputFormat::Svg) {
        SvgWriter writer(sink, m_machine.unit, svg);
        makeMoves(writer);
        writer.end();
        return;
    }
    if (m_format == OutputFormat::Dxf) {
        DxfWriter writer(sink, m_machine.unit);
        writer.begin();
        makeMoves(writer);
        writer.end();
        return;
    }
    if (m_machine.profile != MachineProfile::Plain) {
        writeMachineFile(sink); // its numbers take "." whatever the locale
        return;
    }
    if (m_format == OutputFormat::Plot) {
        PlotWriter writer(sink);
        writer.begin();
        makeMoves(writer);
        writer.end();
        return;
    }
    GcodeWriter writer(sink, asciiSeparator(format.decimalSeparator));
    writer.begin();
    makeMoves(writer);
    writer.end();
}

} // namespace mensora
