#include "writers/cutter_writer.h"

#include <cmath>

#include "layout/scale_arithmetic.h"
#include "model/number_rules.h"

namespace mensora {

namespace {

// How far a chord may stray from its arc, in plotter units.
constexpr double chordSag = 0.25;

// The number of chords for an arc of `radius` units over `sweep` degrees: a chord over an
// angle t strays by radius × (1 − cos(t / 2)) = 2 radius sin²(t / 4).
double chordCount(double radius, double sweep)
{
    const double sweepRadians = std::fabs(sweep) * radiansPerDegree;
    if (radius <= chordSag)
        return 1;
    const double widest = 4 * std::asin(std::sqrt(chordSag / (2 * radius)));
    return std::fmax(1, std::ceil(sweepRadians / widest));
}

} // namespace

double cutterUnitsPerUnit(Unit unit)
{
    return unit == Unit::Inch ? 1016 : 40;
}

PlotterPath::PlotterPath(Unit unit, Visit visit)
    : m_factor(cutterUnitsPerUnit(unit))
    , m_visit(std::move(visit))
{ }

void PlotterPath::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move))
        visit(false, rapid->x.value, rapid->y.value);
    else if (const auto* cut = std::get_if<Cut>(&move))
        visit(true, cut->x.value, cut->y.value);
    else if (const auto* arc = std::get_if<Arc>(&move))
        chords(*arc);
}

void PlotterPath::visit(bool penDown, double x, double y)
{
    m_visit(penDown, roundHalfEven(x * m_factor), roundHalfEven(y * m_factor));
}

// The last chord ends at the arc's own end point, so that arcs in a row meet.
void PlotterPath::chords(const Arc& arc)
{
    if (!(std::fabs(arc.radius) * m_factor < cutterUnitLimit)) {
        // Beyond the plotter's range, which refuses the file before it is written: a point as
        // far out as the circle reaches is enough to tell.
        visit(true, arc.cx.value + std::fabs(arc.radius), arc.cy.value + std::fabs(arc.radius));
        visit(true, arc.x.value, arc.y.value);
        return;
    }
    const double count = chordCount(arc.radius * m_factor, arc.sweep);
    // Below 2^30 units of radius a half turn takes fewer than 2^17 chords.
    const auto chords = static_cast<long>(count);
    for (long i = 1; i < chords; ++i) {
        const double angle
            = (arc.startAngle + arc.sweep * static_cast<double>(i) / count) * radiansPerDegree;
        visit(true, arc.cx.value + arc.radius * std::cos(angle),
            arc.cy.value + arc.radius * std::sin(angle));
    }
    visit(true, arc.x.value, arc.y.value);
}

CutterWriter::CutterWriter(
    TextSink& sink, Unit unit, const PlotterExtent& origin, const ProgramFrame& frame)
    : m_out(sink)
    , m_frame(frame)
    , m_path(unit, [this, origin](bool penDown, double x, double y) {
        m_out.append(penDown ? "PD" : "PU");
        m_out.appendWholeNumber(x - origin.minX);
        m_out.append(",");
        m_out.appendWholeNumber(y - origin.minY);
        m_out.append(";");
        m_out.endLine();
    })
{ }

void CutterWriter::writeLines(std::span<const FrameLine> lines)
{
    for (const FrameLine& line : lines) {
        m_out.append(line.text);
        m_out.endLine();
    }
}

void CutterWriter::begin()
{
    writeLines(m_frame.opening);
}

void CutterWriter::end()
{
    writeLines(m_frame.closing);
    m_out.flush();
}

} // namespace mensora
