#include <cmath>

#include <QTest>

#include "model/scale_values.h"
#include "model/value_segments.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::ScaleParameters)
Q_DECLARE_METATYPE(std::vector<mensora::ValueSegment>)

namespace {

// A slide rule's C scale: 250 mm, 1 to 10, long stripes (kind 1) at the whole numbers.
ScaleParameters cScale(std::vector<ValueSegment> segments)
{
    ScaleParameters p;
    p.length = "250";
    p.spacing.law = SpacingLaw::Logarithmic;
    p.spacing.from = 1;
    p.spacing.to = 10;
    p.spacing.segments = std::move(segments);
    p.spacing.minGap = 0;
    return p;
}

const std::vector<ValueSegment> cSegments
    = { { 1, 2, 0.01, "1333323333" }, { 2, 5, 0.02, "12222" }, { 5, 10, 0.05, "1333323333" } };

ScaleValues valuesOf(const ScaleParameters& p)
{
    const auto values = readScaleValues(p);
    if (!values)
        qFatal("refused: %s", values.refusal().message.c_str());
    return *values;
}

} // namespace

class TestValueSegments : public QObject
{
    Q_OBJECT

private slots:
    void segmentsStepInWholeDecimalSteps_data();
    void segmentsStepInWholeDecimalSteps();
    void whereSegmentsMeetTheLongerKindStands();
    void segmentsThatGiveNoSoundStripesAreRefused_data();
    void segmentsThatGiveNoSoundStripesAreRefused();
    void theGapIsMeasuredAlongTheFeet_data();
    void theGapIsMeasuredAlongTheFeet();
};

void TestValueSegments::segmentsStepInWholeDecimalSteps_data()
{
    QTest::addColumn<std::vector<ValueSegment>>("segments");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");

    QTest::newRow("C scale") << cSegments << 1.0 << 10.0;
    QTest::newRow("tenths, whose sums are not tenths")
        << std::vector<ValueSegment> { { 1, 2, 0.1, "1" }, { 2, 2.3, 0.1, "1" } } << 1.0 << 10.0;
    QTest::newRow("segments given out of order, with a hole")
        << std::vector<ValueSegment> { { 6, 10, 0.5, "12" }, { 1, 3.7, 0.03, "3" } } << 1.0 << 10.0;
    QTest::newRow("sevenths of a thousand")
        << std::vector<ValueSegment> { { 1.007, 1.07, 0.007, "1" } } << 1.0 << 10.0;
}

// Every value is the decimal from + k × step as typed (the double the text gives), each
// segment's first and last value stands exactly once, and no other value is there.
void TestValueSegments::segmentsStepInWholeDecimalSteps()
{
    QFETCH(std::vector<ValueSegment>, segments);
    QFETCH(double, from);
    QFETCH(double, to);
    ScaleParameters p = cScale(segments);
    p.spacing.from = from;
    p.spacing.to = to;
    const Graduation g = valuesOf(p).graduation;
    std::vector<double> expected;
    std::sort(segments.begin(), segments.end(),
        [](const ValueSegment& a, const ValueSegment& b) { return a.from < b.from; });
    for (const ValueSegment& s : segments) {
        const long steps = std::lround((s.to - s.from) / s.step);
        for (long k = 0; k <= steps; ++k) {
            const QString typed = QString::number(s.from + static_cast<double>(k) * s.step, 'f', 9);
            const double value = typed.toDouble();
            if (expected.empty() || expected.back() != value)
                expected.push_back(value);
        }
    }
    QCOMPARE(std::size_t(g.count()), expected.size());
    for (StripeIndex i = 0; i < g.count(); ++i)
        QCOMPARE(g.value(i), expected[std::size_t(i)]);
    for (const ValueSegment& s : segments)
        for (const double end : { s.from, s.to })
            QCOMPARE(std::count(expected.begin(), expected.end(), end), 1);
}

// The first segment ends on a stripe of kind 3 at 2, the second begins there on one of kind 2:
// one stripe stands at 2, of whichever kind is the longer.
void TestValueSegments::whereSegmentsMeetTheLongerKindStands()
{
    ScaleParameters p = cScale({ { 1, 2, 0.5, "31" }, { 2, 3, 0.5, "21" } });
    p.stripeLengths = { "10", "5", "3", "10", "5", "3" };
    const Graduation g = valuesOf(p).graduation;
    QCOMPARE(QString::fromStdString(g.sequence()), QString("31212"));
    QCOMPARE(g.value(2), 2.0);
    p.stripeLengths[2] = "7"; // kind 3 now outreaches kind 2
    QCOMPARE(QString::fromStdString(valuesOf(p).graduation.sequence()), QString("31312"));
}

void TestValueSegments::segmentsThatGiveNoSoundStripesAreRefused_data()
{
    QTest::addColumn<std::vector<ValueSegment>>("segments");
    QTest::addColumn<QString>("saying");

    QTest::newRow("outside the range") << std::vector<ValueSegment> { { 5, 12, 0.5, "1" } }
                                       << "Segment 1 (5 to 12 every 0.5): it lies outside the "
                                          "values 1 to 10.";
    QTest::newRow("overlapping another")
        << std::vector<ValueSegment> { { 1, 3, 0.5, "1" }, { 2.5, 4, 0.5, "1" } }
        << "Segment 2 (2.5 to 4 every 0.5): it overlaps segment 1 (1 to 3 every 0.5).";
    QTest::newRow("a step of 0") << std::vector<ValueSegment> { { 1, 2, 0, "1" } }
                                 << "Segment 1 (1 to 2 every 0): its step must be above 0.";
    QTest::newRow("no whole number of steps")
        << std::vector<ValueSegment> { { 2, 5, 0.07, "1" } }
        << "Segment 1 (2 to 5 every 0.07): 2 to 5 is no whole number of steps of 0.07.";
    QTest::newRow("too many decimals")
        << std::vector<ValueSegment> { { 1, 2, 1e-10, "1" } } << "at most 9 decimals";
    QTest::newRow("a package of other characters")
        << std::vector<ValueSegment> { { 1, 2, 0.5, "13x" } }
        << "Segment 1 (1 to 2 every 0.5): its package may hold only the digits 1 to 6, not "
           "\"x\".";
    QTest::newRow("more than 32767 stripes") << std::vector<ValueSegment> { { 1, 2, 0.0001, "1" },
        { 2, 10, 0.0001, "1" } } << "more than 32767 stripes";
}

void TestValueSegments::segmentsThatGiveNoSoundStripesAreRefused()
{
    QFETCH(std::vector<ValueSegment>, segments);
    QFETCH(QString, saying);
    const auto values = readScaleValues(cScale(segments));
    QVERIFY(!values);
    QCOMPARE(values.refusal().spacingSetting(), std::optional(SpacingSetting::Segments));
    QVERIFY2(QString::fromStdString(values.refusal().message).contains(saying),
        values.refusal().message.c_str());
}

void TestValueSegments::theGapIsMeasuredAlongTheFeet_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<int>("segment"); // as given, from 0; -1: none too close
    QTest::addColumn<double>("first"); // the closest pair of that segment
    QTest::addColumn<double>("apart"); // in the scale's unit

    const double c = 250 * std::log10(5 / 4.98); // 4.98 to 5 on the C scale
    ScaleParameters c02 = cScale(cSegments);
    c02.spacing.minGap.reset();
    QTest::newRow("C scale keeps 0.2 mm") << c02 << -1 << 0.0 << 0.0;
    ScaleParameters c05 = c02;
    c05.spacing.minGap = 0.5;
    QTest::newRow("C scale at 0.5 mm: its 2 to 5 segment") << c05 << 1 << 4.98 << c;
    ScaleParameters reordered = cScale({ cSegments[2], cSegments[0], cSegments[1] });
    reordered.spacing.minGap = 0.5;
    QTest::newRow("named as given") << reordered << 2 << 4.98 << c;
    ScaleParameters knob = cScale({});
    knob.shape = Shape::Round;
    knob.length = "270";
    knob.radius = "10";
    knob.distance = "0.1";
    knob.spacing.minGap = 0.3;
    const double angle = 270 * std::log10(10 / 9.9) * M_PI / 180;
    QTest::newRow("a knob measures the chord on its radius")
        << knob << -1 << 9.9 << 2 * 10 * std::sin(angle / 2);
    ScaleParameters inch = cScale({ { 1, 10, 0.01, "1" } });
    inch.unit = Unit::Inch;
    inch.length = "10";
    inch.spacing.minGap.reset();
    QTest::newRow("an inch scale keeps 0.008 in")
        << inch << 0 << 9.99 << 10 * std::log10(10 / 9.99);
}

// The closest neighbours of the first segment with stripes closer than the gap are named with
// the gap found; the same scale with the gap kept is made.
void TestValueSegments::theGapIsMeasuredAlongTheFeet()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(int, segment);
    QFETCH(double, first);
    QFETCH(double, apart);
    const auto fault = segmentTooClose(scale);
    const auto values = readScaleValues(scale);
    if (segment == -1 && first == 0) {
        QVERIFY(!fault);
        QVERIFY(values);
        return;
    }
    QVERIFY(fault);
    QVERIFY(!values);
    QCOMPARE(values.refusal(), fault->refusal);
    QCOMPARE(fault->segment, segment < 0 ? std::nullopt : std::optional(std::size_t(segment)));
    const QString message = QString::fromStdString(fault->refusal.message);
    QVERIFY2(message.contains(QString("the stripes at %1 and ").arg(first)), qPrintable(message));
    const double found = message.section(" stand ", 1).section(' ', 0, 0).toDouble();
    QVERIFY2(std::fabs(found - apart) <= 0.005 * apart, qPrintable(message));
}

QTEST_APPLESS_MAIN(TestValueSegments)
#include "test_value_segments.moc"
