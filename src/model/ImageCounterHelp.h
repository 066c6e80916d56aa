#pragma once
// Orders images by the number in their file names ("image2" before
// "image10"), for image graphics and image carriers alike.
#include <QList>
#include <QString>
#include <algorithm>
#include <cstdint>

class ImageCounterHelp {
public:
    ImageCounterHelp() = delete;

    // The number after "image" (from the sixth character on); 0 when there is
    // none, clamped to the int range.
    static int32_t imageNameIndex(const QString &imageName);

    // A stable sort by imageNameIndex of each element's image name; getName
    // maps an element to its name.
    template <typename T, typename GetName>
    static QList<T> sorted(QList<T> images, GetName getName)
    {
        std::stable_sort(images.begin(), images.end(), [&](const T &a, const T &b) {
            return imageNameIndex(getName(a)) < imageNameIndex(getName(b));
        });
        return images;
    }
};
