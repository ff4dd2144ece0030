#include "engraving/mark_shapes.h"

#include <cmath>

#include "layout/scale_arithmetic.h"

namespace mensora {

namespace {

// A count that a rounding error above a whole number would push up by one stays whole.
constexpr double countTolerance = 1e-9;

// A knife swivels at a corner that turns more than this many degrees; through a smaller turn,
// the chords of a curve, its tip follows by itself, as cutters' own drivers let it.
constexpr double swivelTurn = 10;

ShapePoint plus(ShapePoint p, ShapePoint d, double times)
{
    return { p.x + times * d.x, p.y + times * d.y };
}

double distance(ShapePoint a, ShapePoint b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// The unit direction from a to b; +X for two points alike.
ShapePoint direction(ShapePoint a, ShapePoint b)
{
    const double length = distance(a, b);
    if (!(length > 0))
        return { 1, 0 };
    return { (b.x - a.x) / length, (b.y - a.y) / length };
}

ShapePoint leftOf(ShapePoint d)
{
    return { -d.y, d.x };
}

double degreesOf(ShapePoint d)
{
    return std::atan2(d.y, d.x) / radiansPerDegree;
}

ShapeArc around(const ShapeArc& arc, double radius, double startAngle, double sweep)
{
    return { arc.centre, radius, startAngle, sweep };
}

// The arc's sweep, a whole turn at most.
double sweepOf(const ShapeArc& arc)
{
    return std::fabs(arc.sweep) > 360 ? std::copysign(360.0, arc.sweep) : arc.sweep;
}

void addArc(ShapePath& path, const ShapeArc& arc)
{
    path.pieces.push_back({ pointOnArc(arc, arc.startAngle + arc.sweep), arc });
}

// A whole turn ends on the very point it began, not on one a rounding error away from it that
// would stand as a corner of its own.
void addTurn(ShapePath& path, const ShapeArc& turn)
{
    path.pieces.push_back({ path.start, turn });
}

void addLine(ShapePath& path, ShapePoint to)
{
    path.pieces.push_back({ to, std::nullopt });
}

// The tip's path: once around the ring, then on for the overcut.
std::vector<ShapePoint> tipPath(const std::vector<ShapePoint>& corners, double overcut)
{
    std::vector<ShapePoint> tip = corners;
    tip.push_back(corners.front());
    double perimeter = 0;
    for (std::size_t i = 1; i < tip.size(); ++i)
        perimeter += distance(tip[i - 1], tip[i]);
    double left = std::fmin(std::fmax(overcut, 0), perimeter);
    for (std::size_t i = 1; left > 0 && i < tip.size(); ++i) {
        const double side = distance(tip[i - 1], tip[i]);
        if (side >= left) {
            tip.push_back(plus(tip[i - 1], direction(tip[i - 1], tip[i]), left));
            break;
        }
        tip.push_back(tip[i]);
        left -= side;
    }
    return tip;
}

} // namespace

ShapePoint pointOnArc(const ShapeArc& arc, double angle)
{
    const double radians = angle * radiansPerDegree;
    return { arc.centre.x + arc.radius * std::cos(radians),
        arc.centre.y + arc.radius * std::sin(radians) };
}

double passCount(double width, double toolWidth, double step)
{
    if (!(width > toolWidth))
        return 1;
    return std::ceil((width - toolWidth) / step - countTolerance) + 1;
}

std::vector<double> passOffsets(double width, double toolWidth, double step)
{
    const double count = passCount(width, toolWidth, step);
    if (!(count > 1))
        return { 0 };
    const double half = (width - toolWidth) / 2;
    std::vector<double> offsets;
    for (double k = 0; k < count; ++k)
        offsets.push_back(-half + k * 2 * half / (count - 1));
    return offsets;
}

ShapePath straightPasses(ShapePoint a, ShapePoint b, const std::vector<double>& offsets)
{
    const ShapePoint left = leftOf(direction(a, b));
    ShapePath path { plus(a, left, offsets.front()), {}, Outline::None };
    addLine(path, plus(b, left, offsets.front()));
    for (std::size_t k = 1; k < offsets.size(); ++k) {
        const bool back = k % 2 == 1;
        addLine(path, plus(back ? b : a, left, offsets[k]));
        addLine(path, plus(back ? a : b, left, offsets[k]));
    }
    return path;
}

ShapePath arcPasses(const ShapeArc& arc, const std::vector<double>& offsets)
{
    const double sweep = sweepOf(arc);
    const ShapeArc first = around(arc, arc.radius + offsets.front(), arc.startAngle, sweep);
    ShapePath path { pointOnArc(first, arc.startAngle), {}, Outline::None };
    addArc(path, first);
    for (std::size_t k = 1; k < offsets.size(); ++k) {
        const bool back = k % 2 == 1;
        const double from = back ? arc.startAngle + sweep : arc.startAngle;
        const ShapeArc pass = around(arc, arc.radius + offsets[k], from, back ? -sweep : sweep);
        addLine(path, pointOnArc(pass, from));
        addArc(path, pass);
    }
    return path;
}

ShapePath straightOutline(ShapePoint a, ShapePoint b, double width)
{
    const ShapePoint left = leftOf(direction(a, b));
    const double half = width / 2;
    ShapePath path { plus(a, left, half), {}, Outline::Outer };
    addLine(path, plus(b, left, half));
    addLine(path, plus(b, left, -half));
    addLine(path, plus(a, left, -half));
    addLine(path, path.start);
    return path;
}

std::vector<ShapePath> arcOutline(const ShapeArc& arc, double width)
{
    const double sweep = sweepOf(arc);
    const double outer = arc.radius + width / 2;
    const double inner = arc.radius - width / 2;
    const ShapeArc outside = around(arc, outer, arc.startAngle, sweep);
    if (std::fabs(sweep) >= 360) {
        std::vector<ShapePath> rings { { pointOnArc(outside, arc.startAngle), {},
            Outline::Outer } };
        addTurn(rings.back(), outside);
        if (inner > 0) {
            const ShapeArc hole = around(arc, inner, arc.startAngle, sweep);
            rings.push_back({ pointOnArc(hole, arc.startAngle), {}, Outline::Hole });
            addTurn(rings.back(), hole);
        }
        return rings;
    }
    ShapePath band { pointOnArc(outside, arc.startAngle), {}, Outline::Outer };
    addArc(band, outside);
    if (inner > 0) {
        const ShapeArc inside = around(arc, inner, arc.startAngle + sweep, -sweep);
        addLine(band, pointOnArc(inside, inside.startAngle));
        addArc(band, inside);
    } else {
        addLine(band, arc.centre);
    }
    addLine(band, band.start);
    return { band };
}

std::vector<ShapePoint> ringCorners(const ShapePath& ring, double sag)
{
    std::vector<ShapePoint> corners { ring.start };
    const auto add = [&](ShapePoint p) {
        if (distance(corners.back(), p) > 0)
            corners.push_back(p);
    };
    for (const ShapePiece& piece : ring.pieces) {
        if (piece.arc && piece.arc->radius > sag) {
            const ShapeArc& arc = *piece.arc;
            const double widest = 4 * std::asin(std::sqrt(sag / (2 * arc.radius)));
            const double chords
                = std::fmax(1, std::ceil(std::fabs(arc.sweep) * radiansPerDegree / widest));
            for (double i = 1; i < chords; ++i)
                add(pointOnArc(arc, arc.startAngle + arc.sweep * i / chords));
        }
        add(piece.to);
    }
    while (corners.size() > 1 && !(distance(corners.back(), corners.front()) > 0))
        corners.pop_back();
    return corners;
}

ShapePath knifePath(const std::vector<ShapePoint>& corners, double offset, double overcut)
{
    const std::vector<ShapePoint> tip = tipPath(corners, overcut);
    ShapePath path { plus(tip[0], direction(tip[0], tip[1]), offset), {}, Outline::None };
    for (std::size_t j = 0; j + 1 < tip.size(); ++j) {
        const ShapePoint along = direction(tip[j], tip[j + 1]);
        addLine(path, plus(tip[j + 1], along, offset));
        if (j + 2 >= tip.size() || !(offset > 0))
            continue;
        const ShapePoint next = direction(tip[j + 1], tip[j + 2]);
        const double from = degreesOf(along);
        const double turn = std::remainder(degreesOf(next) - from, 360.0);
        if (std::fabs(turn) > swivelTurn)
            addArc(path, { tip[j + 1], offset, from, turn });
    }
    return path;
}

} // namespace mensora
