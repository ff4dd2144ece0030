#include <QTest>

#include <algorithm>
#include <cmath>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "support/recording_sink.h"
#include "writers/coordinate_text.h"

using namespace mensora;

namespace {

// The moves after the first stripe's four, as "Rapid x y", "Plunge", "Cut x y", "Lift".
QStringList movesAfterTheStripe(const ScaleParameters& parameters)
{
    const auto engraving = Engraving::prepare(parameters, {}, installedFonts());
    if (!engraving)
        qFatal("refused: %s", engraving.refusal().message.c_str());
    RecordingSink sink;
    engraving->makeMoves(sink);
    QStringList texts;
    const auto text = [](Coord c) { return QString::fromStdString(coordinateText(c)); };
    for (std::size_t i = 4; i < sink.moves.size(); ++i) {
        const ToolMove& move = sink.moves[i];
        if (const auto* rapid = std::get_if<Rapid>(&move))
            texts << "Rapid " + text(rapid->x) + " " + text(rapid->y);
        else if (const auto* cut = std::get_if<Cut>(&move))
            texts << "Cut " + text(cut->x) + " " + text(cut->y)
                    + (cut->axes == CutAxes::XY ? "" : " (one axis)");
        else
            texts << (std::holds_alternative<Plunge>(move) ? "Plunge" : "Lift");
    }
    return texts;
}

// The lowest and highest Y that the numbers' moves reach.
class NumberHeightSink : public MoveSink
{
public:
    void section(MoveSection section) override { m_numbers = section == MoveSection::Numbers; }
    void move(const ToolMove& move) override
    {
        if (!m_numbers)
            return;
        if (const auto* rapid = std::get_if<Rapid>(&move))
            reach(rapid->y.value);
        else if (const auto* cut = std::get_if<Cut>(&move))
            reach(cut->y.value);
    }
    double height() const { return m_highest - m_lowest; }

private:
    void reach(double y)
    {
        m_lowest = std::min(m_lowest, y);
        m_highest = std::max(m_highest, y);
    }
    bool m_numbers = false;
    double m_lowest = INFINITY;
    double m_highest = -INFINITY;
};

} // namespace

class TestNumberLayout : public QObject
{
    Q_OBJECT

private slots:
    void workedPlacements_data();
    void workedPlacements();
    void inchNumbersWithoutAHeightAreAnEighthOfAnInchTall();
};

// One stripe of kind 1 (length 10; a dial's radius 30) numbered "1": the glyph of futural is
// one stroke through (6,17) (8,18) (11,21) (11,0) in font units, its ink 6 to 11 wide, the
// digits 21 high. Height 2.1 makes a font unit 0.1, so from the middle of the number's box
// the points lie at (-0.25, 0.65) (-0.05, 0.75) (0.25, 1.05) (0.25, -1.05); the box is 0.5
// wide and 2.1 high, and the gap is 1.
void TestNumberLayout::workedPlacements_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QString>("points");

    const int flat = int(Shape::Flat);
    const int round = int(Shape::Round);
    const int above = int(StripePosition::Above);
    const int dial = int(NumberOrientation::Dial);
    const int level = int(NumberOrientation::Level);
    // Ruler: the box's middle is 1 + 1.05 above the stripe's upper end, or below its lower end.
    QTest::newRow("flat above: top end 10, middle at 12.05")
        << flat << above << 0.0 << dial << "-0.25 12.7|-0.05 12.8|0.25 13.1|0.25 11";
    QTest::newRow("flat midway: top end 5, middle at 7.05")
        << flat << int(StripePosition::Midway) << 0.0 << dial
        << "-0.25 7.7|-0.05 7.8|0.25 8.1|0.25 6";
    QTest::newRow("flat under: bottom end -10, middle at -12.05")
        << flat << int(StripePosition::Under) << 0.0 << dial
        << "-0.25 -11.4|-0.05 -11.3|0.25 -11|0.25 -13.1";
    // Along the dial: the middle 42.05 out, up pointing outwards, the foot toward the centre.
    QTest::newRow("dial 0: reads downwards")
        << round << above << 0.0 << dial << "42.7 0.25|42.8 0.05|43.1 -0.25|41 -0.25";
    QTest::newRow("dial 90: upright")
        << round << above << 90.0 << dial << "-0.25 42.7|-0.05 42.8|0.25 43.1|0.25 41";
    QTest::newRow("dial 180: reads upwards")
        << round << above << 180.0 << dial << "-42.7 -0.25|-42.8 -0.05|-43.1 0.25|-41 0.25";
    QTest::newRow("dial 270: upside down")
        << round << above << 270.0 << dial << "0.25 -42.7|0.05 -42.8|-0.25 -43.1|-0.25 -41";
    // Level: upright; the radial line leaves the box 41 out, 0.25 (sideways) or 1.05 (up or
    // down) from its middle.
    QTest::newRow("level 0: middle at 41.25")
        << round << above << 0.0 << level << "41 0.65|41.2 0.75|41.5 1.05|41.5 -1.05";
    QTest::newRow("level 90: middle at 42.05")
        << round << above << 90.0 << level << "-0.25 42.7|-0.05 42.8|0.25 43.1|0.25 41";
    QTest::newRow("level 180: middle at -41.25")
        << round << above << 180.0 << level << "-41.5 0.65|-41.3 0.75|-41 1.05|-41 -1.05";
    QTest::newRow("level 270: middle at -42.05")
        << round << above << 270.0 << level << "-0.25 -41.4|-0.05 -41.3|0.25 -41|0.25 -43.1";
}

void TestNumberLayout::workedPlacements()
{
    QFETCH(int, shape);
    QFETCH(int, position);
    QFETCH(double, angle);
    QFETCH(int, orientation);
    QFETCH(QString, points);

    ScaleParameters p { .length = "0" }; // one stripe, of kind 1
    p.shape = Shape(shape);
    p.stripePosition = StripePosition(position);
    p.startAngle = QString::number(angle).toStdString();
    p.numbers.kind = 1;
    p.numbers.first = 1;
    p.numbers.height = 2.1;
    p.numbers.gap = 1;
    p.numbers.orientation = NumberOrientation(orientation);

    const QStringList at = points.split('|');
    const QStringList expected
        = { "Rapid " + at[0], "Plunge", "Cut " + at[1], "Cut " + at[2], "Cut " + at[3], "Lift" };
    QCOMPARE(movesAfterTheStripe(p), expected);
}

// Every digit of futural is as tall as the number's height: the numbers 0 to 100 of a ruler,
// on one line, reach from the digits' foot to their top.
void TestNumberLayout::inchNumbersWithoutAHeightAreAnEighthOfAnInchTall()
{
    ScaleParameters p;
    p.unit = Unit::Inch;
    p.numbers.kind = 1;
    const auto engraving = Engraving::prepare(p, {}, installedFonts());
    QVERIFY(engraving);
    NumberHeightSink sink;
    engraving->makeMoves(sink);
    QVERIFY2(std::fabs(sink.height() - 0.125) < 1e-6, qPrintable(QString::number(sink.height())));
}

QTEST_APPLESS_MAIN(TestNumberLayout)
#include "test_number_layout.moc"
