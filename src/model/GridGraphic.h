#pragma once
// What the grid-shaped graphics (tables of every kind and gallery grids)
// share: a number of rows and columns, a padding, and pictures placed in
// cells by their (row, column) spot, at most one per cell.
#include "model/SKTGraphic.h"
#include "model/TransformView.h"

#include <QHash>

class GridGraphic : public SKTGraphic {
public:
    using Image = std::shared_ptr<TransformView>;

    const QList<Image> &imageArray() const { return m_images; }
    void setImageArray(const QList<Image> &images) { m_images = images; }
    int32_t numOfColumns() const { return m_numOfColumns; }
    void setNumOfColumns(int32_t n) { changeAttribute(m_numOfColumns, n, QStringLiteral("numOfColumns")); }
    int32_t numOfRows() const { return m_numOfRows; }
    void setNumOfRows(int32_t n) { changeAttribute(m_numOfRows, n, QStringLiteral("numOfRows")); }
    int32_t padding() const { return m_padding; }
    void setPadding(int32_t p) { changeAttribute(m_padding, p, QStringLiteral("padding")); }
    int32_t tag = 0;

    // Adds a picture to the cell it names, replacing one already there; a
    // picture naming no cell (-99) only removes.
    void addIntoImageArray(const Image &image);
    Image grabSelectedImageAtSpot(int32_t row, int32_t column) const;
    QPoint grabNextSpot(int32_t row, int32_t column) const;

    QVariant value(const QString &key) const override;
    bool setValue(const QString &key, const QVariant &value) override;
    void readProperties(const GraphicProperties &properties) override;
    QRectF drawingBounds() override;

protected:
    // The grid keys and, so that a copy comes back whole, the pictures.
    void writeProperties(GraphicProperties &properties) override;
    static quint64 spotKey(int32_t row, int32_t column)
    {
        return (quint64(quint32(row)) << 32) | quint32(column);
    }
    // The first picture listed for each spot.
    QHash<quint64, Image> imagesBySpot() const;
    // The grid's placement on the page, which its pictures share.
    void sharePlacement(TransformView &image) const;

    int32_t m_numOfColumns = 0;
    int32_t m_numOfRows = 0;
    int32_t m_padding = 0;
    QList<Image> m_images;
};
