#pragma once
// The image-carrier twin of ImageCounterHelp: an image carrier with the
// number in its file name, for one sort into name order.
#include "model/ImageCounterHelp.h"

#include <QString>
#include <cstdint>
#include <memory>

class TransformView;

class ImageCounterHelpTransformView {
public:
    ImageCounterHelpTransformView() = default;
    // A record of the carrier; an empty record for a null carrier.
    explicit ImageCounterHelpTransformView(std::shared_ptr<TransformView> image);

    std::shared_ptr<TransformView> sktImage;
    QString imageName;
    int32_t imageNameIndex = 0;

    static QList<ImageCounterHelpTransformView> sortedByImageNameIndex(QList<ImageCounterHelpTransformView> records)
    {
        return ImageCounterHelp::sortedRecords(std::move(records));
    }
};
