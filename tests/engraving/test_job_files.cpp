#include <cmath>

#include <QTest>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "model/added_scales.h"
#include "support/drum_scales.h"
#include "support/engraving_text.h"
#include "support/recording_sink.h"

using namespace mensora;
using namespace mensora::testing;

Q_DECLARE_METATYPE(mensora::ScaleJob)
Q_DECLARE_METATYPE(mensora::OutputRequest)

namespace {

JobScale added(const Result<JobScale>& scale)
{
    if (!scale)
        qFatal("refused: %s", scale.refusal().message.c_str());
    return *scale;
}

// A 150 mm ruler on its baseline, numbered every 10, and what the test adds beside it.
ScaleJob rulerWith(JobScale (*beside)(const ScaleParameters&))
{
    ScaleJob job;
    ScaleParameters& main = job.scales.front().parameters;
    main.length = "150";
    main.baseline = Baseline::Single;
    main.numbers.kind = 1;
    job.scales.push_back(beside(main));
    return job;
}

JobScale vernier5049(const ScaleParameters& main)
{
    return added(vernierAgainst(main, 50, 49, false));
}

JobScale otherUnit(const ScaleParameters& main)
{
    return added(otherUnitOf(main));
}

Engraving accepted(const ScaleJob& job, const OutputRequest& request = {})
{
    const auto engraving = Engraving::prepare(job, request, installedFonts());
    if (!engraving)
        qFatal("refused: %s", engraving.refusal().message.c_str());
    return *engraving;
}

std::string textOf(const ScaleJob& job, const OutputRequest& request = {})
{
    StringSink sink;
    accepted(job, request).write(sink, {});
    return sink.text;
}

// The X of every point a move reaches, and whether it turns clockwise for an arc.
struct Reached
{
    double x;
    double y;
    std::optional<ArcDirection> turn;
};

std::vector<Reached> reached(const Engraving& engraving)
{
    RecordingSink sink;
    engraving.makeDrawnMoves(sink, true);
    std::vector<Reached> points;
    for (const ToolMove& move : sink.moves) {
        if (const auto* rapid = std::get_if<Rapid>(&move))
            points.push_back({ rapid->x.value, rapid->y.value, {} });
        else if (const auto* cut = std::get_if<Cut>(&move))
            points.push_back({ cut->x.value, cut->y.value, {} });
        else if (const auto* arc = std::get_if<Arc>(&move))
            points.push_back({ arc->x.value, arc->y.value, arc->direction });
    }
    return points;
}

} // namespace

class TestJobFiles : public QObject
{
    Q_OBJECT

private slots:
    void wholeFilesMatchTheGoldenCopies_data();
    void wholeFilesMatchTheGoldenCopies();
    void refusalsNameTheScale_data();
    void refusalsNameTheScale();
    void aScaleInTheOtherUnitIsConvertedExactly();
    void aMirroredJobTurnsAboutTheMiddleOfItsDrawing();
};

void TestJobFiles::wholeFilesMatchTheGoldenCopies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ScaleJob>("job");
    QTest::addColumn<OutputRequest>("output");

    MachineSettings rs274;
    rs274.profile = MachineProfile::Rs274;
    QTest::newRow("caliper") << "caliper-50-49-rs274.ngc" << rulerWith(vernier5049)
                             << machineFile(rs274);
    ScaleJob mirrored = rulerWith(otherUnit);
    mirrored.mirror = true;
    QTest::newRow("mirrored dual unit")
        << "dual-unit-mirrored.svg" << mirrored << fileOf(OutputFormat::Svg);
    ScaleJob shortRuler = rulerWith(otherUnit);
    shortRuler.scales[0].parameters.length = "25.4";
    shortRuler.scales[1].parameters.length = "1";
    QTest::newRow("dual unit") << "dual-unit.dxf" << shortRuler << fileOf(OutputFormat::Dxf);
}

void TestJobFiles::wholeFilesMatchTheGoldenCopies()
{
    QFETCH(QString, name);
    QFETCH(ScaleJob, job);
    QFETCH(OutputRequest, output);
    const QString difference = goldenDifference(
        QStringLiteral(GOLDEN_DIR) + u'/' + name, QByteArray::fromStdString(textOf(job, output)));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestJobFiles::refusalsNameTheScale_data()
{
    QTest::addColumn<ScaleJob>("job");
    QTest::addColumn<OutputRequest>("output");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("scale");

    ScaleJob noDistance = rulerWith(vernier5049);
    noDistance.scales[1].parameters.distance = "0";
    QTest::newRow("box") << noDistance << OutputRequest {}
                         << "Scale 2 (Vernier 50/49): Distance between stripes must not be 0." << 1;

    ScaleJob drumAndRuler;
    drumAndRuler.scales = { { collarOnDrum(), "Collar" }, {} };
    MachineSettings rs274;
    rs274.profile = MachineProfile::Rs274;
    QTest::newRow("a drum's program holds only its drum")
        << drumAndRuler << machineFile(rs274)
        << "Scale 2 (Ruler 100 mm): RS274/NGC programs turn one drum: this scale does not go "
           "around the drum of Scale 1 (Collar). Choose GRBL laser (a roller), or export a "
           "drawing."
        << 1;
    QTest::newRow("a plain program holds no drum")
        << drumAndRuler << OutputRequest {}
        << "Scale 1 (Collar): Plain G-code programs cannot hold a drum: choose the RS274/NGC or "
           "grblHAL profile (a rotary axis) or GRBL laser (a roller)."
        << 0;
}

void TestJobFiles::refusalsNameTheScale()
{
    QFETCH(ScaleJob, job);
    QFETCH(OutputRequest, output);
    QFETCH(QString, message);
    QFETCH(int, scale);
    const auto engraving = Engraving::prepare(job, output, installedFonts());
    QVERIFY(!engraving);
    QCOMPARE(QString::fromStdString(engraving.refusal().message), message);
    QCOMPARE(engraving.refusal().scale, std::optional<std::size_t>(std::size_t(scale)));
}

// The inch scale beside a millimetre ruler: every mark at k · 25.4 / 16 mm, its depth in
// millimetres too, while its numbers still count inches.
void TestJobFiles::aScaleInTheOtherUnitIsConvertedExactly()
{
    ScaleJob job = rulerWith(otherUnit);
    job.scales[1].parameters.numbers.kind = 0;
    job.scales[1].parameters.depth = "-0.004";
    const Engraving engraving = accepted(job);
    QCOMPARE(engraving.unitFactor(1), 25.4);
    RecordingSink sink;
    engraving.makeMoves(sink);
    std::vector<double> inchMarks;
    std::vector<double> depths;
    bool inchScale = false;
    for (const ToolMove& move : sink.moves) {
        const auto* rapid = std::get_if<Rapid>(&move);
        inchScale = inchScale || (rapid && rapid->y.value < 0);
        if (const auto* plunge = std::get_if<Plunge>(&move); plunge && inchScale)
            depths.push_back(plunge->depthValue.value_or(NAN));
        if (rapid && inchScale)
            inchMarks.push_back(rapid->x.value);
    }
    QCOMPARE(inchMarks.size(), engraving.sequence(1).size());
    for (std::size_t k = 0; k < inchMarks.size(); ++k)
        QVERIFY2(std::fabs(inchMarks[k] - static_cast<double>(k) * 25.4 / 16) < 1e-9,
            qPrintable(QString::number(k)));
    for (const double depth : depths)
        QCOMPARE(depth, -0.004 * 25.4);
    QVERIFY(textOf(job).find("G1 Z-0.1016\r\n") != std::string::npos);
}

// Every point of the mirrored job is the unmirrored one's mirror image about the middle of
// the drawing, and every arc turns the other way.
void TestJobFiles::aMirroredJobTurnsAboutTheMiddleOfItsDrawing()
{
    ScaleJob job = rulerWith(vernier5049);
    ScaleParameters dial;
    dial.shape = Shape::Round;
    dial.startX = "200";
    dial.baseline = Baseline::Single;
    dial.length = "90";
    dial.distance = "5";
    dial.numbers.kind = 1;
    job.scales.push_back({ dial, {} });
    const std::vector<Reached> plain = reached(accepted(job));
    job.mirror = true;
    const Engraving turned = accepted(job);
    const std::vector<Reached> mirrored = reached(turned);
    QCOMPARE(mirrored.size(), plain.size());

    double least = INFINITY;
    double most = -INFINITY;
    for (const Reached& point : plain) {
        least = std::fmin(least, point.x);
        most = std::fmax(most, point.x);
    }
    QVERIFY(turned.mirrorSum());
    QVERIFY(std::fabs(*turned.mirrorSum() - (least + most)) < 0.01); // the arc bulges past
    int arcs = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        QVERIFY2(std::fabs(mirrored[i].x - (*turned.mirrorSum() - plain[i].x)) < 1e-6,
            qPrintable(QString::number(i)));
        QCOMPARE(mirrored[i].y, plain[i].y);
        if (plain[i].turn) {
            ++arcs;
            QVERIFY(mirrored[i].turn && *mirrored[i].turn != *plain[i].turn);
        }
    }
    QCOMPARE(arcs, 1);
}

QTEST_MAIN(TestJobFiles)
#include "test_job_files.moc"
