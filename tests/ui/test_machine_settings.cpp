#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/machine_dialog.h"
#include "ui/machine_store.h"
#include "ui/main_window.h"
#include "ui/preview_picture.h"

using namespace mensora;
using namespace mensora::testing;

Q_DECLARE_METATYPE(mensora::MachineProfile)

namespace {

const char* const dialogWidgets[] = { "machine_profile", "machine_profile_note", "machine_feed",
    "machine_plunge_feed", "machine_rapid_rate", "machine_safe_height", "machine_spindle",
    "machine_power", "machine_passes", "machine_line_numbers", "machine_order", "machine_buttons" };

} // namespace

class TestMachineSettings : public WindowSuite
{
    Q_OBJECT

protected:
    void prepare() override
    {
        m_script.tell = [this](const QString& message) { m_messages << message; };
        m_script.saveFileName = [this](const QString& filter, const QString&) {
            m_filters << filter;
            return m_dir.filePath("scale");
        };
        m_messages.clear();
        m_filters.clear();
    }

private slots:
    void machineMenuStandsRightAfterFileAndEdit();
    void dialogOpensOnlyTheProfilesSettings_data();
    void dialogOpensOnlyTheProfilesSettings();
    void acceptedSettingsAreKeptBetweenRuns();
    void cancelledDialogChangesNothing();
    void unchangedRateKeepsItsOwnUnit();
    void saveOffersTheProgramExtensionsOfAGcodeProfile_data();
    void saveOffersTheProgramExtensionsOfAGcodeProfile();
    void previewShowsTheJobsFiguresUnlessRefused();
    void refusedSettingIsNamedWithoutABox();
    void eachProfileKeepsItsOwnSettings();
    void anEarlierSingleSetIsEveryProfiles();

private:
    // Opens the dialog, lets `answer` fill it, and accepts it when `answer` returns true.
    void answerDialog(const std::function<bool(MachineDialog&)>& answer)
    {
        m_script.answerDialog<MachineDialog>(answer);
        m_window->findChild<QAction*>("menu_machinesettings")->trigger();
    }
    QLineEdit* box(const char* name) const { return m_window->findChild<QLineEdit*>(name); }
    PreviewPicture* picture() const { return m_window->findChild<PreviewPicture*>("Picture1"); }

    QStringList m_messages;
    QStringList m_filters;
    QTemporaryDir m_dir;
};

void TestMachineSettings::machineMenuStandsRightAfterFileAndEdit()
{
    const QList<QAction*> menus = m_window->menuBar()->actions();
    QVERIFY(menus.size() >= 4);
    QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("menu_file"));
    QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("menu_edit"));
    QCOMPARE(menus[2]->menu()->objectName(), QStringLiteral("menu_machine"));
    QCOMPARE(menus[2]->text(), QStringLiteral("&Machine")); // Alt+M
    QCOMPARE(menus[2]->menu()->actions().first()->text(), QStringLiteral("Machine settings\u2026"));
}

void TestMachineSettings::dialogOpensOnlyTheProfilesSettings_data()
{
    QTest::addColumn<MachineProfile>("profile");
    QTest::addColumn<QStringList>("open");
    QTest::addColumn<QString>("note");

    QTest::newRow("plain") << MachineProfile::Plain << QStringList {}
                           << "The program's own files, G-code and plot, as always; none of the "
                              "settings applies.";
    QTest::newRow("rs274") << MachineProfile::Rs274
                           << QStringList { "machine_feed", "machine_plunge_feed",
                                  "machine_rapid_rate", "machine_safe_height", "machine_spindle",
                                  "machine_passes", "machine_line_numbers", "machine_order" }
                           << "Shapes G-code programs for LinuxCNC, Mach3/4 and most industrial "
                              "controls; plot files stay plain.";
    QTest::newRow("grbl-laser") << MachineProfile::GrblLaser
                                << QStringList { "machine_feed", "machine_rapid_rate",
                                       "machine_power", "machine_passes", "machine_line_numbers",
                                       "machine_order" }
                                << "Shapes G-code programs for GRBL 1.1 in laser mode, without Z: "
                                   "the depth is not used; plot files stay plain.";
    QTest::newRow("hpgl-cutter")
        << MachineProfile::HpglCutter
        << QStringList { "machine_feed", "machine_rapid_rate", "machine_order" }
        << "Shapes plot files for pen plotters and vinyl cutters; G-code programs stay plain.";
}

void TestMachineSettings::dialogOpensOnlyTheProfilesSettings()
{
    QFETCH(MachineProfile, profile);
    QFETCH(QStringList, open);
    QFETCH(QString, note);
    QString shownNote;
    QStringList opened;
    QString suffix;
    answerDialog([&](MachineDialog& dialog) {
        childNamed<QComboBox>(dialog, "machine_profile")->setCurrentIndex(int(profile));
        shownNote = childNamed<QLabel>(dialog, "machine_profile_note")->text();
        for (const char* name : dialogWidgets)
            if (childNamed<QWidget>(dialog, name)->isEnabled())
                opened << name;
        suffix = childNamed<QDoubleSpinBox>(dialog, "machine_feed")->suffix();
        return false;
    });
    QCOMPARE(shownNote, note);
    opened.removeAll("machine_profile");
    opened.removeAll("machine_profile_note");
    opened.removeAll("machine_buttons");
    QCOMPARE(opened, open);
    QCOMPARE(suffix, QStringLiteral(" mm/min"));
}

void TestMachineSettings::acceptedSettingsAreKeptBetweenRuns()
{
    answerDialog([](MachineDialog& dialog) {
        childNamed<QComboBox>(dialog, "machine_profile")
            ->setCurrentIndex(int(MachineProfile::Grbl));
        childNamed<QDoubleSpinBox>(dialog, "machine_feed")->setValue(250);
        childNamed<QDoubleSpinBox>(dialog, "machine_safe_height")->setValue(2.5);
        childNamed<QSpinBox>(dialog, "machine_passes")->setValue(3);
        childNamed<QCheckBox>(dialog, "machine_line_numbers")->setChecked(false);
        childNamed<QComboBox>(dialog, "machine_order")->setCurrentIndex(1);
        return true;
    });
    const auto check = [](const MachineSettings& s) {
        QCOMPARE(s.profile, MachineProfile::Grbl);
        QVERIFY(s.feed && s.feed->perMinute == 250 && s.feed->unit == Unit::Millimetre);
        QVERIFY(!s.plungeFeed); // untouched: the unit's default
        QCOMPARE(s.safeHeight, 2.5);
        QCOMPARE(s.passes, 3.0);
        QCOMPARE(s.lineNumbers, false);
        QCOMPARE(s.order, TravelOrder::Alternate);
    };
    check(m_window->machineSettings());
    MainWindow next;
    check(next.machineSettings());
}

void TestMachineSettings::cancelledDialogChangesNothing()
{
    answerDialog([](MachineDialog& dialog) {
        childNamed<QComboBox>(dialog, "machine_profile")
            ->setCurrentIndex(int(MachineProfile::Rs274));
        childNamed<QDoubleSpinBox>(dialog, "machine_feed")->setValue(250);
        return false;
    });
    QCOMPARE(m_window->machineSettings().profile, MachineProfile::Plain);
    QVERIFY(!m_window->machineSettings().feed);
    QCOMPARE(MainWindow().machineSettings().profile, MachineProfile::Plain);
}

// A feed given in mm shows converted on an inch scale, and stays what it was when untouched;
// a rate left at its default shows the inch default.
void TestMachineSettings::unchangedRateKeepsItsOwnUnit()
{
    MachineSettings set;
    set.profile = MachineProfile::Rs274;
    set.feed = Rate { 127, Unit::Millimetre };
    m_window->setMachineSettings(set);
    click(*m_window, "Option4:1");
    double feed = 0;
    double plungeFeed = 0;
    QString suffix;
    answerDialog([&](MachineDialog& dialog) {
        feed = childNamed<QDoubleSpinBox>(dialog, "machine_feed")->value();
        suffix = childNamed<QDoubleSpinBox>(dialog, "machine_feed")->suffix();
        plungeFeed = childNamed<QDoubleSpinBox>(dialog, "machine_plunge_feed")->value();
        childNamed<QDoubleSpinBox>(dialog, "machine_rapid_rate")->setValue(50);
        return true;
    });
    QCOMPARE(feed, 5.0);
    QCOMPARE(suffix, QStringLiteral(" in/min"));
    QCOMPARE(plungeFeed, 2.0);
    const MachineSettings kept = m_window->machineSettings();
    QVERIFY(kept.feed && kept.feed->perMinute == 127 && kept.feed->unit == Unit::Millimetre);
    QVERIFY(!kept.plungeFeed);
    QVERIFY(
        kept.rapidRate && kept.rapidRate->perMinute == 50 && kept.rapidRate->unit == Unit::Inch);
}

void TestMachineSettings::saveOffersTheProgramExtensionsOfAGcodeProfile_data()
{
    QTest::addColumn<MachineProfile>("profile");
    QTest::addColumn<bool>("plot");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QByteArray>("start");

    // The plain program's dialog lists the controllers' extensions too.
    const QString programs = "Din ( G-Code ) (*.din);;G-code programs (*.ngc *.nc *.gcode *.tap "
                             "*.cnc);;All files (*)";
    const QString plt = "PLT ( PLT ) (*.plt);;All files (*)";
    QTest::newRow("plain") << MachineProfile::Plain << false << programs << QByteArray("N1 G0 X0");
    QTest::newRow("rs274") << MachineProfile::Rs274 << false << programs
                           << QByteArray("N1 (Mensora: flat scale");
    QTest::newRow("grbl-laser") << MachineProfile::GrblLaser << false << programs
                                << QByteArray("N1 (Mensora: flat scale");
    QTest::newRow("a plot file stays plain under rs274")
        << MachineProfile::Rs274 << true << plt << QByteArray("IN;\r\nSP1;\r\nPU0 0;");
    QTest::newRow("hpgl-cutter on a program")
        << MachineProfile::HpglCutter << false << programs << QByteArray("N1 G0 X0");
    QTest::newRow("hpgl-cutter") << MachineProfile::HpglCutter << true << plt
                                 << QByteArray("IN;\r\nSP1;\r\nPU0,0;");
}

void TestMachineSettings::saveOffersTheProgramExtensionsOfAGcodeProfile()
{
    QFETCH(MachineProfile, profile);
    QFETCH(bool, plot);
    QFETCH(QString, filter);
    QFETCH(QByteArray, start);
    MachineSettings set;
    set.profile = profile;
    m_window->setMachineSettings(set);
    if (plot)
        m_window->findChild<QCheckBox*>("Chk_plt")->click();
    const QString caption = plot ? "Save Plt File" : "Save G-Code";
    QCOMPARE(m_window->findChild<QAction*>("menu_savegcode")->text(), caption);
    m_window->findChild<QAction*>("menu_savegcode")->trigger();
    QCOMPARE(m_filters, QStringList { filter });
    // The name was typed without an extension: the file takes its format's own.
    QFile file(m_dir.filePath(plot ? "scale.plt" : "scale.din"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(file.readAll().startsWith(start), start.constData());
}

void TestMachineSettings::previewShowsTheJobsFiguresUnlessRefused()
{
    click(*m_window, "Cmd_preview");
    QCOMPARE(picture()->figuresLine(),
        QStringLiteral(
            "101 stripes \u00b7 cut 400 mm \u00b7 travel 404 mm \u00b7 \u2248 6 min 44 s"));

    MachineSettings laser;
    laser.profile = MachineProfile::GrblLaser;
    laser.order = TravelOrder::Alternate;
    answerDialog([&](MachineDialog& dialog) {
        dialog.setSettings(laser);
        return true;
    });
    QCOMPARE(picture()->figuresLine(),
        QStringLiteral(
            "101 stripes \u00b7 cut 400 mm \u00b7 travel 173 mm \u00b7 \u2248 4 min 10 s "
            "\u00b7 depth not used"));

    box("txt_dist_stripes")->setText("0");
    click(*m_window, "Cmd_preview");
    QVERIFY(picture()->figuresLine().isEmpty());
}

// The save names the setting, then opens the dialog on its field; a depth the profile cannot
// read still previews, without figures, and the save points at its box.
void TestMachineSettings::refusedSettingIsNamedWithoutABox()
{
    MachineSettings set;
    set.profile = MachineProfile::Rs274;
    set.feed = Rate { 0, Unit::Millimetre };
    m_window->setMachineSettings(set);
    QString focused;
    m_script.answerDialog<MachineDialog>([&](MachineDialog& dialog) {
        focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
        return false;
    });
    m_window->findChild<QAction*>("menu_savegcode")->trigger();
    QCOMPARE(m_messages, QStringList { "Feed must be from 0.0001 to 99999.9999 mm/min." });
    QVERIFY(m_filters.isEmpty());
    QCOMPARE(focused, QStringLiteral("machine_feed"));

    set.feed.reset();
    m_window->setMachineSettings(set);
    box("txt_engr_depth")->setText("-0,1");
    click(*m_window, "Cmd_preview");
    QVERIFY(picture()->drawing());
    QVERIFY(picture()->figuresLine().isEmpty());
    m_window->findChild<QAction*>("menu_savegcode")->trigger();
    QCOMPARE(m_messages.last(),
        QStringLiteral("Engr depth must be a number with \".\" for decimals, not \"-0,1\"."));
    QCOMPARE(QApplication::focusWidget(), box("txt_engr_depth"));
}

// The router's spindle speed and passes stay the router's: RS274 shows its own, and either
// comes back as it was left, in this run and the next.
void TestMachineSettings::eachProfileKeepsItsOwnSettings()
{
    const auto choose = [](MachineDialog& dialog, MachineProfile profile) {
        childNamed<QComboBox>(dialog, "machine_profile")->setCurrentIndex(int(profile));
    };
    const auto value = [](MachineDialog& dialog, const char* name) {
        return childNamed<QDoubleSpinBox>(dialog, name)->value();
    };
    double rs274Spindle = -1;
    answerDialog([&](MachineDialog& dialog) {
        choose(dialog, MachineProfile::Grbl);
        childNamed<QDoubleSpinBox>(dialog, "machine_spindle")->setValue(12000);
        childNamed<QSpinBox>(dialog, "machine_passes")->setValue(3);
        choose(dialog, MachineProfile::Rs274);
        rs274Spindle = value(dialog, "machine_spindle");
        childNamed<QDoubleSpinBox>(dialog, "machine_feed")->setValue(300);
        return true;
    });
    QCOMPARE(rs274Spindle, 0.0);
    QCOMPARE(m_window->machineSettings().profile, MachineProfile::Rs274);
    QCOMPARE(m_window->machineSettings().passes, 1.0);

    double grblSpindle = -1;
    double grblFeed = -1;
    int grblPasses = 0;
    answerDialog([&](MachineDialog& dialog) {
        choose(dialog, MachineProfile::Grbl);
        grblSpindle = value(dialog, "machine_spindle");
        grblFeed = value(dialog, "machine_feed");
        grblPasses = childNamed<QSpinBox>(dialog, "machine_passes")->value();
        return false;
    });
    QCOMPARE(grblSpindle, 12000.0);
    QCOMPARE(grblFeed, 100.0);
    QCOMPARE(grblPasses, 3);
    MainWindow next;
    QCOMPARE(next.machineSettings().profile, MachineProfile::Rs274);
    QVERIFY(next.machineSettings().feed && next.machineSettings().feed->perMinute == 300);
    QCOMPARE(loadProfileSettings(MachineProfile::Grbl).spindleSpeed, 12000.0);
}

// Settings kept by a version with one set for all profiles.
void TestMachineSettings::anEarlierSingleSetIsEveryProfiles()
{
    QSettings settings;
    settings.setValue("machine/profile", "grbl");
    settings.setValue("machine/feed", 250);
    settings.setValue("machine/feedUnit", "mm");
    settings.setValue("machine/spindleSpeed", 9000);
    MainWindow next;
    QCOMPARE(next.machineSettings().profile, MachineProfile::Grbl);
    QVERIFY(next.machineSettings().feed && next.machineSettings().feed->perMinute == 250);
    QCOMPARE(loadProfileSettings(MachineProfile::Rs274).spindleSpeed, 9000.0);
    QCOMPARE(loadProfileSettings(MachineProfile::Rs274).profile, MachineProfile::Rs274);
}

QTEST_MAIN(TestMachineSettings)
#include "test_machine_settings.moc"
