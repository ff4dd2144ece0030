#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// mensora-cli says what the window notes, on standard error, and refuses settings no machine
// can run and inputs no file can hold, as a user's script meets them.
class TestCliNotes : public QObject
{
    Q_OBJECT

private slots:
    void notesAreSaidAndTheFileWrittenAsAlways_data();
    void notesAreSaidAndTheFileWrittenAsAlways();
    void strictRefusesANotedFileAndQuietSaysNothing_data()
    {
        notesAreSaidAndTheFileWrittenAsAlways_data();
    }
    void strictRefusesANotedFileAndQuietSaysNothing();
    void aFileWithoutNotesIsWrittenUnderStrict();
    void refusedInputsExitThreeAndWriteNothing_data();
    void refusedInputsExitThreeAndWriteNothing();

private:
    struct Run
    {
        int status;
        QString err;
        QByteArray file; // empty when none was written
        bool written;
    };
    Run run(const QStringList& arguments);

    QTemporaryDir m_dir;
};

TestCliNotes::Run TestCliNotes::run(const QStringList& arguments)
{
    const QString path = m_dir.filePath("out");
    QFile::remove(path);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    process.setProcessEnvironment(env);
    process.start(MENSORA_CLI, arguments + QStringList { "-o", path });
    if (!process.waitForFinished(30000))
        qFatal("mensora-cli did not finish");
    QFile file(path);
    const bool written = file.open(QIODevice::ReadOnly);
    return { process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
        written ? file.readAll() : QByteArray(), written };
}

// Each box read otherwise than typed, and each count rule that ends short, under the plain
// profile: the file is the one written before, with the same inputs as they are read.
void TestCliNotes::notesAreSaidAndTheFileWrittenAsAlways_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("readAs"); // the same file, from inputs that give no note
    QTest::addColumn<QString>("note");

    QTest::newRow("decimal comma")
        << QStringList { "--length", "12,5" } << QStringList { "--length", "12", "--quiet" }
        << "Length: \"12,5\" is read as 12: the decimal point is \".\"";
    QTest::newRow("no number") << QStringList { "--length", "x" }
                               << QStringList { "--length", "0", "--quiet" }
                               << "Length: \"x\" is read as 0: it starts with no number";
    QTest::newRow("depth written as typed")
        << QStringList { "--depth", "x" } << QStringList { "--depth", "x", "--quiet" }
        << "Engr depth: \"x\" is written into the plain program as typed: it starts with no "
           "number";
    const QStringList knob = { "--shape", "round", "--length", "-270", "--distance", "-27",
        "--start-angle", "225", "--package", "1", "--numbers", "1" };
    QTest::newRow("short package")
        << knob << knob + QStringList { "--quiet" }
        << "The scale ends at 243\u00b0, short of its total 270\u00b0: a package of 1 digit ends "
           "one stripe early. (--end-on-total mends it)";
    QTest::newRow("plain plot in inches") << QStringList { "--format", "plot", "--unit", "inch" }
                                          << QStringList { "--format", "plot" }
                                          << "The plain plot file counts 40 plotter units per inch";
}

void TestCliNotes::notesAreSaidAndTheFileWrittenAsAlways()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, readAs);
    QFETCH(QString, note);
    const Run noted = run(arguments);
    QCOMPARE(noted.status, 0);
    QVERIFY2(noted.err.startsWith("mensora-cli: note: " + note), qPrintable(noted.err));
    const Run plain = run(readAs);
    QVERIFY(plain.written);
    QCOMPARE(noted.file, plain.file);
}

void TestCliNotes::strictRefusesANotedFileAndQuietSaysNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, note);
    const Run strict = run(arguments + QStringList { "--strict" });
    QCOMPARE(strict.status, 3);
    QVERIFY2(strict.err.startsWith("mensora-cli: " + note), qPrintable(strict.err));
    QVERIFY(!strict.written);
    const Run quiet = run(arguments + QStringList { "--quiet" });
    QCOMPARE(quiet.status, 0);
    QCOMPARE(quiet.err, QString());
    QVERIFY(quiet.written);
}

void TestCliNotes::aFileWithoutNotesIsWrittenUnderStrict()
{
    const Run strict = run({ "--strict", "--end-on-total", "--package", "1" });
    QCOMPARE(strict.status, 0);
    QCOMPARE(strict.err, QString());
    QVERIFY(strict.written);
}

void TestCliNotes::refusedInputsExitThreeAndWriteNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");

    QTest::newRow("safe height 0") << QStringList { "--profile=rs274", "--safe-z=0" }
                                   << "Safe height must be above 0, the work's surface";
    QTest::newRow("safe height below 0") << QStringList { "--profile=grbl", "--safe-z=-2" }
                                         << "Safe height must be above 0, the work's surface";
    QTest::newRow("power 0") << QStringList { "--profile=grbl-laser", "--power=0" }
                             << "Laser power must be above 0: at 0 the laser never fires.";
    QTest::newRow("feed 0") << QStringList { "--profile=grblhal", "--feed=0" } << "Feed must be";
    QTest::newRow("plunge feed 0")
        << QStringList { "--profile=rs274", "--plunge-feed=0" } << "Plunge feed must be";
    QTest::newRow("rapid rate 0") << QStringList { "--profile=hpgl-cutter", "--rapid-rate=0" }
                                  << "Rapid rate must be";
    QTest::newRow("drum of radius 0") << QStringList { "--shape", "round", "--surface", "drum",
        "--radius", "0", "--profile", "rs274" }
                                      << "Radius must be above 0 on a drum";
}

void TestCliNotes::refusedInputsExitThreeAndWriteNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const Run refused = run(arguments);
    QCOMPARE(refused.status, 3);
    QVERIFY2(refused.err.startsWith("mensora-cli: " + reason), qPrintable(refused.err));
    QVERIFY(!refused.written);
}

QTEST_GUILESS_MAIN(TestCliNotes)
#include "test_cli_notes.moc"
