#pragma once
// The open page alone on paper: scaled to the paper's width with no margins,
// a page taller than the paper running on over as many pages as it needs;
// flyers are scaled to fit the paper both ways and centred. Painted on any
// paged device (a printer or a PDF writer) whose painter is active.
#include <QImage>
#include <QPageLayout>
#include <QPageSize>

class QPagedPaintDevice;
class QPainter;

class PagePainter {
public:
    PagePainter() = delete;

    // Landscape when the canvas is wider than tall (with a template paper),
    // else portrait.
    static QPageLayout::Orientation orientationFor(int32_t canvasWidth, int32_t canvasMaxHeight);

    // Paints the page picture; answers the number of device pages used.
    static int paint(QPainter &painter, QPagedPaintDevice &device, const QImage &page, bool fitBothWays);
};
