#include <QTest>

#include "engraving/engraving.h"
#include "engraving/machine_check.h"
#include "support/engraving_text.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

ScaleParameters dial(const char* total, const char* step)
{
    ScaleParameters p;
    p.shape = Shape::Round;
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

} // namespace

// What a machine file cannot hold is refused naming the value that causes it, and what it
// holds but cuts deep is asked about.
class TestMachineLimits : public QObject
{
    Q_OBJECT

private slots:
    void eachValueBeyondItsLimitIsNamedInTheRefusal_data();
    void eachValueBeyondItsLimitIsNamedInTheRefusal();
    void deepCutsAreAskedAboutInTheirOwnUnit_data();
    void deepCutsAreAskedAboutInTheirOwnUnit();
};

// Each value alone beyond what the file can hold: the refusal names it, whatever else is large.
void TestMachineLimits::eachValueBeyondItsLimitIsNamedInTheRefusal_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<MachineSettings>("machine");
    QTest::addColumn<QString>("named"); // the message's start

    MachineSettings rs274;
    rs274.profile = MachineProfile::Rs274;
    const auto box = [&](const char* name, ScaleInput input, const char* text, bool round = false) {
        ScaleParameters p = round ? dial("360", "10") : ScaleParameters {};
        p.distance = round ? p.distance : "10"; // a long ruler of few stripes
        inputText(p, input) = text;
        QTest::newRow(name) << p << rs274 << QString::fromStdString(inputCaption(input, p.shape));
    };
    box("length", ScaleInput::Length, "200000");
    box("stripe 1", ScaleInput::Stripe1, "200000");
    box("start X", ScaleInput::StartX, "200000");
    box("start Y", ScaleInput::StartY, "-200000");
    box("radius", ScaleInput::Radius, "200000", true);
    box("depth", ScaleInput::Depth, "-200000");
    ScaleParameters numbered;
    numbered.numbers.kind = 1;
    numbered.numbers.height = 200000;
    QTest::newRow("number height") << numbered << rs274 << "Number height";
    numbered.numbers.height.reset();
    numbered.numbers.gap = 200000;
    QTest::newRow("number gap") << numbered << rs274 << "Gap to the stripe";
    MachineSettings high = rs274;
    high.safeHeight = 200000;
    QTest::newRow("safe height") << ScaleParameters {} << high << "Safe height";
}

void TestMachineLimits::eachValueBeyondItsLimitIsNamedInTheRefusal()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(MachineSettings, machine);
    QFETCH(QString, named);
    const auto engraving = Engraving::prepare(parameters, machineFile(machine), installedFonts());
    QVERIFY(!engraving);
    const QString message = QString::fromStdString(engraving.refusal().message);
    QVERIFY2(message.startsWith(named + " "), qPrintable(message));
}

// Deeper than 5 mm, or 0.2 in, in one cut: the unit's own threshold, in the unit typed.
void TestMachineLimits::deepCutsAreAskedAboutInTheirOwnUnit_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<MachineSettings>("machine");
    QTest::addColumn<QString>("question"); // empty: none

    const auto row = [](const char* name, const char* depth, Unit unit, MachineProfile chosen,
                         const char* question) {
        ScaleParameters p;
        p.depth = depth;
        p.unit = unit;
        QTest::newRow(name) << p << profile(chosen) << QString(question);
    };
    const Unit mm = Unit::Millimetre;
    const Unit inch = Unit::Inch;
    row("6 mm", "-6", mm, MachineProfile::Rs274,
        "Engr depth -6 mm is deeper than 5 mm: the tool goes that deep in one cut. Save it?");
    row("5 mm", "-5", mm, MachineProfile::Grbl, "");
    row("0.3 in", "-0.3", inch, MachineProfile::Rs274,
        "Engr depth -0.3 in is deeper than 0.2 in: the tool goes that deep in one cut. Save it?");
    row("0.2 in", "-0.2", inch, MachineProfile::Grblhal, "");
    row("a laser takes no depth", "-6", mm, MachineProfile::GrblLaser, "");
    row("plain", "-6", mm, MachineProfile::Plain, "");
}

void TestMachineLimits::deepCutsAreAskedAboutInTheirOwnUnit()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(MachineSettings, machine);
    QFETCH(QString, question);
    const auto engraving = Engraving::prepare(parameters, machineFile(machine), installedFonts());
    QVERIFY(engraving);
    const auto asked = deepCutQuestion(engraving->machineJob(), engraving->output().dialect());
    QCOMPARE(asked ? QString::fromStdString(*asked) : QString(), question);
}

QTEST_GUILESS_MAIN(TestMachineLimits)
#include "test_machine_limits.moc"
