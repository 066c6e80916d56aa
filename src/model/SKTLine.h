#pragma once
// The canvas line: a straight segment kept as bounds plus two direction
// flags, drawn in the graphic's border style and colour with optional filled
// arrow heads, edited through a handle at each end.
#include "model/SKTGraphic.h"

class SKTLine : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("SKTLine"); }
    std::unique_ptr<SKTGraphic> copy() const override;

    // Hide the base attributes of the same names: a line derives its points.
    QPointF beginPoint() const;
    QPointF endPoint() const;
    void setBeginPoint(const QPointF &point);
    void setEndPoint(const QPointF &point);
    bool pointsRight() const { return m_pointsRight; }
    bool pointsDown() const { return m_pointsDown; }

    QVariant value(const QString &key) const override;
    bool setValue(const QString &key, const QVariant &value) override;
    QStringList keysForValuesToObserveForUndo() const override;
    void readProperties(const GraphicProperties &properties) override;
    QStringList keyPathsForValuesAffectingDrawingContents() const override;

    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;
    void drawHandles(QPainter &painter) override;
    int handleUnderPoint(const QPointF &point) const override;
    int resizeByMovingHandle(int handle, const QPointF &point) override;
    bool isContentsUnderPoint(const QPointF &point) override;
    bool canMakeNaturalSize() const override { return false; }
    int creationSizingHandle() const override { return 2; }

    static double degreesToRadians(double degrees);

protected:
    void writeProperties(GraphicProperties &properties) override;

private:
    void place(const QPointF &begin, const QPointF &end);
    // Dashed and dotted lines need a visible width.
    void normaliseWidth();

    bool m_pointsRight = false;
    bool m_pointsDown = false;
};
