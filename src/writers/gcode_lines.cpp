#include "writers/gcode_lines.h"

#include <string>

#include "writers/coordinate_text.h"

namespace mensora {

GcodeLines::GcodeLines(TextSink& sink, const MachineJob& job)
    : m_out(sink)
    , m_job(job)
    , m_numbered(job.lineNumbers)
    , m_decimals(machineDecimals(job.unit))
{ }

void GcodeLines::start(std::string_view command)
{
    if (m_numbered) {
        m_out.startNumberedLine();
        m_out.append(" ");
    }
    m_out.append(command);
}

void GcodeLines::word(char address, double value)
{
    m_out.appendFixedWord(address, value, m_decimals);
}

void GcodeLines::word(char address, double value, int decimals)
{
    m_out.appendFixedWord(address, value, decimals);
}

void GcodeLines::modalWord(char address, double value)
{
    std::optional<double>& last = address == 'F' ? m_feed : m_power;
    if (last == value)
        return;
    last = value;
    word(address, value);
}

void GcodeLines::line(std::string_view command)
{
    start(command);
    end();
}

void GcodeLines::frame(
    std::span<const FrameLine> lines, std::string_view modes, char axis, bool inverseTime)
{
    for (const FrameLine& frameLine : lines) {
        if ((frameLine.when == FrameCondition::Spindle && !(m_job.spindleSpeed > 0))
            || (frameLine.when == FrameCondition::InverseTime && !inverseTime))
            continue;
        std::string text;
        std::string_view rest = frameLine.text;
        while (!rest.empty()) {
            const auto open = rest.find('{');
            text += rest.substr(0, open);
            if (open == std::string_view::npos)
                break;
            const auto close = rest.find('}', open);
            const std::string_view name = rest.substr(open + 1, close - open - 1);
            if (name == "title") {
                text += m_job.title;
            } else if (name == "modes") {
                text += modes;
            } else if (name == "spindle") {
                text += fixedDecimalsText(m_job.spindleSpeed, m_decimals);
            } else if (name == "axis") {
                text += axis;
            } else if (name == "off") {
                text += '0';
                m_power = 0;
            }
            rest.remove_prefix(close + 1);
        }
        line(text);
    }
}

void GcodeLines::point(const Rapid& rapid)
{
    word('X', rapid.x.value);
    word('Y', rapid.y.value);
    m_x = rapid.x.value;
    m_y = rapid.y.value;
}

void GcodeLines::cutEnd(const Cut& cut)
{
    if (cut.axes != CutAxes::Y)
        word('X', cut.x.value);
    if (cut.axes != CutAxes::X)
        word('Y', cut.y.value);
    m_x = cut.x.value;
    m_y = cut.y.value;
}

void GcodeLines::startArc(const Arc& arc)
{
    start(arc.direction == ArcDirection::CounterClockwise ? "G3" : "G2");
    word('X', arc.x.value);
    word('Y', arc.y.value);
    word('I', arc.cx.value - m_x);
    word('J', arc.cy.value - m_y);
    m_x = arc.x.value;
    m_y = arc.y.value;
}

} // namespace mensora
