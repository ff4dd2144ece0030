#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>

#include "files/scale_file.h"
#include "support/window_fixture.h"
#include "ui/control_table.h"
#include "ui/preview_picture.h"

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
    void everyMenuItemSaysWhatItDoes();
    void boxTooltipsFollowTheShapeAndTheUnit();
    void templatesOpenAsANewScaleAndPreview_data();
    void templatesOpenAsANewScaleAndPreview();

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

QTEST_MAIN(TestKeysAndHelp)
#include "test_keys_and_help.moc"
