#include <QTest>

#include "engraving/engraving.h"
#include "support/engraving_text.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

QStringList linesOf(const std::string& file)
{
    QStringList lines = QString::fromStdString(file).split("\r\n");
    if (lines.last().isEmpty())
        lines.removeLast(); // the CR LF after the last line
    return lines;
}

ScaleParameters roundWithBaseline()
{
    ScaleParameters p;
    p.shape = Shape::Round;
    p.baseline = Baseline::Single;
    return p;
}

} // namespace

class TestEngravingFiles : public QObject
{
    Q_OBJECT

private slots:
    void flatDefaultsAreTheRulerOfHundredAndOneStripes();
    void workedExampleLines_data();
    void workedExampleLines();
    void wholeFilesMatchTheGoldenCopies_data();
    void wholeFilesMatchTheGoldenCopies();
    void emptySequenceGivesACompleteFile();
    void roundBaselineStaysOutOfPlotFiles();
    void decimalCommaInEveryFractionalCoordinate();
    void depthTextRepeatsVerbatim();
    void refusals_data();
    void refusals();
    void plotterUnitsOverflowIsRefused();
};

// Built from the ruler's description, not from the layout code: stripe i at X = i, from Y = 0
// up to 10, 5 or 3 by its kind.
void TestEngravingFiles::flatDefaultsAreTheRulerOfHundredAndOneStripes()
{
    std::string expected;
    int line = 1;
    for (int i = 0; i <= 100; ++i) {
        const int length = i % 10 == 0 ? 10 : i % 10 == 5 ? 5 : 3;
        expected += "N" + std::to_string(line++) + " G0 X" + std::to_string(i) + " Y0 Z1\r\n";
        expected += "N" + std::to_string(line++) + " G1 Z-0.1\r\n";
        expected += "N" + std::to_string(line++) + " G1 Y" + std::to_string(length) + "\r\n";
        expected += "N" + std::to_string(line++) + " G0 Z1\r\n";
    }
    expected += "N405 M30\r\n";
    QCOMPARE(engravingText(ScaleParameters {}), expected);
}

void TestEngravingFiles::workedExampleLines_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");

    const QStringList flat = { "N1 G0 X0 Y0 Z1", "N2 G1 Z-0.1", "N3 G1 Y10", "N4 G0 Z1",
        "N5 G0 X1 Y0 Z1", "N6 G1 Z-0.1", "N7 G1 Y3", "N8 G0 Z1" };
    const QStringList round = { "N1 G0 X30 Y0 Z1", "N2 G1 Z-0.1", "N3 G1 X40 Y0", "N4 G0 Z1",
        "N5 G0 X29.995 Y0.524 Z1", "N6 G1 Z-0.1", "N7 G1 X32.995 Y0.576", "N8 G0 Z1" };
    for (int i = 0; i < 8; ++i) {
        QTest::addRow("flat %d", i + 1) << "flat" << i + 1 << flat[i];
        QTest::addRow("flat baseline %d", i + 1) << "flat baseline" << i + 1 << flat[i];
        QTest::addRow("round baseline %d", i + 1) << "round baseline" << i + 1 << round[i];
    }
    const QStringList flatEnd
        = { "N401 G0 X100 Y0 Z1", "N402 G1 Z-0.1", "N403 G1 Y10", "N404 G0 Z1", "N405 M30" };
    const QStringList flatBaselineEnd
        = { "N401 G0 X100 Y0 Z1", "N402 G1 Z-0.1", "N403 G1 Y10", "N404 G0 Z1", "N405 G0 X0 Y0 Z1",
              "N406 G1 Z-0.1", "N407 G1 X100", "N408 G0 Z1", "N409 M30" };
    const QStringList roundEnd = { "N401 G0 X-5.209 Y29.544 Z1", "N402 G1 Z-0.1",
        "N403 G1 X-6.946 Y39.392", "N404 G0 Z1", "N405 G0 X30 Y0 Z1", "N406 G1 Z-0.1",
        "N407 G3 X-5.209 Y29.544 I0 J0", "N408 G0 Z1", "N409 M30" };
    for (int i = 0; i < flatEnd.size(); ++i)
        QTest::addRow("flat %d", 401 + i) << "flat" << 401 + i << flatEnd[i];
    for (int i = 0; i < flatBaselineEnd.size(); ++i) {
        QTest::addRow("flat baseline %d", 401 + i)
            << "flat baseline" << 401 + i << flatBaselineEnd[i];
        QTest::addRow("round baseline %d", 401 + i) << "round baseline" << 401 + i << roundEnd[i];
    }
}

void TestEngravingFiles::workedExampleLines()
{
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(QString, text);

    ScaleParameters p = file.startsWith("round") ? roundWithBaseline() : ScaleParameters {};
    if (file.endsWith("baseline"))
        p.baseline = Baseline::Single;
    const QStringList lines = linesOf(engravingText(p));
    QCOMPARE(lines.size(), file == "flat" ? 405 : 409);
    QCOMPARE(lines[line - 1], text);
    // Every fourth line is a plunge with the depth text.
    for (int i = 1; i < lines.size() - 1; i += 4)
        QVERIFY(lines[i].endsWith(" G1 Z-0.1"));
}

// Golden copies, checked once by hand against the worked examples; set MENSORA_REWRITE_GOLDEN=1
// to rewrite them after a deliberate change of the output.
void TestEngravingFiles::wholeFilesMatchTheGoldenCopies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<OutputRequest>("output");

    ScaleParameters flatBaseline;
    flatBaseline.baseline = Baseline::Single;
    ScaleParameters roundMidway = roundWithBaseline();
    roundMidway.stripePosition = StripePosition::Midway;
    ScaleParameters roundUnderReversed = roundWithBaseline();
    roundUnderReversed.stripePosition = StripePosition::Under;
    roundUnderReversed.length = "-90";
    roundUnderReversed.distance = "-1";
    roundUnderReversed.startAngle = "45";

    const OutputRequest program;
    const OutputRequest plot = fileOf(OutputFormat::Plot);
    QTest::newRow("flat") << "flat.din" << ScaleParameters {} << program;
    QTest::newRow("flat baseline") << "flat-baseline.din" << flatBaseline << program;
    QTest::newRow("round baseline") << "round-baseline.din" << roundWithBaseline() << program;
    QTest::newRow("round midway") << "round-midway-baseline.din" << roundMidway << program;
    QTest::newRow("round under reversed")
        << "round-under-reversed-baseline.din" << roundUnderReversed << program;
    QTest::newRow("flat plot") << "flat.plt" << ScaleParameters {} << plot;
    QTest::newRow("flat baseline plot") << "flat-baseline.plt" << flatBaseline << plot;

    // Drawings of small scales: a ruler of three stripes and its baseline, a dial of a whole
    // turn in inches (its base circle in two halves) and a dial cut clockwise.
    ScaleParameters ruler = flatBaseline;
    ruler.length = "2";
    ruler.package = "123";
    ScaleParameters turn = roundWithBaseline();
    turn.length = "360";
    turn.distance = "90";
    turn.package = "123";
    turn.unit = Unit::Inch;
    turn.radius = "1.5";
    turn.stripeLengths = { "0.5", "0.25", "0.125", "0", "0", "0" };
    ScaleParameters clockwise = roundUnderReversed;
    clockwise.distance = "-30";
    const OutputRequest svg = fileOf(OutputFormat::Svg);
    const OutputRequest dxf = fileOf(OutputFormat::Dxf);
    QTest::newRow("ruler svg") << "ruler.svg" << ruler << svg;
    QTest::newRow("turn svg") << "turn-inch.svg" << turn << svg;
    QTest::newRow("clockwise svg") << "clockwise.svg" << clockwise << svg;
    QTest::newRow("ruler dxf") << "ruler.dxf" << ruler << dxf;
    QTest::newRow("clockwise dxf") << "clockwise.dxf" << clockwise << dxf;
}

void TestEngravingFiles::wholeFilesMatchTheGoldenCopies()
{
    QFETCH(QString, name);
    QFETCH(ScaleParameters, parameters);
    QFETCH(OutputRequest, output);
    const QString difference
        = goldenEngravingDifference(QStringLiteral(GOLDEN_DIR), name, parameters, output);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestEngravingFiles::emptySequenceGivesACompleteFile()
{
    ScaleParameters gcode;
    gcode.package = " "; // a package of one space leaves no stripe
    QCOMPARE(engravingText(gcode), std::string("N1 M30\r\n"));

    QCOMPARE(
        engravingText(gcode, fileOf(OutputFormat::Plot)), std::string("IN;\r\nSP1;\r\nSP0;\r\n"));

    ScaleParameters baseline = gcode;
    baseline.baseline = Baseline::Single;
    QCOMPARE(engravingText(baseline),
        std::string("N1 G0 X0 Y0 Z1\r\nN2 G1 Z-0.1\r\nN3 G1 X100\r\nN4 G0 Z1\r\nN5 M30\r\n"));
}

void TestEngravingFiles::roundBaselineStaysOutOfPlotFiles()
{
    const QStringList lines
        = linesOf(engravingText(roundWithBaseline(), fileOf(OutputFormat::Plot)));
    QCOMPARE(lines.size(), 2 + 2 * 101 + 1);
    QCOMPARE(lines[2], QString("PU1200 0;"));
    QCOMPARE(lines[3], QString("PD1600 0;"));
    QCOMPARE(lines[lines.size() - 3], QString("PU-208 1182;")); // (-5.209, 29.544)
    QCOMPARE(lines[lines.size() - 2], QString("PD-278 1576;")); // (-6.946, 39.392)
    QCOMPARE(lines.last(), QString("SP0;"));
}

void TestEngravingFiles::decimalCommaInEveryFractionalCoordinate()
{
    const QStringList lines = linesOf(engravingText(roundWithBaseline(), { ",", "." }));
    QCOMPARE(lines[4], QString("N5 G0 X29,995 Y0,524 Z1"));
    QCOMPARE(lines[406], QString("N407 G3 X-5,209 Y29,544 I0 J0"));
    for (const QString& line : lines) {
        if (!line.contains(" G1 Z")) // the depth text is verbatim
            QVERIFY2(!line.contains('.'), qPrintable(line));
    }
}

void TestEngravingFiles::depthTextRepeatsVerbatim()
{
    ScaleParameters p;
    p.depth = " -0,2 mm ";
    p.baseline = Baseline::Single;
    const QStringList lines = linesOf(engravingText(p));
    for (int i = 1; i < lines.size() - 1; i += 4)
        QCOMPARE(lines[i], QString("N%1 G1 Z -0,2 mm ").arg(i + 1));
}

void TestEngravingFiles::refusals_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("message");

    ScaleParameters zeroDistance;
    zeroDistance.distance = "0 mm";
    QTest::newRow("distance 0") << zeroDistance << int(ScaleInput::Distance)
                                << "Distance between stripes must not be 0.";

    ScaleParameters tabDepth;
    tabDepth.depth = "-0.1\t";
    QTest::newRow("tab in depth") << tabDepth << int(ScaleInput::Depth)
                                  << "Engr depth may hold only plain ASCII characters, not a "
                                     "control character.";
    ScaleParameters lineBreakDepth;
    lineBreakDepth.depth = "-0.1\nM30";
    QTest::newRow("line break in depth") << lineBreakDepth << int(ScaleInput::Depth)
                                         << "Engr depth may hold only plain ASCII characters, "
                                            "not a control character.";
    ScaleParameters minusSignDepth;
    minusSignDepth.depth = "\u22120.1";
    QTest::newRow("minus sign in depth") << minusSignDepth << int(ScaleInput::Depth)
                                         << "Engr depth may hold only plain ASCII characters, "
                                            "not \"\u2212\".";

    ScaleParameters hugeLength;
    hugeLength.length = "1e39";
    QTest::newRow("length beyond single") << hugeLength << int(ScaleInput::Length)
                                          << "Length is too large: numbers here must stay below "
                                             "3.4E+38.";

    ScaleParameters hugeStart;
    hugeStart.startY = "3e38";
    hugeStart.stripeLengths[0] = "2e38";
    QTest::newRow("single y overflows") << hugeStart << int(ScaleInput::StartY)
                                        << "Start Y is too large: the scale's coordinates cannot "
                                           "be written.";

    ScaleParameters hugeBaseline;
    hugeBaseline.startX = "1e300";
    hugeBaseline.baseline = Baseline::Single;
    QTest::newRow("baseline end beyond single")
        << hugeBaseline << int(ScaleInput::StartX)
        << "Start X is too large: the scale's coordinates cannot be written.";

    ScaleParameters hugeRadius = roundWithBaseline();
    hugeRadius.radius = "1e306";
    QTest::newRow("round point overflows at 3 decimals")
        << hugeRadius << int(ScaleInput::Radius)
        << "Radius is too large: the scale's coordinates cannot be written.";

    ScaleParameters hugeAngle = roundWithBaseline();
    hugeAngle.startAngle = "1e400";
    QTest::newRow("angle beyond double")
        << hugeAngle << int(ScaleInput::StartAngle) << "Start Angle is too large.";

    ScaleParameters sevenInPackage;
    sevenInPackage.package = "1373";
    QTest::newRow("kind 7") << sevenInPackage << int(ScaleInput::Package)
                            << "The package (How is 1 pakage) may hold only the digits 1 to 6, "
                               "not \"7\".";
}

void TestEngravingFiles::refusals()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(int, input);
    QFETCH(QString, message);

    const auto engraving = Engraving::prepare(parameters, {}, installedFonts());
    QVERIFY(!engraving);
    QCOMPARE(QString::fromStdString(engraving.refusal().message), message);
    QCOMPARE(engraving.refusal().box(), std::optional(ScaleInput(input)));
}

// A coordinate that a program writes may still overflow in plotter units.
void TestEngravingFiles::plotterUnitsOverflowIsRefused()
{
    ScaleParameters hugePlot;
    hugePlot.startX = "1e307";
    QVERIFY(Engraving::prepare(hugePlot, {}, installedFonts()));
    const auto plot = Engraving::prepare(hugePlot, fileOf(OutputFormat::Plot), installedFonts());
    QVERIFY(!plot);
    QCOMPARE(plot.refusal(),
        Refusal(ScaleInput::StartX,
            "Start X is too large: the scale's coordinates cannot be written."));
}

QTEST_APPLESS_MAIN(TestEngravingFiles)
#include "test_engraving_files.moc"
