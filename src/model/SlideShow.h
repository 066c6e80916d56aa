#pragma once
// The view form of a slideshow element as plain data: the slides side by side
// one frame width apart, the slide shown, the caption and which arrow buttons
// show, and the slide operations (add, replace, delete, link, automatic).
// A widget shows it; nothing here draws. The slideshow graphic that contains
// it answers the next image name, the page folder and the automatic flag.
#include "model/TransformView.h"

#include <QList>
#include <QRectF>
#include <memory>

class SKTGraphic;

class SlideShow {
public:
    static constexpr int32_t kArrowWidth = 40;
    static constexpr int32_t kArrowHeight = 50;

    explicit SlideShow(const QRectF &frame, SKTGraphic *container = nullptr);

    QList<std::shared_ptr<TransformView>> imageArray;
    int32_t slideNumber = 0;      // index of the slide shown
    int32_t totalNumofSlides = 0; // number of slides when the view was made
    QRectF slideshowSize;         // the frame the view was made with

    QRectF bounds() const { return QRectF(QPointF(0, 0), slideshowSize.size()); }
    QRectF nextButtonFrame() const;
    QRectF previousButtonFrame() const;
    bool nextButtonShown() const { return m_nextShown; }
    bool previousButtonShown() const { return m_previousShown; }
    // Horizontal scroll offset of the slides' strip and the strip's frame.
    double scrollOffsetX() const { return m_scrollX; }
    QRectF clipFrame() const { return m_clipFrame; }
    QString caption() const;

    void showNext();
    void showPrevious();
    void moveSlide(bool forward);
    void adjustButtons();
    // Lays out the slides: each scaled by its longer side to the frame width
    // and centred in its own slot.
    void reAlignImageSize();
    std::shared_ptr<TransformView> grabSlide(int32_t number) const;

    // One new slide of the picture: stored no wider than "DovrinMaxImageSize",
    // its full-size original written into the page folder as <name>o.<type>.
    // Null when the picture is null.
    std::shared_ptr<TransformView> createNewSlideshowImage(const QImage &image, const QString &imageType);
    // The picture's type from a file extension: "PNG" for png, else "JPG".
    static QString imageTypeForExtension(const QString &extension);
    void addNewSlide(const QImage &image, const QString &imageType);
    void replaceCurrentSlide(const QImage &image, const QString &imageType);
    void deleteCurrentSlide();
    void linkCurrentSlide(const QString &link);
    void switchSlideshowAsAutomatic();

private:
    SKTGraphic *m_container;
    bool m_nextShown = false;
    bool m_previousShown = false;
    double m_scrollX = 0.0;
    QRectF m_clipFrame;
};
