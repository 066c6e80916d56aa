#include "model/ImageCounterHelpTransformView.h"

#include "model/TransformView.h"

ImageCounterHelpTransformView::ImageCounterHelpTransformView(std::shared_ptr<TransformView> image)
    : sktImage(std::move(image))
{
    if (!sktImage)
        return;
    imageName = sktImage->imageName;
    imageNameIndex = ImageCounterHelp::indexOfImageName(imageName);
}
