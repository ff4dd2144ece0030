#include "engraving/machine_check.h"

#include <cmath>

#include "model/number_rules.h"
#include "model/scale_input.h"
#include "writers/coordinate_text.h"
#include "writers/cutter_writer.h"

namespace mensora {

namespace {

std::string unitName(Unit unit)
{
    return unit == Unit::Inch ? "in" : "mm";
}

// The smallest and largest magnitudes the file's decimals write.
std::string smallestText(Unit unit)
{
    return fixedDecimalsText(std::pow(10.0, -machineDecimals(unit)), machineDecimals(unit));
}
std::string largestText(Unit unit)
{
    const int decimals = machineDecimals(unit);
    return fixedDecimalsText(machineNumberLimit(unit) - std::pow(10.0, -decimals), decimals);
}

class SettingChecks
{
public:
    SettingChecks(const Dialect& dialect, Unit unit)
        : m_dialect(dialect)
        , m_unit(unit)
    { }

    // A rate that a file of the profile writes, or its time estimate uses.
    void rate(MachineSetting setting, double value)
    {
        if (!uses(setting))
            return;
        const double rounded = roundedToDecimals(value, machineDecimals(m_unit));
        if (!(rounded > 0) || !withinMachineLimit(value, m_unit))
            refuse(setting,
                "must be from " + smallestText(m_unit) + " to " + largestText(m_unit) + " "
                    + unitName(m_unit) + "/min.");
    }
    void range(MachineSetting setting, double value, double low, double high, const char* words)
    {
        if (uses(setting) && !(value >= low && value <= high))
            refuse(setting, std::string("must be ") + words + ".");
    }
    void length(MachineSetting setting, double value)
    {
        if (uses(setting) && !withinMachineLimit(value, m_unit))
            refuse(setting,
                "must be from -" + largestText(m_unit) + " to " + largestText(m_unit) + " "
                    + unitName(m_unit) + ".");
    }
    // A size of the tool, in the file's unit: above 0, or from 0 when `zero` may be.
    void toolLength(MachineSetting setting, const ToolLength& length, bool zero)
    {
        const double value = lengthIn(length, m_unit);
        if (uses(setting)
            && !((zero ? value >= 0 : value > 0) && withinMachineLimit(value, m_unit)))
            refuse(setting,
                std::string(zero ? "must be at least 0" : "must be above 0") + " and below "
                    + fixedDecimalsText(machineNumberLimit(m_unit), 0) + " " + unitName(m_unit)
                    + ".");
    }
    // A height the tool travels at: above the work's surface, Z 0.
    void aboveSurface(MachineSetting setting, double value)
    {
        if (uses(setting) && !(roundedToDecimals(value, machineDecimals(m_unit)) > 0))
            refuse(setting,
                "must be above 0, the work's surface: at "
                    + fixedDecimalsText(value, machineDecimals(m_unit))
                    + " every rapid move runs through the work.");
    }
    // The laser's S, up to the largest its controller takes.
    void laserPower(double power, double sMax)
    {
        if (!uses(MachineSetting::LaserPower))
            return;
        if (power <= 0)
            refuse(MachineSetting::LaserPower, "must be above 0: at 0 the laser never fires.");
        else if (!(power <= sMax))
            refuse(MachineSetting::LaserPower,
                "must be above 0 and at most " + fixedDecimalsText(sMax, 4) + ".");
    }
    void wholePasses(double passes)
    {
        if (uses(MachineSetting::Passes)
            && !(passes >= 1 && passes <= 100 && passes == std::floor(passes)))
            refuse(MachineSetting::Passes, "must be a whole number from 1 to 100.");
    }
    const std::optional<Refusal>& refusal() const { return m_refusal; }

private:
    bool uses(MachineSetting setting) const { return !m_refusal && m_dialect.uses(setting); }
    void refuse(MachineSetting setting, const std::string& reason)
    {
        m_refusal = machineRefusal(setting, reason);
    }

    const Dialect& m_dialect;
    Unit m_unit;
    std::optional<Refusal> m_refusal;
};

// The sizes of the tool that makes the marks: a router's chosen tool, the laser's spot, the
// cutter's knife.
void checkTool(SettingChecks& check, const Dialect& dialect, const ToolSettings& tool)
{
    const bool router = dialect.uses(MachineSetting::Tool);
    if (router && tool.router == RouterTool::VBit) {
        check.range(MachineSetting::VbitAngle, tool.vbitAngle, 1e-9, 180 - 1e-9,
            "above 0 and below 180 degrees");
        check.toolLength(MachineSetting::VbitTip, tool.vbitTip, true);
    }
    if (router && tool.router == RouterTool::EndMill) {
        check.toolLength(MachineSetting::EndMillDiameter, tool.endMillDiameter, false);
        check.range(MachineSetting::Stepover, tool.stepover, 5, 100, "from 5 to 100 %");
    }
    check.toolLength(MachineSetting::SpotWidth, tool.spot, false);
    check.toolLength(MachineSetting::LineInterval, tool.lineInterval.value_or(tool.spot), false);
    check.range(MachineSetting::SMax, tool.sMax, 1e-9, 1e9, "above 0 and at most 1000000000");
    check.toolLength(MachineSetting::BladeOffset, tool.bladeOffset, true);
    check.toolLength(MachineSetting::Overcut, tool.overcut, true);
}

std::optional<Refusal> checkSettings(
    const Dialect& dialect, const MachineSettings& settings, const MachineJob& job)
{
    SettingChecks check(dialect, job.unit);
    checkTool(check, dialect, settings.tool);
    check.rate(MachineSetting::Feed, job.rates.feed);
    check.rate(MachineSetting::PlungeFeed, job.rates.plungeFeed);
    check.rate(MachineSetting::RapidRate, job.rates.rapidRate);
    check.length(MachineSetting::SafeHeight, settings.safeHeight);
    check.aboveSurface(MachineSetting::SafeHeight, settings.safeHeight);
    check.range(MachineSetting::SpindleSpeed, settings.spindleSpeed, 0, 99999,
        "from 0 (no spindle) to 99999 rpm");
    check.laserPower(settings.laserPower, settings.tool.sMax);
    check.wholePasses(settings.passes);
    return check.refusal();
}

// The depth box as the number a machine with Z goes down to.
Result<double> machineDepth(const ScaleParameters& p, const MachineJob& job)
{
    const std::string caption = inputCaption(ScaleInput::Depth, p.shape);
    const auto depth = strictNumberValue(p.depth, NumberFormat { ".", "" });
    if (!depth)
        return Refusal { ScaleInput::Depth,
            caption + " must be a number with \".\" for decimals, not \"" + p.depth + "\"." };
    const Unit unit = job.unit;
    const int decimals = machineDecimals(unit);
    if (!withinMachineLimit(*depth, unit))
        return Refusal { ScaleInput::Depth,
            caption + " must be from -" + largestText(unit) + " to " + largestText(unit) + " "
                + unitName(unit) + "." };
    // The safe height is above the work's surface (see checkSettings).
    const double safe = roundedToDecimals(job.safeHeight, decimals);
    if (!(roundedToDecimals(*depth, decimals) < safe))
        return Refusal { ScaleInput::Depth,
            caption + " must be below the safe height (" + fixedDecimalsText(safe, decimals)
                + ")." };
    if (job.passes > 1 && !(*depth < 0))
        return Refusal { ScaleInput::Depth,
            caption + " must be below 0 to cut in passes: each pass goes deeper from Z 0." };
    // Z 0 is the work's surface: a depth that does not go below it cuts nothing.
    if (!(roundedToDecimals(*depth, decimals) < 0))
        return Refusal { ScaleInput::Depth,
            caption + " must be below 0: at " + fixedDecimalsText(*depth, decimals)
                + " the tool does not reach the work." };
    return *depth;
}

// A box the shape reads, other than the depth (which machineDepth reads) and the package.
bool isNumberBox(ScaleInput input, Shape shape)
{
    if (input == ScaleInput::Package || input == ScaleInput::Depth)
        return false;
    return shape == Shape::Round
        || (input != ScaleInput::Radius && input != ScaleInput::StartAngle);
}

std::string titleOf(const ScaleParameters& p, const ScaleValues& v, Unit unit)
{
    const bool round = p.shape == Shape::Round;
    const std::string size = round ? "radius " + fixedDecimalsText(v.radius, machineDecimals(unit))
                                   : "length " + fixedDecimalsText(v.total, machineDecimals(unit));
    const char* kind = p.onDrum() ? "drum" : round ? "round" : "flat";
    return "Mensora: " + std::string(kind) + " scale, " + std::to_string(v.graduation.count())
        + " stripes, " + size + " " + unitName(unit);
}

} // namespace

double machineNumberLimit(Unit unit)
{
    return unit == Unit::Inch ? 1e4 : 1e5;
}

bool withinMachineLimit(double value, Unit unit)
{
    // Below the limit less half the last decimal, the rounding cannot reach the limit.
    const double halfLastDecimal = unit == Unit::Inch ? 0.000005 : 0.00005;
    return std::fabs(value) < machineNumberLimit(unit) - halfLastDecimal;
}

std::optional<Refusal> toolSizesRefusal(const Dialect& dialect, const ToolSettings& tool, Unit unit)
{
    SettingChecks check(dialect, unit);
    checkTool(check, dialect, tool);
    return check.refusal();
}

Result<MachineJob> machineJobFor(const ScaleParameters& p, const ScaleValues& v,
    const Dialect& dialect, const MachineSettings& settings)
{
    MachineJob job;
    job.profile = dialect.profile;
    job.unit = p.unit;
    if (!dialect.family) {
        job.rates = ratesFor(MachineSettings {}, p.unit);
        job.depth = numericPrefixValue(p.depth);
        return job;
    }
    job.rates = ratesFor(settings, p.unit);
    job.safeHeight = settings.safeHeight;
    job.spindleSpeed = roundedToDecimals(settings.spindleSpeed, machineDecimals(p.unit));
    job.laserPower = settings.laserPower;
    job.lineNumbers = settings.lineNumbers;
    job.order = settings.order;
    if (const auto refusal = checkSettings(dialect, settings, job))
        return *refusal;
    job.passes = dialect.uses(MachineSetting::Passes) ? static_cast<int>(settings.passes) : 1;
    if (dialect.readsDepth) {
        const auto depth = machineDepth(p, job);
        if (!depth)
            return depth.refusal();
        job.depth = *depth;
    }
    job.title = titleOf(p, v, p.unit);
    return job;
}

std::optional<Refusal> strictBoxRefusal(
    const ScaleParameters& p, std::string_view sequence, const NumberFormat& notation)
{
    const int decimals = machineDecimals(p.unit);
    for (const InputRow& row : inputTable) {
        const std::string& text = inputText(p, row.input);
        if (!isNumberBox(row.input, p.shape) || strictNumberValue(text, NumberFormat { ".", "" }))
            continue;
        if (row.stripeKind != 0
            && sequence.find(static_cast<char>('0' + row.stripeKind)) == std::string_view::npos)
            continue;
        std::string message = inputCaption(row.input, p.shape)
            + " must be a plain number with \".\" for decimals for a machine file, not \"" + text
            + "\"";
        // A number in the user's own notation that the box reads otherwise: say both.
        const double read = numericPrefixValue(text);
        if (const auto local = strictNumberValue(text, notation); local && *local != read)
            message += ": the box reads it as " + fixedDecimalsText(read, decimals) + ", not "
                + fixedDecimalsText(*local, decimals);
        return Refusal { row.input, message + "." };
    }
    return std::nullopt;
}

std::optional<std::string> deepCutQuestion(const MachineJob& job, const Dialect& dialect)
{
    if (!dialect.family || !dialect.readsDepth)
        return std::nullopt;
    const bool inch = job.unit == Unit::Inch;
    const double deepest = inch ? -0.2 : -5;
    if (!(job.depth < deepest))
        return std::nullopt;
    const int decimals = machineDecimals(job.unit);
    return "Engr depth " + fixedDecimalsText(job.depth, decimals) + " " + unitName(job.unit)
        + " is deeper than " + (inch ? "0.2 in" : "5 mm")
        + ": the tool goes that deep in one cut. Save it?";
}

std::string machineRangeReason(CoordinateRange range, Unit unit)
{
    if (range == CoordinateRange::PlotterUnits)
        return " is too large for a plot file: the drawing must stay within "
            + fixedDecimalsText(cutterUnitLimit - 1, 0) + " plotter units.";
    return " is too large for a machine file: its coordinates must stay below "
        + fixedDecimalsText(machineNumberLimit(unit), 0) + " " + unitName(unit) + ".";
}

} // namespace mensora
