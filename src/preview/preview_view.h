#pragma once

#include <optional>

#include "preview/preview_renderer.h"

namespace mensora {

// A point on the screen, in pixels from the top-left corner of the picture area.
struct PixelPoint
{
    double x = 0;
    double y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A rectangle of the screen, in pixels.
struct PixelRect
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// A rectangle of the picture, in millimetres from its top-left corner, y downwards.
struct PictureRect
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// How the picture's millimetres land on the screen. The starting view is the fitted drawing
// as the run made it: picture millimetre (0, 0) at pixel (0, 0), `pixelsPerMmX` by
// `pixelsPerMmY` pixels to the millimetre. Zoom and pan move the view from there:
// pixel = pan + zoom × pixels per millimetre × picture millimetres. The view that reset()
// returns to is the starting one unless keepAsStart() chose another.
class PreviewView
{
public:
    // The zoom stays within a tenth and a thousand times the starting view.
    static constexpr double minZoom = 0.1;
    static constexpr double maxZoom = 1000;

    PreviewView() = default;
    PreviewView(double pixelsPerMmX, double pixelsPerMmY, double widthPx, double heightPx);

    double zoom() const { return m_zoom; }
    PixelPoint pan() const { return m_pan; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    bool isStarting() const { return m_zoom == m_startZoom && m_pan == m_startPan; }

    // The area's size in pixels, when the widget is resized; zoom and pan stay.
    void resize(double widthPx, double heightPx);

    // Multiplies the zoom by `factor`, kept within the limits, so that the picture point under
    // `fixed` stays there.
    void zoomAbout(PixelPoint fixed, double factor);
    // The same about the middle of the area.
    void zoomAboutCentre(double factor);
    void panBy(double dx, double dy);
    // Back to the starting view.
    void reset();
    // Zooms and pans so that `bounds` shows whole, centred in `room`: the largest zoom within
    // the limits at which it fits. A rectangle without width and height is only centred.
    void fit(const PictureRect& bounds, const PixelRect& room);
    // Makes the zoom and pan as they stand the view that reset() returns to.
    void keepAsStart();

    // Picture millimetres to pixels and back.
    PixelPoint toPixel(double mmX, double mmY) const;
    PixelPoint toPixel(const PreviewPoint& point) const;
    double mmXAt(double pixelX) const;
    double mmYAt(double pixelY) const;
    // Pixels to the millimetre at this zoom, across and down.
    double pixelsPerMmX() const { return m_zoom * m_pixelsPerMmX; }
    double pixelsPerMmY() const { return m_zoom * m_pixelsPerMmY; }

    // The scale's own coordinates to pixels and back, through the run's frame; none back when
    // the frame has no scale (a scale without stripes).
    PixelPoint toPixel(const PreviewFrame& frame, const ScalePoint& point) const;
    std::optional<ScalePoint> toScale(const PreviewFrame& frame, PixelPoint pixel) const;

private:
    double m_pixelsPerMmX = 1;
    double m_pixelsPerMmY = 1;
    double m_width = 0;
    double m_height = 0;
    double m_zoom = 1;
    PixelPoint m_pan;
    double m_startZoom = 1;
    PixelPoint m_startPan;
};

} // namespace mensora
