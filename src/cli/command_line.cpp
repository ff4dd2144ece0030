#include "cli/command_line.h"

#include "cli/choice_options.h"
#include "cli/machine_options.h"
#include "cli/number_options.h"
#include "model/scale_input.h"

namespace mensora {

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption())
    , m_version(m_parser.addVersionOption())
{
    m_parser.setApplicationDescription(
        "Writes the engraving program of a graduated scale: a G-code program or a plot file.\n"
        "Box texts are read as the window reads them (\"12mm\" is 12).");
    addTextOptions();
    m_parser.addOptions({
        choiceOption<Shape>("shape", "Scale shape: flat or round."),
        choiceOption<Unit>(
            "unit", "Unit of the numbers: mm or inch (changes nothing in the file)."),
        choiceOption<Baseline>("baseline", "Baseline: none or single."),
        choiceOption<StripePosition>(
            "position", "Stripe position: above, midway or under the baseline."),
        choiceOption<OutputFormat>(
            "format", "Output: gcode (.din) or plot (.plt); by default the profile's kind."),
        { { "o", "output" }, "Write to FILE; - for standard output (the default).", "FILE", "-" },
        { "sequence", "Print the stripe sequence and write nothing." },
    });
    m_parser.addOptions(machineOptions());
    m_parser.addOptions(numberOptions());
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
    for (const InputRow& row : inputTable)
        inputText(m_request.parameters, row.input) = m_parser.value(row.option).toStdString();
    m_request.output = m_parser.value("output");
    m_request.sequenceOnly = m_parser.isSet("sequence");
    m_request.stats = m_parser.isSet("stats");
    return readChoices();
}

bool CommandLine::readChoices()
{
    ScaleParameters& p = m_request.parameters;
    return readChoice(m_parser, "shape", p.shape, m_error)
        && readChoice(m_parser, "unit", p.unit, m_error)
        && readChoice(m_parser, "baseline", p.baseline, m_error)
        && readChoice(m_parser, "position", p.stripePosition, m_error)
        && readChoice(m_parser, "format", p.format, m_error)
        && readNumberOptions(m_parser, p.numbers, p.marks, m_error)
        && readMachineOptions(m_parser, p, m_request.machine, m_error);
}

} // namespace mensora
