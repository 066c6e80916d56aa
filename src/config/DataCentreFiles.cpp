#include "config/DataCentreFiles.h"

#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "platform/Tasks.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QSaveFile>
#include <QSet>

namespace {

const QSet<QString> &photoExtensions()
{
    static const QSet<QString> set{"jpg", "JPG", "jpeg", "JPEG", "png", "PNG", "gif", "GIF"};
    return set;
}

const QSet<QString> &videoExtensions()
{
    static const QSet<QString> set{"mp4", "MP4", "ogg", "OGG", "webm", "WEBM", "MOV", "mov", "AVI", "avi"};
    return set;
}

constexpr auto kWalkFilters = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

ZovFileHelper recordFor(const QFileInfo &info, const QDateTime &date)
{
    ZovFileHelper record;
    record.filePath = info.filePath();
    record.fileModDate = date;
    record.fileModDateString = QLocale().toString(date, QStringLiteral("MMM dd yyyy"));
    record.fileModDateString_fileNameFormat = QLocale::c().toString(date, QStringLiteral("yyyyMMdd"));
    return record;
}

// The earlier of creation and modification (a copied photo keeps its
// modification date while its creation date is the copy's).
QDateTime photoDate(const QFileInfo &info)
{
    const QDateTime modified = info.lastModified();
    const QDateTime born = info.birthTime();
    return born.isValid() && born < modified ? born : modified;
}

DataCentreFiles::ProgressReport reporter(const DataCentreFiles::ProgressReport &progress)
{
    if (progress)
        return progress;
    return [](int32_t completed, int32_t total, const QString &text) {
        DataCentreFiles::updateProgressBar(completed, total, text);
    };
}

bool copyReplacing(const QString &from, const QString &to, QString *error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) {
        *error = target.errorString();
        return false;
    }
    QByteArray chunk;
    while (!(chunk = source.read(1 << 20)).isEmpty()) {
        if (target.write(chunk) != chunk.size()) {
            *error = target.errorString();
            target.cancelWriting();
            return false;
        }
    }
    if (source.error() != QFileDevice::NoError) {
        *error = source.errorString();
        target.cancelWriting();
        return false;
    }
    if (!target.commit()) {
        *error = target.errorString();
        return false;
    }
    return true;
}

} // namespace

DataCentreFiles::FolderScanOptions DataCentreFiles::editionScanOptions()
{
    FolderScanOptions options;
    options.folders = gFileCatalogEdition;
    options.photos = gPhotoGalleryEdition;
    options.videos = gVideoGalleryEdition;
    return options;
}

QList<ZovFileHelper> DataCentreFiles::countNumberOfFiles(const QString &folder)
{
    return countNumberOfFiles(folder, editionScanOptions());
}

QList<ZovFileHelper> DataCentreFiles::countNumberOfFiles(const QString &folder, const FolderScanOptions &options)
{
    QList<ZovFileHelper> records;
    // Counted first so that progress can show a total.
    int32_t total = 0;
    for (QDirIterator it(folder, kWalkFilters, QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++total;
    const int32_t step = total <= 1000 ? 10 : 50;
    const ProgressReport report = reporter(options.progress);

    int32_t position = 0;
    for (QDirIterator it(folder, kWalkFilters, QDirIterator::Subdirectories); it.hasNext();) {
        it.next();
        ++position;
        const QFileInfo info = it.fileInfo();
        if (!info.exists())
            continue;
        if (info.isDir() && !info.isSymLink()) {
            if (!options.folders)
                continue;
            ZovFileHelper record = recordFor(info, info.lastModified());
            record.fileSizeBytes = sizeOfFolder(info.filePath());
            record.fileSize = byteCountString(record.fileSizeBytes);
            records << record;
            if (position % step == 0)
                report(position, total, QStringLiteral("Found %1 folders").arg(records.size()));
        } else if (info.isFile() && options.photos) {
            if (!photoExtensions().contains(info.suffix()))
                continue;
            records << recordFor(info, photoDate(info));
            if (position % step == 0)
                report(position, total, QStringLiteral("Found %1 supported files").arg(records.size()));
        } else if (info.isFile() && options.videos) {
            if (!videoExtensions().contains(info.suffix()))
                continue;
            records << recordFor(info, photoDate(info));
            report(position, total, QStringLiteral("Found %1 supported files").arg(records.size()));
        }
    }
    return records;
}

void DataCentreFiles::countNumberOfFilesInBackground(const QString &folder, const FolderScanOptions &options,
                                                     QObject *context,
                                                     std::function<void(QList<ZovFileHelper>)> done)
{
    QPointer<QObject> guard(context);
    Tasks::runInBackground([folder, options, guard, done = std::move(done)] {
        QList<ZovFileHelper> records = countNumberOfFiles(folder, options);
        if (!guard)
            return;
        QMetaObject::invokeMethod(
            guard.data(),
            [guard, done, records = std::move(records)]() mutable {
                if (guard && done)
                    done(std::move(records));
            },
            Qt::QueuedConnection);
    });
}

void DataCentreFiles::countNumberOfFilesInBackground(const QString &folder, QObject *context,
                                                     std::function<void()> done)
{
    // The flags are read here, on the caller's thread; the worker gets a copy.
    countNumberOfFilesInBackground(folder, editionScanOptions(), context,
                                   [done = std::move(done)](QList<ZovFileHelper> records) {
                                       gScannedFiles = std::move(records);
                                       if (done)
                                           done();
                                   });
}

QStringList DataCentreFiles::duplicatePhotoRepository(const QString &outputFolder, const QString &pageNoun,
                                                      QList<ZovFileHelper> &records, const ProgressReport &progress)
{
    QStringList failures;
    const QString copyFolder = QDir(outputFolder).filePath(pageNoun);
    QDir().mkdir(copyFolder);
    const ProgressReport report = reporter(progress);
    const qsizetype count = records.size();
    const qsizetype step = count <= 1000 ? 10 : 50;
    for (qsizetype i = 0; i < count; ++i) {
        if (i % step == 0)
            report(int32_t(i), int32_t(count), QStringLiteral("Step 1: Preparing to generate grid"));
        ZovFileHelper &record = records[i];
        const QString copyName =
            QStringLiteral("%1%2.%3").arg(pageNoun).arg(i).arg(QFileInfo(record.filePath).suffix());
        QString error;
        if (!copyReplacing(record.filePath, QDir(copyFolder).filePath(copyName), &error))
            failures << QStringLiteral("%1: %2").arg(record.filePath, error);
        record.updatedFilePath = pageNoun + QLatin1Char('/') + copyName;
    }
    return failures;
}

QStringList DataCentreFiles::duplicatePhotoRepository(const QString &outputFolder)
{
    return duplicatePhotoRepository(outputFolder, gPageNoun, gScannedFiles);
}

uint64_t DataCentreFiles::sizeOfFolder(const QString &folder)
{
    uint64_t sum = 0;
    const QDir dir(folder);
    for (const QFileInfo &entry : dir.entryInfoList(kWalkFilters))
        sum += uint64_t(std::max<qint64>(0, entry.size()));
    return sum;
}

int64_t DataCentreFiles::grabFileSize(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : 0;
}

QString DataCentreFiles::grabFileSizeStr(const QString &path)
{
    return byteCountString(uint64_t(std::max<int64_t>(0, grabFileSize(path))));
}

QString DataCentreFiles::byteCountString(uint64_t bytes)
{
    return QLocale().formattedDataSize(qint64(std::min<uint64_t>(bytes, uint64_t(INT64_MAX))), 1,
                                       QLocale::DataSizeSIFormat);
}

bool DataCentreFiles::shouldUploadThisImage(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (name == QLatin1String("submit.png") || name == QLatin1String("submit@2x.png"))
        return false;
    if (name.contains(QLatin1String("@2x")))
        return true;
    if (name.contains(QLatin1String("o.")))
        return !isThere2xImage(path);
    return true;
}

bool DataCentreFiles::isThere2xImage(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 1 || name[dot - 1] != QLatin1Char('o'))
        return false;
    const QString twin = name.left(dot - 1) + QStringLiteral("@2x") + name.mid(dot);
    return QFileInfo::exists(info.dir().filePath(twin));
}

void DataCentreFiles::showProgressIndicator()
{
    // The label edition's window tends to hide behind its sheet preview.
    ProgressModel::instance().show(gAppName == QLatin1String("Tovra Label Maker"));
}

void DataCentreFiles::updateProgressBar(int32_t completed, int32_t total, const QString &text)
{
    ProgressModel::instance().update(completed, total, text);
}

void DataCentreFiles::dismissProgressIndicator()
{
    ProgressModel::instance().dismiss();
}
