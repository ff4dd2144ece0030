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

// How the picture's millimetres land on the screen. The starting view is the fitted drawing
// as the run made it: picture millimetre (0, 0) at pixel (0, 0), `pixelsPerMmX` by
// `pixelsPerMmY` pixels to the millimetre. Zoom and pan move the view from there:
// pixel = pan + zoom × pixels per millimetre × picture millimetres.
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
    bool isStarting() const { return m_zoom == 1 && m_pan == PixelPoint {}; }

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
};

} // namespace mensora
