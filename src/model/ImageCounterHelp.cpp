#include "model/ImageCounterHelp.h"

#include "model/Geometry.h"
#include "model/SKTImage.h"

ImageCounterHelp::ImageCounterHelp(std::shared_ptr<SKTImage> image)
    : sktImage(std::move(image))
{
    if (!sktImage)
        return;
    imageName = sktImage->imageName();
    imageNameIndex = indexOfImageName(imageName);
}

int32_t ImageCounterHelp::indexOfImageName(const QString &imageName)
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
