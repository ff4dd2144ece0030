#include <cmath>

#include <QTest>

#include "model/label_text.h"
#include "model/numbered_stripes.h"
#include "model/scale_values.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::ScaleParameters)
Q_DECLARE_METATYPE(std::vector<mensora::ValueLabel>)

namespace {

ScaleValues valuesOf(const ScaleParameters& p)
{
    const auto values = readScaleValues(p);
    if (!values)
        qFatal("refused: %s", values.refusal().message.c_str());
    return *values;
}

QStringList textsOf(const ScaleParameters& p)
{
    const auto numbered = numberedStripes(valuesOf(p).graduation, p.numbers, p.labels);
    if (!numbered)
        qFatal("refused: %s", numbered.refusal().message.c_str());
    QStringList texts;
    for (const NumberedStripe& stripe : *numbered)
        texts << QString::fromStdString(stripe.text);
    return texts;
}

// A knob: log 1 to 10 over 270°, a stripe at every whole number, each of kind 1.
ScaleParameters logKnob()
{
    ScaleParameters p;
    p.shape = Shape::Round;
    p.length = "270";
    p.radius = "20";
    p.package = "1";
    p.spacing.law = SpacingLaw::Logarithmic;
    p.numbers.kind = 1;
    return p;
}

ScaleParameters cScale()
{
    ScaleParameters p;
    p.length = "250";
    p.spacing.law = SpacingLaw::Logarithmic;
    p.spacing.segments
        = { { 1, 2, 0.01, "1333323333" }, { 2, 5, 0.02, "12222" }, { 5, 10, 0.05, "1333323333" } };
    p.numbers.kind = 1;
    return p;
}

} // namespace

class TestLabels : public QObject
{
    Q_OBJECT

private slots:
    void fractionsAndRomanNumeralsAsInstrumentsRead_data();
    void fractionsAndRomanNumeralsAsInstrumentsRead();
    void reverseCountsFromTheFarEndAndKeepsTheMarks();
    void clockwiseTurnsADialWithoutNegativeBoxes();
    void aListedValueBetweenStripesGetsAMark_data();
    void aListedValueBetweenStripesGetsAMark();
    void listsThatCannotBePlacedAreRefused_data();
    void listsThatCannotBePlacedAreRefused();
};

void TestLabels::fractionsAndRomanNumeralsAsInstrumentsRead_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("mixed");
    QTest::addColumn<QString>("text"); // empty: none

    const int fractions = int(LabelStyle::Fractions);
    QTest::newRow("1/16") << 1 / 16.0 << fractions << false << "1/16";
    QTest::newRow("2/16 reduced") << 2 / 16.0 << fractions << false << "1/8";
    QTest::newRow("3/16") << 3 / 16.0 << fractions << false << "3/16";
    QTest::newRow("a whole inch") << 2.0 << fractions << true << "2";
    QTest::newRow("one and a half") << 1.5 << fractions << false << "3/2";
    QTest::newRow("one and a half, mixed") << 1.5 << fractions << true << "1 1/2";
    QTest::newRow("below 0, mixed") << -2.75 << fractions << true << "-2 3/4";
    QTest::newRow("below an inch, mixed") << -0.5 << fractions << true << "-1/2";
    QTest::newRow("a tenth is no inch fraction") << 0.1 << fractions << false << "";
    QTest::newRow("1/128") << 1 / 128.0 << fractions << false << "1/128";
    QTest::newRow("1/256 is finer") << 1 / 256.0 << fractions << false << "";
    const int roman = int(LabelStyle::Roman);
    QTest::newRow("IV") << 4.0 << roman << false << "IV";
    QTest::newRow("IX") << 9.0 << roman << false << "IX";
    QTest::newRow("XII") << 12.0 << roman << false << "XII";
    QTest::newRow("MCMXCIX") << 1999.0 << roman << false << "MCMXCIX";
    QTest::newRow("3999") << 3999.0 << roman << false << "MMMCMXCIX";
    QTest::newRow("no Roman 0") << 0.0 << roman << false << "";
    QTest::newRow("no Roman 4000") << 4000.0 << roman << false << "";
    QTest::newRow("no Roman half") << 2.5 << roman << false << "";
}

void TestLabels::fractionsAndRomanNumeralsAsInstrumentsRead()
{
    QFETCH(double, value);
    QFETCH(int, style);
    QFETCH(bool, mixed);
    QFETCH(QString, text);
    const auto made
        = LabelStyle(style) == LabelStyle::Roman ? romanText(value) : fractionText(value, mixed);
    QCOMPARE(made ? QString::fromStdString(*made) : QString(), text);
}

// A depth gauge: the stripes of a ruler where they were, its numbers from the far end; a
// reversed scale of values stands each value at length × (f(to) − f(v)) / (f(to) − f(from)).
void TestLabels::reverseCountsFromTheFarEndAndKeepsTheMarks()
{
    ScaleParameters ruler;
    ruler.numbers.kind = 1;
    ScaleParameters gauge = ruler;
    gauge.labels.reverse = true;
    QCOMPARE(valuesOf(gauge).graduation.sequence(), valuesOf(ruler).graduation.sequence());
    QStringList backward = textsOf(ruler);
    std::reverse(backward.begin(), backward.end());
    QCOMPARE(textsOf(gauge), backward);

    ScaleParameters knob = logKnob();
    knob.labels.reverse = true;
    const Graduation g = valuesOf(knob).graduation;
    for (StripeIndex i = 0; i < g.count(); ++i)
        QVERIFY(std::fabs(g.position(i) - 270 * (1 - std::log10(i + 1.0))) < 1e-9);
    QCOMPARE(textsOf(knob).first(), QString("1"));
}

// A handwheel of 100 divisions turning clockwise reads as one typed with negative boxes, its
// numbers still counting up; a knob of values turns the same way.
void TestLabels::clockwiseTurnsADialWithoutNegativeBoxes()
{
    ScaleParameters negative;
    negative.shape = Shape::Round;
    negative.length = "-360";
    negative.distance = "-3.6";
    negative.numbers.kind = 1;
    negative.numbers.step = 10;
    negative.marks.noDoubleMark = true;
    ScaleParameters clockwise = negative;
    clockwise.length = "360";
    clockwise.distance = "3.6";
    clockwise.labels.clockwise = true;
    const ScaleValues a = valuesOf(negative);
    const ScaleValues b = valuesOf(clockwise);
    QCOMPARE(b.total, a.total);
    QCOMPARE(b.graduation.count(), a.graduation.count());
    for (StripeIndex i = 0; i < a.graduation.count(); ++i) {
        QCOMPARE(b.graduation.position(i), a.graduation.position(i));
        QCOMPARE(b.graduation.position(i, Precision::Single),
            a.graduation.position(i, Precision::Single));
    }
    QVERIFY(!b.graduation.advancesPositively());
    QCOMPARE(textsOf(clockwise).last(), QString("90"));

    ScaleParameters knob = logKnob();
    knob.labels.clockwise = true;
    const ScaleValues turned = valuesOf(knob);
    QCOMPARE(turned.total, -270.0f);
    for (StripeIndex i = 0; i < turned.graduation.count(); ++i)
        QVERIFY(std::fabs(turned.graduation.position(i) + 270 * std::log10(i + 1.0)) < 1e-9);
}

void TestLabels::aListedValueBetweenStripesGetsAMark_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::addColumn<std::vector<ValueLabel>>("list");
    QTest::addColumn<QStringList>("texts"); // shown, first stripe first
    QTest::addColumn<double>("markValue"); // NaN: no mark added
    QTest::addColumn<double>("markPlace");

    const std::vector<ValueLabel> minMedMax = { { 1, "MIN" }, { 3, "MED" }, { 10, "MAX" } };
    QTest::newRow("knob MIN MED MAX on its stripes")
        << logKnob() << minMedMax << QStringList { "MIN", "MED", "MAX" } << double(NAN) << 0.0;
    QTest::newRow("pi on the C scale")
        << cScale() << std::vector<ValueLabel> { { 3.14159, "π" } } << QStringList { "π" }
        << 3.14159 << 250 * std::log10(3.14159);
    ScaleParameters dial;
    dial.shape = Shape::Round;
    dial.length = "270";
    dial.distance = "27";
    dial.package = "1";
    dial.marks.endOnTotal = true;
    dial.numbers.kind = 1;
    dial.numbers.step = 1;
    QTest::newRow("even dial 0 to 10, a mark at 2.5")
        << dial << std::vector<ValueLabel> { { 0, "MIN" }, { 2.5, "LOW" }, { 10, "MAX" } }
        << QStringList { "MIN", "LOW", "MAX" } << 2.5 << 2.5 * 27;
    ScaleParameters gauge = dial;
    gauge.labels.reverse = true;
    QTest::newRow("reversed, counted from the far end")
        << gauge << std::vector<ValueLabel> { { 0, "E" }, { 10, "F" } } << QStringList { "F", "E" }
        << double(NAN) << 0.0;
}

// Listed values read on stripes show their text; one between stripes gets a stripe of the
// numbers' kind of its own, where the law (or the even division) puts it.
void TestLabels::aListedValueBetweenStripesGetsAMark()
{
    QFETCH(ScaleParameters, scale);
    QFETCH(std::vector<ValueLabel>, list);
    QFETCH(QStringList, texts);
    QFETCH(double, markValue);
    QFETCH(double, markPlace);
    ScaleParameters plain = scale;
    scale.labels.style = LabelStyle::List;
    scale.labels.list = list;
    QCOMPARE(textsOf(scale), texts);
    const Graduation before = valuesOf(plain).graduation;
    const Graduation after = valuesOf(scale).graduation;
    if (std::isnan(markValue)) {
        QCOMPARE(after.sequence(), before.sequence());
        return;
    }
    QCOMPARE(after.count(), before.count() + 1);
    StripeIndex mark = 0;
    while (after.value(mark) != markValue)
        ++mark;
    QCOMPARE(after.kind(mark), char('0' + scale.numbers.kind));
    QVERIFY(std::fabs(after.position(mark) - markPlace) < 1e-9);
    QVERIFY(after.position(mark - 1) < markPlace && markPlace < after.position(mark + 1));
}

void TestLabels::listsThatCannotBePlacedAreRefused_data()
{
    QTest::addColumn<std::vector<ValueLabel>>("list");
    QTest::addColumn<QString>("message");

    QTest::newRow("beyond the values") << std::vector<ValueLabel> { { 12, "MAX" } }
                                       << "The label 12=MAX lies beyond the scale's values.";
    QTest::newRow("a value twice") << std::vector<ValueLabel> { { 2, "A" }, { 2, "B" } }
                                   << "The label 2=B lists a value listed before.";
    QTest::newRow("no text") << std::vector<ValueLabel> { { 2, "" } }
                             << "The label 2= must have a text of 1 to 40 characters.";
}

void TestLabels::listsThatCannotBePlacedAreRefused()
{
    QFETCH(std::vector<ValueLabel>, list);
    QFETCH(QString, message);
    ScaleParameters knob = logKnob();
    knob.labels.style = LabelStyle::List;
    knob.labels.list = list;
    const auto values = readScaleValues(knob);
    QVERIFY(!values);
    QCOMPARE(values.refusal().labelSetting(), std::optional(LabelSetting::List));
    QCOMPARE(QString::fromStdString(values.refusal().message), message);
}

QTEST_APPLESS_MAIN(TestLabels)
#include "test_labels.moc"
