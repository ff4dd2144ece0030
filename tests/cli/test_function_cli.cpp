#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "files/job_file.h"

using namespace mensora;

// mensora-cli's options of the spacing and the labels, run as a user's script would.
class TestFunctionCli : public QObject
{
    Q_OBJECT

private slots:
    void optionsSetTheSelectedScaleAndAreKept();
    void usageErrorsExitTwo_data();
    void usageErrorsExitTwo();
    void refusedScalesExitThreeAndWriteNothing_data();
    void refusedScalesExitThreeAndWriteNothing();

private:
    struct Run
    {
        int status;
        QByteArray out;
        QString err;
    };
    Run run(const QStringList& arguments);
    ScaleJob savedJob(const QStringList& arguments);

    QTemporaryDir m_dir;
};

TestFunctionCli::Run TestFunctionCli::run(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    process.setProcessEnvironment(env);
    process.start(MENSORA_CLI, arguments);
    if (!process.waitForFinished(30000))
        qFatal("mensora-cli did not finish");
    return { process.exitCode(), process.readAllStandardOutput(),
        QString::fromUtf8(process.readAllStandardError()) };
}

ScaleJob TestFunctionCli::savedJob(const QStringList& arguments)
{
    const QString path = m_dir.filePath("saved.mensora");
    const Run saved = run(arguments + QStringList { "--save-scale", path });
    if (saved.status != 0)
        qFatal("not saved: %s", qPrintable(saved.err));
    const JobFileReading reading = readJobFile(path);
    if (!reading)
        qFatal("not read: %s", qPrintable(reading.problem));
    return *reading.job;
}

// Every option lands in the settings of the scale --select names, and the scale file keeps it.
void TestFunctionCli::optionsSetTheSelectedScaleAndAreKept()
{
    QFile csv(m_dir.filePath("movement.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("value,position\n0,0\n1,6.5\n2,15\n");
    csv.close();
    const QString first = m_dir.filePath("first.mensora");
    QCOMPARE(run({ "--add-other-unit", "--save-scale", first }).status, 0);
    const ScaleJob job
        = savedJob({ "--scale", first, "--select", "2", "--spacing", "points:" + csv.fileName(),
            "--values", "-0.5:2", "--segments", "0:1:0.5:1;1:2:0.25:13", "--min-gap", "0.01",
            "--labels", "0=OFF; 1.5=π", "--reverse", "--clockwise", "--title", "mA" });
    QCOMPARE(job.scales.size(), std::size_t(2));
    QCOMPARE(job.scales[0].parameters, ScaleJob {}.scales[0].parameters);
    const ScaleParameters& p = job.scales[1].parameters;
    QCOMPARE(p.spacing.law, SpacingLaw::Points);
    QCOMPARE(p.spacing.points, (std::vector<MeasuredPoint> { { 0, 0 }, { 1, 6.5 }, { 2, 15 } }));
    QCOMPARE(p.spacing.from, -0.5);
    QCOMPARE(p.spacing.to, 2.0);
    QCOMPARE(p.spacing.segments,
        (std::vector<ValueSegment> { { 0, 1, 0.5, "1" }, { 1, 2, 0.25, "13" } }));
    QCOMPARE(p.spacing.minGap, std::optional(0.01));
    QCOMPARE(p.labels.style, LabelStyle::List);
    QCOMPARE(p.labels.list, (std::vector<ValueLabel> { { 0, "OFF" }, { 1.5, "π" } }));
    QVERIFY(p.labels.reverse && p.labels.clockwise);
    QCOMPARE(p.labels.title, std::string("mA"));

    const ScaleParameters power
        = savedJob({ "--spacing", "power:0.5", "--mixed-fractions" }).scales[0].parameters;
    QCOMPARE(power.spacing.exponent, 0.5);
    QCOMPARE(power.labels.style, LabelStyle::Fractions);
    QVERIFY(power.labels.mixedFractions);
    const ScaleParameters formula
        = savedJob({ "--spacing", "expr:v > 1 ? log10(v) : v - 1", "--roman" })
              .scales[0]
              .parameters;
    QCOMPARE(formula.spacing.formula, std::string("v > 1 ? log10(v) : v - 1"));
    QCOMPARE(formula.labels.style, LabelStyle::Roman);
}

void TestFunctionCli::usageErrorsExitTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("saying");

    QTest::newRow("unknown law") << QStringList { "--spacing", "loglog" } << "--spacing takes";
    QTest::newRow("power without its exponent")
        << QStringList { "--spacing", "power" } << "--spacing takes";
    QTest::newRow("log with something after it")
        << QStringList { "--spacing", "log:2" } << "--spacing takes";
    QTest::newRow("one value") << QStringList { "--values", "10" } << "--values takes FROM:TO";
    QTest::newRow("a segment without its package")
        << QStringList { "--segments", "1:2:0.1" } << "--segments takes";
    QTest::newRow("a decimal comma in a segment")
        << QStringList { "--segments", "1:2:0,1:1" } << "--segments takes";
    QTest::newRow("a negative gap") << QStringList { "--min-gap", "-1" } << "--min-gap takes";
    QTest::newRow("a label without its value")
        << QStringList { "--labels", "MIN" } << "--labels takes";
    QTest::newRow("two label styles") << QStringList { "--roman", "--fractions" } << "give one";
}

void TestFunctionCli::usageErrorsExitTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, saying);
    const Run refused = run(arguments);
    QCOMPARE(refused.status, 2);
    QVERIFY2(refused.err.contains(saying), qPrintable(refused.err));
    QVERIFY(refused.out.isEmpty());
}

void TestFunctionCli::refusedScalesExitThreeAndWriteNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("log reaching 0") << QStringList { "--spacing", "log", "--values", "0:10" }
                                    << "A logarithmic scale takes values above 0 only, and the "
                                       "values 0 to 10 reach 0 or below.";
    QTest::newRow("points file missing") << QStringList { "--spacing",
        "points:missing.csv" } << "missing.csv cannot be read: No such file or directory.";
    QTest::newRow("stripes closer than the gap")
        << QStringList { "--spacing", "log", "--segments", "1:10:0.01:1" }
        << "Segment 1 (1 to 10 every 0.01): the stripes at 9.99 and 10 stand 0.0435 mm apart, "
           "closer than the gap of 0.2 mm.";
    QFile turning(m_dir.filePath("turning.csv"));
    if (!turning.open(QIODevice::WriteOnly))
        qFatal("no CSV file");
    turning.write("0,0\n5,40\n4,60\n10,100\n");
    turning.close();
    QTest::newRow("measured points that turn back")
        << QStringList { "--spacing", "points:" + turning.fileName(), "--values", "0:10" }
        << "Measured points: point 3 (4 at 60) turns back: the values must rise.";
    QTest::newRow("a formula not finite")
        << QStringList { "--spacing", "expr:log10(v)", "--values", "0:10" }
        << "The formula \"log10(v)\" is not finite over the values 0 to 10: it fails at v = 0.";
    QTest::newRow("a formula that turns back")
        << QStringList { "--spacing", "expr:(v-5)^2", "--values", "0:10" }
        << "The formula \"(v-5)^2\" is not strictly monotonic over the values 0 to 10: it turns "
           "back at v = 5.00501.";
    QTest::newRow("a reciprocal range below 0")
        << QStringList { "--spacing", "reciprocal", "--values", "-1:1" }
        << "A reciprocal scale takes values above 0 only, and the values -1 to 1 reach 0 or "
           "below.";
    QTest::newRow("a segment outside the range") << QStringList { "--spacing", "log", "--segments",
        "5:12:0.5:1" } << "Segment 1 (5 to 12 every 0.5): it lies outside the values 1 to 10.";
    QTest::newRow("overlapping segments")
        << QStringList { "--spacing", "log", "--segments", "1:3:0.5:1;2.5:4:0.5:1" }
        << "Segment 2 (2.5 to 4 every 0.5): it overlaps segment 1 (1 to 3 every 0.5).";
    QTest::newRow("a step of 0") << QStringList { "--spacing", "log", "--segments", "1:2:0:1" }
                                 << "Segment 1 (1 to 2 every 0): its step must be above 0.";
    QTest::newRow("more than 32767 stripes")
        << QStringList { "--spacing", "log", "--segments", "1:10:0.0001:1", "--min-gap", "0" }
        << "Segment 1 (1 to 10 every 0.0001): the segments give more than 32767 stripes.";
    QTest::newRow("a character the font lacks") << QStringList { "--numbers", "1", "--labels",
        "50=½" } << "The label 50=½ holds \"½\", which the font futural lacks.";
}

void TestFunctionCli::refusedScalesExitThreeAndWriteNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QString path = m_dir.filePath("refused.din");
    const Run refused = run(arguments + QStringList { "-o", path });
    QCOMPARE(refused.status, 3);
    QCOMPARE(refused.err, "mensora-cli: " + message + "\n");
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestFunctionCli)
#include "test_function_cli.moc"
