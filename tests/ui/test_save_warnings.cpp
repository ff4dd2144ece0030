// A new user's steps into files that a machine would cut wrong: each is named, in a note
// under the picture or a question before the save, and nothing is written unasked.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "document/scale_document.h"
#include "support/window_fixture.h"
#include "ui/machine_dialog.h"
#include "ui/numbers_dialog.h"
#include "ui/offer_band.h"
#include "ui/preview_picture.h"

using namespace mensora;
using namespace mensora::testing;

class TestSaveWarnings : public WindowSuite
{
    Q_OBJECT

private slots:
    void aShortPackageIsNotedAndEndOnTheTotalTaken();
    void aWholeTurnDialOffersNoDoubleMark();
    void aPlainPlotAsksOnceAndEveryTimeInInches();
    void chooseMachineWritesTheCuttersPlotFile();
    void saveAnswersTheOpenUnitOfferFirst();
    void theSaveDialogProposesTheExtensionOfWhatItWrites();
    void lengthZeroPreviewsTheStripeTheSaveWrites();
    void numbersThatRunTogetherAreNotedAndAsked();
    void typedWorkIsAskedAboutBeforeItIsSetAside();
    void aRefusalNamesTheNumberHeight();
    void aSafeHeightAtTheSurfaceIsRefused();

private:
    void prepare() override
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_names.clear();
        m_proposed.clear();
        m_messages.clear();
        m_script.saveFileName = [this](const QString&, const QString& proposed) {
            m_proposed << proposed;
            return m_names.isEmpty() ? QString() : m_folder->filePath(m_names.takeFirst());
        };
        m_script.tell = [this](const QString& message) { m_messages << message; };
    }
    void trigger(const char* item) { m_window->findChild<QAction*>(item)->trigger(); }
    void save(const QString& name)
    {
        m_names << name;
        trigger("menu_savegcode");
    }
    QByteArray saved(const QString& name) const
    {
        QFile file(m_folder->filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    PreviewPicture* picture() const { return m_window->findChild<PreviewPicture*>("Picture1"); }
    QString sequence() const { return m_window->findChild<QLineEdit*>("Text7")->text(); }
    void numbered(double step)
    {
        NumberSettings numbers;
        numbers.kind = 1;
        numbers.step = step;
        m_window->setNumbersAndMarks(numbers, {});
    }
    void chooseProfile(MachineProfile profile)
    {
        MachineSettings settings;
        settings.profile = profile;
        m_window->setMachineSettings(settings);
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    QStringList m_names; // the names the save dialogs are answered with, in the folder
    QStringList m_proposed; // the names the save dialogs proposed
    QStringList m_messages;
};

// A 0-10 knob with a package of one digit: ten stripes where eleven were meant.
void TestSaveWarnings::aShortPackageIsNotedAndEndOnTheTotalTaken()
{
    follow(*m_window,
        { "Option3:1", "txt_totallength=-270", "txt_dist_stripes=-27", "Txt_start_angle=225",
            "Text6=1", "Cmd_preview" });
    const QString note = "The scale ends at 243\u00b0, short of its total 270\u00b0: a package of "
                         "1 digit ends one stripe early.";
    QCOMPARE(picture()->notes(),
        QStringList { note
            + " Scale \u203a Numbers and marks\u2026 \u203a \"End on the total\" "
              "mends it." });
    m_script.noteOffer = [](const QString&, const QString&) { return NoteAnswer::TakeOffer; };
    save("knob.din");
    QCOMPARE(m_script.noteOffersAsked, (QStringList { note, "End on the total" }));
    QVERIFY(m_window->markSettings().endOnTotal);
    QCOMPARE(sequence(), QString(11, u'1'));
    QCOMPARE(saved("knob.din").count("G1 Z-0.1"), 11);
    QVERIFY(picture()->notes().isEmpty());
}

// 100 divisions of 3.6° numbered every 10: "100" over "0" on one mark.
void TestSaveWarnings::aWholeTurnDialOffersNoDoubleMark()
{
    follow(*m_window, { "Option3:1", "txt_totallength=360", "txt_dist_stripes=3.6" });
    numbered(10);
    click(*m_window, "Cmd_preview");
    QVERIFY(picture()->notes().value(0).startsWith(
        "Stripe 101 falls a whole turn on, onto stripe 1 at 0\u00b0: that mark is cut twice, and "
        "\"100\" prints over \"0\"."));
    m_script.noteOffer = [](const QString&, const QString&) { return NoteAnswer::GoBack; };
    save("dial.din");
    QCOMPARE(m_script.noteOffersAsked.value(1), "No double mark");
    QVERIFY(saved("dial.din").isEmpty());
    m_script.noteOffer = [](const QString&, const QString&) { return NoteAnswer::TakeOffer; };
    save("dial.din");
    QVERIFY(m_window->markSettings().noDoubleMark);
    QCOMPARE(sequence().size(), 100);
}

void TestSaveWarnings::aPlainPlotAsksOnceAndEveryTimeInInches()
{
    click(*m_window, "Chk_plt");
    save("a.plt");
    save("b.plt");
    QCOMPARE(m_script.plotsAsked.size(), 1); // once a run in millimetres
    QVERIFY(m_script.plotsAsked[0].contains("40 plotter units per typed unit"));
    QVERIFY(m_script.plotsAsked[0].contains("readers that expect commas"));
    QVERIFY(!m_script.plotsAsked[0].contains("25.4 times too small"));

    click(*m_window, "Option4:1");
    save("c.plt");
    save("d.plt");
    QCOMPARE(m_script.plotsAsked.size(), 3); // every time in inches
    QVERIFY(m_script.plotsAsked[2].contains("25.4 times too small"));
    QCOMPARE(saved("d.plt"), saved("b.plt")); // the question changes no byte

    m_script.plotReadiness = [](const QString&) { return ReadinessAnswer::DontAskAgain; };
    save("e.plt");
    save("f.plt");
    QCOMPARE(m_script.plotsAsked.size(), 4);
    // The status bar says what was written.
    const QString said = m_window->statusBar()->currentMessage();
    QVERIFY2(
        said.startsWith(QStringLiteral("Saved f.plt: %1 lines, ").arg(saved("f.plt").count('\n'))),
        qPrintable(said));
}

void TestSaveWarnings::chooseMachineWritesTheCuttersPlotFile()
{
    click(*m_window, "Chk_plt");
    m_script.plotReadiness = [](const QString&) { return ReadinessAnswer::ChooseMachine; };
    QString offered;
    m_script.answerDialog<MachineDialog>([&offered](MachineDialog& dialog) {
        offered = childNamed<QComboBox>(dialog, "machine_profile")->currentText();
        return true;
    });
    m_names << "first.plt"
            << "cut";
    trigger("menu_savegcode");
    QCOMPARE(offered, "HP-GL cutter");
    QVERIFY(saved("first.plt").isEmpty()); // the plain file is not written
    QVERIFY(saved("cut.plt").contains("PD"));
    QVERIFY(saved("cut.plt").contains(","));
}

// Inch clicked on a finished millimetre ruler, the band ignored: the save asks.
void TestSaveWarnings::saveAnswersTheOpenUnitOfferFirst()
{
    chooseProfile(MachineProfile::Rs274);
    follow(*m_window, { "txt_totallength=150", "Option4:1" });
    QVERIFY(!picture()->offerBand()->sentence().isEmpty());
    m_script.unitOfferOpen = [](const QString&) { return UnitOfferAnswer::Cancel; };
    save("ruler.ngc");
    QCOMPARE(m_script.unitOffersAsked.size(), 1);
    QVERIFY(m_proposed.isEmpty()); // no dialog
    m_script.unitOfferOpen = [](const QString&) { return UnitOfferAnswer::Convert; };
    save("ruler.ngc");
    const QByteArray file = saved("ruler.ngc");
    QVERIFY(file.contains(" G20 "));
    QVERIFY(file.contains("length 5.90551 in")); // 150 mm in inches, not 150 in
    QVERIFY(picture()->offerBand()->sentence().isEmpty());
    save("again.ngc");
    QCOMPARE(m_script.unitOffersAsked.size(), 2); // answered: no offer stands
}

void TestSaveWarnings::theSaveDialogProposesTheExtensionOfWhatItWrites()
{
    save("trap.din");
    click(*m_window, "Chk_plt");
    save("trap.plt");
    QCOMPARE(m_proposed.value(1), m_folder->filePath("trap.plt"));
    QVERIFY(saved("trap.din").startsWith("N1 G0"));
    QVERIFY(saved("trap.plt").startsWith("IN;"));
}

void TestSaveWarnings::lengthZeroPreviewsTheStripeTheSaveWrites()
{
    follow(*m_window, { "txt_totallength=0", "Cmd_preview" });
    QCOMPARE(picture()->message(), QString());
    QVERIFY(picture()->drawing());
    QCOMPARE(picture()->drawing()->stripes.size(), std::size_t(1));
    save("one.din");
    QCOMPARE(saved("one.din").count("G1 Z"), 1);
}

void TestSaveWarnings::numbersThatRunTogetherAreNotedAndAsked()
{
    chooseProfile(MachineProfile::Rs274);
    follow(*m_window, { "Option3:1", "txt_totallength=180", "Txt_radius=40", "txt_len_str1=6" });
    numbered(10);
    click(*m_window, "Cmd_preview");
    QVERIFY(picture()->notes().join(u' ').contains("Numbers \"100\" and \"110\" run together"));
    save("protractor.ngc");
    QCOMPARE(m_script.notesAsked.size(), 1);
    QVERIFY(m_script.notesAsked[0].join(u' ').contains("run together"));
}

void TestSaveWarnings::typedWorkIsAskedAboutBeforeItIsSetAside()
{
    m_script.unsavedChanges = [](const QString&) { return UnsavedAnswer::Cancel; };
    m_script.openFileName = [](const QString&, const QString&) { return QString(); };
    trigger("menu_new"); // the start scale: nothing to lose
    QVERIFY(m_script.unsavedAsked.isEmpty());
    follow(*m_window, { "txt_totallength=120" });
    trigger("menu_new");
    trigger("template_ruler-150mm");
    trigger("menu_openscale");
    QVERIFY(!m_window->close());
    QCOMPARE(m_script.unsavedAsked, QStringList(4, QString()));
    QCOMPARE(m_window->findChild<QLineEdit*>("txt_totallength")->text(), "120");

    // Save names a file, and the template comes once it is written.
    m_script.unsavedChanges = [](const QString&) { return UnsavedAnswer::Save; };
    m_names << "typed.mensora";
    trigger("template_ruler-150mm");
    QVERIFY(QFile::exists(m_folder->filePath("typed.mensora")));
    QCOMPARE(m_window->findChild<QLineEdit*>("txt_totallength")->text(), "150");
    trigger("menu_new"); // the template as it came: nothing to lose
    QCOMPARE(m_script.unsavedAsked.size(), 5);
}

void TestSaveWarnings::aRefusalNamesTheNumberHeight()
{
    chooseProfile(MachineProfile::Rs274);
    NumberSettings numbers;
    numbers.kind = 1;
    numbers.height = 200000;
    m_window->setNumbersAndMarks(numbers, {});
    m_script.answerDialog<NumbersDialog>([](NumbersDialog&) { return false; });
    save("tall.ngc");
    QCOMPARE(m_messages,
        QStringList { "Number height is too large for a machine file: its coordinates must stay "
                      "below 100000 mm." });
    QCOMPARE(m_script.dialogsRun, QStringList { "mensora::NumbersDialog" });
}

void TestSaveWarnings::aSafeHeightAtTheSurfaceIsRefused()
{
    MachineSettings settings;
    settings.profile = MachineProfile::Grbl;
    settings.safeHeight = 0;
    m_window->setMachineSettings(settings);
    m_script.answerDialog<MachineDialog>([](MachineDialog&) { return false; });
    save("flat.nc");
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith("Safe height must be above 0, the work's surface"));
    QVERIFY(saved("flat.nc").isEmpty());
}

QTEST_MAIN(TestSaveWarnings)
#include "test_save_warnings.moc"
