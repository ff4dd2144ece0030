#include "writers/gcode_writer.h"

#include <charconv>

#include "writers/coordinate_text.h"

namespace mensora {

GcodeWriter::GcodeWriter(TextSink& sink, std::string decimalSeparator)
    : m_sink(sink)
    , m_decimalSeparator(std::move(decimalSeparator))
{ }

void GcodeWriter::begin()
{
    m_lineNumber = 1;
}

void GcodeWriter::move(const ToolMove& move)
{
    std::visit([this](const auto& m) { write(m); }, move);
}

void GcodeWriter::end()
{
    startLine();
    m_line += " M30";
    finishLine();
}

void GcodeWriter::startLine()
{
    m_line.clear();
    m_line += 'N';
    char number[16];
    const auto written = std::to_chars(number, number + sizeof number, m_lineNumber++);
    m_line.append(number, written.ptr);
}

void GcodeWriter::appendCoord(char address, Coord coord)
{
    m_line += ' ';
    m_line += address;
    appendCoordinate(m_line, coord, m_decimalSeparator);
}

void GcodeWriter::finishLine()
{
    m_line += "\r\n";
    m_sink.write(m_line);
}

void GcodeWriter::write(const Rapid& rapid)
{
    startLine();
    m_line += " G0";
    appendCoord('X', rapid.x);
    appendCoord('Y', rapid.y);
    m_line += " Z1";
    finishLine();
}

void GcodeWriter::write(const Plunge& plunge)
{
    startLine();
    m_line += " G1 Z";
    m_line += plunge.depth;
    finishLine();
}

void GcodeWriter::write(const Cut& cut)
{
    startLine();
    m_line += " G1";
    if (cut.axes != CutAxes::Y)
        appendCoord('X', cut.x);
    if (cut.axes != CutAxes::X)
        appendCoord('Y', cut.y);
    finishLine();
}

void GcodeWriter::write(const Lift&)
{
    startLine();
    m_line += " G0 Z1";
    finishLine();
}

// The centre words I and J carry the centre itself, not its offset from the start point.
void GcodeWriter::write(const Arc& arc)
{
    startLine();
    m_line += arc.direction == ArcDirection::CounterClockwise ? " G3" : " G2";
    appendCoord('X', arc.x);
    appendCoord('Y', arc.y);
    appendCoord('I', arc.cx);
    appendCoord('J', arc.cy);
    finishLine();
}

} // namespace mensora
