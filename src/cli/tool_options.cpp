#include "cli/tool_options.h"

#include <optional>

#include <QStringList>

#include "cli/decimal_options.h"

namespace mensora {

namespace {

bool readLength(const QCommandLineParser& parser, const char* option, Unit unit, ToolLength& length,
    QString& error)
{
    std::optional<double> value;
    if (!readDecimalOption(parser, option, value, error))
        return false;
    if (value)
        length = { *value, unit };
    return true;
}

// "line", "vbit:ANGLE[:TIP]" or "endmill:DIAMETER[:STEPOVER%]".
bool parseTool(const QString& text, Unit unit, ToolSettings& tool)
{
    const QStringList parts = text.split(u':');
    const QString& kind = parts.front();
    if (kind == "line")
        tool.router = RouterTool::Line;
    else if (kind == "vbit" && parts.size() >= 2 && parts.size() <= 3)
        tool.router = RouterTool::VBit;
    else if (kind == "endmill" && parts.size() >= 2 && parts.size() <= 3)
        tool.router = RouterTool::EndMill;
    else
        return false;
    if (tool.router == RouterTool::Line)
        return parts.size() == 1;
    const auto first = decimalOf(parts[1]);
    QString last = parts.size() == 3 ? parts[2] : QString();
    if (tool.router == RouterTool::EndMill && last.endsWith(u'%'))
        last.chop(1);
    const auto second = parts.size() == 3 ? decimalOf(last) : std::optional<double>(0);
    if (!first || !second)
        return false;
    if (tool.router == RouterTool::VBit) {
        tool.vbitAngle = *first;
        tool.vbitTip = { *second, unit };
    } else {
        tool.endMillDiameter = { *first, unit };
        if (parts.size() == 3)
            tool.stepover = *second;
    }
    return true;
}

} // namespace

QList<QCommandLineOption> toolOptions()
{
    return {
        { "tool",
            "A router's tool for marks of a width: line (a single line, the default), "
            "vbit:ANGLE[:TIP] (a V-bit of ANGLE degrees and a tip TIP wide, default 0: each "
            "mark one pass as deep as makes it wide) or endmill:DIAMETER[:STEPOVER%] (passes "
            "side by side, at most STEPOVER % of the diameter apart, default 40).",
            "TOOL", "line" },
        { "spot", "Width a laser burns, in the scale's unit (default 0.1 mm).", "NUMBER" },
        { "line-interval",
            "Most a laser's fill lines are apart, in the scale's unit (default: the spot).",
            "NUMBER" },
        { "s-max",
            "Largest S the laser's controller takes: 1000 for GRBL, 255 for FluidNC's laser, 1 "
            "for Smoothieware (default 1000); the power must not go above it.",
            "NUMBER" },
        { "blade-offset",
            "How far a cutter's blade tip trails its axis, in the scale's unit (default 0.25 "
            "mm).",
            "NUMBER" },
        { "overcut",
            "How far a cutter cuts on past an outline's start, in the scale's unit (default 1 "
            "mm).",
            "NUMBER" },
        { "drawing",
            "How a drawing holds a mark of a width: strokes (of the mark's width, for lasers "
            "that cut lines) or outlines (closed, filled in SVG, for lasers and cutters that "
            "fill shapes) (default strokes).",
            "strokes|outlines", "strokes" },
    };
}

bool readToolOptions(
    const QCommandLineParser& parser, Unit unit, OutputRequest& output, QString& error)
{
    ToolSettings& tool = output.machine.tool;
    if (parser.isSet("tool") && !parseTool(parser.value("tool"), unit, tool)) {
        error = QString("--tool takes line, vbit:ANGLE[:TIP] or endmill:DIAMETER[:STEPOVER%], "
                        "not \"%1\".")
                    .arg(parser.value("tool"));
        return false;
    }
    const QString drawing = parser.value("drawing");
    if (drawing != "strokes" && drawing != "outlines") {
        error = QString("--drawing takes strokes or outlines, not \"%1\".").arg(drawing);
        return false;
    }
    output.drawing.marks = drawing == "outlines" ? DrawnMarks::Outlines : DrawnMarks::Strokes;
    ToolLength interval = tool.lineInterval.value_or(tool.spot);
    if (!readLength(parser, "spot", unit, tool.spot, error)
        || !readLength(parser, "line-interval", unit, interval, error)
        || !readLength(parser, "blade-offset", unit, tool.bladeOffset, error)
        || !readLength(parser, "overcut", unit, tool.overcut, error))
        return false;
    if (parser.isSet("line-interval"))
        tool.lineInterval = interval;
    if (parser.isSet("s-max")) {
        const auto sMax = decimalOf(parser.value("s-max"));
        if (!sMax) {
            error = QString("--s-max takes a number with \".\" for decimals, not \"%1\".")
                        .arg(parser.value("s-max"));
            return false;
        }
        tool.sMax = *sMax;
    }
    return true;
}

} // namespace mensora
