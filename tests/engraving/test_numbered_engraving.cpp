#include <cmath>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"

using namespace mensora;

namespace {

std::string fileFor(const ScaleParameters& parameters, const OutputRequest& output = {})
{
    const auto engraving = Engraving::prepare(parameters, output, installedFonts());
    if (!engraving)
        qFatal("refused: %s", engraving.refusal().message.c_str());
    StringSink sink;
    engraving->write(sink, NumberFormat {});
    return sink.text;
}

QStringList linesOf(const std::string& file)
{
    QStringList lines = QString::fromStdString(file).split("\r\n");
    lines.removeLast(); // after the last CR LF
    return lines;
}

std::string golden(const char* name)
{
    QFile file(QStringLiteral(GOLDEN_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no golden file %s", name);
    return file.readAll().toStdString();
}

ScaleParameters numbered(int kind)
{
    ScaleParameters p;
    p.numbers.kind = kind;
    return p;
}

} // namespace

class TestNumberedEngraving : public QObject
{
    Q_OBJECT

private slots:
    void withoutNumbersTheOtherSettingsChangeNothing();
    void numbersFollowTheStripesInEveryFormat();
    void refusedSettingsAreNamed_data();
    void refusedSettingsAreNamed();
    void numbersOverflowInPlotterUnits();
    void aMissingFontNamesThePackageToInstall();
    void endOnTheTotalPutsTheLastStripeThere_data();
    void endOnTheTotalPutsTheLastStripeThere();
    void noDoubleMarkCutsZeroDegreesOnce();
};

void TestNumberedEngraving::withoutNumbersTheOtherSettingsChangeNothing()
{
    ScaleParameters p = numbered(0);
    p.numbers.first = 5;
    p.numbers.height = 7;
    p.numbers.font = "not a font";
    p.numbers.prefix = "\xc3\xa9";
    QCOMPARE(fileFor(p), golden("flat.din"));
    p.shape = Shape::Round;
    p.baseline = Baseline::Single;
    QCOMPARE(fileFor(p), golden("round-baseline.din"));
}

// The file begins as it did; then every stroke is a rapid, a plunge, cuts and a lift, written
// as G-code lines and as plot lines alike.
void TestNumberedEngraving::numbersFollowTheStripesInEveryFormat()
{
    ScaleParameters p = numbered(1);
    const QStringList gcode = linesOf(fileFor(p));
    const QStringList plain = linesOf(golden("flat.din"));
    QCOMPARE(gcode.mid(0, 404), plain.mid(0, 404));
    QCOMPARE(gcode.mid(404, 4),
        QStringList({ "N405 G0 X-0.143 Y14 Z1", "N406 G1 Z-0.1", "N407 G1 X-0.571 Y13.857",
            "N408 G1 X-0.857 Y13.429" }));
    QCOMPARE(gcode.last(), QString("N%1 M30").arg(gcode.size()));

    const QStringList plot = linesOf(fileFor(p, { .format = OutputFormat::Plot }));
    QCOMPARE(plot.mid(0, 204), linesOf(golden("flat.plt")).mid(0, 204));
    QCOMPARE(plot.mid(204, 2), QStringList({ "PU-6 560;", "PD-23 554;" }));
    int strokes = 0;
    int cuts = 0;
    for (const QString& line : gcode) {
        strokes += line.contains(" G1 Z");
        cuts += line.contains(" G1 X") || line.contains(" G1 Y");
    }
    QCOMPARE(plot.filter(QRegularExpression("^PU")).size(), strokes);
    QCOMPARE(plot.filter(QRegularExpression("^PD")).size(), cuts);
    QVERIFY(strokes > 101 + 11); // every number has at least one stroke
}

void TestNumberedEngraving::refusedSettingsAreNamed_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("message");

    const int height = int(NumberSetting::Height);
    ScaleParameters p = numbered(1);
    const QString notAboveZero = "Number height must be a finite number greater than 0.";
    for (const double bad : { 0.0, -1.0, double(INFINITY), double(NAN) }) {
        p.numbers.height = bad;
        QTest::newRow(qPrintable("height " + QString::number(bad))) << p << height << notAboveZero;
    }
    p = numbered(1);
    p.numbers.gap = -double(INFINITY);
    QTest::newRow("gap not finite")
        << p << int(NumberSetting::Gap) << "Gap to the stripe must be a finite number.";
    p = numbered(1);
    p.numbers.font = "greek";
    QTest::newRow("font not offered")
        << p << int(NumberSetting::Font)
        << "Font \"greek\" is not one of the fonts offered: futural, futuram, rowmans, rowmand, "
           "rowmant, timesr, timesrb, timesi, timesib, scripts, scriptc, cursive, gothiceng, "
           "gothicger, gothicita, gothgbt, gothgrt, gothitt.";
    p = numbered(1);
    p.numbers.prefix = "\xc3\xa9 ";
    QTest::newRow("prefix beyond ASCII")
        << p << int(NumberSetting::Prefix)
        << "Prefix may hold only printable ASCII characters, not \"\xc3\xa9\".";
    p.numbers.prefix = "Jet ";
    p.numbers.font = "rowmant";
    QTest::newRow("prefix with a letter the font lacks")
        << p << int(NumberSetting::Prefix) << "Prefix holds \"J\", which the font rowmant lacks.";
    p = numbered(1);
    p.numbers.suffix = std::string(21, 'x');
    QTest::newRow("suffix too long")
        << p << int(NumberSetting::Suffix) << "Suffix may hold at most 20 characters.";
    p = numbered(1);
    p.numbers.height = 1e308;
    QTest::newRow("numbers overflow") << p << height
                                      << "Number height is too large: the numbers' coordinates "
                                         "cannot be written.";
    p = numbered(1);
    p.numbers.gap = -1e308;
    p.numbers.height = 1;
    p.shape = Shape::Round;
    QTest::newRow("gap overflows a dial") << p << int(NumberSetting::Gap)
                                          << "Gap to the stripe is too large: the numbers' "
                                             "coordinates cannot be written.";
}

void TestNumberedEngraving::refusedSettingsAreNamed()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(int, setting);
    QFETCH(QString, message);

    const auto engraving = Engraving::prepare(parameters, {}, installedFonts());
    QVERIFY(!engraving);
    QCOMPARE(QString::fromStdString(engraving.refusal().message), message);
    QVERIFY(engraving.refusal().numberSetting());
    QCOMPARE(int(*engraving.refusal().numberSetting()), setting);
}

void TestNumberedEngraving::numbersOverflowInPlotterUnits()
{
    ScaleParameters p = numbered(1);
    p.numbers.height = 1e307; // beyond the plotter's units
    const auto plot = Engraving::prepare(p, { .format = OutputFormat::Plot }, installedFonts());
    QVERIFY(!plot);
    QCOMPARE(plot.refusal(),
        settingRefusal(NumberSetting::Height,
            "Number height is too large: the numbers' coordinates cannot be written."));
}

void TestNumberedEngraving::aMissingFontNamesThePackageToInstall()
{
    QTemporaryDir empty;
    qputenv("HERSHEY_FONTS_DIR", empty.path().toUtf8());
    const InstalledFonts noneInstalled; // the run's own fonts may have been read already
    const auto engraving = Engraving::prepare(numbered(1), {}, noneInstalled);
    qunsetenv("HERSHEY_FONTS_DIR");
    QVERIFY(!engraving);
    QCOMPARE(QString::fromStdString(engraving.refusal().message),
        "Font \"futural\" is not installed: install the package hershey-fonts-data.");
}

void TestNumberedEngraving::endOnTheTotalPutsTheLastStripeThere_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("distance");
    QTest::addColumn<QString>("lastRapid");

    QTest::newRow("package 1, 10 by 1") << "1"
                                        << "10"
                                        << "1"
                                        << "G0 X10 Y0 Z1";
    QTest::newRow("package 12, 15 by 0.5") << "12"
                                           << "15"
                                           << "0.5"
                                           << "G0 X15 Y0 Z1";
}

void TestNumberedEngraving::endOnTheTotalPutsTheLastStripeThere()
{
    QFETCH(QString, package);
    QFETCH(QString, total);
    QFETCH(QString, distance);
    QFETCH(QString, lastRapid);

    ScaleParameters p;
    p.package = package.toStdString();
    p.length = total.toStdString();
    p.distance = distance.toStdString();
    QVERIFY(!linesOf(fileFor(p)).filter(" " + lastRapid).size()); // the count ends short
    p.marks.endOnTotal = true;
    const QStringList lines = linesOf(fileFor(p));
    QVERIFY2(lines[lines.size() - 5].endsWith(" " + lastRapid), qPrintable(lines.join('\n')));
}

void TestNumberedEngraving::noDoubleMarkCutsZeroDegreesOnce()
{
    ScaleParameters p;
    p.shape = Shape::Round;
    p.length = "360";
    QCOMPARE(linesOf(fileFor(p)).filter(" G0 X30 Y0 Z1").size(), 2);
    p.marks.noDoubleMark = true;
    const QStringList lines = linesOf(fileFor(p));
    QCOMPARE(lines.filter(" G0 X30 Y0 Z1").size(), 1);
    QCOMPARE(lines.size(), 4 * 360 + 1);
    QCOMPARE(lines[lines.size() - 5], "N1437 G0 X29.995 Y-0.524 Z1"); // 359 degrees
}

QTEST_APPLESS_MAIN(TestNumberedEngraving)
#include "test_numbered_engraving.moc"
