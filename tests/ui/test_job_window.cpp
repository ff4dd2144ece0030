#include <QAction>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>

#include "document/scale_document.h"
#include "preview/visible_parts.h"
#include "support/window_fixture.h"
#include "ui/preview_picture.h"
#include "ui/vernier_dialog.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

QStringList listed(const MainWindow& window)
{
    QStringList names;
    const auto* list = window.findChild<QListWidget*>(QStringLiteral("scales_list"));
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

QString boxText(const MainWindow& window, const char* name)
{
    return window.findChild<QLineEdit*>(QString::fromUtf8(name))->text();
}

} // namespace

class TestJobWindow : public WindowSuite
{
    Q_OBJECT

private slots:
    void aVernierAddedShowsThePanelAndTheFormShowsIt();
    void theFormShowsAndKeepsEachScaleOfTheJob();
    void undoAndRedoTakeTheJobsChangesBackAndForth();
    void aNameIsEditedInPlace();
    void aClickOnADimmedScaleSelectsIt();

private:
    void trigger(const char* action)
    {
        auto* item = m_window->findChild<QAction*>(QString::fromUtf8(action));
        QVERIFY2(item && item->isEnabled(), action);
        item->trigger();
    }
    void addVernier(int divisions, int over)
    {
        m_script.answerDialog<VernierDialog>([=](VernierDialog& dialog) {
            dialog.setVernier(divisions, over, false);
            return true;
        });
        trigger("menu_addvernier");
    }
};

void TestJobWindow::aVernierAddedShowsThePanelAndTheFormShowsIt()
{
    auto* panel = m_window->findChild<QWidget*>(QStringLiteral("scales_panel"));
    QVERIFY(!panel->isVisible()); // a job of one scale opens as it always has
    addVernier(50, 49);
    QVERIFY(panel->isVisible());
    QCOMPARE(listed(*m_window), QStringList({ "Ruler 100 mm", "Vernier 50/49" }));
    QCOMPARE(m_window->document().selectedIndex(), std::size_t(1));
    QCOMPARE(boxText(*m_window, "txt_dist_stripes"), QStringLiteral("1"));
    QVERIFY(!m_window->findChild<QLineEdit*>(QStringLiteral("txt_totallength"))->isEnabled());
    QVERIFY(optionButton(*m_window, "Option2", 2)->isChecked()); // under the main scale
}

// Typed into the form, a box's text goes to the scale it shows; another scale selected shows
// its own, and the first keeps what was typed.
void TestJobWindow::theFormShowsAndKeepsEachScaleOfTheJob()
{
    trigger("menu_addotherunit");
    QCOMPARE(boxText(*m_window, "txt_dist_stripes"), QStringLiteral("0.0625"));
    QVERIFY(optionButton(*m_window, "Option4", 1)->isChecked());
    auto* list = m_window->findChild<QListWidget*>(QStringLiteral("scales_list"));
    list->setCurrentRow(0);
    QCOMPARE(boxText(*m_window, "txt_dist_stripes"), QStringLiteral("1"));
    follow(*m_window, { "txt_totallength=150" });
    list->setCurrentRow(1);
    QVERIFY(optionButton(*m_window, "Option4", 1)->isChecked());
    list->setCurrentRow(0);
    QCOMPARE(boxText(*m_window, "txt_totallength"), QStringLiteral("150"));
    QCOMPARE(m_window->document().job().scales[0].parameters.length, std::string("150"));
    QVERIFY(optionButton(*m_window, "Option4", 0)->isChecked());
}

void TestJobWindow::undoAndRedoTakeTheJobsChangesBackAndForth()
{
    trigger("menu_addotherunit");
    trigger("menu_movescaleup");
    trigger("menu_mirror");
    QCOMPARE(listed(*m_window), QStringList({ "Ruler 3.937 in", "Ruler 100 mm" }));
    QVERIFY(m_window->document().job().mirror);
    auto* undo = m_window->findChild<QAction*>(QStringLiteral("menu_undo"));
    auto* redo = m_window->findChild<QAction*>(QStringLiteral("menu_redo"));
    QCOMPARE(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));

    undo->trigger();
    QVERIFY(!m_window->document().job().mirror);
    QVERIFY(!m_window->findChild<QAction*>(QStringLiteral("menu_mirror"))->isChecked());
    undo->trigger();
    QCOMPARE(listed(*m_window), QStringList({ "Ruler 100 mm", "Ruler 3.937 in" }));
    undo->trigger();
    QCOMPARE(listed(*m_window), QStringList({ "Ruler 100 mm" }));
    QVERIFY(!undo->isEnabled());
    QVERIFY(optionButton(*m_window, "Option4", 0)->isChecked());
    redo->trigger();
    redo->trigger();
    QCOMPARE(listed(*m_window), QStringList({ "Ruler 3.937 in", "Ruler 100 mm" }));
    QCOMPARE(m_window->document().selectedIndex(), std::size_t(0));
    QCOMPARE(boxText(*m_window, "txt_dist_stripes"), QStringLiteral("0.0625"));
    trigger("menu_removescale");
    QCOMPARE(listed(*m_window), QStringList({ "Ruler 100 mm" }));
    QVERIFY(!m_window->findChild<QAction*>(QStringLiteral("menu_removescale"))->isEnabled());
}

void TestJobWindow::aNameIsEditedInPlace()
{
    addVernier(10, 9);
    auto* list = m_window->findChild<QListWidget*>(QStringLiteral("scales_list"));
    list->item(1)->setText(QStringLiteral("Nonius"));
    QCOMPARE(m_window->document().job().scales[1].name, std::string("Nonius"));
    QCOMPARE(listed(*m_window), QStringList({ "Ruler 100 mm", "Nonius" }));
    list->item(1)->setText(QString()); // back to the name that follows the scale
    QCOMPARE(m_window->document().job().scales[1].name, std::string());
    QCOMPARE(listed(*m_window), QStringList({ "Ruler 100 mm", "Vernier 10/9" }));
}

// The picture draws the vernier dimmed under the ruler; a click on one of its stripes
// selects it, a drag does not.
void TestJobWindow::aClickOnADimmedScaleSelectsIt()
{
    addVernier(10, 9);
    m_window->findChild<QListWidget*>(QStringLiteral("scales_list"))->setCurrentRow(0);
    click(*m_window, QStringLiteral("Cmd_preview"));
    auto* picture = m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    QVERIFY(picture->drawing());
    const PreviewDrawing& drawing = *picture->drawing();
    QCOMPARE(drawing.others.size(), std::size_t(1));
    const PreviewLine stripe = drawing.others.front().lines.at(5);
    const auto pixelOfStripe = [&] {
        const PixelPoint at = picture->view().toPixel(
            (stripe.from.x + stripe.to.x) / 2, (stripe.from.y + stripe.to.y) / 2);
        return picture->contentsRect().topLeft() + QPoint(int(at.x), int(at.y));
    };
    const QPoint pixel = pixelOfStripe();
    QTest::mousePress(picture, Qt::LeftButton, {}, pixel);
    QTest::mouseMove(picture, pixel + QPoint(30, 0));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, pixel + QPoint(30, 0));
    QCOMPARE(m_window->document().selectedIndex(), std::size_t(0));
    QTest::mouseClick(picture, Qt::LeftButton, {}, pixelOfStripe());
    QCOMPARE(m_window->document().selectedIndex(), std::size_t(1));
    QVERIFY(picture->drawing());
    QCOMPARE(picture->drawing()->selected, std::size_t(1));
}

QTEST_MAIN(TestJobWindow)
#include "test_job_window.moc"
