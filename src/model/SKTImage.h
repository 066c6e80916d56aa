#pragma once
// The canvas image: a picture drawn into the content box with optional flips,
// rotation, shadow, border, grey-scale mask, a fading mirror reflection below
// it, or a zoom-bubble clip shape. The picture as supplied (inputImage) is
// kept apart from the picture shown (contents), which carries the reflection.
#include "model/SKTGraphic.h"

#include <QImage>

class SKTImage : public SKTGraphic {
public:
    SKTImage();
    QString className() const override { return QStringLiteral("SKTImage"); }
    std::unique_ptr<SKTGraphic> copy() const override;

    const QImage &contents() const { return m_contents; }
    void setContents(const QImage &image) { m_contents = image; }
    const QImage &inputImage() const { return m_inputImage; }
    void setInputImage(const QImage &image) { m_inputImage = image; }
    // Loads the shown picture from a file (size-limited reader).
    bool setFilePath(const QString &path);
    const QImage &maskImage() const { return m_maskImage; }
    void setMaskImage(const QImage &mask);
    bool isFlippedHorizontally() const { return m_flippedHorizontally; }
    void setFlippedHorizontally(bool on) { changeAttribute(m_flippedHorizontally, on, QStringLiteral("flippedHorizontally")); }
    bool isFlippedVertically() const { return m_flippedVertically; }
    void setFlippedVertically(bool on) { changeAttribute(m_flippedVertically, on, QStringLiteral("flippedVertically")); }
    int32_t bubbleFlag() const { return m_bubbleFlag; }
    void setBubbleFlag(int32_t flag) { changeAttribute(m_bubbleFlag, flag, QStringLiteral("bubbleFlag")); }
    QRectF focusRect() const { return m_focusRect; }
    void setFocusRect(const QRectF &r) { m_focusRect = r; }
    bool forceNonRetinaFlag() const { return m_forceNonRetinaFlag; }
    void setForceNonRetinaFlag(bool on) { m_forceNonRetinaFlag = on; }
    QRectF originalImageRect() const { return m_originalImageRect; }
    void setOriginalImageRect(const QRectF &r) { m_originalImageRect = r; }

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }
    bool canSetDrawingFill() const override { return true; }
    bool canSetDrawingStroke() const override { return true; }
    void flipHorizontally() override { setFlippedHorizontally(!m_flippedHorizontally); }
    void flipVertically() override { setFlippedVertically(!m_flippedVertically); }
    void makeNaturalSize() override;
    void setBounds(const QRectF &bounds) override;
    void updateOriginalRect() override;
    QSizeF naturalImageSize() const override { return m_inputImage.size(); }
    // Rebuilds the shown picture after the reflection changed, growing the
    // bounds by the reflection's height.
    void applyReflection();

    QVariant value(const QString &key) const override;
    bool setValue(const QString &key, const QVariant &value) override;
    void readProperties(const GraphicProperties &properties) override;
    QStringList keyPathsForValuesAffectingDrawingContents() const override;

    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;

protected:
    void writeProperties(GraphicProperties &properties) override;

private:
    // Reflections are fractions of the picture height within (0, 1].
    double clampedReflection() const;
    const QImage &maskedContents();

    QImage m_contents;
    QImage m_inputImage;
    QImage m_maskImage;
    bool m_flippedHorizontally = false;
    bool m_flippedVertically = false;
    int32_t m_bubbleFlag = 0;
    QRectF m_focusRect;
    bool m_forceNonRetinaFlag = false;
    QRectF m_originalImageRect;
    QImage m_masked;
    QPair<qint64, qint64> m_maskedKey{-1, -1};
};
