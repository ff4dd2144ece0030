#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the built mensora-cli as a user's script would.
class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void defaultsWriteTheRulerOfTheWorkedExample();
    void choicesSelectTheFile_data();
    void choicesSelectTheFile();
    void boxTextsAreReadAsTheWindowReadsThem();
    void decimalCommaFollowsTheLocale();
    void refusedInputExitsThreeAndTouchesNoFile();
    void unwritableTargetExitsFourAndKeepsTheOldFile();
    void usageErrorsExitTwo_data();
    void usageErrorsExitTwo();
    void sequenceIsPrintedAndNothingWritten();
    void drawingNumbersTakeThePointInEveryLocale();
    void strokeWidthIsInMillimetresWhateverTheUnit();
    void scaleFileComesFirstAndOptionsGivenOverrideIt();
    void saveScaleWritesTheScaleFileAndNothingElse();
    void surfaceAndRotaryAxisArePartOfTheScale();
    void refusedScaleFileExitsThreeAndWritesNothing();
    void statsGoWhereTheFileDoesNot();
    void machineFilesAreTheSameInEveryLocale();
    void numberSettingsAreRefusedNamingTheSetting();
    void marksChangeTheSequence_data();
    void marksChangeTheSequence();
    void listScalesNamesEachScaleOfAJob();
    void selectChangesOnlyThatScale();
    void selectBeyondTheJobIsAUsageError();
    void addedVernierIsKeptInTheScaleFile();
    void otherUnitBesideARoundScaleIsRefused();
    void widthsAreKeptInTheScaleFile();

private:
    struct Run
    {
        int status;
        QByteArray out;
        QString err;
    };
    Run run(const QStringList& arguments, const QStringList& environment = {});
    static QByteArray golden(const QString& name);

    QTemporaryDir m_dir;
};

TestCli::Run TestCli::run(const QStringList& arguments, const QStringList& environment)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    for (const QString& pair : environment)
        env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    process.setProcessEnvironment(env);
    process.start(MENSORA_CLI, arguments);
    if (!process.waitForFinished(30000))
        qFatal("mensora-cli did not finish");
    return { process.exitCode(), process.readAllStandardOutput(),
        QString::fromUtf8(process.readAllStandardError()) };
}

QByteArray TestCli::golden(const QString& name)
{
    QFile file(QStringLiteral(GOLDEN_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no golden file %s", qPrintable(name));
    return file.readAll();
}

void TestCli::defaultsWriteTheRulerOfTheWorkedExample()
{
    const Run toStandardOutput = run({});
    QCOMPARE(toStandardOutput.status, 0);
    QCOMPARE(toStandardOutput.out, golden("flat.din"));

    const QString path = m_dir.filePath("ruler.din");
    QCOMPARE(run({ "-o", path }).status, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), golden("flat.din"));
}

void TestCli::choicesSelectTheFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("golden");

    QTest::newRow("flat baseline") << QStringList { "--baseline", "single" } << "flat-baseline.din";
    QTest::newRow("round baseline")
        << QStringList { "--shape", "round", "--baseline", "single" } << "round-baseline.din";
    QTest::newRow("round midway") << QStringList { "--shape", "round", "--baseline", "single",
        "--position", "midway" } << "round-midway-baseline.din";
    QTest::newRow("reversed under") << QStringList { "--shape", "round", "--baseline", "single",
        "--position", "under", "--length", "-90", "--distance", "-1", "--start-angle", "45" }
                                    << "round-under-reversed-baseline.din";
    QTest::newRow("plot") << QStringList { "--format", "plot", "--output", "-" } << "flat.plt";
    QTest::newRow("inch changes no number") << QStringList { "--unit", "inch" } << "flat.din";
    const QStringList ruler = { "--length", "2", "--package", "123", "--baseline", "single" };
    QTest::newRow("svg") << ruler + QStringList { "--format", "svg" } << "ruler.svg";
    QTest::newRow("dxf") << ruler + QStringList { "--format", "dxf" } << "ruler.dxf";
    QTest::newRow("clockwise svg") << QStringList { "--format", "svg", "--shape", "round",
        "--baseline", "single", "--position", "under", "--length", "-90", "--distance", "-30",
        "--start-angle", "45" } << "clockwise.svg";
    QTest::newRow("plain profile takes no setting") << QStringList { "--profile=plain", "--feed=5",
        "--passes=3", "--order=alternate", "--no-line-numbers" }
                                                    << "flat.din";
    QTest::newRow("plain profile on a plot file")
        << QStringList { "--profile=plain", "--format=plot", "--safe-z=5" } << "flat.plt";
    QTest::newRow("rs274") << QStringList { "--profile=rs274", "--shape=round", "--length=270",
        "--distance=10", "--baseline=single", "--spindle=12000" }
                           << "round-270-baseline-rs274.ngc";
    QTest::newRow("grbl") << QStringList { "--profile=grbl", "--length=10", "--baseline=single",
        "--passes=3", "--order=alternate" }
                          << "flat-10-baseline-grbl.nc";
    QTest::newRow("grbl-laser") << QStringList { "--profile=grbl-laser", "--power=300",
        "--feed=1500" } << "flat-grbl-laser.gcode";
    QTest::newRow("hpgl-cutter writes a plot file without --format")
        << QStringList { "--profile=hpgl-cutter", "--shape=round", "--length=-90", "--distance=-10",
               "--baseline=single" }
        << "round-minus-90-baseline-hpgl-cutter.plt";
}

void TestCli::choicesSelectTheFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, golden);
    const Run result = run(arguments);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, TestCli::golden(golden));
}

void TestCli::boxTextsAreReadAsTheWindowReadsThem()
{
    const Run result = run(
        { "--length", " 3 mm", "--distance", "1abc", "--stripe1", "&H1A", "--depth", " -0,2 " });
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.startsWith("N1 G0 X0 Y0 Z1\r\nN2 G1 Z -0,2 \r\nN3 G1 Y26\r\n"));
    QVERIFY(result.out.endsWith("N13 G0 X3 Y0 Z1\r\nN14 G1 Z -0,2 \r\nN15 G1 Y3\r\n"
                                "N16 G0 Z1\r\nN17 M30\r\n"));
}

void TestCli::decimalCommaFollowsTheLocale()
{
    const Run result = run({ "--shape", "round" }, { "LC_ALL=de_DE.UTF-8", "LOCPATH=" LOCPATH });
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.contains("\r\nN5 G0 X29,995 Y0,524 Z1\r\n"));
    QVERIFY(result.out.contains("\r\nN2 G1 Z-0.1\r\n")); // the depth stays as typed
}

void TestCli::refusedInputExitsThreeAndTouchesNoFile()
{
    const QString fresh = m_dir.filePath("refused.din");
    Run result = run({ "--distance", "0", "-o", fresh });
    QCOMPARE(result.status, 3);
    QVERIFY(result.err.contains("Distance between stripes must not be 0."));
    QVERIFY(!QFile::exists(fresh));

    const QString existing = m_dir.filePath("kept.din");
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("earlier program\r\n");
    file.close();
    result = run({ "--package", "1373", "-o", existing });
    QCOMPARE(result.status, 3);
    QVERIFY(result.err.contains("not \"7\""));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier program\r\n"));
}

void TestCli::unwritableTargetExitsFourAndKeepsTheOldFile()
{
    Run result = run({ "-o", m_dir.filePath("missing/folder/x.din") });
    QCOMPARE(result.status, 4);
    QVERIFY2(result.err.contains("No such file or directory"), qPrintable(result.err));

    const QString folder = m_dir.filePath("a-folder");
    QVERIFY(QDir().mkpath(folder));
    result = run({ "-o", folder });
    QCOMPARE(result.status, 4);
    QVERIFY2(result.err.contains("cannot write"), qPrintable(result.err));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
}

void TestCli::usageErrorsExitTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown option") << QStringList { "--colour", "red" } << "Unknown option";
    QTest::newRow("bad shape") << QStringList { "--shape", "oval" }
                               << "--shape takes flat or round, not \"oval\".";
    QTest::newRow("bad position") << QStringList { "--position", "left" }
                                  << "--position takes above or midway or under";
    QTest::newRow("missing value") << QStringList { "--length" } << "Missing value";
    QTest::newRow("stray argument") << QStringList { "ruler.din" } << "Unexpected argument";
    QTest::newRow("bad format") << QStringList { "--format", "pdf" }
                                << "--format takes gcode or plot or svg or dxf, not \"pdf\".";
    QTest::newRow("stroke width 0") << QStringList { "--stroke-width",
        "0" } << "--stroke-width takes millimetres above 0 and up to 100, not \"0\".";
    QTest::newRow("stroke width with comma") << QStringList { "--stroke-width",
        "0,2" } << "--stroke-width takes millimetres above 0 and up to 100, not \"0,2\".";
    QTest::newRow("save scale and output") << QStringList { "--save-scale", "a.mensora", "-o",
        "a.din" } << "--save-scale takes a file name and writes only the scale";
    QTest::newRow("empty scale name") << QStringList { "--scale", "" } << "--scale takes the name";
    QTest::newRow("unknown profile") << QStringList { "--profile=fanuc" }
                                     << "--profile takes plain or rs274 or grbl or grbl-laser or "
                                        "hpgl-cutter or grblhal, not \"fanuc\".";
    QTest::newRow("unknown surface")
        << QStringList { "--surface=cone" } << "--surface takes face or drum, not \"cone\".";
    QTest::newRow("rotary axis C")
        << QStringList { "--rotary-axis", "C" } << "--rotary-axis takes A or B, not \"C\".";
    QTest::newRow("profile of the other family")
        << QStringList { "--profile=rs274", "--format=plot" }
        << "--profile=rs274 shapes G-code programs and does not go with --format=plot.";
    QTest::newRow("plot profile with a program")
        << QStringList { "--profile", "hpgl-cutter", "--format", "gcode" }
        << "--profile=hpgl-cutter shapes plot files and does not go with --format=gcode.";
    QTest::newRow("setting with a comma") << QStringList { "--feed=1,5" }
                                          << "--feed takes a number with \".\" for decimals, "
                                             "not \"1,5\".";
    QTest::newRow("five mark widths")
        << QStringList { "--mark-widths=0.4,0.2,0.2,0.4,0.2" }
        << "--mark-widths takes six numbers with \".\" for decimals, separated by commas, not "
           "\"0.4,0.2,0.2,0.4,0.2\".";
    QTest::newRow("number width with a comma") << QStringList { "--number-width=0,3" }
                                               << "--number-width takes a number with \".\" for "
                                                  "decimals, not \"0,3\".";
    QTest::newRow("V-bit without its angle")
        << QStringList { "--tool=vbit" }
        << "--tool takes line, vbit:ANGLE[:TIP] or endmill:DIAMETER[:STEPOVER%], not \"vbit\".";
    QTest::newRow("unknown drawing") << QStringList { "--drawing", "filled" }
                                     << "--drawing takes strokes or outlines, not \"filled\".";
    QTest::newRow("passes not a number") << QStringList { "--passes=two" } << "--passes takes";
    QTest::newRow("unknown order")
        << QStringList { "--order=random" } << "--order takes listed or alternate";
    QTest::newRow("kind 7") << QStringList {
        "--numbers=7"
    } << "--numbers takes a stripe kind from 1 to 6, or 0 for none, not \"7\".";
    QTest::newRow("decimal comma") << QStringList { "--number-first=1,5" }
                                   << "--number-first takes a number with \".\" for decimals";
    QTest::newRow("height in words")
        << QStringList { "--number-height", "big" } << "--number-height takes a number";
    QTest::newRow("infinite step")
        << QStringList { "--number-step=inf" } << "--number-step takes a number";
    QTest::newRow("4 decimals") << QStringList { "--number-decimals=4" }
                                << "--number-decimals takes auto or 0, 1, 2 or 3, not \"4\".";
    QTest::newRow("font not offered")
        << QStringList { "--number-font=greek" } << "--number-font takes one of futural, futuram,";
    QTest::newRow("orientation") << QStringList { "--number-orientation=up" }
                                 << "--number-orientation takes dial or level, not \"up\".";
}

void TestCli::usageErrorsExitTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run result = run(arguments);
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
}

void TestCli::numberSettingsAreRefusedNamingTheSetting()
{
    const Run result = run({ "--numbers=1", "--number-height=0", "--number-prefix=\u00e9" });
    QCOMPARE(result.status, 3);
    QVERIFY2(result.err.contains("Number height must be a finite number greater than 0."),
        qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
}

void TestCli::marksChangeTheSequence_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("sequence");

    QTest::newRow("package 1 ends short")
        << QStringList { "--package=1", "--length=10" } << QByteArray("1111111111\n");
    QTest::newRow("end on the total") << QStringList { "--package=1", "--length=10",
        "--end-on-total" } << QByteArray("11111111111\n");
    QTest::newRow("no double mark")
        << QStringList { "--shape=round", "--length=360", "--distance=90", "--no-double-mark" }
        << QByteArray("1333\n");
}

void TestCli::marksChangeTheSequence()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, sequence);
    const Run result = run(arguments << "--sequence");
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, sequence);
}

void TestCli::sequenceIsPrintedAndNothingWritten()
{
    const QString path = m_dir.filePath("not-written.din");
    const Run result = run({ "--sequence", "--length", "12", "-o", path });
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QByteArray("1333323333133\n"));
    QVERIFY(!QFile::exists(path));
}

void TestCli::drawingNumbersTakeThePointInEveryLocale()
{
    for (const char* format : { "svg", "dxf" }) {
        const Run result = run({ "--shape", "round", "--baseline", "single", "--format", format },
            { "LC_ALL=de_DE.UTF-8", "LOCPATH=" LOCPATH });
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains("29.995"), format);
        QVERIFY2(!result.out.contains("29,995"), format);
    }
}

void TestCli::strokeWidthIsInMillimetresWhateverTheUnit()
{
    QVERIFY(run({ "--format", "svg", "--stroke-width", "0.25" })
                .out.contains(" stroke-width=\"0.25\" "));
    // A quarter millimetre is 0.25 / 25.4 inches.
    QVERIFY(run({ "--format", "svg", "--stroke-width", "0.25", "--unit", "inch" })
                .out.contains(" stroke-width=\"0.00984251968503937\" "));
    QVERIFY(run({ "--format", "svg", "--unit", "inch" })
                .out.contains(" width=\"100.003937007874in\" "));
}

void TestCli::scaleFileComesFirstAndOptionsGivenOverrideIt()
{
    const QString scale = m_dir.filePath("dial.mensora");
    const QStringList dial = { "--shape", "round", "--length", "-90", "--distance", "-1",
        "--start-angle", "45", "--position", "under" };
    QCOMPARE(run(QStringList { "--save-scale", scale } + dial).status, 0);

    const Run fromFile = run({ "--scale", scale, "--baseline", "single" });
    QCOMPARE(fromFile.status, 0);
    QCOMPARE(fromFile.out, golden("round-under-reversed-baseline.din"));
    // The options given win over the file's, the others keep it.
    const Run overridden = run({ "--scale", scale, "--baseline", "single", "--length", "-10" });
    QCOMPARE(
        overridden.out, run(dial + QStringList { "--baseline", "single", "--length", "-10" }).out);
    QCOMPARE(run({ "--scale", scale, "--format", "plot", "--baseline", "single" }).out,
        run(dial + QStringList { "--format", "plot" }).out);

    // The numbers and marks too.
    const QString numbered = m_dir.filePath("numbered.mensora");
    const QStringList numbers = { "--numbers", "1", "--number-step", "5", "--end-on-total",
        "--number-font", "timesr", "--package", "13" };
    QCOMPARE(run(QStringList { "--save-scale", numbered } + numbers).status, 0);
    const Run decimals = run({ "--scale", numbered, "--number-decimals", "1" });
    QCOMPARE(decimals.status, 0);
    QCOMPARE(decimals.out, run(numbers + QStringList { "--number-decimals", "1" }).out);
    QCOMPARE(run({ "--scale", numbered, "--numbers", "0", "--sequence" }).out,
        run({ "--package", "13", "--end-on-total", "--sequence" }).out);
}

void TestCli::saveScaleWritesTheScaleFileAndNothingElse()
{
    QTemporaryDir folder;
    const QString scale = folder.filePath("ruler.mensora");
    const Run saved = run({ "--save-scale", scale, "--depth", " -0,2 ", "--unit", "inch" });
    QCOMPARE(saved.status, 0);
    QVERIFY(saved.out.isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { "ruler.mensora" });
    QFile file(scale);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("\"format\": \"mensora-scale\""));
    QVERIFY(text.contains("\"depth\": \" -0,2 \""));
    QVERIFY(text.contains("\"unit\": \"inch\""));

    // A text no scale file keeps is refused, and nothing is written.
    const QString refused = folder.filePath("long.mensora");
    const Run tooLong = run({ "--save-scale", refused, "--package", QString(1001, u'1') });
    QCOMPARE(tooLong.status, 3);
    QVERIFY2(tooLong.err.contains("How is 1 pakage holds more than 1,000 characters"),
        qPrintable(tooLong.err));
    QVERIFY(!QFile::exists(refused));
}

void TestCli::surfaceAndRotaryAxisArePartOfTheScale()
{
    const auto scaleText = [this](const QString& name, const QStringList& options) {
        const QString path = m_dir.filePath(name);
        if (run(QStringList { "--save-scale", path } + options).status != 0)
            return QByteArray("<not saved>");
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    };
    const QByteArray drum = scaleText(
        "drum.mensora", { "--shape", "round", "--surface", "drum", "--rotary-axis", "B" });
    QVERIFY2(drum.contains("\"surface\": \"drum\"") && drum.contains("\"rotaryAxis\": \"B\""),
        drum.constData());
    // Options given over a scale file change only what they name.
    const QByteArray turnedByA = scaleText(
        "turned-by-a.mensora", { "--scale", m_dir.filePath("drum.mensora"), "--rotary-axis", "A" });
    QVERIFY2(
        turnedByA.contains("\"surface\": \"drum\"") && turnedByA.contains("\"rotaryAxis\": \"A\""),
        turnedByA.constData());
}

void TestCli::refusedScaleFileExitsThreeAndWritesNothing()
{
    const QString scale = m_dir.filePath("oval.mensora");
    QFile file(scale);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"mensora-scale\", \"version\": 1, \"shape\": \"oval\"}");
    file.close();
    const QString output = m_dir.filePath("oval.din");
    const Run result = run({ "--scale", scale, "-o", output });
    QCOMPARE(result.status, 3);
    QCOMPARE(result.err,
        QStringLiteral(
            "mensora-cli: oval.mensora: \"shape\" must be flat or round, not \"oval\".\n"));
    QVERIFY(!QFile::exists(output));
    QCOMPARE(run({ "--scale", m_dir.filePath("none.mensora") }).status, 3);
}

// The figures follow the file: on standard error beside a file on standard output, else on
// standard output. A setting out of range is refused like a box.
void TestCli::statsGoWhereTheFileDoesNot()
{
    const QByteArray figures = "profile: rs274\nstripes: 101\ncut length: 400 mm\n";
    Run result = run({ "--profile=rs274", "--stats" });
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.startsWith("N1 (Mensora: flat scale, 101 stripes, length 100 mm)\r\n"));
    QVERIFY2(result.err.startsWith(figures), qPrintable(result.err));
    QVERIFY(result.err.contains("\nestimated time: 404 s (6 min 44 s)\n"));

    const QString path = m_dir.filePath("ruler.ngc");
    result = run({ "--profile=rs274", "--stats", "-o", path });
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.startsWith(figures));
    QVERIFY(result.err.isEmpty());

    result = run({ "--profile=grbl-laser", "--stats", "-o", path });
    QVERIFY(result.out.contains("\nplunges: 0\n"));
    QVERIFY(result.out.endsWith("\ndepth: not used\n"));

    result = run({ "--profile=rs274", "--feed=0", "--stats", "-o", path });
    QCOMPARE(result.status, 3);
    QVERIFY2(result.err.contains("Feed must be from 0.0001 to 99999.9999 mm/min."),
        qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
}

void TestCli::machineFilesAreTheSameInEveryLocale()
{
    const QStringList arguments { "--profile=grbl", "--shape=round", "--baseline=single",
        "--distance=0.5", "--radius=30.25", "--safe-z=2.5" };
    const Run english = run(arguments);
    const Run german = run(arguments, { "LC_ALL=de_DE.UTF-8", "LOCPATH=" LOCPATH });
    QCOMPARE(german.status, 0);
    QCOMPARE(german.out, english.out);
    QVERIFY(english.out.contains("\r\nN3 G0 Z2.5\r\n"));
    QVERIFY(english.out.contains(" X30.2488 Y0.264\r\n"));
}

// One line per scale: its number, name, shape, unit and stripes, or why it is refused. A caliper
// of 150 mm by 1 mm has 151 stripes, its vernier of 10 divisions 11.
void TestCli::listScalesNamesEachScaleOfAJob()
{
    const QString caliper = TEMPLATES_DIR "/caliper-0.1mm.mensora";
    Run result = run({ "--scale", caliper, "--list-scales" });
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out,
        QByteArray("1\tRuler 150 mm\tflat\tmm\t151 stripes\n"
                   "2\tVernier 10/9\tflat\tmm\t11 stripes\n"));
    result = run({ "--scale", caliper, "--select", "2", "--distance", "0", "--list-scales" });
    QCOMPARE(result.status, 0);
    QVERIFY2(result.out.endsWith(
                 "2\tVernier 10/9\tflat\tmm\trefused: Distance between stripes must not be 0.\n"),
        result.out.constData());
    QVERIFY(result.err.isEmpty());
}

void TestCli::selectChangesOnlyThatScale()
{
    const QString caliper = TEMPLATES_DIR "/caliper-0.1mm.mensora";
    const QString changed = m_dir.filePath("select.mensora");
    QCOMPARE(
        run({ "--scale", caliper, "--select", "2", "--package", "12", "--save-scale", changed })
            .status,
        0);
    // The vernier's 11 stripes take the package; the main scale keeps the template's.
    QCOMPARE(run({ "--scale", changed, "--select", "2", "--sequence" }).out,
        QByteArray("12121212121\n"));
    QCOMPARE(run({ "--scale", changed, "--sequence" }).out,
        run({ "--scale", caliper, "--sequence" }).out);
}

void TestCli::selectBeyondTheJobIsAUsageError()
{
    const QString output = m_dir.filePath("third.din");
    const Run result = run(
        { "--scale", TEMPLATES_DIR "/caliper-0.02mm.mensora", "--select", "3", "-o", output });
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.contains("--select 3: the job has 2 scales."), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
    QVERIFY(!QFile::exists(output));
}

void TestCli::addedVernierIsKeptInTheScaleFile()
{
    const QStringList caliper = { "--length", "150", "--numbers", "1", "--add-vernier", "50/49" };
    const QString job = m_dir.filePath("caliper.mensora");
    QCOMPARE(run(caliper + QStringList { "--save-scale", job }).status, 0);
    // From 0 to 150 by 1: 151 stripes, fifteen packages of ten and the next one's first.
    QCOMPARE(run({ "--scale", job, "--list-scales" }).out,
        QByteArray("1\tRuler 150 mm\tflat\tmm\t151 stripes\n"
                   "2\tVernier 50/49\tflat\tmm\t51 stripes\n"));
    const Run fromFile = run({ "--scale", job, "--profile", "rs274" });
    QCOMPARE(fromFile.status, 0);
    QCOMPARE(fromFile.out, run(caliper + QStringList { "--profile", "rs274" }).out);
}

void TestCli::otherUnitBesideARoundScaleIsRefused()
{
    for (const QString& target : { QString("-o"), QString("--save-scale") }) {
        const QString path = m_dir.filePath("other-unit");
        const Run result = run({ "--shape", "round", "--add-other-unit", target, path });
        QCOMPARE(result.status, 3);
        QCOMPARE(result.err,
            QStringLiteral("mensora-cli: Another unit goes only beside a flat scale: this one "
                           "is round.\n"));
        QVERIFY(result.out.isEmpty());
        QVERIFY(!QFile::exists(path));
    }
}

void TestCli::widthsAreKeptInTheScaleFile()
{
    const QString path = m_dir.filePath("wide.mensora");
    QCOMPARE(run({ "--mark-widths", "0.4,0,0.2,0,0,0.25", "--baseline-width", "0.3",
                     "--number-width=0.5", "--save-scale", path })
                 .status,
        0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject job = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(job.value("version").toInt(), 2);
    const QJsonObject widths
        = job.value("scales").toArray().first().toObject().value("widths").toObject();
    QCOMPARE(widths.value("stripes").toArray(), (QJsonArray { 0.4, 0, 0.2, 0, 0, 0.25 }));
    QCOMPARE(widths.value("baseline").toDouble(), 0.3);
    QCOMPARE(widths.value("numbers").toDouble(), 0.5);
    // Over the file, an option given changes only its own width.
    const QString narrower = m_dir.filePath("narrower.mensora");
    QCOMPARE(run({ "--scale", path, "--baseline-width=0", "--save-scale", narrower }).status, 0);
    QFile read(narrower);
    QVERIFY(read.open(QIODevice::ReadOnly));
    const QJsonObject kept = QJsonDocument::fromJson(read.readAll())
                                 .object()
                                 .value("scales")
                                 .toArray()
                                 .first()
                                 .toObject()
                                 .value("widths")
                                 .toObject();
    QCOMPARE(kept.value("baseline").toDouble(), 0.0);
    QCOMPARE(kept.value("numbers").toDouble(), 0.5);
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
