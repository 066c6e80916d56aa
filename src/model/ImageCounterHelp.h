#pragma once
// Pairs an image graphic with the number in its file name ("image2" before
// "image10") so that lists of images can be put in name order. The records
// live for one sort; ImageCounterHelpTransformView does the same for image
// carriers. The static helpers order any list by the same number.
#include <QList>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <memory>

class SKTImage;

class ImageCounterHelp {
public:
    ImageCounterHelp() = default;
    // A record of the image: its name and the number in it; an empty record
    // for a null image.
    explicit ImageCounterHelp(std::shared_ptr<SKTImage> image);

    std::shared_ptr<SKTImage> sktImage;
    QString imageName;
    int32_t imageNameIndex = 0;

    // The number after "image" (from the sixth character on); 0 when there is
    // none, clamped to the int range.
    static int32_t indexOfImageName(const QString &imageName);

    // Records in ascending imageNameIndex; a stable sort, so equal numbers
    // keep their order. Serves both record types.
    template <typename Record>
    static QList<Record> sortedRecords(QList<Record> records)
    {
        std::stable_sort(records.begin(), records.end(),
                         [](const Record &a, const Record &b) { return a.imageNameIndex < b.imageNameIndex; });
        return records;
    }
    static QList<ImageCounterHelp> sortedByImageNameIndex(QList<ImageCounterHelp> records)
    {
        return sortedRecords(std::move(records));
    }

    // A stable sort by the number of each element's image name; getName maps
    // an element to its name.
    template <typename T, typename GetName>
    static QList<T> sorted(QList<T> images, GetName getName)
    {
        std::stable_sort(images.begin(), images.end(), [&](const T &a, const T &b) {
            return indexOfImageName(getName(a)) < indexOfImageName(getName(b));
        });
        return images;
    }
};
