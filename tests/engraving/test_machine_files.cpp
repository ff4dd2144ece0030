#include <QTest>

#include <cmath>

#include "engraving/engraving.h"
#include "support/engraving_text.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

ScaleParameters dial(const char* total, const char* step)
{
    ScaleParameters p;
    p.shape = Shape::Round;
    p.baseline = Baseline::Single;
    p.length = total;
    p.distance = step;
    return p;
}

MachineSettings profile(MachineProfile chosen)
{
    MachineSettings settings;
    settings.profile = chosen;
    return settings;
}

// Every setting away from its default.
MachineSettings everySettingChanged(MachineProfile chosen)
{
    MachineSettings settings = profile(chosen);
    settings.feed = Rate { 250, Unit::Millimetre };
    settings.plungeFeed = Rate { 2, Unit::Inch };
    settings.rapidRate = Rate { 3000, Unit::Millimetre };
    settings.safeHeight = 5;
    settings.spindleSpeed = 12000;
    settings.laserPower = 250;
    settings.lineNumbers = false;
    settings.passes = 3;
    settings.order = TravelOrder::Alternate;
    return settings;
}

// The default ruler's stripe i is 10, 5 or 3 long, from Y 0 up.
double rulerStripe(int i)
{
    return i % 10 == 0 ? 10 : i % 10 == 5 ? 5 : 3;
}

// From each stripe's top to the next one's foot, one apart.
double rulerTravelAsListed()
{
    double travel = 0;
    for (int i = 0; i < 100; ++i)
        travel += std::hypot(1, rulerStripe(i));
    return travel;
}

// Every second stripe cut downwards: top to top, then foot to foot.
double rulerTravelBackAndForth()
{
    double travel = 0;
    for (int i = 0; i < 100; ++i)
        travel += i % 2 == 0 ? std::hypot(1, rulerStripe(i) - rulerStripe(i + 1)) : 1;
    return travel;
}

} // namespace

class TestMachineFiles : public QObject
{
    Q_OBJECT

private slots:
    void wholeFilesMatchTheGoldenCopies_data();
    void wholeFilesMatchTheGoldenCopies();
    void machineFilesTakeThePointInEveryLocale();
    void settingsAreCheckedWhereTheProfileUsesThem_data();
    void settingsAreCheckedWhereTheProfileUsesThem();
    void figuresAddUpTheMovesOfTheFile_data();
    void figuresAddUpTheMovesOfTheFile();
    void durationsReadAsPeopleSayThem_data();
    void durationsReadAsPeopleSayThem();
};

// One scale per profile, each with settings that show the profile's rules: pieces of at most
// 180 degrees and a spindle (rs274), the inch mode (rs274 inch), three passes back and forth in
// the alternate order (grbl), the laser's power (grbl-laser), the base circle in chords, moved to
// 0, 0 (hpgl-cutter).
void TestMachineFiles::wholeFilesMatchTheGoldenCopies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<OutputRequest>("output");

    ScaleParameters dialOf270 = dial("270", "10");
    MachineSettings rs274 = profile(MachineProfile::Rs274);
    rs274.spindleSpeed = 12000;
    QTest::newRow("rs274") << "round-270-baseline-rs274.ngc" << dialOf270 << machineFile(rs274);

    ScaleParameters inchRuler;
    inchRuler.length = "2";
    inchRuler.distance = "0.1";
    inchRuler.unit = Unit::Inch;
    QTest::newRow("rs274 inch") << "flat-2-inch-rs274.ngc" << inchRuler
                                << machineFile(profile(MachineProfile::Rs274));

    ScaleParameters ruler;
    ruler.length = "10";
    ruler.baseline = Baseline::Single;
    MachineSettings grbl = profile(MachineProfile::Grbl);
    grbl.passes = 3;
    grbl.order = TravelOrder::Alternate;
    QTest::newRow("grbl") << "flat-10-baseline-grbl.nc" << ruler << machineFile(grbl);

    MachineSettings laser = profile(MachineProfile::GrblLaser);
    laser.laserPower = 300;
    laser.feed = Rate { 1500, Unit::Millimetre };
    QTest::newRow("grbl-laser") << "flat-grbl-laser.gcode" << ScaleParameters {}
                                << machineFile(laser);

    ScaleParameters dialOf90 = dial("-90", "-10");
    QTest::newRow("hpgl-cutter") << "round-minus-90-baseline-hpgl-cutter.plt" << dialOf90
                                 << machineFile(profile(MachineProfile::HpglCutter));

    // A file of the plain profile, or of the other family than the profile's, is today's.
    for (const MachineProfile chosen : { MachineProfile::Plain, MachineProfile::HpglCutter }) {
        const OutputRequest program = fileOf(OutputFormat::Gcode, everySettingChanged(chosen));
        const char* name = dialectOf(chosen).caption.data();
        QTest::addRow("%s on a ruler program", name) << "flat.din" << ScaleParameters {} << program;
        QTest::addRow("%s on a dial program", name)
            << "round-baseline.din" << dial("100", "1") << program;
    }
    for (const MachineProfile chosen : { MachineProfile::Plain, MachineProfile::Rs274,
             MachineProfile::Grbl, MachineProfile::GrblLaser }) {
        QTest::addRow("%s on a plot file", dialectOf(chosen).caption.data())
            << "flat.plt" << ScaleParameters {}
            << fileOf(OutputFormat::Plot, everySettingChanged(chosen));
    }
}

void TestMachineFiles::wholeFilesMatchTheGoldenCopies()
{
    QFETCH(QString, name);
    QFETCH(ScaleParameters, parameters);
    QFETCH(OutputRequest, output);
    const QString difference
        = goldenEngravingDifference(QStringLiteral(GOLDEN_DIR), name, parameters, output);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestMachineFiles::machineFilesTakeThePointInEveryLocale()
{
    ScaleParameters p = dial("100", "0.5");
    p.radius = "30.25";
    for (const MachineProfile chosen :
        { MachineProfile::Rs274, MachineProfile::Grbl, MachineProfile::GrblLaser }) {
        const std::string point = engravingText(p, machineFile(profile(chosen)));
        QCOMPARE(engravingText(p, machineFile(profile(chosen)), { ",", "." }), point);
        QVERIFY(point.find(" X30.2488 Y0.264\r\n") != std::string::npos);
    }
}

void TestMachineFiles::settingsAreCheckedWhereTheProfileUsesThem_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<MachineSettings>("machine");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<int>("input"); // the box blamed, or -1 for a setting

    const auto row = [](const char* name, MachineSettings machine, const char* message,
                         int input = -1, ScaleParameters p = {}) {
        QTest::newRow(name) << p << machine << QString(message) << input;
    };
    const auto with = [](MachineProfile chosen, auto change) {
        MachineSettings settings = profile(chosen);
        change(settings);
        return settings;
    };
    using P = MachineProfile;
    const char* feedRange = "Feed must be from 0.0001 to 99999.9999 mm/min.";
    row("feed 0", with(P::Rs274, [](auto& s) { s.feed = Rate { 0 }; }), feedRange);
    row("feed not a number", with(P::Grbl, [](auto& s) { s.feed = Rate { NAN }; }), feedRange);
    row("feed that rounds to 0", with(P::Rs274, [](auto& s) { s.feed = Rate { 0.00004 }; }),
        feedRange);
    row("feed of 100000", with(P::Rs274, [](auto& s) { s.feed = Rate { 100000 }; }), feedRange);
    row("feed of 0.0001", with(P::Rs274, [](auto& s) { s.feed = Rate { 0.0001 }; }), "");
    ScaleParameters inch;
    inch.unit = Unit::Inch;
    row("inch feed converted beyond range",
        with(P::Rs274,
            [](auto& s) {
                s.feed = Rate { 254001, Unit::Millimetre };
            }),
        "Feed must be from 0.00001 to 9999.99999 in/min.", -1, inch);
    row("plunge feed negative", with(P::Grbl, [](auto& s) { s.plungeFeed = Rate { -1 }; }),
        "Plunge feed must be from 0.0001 to 99999.9999 mm/min.");
    row("plunge feed unused by a laser",
        with(P::GrblLaser, [](auto& s) { s.plungeFeed = Rate { -1 }; }), "");
    const ScaleParameters plot;
    row("rapid rate infinite",
        with(P::HpglCutter, [](auto& s) { s.rapidRate = Rate { INFINITY }; }),
        "Rapid rate must be from 0.0001 to 99999.9999 mm/min.", -1, plot);
    row("safe height too high", with(P::Rs274, [](auto& s) { s.safeHeight = 1e5; }),
        "Safe height must be from -99999.9999 to 99999.9999 mm.");
    row("spindle negative", with(P::Rs274, [](auto& s) { s.spindleSpeed = -1; }),
        "Spindle speed must be from 0 (no spindle) to 99999 rpm.");
    row("power above 1000", with(P::GrblLaser, [](auto& s) { s.laserPower = 1000.5; }),
        "Laser power must be above 0 and at most 1000.");
    row("power 0", with(P::GrblLaser, [](auto& s) { s.laserPower = 0; }),
        "Laser power must be above 0: at 0 the laser never fires.");
    row("power 1", with(P::GrblLaser, [](auto& s) { s.laserPower = 1; }), "");
    row("power unused by a router", with(P::Rs274, [](auto& s) { s.laserPower = -5; }), "");
    row("passes not whole", with(P::Rs274, [](auto& s) { s.passes = 2.5; }),
        "Passes must be a whole number from 1 to 100.");
    row("passes 0", with(P::GrblLaser, [](auto& s) { s.passes = 0; }),
        "Passes must be a whole number from 1 to 100.");
    row("passes 100", with(P::Grbl, [](auto& s) { s.passes = 100; }), "");
    row("passes unused by a cutter", with(P::HpglCutter, [](auto& s) { s.passes = 101; }), "", -1,
        plot);

    const int depth = int(ScaleInput::Depth);
    ScaleParameters comma;
    comma.depth = "-0,1";
    row("depth with a comma", profile(P::Rs274),
        "Engr depth must be a number with \".\" for decimals, not \"-0,1\".", depth, comma);
    row("depth unused by a laser", profile(P::GrblLaser), "", -1, comma);
    ScaleParameters atSafe;
    atSafe.depth = "1";
    row("depth at the safe height", profile(P::Grbl),
        "Engr depth must be below the safe height (1).", depth, atSafe);
    row("safe height below the depth", with(P::Rs274, [](auto& s) { s.safeHeight = -1; }),
        "Safe height must be above 0, the work's surface: at -1 every rapid move runs through "
        "the work.");
    row("safe height at the surface", with(P::Grblhal, [](auto& s) { s.safeHeight = 0; }),
        "Safe height must be above 0, the work's surface: at 0 every rapid move runs through the "
        "work.");
    row("safe height that rounds to the surface",
        with(P::Grbl, [](auto& s) { s.safeHeight = 0.00004; }),
        "Safe height must be above 0, the work's surface: at 0 every rapid move runs through the "
        "work.");
    row("safe height unused by a laser", with(P::GrblLaser, [](auto& s) { s.safeHeight = 0; }), "");
    row("plunge feed 0", with(P::Rs274, [](auto& s) { s.plungeFeed = Rate { 0 }; }),
        "Plunge feed must be from 0.0001 to 99999.9999 mm/min.");
    row("rapid rate 0", with(P::GrblLaser, [](auto& s) { s.rapidRate = Rate { 0 }; }),
        "Rapid rate must be from 0.0001 to 99999.9999 mm/min.");
    ScaleParameters above;
    above.depth = "0.5";
    row("passes from above the surface", with(P::Rs274, [](auto& s) { s.passes = 2; }),
        "Engr depth must be below 0 to cut in passes: each pass goes deeper from Z 0.", depth,
        above);

    ScaleParameters inAir;
    inAir.depth = "0.1";
    row("depth above the surface in one pass", profile(P::Grbl),
        "Engr depth must be below 0: at 0.1 the tool does not reach the work.", depth, inAir);
    inAir.depth = "-0.00004";
    row("depth that rounds to the surface", profile(P::Rs274),
        "Engr depth must be below 0: at 0 the tool does not reach the work.", depth, inAir);
    row("depth above the surface, plain", {}, "", -1, inAir);

    // Under a profile every number box is read strictly; the plain file reads it as always.
    const auto strictRow = [&](const char* name, ScaleInput input, const char* text,
                               MachineProfile chosen, bool refused) {
        ScaleParameters p = input == ScaleInput::Radius ? dial("360", "10") : ScaleParameters {};
        inputText(p, input) = text;
        const std::string caption = inputCaption(input, p.shape);
        const std::string message = caption
            + " must be a plain number with \".\" for decimals for a machine file, not \"" + text
            + "\".";
        QTest::newRow(name) << p << profile(chosen)
                            << (refused ? QString::fromStdString(message) : QString())
                            << (refused ? int(input) : -1);
    };
    strictRow("length with a comma", ScaleInput::Length, "12,5", P::Grbl, true);
    strictRow("stripe junk", ScaleInput::Stripe1, "x", P::Rs274, true);
    strictRow("start X with its unit", ScaleInput::StartY, "0 mm", P::Grbl, true);
    ScaleParameters grouped;
    grouped.length = "1,000";
    row("grouped thousands say what the box reads", profile(P::Rs274),
        "Length must be a plain number with \".\" for decimals for a machine file, not \"1,000\": "
        "the box reads it as 1, not 1000.",
        int(ScaleInput::Length), grouped);
    strictRow("radius of a cutter's dial", ScaleInput::Radius, "3O", P::HpglCutter, true);
    strictRow("blanks at the ends", ScaleInput::Distance, " 0.5 ", P::Grbl, false);
    strictRow("laser reads boxes strictly too", ScaleInput::Stripe2, "", P::GrblLaser, true);
    strictRow("plain reads the prefix", ScaleInput::Length, "12,5", P::Plain, false);
    // The default package holds no kind 4: its length goes into no file.
    strictRow("a kind the package lacks", ScaleInput::Stripe4, "x", P::Rs274, false);
    // Kind 3 is eight stripes of every ten of the default package.
    strictRow("the package's commonest kind", ScaleInput::Stripe3, "x", P::Rs274, true);

    ScaleParameters far;
    far.startX = "99899";
    row("ruler ending just within range", profile(P::Rs274), "", -1, far);
    far.startX = "99900";
    row("ruler ending at the range", profile(P::Grbl),
        "Start X is too large for a machine file: its coordinates must stay below 100000 mm.",
        int(ScaleInput::StartX), far);
    ScaleParameters wide = dial("360", "10");
    wide.radius = "13421770";
    row("dial wider than a plotter reaches", profile(P::HpglCutter),
        "Radius is too large for a plot file: the drawing must stay within 1073741823 plotter "
        "units.",
        int(ScaleInput::Radius), wide);
}

void TestMachineFiles::settingsAreCheckedWhereTheProfileUsesThem()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(MachineSettings, machine);
    QFETCH(QString, message);
    QFETCH(int, input);

    const auto engraving = Engraving::prepare(parameters, machineFile(machine), installedFonts());
    if (message.isEmpty()) {
        QVERIFY2(engraving.ok(), engraving.ok() ? "" : engraving.refusal().message.c_str());
        return;
    }
    QVERIFY(!engraving);
    QCOMPARE(QString::fromStdString(engraving.refusal().message), message);
    QCOMPARE(engraving.refusal().machineSetting().has_value(), input < 0);
    if (input >= 0)
        QCOMPARE(engraving.refusal().box(), std::optional(ScaleInput(input)));
}

// Worked out from the scales' description: plunges and lifts of 1.1 between Z 1 and -0.1.
void TestMachineFiles::figuresAddUpTheMovesOfTheFile_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<MachineSettings>("machine");
    QTest::addColumn<double>("cut");
    QTest::addColumn<double>("travel");
    QTest::addColumn<int>("plunges");
    QTest::addColumn<double>("minutes");

    const double listed = rulerTravelAsListed();
    QTest::newRow("plain ruler at the default rates")
        << ScaleParameters {} << MachineSettings {} << 400.0 << listed << 101
        << 400 / 100.0 + 101 * 1.1 / 50 + listed / 1000 + 101 * 1.1 / 1000;

    MachineSettings twoPasses = profile(MachineProfile::Rs274);
    twoPasses.passes = 2;
    // Back where it began after two passes: one along the foot to the next stripe.
    QTest::newRow("rs274 ruler in two passes")
        << ScaleParameters {} << twoPasses << 800.0 << 100.0 << 202
        << 800 / 100.0 + 101 * (1.05 + 0.05) / 50 + 100 / 1000.0 + 101 * 1.1 / 1000;

    MachineSettings laser = profile(MachineProfile::GrblLaser);
    laser.order = TravelOrder::Alternate;
    const double backAndForth = rulerTravelBackAndForth();
    QTest::newRow("laser ruler back and forth, no Z")
        << ScaleParameters {} << laser << 400.0 << backAndForth << 0
        << 400 / 100.0 + backAndForth / 1000;

    // Stripes of 10 and 3 at 0, 90, 180, 270 and 360 degrees, then a whole base circle.
    const double travel = 50 + 3 * std::hypot(30, 33) + 3;
    const double cut = 22 + 2 * M_PI * 30;
    for (const MachineProfile chosen : { MachineProfile::Plain, MachineProfile::Rs274 })
        QTest::addRow("%s dial with a whole base circle", dialectOf(chosen).caption.data())
            << dial("360", "90") << profile(chosen) << cut << travel << 6
            << cut / 100 + 6 * 1.1 / 50 + travel / 1000 + 6 * 1.1 / 1000;
}

void TestMachineFiles::figuresAddUpTheMovesOfTheFile()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(MachineSettings, machine);
    QFETCH(double, cut);
    QFETCH(double, travel);
    QFETCH(int, plunges);
    QFETCH(double, minutes);

    const JobFigures figures = acceptedEngraving(parameters, machineFile(machine)).figures();
    QCOMPARE(int(figures.stripes), int(acceptedEngraving(parameters).sequence().size()));
    QVERIFY2(
        std::fabs(figures.cutLength - cut) < 1e-6, qPrintable(QString::number(figures.cutLength)));
    QVERIFY2(std::fabs(figures.travelLength - travel) < 1e-6,
        qPrintable(QString::number(figures.travelLength)));
    QCOMPARE(int(figures.plunges), plunges);
    QVERIFY2(std::fabs(figures.seconds - 60 * minutes) < 1e-6,
        qPrintable(QString::number(figures.seconds)));
    QCOMPARE(figures.depthUsed, machine.profile != MachineProfile::GrblLaser);
    QVERIFY(figures.box);
    if (parameters.shape == Shape::Round) {
        QCOMPARE(figures.box->minX, -33.0);
        QCOMPARE(figures.box->maxX, 40.0);
        QCOMPARE(figures.box->minY, -33.0);
        QCOMPARE(figures.box->maxY, 33.0);
    }
}

void TestMachineFiles::durationsReadAsPeopleSayThem_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0.0 << "0 s";
    QTest::newRow("under a minute") << 59.4 << "59 s";
    QTest::newRow("minutes and seconds") << 404.25 << "6 min 44 s";
    QTest::newRow("rounds up to an hour") << 3599.6 << "1 h 0 min";
    QTest::newRow("hours and minutes") << 7530.0 << "2 h 6 min";
}

void TestMachineFiles::durationsReadAsPeopleSayThem()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(durationText(seconds)), text);
}

QTEST_APPLESS_MAIN(TestMachineFiles)
#include "test_machine_files.moc"
