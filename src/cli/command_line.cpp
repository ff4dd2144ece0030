#include "cli/command_line.h"

#include <array>

namespace mensora {

namespace {

// A text option and the box it fills.
struct TextOption
{
    const char* name;
    std::string ScaleParameters::*box;
    const char* description;
};

const std::array textOptions {
    TextOption { "length", &ScaleParameters::txt_totallength, "Length, or total angle (round)" },
    TextOption { "distance", &ScaleParameters::txt_dist_stripes,
        "Distance between stripes, or angle between stripes (round)" },
    TextOption { "stripe1", &ScaleParameters::txt_len_str1, "Length of stripe kind 1" },
    TextOption { "stripe2", &ScaleParameters::txt_len_str2, "Length of stripe kind 2" },
    TextOption { "stripe3", &ScaleParameters::txt_len_str3, "Length of stripe kind 3" },
    TextOption { "stripe4", &ScaleParameters::txt_len_str4, "Length of stripe kind 4" },
    TextOption { "stripe5", &ScaleParameters::txt_len_str5, "Length of stripe kind 5" },
    TextOption { "stripe6", &ScaleParameters::txt_len_str6, "Length of stripe kind 6" },
    TextOption { "package", &ScaleParameters::Text6, "Stripe kinds of one package, digits 1-6" },
    TextOption { "start-x", &ScaleParameters::txt_startx, "Start X, or centre X (round)" },
    TextOption { "start-y", &ScaleParameters::txt_starty, "Start Y, or centre Y (round)" },
    TextOption { "depth", &ScaleParameters::txt_engr_depth, "Engraving depth, written as typed" },
    TextOption { "radius", &ScaleParameters::Txt_radius, "Radius (round)" },
    TextOption { "start-angle", &ScaleParameters::Txt_start_angle, "Start angle (round)" },
};

// Finds `value` among `names`; the index is the choice.
qsizetype choiceIndex(const QString& value, const QStringList& names)
{
    return names.indexOf(value);
}

} // namespace

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption())
    , m_version(m_parser.addVersionOption())
{
    m_parser.setApplicationDescription(
        "Writes the engraving program of a graduated scale: a G-code program or a plot file.\n"
        "Box texts are read as the window reads them (\"12mm\" is 12).");
    addTextOptions();
    m_parser.addOptions({
        { "shape", "Scale shape: flat or round.", "flat|round", "flat" },
        { "unit", "Unit of the numbers: mm or inch (changes nothing in the file).", "mm|inch",
            "mm" },
        { "baseline", "Baseline: none or single.", "none|single", "none" },
        { "position", "Stripe position: above, midway or under the baseline.", "above|midway|under",
            "above" },
        { "format", "Output: gcode (.din) or plot (.plt).", "gcode|plot", "gcode" },
        { { "o", "output" }, "Write to FILE; - for standard output (the default).", "FILE", "-" },
        { "sequence", "Print the stripe sequence and write nothing." },
    });
}

void CommandLine::addTextOptions()
{
    const ScaleParameters defaults;
    for (const TextOption& option : textOptions) {
        const QString start = QString::fromStdString(defaults.*option.box);
        m_parser.addOption({ option.name,
            QString("%1 (default \"%2\").").arg(option.description, start), "text", start });
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
    for (const TextOption& option : textOptions)
        m_request.parameters.*option.box = m_parser.value(option.name).toStdString();
    m_request.output = m_parser.value("output");
    m_request.sequenceOnly = m_parser.isSet("sequence");
    return readChoices();
}

bool CommandLine::readChoices()
{
    struct Choice
    {
        const char* option;
        QStringList names;
        qsizetype index = -1;
    };
    Choice choices[] = {
        { "shape", { "flat", "round" } },
        { "unit", { "mm", "inch" } },
        { "baseline", { "none", "single" } },
        { "position", { "above", "midway", "under" } },
        { "format", { "gcode", "plot" } },
    };
    for (Choice& choice : choices) {
        const QString value = m_parser.value(choice.option);
        choice.index = choiceIndex(value, choice.names);
        if (choice.index < 0) {
            m_error = QString("--%1 takes %2, not \"%3\".")
                          .arg(choice.option, choice.names.join(" or "), value);
            return false;
        }
    }
    ScaleParameters& p = m_request.parameters;
    p.Option3 = static_cast<Shape>(choices[0].index);
    p.Option4 = static_cast<Unit>(choices[1].index);
    p.Option1 = static_cast<Baseline>(choices[2].index);
    p.Option2 = static_cast<StripePosition>(choices[3].index);
    p.Chk_plt = choices[4].index == 0 ? OutputFormat::Gcode : OutputFormat::Plot;
    return true;
}

} // namespace mensora
