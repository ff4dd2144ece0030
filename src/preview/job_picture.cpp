#include "preview/job_picture.h"

#include <cmath>
#include <numbers>

#include "preview/mark_picture.h"
#include "writers/drawing_sink.h"

namespace mensora {

namespace {

constexpr double radiansPerDegreeExact = std::numbers::pi / 180;

// Collects every scale's lines and arcs but the selected one's, mapped into the frame.
class OtherScales : public DrawingSink
{
public:
    OtherScales(const PreviewFrame& frame, double factor, std::size_t selected, std::size_t count)
        : m_frame(frame)
        , m_factor(factor)
        , m_selected(selected)
    {
        for (std::size_t i = 0; i < count; ++i)
            if (i != selected)
                m_scales.push_back({ i, {}, {} });
    }
    std::vector<PreviewScale> take() { return std::move(m_scales); }

private:
    PreviewScale* current()
    {
        const std::size_t index = scale();
        if (index == m_selected)
            return nullptr;
        return &m_scales[index < m_selected ? index : index - 1];
    }
    std::optional<PreviewPoint> mapped(double x, double y) const
    {
        return movePoint(m_frame, x * m_factor, m_frame.drum ? y : y * m_factor);
    }
    void line(MoveSection, const DrawnPoint& from, const DrawnPoint& to) override
    {
        PreviewScale* target = current();
        const auto a = mapped(from.x.value, from.y.value);
        const auto b = mapped(to.x.value, to.y.value);
        if (target && a && b)
            target->lines.push_back({ *a, *b });
    }
    void arc(MoveSection, const DrawnArc& arc) override
    {
        PreviewScale* target = current();
        const auto centre = mapped(arc.centreX, arc.centreY);
        if (!target || !centre || m_frame.drum)
            return;
        const double start = arc.startAngle * radiansPerDegreeExact;
        target->arcs.push_back({ *centre, static_cast<float>(arc.radius * m_factor * m_frame.scale),
            static_cast<float>(start),
            static_cast<float>(start + arc.sweep * radiansPerDegreeExact) });
    }

    PreviewFrame m_frame;
    double m_factor;
    std::size_t m_selected;
    std::vector<PreviewScale> m_scales;
};

// Mirrors the run's own geometry about the picture line through `axis` (a picture x, or on a
// drum, whose axis runs up the picture, a picture y).
class PictureMirror
{
public:
    PictureMirror(float axis, bool upright)
        : m_axis(axis)
        , m_upright(upright)
    { }
    void apply(PreviewPoint& p) const
    {
        float& c = m_upright ? p.y : p.x;
        c = 2 * m_axis - c;
    }
    void apply(PreviewLine& line) const
    {
        apply(line.from);
        apply(line.to);
    }
    void apply(PreviewArc& arc) const
    {
        apply(arc.centre);
        const float half = m_upright ? 0.0f : static_cast<float>(std::numbers::pi);
        arc.startAngle = half - arc.startAngle;
        arc.endAngle = half - arc.endAngle;
    }

private:
    float m_axis;
    bool m_upright;
};

void mirrorRun(PreviewDrawing& drawing, double axisInScale)
{
    const PreviewFrame& frame = drawing.frame;
    const bool upright = frame.drum.has_value();
    const double axis = upright ? frame.originY - frame.scale * axisInScale
                                : frame.originX + frame.scale * axisInScale;
    const PictureMirror mirror(static_cast<float>(axis), upright);
    for (PreviewLine& line : drawing.stripes)
        mirror.apply(line);
    if (drawing.baseLine)
        mirror.apply(*drawing.baseLine);
    if (drawing.baseArc)
        mirror.apply(*drawing.baseArc);
    for (PreviewStroke& stroke : drawing.numberStrokes)
        for (PreviewPoint& point : stroke)
            mirror.apply(point);
    for (std::vector<PreviewStroke>& shape : drawing.markShapes)
        for (PreviewStroke& ring : shape)
            for (PreviewPoint& point : ring)
                mirror.apply(point);
    if (drawing.centre)
        drawing.centre->x = 2 * axisInScale - drawing.centre->x;
}

double distanceToLine(PreviewPoint p, PreviewPoint a, PreviewPoint b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0;
    t = std::fmax(0, std::fmin(1, t));
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double distanceToArc(PreviewPoint p, const PreviewArc& arc)
{
    const double angle = std::atan2(arc.centre.y - p.y, p.x - arc.centre.x);
    const double sweep = arcSweep(arc);
    const double low = std::fmin(arc.startAngle, arc.startAngle + sweep);
    const double turns = std::floor((angle - low) / (2 * std::numbers::pi));
    const bool within = angle - turns * 2 * std::numbers::pi <= low + std::fabs(sweep);
    const double fromCircle
        = std::fabs(std::hypot(p.x - arc.centre.x, p.y - arc.centre.y) - std::fabs(arc.radius));
    if (within)
        return fromCircle;
    const auto end = [&](double a) {
        return std::hypot(p.x - (arc.centre.x + arc.radius * std::cos(a)),
            p.y - (arc.centre.y - arc.radius * std::sin(a)));
    };
    return std::fmin(end(arc.startAngle), end(arc.startAngle + sweep));
}

// The nearest the drawing's own lines come to the point.
double nearestOfRun(const PreviewDrawing& drawing, PreviewPoint point)
{
    double nearest = INFINITY;
    for (const PreviewLine& line : drawing.stripes)
        nearest = std::fmin(nearest, distanceToLine(point, line.from, line.to));
    if (drawing.baseLine)
        nearest = std::fmin(
            nearest, distanceToLine(point, drawing.baseLine->from, drawing.baseLine->to));
    if (drawing.baseArc)
        nearest = std::fmin(nearest, distanceToArc(point, *drawing.baseArc));
    for (const PreviewStroke& stroke : drawing.numberStrokes)
        for (std::size_t i = 1; i < stroke.size(); ++i)
            nearest = std::fmin(nearest, distanceToLine(point, stroke[i - 1], stroke[i]));
    return nearest;
}

} // namespace

void addJobScales(PreviewDrawing& drawing, const Engraving& job, std::size_t selected)
{
    drawing.selected = selected;
    addMarkShapes(drawing, job, selected);
    const double factor = 1 / job.unitFactor(selected);
    if (const auto sum = job.mirrorSum())
        mirrorRun(drawing, *sum / 2 * factor);
    if (job.scaleCount() < 2)
        return;
    OtherScales others(drawing.frame, factor, selected, job.scaleCount());
    job.makeDrawnMoves(others, !drawing.frame.drum);
    drawing.others = others.take();
}

std::optional<std::size_t> scaleAt(const PreviewDrawing& drawing, PreviewPoint point, double reach)
{
    std::optional<std::size_t> found;
    double nearest = reach;
    const auto consider = [&](double distance, std::size_t index) {
        if (distance <= nearest) {
            nearest = distance;
            found = index;
        }
    };
    for (const PreviewScale& other : drawing.others) {
        for (const PreviewLine& line : other.lines)
            consider(distanceToLine(point, line.from, line.to), other.index);
        for (const PreviewArc& arc : other.arcs)
            consider(distanceToArc(point, arc), other.index);
    }
    consider(nearestOfRun(drawing, point), drawing.selected);
    return found;
}

} // namespace mensora
