#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
// Folder scans for the gallery and catalogue editions, file sizes, the
// upload filters for a site's images, and the progress window.
#include "config/ZovFileHelper.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class DataCentreFiles {
public:
    using ProgressReport = std::function<void(int32_t completed, int32_t total, const QString &text)>;

    // What a scan collects; the edition's flags give it at run time.
    struct FolderScanOptions {
        bool folders = false; // every sub-folder, with its size
        bool photos = false;  // jpg, jpeg, png and gif files
        bool videos = false;  // mp4, ogg, webm, mov and avi files
        // Where progress goes; empty: the progress window.
        ProgressReport progress;
    };

    // The edition's scan: folders in the catalogue edition, photos in the
    // photo gallery, videos in the video gallery.
    static FolderScanOptions editionScanOptions();

    // Walks the folder at every depth and makes one record per collected
    // item, in walking order. Safe on a worker thread: it touches no shared
    // state; progress goes through the thread-safe progress window. The
    // records are returned, not stored: the background form that takes no
    // options is the one that replaces gScannedFiles.
    [[nodiscard]] static QList<ZovFileHelper> countNumberOfFiles(const QString &folder, const FolderScanOptions &options);
    [[nodiscard]] static QList<ZovFileHelper> countNumberOfFiles(const QString &folder);
    // The same on a worker; `done` runs on context's thread with the records
    // (not at all when context is gone by then).
    static void countNumberOfFilesInBackground(const QString &folder, const FolderScanOptions &options,
                                               QObject *context,
                                               std::function<void(QList<ZovFileHelper>)> done);
    // The edition's scan on a worker; on the main thread the records replace
    // gScannedFiles and then `done` runs (unless context is gone).
    static void countNumberOfFilesInBackground(const QString &folder, QObject *context,
                                               std::function<void()> done);

    // Copies each record's file to outputFolder/pageNoun/<pageNoun><i>.<ext>
    // and sets its updatedFilePath. A copy goes to a temporary name first and
    // replaces an older file only when complete. Returns one message per
    // failed copy (empty when all went well).
    static QStringList duplicatePhotoRepository(const QString &outputFolder, const QString &pageNoun,
                                                QList<ZovFileHelper> &records, const ProgressReport &progress = {});
    // The same for gScannedFiles with the edition's page noun. The caller
    // makes sure nothing else reads gScannedFiles meanwhile.
    static QStringList duplicatePhotoRepository(const QString &outputFolder);

    // Sum of the sizes of the folder's direct entries (a sub-folder counts
    // its own entry only); 0 for an unreadable folder.
    static uint64_t sizeOfFolder(const QString &folder);
    // 0 when nothing is at the path.
    static int64_t grabFileSize(const QString &path);
    static QString grabFileSizeStr(const QString &path);
    // The byte-count text used for file and folder sizes.
    static QString byteCountString(uint64_t bytes);

    // Whether an image file of a generated site goes to the server: never
    // the form's "submit" buttons, never a full-size "o" file whose "@2x"
    // twin lies beside it. Only answers; the file is left alone.
    static bool shouldUploadThisImage(const QString &path);
    // For "<base>o.<ext>", whether "<base>@2x.<ext>" exists in the same folder.
    static bool isThere2xImage(const QString &path);

    // The "Please wait" window. Callable from any thread: the window itself
    // is updated on the main thread, and rapid updates are coalesced.
    static void showProgressIndicator();
    // Shows completed of total and the text; completed == total puts the
    // window away and brings the main window back.
    static void updateProgressBar(int32_t completed, int32_t total, const QString &text);
    static void dismissProgressIndicator();
};
