#include "model/Geometry.h"
#include "model/SKTGalleryGrid.h"

#include "model/CanvasIcons.h"
#include "model/GalleryLayout.h"
#include "model/GraphicPainter.h"
#include "model/TableGeometry.h"

#include <QHash>

int32_t SKTGalleryGrid::grabRowSpot(int32_t x, int32_t y) const
{
    return GalleryLayout(bounds(), m_numOfColumns, m_numOfRows, m_padding).spotAt(x, y).x();
}

int32_t SKTGalleryGrid::grabColumnSpot(int32_t x, int32_t y) const
{
    return GalleryLayout(bounds(), m_numOfColumns, m_numOfRows, m_padding).spotAt(x, y).y();
}

int32_t SKTGalleryGrid::grabMaxNumToAdd(const QPointF &point) const
{
    const QPoint spot = GalleryLayout(bounds(), m_numOfColumns, m_numOfRows, m_padding)
                            .spotAt(Geometry::clampToInt(point.x()), Geometry::clampToInt(point.y()));
    return TableGeometry::cellsToEnd(spot.x(), spot.y(), m_numOfRows, m_numOfColumns);
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

QRectF SKTGalleryGrid::grabTransformViewBounds(int32_t x, int32_t y) const
{
    const Image image = grabImageSelected(x, y);
    return image ? image->galleryDimension : QRectF();
}

void SKTGalleryGrid::writeProperties(GraphicProperties &p)
{
    GridGraphic::writeProperties(p);
    p.setIntString(QStringLiteral("backdropLightingFlag"), backdropLightingFlag());
}

void SKTGalleryGrid::readProperties(const GraphicProperties &p)
{
    GridGraphic::readProperties(p);
    setShadowFlag(p.integer(QStringLiteral("shadowFlag"), 0));
    setBackdropLightingFlag(p.integer(QStringLiteral("backdropLightingFlag"), 0));
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
            outline.addRect(QRectF(Geometry::clampToInt(cell.x()), Geometry::clampToInt(cell.y()), cell.width(), cell.height()));
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
        sharePlacement(*image);
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
    const QHash<quint64, Image> bySpot = imagesBySpot();
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

QStringList SKTGalleryGrid::keyPathsForValuesAffectingDrawingContents() const
{
    return SKTGraphic::keyPathsForValuesAffectingDrawingContents()
        + QStringList { QStringLiteral("imageArray"), QStringLiteral("numOfRows"), QStringLiteral("numOfColumns"),
              QStringLiteral("padding"), QStringLiteral("shadowFlag") };
}
