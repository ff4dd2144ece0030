#include "cli/machine_options.h"

#include <optional>

#include "cli/choice_options.h"
#include "cli/decimal_options.h"

namespace mensora {

namespace {

QString nameOf(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

bool readRate(const QCommandLineParser& parser, const char* option, Unit unit,
    std::optional<Rate>& rate, QString& error)
{
    std::optional<double> number;
    if (!readDecimalOption(parser, option, number, error))
        return false;
    if (number)
        rate = Rate { *number, unit };
    return true;
}

bool readValue(const QCommandLineParser& parser, const char* option, double& value, QString& error)
{
    std::optional<double> number;
    if (!readDecimalOption(parser, option, number, error))
        return false;
    value = number.value_or(value);
    return true;
}

// A profile shapes files of its own family: without --format it chooses it.
bool readFormat(const QCommandLineParser& parser, OutputRequest& output, QString& error)
{
    const Dialect& dialect = dialectOf(output.machine.profile);
    if (!parser.isSet("format")) {
        output.format = dialect.family.value_or(OutputFormat::Gcode);
        return true;
    }
    // A drawing takes no machine settings: they belong to the machine, not to the scale.
    const bool drawing
        = outputFor(output.format, MachineProfile::Plain).settings == OutputSettings::Drawing;
    if (drawing || !dialect.family || dialect.family == output.format)
        return true;
    const QString family = dialect.family == OutputFormat::Plot ? "plot files" : "G-code programs";
    error = QString("--profile=%1 shapes %2 and does not go with --format=%3.")
                .arg(nameOf(dialect.name), family, nameOf(choiceName(output.format)));
    return false;
}

} // namespace

QList<QCommandLineOption> machineOptions()
{
    return {
        { "profile",
            "Machine profile: plain (the file as always, the default), rs274, grbl, grbl-laser "
            "or grblhal (G-code programs; grblhal for grblHAL and FluidNC with a fourth axis), "
            "hpgl-cutter (plot files). Without --format the file is of the profile's kind; no "
            "setting below applies to plain.",
            "PROFILE", "plain" },
        { "feed", "Feed of cuts per minute, in the scale's unit (default 100 mm/min, 4 in/min).",
            "NUMBER" },
        { "plunge-feed", "Feed of plunges per minute (default 50 mm/min, 2 in/min).", "NUMBER" },
        { "rapid-rate",
            "Rapid rate per minute, only for the estimated time (default 1000 mm/min, 40 in/min).",
            "NUMBER" },
        { "safe-z",
            "Safe height of travel, above 0 (the work's surface) and the depth (default 1).",
            "NUMBER" },
        { "spindle", "Spindle speed in rpm; 0 writes no spindle words (default 0).", "NUMBER" },
        { "power", "Laser power S, above 0 and up to 1000 (default 1000).", "NUMBER" },
        { "passes",
            "Passes, 1 to 100: a router cuts each stripe, baseline and arc that many times, each "
            "deeper by depth / passes; a laser burns each that many times (default 1).",
            "NUMBER" },
        { "no-line-numbers", "Write the program without line numbers (N words)." },
        choiceOption<TravelOrder>("order",
            "Travel order: listed (the stripes in their order) or alternate (every second "
            "stripe from its outer end, less travel)."),
        { "stats",
            "Print the job's figures, one \"name: value\" line each: on standard error when the "
            "file goes to standard output." },
    };
}

bool readMachineOptions(
    const QCommandLineParser& parser, Unit unit, OutputRequest& output, QString& error)
{
    MachineSettings& settings = output.machine;
    settings.lineNumbers = !parser.isSet("no-line-numbers");
    return readChoice(parser, "profile", settings.profile, error)
        && readChoice(parser, "order", settings.order, error) && readFormat(parser, output, error)
        && readRate(parser, "feed", unit, settings.feed, error)
        && readRate(parser, "plunge-feed", unit, settings.plungeFeed, error)
        && readRate(parser, "rapid-rate", unit, settings.rapidRate, error)
        && readValue(parser, "safe-z", settings.safeHeight, error)
        && readValue(parser, "spindle", settings.spindleSpeed, error)
        && readValue(parser, "power", settings.laserPower, error)
        && readValue(parser, "passes", settings.passes, error);
}

} // namespace mensora
