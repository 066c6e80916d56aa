#include "platform/PageZip.h"

#include "platform/SafeFileWrite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <zip.h>

#include <sys/stat.h>

namespace {

QString libzipError(zip_t *archive)
{
    return QString::fromUtf8(zip_strerror(archive));
}

QString libzipOpenError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

bool hasWildcard(const QString &text)
{
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?')) || text.contains(QLatin1Char('['));
}

// The name an entry would be written under, or an empty string (with the reason in
// *why) when it must not be written at all.
QString safeEntryName(const QString &stored, QString *why)
{
    QString name = stored;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));  // archives made on Windows
    if (name.isEmpty()) {
        *why = QStringLiteral("an entry without a name");
        return {};
    }
    if (name.startsWith(QLatin1Char('/')) || (name.size() >= 2 && name.at(1) == QLatin1Char(':'))) {
        *why = QStringLiteral("the absolute name \"%1\"").arg(stored);
        return {};
    }
    QStringList kept;
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String(".."))
            *why = QStringLiteral("the name \"%1\", which leads out of the folder").arg(stored);
        else if (part.contains(QChar(0)))
            *why = QStringLiteral("a name with a zero character");
        if (!why->isEmpty())
            return {};
        if (part != QLatin1String("."))
            kept << part;
    }
    if (kept.isEmpty()) {
        *why = QStringLiteral("the name \"%1\", which names no file").arg(stored);
        return {};
    }
    return kept.join(QLatin1Char('/')) + (name.endsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString());
}

// True when a component of relative, inside root, exists as a symbolic link: writing
// through it could land outside the target folder.
bool passesThroughLink(const QString &root, const QString &relative)
{
    QString path = root;
    for (const QString &part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        if (QFileInfo(path).isSymLink())
            return true;
    }
    return false;
}

}  // namespace

PageZip::PageZip() = default;

PageZip::~PageZip()
{
    closeReader();
}

bool PageZip::fail(const QString &message)
{
    error_ = message;
    return false;
}

void PageZip::closeReader()
{
    if (reader_) {
        zip_discard(reader_);
        reader_ = nullptr;
    }
}

const QStringList &PageZip::storedTypes()
{
    static const QStringList stored = {
        QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"), QStringLiteral("gif"),
        QStringLiteral("webp"), QStringLiteral("zip"),  QStringLiteral("gz"),  QStringLiteral("mp4"),
        QStringLiteral("m4v"),  QStringLiteral("mov"),  QStringLiteral("mp3"), QStringLiteral("woff"),
        QStringLiteral("woff2"),
    };
    return stored;
}

bool PageZip::isStoredType(const QString &fileName)
{
    return storedTypes().contains(QFileInfo(fileName).suffix().toLower());
}

void PageZip::setProgressHandler(std::function<bool(double)> handler)
{
    progress_ = std::move(handler);
}

void PageZip::setLimits(const Limits &limits)
{
    limits_ = limits;
}

PageZip::Limits PageZip::limits() const
{
    return limits_;
}

QString PageZip::LastErrorText() const
{
    return error_;
}

bool PageZip::NewZip(const QString &archivePath)
{
    closeReader();
    entries_.clear();
    error_.clear();
    if (archivePath.isEmpty())
        return fail(QStringLiteral("No archive path was given."));
    const QFileInfo info(archivePath);
    if (info.isDir())
        return fail(QStringLiteral("%1 is a folder, not an archive.").arg(archivePath));
    if (!info.absoluteDir().exists())
        return fail(QStringLiteral("The folder of %1 does not exist.").arg(archivePath));
    archivePath_ = info.absoluteFilePath();
    writing_ = true;
    return true;
}

void PageZip::setAppendFromDir(const QString &folder)
{
    appendFrom_ = folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath());
}

QString PageZip::appendFromDir() const
{
    return appendFrom_;
}

QString PageZip::entryNameFor(const QString &absolutePath) const
{
    if (!appendFrom_.isEmpty()) {
        const QString prefix = appendFrom_ == QLatin1String("/") ? appendFrom_ : appendFrom_ + QLatin1Char('/');
        if (absolutePath.startsWith(prefix))
            return absolutePath.mid(prefix.size());
    }
    return QFileInfo(absolutePath).fileName();
}

void PageZip::addEntry(const QString &name, const QString &sourcePath)
{
    // A name given twice keeps the later file, as a folder copied over another would.
    for (Entry &entry : entries_) {
        if (entry.name == name) {
            entry.sourcePath = sourcePath;
            return;
        }
    }
    entries_.append({name, sourcePath});
}

bool PageZip::appendFolder(const QString &folder, const QString &filter, bool recurse)
{
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name);
    if (!filter.isEmpty())
        dir.setNameFilters({filter});
    const QFileInfoList items = dir.entryInfoList();
    for (const QFileInfo &item : items) {
        const QString path = QDir::cleanPath(item.absoluteFilePath());
        if (item.isDir()) {
            // A linked folder could lead round in a circle; its files are not ours.
            if (item.isSymLink() || !recurse)
                continue;
            addEntry(entryNameFor(path) + QLatin1Char('/'), QString());
            if (!appendFolder(path, QString(), true))
                return false;
        } else if (item.isFile()) {
            if (!item.isReadable())
                return fail(QStringLiteral("%1 cannot be read.").arg(path));
            addEntry(entryNameFor(path), path);
        }
    }
    return true;
}

bool PageZip::AppendFiles(const QString &pathOrPattern, bool recurse)
{
    if (!writing_)
        return fail(QStringLiteral("No archive has been started."));
    if (pathOrPattern.isEmpty())
        return fail(QStringLiteral("No file was given to add."));
    QString path = pathOrPattern;
    if (QDir::isRelativePath(path) && !appendFrom_.isEmpty())
        path = appendFrom_ + QLatin1Char('/') + path;
    path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());

    const QFileInfo info(path);
    if (hasWildcard(info.fileName())) {
        if (!info.absoluteDir().exists())
            return fail(QStringLiteral("The folder %1 does not exist.").arg(info.absolutePath()));
        return appendFolder(info.absolutePath(), info.fileName(), recurse);
    }
    if (info.isDir()) {
        addEntry(entryNameFor(path) + QLatin1Char('/'), QString());
        return appendFolder(path, QString(), true);
    }
    if (info.isFile()) {
        if (!info.isReadable())
            return fail(QStringLiteral("%1 cannot be read.").arg(path));
        addEntry(entryNameFor(path), path);
        return true;
    }
    return fail(QStringLiteral("%1 does not exist.").arg(path));
}

bool PageZip::writeEmptyArchive()
{
    // libzip removes an archive left without entries; a package that holds nothing is
    // still written, as the end-of-directory record alone.
    QSaveFile file(archivePath_);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("%1 could not be written: %2").arg(archivePath_, file.errorString()));
    QByteArray record(22, '\0');
    record[0] = 'P';
    record[1] = 'K';
    record[2] = 5;
    record[3] = 6;
    file.write(record);
    if (!file.commit())
        return fail(QStringLiteral("%1 could not be written: %2").arg(archivePath_, file.errorString()));
    return true;
}

bool PageZip::WriteZipAndClose()
{
    if (!writing_)
        return fail(QStringLiteral("No archive has been started."));
    writing_ = false;
    const QList<Entry> entries = std::exchange(entries_, {});
    if (entries.isEmpty())
        return writeEmptyArchive();

    // The archive is made as a part file beside the target, synced, renamed over
    // it and the folder synced: a crash leaves the old archive or the new one.
    // Part files of an interrupted earlier write are dropped first.
    const QString part = SafeFileWrite::partPathFor(archivePath_);
    SafeFileWrite::removeStaleParts(QFileInfo(archivePath_).absolutePath());
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(part).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return fail(QStringLiteral("%1 could not be created: %2").arg(archivePath_, libzipOpenError(code)));

    for (const Entry &entry : entries) {
        const QByteArray name = entry.name.toUtf8();
        zip_int64_t index = -1;
        if (entry.sourcePath.isEmpty()) {
            index = zip_dir_add(archive, name.constData(), ZIP_FL_ENC_UTF_8);
        } else {
            zip_source_t *source = zip_source_file(archive, QFile::encodeName(entry.sourcePath).constData(), 0, -1);
            if (source) {
                index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
                if (index < 0)
                    zip_source_free(source);
            }
            if (index >= 0 && isStoredType(entry.name))
                zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        }
        if (index < 0) {
            const QString why = libzipError(archive);
            zip_discard(archive);
            return fail(QStringLiteral("%1 could not be added to %2: %3")
                            .arg(entry.sourcePath.isEmpty() ? entry.name : entry.sourcePath, archivePath_, why));
        }
    }
    cancelled_ = false;
    if (progress_) {
        zip_register_progress_callback_with_state(
            archive, 0.01,
            [](zip_t *, double fraction, void *self) {
                auto *zip = static_cast<PageZip *>(self);
                if (!zip->cancelled_ && !zip->progress_(fraction))
                    zip->cancelled_ = true;
            },
            nullptr, this);
        zip_register_cancel_callback_with_state(
            archive, [](zip_t *, void *self) { return static_cast<PageZip *>(self)->cancelled_ ? 1 : 0; }, nullptr,
            this);
    }
    // libzip writes a temporary file next to the archive and renames it at the end.
    if (zip_close(archive) != 0) {
        const QString why = cancelled_ ? QStringLiteral("the write was stopped") : libzipError(archive);
        zip_discard(archive);
        QFile::remove(part);
        return fail(QStringLiteral("%1 could not be written: %2").arg(archivePath_, why));
    }
    QString why;
    if (!SafeFileWrite::commit(part, archivePath_, &why))
        return fail(QStringLiteral("%1 could not be written: %2").arg(archivePath_, why));
    return true;
}

bool PageZip::OpenZip(const QString &archivePath)
{
    closeReader();
    writing_ = false;
    entries_.clear();
    error_.clear();
    int code = 0;
    reader_ = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &code);
    if (!reader_)
        return fail(QStringLiteral("%1 could not be opened as a zip archive: %2").arg(archivePath, libzipOpenError(code)));
    archivePath_ = archivePath;
    return true;
}

QStringList PageZip::entryNames() const
{
    QStringList names;
    if (reader_) {
        const zip_int64_t count = zip_get_num_entries(reader_, 0);
        for (zip_int64_t i = 0; i < count; ++i)
            names << QString::fromUtf8(zip_get_name(reader_, zip_uint64_t(i), ZIP_FL_ENC_GUESS));
        return names;
    }
    for (const Entry &entry : entries_)
        names << entry.name;
    return names;
}

int32_t PageZip::Unzip(const QString &targetFolder)
{
    if (!reader_) {
        fail(QStringLiteral("No archive is open."));
        return -1;
    }
    const zip_int64_t count = zip_get_num_entries(reader_, 0);
    if (count < 0 || count > limits_.maxEntries) {
        fail(QStringLiteral("%1 holds %2 entries; at most %3 are accepted.")
                 .arg(archivePath_).arg(count).arg(limits_.maxEntries));
        return -1;
    }

    // Check everything first, so a refused archive leaves nothing behind.
    struct Planned {
        zip_uint64_t index;
        QString name;
        bool directory;
        qint64 size;
    };
    QList<Planned> plan;
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = zip_uint64_t(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(reader_, index, ZIP_FL_ENC_GUESS, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
            fail(QStringLiteral("Entry %1 of %2 cannot be read: %3").arg(i).arg(archivePath_, libzipError(reader_)));
            return -1;
        }
        const QString stored = QString::fromUtf8(stat.name);
        QString why;
        const QString name = safeEntryName(stored, &why);
        if (name.isEmpty()) {
            fail(QStringLiteral("%1 was refused: it holds %2.").arg(archivePath_, why));
            return -1;
        }
        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(reader_, index, 0, &opsys, &attributes) == 0 &&
            opsys == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK) {
            fail(QStringLiteral("%1 was refused: it holds the symbolic link \"%2\".").arg(archivePath_, stored));
            return -1;
        }
        const bool directory = name.endsWith(QLatin1Char('/'));
        const qint64 size = (stat.valid & ZIP_STAT_SIZE) ? qint64(stat.size) : 0;
        const qint64 packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? qint64(stat.comp_size) : 0;
        if (size < 0 || size > limits_.maxExpandedSize - total) {
            fail(QStringLiteral("%1 was refused: it expands to more than %2 bytes.")
                     .arg(archivePath_).arg(limits_.maxExpandedSize));
            return -1;
        }
        total += size;
        if (size > 0 && (packed <= 0 || size / limits_.maxRatio > packed ||
                         (size / limits_.maxRatio == packed && size % limits_.maxRatio != 0))) {
            fail(QStringLiteral("%1 was refused: \"%2\" expands more than %3 times its stored size.")
                     .arg(archivePath_, stored).arg(limits_.maxRatio));
            return -1;
        }
        plan.append({index, name, directory, size});
    }

    const QString root = QDir::cleanPath(QDir(targetFolder).absolutePath());
    if (!QDir().mkpath(root)) {
        fail(QStringLiteral("The folder %1 could not be created.").arg(root));
        return -1;
    }

    int32_t written = 0;
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    for (const Planned &item : plan) {
        if (passesThroughLink(root, item.name)) {
            fail(QStringLiteral("\"%1\" would be written through a symbolic link in %2.").arg(item.name, root));
            return -1;
        }
        const QString destination = root + QLatin1Char('/') + item.name;
        if (item.directory) {
            if (!QDir().mkpath(destination)) {
                fail(QStringLiteral("The folder %1 could not be created.").arg(destination));
                return -1;
            }
            continue;
        }
        const QString parent = QFileInfo(destination).absolutePath();
        if (!QDir().mkpath(parent)) {
            fail(QStringLiteral("The folder %1 could not be created.").arg(parent));
            return -1;
        }
        zip_file_t *in = zip_fopen_index(reader_, item.index, 0);
        if (!in) {
            fail(QStringLiteral("\"%1\" in %2 cannot be read: %3").arg(item.name, archivePath_, libzipError(reader_)));
            return -1;
        }
        QFile out(destination);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            zip_fclose(in);
            fail(QStringLiteral("%1 could not be written: %2").arg(destination, out.errorString()));
            return -1;
        }
        qint64 copied = 0;
        QString problem;
        for (;;) {
            const zip_int64_t n = zip_fread(in, buffer.data(), zip_uint64_t(buffer.size()));
            if (n < 0) {
                problem = QStringLiteral("\"%1\" in %2 is damaged: %3")
                              .arg(item.name, archivePath_, QString::fromUtf8(zip_file_strerror(in)));
                break;
            }
            if (n == 0)
                break;
            copied += n;
            // The directory's sizes were checked; the data must keep to them.
            if (copied > item.size) {
                problem = QStringLiteral("\"%1\" in %2 holds more than it declares.").arg(item.name, archivePath_);
                break;
            }
            if (out.write(buffer.constData(), n) != n) {
                problem = QStringLiteral("%1 could not be written: %2").arg(destination, out.errorString());
                break;
            }
        }
        zip_fclose(in);
        if (problem.isEmpty() && !out.flush())
            problem = QStringLiteral("%1 could not be written: %2").arg(destination, out.errorString());
        out.close();
        if (!problem.isEmpty()) {
            out.remove();
            fail(problem);
            return -1;
        }
        ++written;
    }
    return written;
}
