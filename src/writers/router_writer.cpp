#include "writers/router_writer.h"

#include "writers/dialect_table.h"

namespace mensora {

RouterWriter::RouterWriter(TextSink& sink, const MachineJob& job)
    : m_job(job)
    , m_lines(sink, job)
{ }

void RouterWriter::begin()
{
    const Dialect& dialect = dialectOf(m_job.profile);
    m_lines.frame(dialect.frame.opening, dialect.modes(m_job.unit));
}

void RouterWriter::move(const ToolMove& move)
{
    std::visit([this](const auto& m) { write(m); }, move);
}

void RouterWriter::end()
{
    m_lines.frame(dialectOf(m_job.profile).frame.closing, {});
    m_lines.flush();
}

void RouterWriter::write(const Rapid& rapid)
{
    if (!m_atSafeHeight)
        write(Lift {});
    m_lines.start("G0");
    m_lines.point(rapid);
    m_lines.end();
}

void RouterWriter::write(const Plunge& plunge)
{
    m_lines.start("G1");
    m_lines.word('Z', plunge.depthValue.value_or(m_job.depth) * plunge.depthPart);
    m_lines.modalWord('F', m_job.rates.plungeFeed);
    m_lines.end();
    m_atSafeHeight = false;
}

void RouterWriter::write(const Cut& cut)
{
    m_lines.start("G1");
    m_lines.cutEnd(cut);
    m_lines.modalWord('F', m_job.rates.feed);
    m_lines.end();
}

void RouterWriter::write(const Lift&)
{
    m_lines.start("G0");
    m_lines.word('Z', m_job.safeHeight);
    m_lines.end();
    m_atSafeHeight = true;
}

void RouterWriter::write(const Arc& arc)
{
    m_lines.startArc(arc);
    m_lines.modalWord('F', m_job.rates.feed);
    m_lines.end();
}

} // namespace mensora
