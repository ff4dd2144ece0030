// The document alone, without a window: its job commands and their undo, and its file.

#include <map>
#include <string>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "document/scale_document.h"
#include "files/job_file.h"
#include "files/scale_file.h"

using namespace mensora;

namespace {

// A scale told apart by its name and its length.
JobScale scaleNamed(const char* name, const char* length)
{
    JobScale scale;
    scale.name = name;
    scale.parameters.length = length;
    return scale;
}

// A, B and C, B selected.
void startWithThreeScales(ScaleDocument& document)
{
    ScaleJob job;
    job.scales = { scaleNamed("A", "10"), scaleNamed("B", "20"), scaleNamed("C", "30") };
    document.replaceJob(job);
    document.select(1);
}

QStringList namesOf(const ScaleJob& job)
{
    QStringList names;
    for (const JobScale& scale : job.scales)
        names << QString::fromStdString(scale.name);
    return names;
}

// Runs a command of the table on the document; false when it was refused.
bool runCommand(ScaleDocument& document, const QString& command, int index)
{
    const auto at = static_cast<std::size_t>(index);
    if (command == u"add") {
        document.addScale(at, scaleNamed("D", "40"));
        return true;
    }
    if (command == u"remove")
        return document.removeScale(at);
    if (command == u"up" || command == u"down")
        return document.moveScale(at, command == u"up" ? ScaleMove::Up : ScaleMove::Down);
    if (command == u"rename")
        return document.renameScale(at, "Z");
    if (command == u"long name")
        return document.renameScale(at, std::string(maxScaleNameLength + 1, 'n'));
    document.setMirror(true);
    return true;
}

} // namespace

class TestScaleDocument : public QObject
{
    Q_OBJECT

private slots:
    void jobCommandsAreUndoneAndRedone_data();
    void jobCommandsAreUndoneAndRedone();
    void refusedCommandsChangeNothing_data();
    void refusedCommandsChangeNothing();
    void undoKeepsTheEditsMadeSince();
    void replacingTheJobClearsTheUndoStack();
    void savedStateFollowsSavingAndEditing();
    void workOfNoFileIsMeasuredFromHowItBegan();
    void refusedFileChangesNothing();
};

void TestScaleDocument::jobCommandsAreUndoneAndRedone_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("names"); // after the command, and after redo
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("selectedAfterUndo");

    const QStringList start = { "A", "B", "C" };
    QTest::newRow("add before the selected")
        << "add" << 1 << QStringList { "A", "D", "B", "C" } << 1 << 1;
    QTest::newRow("add past the end") << "add" << 7 << QStringList { "A", "B", "C", "D" } << 3 << 1;
    QTest::newRow("remove the selected") << "remove" << 1 << QStringList { "A", "C" } << 1 << 1;
    QTest::newRow("remove before the selected")
        << "remove" << 0 << QStringList { "B", "C" } << 0 << 0;
    QTest::newRow("remove the last") << "remove" << 2 << QStringList { "A", "B" } << 1 << 2;
    QTest::newRow("move up") << "up" << 1 << QStringList { "B", "A", "C" } << 0 << 1;
    QTest::newRow("move down") << "down" << 1 << QStringList { "A", "C", "B" } << 2 << 1;
    QTest::newRow("move another") << "up" << 2 << QStringList { "A", "C", "B" } << 1 << 2;
    QTest::newRow("rename") << "rename" << 2 << QStringList { "A", "B", "Z" } << 2 << 2;
    QTest::newRow("mirror") << "mirror" << 0 << start << 1 << 1;
}

void TestScaleDocument::jobCommandsAreUndoneAndRedone()
{
    QFETCH(QString, command);
    QFETCH(int, index);
    QFETCH(QStringList, names);
    QFETCH(int, selected);
    QFETCH(int, selectedAfterUndo);
    ScaleDocument document;
    startWithThreeScales(document);
    const ScaleJob before = document.job();

    QVERIFY(runCommand(document, command, index));
    QCOMPARE(document.undoStack().count(), 1);
    QCOMPARE(namesOf(document.job()), names);
    QCOMPARE(document.job().mirror, command == u"mirror");
    QCOMPARE(int(document.selectedIndex()), selected);
    // Every scale keeps the parameters it came with; Z was C.
    const std::map<std::string, std::string> lengths
        = { { "A", "10" }, { "B", "20" }, { "C", "30" }, { "D", "40" }, { "Z", "30" } };
    for (const JobScale& scale : document.job().scales)
        QCOMPARE(scale.parameters.length, lengths.at(scale.name));
    const ScaleJob done = document.job();

    document.undoStack().undo();
    QVERIFY(document.job() == before);
    QCOMPARE(int(document.selectedIndex()), selectedAfterUndo);

    document.undoStack().redo();
    QVERIFY(document.job() == done);
    QCOMPARE(int(document.selectedIndex()), selected);
}

void TestScaleDocument::refusedCommandsChangeNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("single"); // a job of one scale

    QTest::newRow("remove the only scale") << "remove" << 0 << true;
    QTest::newRow("remove past the end") << "remove" << 3 << false;
    QTest::newRow("move the first up") << "up" << 0 << false;
    QTest::newRow("move the last down") << "down" << 2 << false;
    QTest::newRow("move the only scale") << "down" << 0 << true;
    QTest::newRow("rename past the end") << "rename" << 3 << false;
    QTest::newRow("name too long") << "long name" << 0 << false;
}

void TestScaleDocument::refusedCommandsChangeNothing()
{
    QFETCH(QString, command);
    QFETCH(int, index);
    QFETCH(bool, single);
    ScaleDocument document;
    if (!single)
        startWithThreeScales(document);
    const ScaleJob before = document.job();
    const std::size_t selected = document.selectedIndex();
    QSignalSpy changes(&document, &ScaleDocument::jobChanged);

    QVERIFY(!runCommand(document, command, index));
    QVERIFY(document.job() == before);
    QCOMPARE(document.selectedIndex(), selected);
    QCOMPARE(document.undoStack().count(), 0);
    QCOMPARE(changes.count(), 0);
}

// The form's edits are not undone, and an undone command does not undo them either.
void TestScaleDocument::undoKeepsTheEditsMadeSince()
{
    ScaleDocument document;
    startWithThreeScales(document);
    QVERIFY(document.renameScale(2, "Z"));
    document.select(0);
    ScaleParameters edited = document.selectedScale().parameters;
    edited.distance = "2.5";
    document.setSelectedScale(edited);
    QCOMPARE(document.undoStack().count(), 1);

    document.undoStack().undo();
    QCOMPARE(document.job().scales[2].name, std::string("C"));
    QCOMPARE(document.job().scales[0].parameters.distance, std::string("2.5"));
}

void TestScaleDocument::replacingTheJobClearsTheUndoStack()
{
    ScaleDocument document;
    startWithThreeScales(document);
    document.setMirror(true);
    QVERIFY(document.removeScale(0));
    QCOMPARE(document.undoStack().count(), 2);
    QSignalSpy selections(&document, &ScaleDocument::selectionChanged);

    document.replaceJob();
    QVERIFY(document.job() == ScaleJob {});
    QCOMPARE(document.selectedIndex(), std::size_t(0));
    QCOMPARE(document.undoStack().count(), 0);
    QCOMPARE(selections.count(), 1);
    QVERIFY(!document.undoStack().canUndo());
}

// New begins with the start job, a template with its own; either, edited, has work to lose.
void TestScaleDocument::workOfNoFileIsMeasuredFromHowItBegan()
{
    ScaleDocument document;
    QVERIFY(!document.hasUnsavedWork());
    ScaleParameters edited = document.selectedScale().parameters;
    edited.length = "150";
    document.setSelectedScale(edited);
    QVERIFY(document.hasUnsavedWork());
    document.replaceJob();
    QVERIFY(!document.hasUnsavedWork());

    ScaleJob dial;
    dial.scales[0].parameters.shape = Shape::Round;
    document.replaceJob(dial);
    QVERIFY(!document.hasUnsavedWork());
    document.addScale(1);
    QVERIFY(document.hasUnsavedWork());
    document.undoStack().undo();
    QVERIFY(!document.hasUnsavedWork());
}

void TestScaleDocument::savedStateFollowsSavingAndEditing()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("ruler.mensora");
    ScaleDocument document;
    QSignalSpy savedStates(&document, &ScaleDocument::savedStateChanged);
    QVERIFY(!document.hasUnsavedChanges()); // a job of no file
    ScaleParameters edited = document.selectedScale().parameters;
    edited.length = "150";
    document.setSelectedScale(edited);
    QVERIFY(!document.hasUnsavedChanges());
    QCOMPARE(savedStates.count(), 0);

    QCOMPARE(document.saveAs(path), QString());
    QCOMPARE(document.path(), path);
    QCOMPARE(readScaleFile(path).scale->length, std::string("150"));
    QVERIFY(!document.hasUnsavedChanges());
    QCOMPARE(savedStates.count(), 1);

    edited.length = "120";
    document.setSelectedScale(edited);
    QVERIFY(document.hasUnsavedChanges());
    edited.length = "150"; // typed back: the file holds it again
    document.setSelectedScale(edited);
    QVERIFY(!document.hasUnsavedChanges());
    QCOMPARE(savedStates.count(), 3);

    // A job of two scales is kept too; undone back to the one the file held before, it differs.
    document.addScale(1);
    QVERIFY(document.hasUnsavedChanges());
    QCOMPARE(document.saveAs(path), QString());
    QVERIFY(!document.hasUnsavedChanges());
    QCOMPARE(readJobFile(path).job->scales.size(), std::size_t(2));
    document.undoStack().undo();
    QVERIFY(document.hasUnsavedChanges());
    QCOMPARE(document.saveAs(path), QString());

    ScaleDocument other;
    QCOMPARE(other.open(path), QString());
    QVERIFY(other.job() == document.job());
    QCOMPARE(other.path(), path);
    QVERIFY(!other.hasUnsavedChanges());
    QCOMPARE(other.open(path, true), QString()); // as a template: no file
    QCOMPARE(other.path(), QString());
}

void TestScaleDocument::refusedFileChangesNothing()
{
    QTemporaryDir folder;
    const QString bad = folder.filePath("bad.mensora");
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\"format\": ") > 0);
    file.close();
    ScaleDocument document;
    startWithThreeScales(document);
    document.setMirror(true);
    const ScaleJob before = document.job();

    QVERIFY(document.open(bad).startsWith("bad.mensora is not a scale file"));
    QVERIFY(document.job() == before);
    QCOMPARE(document.selectedIndex(), std::size_t(1));
    QCOMPARE(document.undoStack().count(), 1);
    QCOMPARE(document.path(), QString());
}

QTEST_GUILESS_MAIN(TestScaleDocument)
#include "test_scale_document.moc"
