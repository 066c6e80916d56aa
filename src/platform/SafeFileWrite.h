#pragma once
// Writing a file so that a crash or a full disk never leaves it half written:
// the bytes go to a part file beside the target (".<name>.zovpart"), which is
// synced, renamed over the target, and the folder synced after the rename.
// A part file left by an interrupted write is replaced by the next write of
// the same target, so part files never pile up.
#include <QByteArray>
#include <QString>

class SafeFileWrite {
public:
    SafeFileWrite() = delete;
    // Answers false, with "file: reason" in *error, when the file could not
    // be written; the old file is then untouched.
    static bool write(const QString &path, const QByteArray &data, QString *error = nullptr);
    // The part file a write of path uses.
    static QString partPathFor(const QString &path);
    // Flushes a file's data or a folder's entries to the disk.
    static bool syncFile(const QString &path);
    static bool syncFolder(const QString &folder);
    // Renames from over to after syncing from, then syncs the folder of to.
    static bool commit(const QString &from, const QString &to, QString *error = nullptr);
    // Removes part files (and libzip's temporary files of them) in folder.
    static int removeStaleParts(const QString &folder);
};
