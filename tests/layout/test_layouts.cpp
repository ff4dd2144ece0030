#include <QTest>

#include <cmath>

#include "engraving/engraving.h"
#include "layout/scale_arithmetic.h"
#include "support/engraving_text.h"
#include "support/recording_sink.h"
#include "writers/coordinate_text.h"

Q_DECLARE_METATYPE(mensora::MachineProfile)
Q_DECLARE_METATYPE(mensora::OutputFormat)
Q_DECLARE_METATYPE(mensora::Shape)

using namespace mensora;
using namespace mensora::testing;

namespace {

// The moves of a scale, as "Rapid x y" / "Cut x y" / "Arc x y cx cy ccw|cw" texts.
QStringList movesOf(const ScaleParameters& parameters)
{
    RecordingSink sink;
    acceptedEngraving(parameters).makeMoves(sink);
    QStringList texts;
    const auto text = [](Coord c) { return QString::fromStdString(coordinateText(c)); };
    for (const ToolMove& move : sink.moves) {
        if (const auto* rapid = std::get_if<Rapid>(&move))
            texts << "Rapid " + text(rapid->x) + " " + text(rapid->y);
        else if (const auto* cut = std::get_if<Cut>(&move))
            texts << "Cut " + text(cut->x) + " " + text(cut->y);
        else if (const auto* arc = std::get_if<Arc>(&move))
            texts << "Arc " + text(arc->x) + " " + text(arc->y) + " " + text(arc->cx) + " "
                    + text(arc->cy)
                    + (arc->direction == ArcDirection::CounterClockwise ? " ccw" : " cw");
    }
    return texts;
}

ScaleParameters roundScale()
{
    ScaleParameters p;
    p.shape = Shape::Round;
    return p;
}

// The coordinates of the points a sink is handed, from the first move of the part `from` on.
class PointRecorder : public MoveSink
{
public:
    explicit PointRecorder(MoveSection from)
        : m_from(from)
        , m_kept(from == MoveSection::Stripes)
    { }
    void move(const ToolMove& move) override
    {
        if (!m_kept)
            return;
        if (const auto* rapid = std::get_if<Rapid>(&move))
            coordinates.insert(coordinates.end(), { rapid->x, rapid->y });
        else if (const auto* cut = std::get_if<Cut>(&move))
            coordinates.insert(coordinates.end(), { cut->x, cut->y });
        else if (const auto* arc = std::get_if<Arc>(&move))
            coordinates.insert(coordinates.end(), { arc->x, arc->y });
    }
    void section(MoveSection section) override { m_kept = m_kept || section == m_from; }
    std::vector<Coord> coordinates;

private:
    MoveSection m_from;
    bool m_kept;
};

// The coordinates of a scale's layout under the machine settings, from the part `from` on.
std::vector<Coord> coordinatesOf(const ScaleParameters& parameters, const OutputRequest& output,
    MoveSection from = MoveSection::Stripes)
{
    PointRecorder points(from);
    acceptedEngraving(parameters, output).makeMoves(points);
    return points.coordinates;
}

MachineSettings profile(MachineProfile chosen)
{
    MachineSettings settings;
    settings.profile = chosen;
    return settings;
}

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

private slots:
    void roundStripeEnds_data();
    void roundStripeEnds();
    void roundBaseCircle_data();
    void roundBaseCircle();
    void roundPointsKeepThreeDecimalsButSingleYKeepsSevenDigits();
    void roundPointsOfAProfileAreExactDoubles_data();
    void roundPointsOfAProfileAreExactDoubles();
    void numbersOfAProfileAreThePlainPointsUnrounded_data();
    void numbersOfAProfileAreThePlainPointsUnrounded();
    void flatStripePositions_data();
    void flatStripePositions();
    void flatBaselineFollowsStartX();
    void halfDistanceGivesDistinctExactPositions();
};

void TestLayouts::roundStripeEnds_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("radius");
    QTest::addColumn<int>("stripe");
    QTest::addColumn<QString>("rapid");
    QTest::addColumn<QString>("cut");

    QTest::newRow("stripe 0") << 0 << "30" << 0 << "Rapid 30 0"
                              << "Cut 40 0";
    QTest::newRow("stripe 1") << 0 << "30" << 1 << "Rapid 29.995 0.524"
                              << "Cut 32.995 0.576";
    QTest::newRow("stripe 5 above") << 0 << "30" << 5 << "Rapid 29.886 2.615"
                                    << "Cut 34.867 3.05";
    QTest::newRow("stripe 5 midway") << 1 << "30" << 5 << "Rapid 27.395 2.397"
                                     << "Cut 32.376 2.833";
    QTest::newRow("stripe 5 under") << 2 << "30" << 5 << "Rapid 24.905 2.179"
                                    << "Cut 29.886 2.615";
    QTest::newRow("stripe 90, cosine rounds to 0") << 0 << "30" << 90 << "Rapid 0 30"
                                                   << "Cut 0 40";
    // 30062.5 and 40062.5 thousandths are exact ties.
    QTest::newRow("ties at 3 decimals go to even") << 0 << "30.0625" << 0 << "Rapid 30.062 0"
                                                   << "Cut 40.062 0";
}

void TestLayouts::roundStripeEnds()
{
    QFETCH(int, position);
    QFETCH(QString, radius);
    QFETCH(int, stripe);
    QFETCH(QString, rapid);
    QFETCH(QString, cut);

    ScaleParameters p = roundScale();
    p.stripePosition = StripePosition(position);
    p.radius = radius.toStdString();
    const QStringList moves = movesOf(p);
    QCOMPARE(moves.size(), 2 * 101);
    QCOMPARE(moves[2 * stripe], rapid);
    QCOMPARE(moves[2 * stripe + 1], cut);
}

void TestLayouts::roundBaseCircle_data()
{
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("startAngle");
    QTest::addColumn<int>("stripes");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("arc");

    QTest::newRow("defaults") << "100"
                              << "1"
                              << "0" << 101 << "Rapid 30 0"
                              << "Arc -5.209 29.544 0 0 ccw";
    QTest::newRow("both negative turns clockwise") << "-90"
                                                   << "-1"
                                                   << "0" << 91 << "Rapid 30 0"
                                                   << "Arc 0 -30 0 0 cw";
    QTest::newRow("full turn ends where it starts") << "360"
                                                    << "10"
                                                    << "0" << 37 << "Rapid 30 0"
                                                    << "Arc 30 0 0 0 ccw";
    QTest::newRow("start angle 90 turns the scale") << "100"
                                                    << "1"
                                                    << "90" << 101 << "Rapid 0 30"
                                                    << "Arc -29.544 -5.209 0 0 ccw";
    // The direction follows the step, not the total.
    QTest::newRow("zero total with a positive step") << "0"
                                                     << "1"
                                                     << "0" << 1 << "Rapid 30 0"
                                                     << "Arc 30 0 0 0 ccw";
    QTest::newRow("zero total with a negative step") << "0"
                                                     << "-1"
                                                     << "0" << 1 << "Rapid 30 0"
                                                     << "Arc 30 0 0 0 cw";
    // The direction follows the step as the stripes read it: "1abc" is 1.
    QTest::newRow("step with trailing letters") << "100"
                                                << "1abc"
                                                << "0" << 101 << "Rapid 30 0"
                                                << "Arc -5.209 29.544 0 0 ccw";
}

void TestLayouts::roundBaseCircle()
{
    QFETCH(QString, total);
    QFETCH(QString, step);
    QFETCH(QString, startAngle);
    QFETCH(int, stripes);
    QFETCH(QString, start);
    QFETCH(QString, arc);

    ScaleParameters p = roundScale();
    p.baseline = Baseline::Single;
    p.length = total.toStdString();
    p.distance = step.toStdString();
    p.startAngle = startAngle.toStdString();
    const QStringList moves = movesOf(p);
    QCOMPARE(moves.size(), 2 * stripes + 2);
    QCOMPARE(moves[0], start); // the base circle starts at the first stripe's foot
    QCOMPARE(moves[2 * stripes], start);
    QCOMPARE(moves[2 * stripes + 1], arc);
}

void TestLayouts::roundPointsKeepThreeDecimalsButSingleYKeepsSevenDigits()
{
    ScaleParameters p = roundScale();
    p.radius = "12345.6789";
    p.package = "111";
    p.length = "45";
    p.distance = "45";
    p.baseline = Baseline::Single;
    const QStringList near = movesOf(p);
    // Stripe 1 at 45°: x1, y1, x2 and the arc's xe are doubles with 3 decimals; the stripe's
    // y2 and the arc's ye are singles with 7 significant digits.
    QCOMPARE(near[2], QString("Rapid 8729.713 8729.713"));
    QCOMPARE(near[3], QString("Cut 8736.784 8736.784"));
    QCOMPARE(near[5], QString("Arc 8729.713 8729.713 0 0 ccw"));

    p.radius = "23456.7891";
    const QStringList far = movesOf(p);
    QCOMPARE(far[2], QString("Rapid 16586.455 16586.455"));
    QCOMPARE(far[3], QString("Cut 16593.526 16593.53"));
    QCOMPARE(far[5], QString("Arc 16586.455 16586.46 0 0 ccw"));
}

void TestLayouts::roundPointsOfAProfileAreExactDoubles_data()
{
    QTest::addColumn<MachineProfile>("chosen");
    QTest::addColumn<OutputFormat>("format");
    QTest::newRow("rs274") << MachineProfile::Rs274 << OutputFormat::Gcode;
    QTest::newRow("grbl") << MachineProfile::Grbl << OutputFormat::Gcode;
    QTest::newRow("grbl-laser") << MachineProfile::GrblLaser << OutputFormat::Gcode;
    QTest::newRow("hpgl-cutter") << MachineProfile::HpglCutter << OutputFormat::Plot;
}

// The dial above, whose plain points lose the fourth decimal and the single Y its eighth
// digit: a profile's writer gets them exact, to round them to its own decimals.
void TestLayouts::roundPointsOfAProfileAreExactDoubles()
{
    QFETCH(MachineProfile, chosen);
    QFETCH(OutputFormat, format);
    ScaleParameters p = roundScale();
    p.radius = "23456.7891";
    p.package = "111";
    p.length = "45";
    p.distance = "45";
    p.baseline = Baseline::Single;
    const std::vector<Coord> points = coordinatesOf(p, fileOf(format, profile(chosen)));
    QCOMPARE(points.size(), std::size_t(12));
    // Stripe 1 at 45 degrees from the radius out by 10, then the base circle from 0 to 45.
    const double inner = 23456.7891 * std::sqrt(0.5);
    const double outer = 23466.7891 * std::sqrt(0.5);
    const double wanted[] = { inner, inner, outer, outer, 23456.7891, 0, inner, inner };
    for (std::size_t i = 0; i < std::size(wanted); ++i) {
        const Coord point = points[4 + i];
        QVERIFY2(std::fabs(point.value - wanted[i]) < 1e-9,
            qPrintable(QString("coordinate %1 is %2").arg(4 + i).arg(point.value, 0, 'f', 12)));
        QCOMPARE(point.precision, Precision::Double);
    }
}

void TestLayouts::numbersOfAProfileAreThePlainPointsUnrounded_data()
{
    QTest::addColumn<Shape>("shape");
    QTest::newRow("ruler") << Shape::Flat;
    QTest::newRow("dial") << Shape::Round;
}

void TestLayouts::numbersOfAProfileAreThePlainPointsUnrounded()
{
    QFETCH(Shape, shape);
    ScaleParameters p;
    p.shape = shape;
    p.numbers.kind = 1;
    const std::vector<Coord> plain = coordinatesOf(p, {}, MoveSection::Numbers);
    const std::vector<Coord> exact
        = coordinatesOf(p, machineFile(profile(MachineProfile::Rs274)), MoveSection::Numbers);
    QCOMPARE(exact.size(), plain.size());
    QVERIFY(!plain.empty());
    std::size_t unrounded = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        QCOMPARE(round3(exact[i].value), plain[i].value);
        QCOMPARE(exact[i].precision, Precision::Double);
        unrounded += exact[i].value != plain[i].value ? 1 : 0;
    }
    QVERIFY(unrounded > plain.size() / 2);
}

void TestLayouts::flatStripePositions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("startX");
    QTest::addColumn<QString>("startY");
    QTest::addColumn<QString>("rapid");
    QTest::addColumn<QString>("cut");

    QTest::newRow("above") << 0 << "0"
                           << "0"
                           << "Rapid 0 0"
                           << "Cut 0 10";
    QTest::newRow("midway") << 1 << "0"
                            << "0"
                            << "Rapid 0 -5"
                            << "Cut 0 5";
    QTest::newRow("under") << 2 << "0"
                           << "0"
                           << "Rapid 0 -10"
                           << "Cut 0 0";
    QTest::newRow("under from start Y") << 2 << "0"
                                        << "2.5"
                                        << "Rapid 0 -7.5"
                                        << "Cut 0 2.5";
    QTest::newRow("midway single arithmetic") << 1 << "0"
                                              << "0.1"
                                              << "Rapid 0 -4.9"
                                              << "Cut 0 5.1";
    QTest::newRow("X in double precision") << 0 << "1234.56789"
                                           << "0"
                                           << "Rapid 1234.56789 0"
                                           << "Cut 1234.56789 10";
}

void TestLayouts::flatStripePositions()
{
    QFETCH(int, position);
    QFETCH(QString, startX);
    QFETCH(QString, startY);
    QFETCH(QString, rapid);
    QFETCH(QString, cut);

    ScaleParameters p;
    p.stripePosition = StripePosition(position);
    p.startX = startX.toStdString();
    p.startY = startY.toStdString();
    const QStringList moves = movesOf(p);
    QCOMPARE(moves[0], rapid);
    QCOMPARE(moves[1], cut);
}

void TestLayouts::flatBaselineFollowsStartX()
{
    ScaleParameters p;
    p.startX = "-12.5";
    p.startY = "-3";
    p.baseline = Baseline::Single;
    p.stripePosition = StripePosition::Under;
    const QStringList moves = movesOf(p);
    QCOMPARE(moves[200], QString("Rapid 87.5 -13"));
    QCOMPARE(moves[201], QString("Cut 87.5 -3"));
    QCOMPARE(moves[202], QString("Rapid -12.5 -3"));
    QCOMPARE(moves[203], QString("Cut 87.5 -3"));
}

void TestLayouts::halfDistanceGivesDistinctExactPositions()
{
    ScaleParameters p;
    p.distance = "0.5";
    p.length = "2";
    const QStringList moves = movesOf(p);
    QCOMPARE(moves.size(), 10);
    QCOMPARE(moves[2], QString("Rapid 0.5 0"));
    QCOMPARE(moves[6], QString("Rapid 1.5 0"));
    QCOMPARE(moves[8], QString("Rapid 2 0"));
}

QTEST_APPLESS_MAIN(TestLayouts)
#include "test_layouts.moc"
