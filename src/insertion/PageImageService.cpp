#include "insertion/PageImageService.h"

#include "config/DataCentreImages.h"
#include "config/EditionSettings.h"
#include "document/PageImageNames.h"
#include "document/SKTDocument.h"
#include "model/ImageCounterHelp.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QSaveFile>
#include <cmath>

namespace {
// Larger sides are refused before decoding: no page needs them and the
// decoder would need gigabytes.
constexpr int kMaxPictureSide = 30000;

bool writeAtomically(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void addName(QStringList &names, const QString &name)
{
    if (!name.isEmpty())
        names.append(name);
}
} // namespace

QString PageImageService::pageFolder() const
{
    const QString folder = m_document.pageFolderPath();
    if (!folder.isEmpty())
        return folder;
    if (m_document.pagePath.isEmpty())
        return QString();
    const QFileInfo info(m_document.pagePath);
    return info.dir().filePath(info.completeBaseName());
}

QString PageImageService::getNextImageName()
{
    const QStringList next = getNextImageNames(1);
    return next.first();
}

QStringList PageImageService::getNextImageNames(int count)
{
    QStringList names;
    for (SKTImage *image : m_document.images())
        addName(names, image->imageName());
    for (SKTSlideshow *show : m_document.slideshows())
        for (const auto &slide : show->imageArray())
            if (slide)
                addName(names, slide->imageName);
    for (SKTGalleryGrid *gallery : m_document.galleries())
        for (const auto &item : gallery->imageArray())
            if (item)
                addName(names, item->imageName);
    // Table pictures keep their files whether or not tables show them now.
    for (SKTTable *table : m_document.tables()) {
        for (const auto &item : table->imageArray())
            if (item)
                addName(names, item->imageName);
        if (const auto background = table->tableBackgroundImage())
            addName(names, background->imageName);
    }
    const QString folder = pageFolder();
    if (!folder.isEmpty()) {
        static const QRegularExpression fileName(QStringLiteral("^(image\\d+)"));
        const QStringList files = QDir(folder).entryList({QStringLiteral("image*")}, QDir::Files);
        for (const QString &file : files) {
            const auto match = fileName.match(file);
            if (match.hasMatch())
                names.append(match.captured(1));
        }
    }
    for (const QString &issued : std::as_const(m_document.issuedImageNames))
        names.append(issued);
    // The page is looked at once; the names after the first follow on from it.
    QStringList issued;
    for (int i = 0; i < std::max(1, count); ++i) {
        const QString next = PageImageNames::getNextImageName({}, issued.isEmpty() ? names : QStringList{issued.last()});
        m_document.issuedImageNames.insert(next);
        issued.append(next);
    }
    return issued;
}

int32_t PageImageService::originalSizeLimit()
{
    if (gImageSizeLimit > 0)
        return gImageSizeLimit;
    const int32_t stored = UserDefaults::standard().integerForKey(QStringLiteral("DovrinMaxImageSize"));
    return stored > 0 ? stored : 2000;
}

QString PageImageService::imageTypeForPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("gif") ? QStringLiteral("PNG")
                                                                            : QStringLiteral("JPG");
}

QByteArray PageImageService::originalData(const QImage &picture, const QString &type, const QString &sourceFile,
                                          const QSizeF &pixelSize, int32_t limit)
{
    const bool withinLimit = float(pixelSize.width()) <= float(limit);
    if (!sourceFile.isEmpty() && withinLimit) {
        QImageReader reader(sourceFile);
        const QByteArray format = reader.format().toLower();
        const bool sameType = type == QLatin1String("PNG") ? format == "png" : format == "jpeg" || format == "jpg";
        QFile source(sourceFile);
        if (sameType && source.open(QIODevice::ReadOnly))
            return source.readAll();
    }
    QImage stored = picture;
    if (!withinLimit) {
        const double height = pixelSize.height() / (pixelSize.width() / limit);
        stored = DataCentreImages::imageWithImage(picture, QSizeF(limit, std::max(1.0, std::trunc(height))));
    }
    return type == QLatin1String("JPG") ? DataCentreImages::JPEGRepresentationOfImage(stored, 1.0f)
                                        : DataCentreImages::PNGRepresentationOfImage(stored);
}

bool PageImageService::saveOriginalImage(const QImage &picture, const QString &name, const QString &type,
                                         const QString &sourceFile, const QSizeF &pixelSize, QString *error,
                                         const QByteArray &encoded)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QString folder = pageFolder();
    if (folder.isEmpty() || !PageImageNames::isSafeImageName(name) || !PageImageNames::isSafeImageType(type))
        return fail(QStringLiteral("The page has no folder for its pictures."));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name + QStringLiteral("o.") + type);
    if (QFile::exists(path))
        return fail(QStringLiteral("A picture file of that name already exists."));
    const QByteArray data =
        encoded.isEmpty() ? originalData(picture, type, sourceFile, pixelSize, originalSizeLimit()) : encoded;
    if (data.isEmpty())
        return fail(QStringLiteral("The picture could not be encoded."));
    return writeAtomically(path, data, error);
}

bool PageImageService::makeCopyOfOriginalImage(const QString &destinationName, const QString &sourceName)
{
    if (gCopySourcePagePath.isEmpty())
        return false;
    const QFileInfo sourcePage(gCopySourcePagePath);
    return copyOriginalFromFolder(sourcePage.dir().filePath(sourcePage.completeBaseName()), sourceName,
                                  destinationName);
}

bool PageImageService::copyOriginalFromFolder(const QString &sourceFolder, const QString &sourceName,
                                              const QString &destinationName)
{
    // Names come from pasted data: plain file names only.
    auto plain = [](const QString &n) {
        return !n.isEmpty() && !n.contains(QLatin1Char('/')) && !n.contains(QLatin1Char('\\'))
            && n != QLatin1String(".") && n != QLatin1String("..");
    };
    if (!plain(destinationName) || !plain(sourceName) || sourceFolder.isEmpty())
        return false;
    const QString source = QDir(sourceFolder).filePath(sourceName);
    const QString folder = pageFolder();
    if (folder.isEmpty() || !QFile::exists(source))
        return false;
    const QString destination = QDir(folder).filePath(destinationName);
    if (QFile::exists(destination))
        return false;
    QDir().mkpath(folder);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    return writeAtomically(destination, in.readAll(), nullptr);
}

PictureLoad PageImageService::loadPicture(const QString &path, int32_t sizeLimit)
{
    PictureLoad load;
    load.path = path;
    load.type = imageTypeForPath(path);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!QFileInfo(path).isFile()) {
        load.error = QStringLiteral("The file does not exist.");
        return load;
    }
    if (!reader.canRead()) {
        load.error = QStringLiteral("The file is not a picture.");
        return load;
    }
    QSize size = reader.size();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide
        || double(size.width()) * size.height() * 4 > double(DataCentreImages::kImageAllocationLimitMB) * 1024 * 1024) {
        load.error = QStringLiteral("The picture is too large (%1 x %2 pixels).").arg(size.width()).arg(size.height());
        return load;
    }
    const QByteArray format = reader.format().toLower();
    load.sameFormatAsType = load.type == QLatin1String("PNG") ? format == "png" : format == "jpeg";
    // Only what the original keeps is decoded: at most the limit wide.
    const int32_t limit = sizeLimit > 0 ? sizeLimit : 2000;
    load.image = DataCentreImages::readImage(path, QSize(limit, kMaxPictureSide));
    if (load.image.isNull()) {
        load.error = QStringLiteral("The picture is damaged and cannot be read.");
        return load;
    }
    load.pixelSize = size.isValid() ? size : load.image.size();
    load.original = originalData(load.image, load.type, path, load.pixelSize, limit);
    if (load.original.isEmpty())
        load.error = QStringLiteral("The picture could not be stored.");
    return load;
}
