// The image files of the page folder: "@2x" and plain versions, originals
// ("o"), masks ("_mask.png") and the background pattern. Every file is
// written through a temporary file and a rename, so a failed write leaves
// the old file in place.
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/PageFiles.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtDebug>

namespace {

constexpr int kMaxRetinaSide = 8192;

QByteArray encodeByType(const QImage &image, const QString &type)
{
    if (image.isNull())
        return {};
    if (type == QLatin1String("JPG"))
        return DataCentre::JPEGRepresentationOfImage(image, 1.0f);
    return DataCentre::PNGRepresentationOfImage(image);
}

qint64 fileSize(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : -1;
}

} // namespace

QString SKTDocument::pageFolderPath() const
{
    if (tempSavePathLocal.isEmpty() || !Escape::isSafeFolderName(pageName))
        return QString();
    return QDir(tempSavePathLocal).filePath(pageName);
}

bool SKTDocument::saveImage(const ImageElement &image)
{
    if (gKeepImageNames)
        return true; // the edition keeps the files the user put in the folder
    const QString name = image.imageName();
    const QString type = image.imageType();
    const QString folderPath = pageFolderPath();
    if (folderPath.isEmpty() || !Escape::isPlainName(name) || !Escape::isPlainName(type))
        return false;
    if (!QDir().mkpath(folderPath))
        return false;
    const QDir folder(folderPath);
    const QString retinaPath = folder.filePath(name + QLatin1String("@2x.") + type);
    const QString plainPath = folder.filePath(name + QLatin1Char('.') + type);
    const QString originalPath = folder.filePath(name + QLatin1String("o.") + type);
    const bool ordinary = !image.isCarrier() && image.slideShowNumber() == -99;
    const QSize target = retinaTarget(image);
    const int targetW = target.width();
    const int targetH = target.height();

    // A picture untouched since the page was read from this very original,
    // whose retina file has the size (and slideshow crop) the frame asks for,
    // already has its files: saving neither decodes nor re-encodes it.
    const LazyPicture asRead = image.pictureAsRead();
    if (filesStillMatch(image, originalPath, retinaPath, plainPath, target)) {
        if (!(ordinary && image.forceNonRetinaFlag()))
            QFile::remove(plainPath);
        if (image.imageEnlargeFlag() == 1)
            QFile::remove(retinaPath);
        return true;
    }

    const QImage source = image.picture();
    // Whether the original was there when the retina file was made (else the
    // next save may still serve the original in its place).
    const bool hadOriginal = fileSize(originalPath) > 0;
    bool ok = true;

    if (image.imageEnlargeFlag() == 1 || targetW < 1 || targetH < 1) {
        // An enlargeable image shows its original: no retina file. Nor has an
        // image without inner area anything to show at twice its size; it is
        // skipped rather than scaled to nothing, and the page still saves.
        QFile::remove(retinaPath);
    } else if (!source.isNull()) {
        const QSizeF target(targetW, targetH);
        bool cropped = false;
        const QImage scaled = cropRetinaToSlideshow(image, DataCentre::imageWithImage(source, target), &cropped);
        const QByteArray data = encodeByType(scaled, type);
        const qint64 originalSize = fileSize(originalPath);
        // The original is never swapped in for a cropped slide: it would show
        // the whole picture where the slideshow shows a band of it.
        if (!cropped && originalSize > 0 && originalSize < data.size()) {
            // The original is smaller than the scaled version: serve the original.
            QFile original(originalPath);
            ok = original.open(QIODevice::ReadOnly) && writeFileAtomically(retinaPath, original.readAll(), nullptr);
            qInfo().noquote() << QStringLiteral("%1 REPLACE retina image: %2 original image:%3")
                                     .arg(retinaPath, DataCentre::byteCountString(uint64_t(data.size())),
                                          DataCentre::byteCountString(uint64_t(originalSize)));
        } else {
            ok = !data.isEmpty() && writeFileAtomically(retinaPath, data, nullptr);
        }
    }

    QFile::remove(plainPath);
    if (ordinary && image.forceNonRetinaFlag() && !source.isNull())
        ok = writeFileAtomically(plainPath, encodeByType(source, type), nullptr) && ok;

    if (fileSize(originalPath) <= 0) {
        const QByteArray data = encodeByType(source, type);
        ok = !data.isEmpty() && writeFileAtomically(originalPath, data, nullptr) && ok;
    }
    if (ok) {
        asRead.setFilesMadeFor(target);
        const QFileInfo original(originalPath), retina(retinaPath);
        if (hadOriginal && !source.isNull() && !asRead.isAsRead() && image.imageEnlargeFlag() != 1 && retina.exists())
            writtenImageFiles.insert(originalPath, {source.cacheKey(), croppedRetinaSize(image, target), original.size(),
                                                    original.lastModified(), retina.size(), retina.lastModified()});
        else
            writtenImageFiles.remove(originalPath);
    } else {
        writtenImageFiles.remove(originalPath);
    }
    return ok;
}

bool SKTDocument::filesStillMatch(const ImageElement &image, const QString &originalPath, const QString &retinaPath,
                                  const QString &plainPath, const QSize &target) const
{
    const LazyPicture asRead = image.pictureAsRead();
    if (fileSize(originalPath) <= 0)
        return false;
    if (!asRead.isAsRead()) {
        // A picture in memory: the same pixels this document wrote there
        // last, for the same retina size and crop, the files untouched since.
        const auto written = writtenImageFiles.constFind(originalPath);
        if (written == writtenImageFiles.cend() || image.imageEnlargeFlag() == 1)
            return false;
        const bool ordinary = !image.isCarrier() && image.slideShowNumber() == -99;
        if (ordinary && image.forceNonRetinaFlag() && fileSize(plainPath) <= 0)
            return false;
        const QFileInfo original(originalPath), retina(retinaPath);
        return target.width() >= 1 && target.height() >= 1 && written->retinaSize == croppedRetinaSize(image, target)
               && written->originalBytes == original.size() && written->originalTime == original.lastModified()
               && retina.exists() && written->retinaBytes == retina.size() && written->retinaTime == retina.lastModified()
               && written->pictureKey == image.picture().cacheKey();
    }
    // The picture must have come from this original: a renamed image, or one
    // whose type changed, has files under other names to make.
    const QString source = QFileInfo(asRead.sourcePath()).canonicalFilePath();
    if (source.isEmpty() || source != QFileInfo(originalPath).canonicalFilePath())
        return false;
    const bool ordinary = !image.isCarrier() && image.slideShowNumber() == -99;
    if (ordinary && image.forceNonRetinaFlag() && fileSize(plainPath) <= 0)
        return false;
    if (image.imageEnlargeFlag() == 1)
        return true; // shown by its original alone
    if (target.width() < 1 || target.height() < 1)
        return false;
    // Reading a file's size looks at its header only.
    const QSize retina = QImageReader(retinaPath).size();
    if (retina == croppedRetinaSize(image, target))
        return true;
    // The retina file may be the original itself, served because it was
    // smaller than the scaled picture: still right for the size it was made for.
    return asRead.filesMadeFor() == target && fileSize(retinaPath) == fileSize(originalPath)
           && retina == QImageReader(originalPath).size();
}

QSize SKTDocument::retinaTarget(const ImageElement &image) const
{
    // Twice the inner area. A huge frame is capped so one odd value cannot
    // make a gigantic file; no inner area gives an empty size.
    const bool ordinary = !image.isCarrier() && image.slideShowNumber() == -99;
    const QRectF b = image.bounds();
    auto box = [&](int i) { return ordinary ? double(image.boxValue(i)) : double(image.boxValueInPx(i)); };
    const double innerW = b.width() - box(6) - box(2) - box(7) - box(3) - 2.0 * image.borderWidth();
    const double innerH = b.height() - box(4) - box(0) - box(5) - box(1) - 2.0 * image.borderWidth();
    return QSize(std::min(kMaxRetinaSide, Fmt::trunc(2.0 * innerW)), std::min(kMaxRetinaSide, Fmt::trunc(2.0 * innerH)));
}

bool SKTDocument::saveMaskImage(const ImageElement &image)
{
    const QString name = image.imageName();
    const QString folderPath = pageFolderPath();
    const QImage mask = image.maskImage();
    if (folderPath.isEmpty() || !Escape::isPlainName(name) || mask.isNull() || !QDir().mkpath(folderPath))
        return false;
    const QByteArray data = DataCentre::PNGRepresentationOfImage(mask);
    return !data.isEmpty()
           && writeFileAtomically(QDir(folderPath).filePath(name + QLatin1String("_mask.png")), data, nullptr);
}

bool SKTDocument::saveBackgroundImage()
{
    if (backgroundImage.isNull()) {
        if (backgroundImageFlag > 0)
            qDebug("image data for background pattern is nil!");
        return true; // no background chosen: nothing to write
    }
    const QString folderPath = pageFolderPath();
    if (folderPath.isEmpty() || !QDir().mkpath(folderPath))
        return false;
    const bool jpeg = backgroundImageType == QLatin1String("JPG");
    const QDir folder(folderPath);
    const QString backgroundPath = folder.filePath(jpeg ? QStringLiteral("background.JPG") : QStringLiteral("background.PNG"));
    const QString originalPath = folder.filePath(jpeg ? QStringLiteral("backgroundo.JPG") : QStringLiteral("backgroundo.PNG"));
    float quality = UserDefaults::standard().floatForKey(QStringLiteral("backgroundQualityPercentage"));
    if (!(quality > 0.0f && quality <= 1.0f))
        quality = 1.0f;
    const QByteArray data = jpeg ? DataCentre::JPEGRepresentationOfImage(backgroundImage, quality)
                                 : DataCentre::PNGRepresentationOfImage(backgroundImage);
    bool ok = !data.isEmpty() && writeFileAtomically(backgroundPath, data, nullptr);
    if (!QFileInfo::exists(originalPath)) {
        const QByteArray original = jpeg ? DataCentre::JPEGRepresentationOfImage(backgroundImage, 1.0f)
                                         : DataCentre::PNGRepresentationOfImage(backgroundImage);
        ok = !original.isEmpty() && writeFileAtomically(originalPath, original, nullptr) && ok;
    }
    if (!ok)
        qWarning("background file creation failed");
    return ok;
}

bool SKTDocument::originalImagesLookSaved() const
{
    const QString folderPath = pageFolderPath();
    if (folderPath.isEmpty())
        return true;
    qint64 total = 0;
    int count = 0;
    const QFileInfoList entries = QDir(folderPath).entryInfoList(QDir::Files);
    for (const QFileInfo &entry : entries) {
        if (entry.suffix() == QLatin1String("PNG") || entry.suffix() == QLatin1String("JPG")) {
            ++count;
            total += entry.size();
        }
    }
    return count == 0 || total > 0;
}
