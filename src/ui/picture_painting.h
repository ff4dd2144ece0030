#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

#include "preview/preview_renderer.h"
#include "preview/preview_view.h"

namespace mensora {

// Pixels between the picture's edge and a text in its corner.
inline constexpr int pictureTextMargin = 4;

// The picture's colours: yellow on dark teal; travel moves and the origin cross stand apart.
QColor previewForeground();
QColor previewDimmedForeground(); // a job's scales other than the one in the form
QColor previewBackground();
QColor previewTravelColour();
QColor previewOriginColour();

// Fills `area` with the background and draws the drawing over it as the view shows it, from
// the geometry at the view's zoom, leaving out what lies out of view. Shared by the picture
// and anything else that paints a preview. Returns whether any of the scale itself shows.
bool paintPreview(QPainter& painter, const QRect& area, const PreviewDrawing& drawing,
    const PreviewView& view, bool showTravel);

// Fills `area` with the background and writes the message inside it on one line.
void paintPreviewMessage(QPainter& painter, const QRect& area, const QString& message);

// Writes `text` in a corner of `area` over a background patch, so that lines beneath do not
// hide it. Long single lines get a smaller font before they get cut short. Returns the patch.
QRect drawCornerText(QPainter& painter, const QRect& area, const QString& text,
    Qt::Alignment corner, const QColor& colour = previewForeground());

} // namespace mensora
