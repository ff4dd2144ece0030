#include "writers/laser_writer.h"

namespace mensora {

LaserWriter::LaserWriter(TextSink& sink, const MachineJob& job)
    : m_job(job)
    , m_lines(sink, job)
{ }

void LaserWriter::begin()
{
    m_lines.opening(m_job.title);
    m_lines.start("M4");
    m_lines.modalWord('S', 0);
    m_lines.end();
}

void LaserWriter::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        m_lines.start("G0");
        m_lines.point(*rapid);
        m_lines.end();
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        m_lines.start("G1");
        m_lines.cutEnd(*cut);
        burnWords();
    } else if (const auto* arc = std::get_if<Arc>(&move)) {
        m_lines.startArc(*arc);
        burnWords();
    }
    // A plunge and a lift mean nothing to a laser.
}

void LaserWriter::end()
{
    m_lines.line("M5");
    m_lines.line("M30");
    m_lines.flush();
}

void LaserWriter::burnWords()
{
    m_lines.modalWord('S', m_job.laserPower);
    m_lines.modalWord('F', m_job.rates.feed);
    m_lines.end();
}

} // namespace mensora
