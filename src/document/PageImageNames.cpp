#include "document/PageImageNames.h"

#include "config/DataCentre.h"
#include "model/ImageCounterHelp.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace {

QString filePath(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

bool present(const QString &path)
{
    return DataCentre::grabFileSize(path) >= 1;
}

} // namespace

bool PageImageNames::isSafeImageName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_-]+$"));
    return !name.isEmpty() && name.size() <= 200 && pattern.match(name).hasMatch();
}

bool PageImageNames::isSafeImageType(const QString &type)
{
    return type.compare(QLatin1String("JPG"), Qt::CaseInsensitive) == 0
        || type.compare(QLatin1String("PNG"), Qt::CaseInsensitive) == 0;
}

QString PageImageNames::findImageFile(const QString &folder, const QString &imageName, const QString &imageType)
{
    if (!isSafeImageName(imageName) || !isSafeImageType(imageType))
        return QString();
    // The original first (it is the largest), then the retina and plain versions.
    const QStringList candidates {
        filePath(folder, imageName + QStringLiteral("o.PNG")),
        filePath(folder, imageName + QStringLiteral("o.JPG")),
        filePath(folder, QStringLiteral("%1@2x.%2").arg(imageName, imageType)),
    };
    for (const QString &path : candidates)
        if (present(path))
            return path;
    const QString plain = filePath(folder, QStringLiteral("%1.%2").arg(imageName, imageType));
    return present(plain) ? plain : QString();
}

QImage PageImageNames::retrieveImageFile(const QString &folder, const QString &imageName, const QString &imageType)
{
    const QString path = findImageFile(folder, imageName, imageType);
    return path.isEmpty() ? QImage() : DataCentre::readImage(path);
}

QImage PageImageNames::retrieveMaskFile(const QString &folder, const QString &imageName)
{
    if (!isSafeImageName(imageName))
        return QImage();
    return DataCentre::readImage(filePath(folder, imageName + QStringLiteral("_mask.png")));
}

bool PageImageNames::isImageNameAlreadyInUse(const TransformView *image,
                                             const QList<std::shared_ptr<TransformView>> &images,
                                             const QStringList &namesInUse)
{
    if (!image)
        return false;
    if (namesInUse.contains(image->imageName))
        return true;
    for (const auto &other : images)
        if (other && other.get() != image && other->imageName == image->imageName)
            return true;
    return false;
}

QString PageImageNames::getNextImageName(const QList<std::shared_ptr<TransformView>> &images,
                                         const QStringList &namesInUse)
{
    if (images.isEmpty() && namesInUse.isEmpty())
        return QStringLiteral("image0");
    int64_t largest = std::numeric_limits<int64_t>::min();
    for (const auto &image : images)
        if (image)
            largest = std::max<int64_t>(largest, ImageCounterHelp::indexOfImageName(image->imageName));
    for (const QString &name : namesInUse)
        largest = std::max<int64_t>(largest, ImageCounterHelp::indexOfImageName(name));
    if (largest == std::numeric_limits<int64_t>::min())
        largest = -1;
    return QStringLiteral("image%1").arg(largest + 1);
}

void PageImageNames::transferImageFilesForNewName(const QString &folder, const QString &oldName,
                                                  const QString &newName, const QString &imageType)
{
    if (!isSafeImageName(oldName) || !isSafeImageName(newName) || !isSafeImageType(imageType))
        return;
    const QStringList patterns { QStringLiteral("%1.%2"), QStringLiteral("%1@2x.%2"), QStringLiteral("%1o.%2") };
    for (const QString &pattern : patterns) {
        const QString source = filePath(folder, pattern.arg(oldName, imageType));
        if (QFile::exists(source))
            QFile::copy(source, filePath(folder, pattern.arg(newName, imageType)));
    }
}

QList<ImageRename> PageImageNames::settleImageNameClashes(const QList<std::shared_ptr<TransformView>> &images,
                                                          const QStringList &namesInUse)
{
    // Counts of each name, so a page of thousands of images is settled in
    // one pass rather than one search of the set per image.
    QHash<QString, int> uses;
    for (const QString &name : namesInUse)
        uses[name] += 1;
    int64_t largest = -1;
    for (const auto &image : images) {
        if (!image)
            continue;
        uses[image->imageName] += 1;
        largest = std::max<int64_t>(largest, ImageCounterHelp::indexOfImageName(image->imageName));
    }
    for (const QString &name : namesInUse)
        largest = std::max<int64_t>(largest, ImageCounterHelp::indexOfImageName(name));

    QList<ImageRename> renames;
    for (const auto &image : images) {
        if (!image)
            continue;
        const bool safe = isSafeImageName(image->imageName) && isSafeImageType(image->imageType);
        if (safe && uses.value(image->imageName) <= 1)
            continue;
        uses[image->imageName] -= 1;
        ImageRename rename;
        rename.oldName = image->imageName;
        rename.newName = QStringLiteral("image%1").arg(++largest);
        rename.imageType = image->imageType;
        rename.copyFiles = safe;
        if (!safe) {
            image->image = QImage(); // its files were never looked for
            if (!isSafeImageType(image->imageType))
                image->imageType = QStringLiteral("JPG");
        }
        image->imageName = rename.newName;
        uses[rename.newName] += 1;
        renames.append(rename);
    }
    return renames;
}
