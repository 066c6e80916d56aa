#pragma once
// The static sites of the photo-grid, video-grid and folder-catalog
// editions: paged Bootstrap grid pages of the scanned photos or videos, or
// one table page of the scanned folders by size, written straight into the
// output folder. The generators are functions of the scan records and of a
// settings record that the caller reads from the settings window on the
// main thread, so they may run on a worker.
#include "config/ZovFileHelper.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct StaticGallerySettings {
    QString outputFolder;
    QString inputFolder;
    QString pageNoun;
    QString appName;
    QString title;
    int32_t theme = 0;           // 1: dark
    int32_t alignment = 0;       // 1: centred title
    int32_t photosPerPage = 0;   // 10 × segment + 10 per page
    int32_t duplicateOption = 0; // 1: copy the photos into the output folder first
    bool fileName = false;
    bool timestamp = false;
    bool filePath = false;
    int32_t skipFolderSize = 0; // catalog: skip threshold segment
    QString skipLabel;          // catalog: that segment's label
};

class StaticGallery {
public:
    StaticGallery() = delete;

    // Progress of a generator: completed of total, with the step's text.
    using Progress = std::function<void(int32_t completed, int32_t total, const QString &text)>;

    // The texts of the pages, page 1 first (nothing to write for no records
    // in the grids; the catalog always has its one page).
    static QStringList photoGalleryPages(const QList<ZovFileHelper> &records, const StaticGallerySettings &settings,
                                         const Progress &progress = {});
    static QStringList videoGalleryPages(const QList<ZovFileHelper> &records, const StaticGallerySettings &settings,
                                         const Progress &progress = {});
    static QString fileGalleryPage(const QList<ZovFileHelper> &records, const StaticGallerySettings &settings,
                                   const QDateTime &now, const Progress &progress = {});

    // Write the pages as "<noun><n>.html" into the output folder and answer
    // the path of the first page; "" with *error set when a page could not
    // be written. The photo generator first copies the photos into the
    // output folder when the settings ask for it, and then points the pages
    // at the copies.
    // A file that cannot be copied or read is named in skipped and left out;
    // the site is built from the rest. Photos get thumbnails at the size the
    // grid shows them, twice over for sharp screens ("thumbnails" folder).
    static QString generatePhotoGalleryCode(QList<ZovFileHelper> records, const StaticGallerySettings &settings,
                                            const Progress &progress, QString *error, QStringList *skipped = nullptr);
    static QString generateVideoGalleryCode(QList<ZovFileHelper> records, const StaticGallerySettings &settings,
                                            const Progress &progress, QString *error, QStringList *skipped = nullptr);
    // The width of a grid thumbnail in pixels: the grid's widest cell, twice.
    static constexpr int kThumbnailWidth = 2 * 165;
    // Writes the thumbnails of the records into outputFolder/thumbnails and
    // points each record at its own; records whose picture cannot be read are
    // taken out and named in the result.
    static QStringList makeThumbnails(QList<ZovFileHelper> &records, const QString &outputFolder, const QString &pageNoun);
    static QString generateFileGalleryCode(const QList<ZovFileHelper> &records, const StaticGallerySettings &settings,
                                           const Progress &progress, QString *error);

    // The file name of page n (from 1).
    static QString pageFileName(const QString &pageNoun, int32_t n);
    // The catalog's skip threshold in bytes for a segment of the skip control.
    static uint64_t skipThreshold(int32_t segment);
};
