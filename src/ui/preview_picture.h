#pragma once

#include <optional>

#include <QString>
#include <QWidget>

#include "model/result.h"
#include "preview/preview_renderer.h"

class QPainter;

namespace mensora {

// Picture1: the preview surface, yellow on dark teal. Its drawing unit is the millimetre.
// It keeps the last run's drawing, or the reason the run was refused, and paints it again on
// every repaint.
class PreviewPicture : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPicture(QWidget* parent = nullptr);

    // Empties the area (the start state, and the first step of every preview run).
    void clear();

    // Shows one preview run: its drawing, or, for a refused run, an empty area with the
    // reason as one line of text.
    void showPreview(const Result<PreviewDrawing>& run);

    // Drawable width and height in millimetres, from the widget's inner size in pixels and
    // the screen's logical DPI.
    float drawableWidthMm() const;
    float drawableHeightMm() const;

    // What the area shows now: a drawing, or a refusal's message (both empty when cleared).
    const std::optional<PreviewDrawing>& drawing() const { return m_drawing; }
    const QString& message() const { return m_message; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<PreviewDrawing> m_drawing;
    QString m_message;
};

// The picture's colours: yellow on dark teal.
QColor previewForeground();
QColor previewBackground();

// Fills `area` with the background and draws the drawing over it, one millimetre being
// `pixelsPerMmX` by `pixelsPerMmY` pixels from the area's top-left corner. Shared by the
// picture and anything else that paints a preview.
void paintPreview(QPainter& painter, const QRect& area, const PreviewDrawing& drawing,
    double pixelsPerMmX, double pixelsPerMmY);

// Fills `area` with the background and writes the message inside it on one line.
void paintPreviewMessage(QPainter& painter, const QRect& area, const QString& message);

} // namespace mensora
