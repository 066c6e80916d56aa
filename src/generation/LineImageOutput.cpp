// The line pass and the image pass of the page generator. Each line leaves a
// rule that stores its end points and style; each image element (free images,
// slides, gallery images, table images and backgrounds) leaves a rule named
// after its image, a retina rule when it has a retina version, its markup when
// it stands free on the page, and its files in the page folder.
#include "generation/LineImageOutput.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "generation/PieceRoom.h"
#include "model/ImageCounterHelp.h"
#include "model/SKTLine.h"

#include <algorithm>

QString LineImageOutput::bareAttribute(const QString &value)
{
    bool bare = !value.isEmpty();
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'_'
              || u == u'-' || u == u'.' || u == u'/' || u == u'@')) {
            bare = false;
            break;
        }
    }
    return bare ? value : Escape::quotedAttribute(value);
}

QString LineImageOutput::colourDeclaration(const QString &name, const QString &colour)
{
    if (colour == QLatin1String("CLEAR0"))
        return name + QStringLiteral(":transparent;");
    if (Escape::isHexColour(colour))
        return name + QStringLiteral(":#") + colour + QLatin1Char(';');
    return QString();
}

bool LineImageOutput::isLink(const QString &link)
{
    return !link.isEmpty() && link != QLatin1String("http://") && link != QLatin1String("(null)");
}

void LineImageOutput::writeLines(GenerationContext &ctx)
{
    const QList<SKTLine *> &lines = ctx.doc.lineArray;
    int32_t l = 0;
    for (qsizetype i = lines.size() - 1; i >= 0; --i, ++l) {
        SKTLine *line = lines[i];
        if (!line)
            continue;
        const int32_t x1 = Fmt::trunc(line->beginPoint().x());
        const int32_t y1 = Fmt::trunc(line->beginPoint().y());
        const int32_t x2 = Fmt::trunc(line->endPoint().x());
        const int32_t y2 = Fmt::trunc(line->endPoint().y());
        ctx.rightEdges.append(std::max(x1, x2));
        const int32_t z = ctx.stackingValue(line);
        line->setTemplateName(ctx.templateNameFor(line->templateName()));
        Fmt::append(ctx.lineCSS,
                    u"\n.line%d{position:%@;lineOriginX:%d;lineOriginY:%d;lineEndX:%d;lineEndY:%d;z-index:%d;fixed:%d;"
                    u"lineAlpha:%f;border-style:%@;border-width:%dpx;%@groupNumber:%d;shadowFlag:%d;templateName:%@;"
                    u"manualLayerIndex:%d;drawBeginArrow:%d;drawEndArrow:%d;}\n",
                    {l, GenerationContext::positionKeyword(line->scrollFlag()), x1, y1, x2, y2, z, line->moveLock(),
                     line->opacity(), Escape::cssValue(line->borderStyle()), line->borderWidth(),
                     colourDeclaration(QStringLiteral("border-color"), line->borderHexColorString()),
                     line->groupNumber(), line->shadowFlag(), Escape::cssValue(line->templateName()),
                     line->manualLayerIndex(), line->drawBeginArrow(), line->drawEndArrow()});
    }
}

namespace {

struct SortRecord {
    ImageElement element;
    int32_t imageNameIndex;
};

// The image rule; the opacity declarations only when the image is see-through.
void appendImageRule(QString &out, const ImageElement &el, const QString &position, int32_t left, int32_t top,
                     int32_t z, int32_t width, int32_t height, double opacity, int32_t shadow, double blur,
                     int32_t galleryNumber, int32_t rowSpot, int32_t columnSpot, int32_t tableNumber,
                     const QString &templateName)
{
    const QString name = Escape::cssValue(el.imageName());
    Fmt::append(out,
                u".%@{position:%@;left:%dpx;top:%dpx;z-index:%d;imagename:%@;imagetype:%@;width:%dpx;height:%dpx;"
                u"reflection:%d;reflection-fraction:%f;border-width:%dpx;border-style:%@;%@fixed:%d;",
                {name, position, left, top, z, name, Escape::cssValue(el.imageType()), width, height,
                 el.reflection() > 0.0 ? 1 : 0, el.reflection(), el.borderWidth(), Escape::cssValue(el.borderStyle()),
                 LineImageOutput::colourDeclaration(QStringLiteral("border-color"), el.borderHexColorString()),
                 el.moveLock()});
    if (opacity < 1.0)
        Fmt::append(out, u"opacity:%f;filter:alpha(opacity=%f);", {opacity, opacity * 100.0});
    Fmt::append(out,
                u"box-shadow:%dpx %dpx %fpx #000000;shadowOpacity:%f;shadowRadius:%f;shadowOffSetY:%d;imageAlpha:%f;"
                u"display:%@;retina:%d;slideShowNumber:%d;groupNumber:%d;enlarge:%d;galleryNumber:%d;"
                u"galleryRowSpot:%d;galleryColumnSpot:%d;tableNumber:%d;templateName:%@;backdrop:%d;"
                u"manualLayerIndex:%d;originalHeight:%d;bubbleFlag:%d;bubbleShape:%@;imageMaskFlag:%d;"
                u"shadowBlurRadius:%f;shadowDistanceX:%f;shadowDistanceY:%f;rotationAngle:%f;responsiveResizeFlag:%d;"
                u"responsiveAlignmentFlag:%d;sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;",
                {0, 2 * shadow, blur, 1.0, blur, 2 * shadow, opacity, QStringLiteral("inline"), el.retinaFlag() ? 1 : 0,
                 el.slideShowNumber(), el.groupNumber(), el.imageEnlargeFlag(), galleryNumber, rowSpot, columnSpot,
                 tableNumber, Escape::cssValue(templateName), el.backdropLightingFlag(), el.manualLayerIndex(),
                 el.bounds().height(), el.bubbleFlag(), Escape::cssValue(el.bubbleShape()), el.hasMask() ? 1 : 0,
                 el.shadowRadius(), el.shadowHorizontalOffset(), el.shadowVerticalOffset(), el.rotationAngle(),
                 el.responsiveResizeFlag(), el.responsiveAlignment(), el.sectionNumber(), el.sectionRowSpot(),
                 el.sectionColumnSpot()});
    Fmt::append(out,
                u"topPaddingStr:%d;bottomPaddingStr:%d;leftPaddingStr:%d;rightPaddingStr:%d;topMarginStr:%d;"
                u"bottomMarginStr:%d;leftMarginStr:%d;rightMarginStr:%d;topPaddingTypeStr:%@;bottomPaddingTypeStr:%@;"
                u"leftPaddingTypeStr:%@;rightPaddingTypeStr:%@;topMarginTypeStr:%@;bottomMarginTypeStr:%@;"
                u"leftMarginTypeStr:%@;rightMarginTypeStr:%@;}\n\n",
                {el.boxValue(0), el.boxValue(1), el.boxValue(2), el.boxValue(3), el.boxValue(4), el.boxValue(5),
                 el.boxValue(6), el.boxValue(7), Escape::cssValue(el.boxType(0)), Escape::cssValue(el.boxType(1)),
                 Escape::cssValue(el.boxType(2)), Escape::cssValue(el.boxType(3)), Escape::cssValue(el.boxType(4)),
                 Escape::cssValue(el.boxType(5)), Escape::cssValue(el.boxType(6)), Escape::cssValue(el.boxType(7))});
}

void noteFailedImage(SKTDocument &doc, const ImageElement &el)
{
    if (doc.lastWriteError.isEmpty())
        doc.lastWriteError = QStringLiteral("The image file \u201C%1\u201D could not be written.").arg(el.imageName());
}

} // namespace

bool LineImageOutput::writeImages(GenerationContext &ctx)
{
    SKTDocument &doc = ctx.doc;
    QList<SortRecord> records;
    records.reserve(doc.imageViewArray.size());
    for (const ImageElement &el : doc.imageViewArray)
        if (!el.isNull())
            records.append({el, ImageCounterHelp::indexOfImageName(el.imageName())});
    std::stable_sort(records.begin(), records.end(),
                     [](const SortRecord &a, const SortRecord &b) { return a.imageNameIndex < b.imageNameIndex; });

    PieceRoom room({&ctx.imageCSS, &ctx.imageMarkup}, records.size());
    for (const SortRecord &record : records) {
        room.nextItem();
        ImageElement el = record.element;
        // Slides carry their slideshow's number; -99 (none) and -66 (a
        // gallery's picture) are not slides, and a gallery's pictures are
        // shown by their own markup.
        const bool slide = el.slideShowNumber() >= 0;
        const QRectF b = el.bounds();
        const double w = b.width();
        const double h = b.height();
        const double border = el.borderWidth();
        const int32_t left = Fmt::trunc(b.x());
        const int32_t top = Fmt::trunc(b.y());
        int32_t width = 0;
        int32_t height = 0;
        if (slide) {
            width = Fmt::trunc(w);
            height = Fmt::trunc(h);
        } else if (border <= 0.0) {
            width = Fmt::trunc(w - 2.0 * border);
            height = Fmt::trunc(h - 2.0 * border);
        } else {
            // A bordered image keeps its width; its height follows the picture's
            // proportions inside the border. A zero-width image has no proportion.
            width = Fmt::trunc(w);
            const double inner = w > 0.0 ? double(Fmt::trunc(w - 2.0 * border)) * h / w : h;
            height = Fmt::trunc(double(Fmt::trunc(inner)) + 2.0 * border);
        }

        const bool carrier = el.isCarrier();
        const bool galleryImage = carrier && el.galleryNumber() != -99;
        if (!slide && !galleryImage)
            ctx.rightEdges.append(Fmt::trunc(double(left) + double(width)));

        const int32_t shadow = el.shadowFlag() == 1 ? 1 : 0;
        const double blur = shadow ? 3.0 : 0.0;
        const double opacity = slide ? 1.0 : el.opacity();
        if (el.altText().isNull())
            el.setAltText(QString(QLatin1String("")));
        const QString link = SKTDocument::verifyLink(el.link());

        doc.storeImageNowFlag = true;
        if (el.selectable() && ctx.saveImages && !doc.loopThroughFlag && !doc.saveImage(el))
            noteFailedImage(doc, el);
        if (el.hasMask() && !doc.saveMaskImage(el))
            noteFailedImage(doc, el);

        int32_t rowSpot = -99;
        int32_t columnSpot = -99;
        int32_t galleryNumber = -99;
        int32_t tableNumber = -99;
        int32_t z = 0;
        if (carrier) {
            rowSpot = el.rowSpot();
            columnSpot = el.columnSpot();
            galleryNumber = el.galleryNumber();
            tableNumber = el.tableNumber();
            z = ctx.containerStackingValue(el.identity());
        } else {
            z = ctx.stackingValue(el.graphic());
        }

        // Only the base template keeps its own folder; any other template
        // name is this page's.
        QString templateName = el.templateName();
        if (!templateName.isEmpty() && templateName != QLatin1String("(null)"))
            templateName = ctx.templateNameFor(templateName);
        if (templateName != QLatin1String("basetemplate"))
            templateName = doc.pageName;
        el.setTemplateName(templateName);
        const QString folder = el.selectable() ? ctx.pageName : templateName;
        const QString position = GenerationContext::positionKeyword(el.scrollFlag());

        appendImageRule(ctx.imageCSS, el, position, left, top, z, width, height, opacity, shadow, blur, galleryNumber,
                        rowSpot, columnSpot, tableNumber, templateName);

        const QString name = el.imageName();
        const QString type = el.imageType();
        if (el.retinaFlag())
            Fmt::append(ctx.retinaBlock,
                        u".%@{position:%@;background-size:%dpx %dpx !important;z-index:%d;"
                        u"background:transparent url(\"%@/%@@2x.%@\");}",
                        {Escape::cssValue(name), position, width, height, double(z) + 1.0, Escape::cssValue(folder),
                         Escape::cssValue(name), Escape::cssValue(type)});

        if (el.imageEnlargeFlag() == 1) {
            const CodeWidgetHelper code = doc.generateImageCode(el, ctx.responsiveFlag);
            ctx.imageMarkup += code.bodyString;
            ctx.imageCSS += QLatin1Char('\n');
            ctx.imageCSS += code.headerString;
            ctx.imageCSS += QLatin1Char('\n');
            if (gResponsiveEdition && el.tableNumber() == -99 && !galleryImage) {
                CodeWidgetHelper fragment = code;
                fragment.setRect(QRectF(left, top, width, height));
                fragment.responsiveResizeFlag = el.responsiveResizeFlag();
                doc.sourceCodeArray.append(fragment);
            }
        } else if (el.tableNumber() == -99 && !slide) {
            const QString cls = bareAttribute(name);
            const QString src = Escape::html(Fmt::fill(u"%@/%@@2x.%@", {folder, name, type}));
            const QString alt = Escape::html(el.altText());
            const bool sized = gResponsiveEdition && el.responsiveResizeFlag() == 1;
            if (isLink(link)) {
                if (el.linkOption().isEmpty())
                    el.setLinkOption(QStringLiteral("_self"));
                const QString href = Escape::quotedAttribute(link);
                const QString target = Escape::quotedAttribute(el.linkOption());
                if (sized)
                    Fmt::append(ctx.imageMarkup,
                                u"<div class=%@><a href=%@ target=%@><img src=\"%@\" width=%d height=%d "
                                u"class=\"img-responsive\" alt=\"%@\"></a></div>\n",
                                {cls, href, target, src, w, h, alt});
                else
                    Fmt::append(ctx.imageMarkup,
                                u"<div class=%@><a href=%@ target=%@><img src=\"%@\" class=\"img-responsive\" "
                                u"alt=\"%@\"></a></div>\n",
                                {cls, href, target, src, alt});
            } else if (sized) {
                Fmt::append(ctx.imageMarkup, u"<div class=%@><img src=\"%@\" width=%d height=%d alt=\"%@\"></div>\n",
                            {cls, src, w, h, alt});
            } else {
                Fmt::append(ctx.imageMarkup,
                            u"<div class=%@><img src=\"%@\" class=\"img-responsive\" alt=\"%@\"></div>\n",
                            {cls, src, alt});
            }
            if (gResponsiveEdition) {
                CodeWidgetHelper fragment = doc.generateImageCode(el, ctx.responsiveFlag);
                fragment.setRect(QRectF(left, top, width, height));
                fragment.responsiveResizeFlag = el.responsiveResizeFlag();
                doc.sourceCodeArray.append(fragment);
            }
        }
    }
    return !records.isEmpty();
}
