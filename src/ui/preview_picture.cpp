#include "ui/preview_picture.h"

#include <cmath>
#include <vector>

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "preview/cursor_reading.h"
#include "preview/job_picture.h"
#include "preview/visible_parts.h"
#include "ui/offer_band.h"
#include "ui/picture_painting.h"

namespace mensora {

namespace {

constexpr double millimetresPerInch = 25.4;
constexpr double fitMargin = 10; // pixels between a fitted drawing and the area's edge
constexpr double clickSlack = 3; // pixels a click may move and still be no drag
constexpr double clickReach = 5; // pixels from a line that a click still hits it

// The notes the picture has room for; the rest are counted.
constexpr int shownNotes = 4;

QString notesText(const QStringList& notes)
{
    if (notes.size() <= shownNotes)
        return notes.join(u'\n');
    return (notes.mid(0, shownNotes - 1)
        << QStringLiteral("and %1 more notes").arg(notes.size() - shownNotes + 1))
        .join(u'\n');
}

bool hasScale(const PreviewDrawing& drawing)
{
    return !drawing.stripes.empty() || drawing.baseLine || drawing.baseArc;
}

// Laid over a picture the boxes no longer match: the drawing stays readable, but faint.
QColor staleShade()
{
    return QColor(0, 0, 0, 150);
}

QString outOfViewNotice()
{
    return QStringLiteral("The scale lies outside the picture: zoom out to find it.");
}

} // namespace

PreviewPicture::PreviewPicture(QWidget* parent)
    : QWidget(parent)
    , m_offer(new OfferBand(this))
{
    connect(m_offer, &OfferBand::shownChanged, this, qOverload<>(&QWidget::update));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    m_view = startingView();
}

void PreviewPicture::clear()
{
    m_drawing.reset();
    m_message.clear();
    m_stale = false;
    update();
}

void PreviewPicture::showPreview(const Result<PreviewDrawing>& run)
{
    if (run) {
        m_drawing = *run;
        m_message.clear();
    } else {
        m_drawing.reset();
        m_message = QString::fromStdString(run.refusal().message);
    }
    m_stale = false;
    m_view = startingView();
    // The numbers stand beyond the marks the run fitted: then the starting view is the fit.
    if (m_drawing && !m_drawing->numberStrokes.empty()) {
        fitAll();
        m_view.keepAsStart();
    }
    update();
}

void PreviewPicture::fitAll()
{
    if (!m_drawing)
        return;
    if (const auto bounds = drawingBounds(*m_drawing))
        m_view.fit(*bounds, fitRoom());
    update();
}

PixelRect PreviewPicture::fitRoom() const
{
    const QRect area = contentsRect();
    return { fitMargin, fitMargin, area.width() - fitMargin,
        area.height() - figuresBand() - fitMargin };
}

void PreviewPicture::setStale(bool stale)
{
    const bool dimmed = stale && (m_drawing || !m_message.isEmpty());
    if (dimmed == m_stale)
        return; // nothing to paint again
    m_stale = dimmed;
    update();
}

QString PreviewPicture::staleNotice()
{
    return QStringLiteral("The boxes have changed: Preview (F5) draws them");
}

float PreviewPicture::drawableWidthMm() const
{
    return static_cast<float>(contentsRect().width() * millimetresPerInch / logicalDpiX());
}

float PreviewPicture::drawableHeightMm() const
{
    return static_cast<float>(contentsRect().height() * millimetresPerInch / logicalDpiY());
}

void PreviewPicture::setShowTravel(bool shown)
{
    m_showTravel = shown;
    update();
}

void PreviewPicture::setFiguresLine(const QString& line)
{
    m_figuresLine = line;
    update();
}

void PreviewPicture::setDecimalSeparator(const QString& separator)
{
    m_decimalSeparator = separator;
    update();
}

QString PreviewPicture::cursorText() const
{
    if (!m_drawing || !m_cursor)
        return {};
    const auto reading = readCursor(*m_drawing, m_view, pixelAt(*m_cursor));
    if (!reading)
        return {};
    const QString unit
        = m_drawing->unit == Unit::Inch ? QStringLiteral("inch") : QStringLiteral("mm");
    if (reading->around && reading->angle)
        return QStringLiteral("X %1 %2\nA %3°  around %4 %2")
            .arg(number(reading->x, reading->decimals), unit,
                number(*reading->angle, reading->angleDecimals),
                number(*reading->around, reading->decimals));
    QString text = QStringLiteral("X %1  Y %2 %3")
                       .arg(number(reading->x, reading->decimals),
                           number(reading->y, reading->decimals), unit);
    if (reading->angle && reading->radius)
        text += QStringLiteral("\n%1°  R %2 %3")
                    .arg(number(*reading->angle, reading->angleDecimals),
                        number(*reading->radius, reading->decimals), unit);
    return text;
}

QString PreviewPicture::notice() const
{
    if (!m_drawing || !hasScale(*m_drawing) || visibleParts(*m_drawing, m_view).showsScale())
        return {};
    return outOfViewNotice();
}

void PreviewPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), previewBackground());
    const QRect area = contentsRect();
    if (m_drawing) {
        const bool shows = paintPreview(painter, area, *m_drawing, m_view, m_showTravel);
        if (!shows && hasScale(*m_drawing))
            drawCornerText(painter, area, outOfViewNotice(), Qt::AlignLeft | Qt::AlignTop);
        if (const QString position = cursorText(); !position.isEmpty())
            drawCornerText(painter, area, position, Qt::AlignRight | Qt::AlignTop);
    } else if (!m_message.isEmpty()) {
        paintPreviewMessage(painter, area, m_message);
    }
    QRect foot = footArea();
    if (!m_figuresLine.isEmpty())
        foot.setBottom(
            drawCornerText(painter, foot, m_figuresLine, Qt::AlignLeft | Qt::AlignBottom).top()
            + pictureTextMargin - 1);
    if (!m_notes.isEmpty())
        drawCornerText(painter, foot, notesText(m_notes), Qt::AlignLeft | Qt::AlignBottom,
            previewTravelColour());
    if (m_stale) {
        painter.fillRect(area, staleShade());
        drawCornerText(painter, area, staleNotice(), Qt::AlignCenter);
    }
}

void PreviewPicture::resizeEvent(QResizeEvent*)
{
    m_view.resize(contentsRect().width(), contentsRect().height());
    const QRect area = contentsRect();
    const int height = m_offer->sizeHint().height();
    m_offer->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
}

// The inner area less the offer band while it shows: the foot lines stand above it.
QRect PreviewPicture::footArea() const
{
    QRect area = contentsRect();
    if (!m_offer->isHidden())
        area.setBottom(m_offer->geometry().top() - 1);
    return area;
}

void PreviewPicture::setNotes(const QStringList& notes)
{
    m_notes = notes;
    update();
}

void PreviewPicture::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (!m_drawing || steps == 0) {
        event->ignore();
        return;
    }
    m_view.zoomAbout(pixelAt(event->position()), std::pow(zoomStep, steps));
    m_cursor = event->position();
    update();
}

void PreviewPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position();
        m_pressedAt = event->position();
    }
    QWidget::mousePressEvent(event);
}

void PreviewPicture::mouseMoveEvent(QMouseEvent* event)
{
    m_cursor = event->position();
    if (m_dragFrom && (event->buttons() & Qt::LeftButton)) {
        const QPointF moved = event->position() - *m_dragFrom;
        m_view.panBy(moved.x(), moved.y());
        m_dragFrom = event->position();
        if (m_pressedAt && (event->position() - *m_pressedAt).manhattanLength() > clickSlack)
            m_pressedAt.reset();
    }
    update();
}

void PreviewPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom.reset();
        if (m_pressedAt)
            clickAt(*m_pressedAt);
        m_pressedAt.reset();
    }
    QWidget::mouseReleaseEvent(event);
}

// A click within a few pixels of another scale's line selects that scale.
void PreviewPicture::clickAt(QPointF position)
{
    if (!m_drawing || m_drawing->others.empty())
        return;
    const PixelPoint pixel = pixelAt(position);
    const PreviewPoint point { static_cast<float>(m_view.mmXAt(pixel.x)),
        static_cast<float>(m_view.mmYAt(pixel.y)) };
    const double reach = clickReach / std::fmin(m_view.pixelsPerMmX(), m_view.pixelsPerMmY());
    const auto found = scaleAt(*m_drawing, point, reach);
    if (found && *found != m_drawing->selected)
        emit scaleClicked(*found);
}

void PreviewPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    fitAll();
}

void PreviewPicture::leaveEvent(QEvent*)
{
    m_cursor.reset();
    m_dragFrom.reset();
    m_pressedAt.reset();
    update();
}

void PreviewPicture::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: // + without Shift on many keyboards
        m_view.zoomAboutCentre(zoomStep);
        break;
    case Qt::Key_Minus:
        m_view.zoomAboutCentre(1 / zoomStep);
        break;
    case Qt::Key_Home:
        m_view.reset();
        break;
    case Qt::Key_F:
        fitAll();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
}

// The figures line's height, margins included; nothing without a line.
double PreviewPicture::figuresBand() const
{
    if (m_figuresLine.isEmpty())
        return 0;
    return QFontMetricsF(font()).height() + 2 * pictureTextMargin;
}

PreviewView PreviewPicture::startingView() const
{
    const QRect area = contentsRect();
    return PreviewView(logicalDpiX() / millimetresPerInch, logicalDpiY() / millimetresPerInch,
        area.width(), area.height());
}

// The centre of the pixel under the pointer: a one-pixel line drawn at x lights the pixel
// whose centre lies nearest to it.
PixelPoint PreviewPicture::pixelAt(QPointF position) const
{
    const QPointF inArea = position - contentsRect().topLeft();
    return { inArea.x() + 0.5, inArea.y() + 0.5 };
}

QString PreviewPicture::number(double value, int decimals) const
{
    return QString::number(value, 'f', decimals).replace(u'.', m_decimalSeparator);
}

} // namespace mensora
