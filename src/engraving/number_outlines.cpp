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
    WholePlane(const std::vector<std::vector<ShapePoint>>& strokes, double width)
        : m_origin(strokes.front().front())
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

private:
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
    ClipperLib::Paths paths;
    for (const auto& stroke : drawn) {
        ClipperLib::Path path;
        for (const ShapePoint& p : stroke)
            path.push_back(plane.whole(p));
        paths.push_back(std::move(path));
    }
    ClipperLib::ClipperOffset offset(2.0, width / 200 * plane.scale());
    offset.AddPaths(paths, ClipperLib::jtRound, ClipperLib::etOpenRound);
    ClipperLib::PolyTree tree;
    offset.Execute(tree, width / 2 * plane.scale());
    std::vector<ShapePath> rings;
    for (const ClipperLib::PolyNode* outer : tree.Childs)
        addRings(*outer, plane, rings);
    return rings;
}

} // namespace mensora
