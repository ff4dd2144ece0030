#include "preview/visible_parts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace mensora {

namespace {

constexpr double turn = 2 * std::numbers::pi;

// The area widened by a pixel all round: a line on the area's edge still shows.
PixelRect areaOf(const PreviewView& view)
{
    return { -1, -1, view.width() + 1, view.height() + 1 };
}

bool contains(const PixelRect& rect, double x, double y)
{
    return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}

// A circle in picture millimetres, y downwards like the picture.
struct Circle
{
    double x;
    double y;
    double radius;
};

// The area in picture millimetres (a PixelRect of millimetres, not pixels).
using MmRect = PixelRect;

// Whether any of the circle's line comes within `margin` of the rectangle: not when the
// rectangle lies wholly inside the circle, nor the circle wholly outside it.
bool circleMeets(const MmRect& rect, const Circle& circle, double margin)
{
    const double nearX = std::clamp(circle.x, rect.left, rect.right);
    const double nearY = std::clamp(circle.y, rect.top, rect.bottom);
    const double nearest = std::hypot(nearX - circle.x, nearY - circle.y);
    const double farX
        = std::fmax(std::fabs(rect.left - circle.x), std::fabs(rect.right - circle.x));
    const double farY
        = std::fmax(std::fabs(rect.top - circle.y), std::fabs(rect.bottom - circle.y));
    return nearest <= circle.radius + margin && std::hypot(farX, farY) >= circle.radius - margin;
}

// The angle (counter-clockwise on the screen, 0 pointing right) at which the point lies seen
// from the circle's centre.
double angleTo(const Circle& circle, double x, double y)
{
    return std::atan2(circle.y - y, x - circle.x);
}

// The angles under which the rectangle is seen from a centre outside it, as one interval of
// less than half a turn.
std::pair<double, double> anglesSeen(const MmRect& rect, const Circle& circle)
{
    const double middle
        = angleTo(circle, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    double low = 0;
    double high = 0;
    for (const double x : { rect.left, rect.right })
        for (const double y : { rect.top, rect.bottom }) {
            const double off = std::remainder(angleTo(circle, x, y) - middle, turn);
            low = std::fmin(low, off);
            high = std::fmax(high, off);
        }
    return { middle + low, middle + high };
}

// The polyline of the circle from angle `from` to `to`, in pixels.
std::vector<PixelPoint> polyline(
    const Circle& circle, double from, double to, const PreviewView& view)
{
    // A chord of angle a lies r·a²/8 off the circle at most: a fifth of a pixel or less.
    const double pixels = circle.radius * std::fmax(view.pixelsPerMmX(), view.pixelsPerMmY());
    const double step = std::fmin(0.25, std::sqrt(1.6 / std::fmax(pixels, 1e-9)));
    const double chords = std::clamp(std::ceil((to - from) / step), 1.0, 100000.0);
    const auto count = static_cast<int>(chords);
    std::vector<PixelPoint> points;
    points.reserve(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i <= count; ++i) {
        const double angle = from + (to - from) * i / count;
        points.push_back(view.toPixel(circle.x + circle.radius * std::cos(angle),
            circle.y - circle.radius * std::sin(angle)));
    }
    return points;
}

// Remembers the last few lines drawn, to half a pixel: thousands of stripes that
// land on the same few pixels (a long scale seen whole) are painted once. A package repeats
// its kinds, so the lines that coincide come within a few of each other.
class RecentLines
{
public:
    bool isNew(const PixelLine& line)
    {
        const Key key { halfPixels(line.from.x), halfPixels(line.from.y), halfPixels(line.to.x),
            halfPixels(line.to.y) };
        for (std::size_t i = 0; i < m_filled; ++i)
            if (m_keys[i] == key)
                return false;
        m_keys[m_next] = key;
        m_next = (m_next + 1) % m_keys.size();
        m_filled = std::max(m_filled, m_next == 0 ? m_keys.size() : m_next);
        return true;
    }

private:
    using Key = std::array<long, 4>;
    // Coordinates here lie within the area, a pixel or so beyond it at most.
    static long halfPixels(double pixels) { return std::lround(pixels * 2); }

    std::array<Key, 32> m_keys {};
    std::size_t m_next = 0;
    std::size_t m_filled = 0;
};

// Grows a rectangle point by point; empty until the first point.
class Bounds
{
public:
    void add(double x, double y)
    {
        if (!m_rect) {
            m_rect = PictureRect { x, y, x, y };
            return;
        }
        m_rect->left = std::fmin(m_rect->left, x);
        m_rect->top = std::fmin(m_rect->top, y);
        m_rect->right = std::fmax(m_rect->right, x);
        m_rect->bottom = std::fmax(m_rect->bottom, y);
    }
    void add(const PreviewPoint& point) { add(point.x, point.y); }
    // The arc's ends and every quarter turn it passes: its extremes along x and y.
    void add(const PreviewArc& arc)
    {
        const double sweep = arcSweep(arc);
        const double from = std::fmin(arc.startAngle, arc.startAngle + sweep);
        const double to = std::fmax(arc.startAngle, arc.startAngle + sweep);
        const auto addAt = [&](double angle) {
            add(arc.centre.x + arc.radius * std::cos(angle),
                arc.centre.y - arc.radius * std::sin(angle));
        };
        addAt(from);
        addAt(to);
        const double quarter = turn / 4;
        for (double angle = std::ceil(from / quarter) * quarter; angle < to; angle += quarter)
            addAt(angle);
    }
    const std::optional<PictureRect>& rect() const { return m_rect; }

private:
    std::optional<PictureRect> m_rect;
};

} // namespace

std::optional<PictureRect> drawingBounds(const PreviewDrawing& drawing)
{
    Bounds bounds;
    for (const PreviewLine& line : drawing.stripes) {
        bounds.add(line.from);
        bounds.add(line.to);
    }
    if (drawing.baseLine) {
        bounds.add(drawing.baseLine->from);
        bounds.add(drawing.baseLine->to);
    }
    if (drawing.baseArc)
        bounds.add(*drawing.baseArc);
    for (const PreviewStroke& stroke : drawing.numberStrokes)
        for (const PreviewPoint& point : stroke)
            bounds.add(point);
    for (const PreviewScale& other : drawing.others) {
        for (const PreviewLine& line : other.lines) {
            bounds.add(line.from);
            bounds.add(line.to);
        }
        for (const PreviewArc& arc : other.arcs)
            bounds.add(arc);
    }
    for (const std::vector<PreviewStroke>& shape : drawing.markShapes)
        for (const PreviewStroke& ring : shape)
            for (const PreviewPoint& point : ring)
                bounds.add(point);
    return bounds.rect();
}

std::optional<PixelLine> clipLine(const PixelLine& line, const PixelRect& rect)
{
    // Cohen–Sutherland: moves an end that lies outside onto the edge it lies beyond, with the
    // edge's own coordinate exact, so that far-out axis-parallel lines land exactly.
    enum Side : unsigned { Left = 1, Right = 2, Top = 4, Bottom = 8 };
    const auto sides = [&rect](PixelPoint p) {
        return (p.x < rect.left ? Left : 0u) | (p.x > rect.right ? Right : 0u)
            | (p.y < rect.top ? Top : 0u) | (p.y > rect.bottom ? Bottom : 0u);
    };
    PixelPoint a = line.from;
    PixelPoint b = line.to;
    for (int moves = 0; moves < 8; ++moves) {
        const unsigned outA = sides(a);
        const unsigned outB = sides(b);
        if ((outA | outB) == 0)
            return PixelLine { a, b };
        if ((outA & outB) != 0)
            return std::nullopt;
        PixelPoint& end = outA != 0 ? a : b;
        const unsigned out = outA != 0 ? outA : outB;
        const PixelPoint from = end;
        const PixelPoint to = outA != 0 ? b : a;
        if (out & (Top | Bottom)) {
            const double y = (out & Top) ? rect.top : rect.bottom;
            end = { from.x + (to.x - from.x) * (y - from.y) / (to.y - from.y), y };
        } else {
            const double x = (out & Left) ? rect.left : rect.right;
            end = { x, from.y + (to.y - from.y) * (x - from.x) / (to.x - from.x) };
        }
    }
    return std::nullopt;
}

void appendVisible(
    std::span<const PreviewLine> lines, const PreviewView& view, std::vector<PixelLine>& out)
{
    const PixelRect area = areaOf(view);
    RecentLines recent;
    for (const PreviewLine& line : lines) {
        const auto part = clipLine({ view.toPixel(line.from), view.toPixel(line.to) }, area);
        if (part && recent.isNew(*part))
            out.push_back(*part);
    }
}

std::vector<std::vector<PixelPoint>> visibleArc(const PreviewArc& arc, const PreviewView& view)
{
    const double sweep = arcSweep(arc);
    if (sweep == 0)
        return {};
    // A negative radius puts every point on the far side of the centre.
    double start = std::fmod(static_cast<double>(arc.startAngle), turn);
    Circle circle { arc.centre.x, arc.centre.y, static_cast<double>(arc.radius) };
    if (circle.radius < 0) {
        circle.radius = -circle.radius;
        start += std::numbers::pi;
    }
    const PixelRect pixels = areaOf(view);
    const MmRect area { view.mmXAt(pixels.left), view.mmYAt(pixels.top), view.mmXAt(pixels.right),
        view.mmYAt(pixels.bottom) };
    if (!circleMeets(area, circle, 1 / std::fmin(view.pixelsPerMmX(), view.pixelsPerMmY())))
        return {};

    const double low = std::fmin(start, start + sweep);
    const double high = std::fmax(start, start + sweep);
    if (contains(area, circle.x, circle.y))
        return { polyline(circle, low, high, view) };
    // Only the angles under which the area is seen, in every turn the arc passes.
    const auto [seenLow, seenHigh] = anglesSeen(area, circle);
    std::vector<std::vector<PixelPoint>> pieces;
    const double first = std::floor((low - seenHigh) / turn);
    for (double n = first; n <= first + 3; ++n) {
        const double from = std::fmax(low, seenLow + n * turn);
        const double to = std::fmin(high, seenHigh + n * turn);
        if (from < to)
            pieces.push_back(polyline(circle, from, to, view));
    }
    return pieces;
}

namespace {

// A shape is filled whole, or left out when its box lies wholly outside the view.
void appendMarkShapes(const PreviewDrawing& drawing, const PreviewView& view, VisibleParts& parts)
{
    const PixelRect area = areaOf(view);
    parts.markOutlines = drawing.markOutlines;
    for (const std::vector<PreviewStroke>& shape : drawing.markShapes) {
        std::vector<std::vector<PixelPoint>> rings;
        PixelRect box { INFINITY, INFINITY, -INFINITY, -INFINITY };
        for (const PreviewStroke& ring : shape) {
            std::vector<PixelPoint>& pixels = rings.emplace_back();
            for (const PreviewPoint& point : ring) {
                const PixelPoint p = view.toPixel(point);
                box = { std::fmin(box.left, p.x), std::fmin(box.top, p.y),
                    std::fmax(box.right, p.x), std::fmax(box.bottom, p.y) };
                pixels.push_back(p);
            }
        }
        if (box.left <= area.right && box.right >= area.left && box.top <= area.bottom
            && box.bottom >= area.top)
            parts.markShapes.push_back(std::move(rings));
    }
}

} // namespace

VisibleParts visibleParts(const PreviewDrawing& drawing, const PreviewView& view)
{
    VisibleParts parts;
    for (const PreviewScale& other : drawing.others) {
        appendVisible(other.lines, view, parts.otherLines);
        for (const PreviewArc& arc : other.arcs)
            for (auto& piece : visibleArc(arc, view))
                parts.otherArcs.push_back(std::move(piece));
    }
    appendVisible(drawing.stripes, view, parts.lines);
    if (drawing.baseLine)
        appendVisible(std::span(&*drawing.baseLine, 1), view, parts.lines);
    if (drawing.baseArc)
        parts.arcs = visibleArc(*drawing.baseArc, view);
    std::vector<PreviewLine> pieces;
    for (const PreviewStroke& stroke : drawing.numberStrokes) {
        pieces.clear();
        for (std::size_t i = 1; i < stroke.size(); ++i)
            pieces.push_back({ stroke[i - 1], stroke[i] });
        appendVisible(pieces, view, parts.lines);
    }
    appendVisible(drawing.travel, view, parts.travel);
    appendMarkShapes(drawing, view, parts);
    if (drawing.seam)
        appendVisible(std::span(&*drawing.seam, 1), view, parts.seam);
    const PixelPoint origin = view.toPixel(drawing.frame, {});
    if (contains(areaOf(view), origin.x, origin.y))
        parts.origin = origin;
    return parts;
}

} // namespace mensora
