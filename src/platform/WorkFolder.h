#pragma once
// The program's scratch space. Every user has a folder of their own under the XDG
// cache folder (mode 0700); every running instance works in a subfolder of it, held
// by a lock file beside the subfolder. Folders left behind by instances that ended
// without cleaning up are removed once their lock is free; an instance folder is
// removed when its WorkFolder is destroyed.
#include <QLockFile>
#include <QString>

#include <memory>

class WorkFolder {
public:
    // Work inside basePath (created 0700 when missing); an empty basePath means
    // <XDG cache>/zov/work.
    explicit WorkFolder(const QString &basePath = {});
    ~WorkFolder();
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;

    // The program's work folder, opened on first use.
    static WorkFolder &shared();
    static QString defaultBasePath();

    // Creates the per-user folder and this instance's folder, removing stale instance
    // folders. False, with the reason in errorString(), when that is impossible.
    bool open();
    bool isOpen() const;
    QString errorString() const;
    // Removes this instance's folder and frees its lock; a later path() opens
    // a new one.
    void close();

    QString basePath() const;
    // This instance's folder (opened on demand); empty when it cannot be made.
    QString path();
    // A folder inside this instance's folder, created with its parents; empty on failure.
    QString subfolder(const QString &relativePath);

    // Removes instance folders under basePath whose lock is free. Answers how many.
    static int removeStaleInstances(const QString &basePath);

private:
    QString base_;
    QString path_;
    QString error_;
    std::unique_ptr<QLockFile> lock_;
};
