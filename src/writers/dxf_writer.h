#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/scale_parameters.h"
#include "writers/drawing_sink.h"
#include "writers/text_sink.h"

class DL_Attributes;
class DL_Dxf;

namespace mensora {

class DxfText;

// Renders a scale's cuts as a DXF drawing through dxflib: AutoCAD 2000 (AC1015) ASCII, the
// oldest version with $INSUNITS, which tells CAD and laser programs the unit (4 millimetres,
// 1 inches) instead of leaving them to guess as with R12. Cuts become LINE entities, arcs ARC
// entities (counter-clockwise, as DXF draws them), on the layers STRIPES, BASELINE and NUMBERS;
// a cut or an arc of a width becomes an LWPOLYLINE of that constant width, and each ring of an
// outline a closed LWPOLYLINE, its arcs as bulges.
// Numbers are written with "." in up to 15 significant digits; lines end in CR LF. A job of
// several scales has a layer for each scale instead, named after it.
class DxfWriter : public DrawingSink
{
public:
    DxfWriter(TextSink& sink, Unit unit, const std::vector<std::string>& scaleNames = {});
    ~DxfWriter() override;
    DxfWriter(const DxfWriter&) = delete;
    DxfWriter& operator=(const DxfWriter&) = delete;

    void begin(); // the header, tables and blocks, up to the first entity
    void end(); // the end of the entities, the objects and EOF, then the rest to the sink

private:
    struct Vertex
    {
        double x;
        double y;
        double bulge; // of the arc to the next vertex; 0 for a straight side
    };

    void line(MoveSection section, const DrawnPoint& from, const DrawnPoint& to) override;
    void arc(MoveSection section, const DrawnArc& arc) override;
    void beginRing(MoveSection section, const DrawnPoint& start) override;
    void endRing(MoveSection section) override;
    static Vertex vertexOf(const DrawnPoint& point);
    void writePolyline(
        MoveSection section, const std::vector<Vertex>& vertices, double width, bool closed);
    void writeTables();
    void writeBlocks();
    DL_Attributes onLayer(MoveSection section) const;

    Unit m_unit;
    bool m_byScale;
    std::vector<std::string> m_layers; // by scale, for a job of several; else by section
    std::unique_ptr<DL_Dxf> m_dxf;
    std::unique_ptr<DxfText> m_out;
    std::vector<Vertex> m_ring; // the ring being drawn
};

} // namespace mensora
