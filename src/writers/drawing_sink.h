#pragma once

#include "toolpath/tool_move.h"

namespace mensora {

// A point of a drawing as the program writes it: each coordinate in its own precision.
struct DrawnPoint
{
    Coord x;
    Coord y;
};

// One arc of a drawing, always counter-clockwise from `from` to `to` around the centre (a
// clockwise cut is drawn from its end back to its start): the circle the arc stands for,
// around the centre as the program writes it. Its ends are the program's own points. Angles
// are in degrees, from 0 up to below 360.
struct DrawnArc
{
    double centreX;
    double centreY;
    double radius; // more than 0
    double startAngle; // of `from`
    double endAngle; // startAngle + sweep, reduced
    double sweep; // more than 0, below 360
    DrawnPoint from;
    DrawnPoint to;
};

// Turns a scale's moves into what a drawing shows, part by part: every cut a line from the
// point before it, every arc the arc of its circle that a machine profile cuts: a sweep of a
// whole turn or more is the whole circle, drawn as two halves, and a sweep of none, or a
// radius of 0, draws nothing. Travel, plunge and lift draw nothing. Each scale of a job begins
// with its stripes. A stroke that cuts a ring of an outline (see Outline) is drawn between
// beginRing and endRing, each side through line and arc as any other.
class DrawingSink : public MoveSink
{
public:
    void move(const ToolMove& move) override;
    void section(MoveSection section) override { m_section = section; }
    void beginScale(std::size_t index) override
    {
        m_scale = index;
        m_section = MoveSection::Stripes;
    }

protected:
    // The job's scale being drawn (from 0).
    std::size_t scale() const { return m_scale; }
    // The ring the stroke being drawn cuts; none for a line.
    Outline ring() const { return m_ring; }
    // The width of the cut or arc being drawn (see Cut::width).
    double width() const { return m_width; }
    virtual void line(MoveSection section, const DrawnPoint& from, const DrawnPoint& to) = 0;
    virtual void arc(MoveSection section, const DrawnArc& arc) = 0;
    // Where a ring begins, before its sides, and where it ends, back at its start. Nothing by
    // default: its sides are drawn as lines and arcs.
    virtual void beginRing(MoveSection, const DrawnPoint& /*start*/) { }
    virtual void endRing(MoveSection) { }

private:
    void drawArc(const Arc& cut);
    void endStroke();

    Outline m_ring = Outline::None;
    double m_width = 0;
    DrawnPoint m_at { Coord::wide(0), Coord::wide(0) };
    MoveSection m_section = MoveSection::Stripes;
    std::size_t m_scale = 0;
};

// An angle in degrees reduced to 0 up to below 360.
double reducedDegrees(double degrees);

} // namespace mensora
