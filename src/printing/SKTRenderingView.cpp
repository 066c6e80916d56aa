#include "printing/SKTRenderingView.h"

#include "model/GraphicRenderer.h"
#include "model/SKTGraphic.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace {

constexpr int kCannotDrawError = 3;

bool noBounds(const QRectF &bounds, SKTError *error)
{
    if (bounds.isValid() && !bounds.isEmpty())
        return false;
    if (error != nullptr)
        *error = SKTErrorFromCode(kCannotDrawError);
    return true;
}

}  // namespace

QByteArray SKTRenderingView::pdfDataWithGraphics(const QList<SKTGraphic *> &graphics, SKTError *error)
{
    const QRectF bounds = SKTGraphic::drawingBoundsOfGraphics(graphics);
    if (noBounds(bounds, error))
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(bounds.size(), QPageSize::Point, {}, QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        painter.fillRect(QRectF(QPointF(), bounds.size()), Qt::white);
        painter.translate(-bounds.topLeft());
        GraphicRenderer::render(painter, graphics, GraphicRenderer::paperOptions());
    }
    return data;
}

QByteArray SKTRenderingView::pngDataWithGraphics(const QList<SKTGraphic *> &graphics, SKTError *error)
{
    const QRectF bounds = SKTGraphic::drawingBoundsOfGraphics(graphics);
    if (noBounds(bounds, error))
        return {};
    const QSize size(static_cast<int>(std::ceil(bounds.width())), static_cast<int>(std::ceil(bounds.height())));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-bounds.topLeft());
        GraphicRenderer::render(painter, graphics, GraphicRenderer::paperOptions());
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}
