#include <cmath>

#include <QTest>

#include "files/installed_fonts.h"
#include "model/scale_parameters.h"
#include "preview/cursor_reading.h"
#include "preview/preview_renderer.h"
#include "preview/preview_view.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::ScaleParameters)

namespace {

// Two pixels to the picture millimetre make the sums below easy to follow.
constexpr double pixelsPerMm = 2;

PreviewView startingView(double widthMm, double heightMm)
{
    return PreviewView(pixelsPerMm, pixelsPerMm, widthMm * pixelsPerMm, heightMm * pixelsPerMm);
}

bool near(PixelPoint a, PixelPoint b, double tolerance)
{
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

QByteArray describe(PixelPoint p)
{
    return QByteArray::number(p.x, 'f', 6) + ", " + QByteArray::number(p.y, 'f', 6);
}

} // namespace

class TestPreviewView : public QObject
{
    Q_OBJECT

private slots:
    void zoomAboutAPointKeepsThatPointUnderTheCursor_data();
    void zoomAboutAPointKeepsThatPointUnderTheCursor();
    void panThenZoomThenHomeGivesTheStartingView();
    void fitShowsTheRectangleWholeCentredAndCanBecomeTheStart();
    void scaleCoordinatesToPixelsAndBack_data();
    void scaleCoordinatesToPixelsAndBack();
    void cursorReadsPositionAngleAndRadius_data();
    void cursorReadsPositionAngleAndRadius();
};

void TestPreviewView::zoomAboutAPointKeepsThatPointUnderTheCursor_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("zoom");

    QTest::newRow("one wheel step in") << 120.0 << 45.0 << 1.25 << 1.25;
    QTest::newRow("one wheel step out") << 120.0 << 45.0 << 0.8 << 0.8;
    QTest::newRow("at the corner") << 0.0 << 0.0 << 4.0 << 4.0;
    QTest::newRow("beyond a thousand stops there") << 300.0 << 10.0 << 5000.0 << 1000.0;
    QTest::newRow("below a tenth stops there") << 17.0 << 250.0 << 0.001 << 0.1;
}

void TestPreviewView::zoomAboutAPointKeepsThatPointUnderTheCursor()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, factor);
    QFETCH(double, zoom);

    PreviewView view = startingView(200, 150);
    view.panBy(-33, 12); // from a view already moved
    const double mmX = view.mmXAt(x);
    const double mmY = view.mmYAt(y);
    view.zoomAbout({ x, y }, factor);

    QCOMPARE(view.zoom(), zoom);
    const PixelPoint after = view.toPixel(mmX, mmY);
    QVERIFY2(near(after, { x, y }, 1e-9), describe(after));
}

void TestPreviewView::panThenZoomThenHomeGivesTheStartingView()
{
    const PreviewView start = startingView(200, 150);
    PreviewView view = start;
    view.panBy(25, -40);
    view.zoomAbout({ 80, 60 }, 1.25);
    view.zoomAboutCentre(8);
    QVERIFY(!view.isStarting());

    view.reset();
    QVERIFY(view.isStarting());
    QCOMPARE(view.zoom(), 1.0);
    QCOMPARE(view.pan(), PixelPoint {});
    QCOMPARE(view.toPixel(37.5, 12.25), start.toPixel(37.5, 12.25));
}

// A 100 × 20 mm rectangle in a 150 × 100 pixel room: the width limits the zoom (at 2 pixels to
// the millimetre it needs 0.75), and the middles meet.
void TestPreviewView::fitShowsTheRectangleWholeCentredAndCanBecomeTheStart()
{
    PreviewView view = startingView(200, 150);
    view.fit({ 10, 30, 110, 50 }, { 20, 10, 170, 110 });
    QCOMPARE(view.zoom(), 0.75);
    QVERIFY(near(view.toPixel(10, 40), { 20, 60 }, 1e-9));
    QVERIFY(near(view.toPixel(110, 40), { 170, 60 }, 1e-9));
    QVERIFY(!view.isStarting());

    view.keepAsStart();
    view.zoomAboutCentre(4);
    view.panBy(5, 5);
    view.reset();
    QVERIFY(view.isStarting());
    QCOMPARE(view.zoom(), 0.75);
    QVERIFY(near(view.toPixel(10, 40), { 20, 60 }, 1e-9));

    // A speck fits only up to the largest zoom.
    view.fit({ 5, 5, 5.000001, 5 }, { 0, 0, 400, 300 });
    QCOMPARE(view.zoom(), PreviewView::maxZoom);
}

// Each row places a point of the scale by the fit's own sums, independent of the frame.
void TestPreviewView::scaleCoordinatesToPixelsAndBack_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("mmX");
    QTest::addColumn<double>("mmY");

    using P = ScaleParameters;
    const Shape round = Shape::Round;
    const Unit inch = Unit::Inch;
    // Flat, 206 x 80: k = (206 - 6) / 100 = 2, X 0 at 3, Y 0 on the mid-line 40.
    QTest::newRow("flat mm") << P {} << 206.0 << 80.0 << 50.0 << 5.0 << 103.0 << 30.0;
    // The same numbers in inch: 2540 mm across the width, 2 picture mm per inch.
    QTest::newRow("flat inch") << P { .unit = inch } << 206.0 << 80.0 << 50.0 << 5.0 << 103.0
                               << 30.0;
    // A negative total puts X 0 at the right margin, 203.
    QTest::newRow("flat running left") << P { .length = "-100", .distance = "-1" } << 206.0 << 80.0
                                       << -50.0 << 5.0 << 103.0 << 30.0;
    // Round, 2000 x 810: k = (405 - 5) / (30 + 10) = 10 about (1000, 405), whatever the centre.
    QTest::newRow("round mm") << P { .startX = "7", .startY = "-3", .shape = round } << 2000.0
                              << 810.0 << 37.0 << -3.0 << 1300.0 << 405.0;
    QTest::newRow("round mm above the centre")
        << P { .startX = "7", .startY = "-3", .shape = round } << 2000.0 << 810.0 << 7.0 << 37.0
        << 1000.0 << 5.0;
    QTest::newRow("round inch") << P { .startX = "7", .startY = "-3", .shape = round, .unit = inch }
                                << 2000.0 << 810.0 << 37.0 << -3.0 << 1300.0 << 405.0;
}

void TestPreviewView::scaleCoordinatesToPixelsAndBack()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, mmX);
    QFETCH(double, mmY);

    const auto run = renderPreview(parameters, float(width), float(height), installedFonts());
    QVERIFY(run);
    PreviewView view = startingView(width, height);
    for (int step = 0; step < 2; ++step) {
        const PixelPoint expected = view.toPixel(mmX, mmY);
        const PixelPoint pixel = view.toPixel(run->frame, { x, y });
        QVERIFY2(
            near(pixel, expected, 1e-3), describe(pixel) + " at step " + QByteArray::number(step));
        const auto back = view.toScale(run->frame, pixel);
        QVERIFY(back);
        QVERIFY2(std::fabs(back->x - x) < 1e-6 && std::fabs(back->y - y) < 1e-6,
            describe({ back->x, back->y }));
        view.zoomAbout({ 31, 17 }, 3); // the same again, zoomed and moved
        view.panBy(-120, 45);
    }
}

void TestPreviewView::cursorReadsPositionAngleAndRadius_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("angle"); // -1: none
    QTest::addColumn<double>("radius");

    using P = ScaleParameters;
    const P dial { .startX = "7", .startY = "-3", .shape = Shape::Round };
    // Flat at 2 picture mm per mm and 2 pixels per picture mm: a pixel is 0.25 mm.
    QTest::newRow("flat, a pixel is a quarter") << P {} << 1.0 << 50.0 << 5.0 << 1 << -1.0 << 0.0;
    QTest::newRow("flat zoomed 1000 times") << P {} << 1000.0 << 50.0 << 5.0 << 3 << -1.0 << 0.0;
    QTest::newRow("flat zoomed out, 2.5 mm a pixel")
        << P {} << 0.1 << 50.0 << 5.0 << 0 << -1.0 << 0.0;
    // Round at 10 picture mm per mm: a pixel is 0.05 mm.
    QTest::newRow("dial, right of the centre") << dial << 1.0 << 37.0 << -3.0 << 2 << 0.0 << 30.0;
    QTest::newRow("dial, above") << dial << 1.0 << 7.0 << 37.0 << 2 << 90.0 << 40.0;
    QTest::newRow("dial, left") << dial << 1.0 << -23.0 << -3.0 << 2 << 180.0 << 30.0;
    QTest::newRow("dial, below reads 270, not -90")
        << dial << 1.0 << 7.0 << -33.0 << 2 << 270.0 << 30.0;
}

void TestPreviewView::cursorReadsPositionAngleAndRadius()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(double, zoom);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, decimals);
    QFETCH(double, angle);
    QFETCH(double, radius);

    const bool round = parameters.shape == Shape::Round;
    const auto run
        = renderPreview(parameters, round ? 2000 : 206, round ? 810 : 80, installedFonts());
    QVERIFY(run);
    PreviewView view = startingView(round ? 2000 : 206, round ? 810 : 80);
    view.zoomAboutCentre(zoom);
    const auto reading = readCursor(*run, view, view.toPixel(run->frame, { x, y }));
    QVERIFY(reading);
    QCOMPARE(reading->decimals, decimals);
    QCOMPARE(reading->x, x);
    QCOMPARE(reading->y, y);
    QCOMPARE(bool(reading->angle), angle >= 0);
    if (reading->angle) {
        QCOMPARE(*reading->angle, angle);
        QCOMPARE(*reading->radius, radius);
    }
}

QTEST_APPLESS_MAIN(TestPreviewView)
#include "test_preview_view.moc"
