#include "cli/command_line.h"

#include "cli/choice_options.h"
#include "cli/function_options.h"
#include "cli/machine_options.h"
#include "cli/number_options.h"
#include "cli/tool_options.h"
#include "cli/width_options.h"
#include "model/scale_input.h"

namespace mensora {

namespace {

// Wider lines than this would hide any scale's stripes.
constexpr double maxStrokeWidthMm = 100;

} // namespace

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption())
    , m_version(m_parser.addVersionOption())
{
    m_parser.setApplicationDescription(
        "Writes the engraving program of a graduated scale, a G-code program or a plot file, or\n"
        "a drawing of its cuts (SVG or DXF) for lasers, cutters and CAD.\n"
        "Box texts are read as the window reads them (\"12mm\" is 12). With --scale, the scale\n"
        "file comes first and every option given changes it; in a job of several scales, the\n"
        "scale and number options change the scale that --select names.");
    addTextOptions();
    m_parser.addOptions({
        choiceOption<Shape>("shape", "Scale shape: flat or round."),
        choiceOption<Surface>("surface",
            "Surface of a round scale: face (a dial) or drum (around a cylinder turned by a "
            "rotary axis)."),
        choiceOption<RotaryAxis>("rotary-axis", "Rotary axis that turns a drum: A or B."),
        choiceOption<Unit>(
            "unit", "Unit of the numbers: mm or inch (changes nothing in the file)."),
        choiceOption<Baseline>("baseline", "Baseline: none or single."),
        choiceOption<StripePosition>(
            "position", "Stripe position: above, midway or under the baseline."),
        choiceOption<OutputFormat>("format",
            "Output: gcode (.din) or plot (.plt), by default the profile's kind; or a "
            "drawing of the cuts: svg or dxf."),
        { { "o", "output" }, "Write to FILE; - for standard output (the default).", "FILE", "-" },
        { "sequence", "Print the stripe sequence (of the selected scale) and write nothing." },
        { "scale",
            "Read the scale, or the job of several, from the scale file FILE (.mensora) first.",
            "FILE" },
        { "save-scale",
            "Write the scale, or the job of several, to the scale file FILE and nothing else.",
            "FILE" },
        { "stroke-width", "Line width of an SVG drawing in millimetres (default 0.1).", "mm",
            "0.1" },
    });
    m_parser.addOptions(jobOptions());
    m_parser.addOptions(machineOptions());
    m_parser.addOptions(toolOptions());
    m_parser.addOptions(numberOptions());
    m_parser.addOptions(widthOptions());
    m_parser.addOptions(noteOptions());
    m_parser.addOptions(functionOptions());
}

void CommandLine::addTextOptions()
{
    const ScaleParameters defaults;
    for (const InputRow& row : inputTable) {
        const QString start = QString::fromStdString(inputText(defaults, row.input));
        m_parser.addOption({ row.option,
            QString("%1 (default \"%2\").").arg(row.description, start), "text", start });
    }
}

bool CommandLine::helpAsked() const
{
    return m_parser.isSet(m_help);
}
bool CommandLine::versionAsked() const
{
    return m_parser.isSet(m_version);
}

bool CommandLine::parse(const QStringList& arguments)
{
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return false;
    }
    if (!m_parser.positionalArguments().isEmpty()) {
        m_error = "Unexpected argument: " + m_parser.positionalArguments().first();
        return false;
    }
    m_request.outputPath = m_parser.value("output");
    m_request.sequenceOnly = m_parser.isSet("sequence");
    m_request.stats = m_parser.isSet("stats");
    m_request.notes = noteHandlingOf(m_parser);
    // The options are tried on a scale at the start values, so that a usage error is told
    // before any file is read.
    return readJobOptions(m_parser, m_request.jobOptions, m_error)
        && applyOptions(m_request.job, 0, m_request.output, m_request.pointsFile, m_error)
        && readFileOptions();
}

std::optional<CliRequest> CommandLine::requestOver(const ScaleJob& base)
{
    if (const auto missing = missingSelection(base, m_request.jobOptions.selected)) {
        m_error = *missing;
        return std::nullopt;
    }
    CliRequest request = m_request;
    request.job = base;
    request.job.mirror = base.mirror || request.jobOptions.mirror;
    request.output.machine = {};
    QString unused; // parse() has refused every option that could fail
    applyOptions(
        request.job, request.jobOptions.selected, request.output, request.pointsFile, unused);
    return request;
}

// Only the options given change the selected scale: over the start values, or a scale file's.
// Rates are in the file's unit, the first scale's.
bool CommandLine::applyOptions(ScaleJob& job, std::size_t selected, OutputRequest& output,
    QString& pointsFile, QString& error) const
{
    ScaleParameters& p = job.scales.at(selected).parameters;
    for (const InputRow& row : inputTable)
        if (m_parser.isSet(row.option))
            inputText(p, row.input) = m_parser.value(row.option).toStdString();
    return readChoice(m_parser, "shape", p.shape, error)
        && readChoice(m_parser, "surface", p.surface, error)
        && readChoice(m_parser, "rotary-axis", p.rotaryAxis, error)
        && readChoice(m_parser, "unit", p.unit, error)
        && readChoice(m_parser, "baseline", p.baseline, error)
        && readChoice(m_parser, "position", p.stripePosition, error)
        && readChoice(m_parser, "format", output.format, error)
        && readNumberOptions(m_parser, p.numbers, p.marks, error)
        && readWidthOptions(m_parser, p.widths, error)
        && readFunctionOptions(m_parser, p, pointsFile, error)
        && readMachineOptions(m_parser, job.scales.front().parameters.unit, output, error)
        && readToolOptions(m_parser, job.scales.front().parameters.unit, output, error);
}

bool CommandLine::readFileOptions()
{
    m_request.scaleFile = m_parser.value("scale");
    m_request.saveScale = m_parser.value("save-scale");
    if (m_parser.isSet("scale") && m_request.scaleFile.isEmpty()) {
        m_error = "--scale takes the name of a scale file.";
        return false;
    }
    if (m_parser.isSet("save-scale")
        && (m_parser.isSet("output") || m_request.sequenceOnly || m_request.saveScale.isEmpty())) {
        m_error = "--save-scale takes a file name and writes only the scale: no -o, no --sequence.";
        return false;
    }
    if (m_request.jobOptions.listScales
        && (m_parser.isSet("output") || m_request.sequenceOnly || m_parser.isSet("save-scale")
            || m_request.stats)) {
        m_error = "--list-scales writes only the list: no -o, --sequence, --save-scale or --stats.";
        return false;
    }
    const QString width = m_parser.value("stroke-width");
    bool number = false;
    const double millimetres = width.toDouble(&number);
    if (!number || !(millimetres > 0 && millimetres <= maxStrokeWidthMm)) {
        m_error = QString("--stroke-width takes millimetres above 0 and up to 100, not \"%1\".")
                      .arg(width);
        return false;
    }
    m_request.output.drawing.strokeWidthMm = millimetres;
    return true;
}

} // namespace mensora
