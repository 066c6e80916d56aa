#pragma once
// A photo gallery on the canvas: the bounds divided into equal cells, each of
// which may hold one image carrier, fitted and centred in its cell less the
// padding.
#include "model/GridGraphic.h"

class SKTGalleryGrid : public GridGraphic {
public:
    QString className() const override { return QStringLiteral("SKTGalleryGrid"); }

    // The caption bar the canvas shows over the gallery.
    QRectF captionFrame() const { return m_captionFrame; }
    static QString captionText() { return QStringLiteral("Right click to edit gallery"); }

    int32_t grabRowSpot(int32_t x, int32_t y) const;
    int32_t grabColumnSpot(int32_t x, int32_t y) const;
    int32_t grabMaxNumToAdd(const QPointF &point) const;
    Image grabImageSelected(int32_t x, int32_t y) const;
    bool isSpotAlreadyPopulated(int32_t row, int32_t column) const;
    QRectF grabTransformViewBounds(int32_t x, int32_t y) const;

    void readProperties(const GraphicProperties &properties) override;
    QStringList keyPathsForValuesAffectingDrawingContents() const override;
    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;
    // Writes the gallery's placement into its pictures and where each sits in
    // its cell. Drawing calls it; so must page generation of an undrawn page.
    void layOutImages();

protected:
    void writeProperties(GraphicProperties &properties) override;

private:
    QRectF m_captionFrame;
};
