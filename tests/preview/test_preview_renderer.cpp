#include <cmath>
#include <numbers>

#include <QTest>

#include "files/installed_fonts.h"
#include "model/scale_parameters.h"
#include "preview/preview_renderer.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::PreviewLine)

namespace {

constexpr double degree = std::numbers::pi / 180;

PreviewLine line(float x1, float y1, float x2, float y2)
{
    return { { x1, y1 }, { x2, y2 } };
}

QString describe(const PreviewLine& l)
{
    return QString("(%1, %2) to (%3, %4)")
        .arg(double(l.from.x), 0, 'f', 5)
        .arg(double(l.from.y), 0, 'f', 5)
        .arg(double(l.to.x), 0, 'f', 5)
        .arg(double(l.to.y), 0, 'f', 5);
}

// Empty when both lines agree within the tolerance, otherwise both lines for the failure.
QString mismatch(const PreviewLine& actual, const PreviewLine& expected, double tolerance)
{
    const auto near = [tolerance](float a, float b) { return std::fabs(a - b) <= tolerance; };
    if (near(actual.from.x, expected.from.x) && near(actual.from.y, expected.from.y)
        && near(actual.to.x, expected.to.x) && near(actual.to.y, expected.to.y))
        return {};
    return "got " + describe(actual) + ", expected " + describe(expected);
}

#define COMPARE_LINE(actual, expected, tolerance)                                                  \
    do {                                                                                           \
        const QString difference = mismatch(actual, expected, tolerance);                          \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                                    \
    } while (false)

PreviewDrawing drawn(const ScaleParameters& parameters, float width, float height)
{
    auto run = renderPreview(parameters, width, height, installedFonts());
    if (!run)
        qWarning("refused: %s", run.refusal().message.c_str());
    return run ? *run : PreviewDrawing {};
}

// The window's defaults switched to Round.
const ScaleParameters roundScale { .shape = Shape::Round };

// Picture1 at 96 dots per inch: 425 x 289 pixels.
constexpr float pictureWidth = 425 * 25.4f / 96;
constexpr float pictureHeight = 289 * 25.4f / 96;

} // namespace

class TestPreviewRenderer : public QObject
{
    Q_OBJECT

private slots:
    void flatStripeEnds_data();
    void flatStripeEnds();
    void flatDefaultsSpanTheWidthWithTheBaselineOnTheMidLine();
    void flatNegativeTotalRunsLeftWithTheStartAtTheRightMargin();
    void roundNegativeTotalArcRunsClockwiseOverItsSweep();
    void flatStartXShiftsStripesAndBaselineByTenK();
    void roundStripeEnds_data();
    void roundStripeEnds();
    void roundDefaultsFitHalfTheHeightAndArcRunsFrom0To100Degrees();
    void roundCentreDoesNotMoveThePicture();
    void roundFullTurnDraws361LinesEndingOnTheFirst();
    void inchAndMillimetreGiveTheSamePicture_data();
    void inchAndMillimetreGiveTheSamePicture();
    void inchFlatCountsStripesFromTheConvertedValues();
    void scaleWithoutStripesDrawsTheBaselineAtScaleZero();
    void rulerOfLengthZeroIsItsOneStripe();
    void refusesWhatItCannotDraw_data();
    void refusesWhatItCannotDraw();
    void arcSweepFollowsTheSignOfTheTotal_data();
    void arcSweepFollowsTheSignOfTheTotal();
};

// W = 206 and H = 80 make the flat scale k = (206 - 6) / 100 = 2 and the mid-line y = 40.
void TestPreviewRenderer::flatStripeEnds_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<int>("stripe");
    QTest::addColumn<PreviewLine>("expected");

    const ScaleParameters defaults;
    QTest::newRow("kind 1 at 0") << defaults << 0 << line(3, 40, 3, 20);
    QTest::newRow("kind 2 at 5") << defaults << 5 << line(13, 40, 13, 30);
    QTest::newRow("kind 3 at 13") << defaults << 13 << line(29, 40, 29, 34);
    QTest::newRow("kind 1 at 100") << defaults << 100 << line(203, 40, 203, 20);

    using P = ScaleParameters;
    const P midway { .stripePosition = StripePosition::Midway };
    QTest::newRow("midway kind 1") << midway << 0 << line(3, 50, 3, 30);
    QTest::newRow("midway kind 3") << midway << 1 << line(5, 43, 5, 37);
    const P under { .stripePosition = StripePosition::Under };
    QTest::newRow("under kind 1") << under << 0 << line(3, 60, 3, 40);
    QTest::newRow("under kind 2") << under << 5 << line(13, 50, 13, 40);

    QTest::newRow("start Y 2 raises by 2k") << P { .startY = "2" } << 0 << line(3, 36, 3, 16);
    QTest::newRow("midway about start Y")
        << P { .startY = "2", .stripePosition = StripePosition::Midway } << 0 << line(3, 46, 3, 26);
    QTest::newRow("distance 0.5, no whole steps")
        << P { .distance = "0.5" } << 3 << line(6, 40, 6, 34);
    QTest::newRow("length box of kind 2")
        << P { .stripeLengths = { "10", "7.5", "3", "10", "5", "3" } } << 15
        << line(33, 40, 33, 25);
    QTest::newRow("negative start X leaves the area")
        << P { .startX = "-5" } << 0 << line(-7, 40, -7, 20);

    // A negative total runs left from X 0, which stands 3 from the right edge: k = 200 / 100.
    const P leftwards { .length = "-100", .distance = "-1" };
    QTest::newRow("negative total, kind 1 at 0") << leftwards << 0 << line(203, 40, 203, 20);
    QTest::newRow("negative total, kind 2 at -5") << leftwards << 5 << line(193, 40, 193, 30);
    QTest::newRow("negative total, kind 3 at -13") << leftwards << 13 << line(177, 40, 177, 34);
    QTest::newRow("negative total, kind 1 at -100") << leftwards << 100 << line(3, 40, 3, 20);
    QTest::newRow("negative total, start X -10")
        << P { .length = "-100", .distance = "-1", .startX = "-10" } << 0 << line(183, 40, 183, 20);
}

void TestPreviewRenderer::flatStripeEnds()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(int, stripe);
    QFETCH(PreviewLine, expected);

    const PreviewDrawing drawing = drawn(parameters, 206, 80);
    QVERIFY(std::size_t(stripe) < drawing.stripes.size());
    COMPARE_LINE(drawing.stripes[std::size_t(stripe)], expected, 1e-5);
}

void TestPreviewRenderer::flatDefaultsSpanTheWidthWithTheBaselineOnTheMidLine()
{
    ScaleParameters p;
    p.baseline = Baseline::Single;

    const PreviewDrawing drawing = drawn(p, 206, 80);
    QCOMPARE(drawing.stripes.size(), std::size_t(101));
    QCOMPARE(drawing.stripeSequence.size(), std::size_t(101));
    QVERIFY(drawing.baseLine);
    COMPARE_LINE(*drawing.baseLine, line(3, 40, 203, 40), 1e-5);
    QVERIFY(!drawing.baseArc);

    // At the picture's own size the margins stay 3 wide and the feet stay on the mid-line.
    const PreviewDrawing fitted = drawn(p, pictureWidth, pictureHeight);
    const float middle = pictureHeight / 2;
    const double k = (pictureWidth - 6.0) / 100;
    COMPARE_LINE(fitted.stripes.front(), line(3, middle, 3, float(middle - 10 * k)), 1e-4);
    COMPARE_LINE(fitted.stripes[5],
        line(float(3 + 5 * k), middle, float(3 + 5 * k), float(middle - 5 * k)), 1e-4);
    COMPARE_LINE(fitted.stripes.back(),
        line(pictureWidth - 3, middle, pictureWidth - 3, float(middle - 10 * k)), 1e-4);
    COMPARE_LINE(*fitted.baseLine, line(3, middle, pictureWidth - 3, middle), 1e-4);

    p.baseline = Baseline::None;
    QVERIFY(!drawn(p, 206, 80).baseLine);
}

void TestPreviewRenderer::flatNegativeTotalRunsLeftWithTheStartAtTheRightMargin()
{
    ScaleParameters p;
    p.length = "-100";
    p.distance = "-1";
    p.baseline = Baseline::Single;
    const PreviewDrawing drawing = drawn(p, 206, 80);

    QCOMPARE(drawing.stripes.size(), std::size_t(101));
    COMPARE_LINE(*drawing.baseLine, line(203, 40, 3, 40), 1e-5);
    // X 0 of the scale at the right margin, one picture millimetre per half unit.
    QCOMPARE(drawing.frame.originX, 203.0);
    QCOMPARE(drawing.frame.originY, 40.0);
    QCOMPARE(drawing.frame.scale, 2.0);
}

void TestPreviewRenderer::roundNegativeTotalArcRunsClockwiseOverItsSweep()
{
    ScaleParameters p = roundScale;
    p.length = "-90";
    p.distance = "-10";
    p.baseline = Baseline::Single;
    const PreviewDrawing drawing = drawn(p, 2000, 810);

    QCOMPARE(drawing.stripes.size(), std::size_t(10));
    QCOMPARE(*drawing.baseArc, (PreviewArc { { 1000, 405 }, 300, 0, float(-90 * degree) }));
    QVERIFY(std::fabs(arcSweep(*drawing.baseArc) + 90 * degree) < 1e-6);
}

void TestPreviewRenderer::flatStartXShiftsStripesAndBaselineByTenK()
{
    ScaleParameters p;
    p.baseline = Baseline::Single;
    const PreviewDrawing plain = drawn(p, 206, 80);
    p.startX = "10";
    const PreviewDrawing shifted = drawn(p, 206, 80);

    QCOMPARE(shifted.stripes.size(), plain.stripes.size());
    for (std::size_t i = 0; i < plain.stripes.size(); ++i) {
        PreviewLine moved = plain.stripes[i];
        moved.from.x += 20;
        moved.to.x += 20;
        COMPARE_LINE(shifted.stripes[i], moved, 1e-4);
    }
    // The right end lies at W - 3 + 10k, outside the area.
    COMPARE_LINE(*shifted.baseLine, line(23, 40, 223, 40), 1e-4);
}

// W = 2000 and H = 810 make the round scale k = (405 - 5) / (10 + 30) = 10 about (1000, 405),
// large enough that the rounding of the points to 3 decimals shows.
void TestPreviewRenderer::roundStripeEnds_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<int>("stripe");
    QTest::addColumn<PreviewLine>("expected");

    using P = ScaleParameters;
    const Shape round = Shape::Round;
    QTest::newRow("0 degrees, kind 1") << roundScale << 0 << line(1300, 405, 1400, 405);
    // (29.995, 0.524) to (32.995, 0.576)
    QTest::newRow("1 degree, kind 3")
        << roundScale << 1 << line(1299.95f, 399.76f, 1329.95f, 399.24f);
    // (29.886, 2.615) to (34.867, 3.05)
    QTest::newRow("5 degrees, kind 2")
        << roundScale << 5 << line(1298.86f, 378.85f, 1348.67f, 374.5f);
    // cos 90 degrees rounds to 0.
    QTest::newRow("90 degrees, kind 1") << roundScale << 90 << line(1000, 105, 1000, 5);
    // (27.395, 2.397) to (32.376, 2.833)
    QTest::newRow("midway 5 degrees") << P { .stripePosition = StripePosition::Midway,
        .shape = round } << 5 << line(1273.95f, 381.03f, 1323.76f, 376.67f);
    // (24.905, 2.179) to (29.886, 2.615)
    QTest::newRow("under 5 degrees") << P { .stripePosition = StripePosition::Under,
        .shape = round } << 5 << line(1249.05f, 383.21f, 1298.86f, 378.85f);
    QTest::newRow("start angle 90 turns the first stripe up")
        << P { .startAngle = "90", .shape = round } << 0 << line(1000, 105, 1000, 5);
    // Only kind 1 and the radius fit the picture: a longer kind 2 reaches past it.
    // Total -90 in steps of -10: stripe 1 at -10 degrees, (29.544, -5.209) to (32.499, -5.73).
    QTest::newRow("negative total runs clockwise")
        << P { .length = "-90", .distance = "-10", .shape = round } << 1
        << line(1295.44f, 457.09f, 1324.99f, 462.3f);
    QTest::newRow("kind 2 longer than kind 1")
        << P { .stripeLengths = { "10", "20", "3", "10", "5", "3" }, .shape = round } << 95
        << line(973.85f, 106.14f, 956.42f, -93.1f);
}

void TestPreviewRenderer::roundStripeEnds()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(int, stripe);
    QFETCH(PreviewLine, expected);

    const PreviewDrawing drawing = drawn(parameters, 2000, 810);
    QVERIFY(std::size_t(stripe) < drawing.stripes.size());
    COMPARE_LINE(drawing.stripes[std::size_t(stripe)], expected, 2e-4);
}

void TestPreviewRenderer::roundDefaultsFitHalfTheHeightAndArcRunsFrom0To100Degrees()
{
    ScaleParameters p = roundScale;
    p.baseline = Baseline::Single;
    const PreviewDrawing drawing = drawn(p, pictureWidth, pictureHeight);

    QCOMPARE(drawing.stripes.size(), std::size_t(101));
    QVERIFY(!drawing.baseLine);
    QVERIFY(drawing.baseArc);
    const double k = (pictureHeight / 2 - 5.0) / 40;
    const float cx = pictureWidth / 2;
    const float cy = pictureHeight / 2;
    COMPARE_LINE(
        drawing.stripes.front(), line(float(cx + 30 * k), cy, float(cx + 40 * k), cy), 1e-4);

    const PreviewArc& arc = *drawing.baseArc;
    QCOMPARE(arc.centre, (PreviewPoint { cx, cy }));
    QVERIFY(std::fabs(arc.radius - 30 * k) < 1e-5);
    QCOMPARE(arc.startAngle, 0.0f);
    QVERIFY(std::fabs(arc.endAngle - 100 * degree) < 1e-6);
}

void TestPreviewRenderer::roundCentreDoesNotMoveThePicture()
{
    ScaleParameters p = roundScale;
    p.baseline = Baseline::Single;
    const PreviewDrawing centred = drawn(p, 200, 90);
    p.startX = "7.25";
    p.startY = "-3.5";
    const PreviewDrawing moved = drawn(p, 200, 90);

    QCOMPARE(moved.stripes.size(), centred.stripes.size());
    for (std::size_t i = 0; i < centred.stripes.size(); ++i)
        COMPARE_LINE(moved.stripes[i], centred.stripes[i], 1e-4);
    QCOMPARE(*moved.baseArc, *centred.baseArc);
}

void TestPreviewRenderer::roundFullTurnDraws361LinesEndingOnTheFirst()
{
    ScaleParameters p = roundScale;
    p.length = "360";
    const PreviewDrawing drawing = drawn(p, 200, 90);

    QCOMPARE(drawing.stripes.size(), std::size_t(361));
    COMPARE_LINE(drawing.stripes.back(), drawing.stripes.front(), 1e-4);
}

void TestPreviewRenderer::inchAndMillimetreGiveTheSamePicture_data()
{
    QTest::addColumn<ScaleParameters>("parameters");

    const auto prepare = [](ScaleParameters p) {
        p.baseline = Baseline::Single;
        p.startX = "1.5";
        p.startY = "-0.75";
        p.startAngle = "20";
        return p;
    };
    QTest::newRow("flat") << prepare({});
    QTest::newRow("flat midway") << prepare({ .stripePosition = StripePosition::Midway });
    QTest::newRow("round") << prepare(roundScale);
    QTest::newRow("round under") << prepare(
        { .stripePosition = StripePosition::Under, .shape = Shape::Round });
}

void TestPreviewRenderer::inchAndMillimetreGiveTheSamePicture()
{
    QFETCH(ScaleParameters, parameters);

    parameters.unit = Unit::Millimetre;
    const PreviewDrawing mm = drawn(parameters, pictureWidth, pictureHeight);
    parameters.unit = Unit::Inch;
    const PreviewDrawing inch = drawn(parameters, pictureWidth, pictureHeight);

    QCOMPARE(inch.stripeSequence, mm.stripeSequence);
    QCOMPARE(inch.stripes.size(), mm.stripes.size());
    for (std::size_t i = 0; i < mm.stripes.size(); ++i)
        COMPARE_LINE(inch.stripes[i], mm.stripes[i], 1e-3);
    QCOMPARE(bool(inch.baseLine), bool(mm.baseLine));
    if (mm.baseLine)
        COMPARE_LINE(*inch.baseLine, *mm.baseLine, 1e-3);
    QCOMPARE(bool(inch.baseArc), bool(mm.baseArc));
    if (mm.baseArc) {
        QVERIFY(std::fabs(inch.baseArc->radius - mm.baseArc->radius) < 1e-4);
        QCOMPARE(inch.baseArc->startAngle, mm.baseArc->startAngle);
        QCOMPARE(inch.baseArc->endAngle, mm.baseArc->endAngle);
    }
}

void TestPreviewRenderer::inchFlatCountsStripesFromTheConvertedValues()
{
    // 127 / 50.8 in single precision is a hair above 2.5 and rounds to 3; 5 / 2 is 2.5 exactly
    // and rounds to the even 2.
    ScaleParameters p;
    p.length = "5";
    p.distance = "2";
    QCOMPARE(drawn(p, 206, 80).stripeSequence, std::string("133"));
    p.unit = Unit::Inch;
    QCOMPARE(drawn(p, 206, 80).stripeSequence, std::string("1333"));
    QCOMPARE(drawn(p, 206, 80).stripes.size(), std::size_t(4));

    // Angles are never converted: a round scale counts the same in both units.
    p.shape = Shape::Round;
    QCOMPARE(drawn(p, 206, 80).stripeSequence, std::string("133"));
}

// A ruler of length 0 cuts one stripe: the preview draws it, fitted, where a save writes it.
void TestPreviewRenderer::rulerOfLengthZeroIsItsOneStripe()
{
    ScaleParameters p;
    p.length = "0";
    const PreviewDrawing drawing = drawn(p, 206, 80);
    QCOMPARE(drawing.stripeSequence, std::string("1"));
    // Kind 1, 10 long above the baseline: from the middle up to 5 below the top, in the middle.
    QCOMPARE(drawing.stripes, (std::vector { line(103, 40, 103, 5) }));
    p.stripeLengths[0] = "0";
    QCOMPARE(drawn(p, 206, 80).stripes, (std::vector { line(103, 40, 103, 40) }));
}

void TestPreviewRenderer::scaleWithoutStripesDrawsTheBaselineAtScaleZero()
{
    // A package of spaces expands to no stripes at all.
    ScaleParameters p;
    p.package = "  ";
    p.baseline = Baseline::Single;
    p.startX = "4";
    p.startY = "4";
    const PreviewDrawing flat = drawn(p, 206, 80);
    QVERIFY(flat.stripes.empty());
    COMPARE_LINE(*flat.baseLine, line(3, 40, 3, 40), 0);

    p.shape = Shape::Round;
    const PreviewDrawing roundScale = drawn(p, 206, 80);
    QVERIFY(roundScale.stripes.empty());
    QCOMPARE(roundScale.baseArc->radius, 0.0f);
    QCOMPARE(roundScale.baseArc->centre, (PreviewPoint { 103, 40 }));
}

void TestPreviewRenderer::refusesWhatItCannotDraw_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("message");

    using P = ScaleParameters;
    const auto row = [](const char* name, P p, ScaleInput input, QString message) {
        QTest::newRow(name) << p << int(input) << message;
    };
    const QString beyondSingle = " is too large: numbers here must stay below 3.4E+38.";
    const Shape round = Shape::Round;
    const Unit inch = Unit::Inch;
    row("distance 0", { .distance = "0" }, ScaleInput::Distance,
        "Distance between stripes must not be 0.");
    row("kind 7", { .package = "17", .shape = round }, ScaleInput::Package,
        "The package (How is 1 pakage) may hold only the digits 1 to 6, not \"7\".");
    row("more than 32767 stripes", { .length = "40000" }, ScaleInput::Distance,
        "Length, Distance between stripes and the package give more than 32767 stripes.");
    row("stripe 1 and radius add up to 0",
        { .stripeLengths = { "-30", "5", "3", "10", "5", "3" }, .shape = round },
        ScaleInput::Radius, "Stripe 1 and Radius must not add up to 0.");
    row("stripe 1 and radius add up to 0 in inch",
        { .stripeLengths = { "1", "5", "3", "10", "5", "3" },
            .radius = "-1",
            .shape = round,
            .unit = inch },
        ScaleInput::Radius, "Stripe 1 and Radius must not add up to 0.");
    row("inch length beyond single once converted",
        { .length = "2e37", .distance = "1e37", .unit = inch }, ScaleInput::Length,
        "Length" + beyondSingle);
    row("inch centre X beyond double once converted",
        { .startX = "1e307", .shape = round, .unit = inch }, ScaleInput::StartX,
        "Centre X is too large.");
    row("stripe length in use beyond single",
        { .stripeLengths = { "10", "5", "1e39", "10", "5", "3" } }, ScaleInput::Stripe3,
        "Stripe 3" + beyondSingle);
    row("start X too far out to draw", { .startX = "1e300" }, ScaleInput::StartX,
        "Start X is too large to draw.");
    row("start Y too far out to draw", { .length = "10", .startY = "3e38" }, ScaleInput::StartY,
        "Start Y is too large to draw.");
    // 3.4e38 / 2.2e38 rounds to 2; a package of three gives stripe 2 at 4.4e38.
    row("stripe position beyond single",
        { .length = "3.4e38", .distance = "2.2e38", .package = "123" }, ScaleInput::Distance,
        "Distance between stripes is too large to draw.");
    row("round centre too far out to draw", { .startX = "1e306", .shape = round },
        ScaleInput::StartX, "Centre X is too large to draw.");
    row("arc start angle beyond single",
        { .startAngle = "1e41", .baseline = Baseline::Single, .shape = round },
        ScaleInput::StartAngle, "Start Angle is too large to draw.");
}

void TestPreviewRenderer::refusesWhatItCannotDraw()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(int, input);
    QFETCH(QString, message);

    const auto run = renderPreview(parameters, pictureWidth, pictureHeight, installedFonts());
    QVERIFY(!run);
    QCOMPARE(QString::fromStdString(run.refusal().message), message);
    QCOMPARE(run.refusal().box(), std::optional(ScaleInput(input)));
}

void TestPreviewRenderer::arcSweepFollowsTheSignOfTheTotal_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<float>("end");
    QTest::addColumn<double>("sweep");

    const double turn = 2 * std::numbers::pi;
    QTest::newRow("0 to 100 degrees") << 0.0f << float(100 * degree) << 100 * degree;
    QTest::newRow("negative total runs clockwise") << 0.0f << float(-90 * degree) << -90 * degree;
    QTest::newRow("from 350 over 20 degrees")
        << float(350 * degree) << float(370 * degree) << 20 * degree;
    QTest::newRow("total 0 draws nothing") << 1.0f << 1.0f << 0.0;
    QTest::newRow("a hair over a turn is a turn") << 0.0f << float(turn) << turn;
    QTest::newRow("a turn backwards is a turn clockwise") << 0.0f << float(-turn) << -turn;
    QTest::newRow("beyond a turn backwards is a turn clockwise")
        << float(10 * degree) << float(-400 * degree) << -turn;
}

void TestPreviewRenderer::arcSweepFollowsTheSignOfTheTotal()
{
    QFETCH(float, start);
    QFETCH(float, end);
    QFETCH(double, sweep);

    const PreviewArc arc { { 0, 0 }, 1, start, end };
    QVERIFY2(std::fabs(arcSweep(arc) - sweep) < 1e-6,
        qPrintable(QString::number(arcSweep(arc) / degree)));
}

QTEST_APPLESS_MAIN(TestPreviewRenderer)
#include "test_preview_renderer.moc"
