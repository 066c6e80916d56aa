#pragma once
// Zip archives of page packages, over libzip.
//
// Writing: NewZip, then AppendFiles as often as needed, then WriteZipAndClose. Entry
// names are relative to the append-from folder; a file outside it is stored under its
// own name. JPEG, PNG and other already-compressed files are stored as they are,
// everything else is deflated. The archive is written to a temporary file beside the
// target and renamed over it at the end, so a failed or interrupted write leaves the
// previous archive whole.
//
// Reading: OpenZip, then Unzip into a folder. Unzip checks the whole archive before
// it writes anything and refuses absolute names, ".." components, symbolic links,
// too many entries, too much expanded data and entries that expand too far.
//
// Every call that can fail answers so, with the reason in LastErrorText().
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

struct zip;

class PageZip {
public:
    struct Limits {
        int32_t maxEntries = 10000;
        qint64 maxExpandedSize = qint64(2) * 1024 * 1024 * 1024;  // 2 GiB, all entries together
        int32_t maxRatio = 200;  // expanded size / stored size, per entry
    };

    PageZip();
    ~PageZip();
    PageZip(const PageZip &) = delete;
    PageZip &operator=(const PageZip &) = delete;

    // Starts an empty archive that WriteZipAndClose will write to archivePath.
    bool NewZip(const QString &archivePath);
    // The folder entry names are made relative to (and relative paths given to
    // AppendFiles are resolved against).
    void setAppendFromDir(const QString &folder);
    QString appendFromDir() const;
    // Adds a file; a folder (as an entry of its own name, with its contents); or, with
    // a last component holding wildcards ("folder/*", "folder/*.png"), the matching
    // files and folders inside. recurse takes the contents of sub-folders too.
    bool AppendFiles(const QString &pathOrPattern, bool recurse);
    bool WriteZipAndClose();

    bool OpenZip(const QString &archivePath);
    // Extracts the open archive into targetFolder (created when missing). Answers the
    // number of files written, or -1 on failure.
    int32_t Unzip(const QString &targetFolder);
    // Entry names of the open archive (after OpenZip), or the ones added so far.
    QStringList entryNames() const;

    QString LastErrorText() const;

    // Called while WriteZipAndClose writes, with the share done (0 to 1). Answering
    // false stops the write; the previous archive then stays as it was.
    void setProgressHandler(std::function<bool(double fraction)> handler);

    void setLimits(const Limits &limits);
    Limits limits() const;

    // Files whose data is already compressed: stored, not deflated again.
    static bool isStoredType(const QString &fileName);
    // Their suffixes, lower case without the dot.
    static const QStringList &storedTypes();

private:
    struct Entry {
        QString name;        // as stored: "/" separated, directories end in "/"
        QString sourcePath;  // empty for a directory entry
    };
    bool fail(const QString &message);
    void addEntry(const QString &name, const QString &sourcePath);
    bool appendFolder(const QString &folder, const QString &filter, bool recurse);
    QString entryNameFor(const QString &absolutePath) const;
    bool writeEmptyArchive();
    void closeReader();

    QString archivePath_;
    QString appendFrom_;
    QList<Entry> entries_;
    bool writing_ = false;
    zip *reader_ = nullptr;
    QString error_;
    Limits limits_;
    std::function<bool(double)> progress_;
    bool cancelled_ = false;
};
