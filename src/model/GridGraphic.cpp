#include "model/GridGraphic.h"

#include "model/CarrierList.h"
#include "model/TableGeometry.h"

void GridGraphic::addIntoImageArray(const Image &image)
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
    // Observers of a grid redraw on this key.
    reportRedraw(QStringLiteral("numOfColumns"), m_numOfColumns);
}

GridGraphic::Image GridGraphic::grabSelectedImageAtSpot(int32_t row, int32_t column) const
{
    for (const Image &image : m_images)
        if (image && image->columnSpot == column && image->rowSpot == row)
            return image;
    return {};
}

QPoint GridGraphic::grabNextSpot(int32_t row, int32_t column) const
{
    return TableGeometry::nextSpot(row, column, m_numOfColumns);
}

QHash<quint64, GridGraphic::Image> GridGraphic::imagesBySpot() const
{
    QHash<quint64, Image> bySpot;
    for (const Image &image : m_images)
        if (image && !bySpot.contains(spotKey(image->rowSpot, image->columnSpot)))
            bySpot.insert(spotKey(image->rowSpot, image->columnSpot), image);
    return bySpot;
}

void GridGraphic::sharePlacement(TransformView &image) const
{
    image.selectable = selectable();
    image.manualLayerIndex = manualLayerIndex();
    image.templateName = templateName();
    image.sectionNumber = sectionNumber();
    image.sectionRowSpot = sectionRowSpot();
    image.sectionColumnSpot = sectionColumnSpot();
}

QVariant GridGraphic::value(const QString &key) const
{
    if (key == QLatin1String("numOfColumns"))
        return m_numOfColumns;
    if (key == QLatin1String("numOfRows"))
        return m_numOfRows;
    if (key == QLatin1String("padding"))
        return m_padding;
    return SKTGraphic::value(key);
}

bool GridGraphic::setValue(const QString &key, const QVariant &value)
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

void GridGraphic::writeProperties(GraphicProperties &p)
{
    SKTGraphic::writeProperties(p);
    p.setIntString(QStringLiteral("numOfRows"), m_numOfRows);
    p.setIntString(QStringLiteral("numOfColumns"), m_numOfColumns);
    p.setIntString(QStringLiteral("padding"), m_padding);
    p.setList(QStringLiteral("imageArray"), CarrierList::toProperties(m_images));
}

void GridGraphic::readProperties(const GraphicProperties &p)
{
    SKTGraphic::readProperties(p);
    m_numOfColumns = p.integer(QStringLiteral("numOfColumns"), 0);
    m_numOfRows = p.integer(QStringLiteral("numOfRows"), 0);
    m_padding = p.integer(QStringLiteral("padding"), 0);
    m_images = CarrierList::fromProperties<TransformView>(p.list(QStringLiteral("imageArray")));
}

QRectF GridGraphic::drawingBounds()
{
    return SKTGraphic::drawingBounds().united(bounds().adjusted(-1, -1, 1, 1));
}
