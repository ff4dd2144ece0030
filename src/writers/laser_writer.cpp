#include "writers/laser_writer.h"

#include "writers/dialect_table.h"

namespace mensora {

LaserWriter::LaserWriter(TextSink& sink, const MachineJob& job)
    : m_job(job)
    , m_lines(sink, job)
{ }

void LaserWriter::begin()
{
    const Dialect& dialect = dialectOf(m_job.profile);
    m_lines.frame(dialect.frame.opening, dialect.modes(m_job.unit));
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
    m_lines.frame(dialectOf(m_job.profile).frame.closing, {});
    m_lines.flush();
}

void LaserWriter::burnWords()
{
    m_lines.modalWord('S', m_job.laserPower);
    m_lines.modalWord('F', m_job.rates.feed);
    m_lines.end();
}

} // namespace mensora
