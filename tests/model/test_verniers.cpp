#include <cmath>

#include <QRandomGenerator>
#include <QTest>

#include "model/added_scales.h"
#include "model/numbered_stripes.h"
#include "model/scale_values.h"

using namespace mensora;

namespace {

// A main scale of `division` (mm on a ruler, degrees on a protractor), as an instrument maker
// types it.
ScaleParameters mainScale(Shape shape, const char* division)
{
    ScaleParameters main;
    main.shape = shape;
    main.length = shape == Shape::Round ? "180" : "150";
    main.distance = division;
    main.numbers.kind = 1;
    return main;
}

ScaleValues valuesOf(const ScaleParameters& p)
{
    const auto values = readScaleValues(p);
    if (!values)
        qFatal("refused: %s", values.refusal().message.c_str());
    return *values;
}

} // namespace

class TestVerniers : public QObject
{
    Q_OBJECT

private slots:
    void aVernierReadsToItsLeastCountWhereverItStands_data();
    void aVernierReadsToItsLeastCountWhereverItStands();
    void defaultNumbersReadAsTheInstrumentIsRead_data();
    void defaultNumbersReadAsTheInstrumentIsRead();
    void theOtherUnitSharesTheZeroAcrossTheBaseline();
};

void TestVerniers::aVernierReadsToItsLeastCountWhereverItStands_data()
{
    QTest::addColumn<int>("divisions");
    QTest::addColumn<int>("over");
    QTest::addColumn<QString>("division");
    QTest::addColumn<int>("shape");

    QTest::newRow("10/9 reads 0.1 mm") << 10 << 9 << "1" << int(Shape::Flat);
    QTest::newRow("50/49 reads 0.02 mm") << 50 << 49 << "1" << int(Shape::Flat);
    QTest::newRow("20/39 reads 0.05 mm") << 20 << 39 << "1" << int(Shape::Flat);
    QTest::newRow("12/23 on 1 degree reads 5 minutes") << 12 << 23 << "1" << int(Shape::Round);
    QTest::newRow("retrograde 10/11") << 10 << 11 << "1" << int(Shape::Flat);
    QTest::newRow("25/24 on 0.025 in reads 0.001 in") << 25 << 24 << "0.025" << int(Shape::Flat);
}

// Slid to any offset, the vernier mark that meets a main mark best tells the offset to within
// half the least count d / n: counted from zero, or from the far end on a retrograde vernier.
void TestVerniers::aVernierReadsToItsLeastCountWhereverItStands()
{
    QFETCH(int, divisions);
    QFETCH(int, over);
    QFETCH(QString, division);
    QFETCH(int, shape);
    const ScaleParameters main = mainScale(Shape(shape), division.toUtf8().constData());
    const auto added = vernierAgainst(main, divisions, over, false);
    QVERIFY(added);
    const Graduation vernier = valuesOf(added->parameters).graduation;
    QCOMPARE(vernier.count(), divisions + 1);

    const double d = division.toDouble();
    const double leastCount = d / divisions;
    const bool retrograde = over % divisions == 1;
    QRandomGenerator random(20261209);
    for (int trial = 0; trial < 1000; ++trial) {
        const double offset = random.bounded(100.0) * d;
        int best = 0;
        double nearest = INFINITY;
        for (StripeIndex k = 0; k <= divisions; ++k) {
            const double at = offset + vernier.position(k);
            const double apart = std::fabs(at - std::round(at / d) * d);
            if (apart < nearest) {
                nearest = apart;
                best = k;
            }
        }
        const double fraction = (retrograde ? divisions - best : best) * leastCount;
        const double whole = std::floor(offset / d) * d;
        const double reading = std::remainder(whole + fraction - offset, d);
        QVERIFY2(std::fabs(reading) <= leastCount / 2 + 1e-9,
            qPrintable(QString("offset %1 read as %2").arg(offset).arg(whole + fraction)));
    }
}

void TestVerniers::defaultNumbersReadAsTheInstrumentIsRead_data()
{
    QTest::addColumn<int>("divisions");
    QTest::addColumn<int>("over");
    QTest::addColumn<int>("shape");
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QStringList>("numbers");

    // Calipers are read in tenths (hundredths for 0.05), protractors in minutes.
    QTest::newRow("10/9") << 10 << 9 << int(Shape::Flat) << false << QStringList { "0", "5", "10" };
    QTest::newRow("50/49") << 50 << 49 << int(Shape::Flat) << false
                           << QStringList { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                  "10" };
    QTest::newRow("20/39") << 20 << 39 << int(Shape::Flat) << false
                           << QStringList { "0", "25", "50", "75", "100" };
    QTest::newRow("12/23") << 12 << 23 << int(Shape::Round) << false
                           << QStringList { "0", "30", "60" };
    QTest::newRow("12/23 both sides")
        << 12 << 23 << int(Shape::Round) << true << QStringList { "-60", "-30", "0", "30", "60" };
}

void TestVerniers::defaultNumbersReadAsTheInstrumentIsRead()
{
    QFETCH(int, divisions);
    QFETCH(int, over);
    QFETCH(int, shape);
    QFETCH(bool, bothSides);
    QFETCH(QStringList, numbers);
    const auto added = vernierAgainst(mainScale(Shape(shape), "1"), divisions, over, bothSides);
    QVERIFY(added);
    const ScaleParameters& vernier = added->parameters;
    const auto numbered = numberedStripes(valuesOf(vernier).graduation, vernier.numbers);
    QVERIFY(numbered);
    QStringList texts;
    for (const NumberedStripe& stripe : *numbered)
        texts << QString::fromStdString(stripe.text);
    QCOMPARE(texts, numbers);
    // Its end carries a number, and the vernier stands across the main scale's baseline.
    QCOMPARE(numbered->back().index, valuesOf(vernier).graduation.count() - 1);
    QCOMPARE(vernier.stripePosition, StripePosition::Under);
}

// 150 mm beside 1/16 in: the inch scale's marks stand at k / 16 in from the same zero, under
// the baseline, and its numbers count inches.
void TestVerniers::theOtherUnitSharesTheZeroAcrossTheBaseline()
{
    ScaleParameters main = mainScale(Shape::Flat, "1");
    main.startX = "12.7";
    const auto added = otherUnitOf(main);
    QVERIFY(added);
    const ScaleParameters& inch = added->parameters;
    QCOMPARE(inch.unit, Unit::Inch);
    QCOMPARE(inch.startX, std::string("0.5"));
    QCOMPARE(inch.stripePosition, StripePosition::Under);
    const ScaleValues values = valuesOf(inch);
    QCOMPARE(values.graduation.count(), StripeIndex(150 / 25.4 * 16) + 1);
    for (StripeIndex k = 0; k < values.graduation.count(); ++k)
        QCOMPARE(values.graduation.position(k), k / 16.0);
    const auto numbered = numberedStripes(values.graduation, inch.numbers);
    QVERIFY(numbered);
    QCOMPARE(numbered->size(), std::size_t(6));
    QCOMPARE(numbered->back().text, std::string("5"));

    main.shape = Shape::Round;
    QVERIFY(!otherUnitOf(main));
}

QTEST_APPLESS_MAIN(TestVerniers)
#include "test_verniers.moc"
