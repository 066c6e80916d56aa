// The slideshow pass and the gallery pass of the page generator. A slideshow
// leaves its stored rule, its sliding frame and button rules, a script that
// moves its slides (on a timer of its own when it runs by itself) and one div
// per slide; a gallery leaves its stored rule and hands its images to the
// image pass.
#include "generation/GalleryMarkup.h"
#include "generation/Panels.h"
#include "generation/SlideshowOutput.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "generation/LineImageOutput.h"
#include "generation/PieceRoom.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTSlideshow.h"

namespace {

void appendScript(QString &out, int32_t n, int32_t slides, int32_t width, bool automatic)
{
    Fmt::append(out,
                u"\n<script type=\"text/javascript\">\n var numOfSlides%d = %d;\n var currentSlide%d = 0;\n"
                u" var totalWidth%d = %f;\nvar slideWidth%d=%f;\n\n\n",
                {n, slides, n, n, double(slides) * double(width), n, double(width)});
    Fmt::append(out,
                u"$(document).ready(function(){\n $(\"#previousButton%d\").click(showPreviousSlide%d);\n"
                u" $(\"#nextButton%d\").click(showNextSlide%d);\nupdateButtons%d();\n\n });\n\n\n",
                {n, n, n, n, n});
    // Each automatic slideshow has its own timer, so going back by hand in
    // one stops that one only.
    const QString stop = automatic ? Fmt::fill(u"clearInterval(autoStart%d);", {n}) : QString();
    Fmt::append(out,
                u"function showPreviousSlide%d()\n{\n currentSlide%d--;\n"
                u"$(\"#slideshow_all%d\").animate({scrollLeft:currentSlide%d*slideWidth%d}, 1000);\n"
                u"updateButtons%d();\n%@\n }\n \nfunction showNextSlide%d()\n{\n"
                u" if(currentSlide%d < numOfSlides%d-1) {currentSlide%d++;\n \n"
                u"$(\"#slideshow_all%d\").animate({scrollLeft: currentSlide%d*slideWidth%d}, 1000);\n"
                u"updateButtons%d();\n }}\n\n\n",
                {n, n, n, n, n, n, stop, n, n, n, n, n, n, n, n});
    Fmt::append(out,
                u"function updateButtons%d()\n {\n if(currentSlide%d < numOfSlides%d-1) {\n"
                u" $(\"#nextButton%d\").show();\n } else {\n $(\"#nextButton%d\").hide();\n }\n"
                u" if(currentSlide%d > 0) {\n $(\"#previousButton%d\").show();\n } else {\n"
                u" $(\"#previousButton%d\").hide();\n }\n }\n",
                {n, n, n, n, n, n, n, n});
    if (automatic)
        Fmt::append(out, u"var autoStart%d = setInterval(showNextSlide%d, 5000);\n", {n, n});
    out += u"</script>\n";
}

} // namespace

void SlideshowOutput::writeSlideshows(GenerationContext &ctx)
{
    const QList<SKTSlideshow *> &shows = ctx.doc.slideshowArray;
    PieceRoom room({&ctx.slideshowCSS, &ctx.slideshowButtonCSS, &ctx.slideshowScripts, &ctx.slideshowMarkup},
                   shows.size());
    int32_t n = 0;
    for (qsizetype i = shows.size() - 1; i >= 0; --i, ++n) {
        room.nextItem();
        SKTSlideshow *show = shows[i];
        if (!show)
            continue;
        const QRectF b = show->bounds();
        const int32_t left = Fmt::trunc(b.x());
        const int32_t top = Fmt::trunc(b.y());
        const int32_t width = Fmt::trunc(b.width());
        const int32_t height = Fmt::trunc(b.height());
        const int32_t z = ctx.stackingValue(show);
        ctx.rightEdges.append(Fmt::trunc(double(left) + double(width)));
        // Stored without its extension, as every other kind stores it: a
        // slideshow read from "shop.html" would otherwise come back as
        // "shop.html" where it was written as "shop", and one of the base
        // template's pages would not be known as "basetemplate".
        show->setTemplateName(ctx.templateNameFor(show->templateName()));
        const bool automatic = show->slideShowAutomaticFlag() == 1;

        Fmt::append(ctx.slideshowCSS,
                    u"\n.slideshow%d{position:absolute;left:%dpx;top:%dpx;z-index:%d;width:%dpx;height:%dpx;"
                    u"border:0px solid 000;overflow:hidden;margin:0 auto;fixed:%d;groupNumber:%d;autoStart:%d;"
                    u"templateName:%@;manualLayerIndex:%d;sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;}\n\n",
                    {n, left, top, z, width, height, show->moveLock(), show->groupNumber(),
                     show->slideShowAutomaticFlag(), Escape::cssValue(show->templateName()), show->manualLayerIndex(),
                     show->sectionNumber(), show->sectionRowSpot(), show->sectionColumnSpot()});
        Fmt::append(ctx.slideshowCSS,
                    u"#slideshow_all%d{width:%dpx;height:%dpx;position:absolute;overflow: hidden;margin: 0 auto;}\n"
                    u".slide%d{width: %dpx;float: left;}\n\n",
                    {n, width, height, n, width});
        Fmt::append(ctx.slideshowButtonCSS,
                    u"\n #previousButton%d, #nextButton%d{\n padding:0px;\n vertical-align:middle;\n"
                    u" opacity:0.60;filter:alpha(opacity=60);\ntext-align:center;\nfont-size:40px;color:#FFFFFF;"
                    u"font-family:\"Trebuchet MS\";width: 40px;\n height: 50px;\n border: 0px solid #000;\n"
                    u"position: absolute;\n background-color:#000;\n top: %fpx;\n cursor: hand;\n z-index:9999;\n }\n"
                    u"#nextButton%d{\n right: 0;\n }\n\n",
                    {n, n, double(height) * 0.5, n});

        const QList<SKTSlideshow::Slide> &slides = show->imageArray();
        const int32_t total = show->totalNumofSlides();
        appendScript(ctx.slideshowScripts, n, total, width, automatic);

        Fmt::append(ctx.slideshowMarkup, u"<div class=slideshow%d>\n<div id=slideshow_all%d>\n", {n, n});
        // The slides are named and written from the last to the first: stored
        // pages and the programs that read them rely on that order (the
        // reader puts slides back in the order of their image names).
        QStringList lines(total);
        for (int32_t s = total - 1; s >= 0; --s) {
            const SKTSlideshow::Slide &slide = slides.value(s);
            if (!slide)
                continue;
            ImageElement el(slide);
            el.setSlideShowNumber(n);
            const QString freeName = ctx.nextImageName();
            if (el.imageName().isEmpty() || el.imageName() == QLatin1String("(null)"))
                el.setImageName(freeName);
            if (el.altText().isNull())
                el.setAltText(QString(QLatin1String("")));
            el.setLink(SKTDocument::verifyLink(el.link()));
            const QString folder = el.selectable() ? ctx.pageName : el.templateName();
            const QString src = LineImageOutput::bareAttribute(
                Fmt::fill(u"%@/%@@2x.%@", {folder, el.imageName(), el.imageType()}));
            const QString cls = Escape::html(el.imageName());
            if (LineImageOutput::isLink(el.link())) {
                if (el.linkOption().isEmpty() || el.linkOption() == QLatin1String("(null)"))
                    el.setLinkOption(QStringLiteral("_self"));
                Fmt::append(lines[s],
                            u"<div class=\"slide%d\"><a href=%@ target=%@ title=\"%@\"><img src=%@ class=\"%@\" "
                            u"class=\"img-responsive\"></a></div>\n",
                            {n, Escape::quotedAttribute(el.link()), Escape::quotedAttribute(el.linkOption()),
                             Escape::html(el.altText()), src, cls});
            } else {
                Fmt::append(lines[s],
                            u"<div class=\"slide%d\"><img src=%@ class=\"%@\" class=\"img-responsive\"></div>\n",
                            {n, src, cls});
            }
        }
        for (qsizetype s = lines.size() - 1; s >= 0; --s)
            ctx.slideshowMarkup += lines[s];
        Fmt::append(ctx.slideshowMarkup,
                    u"</div><div id=\"previousButton%d\"><</div>\n<div id=\"nextButton%d\">></div></div>\n", {n, n});

        if (ctx.responsiveLayout) {
            // A slideshow without slides has no carousel.
            CodeWidgetHelper carousel = Panels::generateCarousel(ctx.doc, show);
            if (!carousel.bodyString.isEmpty())
                ctx.doc.sourceCodeArray.append(carousel);
        }
        for (const SKTSlideshow::Slide &slide : slides)
            if (slide)
                ctx.doc.imageViewArray.append(ImageElement(slide));
    }
}

void SlideshowOutput::writeGalleries(GenerationContext &ctx)
{
    const QList<SKTGalleryGrid *> &galleries = ctx.doc.galleryArray;
    PieceRoom room({&ctx.galleryGridCSS}, galleries.size());
    int32_t g = 0;
    for (qsizetype i = galleries.size() - 1; i >= 0; --i, ++g) {
        room.nextItem();
        SKTGalleryGrid *gallery = galleries[i];
        if (!gallery)
            continue;
        const QRectF b = gallery->bounds();
        const int32_t left = Fmt::trunc(b.x());
        const int32_t top = Fmt::trunc(b.y());
        const int32_t width = Fmt::trunc(b.width());
        const int32_t height = Fmt::trunc(b.height());
        const int32_t z = ctx.stackingValue(gallery);
        ctx.rightEdges.append(Fmt::trunc(double(left) + double(width)));
        gallery->setTemplateName(ctx.templateNameFor(gallery->templateName()));

        Fmt::append(ctx.galleryGridCSS,
                    u"\n.galleryGrid%d{position:absolute;left:%dpx;top:%dpx;z-index:%d;width:%dpx;height:%dpx;fixed:%d;"
                    u"numOfRows:%d;numOfColumns:%d;groupNumber:%d;padding:%d;shadowFlag:%d;backdrop:%d;templateName:%@;"
                    u"manualLayerIndex:%d;galleryNumber:%d;sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;}\n\n",
                    {g, left, top, z, width, height, gallery->moveLock(), gallery->numOfRows(),
                     gallery->numOfColumns(), gallery->groupNumber(), gallery->padding(), gallery->shadowFlag(),
                     gallery->backdropLightingFlag(), Escape::cssValue(gallery->templateName()),
                     gallery->manualLayerIndex(), g, gallery->sectionNumber(), gallery->sectionRowSpot(),
                     gallery->sectionColumnSpot()});

        for (const auto &image : gallery->imageArray()) {
            if (!image)
                continue;
            ctx.setContainerStackingValue(image.get(), z);
            ctx.doc.imageViewArray.append(ImageElement(image));
        }
        if (gResponsiveEdition) {
            CodeWidgetHelper code = GalleryMarkup::grabPhotoGalleryCode(ctx.doc, gallery);
            (ctx.isGraphicInASection(gallery) ? ctx.doc.sourceCodeArray : ctx.freeFragments).append(code);
        }
    }
}
