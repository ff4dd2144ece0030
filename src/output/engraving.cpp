#include "output/engraving.h"

#include <cmath>
#include <utility>

#include "model/character_text.h"
#include "output/coordinate_text.h"
#include "output/gcode_writer.h"
#include "output/plot_writer.h"

namespace mensora {

namespace {

// Checks, without writing, that every coordinate of a scale can be written: finite, and for
// a plot file finite after scaling to plotter units.
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
        return m_format == OutputFormat::Gcode || std::isfinite(plotterUnits(c));
    }

    OutputFormat m_format;
    bool m_writable = true;
};

// The box most likely to blame for coordinates too large to write: the largest number that
// goes into them.
Refusal coordinatesTooLarge(const ScaleParameters& p, std::size_t stripes)
{
    const double count = static_cast<double>(stripes);
    const std::pair<ScaleInput, double> candidates[] = {
        { ScaleInput::StartX, numericPrefixValue(p.txt_startx) },
        { ScaleInput::StartY, numericPrefixValue(p.txt_starty) },
        { ScaleInput::Distance, numericPrefixValue(p.txt_dist_stripes) * count },
        { ScaleInput::Length, numericPrefixValue(p.txt_totallength) },
        { ScaleInput::Radius, p.Option3 == Shape::Round ? numericPrefixValue(p.Txt_radius) : 0 },
        { ScaleInput::StartAngle,
            p.Option3 == Shape::Round ? numericPrefixValue(p.Txt_start_angle) : 0 },
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
    return { blamed,
        inputCaption(blamed, p.Option3)
            + " is too large: the scale's coordinates cannot be written." };
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

Result<Engraving> Engraving::prepare(const ScaleParameters& p)
{
    const Shape shape = p.Option3;
    const auto total = readSingle(p.txt_totallength, ScaleInput::Length, shape);
    if (!total)
        return total.refusal();
    const auto step = readSingle(p.txt_dist_stripes, ScaleInput::Distance, shape);
    if (!step)
        return step.refusal();
    const auto sequence = stripeSequenceFor(*total, *step, p.Text6);
    if (!sequence)
        return sequence.refusal();
    const auto lengths = readStripeLengths(p, *sequence);
    if (!lengths)
        return lengths.refusal();
    if (p.Chk_plt == OutputFormat::Gcode) {
        if (const auto depth = checkDepth(p.txt_engr_depth); !depth)
            return depth.refusal();
    }

    const auto startX = readDouble(p.txt_startx, ScaleInput::StartX, shape);
    if (!startX)
        return startX.refusal();
    const auto startY = readSingle(p.txt_starty, ScaleInput::StartY, shape);
    if (!startY)
        return startY.refusal();
    // The stripes take the step in double precision; the single above only counts them.
    const double distance = numericPrefixValue(p.txt_dist_stripes);

    Layout layout
        = FlatScaleLayout { *total, distance, *startX, *startY, p.Option2, p.Option1, *lengths };
    if (shape == Shape::Round) {
        const auto radius = readDouble(p.Txt_radius, ScaleInput::Radius, shape);
        if (!radius)
            return radius.refusal();
        const auto startAngle = readDouble(p.Txt_start_angle, ScaleInput::StartAngle, shape);
        if (!startAngle)
            return startAngle.refusal();
        layout = RoundScaleLayout { *total, distance, *startAngle, *radius, *startX, *startY,
            p.Option2, p.Option1, p.Chk_plt, *lengths };
    }

    Engraving engraving(std::move(layout), *sequence, p.txt_engr_depth, p.Chk_plt);
    CoordinateCheck check(p.Chk_plt);
    engraving.makeMoves(check);
    if (!check.allWritable())
        return coordinatesTooLarge(p, sequence->size());
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
}

void Engraving::write(TextSink& sink, const NumberFormat& format) const
{
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
