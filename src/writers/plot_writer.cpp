#include "writers/plot_writer.h"

namespace mensora {

PlotWriter::PlotWriter(TextSink& sink)
    : m_out(sink)
{ }

void PlotWriter::begin()
{
    m_out.append("IN;\r\nSP1;\r\n");
}

void PlotWriter::end()
{
    m_out.append("SP0;\r\n");
    m_out.flush();
}

void PlotWriter::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move))
        writePoint("PU", rapid->x, rapid->y);
    else if (const auto* cut = std::get_if<Cut>(&move))
        writePoint("PD", cut->x, cut->y);
    // Plunge and Lift have no plot line; an arc never reaches a plot file.
}

void PlotWriter::writePoint(std::string_view pen, Coord x, Coord y)
{
    m_out.append(pen);
    m_out.appendWholeNumber(plotterUnits(x));
    m_out.append(" ");
    m_out.appendWholeNumber(plotterUnits(y));
    m_out.append(";");
    m_out.endLine();
}

} // namespace mensora
