// The image generator: one image element as its CSS rule, its markup (plain,
// linked, or a thumbnail opening a modal with the full-size picture) and the
// modal-height script. The absolute page asks it only for the modal parts of
// enlargeable images; responsive and e-mail pages take all three.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/LineImageOutput.h"

namespace {

const char16_t kModalCSS[] =
    u".modal img {\ntext-align:center;\nmargin:0 auto;\nbox-shadow: 0 5px 15px rgba(0, 0, 0, .5);\n}\n"
    u".modal{\noverflow-y: auto;\npadding:20px;\n}\n"
    u".close{\nposition:absolute;\ntop:0px;\nright:0px;\ncolor:white;\nwidth:44px;\nheight:44px;\nfont-size: 28px;\n"
    u"font-family: Arial, Baskerville, monospace;\n}\n";

const char16_t kModalHeightScript[] =
    u"<script>\n$( document ).ready(function() {\nvar maxHeight = $(window).height() - 60 + \"px\";\n"
    u"$(\".modal img\").css(\"max-height\", maxHeight);\n});\n$(window).on(\"resize\", function() {\n"
    u"var maxHeight = $(window).height() - 60 + \"px\";\n$(\".modal img\").css(\"max-height\", maxHeight);\n});\n"
    u"$(window).trigger('resize');\n</script>\n";

bool isMissing(const QString &s) { return s.isEmpty() || s == QLatin1String("(null)"); }

} // namespace

CodeWidgetHelper SKTDocument::generateImageCode(ImageElement element, bool responsive)
{
    CodeWidgetHelper code;
    if (element.isNull())
        return code;

    // A padding or margin without a unit is a percentage.
    for (int i = 0; i < 8; ++i)
        if (isMissing(element.boxType(i)))
            element.setBoxType(i, QStringLiteral("%"));

    const QString name = element.imageName();
    const QString cssName = Escape::cssValue(name);
    const QString type = element.imageType();

    QString shadow;
    if (element.shadowRadius() != 0.0f)
        shadow = Fmt::fill(u"box-shadow: %dpx %dpx %dpx #5B5B5B;",
                           {double(element.shadowHorizontalOffset()), -double(element.shadowVerticalOffset()),
                            double(element.shadowRadius())});
    QString size;
    if (element.responsiveResizeFlag() == 1)
        size = Fmt::fill(u"width:%dpx;height:%dpx;", {element.bounds().width(), element.bounds().height()});
    QString alignment;
    if (element.responsiveAlignment() == 1)
        alignment = QStringLiteral("text-align:center;");
    else if (element.responsiveAlignment() == 2)
        alignment = QStringLiteral("text-align:right;");

    if (element.borderHexColorString().isEmpty())
        element.setBorderHexColorString(QStringLiteral("transparent"));
    if (element.borderStyle().isEmpty())
        element.setBorderStyle(QStringLiteral("none"));

    QString box;
    {
        const QString t[8] = {Escape::cssValue(element.boxType(0)), Escape::cssValue(element.boxType(1)),
                              Escape::cssValue(element.boxType(2)), Escape::cssValue(element.boxType(3)),
                              Escape::cssValue(element.boxType(4)), Escape::cssValue(element.boxType(5)),
                              Escape::cssValue(element.boxType(6)), Escape::cssValue(element.boxType(7))};
        box = Fmt::fill(u"padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;"
                        u"margin-top:%d%@;margin-bottom:%d%@;margin-left:%d%@;margin-right:%d%@;",
                        {element.boxValue(0), t[0], element.boxValue(1), t[1], element.boxValue(2), t[2],
                         element.boxValue(3), t[3], element.boxValue(4), t[4], element.boxValue(5), t[5],
                         element.boxValue(6), t[6], element.boxValue(7), t[7]});
        box.replace(QLatin1String("pixel"), QLatin1String("px"));
    }

    // A colour that is not a colour leaves its declaration out; "transparent"
    // (the default written above) and "CLEAR0" are written as CSS knows them.
    const QString storedBorder = element.borderHexColorString();
    const QString borderColour = LineImageOutput::colourDeclaration(
        QStringLiteral("border-color"),
        storedBorder == QLatin1String("transparent") ? QStringLiteral("CLEAR0") : storedBorder);
    const double opacity = element.opacity();
    const QString imageRule =
        Fmt::fill(u".%@{%@%@border-width:%dpx;border-style:%@;%@opacity:%f;filter:alpha(opacity=%f);%@%@}\n\n",
                  {cssName, size, alignment, element.borderWidth(), Escape::cssValue(element.borderStyle()),
                   borderColour, opacity, opacity * 100.0, shadow, box});

    const QString folder = element.selectable() ? pageName : QStringLiteral("basetemplate");
    const QString altText = element.altText();
    const QString link = element.link();

    if (element.imageEnlargeFlag() == 1) {
        const QString fullSize = Fmt::fill(u"%@/%@o.%@", {folder, name, type});
        QString backdrop;
        if (element.backdropLightingFlag() == 2)
            backdrop = QStringLiteral(".modal-backdrop{\nbackground-color: transparent;\n}");
        else if (element.backdropLightingFlag() == 0)
            backdrop = QStringLiteral(".modal-backdrop{\nbackground-color: white;\n}");
        const QString modalCSS = QString::fromUtf16(kModalCSS) + backdrop;
        code.headerString = (responsive && gResponsiveEdition) ? imageRule + QLatin1Char('\n') + modalCSS : modalCSS;

        const QString alt = Escape::html(altText);
        QString linkAttribute;
        QString caption;
        if (isMissing(link)) {
            linkAttribute = QStringLiteral("title=\"") + alt + QLatin1Char('"');
            if (!altText.isEmpty())
                caption = QStringLiteral("<p align=center><span style=\"background-color:#ffffff; "
                                         "padding-right:10px;padding-left:10px;\">")
                          + alt + QStringLiteral("</span></p>");
        } else {
            const QString href = Escape::quotedAttribute(link);
            linkAttribute = QStringLiteral("href=") + href + QStringLiteral(" title=\"") + alt + QLatin1Char('"');
            if (!altText.isEmpty())
                caption = QStringLiteral("<p align=center><span style=\"background-color:#ffffff; "
                                         "padding-right:10px;padding-left:10px;\"><a href=")
                          + href + QLatin1Char('>') + alt + QStringLiteral("</a></span></p>");
        }
        const QString htmlName = Escape::html(name);
        const QString htmlFullSize = Escape::html(fullSize);
        code.bodyString = Fmt::fill(
            u"<a class=%@ href=\"#popup_%@\" %@ data-toggle=\"modal\" data-target=\"#popup_%@\"><img class=\"img-responsive\" "
            u"src=\"%@\"></a>\n<div class=\"modal fade\" id=\"popup_%@\" tabindex=\"-1\" role=\"dialog\" "
            u"aria-labelledby=\"#popUpLabel_%@\" aria-hidden=\"true\">\n<button type=\"button\" class=\"close\" "
            u"data-dismiss=\"modal\">x</button>\n<img class=\"img-responsive\" src=\"%@\">\n%@\n</div>\n",
            {LineImageOutput::bareAttribute(name), htmlName, linkAttribute, htmlName, htmlFullSize, htmlName, htmlName,
             htmlFullSize, caption});
    } else {
        code.headerString = imageRule;
        if (element.slideShowNumber() < 0) { // not a slide (a gallery's picture is -66)
            const QString cls = LineImageOutput::bareAttribute(name);
            const QString src = Escape::html(Fmt::fill(u"%@/%@@2x.%@", {folder, name, type}));
            const QString alt = Escape::html(altText);
            if (!LineImageOutput::isLink(link)) {
                if (gResponsiveEmailEdition)
                    code.bodyString = Fmt::fill(u"<div class=%@ style='%@'><img src=\"%@\" alt=\"%@\" width=%@></div>\n",
                                                {cls, box, src, alt, QStringLiteral("100%")});
                else
                    code.bodyString = Fmt::fill(
                        u"<div class=%@><center><img src=\"%@\" class=\"img-responsive\" alt=\"%@\"></center></div>\n",
                        {cls, src, alt});
            } else {
                if (isMissing(element.linkOption()))
                    element.setLinkOption(QStringLiteral("_self"));
                const QString href = Escape::quotedAttribute(link);
                const QString target = Escape::quotedAttribute(element.linkOption());
                if (gResponsiveEmailEdition)
                    code.bodyString = Fmt::fill(
                        u"<div class=%@ style='%@'><a href=%@ target=%@><img src=\"%@\" alt=\"%@\" width=%@></a></div>\n",
                        {cls, box, href, target, src, alt, QStringLiteral("100%")});
                else
                    code.bodyString = Fmt::fill(u"<div class=%@><a href=%@ target=%@><center><img src=\"%@\" "
                                                u"class=\"img-responsive\" alt=\"%@\"></center></a></div>\n",
                                                {cls, href, target, src, alt});
            }
        }
    }

    if (!gResponsiveEmailEdition)
        code.javaScriptString = QString::fromUtf16(kModalHeightScript);
    return code;
}
