#pragma once
// The image files of a page folder and the names of a page's images: finding
// the best picture of an image, the next free image name, settling name
// clashes when a page is read, and copying an image's files to a new name.
//
// Image names and types come from the page text, so they are checked before
// they become file names: a name is letters, digits, "_" and "-" only, a type
// is JPG or PNG in any case. Nothing is read or written outside the folder.
#include "model/TransformView.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

struct ImageRename {
    QString oldName;  // as the page named it (may be unusable as a file name)
    QString newName;
    QString imageType;
    bool copyFiles = true; // false when the old name was no safe file name
    bool operator==(const ImageRename &) const = default;
};

class PageImageNames {
public:
    PageImageNames() = delete;

    static bool isSafeImageName(const QString &name);
    static bool isSafeImageType(const QString &type);

    // The best picture of image (name, type) in the folder: its original as
    // PNG, then as JPG, then its retina file, else its plain file. A null
    // image when none can be read or the name or type is unsafe.
    static QImage retrieveImageFile(const QString &folder, const QString &imageName, const QString &imageType);
    // The file retrieveImageFile would read, without reading it; empty when
    // there is none or the name or type is unsafe.
    static QString findImageFile(const QString &folder, const QString &imageName, const QString &imageType);
    // The image's mask picture (<name>_mask.png); null when none.
    static QImage retrieveMaskFile(const QString &folder, const QString &imageName);

    // True when another member of the image set (the images plus the names
    // in use elsewhere) has the image's name.
    static bool isImageNameAlreadyInUse(const TransformView *image,
                                        const QList<std::shared_ptr<TransformView>> &images,
                                        const QStringList &namesInUse = {});
    // "image%d" one past the largest number of the set's names; gaps are not reused.
    static QString getNextImageName(const QList<std::shared_ptr<TransformView>> &images,
                                    const QStringList &namesInUse = {});
    // Copies the plain, retina and original files of oldName to newName in
    // the folder, each only when it exists; failures are ignored.
    static void transferImageFilesForNewName(const QString &folder, const QString &oldName, const QString &newName,
                                             const QString &imageType);

    // Renames, in order, every image whose name clashes with another member
    // or cannot be a file name: of two images with one name the earlier is
    // renamed. Answers the renames made (the images carry the new names).
    static QList<ImageRename> settleImageNameClashes(const QList<std::shared_ptr<TransformView>> &images,
                                                     const QStringList &namesInUse = {});
};
