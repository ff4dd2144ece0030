#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "support/engraving_text.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

constexpr double degree = M_PI / 180;

// One stroke of the moves a machine runs: the depths it plunges to, the points it cuts
// through (its start first), the radii of its arcs.
struct Stroke
{
    std::vector<double> depths;
    std::vector<std::pair<double, double>> points;
    std::vector<double> radii;
};

class StrokeSink : public MoveSink
{
public:
    void move(const ToolMove& move) override
    {
        if (const auto* rapid = std::get_if<Rapid>(&move)) {
            strokes.push_back({});
            strokes.back().points.push_back({ rapid->x.value, rapid->y.value });
        } else if (const auto* plunge = std::get_if<Plunge>(&move)) {
            strokes.back().depths.push_back(plunge->depthValue.value_or(NAN));
        } else if (const auto* cut = std::get_if<Cut>(&move)) {
            strokes.back().points.push_back({ cut->x.value, cut->y.value });
        } else if (const auto* arc = std::get_if<Arc>(&move)) {
            strokes.back().points.push_back({ arc->x.value, arc->y.value });
            strokes.back().radii.push_back(arc->radius);
        }
    }
    std::vector<Stroke> strokes;
};

std::vector<Stroke> machineStrokes(const ScaleParameters& p, const MachineSettings& machine)
{
    StrokeSink sink;
    acceptedEngraving(p, machineFile(machine)).makeMachineMoves(sink);
    return sink.strokes;
}

MachineSettings router(
    RouterTool tool, double angleOrDiameter, double tipOrStepover, Unit unit = Unit::Millimetre)
{
    MachineSettings settings;
    settings.profile = MachineProfile::Rs274;
    settings.tool.router = tool;
    if (tool == RouterTool::VBit) {
        settings.tool.vbitAngle = angleOrDiameter;
        settings.tool.vbitTip = { tipOrStepover, unit };
    } else {
        settings.tool.endMillDiameter = { angleOrDiameter, unit };
        settings.tool.stepover = tipOrStepover;
    }
    return settings;
}

MachineSettings laser(double spot, double interval)
{
    MachineSettings settings;
    settings.profile = MachineProfile::GrblLaser;
    settings.tool.spot = { spot, Unit::Millimetre };
    settings.tool.lineInterval = ToolLength { interval, Unit::Millimetre };
    return settings;
}

ScaleParameters ruler(MarkWidths widths)
{
    ScaleParameters p;
    p.length = "20";
    p.widths = widths;
    return p;
}

} // namespace

class TestWideMarks : public QObject
{
    Q_OBJECT

private slots:
    void vbitPlungesAsDeepAsTheirWidth_data();
    void vbitPlungesAsDeepAsTheirWidth();
    void passesCoverEachMarkEdgeToEdge_data();
    void passesCoverEachMarkEdgeToEdge();
    void baseCirclePassesAreConcentric();
    void aLineWritesTheFileAsWithoutWidths_data();
    void aLineWritesTheFileAsWithoutWidths();
    void widthsAndToolsAreRefusedNamingTheSetting_data();
    void widthsAndToolsAreRefusedNamingTheSetting();
    void markNarrowerThanTheToolGetsANote();
    void cutterCutsEachMarksRectangleWithoutOffset();
    void neighboursWhoseMarksOverlapAreRefused_data();
    void neighboursWhoseMarksOverlapAreRefused();
    void numbersWhoseOutlinesOverlapGetANote();
};

void TestWideMarks::vbitPlungesAsDeepAsTheirWidth_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<MachineSettings>("machine");
    QTest::addColumn<double>("fileFactor"); // of the scale's lengths into the file's unit

    const MarkWidths widths { { 0.3, 0.2, 0.5, 0, 0, 0 }, 0.4, 0.25 };
    ScaleParameters numbered = ruler(widths);
    numbered.baseline = Baseline::Single;
    numbered.numbers.kind = 1;
    QTest::newRow("60 degrees, tip 0.1 mm") << numbered << router(RouterTool::VBit, 60, 0.1) << 1.0;
    ScaleParameters dial = numbered;
    dial.shape = Shape::Round;
    dial.length = "90";
    dial.distance = "5";
    QTest::newRow("dial, 90 degrees, no tip") << dial << router(RouterTool::VBit, 90, 0) << 1.0;
    ScaleParameters inch = numbered;
    inch.unit = Unit::Inch;
    inch.length = "2";
    inch.distance = "0.1";
    inch.widths = { { 0.012, 0.008, 0.02, 0, 0, 0 }, 0.016, 0.01 };
    QTest::newRow("inch ruler, tip in mm")
        << inch << router(RouterTool::VBit, 60, 0.1, Unit::Millimetre) << 1.0;
}

// Each stroke goes to −(w − t) / (2 tan(θ / 2)) of its own mark's width, or to the depth box
// for a width of 0.
void TestWideMarks::vbitPlungesAsDeepAsTheirWidth()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(MachineSettings, machine);
    QFETCH(double, fileFactor);
    const double tip = lengthIn(machine.tool.vbitTip, scale.unit);
    const double halfAngle = machine.tool.vbitAngle / 2 * degree;
    const std::string sequence = acceptedEngraving(scale, machineFile(machine)).sequence();
    const std::vector<Stroke> strokes = machineStrokes(scale, machine);
    QVERIFY(strokes.size() > sequence.size() + 1);
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        const double width = i < sequence.size() ? scale.widths.ofKindDigit(sequence[i])
            : i == sequence.size()               ? scale.widths.baseline
                                                 : scale.widths.numbers;
        const double depth
            = width > 0 ? -(width - tip) / (2 * std::tan(halfAngle)) : std::stod(scale.depth);
        QCOMPARE(strokes[i].depths.size(), std::size_t(1));
        QVERIFY2(std::fabs(strokes[i].depths.front() - depth * fileFactor) < 1e-12,
            qPrintable(
                QString("stroke %1: %2, not %3").arg(i).arg(strokes[i].depths.front()).arg(depth)));
    }
}

void TestWideMarks::passesCoverEachMarkEdgeToEdge_data()
{
    QTest::addColumn<MachineSettings>("machine");
    QTest::addColumn<double>("tool");
    QTest::addColumn<double>("step");

    QTest::newRow("end mill 0.2, stepover 40 %")
        << router(RouterTool::EndMill, 0.2, 40) << 0.2 << 0.08;
    QTest::newRow("end mill 0.25, stepover 100 %")
        << router(RouterTool::EndMill, 0.25, 100) << 0.25 << 0.25;
    QTest::newRow("laser spot 0.1, lines 0.05 apart") << laser(0.1, 0.05) << 0.1 << 0.05;
    QTest::newRow("laser spot 0.08, lines 0.1 apart") << laser(0.08, 0.1) << 0.08 << 0.1;
}

// Each stripe's passes stand from −(w − tool) / 2 to +(w − tool) / 2 of its X, none farther
// apart than the step, each from the stripe's foot to its top; a mark no wider than the tool
// is one pass.
void TestWideMarks::passesCoverEachMarkEdgeToEdge()
{
    QFETCH(MachineSettings, machine);
    QFETCH(double, tool);
    QFETCH(double, step);
    const ScaleParameters p = ruler({ { 0.9, 0.2, 0.35, 0, 0, 0 }, 0, 0 });
    const std::string sequence = acceptedEngraving(p, machineFile(machine)).sequence();
    const std::vector<Stroke> strokes = machineStrokes(p, machine);
    QCOMPARE(strokes.size(), sequence.size());
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        const double width = p.widths.ofKindDigit(sequence[i]);
        const double reach = std::fmax(0, (width - tool) / 2);
        const double length = std::stod(p.stripeLengthText(sequence[i] - '0'));
        std::map<double, std::set<double>> passes; // X, and the Ys it reaches
        for (const auto& [x, y] : strokes[i].points)
            passes[std::round((x - double(i)) * 1e9) / 1e9].insert(y);
        QVERIFY2(std::fabs(passes.begin()->first + reach) < 1e-6, qPrintable(QString::number(i)));
        QVERIFY(std::fabs(passes.rbegin()->first - reach) < 1e-6);
        double last = -reach;
        for (const auto& [x, ys] : passes) {
            QVERIFY(x - last <= step + 1e-9);
            QCOMPARE(*ys.begin(), 0.0);
            QVERIFY(std::fabs(*ys.rbegin() - length) < 1e-6);
            last = x;
        }
        // As few as the step allows: one pass fewer would leave a wider gap.
        QCOMPARE(passes.size() == 1, !(reach > 0));
        if (passes.size() > 2)
            QVERIFY(2 * reach / double(passes.size() - 2) > step);
    }
}

// A dial's base circle is cut at radii from R − (w − D) / 2 out to R + (w − D) / 2, a stepover
// of the whole diameter apart.
void TestWideMarks::baseCirclePassesAreConcentric()
{
    ScaleParameters dial;
    dial.shape = Shape::Round;
    dial.length = "90";
    dial.distance = "45";
    dial.baseline = Baseline::Single;
    dial.widths.baseline = 1;
    const std::vector<Stroke> strokes = machineStrokes(dial, router(RouterTool::EndMill, 0.2, 100));
    std::vector<double> radii = strokes.back().radii;
    std::sort(radii.begin(), radii.end());
    QCOMPARE(radii.size(), std::size_t(5));
    for (std::size_t k = 0; k < radii.size(); ++k)
        QVERIFY(std::fabs(radii[k] - (29.6 + 0.2 * double(k))) < 1e-9);
}

void TestWideMarks::aLineWritesTheFileAsWithoutWidths_data()
{
    QTest::addColumn<OutputRequest>("request");

    QTest::newRow("plain program") << fileOf(OutputFormat::Gcode);
    QTest::newRow("plain plot") << fileOf(OutputFormat::Plot);
    MachineSettings line = router(RouterTool::Line, 3, 40);
    QTest::newRow("rs274, a line") << machineFile(line);
    line.profile = MachineProfile::Grblhal;
    QTest::newRow("grblhal, a line") << machineFile(line);
}

void TestWideMarks::aLineWritesTheFileAsWithoutWidths()
{
    QFETCH(OutputRequest, request);
    ScaleParameters p;
    p.shape = Shape::Round;
    p.baseline = Baseline::Single;
    p.numbers.kind = 1;
    const std::string without = engravingText(p, request);
    p.widths = { { 0.4, 0.3, 0.2, 0.1, 0.1, 0.1 }, 0.5, 0.3 };
    QCOMPARE(engravingText(p, request), without);
}

void TestWideMarks::widthsAndToolsAreRefusedNamingTheSetting_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<OutputRequest>("request");
    QTest::addColumn<QString>("message");

    const ScaleParameters plain = ruler({});
    ScaleParameters negative = plain;
    negative.widths.baseline = -0.1;
    QTest::newRow("a width below 0, even unused")
        << negative << fileOf(OutputFormat::Gcode)
        << "Baseline width must be a number from 0 up: 0 is a single line.";
    const ScaleParameters narrow = ruler({ { 0.1, 0, 0.3, 0, 0, 0 }, 0, 0 });
    QTest::newRow("a V-bit mark no wider than the tip")
        << narrow << machineFile(router(RouterTool::VBit, 60, 0.1))
        << "Stripe 1) width must be wider than the V-bit's tip (0.1 mm): a V-bit cuts a mark at "
           "least as wide as its tip.";
    const ScaleParameters vast = ruler({ { 100.1, 0, 0, 0, 0, 0 }, 0, 0 });
    QTest::newRow("a thousand passes and one")
        << vast << machineFile(laser(0.1, 0.1))
        << "Stripe 1) width takes more than 1000 passes of the laser spot: it is too wide for "
           "it.";
    QTest::newRow("stepover 4 %") << plain << machineFile(router(RouterTool::EndMill, 3, 4))
                                  << "Stepover must be from 5 to 100 %.";
    QTest::newRow("stepover 101 %") << plain << machineFile(router(RouterTool::EndMill, 3, 101))
                                    << "Stepover must be from 5 to 100 %.";
    QTest::newRow("end mill of no diameter")
        << plain << machineFile(router(RouterTool::EndMill, 0, 40))
        << "End mill diameter must be above 0 and below 100000 mm.";
    QTest::newRow("V-bit of 180 degrees") << plain << machineFile(router(RouterTool::VBit, 180, 0))
                                          << "V-bit angle must be above 0 and below 180 degrees.";
    QTest::newRow("V-bit tip below 0") << plain << machineFile(router(RouterTool::VBit, 60, -0.1))
                                       << "V-bit tip must be at least 0 and below 100000 mm.";
    QTest::newRow("spot of 0") << plain << machineFile(laser(0, 0.1))
                               << "Spot width must be above 0 and below 100000 mm.";
    // The spot is to blame, not the width measured against it.
    QTest::newRow("spot of 0, a mark of a width")
        << narrow << machineFile(laser(0, 0)) << "Spot width must be above 0 and below 100000 mm.";
    MachineSettings smoothie = laser(0.1, 0.1);
    smoothie.tool.sMax = 1;
    QTest::newRow("power above S max")
        << plain << machineFile(smoothie) << "Laser power must be above 0 and at most 1.";
    MachineSettings cutter;
    cutter.profile = MachineProfile::HpglCutter;
    cutter.tool.bladeOffset = { -0.25, Unit::Millimetre };
    QTest::newRow("blade offset below 0")
        << plain << machineFile(cutter) << "Blade offset must be at least 0 and below 100000 mm.";
}

void TestWideMarks::widthsAndToolsAreRefusedNamingTheSetting()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(OutputRequest, request);
    QFETCH(QString, message);
    const auto engraving = Engraving::prepare(scale, request, installedFonts());
    QVERIFY(!engraving);
    QCOMPARE(QString::fromStdString(engraving.refusal().message), message);
    QVERIFY(!engraving.refusal().box());
}

void TestWideMarks::markNarrowerThanTheToolGetsANote()
{
    ScaleParameters p = ruler({ { 0, 0, 0.2, 0, 0, 0 }, 0, 0 });
    p.numbers.kind = 1;
    p.widths.numbers = 3.175;
    const Engraving engraving
        = acceptedEngraving(p, machineFile(router(RouterTool::EndMill, 3.175, 40)));
    QCOMPARE(engraving.notes(),
        std::vector<std::string> {
            "Stripe 3) marks come out 3.175 mm wide: the tool is wider than 0.2 mm" });
}

// With no blade offset and no overcut, each stripe is cut once around its own rectangle,
// x ± w / 2 from its foot to its top, in the travel order too.
void TestWideMarks::cutterCutsEachMarksRectangleWithoutOffset()
{
    const ScaleParameters p = ruler({ { 0.5, 0.4, 0.3, 0, 0, 0 }, 0, 0 });
    MachineSettings cutter;
    cutter.profile = MachineProfile::HpglCutter;
    cutter.order = TravelOrder::Alternate;
    cutter.tool.bladeOffset = { 0, Unit::Millimetre };
    cutter.tool.overcut = { 0, Unit::Millimetre };
    const std::string sequence = acceptedEngraving(p, machineFile(cutter)).sequence();
    const std::vector<Stroke> strokes = machineStrokes(p, cutter);
    QCOMPARE(strokes.size(), sequence.size());
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        const double half = p.widths.ofKindDigit(sequence[i]) / 2;
        const double top = std::stod(p.stripeLengthText(sequence[i] - '0'));
        const double x = double(i);
        const std::vector<std::pair<double, double>> rectangle = { { x - half, 0 },
            { x - half, top }, { x + half, top }, { x + half, 0 }, { x - half, 0 } };
        QCOMPARE(strokes[i].points.size(), rectangle.size());
        for (std::size_t k = 0; k < rectangle.size(); ++k) {
            QVERIFY(std::fabs(strokes[i].points[k].first - rectangle[k].first) < 1e-12);
            QVERIFY(std::fabs(strokes[i].points[k].second - rectangle[k].second) < 1e-12);
        }
    }
}

void TestWideMarks::neighboursWhoseMarksOverlapAreRefused_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<double>("gap"); // between the first two stripes, as the inputs give it

    const MarkWidths wide { { 0.6, 0, 0.5, 0, 0, 0 }, 0, 0 };
    QTest::newRow("ruler") << ruler(wide) << 1 - 0.55;
    ScaleParameters crowded = ruler({ { 1.2, 0, 1, 0, 0, 0 }, 0, 0 });
    QTest::newRow("ruler, crowded") << crowded << 1 - 1.1;
    ScaleParameters dial = ruler(wide);
    dial.shape = Shape::Round;
    dial.length = "90";
    dial.distance = "1";
    QTest::newRow("dial: the chord at the radius")
        << dial << 2 * 30 * std::sin(0.5 * degree) - 0.55;
    dial.stripePosition = StripePosition::Under;
    QTest::newRow("dial: the chord where the stripes reach in, 10 under the radius")
        << dial << 2 * 20 * std::sin(0.5 * degree) - 0.55;
    ScaleParameters drum = dial;
    drum.surface = Surface::Drum;
    drum.radius = "20";
    QTest::newRow("drum: the distance around") << drum << 20 * degree - 0.55;
}

// The marks of kinds 1 and 3, side by side, overlap when half their widths add up to more than
// they stand apart.
void TestWideMarks::neighboursWhoseMarksOverlapAreRefused()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(double, gap);
    MachineSettings machine = router(RouterTool::VBit, 60, 0);
    machine.profile = MachineProfile::Grblhal;
    const auto engraving = Engraving::prepare(scale, machineFile(machine), installedFonts());
    if (gap >= 0) {
        QVERIFY(engraving);
        return;
    }
    QVERIFY(!engraving);
    QCOMPARE(engraving.refusal().widthSetting(), WidthSetting::Stripe1);
    QCOMPARE(QString::fromStdString(engraving.refusal().message),
        QString("Stripe 1) width makes stripes 1 and 2 (kinds 1 and 3) overlap: the gap left "
                "between them is %1 mm.")
            .arg(QString::number(gap, 'f', 4).remove(QRegularExpression("0+$"))));
}

void TestWideMarks::numbersWhoseOutlinesOverlapGetANote()
{
    // Digits 5 high stand about 3 wide: a millimetre apart they overlap, ten apart they do not.
    ScaleParameters p = ruler({ { 0.2, 0, 0, 0, 0, 0 }, 0, 0.3 });
    p.length = "2";
    p.package = "1";
    p.numbers.kind = 1;
    p.numbers.height = 5;
    MachineSettings cutter;
    cutter.profile = MachineProfile::HpglCutter;
    QCOMPARE(acceptedEngraving(p, machineFile(cutter)).notes(),
        std::vector<std::string> { "The outline of number 0 overlaps number 1." });
    p.distance = "10";
    p.length = "20";
    QVERIFY(acceptedEngraving(p, machineFile(cutter)).notes().empty());
    p.numbers.gap = -1;
    QCOMPARE(acceptedEngraving(p, machineFile(cutter)).notes().front(),
        std::string("The outline of number 0 overlaps stripe 1."));
}

QTEST_GUILESS_MAIN(TestWideMarks)
#include "test_wide_marks.moc"
