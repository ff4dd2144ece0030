#include "writers/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "writers/coordinate_text.h"
#include "writers/drawn_names.h"

namespace mensora {

namespace {

constexpr double millimetresPerInch = 25.4;

constexpr std::array<const char*, 3> groupIds = { "stripes", "baseline", "numbers" };

void appendNumber(std::string& out, double value)
{
    appendCoordinate(out, Coord::wide(value), ".");
}

// The flipped Y of a point, in the point's own precision.
Coord flipped(Coord y)
{
    return { -y.value, y.precision };
}

void appendPoint(std::string& out, const DrawnPoint& point)
{
    appendCoordinate(out, point.x, ".");
    out += ' ';
    appendCoordinate(out, flipped(point.y), ".");
}

} // namespace

SvgWriter::SvgWriter(
    TextSink& sink, Unit unit, const DrawingSettings& settings, std::vector<std::string> scaleNames)
    : m_sink(sink)
    , m_unit(unit)
    , m_strokeWidth(
          unit == Unit::Inch ? settings.strokeWidthMm / millimetresPerInch : settings.strokeWidthMm)
    , m_names(std::move(scaleNames))
    , m_groups(std::max<std::size_t>(1, m_names.size()))
{ }

std::string& SvgWriter::group(std::size_t scale, MoveSection section)
{
    return m_groups.at(scale)[static_cast<std::size_t>(section)];
}

// A mark's stroke of a width ends square at the mark's ends; a number's strokes keep the
// round ends and joins every line has.
std::string SvgWriter::widthAttributes(MoveSection section) const
{
    if (!(width() > 0))
        return {};
    std::string out = " stroke-width=\"";
    appendNumber(out, width());
    out += '"';
    if (section != MoveSection::Numbers)
        out += " stroke-linecap=\"butt\"";
    return out;
}

void SvgWriter::line(MoveSection section, const DrawnPoint& from, const DrawnPoint& to)
{
    if (ring() != Outline::None) {
        m_path += " L";
        appendPoint(m_path, to);
        m_pathAt = to;
        include(writtenValue(to.x), writtenValue(to.y));
        return;
    }
    flushPath();
    std::string& out = group(scale(), section);
    out += "<line x1=\"";
    appendCoordinate(out, from.x, ".");
    out += "\" y1=\"";
    appendCoordinate(out, flipped(from.y), ".");
    out += "\" x2=\"";
    appendCoordinate(out, to.x, ".");
    out += "\" y2=\"";
    appendCoordinate(out, flipped(to.y), ".");
    out += '"' + widthAttributes(section) + "/>\r\n";
    for (const DrawnPoint& end : { from, to })
        includeAround(writtenValue(end.x), writtenValue(end.y), width() / 2);
}

// Counter-clockwise in the machine's view is the negative direction once Y is flipped: sweep
// flag 0.
void SvgWriter::arc(MoveSection section, const DrawnArc& arc)
{
    if (ring() != Outline::None) {
        // A ring runs on from where it stands, whichever way the arc was drawn.
        const bool forward = sameValues(m_pathAt, arc.from);
        m_path += " A";
        appendNumber(m_path, arc.radius);
        m_path += ' ';
        appendNumber(m_path, arc.radius);
        m_path += arc.sweep > 180 ? " 0 1 " : " 0 0 ";
        m_path += forward ? "0 " : "1 ";
        m_pathAt = forward ? arc.to : arc.from;
        appendPoint(m_path, m_pathAt);
        includeArc(arc, 0);
        return;
    }
    flushPath();
    std::string& out = group(scale(), section);
    out += "<path d=\"M";
    appendPoint(out, arc.from);
    out += 'A';
    appendNumber(out, arc.radius);
    out += ' ';
    appendNumber(out, arc.radius);
    out += arc.sweep > 180 ? " 0 1 0 " : " 0 0 0 ";
    appendPoint(out, arc.to);
    out += '"' + widthAttributes(section) + "/>\r\n";
    includeArc(arc, width() / 2);
}

// A ring's outer edge begins a shape of its own; its holes join it, so that they stay empty.
void SvgWriter::beginRing(MoveSection section, const DrawnPoint& start)
{
    if (ring() == Outline::Outer || m_path.empty()) {
        flushPath();
        m_pathScale = scale();
        m_pathSection = section;
        m_path = "M";
    } else {
        m_path += " M";
    }
    appendPoint(m_path, start);
    m_pathAt = start;
    include(writtenValue(start.x), writtenValue(start.y));
}

void SvgWriter::endRing(MoveSection)
{
    m_path += " Z";
}

void SvgWriter::flushPath()
{
    if (m_path.empty())
        return;
    group(m_pathScale, m_pathSection)
        += "<path d=\"" + m_path + "\" fill=\"black\" stroke=\"none\" fill-rule=\"evenodd\"/>\r\n";
    m_path.clear();
}

bool SvgWriter::sameValues(const DrawnPoint& a, const DrawnPoint& b)
{
    return a.x.value == b.x.value && a.y.value == b.y.value;
}

// The ends, and where the arc reaches further as it crosses an axis direction, `margin`
// around each.
void SvgWriter::includeArc(const DrawnArc& arc, double margin)
{
    includeAround(writtenValue(arc.from.x), writtenValue(arc.from.y), margin);
    includeAround(writtenValue(arc.to.x), writtenValue(arc.to.y), margin);
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double angle = 90.0 * quarter;
        if (reducedDegrees(angle - arc.startAngle) < arc.sweep) {
            const double c = quarter == 0 ? 1 : quarter == 2 ? -1 : 0;
            const double s = quarter == 1 ? 1 : quarter == 3 ? -1 : 0;
            includeAround(arc.centreX + c * arc.radius, arc.centreY + s * arc.radius, margin);
        }
    }
}

void SvgWriter::includeAround(double x, double y, double margin)
{
    if (!(margin > 0)) {
        include(x, y);
        return;
    }
    include(x - margin, y - margin);
    include(x + margin, y + margin);
}

void SvgWriter::include(double x, double y)
{
    if (m_empty) {
        m_minX = m_maxX = x;
        m_minY = m_maxY = y;
        m_empty = false;
        return;
    }
    m_minX = std::min(m_minX, x);
    m_maxX = std::max(m_maxX, x);
    m_minY = std::min(m_minY, y);
    m_maxY = std::max(m_maxY, y);
}

// The drawing's extent and half a stroke around it, so that no line is cut off at the edge.
std::string SvgWriter::header() const
{
    const double margin = m_strokeWidth / 2;
    std::string width;
    std::string height;
    appendNumber(width, m_maxX - m_minX + 2 * margin);
    appendNumber(height, m_maxY - m_minY + 2 * margin);
    const char* unit = m_unit == Unit::Inch ? "in" : "mm";

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    out += width + unit + "\" height=\"" + height + unit + "\" viewBox=\"";
    appendNumber(out, m_minX - margin);
    out += ' ';
    appendNumber(out, -m_maxY - margin);
    out += ' ' + width + ' ' + height + "\"\r\n";
    out += "     fill=\"none\" stroke=\"black\" stroke-width=\"";
    appendNumber(out, m_strokeWidth);
    out += "\" stroke-linecap=\"round\">\r\n";
    return out;
}

void SvgWriter::writeGroups(const std::array<std::string, 3>& groups, const std::string& prefix)
{
    for (std::size_t i = 0; i < groups.size(); ++i) {
        m_sink.write("<g id=\"" + prefix + groupIds[i] + "\">\r\n");
        m_sink.write(groups[i]);
        m_sink.write("</g>\r\n");
    }
}

void SvgWriter::end()
{
    flushPath();
    m_sink.write(header());
    if (m_names.empty()) {
        writeGroups(m_groups.front(), {});
    } else {
        const std::vector<std::string> ids = svgIds(m_names);
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            m_sink.write(
                "<g id=\"" + ids[i] + "\">\r\n<title>" + xmlEscaped(m_names[i]) + "</title>\r\n");
            writeGroups(m_groups[i], ids[i] + "-");
            m_sink.write("</g>\r\n");
        }
    }
    m_sink.write("</svg>\r\n");
}

} // namespace mensora
