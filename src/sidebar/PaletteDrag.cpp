#include "sidebar/PaletteDrag.h"

#include "config/DataCentreColours.h"
#include "config/DataCentreOutlines.h"

#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPen>

std::unique_ptr<QMimeData> PaletteDrag::mimeData(const QString &codeName)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(codeNameMimeType(), codeName.toUtf8());
    return data;
}

QImage PaletteDrag::createShapeImage(const QString &shapeName, bool shape, bool zoomBubble, const QImage &samplePhoto)
{
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QPainterPath path = DataCentreOutlines::grabShapeBezierPath(shapeName);
    if (path.isEmpty())
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(path, Qt::white);
    p.setPen(QPen(DataCentreColours::colorWithHexString(shape ? QStringLiteral("000000") : QStringLiteral("EE0000")),
                  2.0));
    p.drawPath(path);
    if (zoomBubble && !samplePhoto.isNull()) {
        p.setClipPath(path);
        p.drawImage(QRectF(0, 0, 100, 100), samplePhoto);
    }
    return image;
}
