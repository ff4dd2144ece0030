#include <cmath>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include "files/safe_save.h"
#include "files/scale_file.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;

namespace {

// A scale file with the format line, the version and `rest` (keys and values, each with a
// comma in front).
QByteArray scaleFile(const QByteArray& rest, const QByteArray& version = "1")
{
    return "{\"format\": \"mensora-scale\", \"version\": " + version + rest + "}";
}

ScaleParameters oddTexts()
{
    ScaleParameters p;
    p.length = " 12.5 mm ";
    p.distance = "";
    p.stripeLengths
        = { "\t1\t", "2,5", "\"quoted\"", "back\\slash", "line\nfeed", "ÄÖü µm 🙂" };
    p.package = std::string(1000, '3');
    p.startX = "&H1A";
    p.startY = "-";
    p.depth = " -0,1 ";
    p.radius = "{\"radius\": 1}";
    p.startAngle = "  ";
    return p;
}

ScaleParameters withChoices(Shape shape, Unit unit, Baseline baseline, StripePosition position)
{
    ScaleParameters p;
    p.shape = shape;
    p.unit = unit;
    p.baseline = baseline;
    p.stripePosition = position;
    return p;
}

// Every number and mark setting away from its start value.
ScaleParameters numbered()
{
    ScaleParameters p;
    p.numbers = { 2, -1.25, 0.1, 3, 2.5, -0.5, "gothgbt", NumberOrientation::Level, "<\"", "° mm" };
    p.marks = { true, true };
    return p;
}

ScaleParameters withLength(std::string length)
{
    ScaleParameters p;
    p.length = std::move(length);
    return p;
}

// Writes a temporary file beside the target as a QSaveFile does, but its commit fails as a
// rename onto a busy target would: the temporary file is dropped and the target left alone.
class CommitFails : public SaveTarget
{
public:
    explicit CommitFails(const QString& path)
        : m_file(path)
    { }
    QString open() override
    {
        return m_file.open(QIODevice::WriteOnly) ? QString() : m_file.errorString();
    }
    qint64 write(const char* data, qint64 size) override { return m_file.write(data, size); }
    void cancelWriting() override { m_file.cancelWriting(); }
    bool commit() override
    {
        m_file.cancelWriting();
        m_file.commit();
        return false;
    }
    QString errorString() const override { return QStringLiteral("Device or resource busy"); }

private:
    QSaveFile m_file;
};

} // namespace

class TestScaleFile : public QObject
{
    Q_OBJECT

private slots:
    void savingAndOpeningKeepsTheScale_data();
    void savingAndOpeningKeepsTheScale();
    void filesAreReadOrRefusedWithOneSentence_data();
    void filesAreReadOrRefusedWithOneSentence();
    void fileThatCannotBeReadIsRefused();
    void scaleThatNoFileKeepsIsNamed();
    void failedCommitIsReportedAndKeepsTheEarlierFile();

private:
    QTemporaryDir m_dir;
};

void TestScaleFile::savingAndOpeningKeepsTheScale_data()
{
    QTest::addColumn<ScaleParameters>("scale");
    QTest::newRow("start values") << ScaleParameters {};
    QTest::newRow("odd texts") << oddTexts();
    QTest::newRow("round inch single under")
        << withChoices(Shape::Round, Unit::Inch, Baseline::Single, StripePosition::Under);
    QTest::newRow("flat mm none midway")
        << withChoices(Shape::Flat, Unit::Millimetre, Baseline::None, StripePosition::Midway);
    QTest::newRow("round mm single above")
        << withChoices(Shape::Round, Unit::Millimetre, Baseline::Single, StripePosition::Above);
    QTest::newRow("numbers and marks") << numbered();
    ScaleParameters drum
        = withChoices(Shape::Round, Unit::Inch, Baseline::None, StripePosition::Above);
    drum.surface = Surface::Drum;
    drum.rotaryAxis = RotaryAxis::B;
    QTest::newRow("drum turned by B") << drum;
    ScaleParameters unsetNumbers = numbered();
    unsetNumbers.numbers.step.reset();
    unsetNumbers.numbers.decimals.reset();
    unsetNumbers.numbers.font = "not offered";
    QTest::newRow("numbers, defaults left out") << unsetNumbers;
}

void TestScaleFile::savingAndOpeningKeepsTheScale()
{
    QFETCH(ScaleParameters, scale);
    const QString path = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".mensora"));
    QCOMPARE(saveScaleFile(scale, path), QString());
    const ScaleFileReading reading = readScaleFile(path);
    QVERIFY2(reading, qPrintable(reading.problem));
    QVERIFY2(*reading.scale == scale, scaleFileBytes(*reading.scale).constData());
}

void TestScaleFile::filesAreReadOrRefusedWithOneSentence_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ScaleParameters>("scale"); // read
    QTest::addColumn<QString>("problem"); // or refused

    const QByteArray thousand(1000, '1');
    QByteArray padding(1024 * 1024 - scaleFile(", \"pad\": \"\"").size(), ' ');
    const QByteArray largest = scaleFile(", \"pad\": \"" + padding + "\"");
    QCOMPARE(largest.size(), 1024 * 1024);

    const QString none;
    QTest::newRow("missing keys keep the start values")
        << scaleFile(", \"length\": \"50\"") << withLength("50") << none;
    QTest::newRow("a file from before drums is a dial's face")
        << scaleFile(", \"shape\": \"round\", \"unit\": \"mm\"")
        << withChoices(Shape::Round, Unit::Millimetre, Baseline::None, StripePosition::Above)
        << none;
    QTest::newRow("unknown keys are ignored")
        << scaleFile(", \"later\": {\"a\": [1, null]}, \"length\": \"7\"") << withLength("7")
        << none;
    QTest::newRow("a thousand characters") << scaleFile(", \"length\": \"" + thousand + "\"")
                                           << withLength(thousand.toStdString()) << none;
    // A character beyond the basic plane counts once, though it takes two UTF-16 units.
    const QByteArray smile = "\xf0\x9f\x99\x82"; // U+1F642
    const QByteArray smiles = smile.repeated(1000);
    QTest::newRow("a thousand characters beyond the basic plane")
        << scaleFile(", \"length\": \"" + smiles + "\"") << withLength(smiles.toStdString())
        << none;
    QTest::newRow("1 MB") << largest << ScaleParameters {} << none;

    const ScaleParameters unread;
    QTest::newRow("over 1 MB") << largest + ' ' << unread
                               << "s.mensora is larger than 1 MB: it is not a scale file.";
    QTest::newRow("not JSON") << QByteArray("length=100") << unread
                              << "s.mensora is not a scale file: it is not JSON (illegal value "
                                 "at character 1).";
    QTest::newRow("no object") << QByteArray("[1]") << unread
                               << "s.mensora is not a scale file: it holds no JSON object.";
    QTest::newRow("other format")
        << QByteArray("{\"format\": \"ruler\", \"version\": 1}") << unread
        << "s.mensora is not a scale file: its format is not \"mensora-scale\".";
    QTest::newRow("no format") << QByteArray("{\"version\": 1}") << unread
                               << "s.mensora is not a scale file: its format is not "
                                  "\"mensora-scale\".";
    QTest::newRow("newer version")
        << scaleFile("", "3") << unread
        << "s.mensora was written by a newer Mensora: its version is 3, and this one reads "
           "version 2.";
    QTest::newRow("version as text") << scaleFile("", "\"1\"") << unread
                                     << "s.mensora: \"version\" must be a whole number from 1 up.";
    QTest::newRow("version 0.5") << scaleFile("", "0.5") << unread
                                 << "s.mensora: \"version\" must be a whole number from 1 up.";
    QTest::newRow("number for a text")
        << scaleFile(", \"startX\": 5") << unread << "s.mensora: \"startX\" must be a text.";
    QTest::newRow("null for a text")
        << scaleFile(", \"depth\": null") << unread << "s.mensora: \"depth\" must be a text.";
    QTest::newRow("five stripe lengths")
        << scaleFile(", \"stripeLengths\": [\"1\", \"2\", \"3\", \"4\", \"5\"]") << unread
        << "s.mensora: \"stripeLengths\" must be a list of six texts.";
    QTest::newRow("a number among the lengths")
        << scaleFile(", \"stripeLengths\": [\"1\", \"2\", \"3\", 4, \"5\", \"6\"]") << unread
        << "s.mensora: \"stripeLengths\" must be a list of six texts.";
    QTest::newRow("option not a name")
        << scaleFile(", \"shape\": \"oval\"") << unread
        << "s.mensora: \"shape\" must be flat or round, not \"oval\".";
    QTest::newRow("option as index")
        << scaleFile(", \"stripePosition\": 1") << unread
        << "s.mensora: \"stripePosition\" must be above or midway or under, not a value of "
           "another type.";
    QTest::newRow("option with a line feed")
        << scaleFile(", \"shape\": \"flat\\nround\"") << unread
        << "s.mensora: \"shape\" must be flat or round, not a text that is none of them.";
    QTest::newRow("surface not a name")
        << scaleFile(", \"surface\": \"cone\"") << unread
        << "s.mensora: \"surface\" must be face or drum, not \"cone\".";
    QTest::newRow("rotary axis in lower case")
        << scaleFile(", \"rotaryAxis\": \"a\"") << unread
        << "s.mensora: \"rotaryAxis\" must be A or B, not \"a\".";
    QTest::newRow("output format is no option of a scale")
        << scaleFile(", \"unit\": \"plot\"") << unread
        << "s.mensora: \"unit\" must be mm or inch, not \"plot\".";
    ScaleParameters kindThree;
    kindThree.numbers.kind = 3;
    QTest::newRow("numbers, the rest unset")
        << scaleFile(", \"numbers\": {\"kind\": 3, \"later\": 1}, \"marks\": {}") << kindThree
        << none;
    QTest::newRow("kind 7") << scaleFile(", \"numbers\": {\"kind\": 7}") << unread
                            << "s.mensora: \"numbers.kind\" must be a whole number from 0 to 6.";
    QTest::newRow("decimals 1.5")
        << scaleFile(", \"numbers\": {\"decimals\": 1.5}") << unread
        << "s.mensora: \"numbers.decimals\" must be a whole number from 0 to 3.";
    QTest::newRow("step as text") << scaleFile(", \"numbers\": {\"step\": \"2\"}") << unread
                                  << "s.mensora: \"numbers.step\" must be a number.";
    QTest::newRow("orientation not a name")
        << scaleFile(", \"numbers\": {\"orientation\": \"up\"}") << unread
        << "s.mensora: \"numbers.orientation\" must be dial or level, not \"up\".";
    QTest::newRow("numbers not an object")
        << scaleFile(", \"numbers\": 1") << unread << "s.mensora: \"numbers\" must be an object.";
    QTest::newRow("mark as text") << scaleFile(", \"marks\": {\"endOnTotal\": \"yes\"}") << unread
                                  << "s.mensora: \"marks.endOnTotal\" must be true or false.";
    QTest::newRow("text over a thousand characters")
        << scaleFile(
               ", \"stripeLengths\": [\"1\", \"2\", \"" + thousand + "4\", \"4\", \"5\", \"6\"]")
        << unread << "s.mensora: \"stripeLengths\" holds more than 1,000 characters.";
    QTest::newRow("1,001 characters beyond the basic plane")
        << scaleFile(", \"radius\": \"" + smiles + smile + "\"") << unread
        << "s.mensora: \"radius\" holds more than 1,000 characters.";
}

void TestScaleFile::filesAreReadOrRefusedWithOneSentence()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ScaleParameters, scale);
    QFETCH(QString, problem);
    const ScaleFileReading reading = parseScaleFile(bytes, QStringLiteral("s.mensora"));
    QCOMPARE(reading.problem, problem);
    QCOMPARE(reading.scale.has_value(), problem.isEmpty());
    if (reading)
        QVERIFY(*reading.scale == scale);
}

void TestScaleFile::fileThatCannotBeReadIsRefused()
{
    QCOMPARE(readScaleFile(m_dir.filePath("missing.mensora")).problem,
        QStringLiteral("missing.mensora cannot be read: No such file or directory."));
    const QString folder = m_dir.filePath("folder.mensora");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(readScaleFile(folder).problem.startsWith("folder.mensora cannot be read: "));

    // A file over 1 MB is refused from its first megabyte and a byte.
    const QString large = m_dir.filePath("large.mensora");
    QFile file(large);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(scaleFile(", \"pad\": \"" + QByteArray(3 * 1024 * 1024, ' ') + "\"")) > 0);
    file.close();
    QCOMPARE(readScaleFile(large).problem,
        QStringLiteral("large.mensora is larger than 1 MB: it is not a scale file."));
}

void TestScaleFile::scaleThatNoFileKeepsIsNamed()
{
    ScaleParameters scale;
    scale.shape = Shape::Round;
    scale.startX = std::string(1000, 'x');
    QVERIFY(!unkeptInScaleFile(scale));
    scale.startX += "x";
    QCOMPARE(unkeptInScaleFile(scale).value_or(QString()),
        QStringLiteral("Centre X holds more than 1,000 characters, more than a scale file keeps."));

    ScaleParameters numbers;
    numbers.numbers.suffix = std::string(1001, 'x');
    QCOMPARE(unkeptInScaleFile(numbers).value_or(QString()),
        QStringLiteral("Suffix holds more than 1,000 characters, more than a scale file keeps."));
    numbers.numbers.step = INFINITY;
    QCOMPARE(unkeptInScaleFile(numbers).value_or(QString()),
        QStringLiteral("Number step is not a finite number, which a scale file cannot keep."));
}

void TestScaleFile::failedCommitIsReportedAndKeepsTheEarlierFile()
{
    const QString path = m_dir.filePath(QStringLiteral("busy.mensora"));
    const ScaleParameters earlier = withLength("50");
    QCOMPARE(saveScaleFile(earlier, path), QString());
    CommitFails target(path);
    const QByteArray later = scaleFileBytes(numbered());
    const QString reason = saveSafely(target, [&](TextSink& sink) {
        sink.write({ later.constData(), static_cast<std::size_t>(later.size()) });
    });
    QCOMPARE(reason, QStringLiteral("Device or resource busy"));
    const ScaleFileReading reading = readScaleFile(path);
    QVERIFY2(reading, qPrintable(reading.problem));
    QVERIFY(*reading.scale == earlier);
}

QTEST_GUILESS_MAIN(TestScaleFile)
#include "test_scale_file.moc"
