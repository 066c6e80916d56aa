#pragma once
// The image files of the current page for every maker, paste and the
// document: the next free image name, the writing of an inserted picture's
// original file, the copying of originals between pages, and the one loader
// of picture files.
//
// A new name is one above every image name of the page (free images,
// slides, gallery and table pictures, table backgrounds), every image<N>
// file in the page folder and every name issued on the page before, so a
// name never meets an existing file. Originals are written atomically and
// never over an existing file.
#include <QImage>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <cstdint>

class SKTDocument;

// A picture file read for insertion, or the reason it could not be.
struct PictureLoad {
    QString path;
    QImage image;      // decoded, turned upright, at most the original limit wide
    QSize pixelSize;   // the picture's own size, upright
    QString type;      // "PNG" or "JPG"
    bool sameFormatAsType = false; // the file already is a PNG or JPEG of that type
    QString error;     // empty when the picture was read
    // The original file's bytes, made on the worker: the file itself when it
    // already fits, else the picture scaled to the limit and encoded.
    QByteArray original;
    // The name the original was written under when a worker wrote it.
    QString imageName;
    // A PDF page's size in points.
    QSizeF pointSize;
};

class PageImageService {
public:
    explicit PageImageService(SKTDocument &document) : m_document(document) {}

    // The folder beside the page file that holds its images.
    QString pageFolder() const;
    QString getNextImageName();
    // count names at once, in order, each one above the one before.
    QStringList getNextImageNames(int count);
    // Writes <name>o.<type> into the page folder: the source file byte for
    // byte when it is of that type and within the limit, else the picture
    // scaled to the limit's width when wider and encoded. False, with the
    // reason, when nothing was written (the file existed, no data, no disk).
    bool saveOriginalImage(const QImage &picture, const QString &name, const QString &type,
                           const QString &sourceFile, const QSizeF &pixelSize, QString *error = nullptr,
                           const QByteArray &encoded = {});
    // The bytes of an original: the source file's when it is of the type and
    // within the limit, else the picture scaled to the limit and encoded.
    static QByteArray originalData(const QImage &picture, const QString &type, const QString &sourceFile,
                                   const QSizeF &pixelSize, int32_t limit);
    // Copies <source page folder>/sourceName into this page's folder as
    // destinationName; the source page is gCopySourcePagePath. Nothing is
    // overwritten; false when the copy was not made.
    bool makeCopyOfOriginalImage(const QString &destinationName, const QString &sourceName);
    // The same from a page folder given by the caller.
    bool copyOriginalFromFolder(const QString &sourceFolder, const QString &sourceName,
                                const QString &destinationName);

    // The widest original written: gImageSizeLimit when above 0, else the
    // user default "DovrinMaxImageSize", else 2000.
    static int32_t originalSizeLimit();
    // "PNG" for png and gif files, "JPG" for everything else.
    static QString imageTypeForPath(const QString &path);
    // Reads one picture file for insertion; never throws.
    static PictureLoad loadPicture(const QString &path, int32_t sizeLimit);

private:
    SKTDocument &m_document;
};
