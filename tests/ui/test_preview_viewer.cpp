#include <cmath>
#include <numbers>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QWheelEvent>

#include "preview/visible_parts.h"
#include "support/window_fixture.h"
#include "ui/main_window.h"
#include "ui/preview_picture.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

// Sends one wheel turn of `steps` notches (negative: towards the user) at a point.
void turnWheel(QWidget* widget, QPointF at, int steps)
{
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

void moveMouse(QWidget* widget, QPointF to, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent event(
        QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestPreviewViewer : public WindowSuite
{
    Q_OBJECT

private slots:

    void wheelZoomsAboutTheCursorInSteps();
    void keysZoomAboutTheMiddleAndHomeResets();
    void leftDragPansAndDoubleClickFitsAll();
    void previewRunReturnsToTheStartingView();
    void cursorTextReadsTheScaleCoordinates_data();
    void cursorTextReadsTheScaleCoordinates();
    void originCrossAndOutOfViewNotice();
    void figuresLineStandsAtTheFoot();
    void travelMovesShowOnlyWhenChosen();
    void viewMenuComesBeforeHelpWithBothOptionsOffAndRemembered();
    void liveUpdateRedrawsAfterAnEditAndShowsRefusals();
    void liveUpdateRunsAtOnceOnAnOptionChange();
    void withoutLiveUpdateEditsLeaveThePictureAlone();
    void eachEditStartsTheLiveUpdatePauseAgain();
    void switchingLiveUpdateOffDropsTheWaitingRun();

private:
    PreviewPicture* picture() const
    {
        return m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    }
    QLineEdit* box(const char* name) const
    {
        return m_window->findChild<QLineEdit*>(QString::fromUtf8(name));
    }
    QAction* action(const char* name) const
    {
        return m_window->findChild<QAction*>(QString::fromUtf8(name));
    }
    // Picture millimetres to widget pixels (the picture has no frame).
    QPointF pixelOf(double mmX, double mmY) const
    {
        return { mmX * picture()->logicalDpiX() / 25.4, mmY * picture()->logicalDpiY() / 25.4 };
    }
    void typeInto(const char* name, const QString& text)
    {
        box(name)->selectAll();
        QTest::keyClicks(box(name), text);
    }
};

void TestPreviewViewer::wheelZoomsAboutTheCursorInSteps()
{
    click(*m_window, "Cmd_preview");
    PreviewPicture* area = picture();
    const QPointF at(150, 90);
    const QPointF centre = at + QPointF(0.5, 0.5); // of the pixel under the pointer
    const double mmX = area->view().mmXAt(centre.x());
    const double mmY = area->view().mmYAt(centre.y());

    turnWheel(area, at, 1);
    QCOMPARE(area->view().zoom(), 1.25);
    QVERIFY(std::fabs(area->view().mmXAt(centre.x()) - mmX) < 1e-9);
    QVERIFY(std::fabs(area->view().mmYAt(centre.y()) - mmY) < 1e-9);
    turnWheel(area, at, -2);
    QCOMPARE(area->view().zoom(), 0.8);
    turnWheel(area, at, -20);
    QCOMPARE(area->view().zoom(), 0.1);
}

void TestPreviewViewer::keysZoomAboutTheMiddleAndHomeResets()
{
    click(*m_window, "Cmd_preview");
    PreviewPicture* area = picture();
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(area->hasFocus());
    const QPointF middle(area->width() / 2.0, area->height() / 2.0);
    const double mmX = area->view().mmXAt(middle.x());

    QTest::keyClick(area, Qt::Key_Plus);
    QCOMPARE(area->view().zoom(), 1.25);
    QVERIFY(std::fabs(area->view().mmXAt(middle.x()) - mmX) < 1e-9);
    QTest::keyClick(area, Qt::Key_Minus);
    QCOMPARE(area->view().zoom(), 1.0);
    QTest::keyClick(area, Qt::Key_Plus);
    QTest::keyClick(area, Qt::Key_Plus);
    QVERIFY(!area->view().isStarting());
    QTest::keyClick(area, Qt::Key_Home);
    QVERIFY(area->view().isStarting());
}

void TestPreviewViewer::leftDragPansAndDoubleClickFitsAll()
{
    click(*m_window, "Cmd_preview");
    PreviewPicture* area = picture();
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(100, 100));
    moveMouse(area, QPointF(120, 95), Qt::LeftButton);
    moveMouse(area, QPointF(130, 90), Qt::LeftButton);
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(130, 90));
    QCOMPARE(area->view().pan(), (PixelPoint { 30, -10 }));
    moveMouse(area, QPointF(200, 200)); // no button: no pan
    QCOMPARE(area->view().pan(), (PixelPoint { 30, -10 }));

    // The double-click fits the whole drawing into the room left for it, filling it across or
    // down; Home still returns to the starting view.
    QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(50, 50));
    const PictureRect bounds = *drawingBounds(*area->drawing());
    const PixelPoint topLeft = area->view().toPixel(bounds.left, bounds.top);
    const PixelPoint bottomRight = area->view().toPixel(bounds.right, bounds.bottom);
    const PixelRect room = area->fitRoom();
    QVERIFY(topLeft.x >= room.left - 1e-6 && topLeft.y >= room.top - 1e-6);
    QVERIFY(bottomRight.x <= room.right + 1e-6 && bottomRight.y <= room.bottom + 1e-6);
    QVERIFY(std::fabs(bottomRight.x - topLeft.x - (room.right - room.left)) < 1e-6
        || std::fabs(bottomRight.y - topLeft.y - (room.bottom - room.top)) < 1e-6);
    QTest::keyClick(area, Qt::Key_Home);
    QVERIFY(area->view().isStarting());
    QCOMPARE(area->view().zoom(), 1.0);
}

void TestPreviewViewer::previewRunReturnsToTheStartingView()
{
    click(*m_window, "Cmd_preview");
    turnWheel(picture(), QPointF(40, 40), 3);
    QVERIFY(!picture()->view().isStarting());
    click(*m_window, "Option2:1");
    QVERIFY(picture()->view().isStarting());
}

// Each row puts the cursor on a point of a stripe, placed by the fit's own sums, and reads it
// back within a pixel.
void TestPreviewViewer::cursorTextReadsTheScaleCoordinates_data()
{
    QTest::addColumn<QStringList>("steps"); // boxes "name=text" and clicks before Preview
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("unit");

    QTest::newRow("ruler, on its 50 mm stripe") << QStringList {} << 50.0 << 5.0 << "mm";
    QTest::newRow("ruler in inch") << QStringList { "Option4:1" } << 50.0 << 5.0 << "inch";
    QTest::newRow("ruler running left")
        << QStringList { "txt_totallength=-100", "txt_dist_stripes=-1" } << -50.0 << 5.0 << "mm";
    QTest::newRow("dial, on its 90 degree stripe")
        << QStringList { "Option3:1", "txt_startx=7", "txt_starty=-3" } << 7.0 << 32.0 << "mm";
}

void TestPreviewViewer::cursorTextReadsTheScaleCoordinates()
{
    QFETCH(QStringList, steps);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, unit);

    for (const QString& step : steps) {
        if (const qsizetype equals = step.indexOf(u'='); equals > 0)
            box(step.left(equals).toUtf8().constData())->setText(step.mid(equals + 1));
        else
            click(*m_window, step);
    }
    click(*m_window, "Cmd_preview");
    PreviewPicture* area = picture();
    const double w = area->drawableWidthMm();
    const double h = area->drawableHeightMm();
    const bool round = steps.contains("Option3:1");
    QPointF at;
    double k = 0; // picture mm per unit of the scale
    if (round) {
        k = (h / 2 - 5) / 40;
        at = pixelOf(w / 2 + k * (x - 7), h / 2 - k * (y + 3));
    } else {
        k = (w - 6) / 100;
        at = pixelOf((x < 0 ? w - 3 : 3) + k * x, h / 2 - k * y);
    }
    QVERIFY(area->cursorText().isEmpty());
    moveMouse(area, at.toPoint());

    static const QRegularExpression reading(QStringLiteral(
        "^X (-?[0-9.]+)  Y (-?[0-9.]+) (mm|inch)(?:\\n([0-9.]+)°  R ([0-9.]+) \\3)?$"));
    const auto match = reading.match(area->cursorText());
    QVERIFY2(match.hasMatch(), qPrintable(area->cursorText()));
    const double pixel = 25.4 / area->logicalDpiX() / k;
    QVERIFY2(std::fabs(match.captured(1).toDouble() - x) <= pixel, qPrintable(match.captured(0)));
    QVERIFY2(std::fabs(match.captured(2).toDouble() - y) <= pixel, qPrintable(match.captured(0)));
    QCOMPARE(match.captured(3), unit);
    QCOMPARE(match.captured(4).isEmpty(), !round);
    if (round) {
        QVERIFY(std::fabs(match.captured(4).toDouble() - 90) < 0.5);
        QVERIFY(std::fabs(match.captured(5).toDouble() - 35) <= pixel);
    }

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(area, &leave);
    QVERIFY(area->cursorText().isEmpty());
}

void TestPreviewViewer::originCrossAndOutOfViewNotice()
{
    click(*m_window, "Cmd_preview");
    PreviewPicture* area = picture();
    // A cross of two 9-pixel arms about X 0 Y 0 (the first stripe rises over its upper arm).
    const QPoint origin = pixelOf(3, area->drawableHeightMm() / 2).toPoint();
    const QImage around = area->grab(QRect(origin - QPoint(6, 6), QSize(13, 13))).toImage();
    QVERIFY(pixelsOf(around, previewOriginColour()) >= 12);
    QVERIFY(area->notice().isEmpty());

    // Start X 200 puts a 100 mm ruler wholly beyond the right edge; zooming out finds it.
    box("txt_startx")->setText("200");
    click(*m_window, "Cmd_preview");
    QCOMPARE(
        area->notice(), QStringLiteral("The scale lies outside the picture: zoom out to find it."));
    turnWheel(area, QPointF(0, area->height() / 2.0), -10);
    QVERIFY(area->notice().isEmpty());
}

void TestPreviewViewer::figuresLineStandsAtTheFoot()
{
    click(*m_window, "Cmd_preview");
    PreviewPicture* area = picture();
    const QRect foot(0, area->height() - 20, area->width(), 20);
    const auto marked = [&] {
        const QImage image = area->grab(foot).toImage();
        return image.width() * image.height() - pixelsOf(image, previewBackground());
    };
    QVERIFY(marked() > 20); // the preview's own figures
    area->setFiguresLine(QString());
    QCOMPARE(marked(), 0);
    area->setFiguresLine(QStringLiteral("101 stripes, 404 moves"));
    QVERIFY(marked() > 20);
}

void TestPreviewViewer::travelMovesShowOnlyWhenChosen()
{
    click(*m_window, "Cmd_preview");
    PreviewPicture* area = picture();
    // 101 stripes: a travel from each stripe's top to the next stripe's foot.
    QCOMPARE(area->drawing()->travel.size(), std::size_t(100));
    QCOMPARE(pixelsOf(area->grab().toImage(), previewTravelColour()), 0);
    action("menu_showtravel")->trigger();
    QVERIFY(pixelsOf(area->grab().toImage(), previewTravelColour()) > 100);
}

// Alt+V opens it; Help comes after it. The two options come first, then Preview (F5) and
// Fit all (F).
void TestPreviewViewer::viewMenuComesBeforeHelpWithBothOptionsOffAndRemembered()
{
    auto* view = m_window->findChild<QMenu*>(QStringLiteral("menu_view"));
    QVERIFY(view);
    const QList<QAction*> menus = m_window->menuBar()->actions();
    QCOMPARE(menus.size(), 6);
    QCOMPARE(menus[4], view->menuAction());
    QCOMPARE(menus[5]->menu()->objectName(), QStringLiteral("menu_help"));
    QCOMPARE(view->title(), QStringLiteral("&View"));
    const QList<QAction*> items = view->actions();
    QCOMPARE(items.size(), 7); // and, after a separator, the Scales panel
    QCOMPARE(items[0]->text(), QStringLiteral("Show travel moves"));
    QCOMPARE(items[1]->text(), QStringLiteral("Update preview while typing"));
    for (const QAction* item : items.first(2)) {
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
    }
    QVERIFY(items[2]->isSeparator());
    QCOMPARE(items[3]->text(), QStringLiteral("Preview"));
    QCOMPARE(items[3]->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(items[4]->text(), QStringLiteral("Fit all"));
    QCOMPARE(items[4]->shortcut(), QKeySequence(Qt::Key_F));

    items[0]->trigger();
    items[1]->trigger();
    m_window = std::make_unique<MainWindow>();
    QVERIFY(action("menu_showtravel")->isChecked());
    QVERIFY(action("menu_livepreview")->isChecked());
    QVERIFY(picture()->showsTravel());

    action("menu_livepreview")->trigger();
    m_window = std::make_unique<MainWindow>();
    QVERIFY(action("menu_showtravel")->isChecked());
    QVERIFY(!action("menu_livepreview")->isChecked());
}

void TestPreviewViewer::liveUpdateRedrawsAfterAnEditAndShowsRefusals()
{
    action("menu_livepreview")->trigger();
    PreviewPicture* area = picture();
    typeInto("txt_totallength", "50");
    QVERIFY(!area->drawing()); // not at once: after the pause
    QTRY_VERIFY(area->drawing());
    QCOMPARE(area->drawing()->stripes.size(), std::size_t(51));

    typeInto("txt_dist_stripes", "0");
    QTRY_COMPARE(area->message(), QStringLiteral("Distance between stripes must not be 0."));
    QVERIFY(!area->drawing());
    typeInto("txt_dist_stripes", "2");
    QTRY_VERIFY(area->drawing());
    QCOMPARE(area->drawing()->stripes.size(), std::size_t(26));
    QVERIFY(area->message().isEmpty());
}

void TestPreviewViewer::liveUpdateRunsAtOnceOnAnOptionChange()
{
    action("menu_livepreview")->trigger();
    click(*m_window, "Option3:1");
    QVERIFY(picture()->drawing());
    QVERIFY(picture()->drawing()->centre);
    click(*m_window, "Option4:1");
    QCOMPARE(picture()->drawing()->unit, Unit::Inch);
}

void TestPreviewViewer::withoutLiveUpdateEditsLeaveThePictureAlone()
{
    click(*m_window, "Cmd_preview");
    typeInto("txt_totallength", "50");
    click(*m_window, "Option3:1");
    QTest::qWait(400);
    QCOMPARE(picture()->drawing()->stripes.size(), std::size_t(101));
    QVERIFY(!picture()->drawing()->centre);
}

// The pause is 250 ms: two edits 150 ms apart, and 150 ms after the second nothing has run yet.
void TestPreviewViewer::eachEditStartsTheLiveUpdatePauseAgain()
{
    action("menu_livepreview")->trigger();
    typeInto("txt_totallength", "5");
    QTest::qWait(150);
    QTest::keyClicks(box("txt_totallength"), "0");
    QTest::qWait(150);
    QVERIFY(!picture()->drawing());
    QTRY_VERIFY(picture()->drawing());
    QCOMPARE(picture()->drawing()->stripes.size(), std::size_t(51));
}

void TestPreviewViewer::switchingLiveUpdateOffDropsTheWaitingRun()
{
    action("menu_livepreview")->trigger();
    typeInto("txt_totallength", "50");
    action("menu_livepreview")->trigger();
    QTest::qWait(400);
    QVERIFY(!picture()->drawing());
}

QTEST_MAIN(TestPreviewViewer)
#include "test_preview_viewer.moc"
