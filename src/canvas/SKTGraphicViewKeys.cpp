// The canvas's keys (delete, nudge, the handle timer), in-place editing,
// the ruler echo and the drawing pass.
#include "canvas/CanvasHost.h"
#include "canvas/CanvasInsertions.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/GraphicRenderer.h"
#include "model/SKTGraphic.h"
#include "platform/Alerts.h"

#include <QPainter>
#include <algorithm>

namespace {
QImage checkerboard()
{
    QImage tile(20, 20, QImage::Format_RGB32);
    tile.fill(Qt::white);
    QPainter p(&tile);
    p.fillRect(0, 0, 10, 10, QColor(0xcc, 0xcc, 0xcc));
    p.fillRect(10, 10, 10, 10, QColor(0xcc, 0xcc, 0xcc));
    return tile;
}
} // namespace

// --- keys -----------------------------------------------------------------------------

void SKTGraphicView::deleteSelection()
{
    if (!m_document || m_selection.isEmpty())
        return;
    QList<SKTGraphic *> chosen = selectedGraphics();
    for (SKTGraphic *partner : insertions()->fetchAllPartnerViews(*m_document, chosen))
        if (partner && !chosen.contains(partner))
            chosen.append(partner);
    QPointer<SKTGraphicView> self(this);
    auto remove = [self](const QList<SKTGraphic *> &doomed) {
        if (!self || !self->m_document)
            return;
        const QList<SKTGraphic *> all = self->graphics();
        const QSet<SKTGraphic *> going(doomed.cbegin(), doomed.cend());
        QList<qsizetype> indexes;
        for (qsizetype i = 0; i < all.size(); ++i)
            if (going.contains(all[i]))
                indexes.append(i);
        if (indexes.isEmpty())
            return;
        self->m_document->removeGraphicsAtIndexes(indexes);
        self->nameUndoAction(QStringLiteral("Delete"));
        if (self->m_host)
            self->m_host->refreshLayerListing();
    };
    if (gResponsiveEdition)
        insertions()->checkForSelectedSections(*m_document, chosen, remove);
    else
        remove(chosen);
}

void SKTGraphicView::moveSelectedGraphicsBy(double dx, double dy)
{
    const QList<SKTGraphic *> selection = selectedGraphics();
    if (selection.isEmpty())
        return;
    hideHandlesMomentarily();
    SKTGraphic::translateGraphics(withGroupPeers(selection), dx, dy);
    nameUndoAction(QStringLiteral("Nudge"));
}

void SKTGraphicView::hideHandlesMomentarily()
{
    m_handleTimer.start(kHandleHideMs);
    setHidingHandles(true);
}

void SKTGraphicView::setHidingHandles(bool on)
{
    if (!on)
        m_handleTimer.stop();
    if (on == m_isHidingHandles)
        return;
    m_isHidingHandles = on;
    for (SKTGraphic *g : selectedGraphics())
        emit needsDisplayInRect(m_reach.value(g));
}

// --- editing in place -------------------------------------------------------------------

void SKTGraphicView::startEditingGraphic(SKTGraphic *graphic)
{
    if (!graphic || m_editingGraphic)
        return;
    m_editingGraphic = graphic;
    emit needsDisplayInRect(m_reach.value(graphic));
    emit editingStarted(graphic);
}

void SKTGraphicView::stopEditing()
{
    if (!m_editingGraphic)
        return;
    SKTGraphic *graphic = m_editingGraphic;
    emit editingStopped();
    m_editingGraphic = nullptr;
    if (m_reach.contains(graphic))
        emit needsDisplayInRect(m_reach.value(graphic));
}

// --- ruler echo --------------------------------------------------------------------------------

void SKTGraphicView::beginEchoingMoveToRulers(const QRectF &rect)
{
    m_rulerEchoedBounds = rect;
    emit rulerEchoChanged(rect);
}

void SKTGraphicView::continueEchoingMoveToRulers(const QRectF &rect)
{
    if (m_rulerEchoedBounds.isNull() || rect == m_rulerEchoedBounds)
        return;
    m_rulerEchoedBounds = rect;
    emit rulerEchoChanged(rect);
}

void SKTGraphicView::stopEchoingMoveToRulers()
{
    if (m_rulerEchoedBounds.isNull())
        return;
    m_rulerEchoedBounds = QRectF();
    emit rulerEchoChanged(QRectF());
}

// --- drawing -------------------------------------------------------------------------------

void SKTGraphicView::draw(QPainter &painter, const QRectF &dirty, double devicePixelsPerPoint)
{
    drawPage(painter, dirty, devicePixelsPerPoint);
    drawOverlays(painter, {dirty});
}

void SKTGraphicView::drawPage(QPainter &painter, const QRectF &dirty, double devicePixelsPerPoint)
{
    // A page with a background picture shows it repeated, as the page does.
    QBrush fill = m_document && m_document->hasBackgroundPattern() ? m_document->pageBackgroundBrush() : QBrush(pageColor);
    if (!(m_document && m_document->hasBackgroundPattern()) && pageColorHexString == QLatin1String("CLEAR0")) {
        if (!gClearCanvasBackground) {
            fill = QBrush(Qt::white);
        } else if (clearBackground) {
            fill = QBrush(Qt::transparent);
        } else {
            static const QImage tile = checkerboard();
            fill = QBrush(tile);
        }
    }
    painter.save();
    if (fill.color().alpha() == 0 && fill.style() == Qt::SolidPattern)
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(dirty, fill);
    painter.restore();
    if (m_grid)
        m_grid->drawRect(painter, dirty, devicePixelsPerPoint);
    if (!pauseDrawGraphicFlag && m_document) {
        RenderOptions options;
        options.exposed = dirty;
        options.beingEdited = m_editingGraphic;
        GraphicRenderer::render(painter, graphicsReaching(dirty), options);
    }
}

void SKTGraphicView::drawOverlays(QPainter &painter, const QList<QRectF> &dirty)
{
    if (!pauseDrawGraphicFlag && m_document && !m_isHidingHandles && !m_selection.isEmpty()) {
        // The selected graphics that reach the areas, each once, front first
        // as the renderer draws handles: found from whichever list is shorter.
        QList<SKTGraphic *> selected;
        auto reachesDirty = [&dirty](const QRectF &reach) {
            return std::any_of(dirty.cbegin(), dirty.cend(), [&reach](const QRectF &r) { return reach.intersects(r); });
        };
        if (m_selection.size() <= 64) {
            for (const SKTGraphic *g : std::as_const(m_selection))
                if (reachesDirty(m_reach.value(g)))
                    selected.append(const_cast<SKTGraphic *>(g));
        } else {
            QSet<SKTGraphic *> seen;
            for (const QRectF &r : dirty)
                for (SKTGraphic *g : graphicsReaching(r))
                    if (m_selection.contains(g) && !seen.contains(g)) {
                        seen.insert(g);
                        selected.append(g);
                    }
        }
        std::sort(selected.begin(), selected.end(),
                  [this](SKTGraphic *a, SKTGraphic *b) { return m_order.value(a) < m_order.value(b); });
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (SKTGraphic *g : std::as_const(selected)) {
            if (g == m_editingGraphic)
                continue;
            painter.save();
            g->drawHandles(painter);
            painter.restore();
        }
        painter.restore();
    }
    if (!m_marquee.isNull()) {
        painter.save();
        painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_marquee);
        painter.restore();
    }
}

void SKTGraphicView::alert(const QString &message, const QString &informative)
{
    Alert a;
    a.messageText = message;
    a.informativeText = informative;
    a.buttons = {QStringLiteral("OK")};
    Alerts::current().show(a, m_host ? m_host->alertWindow() : nullptr, {});
}
