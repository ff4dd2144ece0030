#include "engraving/number_outlines.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <clipper.hpp>

namespace mensora {

namespace {

// The polygon library works in whole numbers: a millionth of the unit, or coarser for a
// number so large that its points would not fit.
constexpr double finestScale = 1e6;
constexpr double largestWhole = 1e15;

class WholePlane
{
public:
    // A plane about the first point of the first non-empty list of points.
    WholePlane(const std::vector<std::vector<ShapePoint>>& strokes, double width)
        : m_origin(firstPoint(strokes))
    {
        double farthest = width;
        for (const auto& stroke : strokes)
            for (const ShapePoint& p : stroke)
                farthest = std::max(
                    { farthest, std::fabs(p.x - m_origin.x), std::fabs(p.y - m_origin.y) });
        m_scale = farthest * finestScale > largestWhole ? largestWhole / farthest : finestScale;
    }
    ClipperLib::IntPoint whole(ShapePoint p) const
    {
        return { static_cast<ClipperLib::cInt>(std::llround((p.x - m_origin.x) * m_scale)),
            static_cast<ClipperLib::cInt>(std::llround((p.y - m_origin.y) * m_scale)) };
    }
    ShapePoint point(const ClipperLib::IntPoint& p) const
    {
        return { m_origin.x + static_cast<double>(p.X) / m_scale,
            m_origin.y + static_cast<double>(p.Y) / m_scale };
    }
    double scale() const { return m_scale; }
    ClipperLib::Paths paths(const std::vector<std::vector<ShapePoint>>& lists) const
    {
        ClipperLib::Paths paths;
        for (const auto& list : lists) {
            ClipperLib::Path path;
            for (const ShapePoint& p : list)
                path.push_back(whole(p));
            paths.push_back(std::move(path));
        }
        return paths;
    }

private:
    static ShapePoint firstPoint(const std::vector<std::vector<ShapePoint>>& lists)
    {
        for (const auto& list : lists)
            if (!list.empty())
                return list.front();
        return {};
    }

    ShapePoint m_origin;
    double m_scale = finestScale;
};

ShapePath ringOf(const ClipperLib::Path& contour, const WholePlane& plane, Outline outline)
{
    ShapePath ring { plane.point(contour.front()), {}, outline };
    for (std::size_t i = 1; i < contour.size(); ++i)
        ring.pieces.push_back({ plane.point(contour[i]), std::nullopt });
    ring.pieces.push_back({ ring.start, std::nullopt });
    return ring;
}

// An outer ring, its holes, then the outlines inside those holes.
void addRings(
    const ClipperLib::PolyNode& outer, const WholePlane& plane, std::vector<ShapePath>& rings)
{
    if (outer.Contour.size() > 2)
        rings.push_back(ringOf(outer.Contour, plane, Outline::Outer));
    for (const ClipperLib::PolyNode* hole : outer.Childs)
        if (hole->Contour.size() > 2)
            rings.push_back(ringOf(hole->Contour, plane, Outline::Hole));
    for (const ClipperLib::PolyNode* hole : outer.Childs)
        for (const ClipperLib::PolyNode* island : hole->Childs)
            addRings(*island, plane, rings);
}

} // namespace

std::vector<ShapePath> strokeOutlines(
    const std::vector<std::vector<ShapePoint>>& strokes, double width)
{
    const auto empty = [](const std::vector<ShapePoint>& stroke) { return stroke.empty(); };
    if (!(width > 0) || std::all_of(strokes.begin(), strokes.end(), empty))
        return {};
    std::vector<std::vector<ShapePoint>> drawn;
    std::copy_if(strokes.begin(), strokes.end(), std::back_inserter(drawn),
        [&](const auto& stroke) { return !empty(stroke); });
    const WholePlane plane(drawn, width);
    ClipperLib::ClipperOffset offset(2.0, width / 200 * plane.scale());
    offset.AddPaths(plane.paths(drawn), ClipperLib::jtRound, ClipperLib::etOpenRound);
    ClipperLib::PolyTree tree;
    offset.Execute(tree, width / 2 * plane.scale());
    std::vector<ShapePath> rings;
    for (const ClipperLib::PolyNode* outer : tree.Childs)
        addRings(*outer, plane, rings);
    return rings;
}

bool shapesOverlap(const std::vector<std::vector<ShapePoint>>& a,
    const std::vector<std::vector<ShapePoint>>& b, double size)
{
    std::vector<std::vector<ShapePoint>> both = a;
    both.insert(both.end(), b.begin(), b.end());
    const WholePlane plane(both, size);
    ClipperLib::Clipper clipper;
    clipper.AddPaths(plane.paths(a), ClipperLib::ptSubject, true);
    clipper.AddPaths(plane.paths(b), ClipperLib::ptClip, true);
    ClipperLib::Paths common;
    clipper.Execute(
        ClipperLib::ctIntersection, common, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
    double area = 0;
    for (const ClipperLib::Path& path : common)
        area += std::fabs(ClipperLib::Area(path));
    const double least = size * size * 1e-6 * plane.scale() * plane.scale();
    return area > least;
}

} // namespace mensora
