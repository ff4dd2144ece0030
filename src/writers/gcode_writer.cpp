#include "writers/gcode_writer.h"

#include <utility>

namespace mensora {

GcodeWriter::GcodeWriter(TextSink& sink, std::string decimalSeparator)
    : m_out(sink, std::move(decimalSeparator))
{ }

void GcodeWriter::begin()
{
    m_out.restartNumbering();
}

void GcodeWriter::move(const ToolMove& move)
{
    std::visit([this](const auto& m) { write(m); }, move);
}

void GcodeWriter::end()
{
    m_out.startNumberedLine();
    m_out.append(" M30");
    m_out.endLine();
    m_out.flush();
}

void GcodeWriter::write(const Rapid& rapid)
{
    m_out.startNumberedLine();
    m_out.append(" G0");
    m_out.appendWord('X', rapid.x);
    m_out.appendWord('Y', rapid.y);
    m_out.append(" Z1");
    m_out.endLine();
}

void GcodeWriter::write(const Plunge& plunge)
{
    m_out.startNumberedLine();
    if (plunge.depthValue) {
        m_out.append(" G1");
        m_out.appendWord('Z', Coord::wide(*plunge.depthValue));
    } else {
        m_out.append(" G1 Z");
        m_out.append(plunge.depth);
    }
    m_out.endLine();
}

void GcodeWriter::write(const Cut& cut)
{
    m_out.startNumberedLine();
    m_out.append(" G1");
    if (cut.axes != CutAxes::Y)
        m_out.appendWord('X', cut.x);
    if (cut.axes != CutAxes::X)
        m_out.appendWord('Y', cut.y);
    m_out.endLine();
}

void GcodeWriter::write(const Lift&)
{
    m_out.startNumberedLine();
    m_out.append(" G0 Z1");
    m_out.endLine();
}

// The centre words I and J carry the centre itself, not its offset from the start point.
void GcodeWriter::write(const Arc& arc)
{
    m_out.startNumberedLine();
    m_out.append(arc.direction == ArcDirection::CounterClockwise ? " G3" : " G2");
    m_out.appendWord('X', arc.x);
    m_out.appendWord('Y', arc.y);
    m_out.appendWord('I', arc.cx);
    m_out.appendWord('J', arc.cy);
    m_out.endLine();
}

} // namespace mensora
