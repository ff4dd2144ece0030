#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "files/job_file.h"
#include "files/points_file.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;

namespace {

// A scale with every setting of the spacing and labels away from its start value.
ScaleParameters everySetting()
{
    ScaleParameters p;
    p.spacing.law = SpacingLaw::Points;
    p.spacing.exponent = 0.5;
    p.spacing.formula = "log10(sin(v*_pi/180))";
    p.spacing.points = { { 0, 0 }, { 5, 41.25 }, { 10, 100 } };
    p.spacing.from = -2.5;
    p.spacing.to = 3;
    p.spacing.segments = { { -2.5, 0, 0.5, "12" }, { 0, 3, 0.1, " 1333323333 " } };
    p.spacing.minGap = 0.15;
    p.labels.style = LabelStyle::Roman;
    p.labels.list = { { 3.14159, "π" }, { 0, "0 dB" } };
    p.labels.mixedFractions = true;
    p.labels.reverse = true;
    p.labels.clockwise = true;
    p.labels.title = "µA";
    return p;
}

QJsonObject objectOf(const QByteArray& bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

// A version 2 file of one scale whose spacing or labels hold `value` under `key`.
QByteArray fileWith(const char* object, const char* key, const QJsonValue& value)
{
    QJsonObject file = objectOf(jobFileBytes(ScaleJob { { { everySetting(), {} } }, false }));
    QJsonArray scales = file.value("scales").toArray();
    QJsonObject scale = scales.at(0).toObject();
    QJsonObject inner = scale.value(object).toObject();
    inner.insert(key, value);
    scale.insert(object, inner);
    scales.replace(0, scale);
    file.insert("scales", scales);
    return QJsonDocument(file).toJson();
}

} // namespace

class TestSpacingFiles : public QObject
{
    Q_OBJECT

private slots:
    void everySettingIsKeptInVersion2();
    void aFileWithoutThemReadsAsAnEvenScaleWithNumbers();
    void brokenSettingsAreRefusedInOneSentence_data();
    void brokenSettingsAreRefusedInOneSentence();
    void pointsAreReadFromACsvFile_data();
    void pointsAreReadFromACsvFile();
};

// Written, read back and written again: the same scale and the same bytes; the file's version
// stays 2, and a scale at the start values still makes a version 1 file.
void TestSpacingFiles::everySettingIsKeptInVersion2()
{
    const ScaleJob job { { { everySetting(), {} } }, false };
    QVERIFY(!isSingleScale(job));
    QVERIFY(!unkeptInJobFile(job));
    const QByteArray bytes = jobFileBytes(job);
    QCOMPARE(objectOf(bytes).value("version").toInt(), 2);
    const JobFileReading reading = parseJobFile(bytes, "s.mensora");
    QVERIFY2(reading, qPrintable(reading.problem));
    QCOMPARE(reading.job->scales.front().parameters, everySetting());
    QCOMPARE(jobFileBytes(*reading.job), bytes);

    ScaleParameters onlyTitled;
    onlyTitled.labels.title = "C";
    QCOMPARE(objectOf(jobFileBytes({ { { onlyTitled, {} } }, false })).value("version").toInt(), 2);
    QCOMPARE(objectOf(jobFileBytes({ { { ScaleParameters {}, {} } }, false })).value("version"),
        QJsonValue(1));
}

void TestSpacingFiles::aFileWithoutThemReadsAsAnEvenScaleWithNumbers()
{
    QJsonObject file = objectOf(jobFileBytes(ScaleJob { { { everySetting(), {} } }, false }));
    QJsonArray scales = file.value("scales").toArray();
    QJsonObject scale = scales.at(0).toObject();
    scale.remove("spacing");
    scale.remove("labels");
    scales.replace(0, scale);
    file.insert("scales", scales);
    const JobFileReading reading = parseJobFile(QJsonDocument(file).toJson(), "s.mensora");
    QVERIFY2(reading, qPrintable(reading.problem));
    const ScaleParameters& read = reading.job->scales.front().parameters;
    QCOMPARE(read.spacing, SpacingSettings {});
    QCOMPARE(read.labels, LabelSettings {});
}

void TestSpacingFiles::brokenSettingsAreRefusedInOneSentence_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");

    const QString place = "s.mensora, scale 1: ";
    QTest::newRow("an unknown law") << fileWith("spacing", "law", "loglog")
                                    << place
            + "\"spacing.law\" must be even or log or power or reciprocal or db or db-power or "
              "points or expr, not \"loglog\".";
    QTest::newRow("a segment that is no object") << fileWith("spacing", "segments",
        QJsonArray { 1 }) << place + "\"spacing.segments\" must be a list of at most 1000 objects.";
    QTest::newRow("a segment without its step")
        << fileWith("spacing", "segments",
               QJsonArray { QJsonObject { { "from", 1 }, { "to", 2 }, { "package", "1" } } })
        << place + "\"spacing.segments[1].step\" is missing.";
    QTest::newRow("a point's position as text")
        << fileWith("spacing", "points",
               QJsonArray { QJsonObject { { "value", 1 }, { "position", "2" } } })
        << place + "\"spacing.points[1].position\" must be a number.";
    QTest::newRow("an unknown label style")
        << fileWith("labels", "style", "greek")
        << place + "\"labels.style\" must be numbers or list or fractions or roman, not \"greek\".";
    QTest::newRow("reverse as a number")
        << fileWith("labels", "reverse", 1) << place + "\"labels.reverse\" must be true or false.";
}

void TestSpacingFiles::brokenSettingsAreRefusedInOneSentence()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const JobFileReading reading = parseJobFile(bytes, "s.mensora");
    QVERIFY(!reading);
    QCOMPARE(reading.problem, problem);
}

void TestSpacingFiles::pointsAreReadFromACsvFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem"); // empty: read as the three points below

    QTest::newRow("a heading, commas")
        << QByteArray("value,position\n0,0\n5,41.25\n10,100\n") << "";
    QTest::newRow("semicolons, tabs, CR LF, comments and blank lines")
        << QByteArray("# movement 12\r\n0;0\r\n\r\n5\t41.25\r\n 10 ; 100 \r\n") << "";
    QTest::newRow("a decimal comma") << QByteArray("0,0\n5,41,25\n10,100\n")
                                     << "m.csv, line 2: a point must be a value and a position, "
                                        "two numbers separated by a comma.";
    QTest::newRow("a word after the heading") << QByteArray("v,p\n0,0\nfive,40\n")
                                              << "m.csv, line 3: a point must be a value and a "
                                                 "position, two numbers separated by a comma.";
    QTest::newRow("no point") << QByteArray("value,position\n") << "m.csv holds no point.";
}

void TestSpacingFiles::pointsAreReadFromACsvFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const PointsReading reading = parsePointsFile(bytes, "m.csv");
    QCOMPARE(reading.problem, problem);
    if (!problem.isEmpty())
        return;
    const std::vector<MeasuredPoint> expected { { 0, 0 }, { 5, 41.25 }, { 10, 100 } };
    QCOMPARE(*reading.points, expected);
}

QTEST_GUILESS_MAIN(TestSpacingFiles)
#include "test_spacing_files.moc"
