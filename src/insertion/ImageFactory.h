#pragma once
// The image factory: every free-standing picture reaches the page here. It
// names the picture, writes its original file into the page folder, builds
// the SKTImage, fits it into the section cell in responsive editions and
// inserts it in front of the page. A picture that cannot be read or stored
// is refused with a message naming the file and the reason: no graphic and
// no file are left behind.
#include "insertion/InsertionFrame.h"
#include "insertion/PictureBatch.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

struct ImageInsertion {
    QImage picture;
    QString type = QStringLiteral("JPG");
    QPointF point;
    // The file the picture came from; its bytes become the original when
    // they can. Empty for pictures made in the program.
    QString sourceFile;
    QString link;
    QSizeF pixelSize;
    int32_t groupNumber = -99;
    QSizeF displaySize;
    int32_t imageEnlargeFlag = 0;
    QString borderStyle = QStringLiteral("none");
    QString borderHexColorString = QStringLiteral("FFFFFF");
    int32_t borderWidth = 0;
    int32_t shadow = 0;
    int32_t bubbleFlag = 0;
    QString bubbleShape;
    QRectF frame;
    // The original file's bytes when they were made beforehand (on a worker).
    QByteArray originalData;
};

class ImageFactory {
public:
    explicit ImageFactory(InsertionFrame &frame) : m_frame(frame) {}

    // The display size of a picture: at most gMaxInsertedImageSize (600
    // when 0) wide, proportions kept.
    static QSizeF displaySizeFor(const QSizeF &pixelSize);
    // Null (and an alert) when the picture is empty or its original could
    // not be written.
    std::shared_ptr<SKTGraphic> addImageIntoArray(const ImageInsertion &insertion);
    // The image command's files: read on worker threads, inserted in order
    // side by side from the point as one step. Unreadable files are named in
    // one message; the others are inserted. Answers the graphics inserted.
    QList<std::shared_ptr<SKTGraphic>> addPictureFiles(const QStringList &paths, const QPointF &point);
    // The same without holding the event loop: the files are read on workers
    // behind the progress window; frames then gives a frame over the page and
    // they are inserted there as one step. A page closed or switched
    // meanwhile is left alone and done gets an empty list. For the canvas's
    // picture drops and its image command.
    void addPictureFilesLater(const QStringList &paths, const QPointF &point, InsertionFrameRunner frames,
                              std::function<void(const QList<std::shared_ptr<SKTGraphic>> &)> done = {});

private:
    QList<std::shared_ptr<SKTGraphic>> placePictureFiles(const QList<PictureLoad> &loads, const QPointF &point);
    void refuse(const QString &file, const QString &why);
    InsertionFrame &m_frame;
};
