#include "writers/dxf_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

#include <dxflib/dl_dxf.h>

#include "writers/coordinate_text.h"
#include "writers/drawn_names.h"
#include "writers/line_buffer.h"

namespace mensora {

// dxflib's writer, turned from its own file to our text. dxflib writes through a DL_WriterA,
// a DL_Writer bound to a file; this one overrides every write of it, so the file it would
// open is never named and never opened.
class DxfText : public DL_WriterA
{
public:
    explicit DxfText(TextSink& sink)
        : DL_WriterA("", DL_Codes::AC1015)
        , m_out(sink)
    { }

    void dxfReal(int code, double value) const override
    {
        groupCode(code);
        std::string text = coordinateText(Coord::wide(value), ".");
        if (text.find('.') == std::string::npos)
            text += ".0"; // a real, as CAD programs write it
        m_out.append(text);
        m_out.endLine();
    }
    void dxfInt(int code, int value) const override
    {
        groupCode(code);
        appendInteger(value, 10);
        m_out.endLine();
    }
    // Handles, in capital hexadecimal digits.
    void dxfHex(int code, int value) const override
    {
        groupCode(code);
        appendInteger(value, 16);
        m_out.endLine();
    }
    // The comment dxflib opens the file with names its version: left out, so that a scale's
    // drawing stays the same from one version of the library to the next.
    void dxfString(int code, const char* value) const override
    {
        if (code == 999)
            return;
        groupCode(code);
        m_out.append(value);
        m_out.endLine();
    }
    void dxfString(int code, const std::string& value) const override
    {
        dxfString(code, value.c_str());
    }

    void flush() const { m_out.flush(); }

private:
    // Group codes stand right-aligned in three places, as CAD programs write them.
    void groupCode(int code) const
    {
        if (code >= 0 && code < 100)
            m_out.append(code < 10 ? "  " : " ");
        appendInteger(code, 10);
        m_out.endLine();
    }
    void appendInteger(int value, int base) const
    {
        char digits[16];
        char* const end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
        for (char* c = digits; c != end; ++c)
            if (*c >= 'a' && *c <= 'f')
                *c = static_cast<char>(*c - 'a' + 'A');
        m_out.append({ digits, static_cast<std::size_t>(end - digits) });
    }

    mutable LineBuffer m_out;
};

namespace {

constexpr std::array<const char*, 3> layerNames = { "STRIPES", "BASELINE", "NUMBERS" };

// AutoCAD's unit codes for $INSUNITS.
constexpr int insunitsInches = 1;
constexpr int insunitsMillimetres = 4;
// $MEASUREMENT, which some readers take the unit from instead (without it, inches).
constexpr int measurementImperial = 0;
constexpr int measurementMetric = 1;

} // namespace

DxfWriter::DxfWriter(TextSink& sink, Unit unit, const std::vector<std::string>& scaleNames)
    : m_unit(unit)
    , m_byScale(!scaleNames.empty())
    , m_layers(scaleNames.empty() ? std::vector<std::string>(layerNames.begin(), layerNames.end())
                                  : dxfLayerNames(scaleNames))
    , m_dxf(std::make_unique<DL_Dxf>())
    , m_out(std::make_unique<DxfText>(sink))
{ }

// Entities take their colour, line type and weight from their layer: a job of one scale's
// layer of the section, else the scale's.
DL_Attributes DxfWriter::onLayer(MoveSection section) const
{
    const std::size_t layer = m_byScale ? scale() : static_cast<std::size_t>(section);
    return DL_Attributes(m_layers.at(layer), DL_Codes::bylayer, -1, -1, "BYLAYER");
}

DxfWriter::~DxfWriter() = default;

void DxfWriter::begin()
{
    DxfText& out = *m_out;
    m_dxf->writeHeader(out);
    out.dxfString(9, "$INSUNITS");
    out.dxfInt(70, m_unit == Unit::Inch ? insunitsInches : insunitsMillimetres);
    out.dxfString(9, "$MEASUREMENT");
    out.dxfInt(70, m_unit == Unit::Inch ? measurementImperial : measurementMetric);
    out.sectionEnd();
    writeTables();
    writeBlocks();
    out.sectionEntities();
}

void DxfWriter::writeTables()
{
    DxfText& out = *m_out;
    out.sectionTables();
    m_dxf->writeVPort(out);

    out.tableLinetypes(3);
    m_dxf->writeLinetype(out, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    m_dxf->writeLinetype(out, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    m_dxf->writeLinetype(out, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    out.tableEnd();

    // Layer 0 is always there in a drawing; ours come after it.
    out.tableLayers(1 + static_cast<int>(m_layers.size()));
    const DL_Attributes plain("", DL_Codes::white, -3, "CONTINUOUS", 1.0);
    m_dxf->writeLayer(out, DL_LayerData("0", 0), plain);
    for (const std::string& name : m_layers)
        m_dxf->writeLayer(out, DL_LayerData(name, 0), plain);
    out.tableEnd();

    out.tableStyle(1);
    m_dxf->writeStyle(out, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    out.tableEnd();
    m_dxf->writeView(out);
    m_dxf->writeUcs(out);
    out.tableAppid(1);
    m_dxf->writeAppid(out, "ACAD");
    out.tableEnd();
    m_dxf->writeDimStyle(out, 2.5, 0.625, 0.625, 0.625, 2.5);
    m_dxf->writeBlockRecord(out);
    out.tableEnd();
    out.sectionEnd();
}

void DxfWriter::writeBlocks()
{
    DxfText& out = *m_out;
    out.sectionBlocks();
    for (const char* space : { "*Model_Space", "*Paper_Space", "*Paper_Space0" }) {
        m_dxf->writeBlock(out, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
        m_dxf->writeEndBlock(out, space);
    }
    out.sectionEnd();
}

void DxfWriter::end()
{
    DxfText& out = *m_out;
    out.sectionEnd();
    m_dxf->writeObjects(out);
    m_dxf->writeObjectsEnd(out);
    out.dxfEOF();
    out.flush();
}

void DxfWriter::line(MoveSection section, const DrawnPoint& from, const DrawnPoint& to)
{
    if (ring() != Outline::None) {
        m_ring.push_back(vertexOf(to));
        return;
    }
    if (width() > 0) {
        writePolyline(section, { vertexOf(from), vertexOf(to) }, width(), false);
        return;
    }
    m_dxf->writeLine(*m_out,
        DL_LineData(writtenValue(from.x), writtenValue(from.y), 0.0, writtenValue(to.x),
            writtenValue(to.y), 0.0),
        onLayer(section));
}

void DxfWriter::arc(MoveSection section, const DrawnArc& arc)
{
    // A polyline's arc between two vertices bulges by the tangent of a quarter of its sweep,
    // to the left of its way when positive.
    const double bulge = std::tan(arc.sweep * std::numbers::pi / 720);
    if (ring() != Outline::None) {
        // A ring runs on from its last vertex, whichever way the arc was drawn.
        const Vertex from = vertexOf(arc.from);
        const bool forward = from.x == m_ring.back().x && from.y == m_ring.back().y;
        m_ring.back().bulge = forward ? bulge : -bulge;
        m_ring.push_back(vertexOf(forward ? arc.to : arc.from));
        return;
    }
    if (width() > 0) {
        Vertex from = vertexOf(arc.from);
        from.bulge = bulge;
        writePolyline(section, { from, vertexOf(arc.to) }, width(), false);
        return;
    }
    m_dxf->writeArc(*m_out,
        DL_ArcData(arc.centreX, arc.centreY, 0.0, arc.radius, arc.startAngle, arc.endAngle),
        onLayer(section));
}

void DxfWriter::beginRing(MoveSection, const DrawnPoint& start)
{
    m_ring = { vertexOf(start) };
}

// A closed polyline ends at its last corner: the way back to the first is its own.
void DxfWriter::endRing(MoveSection section)
{
    if (m_ring.size() > 1 && m_ring.back().x == m_ring.front().x
        && m_ring.back().y == m_ring.front().y)
        m_ring.pop_back();
    if (m_ring.size() > 1)
        writePolyline(section, m_ring, 0, true);
    m_ring.clear();
}

DxfWriter::Vertex DxfWriter::vertexOf(const DrawnPoint& point)
{
    return { writtenValue(point.x), writtenValue(point.y), 0 };
}

// An LWPOLYLINE: its vertices, closed or open, of a constant width when one is given.
void DxfWriter::writePolyline(
    MoveSection section, const std::vector<Vertex>& vertices, double width, bool closed)
{
    DxfText& out = *m_out;
    m_dxf->writePolyline(out,
        DL_PolylineData(static_cast<int>(vertices.size()), 0, 0, closed ? 1 : 0), onLayer(section));
    if (width > 0)
        out.dxfReal(43, width);
    for (const Vertex& vertex : vertices)
        m_dxf->writeVertex(out, DL_VertexData(vertex.x, vertex.y, 0.0, vertex.bulge));
    m_dxf->writePolylineEnd(out);
}

} // namespace mensora
