#include "canvas/ui/SKTGraphicViewWidget.h"

#include "canvas/SKTGraphicView.h"
#include "model/ui/TextGraphicEditor.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>

SKTGraphicViewWidget::SKTGraphicViewWidget(SKTGraphicView &view, QWidget *parent) : QWidget(parent), m_view(view)
{
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&view, &SKTGraphicView::needsDisplayInRect, this, &SKTGraphicViewWidget::updateCanvasRect);
    connect(&view, &SKTGraphicView::needsDisplay, this, qOverload<>(&QWidget::update));
    connect(&view, &SKTGraphicView::canvasSizeChanged, this, &SKTGraphicViewWidget::resizeToCanvas);
    connect(&view, &SKTGraphicView::editingStarted, this, &SKTGraphicViewWidget::startEditor);
    connect(&view, &SKTGraphicView::editingStopped, this, &SKTGraphicViewWidget::stopEditor);
    resizeToCanvas();
}

SKTGraphicViewWidget::~SKTGraphicViewWidget()
{
    disconnect(&m_view, nullptr, this, nullptr);
    m_view.cancelGesture();
    if (m_editor) {
        m_editor->finalize();
        delete m_editor;
    }
}

QSize SKTGraphicViewWidget::sizeHint() const
{
    return (m_view.canvasBounds().size() * m_zoom).toSize();
}

void SKTGraphicViewWidget::setZoomFactor(double factor)
{
    if (!(factor > 0) || !std::isfinite(factor) || factor == m_zoom)
        return;
    m_view.stopEditing();
    m_zoom = factor;
    m_view.zoomFactor = factor;
    resizeToCanvas();
    update();
}

void SKTGraphicViewWidget::resizeToCanvas()
{
    resize(sizeHint());
}

void SKTGraphicViewWidget::updateCanvasRect(const QRectF &rect)
{
    if (!rect.isValid())
        return;
    const QRect r = QRectF(rect.topLeft() * m_zoom, rect.size() * m_zoom).toAlignedRect().adjusted(-1, -1, 1, 1);
    if (m_dirty.isEmpty() && m_dirtyBounds.isNull())
        QMetaObject::invokeMethod(this, &SKTGraphicViewWidget::flushDirty, Qt::QueuedConnection);
    m_dirtyBounds |= r;
    if (m_dirty.size() <= kMaxDirtyRects)
        m_dirty.append(r);
}

void SKTGraphicViewWidget::flushDirty()
{
    // A move of hundreds of graphics asks for hundreds of rectangles: one
    // rectangle around them all paints faster than a region of many.
    if (m_dirty.size() > kMaxDirtyRects) {
        update(m_dirtyBounds);
    } else {
        for (const QRect &r : std::as_const(m_dirty))
            update(r);
    }
    m_dirty.clear();
    m_dirtyBounds = QRect();
}

void SKTGraphicViewWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // A few separate strips (a marquee's edges, two moved graphics) are drawn
    // each on its own, so the area between them is not visited at all.
    const QRegion region = event->region();
    // A region cut into many pieces (a marquee's edges beside the graphics it
    // toggled) is still drawn piece by piece while the pieces cover much
    // less than their bounding rectangle.
    QList<QRect> parts;
    if (region.rectCount() > 1 && region.rectCount() <= kMaxRegionParts) {
        qint64 area = 0;
        for (const QRect &r : region)
            area += qint64(r.width()) * r.height();
        const QRect bounds = region.boundingRect();
        if (region.rectCount() <= kMaxDirtyRects || 2 * area <= qint64(bounds.width()) * bounds.height())
            parts = QList<QRect>(region.begin(), region.end());
    }
    if (parts.isEmpty())
        parts = {event->rect()};
    // Each part is drawn in bands through a small image and copied in. Every
    // graphic clips its drawing, and the raster engine sizes each such clip
    // by the height of the image it paints on: on a tall page drawn directly
    // each clip would cost as much as the page is long, so a small repaint
    // of a long page would be slower than the same repaint of a short one.
    // The band has the format of what it is copied onto, so the copy is a
    // plain copy and the page looks as if drawn there directly.
    QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    if (const QPaintDevice *device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr)
        if (device->devType() == QInternal::Image && static_cast<const QImage *>(device)->depth() >= 24)
            format = static_cast<const QImage *>(device)->format();
    const bool raster = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    painter.save();
    if (raster)
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &part : std::as_const(parts)) {
        if (!raster) {
            // Another kind of device (a PDF, a picture) keeps the drawing as it is.
            painter.save();
            if (parts.size() > 1)
                painter.setClipRect(part);
            painter.scale(m_zoom, m_zoom);
            m_view.drawPage(painter, QRectF(QPointF(part.topLeft()) / m_zoom, QSizeF(part.size()) / m_zoom),
                            m_zoom * devicePixelRatioF());
            painter.restore();
            continue;
        }
        // Tall bands draw fewer graphics twice; a wide (zoomed) part takes
        // fewer rows, so the kept image stays small.
        const int rows = std::clamp(int(kBandPixels / (std::max(1, part.width()) * devicePixelRatioF())), 64, 512);
        for (int top = part.top(); top <= part.bottom(); top += rows)
            paintBand(painter, QRect(part.left(), top, part.width(), std::min(rows, part.bottom() + 1 - top)), format);
    }
    painter.restore();
    // Handles and marquee straight on the widget, so that dashes keep their
    // phase across bands and repaints; each part clipped to itself, as the
    // parts do not overlap and a handle is drawn once.
    painter.scale(m_zoom, m_zoom);
    for (const QRect &part : std::as_const(parts)) {
        const QRectF dirty(QPointF(part.topLeft()) / m_zoom, QSizeF(part.size()) / m_zoom);
        if (parts.size() > 1)
            painter.setClipRect(dirty);
        m_view.drawOverlays(painter, {dirty});
    }
}

void SKTGraphicViewWidget::paintBand(QPainter &target, const QRect &band, QImage::Format format)
{
    const double ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(band.size()) * ratio).toSize().expandedTo(QSize(1, 1));
    if (m_band.width() < pixels.width() || m_band.height() < pixels.height() || m_band.devicePixelRatio() != ratio
        || m_band.format() != format) {
        // Grown only, and kept: a new image per paint would cost its memory's
        // first touch every time.
        m_band = QImage(m_band.format() == format ? pixels.expandedTo(m_band.size()) : pixels, format);
        m_band.setDevicePixelRatio(ratio);
    }
    {
        QPainter painter(&m_band);
        painter.setClipRect(QRect(QPoint(0, 0), band.size()));
        painter.translate(-band.topLeft());
        painter.scale(m_zoom, m_zoom);
        const QRectF dirty(QPointF(band.topLeft()) / m_zoom, QSizeF(band.size()) / m_zoom);
        m_view.drawPage(painter, dirty, m_zoom * ratio);
    }
    target.drawImage(band.topLeft(), m_band, QRect(QPoint(0, 0), pixels));
}

void SKTGraphicViewWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_view.mouseDown(canvasPoint(event->position()), 1, event->modifiers() & Qt::ShiftModifier);
}

void SKTGraphicViewWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_view.mouseDown(canvasPoint(event->position()), 2, event->modifiers() & Qt::ShiftModifier);
}

void SKTGraphicViewWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        // The release happened somewhere we never heard of.
        m_view.cancelGesture();
        return;
    }
    m_view.mouseDragged(canvasPoint(event->position()));
}

void SKTGraphicViewWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_view.mouseUp(canvasPoint(event->position()));
}

void SKTGraphicViewWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        m_view.copy();
    } else if (event->matches(QKeySequence::Cut)) {
        m_view.cut();
    } else if (event->matches(QKeySequence::Paste)) {
        m_view.paste();
    } else {
        switch (event->key()) {
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            m_view.deleteSelection();
            break;
        case Qt::Key_Left:
            m_view.moveSelectedGraphicsBy(-1, 0);
            break;
        case Qt::Key_Right:
            m_view.moveSelectedGraphicsBy(1, 0);
            break;
        case Qt::Key_Up:
            m_view.moveSelectedGraphicsBy(0, -1);
            break;
        case Qt::Key_Down:
            m_view.moveSelectedGraphicsBy(0, 1);
            break;
        case Qt::Key_Escape:
            m_view.cancelGesture();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
        }
    }
    event->accept();
}

void SKTGraphicViewWidget::focusOutEvent(QFocusEvent *event)
{
    // The editor taking the focus is no reason to end a gesture.
    if (!m_editor || event->reason() == Qt::ActiveWindowFocusReason)
        m_view.cancelGesture();
    QWidget::focusOutEvent(event);
}

void SKTGraphicViewWidget::contextMenuEvent(QContextMenuEvent *event)
{
    // The menu's commands insert (and find gallery pictures) where the click
    // was; a click of the mouse also picks what the menu is about.
    if (event->reason() == QContextMenuEvent::Mouse) {
        setFocus(Qt::MouseFocusReason);
        m_view.contextMenuClick(canvasPoint(event->pos()));
    } else {
        m_view.contextMenuAt(canvasPoint(event->pos()));
    }
    if (m_contextMenu) {
        m_contextMenu->popup(event->globalPos());
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}

void SKTGraphicViewWidget::dragEnterEvent(QDragEnterEvent *event)
{
    // A drag that enters where it could not be dropped (over a graphic,
    // beside a section) must still be followed: a refused entry would hide
    // every later move and the drop from the canvas. Each move decides.
    if (m_view.canFollowDrag(*event->mimeData())) {
        event->acceptProposedAction();
        if (!m_view.canAcceptDrop(*event->mimeData(), canvasPoint(event->position())))
            event->setDropAction(Qt::IgnoreAction);
    } else {
        event->ignore();
    }
}

void SKTGraphicViewWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (m_view.canAcceptDrop(*event->mimeData(), canvasPoint(event->position())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void SKTGraphicViewWidget::dropEvent(QDropEvent *event)
{
    if (m_view.performDrop(*event->mimeData(), canvasPoint(event->position())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void SKTGraphicViewWidget::startEditor(SKTGraphic *graphic)
{
    TextGraphicEditor *editor = graphic ? TextGraphicEditor::create(*graphic, m_view.canvasBounds(), this) : nullptr;
    if (!editor) {
        m_view.stopEditing();
        return;
    }
    if (m_zoom != 1.0) {
        const QRect g = editor->geometry();
        editor->setGeometry(QRectF(QPointF(g.topLeft()) * m_zoom, QSizeF(g.size()) * m_zoom).toAlignedRect());
        QFont font = editor->font();
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * m_zoom);
        else if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * m_zoom))));
        editor->setFont(font);
    }
    m_editor = editor;
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
}

void SKTGraphicViewWidget::stopEditor()
{
    if (!m_editor)
        return;
    TextGraphicEditor *editor = m_editor;
    m_editor = nullptr;
    const bool hadFocus = editor->hasFocus();
    editor->finalize();
    editor->hide();
    editor->deleteLater();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}
