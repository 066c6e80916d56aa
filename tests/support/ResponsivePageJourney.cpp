#include "support/ResponsivePageJourney.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "sidebar/PaletteDrag.h"
#include "support/RealProgram.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <optional>


namespace ResponsivePageJourney {

namespace {

QPointF widgetPoint(SKTWindowController &window, const QPointF &canvasPoint)
{
    return canvasPoint * window.canvasWidget()->zoomFactor();
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

template <typename T>
QList<T *> graphicsOf(SKTWindowController &window)
{
    QList<T *> found;
    for (const auto &g : window.document().graphics())
        if (auto *t = dynamic_cast<T *>(g.get()))
            found << t;
    return found;
}

// The first point of the cell, 40 px in, from y = from down, that no graphic
// covers (a new page may hold some); none when every one is covered.
std::optional<QPointF> uncoveredPoint(SKTWindowController &window, const QRectF &cell, double from)
{
    for (double y = from; y < cell.bottom() - 5; y += 5) {
        const QPointF p(cell.left() + 40, y);
        bool covered = false;
        for (const auto &g : window.document().graphics())
            if (!g->isSection() && g->bounds().adjusted(-2, -2, 2, 2).contains(p))
                covered = true;
        if (!covered)
            return p;
    }
    return std::nullopt;
}

QPointF freePointIn(SKTWindowController &window, const QRectF &cell, double from)
{
    return uncoveredPoint(window, cell, from).value_or(QPointF(cell.left() + 40, from));
}

}  // namespace

bool dropPaletteEntry(SKTWindowController &window, const QString &codeName, const QPointF &canvasPoint)
{
    QWidget *canvas = window.canvasWidget();
    const std::unique_ptr<QMimeData> data = PaletteDrag::mimeData(codeName);
    const QPointF at = widgetPoint(window, canvasPoint);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &drop);
    settleEvents();
    return enter.isAccepted() && drop.isAccepted();
}

bool dragPaletteEntryAlong(SKTWindowController &window, const QString &codeName, const QList<QPointF> &canvasPoints)
{
    if (canvasPoints.isEmpty())
        return false;
    QWidget *canvas = window.canvasWidget();
    const std::unique_ptr<QMimeData> data = PaletteDrag::mimeData(codeName);
    const QPointF first = widgetPoint(window, canvasPoints.front());
    QDragEnterEvent enter(first.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    bool taken = false;
    for (const QPointF &p : canvasPoints) {
        const QPointF at = widgetPoint(window, p);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        // Like the window system's own move: refused until the widget takes it.
        move.ignore();
        QApplication::sendEvent(canvas, &move);
        taken = move.isAccepted();
    }
    bool dropped = false;
    if (taken) {
        QDropEvent drop(widgetPoint(window, canvasPoints.back()), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &drop);
        dropped = drop.isAccepted();
    } else {
        QDragLeaveEvent leave;
        QApplication::sendEvent(canvas, &leave);
    }
    settleEvents();
    return dropped;
}

void dragOnCanvas(SKTWindowController &window, const QPointF &from, const QPointF &to, int steps)
{
    QWidget *canvas = window.canvasWidget();
    sendMouse(canvas, QEvent::MouseButtonPress, widgetPoint(window, from), Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= steps; ++i) {
        const QPointF p = from + (to - from) * (double(i) / steps);
        sendMouse(canvas, QEvent::MouseMove, widgetPoint(window, p), Qt::NoButton, Qt::LeftButton);
    }
    sendMouse(canvas, QEvent::MouseButtonRelease, widgetPoint(window, to), Qt::LeftButton, Qt::NoButton);
    // The section and overlap check runs a moment after the last move.
    spinUntil([] { return false; }, 400);
    settleEvents();
}

SKTTable *firstSection(SKTWindowController &window)
{
    for (SKTTable *table : graphicsOf<SKTTable>(window))
        if (table->gridType() == QLatin1String("section"))
            return table;
    return nullptr;
}

QList<SKTTable *> sectionsOf(SKTWindowController &window)
{
    QList<SKTTable *> sections;
    for (const auto &g : window.document().graphics())
        if (g->isSection())
            sections << static_cast<SKTTable *>(g.get());
    std::sort(sections.begin(), sections.end(),
              [](SKTTable *a, SKTTable *b) { return a->bounds().top() < b->bounds().top(); });
    return sections;
}

QRectF cellRect(SKTTable &section, int column)
{
    return section.grabSelectedCellRect(0, column);
}

QPointF freePoint(SKTWindowController &window, SKTTable &section, int column)
{
    section.drawBoxModel();
    const QRectF content = section.contentRect();
    QRectF cell = cellRect(section, column);
    cell.setBottom(std::min(cell.bottom(), content.bottom()));
    return uncoveredPoint(window, cell, std::max(cell.top(), content.top()) + 5).value_or(QPointF());
}

QList<SKTGraphic *> sectionMembers(SKTWindowController &window)
{
    QList<SKTGraphic *> members;
    for (const auto &g : window.document().graphics())
        if (!g->isSection())
            members << g.get();
    return members;
}

TwoColumnPage buildTwoColumnPage(SKTWindowController &window)
{
    TwoColumnPage page;
    // The section goes into the page's free area, below what a new page may
    // already hold (the e-mail edition's blank design has a headline).
    double sectionTop = 40;
    for (const auto &g : window.document().graphics())
        if (!g->isSection())
            sectionTop = std::max(sectionTop, std::ceil(g->bounds().bottom()) + 20);
    if (!dropPaletteEntry(window, QStringLiteral("zov_section2"), QPointF(300, sectionTop))) {
        page.failure = QStringLiteral("the 2-column section was not taken");
        return page;
    }
    SKTTable *section = firstSection(window);
    if (!section) {
        page.failure = QStringLiteral("no section on the page after the drop");
        return page;
    }
    const QRectF one = cellRect(*section, 0);
    const QRectF two = cellRect(*section, 1);
    section->drawBoxModel();
    const double top = std::max(one.top(), section->contentRect().top()) + 10;

    if (!dropPaletteEntry(window, QStringLiteral("zov_textbox_body_tovra_rich"), freePointIn(window, one, top))) {
        page.failure = QStringLiteral("the text box was not taken in column 1 at (%1, %2), cell %3,%4 %5x%6, zoom %7, graphics %8")
                           .arg(one.left() + 40).arg(top).arg(one.x()).arg(one.y()).arg(one.width()).arg(one.height())
                           .arg(window.canvasWidget()->zoomFactor()).arg(window.document().graphics().size());
        return page;
    }
    // The new text is the frontmost one.
    const QList<SKTText *> texts = graphicsOf<SKTText>(window);
    page.text = texts.isEmpty() ? nullptr : texts.first();
    if (!page.text) {
        page.failure = QStringLiteral("no text box after the drop");
        return page;
    }
    if (!dropPaletteEntry(window, QStringLiteral("zov_photo"), freePointIn(window, two, top))) {
        page.failure = QStringLiteral("the photo was not taken in column 2");
        return page;
    }
    // The picture is read off the main thread.
    spinUntil([&window] { return !graphicsOf<SKTImage>(window).isEmpty(); }, 5000);
    const QList<SKTImage *> images = graphicsOf<SKTImage>(window);
    page.photo = images.isEmpty() ? nullptr : images.first();
    if (!page.photo) {
        page.failure = QStringLiteral("no photo after the drop (did the open panel get a picture?)");
        return page;
    }

    // The text goes below the photo in column 2: pressed at its middle,
    // released in column 2 under the photo.
    const QRectF t = page.text->bounds();
    const QPointF from = t.center();
    const double below = page.photo->bounds().bottom() + 10 + t.height() / 2;
    const QPointF to(two.left() + 40, below);
    window.graphicView().deselectAll();
    dragOnCanvas(window, from, to);
    return page;
}

}  // namespace ResponsivePageJourney
