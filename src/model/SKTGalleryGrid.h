#pragma once
// A photo gallery on the canvas: the bounds divided into equal cells, each of
// which may hold one image carrier, fitted and centred in its cell less the
// padding.
#include "model/SKTGraphic.h"
#include "model/TransformView.h"

class SKTGalleryGrid : public SKTGraphic {
public:
    using Image = std::shared_ptr<TransformView>;

    QString className() const override { return QStringLiteral("SKTGalleryGrid"); }

    const QList<Image> &imageArray() const { return m_images; }
    void setImageArray(const QList<Image> &images) { m_images = images; }
    int32_t numOfColumns() const { return m_numOfColumns; }
    void setNumOfColumns(int32_t n) { changeAttribute(m_numOfColumns, n, QStringLiteral("numOfColumns")); }
    int32_t numOfRows() const { return m_numOfRows; }
    void setNumOfRows(int32_t n) { changeAttribute(m_numOfRows, n, QStringLiteral("numOfRows")); }
    int32_t padding() const { return m_padding; }
    void setPadding(int32_t p) { changeAttribute(m_padding, p, QStringLiteral("padding")); }
    int32_t tag = 0;
    // The caption bar the canvas shows over the gallery.
    QRectF captionFrame() const { return m_captionFrame; }
    static QString captionText() { return QStringLiteral("Right click to edit gallery"); }

    int32_t grabRowSpot(int32_t x, int32_t y) const;
    int32_t grabColumnSpot(int32_t x, int32_t y) const;
    QPoint grabNextSpot(int32_t row, int32_t column) const;
    int32_t grabMaxNumToAdd(const QPointF &point) const;
    Image grabImageSelected(int32_t x, int32_t y) const;
    Image grabSelectedImageAtSpot(int32_t row, int32_t column) const;
    bool isSpotAlreadyPopulated(int32_t row, int32_t column) const;
    void addIntoImageArray(const Image &image);
    QRectF grabTransformViewBounds(int32_t x, int32_t y) const;

    QVariant value(const QString &key) const override;
    bool setValue(const QString &key, const QVariant &value) override;
    void readProperties(const GraphicProperties &properties) override;
    QRectF drawingBounds() override;
    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;
    // Writes the gallery's placement into its pictures and where each sits in
    // its cell. Drawing calls it; so must page generation of an undrawn page.
    void layOutImages();

protected:
    void writeProperties(GraphicProperties &properties) override;

private:
    QList<Image> m_images;
    int32_t m_numOfColumns = 0;
    int32_t m_numOfRows = 0;
    int32_t m_padding = 0;
    QRectF m_captionFrame;
};
