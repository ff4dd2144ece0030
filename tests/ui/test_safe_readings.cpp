#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/offer_band.h"
#include "ui/preview_picture.h"

using namespace mensora;
using namespace mensora::testing;

// A new user's steps around what the boxes are read as: notes, strict machine readings, the
// deep-cut question and the unit offer.
class TestSafeReadings : public WindowSuite
{
    Q_OBJECT

private slots:
    void previewNotesATypingMistakeUnderThePicture();
    void saveListsTheNotesAndGoBackFocusesTheFirstBox();
    void saveAnywayWritesThePlainFileAsTyped();
    void profileRefusesACommaWithASentence();
    void profileRefusesADepthAboveTheSurface();
    void profileAsksBeforeADeepCut();
    void inchOnARulerWithAProfileOffersTheConversion();
    void inchOnTheStartScaleOffersNothing();
    void keepLeavesTheNumbers();
    void convertUnitsOffersAtAnyTime();

private:
    void prepare() override
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_dialogs = 0;
        m_messages.clear();
        m_script.saveFileName = [this](const QString&, const QString&) {
            ++m_dialogs;
            return m_folder->filePath(QStringLiteral("scale.din"));
        };
        m_script.tell = [this](const QString& message) { m_messages << message; };
    }
    QLineEdit* box(const char* name) const
    {
        return m_window->findChild<QLineEdit*>(QString::fromUtf8(name));
    }
    PreviewPicture* picture() const
    {
        return m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    }
    void save() { m_window->findChild<QAction*>(QStringLiteral("menu_savegcode"))->trigger(); }
    void chooseProfile(MachineProfile chosen)
    {
        MachineSettings settings;
        settings.profile = chosen;
        m_window->setMachineSettings(settings);
    }
    QByteArray saved() const
    {
        QFile file(m_folder->filePath(QStringLiteral("scale.din")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    int m_dialogs = 0;
    QStringList m_messages;
};

void TestSafeReadings::previewNotesATypingMistakeUnderThePicture()
{
    follow(*m_window, { "txt_len_str1=x", "Cmd_preview" });
    QCOMPARE(picture()->notes(),
        QStringList { "Stripe 1): \"x\" is read as 0: it starts with no number" });
    QVERIFY(picture()->drawing()); // the preview is not held up

    follow(*m_window, { "txt_len_str1=10", "Cmd_preview" });
    QCOMPARE(picture()->notes(), QStringList {});
}

void TestSafeReadings::saveListsTheNotesAndGoBackFocusesTheFirstBox()
{
    QStringList asked;
    m_script.saveDespiteNotes = [&](const QStringList& notes) {
        asked = notes;
        return false; // "Go back"
    };
    follow(*m_window, { "txt_len_str1=x", "txt_totallength=12,5" });
    save();
    QCOMPARE(asked,
        (QStringList { "Length: \"12,5\" is read as 12: the decimal point is \".\"",
            "Stripe 1): \"x\" is read as 0: it starts with no number" }));
    QCOMPARE(m_dialogs, 0);
    QTRY_VERIFY(box("txt_totallength")->hasFocus());
}

void TestSafeReadings::saveAnywayWritesThePlainFileAsTyped()
{
    follow(*m_window, { "txt_engr_depth=-0,1" });
    save();
    QCOMPARE(m_script.notesAsked.size(), 1);
    QCOMPARE(m_dialogs, 1);
    QVERIFY(saved().contains("G1 Z-0,1\r\n")); // notes change no byte
}

void TestSafeReadings::profileRefusesACommaWithASentence()
{
    chooseProfile(MachineProfile::Grbl);
    follow(*m_window, { "txt_totallength=12,5" });
    save();
    QCOMPARE(m_messages,
        QStringList { "Length must be a plain number with \".\" for decimals for a machine file, "
                      "not \"12,5\"." });
    QCOMPARE(m_dialogs, 0);
    QTRY_VERIFY(box("txt_totallength")->hasFocus());
}

void TestSafeReadings::profileRefusesADepthAboveTheSurface()
{
    chooseProfile(MachineProfile::Grbl);
    follow(*m_window, { "txt_engr_depth=0.1" });
    save();
    QCOMPARE(m_messages,
        QStringList { "Engr depth must be below 0: at 0.1 the tool does not reach the work." });
    QCOMPARE(m_dialogs, 0);
}

void TestSafeReadings::profileAsksBeforeADeepCut()
{
    chooseProfile(MachineProfile::Grbl);
    QStringList asked;
    m_script.cutDeep = [&](const QString& question) {
        asked << question;
        return false;
    };
    follow(*m_window, { "txt_engr_depth=-6" });
    save();
    QCOMPARE(asked,
        QStringList { "Engr depth -6 mm is deeper than 5 mm: the tool goes that deep in one cut. "
                      "Save it?" });
    QCOMPARE(m_dialogs, 0);
    QTRY_VERIFY(box("txt_engr_depth")->hasFocus());

    follow(*m_window, { "txt_engr_depth=-5" });
    save();
    QCOMPARE(asked.size(), 1); // 5 mm is not asked about
    QCOMPARE(m_dialogs, 1);
}

void TestSafeReadings::inchOnARulerWithAProfileOffersTheConversion()
{
    chooseProfile(MachineProfile::Grbl);
    follow(*m_window, { "txt_totallength=300", "Option4:1" });
    OfferBand* offer = picture()->offerBand();
    QCOMPARE(offer->sentence(),
        QStringLiteral("Convert every length box from mm to inch (\u00f725.4)?"));
    QCOMPARE(box("txt_totallength")->text(), QStringLiteral("300")); // never silently

    click(*m_window, QStringLiteral("offer_convert"));
    QCOMPARE(box("txt_totallength")->text(), QStringLiteral("11.811024"));
    QCOMPARE(box("txt_dist_stripes")->text(), QStringLiteral("0.03937"));
    QCOMPARE(box("txt_len_str1")->text(), QStringLiteral("0.3937")); // 0.39370079 within 1e-6
    QCOMPARE(box("txt_engr_depth")->text(), QStringLiteral("-0.003937"));
    QCOMPARE(box("txt_startx")->text(), QStringLiteral("0"));
    QCOMPARE(box("Text6")->text(), QStringLiteral("1333323333"));
    QVERIFY(offer->sentence().isEmpty());
}

void TestSafeReadings::inchOnTheStartScaleOffersNothing()
{
    click(*m_window, QStringLiteral("Option4:1"));
    QVERIFY(picture()->offerBand()->sentence().isEmpty());
    QCOMPARE(box("txt_totallength")->text(), QStringLiteral("100"));
}

void TestSafeReadings::keepLeavesTheNumbers()
{
    follow(*m_window, { "txt_totallength=254", "Option4:1" });
    QVERIFY(!picture()->offerBand()->sentence().isEmpty());
    click(*m_window, QStringLiteral("offer_keep"));
    QVERIFY(picture()->offerBand()->sentence().isEmpty());
    QCOMPARE(box("txt_totallength")->text(), QStringLiteral("254"));
}

void TestSafeReadings::convertUnitsOffersAtAnyTime()
{
    // Inch numbers typed into a round mm window: the radius follows, the angles do not.
    follow(*m_window, { "Option3:1", "Txt_radius=1.5", "txt_totallength=90" });
    m_window->findChild<QAction*>(QStringLiteral("menu_convertunits"))->trigger();
    QCOMPARE(picture()->offerBand()->sentence(),
        QStringLiteral("Convert every length box from inch to mm (\u00d725.4)?"));
    click(*m_window, QStringLiteral("offer_convert"));
    QCOMPARE(box("Txt_radius")->text(), QStringLiteral("38.1"));
    QCOMPARE(box("txt_totallength")->text(), QStringLiteral("90"));
    QCOMPARE(box("txt_len_str1")->text(), QStringLiteral("254"));
}

QTEST_MAIN(TestSafeReadings)
#include "test_safe_readings.moc"
