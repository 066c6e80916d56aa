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
#include <memory>

class InsertionFrame;
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
    bool readable(const QStringList &paths, QList<QImage> &pictures);
    InsertionFrame &m_frame;
};
