#include <QTest>

#include <cmath>
#include <limits>

#include "model/number_rules.h"
#include "model/scale_parameters.h"

using namespace mensora;

class TestNumberRules : public QObject
{
    Q_OBJECT

private slots:
    void numericPrefixReadsTheFrontOfAText_data();
    void numericPrefixReadsTheFrontOfAText();
    void numericPrefixBeyondDoubleRangeIsInfinite();
    void strictRuleReadsWholeTextsInTheUsersNotation_data();
    void strictRuleReadsWholeTextsInTheUsersNotation();
    void narrowingRoundsToNearestAndRefusesBeyondSingle_data();
    void narrowingRoundsToNearestAndRefusesBeyondSingle();
    void halvesRoundToEven_data();
    void halvesRoundToEven();
    void tooLargeBoxIsRefusedByName();
};

void TestNumberRules::numericPrefixReadsTheFrontOfAText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("plain") << "100" << 100.0;
    QTest::newRow("leading blank and unit") << " 12.5 mm" << 12.5;
    QTest::newRow("unit without blank") << "12mm" << 12.0;
    QTest::newRow("blanks between digits") << "1 000" << 1000.0;
    QTest::newRow("tab and line feed ignored") << "1\t5\n" << 15.0;
    QTest::newRow("comma stops the number") << "2,5" << 2.0;
    QTest::newRow("negative") << "-0.1" << -0.1;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("fraction only") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("exponent E") << "1E2" << 100.0;
    QTest::newRow("exponent lower e") << "1e2" << 100.0;
    QTest::newRow("exponent D") << "1d2" << 100.0;
    QTest::newRow("exponent D upper with sign") << "25D-1" << 2.5;
    QTest::newRow("exponent with plus") << "1E+2" << 100.0;
    QTest::newRow("exponent letter without digits") << "3E" << 3.0;
    QTest::newRow("blank inside exponent") << "1 E 2" << 100.0;
    QTest::newRow("hexadecimal") << "&H1A" << 26.0;
    QTest::newRow("hexadecimal lower case") << "&hff" << 255.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O178" << 15.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("ampersand other letter") << "&X12" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("sign after digits stops") << "5-3" << 5.0;
    QTest::newRow("double sign") << "--5" << 0.0;
    QTest::newRow("underflow reads as zero") << "1e-400" << 0.0;
    QTest::newRow("long digit run") << QString("0.") + QString(400, '0') + "1e401" << 1.0;
}

void TestNumberRules::numericPrefixReadsTheFrontOfAText()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(numericPrefixValue(text.toStdString()), expected);
}

void TestNumberRules::numericPrefixBeyondDoubleRangeIsInfinite()
{
    QVERIFY(std::isinf(numericPrefixValue("1e400")));
    QVERIFY(numericPrefixValue("-1e400") < 0);
    QVERIFY(std::isinf(numericPrefixValue("9" + std::string(400, '9'))));
    QVERIFY(std::isinf(numericPrefixValue("1e99999999999999999999999")));
    QVERIFY(std::isinf(numericPrefixValue("&H" + std::string(300, 'F'))));
}

void TestNumberRules::strictRuleReadsWholeTextsInTheUsersNotation_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("expected");

    QTest::newRow("digit") << "5"
                           << "."
                           << "," << true << 5.0;
    QTest::newRow("blanks at the ends") << "  2.5 "
                                        << "."
                                        << "," << true << 2.5;
    QTest::newRow("point decimal") << "2.5"
                                   << "."
                                   << "," << true << 2.5;
    QTest::newRow("comma decimal") << "2,5"
                                   << ","
                                   << "." << true << 2.5;
    QTest::newRow("comma is no decimal with point locale") << "2,5"
                                                           << "."
                                                           << "," << false << 0.0;
    QTest::newRow("point is no decimal with comma locale") << "2.5"
                                                           << ","
                                                           << "." << false << 0.0;
    QTest::newRow("grouped thousands") << "1,000"
                                       << "."
                                       << "," << true << 1000.0;
    QTest::newRow("full first group") << "123,456"
                                      << "."
                                      << "," << true << 123456.0;
    QTest::newRow("grouped with comma decimal") << "1.000.000,5"
                                                << ","
                                                << "." << true << 1000000.5;
    QTest::newRow("group of two") << "1,00"
                                  << "."
                                  << "," << false << 0.0;
    QTest::newRow("blank is no group") << "1 000"
                                       << "."
                                       << "," << false << 0.0;
    QTest::newRow("negative") << "-3"
                              << "."
                              << "," << true << -3.0;
    QTest::newRow("plus") << "+3"
                          << "."
                          << "," << true << 3.0;
    QTest::newRow("exponent") << "1E2"
                              << "."
                              << "," << true << 100.0;
    QTest::newRow("negative exponent") << "25e-1"
                                       << "."
                                       << "," << true << 2.5;
    QTest::newRow("D exponent") << "1d2"
                                << "."
                                << "," << false << 0.0;
    QTest::newRow("exponent without digits") << "1E"
                                             << "."
                                             << "," << false << 0.0;
    QTest::newRow("hexadecimal") << "&H1A"
                                 << "."
                                 << "," << false << 0.0;
    QTest::newRow("unit after number") << "12.5 mm"
                                       << "."
                                       << "," << false << 0.0;
    QTest::newRow("trailing letters") << "1abc"
                                      << "."
                                      << "," << false << 0.0;
    QTest::newRow("letters") << "abc"
                             << "."
                             << "," << false << 0.0;
    QTest::newRow("lone minus") << "-"
                                << "."
                                << "," << false << 0.0;
    QTest::newRow("empty") << ""
                           << "."
                           << "," << false << 0.0;
    QTest::newRow("space inside") << "1 5"
                                  << "."
                                  << "," << false << 0.0;
    QTest::newRow("beyond double") << "1e400"
                                   << "."
                                   << "," << false << 0.0;
    QTest::newRow("tab at the end") << "7\t"
                                    << "."
                                    << "," << true << 7.0;
}

void TestNumberRules::strictRuleReadsWholeTextsInTheUsersNotation()
{
    QFETCH(QString, text);
    QFETCH(QString, decimal);
    QFETCH(QString, group);
    QFETCH(bool, isNumber);
    QFETCH(double, expected);

    const NumberFormat format { decimal.toStdString(), group.toStdString() };
    const auto value = strictNumberValue(text.toStdString(), format);
    QCOMPARE(value.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*value, expected);
}

void TestNumberRules::narrowingRoundsToNearestAndRefusesBeyondSingle_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<float>("expected");

    QTest::newRow("exact") << 2.5 << true << 2.5f;
    QTest::newRow("one tenth to nearest") << 0.1 << true << 0.1f;
    QTest::newRow("largest single")
        << double(std::numeric_limits<float>::max()) << true << std::numeric_limits<float>::max();
    QTest::newRow("just below the overflow edge")
        << 0x1.fffffefffffffp127 << true << std::numeric_limits<float>::max();
    QTest::newRow("overflow edge") << 0x1.ffffffp127 << false << 0.0f;
    QTest::newRow("negative beyond") << -1e39 << false << 0.0f;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0.0f;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false << 0.0f;
}

void TestNumberRules::narrowingRoundsToNearestAndRefusesBeyondSingle()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(float, expected);

    const auto single = singleOrNone(value);
    QCOMPARE(single.has_value(), fits);
    if (fits)
        QCOMPARE(*single, expected);
}

void TestNumberRules::halvesRoundToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("3.5") << 3.5 << 4.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("9.9") << 9.9 << 10.0;
    QTest::newRow("-0.1") << -0.1 << 0.0;
    QTest::newRow("2.5000000375") << 2.5000000375 << 3.0;
}

void TestNumberRules::halvesRoundToEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(roundHalfEven(value), expected);
}

void TestNumberRules::tooLargeBoxIsRefusedByName()
{
    const auto length = readSingle("1e39", ScaleInput::Length, Shape::Flat);
    QVERIFY(!length);
    QCOMPARE(length.refusal().box(), std::optional(ScaleInput::Length));
    QVERIFY(length.refusal().message.starts_with("Length is too large"));

    const auto centre = readDouble("1e999", ScaleInput::StartX, Shape::Round);
    QVERIFY(!centre);
    QVERIFY(centre.refusal().message.starts_with("Centre X is too large"));

    QCOMPARE(readSingle(" 12.5 mm", ScaleInput::Length, Shape::Flat).value(), 12.5f);
    QCOMPARE(readDouble("1e300", ScaleInput::Radius, Shape::Round).value(), 1e300);
}

QTEST_APPLESS_MAIN(TestNumberRules)
#include "test_number_rules.moc"
