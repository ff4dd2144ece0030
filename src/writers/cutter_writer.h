#pragma once

#include <functional>

#include "model/scale_parameters.h"
#include "toolpath/tool_move.h"
#include "writers/line_buffer.h"
#include "writers/program_frame.h"
#include "writers/text_sink.h"

namespace mensora {

// Plotter units of a cutter: 40 per millimetre, 1016 per inch.
double cutterUnitsPerUnit(Unit unit);

// A cutter's coordinates stay below this many plotter units (2^30), before and after the
// drawing is moved to 0, 0.
inline constexpr double cutterUnitLimit = 1073741824.0;

// The points a pen or knife visits, in whole plotter units (halves to even): up to each
// rapid's point, down along each cut, and down along the chords of each arc, so many that
// no chord strays from the arc by more than a quarter of a unit (the rounding of its ends adds
// at most 0.71). Plunges and lifts have no point.
class PlotterPath : public MoveSink
{
public:
    using Visit = std::function<void(bool penDown, double x, double y)>;
    PlotterPath(Unit unit, Visit visit);
    void move(const ToolMove& move) override;

private:
    void visit(bool penDown, double x, double y);
    void chords(const Arc& arc);

    double m_factor;
    Visit m_visit;
};

// The smallest and largest plotter units of a path (all 0 when it has no point).
struct PlotterExtent
{
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
};

// The plot file of a cutter or pen plotter (the hpgl-cutter profile): "IN;", "SP1;", then
// "PU x,y;" and "PD x,y;" in plotter units, moved by `origin` (the drawing's lowest X and Y,
// so that these become 0), and "PU;SP0;" at the end. CR LF after every line.
class CutterWriter : public MoveSink
{
public:
    CutterWriter(TextSink& sink, Unit unit, const PlotterExtent& origin, const ProgramFrame& frame);

    void begin();
    void move(const ToolMove& move) override { m_path.move(move); }
    void end();

private:
    void writeLines(std::span<const FrameLine> lines);

    LineBuffer m_out;
    ProgramFrame m_frame;
    PlotterPath m_path;
};

} // namespace mensora
