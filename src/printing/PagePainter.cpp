#include "printing/PagePainter.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

QPageLayout::Orientation PagePainter::orientationFor(int32_t canvasWidth, int32_t canvasMaxHeight)
{
    return canvasWidth > canvasMaxHeight ? QPageLayout::Landscape : QPageLayout::Portrait;
}

int PagePainter::paint(QPainter &painter, QPagedPaintDevice &device, const QImage &page, bool fitBothWays)
{
    if (page.isNull())
        return 0;
    const QRectF paper = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double widthScale = paper.width() / page.width();
    if (fitBothWays) {
        const double scale = std::min(widthScale, paper.height() / page.height());
        const QSizeF size(page.width() * scale, page.height() * scale);
        painter.drawImage(QRectF(QPointF((paper.width() - size.width()) / 2.0, (paper.height() - size.height()) / 2.0),
                                 size),
                          page);
        return 1;
    }
    // Each device page shows the next band of the picture, one paper high.
    const double bandHeight = paper.height() / widthScale;
    const int pages = std::max(1, static_cast<int>(std::ceil(page.height() / bandHeight - 1e-9)));
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage())
            return i;
        const double top = i * bandHeight;
        const double height = std::min(bandHeight, page.height() - top);
        painter.drawImage(QRectF(0, 0, paper.width(), height * widthScale), page,
                          QRectF(0, top, page.width(), height));
    }
    return pages;
}
