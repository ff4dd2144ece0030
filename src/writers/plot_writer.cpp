#include "writers/plot_writer.h"

#include "writers/coordinate_text.h"

namespace mensora {

PlotWriter::PlotWriter(TextSink& sink)
    : m_sink(sink)
{ }

void PlotWriter::begin()
{
    m_sink.write("IN;\r\nSP1;\r\n");
}

void PlotWriter::end()
{
    m_sink.write("SP0;\r\n");
}

void PlotWriter::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move))
        writePoint("PU", rapid->x, rapid->y);
    else if (const auto* cut = std::get_if<Cut>(&move))
        writePoint("PD", cut->x, cut->y);
    // Plunge and Lift have no plot line; an arc never reaches a plot file.
}

void PlotWriter::writePoint(const char* pen, Coord x, Coord y)
{
    m_line = pen;
    appendWholeNumber(m_line, plotterUnits(x));
    m_line += ' ';
    appendWholeNumber(m_line, plotterUnits(y));
    m_line += ";\r\n";
    m_sink.write(m_line);
}

} // namespace mensora
