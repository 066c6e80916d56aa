#pragma once
// The canvas image: a picture drawn into the content box with optional flips,
// rotation, shadow, border, grey-scale mask, a fading mirror reflection below
// it, or a zoom-bubble clip shape. The picture as supplied (inputImage) is
// kept apart from the picture shown (contents), which carries the reflection.
#include "model/LazyPicture.h"
#include "model/SKTGraphic.h"

#include <QImage>
#include <QMutex>

#include <atomic>

class SKTImage : public SKTGraphic {
public:
    SKTImage();
    QString className() const override { return QStringLiteral("SKTImage"); }
    std::unique_ptr<SKTGraphic> copy() const override;

    const QImage &contents() const
    {
        decodePending();
        return m_contents;
    }
    void setContents(const QImage &image);
    const QImage &inputImage() const
    {
        decodePending();
        return m_inputImage;
    }
    void setInputImage(const QImage &image);
    // Takes the picture as read from a page (see LazyPicture), decoded the
    // first time it is drawn or asked for: opening a page with many pictures
    // decodes none of them.
    void setPictureSource(const LazyPicture &picture);
    void setPictureSource(const QByteArray &encoded, const QString &path)
    {
        setPictureSource(LazyPicture::fromEncoded(encoded, path));
    }
    // Decodes a picture as the page reader reads it (see LazyPicture::decode).
    static QImage decodePicture(const QByteArray &encoded, const QString &path) { return LazyPicture::decode(encoded, path); }
    // Whether the picture is in memory (false while it still waits in its file).
    bool isPictureDecoded() const { return !m_pending.load(std::memory_order_acquire); }
    // Whether the picture is still the one given by setPictureSource (decoded
    // or not): false once another picture is set.
    bool isPictureAsRead() const
    {
        const QMutexLocker locker(&m_lock);
        return m_source.isAsRead();
    }
    // The picture as read (null once another picture is set).
    LazyPicture pictureSource() const
    {
        const QMutexLocker locker(&m_lock);
        return m_source;
    }
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
    QSizeF naturalImageSize() const override { return inputImage().size(); }
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
    void decodePending() const;

    // Filled on first use from m_pictureFile while m_pending is set; books
    // are painted on a worker thread, so the decode is done under m_lock.
    mutable QImage m_contents;
    mutable QImage m_inputImage;
    // The picture as read, while it is still the one shown.
    LazyPicture m_source;
    mutable std::atomic<bool> m_pending{false};
    // The reflection the picture is shown with once decoded, as it was read.
    double m_pendingReflection = 0.0;
    mutable QMutex m_lock;
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
