#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "engraving/mark_shapes.h"
#include "layout/drum_scale_layout.h"
#include "layout/scale_arithmetic.h"
#include "model/machine_settings.h"
#include "model/mark_widths.h"
#include "toolpath/tool_move.h"
#include "writers/output_table.h"

namespace mensora {

// How a file makes a mark of a width: one way for each kind of tool.
enum class MarkMaking {
    Line, // a line whatever the width: the plain files, and a router's line tool
    VBit, // one pass, as deep as the V makes the mark wide
    EndMill, // passes side by side across the mark
    LaserFill, // lines side by side across the mark
    KnifeOutline, // the mark's closed outline, cut by a drag knife, for weeding
    DrawnStrokes, // a drawing's stroke of the mark's width
    DrawnOutlines, // a drawing's closed outline of the mark
};

// The tool as the marks are made with it, its sizes in one scale's unit.
struct MarkTool
{
    MarkMaking making = MarkMaking::Line;
    double vbitAngle = 0; // degrees
    double size = 0; // a V-bit's tip, an end mill's diameter, a laser's spot
    double step = 0; // the farthest apart two passes may be: the stepover, the line interval
    double bladeOffset = 0;
    double overcut = 0;
    double sag = 0; // how far a knife's chords of an arc may stray from it

    // Whether a mark's moves go on as they come, changed one by one, rather than kept until
    // the mark, or the number, is whole.
    bool streams() const;
    // What the tool is called in notes: "end mill", "laser spot".
    const char* name() const;
};

// The tool of a file in a scale's unit: a drawing's choice; a machine profile's tool (a
// router's, the laser's spot, the cutter's knife, as its dialect's settings say); for a plain
// file, a line.
MarkTool markToolFor(const OutputRow& output, const MachineSettings& machine,
    const DrawingSettings& drawing, Unit unit);

// The depth of a V-bit's mark `width` wide: −(width − tip) / (2 tan(angle / 2)).
double vbitDepth(double width, const MarkTool& tool);

// The plane a scale's marks are shaped in: its own coordinates, the new points rounded as its
// layout rounds them; or a drum's surface unrolled (an angle becomes the distance around it),
// every point exact.
struct MarkPlane
{
    std::optional<DrumSurface> drum;
    PointRounding rounding = PointRounding::Thousandths;
};

// The stage that makes each mark of a width as the tool makes it, between a scale's layout
// and the rest of its way to the file. It knows each stroke's mark by the scale's sections:
// the first stripes are the stripes (their kinds in `kinds`), then the baseline, then the
// numbers. A mark of width 0 goes on unchanged, so that a scale without widths is cut as
// before; so does every mark for a line. Otherwise, by tool (each path cut with the mark's
// own plunge):
// - a V-bit plunges to its mark's depth (see vbitDepth);
// - an end mill and a laser cut a mark wider than themselves in passes along it (see
//   passOffsets), back and forth; a number's strokes stay the middle pass and the outlines of
//   the strokes at each offset out to the edge are the others (see strokeOutlines);
// - a drag knife cuts each mark's closed outline (see straightOutline, arcOutline), and each
//   number's (see strokeOutlines), along its knife path (see knifePath);
// - a drawing draws each mark as a stroke of its width (the width on its cuts), or as its
//   closed outline.
class WideMarks : public MoveSink
{
public:
    WideMarks(MoveSink& out, const MarkWidths& widths, std::string_view kinds, const MarkTool& tool,
        const MarkPlane& plane);

    void move(const ToolMove& move) override;
    void section(MoveSection section) override;
    void beginScale(std::size_t index) override { m_out.beginScale(index); }
    // Hands on the last number, and a stroke the layout did not end with a lift.
    void finish();

private:
    struct Stroke
    {
        Rapid rapid;
        std::optional<Plunge> plunge;
        std::vector<ToolMove> segments;
    };
    using MarkOne = void (WideMarks::*)(const Stroke& stroke, double width);
    using MarkNumber = void (WideMarks::*)(const std::vector<Stroke>& strokes, double width);
    struct Strategy
    {
        MarkMaking making;
        MarkOne mark;
        MarkNumber number;
    };
    static const Strategy strategies[];
    const Strategy& strategy() const;

    double widthOfStroke() const;
    ToolMove streamed(const ToolMove& move) const;
    void endStroke();
    void flushNumber();

    void fillMark(const Stroke& stroke, double width);
    void fillNumber(const std::vector<Stroke>& strokes, double width);
    void knifeMark(const Stroke& stroke, double width);
    void knifeNumber(const std::vector<Stroke>& strokes, double width);
    void outlineMark(const Stroke& stroke, double width);
    void outlineNumber(const std::vector<Stroke>& strokes, double width);

    // The mark's outline rings, or none for a stroke that is not one straight cut or one arc.
    std::vector<ShapePath> outlineOf(const Stroke& stroke, double width) const;
    std::vector<std::vector<ShapePoint>> pointsOf(const std::vector<Stroke>& strokes) const;
    void knife(const std::vector<ShapePath>& rings, const std::optional<Plunge>& plunge);

    ShapePoint flat(Coord x, Coord y) const;
    Coord placedX(ShapePoint p) const;
    Coord placedY(ShapePoint p) const;
    void pass(const ShapePath& path, const std::optional<Plunge>& plunge);
    void pass(const Stroke& stroke);

    MoveSink& m_out;
    MarkWidths m_widths;
    std::string_view m_kinds;
    MarkTool m_tool;
    MarkPlane m_plane;

    MoveSection m_section = MoveSection::Stripes;
    std::size_t m_stripes = 0; // the stripes begun
    double m_width = 0; // of the stroke under way
    bool m_passing = false; // whether its moves go on as they come
    std::optional<Stroke> m_stroke; // the stroke under way, kept
    std::vector<Stroke> m_number; // the strokes of the number under way
};

} // namespace mensora
