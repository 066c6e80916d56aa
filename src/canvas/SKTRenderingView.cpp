#include "canvas/SKTRenderingView.h"

#include "model/GraphicRenderer.h"
#include "model/SKTGraphic.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
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
    const double side = std::max(bounds.width(), bounds.height());
    const double scale = side > kMaximumPictureSide ? kMaximumPictureSide / side : 1.0;
    auto pixels = [scale](double length) {
        return std::clamp(static_cast<int>(std::ceil(length * scale - 1e-9)), 1, int(kMaximumPictureSide));
    };
    const QSize size(pixels(bounds.width()), pixels(bounds.height()));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        if (error != nullptr)
            *error = SKTErrorFromCode(kCannotDrawError);
        return {};
    }
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        painter.translate(-bounds.topLeft());
        GraphicRenderer::render(painter, graphics, GraphicRenderer::paperOptions());
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

bool SKTRenderingView::addClipboardPictures(QMimeData &data, const QList<SKTGraphic *> &graphics)
{
    SKTError error;
    const QByteArray pdf = pdfDataWithGraphics(graphics, &error);
    const QByteArray png = pngDataWithGraphics(graphics, &error);
    if (pdf.isEmpty() || png.isEmpty())
        return false;
    data.setData(QStringLiteral("application/pdf"), pdf);
    data.setData(QStringLiteral("image/png"), png);
    return true;
}
