#pragma once
// One file or folder found by a folder scan (the gallery and catalogue
// editions build their pages from these records).
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>

struct ZovFileHelper {
    QString filePath;
    // Path of the numbered copy, relative to the output folder ("photo/photo3.jpg").
    QString updatedFilePath;
    // Path of the grid's thumbnail, relative to the output folder; "" for none.
    QString thumbnailPath;
    QDateTime fileModDate;
    QString fileModDateString;
    QString fileModDateString_fileNameFormat;
    // Folders only: the size of the folder's direct entries.
    QString fileSize;
    uint64_t fileSizeBytes = 0;

    // The field of that name, for the one-key sort (DataCentre::sortArray);
    // an unknown key gives an invalid QVariant.
    QVariant valueForKey(const QString &key) const;
};
