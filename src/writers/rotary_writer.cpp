#include "writers/rotary_writer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "writers/coordinate_text.h"
#include "writers/dialect_table.h"

namespace mensora {

int inverseTimeDecimals(double perMinute)
{
    if (!(perMinute > 0) || !std::isfinite(perMinute))
        return 8;
    const int digitsBeforePoint = static_cast<int>(std::floor(std::log10(perMinute))) + 1;
    return std::clamp(6 - digitsBeforePoint, 0, 8);
}

RotaryWriter::RotaryWriter(TextSink& sink, const MachineJob& job, const DrumSurface& surface)
    : m_job(job)
    , m_surface(surface)
    , m_axisLetter(surface.axis == RotaryAxis::B ? 'B' : 'A')
    , m_lines(sink, job)
{ }

void RotaryWriter::begin()
{
    const Dialect& dialect = dialectOf(m_job.profile);
    m_lines.frame(dialect.drumFrame.opening, dialect.modes(m_job.unit), m_axisLetter);
}

void RotaryWriter::move(const ToolMove& move)
{
    std::visit([this](const auto& m) { write(m); }, move);
}

void RotaryWriter::end()
{
    m_lines.frame(dialectOf(m_job.profile).drumFrame.closing, {}, m_axisLetter, m_inverseTime);
    m_lines.flush();
}

double RotaryWriter::written(double value) const
{
    return roundedToDecimals(value, machineDecimals(m_job.unit));
}

void RotaryWriter::startFeed(bool inverseTime)
{
    if (inverseTime == m_inverseTime) {
        m_lines.start("G1");
        return;
    }
    m_inverseTime = inverseTime;
    m_lines.forgetFeed();
    m_lines.start(inverseTime ? "G93 G1" : "G94 G1");
}

void RotaryWriter::write(const Rapid& rapid)
{
    if (!m_atSafeHeight)
        write(Lift {});
    m_lines.start("G0");
    m_lines.word('X', rapid.x.value);
    m_lines.word('Y', m_surface.centreY);
    m_lines.word(m_axisLetter, rapid.y.value);
    m_lines.end();
    m_x = written(rapid.x.value);
    m_angle = written(rapid.y.value);
}

void RotaryWriter::write(const Plunge& plunge)
{
    startFeed(false);
    m_lines.word('Z', plunge.depthValue.value_or(m_job.depth) * plunge.depthPart);
    m_lines.modalWord('F', m_job.rates.plungeFeed);
    m_lines.end();
    m_atSafeHeight = false;
}

void RotaryWriter::write(const Cut& cut)
{
    const double x = cut.axes == CutAxes::Y ? m_x : written(cut.x.value);
    const double angle = cut.axes == CutAxes::X ? m_angle : written(cut.y.value);
    const double along = x - m_x;
    const double around = m_surface.distanceOf(angle - m_angle);
    if (along == 0 && around == 0)
        return;
    const double feed = m_job.rates.feed;
    if (along == 0) {
        startFeed(false);
        m_lines.word(m_axisLetter, angle);
        m_lines.modalWord('F', feed / m_surface.distanceOf(1));
    } else if (around == 0) {
        startFeed(false);
        m_lines.word('X', x);
        m_lines.modalWord('F', feed);
    } else {
        startFeed(true);
        m_lines.word('X', x);
        m_lines.word(m_axisLetter, angle);
        const double perMinute = feed / std::hypot(along, around);
        m_lines.word('F', perMinute, inverseTimeDecimals(perMinute));
    }
    m_lines.end();
    m_x = x;
    m_angle = angle;
}

void RotaryWriter::write(const Lift&)
{
    m_lines.start("G0");
    m_lines.word('Z', m_job.safeHeight);
    m_lines.end();
    m_atSafeHeight = true;
}

void RotaryWriter::write(const Arc& arc)
{
    write(Cut { arc.x, arc.y, CutAxes::XY });
}

} // namespace mensora
