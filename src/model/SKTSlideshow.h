#pragma once
// A slideshow on the canvas: one slide at a time out of an ordered list of
// image carriers, stepped with previous and next arrows that the user clicks
// on the canvas.
#include "model/SKTGraphic.h"
#include "model/TransformView.h"

class SKTSlideshow : public SKTGraphic {
public:
    using Slide = std::shared_ptr<TransformView>;

    QString className() const override { return QStringLiteral("SKTSlideshow"); }

    const QList<Slide> &imageArray() const { return m_slides; }
    void setImageArray(const QList<Slide> &slides);
    int32_t currentImageIndex() const { return m_current; }
    void setCurrentImageIndex(int32_t index);
    int32_t totalNumofSlides() const { return int32_t(m_slides.size()); }
    // Appends a slide and shows it.
    void addIntoImageArray(const Slide &slide);
    void moveSlideForward() { setCurrentImageIndex(m_current + 1); }
    void moveSlideBackward() { setCurrentImageIndex(m_current - 1); }
    bool nextButtonClicked(const QPointF &point) const;
    bool previousButtonClicked(const QPointF &point) const;
    // A click on an arrow steps the slides; the answer is whether the point is inside.
    bool isContentsUnderPoint(const QPointF &point) override;
    // Lays the slides side by side, one slideshow width apart, each scaled by
    // its longer side to the width and centred in its slot; then hands the
    // slides their slideshow's settings.
    void grabTransformViewBounds();
    // Every slide, shown or not, takes the slideshow's template name and
    // whether it was placed by the user: these say where the page keeps the
    // slide's files.
    void handSettingsToSlides();

    QRectF captionFrame() const { return m_captionFrame; }
    QString captionText() const;

    void readProperties(const GraphicProperties &properties) override;
    // The base keys: "undoContents2" is only named ("Text"), never observed.
    QStringList keysForValuesToObserveForUndo() const override;
    QRectF drawingBounds() override;
    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;
    void makeNaturalSize() override {}

protected:
    void writeProperties(GraphicProperties &properties) override;

private:
    QList<Slide> m_slides;
    int32_t m_current = 0;
    QRectF m_captionFrame;
};
