#include "model/TransformView.h"

#include "model/Geometry.h"

#include <algorithm>

void TransformView::writeFields(GraphicProperties &p) const
{
    ZOV_TRANSFORMVIEW_FIELDS(ZOV_CARRIER_PUT)
}

void TransformView::readFields(const GraphicProperties &p)
{
    ZOV_TRANSFORMVIEW_FIELDS(ZOV_CARRIER_GET)
}

int32_t TransformView::imageNameIndex(const QString &imageName)
{
    // Like reading an integer from the sixth character on: optional sign,
    // then leading digits; anything else gives 0.
    const QString rest = imageName.mid(5).trimmed();
    qsizetype end = 0;
    if (end < rest.size() && (rest[end] == u'-' || rest[end] == u'+'))
        ++end;
    while (end < rest.size() && rest[end].isDigit())
        ++end;
    bool ok = false;
    const double value = rest.left(end).toDouble(&ok);
    return ok ? Geometry::clampToInt(value) : 0;
}

QList<std::shared_ptr<TransformView>> TransformView::sortedByImageNameIndex(QList<std::shared_ptr<TransformView>> images)
{
    std::stable_sort(images.begin(), images.end(), [](const auto &a, const auto &b) {
        return imageNameIndex(a->imageName) < imageNameIndex(b->imageName);
    });
    return images;
}
