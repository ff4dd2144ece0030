#include <QTest>

#include "model/reading_notes.h"
#include "model/unit_conversion.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::ScaleInput)
Q_DECLARE_METATYPE(mensora::Shape)
Q_DECLARE_METATYPE(mensora::Unit)

namespace {

// The notes of a start scale whose one box holds `text`.
std::vector<ReadingNote> notesWith(ScaleInput input, const QString& text, Shape shape, Unit unit)
{
    ScaleParameters parameters;
    parameters.shape = shape;
    parameters.unit = unit;
    inputText(parameters, input) = text.toStdString();
    return readingNotes(parameters);
}

} // namespace

class TestReadingNotes : public QObject
{
    Q_OBJECT

private slots:
    void noteSaysWhatWasReadAndWhy_data();
    void noteSaysWhatWasReadAndWhy();
    void everyBoxIsNotedForJunkCommaAndEmptyButNotForGoodText_data();
    void everyBoxIsNotedForJunkCommaAndEmptyButNotForGoodText();
    void startScaleHasNoNotes();
    void lengthConvertsWithTheFewestDecimalsThatKeepIt_data();
    void lengthConvertsWithTheFewestDecimalsThatKeepIt();
    void onlyLengthBoxesFollowTheUnit();
};

void TestReadingNotes::noteSaysWhatWasReadAndWhy_data()
{
    QTest::addColumn<ScaleInput>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<Unit>("unit");
    QTest::addColumn<QString>("note"); // empty: none

    using enum ScaleInput;
    const Shape flat = Shape::Flat;
    const Shape round = Shape::Round;
    const Unit mm = Unit::Millimetre;
    const Unit inch = Unit::Inch;
    QTest::newRow("junk") << Stripe1 << "x" << flat << mm
                          << "Stripe 1): \"x\" is read as 0: it starts with no number";
    QTest::newRow("comma") << Length << "12,5" << flat << mm
                           << "Length: \"12,5\" is read as 12: the decimal point is \".\"";
    QTest::newRow("trailing text") << Distance << "2abc" << flat << mm
                                   << "Distance between stripes: \"2abc\" is read as 2: "
                                      "\"abc\" is no part of a number";
    QTest::newRow("empty") << StartX << "" << flat << mm
                           << "Start X: \"\" is read as 0: the box is empty";
    QTest::newRow("blanks only, round caption")
        << StartY << "  " << round << mm << "Centre Y: \"  \" is read as 0: the box is empty";
    QTest::newRow("good text") << Length << "12.5" << flat << mm << "";
    QTest::newRow("blanks and the window's unit") << Length << " 12.5 mm " << flat << mm << "";
    QTest::newRow("inch words in an inch window") << Stripe2 << "0.5 in" << flat << inch << "";
    QTest::newRow("degrees in an angle box") << StartAngle << "45\u00b0" << round << mm << "";
    QTest::newRow("mm in an angle box") << Length << "90 mm" << round << mm
                                        << "Length: \"90 mm\" is read as 90: \"mm\" is no part "
                                           "of a number";
    QTest::newRow("mm in a dial's distance") << Distance << "10 mm" << round << mm
                                             << "Distance between stripes: \"10 mm\" is read as "
                                                "10: \"mm\" is no part of a number";
    QTest::newRow("inches in a mm window")
        << Radius << "2 in" << round << mm << "Radius: \"2 in\" is read as 2: the window counts mm";
    QTest::newRow("mm in an inch window") << Length << "12mm" << flat << inch
                                          << "Length: \"12mm\" is read as 12: the window counts "
                                             "inches";
    QTest::newRow("blanks between digits") << Stripe3 << "1 2" << flat << mm
                                           << "Stripe 3): \"1 2\" is read as 12: the blanks "
                                              "between its digits are left out";
    QTest::newRow("hexadecimal") << Stripe4 << "&H10" << flat << mm
                                 << "Stripe 4): \"&H10\" is read as 16: \"&H\" starts a "
                                    "hexadecimal number";
    QTest::newRow("D exponent") << Stripe5 << "1D2" << flat << mm
                                << "Stripe 5): \"1D2\" is read as 100: \"D\" starts an exponent";
    QTest::newRow("second point") << Stripe6 << "1.2.3" << flat << mm
                                  << "Stripe 6): \"1.2.3\" is read as 1.2: \".3\" is no part of "
                                     "a number";
    QTest::newRow("depth comma is written as typed")
        << Depth << "-0,1" << flat << mm
        << "Engr depth: \"-0,1\" is written into the plain program as typed: the decimal point is "
           "\".\"";
    QTest::newRow("depth junk is written as typed")
        << Depth << "abc" << flat << mm
        << "Engr depth: \"abc\" is written into the plain program as typed: it starts with no "
           "number";
    QTest::newRow("depth unit goes into the program")
        << Depth << "-0.1 mm" << flat << mm
        << "Engr depth: \"-0.1 mm\" is written into the plain program as typed: \"mm\" is no "
           "part of a number";
    QTest::newRow("hidden radius of a flat scale") << Radius << "x" << flat << mm << "";
    QTest::newRow("too large: the refusal speaks") << Length << "1e999" << flat << mm << "";
}

void TestReadingNotes::noteSaysWhatWasReadAndWhy()
{
    QFETCH(ScaleInput, input);
    QFETCH(QString, text);
    QFETCH(Shape, shape);
    QFETCH(Unit, unit);
    QFETCH(QString, note);

    const auto notes = notesWith(input, text, shape, unit);
    if (note.isEmpty()) {
        QVERIFY(notes.empty());
        return;
    }
    QCOMPARE(notes.size(), std::size_t(1));
    QCOMPARE(notes[0].input, input);
    QCOMPARE(QString::fromStdString(notes[0].message), note);
}

void TestReadingNotes::everyBoxIsNotedForJunkCommaAndEmptyButNotForGoodText_data()
{
    QTest::addColumn<ScaleInput>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("noted");

    const std::pair<const char*, bool> texts[]
        = { { "x", true }, { "7,5", true }, { "", true }, { "-7.5", false }, { " 7.5e1 ", false } };
    for (const InputRow& row : inputTable) {
        if (row.input == ScaleInput::Package)
            continue;
        for (const auto& [text, noted] : texts)
            QTest::addRow("%s \"%s\"", row.option, text) << row.input << text << noted;
    }
}

void TestReadingNotes::everyBoxIsNotedForJunkCommaAndEmptyButNotForGoodText()
{
    QFETCH(ScaleInput, input);
    QFETCH(QString, text);
    QFETCH(bool, noted);

    const auto notes = notesWith(input, text, Shape::Round, Unit::Millimetre);
    QCOMPARE(notes.size(), noted ? std::size_t(1) : std::size_t(0));
    if (noted) {
        QCOMPARE(notes[0].input, input);
        const std::string head = windowCaption(input, Shape::Round) + ": \"";
        QVERIFY2(notes[0].message.starts_with(head), notes[0].message.c_str());
    }
}

void TestReadingNotes::startScaleHasNoNotes()
{
    QVERIFY(readingNotes(ScaleParameters {}).empty());
    ScaleParameters round;
    round.shape = Shape::Round;
    QVERIFY(readingNotes(round).empty());
}

void TestReadingNotes::lengthConvertsWithTheFewestDecimalsThatKeepIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Unit>("to");
    QTest::addColumn<QString>("converted"); // empty: kept as typed

    const Unit mm = Unit::Millimetre;
    const Unit inch = Unit::Inch;
    QTest::newRow("300 mm needs six decimals") << "300" << inch << "11.811024";
    QTest::newRow("whole inches") << "25.4" << inch << "1";
    QTest::newRow("half inch") << "12.7" << inch << "0.5";
    QTest::newRow("depth") << "-0.1" << inch << "-0.003937";
    QTest::newRow("to mm") << "0.1" << mm << "2.54";
    QTest::newRow("inch to mm whole") << "12" << mm << "304.8";
    QTest::newRow("tiny rounds to zero, unsigned") << "-0.00001" << inch << "0";
    QTest::newRow("blanks and unit dropped") << " 12.7 mm " << inch << "0.5";
    QTest::newRow("exponent") << "1e3" << inch << "39.370079";
    QTest::newRow("comma kept") << "12,5" << inch << "";
    QTest::newRow("junk kept") << "x" << inch << "";
    QTest::newRow("empty kept") << "" << inch << "";
    QTest::newRow("other unit kept") << "2 in" << inch << "";
}

void TestReadingNotes::lengthConvertsWithTheFewestDecimalsThatKeepIt()
{
    QFETCH(QString, text);
    QFETCH(Unit, to);
    QFETCH(QString, converted);

    const Unit from = to == Unit::Inch ? Unit::Millimetre : Unit::Inch;
    const auto result = convertedLengthText(text.toStdString(), from, to);
    if (converted.isEmpty()) {
        QVERIFY(!result);
        return;
    }
    QVERIFY(result);
    QCOMPARE(QString::fromStdString(*result), converted);
}

void TestReadingNotes::onlyLengthBoxesFollowTheUnit()
{
    ScaleParameters round;
    round.shape = Shape::Round;
    round.length = "254";
    round.radius = "25.4";
    const ScaleParameters converted = withLengthsIn(round, Unit::Inch);
    QCOMPARE(converted.unit, Unit::Inch);
    QCOMPARE(converted.length, std::string("254")); // degrees
    QCOMPARE(converted.radius, std::string("1"));
    QCOMPARE(converted.depth, std::string("-0.003937"));
    QCOMPARE(converted.package, round.package);

    ScaleParameters flat;
    flat.length = "254";
    QCOMPARE(withLengthsIn(flat, Unit::Inch).length, std::string("10"));
}

QTEST_APPLESS_MAIN(TestReadingNotes)
#include "test_reading_notes.moc"
