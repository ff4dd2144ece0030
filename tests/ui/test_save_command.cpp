#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "document/scale_document.h"
#include "engraving/engraving.h"
#include "files/engraving_file.h"
#include "model/scale_parameters.h"
#include "support/engraving_text.h"
#include "support/scale_parameters_metatype.h"
#include "support/window_fixture.h"
#include "ui/file_filter.h"
#include "ui/main_window.h"
#include "ui/preview_picture.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

// The file that the core writes for these parameters, in the user's number format.
QByteArray engravingFileOf(const ScaleParameters& parameters, const OutputRequest& output = {})
{
    return QByteArray::fromStdString(engravingText(parameters, output, numberFormatOf()));
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Everything in a folder, sub-folders included: what a command left behind.
QStringList listing(const QString& folder)
{
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        names << entry.fileName();
        if (entry.isDir())
            for (const QString& inner : listing(entry.filePath()))
                names << entry.fileName() + u'/' + inner;
    }
    return names;
}

// Lets no file of this process grow beyond a few bytes while it lives, as a full disk would.
class FileSizeLimit
{
public:
    FileSizeLimit()
    {
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = 4;
        m_active = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    bool active() const { return m_active; }

private:
    rlimit m_saved {};
    bool m_active = false;
};

} // namespace

class TestSaveCommand : public WindowSuite
{
    Q_OBJECT

private slots:
    void dialogFiltersKeepTheirDescription_data();
    void dialogFiltersKeepTheirDescription();
    void savesTheEngravingThatTheWindowDescribes_data();
    void savesTheEngravingThatTheWindowDescribes();
    void defaultsSaveTheRulerOfTheWorkedExample();
    void savingTwiceUnderOneNameReplacesTheFile();
    void dialogStartsAtTheLastSuccessfulSave();
    void refusedInputIsReportedBeforeTheDialogAndCreatesNothing_data();
    void refusedInputIsReportedBeforeTheDialogAndCreatesNothing();
    void unwritableTargetIsReportedAndLeavesNoFile_data();
    void unwritableTargetIsReportedAndLeavesNoFile();
    void failedWriteLeavesTheEarlierFileAsItWas();
    void stagedFileSystemFaultLeavesTheEarlierFileAsItWas();
    void unwritableFolderStillReplacesAWritableFile();
    void cancelWritesNothingAlsoAfterAnEarlierSave();
    void refusedSaveTakesThePictureUntilTheInputsAreAccepted();
    void withoutSeamsARefusalShowsAWarningBox();
    void saveWritesTheWholeJobAndKeepsTheSelectedSequence();
    void refusalOfAScaleOfTheJobSelectsItAndFocusesItsBox();

private:
    void prepare() override;
    void save() { m_window->findChild<QAction*>(QStringLiteral("menu_savegcode"))->trigger(); }
    QString inFolder(const QString& name) const { return m_folder->filePath(name); }
    QLineEdit* box(const char* name) const
    {
        return m_window->findChild<QLineEdit*>(QString::fromUtf8(name));
    }
    void follow(const QStringList& steps) { testing::follow(*m_window, steps); }

    std::unique_ptr<QTemporaryDir> m_folder;
    QStringList m_answers; // the dialog's answers, first first; none left means cancel
    QStringList m_filters; // the name filter of every dialog shown
    QStringList m_lastPaths; // the starting path of every dialog shown
    QStringList m_messages;
};

void TestSaveCommand::prepare()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_answers.clear();
    m_filters.clear();
    m_lastPaths.clear();
    m_messages.clear();
    m_script.saveFileName = [this](const QString& nameFilter, const QString& lastPath) {
        m_filters << nameFilter;
        m_lastPaths << lastPath;
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    };
    m_script.tell = [this](const QString& message) { m_messages << message; };
}

void TestSaveCommand::dialogFiltersKeepTheirDescription_data()
{
    QTest::addColumn<QString>("dialogFilter");
    QTest::addColumn<QString>("nameFilter");

    const auto ownFilter = [](OutputFormat format) {
        return QString::fromUtf8(outputFor(format, MachineProfile::Plain).dialogFilters[0].data());
    };
    QTest::newRow("G-code") << ownFilter(OutputFormat::Gcode) << "Din ( G-Code ) (*.din)";
    QTest::newRow("plot") << ownFilter(OutputFormat::Plot) << "PLT ( PLT ) (*.plt)";
    QTest::newRow("pattern added") << "Text|*.txt"
                                   << "Text (*.txt)";
    QTest::newRow("several patterns") << "Pictures|*.png;*.jpg"
                                      << "Pictures (*.png *.jpg)";
    QTest::newRow("no pattern") << "All files"
                                << "All files";
}

void TestSaveCommand::dialogFiltersKeepTheirDescription()
{
    QFETCH(QString, dialogFilter);
    QFETCH(QString, nameFilter);
    QCOMPARE(qtNameFilter(dialogFilter.toStdString()), nameFilter);
}

void TestSaveCommand::savesTheEngravingThatTheWindowDescribes_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("edits"); // "box=text"
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<QString>("nameFilter");
    QTest::addColumn<QString>("fileName");

    const QString din = "Din ( G-Code ) (*.din);;G-code programs (*.ngc *.nc *.gcode *.tap "
                        "*.cnc);;All files (*)",
                  plt = "PLT ( PLT ) (*.plt);;All files (*)";
    ScaleParameters p;
    QTest::newRow("defaults") << QStringList {} << QStringList {} << p << din << "scale.din";

    p = {};
    p.shape = Shape::Round;
    p.baseline = Baseline::Single;
    QTest::newRow("round with baseline")
        << QStringList { "Option3:1", "Option1:1" } << QStringList {} << p << din << "dial.din";

    p = {};
    p.shape = Shape::Round;
    p.stripePosition = StripePosition::Midway;
    p.unit = Unit::Inch;
    p.radius = "1.5";
    p.startAngle = "90";
    QTest::newRow("round midway in inches")
        << QStringList { "Option3:1", "Option4:1", "Option2:1" }
        << QStringList { "Txt_radius=1.5", "Txt_start_angle=90" } << p << din << "inch.din";

    p = {};
    QTest::newRow("plot") << QStringList { "Chk_plt" } << QStringList {} << p << plt << "scale.plt";

    p.shape = Shape::Round;
    p.baseline = Baseline::Single;
    QTest::newRow("plot of a round scale with baseline") << QStringList { "Chk_plt", "Option3:1",
        "Option1:1" } << QStringList {} << p << plt << "dial.plt";

    p = {};
    p.length = "50";
    p.distance = "0.5";
    p.package = "12";
    p.stripeLengths[1] = "2.5";
    p.startX = "-10";
    p.startY = "4";
    p.depth = "-0.25";
    p.stripePosition = StripePosition::Under;
    QTest::newRow("typed inputs, no extension")
        << QStringList { "Option2:2" }
        << QStringList { "txt_totallength=50", "txt_dist_stripes=0.5", "Text6=12",
               "txt_len_str2=2.5", "txt_startx=-10", "txt_starty=4", "txt_engr_depth=-0.25" }
        << p << din << "typed";
}

void TestSaveCommand::savesTheEngravingThatTheWindowDescribes()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, edits);
    QFETCH(ScaleParameters, parameters);
    QFETCH(QString, nameFilter);
    QFETCH(QString, fileName);

    follow(clicks + edits);
    m_answers << inFolder(fileName);
    save();

    QCOMPARE(m_messages, QStringList {});
    QCOMPARE(m_filters, QStringList { nameFilter });
    // A name typed without an extension takes the program's own.
    const QString written = QFileInfo(fileName).suffix().isEmpty() ? fileName + ".din" : fileName;
    QCOMPARE(listing(m_folder->path()), QStringList { written });
    // The plot box chose the format, which the dialog's filter names.
    const OutputRequest output { nameFilter.contains("PLT") ? OutputFormat::Plot
                                                            : OutputFormat::Gcode };
    QCOMPARE(contentsOf(inFolder(written)), engravingFileOf(parameters, output));
    const Result<Engraving> engraving = Engraving::prepare(parameters, output, installedFonts());
    QVERIFY(engraving);
    QCOMPARE(box("Text7")->text().toStdString(), engraving->sequence());
}

// The same bytes as the kept copy of the worked example, which mensora-cli also writes.
void TestSaveCommand::defaultsSaveTheRulerOfTheWorkedExample()
{
    m_answers << inFolder("ruler.din");
    save();
    QCOMPARE(m_messages, QStringList {});
    QCOMPARE(contentsOf(inFolder("ruler.din")), contentsOf(QStringLiteral(GOLDEN_DIR "/flat.din")));
}

void TestSaveCommand::savingTwiceUnderOneNameReplacesTheFile()
{
    const QString path = inFolder("scale.din");
    QVERIFY(writeFile(path, QByteArray(100000, 'x')));
    m_answers << path << path;
    save();
    save();
    QCOMPARE(contentsOf(path), engravingFileOf(ScaleParameters {}));
    QCOMPARE(listing(m_folder->path()), QStringList { "scale.din" });
}

void TestSaveCommand::dialogStartsAtTheLastSuccessfulSave()
{
    const QString first = inFolder("first.din");
    m_answers << first << inFolder("missing/second.din") << QString();
    save();
    save();
    save();
    QCOMPARE(m_lastPaths, (QStringList { QString(), first, first }));
}

void TestSaveCommand::refusedInputIsReportedBeforeTheDialogAndCreatesNothing_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::addColumn<QString>("focused"); // the box that takes the focus

    const auto row = [](const char* name, const QStringList& steps, const char* named,
                         const char* focused) {
        QTest::newRow(name) << steps << QString::fromUtf8(named) << QString::fromUtf8(focused);
    };
    row("distance 0", { "txt_dist_stripes=0" }, "Distance between stripes", "txt_dist_stripes");
    row("distance that reads as 0", { "txt_dist_stripes=abc" }, "Distance between stripes",
        "txt_dist_stripes");
    row("empty package", { "Text6=" }, "How is 1 pakage", "Text6");
    row("package with a 7", { "Text6=1237" }, "How is 1 pakage", "Text6");
    row("too many stripes", { "txt_totallength=100000" }, "32767", "txt_dist_stripes");
    // Every box takes the focus for its own refusal.
    row("length", { "txt_totallength=1e39" }, "Length", "txt_totallength");
    row("stripe 1", { "txt_len_str1=1e39" }, "Stripe 1", "txt_len_str1");
    row("stripe 2", { "txt_len_str2=1e39" }, "Stripe 2", "txt_len_str2");
    row("stripe 3", { "txt_len_str3=1e39" }, "Stripe 3", "txt_len_str3");
    row("stripe 4", { "Text6=4", "txt_len_str4=1e39" }, "Stripe 4", "txt_len_str4");
    row("stripe 5", { "Text6=5", "txt_len_str5=1e39" }, "Stripe 5", "txt_len_str5");
    row("stripe 6", { "Text6=6", "txt_len_str6=1e39" }, "Stripe 6", "txt_len_str6");
    row("start X", { "txt_startx=1e400" }, "Start X", "txt_startx");
    row("start Y", { "txt_starty=1e39" }, "Start Y", "txt_starty");
    row("depth", { "txt_engr_depth=\u22120.1" }, "Engr depth", "txt_engr_depth");
    row("radius", { "Option3:1", "Txt_radius=1e400" }, "Radius", "Txt_radius");
    row("start angle", { "Option3:1", "Txt_start_angle=1e400" }, "Start Angle", "Txt_start_angle");
}

void TestSaveCommand::refusedInputIsReportedBeforeTheDialogAndCreatesNothing()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, named);
    QFETCH(QString, focused);

    follow(steps);
    m_answers << inFolder("scale.din");
    save();

    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.front().contains(named), qPrintable(m_messages.front()));
    QCOMPARE(m_window->focusWidget(), m_window->findChild<QWidget*>(focused));
    QCOMPARE(m_filters, QStringList {}); // no dialog was shown
    QCOMPARE(listing(m_folder->path()), QStringList {});
    QCOMPARE(box("Text7")->text(), QString());
}

void TestSaveCommand::unwritableTargetIsReportedAndLeavesNoFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("prepare"); // a folder to make first, if any
    QTest::addColumn<QStringList>("leftBehind");

    QTest::newRow("folder that does not exist")
        << "missing/scale.din" << QString() << QStringList {};
    QTest::newRow("target is a folder") << "scale.din"
                                        << "scale.din" << QStringList { "scale.din" };
    QTest::newRow("folder is a file") << "plain/scale.din" << QString() << QStringList { "plain" };
}

void TestSaveCommand::unwritableTargetIsReportedAndLeavesNoFile()
{
    QFETCH(QString, fileName);
    QFETCH(QString, prepare);
    QFETCH(QStringList, leftBehind);

    if (!prepare.isEmpty())
        QVERIFY(QDir(m_folder->path()).mkpath(prepare));
    if (leftBehind.contains(u"plain"))
        QVERIFY(writeFile(inFolder("plain"), "earlier"));
    const QString path = inFolder(fileName);
    m_answers << path;
    save();

    QCOMPARE(m_messages.size(), 1);
    const QString prefix
        = QDir::toNativeSeparators(path) + QStringLiteral(" could not be written: ");
    QVERIFY2(m_messages.front().startsWith(prefix), qPrintable(m_messages.front()));
    QVERIFY2(m_messages.front().size() > prefix.size(), "the system's reason follows");
    QCOMPARE(listing(m_folder->path()), leftBehind);
    if (leftBehind.contains(u"plain"))
        QCOMPARE(contentsOf(inFolder("plain")), QByteArray("earlier"));
}

void TestSaveCommand::failedWriteLeavesTheEarlierFileAsItWas()
{
    const QString path = inFolder("scale.din");
    QVERIFY(writeFile(path, "earlier program"));
    m_answers << path;
    {
        const FileSizeLimit fullDisk;
        if (!fullDisk.active())
            QSKIP("the file size limit cannot be set here");
        save();
    }
    const QString reason = QString::fromLocal8Bit(std::strerror(EFBIG));
    QCOMPARE(m_messages,
        QStringList { QDir::toNativeSeparators(path) + " could not be written: " + reason });
    QCOMPARE(contentsOf(path), QByteArray("earlier program"));
    QCOMPARE(listing(m_folder->path()), QStringList { "scale.din" });
}

// A folder that staged_fault.sh prepared in a private mount namespace, holding scale.din with
// "earlier program": a read-only file system, or a file system too small for the file.
void TestSaveCommand::stagedFileSystemFaultLeavesTheEarlierFileAsItWas()
{
    const QString folder = qEnvironmentVariable("MENSORA_STAGED_FOLDER");
    if (folder.isEmpty())
        QSKIP("runs under staged_fault.sh only");
    const QString reason = qEnvironmentVariable("MENSORA_STAGED_REASON");
    const QString path = QDir(folder).filePath("scale.din");
    const QStringList before = listing(folder);
    box("txt_totallength")->setText("30000"); // about a megabyte: more than the small disk holds
    m_answers << path;
    save();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.front().endsWith(" could not be written: " + reason),
        qPrintable(m_messages.front()));
    QCOMPARE(contentsOf(path), QByteArray("earlier program"));
    QCOMPARE(listing(folder), before);
}

// No temporary file can be made beside the target, so the target itself is rewritten, as a
// plain editor would. Root writes into any folder: staged_fault.sh runs this as nobody.
void TestSaveCommand::unwritableFolderStillReplacesAWritableFile()
{
    if (::geteuid() == 0)
        QSKIP("root writes into any folder; staged_fault.sh runs this as an unprivileged user");
    const QString path = inFolder("scale.din");
    QVERIFY(writeFile(path, QByteArray(100000, 'x')));
    const QString folder = m_folder->path();
    const QFile::Permissions writable = QFile::permissions(folder);
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    m_answers << path;
    save();
    QVERIFY(QFile::setPermissions(folder, writable));
    QCOMPARE(m_messages, QStringList {});
    QCOMPARE(contentsOf(path), engravingFileOf(ScaleParameters {}));
    QCOMPARE(listing(folder), QStringList { "scale.din" });
}

void TestSaveCommand::cancelWritesNothingAlsoAfterAnEarlierSave()
{
    save(); // cancelled on first use
    QCOMPARE(m_filters.size(), 1);
    QCOMPARE(listing(m_folder->path()), QStringList {});
    QCOMPARE(box("Text7")->text(), QString());

    const QString path = inFolder("scale.din");
    m_answers << path;
    save();
    const QString sequence = box("Text7")->text();
    QVERIFY(!sequence.isEmpty());
    QVERIFY(writeFile(path, "kept"));
    box("Text6")->setText(QStringLiteral("12"));
    save(); // cancelled again
    QCOMPARE(m_filters.size(), 3);
    QCOMPARE(contentsOf(path), QByteArray("kept"));
    QCOMPARE(listing(m_folder->path()), QStringList { "scale.din" });
    QCOMPARE(box("Text7")->text(), sequence);
    QCOMPARE(m_messages, QStringList {});
}

// A picture left from an earlier preview would show a scale that the save has just refused.
// Edits redraw nothing, as ever; once a save accepts the inputs, the reason goes. A refused
// preview keeps its reason until the next preview, accepted save or not: its limits are the
// drawing's own.
void TestSaveCommand::refusedSaveTakesThePictureUntilTheInputsAreAccepted()
{
    const auto* picture = m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    const QString refused = QStringLiteral("Distance between stripes must not be 0.");
    click(*m_window, QStringLiteral("Cmd_preview"));
    m_answers << inFolder("first.din");
    save();
    QVERIFY(picture->drawing()); // an accepted save leaves the preview alone

    box("txt_dist_stripes")->setText(QStringLiteral("0"));
    save();
    QCOMPARE(m_messages, QStringList { refused });
    QVERIFY(!picture->drawing());
    QCOMPARE(picture->message(), refused);
    box("txt_dist_stripes")->setText(QStringLiteral("2"));
    QCOMPARE(picture->message(), refused);

    m_answers << inFolder("second.din");
    save();
    QVERIFY(!picture->drawing());
    QCOMPARE(picture->message(), QString());

    box("txt_startx")->setText(QStringLiteral("1e300"));
    click(*m_window, QStringLiteral("Cmd_preview"));
    m_answers << inFolder("third.din");
    save();
    QCOMPARE(picture->message(), QStringLiteral("Start X is too large to draw."));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(listing(m_folder->path()), (QStringList { "first.din", "second.din", "third.din" }));
}

void TestSaveCommand::withoutSeamsARefusalShowsAWarningBox()
{
    MainWindow plain;
    QVERIFY(showAndWait(plain));
    plain.findChild<QLineEdit*>(QStringLiteral("txt_dist_stripes"))->setText(QStringLiteral("0"));
    plain.findChild<QAction*>(QStringLiteral("menu_savegcode"))
        ->trigger(); // the watchdog closes it
    QCOMPARE(m_watchdog->seen(), QStringList { "QMessageBox" });
    QCOMPARE(plain.focusWidget(), plain.findChild<QWidget*>(QStringLiteral("txt_dist_stripes")));
    m_watchdog = std::make_unique<ModalWatchdog>();
}

// A job of a ruler and a dial: one file, the ruler's moves first; Text7 holds the stripes of the
// scale the form shows.
void TestSaveCommand::saveWritesTheWholeJobAndKeepsTheSelectedSequence()
{
    JobScale dial;
    dial.parameters.shape = Shape::Round;
    dial.parameters.length = "90";
    ScaleJob job;
    job.scales.push_back(dial);
    ScaleDocument& document = m_window->document();
    document.addScale(1, dial);
    QCOMPARE(box("txt_totallength")->text(), QStringLiteral("90")); // the form shows the dial
    m_answers << inFolder("job.din");
    save();
    QCOMPARE(m_messages, QStringList {});
    const Result<Engraving> engraving = Engraving::prepare(job, {}, installedFonts());
    QVERIFY(engraving);
    StringSink sink;
    engraving->write(sink, numberFormatOf());
    QCOMPARE(contentsOf(inFolder("job.din")), QByteArray::fromStdString(sink.text));
    QCOMPARE(box("Text7")->text().toStdString(), engraving->sequence(1));
}

void TestSaveCommand::refusalOfAScaleOfTheJobSelectsItAndFocusesItsBox()
{
    ScaleDocument& document = m_window->document();
    JobScale refused;
    refused.parameters.distance = "0";
    document.addScale(1, refused);
    document.select(0);
    QCOMPARE(box("txt_dist_stripes")->text(), QStringLiteral("1"));
    m_answers << inFolder("job.din");
    save();
    QCOMPARE(m_messages,
        QStringList { "Scale 2 (Ruler 100 mm): Distance between stripes must not be 0." });
    QCOMPARE(document.selectedIndex(), std::size_t(1));
    QCOMPARE(box("txt_dist_stripes")->text(), QStringLiteral("0"));
    QCOMPARE(m_window->focusWidget(), box("txt_dist_stripes"));
    QCOMPARE(m_filters, QStringList {});
    QCOMPARE(listing(m_folder->path()), QStringList {});
}

QTEST_MAIN(TestSaveCommand)
#include "test_save_command.moc"
