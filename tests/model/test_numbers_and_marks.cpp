#include <cmath>
#include <limits>

#include <QTest>

#include "model/number_text.h"
#include "model/numbered_stripes.h"
#include "model/scale_values.h"

using namespace mensora;

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(mensora::NumberSettings)

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
const std::optional<int> asNeeded;

NumberSettings kind(int k)
{
    NumberSettings s;
    s.kind = k;
    return s;
}

} // namespace

class TestNumbersAndMarks : public QObject
{
    Q_OBJECT

private slots:
    void numberText_data();
    void numberText();
    void numberedStripes_data();
    void numberedStripes();
    void numberSettingsRefused_data();
    void numberSettingsRefused();
    void marksShapeTheSequence_data();
    void marksShapeTheSequence();
    void stripesBeforeFullTurn_data();
    void stripesBeforeFullTurn();
};

void TestNumbersAndMarks::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<std::optional<int>>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << 10.0 << asNeeded << "10";
    QTest::newRow("sum noise is not shown") << 0.1 * 3 << asNeeded << "0.3";
    QTest::newRow("as needed stops at 3") << 1.23456 << asNeeded << "1.235";
    QTest::newRow("as needed drops zeros") << 2.5 << asNeeded << "2.5";
    QTest::newRow("fixed keeps zeros") << 1.5 << std::optional(3) << "1.500";
    QTest::newRow("fixed 0 rounds half to even") << 2.5 << std::optional(0) << "2";
    QTest::newRow("fixed 0, odd half goes up") << -1.5 << std::optional(0) << "-2";
    QTest::newRow("the typed decimal rounds, not its binary")
        << 2.675 << std::optional(2) << "2.68";
    QTest::newRow("exact half to even") << 0.125 << std::optional(2) << "0.12";
    QTest::newRow("carry through nines") << 99.9995 << asNeeded << "100";
    QTest::newRow("no minus zero") << -0.0004 << asNeeded << "0";
    QTest::newRow("no minus zero, fixed") << -0.0004 << std::optional(1) << "0.0";
    QTest::newRow("negative") << -12.5 << std::optional(1) << "-12.5";
    QTest::newRow("tiny") << 1e-300 << asNeeded << "0";
    QTest::newRow("15 digits") << 123456789012345.0 << asNeeded << "123456789012345";
}

void TestNumbersAndMarks::numberText()
{
    QFETCH(double, value);
    QFETCH(std::optional<int>, decimals);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(mensora::numberText(value, decimals)), text);
}

void TestNumbersAndMarks::numberedStripes_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<double>("distance");
    QTest::addColumn<NumberSettings>("settings");
    QTest::addColumn<QString>("numbers"); // index:text, ...

    NumberSettings s = kind(1);
    QTest::newRow("default ruler reads 0, 10, 20")
        << "13333233331333323333133" << 1.0 << s << "0:0 10:10 20:20";
    QTest::newRow("half millimetres") << "13133" << 0.5 << s << "0:0 2:1";
    s.first = 100;
    s.step = -25;
    QTest::newRow("negative step counts down") << "1331331" << 1.0 << s << "0:100 3:75 6:50";
    s = kind(2);
    s.decimals = 1;
    s.prefix = "+";
    s.suffix = " mm";
    QTest::newRow("kind 2, fixed decimals, prefix and suffix")
        << "12121" << 2.5 << s << "1:+0.0 mm 3:+5.0 mm";
    s = kind(1);
    s.first = 5;
    QTest::newRow("uneven package: each reads its distance")
        << "113113" << 1.0 << s << "0:5 1:6 3:8 4:9";
    s.step = 10;
    QTest::newRow("uneven package with a step") << "113113" << 1.0 << s << "0:5 1:15 3:25 4:35";
    QTest::newRow("kind not in the sequence") << "333" << 1.0 << kind(1) << "";
    // 0.0085 in double precision reads 0.008 to three decimals; in single it is 0.0085000005.
    QTest::newRow("step counted in double precision")
        << "111" << 0.0085 << kind(1) << "0:0 1:0.008 2:0.017";
}

void TestNumbersAndMarks::numberedStripes()
{
    QFETCH(QString, sequence);
    QFETCH(double, distance);
    QFETCH(NumberSettings, settings);
    QFETCH(QString, numbers);

    const auto numbered = mensora::numberedStripes(
        linearGraduation(sequence.toStdString(), float(distance), distance), settings);
    QVERIFY(numbered);
    QStringList texts;
    for (const NumberedStripe& stripe : *numbered)
        texts << QString::number(stripe.index) + ":" + QString::fromStdString(stripe.text);
    QCOMPARE(texts.join(' '), numbers);
}

void TestNumbersAndMarks::numberSettingsRefused_data()
{
    QTest::addColumn<NumberSettings>("settings");
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("message");

    const int none = -1;
    NumberSettings s = kind(7);
    QTest::newRow("kind 7") << s << int(NumberSetting::Kind)
                            << "Numbered stripes must be a stripe kind from 1 to 6, or 0 for none.";
    s = kind(1);
    s.decimals = 4;
    QTest::newRow("4 decimals") << s << int(NumberSetting::Decimals)
                                << "Decimals must be 0 to 3, or as needed.";
    s = kind(1);
    s.first = infinity;
    QTest::newRow("infinite first")
        << s << int(NumberSetting::First) << "First number must be a finite number.";
    s = kind(1);
    s.step = std::nan("");
    QTest::newRow("step not a number")
        << s << int(NumberSetting::Step) << "Number step must be a finite number.";
    s = kind(1);
    s.first = -1e15;
    QTest::newRow("first of 16 digits")
        << s << int(NumberSetting::First) << "First number gives numbers of 1E+15 or more";
    s = kind(1);
    s.step = 4e14; // the fourth numbered stripe reads 1.2E+15
    QTest::newRow("step reaches 16 digits")
        << s << int(NumberSetting::Step) << "Number step gives numbers of 1E+15 or more";
    s = kind(1);
    s.first = 1e15 - 1;
    QTest::newRow("distance carries past 15 digits")
        << s << none << "Distance between stripes gives numbers of 1E+15 or more";
}

void TestNumbersAndMarks::numberSettingsRefused()
{
    QFETCH(NumberSettings, settings);
    QFETCH(int, setting);
    QFETCH(QString, message);

    const auto numbered
        = mensora::numberedStripes(linearGraduation("1333313333131", 1, 1), settings);
    QVERIFY(!numbered);
    QVERIFY2(QString::fromStdString(numbered.refusal().message).startsWith(message),
        numbered.refusal().message.c_str());
    QCOMPARE(int(numbered.refusal().numberSetting().value_or(NumberSetting(-1))), setting);
}

void TestNumbersAndMarks::marksShapeTheSequence_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<QString>("sequence");

    ScaleParameters p;
    p.package = "1";
    p.length = "10";
    QTest::newRow("package 1 ends short") << p << "1111111111";
    p.marks.endOnTotal = true;
    QTest::newRow("package 1, end on the total") << p << "11111111111";
    p.package = "12";
    p.length = "15";
    p.distance = "0.5";
    QTest::newRow("package 12, end on the total") << p << QString("12").repeated(15) + "1";
    p.package = " 13 ";
    p.length = "4";
    p.distance = "1";
    QTest::newRow("end on the total cycles the trimmed package") << p << "13131";

    ScaleParameters dial;
    dial.shape = Shape::Round;
    dial.length = "360";
    dial.marks.noDoubleMark = true;
    QTest::newRow("360 degrees: 0 is cut once") << dial << QString("1333323333").repeated(36);
    dial.length = "720";
    QTest::newRow("two turns: one turn of stripes") << dial << QString("1333323333").repeated(36);
    dial.length = "350";
    QTest::newRow("not a whole turn: nothing left out")
        << dial << QString("1333323333").repeated(35) + "1";
    dial.length = "360";
    dial.distance = "7";
    QTest::newRow("no stripe comes back") << dial << QString("1333323333").repeated(5) + "13";
    dial.distance = "1";
    dial.package = "12";
    dial.marks.endOnTotal = true;
    QTest::newRow("both marks") << dial << QString("12").repeated(180);

    ScaleParameters ruler;
    ruler.length = "360";
    ruler.marks.noDoubleMark = true;
    QTest::newRow("a ruler cuts every stripe") << ruler << QString("1333323333").repeated(36) + "1";
}

void TestNumbersAndMarks::marksShapeTheSequence()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(QString, sequence);
    const auto values = readScaleValues(parameters);
    QVERIFY(values);
    QCOMPARE(QString::fromStdString(values->sequence()), sequence);
}

void TestNumbersAndMarks::stripesBeforeFullTurn_data()
{
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("stripes");
    QTest::addColumn<int>("kept");

    QTest::newRow("1 degree, 361 stripes") << 1.0 << 361 << 360;
    QTest::newRow("10 degrees, 37 stripes") << 10.0 << 37 << 36;
    QTest::newRow("tenths add up to a turn") << 0.1 << 3601 << 3600;
    QTest::newRow("backwards") << -1.0 << 361 << 360;
    QTest::newRow("a step of two turns") << 720.0 << 2 << 1;
    QTest::newRow("a seventh of a turn, typed to 15 digits") << 51.4285714285714 << 8 << 7;
    QTest::newRow("7 degrees never comes back within 720") << 7.0 << 103 << 103;
    QTest::newRow("short of a turn") << 1.0 << 360 << 360;
}

void TestNumbersAndMarks::stripesBeforeFullTurn()
{
    QFETCH(double, step);
    QFETCH(int, stripes);
    QFETCH(int, kept);
    QCOMPARE(int(mensora::stripesBeforeFullTurn(step, std::size_t(stripes))), kept);
}

QTEST_GUILESS_MAIN(TestNumbersAndMarks)
#include "test_numbers_and_marks.moc"
