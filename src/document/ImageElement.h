#pragma once
// One image that the page generator writes: either an image graphic of the
// page or an image carrier held inside a composite (a slide, a gallery image,
// a table image or a table's background). Both answer the same attribute
// names; this handle gives the passes one way to read and write them.
// A carrier answers rowSpot (isCarrier()); a graphic does not.
#include "document/ElementHandle.h"
#include "model/SKTImage.h"
#include "model/TransformView.h"

#include <memory>

class ImageElement : public ElementHandle<SKTImage, TransformView> {
public:
    using ElementHandle::ElementHandle;

    // bounds of a graphic, frame of a carrier.
    QRectF bounds() const;
    // The picture the page files are made from: a graphic's full-resolution
    // contents (its input image when set), a carrier's image.
    QImage picture() const;
    // The picture as read from the page, for a graphic or a carrier whose
    // picture was not replaced since (decoded or still waiting); a null
    // picture otherwise. Saving uses it to leave untouched files alone.
    LazyPicture pictureAsRead() const;
    bool pictureUntouched() const { return pictureAsRead().isAsRead(); }
    QImage maskImage() const;
    bool hasMask() const { return !maskImage().isNull(); }

    QString imageName() const;
    void setImageName(const QString &v);
    QString imageType() const;
    QString altText() const;
    void setAltText(const QString &v);
    QString link() const;
    void setLink(const QString &v);
    QString linkOption() const;
    void setLinkOption(const QString &v);
    QString templateName() const;
    void setTemplateName(const QString &v);
    QString borderStyle() const;
    void setBorderStyle(const QString &v);
    QString borderHexColorString() const;
    void setBorderHexColorString(const QString &v);
    QString bubbleShape() const;

    int32_t borderWidth() const;
    double reflection() const;
    // A graphic's opacity; a carrier's alpha (what the load conversion takes).
    double opacity() const;
    int32_t slideShowNumber() const;
    void setSlideShowNumber(const int32_t &v);
    int32_t galleryNumber() const;
    int32_t tableNumber() const;
    int32_t rowSpot() const;    // -99 for a graphic
    int32_t columnSpot() const; // -99 for a graphic
    int32_t shadowFlag() const;
    int32_t scrollFlag() const;
    int32_t moveLock() const;
    bool selectable() const;
    int32_t manualLayerIndex() const;
    bool retinaFlag() const;
    bool forceNonRetinaFlag() const;
    int32_t groupNumber() const;
    int32_t imageEnlargeFlag() const;
    int32_t backdropLightingFlag() const;
    int32_t bubbleFlag() const;
    float shadowRadius() const;
    float shadowHorizontalOffset() const;
    float shadowVerticalOffset() const;
    float rotationAngle() const;
    int32_t responsiveResizeFlag() const;
    int32_t responsiveAlignment() const;
    int32_t sectionNumber() const;
    int32_t sectionRowSpot() const;
    int32_t sectionColumnSpot() const;

    // Paddings and margins: top, bottom, left, right padding, then margins,
    // in that order (index 0 to 7); their unit strings likewise.
    int32_t boxValue(int index) const;
    QString boxType(int index) const;
    void setBoxType(int index, const QString &v);
    // The pixel forms of the box values (graphics compute them, carriers use
    // the values themselves).
    float boxValueInPx(int index) const;
};
