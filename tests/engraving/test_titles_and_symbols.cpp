#include <cmath>

#include <QTest>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::ScaleParameters)

namespace {

// The points of the number strokes, which are the title's alone on a scale without numbers.
class NumberPoints : public MoveSink
{
public:
    void move(const ToolMove& move) override
    {
        if (!m_numbers)
            return;
        if (const auto* rapid = std::get_if<Rapid>(&move))
            add(rapid->x.value, rapid->y.value);
        else if (const auto* cut = std::get_if<Cut>(&move))
            add(cut->x.value, cut->y.value);
    }
    void section(MoveSection section) override { m_numbers = section == MoveSection::Numbers; }

    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;

private:
    void add(double x, double y)
    {
        minX = std::fmin(minX, x);
        maxX = std::fmax(maxX, x);
        minY = std::fmin(minY, y);
        maxY = std::fmax(maxY, y);
    }
    bool m_numbers = false;
};

Refusal refusalOf(const ScaleParameters& p)
{
    const auto engraving = Engraving::prepare(p, {}, installedFonts());
    if (engraving)
        qFatal("not refused");
    return engraving.refusal();
}

} // namespace

class TestTitlesAndSymbols : public QObject
{
    Q_OBJECT

private slots:
    void aTitleStandsBesideTheStart_data();
    void aTitleStandsBesideTheStart();
    void symbolsAreDrawnFromTheHersheyGreek();
    void charactersTheFontLacksAreRefused_data();
    void charactersTheFontLacksAreRefused();
};

void TestTitlesAndSymbols::aTitleStandsBesideTheStart_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<double>("side"); // -1: before the start toward -X (or clockwise)

    ScaleParameters ruler;
    ruler.startX = "10";
    ruler.startY = "4";
    ruler.labels.title = "C";
    QTest::newRow("ruler") << ruler << -1.0;
    ScaleParameters leftward = ruler;
    leftward.length = "-100";
    leftward.distance = "-1";
    QTest::newRow("ruler running to -X") << leftward << 1.0;
    ScaleParameters dial = ruler;
    dial.shape = Shape::Round;
    dial.length = "270";
    dial.distance = "27";
    dial.startAngle = "45";
    dial.radius = "40";
    QTest::newRow("dial") << dial << -1.0;
    ScaleParameters clockwise = dial;
    clockwise.labels.clockwise = true;
    QTest::newRow("clockwise dial") << clockwise << 1.0;
}

// Its digits' height clear of the first stripe, across the middle of that stripe: beside a
// ruler's start, or round a dial's start angle the other way from where the stripes go.
void TestTitlesAndSymbols::aTitleStandsBesideTheStart()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(double, side);
    const auto engraving = Engraving::prepare(scale, {}, installedFonts());
    QVERIFY(engraving);
    NumberPoints title;
    engraving->makeMoves(title);
    QVERIFY(title.minX <= title.maxX);
    const double height = 3; // the unset height of millimetre numbers
    const double middle = 10.0 / 2; // of a stripe of kind 1, standing above
    if (scale.shape == Shape::Flat) {
        const double clear = side < 0 ? 10 - title.maxX : title.minX - 10;
        QVERIFY2(std::fabs(clear - height) < 0.01, qPrintable(QString::number(clear)));
        QVERIFY(std::fabs((title.minY + title.maxY) / 2 - (4 + middle)) < 0.01);
        return;
    }
    const double x = (title.minX + title.maxX) / 2 - 10;
    const double y = (title.minY + title.maxY) / 2 - 4;
    const double reach = 40 + middle;
    QVERIFY(std::fabs(std::hypot(x, y) - reach) < 0.5);
    const double turned = std::remainder(std::atan2(y, x) * 180 / M_PI - 45, 360);
    QVERIFY2(turned * side > 0 && std::fabs(turned) < 15, qPrintable(QString::number(turned)));
}

// π from the simplex Greek beside futural, stroke for stroke; µ is μ; the degree sign is there.
void TestTitlesAndSymbols::symbolsAreDrawnFromTheHersheyGreek()
{
    const auto futural = installedFonts().font("futural");
    const auto greek = loadInstalledFont("greeks");
    QVERIFY(futural && greek);
    const TextStrokes pi = setText(*futural, "π");
    QVERIFY(!pi.strokes.empty());
    QCOMPARE(pi.strokes, setText(*greek, "p").strokes);
    QCOMPARE(setText(*futural, "µ").strokes, setText(*greek, "l").strokes);
    QVERIFY(futural->has(U'°'));
    QVERIFY(!futural->has(U'€'));
}

void TestTitlesAndSymbols::charactersTheFontLacksAreRefused_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<QString>("message");

    ScaleParameters knob;
    knob.shape = Shape::Round;
    knob.length = "270";
    knob.radius = "20";
    knob.package = "1";
    knob.spacing.law = SpacingLaw::Logarithmic;
    knob.numbers.kind = 1;
    ScaleParameters euro = knob;
    euro.labels.style = LabelStyle::List;
    euro.labels.list = { { 1, "0 €" } };
    QTest::newRow("a label") << euro
                             << "The label 1=0 € holds \"€\", which the font futural lacks.";
    ScaleParameters ticked = knob;
    ticked.labels.title = "V✓";
    QTest::newRow("the title") << ticked
                               << "Title \"V✓\" holds \"✓\", which the font futural lacks.";
    ScaleParameters zero;
    zero.numbers.kind = 1;
    zero.labels.style = LabelStyle::Roman;
    QTest::newRow("no Roman 0")
        << zero << "Labels in Roman numerals need whole numbers from 1 to 3999, and 0 is not one.";
    ScaleParameters tenths = zero;
    tenths.distance = "0.1";
    tenths.length = "1";
    tenths.labels.style = LabelStyle::Fractions;
    tenths.numbers.kind = 3;
    tenths.numbers.first = 1;
    QTest::newRow("no fraction of a tenth")
        << tenths << "Labels in inch fractions need numbers in whole 1/128 in, and 1.1 is not one.";
}

// One sentence naming the label or the title and the character, and nothing written.
void TestTitlesAndSymbols::charactersTheFontLacksAreRefused()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(QString, message);
    const Refusal refusal = refusalOf(scale);
    QCOMPARE(QString::fromStdString(refusal.message), message);
    QVERIFY(refusal.labelSetting());
}

QTEST_APPLESS_MAIN(TestTitlesAndSymbols)
#include "test_titles_and_symbols.moc"
