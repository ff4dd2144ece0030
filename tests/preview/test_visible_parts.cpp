#include <algorithm>
#include <cmath>
#include <numbers>

#include <QRectF>
#include <QTest>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "model/scale_parameters.h"
#include "preview/preview_renderer.h"
#include "preview/travel_moves.h"
#include "preview/visible_parts.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::PixelLine)
Q_DECLARE_METATYPE(std::optional<mensora::PixelLine>)
Q_DECLARE_METATYPE(mensora::ScaleParameters)

namespace {

constexpr double degree = std::numbers::pi / 180;

PixelLine pixels(double x1, double y1, double x2, double y2)
{
    return { { x1, y1 }, { x2, y2 } };
}

QByteArray describe(const std::optional<PixelLine>& line)
{
    if (!line)
        return "none";
    return QByteArray::number(line->from.x) + ", " + QByteArray::number(line->from.y) + " to "
        + QByteArray::number(line->to.x) + ", " + QByteArray::number(line->to.y);
}

bool near(const std::optional<PixelLine>& a, const std::optional<PixelLine>& b)
{
    if (!a || !b)
        return !a && !b;
    const auto close = [](double p, double q) { return std::fabs(p - q) < 1e-9; };
    return close(a->from.x, b->from.x) && close(a->from.y, b->from.y) && close(a->to.x, b->to.x)
        && close(a->to.y, b->to.y);
}

// Picture1 at 96 dots per inch.
PreviewView pictureView()
{
    return PreviewView(96 / 25.4, 96 / 25.4, 425, 289);
}

} // namespace

class TestVisibleParts : public QObject
{
    Q_OBJECT

private slots:
    void clipKeepsOnlyThePartInside_data();
    void clipKeepsOnlyThePartInside();
    void arcStaysWithinAFifthOfAPixelAtAnyZoom_data();
    void arcStaysWithinAFifthOfAPixelAtAnyZoom();
    void negativeSweepDrawsTheClockwiseArc();
    void zoomedArcYieldsOnlyThePiecesInView();
    void linesOutOfViewAreLeftOutAndCoincidingOnesDrawnOnce();
    void originShowsOnlyWhenInView();
    void travelRunsFromEachCutToTheNextRapid();
    void boundsHoldTheArcsExtremes_data();
    void boundsHoldTheArcsExtremes();
};

// The rectangle runs from (0, 0) to (100, 50).
void TestVisibleParts::clipKeepsOnlyThePartInside_data()
{
    QTest::addColumn<PixelLine>("line");
    QTest::addColumn<std::optional<PixelLine>>("expected");

    const auto row = [](const char* name, PixelLine line, std::optional<PixelLine> expected) {
        QTest::newRow(name) << line << expected;
    };
    row("inside stays", pixels(10, 10, 90, 40), pixels(10, 10, 90, 40));
    row("a point inside stays", pixels(5, 5, 5, 5), pixels(5, 5, 5, 5));
    row("across the left edge", pixels(-50, 20, 50, 20), pixels(0, 20, 50, 20));
    row("across both sides", pixels(50, -25, 50, 75), pixels(50, 0, 50, 50));
    row("diagonal through", pixels(-10, -10, 60, 60), pixels(0, 0, 50, 50));
    row("wholly left", pixels(-20, 10, -1, 40), std::nullopt);
    row("passes the corner", pixels(90, -20, 120, 10), std::nullopt);
    row("far out, level", pixels(-3e41, 10, 3e41, 10), pixels(0, 10, 100, 10));
    row("far out, upright", pixels(30, 3e41, 30, -3e41), pixels(30, 50, 30, 0));
}

void TestVisibleParts::clipKeepsOnlyThePartInside()
{
    QFETCH(PixelLine, line);
    QFETCH(std::optional<PixelLine>, expected);

    const auto clipped = clipLine(line, { 0, 0, 100, 50 });
    QVERIFY2(near(clipped, expected), describe(clipped));
}

void TestVisibleParts::arcStaysWithinAFifthOfAPixelAtAnyZoom_data()
{
    QTest::addColumn<double>("zoom");

    QTest::newRow("starting view") << 1.0;
    QTest::newRow("8 times") << 8.0;
    QTest::newRow("1000 times") << 1000.0;
}

void TestVisibleParts::arcStaysWithinAFifthOfAPixelAtAnyZoom()
{
    QFETCH(double, zoom);

    // A dial's base circle of radius 30 mm around the picture's middle, 0 to 100 degrees.
    const PreviewArc arc { { 56.2f, 38.2f }, 30, 0, float(100 * degree) };
    PreviewView view = pictureView();
    view.zoomAbout(
        view.toPixel(56.2 + 30 * std::cos(40 * degree), 38.2 - 30 * std::sin(40 * degree)), zoom);
    const PixelPoint centre = view.toPixel(arc.centre);
    const double radius = 30 * view.pixelsPerMmX();

    const auto pieces = visibleArc(arc, view);
    QVERIFY(!pieces.empty());
    for (const auto& piece : pieces)
        for (std::size_t i = 1; i < piece.size(); ++i) {
            const double midX = (piece[i - 1].x + piece[i].x) / 2;
            const double midY = (piece[i - 1].y + piece[i].y) / 2;
            const double off = radius - std::hypot(midX - centre.x, midY - centre.y);
            QVERIFY2(off >= -1e-6 && off <= 0.2, qPrintable(QString::number(off)));
        }
}

void TestVisibleParts::negativeSweepDrawsTheClockwiseArc()
{
    // From 0 to -90 degrees: on the screen from 3 o'clock down to 6 o'clock.
    const PreviewArc arc { { 56, 38 }, 30, 0, float(-90 * degree) };
    const PreviewView view = pictureView();
    const PixelPoint centre = view.toPixel(arc.centre);
    const auto pieces = visibleArc(arc, view);

    QCOMPARE(pieces.size(), std::size_t(1));
    for (const PixelPoint& p : pieces.front())
        QVERIFY(p.x >= centre.x - 1e-3 && p.y >= centre.y - 1e-3);
    const double radius = 30 * view.pixelsPerMmX();
    const auto reaches = [&](double x, double y) {
        for (const PixelPoint& p : pieces.front())
            if (std::hypot(p.x - x, p.y - y) < 1e-3)
                return true;
        return false;
    };
    QVERIFY(reaches(centre.x + radius, centre.y));
    QVERIFY(reaches(centre.x, centre.y + radius));
}

void TestVisibleParts::zoomedArcYieldsOnlyThePiecesInView()
{
    // A full circle seen 1000 times enlarged on its rightmost point, where it starts and
    // ends: a short piece each side of 0 degrees, nothing else.
    const PreviewArc arc { { 56, 38 }, 30, 0, float(2 * std::numbers::pi) };
    PreviewView view = pictureView();
    view.zoomAbout(view.toPixel(86, 38), 1000);
    const auto pieces = visibleArc(arc, view);

    QCOMPARE(pieces.size(), std::size_t(2));
    std::size_t points = 0;
    for (const auto& piece : pieces)
        for (const PixelPoint& p : piece) {
            QVERIFY(p.x > -10 && p.x < 435 && p.y > -10 && p.y < 299);
            ++points;
        }
    QVERIFY(points < 200);

    view.panBy(2000, 0); // the circle's inside: nothing of it in view
    QVERIFY(visibleArc(arc, view).empty());
}

void TestVisibleParts::linesOutOfViewAreLeftOutAndCoincidingOnesDrawnOnce()
{
    const PreviewView view = pictureView();
    PreviewDrawing drawing;
    drawing.stripes = { { { 10, 10 }, { 10, 20 } }, { { 500, 10 }, { 500, 20 } },
        { { 10.05f, 10 }, { 10.05f, 20 } }, { { 11, 10 }, { 11, 20 } } };
    const VisibleParts parts = visibleParts(drawing, view);
    // The stripe at 500 lies beyond the right edge; the one 0.05 mm from the first shares
    // its pixels.
    QCOMPARE(parts.lines.size(), std::size_t(2));
    QVERIFY(parts.showsScale());

    // The largest ruler seen whole: 32767 stripes on 425 pixels.
    ScaleParameters p;
    p.length = "32766";
    const auto ruler
        = renderPreview(p, float(425 * 25.4 / 96), float(289 * 25.4 / 96), installedFonts());
    QVERIFY(ruler);
    QVERIFY(visibleParts(*ruler, view).lines.size() < 4000);
}

void TestVisibleParts::originShowsOnlyWhenInView()
{
    PreviewDrawing drawing;
    drawing.frame = { 2, 3, 40, std::nullopt };
    PreviewView view = pictureView();
    const auto origin = visibleParts(drawing, view).origin;
    QVERIFY(origin);
    QCOMPARE(*origin, view.toPixel(3, 40));

    view.panBy(-100, 0);
    QVERIFY(!visibleParts(drawing, view).origin);
}

void TestVisibleParts::travelRunsFromEachCutToTheNextRapid()
{
    // Three stripes (kinds 1, 3, 3) at X 0, 1 and 2, each 10 long, then the baseline from
    // X 0 at Y 0; the frame puts X 0 Y 0 at (3, 40) with 2 picture mm per mm.
    ScaleParameters p;
    p.length = "2";
    p.stripeLengths = { "10", "5", "10", "10", "5", "3" };
    p.baseline = Baseline::Single;
    const auto engraving = Engraving::prepare(p, {}, installedFonts());
    QVERIFY(engraving);
    const PreviewFrame frame { 2, 3, 40, std::nullopt };
    const std::vector<PreviewLine> expected
        = { { { 3, 20 }, { 5, 40 } }, { { 5, 20 }, { 7, 40 } }, { { 7, 20 }, { 3, 40 } } };
    QCOMPARE(travelLines(*engraving, frame), expected);

    // A dial ends on its base circle's arc: nothing follows it.
    p.shape = Shape::Round;
    p.length = "90";
    p.distance = "90";
    const auto dial = Engraving::prepare(p, {}, installedFonts());
    QVERIFY(dial);
    QCOMPARE(travelLines(*dial, frame).size(), std::size_t(2));

    // Numbers follow the base circle: the tool travels once from the arc's end at (0, 30) to
    // the "0" that begins at (44, 0.143).
    p.numbers.kind = 1;
    const auto numbered = Engraving::prepare(p, {}, installedFonts());
    QVERIFY(numbered);
    const auto fromTheArc = [](const PreviewLine& l) {
        const auto at = [](PreviewPoint q, double x, double y) {
            return std::fabs(q.x - x) < 1e-4 && std::fabs(q.y - y) < 1e-4;
        };
        return at(l.from, 3, -20) && at(l.to, 91, 40 - 0.286);
    };
    const std::vector<PreviewLine> travel = travelLines(*numbered, frame);
    QCOMPARE(int(std::count_if(travel.begin(), travel.end(), fromTheArc)), 1);
}

QTEST_APPLESS_MAIN(TestVisibleParts)
// A circle of radius 10 around (50, 50), y downwards: its top is y 40.
void TestVisibleParts::boundsHoldTheArcsExtremes_data()
{
    QTest::addColumn<float>("from");
    QTest::addColumn<float>("to");
    QTest::addColumn<QRectF>("expected"); // left, top, width, height

    constexpr float half = std::numbers::pi_v<float>;
    QTest::newRow("first quarter") << 0.0f << half / 2 << QRectF(50, 40, 10, 10);
    QTest::newRow("clockwise right half") << half / 2 << -half / 2 << QRectF(50, 40, 10, 20);
    QTest::newRow("lower half") << half << 2 * half << QRectF(40, 50, 20, 10);
    QTest::newRow("whole turn") << 0.0f << 2 * half << QRectF(40, 40, 20, 20);
}

void TestVisibleParts::boundsHoldTheArcsExtremes()
{
    QFETCH(float, from);
    QFETCH(float, to);
    QFETCH(QRectF, expected);
    PreviewDrawing drawing;
    drawing.baseArc = PreviewArc { { 50, 50 }, 10, from, to };
    const PictureRect bounds = *drawingBounds(drawing);
    const QRectF got(
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    constexpr double slack = 1e-5;
    QVERIFY2(std::fabs(got.left() - expected.left()) < slack
            && std::fabs(got.top() - expected.top()) < slack
            && std::fabs(got.right() - expected.right()) < slack
            && std::fabs(got.bottom() - expected.bottom()) < slack,
        qPrintable(QStringLiteral("%1 %2 %3 %4")
                       .arg(got.left())
                       .arg(got.top())
                       .arg(got.right())
                       .arg(got.bottom())));

    // The numbers count too, beyond the arc; the travel does not.
    drawing.numberStrokes = { { { 75, 20 }, { 76, 21 } } };
    drawing.travel = { { { 0, 0 }, { 200, 200 } } };
    QCOMPARE(drawingBounds(drawing)->right, 76.0);
    QCOMPARE(drawingBounds(drawing)->top, 20.0);
    QVERIFY(!drawingBounds(PreviewDrawing {}));
}

#include "test_visible_parts.moc"
