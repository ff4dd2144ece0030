#include <QTest>

#include "engraving/engraving.h"
#include "engraving/scale_notes.h"
#include "files/installed_fonts.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::NoteOffer)

namespace {

ScaleParameters dial(const char* total, const char* step, const char* package = "1333323333")
{
    ScaleParameters p;
    p.shape = Shape::Round;
    p.length = total;
    p.distance = step;
    p.package = package;
    return p;
}

ScaleParameters ruler(const char* total, const char* step, const char* package)
{
    ScaleParameters p;
    p.length = total;
    p.distance = step;
    p.package = package;
    return p;
}

CheckedScale checked(const ScaleParameters& parameters)
{
    auto scale = CheckedScale::check(parameters, installedFonts());
    if (!scale)
        qFatal("refused: %s", scale.refusal().message.c_str());
    return std::move(scale.value());
}

// One table of notes: a scale, the note expected (empty: none) and its offer.
void noteColumns()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<QString>("note");
    QTest::addColumn<NoteOffer>("offer");
}

void compareNote(const std::optional<ScaleNote>& found)
{
    QFETCH(QString, note);
    QFETCH(NoteOffer, offer);
    QCOMPARE(found ? QString::fromStdString(found->message) : QString(), note);
    if (found)
        QCOMPARE(found->offer, offer);
}

} // namespace

class TestScaleNotes : public QObject
{
    Q_OBJECT

private slots:
    void countRulesThatEndShortAreNoted_data();
    void countRulesThatEndShortAreNoted();
    void marksCutTwiceAroundATurnAreNoted_data();
    void marksCutTwiceAroundATurnAreNoted();
    void numbersThatRunTogetherAreNoted_data();
    void numbersThatRunTogetherAreNoted();
    void aJobsNotesNameTheirScale();
    void onlyThePlainPlotOfAnInchScaleIsNoted();
    void theDepthAsTypedIsNotedOnlyForThePlainProgram();
};

// Stripe i of N stands at i × step: a short package cuts fewer than total ÷ step + 1.
void TestScaleNotes::countRulesThatEndShortAreNoted_data()
{
    noteColumns();
    const NoteOffer end = NoteOffer::EndOnTotal;
    ScaleParameters knob = dial("-270", "-27", "1");
    knob.startAngle = "225";
    knob.numbers.kind = 1;
    // 10 steps of 27°, but ten stripes: the last at 9 × 27.
    QTest::newRow("0-10 knob, package 1")
        << knob
        << "The scale ends at 243°, short of its total 270°: a package of 1 digit ends one "
           "stripe early."
        << end;
    // 6 steps of 45°: 5 stripes, the last at 4 × 45.
    QTest::newRow("package 13 by -45°")
        << dial("-270", "-45", "13")
        << "The scale ends at 180°, short of its total 270°: a package of 2 digits ends two "
           "stripes early."
        << end;
    QTest::newRow("ruler of 10 mm, package 1")
        << ruler("10", "1", "1")
        << "The scale ends at 9 mm, short of its total 10 mm: a package of 1 digit ends one "
           "stripe early."
        << end;
    ScaleParameters inches = ruler("12", "0.0625", "1");
    inches.unit = Unit::Inch;
    // 192 sixteenths: the last of 192 stripes at 191 / 16.
    QTest::newRow("12 in by sixteenths, package 1")
        << inches
        << "The scale ends at 11.9375 in, short of its total 12 in: a package of 1 digit ends "
           "one stripe early."
        << end;
    ScaleParameters ended = ruler("10", "1", "1");
    ended.marks.endOnTotal = true;
    QTest::newRow("ending on the total") << ended << "" << end;
    QTest::newRow("default package") << ScaleParameters {} << "" << end;
    // 36 stripes of 10°: the 37th would fall on the first.
    QTest::newRow("whole turn one stripe short") << dial("360", "10", "1") << "" << end;
    ScaleParameters vernier = ruler("9", "1", "1");
    vernier.vernier = { 10, 9, false };
    QTest::newRow("vernier") << vernier << "" << end;
    // A scale of values ends on its range whatever the package: 1 to 10 in tenths.
    ScaleParameters logarithmic = ruler("250", "0.1", "13");
    logarithmic.spacing.law = SpacingLaw::Logarithmic;
    QTest::newRow("scale of values") << logarithmic << "" << end;
}

void TestScaleNotes::countRulesThatEndShortAreNoted()
{
    QFETCH(ScaleParameters, parameters);
    compareNote(countNote(checked(parameters)));
}

void TestScaleNotes::marksCutTwiceAroundATurnAreNoted_data()
{
    noteColumns();
    const NoteOffer noDouble = NoteOffer::NoDoubleMark;
    // 100 divisions of 3.6° numbered every 10: stripe 101 is 100's, at 0 again.
    ScaleParameters handwheel = dial("-360", "-3.6");
    handwheel.startAngle = "90";
    handwheel.numbers.kind = 1;
    handwheel.numbers.step = 10;
    QTest::newRow("handwheel")
        << handwheel
        << "Stripe 101 falls a whole turn on, onto stripe 1 at 90°: that mark is cut twice, and "
           "\"100\" prints over \"0\"."
        << noDouble;
    ScaleParameters drum = dial("360", "3.6");
    drum.surface = Surface::Drum;
    drum.startAngle = "-30";
    QTest::newRow("drum, unnumbered")
        << drum
        << "Stripe 101 falls a whole turn on, onto stripe 1 at 330°: that mark is cut twice."
        << noDouble;
    // 400° by 10: stripe 37 comes back; no total of whole turns to end before it.
    QTest::newRow("more than a turn")
        << dial("400", "10")
        << "Stripe 37 falls a whole turn on, onto stripe 1 at 0°: that mark is cut twice."
        << NoteOffer::None;
    ScaleParameters taken = handwheel;
    taken.marks.noDoubleMark = true;
    QTest::newRow("no double mark taken") << taken << "" << noDouble;
    QTest::newRow("less than a turn") << dial("350", "10") << "" << noDouble;
    // 1 to 10 round a whole turn: 10 stands on 1, and no even step to end before it.
    ScaleParameters knob = dial("360", "1", "1");
    knob.spacing.law = SpacingLaw::Logarithmic;
    QTest::newRow("scale of values round a turn")
        << knob << "Stripe 10 falls a whole turn on, onto stripe 1 at 0°: that mark is cut twice."
        << NoteOffer::None;
}

void TestScaleNotes::marksCutTwiceAroundATurnAreNoted()
{
    QFETCH(ScaleParameters, parameters);
    compareNote(wholeTurnNote(checked(parameters)));
}

void TestScaleNotes::numbersThatRunTogetherAreNoted_data()
{
    noteColumns();
    const NoteOffer none = NoteOffer::None;
    // Digits 3 mm high are wider than the 1 mm between stripes.
    ScaleParameters crowded = ruler("10", "1", "1");
    crowded.numbers.kind = 1;
    QTest::newRow("ruler numbered every millimetre")
        << crowded
        << "Numbers \"0\" and \"1\" run together and read as one: a smaller Number height or fewer "
           "numbers would keep them apart."
        << none;
    ScaleParameters spread = crowded;
    spread.distance = "10";
    spread.length = "100";
    QTest::newRow("ruler numbered every 10 mm") << spread << "" << none;
    // 10° apart at a radius of about 16 mm is under 3 mm: "0" and "10" meet.
    ScaleParameters small = dial("90", "10", "1");
    small.radius = "5";
    small.numbers.kind = 1;
    QTest::newRow("small dial")
        << small
        << "Numbers \"0\" and \"10\" run together and read as one: a smaller Number height, level "
           "numbers or fewer numbers would keep them apart."
        << none;
    // Three digits 3 mm high every 10° at a radius of 47 mm stand hardly farther apart than the
    // digits of one number: "150140130".
    ScaleParameters protractor = dial("180", "1");
    protractor.radius = "40";
    protractor.stripeLengths[0] = "6";
    protractor.marks.endOnTotal = true;
    protractor.numbers.kind = 1;
    protractor.numbers.step = 10;
    QTest::newRow("protractor of 3 mm numbers")
        << protractor
        << "Numbers \"100\" and \"110\" run together and read as one: a smaller Number height, "
           "level numbers or fewer numbers would keep them apart."
        << none;
    protractor.numbers.height = 2;
    QTest::newRow("protractor of 2 mm numbers") << protractor << "" << none;
    // "100" on the stripe a whole turn on stands over "0": the whole turn's note tells it.
    ScaleParameters turn = dial("360", "3.6");
    turn.numbers.kind = 1;
    turn.numbers.step = 10;
    QTest::newRow("numbers past a whole turn") << turn << "" << none;
    small.numbers.orientation = NumberOrientation::Level;
    small.numbers.height = 0.5;
    QTest::newRow("small dial, small level numbers") << small << "" << none;
    // 5 mm back from the end of its 10 mm stripe, the number stands on it.
    ScaleParameters sunk;
    sunk.numbers.kind = 1;
    sunk.numbers.gap = -5;
    QTest::newRow("number on its stripe")
        << sunk
        << "Number \"0\" lies over stripe 1: a smaller Number height or a larger Gap to the "
           "stripe would keep it clear."
        << none;
    sunk.numbers.gap = 0;
    QTest::newRow("number touching its stripe") << sunk << "" << none;
}

void TestScaleNotes::numbersThatRunTogetherAreNoted()
{
    QFETCH(ScaleParameters, parameters);
    compareNote(overlapNote(checked(parameters)));
}

void TestScaleNotes::aJobsNotesNameTheirScale()
{
    ScaleJob job;
    job.scales[0].name = "Long";
    job.scales[0].parameters.length = "12,5";
    job.scales.push_back({ ruler("10", "1", "1"), "Short" });
    const auto notes = jobNotes(CheckedJob::check(job, installedFonts()).value());
    QCOMPARE(notes.size(), std::size_t(2));
    QCOMPARE(notes[0].scale, std::optional<std::size_t>(0));
    QVERIFY(notes[0].message.starts_with("Scale 1 (Long): Length: \"12,5\" is read as 12"));
    QCOMPARE(notes[1].scale, std::optional<std::size_t>(1));
    QVERIFY(notes[1].message.starts_with("Scale 2 (Short): The scale ends at 9 mm"));
}

void TestScaleNotes::onlyThePlainPlotOfAnInchScaleIsNoted()
{
    ScaleParameters inch;
    inch.unit = Unit::Inch;
    const auto noted = [](const ScaleParameters& p, OutputFormat format, MachineProfile profile) {
        OutputRequest request;
        request.format = format;
        request.machine.profile = profile;
        return plotUnitNote(Engraving::prepare(p, request, installedFonts()).value()).has_value();
    };
    QVERIFY(noted(inch, OutputFormat::Plot, MachineProfile::Plain));
    QVERIFY(!noted({}, OutputFormat::Plot, MachineProfile::Plain));
    QVERIFY(!noted(inch, OutputFormat::Plot, MachineProfile::HpglCutter));
    QVERIFY(!noted(inch, OutputFormat::Gcode, MachineProfile::Plain));
}

// A plot file and a drawing write no depth: "x" there is no trap.
void TestScaleNotes::theDepthAsTypedIsNotedOnlyForThePlainProgram()
{
    ScaleJob job;
    job.scales[0].parameters.depth = "x";
    const CheckedJob checked = CheckedJob::check(job, installedFonts()).value();
    const auto notedFor = [&checked](OutputFormat format) {
        OutputRequest request;
        request.format = format;
        return fileNotes(checked, Engraving::prepare(checked, request).value()).size();
    };
    QCOMPARE(notedFor(OutputFormat::Gcode), std::size_t(1));
    QCOMPARE(notedFor(OutputFormat::Plot), std::size_t(0));
    QCOMPARE(notedFor(OutputFormat::Svg), std::size_t(0));
}

QTEST_GUILESS_MAIN(TestScaleNotes)
#include "test_scale_notes.moc"
