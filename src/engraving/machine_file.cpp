// The parts of an engraving that only a machine profile's file needs: its moves as the machine
// runs them, the check of its numbers before anything is written, the file, the job's figures.

#include <algorithm>
#include <cmath>

#include "engraving/engraving.h"
#include "engraving/machine_check.h"
#include "engraving/machine_path.h"
#include "writers/cutter_writer.h"
#include "writers/laser_writer.h"
#include "writers/router_writer.h"

namespace mensora {

namespace {

// GRBL keeps line numbers up to ten million.
constexpr std::size_t grblLastLineNumber = 9999999;
constexpr std::size_t grblLineLength = 80;

bool isGrbl(MachineProfile profile)
{
    return profile == MachineProfile::Grbl || profile == MachineProfile::GrblLaser;
}

// Counts a text's lines and keeps the longest, without keeping the text.
class LineMeasure : public TextSink
{
public:
    void write(std::string_view bytes) override
    {
        for (char c : bytes) {
            if (c == '\n') {
                ++lines;
                longest = std::max(longest, m_length > 0 ? m_length - 1 : 0); // less the CR
                m_length = 0;
            } else {
                ++m_length;
            }
        }
    }
    std::size_t lines = 0;
    std::size_t longest = 0;

private:
    std::size_t m_length = 0;
};

// Whether every number a G-code dialect writes keeps within its range: the points and the
// arcs' centre offsets.
class RangeCheck : public MoveSink
{
public:
    explicit RangeCheck(Unit unit)
        : m_unit(unit)
    { }
    void move(const ToolMove& move) override
    {
        if (const auto* rapid = std::get_if<Rapid>(&move)) {
            reach(rapid->x.value, rapid->y.value);
        } else if (const auto* cut = std::get_if<Cut>(&move)) {
            reach(cut->x.value, cut->y.value);
        } else if (const auto* arc = std::get_if<Arc>(&move)) {
            within = within && withinMachineLimit(arc->cx.value - m_x, m_unit)
                && withinMachineLimit(arc->cy.value - m_y, m_unit);
            reach(arc->x.value, arc->y.value);
        }
    }
    bool within = true;

private:
    void reach(double x, double y)
    {
        within = within && withinMachineLimit(x, m_unit) && withinMachineLimit(y, m_unit);
        m_x = x;
        m_y = y;
    }
    Unit m_unit;
    double m_x = 0;
    double m_y = 0;
};

} // namespace

void Engraving::makeMachineMoves(MoveSink& sink) const
{
    if (m_machine.profile == MachineProfile::Plain) {
        makeMoves(sink); // as listed, in one pass, arcs as the plain program writes them
        return;
    }
    MachinePath path(sink, m_machine.order, m_machine.passes, m_sequence.size());
    makeMoves(path);
    path.finish();
}

Engraving::MachineFileFault Engraving::checkMachineFile()
{
    if (m_machine.profile == MachineProfile::HpglCutter) {
        PlotterExtent extent { INFINITY, INFINITY, -INFINITY, -INFINITY };
        bool finite = true;
        PlotterPath points(m_machine.unit, [&](bool, double x, double y) {
            finite = finite && std::fabs(x) < cutterUnitLimit && std::fabs(y) < cutterUnitLimit;
            extent = { std::fmin(extent.minX, x), std::fmin(extent.minY, y),
                std::fmax(extent.maxX, x), std::fmax(extent.maxY, y) };
        });
        makeMachineMoves(points);
        if (!finite || !(extent.maxX - extent.minX < cutterUnitLimit)
            || !(extent.maxY - extent.minY < cutterUnitLimit))
            return MachineFileFault::OutOfRange;
        if (extent.minX <= extent.maxX) // there were points
            m_plotOrigin = extent;
        return MachineFileFault::None;
    }
    RangeCheck range(m_machine.unit);
    makeMachineMoves(range);
    if (!range.within)
        return MachineFileFault::OutOfRange;
    if (isGrbl(m_machine.profile)) {
        LineMeasure measure;
        writeMachineFile(measure);
        if (m_machine.lineNumbers && measure.lines > grblLastLineNumber)
            return MachineFileFault::TooManyLines;
        if (measure.longest > grblLineLength)
            return MachineFileFault::OutOfRange;
    }
    return MachineFileFault::None;
}

void Engraving::writeMachineFile(TextSink& sink) const
{
    auto writeWith = [this](auto& writer) {
        writer.begin();
        makeMachineMoves(writer);
        writer.end();
    };
    if (m_machine.profile == MachineProfile::HpglCutter) {
        CutterWriter writer(sink, m_machine.unit, m_plotOrigin);
        writeWith(writer);
    } else if (m_machine.profile == MachineProfile::GrblLaser) {
        LaserWriter writer(sink, m_machine);
        writeWith(writer);
    } else {
        RouterWriter writer(sink, m_machine);
        writeWith(writer);
    }
}

JobFigures Engraving::figures() const
{
    JobFiguresSink sink(m_machine);
    makeMachineMoves(sink);
    JobFigures figures = sink.figures();
    figures.stripes = m_sequence.size();
    return figures;
}

} // namespace mensora
