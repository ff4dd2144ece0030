#include <QTest>

#include <cmath>

#include "engraving/mark_shapes.h"
#include "engraving/number_outlines.h"

using namespace mensora;

namespace {

constexpr double degree = M_PI / 180;

bool near(ShapePoint a, ShapePoint b, double within = 1e-9)
{
    return std::hypot(a.x - b.x, a.y - b.y) <= within;
}

// The area a closed ring of corners encloses, positive counter-clockwise.
double areaOf(const std::vector<ShapePoint>& corners)
{
    double twice = 0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const ShapePoint& a = corners[i];
        const ShapePoint& b = corners[(i + 1) % corners.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2;
}

struct Box
{
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
};

Box boxOf(const std::vector<ShapePoint>& corners)
{
    Box box;
    for (const ShapePoint& p : corners)
        box = { std::fmin(box.minX, p.x), std::fmin(box.minY, p.y), std::fmax(box.maxX, p.x),
            std::fmax(box.maxY, p.y) };
    return box;
}

} // namespace

class TestMarkShapes : public QObject
{
    Q_OBJECT

private slots:
    void passesStandAcrossTheMark_data();
    void passesStandAcrossTheMark();
    void knifeWithoutOffsetCutsTheRingItself();
    void knifeTipPassesEveryCornerAndSwivelsAroundIt();
    void wholeTurnBandIsARingAndItsHole();
    void wholeTurnRingHasEachCornerOnce_data();
    void wholeTurnRingHasEachCornerOnce();
    void numberOutlinesAreTheUnionOfRoundStrokes();
};

void TestMarkShapes::passesStandAcrossTheMark_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("tool");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("passes");

    QTest::newRow("0.5 with 0.2, steps of 0.08") << 0.5 << 0.2 << 0.08 << 5;
    QTest::newRow("1 with 0.2, steps of exactly 0.2") << 1.0 << 0.2 << 0.2 << 5;
    QTest::newRow("as wide as the tool") << 0.2 << 0.2 << 0.08 << 1;
    QTest::newRow("narrower than the tool") << 0.1 << 3.175 << 1.27 << 1;
    QTest::newRow("a hair wider than the tool") << 0.2001 << 0.2 << 0.08 << 2;
}

// The outermost passes at ±(w − tool) / 2, evenly spaced, no two farther apart than the step.
void TestMarkShapes::passesStandAcrossTheMark()
{
    QFETCH(double, width);
    QFETCH(double, tool);
    QFETCH(double, step);
    QFETCH(int, passes);
    const std::vector<double> offsets = passOffsets(width, tool, step);
    QCOMPARE(int(offsets.size()), passes);
    QCOMPARE(passCount(width, tool, step), double(passes));
    const double reach = passes > 1 ? (width - tool) / 2 : 0;
    QVERIFY(std::fabs(offsets.front() + reach) < 1e-12);
    QVERIFY(std::fabs(offsets.back() - reach) < 1e-12);
    for (std::size_t k = 1; k < offsets.size(); ++k)
        QVERIFY(std::fabs(offsets[k] - offsets[k - 1] - 2 * reach / (passes - 1)) < 1e-12);
}

void TestMarkShapes::knifeWithoutOffsetCutsTheRingItself()
{
    const ShapePath rectangle = straightOutline({ 2, 0 }, { 2, 10 }, 0.5);
    const std::vector<ShapePoint> corners = ringCorners(rectangle, 0.01);
    QCOMPARE(corners.size(), std::size_t(4));
    const Box box = boxOf(corners);
    QCOMPARE(box.minX, 1.75);
    QCOMPARE(box.maxX, 2.25);
    QCOMPARE(box.minY, 0.0);
    QCOMPARE(box.maxY, 10.0);
    // Once around, then 1 on along its first side.
    const ShapePath path = knifePath(corners, 0, 1);
    QVERIFY(near(path.start, corners[0]));
    QCOMPARE(path.pieces.size(), std::size_t(5));
    for (std::size_t i = 0; i < 4; ++i)
        QVERIFY(near(path.pieces[i].to, corners[(i + 1) % 4]));
    QVERIFY(near(path.pieces[4].to, { 1.75, 1 }));
}

// The knife's tip trails its axis by the offset: where each side's cut ends, the tip stands on
// the corner; a swivel of the offset's radius around the corner turns it to the next side.
void TestMarkShapes::knifeTipPassesEveryCornerAndSwivelsAroundIt()
{
    const std::vector<ShapePoint> square = { { 0, 0 }, { 4, 0 }, { 4, 4 }, { 0, 4 } };
    const double offset = 0.25;
    const ShapePath path = knifePath(square, offset, 0);
    QVERIFY(near(path.start, { offset, 0 }));
    std::size_t corner = 1;
    ShapePoint at = path.start;
    for (const ShapePiece& piece : path.pieces) {
        if (piece.arc) {
            QVERIFY(near(piece.arc->centre, square[(corner - 1) % 4]));
            QCOMPARE(piece.arc->radius, offset);
            QCOMPARE(piece.arc->sweep, 90.0);
        } else {
            const double length = std::hypot(piece.to.x - at.x, piece.to.y - at.y);
            const ShapePoint tip { piece.to.x - offset * (piece.to.x - at.x) / length,
                piece.to.y - offset * (piece.to.y - at.y) / length };
            QVERIFY(near(tip, square[corner++ % 4]));
        }
        at = piece.to;
    }
    QCOMPARE(corner, std::size_t(5)); // the fourth side closes the ring
}

void TestMarkShapes::wholeTurnBandIsARingAndItsHole()
{
    const ShapeArc circle { { 5, -2 }, 30, 10, 400 };
    const std::vector<ShapePath> rings = arcOutline(circle, 1);
    QCOMPARE(rings.size(), std::size_t(2));
    QCOMPARE(rings[0].outline, Outline::Outer);
    QCOMPARE(rings[1].outline, Outline::Hole);
    QCOMPARE(rings[0].pieces.front().arc->radius, 30.5);
    QCOMPARE(rings[1].pieces.front().arc->radius, 29.5);
    QCOMPARE(rings[0].pieces.front().arc->sweep, 360.0);
    QVERIFY(near(
        rings[0].start, { 5 + 30.5 * std::cos(10 * degree), -2 + 30.5 * std::sin(10 * degree) }));
}

void TestMarkShapes::wholeTurnRingHasEachCornerOnce_data()
{
    QTest::addColumn<double>("startAngle");
    QTest::addColumn<double>("sweep");

    QTest::newRow("counter-clockwise from 20") << 20.0 << 360.0;
    QTest::newRow("clockwise from 20") << 20.0 << -360.0;
    QTest::newRow("past a turn from -37.5") << -37.5 << 400.0;
}

// The ring and its hole close on their start, so the knife cuts each chord once and stands on
// no corner twice: without an offset, once around and then on by the overcut.
void TestMarkShapes::wholeTurnRingHasEachCornerOnce()
{
    QFETCH(double, startAngle);
    QFETCH(double, sweep);
    const double sag = 0.25 / 40;
    for (const ShapePath& ring : arcOutline({ { 3, 4 }, 30, startAngle, sweep }, 0.5)) {
        const std::vector<ShapePoint> corners = ringCorners(ring, sag);
        for (std::size_t i = 1; i < corners.size(); ++i)
            QVERIFY(!near(corners[i], corners[0], sag));
        const ShapePath path = knifePath(corners, 0, 1);
        QCOMPARE(path.pieces.size(), corners.size() + 1);
        QVERIFY(near(path.pieces[corners.size() - 1].to, corners[0], 0));
    }
}

// A stroke drawn 0.4 wide covers its length by 0.4 and a half disc at each end; strokes that
// cross make one outline; a closed stroke leaves a hole.
void TestMarkShapes::numberOutlinesAreTheUnionOfRoundStrokes()
{
    const double width = 0.4;
    const auto ringsOf = [&](const std::vector<std::vector<ShapePoint>>& strokes) {
        std::vector<std::vector<ShapePoint>> rings;
        for (const ShapePath& ring : strokeOutlines(strokes, width))
            rings.push_back(ringCorners(ring, 0.001));
        return rings;
    };
    // The round ends keep within a two-hundredth of the width of the true circle.
    const double tolerance = width / 200 + 1e-6;
    const auto bar = ringsOf({ { { 0, 0 }, { 0, 3 } } });
    QCOMPARE(bar.size(), std::size_t(1));
    const Box box = boxOf(bar[0]);
    QVERIFY(std::fabs(box.minY + width / 2) < tolerance);
    QVERIFY(std::fabs(box.maxY - 3 - width / 2) < tolerance);
    QVERIFY(std::fabs(box.maxX - box.minX - width) < 1e-6);
    const double barArea = 3 * width + M_PI * width * width / 4;
    QVERIFY(std::fabs(std::fabs(areaOf(bar[0])) - barArea) < barArea * 0.01);

    QCOMPARE(ringsOf({ { { 0, 0 }, { 0, 3 } }, { { -1, 1 }, { 1, 1 } } }).size(), std::size_t(1));
    const auto square = ringsOf({ { { 0, 0 }, { 2, 0 }, { 2, 2 }, { 0, 2 }, { 0, 0 } } });
    QCOMPARE(square.size(), std::size_t(2));
    const Box hole = boxOf(square[1]);
    QVERIFY(std::fabs(hole.minX - width / 2) < 1e-3 && std::fabs(hole.maxX - 2 + width / 2) < 1e-3);
}

QTEST_GUILESS_MAIN(TestMarkShapes)
#include "test_mark_shapes.moc"
