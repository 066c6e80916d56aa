#pragma once
// The slides of the selected slideshow: added from picture files, the
// current one replaced, deleted or given a link, and automatic advance
// switched. Unreadable files are refused in one message and nothing is
// written; slide originals are written atomically; deleting the last slide
// keeps the current index in range. Each command is one undo step giving
// back the slides, the current one and the flags.
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "insertion/PageImageService.h"

class InsertionFrame;
class SKTDocument;
class SKTSlideshow;
class TransformView;

class SlideCommands {
public:
    explicit SlideCommands(InsertionFrame &frame) : m_frame(frame) {}

    // Exactly one slideshow selected (and, for the second, with slides):
    // it becomes the selected slideshow.
    bool slideShowOptionsShown();
    bool slideShowImageEditingOptionsShown();

    int addSlideshowImage(const QStringList &paths);
    // The same without holding the event loop: the files are read on workers
    // behind the progress window and added as one step when ready. When the
    // page was closed or switched, or the slideshow left it, nothing is added
    // and done gets 0. done runs on the main thread.
    void addSlideshowImagesLater(const QStringList &paths, std::function<void(int added)> done = {});
    bool replaceSlide(const QString &path);
    bool deleteSlide();
    // The current slide's link ("" for none), and storing a new one.
    QString currentSlideLink();
    bool saveSlideLink(const QString &link);
    bool automateSlideShow();
    // "Disable Auto Scrolling" or "Set Auto Scrolling".
    QString automateTitle();

    // A slide record for the picture; its original, at most the size limit
    // wide, is written into the page folder. Null when it could not be.
    std::shared_ptr<TransformView> createNewSlideshowImage(const QImage &picture, const QString &type,
                                                           const QString &sourceFile = {});

private:
    SKTSlideshow *slideshow();
    template <typename Edit> void edit(SKTSlideshow &show, const QString &name, Edit &&change);
    template <typename Edit>
    static void editSlides(SKTDocument &document, SKTSlideshow &show, const QString &name, Edit &&change);
    bool readable(const QStringList &paths, QList<PictureLoad> &loads);
    static std::shared_ptr<TransformView> createSlide(SKTDocument &document, const QImage &picture,
                                                      const QString &type, const QString &sourceFile,
                                                      const QByteArray &original);
    // Refuses the lot when any file was unreadable; else adds them in order
    // as one step.
    static int placeSlides(SKTDocument &document, SKTSlideshow &show, const QList<PictureLoad> &loads);
    InsertionFrame &m_frame;
};
