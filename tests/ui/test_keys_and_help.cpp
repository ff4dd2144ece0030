#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>

#include "files/scale_file.h"
#include "support/window_fixture.h"
#include "ui/control_table.h"
#include "ui/help_menu.h"
#include "ui/preview_picture.h"
#include "ui/templates.h"

using namespace mensora;
using namespace mensora::testing;

class TestKeysAndHelp : public WindowSuite
{
    Q_OBJECT

private slots:
    void menuTitlesOpenWithAlt_data();
    void menuTitlesOpenWithAlt();
    void ctrlSSavesTheProgramAndF5Previews();
    void f1ShowsTheGuideBuiltIntoTheProgram();
    void aboutNamesTheVersionAndTheLicence();
    void theGuideCoversEveryMenuAndDialog();
    void everyMenuItemSaysWhatItDoes();
    void boxTooltipsFollowTheShapeAndTheUnit();
    void templatesOpenAsANewScaleAndPreview_data();
    void templatesOpenAsANewScaleAndPreview();
    void templatesAreBuiltIntoTheProgram();
    void anInstalledFolderAddsTemplatesAndNamesAnUnreadableOne();

private:
    void prepare() override
    {
        m_script.saveFileName = [this](const QString& filter, const QString&) {
            m_saveFilters << filter;
            return QString();
        };
        m_window->activateWindow();
    }
    QAction* action(const char* name) const
    {
        return m_window->findChild<QAction*>(QString::fromUtf8(name));
    }
    PreviewPicture* picture() const
    {
        return m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    }
    QStringList m_saveFilters;
};

void TestKeysAndHelp::menuTitlesOpenWithAlt_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::newRow("file") << "menu_file"
                          << "&File";
    QTest::newRow("machine") << "menu_machine"
                             << "&Machine";
    QTest::newRow("scale") << "menu_scale"
                           << "&Scale";
    QTest::newRow("view") << "menu_view"
                          << "&View";
    QTest::newRow("help") << "menu_help"
                          << "&Help";
}

void TestKeysAndHelp::menuTitlesOpenWithAlt()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    auto* opened = m_window->findChild<QMenu*>(menu);
    QVERIFY(opened);
    QCOMPARE(opened->title(), title);
    QVERIFY(m_window->menuBar()->actions().contains(opened->menuAction()));
}

void TestKeysAndHelp::ctrlSSavesTheProgramAndF5Previews()
{
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_saveFilters.size(), 1);
    QVERIFY(m_saveFilters.front().contains(QStringLiteral("*.din")));
    QVERIFY(!picture()->drawing());
    QTest::keyClick(m_window.get(), Qt::Key_F5);
    QVERIFY(picture()->drawing());
}

void TestKeysAndHelp::f1ShowsTheGuideBuiltIntoTheProgram()
{
    QTest::keyClick(m_window.get(), Qt::Key_F1);
    auto* guide = m_window->findChild<QDialog*>(QStringLiteral("help_guide"));
    QVERIFY(guide && guide->isVisible());
    QCOMPARE(guide->windowTitle(), QStringLiteral("Using Mensora"));
    const QString text = childNamed<QTextBrowser>(*guide, "help_text")->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("Using Mensora")));
    QVERIFY(text.contains(QStringLiteral("Machine profiles.")));
    QVERIFY(!text.contains(QStringLiteral("## Layout")));
    QVERIFY(!text.contains(QStringLiteral("docs/window.png")));
    guide->close();
    action("menu_guide")->trigger(); // the same window again
    QCOMPARE(m_window->findChildren<QDialog*>(QStringLiteral("help_guide")).size(), 1);
    QVERIFY(guide->isVisible());
}

void TestKeysAndHelp::aboutNamesTheVersionAndTheLicence()
{
    action("menu_about")->trigger();
    auto* about = m_window->findChild<QDialog*>(QStringLiteral("help_about"));
    QVERIFY(about && about->isVisible());
    const QString text = childNamed<QLabel>(*about, "about_text")->text();
    QVERIFY(text.startsWith(QStringLiteral("Mensora 0.")));
    QVERIFY(text.contains(QStringLiteral("GPL-3.0-or-later")));
}

// Every item of every menu, by its caption, and every dialog, by its title, is in the guide,
// and each part of the guide about them shows an example: steps or a command.
void TestKeysAndHelp::theGuideCoversEveryMenuAndDialog()
{
    const QString guide = usingMensoraGuide().simplified();
    QStringList missing;
    QList<QAction*> titles = m_window->menuBar()->actions();
    while (!titles.isEmpty()) {
        QAction* title = titles.takeFirst();
        const QString menu = title->text().remove(u'&');
        if (!guide.contains(menu))
            missing << menu;
        for (QAction* item : title->menu()->actions()) {
            if (item->menu())
                titles << item;
            const bool fromTemplate = item->objectName().startsWith("template_");
            const QString caption = item->text().remove(u'&');
            if (!item->isSeparator() && !fromTemplate && !guide.contains(caption))
                missing << menu + " › " + caption;
        }
    }
    for (const char* dialog : { "Machine settings", "Numbers and marks", "Drum", "Add vernier" })
        if (!guide.contains(QString::fromUtf8(dialog) + "** dialog"))
            missing << QString::fromUtf8(dialog) + " dialog";
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
}

// A tooltip of its own, not the caption that Qt shows by default.
void TestKeysAndHelp::everyMenuItemSaysWhatItDoes()
{
    QList<QAction*> items;
    QList<QAction*> titles = m_window->menuBar()->actions();
    while (!titles.isEmpty()) {
        const QList<QAction*> inside = titles.takeFirst()->menu()->actions();
        items << inside;
        for (QAction* item : inside)
            if (item->menu())
                titles << item;
    }
    QVERIFY(items.size() > 15);
    for (const QAction* item : items) {
        if (item->isSeparator())
            continue;
        const QString caption = QString(item->text()).remove(u'&').remove(u'…');
        QVERIFY2(!item->toolTip().isEmpty() && item->toolTip() != caption,
            qPrintable(item->objectName() + u' ' + item->text()));
    }
}

void TestKeysAndHelp::boxTooltipsFollowTheShapeAndTheUnit()
{
    const auto tip = [this](const char* name) {
        return m_window->findChild<QLineEdit*>(QString::fromUtf8(name))->toolTip();
    };
    for (const InputBox& input : inputBoxes())
        QVERIFY2(!tip(input.name).isEmpty(), input.name);
    QCOMPARE(tip("txt_totallength"), QStringLiteral("Length of the scale, in mm"));
    click(*m_window, "Option4:1");
    QCOMPARE(tip("txt_totallength"), QStringLiteral("Length of the scale, in inches"));
    QCOMPARE(tip("txt_len_str2"), QStringLiteral("Length of a stripe of kind 2, in inches"));
    click(*m_window, "Option3:1");
    QCOMPARE(tip("txt_totallength"), QStringLiteral("Angle the scale spans, in degrees"));
    QCOMPARE(tip("txt_dist_stripes"), QStringLiteral("Angle between two stripes, in degrees"));
    QCOMPARE(tip("txt_startx"), QStringLiteral("X of the dial's centre, in inches"));
    click(*m_window, "Option4:0");
    QCOMPARE(tip("Txt_radius"), QStringLiteral("Radius the stripes start from, in mm"));
}

void TestKeysAndHelp::templatesOpenAsANewScaleAndPreview_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("stripes");
    // Whole turns without a double mark: 100 and 360 stripes, not 101 and 361.
    QTest::newRow("ruler 150 mm") << "ruler-150mm" << 301;
    QTest::newRow("ruler 12 in") << "ruler-12in" << 193;
    QTest::newRow("protractor") << "protractor-180" << 181;
    QTest::newRow("handwheel") << "handwheel-100" << 100;
    QTest::newRow("dial 360") << "dial-360" << 360;
    QTest::newRow("collar on a drum") << "collar-100-drum" << 100;
    QTest::newRow("logarithmic knob") << "knob-log-270" << 19;
}

void TestKeysAndHelp::templatesOpenAsANewScaleAndPreview()
{
    QFETCH(QString, name);
    QFETCH(int, stripes);
    QAction* item = m_window->findChild<QAction*>(QStringLiteral("template_") + name);
    QVERIFY(item);
    item->trigger();
    const ScaleFileReading file = readScaleFile(TEMPLATES_DIR "/" + name + ".mensora");
    QVERIFY(file);
    QCOMPARE(m_window->scaleParameters(), *file.scale);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Mensora"));
    const auto& drawing = picture()->drawing();
    QVERIFY(drawing);
    QCOMPARE(int(drawing->stripes.size()), stripes);
    QCOMPARE(int(drawing->baseLine || drawing->baseArc), 1);
    QVERIFY(!drawing->numberStrokes.empty());
    QCOMPARE(m_window->findChild<QLineEdit*>(QStringLiteral("Text7"))->text().size(), stripes);
}

// Each template the menu offers first is read from the program itself, byte for byte the
// source folder's: nothing outside the program need be found.
void TestKeysAndHelp::templatesAreBuiltIntoTheProgram()
{
    const QList<OfferedTemplate> offered = offeredTemplates();
    QCOMPARE(offered.size(), qsizetype(scaleTemplates().size())); // no folder beside the tests
    for (const OfferedTemplate& item : offered) {
        QVERIFY2(item.path.startsWith(":/"), qPrintable(item.path));
        QFile built(item.path);
        QFile source(TEMPLATES_DIR "/" + item.name);
        QVERIFY(built.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly));
        QCOMPARE(built.readAll(), source.readAll());
    }
    QCOMPARE(QDir(TEMPLATES_DIR).entryList({ "*.mensora" }).size(), offered.size());
}

// A folder of templates beside the program adds its own after the built-in ones; one that
// cannot be read is named with its folder, and the scale stays as it was.
void TestKeysAndHelp::anInstalledFolderAddsTemplatesAndNamesAnUnreadableOne()
{
    const QString folder = installedTemplateFolder();
    QVERIFY(!QDir(folder).exists());
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(TEMPLATES_DIR "/dial-360.mensora", folder + "/my-dial.mensora"));
    QVERIFY(QFile::copy(TEMPLATES_DIR "/dial-360.mensora", folder + "/ruler-150mm.mensora"));
    QFile broken(folder + "/broken.mensora");
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{ not a scale");
    broken.close();
    QStringList told;
    m_script.tell = [&told](const QString& message) { told << message; };
    MainWindow window;
    window.setQuestions(scriptedQuestions());
    const auto* ownRuler = window.findChild<QAction*>("template_ruler-150mm");
    const auto* myDial = window.findChild<QAction*>("template_my-dial");
    auto* unreadable = window.findChild<QAction*>("template_broken");
    QDir(folder).removeRecursively();
    QDir().rmpath(QFileInfo(folder).absolutePath()); // share/mensora, then share
    QVERIFY(ownRuler && myDial && unreadable);
    QCOMPARE(myDial->text(), "my-dial");
    QCOMPARE(window.findChildren<QAction*>("template_ruler-150mm").size(), 1); // built in wins
    unreadable->trigger();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].startsWith("The template broken.mensora in " + QDir::toNativeSeparators(folder)
                 + " cannot be opened: broken.mensora"),
        qPrintable(told[0]));
    QVERIFY(window.scaleParameters() == ScaleParameters {});
}

QTEST_MAIN(TestKeysAndHelp)
#include "test_keys_and_help.moc"
