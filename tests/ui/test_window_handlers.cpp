#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/main_window.h"
#include "ui/preview_picture.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

// Counts the paint events of one widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestWindowHandlers : public WindowSuite
{
    Q_OBJECT

private slots:
    void shapeAndUnitClicksSwitchCaptionsAndRows_data();
    void shapeAndUnitClicksSwitchCaptionsAndRows();
    void plotBoxSwitchesTheSaveCaption();
    void previewRunsOnPreviewBaselineAndStripePositionOnly_data();
    void previewRunsOnPreviewBaselineAndStripePositionOnly();
    void previewDrawsTheScaleAndKeepsItsSequence();
    void refusedPreviewShowsTheReasonInsideThePicture();
    void packageBoxTakesOnlyTypedStripeKinds_data();
    void packageBoxTakesOnlyTypedStripeKinds();
    void packageBoxKeysThatTypeNothingKeepTheirEffect();
    void packageBoxPasteFromTheContextMenuIsNotFiltered();

private:
    QString caption(const char* name) const
    {
        return m_window->findChild<QLabel*>(QString::fromUtf8(name))->text();
    }
    bool shown(const char* name) const
    {
        return m_window->findChild<QWidget*>(QString::fromUtf8(name))->isVisible();
    }
    QLineEdit* packageBox() const { return m_window->findChild<QLineEdit*>("Text6"); }
};

void TestWindowHandlers::shapeAndUnitClicksSwitchCaptionsAndRows_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("angleOrLengthUnit"); // Label9, Label10
    QTest::addColumn<QString>("lengthUnit"); // stripe lengths, start, depth, radius
    QTest::addColumn<bool>("round"); // round rows shown, "Centre X" and "Centre Y"

    const auto row = [](const char* name, QStringList clicks, const char* angleOrLength,
                         const char* unit, bool round) {
        QTest::newRow(name) << clicks << QString::fromUtf8(angleOrLength) << QString::fromUtf8(unit)
                            << round;
    };
    const QString round = "Option3:1", flat = "Option3:0", mm = "Option4:0", inch = "Option4:1";
    row("just opened", {}, "mm", "mm", false);
    row("Round", { round }, "Grd", "mm", true);
    row("Flat right after start", { flat }, "mm", "mm", false);
    row("Inch", { inch }, "inch", "inch", false);
    row("Round then Inch", { round, inch }, "Grd", "inch", true);
    row("Round, Inch, Flat", { round, inch, flat }, "inch", "inch", false);
    row("Inch, Round, Flat", { inch, round, flat }, "inch", "inch", false);
    row("Inch then MM", { inch, mm }, "mm", "mm", false);
    row("Round, Inch, MM, Flat", { round, inch, mm, flat }, "mm", "mm", false);
    row("Round clicked twice", { round, round }, "Grd", "mm", true);
}

void TestWindowHandlers::shapeAndUnitClicksSwitchCaptionsAndRows()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, angleOrLengthUnit);
    QFETCH(QString, lengthUnit);
    QFETCH(bool, round);

    for (const QString& step : clicks)
        click(*m_window, step);

    for (const char* name : { "Label9", "Label10" })
        QCOMPARE(caption(name), angleOrLengthUnit);
    for (const char* name : { "Label3", "Label4", "Label5", "Label16", "Label15", "Label14" })
        QCOMPARE(caption(name), "Length in " + lengthUnit);
    for (const char* name : { "Label17", "Label19", "Label21", "Label25" })
        QCOMPARE(caption(name), lengthUnit); // Label25 follows the unit while hidden too
    QCOMPARE(caption("Label20"), round ? QStringLiteral("Centre X") : QStringLiteral("Start X"));
    QCOMPARE(caption("Label18"), round ? QStringLiteral("Centre Y") : QStringLiteral("Start Y"));
    for (const char* name :
        { "Label27", "Label26", "Txt_start_angle", "Txt_radius", "Label24", "Label25" })
        QCOMPARE(shown(name), round);
    // The angle row is read by no command and stays hidden whatever the shape.
    for (const char* name : { "Label28", "Txt_angle", "Label29" })
        QVERIFY2(!shown(name), name);
    QCOMPARE(caption("Label26"), QStringLiteral("Grd"));
}

void TestWindowHandlers::plotBoxSwitchesTheSaveCaption()
{
    const QAction* save = m_window->findChild<QAction*>(QStringLiteral("menu_savegcode"));
    click(*m_window, QStringLiteral("Chk_plt"));
    QCOMPARE(save->text(), QStringLiteral("Save Plt File"));
    click(*m_window, QStringLiteral("Chk_plt"));
    QCOMPARE(save->text(), QStringLiteral("Save G-Code"));
}

void TestWindowHandlers::previewRunsOnPreviewBaselineAndStripePositionOnly_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("redraws");

    QTest::newRow("Preview button") << "Cmd_preview" << true;
    QTest::newRow("Single Base Line") << "Option1:1" << true;
    QTest::newRow("No Base Line, already chosen") << "Option1:0" << true;
    QTest::newRow("Midway") << "Option2:1" << true;
    QTest::newRow("Under Baseline") << "Option2:2" << true;
    QTest::newRow("Round") << "Option3:1" << false;
    QTest::newRow("Inch") << "Option4:1" << false;
    QTest::newRow("plot box") << "Chk_plt" << false;
}

void TestWindowHandlers::previewRunsOnPreviewBaselineAndStripePositionOnly()
{
    QFETCH(QString, step);
    QFETCH(bool, redraws);

    PaintCounter paints(m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1")));
    QCoreApplication::processEvents();
    paints.count = 0;
    click(*m_window, step);
    if (redraws) {
        QTRY_VERIFY(paints.count > 0);
    } else {
        QTest::qWait(100);
        QCOMPARE(paints.count, 0);
    }
}

void TestWindowHandlers::previewDrawsTheScaleAndKeepsItsSequence()
{
    auto* picture = m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    QVERIFY(!picture->drawing());
    click(*m_window, "Option1:1"); // Single Base Line draws at once
    QVERIFY(picture->drawing());
    QCOMPARE(picture->drawing()->stripes.size(), std::size_t(101));
    QVERIFY(picture->drawing()->baseLine);
    const QString sequence = m_window->findChild<QLineEdit*>(QStringLiteral("Text7"))->text();
    QCOMPARE(sequence.size(), 101);
    QVERIFY(sequence.startsWith(QStringLiteral("13333233331")));

    click(*m_window, "Option3:1"); // Round: captions only, the flat picture stays
    QVERIFY(!picture->drawing()->baseArc);
    click(*m_window, "Cmd_preview");
    QVERIFY(picture->drawing()->baseArc);
}

void TestWindowHandlers::refusedPreviewShowsTheReasonInsideThePicture()
{
    ModalWatchdog watchdog;
    auto* picture = m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    click(*m_window, "Cmd_preview");
    QVERIFY(picture->drawing());
    m_window->findChild<QLineEdit*>(QStringLiteral("txt_dist_stripes"))->setText("0");
    click(*m_window, "Option2:1");
    QVERIFY(!picture->drawing());
    QCOMPARE(picture->message(), QStringLiteral("Distance between stripes must not be 0."));
    QTest::qWait(100);
    QVERIFY(watchdog.seen().isEmpty());
}

void TestWindowHandlers::packageBoxTakesOnlyTypedStripeKinds_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("expected");

    const QString start = "1333323333";
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("1 is typed") << int(Qt::Key_1) << none << start + "1";
    QTest::newRow("5 is typed") << int(Qt::Key_5) << none << start + "5";
    QTest::newRow("6 is typed") << int(Qt::Key_6) << none << start + "6";
    QTest::newRow("keypad 4 is typed")
        << int(Qt::Key_4) << Qt::KeyboardModifiers(Qt::KeypadModifier) << start + "4";
    QTest::newRow("0 is dropped") << int(Qt::Key_0) << none << start;
    QTest::newRow("7 is dropped") << int(Qt::Key_7) << none << start;
    QTest::newRow("9 is dropped") << int(Qt::Key_9) << none << start;
    QTest::newRow("letter is dropped") << int(Qt::Key_A) << none << start;
    QTest::newRow("blank is dropped") << int(Qt::Key_Space) << none << start;
    QTest::newRow("! is dropped") << int(Qt::Key_Exclam) << none << start;
    QTest::newRow("Backspace is dropped") << int(Qt::Key_Backspace) << none << start;
    QTest::newRow("Ctrl+V pastes nothing")
        << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << start;
    QTest::newRow("Ctrl+X cuts nothing")
        << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::ControlModifier) << start;
}

void TestWindowHandlers::packageBoxTakesOnlyTypedStripeKinds()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, expected);

    QGuiApplication::clipboard()->setText(QStringLiteral("12"));
    QLineEdit* box = packageBox();
    box->setFocus();
    box->end(false);
    if (key == Qt::Key_X)
        box->setSelection(0, 2); // something to cut
    QTest::keyClick(box, Qt::Key(key), modifiers);
    QCOMPARE(box->text(), expected);
}

void TestWindowHandlers::packageBoxKeysThatTypeNothingKeepTheirEffect()
{
    QLineEdit* box = packageBox();
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QStringLiteral("333323333"));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QStringLiteral("33332333"));
    QTest::keyClicks(box, QStringLiteral("2x8 6"));
    QCOMPARE(box->text(), QStringLiteral("3333233263"));
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QStringLiteral("333233263"));
}

void TestWindowHandlers::packageBoxPasteFromTheContextMenuIsNotFiltered()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("7 a"));
    QLineEdit* box = packageBox();
    box->end(false);
    box->paste(); // what the context menu's Paste does
    QCOMPARE(box->text(), QStringLiteral("13333233337 a"));
}

QTEST_MAIN(TestWindowHandlers)
#include "test_window_handlers.moc"
