#include <QTest>

#include "model/scale_parameters.h"
#include "model/stripe_pattern.h"

using namespace mensora;

namespace {

// The sequence of `pattern` repeated by position: stripe i gets pattern[i mod L].
QString repeated(const QString& pattern, int stripes)
{
    QString s;
    for (int i = 0; i < stripes; ++i)
        s += pattern[i % pattern.size()];
    return s;
}

} // namespace

class TestStripePattern : public QObject
{
    Q_OBJECT

private slots:
    void expansion_data();
    void expansion();
    void refusals_data();
    void refusals();
    void defaultScaleKindsAtKnownStripes();
    void largestSequences();
    void lengthLookupByKind();
    void stripeLengthsReadOnlyTheKindsInUse();
};

void TestStripePattern::expansion_data()
{
    QTest::addColumn<float>("total");
    QTest::addColumn<float>("step");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    const QString standard = "1333323333";
    QTest::newRow("defaults 100 / 1") << 100.0f << 1.0f << standard << repeated(standard, 101);
    QTest::newRow("total 105 ends 1,3,3,3,3,2")
        << 105.0f << 1.0f << standard << repeated(standard, 100) + "133332";
    QTest::newRow("package longer than scale") << 5.0f << 1.0f << standard << "133332";
    QTest::newRow("pattern 12, q even") << 10.0f << 1.0f << "12"
                                        << "121212121";
    QTest::newRow("pattern 12, total 12") << 12.0f << 1.0f << "12" << repeated("12", 13);
    QTest::newRow("pattern 1") << 10.0f << 1.0f << "1"
                               << "1111111111";
    QTest::newRow("pattern 1, count 0") << 0.0f << 1.0f << "1"
                                        << "1";
    QTest::newRow("total 2.5 rounds to 2") << 2.5f << 1.0f << standard << "133";
    QTest::newRow("total 3.5 rounds to 4") << 3.5f << 1.0f << standard << "13333";
    QTest::newRow("total 0.4 gives one stripe") << 0.4f << 1.0f << standard << "1";
    QTest::newRow("both negative") << -100.0f << -1.0f << standard << repeated(standard, 101);
    QTest::newRow("round 360 / 2.5") << 360.0f << 2.5f << standard << repeated(standard, 145);
    QTest::newRow("distance 0.5") << 2.0f << 0.5f << "12"
                                  << "12121";
    // L counts the spaces; packages are copied without them, the tail with them, and the
    // result loses its outer spaces.
    QTest::newRow("spaces at both ends, tail only") << 3.0f << 1.0f << " 123 "
                                                    << "123";
    QTest::newRow("trailing space, tail trimmed") << 7.0f << 1.0f << "123 "
                                                  << "123123";
    QTest::newRow("trailing space, period of L") << 5.0f << 1.0f << "123 "
                                                 << "12312";
}

void TestStripePattern::expansion()
{
    QFETCH(float, total);
    QFETCH(float, step);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);

    const auto sequence = stripeSequenceFor(total, step, pattern.toStdString());
    QVERIFY2(sequence, sequence ? "" : sequence.refusal().message.c_str());
    QCOMPARE(QString::fromStdString(*sequence), expected);
}

void TestStripePattern::refusals_data()
{
    QTest::addColumn<float>("total");
    QTest::addColumn<float>("step");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("message");

    const QString standard = "1333323333";
    const int distance = int(ScaleInput::Distance);
    const int package = int(ScaleInput::Package);
    const int length = int(ScaleInput::Length);

    QTest::newRow("distance 0") << 100.0f << 0.0f << standard << distance
                                << "Distance between stripes must not be 0.";
    QTest::newRow("negative zero distance")
        << 100.0f << -0.0f << standard << distance << "Distance between stripes must not be 0.";
    QTest::newRow("empty package")
        << 100.0f << 1.0f << "" << package << "The package (How is 1 pakage) must not be empty.";
    QTest::newRow("opposite signs")
        << 100.0f << -1.0f << standard << length
        << "Length and Distance between stripes must have the same sign.";
    QTest::newRow("count 32768") << 32768.0f << 1.0f << "1" << distance
                                 << "Length, Distance between stripes and the package give more "
                                    "than 32767 stripes.";
    QTest::newRow("huge quotient") << 3e38f << 1e-38f << "1" << distance
                                   << "Length, Distance between stripes and the package give more "
                                      "than 32767 stripes.";
    QTest::newRow("32767 with package of three") << 32767.0f << 1.0f << "123" << distance
                                                 << "Length, Distance between stripes and the "
                                                    "package give more than 32767 stripes.";
    QTest::newRow("digit 7") << 10.0f << 1.0f << "17" << package
                             << "The package (How is 1 pakage) may hold only the digits 1 to 6, "
                                "not \"7\".";
    QTest::newRow("digit 0") << 10.0f << 1.0f << "10" << package
                             << "The package (How is 1 pakage) may hold only the digits 1 to 6, "
                                "not \"0\".";
    QTest::newRow("space inside") << 10.0f << 1.0f << "1 3" << package
                                  << "The package (How is 1 pakage) may hold only the digits 1 to "
                                     "6, not a space.";
    QTest::newRow("leading space reaches the tail") << 7.0f << 1.0f << " 123 " << package
                                                    << "The package (How is 1 pakage) may hold "
                                                       "only the digits 1 to 6, not a space.";
    QTest::newRow("pasted letter") << 10.0f << 1.0f << "13a3" << package
                                   << "The package (How is 1 pakage) may hold only the digits 1 "
                                      "to 6, not \"a\".";
    QTest::newRow("tab") << 10.0f << 1.0f << "1\t3" << package
                         << "The package (How is 1 pakage) may hold only the digits 1 to 6, not "
                            "a control character.";
    QTest::newRow("tab at the end is no space") << 10.0f << 1.0f << "123\t" << package
                                                << "The package (How is 1 pakage) may hold only "
                                                   "the digits 1 to 6, not a control character.";
    QTest::newRow("non-ASCII sign") << 10.0f << 1.0f << "1\u00b03" << package
                                    << "The package (How is 1 pakage) may hold only the digits 1 "
                                       "to 6, not \"\u00b0\".";
}

void TestStripePattern::refusals()
{
    QFETCH(float, total);
    QFETCH(float, step);
    QFETCH(QString, pattern);
    QFETCH(int, input);
    QFETCH(QString, message);

    const auto sequence = stripeSequenceFor(total, step, pattern.toStdString());
    QVERIFY(!sequence);
    QCOMPARE(sequence.refusal().box(), std::optional(ScaleInput(input)));
    QCOMPARE(QString::fromStdString(sequence.refusal().message), message);
}

void TestStripePattern::defaultScaleKindsAtKnownStripes()
{
    const auto sequence = stripeSequenceFor(100, 1, "1333323333");
    QVERIFY(sequence);
    QCOMPARE(sequence->size(), std::size_t(101));
    QCOMPARE(stripeKindAt(*sequence, 0), '1');
    QCOMPARE(stripeKindAt(*sequence, 5), '2');
    QCOMPARE(stripeKindAt(*sequence, 10), '1');
    QCOMPARE(stripeKindAt(*sequence, 100), '1');
}

void TestStripePattern::largestSequences()
{
    // A package of three or more gives N + 1 stripes, so 32766 is its largest count.
    const auto longest = stripeSequenceFor(32766, 1, "1333323333");
    QVERIFY(longest);
    QCOMPARE(longest->size(), std::size_t(32767));
    // A package of one gives N stripes, so 32767 is allowed.
    const auto single = stripeSequenceFor(32767, 1, "1");
    QVERIFY(single);
    QCOMPARE(single->size(), std::size_t(32767));
    // A package of two with q odd gives N - 1 stripes.
    const auto pair = stripeSequenceFor(32767, 1, "12");
    QVERIFY(pair);
    QCOMPARE(pair->size(), std::size_t(32766));
    // A pasted package longer than 32767 characters is cut to the tail the count asks for.
    const auto pasted = stripeSequenceFor(3, 1, std::string(40000, '2'));
    QVERIFY(pasted);
    QCOMPARE(*pasted, std::string("2222"));
}

void TestStripePattern::lengthLookupByKind()
{
    const StripeLengths lengths { 10, 5, 3, 10.5f, 5.5f, 3.5f };
    QCOMPARE(stripeLengthFor('1', lengths), std::optional<float>(10.0f));
    QCOMPARE(stripeLengthFor('4', lengths), std::optional<float>(10.5f));
    QCOMPARE(stripeLengthFor('6', lengths), std::optional<float>(3.5f));
    QCOMPARE(stripeLengthFor('7', lengths), std::optional<float>());
    QCOMPARE(stripeLengthFor('0', lengths), std::optional<float>());
}

void TestStripePattern::stripeLengthsReadOnlyTheKindsInUse()
{
    ScaleParameters parameters;
    parameters.stripeLengths[1] = "7.5 mm";
    parameters.stripeLengths[5] = "1e39";

    const auto lengths = readStripeLengths(parameters, "1232");
    QVERIFY(lengths);
    QCOMPARE((*lengths)[0], 10.0f);
    QCOMPARE((*lengths)[1], 7.5f);
    QCOMPARE((*lengths)[2], 3.0f);

    const auto inch = readStripeLengths(parameters, "1", 25.4);
    QVERIFY(inch);
    QCOMPARE((*inch)[0], 254.0f);

    const auto refused = readStripeLengths(parameters, "1236");
    QVERIFY(!refused);
    QCOMPARE(refused.refusal().box(), std::optional(ScaleInput::Stripe6));
    QCOMPARE(QString::fromStdString(refused.refusal().message),
        QString("Stripe 6 is too large: numbers here must stay below 3.4E+38."));
}

QTEST_APPLESS_MAIN(TestStripePattern)
#include "test_stripe_pattern.moc"
