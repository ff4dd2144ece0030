#include <cmath>
#include <functional>

#include <QTest>

#include "model/measured_points.h"
#include "model/scale_values.h"
#include "model/spacing_table.h"

using namespace mensora;

using Law = std::function<double(double)>;
Q_DECLARE_METATYPE(Law)
Q_DECLARE_METATYPE(mensora::ScaleParameters)
Q_DECLARE_METATYPE(std::vector<mensora::MeasuredPoint>)

namespace {

// A flat scale of values, 250 long, one stripe per Distance over the range, however close.
ScaleParameters valueScale(SpacingLaw law, double from, double to, const char* distance)
{
    ScaleParameters p;
    p.length = "250";
    p.distance = distance;
    p.package = "1";
    p.spacing.law = law;
    p.spacing.from = from;
    p.spacing.to = to;
    p.spacing.minGap = 0;
    return p;
}

QString refusalOf(const Result<ScaleValues>& values)
{
    return values ? QString() : QString::fromStdString(values.refusal().message);
}

} // namespace

class TestSpacingLaws : public QObject
{
    Q_OBJECT

private slots:
    void everyStripeStandsWhereItsLawPutsIt_data();
    void everyStripeStandsWhereItsLawPutsIt();
    void lawsThatCannotPlaceTheRangeAreRefused_data();
    void lawsThatCannotPlaceTheRangeAreRefused();
    void measuredPointsCurvePassesThroughEveryPointAndNeverTurnsBack_data();
    void measuredPointsCurvePassesThroughEveryPointAndNeverTurnsBack();
};

void TestSpacingLaws::everyStripeStandsWhereItsLawPutsIt_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<Law>("f");

    QTest::newRow("logarithmic 1 to 10") << valueScale(SpacingLaw::Logarithmic, 1, 10, "0.5")
                                         << Law([](double v) { return std::log10(v); });
    ScaleParameters square = valueScale(SpacingLaw::Power, 0, 10, "1");
    QTest::newRow("square law 0 to 10") << square << Law([](double v) { return v * v; });
    ScaleParameters root = valueScale(SpacingLaw::Power, 0, 100, "5");
    root.spacing.exponent = 0.5;
    QTest::newRow("root law 0 to 100") << root << Law([](double v) { return std::sqrt(v); });
    QTest::newRow("reciprocal 1 to 10")
        << valueScale(SpacingLaw::Reciprocal, 1, 10, "0.25") << Law([](double v) { return 1 / v; });
    QTest::newRow("decibels -20 to 3") << valueScale(SpacingLaw::Decibel, -20, 3, "1")
                                       << Law([](double v) { return std::pow(10, v / 20); });
    QTest::newRow("decibels of a power -10 to 3") << valueScale(SpacingLaw::DecibelPower, -10, 3,
        "0.5") << Law([](double v) { return std::pow(10, v / 10); });
    ScaleParameters sine = valueScale(SpacingLaw::Expression, 6, 90, "1");
    sine.spacing.formula = "log10(sin(v*_pi/180))";
    QTest::newRow("S scale formula 6 to 90")
        << sine << Law([](double v) { return std::log10(std::sin(v * M_PI / 180)); });
    ScaleParameters loglog = valueScale(SpacingLaw::Expression, 2.5, 20, "0.5");
    loglog.spacing.formula = "log10(log10(v))";
    QTest::newRow("LL scale formula 2.5 to 20")
        << loglog << Law([](double v) { return std::log10(std::log10(v)); });
    ScaleParameters dial = valueScale(SpacingLaw::Logarithmic, 1, 10, "1");
    dial.shape = Shape::Round;
    dial.length = "270";
    QTest::newRow("logarithmic knob over 270 degrees")
        << dial << Law([](double v) { return std::log10(v); });
}

// Value v stands at length × (f(v) − f(from)) / (f(to) − f(from)); the values are whole
// steps from the range's start, the last the range's end.
void TestSpacingLaws::everyStripeStandsWhereItsLawPutsIt()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(Law, f);
    const auto values = readScaleValues(scale);
    QVERIFY2(values, qPrintable(refusalOf(values)));
    const Graduation& g = values->graduation;
    const double from = scale.spacing.from;
    const double to = scale.spacing.to;
    const double step = std::stod(scale.distance);
    const double length = std::stod(scale.length);
    QCOMPARE(g.count(), StripeIndex(std::lround((to - from) / step) + 1));
    QCOMPARE(g.value(g.count() - 1), to);
    for (StripeIndex i = 0; i < g.count(); ++i) {
        const double v = from + i * step;
        QVERIFY(std::fabs(g.value(i) - v) < 1e-12);
        const double exact = length * (f(v) - f(from)) / (f(to) - f(from));
        QVERIFY2(std::fabs(g.position(i) - exact) < 1e-9,
            qPrintable(QString("stripe %1 at %2, not %3").arg(i).arg(g.position(i)).arg(exact)));
    }
    QVERIFY(g.readsValues());
}

void TestSpacingLaws::lawsThatCannotPlaceTheRangeAreRefused_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("saying");
    QTest::addColumn<double>("failsFrom"); // the first value tried that fails lies in
    QTest::addColumn<double>("failsTo"); // [failsFrom, failsTo]; NaN: no value named

    const double none = NAN;
    QTest::newRow("logarithmic range reaching 0")
        << valueScale(SpacingLaw::Logarithmic, 0, 10, "1") << int(SpacingSetting::Values)
        << "takes values above 0 only" << none << none;
    QTest::newRow("reciprocal range below 0")
        << valueScale(SpacingLaw::Reciprocal, -5, 5, "1") << int(SpacingSetting::Values)
        << "takes values above 0 only" << none << none;
    QTest::newRow("range that does not rise")
        << valueScale(SpacingLaw::Logarithmic, 10, 1, "1") << int(SpacingSetting::Values)
        << "must run from a lower value to a higher one" << none << none;
    ScaleParameters flatPower = valueScale(SpacingLaw::Power, 0, 10, "1");
    flatPower.spacing.exponent = 0;
    QTest::newRow("power 0") << flatPower << int(SpacingSetting::Exponent) << "other than 0" << none
                             << none;
    ScaleParameters square = valueScale(SpacingLaw::Power, -5, 5, "1");
    QTest::newRow("square law across 0 turns back")
        << square << int(SpacingSetting::Exponent) << "not strictly monotonic" << 0.0 << 10.0 / 999;
    ScaleParameters logOfZero = valueScale(SpacingLaw::Expression, 0, 10, "1");
    logOfZero.spacing.formula = "log10(v)";
    QTest::newRow("formula not finite at the start")
        << logOfZero << int(SpacingSetting::Formula) << "is not finite" << 0.0 << 0.0;
    ScaleParameters sine = valueScale(SpacingLaw::Expression, 0, 10, "1");
    sine.spacing.formula = "sin(v)";
    QTest::newRow("formula turning back after pi/2")
        << sine << int(SpacingSetting::Formula) << "not strictly monotonic" << M_PI / 2
        << M_PI / 2 + 20.0 / 999;
    ScaleParameters flat = valueScale(SpacingLaw::Expression, 0, 10, "1");
    flat.spacing.formula = "5";
    QTest::newRow("constant formula")
        << flat << int(SpacingSetting::Formula) << "not strictly monotonic" << 0.0 << 10.0 / 999;
    ScaleParameters unread = valueScale(SpacingLaw::Expression, 1, 10, "1");
    unread.spacing.formula = "log10(v";
    QTest::newRow("formula muparser cannot read")
        << unread << int(SpacingSetting::Formula) << "cannot be read" << none << none;
    ScaleParameters unknown = valueScale(SpacingLaw::Expression, 1, 10, "1");
    unknown.spacing.formula = "x * 2";
    QTest::newRow("formula of another variable")
        << unknown << int(SpacingSetting::Formula) << "cannot be read" << none << none;
    ScaleParameters back = valueScale(SpacingLaw::Points, 0, 10, "1");
    back.spacing.points = { { 0, 0 }, { 5, 40 }, { 4, 60 }, { 10, 100 } };
    QTest::newRow("points whose values turn back")
        << back << int(SpacingSetting::Points) << "point 3 (4 at 60) turns back" << none << none;
    ScaleParameters repeat = valueScale(SpacingLaw::Points, 0, 10, "1");
    repeat.spacing.points = { { 0, 0 }, { 5, 40 }, { 5, 60 }, { 10, 100 } };
    QTest::newRow("points repeating a value")
        << repeat << int(SpacingSetting::Points) << "repeats the value" << none << none;
    ScaleParameters bent = valueScale(SpacingLaw::Points, 0, 10, "1");
    bent.spacing.points = { { 0, 0 }, { 5, 40 }, { 7, 30 }, { 10, 100 } };
    QTest::newRow("points whose positions turn back")
        << bent << int(SpacingSetting::Points) << "positions must run one way" << none << none;
    ScaleParameters beyond = valueScale(SpacingLaw::Points, 0, 12, "1");
    beyond.spacing.points = { { 0, 0 }, { 10, 100 } };
    QTest::newRow("range beyond the points") << beyond << int(SpacingSetting::Values)
                                             << "reach beyond the measured points" << none << none;
}

// One sentence, naming the setting and, for a law tried across the range, the first value
// where it fails.
void TestSpacingLaws::lawsThatCannotPlaceTheRangeAreRefused()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(int, setting);
    QFETCH(QString, saying);
    QFETCH(double, failsFrom);
    QFETCH(double, failsTo);
    const auto values = readScaleValues(scale);
    QVERIFY(!values);
    const QString message = refusalOf(values);
    QCOMPARE(values.refusal().spacingSetting(), std::optional(SpacingSetting(setting)));
    QVERIFY2(message.contains(saying), qPrintable(message));
    QVERIFY2(message.endsWith('.') && message.count(". ") == 0, qPrintable(message));
    if (std::isnan(failsFrom))
        return;
    const QString named = message.section("at v = ", 1).chopped(1);
    bool number = false;
    const double at = named.toDouble(&number);
    QVERIFY2(number && at >= failsFrom - 1e-12 && at <= failsTo + 1e-12, qPrintable(message));
}

void TestSpacingLaws::measuredPointsCurvePassesThroughEveryPointAndNeverTurnsBack_data()
{
    QTest::addColumn<std::vector<MeasuredPoint>>("points");

    QTest::newRow("a meter movement, cramped at its start")
        << std::vector<MeasuredPoint> { { 0, 0 }, { 1, 6.5 }, { 2, 15 }, { 5, 44 }, { 10, 100 } };
    QTest::newRow("positions that fall")
        << std::vector<MeasuredPoint> { { 0, 80 }, { 0.5, 61 }, { 1, 40.25 }, { 3, 12 }, { 4, 0 } };
    // A step between two flat stretches: unchecked slopes would overshoot both corners.
    QTest::newRow("a step between flats") << std::vector<MeasuredPoint> { { 0, 0 }, { 1, 0.01 },
        { 2, 0.02 }, { 2.1, 50 }, { 3, 50.01 }, { 4, 50.02 } };
    QTest::newRow("two points") << std::vector<MeasuredPoint> { { -3, 2 }, { 7, 9 } };
}

void TestSpacingLaws::measuredPointsCurvePassesThroughEveryPointAndNeverTurnsBack()
{
    QFETCH(std::vector<MeasuredPoint>, points);
    SpacingSettings settings;
    settings.law = SpacingLaw::Points;
    settings.points = points;
    settings.from = points.front().value;
    settings.to = points.back().value;
    const auto law = measuredPointsLaw(settings);
    QVERIFY(law);
    for (const MeasuredPoint& point : points)
        QVERIFY(std::fabs((*law)->at(point.value) - point.position) <= 1e-9);
    const bool rising = points.back().position > points.front().position;
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        double before = points[k].position;
        for (int j = 1; j <= 2000; ++j) {
            const double v = points[k].value + (points[k + 1].value - points[k].value) * j / 2000;
            const double at = (*law)->at(v);
            QVERIFY2(
                rising ? at > before : at < before, qPrintable(QString("turns back at %1").arg(v)));
            before = at;
        }
    }
}

QTEST_APPLESS_MAIN(TestSpacingLaws)
#include "test_spacing_laws.moc"
