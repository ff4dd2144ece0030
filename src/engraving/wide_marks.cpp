#include "engraving/wide_marks.h"

#include <cmath>

#include "engraving/number_outlines.h"
#include "writers/cutter_writer.h"

namespace mensora {

namespace {

// A knife's chords of an arc stray by at most a quarter of a plotter unit, as the cutter's own.
constexpr double knifeSagUnits = 0.25;

} // namespace

bool MarkTool::streams() const
{
    return making == MarkMaking::Line || making == MarkMaking::VBit
        || making == MarkMaking::DrawnStrokes;
}

const char* MarkTool::name() const
{
    return making == MarkMaking::LaserFill ? "laser spot" : "end mill";
}

MarkTool markToolFor(const OutputRow& output, const MachineSettings& machine,
    const DrawingSettings& drawing, Unit unit)
{
    MarkTool tool;
    if (output.settings == OutputSettings::Drawing) {
        tool.making = drawing.marks == DrawnMarks::Outlines ? MarkMaking::DrawnOutlines
                                                            : MarkMaking::DrawnStrokes;
        return tool;
    }
    const Dialect& dialect = output.dialect();
    const ToolSettings& t = machine.tool;
    if (dialect.uses(MachineSetting::SpotWidth)) {
        tool.making = MarkMaking::LaserFill;
        tool.size = lengthIn(t.spot, unit);
        tool.step = lengthIn(t.lineInterval.value_or(t.spot), unit);
    } else if (dialect.uses(MachineSetting::BladeOffset)) {
        tool.making = MarkMaking::KnifeOutline;
        tool.bladeOffset = lengthIn(t.bladeOffset, unit);
        tool.overcut = lengthIn(t.overcut, unit);
        tool.sag = knifeSagUnits / cutterUnitsPerUnit(unit);
    } else if (dialect.uses(MachineSetting::Tool) && t.router == RouterTool::VBit) {
        tool.making = MarkMaking::VBit;
        tool.vbitAngle = t.vbitAngle;
        tool.size = lengthIn(t.vbitTip, unit);
    } else if (dialect.uses(MachineSetting::Tool) && t.router == RouterTool::EndMill) {
        tool.making = MarkMaking::EndMill;
        tool.size = lengthIn(t.endMillDiameter, unit);
        tool.step = tool.size * t.stepover / 100;
    }
    return tool;
}

double vbitDepth(double width, const MarkTool& tool)
{
    return -(width - tool.size) / (2 * std::tan(tool.vbitAngle / 2 * radiansPerDegree));
}

// The ways of making a mark that keep it until it is whole; the others stream.
const WideMarks::Strategy WideMarks::strategies[] = {
    { MarkMaking::EndMill, &WideMarks::fillMark, &WideMarks::fillNumber },
    { MarkMaking::LaserFill, &WideMarks::fillMark, &WideMarks::fillNumber },
    { MarkMaking::KnifeOutline, &WideMarks::knifeMark, &WideMarks::knifeNumber },
    { MarkMaking::DrawnOutlines, &WideMarks::outlineMark, &WideMarks::outlineNumber },
};

WideMarks::WideMarks(MoveSink& out, const MarkWidths& widths, std::string_view kinds,
    const MarkTool& tool, const MarkPlane& plane)
    : m_out(out)
    , m_widths(widths)
    , m_kinds(kinds)
    , m_tool(tool)
    , m_plane(plane)
{ }

const WideMarks::Strategy& WideMarks::strategy() const
{
    for (const Strategy& s : strategies)
        if (s.making == m_tool.making)
            return s;
    return strategies[0]; // a streaming tool keeps nothing, and asks for none
}

double WideMarks::widthOfStroke() const
{
    switch (m_section) {
    case MoveSection::Stripes:
        return m_stripes <= m_kinds.size() && m_stripes > 0
            ? m_widths.ofKindDigit(m_kinds[m_stripes - 1])
            : 0;
    case MoveSection::Baseline:
        return m_widths.baseline;
    case MoveSection::Numbers:
        return m_widths.numbers;
    }
    return 0;
}

void WideMarks::move(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move)) {
        endStroke();
        if (m_section == MoveSection::Stripes)
            ++m_stripes;
        m_width = widthOfStroke();
        m_passing = m_tool.streams() || !(m_width > 0);
        if (!m_passing)
            m_stroke = Stroke { *rapid, std::nullopt, {} };
    }
    if (!m_stroke) {
        m_out.move(streamed(move));
        return;
    }
    if (const auto* plunge = std::get_if<Plunge>(&move))
        m_stroke->plunge = *plunge;
    else if (std::holds_alternative<Lift>(move))
        endStroke();
    else if (!std::holds_alternative<Rapid>(move))
        m_stroke->segments.push_back(move);
}

void WideMarks::section(MoveSection section)
{
    endStroke();
    flushNumber();
    m_section = section;
    m_out.section(section);
}

void WideMarks::finish()
{
    endStroke();
    flushNumber();
}

ToolMove WideMarks::streamed(const ToolMove& move) const
{
    if (!(m_width > 0))
        return move;
    if (m_tool.making == MarkMaking::VBit) {
        if (const auto* plunge = std::get_if<Plunge>(&move)) {
            Plunge deep = *plunge;
            deep.depthValue = vbitDepth(m_width, m_tool);
            return deep;
        }
    } else if (m_tool.making == MarkMaking::DrawnStrokes) {
        if (const auto* cut = std::get_if<Cut>(&move)) {
            Cut wide = *cut;
            wide.width = m_width;
            return wide;
        }
        if (const auto* arc = std::get_if<Arc>(&move)) {
            Arc wide = *arc;
            wide.width = m_width;
            return wide;
        }
    }
    return move;
}

void WideMarks::endStroke()
{
    if (!m_stroke)
        return;
    const Stroke stroke = std::move(*m_stroke);
    m_stroke.reset();
    if (m_section == MoveSection::Numbers)
        m_number.push_back(stroke);
    else
        (this->*strategy().mark)(stroke, m_width);
}

void WideMarks::flushNumber()
{
    if (m_number.empty())
        return;
    const std::vector<Stroke> strokes = std::move(m_number);
    m_number.clear();
    (this->*strategy().number)(strokes, m_widths.numbers);
}

void WideMarks::fillMark(const Stroke& stroke, double width)
{
    const std::vector<double> offsets = passOffsets(width, m_tool.size, m_tool.step);
    if (offsets.size() < 2 || stroke.segments.size() != 1) {
        pass(stroke);
        return;
    }
    const ShapePoint a = flat(stroke.rapid.x, stroke.rapid.y);
    if (const auto* cut = std::get_if<Cut>(&stroke.segments.front())) {
        pass(straightPasses(a, flat(cut->x, cut->y), offsets), stroke.plunge);
    } else if (const auto* arc = std::get_if<Arc>(&stroke.segments.front())) {
        const bool inverted = arc->radius < 0; // its points stand opposite its angles
        const ShapeArc shape { flat(arc->cx, arc->cy), std::fabs(arc->radius),
            arc->startAngle + (inverted ? 180 : 0), arc->sweep };
        pass(arcPasses(shape, offsets), stroke.plunge);
    }
}

// The strokes themselves are the middle pass; the outlines of the strokes at the other
// passes' offsets reach out to the edge.
void WideMarks::fillNumber(const std::vector<Stroke>& strokes, double width)
{
    for (const Stroke& stroke : strokes)
        pass(stroke);
    const double reach = (width - m_tool.size) / 2;
    const double rings = std::ceil(reach / m_tool.step - 1e-9);
    if (!(reach > 0) || strokes.empty())
        return;
    const auto points = pointsOf(strokes);
    for (double k = 1; k <= rings; ++k)
        for (ShapePath ring : strokeOutlines(points, 2 * reach * k / rings)) {
            ring.outline = Outline::None;
            pass(ring, strokes.front().plunge);
        }
}

void WideMarks::knifeMark(const Stroke& stroke, double width)
{
    const std::vector<ShapePath> rings = outlineOf(stroke, width);
    if (rings.empty())
        pass(stroke);
    knife(rings, stroke.plunge);
}

void WideMarks::knifeNumber(const std::vector<Stroke>& strokes, double width)
{
    knife(strokeOutlines(pointsOf(strokes), width), strokes.front().plunge);
}

void WideMarks::knife(const std::vector<ShapePath>& rings, const std::optional<Plunge>& plunge)
{
    for (const ShapePath& ring : rings) {
        const std::vector<ShapePoint> corners = ringCorners(ring, m_tool.sag);
        if (corners.size() < 2)
            continue;
        ShapePath path = knifePath(corners, m_tool.bladeOffset, m_tool.overcut);
        path.outline = ring.outline;
        pass(path, plunge);
    }
}

void WideMarks::outlineMark(const Stroke& stroke, double width)
{
    const std::vector<ShapePath> rings = outlineOf(stroke, width);
    if (rings.empty())
        pass(stroke);
    for (const ShapePath& ring : rings)
        pass(ring, stroke.plunge);
}

void WideMarks::outlineNumber(const std::vector<Stroke>& strokes, double width)
{
    for (const ShapePath& ring : strokeOutlines(pointsOf(strokes), width))
        pass(ring, strokes.front().plunge);
}

std::vector<ShapePath> WideMarks::outlineOf(const Stroke& stroke, double width) const
{
    if (stroke.segments.size() != 1)
        return {};
    const ShapePoint a = flat(stroke.rapid.x, stroke.rapid.y);
    if (const auto* cut = std::get_if<Cut>(&stroke.segments.front()))
        return { straightOutline(a, flat(cut->x, cut->y), width) };
    const Arc& arc = std::get<Arc>(stroke.segments.front());
    if (!(std::fabs(arc.sweep) > 0) || !(std::fabs(arc.radius) > 0))
        return {};
    const bool inverted = arc.radius < 0;
    return arcOutline({ flat(arc.cx, arc.cy), std::fabs(arc.radius),
                          arc.startAngle + (inverted ? 180 : 0), arc.sweep },
        width);
}

std::vector<std::vector<ShapePoint>> WideMarks::pointsOf(const std::vector<Stroke>& strokes) const
{
    std::vector<std::vector<ShapePoint>> points;
    for (const Stroke& stroke : strokes) {
        points.push_back({ flat(stroke.rapid.x, stroke.rapid.y) });
        for (const ToolMove& segment : stroke.segments)
            if (const auto* cut = std::get_if<Cut>(&segment))
                points.back().push_back(flat(cut->x, cut->y));
    }
    return points;
}

ShapePoint WideMarks::flat(Coord x, Coord y) const
{
    return { x.value, m_plane.drum ? m_plane.drum->distanceOf(y.value) : y.value };
}

Coord WideMarks::placedX(ShapePoint p) const
{
    return Coord::wide(m_plane.drum ? p.x : roundedPoint(p.x, m_plane.rounding));
}

Coord WideMarks::placedY(ShapePoint p) const
{
    if (m_plane.drum)
        return Coord::wide(m_plane.drum->angleOf(p.y));
    return Coord::wide(roundedPoint(p.y, m_plane.rounding));
}

void WideMarks::pass(const ShapePath& path, const std::optional<Plunge>& plunge)
{
    m_out.move(Rapid { placedX(path.start), placedY(path.start), path.outline });
    if (plunge)
        m_out.move(*plunge);
    for (const ShapePiece& piece : path.pieces) {
        if (!piece.arc) {
            m_out.move(Cut { placedX(piece.to), placedY(piece.to), CutAxes::XY });
            continue;
        }
        const ShapeArc& arc = *piece.arc;
        m_out.move(
            Arc { placedX(piece.to), placedY(piece.to), placedX(arc.centre), placedY(arc.centre),
                arc.sweep > 0 ? ArcDirection::CounterClockwise : ArcDirection::Clockwise,
                arc.radius, arc.startAngle, arc.sweep });
    }
    m_out.move(Lift {});
}

void WideMarks::pass(const Stroke& stroke)
{
    m_out.move(stroke.rapid);
    if (stroke.plunge)
        m_out.move(*stroke.plunge);
    for (const ToolMove& segment : stroke.segments)
        m_out.move(segment);
    m_out.move(Lift {});
}

} // namespace mensora
