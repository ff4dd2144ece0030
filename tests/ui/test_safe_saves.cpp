// The first saves of a new user: the question before a plain program, the profile that decides
// the file, the names that take their extension, the filters, and the changed scale file.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/machine_dialog.h"
#include "ui/main_window.h"

Q_DECLARE_METATYPE(mensora::MachineProfile)

using namespace mensora;
using namespace mensora::testing;

class TestSafeSaves : public WindowSuite
{
    Q_OBJECT

private slots:
    void firstPlainSaveSaysWhatAControllerNeeds_data();
    void firstPlainSaveSaysWhatAControllerNeeds();
    void controllerExtensionAsksAgainUntilDeclined();
    void chooseMachineSavesTheProfilesProgram();
    void profileDecidesTheFileAndTheMenuCaption_data();
    void profileDecidesTheFileAndTheMenuCaption();
    void namesTypedWithoutExtensionTakeTheirFormats_data();
    void namesTypedWithoutExtensionTakeTheirFormats();
    void everyFilterSetEndsWithAllFiles();
    void titleMarksAChangedScaleFile();
    void settingAsideAChangedScaleAsks();
    void newScaleAndTemplatesAskFirst();

private:
    void prepare() override
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_answers.clear();
        m_filters.clear();
        m_questions.clear();
        m_asked.clear();
        m_script.saveFileName = [this](const QString& filter, const QString&) {
            m_filters << filter;
            return m_answers.isEmpty() ? QString() : inFolder(m_answers.takeFirst());
        };
        m_script.openFileName = m_script.saveFileName;
        m_script.tell = [](const QString& message) { QFAIL(qPrintable(message)); };
        m_script.machineReadiness = [this](const QString& text) {
            m_questions << text;
            return m_readiness;
        };
        m_script.unsavedChanges = [this](const QString& name) {
            m_asked << name;
            return m_unsaved;
        };
        m_readiness = ReadinessAnswer::SavePlain;
        m_unsaved = UnsavedAnswer::Cancel;
    }
    void trigger(const char* item, const QString& answer = {})
    {
        if (!answer.isEmpty())
            m_answers << answer;
        m_window->findChild<QAction*>(QString::fromUtf8(item))->trigger();
    }
    // Machine settings with the profile chosen in its list, then OK.
    void chooseProfile(MachineProfile profile)
    {
        m_script.answerDialog<MachineDialog>([profile](MachineDialog& dialog) {
            childNamed<QComboBox>(dialog, "machine_profile")->setCurrentIndex(int(profile));
            return true;
        });
    }
    QString inFolder(const QString& name) const { return m_folder->filePath(name); }
    QByteArray contentsOf(const QString& name) const
    {
        QFile file(inFolder(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList files() const { return QDir(m_folder->path()).entryList(QDir::Files); }
    QString saveCaption() const { return m_window->findChild<QAction*>("menu_savegcode")->text(); }

    std::unique_ptr<QTemporaryDir> m_folder;
    QStringList m_answers; // the file names the dialogs get, in the folder
    QStringList m_filters;
    QStringList m_questions; // the texts of the readiness question
    QStringList m_asked; // the files the unsaved-changes question named
    ReadinessAnswer m_readiness = ReadinessAnswer::SavePlain;
    UnsavedAnswer m_unsaved = UnsavedAnswer::Cancel;
};

void TestSafeSaves::firstPlainSaveSaysWhatAControllerNeeds_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("arcs");
    QTest::newRow("flat ruler") << QStringList {} << false;
    QTest::newRow("dial with baseline") << QStringList { "Option3:1", "Option1:1" } << true;
}

void TestSafeSaves::firstPlainSaveSaysWhatAControllerNeeds()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, arcs);
    follow(*m_window, steps);
    trigger("menu_savegcode", "scale.din");
    QCOMPARE(m_questions.size(), 1);
    QVERIFY(m_questions[0].contains("A feed in its start-up code"));
    QCOMPARE(m_questions[0].contains("Absolute arc centres (G90.1)"), arcs);
    QVERIFY(contentsOf("scale.din").startsWith("N1 G0 X")); // the plain program, saved
    QCOMPARE(contentsOf("scale.din").contains(" G3 "), arcs);
    // Once a run for the program's own extension.
    trigger("menu_savegcode", "again.din");
    QCOMPARE(m_questions.size(), 1);
    QCOMPARE(files(), QStringList({ "again.din", "scale.din" }));
}

void TestSafeSaves::controllerExtensionAsksAgainUntilDeclined()
{
    for (const char* name : { "a.din", "b.nc", "c.ngc", "d.din" })
        trigger("menu_savegcode", name);
    QCOMPARE(m_questions.size(), 3);

    m_readiness = ReadinessAnswer::DontAskAgain;
    trigger("menu_savegcode", "e.tap");
    QCOMPARE(m_questions.size(), 4);
    QVERIFY(contentsOf("e.tap").startsWith("N1 G0 X0"));

    // Remembered: a new run asks nothing, not even for a controller's extension.
    MainWindow next;
    next.setQuestions(scriptedQuestions());
    m_answers << "f.cnc";
    next.findChild<QAction*>("menu_savegcode")->trigger();
    QCOMPARE(m_questions.size(), 4);
    QVERIFY(contentsOf("f.cnc").startsWith("N1 G0 X0"));
}

void TestSafeSaves::chooseMachineSavesTheProfilesProgram()
{
    m_readiness = ReadinessAnswer::ChooseMachine;
    chooseProfile(MachineProfile::Rs274);
    m_answers << "ruler.nc"
              << "ruler.ngc";
    trigger("menu_savegcode");
    QCOMPARE(m_questions.size(), 1);
    // The plain program was not written; the dialog came again for the profile's program.
    QCOMPARE(files(), QStringList { "ruler.ngc" });
    QCOMPARE(m_filters.size(), 2);
    const QByteArray program = contentsOf("ruler.ngc");
    QVERIFY(program.startsWith("N1 (Mensora: flat scale"));
    QVERIFY(program.contains(" F"));
    QCOMPARE(m_window->machineSettings().profile, MachineProfile::Rs274);
}

void TestSafeSaves::profileDecidesTheFileAndTheMenuCaption_data()
{
    QTest::addColumn<MachineProfile>("profile");
    QTest::addColumn<bool>("plot");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("hpgl-cutter") << MachineProfile::HpglCutter << true << "Save Plt File"
                                 << "ruler.plt" << QByteArray("IN;\r\nSP1;\r\nPU0,0;");
    QTest::newRow("grbl") << MachineProfile::Grbl << false << "Save G-Code"
                          << "ruler.din" << QByteArray("N1 (Mensora: flat scale");
}

void TestSafeSaves::profileDecidesTheFileAndTheMenuCaption()
{
    QFETCH(MachineProfile, profile);
    QFETCH(bool, plot);
    QFETCH(QString, caption);
    QFETCH(QString, file);
    QFETCH(QByteArray, start);
    // From the other family first, so that the choice has to switch the box.
    if (!plot)
        click(*m_window, "Chk_plt");
    QCOMPARE(saveCaption(), plot ? "Save G-Code" : "Save Plt File");
    chooseProfile(profile);
    trigger("menu_machinesettings");
    QCOMPARE(m_window->findChild<QCheckBox*>("Chk_plt")->isChecked(), plot);
    QCOMPARE(saveCaption(), caption);
    trigger("menu_savegcode", "ruler");
    QCOMPARE(files(), QStringList { file });
    QVERIFY2(contentsOf(file).startsWith(start), contentsOf(file).left(40).constData());
    QVERIFY(m_questions.isEmpty()); // a profile's file needs no warning
}

void TestSafeSaves::namesTypedWithoutExtensionTakeTheirFormats_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("program") << "menu_savegcode"
                             << "ruler"
                             << "ruler.din";
    QTest::newRow("scale file") << "menu_savescale"
                                << "ruler"
                                << "ruler.mensora";
    QTest::newRow("svg") << "menu_exportsvg"
                         << "protractor"
                         << "protractor.svg";
    QTest::newRow("dxf") << "menu_exportdxf"
                         << "protractor"
                         << "protractor.dxf";
    QTest::newRow("own extension kept") << "menu_exportsvg"
                                        << "p.drawing"
                                        << "p.drawing";
}

void TestSafeSaves::namesTypedWithoutExtensionTakeTheirFormats()
{
    QFETCH(QString, item);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    trigger(item.toUtf8().constData(), typed);
    QCOMPARE(files(), QStringList { written });
}

void TestSafeSaves::everyFilterSetEndsWithAllFiles()
{
    for (const char* item : { "menu_savegcode", "menu_savescale", "menu_openscale",
             "menu_exportsvg", "menu_exportdxf" })
        trigger(item);
    click(*m_window, "Chk_plt");
    trigger("menu_savegcode");
    MachineSettings grbl;
    grbl.profile = MachineProfile::Grbl;
    m_window->setMachineSettings(grbl);
    click(*m_window, "Chk_plt");
    trigger("menu_savegcode");
    QCOMPARE(m_filters.size(), 7);
    for (const QString& filters : m_filters)
        QVERIFY2(filters.endsWith(";;All files (*)"), qPrintable(filters));
    // The plain program lists its own extension first, and the controllers' after it.
    QVERIFY(m_filters[0].startsWith("Din ( G-Code ) (*.din);;"));
    for (const char* pattern : { "*.nc", "*.ngc", "*.gcode", "*.tap", "*.cnc" }) {
        QVERIFY2(m_filters[0].contains(pattern), pattern);
        QVERIFY2(m_filters[6].contains(pattern), pattern);
    }
}

void TestSafeSaves::titleMarksAChangedScaleFile()
{
    follow(*m_window, { "txt_totallength=150" });
    QCOMPARE(m_window->windowTitle(), "Mensora"); // no file, no mark
    trigger("menu_savescale", "ruler");
    QCOMPARE(m_window->windowTitle(), "ruler.mensora — Mensora");
    follow(*m_window, { "txt_totallength=120" });
    QCOMPARE(m_window->windowTitle(), "ruler.mensora* — Mensora");
    follow(*m_window, { "txt_totallength=150" });
    QCOMPARE(m_window->windowTitle(), "ruler.mensora — Mensora");
    follow(*m_window, { "Option3:1" });
    QCOMPARE(m_window->windowTitle(), "ruler.mensora* — Mensora");
    trigger("menu_savescale", "ruler");
    QCOMPARE(m_window->windowTitle(), "ruler.mensora — Mensora");
    m_window->setNumbersAndMarks({ 1, 90, -10, 1, 4, 2, "timesr", {}, "", "" }, {});
    QCOMPARE(m_window->windowTitle(), "ruler.mensora* — Mensora");
}

void TestSafeSaves::settingAsideAChangedScaleAsks()
{
    trigger("menu_savescale", "ruler");
    m_window->close(); // unchanged: nothing asked
    QVERIFY(m_asked.isEmpty());
    QVERIFY(showAndWait(*m_window));

    follow(*m_window, { "txt_totallength=120" });
    m_unsaved = UnsavedAnswer::Cancel;
    QVERIFY(!m_window->close());
    trigger("menu_openscale", "ruler.mensora");
    QCOMPARE(m_asked, QStringList({ "ruler.mensora", "ruler.mensora" }));
    QCOMPARE(m_filters.size(), 1); // Cancel: no open dialog came
    QCOMPARE(m_window->findChild<QLineEdit*>("txt_totallength")->text(), "120");

    m_unsaved = UnsavedAnswer::Discard;
    trigger("menu_openscale", "ruler.mensora");
    QCOMPARE(m_window->findChild<QLineEdit*>("txt_totallength")->text(), "100");

    follow(*m_window, { "txt_totallength=120" });
    m_unsaved = UnsavedAnswer::Save;
    QVERIFY(m_window->close());
    QVERIFY(contentsOf("ruler.mensora").contains("\"120\""));
    QCOMPARE(m_asked.size(), 4);
}

// New and a template set a changed scale aside only as the user answers; after them the
// window shows a scale of no file.
void TestSafeSaves::newScaleAndTemplatesAskFirst()
{
    follow(*m_window, { "txt_totallength=150" });
    trigger("menu_savescale", "ruler");
    follow(*m_window, { "txt_totallength=120", "Option3:1" });
    m_unsaved = UnsavedAnswer::Cancel;
    trigger("menu_new");
    trigger("template_protractor-180");
    QCOMPARE(m_asked, QStringList({ "ruler.mensora", "ruler.mensora" }));
    QCOMPARE(m_window->findChild<QLineEdit*>("txt_totallength")->text(), "120");

    m_unsaved = UnsavedAnswer::Discard;
    trigger("menu_new");
    QVERIFY(m_window->scaleParameters() == ScaleParameters {});
    QCOMPARE(m_window->windowTitle(), "Mensora");
    follow(*m_window, { "txt_totallength=90" });
    trigger("template_protractor-180"); // typed work on a scale of no file is asked about too
    QCOMPARE(m_asked, QStringList({ "ruler.mensora", "ruler.mensora", "ruler.mensora", "" }));
    QCOMPARE(m_window->scaleParameters().shape, Shape::Round);
}

QTEST_MAIN(TestSafeSaves)
#include "test_safe_saves.moc"
