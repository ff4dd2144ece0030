#include <cmath>
#include <numbers>

#include <QImage>
#include <QTest>

#include "files/installed_fonts.h"
#include "model/scale_parameters.h"
#include "preview/preview_renderer.h"
#include "ui/preview_picture.h"

using namespace mensora;

namespace {

// The picture as it stands, one image pixel per widget pixel.
QImage rendered(PreviewPicture& picture)
{
    QImage image(picture.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    picture.render(&image);
    return image;
}

// Whether a foreground pixel lies within one pixel of the point.
bool drawnNear(const QImage& image, QPointF pixel)
{
    const QRgb yellow = previewForeground().rgb();
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint at(int(std::floor(pixel.x())) + dx, int(std::floor(pixel.y())) + dy);
            if (image.rect().contains(at) && image.pixel(at) == yellow)
                return true;
        }
    return false;
}

// Pixels that are not background (text is drawn smoothed, so not all of it is pure yellow).
int markedPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) != previewBackground().rgb();
    return count;
}

} // namespace

class TestPreviewPicture : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void drawableSizeIsTheWidgetInMillimetres();
    void flatStripesAndBaselineLandWhereTheGeometrySays();
    void roundArcRunsCounterClockwiseFromTheStartAngle();
    void refusedRunClearsAndShowsTheReason();
    void clearEmptiesTheArea();
    void farOutGeometryPaintsWithoutTrouble();

private:
    // Millimetres of the picture to image pixels.
    QPointF pixelOf(double x, double y) const
    {
        return { x * m_picture->logicalDpiX() / 25.4, y * m_picture->logicalDpiY() / 25.4 };
    }
    Result<PreviewDrawing> run(const ScaleParameters& parameters) const
    {
        return renderPreview(parameters, m_picture->drawableWidthMm(),
            m_picture->drawableHeightMm(), installedFonts());
    }

    std::unique_ptr<PreviewPicture> m_picture;
};

void TestPreviewPicture::init()
{
    // Picture1's size: 6372 x 4335 twips.
    m_picture = std::make_unique<PreviewPicture>();
    m_picture->resize(425, 289);
}

void TestPreviewPicture::drawableSizeIsTheWidgetInMillimetres()
{
    QCOMPARE(m_picture->drawableWidthMm(), float(425 * 25.4 / m_picture->logicalDpiX()));
    QCOMPARE(m_picture->drawableHeightMm(), float(289 * 25.4 / m_picture->logicalDpiY()));
}

void TestPreviewPicture::flatStripesAndBaselineLandWhereTheGeometrySays()
{
    const double w = m_picture->drawableWidthMm();
    const double h = m_picture->drawableHeightMm();
    const double k = (w - 6) / 100;
    ScaleParameters p;
    m_picture->showPreview(run(p));
    QImage image = rendered(*m_picture);

    // Stripe 0 (kind 1, 10 long) stands on the mid-line 3 from the left edge.
    QVERIFY(drawnNear(image, pixelOf(3, h / 2 - 1)));
    QVERIFY(drawnNear(image, pixelOf(3, h / 2 - 9 * k)));
    QVERIFY(!drawnNear(image, pixelOf(3, h / 2 - 11 * k)));
    // Stripe 5 (kind 2) ends at 5k; no baseline between stripes 50 and 51.
    QVERIFY(drawnNear(image, pixelOf(3 + 5 * k, h / 2 - 4 * k)));
    QVERIFY(!drawnNear(image, pixelOf(3 + 5 * k, h / 2 - 6 * k)));
    QVERIFY(!drawnNear(image, pixelOf(3 + 50.5 * k, h / 2)));
    QCOMPARE(image.pixel(pixelOf(w / 2, h / 4).toPoint()), previewBackground().rgb());

    p.baseline = Baseline::Single;
    m_picture->showPreview(run(p));
    image = rendered(*m_picture);
    QVERIFY(drawnNear(image, pixelOf(3 + 50.5 * k, h / 2)));
}

void TestPreviewPicture::roundArcRunsCounterClockwiseFromTheStartAngle()
{
    const double w = m_picture->drawableWidthMm();
    const double h = m_picture->drawableHeightMm();
    const double k = (h / 2 - 5) / 40;
    const auto onScreen = [&](double radius, double degrees) {
        const double a = degrees * std::numbers::pi / 180;
        // Angles grow towards the top of the screen.
        return pixelOf(w / 2 + k * radius * std::cos(a), h / 2 - k * radius * std::sin(a));
    };
    // Stripes every 10 degrees from 0 to 100, with room for the arc between them.
    ScaleParameters p;
    p.shape = Shape::Round;
    p.distance = "10";
    p.baseline = Baseline::Single;
    m_picture->showPreview(run(p));
    const QImage image = rendered(*m_picture);

    QVERIFY(drawnNear(image, onScreen(30, 3)));
    QVERIFY(drawnNear(image, onScreen(30, 55)));
    QVERIFY(drawnNear(image, onScreen(30, 97)));
    QVERIFY(!drawnNear(image, onScreen(30, -5)));
    QVERIFY(!drawnNear(image, onScreen(30, 105)));
    QVERIFY(!drawnNear(image, onScreen(30, 200)));
    // Stripe 5 (kind 2) at 50 degrees reaches from the circle to 35.
    QVERIFY(drawnNear(image, onScreen(33, 50)));
    QVERIFY(!drawnNear(image, onScreen(37, 50)));
}

void TestPreviewPicture::refusedRunClearsAndShowsTheReason()
{
    ScaleParameters p;
    m_picture->showPreview(run(p));
    p.distance = "0";
    m_picture->showPreview(run(p));

    QVERIFY(!m_picture->drawing());
    QCOMPARE(m_picture->message(), QString("Distance between stripes must not be 0."));
    const QImage image = rendered(*m_picture);
    // One line of text at the top, nothing of the earlier scale below it.
    QVERIFY(markedPixels(image, QRect(0, 0, image.width(), 30)) > 20);
    QCOMPARE(markedPixels(image, QRect(0, 30, image.width(), image.height() - 30)), 0);
}

void TestPreviewPicture::clearEmptiesTheArea()
{
    m_picture->showPreview(run(ScaleParameters {}));
    m_picture->clear();
    QVERIFY(!m_picture->drawing());
    QVERIFY(m_picture->message().isEmpty());
    QCOMPARE(markedPixels(rendered(*m_picture), m_picture->rect()), 0);
}

void TestPreviewPicture::farOutGeometryPaintsWithoutTrouble()
{
    const float big = 3e38f;
    const float cx = m_picture->drawableWidthMm() / 2;
    const float cy = m_picture->drawableHeightMm() / 2;
    PreviewDrawing drawing;
    drawing.stripes.push_back({ { -big, 10 }, { big, 10 } });
    drawing.stripes.push_back({ { cx, -big }, { cx, big } });
    drawing.baseArc = PreviewArc { { cx, cy }, big, 0, 1 };
    m_picture->showPreview(drawing);
    QImage image = rendered(*m_picture);
    QVERIFY(drawnNear(image, pixelOf(cx, 10)));

    // A huge circle that does pass through the area.
    drawing.stripes.clear();
    drawing.baseArc = PreviewArc { { cx, cy + 1e6f }, 1e6f, 0, 4 };
    m_picture->showPreview(drawing);
    image = rendered(*m_picture);
    QVERIFY(drawnNear(image, pixelOf(cx, cy)));
}

QTEST_MAIN(TestPreviewPicture)
#include "test_preview_picture.moc"
