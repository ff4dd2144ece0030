// The parts of an engraving that only a machine profile's file needs: its moves as the machine
// runs them, the check of its numbers before anything is written, the file, the job's figures.

#include <algorithm>
#include <cmath>

#include "engraving/engraving.h"
#include "engraving/machine_check.h"
#include "engraving/machine_path.h"
#include "writers/cutter_writer.h"

namespace mensora {

namespace {

// Counts a text's lines, without keeping the text.
class LineCount : public TextSink
{
public:
    void write(std::string_view bytes) override
    {
        lines += static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    }
    std::size_t lines = 0;
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

// Counts the moves, without keeping them.
class MoveCount : public MoveSink
{
public:
    void move(const ToolMove&) override { ++moves; }
    std::size_t moves = 0;
};

} // namespace

Engraving::MachineFileFault Engraving::checkMachineFile(std::size_t only, bool numbers)
{
    MoveStages stages = fileStages();
    stages.numbers = numbers;
    if (m_output->range == CoordinateRange::PlotterUnits) {
        PlotterExtent extent { INFINITY, INFINITY, -INFINITY, -INFINITY };
        bool finite = true;
        PlotterPath points(m_machine.unit, [&](bool, double x, double y) {
            finite = finite && std::fabs(x) < cutterUnitLimit && std::fabs(y) < cutterUnitLimit;
            extent = { std::fmin(extent.minX, x), std::fmin(extent.minY, y),
                std::fmax(extent.maxX, x), std::fmax(extent.maxY, y) };
        });
        feed(points, stages, only);
        if (!finite || !(extent.maxX - extent.minX < cutterUnitLimit)
            || !(extent.maxY - extent.minY < cutterUnitLimit))
            return MachineFileFault::OutOfRange;
        if (extent.minX <= extent.maxX && only == everyScale) // there were points
            m_plotOrigin = extent;
        return MachineFileFault::None;
    }
    RangeCheck range(m_machine.unit);
    feed(range, stages, only);
    if (!range.within)
        return MachineFileFault::OutOfRange;
    if (only != everyScale)
        return MachineFileFault::None;
    const Dialect& dialect = m_output->dialect();
    // Within the range every line keeps within the dialect's length: the longest, an arc's,
    // holds a line number, four coordinates and the feed of ten digits at most each.
    if (m_machine.lineNumbers && dialect.lastLineNumber > 0
        && machineFileLines() > dialect.lastLineNumber)
        return MachineFileFault::TooManyLines;
    return MachineFileFault::None;
}

// The lines of a profile's program: a writer writes at most two a move (a rapid may rise to
// the safe height first) and five more around them; only a program that may hold more than
// its dialect numbers is written into a counter to know.
std::size_t Engraving::machineFileLines() const
{
    MoveCount moves;
    makeMachineMoves(moves);
    const std::size_t bound = 2 * moves.moves + 5;
    if (bound <= m_output->dialect().lastLineNumber)
        return bound;
    LineCount count;
    write(count, NumberFormat {});
    return count.lines;
}

// The surface of a drum moves at the feed on every cut, as it does unrolled.
JobFigures Engraving::figures() const
{
    JobFiguresSink sink(m_machine);
    feed(sink, { m_output->machineMoves, PointRounding::Exact, true, true });
    JobFigures figures = sink.figures();
    figures.stripes = 0;
    for (const EngravedScale& scale : m_scales)
        figures.stripes += scale.stripes;
    figures.aroundDrum = drum() != nullptr;
    return figures;
}

} // namespace mensora
