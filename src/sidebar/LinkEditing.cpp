#include "sidebar/LinkEditing.h"

#include "config/EditionSettings.h"
#include "sidebar/LinkPolicy.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

#include <QFileInfo>

namespace {
template <typename Fn> void oneStep(SelectionProxy &selection, const QString &name, Fn &&fn)
{
    UndoManager *undo = selection.undoManager();
    if (undo)
        undo->beginUndoGrouping();
    fn();
    if (undo) {
        undo->setActionName(name);
        undo->endUndoGrouping();
        undo->closeAutomaticGroup();
    }
}
} // namespace

QString LinkEditing::firstLine(const QString &typed)
{
    const qsizetype cut = typed.indexOf(QLatin1Char('\n'));
    return cut < 0 ? typed : typed.left(cut);
}

QString LinkEditing::cleanLink(const QString &typed)
{
    QString text = typed.trimmed();
    text.replace(QLatin1Char(' '), QStringLiteral("%20"));
    return firstLine(text);
}

QString LinkEditing::linkOptionForSegment(int segment)
{
    return segment == 1 ? QStringLiteral("_blank") : segment == 2 ? QStringLiteral("_parent") : QStringLiteral("_self");
}

QString LinkEditing::linkTypeForSegment(int segment)
{
    return segment == 1 ? QStringLiteral("shape") : QStringLiteral("text");
}

QString LinkEditing::pageLinkForDrop(const QString &dropped, const QList<ProjectPage> &pages)
{
    QString name = dropped.trimmed();
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
        name = name.mid(slash + 1);
    const QFileInfo info(name);
    if (gDocumentExtension.isEmpty() || info.suffix() != gDocumentExtension)
        return name;
    for (const ProjectPage &page : pages)
        if (page.fileName == name && !page.pagePublishFileName.isEmpty())
            return page.pagePublishFileName;
    return info.completeBaseName() + QStringLiteral(".html");
}

QString LinkEditing::saveLink(SelectionProxy &selection, const LinkValues &v, QString *cleaned)
{
    const QString link = cleanLink(v.link);
    if (cleaned)
        *cleaned = link;
    if (QString refusal = LinkPolicy::refusalForLink(link); !refusal.isEmpty())
        return refusal;
    for (const QString &ids : {v.onClickShow, v.onClickHide})
        if (QString refusal = LinkPolicy::refusalForElementIds(ids.trimmed(), true); !refusal.isEmpty())
            return refusal;
    const QString option = linkOptionForSegment(v.optionSegment);
    const QString type = linkTypeForSegment(v.typeSegment);
    const QString show = v.onClickShow.trimmed();
    const QString hide = v.onClickHide.trimmed();
    oneStep(selection, QStringLiteral("Link"), [&] {
        for (SKTGraphic *g : selection.selectedGraphics()) {
            if (auto *text = dynamic_cast<SKTText *>(g)) {
                text->setLink(link);
                text->setLinkOption(option);
                text->setLinkType(type);
                text->setOnClickShowString(show);
                text->setOnClickHideString(hide);
            } else if (auto *image = dynamic_cast<SKTImage *>(g)) {
                image->setLink(link);
                image->setLinkOption(option);
            } else if (auto *table = dynamic_cast<SKTTable *>(g)) {
                const SKTTable::Cell cell = table->grabCurrentTableCellHelper();
                if (!cell)
                    continue;
                // Through "cellStyles", so that undo gives the cells back.
                QList<myTextView> cells = table->value(QStringLiteral("cellStyles")).value<QList<myTextView>>();
                for (myTextView &c : cells) {
                    if (c.rowSpot == cell->rowSpot && c.columnSpot == cell->columnSpot) {
                        c.link = link;
                        c.linkOption = option;
                        c.linkType = type;
                        c.onClickShowString = show;
                        c.onClickHideString = hide;
                    }
                }
                table->setValue(QStringLiteral("cellStyles"), QVariant::fromValue(cells));
                if (const GridGraphic::Image picture = table->grabSelectedImageAtSpot(cell->rowSpot, cell->columnSpot))
                    picture->link = link;
            }
        }
    });
    return {};
}

QString LinkEditing::saveTooltip(SelectionProxy &selection, const QString &typed)
{
    const QString text = firstLine(typed);
    oneStep(selection, QStringLiteral("Tooltip"), [&] {
        for (SKTGraphic *g : selection.selectedGraphics())
            if (auto *image = dynamic_cast<SKTImage *>(g))
                image->setAltText(text);
    });
    return text;
}

QString LinkEditing::saveGalleryCaption(SelectionProxy &selection, GridGraphic &gallery,
                                        const std::shared_ptr<TransformView> &image, const QString &caption,
                                        const QString &link)
{
    if (QString refusal = LinkPolicy::refusalForLink(link.trimmed()); !refusal.isEmpty())
        return refusal;
    UndoManager *undo = selection.undoManager();
    if (undo)
        undo->beginUndoGrouping();
    setCaption(undo, &gallery, image, caption, link.trimmed());
    if (undo) {
        undo->setActionName(QStringLiteral("Caption"));
        undo->endUndoGrouping();
        undo->closeAutomaticGroup();
    }
    return {};
}

void LinkEditing::setCaption(UndoManager *undo, GridGraphic *gallery, const std::shared_ptr<TransformView> &image,
                             const QString &caption, const QString &link)
{
    // The picture is a record of its gallery: the step undoes itself, and redo the same way.
    if (undo) {
        const QString oldCaption = image->altText;
        const QString oldLink = image->link;
        undo->registerUndo([undo, gallery, image, oldCaption, oldLink] {
            setCaption(undo, gallery, image, oldCaption, oldLink);
        });
    }
    image->altText = caption;
    image->link = link;
    gallery->setPadding(gallery->padding());  // redraw
}

QString LinkEditing::slideLink(const SKTSlideshow &slideshow, int slideNumber)
{
    const auto &slides = slideshow.imageArray();
    if (slideNumber < 0 || slideNumber >= slides.size() || !slides[slideNumber])
        return {};
    return slides[slideNumber]->link;
}

QString LinkEditing::saveSlideLink(UndoManager *undo, SKTSlideshow &slideshow, int slideNumber, const QString &typed,
                                   QString *cleaned)
{
    const QString link = cleanLink(typed);
    if (QString refusal = LinkPolicy::refusalForLink(link); !refusal.isEmpty())
        return refusal;
    if (cleaned)
        *cleaned = link;
    const auto &slides = slideshow.imageArray();
    if (slideNumber < 0 || slideNumber >= slides.size() || !slides[slideNumber])
        return {};
    if (undo)
        undo->beginUndoGrouping();
    setSlideLink(undo, &slideshow, slides[slideNumber], link);
    if (undo) {
        undo->setActionName(QStringLiteral("Slide Link"));
        undo->endUndoGrouping();
        undo->closeAutomaticGroup();
    }
    return {};
}

void LinkEditing::setSlideLink(UndoManager *undo, SKTSlideshow *slideshow, const std::shared_ptr<TransformView> &slide,
                               const QString &link)
{
    // A slide is a record of its slideshow: the step undoes itself, and redo the same way.
    if (undo) {
        const QString old = slide->link;
        undo->registerUndo([undo, slideshow, slide, old] { setSlideLink(undo, slideshow, slide, old); });
    }
    slide->link = link;
    slideshow->setCurrentImageIndex(slideshow->currentImageIndex());  // redraw
}
