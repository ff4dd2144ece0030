#include <cmath>

#include <QTest>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "preview/cursor_reading.h"
#include "preview/preview_renderer.h"
#include "preview/preview_view.h"
#include "preview/travel_moves.h"
#include "support/drum_scales.h"

using namespace mensora;

namespace {

constexpr float width = 206;
constexpr float height = 120;

// The collar with its ring.
ScaleParameters collar()
{
    ScaleParameters p = testing::collarOnDrum();
    p.baseline = Baseline::Single;
    return p;
}

PreviewDrawing drawingOf(const ScaleParameters& p)
{
    const auto drawing = renderPreview(p, width, height, installedFonts());
    if (!drawing)
        qFatal("refused: %s", drawing.refusal().message.c_str());
    return *drawing;
}

} // namespace

class TestDrumPicture : public QObject
{
    Q_OBJECT

private slots:
    void theSurfaceUnrollsAcrossWithTheAxisUpward();
    void numbersAndTravelLandOnTheUnrolledSurface();
    void cursorReadsXTheAngleAndTheDistanceAround();
    void aWholeTurnMarksItsSeam();
};

// A whole turn spans the width less 3 at each side, the angle growing to the left; stripes
// stand upright from the ring on the mid-line, the ring runs across.
void TestDrumPicture::theSurfaceUnrollsAcrossWithTheAxisUpward()
{
    const PreviewDrawing drawing = drawingOf(collar());
    QCOMPARE(drawing.stripes.size(), std::size_t(100));
    const double perStripe = (width - 6) / 100.0;
    for (std::size_t i = 0; i < drawing.stripes.size(); ++i) {
        const PreviewLine& stripe = drawing.stripes[i];
        QCOMPARE(stripe.from.x, stripe.to.x);
        QVERIFY(std::fabs(stripe.from.x - (width - 3 - perStripe * double(i))) < 1e-4);
        QCOMPARE(stripe.from.y, height / 2);
        QVERIFY(stripe.to.y < stripe.from.y); // toward +X: upward
    }
    QVERIFY(drawing.baseLine);
    QCOMPARE(drawing.baseLine->from.y, height / 2);
    QCOMPARE(drawing.baseLine->to.y, height / 2);
    QVERIFY(std::fabs(std::fabs(drawing.baseLine->to.x - drawing.baseLine->from.x) - (width - 6))
        < 1e-4);

    ScaleParameters backwards = collar();
    backwards.length = "-180";
    backwards.distance = "-3.6";
    const PreviewDrawing right = drawingOf(backwards);
    QCOMPARE(right.stripes.front().from.x, 3.0f);
    QVERIFY(right.stripes.back().from.x > right.stripes.front().from.x);
}

// Each number stands above its stripe's top; the travel goes from a cut's end to the next one.
void TestDrumPicture::numbersAndTravelLandOnTheUnrolledSurface()
{
    const ScaleParameters p = collar();
    const PreviewDrawing drawing = drawingOf(p);
    QVERIFY(!drawing.numberStrokes.empty());
    const float top = drawing.stripes.front().to.y; // kind 1, 10 long
    for (const PreviewStroke& stroke : drawing.numberStrokes)
        for (const PreviewPoint& point : stroke) {
            QVERIFY(point.y < top);
            QVERIFY(point.x > 0 && point.x < width);
        }

    MachineSettings machine;
    machine.profile = MachineProfile::Rs274;
    const auto engraving
        = Engraving::prepare(p, { OutputFormat::Gcode, machine, {}, {} }, installedFonts());
    QVERIFY(engraving);
    const auto travel = travelLines(*engraving, drawing.frame);
    QVERIFY(!travel.empty());
    // From the first stripe's top down to the second stripe's foot.
    QCOMPARE(travel.front().from, drawing.stripes[0].to);
    QCOMPARE(travel.front().to, drawing.stripes[1].from);
}

void TestDrumPicture::cursorReadsXTheAngleAndTheDistanceAround()
{
    const PreviewDrawing drawing = drawingOf(collar());
    const PreviewView view(2, 2, width * 2, height * 2);
    // Stripe 25 stands at 90 degrees, a quarter of the way around; its top, of kind 2, at X 5.
    const PreviewLine& stripe = drawing.stripes[25];
    const auto reading = readCursor(drawing, view, view.toPixel(stripe.to));
    QVERIFY(reading && reading->angle && reading->around);
    QVERIFY(std::fabs(*reading->angle - 90) < 0.5);
    QVERIFY(std::fabs(*reading->around - 20 * M_PI / 2) < 0.2);
    QVERIFY(std::fabs(reading->x - 5) < 0.2);
}

// The turn spans the width less 3 at each side from the right: it closes at the left margin,
// where stripe 101 would stand over stripe 1. Less than a turn has no seam.
void TestDrumPicture::aWholeTurnMarksItsSeam()
{
    ScaleParameters p = collar();
    const PreviewDrawing whole = drawingOf(p);
    QVERIFY(whole.seam);
    QVERIFY(std::fabs(whole.seam->from.x - 3) < 1e-3);
    QCOMPARE(whole.seam->to.x, whole.seam->from.x);
    QVERIFY(whole.seam->from.y < height / 2 && whole.seam->to.y > height / 2);
    p.marks.noDoubleMark = false; // the 101st stripe stands on the seam
    QVERIFY(std::fabs(drawingOf(p).stripes.back().from.x - drawingOf(p).seam->from.x) < 1e-3);
    p.length = "270";
    QVERIFY(!drawingOf(p).seam);
}

QTEST_GUILESS_MAIN(TestDrumPicture)
#include "test_drum_picture.moc"
