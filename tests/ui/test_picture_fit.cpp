#include <cmath>

#include <QAction>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "preview/visible_parts.h"
#include "support/window_fixture.h"
#include "ui/preview_picture.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

bool inside(PixelPoint point, const PixelRect& room)
{
    constexpr double slack = 1e-6;
    return point.x >= room.left - slack && point.x <= room.right + slack
        && point.y >= room.top - slack && point.y <= room.bottom + slack;
}

} // namespace

class TestPictureFit : public WindowSuite
{
    Q_OBJECT

private slots:
    void numberedScaleStartsWholeAboveTheFiguresLine_data();
    void numberedScaleStartsWholeAboveTheFiguresLine();
    void scaleWithoutNumbersStartsAsTheRunFittedIt();
    void fitAllBringsBackMarksThatRunOffTheTop();
    void typingInABoxLeavesTheFitAlone();
    void changesAfterAPreviewDimThePictureUntilTheNextPreview();

private:
    void prepare() override { m_window->activateWindow(); }
    PreviewPicture* picture() const
    {
        return m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    }
    QAction* action(const char* name) const
    {
        return m_window->findChild<QAction*>(QString::fromUtf8(name));
    }
    // Every point of the scale (stripes, baseline, numbers) as the view shows it, in the room.
    void checkAllInside(const PixelRect& room) const
    {
        const PreviewDrawing& drawing = *picture()->drawing();
        const PreviewView& view = picture()->view();
        for (const PreviewLine& line : drawing.stripes) {
            QVERIFY(inside(view.toPixel(line.from), room));
            QVERIFY(inside(view.toPixel(line.to), room));
        }
        for (const PreviewStroke& stroke : drawing.numberStrokes)
            for (const PreviewPoint& point : stroke)
                QVERIFY(inside(view.toPixel(point), room));
    }
};

void TestPictureFit::numberedScaleStartsWholeAboveTheFiguresLine_data()
{
    QTest::addColumn<QString>("scale");
    QTest::newRow("ruler 150 mm") << "template_ruler-150mm";
    QTest::newRow("dial 360") << "template_dial-360"; // its lowest numbers by the figures
}

// File, New from template: every number stroke lies inside the picture, with the margin,
// above the band of the figures line; Home comes back to just that.
void TestPictureFit::numberedScaleStartsWholeAboveTheFiguresLine()
{
    QFETCH(QString, scale);
    m_window->findChild<QAction*>(scale)->trigger();
    PreviewPicture* area = picture();
    QVERIFY(area->drawing());
    QVERIFY(!area->drawing()->numberStrokes.empty());
    QVERIFY(!area->figuresLine().isEmpty());
    const PixelRect room = area->fitRoom();
    const double band = QFontMetricsF(area->font()).height();
    QVERIFY(room.top > 0 && room.left > 0 && room.right < area->width());
    QVERIFY(room.bottom < area->height() - band);
    checkAllInside(room);

    const PictureRect bounds = *drawingBounds(*area->drawing());
    const double widthPx = area->view().pixelsPerMmX() * (bounds.right - bounds.left);
    const double heightPx = area->view().pixelsPerMmY() * (bounds.bottom - bounds.top);
    QVERIFY(std::fabs(widthPx - (room.right - room.left)) < 1e-6
        || std::fabs(heightPx - (room.bottom - room.top)) < 1e-6);
    QVERIFY(area->view().isStarting());

    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::keyClick(area, Qt::Key_Plus);
    QVERIFY(!area->view().isStarting());
    QTest::keyClick(area, Qt::Key_Home);
    QVERIFY(area->view().isStarting());
    checkAllInside(room);
}

void TestPictureFit::scaleWithoutNumbersStartsAsTheRunFittedIt()
{
    click(*m_window, "Cmd_preview");
    QVERIFY(picture()->drawing()->numberStrokes.empty());
    QCOMPARE(picture()->view().zoom(), 1.0);
    QCOMPARE(picture()->view().pan(), (PixelPoint {}));
}

// A 12 mm ruler's 10 mm marks run off the top of the starting picture; F and View, Fit all
// show them whole.
void TestPictureFit::fitAllBringsBackMarksThatRunOffTheTop()
{
    follow(*m_window, { "txt_totallength=12", "Cmd_preview" });
    PreviewPicture* area = picture();
    const PreviewView& view = area->view();
    const auto topOf = [&] {
        double top = area->height();
        for (const PreviewLine& line : area->drawing()->stripes)
            top = std::fmin(top, std::fmin(view.toPixel(line.from).y, view.toPixel(line.to).y));
        return top;
    };
    QVERIFY(topOf() < 0);
    QTest::keyClick(m_window.get(), Qt::Key_F);
    checkAllInside(area->fitRoom());
    QVERIFY(topOf() >= area->fitRoom().top - 1e-6);

    QTest::keyClick(area, Qt::Key_Home);
    QVERIFY(topOf() < 0);
    action("menu_fitall")->trigger();
    checkAllInside(area->fitRoom());
}

void TestPictureFit::typingInABoxLeavesTheFitAlone()
{
    click(*m_window, "Cmd_preview");
    auto* length = m_window->findChild<QLineEdit*>(QStringLiteral("txt_totallength"));
    length->setFocus();
    QTest::keyClick(length, Qt::Key_F);
    QVERIFY(picture()->view().isStarting());
    QCOMPARE(length->text(), QStringLiteral("100f"));
}

// Typing, Round or the plot box after a preview: the old picture stays, dimmed, with the
// notice; F5 draws the boxes and takes the dimming away.
void TestPictureFit::changesAfterAPreviewDimThePictureUntilTheNextPreview()
{
    PreviewPicture* area = picture();
    auto* length = m_window->findChild<QLineEdit*>(QStringLiteral("txt_totallength"));
    QTest::keyClicks(length, QStringLiteral("5"));
    QVERIFY(!area->isStale()); // an empty picture has nothing to dim
    length->setText(QStringLiteral("100"));

    click(*m_window, "Cmd_preview");
    const int clear = pixelsOf(area->grab().toImage(), previewBackground());
    QTest::keyClicks(length, QStringLiteral("0"));
    QVERIFY(area->isStale());
    QCOMPARE(PreviewPicture::staleNotice(),
        QStringLiteral("The boxes have changed: Preview (F5) draws them"));
    // Only the notice's own patch keeps the background colour.
    const QImage dimmed = area->grab().toImage();
    QVERIFY(pixelsOf(dimmed, previewBackground()) < clear / 4);
    QVERIFY(dimmed.pixelColor(2, 2).lightness() < previewBackground().lightness());
    QVERIFY(area->drawing()); // the old drawing stays beneath

    QTest::keyClick(m_window.get(), Qt::Key_F5);
    QVERIFY(!area->isStale());
    QCOMPARE(area->drawing()->stripes.size(), std::size_t(1001));
    QVERIFY(pixelsOf(area->grab().toImage(), previewBackground()) > clear / 2);

    for (const char* change : { "Option3:1", "Option4:1", "Chk_plt" }) {
        click(*m_window, "Cmd_preview");
        click(*m_window, change);
        QVERIFY2(area->isStale(), change);
    }
    click(*m_window, "Option1:1"); // the baseline group previews at once
    QVERIFY(!area->isStale());
}

QTEST_MAIN(TestPictureFit)
#include "test_picture_fit.moc"
