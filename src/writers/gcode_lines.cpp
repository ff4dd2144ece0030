#include "writers/gcode_lines.h"

namespace mensora {

GcodeLines::GcodeLines(TextSink& sink, const MachineJob& job)
    : m_out(sink)
    , m_numbered(job.lineNumbers)
    , m_decimals(machineDecimals(job.unit))
    , m_unit(job.unit)
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

void GcodeLines::opening(std::string_view title)
{
    start("(");
    m_out.append(title);
    m_out.append(")");
    end();
    line(m_unit == Unit::Inch ? "G17 G20 G90 G91.1 G94" : "G17 G21 G90 G91.1 G94");
}

void GcodeLines::spindleOn(double speed)
{
    if (!(speed > 0))
        return;
    start("M3");
    word('S', speed);
    end();
}

void GcodeLines::spindleOff(double speed)
{
    if (speed > 0)
        line("M5");
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
