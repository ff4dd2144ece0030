#include "preview/mark_picture.h"

#include <cmath>

#include "layout/scale_arithmetic.h"

namespace mensora {

namespace {

constexpr double chordDegrees = 2;

// Gathers the rings of the outlines into shapes: each outer ring begins one, its holes join it.
class ShapeRings : public MoveSink
{
public:
    explicit ShapeRings(const PreviewFrame& frame)
        : m_frame(frame)
    { }

    void move(const ToolMove& move) override
    {
        if (const auto* rapid = std::get_if<Rapid>(&move)) {
            m_ring.reset();
            m_complete = true;
            if (rapid->outline != Outline::None) {
                m_ring.emplace();
                m_outer = rapid->outline == Outline::Outer;
                add(rapid->x.value, rapid->y.value);
            }
        } else if (const auto* cut = std::get_if<Cut>(&move); cut && m_ring) {
            add(cut->x.value, cut->y.value);
        } else if (const auto* arc = std::get_if<Arc>(&move); arc && m_ring) {
            const double chords = std::ceil(std::fabs(arc->sweep) / chordDegrees);
            for (double i = 1; i < chords; ++i) {
                const double angle = (arc->startAngle + arc->sweep * i / chords) * radiansPerDegree;
                add(arc->cx.value + arc->radius * std::cos(angle),
                    arc->cy.value + arc->radius * std::sin(angle));
            }
            add(arc->x.value, arc->y.value);
        } else if (std::holds_alternative<Lift>(move) && m_ring) {
            if (m_complete && m_ring->size() > 2) {
                if (m_outer || shapes.empty())
                    shapes.emplace_back();
                shapes.back().push_back(std::move(*m_ring));
            }
            m_ring.reset();
        }
    }

    std::vector<std::vector<PreviewStroke>> shapes;

private:
    void add(double x, double y)
    {
        if (const auto point = movePoint(m_frame, x, y))
            m_ring->push_back(*point);
        else
            m_complete = false;
    }

    PreviewFrame m_frame;
    std::optional<PreviewStroke> m_ring;
    bool m_outer = true;
    bool m_complete = true;
};

// A mark cut as its outline is drawn as that alone: its middle line, which the knife never
// cuts, would read as a second outline.
void leaveOutWideLines(PreviewDrawing& drawing, const MarkWidths& widths)
{
    if (drawing.stripes.size() == drawing.stripeSequence.size()) {
        std::vector<PreviewLine> kept;
        for (std::size_t i = 0; i < drawing.stripes.size(); ++i)
            if (!(widths.ofKindDigit(drawing.stripeSequence[i]) > 0))
                kept.push_back(drawing.stripes[i]);
        drawing.stripes = std::move(kept);
    }
    if (widths.baseline > 0) {
        drawing.baseLine.reset();
        drawing.baseArc.reset();
    }
    if (widths.numbers > 0)
        drawing.numberStrokes.clear();
}

} // namespace

void addMarkShapes(PreviewDrawing& drawing, const Engraving& job, std::size_t selected)
{
    ShapeRings rings(drawing.frame);
    job.makeMarkOutlines(selected, rings);
    drawing.markShapes = std::move(rings.shapes);
    drawing.markOutlines = job.cutsOutlines();
    if (drawing.markOutlines)
        leaveOutWideLines(drawing, job.markWidths(selected));
}

} // namespace mensora
