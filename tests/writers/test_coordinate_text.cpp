#include <QTest>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "writers/coordinate_text.h"
#include "writers/gcode_writer.h"
#include "writers/plot_writer.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::Precision)

class TestCoordinateText : public QObject
{
    Q_OBJECT

private slots:
    void coordinatesInPlainNotation_data();
    void coordinatesInPlainNotation();
    void decimalCommaReplacesThePointOnly();
    void textIsTheValueRoundedToItsSignificantDigits();
    void plotterUnitsRoundHalvesToEven_data();
    void plotterUnitsRoundHalvesToEven();
    void fixedDecimalsRoundTheExactValueHalvesToEven_data();
    void fixedDecimalsRoundTheExactValueHalvesToEven();
    void fixedDecimalsAgreeWithTheGeneralConversion();
    void gcodeRecordsPieceByPiece();
    void plotRecordsPenUpAndDown();
    void gcodeReachesTheSinkInLargePiecesWithNothingLost();
};

void TestCoordinateText::coordinatesInPlainNotation_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<Precision>("precision");
    QTest::addColumn<QString>("text");

    const auto S = Precision::Single;
    const auto D = Precision::Double;
    QTest::newRow("zero single") << 0.0 << S << "0";
    QTest::newRow("zero double") << 0.0 << D << "0";
    QTest::newRow("negative zero") << -0.0 << D << "0";
    QTest::newRow("ten") << 10.0 << S << "10";
    QTest::newRow("hundred, no point") << 100.0 << D << "100";
    QTest::newRow("minus two and a half") << -2.5 << S << "-2.5";
    QTest::newRow("one third single") << double(1.0f / 3.0f) << S << "0.3333333";
    QTest::newRow("one third double") << 1.0 / 3.0 << D << "0.333333333333333";
    QTest::newRow("single nearest 0.1") << double(0.1f) << S << "0.1";
    QTest::newRow("single nearest 0.1 as double") << double(0.1f) << D << "0.100000001490116";
    QTest::newRow("half, leading zero") << 0.5 << D << "0.5";
    QTest::newRow("three decimals") << 29.995 << D << "29.995";
    QTest::newRow("negative three decimals") << -5.209 << D << "-5.209";
    QTest::newRow("single 12345.678 keeps 7 digits") << double(12345.678f) << S << "12345.68";
    QTest::newRow("double 12345.678 keeps all") << 12345.678 << D << "12345.678";
    QTest::newRow("single rounding carries") << double(9999999.5f) << S << "10000000";
    QTest::newRow("small value") << 0.00012 << D << "0.00012";
    QTest::newRow("large single") << 1e20 << S << "100000000000000000000";
    QTest::newRow("negative small single") << double(-0.001f) << S << "-0.001";
    // Points of three decimals take a shortcut: its edges, and values just off such points.
    QTest::newRow("single thousandths, top") << double(9999.999f) << S << "9999.999";
    QTest::newRow("single 10^4, past the top") << double(10000.0f) << S << "10000";
    QTest::newRow("single 16383.999 rounds") << double(16383.999f) << S << "16384";
    QTest::newRow("single half a thousandth") << double(0.0005f) << S << "0.0005";
    QTest::newRow("single between thousandths") << double(-1.0015f) << S << "-1.0015";
    QTest::newRow("single next above 0.999")
        << double(std::nextafter(0.999f, 1.0f)) << S << "0.9990001";
    QTest::newRow("double thousandths, top") << 999999999999.999 << D << "999999999999.999";
    QTest::newRow("double 10^12, past the top") << 1e12 << D << "1000000000000";
    QTest::newRow("double 16 digits rounds") << 1234567890123.456 << D << "1234567890123.46";
    QTest::newRow("double between thousandths") << -0.0015 << D << "-0.0015";
}

void TestCoordinateText::coordinatesInPlainNotation()
{
    QFETCH(double, value);
    QFETCH(Precision, precision);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(coordinateText({ value, precision })), text);
}

void TestCoordinateText::decimalCommaReplacesThePointOnly()
{
    QCOMPARE(coordinateText(Coord::single(2.5f), ","), std::string("2,5"));
    QCOMPARE(coordinateText(Coord::wide(-0.25), ","), std::string("-0,25"));
    QCOMPARE(coordinateText(Coord::wide(1000), ","), std::string("1000"));
    QCOMPARE(coordinateText(Coord::wide(-0.125), "::"), std::string("-0::125"));
    QCOMPARE(coordinateText(Coord::wide(1.0 / 3), "::"), std::string("0::333333333333333"));
}

// Against the plain rule, for many values: round the exact value to 7 or 15 significant
// digits. Both texts are read back and compared as numbers.
void TestCoordinateText::textIsTheValueRoundedToItsSignificantDigits()
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-6, 12);
    for (int i = 0; i < 200000; ++i) {
        const bool single = i % 2 == 0;
        double value = std::pow(10.0, exponent(random)) * (random() % 2 ? 1 : -1);
        if (i % 3 == 0)
            value = std::nearbyint(value * 1000) / 1000; // a point rounded to 3 decimals
        if (single)
            value = static_cast<float>(value);
        const Coord coord { value, single ? Precision::Single : Precision::Double };

        char expected[64];
        const auto end = std::to_chars(expected, expected + sizeof expected, value,
            std::chars_format::scientific, single ? 6 : 14);
        double expectedValue = 0;
        std::from_chars(expected, end.ptr, expectedValue);
        const std::string text = coordinateText(coord);
        double actualValue = 0;
        std::from_chars(text.data(), text.data() + text.size(), actualValue);
        if (actualValue != expectedValue)
            QFAIL(qPrintable(QString("%1 written as %2")
                                 .arg(value, 0, 'g', 17)
                                 .arg(QString::fromStdString(text))));
    }
}

void TestCoordinateText::plotterUnitsRoundHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<Precision>("precision");
    QTest::addColumn<QString>("text");

    QTest::newRow("0.0125 gives 0.5, written 0") << 0.0125 << Precision::Double << "0";
    QTest::newRow("0.0375 gives 1.5, written 2") << 0.0375 << Precision::Double << "2";
    QTest::newRow("-0.0625 gives -2.5, written -2") << -0.0625 << Precision::Double << "-2";
    QTest::newRow("-0.01 rounds to zero, no sign") << -0.01 << Precision::Double << "0";
    QTest::newRow("ten") << 10.0 << Precision::Single << "400";
    QTest::newRow("minus five") << -5.0 << Precision::Double << "-200";
    QTest::newRow("single product in single") << double(0.3f) << Precision::Single << "12";
    // 40 × 0.0125f is 0.50000001 in double but exactly 0.5 in single.
    QTest::newRow("single 0.0125 gives 0.5 in single, written 0")
        << double(0.0125f) << Precision::Single << "0";
}

void TestCoordinateText::plotterUnitsRoundHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(Precision, precision);
    QFETCH(QString, text);
    std::string out;
    appendWholeNumber(out, plotterUnits({ value, precision }));
    QCOMPARE(QString::fromStdString(out), text);
}

void TestCoordinateText::fixedDecimalsRoundTheExactValueHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << 4 << "0";
    QTest::newRow("negative zero") << -0.0 << 4 << "0";
    QTest::newRow("a negative that rounds to zero") << -0.00004 << 4 << "0";
    QTest::newRow("whole, no point") << 100.0 << 4 << "100";
    QTest::newRow("trailing zeros dropped") << 12.345 << 4 << "12.345";
    QTest::newRow("below one, leading zero") << 0.5 << 5 << "0.5";
    QTest::newRow("negative") << -5.209 << 5 << "-5.209";
    QTest::newRow("single keeps its short text") << double(29.544f) << 4 << "29.544";
    QTest::newRow("exact half to even, down") << 0.125 << 2 << "0.12";
    QTest::newRow("exact half to even, up") << 0.375 << 2 << "0.38";
    QTest::newRow("whole half to even") << -2.5 << 0 << "-2";
    QTest::newRow("0.00005 lies above the half") << 0.00005 << 4 << "0.0001";
    QTest::newRow("0.00015 lies below the half") << 0.00015 << 4 << "0.0001";
    QTest::newRow("rounding carries") << 99999.99996 << 4 << "100000";
    QTest::newRow("99999.99995 lies below the half") << 99999.99995 << 4 << "99999.9999";
    QTest::newRow("fifth decimal in inch") << 1.234567 << 5 << "1.23457";
    QTest::newRow("large") << 1e20 << 4 << "100000000000000000000";
}

void TestCoordinateText::fixedDecimalsRoundTheExactValueHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(fixedDecimalsText(value, decimals)), text);
}

// Against printf's rounding of the exact value, for many values, most of them points rounded to
// 3 decimals as the layouts make them, in double and in single precision.
void TestCoordinateText::fixedDecimalsAgreeWithTheGeneralConversion()
{
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> exponent(-6, 9);
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, exponent(random)) * (random() % 2 ? 1 : -1);
        if (i % 3 != 0)
            value = std::nearbyint(value * 1000) / 1000;
        if (i % 5 == 0)
            value = static_cast<float>(value);
        const int decimals = 4 + i % 2;
        char expected[400];
        char* end = std::to_chars(
            expected, expected + sizeof expected, value, std::chars_format::fixed, decimals)
                        .ptr;
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
        std::string reference(expected, end);
        if (reference == "-0")
            reference = "0";
        if (fixedDecimalsText(value, decimals) != reference)
            QFAIL(qPrintable(QString("%1 written as %2, not %3")
                                 .arg(value, 0, 'g', 17)
                                 .arg(QString::fromStdString(fixedDecimalsText(value, decimals)),
                                     QString::fromStdString(reference))));
    }
}

void TestCoordinateText::gcodeRecordsPieceByPiece()
{
    StringSink sink;
    GcodeWriter writer(sink, ",");
    writer.begin();
    writer.move(Rapid { Coord::wide(-5), Coord::single(-2.5f) });
    writer.move(Plunge { " -0,1 " });
    writer.move(Cut { Coord::wide(1), Coord::single(2.5f), CutAxes::Y });
    writer.move(Cut { Coord::single(100), Coord::single(0), CutAxes::X });
    writer.move(Cut { Coord::wide(1.5), Coord::single(2), CutAxes::XY });
    writer.move(Lift {});
    writer.move(Arc { Coord::wide(1), Coord::single(2), Coord::wide(0), Coord::single(-1),
        ArcDirection::Clockwise });
    writer.move(Arc { Coord::wide(1), Coord::single(2), Coord::wide(0), Coord::single(0),
        ArcDirection::CounterClockwise });
    writer.move(Plunge { "" });
    writer.end();
    QCOMPARE(QString::fromStdString(sink.text),
        QString("N1 G0 X-5 Y-2,5 Z1\r\n"
                "N2 G1 Z -0,1 \r\n"
                "N3 G1 Y2,5\r\n"
                "N4 G1 X100\r\n"
                "N5 G1 X1,5 Y2\r\n"
                "N6 G0 Z1\r\n"
                "N7 G2 X1 Y2 I0 J-1\r\n"
                "N8 G3 X1 Y2 I0 J0\r\n"
                "N9 G1 Z\r\n"
                "N10 M30\r\n"));
}

void TestCoordinateText::plotRecordsPenUpAndDown()
{
    StringSink sink;
    PlotWriter writer(sink);
    writer.begin();
    writer.move(Rapid { Coord::wide(-5), Coord::single(-3) });
    writer.move(Plunge { "-0.1" });
    writer.move(Cut { Coord::wide(-5), Coord::single(-3), CutAxes::Y });
    writer.move(Lift {});
    writer.move(Cut { Coord::single(100), Coord::single(0), CutAxes::X });
    writer.end();
    QCOMPARE(QString::fromStdString(sink.text),
        QString("IN;\r\nSP1;\r\nPU-200 -120;\r\nPD-200 -120;\r\nPD4000 0;\r\nSP0;\r\n"));
}

namespace {

// Keeps the bytes and counts the pieces they came in.
class PieceSink : public TextSink
{
public:
    void write(std::string_view bytes) override
    {
        text.append(bytes);
        ++pieces;
    }
    std::string text;
    int pieces = 0;
};

} // namespace

// Lines run across the writer's pieces, and one line is longer than a piece.
void TestCoordinateText::gcodeReachesTheSinkInLargePiecesWithNothingLost()
{
    const std::string longDepth(200000, '7');
    PieceSink sink;
    GcodeWriter writer(sink, ".");
    writer.begin();
    std::string expected;
    int line = 0;
    for (; line < 30000; ++line) {
        writer.move(Rapid { Coord::wide(line / 1000.0), Coord::single(-2.5f) });
        expected += "N" + std::to_string(line + 1) + " G0 X"
            + coordinateText(Coord::wide(line / 1000.0)) + " Y-2.5 Z1\r\n";
    }
    writer.move(Plunge { longDepth });
    expected += "N" + std::to_string(++line) + " G1 Z" + longDepth + "\r\n";
    writer.end();
    expected += "N" + std::to_string(++line) + " M30\r\n";

    QCOMPARE(sink.text.size(), expected.size());
    QVERIFY(sink.text == expected);
    QVERIFY(sink.pieces < 20);
}

QTEST_APPLESS_MAIN(TestCoordinateText)
#include "test_coordinate_text.moc"
