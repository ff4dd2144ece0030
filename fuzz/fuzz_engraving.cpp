// Fuzz target: the whole generation, from arbitrary box texts, choices and machine settings to
// the file's bytes and the job's figures.
// Input: "CHOICES|length|distance|stripe1|..|stripe6|package|startx|starty|depth|radius|
// startangle|NUMBERS|SETTINGS"; missing fields keep the window's start texts and the default
// settings. CHOICES are bytes, each taken modulo the number of options (so "0" and "1" read as
// the first and second button): shape, baseline, stripe position, output format (G-code, plot,
// SVG or DXF), decimal separator, then machine profile, travel order, line numbers (on first),
// unit, surface (face first) and rotary axis. NUMBERS are the fields
// "kind|first|step|decimals|height|gap|font|orientation|prefix| suffix|marks": kind and decimals a
// digit as it stands (any other byte: kind modulo 8, decimals as needed), first, step, height and
// gap read by the numeric-prefix rule (empty: unset), font, prefix and suffix as they stand,
// orientation a byte modulo 2, marks two bytes modulo 2 (end on the total, no double mark);
// missing, no numbers. SETTINGS are "feed|plungefeed|rapidrate|safez|spindle|power|passes", numbers
// with "." (a field that is no number keeps its default). Inputs of five choices give the plain
// file.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "fuzz_check.h"
#include "model/machine_settings.h"
#include "model/scale_input.h"
#include "model/stripe_pattern.h"

using namespace mensora;

namespace {

// The text up to the next bar; `more` tells whether a bar followed, so "a|" has an empty
// second field and "a" none.
std::string_view takeField(std::string_view& rest, bool& more)
{
    const auto bar = rest.find('|');
    const std::string_view field = rest.substr(0, bar);
    more = bar != std::string_view::npos;
    rest = more ? rest.substr(bar + 1) : std::string_view {};
    return field;
}

// English and German notation, and an Arabic separator outside ASCII.
const NumberFormat formats[] = {
    { ".", "," },
    { ",", "." },
    { "\u066b", "\u066c" },
};

std::optional<double> unsetOrNumber(std::string_view field)
{
    if (field.empty())
        return std::nullopt;
    return numericPrefixValue(field);
}

std::size_t byteAt(std::string_view field, std::size_t at, std::size_t options)
{
    return at < field.size() ? static_cast<unsigned char>(field[at]) % options : 0;
}

void readNumbers(std::string_view& input, bool& more, NumberSettings& numbers, MarkSettings& marks)
{
    const auto next = [&] { return more ? takeField(input, more) : std::string_view {}; };
    const auto digit = [](std::string_view field) {
        return !field.empty() && field[0] >= '0' && field[0] <= '9' ? field[0] - '0' : -1;
    };
    const std::string_view kind = next();
    numbers.kind = digit(kind) >= 0 ? digit(kind) : static_cast<int>(byteAt(kind, 0, 8));
    numbers.first = numericPrefixValue(next());
    numbers.step = unsetOrNumber(next());
    if (const int decimals = digit(next()); decimals >= 0)
        numbers.decimals = decimals;
    numbers.height = unsetOrNumber(next());
    numbers.gap = unsetOrNumber(next());
    if (const std::string_view font = next(); !font.empty())
        numbers.font = std::string(font);
    numbers.orientation = static_cast<NumberOrientation>(byteAt(next(), 0, 2));
    numbers.prefix = std::string(next());
    numbers.suffix = std::string(next());
    const std::string_view markBytes = next();
    marks = { byteAt(markBytes, 0, 2) == 1, byteAt(markBytes, 1, 2) == 1 };
}

struct FuzzCase
{
    ScaleParameters parameters;
    OutputRequest output;
    NumberFormat format;
};

std::optional<double> settingNumber(std::string_view& input, bool& more)
{
    if (!more)
        return std::nullopt;
    return strictNumberValue(takeField(input, more), NumberFormat { ".", "" });
}

void readSettings(std::string_view input, bool more, MachineSettings& m, Unit unit)
{
    for (std::optional<Rate>* rate : { &m.feed, &m.plungeFeed, &m.rapidRate })
        if (const auto value = settingNumber(input, more))
            *rate = Rate { *value, unit };
    for (double* value : { &m.safeHeight, &m.spindleSpeed, &m.laserPower, &m.passes })
        *value = settingNumber(input, more).value_or(*value);
}

FuzzCase caseFrom(std::string_view input)
{
    FuzzCase c;
    ScaleParameters& p = c.parameters;
    bool more = false;
    const std::string_view choices = takeField(input, more);
    const auto choice = [&](std::size_t at, int options) {
        return at < choices.size() ? static_cast<unsigned char>(choices[at]) % options : 0;
    };
    p.shape = static_cast<Shape>(choice(0, 2));
    p.baseline = static_cast<Baseline>(choice(1, 2));
    p.stripePosition = static_cast<StripePosition>(choice(2, 3));
    c.output.format = static_cast<OutputFormat>(choice(3, 4));
    c.format = formats[choice(4, std::size(formats))];
    c.output.machine.profile = static_cast<MachineProfile>(choice(5, 6));
    c.output.machine.order = static_cast<TravelOrder>(choice(6, 2));
    c.output.machine.lineNumbers = choice(7, 2) == 0;
    p.unit = static_cast<Unit>(choice(8, 2));
    p.surface = static_cast<Surface>(choice(9, 2));
    p.rotaryAxis = static_cast<RotaryAxis>(choice(10, 2));

    for (std::size_t i = 0; i < inputTable.size() && more; ++i)
        inputText(p, inputTable[i].input) = std::string(takeField(input, more));
    if (more)
        readNumbers(input, more, p.numbers, p.marks);
    readSettings(input, more, c.output.machine, p.unit);
    return c;
}

// Every line ends in CR LF, the last included, and holds printable ASCII only.
std::size_t checkedLineCount(const std::string& text)
{
    FUZZ_CHECK(text.size() >= 2 && text.ends_with("\r\n"), "the last line ends in CR LF");
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n', "CR is followed by LF");
            ++lines;
            ++i;
            continue;
        }
        FUZZ_CHECK(byte >= 0x20 && byte <= 0x7e, "every byte is printable ASCII");
    }
    return lines;
}

// What every machine dialect promises: numbered lines without gaps when numbered, GRBL's
// 80 characters, no Z for a laser, nothing below 0 for a cutter.
void checkMachineFile(const std::string& text, const MachineJob& job)
{
    if (job.profile == MachineProfile::HpglCutter) {
        FUZZ_CHECK(text.find('-') == std::string::npos, "no plotter coordinate below 0");
        FUZZ_CHECK(text.ends_with("PU;SP0;\r\n"), "the cutter's file ends with PU;SP0;");
        return;
    }
    const bool grbl = job.profile != MachineProfile::Rs274;
    std::size_t number = 1;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        const std::string_view line(text.data() + at, end - at);
        at = end + 2;
        FUZZ_CHECK(!grbl || line.size() <= 80, "a GRBL line holds at most 80 characters");
        if (job.lineNumbers)
            FUZZ_CHECK(line.starts_with("N" + std::to_string(number++) + " "),
                "lines are numbered without gaps");
        const std::string_view words = line.substr(0, line.find('('));
        FUZZ_CHECK(
            job.profile != MachineProfile::GrblLaser || words.find('Z') == std::string_view::npos,
            "a laser program has no Z word");
    }
}

// What the figures promise: amounts, none below 0 (a plain file's absurd numbers may add up
// to infinity, a machine file's stay finite), and a time in words.
void checkFigures(const JobFigures& figures, MachineProfile profile)
{
    for (const double amount : { figures.cutLength, figures.travelLength, figures.seconds }) {
        FUZZ_CHECK(amount >= 0, "figures are amounts, not below 0");
        FUZZ_CHECK(profile == MachineProfile::Plain || std::isfinite(amount),
            "a machine file's figures are finite");
    }
    FUZZ_CHECK(!durationText(figures.seconds).empty(), "the time reads in words");
}

// Four moves a stripe and four for the baseline (a round scale's is left out of plain plot
// files; a cutter draws it; a drum's ring of no sweep is not cut).
std::size_t stripeMoveCount(const ScaleParameters& p, const Engraving& engraving,
    OutputFormat format, MachineProfile profile)
{
    const DrumScaleLayout* drum = engraving.drum();
    const bool baseline = p.baseline == Baseline::Single
        && (format != OutputFormat::Plot || p.shape == Shape::Flat
            || profile == MachineProfile::HpglCutter)
        && !(drum && drum->totalAngle == 0);
    return 4 * engraving.sequence().size() + (baseline ? 4 : 0);
}

// Counts the moves, and checks that what follows the stripes and the baseline is strokes:
// each a rapid, a plunge, cuts naming both axes, a lift.
class MoveCount : public MoveSink
{
public:
    explicit MoveCount(std::size_t stripeMoves)
        : m_stripeMoves(stripeMoves)
    { }

    void move(const ToolMove& move) override
    {
        ++moves;
        drawn += std::holds_alternative<Rapid>(move) || std::holds_alternative<Cut>(move);
        cuts += std::holds_alternative<Cut>(move);
        if (const auto* arc = std::get_if<Arc>(&move))
            drawnArcs += arc->radius == 0 || arc->sweep == 0 ? 0
                : std::fabs(arc->sweep) < 360                ? 1
                                                             : 2;
        if (moves <= m_stripeMoves)
            return;
        const std::size_t expected = m_next == Next::Rapid ? 0 : m_next == Next::Plunge ? 1 : 2;
        FUZZ_CHECK(move.index() == expected || (m_next == Next::CutOrLift && move.index() == 3),
            "a stroke is a rapid, a plunge, cuts and a lift");
        if (const auto* cut = std::get_if<Cut>(&move))
            FUZZ_CHECK(cut->axes == CutAxes::XY, "a stroke's cuts name both axes");
        m_next = move.index() == 0 ? Next::Plunge
            : move.index() == 3    ? Next::Rapid
                                   : Next::CutOrLift;
    }
    bool strokesComplete() const { return m_next == Next::Rapid; }

    std::size_t moves = 0;
    std::size_t drawn = 0; // rapids and cuts: the lines of a plot file
    std::size_t cuts = 0;
    std::size_t drawnArcs = 0; // in a drawing: none for no sweep, two halves for a whole turn

private:
    enum class Next { Rapid, Plunge, CutOrLift };
    std::size_t m_stripeMoves;
    Next m_next = Next::Rapid;
};

// One line a move in G-code, plus the end record; one line a rapid or cut in a plot file,
// plus the header and trailer.
std::size_t expectedLineCount(OutputFormat format, const MoveCount& count)
{
    return format == OutputFormat::Gcode ? count.moves + 1 : count.drawn + 3;
}

std::size_t occurrences(const std::string& text, std::string_view word)
{
    std::size_t found = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++found;
    return found;
}

// A drawing is whole, holds only numbers that a reader can take, and shows every cut and arc:
// an SVG one element each (an arc of a whole turn two, of no sweep none).
void checkDrawing(const std::string& text, OutputFormat format, const MoveCount& count)
{
    FUZZ_CHECK(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos,
        "a drawing's numbers are finite");
    if (format == OutputFormat::Dxf) {
        FUZZ_CHECK(text.ends_with("  0\r\nEOF\r\n"), "a DXF drawing ends with EOF");
        return;
    }
    FUZZ_CHECK(text.ends_with("</svg>\r\n"), "an SVG drawing is closed");
    const std::size_t elements = occurrences(text, "<line ") + occurrences(text, "<path ");
    FUZZ_CHECK(elements == count.cuts + count.drawnArcs, "every cut and arc is drawn");
}

// The stripe count the boxes give, or 0 when they give none.
[[maybe_unused]] int stripeCountOf(const ScaleParameters& p)
{
    const auto total = singleOrNone(numericPrefixValue(p.length));
    const auto step = singleOrNone(numericPrefixValue(p.distance));
    if (!total || !step)
        return 0;
    const auto count = stripeCountFor(*total, *step);
    return count ? *count : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzCase c = caseFrom({ reinterpret_cast<const char*>(data), size });
#ifdef MENSORA_FUZZ_MAX_STRIPES
    // Under the fuzzer, long scales only repeat the per-stripe code at a hundredfold cost; the
    // kept corpus and the real-reader tests carry the longest scales whole.
    if (stripeCountOf(c.parameters) > MENSORA_FUZZ_MAX_STRIPES)
        return 0;
#endif
    const auto engraving = Engraving::prepare(c.parameters, c.output, installedFonts());
    if (!engraving) {
        FUZZ_CHECK(
            !engraving.refusal().message.empty(), "a refused input is refused with a message");
        return 0;
    }
    const std::string& sequence = engraving->sequence();
    FUZZ_CHECK(sequence.size() <= 32767, "at most 32767 stripes");
    FUZZ_CHECK(sequence.find_first_not_of("123456") == std::string::npos, "kinds 1 to 6");

    const MachineJob& job = engraving->machineJob();
    const OutputFormat format = c.output.format;
    const std::size_t stripeMoves = stripeMoveCount(c.parameters, *engraving, format, job.profile);
    MoveCount count(stripeMoves);
    engraving->makeMoves(count);
    FUZZ_CHECK(count.strokesComplete(), "the last stroke is lifted");
    FUZZ_CHECK(count.moves >= stripeMoves, "every stripe is cut");
    FUZZ_CHECK(c.parameters.numbers.kind != 0 || count.moves == stripeMoves,
        "no numbers, no moves beyond the stripes");

    StringSink sink;
    engraving->write(sink, c.format);
    const std::size_t lines = checkedLineCount(sink.text);
    if (format == OutputFormat::Svg || format == OutputFormat::Dxf) {
        FUZZ_CHECK(job.profile == MachineProfile::Plain, "a drawing takes no machine settings");
        checkDrawing(sink.text, format, count);
    } else if (job.profile == MachineProfile::Plain) {
        FUZZ_CHECK(lines == expectedLineCount(format, count), "one line per move");
    } else {
        checkMachineFile(sink.text, job);
    }
    checkFigures(engraving->figures(), job.profile);
    return 0;
}
