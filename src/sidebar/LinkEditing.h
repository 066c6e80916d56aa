#pragma once
// What the link, tooltip and caption pop-overs write into the selection.
// A link is cleaned (trimmed, blanks as "%20", first line only) and must then
// pass LinkPolicy; on-click fields take element ids only. Refused text
// changes nothing and the reason is answered for the pop-over to show. Each
// save is one named undo step; captions and tooltips are kept as typed, since
// page generation escapes them.
#include "sidebar/SelectionProxy.h"

#include <QList>
#include <QString>

#include <memory>

class GridGraphic;
class SKTSlideshow;
class TransformView;
class UndoManager;

// A page of the open project as the page list shows it (the window hands these in).
struct ProjectPage {
    QString fileName;             // e.g. "contact.zovpage"
    QString pagePublishFileName;  // e.g. "contact-us.html"
};

class LinkEditing {
public:
    LinkEditing() = delete;

    static QString cleanLink(const QString &typed);
    static QString firstLine(const QString &typed);
    // Segment 1 "_blank", 2 "_parent", else "_self"; type 1 "shape", else "text".
    static QString linkOptionForSegment(int segment);
    static QString linkTypeForSegment(int segment);
    // The text a page icon or file dropped on a link field becomes: its last
    // path component; a page of the project becomes the name it is published
    // as, any other page file "name.html".
    static QString pageLinkForDrop(const QString &dropped, const QList<ProjectPage> &pages);

    struct LinkValues {
        QString link;
        int optionSegment = 0;
        int typeSegment = 0;
        QString onClickShow, onClickHide;
    };
    // Texts get everything, images the link and option, tables the cell under
    // the last click (and the picture in that cell the link). Answers the
    // refusal, or empty when saved; *cleaned gets the text the field shows.
    static QString saveLink(SelectionProxy &selection, const LinkValues &values, QString *cleaned = nullptr);
    // Every selected image's tooltip; answers the text the field shows.
    static QString saveTooltip(SelectionProxy &selection, const QString &typed);
    // A gallery picture's caption and link.
    static QString saveGalleryCaption(SelectionProxy &selection, GridGraphic &gallery,
                                      const std::shared_ptr<TransformView> &image, const QString &caption,
                                      const QString &link);

    // The link of one slide (the slide window): cleaned, checked, one undo
    // step. Answers the refusal, or empty when saved (also for a slide number
    // the slideshow no longer has, which changes nothing).
    static QString saveSlideLink(UndoManager *undo, SKTSlideshow &slideshow, int slideNumber, const QString &typed,
                                 QString *cleaned = nullptr);
    static QString slideLink(const SKTSlideshow &slideshow, int slideNumber);

private:
    static void setSlideLink(UndoManager *undo, SKTSlideshow *slideshow, const std::shared_ptr<TransformView> &slide,
                             const QString &link);
    static void setCaption(UndoManager *undo, GridGraphic *gallery, const std::shared_ptr<TransformView> &image,
                           const QString &caption, const QString &link);
};
