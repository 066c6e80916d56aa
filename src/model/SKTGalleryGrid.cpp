#include "model/SKTGalleryGrid.h"

#include "model/CanvasIcons.h"
#include "model/CarrierList.h"
#include "model/GalleryLayout.h"
#include "model/GraphicPainter.h"
#include "model/TableGeometry.h"

#include <QHash>

namespace {
quint64 spotKey(int32_t row, int32_t column)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}
} // namespace

int32_t SKTGalleryGrid::grabRowSpot(int32_t x, int32_t y) const
{
    return GalleryLayout(bounds(), m_numOfColumns, m_numOfRows, m_padding).spotAt(x, y).x();
}

int32_t SKTGalleryGrid::grabColumnSpot(int32_t x, int32_t y) const
{
    return GalleryLayout(bounds(), m_numOfColumns, m_numOfRows, m_padding).spotAt(x, y).y();
}

QPoint SKTGalleryGrid::grabNextSpot(int32_t row, int32_t column) const
{
    return TableGeometry::nextSpot(row, column, m_numOfColumns);
}

int32_t SKTGalleryGrid::grabMaxNumToAdd(const QPointF &point) const
{
    const QPoint spot = GalleryLayout(bounds(), m_numOfColumns, m_numOfRows, m_padding)
                            .spotAt(int32_t(point.x()), int32_t(point.y()));
    return TableGeometry::cellsToEnd(spot.x(), spot.y(), m_numOfRows, m_numOfColumns);
}

SKTGalleryGrid::Image SKTGalleryGrid::grabSelectedImageAtSpot(int32_t row, int32_t column) const
{
    for (const Image &image : m_images)
        if (image && image->columnSpot == column && image->rowSpot == row)
            return image;
    return {};
}

SKTGalleryGrid::Image SKTGalleryGrid::grabImageSelected(int32_t x, int32_t y) const
{
    const QPoint spot = GalleryLayout(bounds(), m_numOfColumns, m_numOfRows, m_padding).spotAt(x, y);
    return grabSelectedImageAtSpot(spot.x(), spot.y());
}

bool SKTGalleryGrid::isSpotAlreadyPopulated(int32_t row, int32_t column) const
{
    return bool(grabSelectedImageAtSpot(row, column));
}

void SKTGalleryGrid::addIntoImageArray(const Image &image)
{
    if (!image)
        return;
    for (qsizetype i = 0; i < m_images.size(); ++i) {
        if (m_images[i] && m_images[i]->columnSpot == image->columnSpot && m_images[i]->rowSpot == image->rowSpot) {
            m_images.removeAt(i);
            break;
        }
    }
    if (image->columnSpot != TableGeometry::kNoSpot && image->rowSpot != TableGeometry::kNoSpot)
        m_images.append(image);
}

QRectF SKTGalleryGrid::grabTransformViewBounds(int32_t x, int32_t y) const
{
    const Image image = grabImageSelected(x, y);
    return image ? image->galleryDimension : QRectF();
}

QVariant SKTGalleryGrid::value(const QString &key) const
{
    if (key == QLatin1String("numOfColumns"))
        return m_numOfColumns;
    if (key == QLatin1String("numOfRows"))
        return m_numOfRows;
    if (key == QLatin1String("padding"))
        return m_padding;
    return SKTGraphic::value(key);
}

bool SKTGalleryGrid::setValue(const QString &key, const QVariant &value)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (key == QLatin1String("numOfColumns") && ok)
        setNumOfColumns(n);
    else if (key == QLatin1String("numOfRows") && ok)
        setNumOfRows(n);
    else if (key == QLatin1String("padding") && ok)
        setPadding(n);
    else
        return SKTGraphic::setValue(key, value);
    return true;
}

void SKTGalleryGrid::writeProperties(GraphicProperties &p)
{
    SKTGraphic::writeProperties(p);
    // A copy keeps its grid and pictures, so a pasted gallery comes back whole.
    p.setIntString(QStringLiteral("numOfColumns"), m_numOfColumns);
    p.setIntString(QStringLiteral("numOfRows"), m_numOfRows);
    p.setIntString(QStringLiteral("padding"), m_padding);
    p.setIntString(QStringLiteral("backdropLightingFlag"), backdropLightingFlag());
    p.setList(QStringLiteral("imageArray"), CarrierList::toProperties(m_images));
}

void SKTGalleryGrid::readProperties(const GraphicProperties &p)
{
    SKTGraphic::readProperties(p);
    m_numOfColumns = p.integer(QStringLiteral("numOfColumns"), 0);
    m_numOfRows = p.integer(QStringLiteral("numOfRows"), 0);
    m_padding = p.integer(QStringLiteral("padding"), 0);
    setShadowFlag(p.integer(QStringLiteral("shadowFlag"), 0));
    setBackdropLightingFlag(p.integer(QStringLiteral("backdropLightingFlag"), 0));
    m_images = CarrierList::fromProperties<TransformView>(p.list(QStringLiteral("imageArray")));
    m_captionFrame = QRectF(bounds().x(), bounds().y() + 5, bounds().width(), 40);
    if (!m_images.isEmpty()) {
        const Image &first = m_images.first();
        setResponsiveResizeFlag(first->responsiveResizeFlag);
        setResponsiveAlignment(first->responsiveAlignment);
        setSectionNumber(first->sectionNumber);
        setSectionRowSpot(first->sectionRowSpot);
        setSectionColumnSpot(first->sectionColumnSpot);
    }
}

QRectF SKTGalleryGrid::drawingBounds()
{
    return SKTGraphic::drawingBounds().united(bounds().adjusted(-1, -1, 1, 1));
}

QPainterPath SKTGalleryGrid::bezierPathForDrawing(GraphicPainter &painter)
{
    if (m_numOfColumns < 1 || !painter.editingAids())
        return {};
    const GalleryLayout layout(bounds(), m_numOfColumns, m_numOfRows, m_padding);
    const QPen dark = GraphicPainter::dashedPen(QColor(85, 85, 85), 1, {3, 10}, 3);
    const QPen light = GraphicPainter::dashedPen(Qt::white, 1, {3, 10}, 5);
    for (int32_t c = 0; c < m_numOfColumns; ++c) {
        for (int32_t r = 0; r < m_numOfRows; ++r) {
            const QRectF cell = layout.cellRect(r, c);
            QPainterPath outline;
            outline.addRect(QRectF(int32_t(cell.x()), int32_t(cell.y()), cell.width(), cell.height()));
            painter.strokePath(outline, dark);
            painter.strokePath(outline, light);
        }
    }
    return {};
}

void SKTGalleryGrid::layOutImages()
{
    const GalleryLayout layout(bounds(), m_numOfColumns, m_numOfRows, m_padding);
    QHash<quint64, bool> placed;
    for (const Image &image : m_images) {
        if (!image)
            continue;
        image->selectable = selectable();
        image->sectionNumber = sectionNumber();
        image->sectionRowSpot = sectionRowSpot();
        image->sectionColumnSpot = sectionColumnSpot();
        image->manualLayerIndex = manualLayerIndex();
        image->templateName = templateName();
        const quint64 key = spotKey(image->rowSpot, image->columnSpot);
        const bool inGrid = image->rowSpot >= 0 && image->rowSpot < m_numOfRows && image->columnSpot >= 0
                            && image->columnSpot < m_numOfColumns;
        // One picture per cell: the first one listed for it.
        if (!inGrid || placed.contains(key))
            continue;
        placed.insert(key, true);
        const QRectF target = layout.pictureRect(image->rowSpot, image->columnSpot, image->originalWidth,
                                                 image->originalHeight);
        image->galleryDimension = target;
        image->frame = target;
    }
}

void SKTGalleryGrid::drawContents(GraphicPainter &painter, bool)
{
    m_captionFrame = QRectF(bounds().x(), bounds().y() + 5, bounds().width(), 15);
    bezierPathForDrawing(painter);
    if (m_numOfColumns < 1 || m_numOfRows < 1)
        return;
    layOutImages();
    QHash<quint64, Image> bySpot;
    for (const Image &image : m_images)
        if (image && !bySpot.contains(spotKey(image->rowSpot, image->columnSpot)))
            bySpot.insert(spotKey(image->rowSpot, image->columnSpot), image);
    for (int32_t r = 0; r < m_numOfRows; ++r) {
        for (int32_t c = 0; c < m_numOfColumns; ++c) {
            const Image image = bySpot.value(spotKey(r, c));
            if (!image || image->galleryDimension.isEmpty())
                continue;
            if (shadowFlag() == 1)
                painter.setShadow({QColor(128, 128, 128), 1.0, QPointF(1, 0)});
            painter.drawImage(image->galleryDimension, image->image);
            painter.clearShadow();
        }
    }
    if (painter.editingAids())
        CanvasIcons::drawCaption(painter.painter(), m_captionFrame, captionText());
}
