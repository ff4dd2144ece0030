#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include "files/job_file.h"
#include "model/added_scales.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::ScaleJob)

namespace {

// One scale as a version 2 file holds it, every key it must hold given.
QJsonObject scaleObject()
{
    QJsonObject scale;
    for (const char* key :
        { "length", "distance", "package", "startX", "startY", "depth", "radius", "startAngle" })
        scale.insert(QLatin1String(key), QStringLiteral("1"));
    scale.insert("stripeLengths", QJsonArray { "1", "2", "3", "4", "5", "6" });
    scale.insert("baseline", "none");
    scale.insert("stripePosition", "above");
    scale.insert("shape", "flat");
    scale.insert("unit", "mm");
    scale.insert("surface", "face");
    scale.insert("rotaryAxis", "A");
    return scale;
}

QJsonObject with(QJsonObject object, const QString& key, const QJsonValue& value)
{
    object.insert(key, value);
    return object;
}

QJsonObject without(QJsonObject object, const QString& key)
{
    object.remove(key);
    return object;
}

// A version 2 file of these scales (or whatever "scales" and "mirror" are given as).
QByteArray jobFile(
    const QJsonValue& scales, int version = 2, const QJsonValue& mirror = QJsonValue::Undefined)
{
    QJsonObject file { { "format", "mensora-scale" }, { "version", version } };
    if (!scales.isUndefined())
        file.insert("scales", scales);
    if (!mirror.isUndefined())
        file.insert("mirror", mirror);
    return QJsonDocument(file).toJson();
}

// The version a file's bytes name.
int versionOf(const QByteArray& bytes)
{
    return QJsonDocument::fromJson(bytes).object().value("version").toInt();
}

ScaleParameters caliperMain()
{
    ScaleParameters main;
    main.length = "150";
    main.numbers.kind = 1;
    main.marks.endOnTotal = true;
    return main;
}

} // namespace

class TestJobFile : public QObject
{
    Q_OBJECT

private slots:
    void jobsAreKeptExactlyInTheFirstVersionThatHoldsThem_data();
    void jobsAreKeptExactlyInTheFirstVersionThatHoldsThem();
    void brokenJobFilesAreRefusedWithOneSentence_data();
    void brokenJobFilesAreRefusedWithOneSentence();
    void scaleThatNoFileKeepsIsNamedByItsLabel();
    void readerOfOneScaleRefusesAJobOfSeveral();
};

void TestJobFile::jobsAreKeptExactlyInTheFirstVersionThatHoldsThem_data()
{
    QTest::addColumn<ScaleJob>("job");
    QTest::addColumn<int>("version");

    ScaleJob plain;
    plain.scales.front().parameters.package = "13";
    QTest::newRow("one plain scale") << plain << 1;
    ScaleJob named = plain;
    named.scales.front().name = "Beam \u00b5m \U0001F642";
    QTest::newRow("one named scale") << named << 2;
    ScaleJob mirrored = plain;
    mirrored.mirror = true;
    QTest::newRow("one scale mirrored") << mirrored << 2;
    ScaleJob vernierAlone;
    vernierAlone.scales = { *vernierAgainst(caliperMain(), 50, 49, false) };
    QTest::newRow("a vernier alone") << vernierAlone << 2;
    ScaleJob caliper;
    caliper.scales = { { caliperMain(), "Beam" }, *vernierAgainst(caliperMain(), 12, 23, true),
        *otherUnitOf(caliperMain()) };
    caliper.mirror = true;
    QTest::newRow("caliper, both sides, other unit, mirrored") << caliper << 2;
    ScaleJob wide = plain;
    wide.scales.front().parameters.widths = { { 0.4, 0, 0.2, 0, 0, 0 }, 0.3, 0.25 };
    QTest::newRow("one scale with widths") << wide << 2;
    ScaleJob numbersOnly = plain;
    numbersOnly.scales.front().parameters.widths.numbers = 0.5;
    QTest::newRow("one scale with only its numbers wide") << numbersOnly << 2;
}

void TestJobFile::jobsAreKeptExactlyInTheFirstVersionThatHoldsThem()
{
    QFETCH(ScaleJob, job);
    QFETCH(int, version);
    QTemporaryDir dir;
    const QString path = dir.filePath("job.mensora");
    QCOMPARE(saveJobFile(job, path), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(versionOf(file.readAll()), version);
    const JobFileReading reading = readJobFile(path);
    QVERIFY2(reading, qPrintable(reading.problem));
    QVERIFY(*reading.job == job);
}

void TestJobFile::brokenJobFilesAreRefusedWithOneSentence_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem"); // empty: read

    const QJsonObject scale = scaleObject();
    QTest::newRow("unknown keys are ignored")
        << jobFile(QJsonArray { with(scale, "later", 1), scale }) << QString();
    QTest::newRow("no scales") << jobFile(QJsonValue::Undefined)
                               << "s.mensora: \"scales\" is missing.";
    QTest::newRow("scales not a list")
        << jobFile(scale) << "s.mensora: \"scales\" must be a list of scales.";
    QTest::newRow("no scale in the list")
        << jobFile(QJsonArray {}) << "s.mensora: \"scales\" holds no scale.";
    QTest::newRow("a scale lacks a box") << jobFile(QJsonArray { scale, without(scale, "depth") })
                                         << "s.mensora, scale 2: \"depth\" is missing.";
    QTest::newRow("a scale that is not an object")
        << jobFile(QJsonArray { scale, "Ruler" }) << "s.mensora, scale 2: it must be an object.";
    QTest::newRow("a name of 101 characters")
        << jobFile(QJsonArray { with(scale, "name", QString(101, u'n')) })
        << "s.mensora, scale 1: \"name\" must be a text of at most 100 characters, without a "
           "line break or other control character.";
    QTest::newRow("a name of two lines")
        << jobFile(QJsonArray { with(scale, "name", "Beam\nSlide") })
        << "s.mensora, scale 1: \"name\" must be a text of at most 100 characters, without a "
           "line break or other control character.";
    const QJsonObject vernier { { "divisions", 10 }, { "mainDivisions", 9 },
        { "bothSides", false } };
    QTest::newRow("a vernier of 0 divisions")
        << jobFile(QJsonArray { with(scale, "vernier", with(vernier, "divisions", 0)) })
        << "s.mensora, scale 1: \"vernier.divisions\" must be a whole number from 1 to 16383.";
    QTest::newRow("numbers of a kind 7")
        << jobFile(QJsonArray { scale, with(scale, "numbers", QJsonObject { { "kind", 7 } }) })
        << "s.mensora, scale 2: \"numbers.kind\" must be a whole number from 0 to 6.";
    QTest::newRow("widths of five kinds")
        << jobFile(QJsonArray {
               with(scale, "widths", QJsonObject { { "stripes", QJsonArray { 1, 1, 1, 1, 1 } } }) })
        << "s.mensora, scale 1: \"widths.stripes\" must be a list of six numbers from 0 up.";
    QTest::newRow("a baseline width below 0")
        << jobFile(
               QJsonArray { scale, with(scale, "widths", QJsonObject { { "baseline", -0.1 } }) })
        << "s.mensora, scale 2: \"widths.baseline\" must be a number from 0 up.";
    QTest::newRow("mirror as text") << jobFile(QJsonArray { scale }, 2, "yes")
                                    << "s.mensora: \"mirror\" must be true or false.";
    QTest::newRow("newer version")
        << jobFile(QJsonArray { scale }, 3)
        << "s.mensora was written by a newer Mensora: its version is 3, and this one reads "
           "version 2.";
}

void TestJobFile::brokenJobFilesAreRefusedWithOneSentence()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const JobFileReading reading = parseJobFile(bytes, "s.mensora");
    QCOMPARE(reading.problem, problem);
    QCOMPARE(reading.job.has_value(), problem.isEmpty());
}

void TestJobFile::scaleThatNoFileKeepsIsNamedByItsLabel()
{
    ScaleJob job;
    job.scales.front().parameters.shape = Shape::Round;
    job.scales.front().parameters.startX = std::string(1001, 'x');
    const QString alone
        = "Centre X holds more than 1,000 characters, more than a scale file keeps.";
    QCOMPARE(unkeptInJobFile(job).value_or(QString()), alone);

    job.scales.insert(job.scales.begin(), { ScaleParameters {}, std::string(100, 'n') });
    QCOMPARE(unkeptInJobFile(job).value_or(QString()), "Scale 2 (Dial 100\u00b0): " + alone);
    job.scales.front().name += "n";
    QCOMPARE(unkeptInJobFile(job).value_or(QString()),
        QStringLiteral("Scale 1: The name holds more than 100 characters, more than a scale file "
                       "keeps."));
    ScaleJob wide;
    wide.scales.front().parameters.widths.numbers = -0.2;
    QCOMPARE(unkeptInJobFile(wide).value_or(QString()),
        QStringLiteral("Number width is not a number from 0 up, which a scale file cannot keep."));
    QCOMPARE(unkeptInJobFile(ScaleJob { {}, false }).value_or(QString()),
        QStringLiteral("A job must hold at least one scale."));
}

void TestJobFile::readerOfOneScaleRefusesAJobOfSeveral()
{
    const QJsonObject scale = scaleObject();
    QCOMPARE(parseScaleFile(jobFile(QJsonArray { scale, scale }), "s.mensora").problem,
        QStringLiteral("s.mensora holds a job of 2 scales, which opens only as a job."));
    const ScaleFileReading one = parseScaleFile(jobFile(QJsonArray { scale }), "s.mensora");
    QVERIFY2(one, qPrintable(one.problem));
    QCOMPARE(one.scale->depth, std::string("1"));
}

QTEST_GUILESS_MAIN(TestJobFile)
#include "test_job_file.moc"
