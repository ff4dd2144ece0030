#pragma once

#include <optional>

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "model/result.h"
#include "preview/preview_renderer.h"
#include "preview/preview_view.h"
#include "ui/picture_painting.h"

namespace mensora {

class OfferBand;

// Picture1: the preview surface, yellow on dark teal. Its drawing unit is the millimetre.
// It keeps the last run's drawing, or the reason the run was refused, and paints it again on
// every repaint at the current zoom and pan: the wheel zooms about the cursor, + and − about
// the middle, a left drag pans, Home returns to the starting view, a double-click or F fits
// the whole drawing. With numbers, the starting view is that fit, kept clear of the figures
// line; without, it is the run's own. While the mouse is over it, a corner gives the cursor's
// position in the scale's coordinates. It takes the keyboard focus only when clicked.
class PreviewPicture : public QWidget
{
    Q_OBJECT

public:
    // Each wheel step and each + or − zooms by this factor.
    static constexpr double zoomStep = 1.25;

    explicit PreviewPicture(QWidget* parent = nullptr);

    // Empties the area (the start state, and the first step of every preview run).
    void clear();

    // Shows one preview run in the starting view: its drawing, or, for a refused run, an
    // empty area with the reason as one line of text.
    void showPreview(const Result<PreviewDrawing>& run);

    // Fits the whole drawing (stripes, baseline, numbers) into the area with a margin, above
    // the figures line's band; a drawing without lines keeps its view.
    void fitAll();
    // Where fitAll() puts the drawing: the inner area less the margin and the figures band,
    // in pixels of the area.
    PixelRect fitRoom() const;

    // Dims what is shown and says so: the boxes no longer match it. The next run, or clearing
    // the area, ends it; an empty area does not dim.
    void setStale(bool stale);
    bool isStale() const { return m_stale; }
    static QString staleNotice();

    // Drawable width and height in millimetres, from the widget's inner size in pixels and
    // the screen's logical DPI.
    float drawableWidthMm() const;
    float drawableHeightMm() const;

    // What the area shows now: a drawing, or a refusal's message (both empty when cleared).
    const std::optional<PreviewDrawing>& drawing() const { return m_drawing; }
    const QString& message() const { return m_message; }

    // The zoom and pan of the drawing, in pixels of the inner area.
    const PreviewView& view() const { return m_view; }

    // Whether the drawing's travel moves are drawn, dotted in a second colour.
    void setShowTravel(bool shown);
    bool showsTravel() const { return m_showTravel; }

    // One line at the foot of the picture (the job's figures); nothing when empty.
    void setFiguresLine(const QString& line);
    const QString& figuresLine() const { return m_figuresLine; }

    // The notes on what the boxes were read as, one line each above the figures line, in a
    // colour of their own; they never hide the drawing's refusal or stop a preview.
    void setNotes(const QStringList& notes);
    const QStringList& notes() const { return m_notes; }

    // The band under the picture that offers to convert the boxes (see OfferBand).
    OfferBand* offerBand() const { return m_offer; }

    // The decimal separator of the cursor's position: the one the saved file uses.
    void setDecimalSeparator(const QString& separator);

    // The cursor's position as the corner shows it; empty while the mouse is elsewhere.
    QString cursorText() const;

    // The line that says the scale lies out of view; empty while any of it shows.
    QString notice() const;

signals:
    // A click (not a drag) on a line of another of the job's scales than the one shown in the
    // form.
    void scaleClicked(std::size_t index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PreviewView startingView() const;
    double figuresBand() const;
    QRect footArea() const;
    PixelPoint pixelAt(QPointF position) const;
    QString number(double value, int decimals) const;

    std::optional<PreviewDrawing> m_drawing;
    QString m_message;
    PreviewView m_view;
    bool m_showTravel = false;
    QString m_figuresLine;
    bool m_stale = false;
    QStringList m_notes;
    OfferBand* m_offer;
    QString m_decimalSeparator = QStringLiteral(".");
    std::optional<QPointF> m_cursor; // over the picture, in widget pixels
    std::optional<QPointF> m_dragFrom; // while the left button pans
    std::optional<QPointF> m_pressedAt; // where the left button went down, until it moves
    void clickAt(QPointF position);
};

} // namespace mensora
