#pragma once
// The user's commands on free-standing pictures: add picture files or the
// pages of a PDF file, replace or crop the selected picture, and switch its
// click-to-enlarge. Files are read on worker threads and inserted as one
// step; an unreadable file is refused in one message naming it, and
// nothing is written for it. Replacement keeps the previous original file
// aside while undo can bring it back; undo restores picture, bounds, type
// and file together.
#include <QImage>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "insertion/PictureBatch.h"

struct OpenPanelOptions;
class InsertionFrame;
class SKTGraphic;
class SKTImage;

// The pages of a PDF file drawn as pictures, or why they could not be.
struct PdfPages {
    QList<QImage> pictures;   // two pixels per point
    QList<QSizeF> pointSizes; // each page's size in points
    QString error;            // empty when the pages were read
};

class ImageCommands {
public:
    explicit ImageCommands(InsertionFrame &frame) : m_frame(frame) {}

    // The open panels "Add one or multiple images", "Add PDF file" and the
    // replacement's.
    static OpenPanelOptions imagePanelOptions();
    static OpenPanelOptions pdfPanelOptions();
    static OpenPanelOptions replacePanelOptions();
    // Show those panels; the chosen files go to the background inserts
    // below, on the frame that frames gives when the panel answers (a
    // modeless panel answers after this frame is gone).
    void addNewImage_drag(const QPointF &point, InsertionFrameRunner frames);
    void addNewPDF_drag(const QPointF &point, InsertionFrameRunner frames);
    // Each file 20 px right of the one before, the last one front-most; at
    // the menu point when fromMenu. Answers the graphics inserted.
    QList<std::shared_ptr<SKTGraphic>> insertImageFiles(const QStringList &paths, const QPointF &point,
                                                        bool fromMenu = false);
    // Every page, the last inserted first so page 1 ends front-most, each
    // 50 px right of the next.
    QList<std::shared_ptr<SKTGraphic>> insertPdfPages(const QString &path, const QPointF &point);
    static PdfPages renderPdfPages(const QString &path);

    // The same two inserts without holding the event loop: the files are
    // read, the pages drawn and the originals encoded on workers behind the
    // progress window; then frames gives a frame over the page and the
    // graphics are inserted there as one step, in the order above. When the
    // page was closed or switched meanwhile nothing is inserted and done
    // gets an empty list. done runs on the main thread.
    using Inserted = std::function<void(const QList<std::shared_ptr<SKTGraphic>> &)>;
    void insertImageFilesLater(const QStringList &paths, const QPointF &point, bool fromMenu,
                               InsertionFrameRunner frames, Inserted done = {});
    void insertPdfPagesLater(const QString &path, const QPointF &point, InsertionFrameRunner frames,
                             Inserted done = {});

    // The open panel for the replacing file; then replaceImageWithFile.
    void launchReplaceImage();
    bool replaceImageWithFile(const QString &path);
    // The selected image shows the picture: it keeps its place and width,
    // its height follows the picture. False (and a message) for an empty
    // picture or an image without width. type: "PNG", "JPG", or empty to keep.
    bool replaceImage(const QImage &picture, const QString &type = {});

    // Every selected picture: enlarge on click over a light (0), dark (1)
    // or clear (2) backdrop, or not at all.
    void setClickToEnlarge(int mode);
    void disableClickToEnlarge();
    bool isItAlreadyEnlarged();

    SKTImage *selectedImage();

private:
    void refuse(const QString &message, const QStringList &reasons);
    // Workers drawing the pages of a PDF file, each with its own document.
    static void addPdfJobs(PictureBatch &batch, const QString &path);
    static QList<std::shared_ptr<SKTGraphic>> placeImageFiles(InsertionFrame &frame, const QList<PictureLoad> &loads,
                                                              const QPointF &point, bool fromMenu);
    static QList<std::shared_ptr<SKTGraphic>> placePdfPages(InsertionFrame &frame, const QString &path,
                                                            const QList<PictureLoad> &pages, const QPointF &point);
    void runLater(PictureBatch &batch, InsertionFrameRunner frames, Inserted done,
                  std::function<QList<std::shared_ptr<SKTGraphic>>(InsertionFrame &, const QList<PictureLoad> &)> place);
    InsertionFrame &m_frame;
};
