#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/scale_parameters.h"
#include "writers/drawing_sink.h"
#include "writers/text_sink.h"

namespace mensora {

// How a drawing holds a mark of a width: a stroke of that width along the mark (an SVG line's
// stroke-width, a DXF polyline's width), for lasers that cut lines; or its closed outline
// (filled in SVG), for lasers and cutters that fill shapes.
enum class DrawnMarks { Strokes = 0, Outlines = 1 };

// How a drawing looks: only an SVG drawing draws its lines with a width.
struct DrawingSettings
{
    double strokeWidthMm = 0.1; // of every line of no width, in millimetres whatever the unit
    DrawnMarks marks = DrawnMarks::Strokes;
};

// Renders a scale's cuts as an SVG drawing in the scale's own unit: `width` and `height` carry
// the unit ("mm" or "in") and the viewBox is in scale units, so one unit of the drawing is one
// unit of the scale. Y is flipped by writing every Y negated (no transform), so the picture
// reads as the machine's view. Cuts become <line> elements, arcs <path> elements with one
// true "A" arc each, in three groups: stripes, baseline, numbers. A cut or an arc of a width
// is drawn that wide (a mark's with square ends, a number's stroke with round ones); each ring
// of an outline becomes a <path> filled black, a shape's holes in its own path. Numbers are written
// with
// "." in their own precision, as the program writes them; lines end in CR LF. A job of several
// scales puts each in a group of its own, with the scale's name for its title and its id, and
// its three groups inside it.
class SvgWriter : public DrawingSink
{
public:
    SvgWriter(TextSink& sink, Unit unit, const DrawingSettings& settings = {},
        std::vector<std::string> scaleNames = {});

    // Writes the whole drawing: the moves are kept until their extent is known.
    void end();

private:
    void line(MoveSection section, const DrawnPoint& from, const DrawnPoint& to) override;
    void arc(MoveSection section, const DrawnArc& arc) override;
    void beginRing(MoveSection section, const DrawnPoint& start) override;
    void endRing(MoveSection section) override;
    void flushPath();
    std::string& group(std::size_t scale, MoveSection section);
    std::string widthAttributes(MoveSection section) const;
    static bool sameValues(const DrawnPoint& a, const DrawnPoint& b);
    void include(double x, double y);
    void includeAround(double x, double y, double margin);
    void includeArc(const DrawnArc& arc, double margin);
    std::string header() const;

    TextSink& m_sink;
    Unit m_unit;
    double m_strokeWidth; // in scale units
    void writeGroups(const std::array<std::string, 3>& groups, const std::string& prefix);

    std::vector<std::string> m_names; // of a job's scales; none for one scale
    std::vector<std::array<std::string, 3>> m_groups; // by scale, then by MoveSection
    bool m_empty = true;
    double m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    // The shape of rings being drawn, until it is whole: its path data, where it stands.
    std::string m_path;
    DrawnPoint m_pathAt { Coord::wide(0), Coord::wide(0) };
    std::size_t m_pathScale = 0;
    MoveSection m_pathSection = MoveSection::Stripes;
};

} // namespace mensora
