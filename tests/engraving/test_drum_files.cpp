#include <QTest>

#include "engraving/engraving.h"
#include "support/drum_scales.h"
#include "support/engraving_text.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

MachineSettings profile(MachineProfile chosen)
{
    MachineSettings settings;
    settings.profile = chosen;
    return settings;
}

} // namespace

class TestDrumFiles : public QObject
{
    Q_OBJECT

private slots:
    void wholeFilesMatchTheGoldenCopies_data();
    void wholeFilesMatchTheGoldenCopies();
    void filesThatCannotHoldADrumAreRefused_data();
    void filesThatCannotHoldADrumAreRefused();
    void anUnrolledDrumTooLongBlamesItsRadius();
};

// One drum per file that holds one: the collar with its numbers for rs274, half a turn on the B
// axis in two passes back and forth, in inches, with the ring (grblhal), and the collar
// unrolled for a laser's roller and as drawings; under rs274 also numbers whose last stroke
// is cut in inverse time, and a total of 0 with its ring.
void TestDrumFiles::wholeFilesMatchTheGoldenCopies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<OutputRequest>("output");

    QTest::newRow("rs274") << "drum-collar-rs274.ngc" << collarOnDrum()
                           << machineFile(profile(MachineProfile::Rs274));

    ScaleParameters half = collarOnDrum();
    half.numbers = {};
    half.length = "-180";
    half.distance = "-5";
    half.radius = "0.75";
    half.stripeLengths = { "0.2", "0.1", "0.05", "0.2", "0.1", "0.05" };
    half.depth = "-0.004";
    half.unit = Unit::Inch;
    half.baseline = Baseline::Single;
    half.stripePosition = StripePosition::Midway;
    half.rotaryAxis = RotaryAxis::B;
    MachineSettings grblhal = profile(MachineProfile::Grblhal);
    grblhal.passes = 2;
    grblhal.order = TravelOrder::Alternate;
    QTest::newRow("grblhal") << "drum-half-inch-grblhal.nc" << half << machineFile(grblhal);

    // Its last stroke cut in inverse time: the program sets feed per minute again at its end.
    ScaleParameters fromFive = collarOnDrum();
    fromFive.numbers.first = 5;
    QTest::newRow("numbers ending in inverse time")
        << "drum-numbers-inverse-time-rs274.ngc" << fromFive
        << machineFile(profile(MachineProfile::Rs274));
    ScaleParameters none = collarOnDrum();
    none.numbers = {};
    none.length = "0";
    none.baseline = Baseline::Single;
    QTest::newRow("total 0 with its ring")
        << "drum-total-0-ring-rs274.ngc" << none << machineFile(profile(MachineProfile::Rs274));

    QTest::newRow("grbl-laser") << "drum-collar-grbl-laser.gcode" << collarOnDrum()
                                << machineFile(profile(MachineProfile::GrblLaser));
    QTest::newRow("svg") << "drum-collar.svg" << collarOnDrum() << fileOf(OutputFormat::Svg);
    QTest::newRow("dxf") << "drum-collar.dxf" << collarOnDrum() << fileOf(OutputFormat::Dxf);
}

void TestDrumFiles::wholeFilesMatchTheGoldenCopies()
{
    QFETCH(QString, name);
    QFETCH(ScaleParameters, parameters);
    QFETCH(OutputRequest, output);
    const QString difference
        = goldenEngravingDifference(QStringLiteral(GOLDEN_DIR), name, parameters, output);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestDrumFiles::filesThatCannotHoldADrumAreRefused_data()
{
    QTest::addColumn<OutputRequest>("output");
    QTest::addColumn<QString>("message");

    const QString profiles = " cannot hold a drum: choose the RS274/NGC or grblHAL profile (a "
                             "rotary axis) or GRBL laser (a roller).";
    QTest::newRow("plain program")
        << fileOf(OutputFormat::Gcode) << "Plain G-code programs" + profiles;
    QTest::newRow("plain plot file") << fileOf(OutputFormat::Plot) << "Plain plot files" + profiles;
    QTest::newRow("grbl") << machineFile(profile(MachineProfile::Grbl))
                          << "GRBL G-code programs" + profiles;
    QTest::newRow("hpgl-cutter") << machineFile(profile(MachineProfile::HpglCutter))
                                 << "HP-GL cutter plot files" + profiles;
}

void TestDrumFiles::filesThatCannotHoldADrumAreRefused()
{
    QFETCH(OutputRequest, output);
    QFETCH(QString, message);
    const auto engraving = Engraving::prepare(collarOnDrum(), output, installedFonts());
    QVERIFY(!engraving);
    QCOMPARE(QString::fromStdString(engraving.refusal().message), message);
    QCOMPARE(engraving.refusal().machineSetting(), MachineSetting::Profile);
}

// Unrolled, the distance around the drum is what overflows; on the rotary axis, the angles.
void TestDrumFiles::anUnrolledDrumTooLongBlamesItsRadius()
{
    ScaleParameters p = collarOnDrum();
    p.length = "32766";
    p.radius = "1000";
    const auto laser
        = Engraving::prepare(p, machineFile(profile(MachineProfile::GrblLaser)), installedFonts());
    QVERIFY(!laser);
    QCOMPARE(laser.refusal().box(), ScaleInput::Radius);
    QVERIFY(Engraving::prepare(p, machineFile(profile(MachineProfile::Rs274)), installedFonts()));
}

QTEST_GUILESS_MAIN(TestDrumFiles)
#include "test_drum_files.moc"
