#include "preview/preview_view.h"

#include <algorithm>

namespace mensora {

PreviewView::PreviewView(double pixelsPerMmX, double pixelsPerMmY, double widthPx, double heightPx)
    : m_pixelsPerMmX(pixelsPerMmX)
    , m_pixelsPerMmY(pixelsPerMmY)
    , m_width(widthPx)
    , m_height(heightPx)
{ }

void PreviewView::resize(double widthPx, double heightPx)
{
    m_width = widthPx;
    m_height = heightPx;
}

void PreviewView::zoomAbout(PixelPoint fixed, double factor)
{
    const double zoom = std::clamp(m_zoom * factor, minZoom, maxZoom);
    const double applied = zoom / m_zoom;
    m_pan.x = fixed.x - (fixed.x - m_pan.x) * applied;
    m_pan.y = fixed.y - (fixed.y - m_pan.y) * applied;
    m_zoom = zoom;
}

void PreviewView::zoomAboutCentre(double factor)
{
    zoomAbout({ m_width / 2, m_height / 2 }, factor);
}

void PreviewView::panBy(double dx, double dy)
{
    m_pan.x += dx;
    m_pan.y += dy;
}

void PreviewView::reset()
{
    m_zoom = m_startZoom;
    m_pan = m_startPan;
}

void PreviewView::fit(const PictureRect& bounds, const PixelRect& room)
{
    const double widthPx = (bounds.right - bounds.left) * m_pixelsPerMmX;
    const double heightPx = (bounds.bottom - bounds.top) * m_pixelsPerMmY;
    const double roomWidth = std::max(room.right - room.left, 1.0);
    const double roomHeight = std::max(room.bottom - room.top, 1.0);
    double zoom = m_zoom;
    if (widthPx > 0 || heightPx > 0) {
        const double across = widthPx > 0 ? roomWidth / widthPx : maxZoom;
        const double down = heightPx > 0 ? roomHeight / heightPx : maxZoom;
        zoom = std::min(across, down);
    }
    m_zoom = std::clamp(zoom, minZoom, maxZoom);
    // The middle of the bounds lands on the middle of the room.
    const double middleX = (bounds.left + bounds.right) / 2;
    const double middleY = (bounds.top + bounds.bottom) / 2;
    m_pan.x = (room.left + room.right) / 2 - pixelsPerMmX() * middleX;
    m_pan.y = (room.top + room.bottom) / 2 - pixelsPerMmY() * middleY;
}

void PreviewView::keepAsStart()
{
    m_startZoom = m_zoom;
    m_startPan = m_pan;
}

PixelPoint PreviewView::toPixel(double mmX, double mmY) const
{
    return { m_pan.x + pixelsPerMmX() * mmX, m_pan.y + pixelsPerMmY() * mmY };
}

PixelPoint PreviewView::toPixel(const PreviewPoint& point) const
{
    return toPixel(static_cast<double>(point.x), static_cast<double>(point.y));
}

double PreviewView::mmXAt(double pixelX) const
{
    return (pixelX - m_pan.x) / pixelsPerMmX();
}

double PreviewView::mmYAt(double pixelY) const
{
    return (pixelY - m_pan.y) / pixelsPerMmY();
}

PixelPoint PreviewView::toPixel(const PreviewFrame& frame, const ScalePoint& point) const
{
    return toPixel(frame.originX + frame.scale * point.x, frame.originY - frame.scale * point.y);
}

std::optional<ScalePoint> PreviewView::toScale(const PreviewFrame& frame, PixelPoint pixel) const
{
    if (frame.scale == 0)
        return std::nullopt;
    return ScalePoint { (mmXAt(pixel.x) - frame.originX) / frame.scale,
        (frame.originY - mmYAt(pixel.y)) / frame.scale };
}

} // namespace mensora
