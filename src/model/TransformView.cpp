#include "model/TransformView.h"

#include "model/ImageCounterHelp.h"

void TransformView::writeFields(GraphicProperties &p) const
{
    ZOV_TRANSFORMVIEW_FIELDS(ZOV_CARRIER_PUT)
}

void TransformView::readFields(const GraphicProperties &p)
{
    ZOV_TRANSFORMVIEW_FIELDS(ZOV_CARRIER_GET)
}

QList<std::shared_ptr<TransformView>> TransformView::sortedByImageNameIndex(QList<std::shared_ptr<TransformView>> images)
{
    return ImageCounterHelp::sorted(std::move(images), [](const auto &image) { return image->imageName; });
}

