#include <algorithm>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "engraving/engraving.h"
#include "engraving/scale_notes.h"
#include "files/installed_fonts.h"
#include "files/job_file.h"
#include "preview/preview_renderer.h"

using namespace mensora;

// Every template that comes with the program opens as it was written, previews and writes.
class TestTemplates : public QObject
{
    Q_OBJECT

private slots:
    void templatesOpenWriteBackPreviewAndEngrave_data();
    void templatesOpenWriteBackPreviewAndEngrave();
    void templatesCutWhatTheyMeanWithoutANote_data()
    {
        templatesOpenWriteBackPreviewAndEngrave_data();
    }
    void templatesCutWhatTheyMeanWithoutANote();
};

void TestTemplates::templatesOpenWriteBackPreviewAndEngrave_data()
{
    QTest::addColumn<QString>("path");
    const QDir folder(TEMPLATES_DIR);
    const QStringList names = folder.entryList({ "*.mensora" }, QDir::Files);
    QVERIFY(!names.isEmpty());
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << folder.filePath(name);
}

// A template of version 1 is a job of one; writing a template back gives the bytes it was read
// from, but for the keys a template older than drums lacks, written at their start values.
// Each scale previews, and every output that can hold the job prepares it.
void TestTemplates::templatesOpenWriteBackPreviewAndEngrave()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const JobFileReading reading = parseJobFile(bytes, QFileInfo(path).fileName());
    QVERIFY2(reading, qPrintable(reading.problem));
    const ScaleJob& job = *reading.job;
    QJsonObject written = QJsonDocument::fromJson(bytes).object();
    if (written.value("version") == 1) {
        QCOMPARE(job.scales.size(), std::size_t(1));
        if (!written.contains("surface"))
            written.insert("surface", "face");
        if (!written.contains("rotaryAxis"))
            written.insert("rotaryAxis", "A");
    }
    QCOMPARE(jobFileBytes(job), QJsonDocument(written).toJson(QJsonDocument::Indented));

    for (const JobScale& scale : job.scales) {
        const auto preview = renderPreview(scale.parameters, 200, 150, installedFonts());
        QVERIFY2(preview, preview ? "" : preview.refusal().message.c_str());
    }
    const bool onDrum = std::any_of(job.scales.begin(), job.scales.end(),
        [](const JobScale& scale) { return scale.parameters.onDrum(); });
    for (const OutputRow& row : outputTable) {
        if (onDrum && row.drum() == DrumForm::None)
            continue; // refused by design, naming the profiles that hold a drum
        OutputRequest request;
        request.format = row.format;
        request.machine.profile = row.profile.value_or(MachineProfile::Plain);
        QCOMPARE(&outputFor(request), &row);
        const auto engraving = Engraving::prepare(job, request, installedFonts());
        QVERIFY2(engraving, engraving ? "" : engraving.refusal().message.c_str());
    }
}

// No number runs into another or over a stripe, no package ends short, no mark is cut twice.
void TestTemplates::templatesCutWhatTheyMeanWithoutANote()
{
    QFETCH(QString, path);
    const JobFileReading reading = readJobFile(path);
    QVERIFY2(reading, qPrintable(reading.problem));
    const auto job = CheckedJob::check(*reading.job, installedFonts());
    QVERIFY(job);
    QStringList notes;
    for (const ScaleNote& note : jobNotes(*job))
        notes << QString::fromStdString(note.message);
    QVERIFY2(notes.isEmpty(), qPrintable(notes.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestTemplates)
#include "test_templates.moc"
