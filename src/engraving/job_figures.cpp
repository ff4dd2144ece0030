#include "engraving/job_figures.h"

#include <algorithm>
#include <cmath>

#include "layout/scale_arithmetic.h"
#include "writers/coordinate_text.h"
#include "writers/dialect_table.h"

namespace mensora {

namespace {

constexpr double fullTurn = 360 * radiansPerDegree;

// The angle an arc turns through in its direction, from its start angle to its end angle:
// above 0 and at most a full turn, as a controller reads start, end and direction.
double turn(double from, double to, ArcDirection direction)
{
    double turned = direction == ArcDirection::CounterClockwise ? to - from : from - to;
    turned = std::fmod(turned, fullTurn);
    if (!(turned > 1e-12))
        turned += fullTurn;
    return turned;
}

} // namespace

JobFiguresSink::JobFiguresSink(const MachineJob& job)
    : m_job(job)
    , m_zAxis(dialectOf(job.profile).axes == ToolAxes::Z)
    , m_z(job.safeHeight)
{
    m_figures.depthUsed = dialectOf(job.profile).axes != ToolAxes::Laser;
    m_figures.unit = job.unit;
}

void JobFiguresSink::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        moveTo(rapid->x.value, rapid->y.value, false);
    } else if (const auto* cut = std::get_if<Cut>(&move)) {
        moveTo(cut->x.value, cut->y.value, true);
    } else if (const auto* arc = std::get_if<Arc>(&move)) {
        cutArc(*arc);
    } else if (const auto* plunge = std::get_if<Plunge>(&move)) {
        if (m_figures.depthUsed)
            ++m_figures.plunges;
        moveZ(plunge->depthValue.value_or(m_job.depth) * plunge->depthPart, m_job.rates.plungeFeed);
    } else {
        moveZ(m_job.safeHeight, m_job.rates.rapidRate);
    }
}

void JobFiguresSink::reach(double x, double y)
{
    if (!m_figures.box) {
        m_figures.box = JobBox { x, y, x, y };
        return;
    }
    JobBox& box = *m_figures.box;
    box = { std::min(box.minX, x), std::min(box.minY, y), std::max(box.maxX, x),
        std::max(box.maxY, y) };
}

// The first travel starts where the machine happens to be: it counts from the first point on.
void JobFiguresSink::moveTo(double x, double y, bool cutting)
{
    if (m_at) {
        const double length = std::hypot(x - m_at->first, y - m_at->second);
        (cutting ? m_figures.cutLength : m_figures.travelLength) += length;
        m_figures.seconds += 60 * length / (cutting ? m_job.rates.feed : m_job.rates.rapidRate);
    }
    m_at = { x, y };
    reach(x, y);
}

void JobFiguresSink::cutArc(const Arc& arc)
{
    const double cx = arc.cx.value;
    const double cy = arc.cy.value;
    const auto [fromX, fromY] = m_at.value_or(std::pair { arc.x.value, arc.y.value });
    const double radius = std::hypot(fromX - cx, fromY - cy);
    const double from = std::atan2(fromY - cy, fromX - cx);
    const double turned = turn(from, std::atan2(arc.y.value - cy, arc.x.value - cx), arc.direction);
    const double length = radius * turned;
    m_figures.cutLength += length;
    m_figures.seconds += 60 * length / m_job.rates.feed;
    // The quarter points the arc passes reach further than its ends.
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double axis = quarter * fullTurn / 4;
        if (turn(from, axis, arc.direction) <= turned)
            reach(cx + radius * std::cos(axis), cy + radius * std::sin(axis));
    }
    m_at = { arc.x.value, arc.y.value };
    reach(arc.x.value, arc.y.value);
}

void JobFiguresSink::moveZ(double z, double rate)
{
    if (!m_zAxis)
        return;
    m_figures.seconds += 60 * std::fabs(z - m_z) / rate;
    m_z = z;
}

std::string durationText(double seconds)
{
    const double whole = std::round(std::fmax(seconds, 0));
    if (!(whole < 3.6e12)) // the figures of an absurd scale may run to infinity
        return "over 1000000000 h";
    if (!(whole < 3600)) {
        const double minutes = std::round(whole / 60);
        return fixedDecimalsText(std::floor(minutes / 60), 0) + " h "
            + fixedDecimalsText(std::fmod(minutes, 60), 0) + " min";
    }
    const auto total = static_cast<long long>(whole);
    if (total < 60)
        return std::to_string(total) + " s";
    return std::to_string(total / 60) + " min " + std::to_string(total % 60) + " s";
}

} // namespace mensora
