#pragma once
// Mask shapes for image graphics: the PNG files of the "image_masks"
// resource folder, "circle4.png" the default. A chosen file is tinted white
// and set as the mask of every selected image together with its maskFlag, as
// one undo step. A file that cannot be read is reported and the images keep
// their masks.
#include "sidebar/SelectionProxy.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

class QObject;

class ImageMasks {
public:
    ImageMasks() = delete;

    static QString defaultMaskName() { return QStringLiteral("circle4.png"); }
    static QString folder();
    // The "png" files of the folder, in name order.
    static QStringList maskFiles();
    // Choice k of the chooser: five a row, 50 x 50.
    static QRect choiceFrame(int k) { return QRect(5 + 50 * (k % 5), 50 * (k / 5), 50, 50); }
    // The image with its opaque pixels painted one colour, keeping its transparency.
    static QImage tinted(const QImage &image, const QColor &colour);

    // Answers the error, or empty when the mask was set.
    static QString applyMaskFilter(SelectionProxy &selection, const QString &path);
    // The "Apply Mask" box: on sets the default mask, off removes the mask.
    static QString adjustMaskFilter(SelectionProxy &selection, bool on);
    // "Use My Own": PNG files through the file panel; each is applied in turn and
    // the last remains. Errors reach report.
    static void selectCustomImageAsMask(SelectionProxy &selection, QObject *window,
                                        const std::function<void(const QString &)> &report);
};
