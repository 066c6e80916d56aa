// Panels, carousels and the photo hover caption. Cell texts come from the
// text element generator; image sources, alternative texts and captions are
// escaped for their attribute; every text carousel has an id of its own, so
// two on one page step independently.
#include "generation/Panels.h"

#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/TableCellParts.h"
#include "document/TextElement.h"
#include "model/SKTSlideshow.h"

namespace {

const char16_t kImagePanelCSS[] =
    u".panel-image {\nposition: relative;\n}\n.panel-image img.panel-image-preview {\nwidth: 100%;\n"
    u"border-radius: 4px 4px 0px 0px;}\n.panel-image label {\ndisplay: block;\nposition: absolute;\ntop: 0px;\n"
    u"left: 0px;\nheight: 100%;\nwidth: 100%;}\n.panel-heading ~ .panel-image img.panel-image-preview {\n"
    u"border-radius: 0px;}\n.panel-body {\noverflow: hidden;}\n.panel-image ~ input[type=checkbox] {\n"
    u"position:absolute;\ntop:- 30px;\nz-index: -1;}\n.panel-image ~ input[type=checkbox] ~ .panel-body {\n"
    u"height: 0px;\npadding: 0px;}\n.panel-image ~ input[type=checkbox]:checked ~ .panel-body {\nheight: auto;\n"
    u"padding: 15px;}\n.panel-image ~ .panel-footer a {\npadding: 0px 10px;\nfont-size: 1.3em;\n"
    u"color: rgb(100, 100, 100);}\n";

// %1 is the carousel's id.
const char16_t kQuoteCSS[] =
    u"#%1\n{\npadding: 0 10px 30px 10px;\n    margin-top: 30px;\n}\n#%1 .carousel-control\n{\nbackground: none;\n"
    u"color: #222;\n  font-size: 2.3em;\ntext-shadow: none;\nmargin-top: 30px;\n}\n#%1 .carousel-indicators\n{\n"
    u"right: 50%;\ntop: auto;\nbottom: 0px;\nmargin-right: -19px;\n}\n#%1 .carousel-indicators li\n{\n"
    u"background: #c0c0c0;\n}\n#%1 .carousel-indicators .active\n{\nbackground: #333333;\n}\n.item blockquote {\n"
    u"    border-left: none;\nmargin: 0;\n}\n#%1 .carousel-inner{\nmargin-left:50px;\nmargin-right:50px;\n"
    u"width:inherit;\n}\n@media (min-width: 768px) {\n#%1\n{\nmargin-bottom: 0;\npadding: 0 40px 30px 40px;\n}\n}\n"
    u"@media (max-width: 768px) {\n#%1 .carousel-inner{\nmargin-left:20px;\nmargin-right:20px;\nwidth:inherit;\n}\n"
    u"#%1 .carousel-indicators {\nbottom: -20px !important;\n}\n#%1 .carousel-indicators li {\n"
    u"display: inline-block;\nmargin: 0px 5px;\nwidth: 15px;\nheight: 15px;\n}\n"
    u"#%1 .carousel-indicators li.active {\nmargin: 0px 5px;\nwidth: 20px;\nheight: 20px;\n}\n}\n";

const char16_t kCarouselCSS[] =
    u".carousel-indicators li{\nbackground-color:transparent;\n}\n.carousel-indicators .active{\n"
    u"background-color:#fff;\n}\n.carousel-control.left, .carousel-control.right {\nbackground: none !important;\n"
    u"filter: progid: none !important;\noutline: 0;\n}\n.carousel .carousel-control {\nvisibility: visible;\n"
    u"color:#FFF;\n}\n.carousel:hover .carousel-control {\nvisibility: visible;\n}\n.image_fullWidth {\n"
    u"width:100%;\n}\n";

CodeWidgetHelper start(const SKTGraphic &graphic, bool table)
{
    CodeWidgetHelper code;
    code.setRect(graphic.bounds());
    code.partOfTableFlag = table;
    return code;
}

// The first image of the table, as a source ready for a quoted attribute.
QString firstImageSource(const SKTDocument &doc, const SKTTable &table)
{
    for (const auto &image : table.imageArray())
        if (image)
            return Escape::html(Panels::fullSizePath(doc, *image));
    return QString();
}

CodeWidgetHelper cellPart(const SKTTable &table, int32_t row, int32_t column, const Panels::CellCode &cellCode)
{
    const SKTTable::Cell cell = table.grabSelectedTableCellHelper(row, column);
    return cell ? cellCode(cell) : CodeWidgetHelper();
}

CodeWidgetHelper textPanel(const SKTDocument &doc, const SKTTable &table, const Panels::CellCode &cellCode)
{
    CodeWidgetHelper code = start(table, true);
    const int32_t t = Panels::elementNumber(doc, &table);
    QString css = Fmt::fill(u".tableGrid%d td{padding:%dpx;}", {t, table.padding()});
    QString title;
    QString content;
    collectTableCellParts(table, 0, cellCode, css,
                          [&](int32_t r, int32_t, const SKTTable::Cell &, const CodeWidgetHelper &part) {
                              (r == 0 ? title : content) = part.bodyString;
                          });
    code.headerString = css;
    code.bodyString = Fmt::fill(
        u"<div class=\"panel-group\">\n<div class=\"panel panel-default\">\n<div class=\"panel-heading\">\n"
        u"<h4 class=\"panel-title\">\n<a data-toggle=\"collapse\" href=\"#collapse%d\">%@</a>\n</h4>\n</div>\n"
        u"<div id=\"collapse%d\" class=\"panel-collapse collapse\">\n<div class=\"panel-body\">%@\n</div>\n</div>\n"
        u"</div>\n</div>\n",
        {t, title, t, content});
    return code;
}

CodeWidgetHelper imagePanel(const SKTDocument &doc, const SKTTable &table, const Panels::CellCode &cellCode)
{
    CodeWidgetHelper code = start(table, true);
    const int32_t t = Panels::elementNumber(doc, &table);
    QString css = QString::fromUtf16(kImagePanelCSS);
    QString first;
    QString second;
    collectTableCellParts(table, 1, cellCode, css,
                          [&](int32_t r, int32_t, const SKTTable::Cell &, const CodeWidgetHelper &part) {
                              if (r == 1)
                                  first = part.bodyString;
                              else if (r == 2)
                                  second = part.bodyString;
                          });
    code.headerString = css;
    code.bodyString = Fmt::fill(
        u"<div class=\"panel panel-default\">\n<div class=\"panel-image\">\n"
        u"<img src=\"%@\" class=\"panel-image-preview\" />\n<label for=\"toggle-%d\"></label>\n</div>\n"
        u"<input type=\"checkbox\" id=\"toggle-%d\" class=\"panel-image-toggle\">\n<div class=\"panel-body\">\n%@\n%@\n"
        u"</div>\n<div class=\"panel-footer text-center\">\n</div>\n</div>\n",
        {firstImageSource(doc, table), t, t, first, second});
    return code;
}

CodeWidgetHelper textCarousel(const SKTDocument &doc, const SKTTable &table, const Panels::CellCode &cellCode)
{
    CodeWidgetHelper code = start(table, true);
    const QString id = Fmt::fill(u"quote-carousel%d", {Panels::elementNumber(doc, &table)});
    QString css = QString::fromUtf16(kQuoteCSS).replace(QLatin1String("%1"), id);
    QString indicators = QStringLiteral("<ol class=\"carousel-indicators\">\n");
    QString slides;
    for (int32_t c = 0; c < table.numOfColumns(); ++c) {
        if (c == 0)
            Fmt::append(indicators, u"<li data-target=\"#%@\" data-slide-to=\"%d\" class=\"active\"></li>\n", {id, 0});
        else
            Fmt::append(indicators, u"<li data-target=\"#%@\" data-slide-to=\"%d\"></li>\n", {id, c});
        const QString head = Fmt::fill(u"%@\n<blockquote>\n<div class=\"row\">\n<div class=\"col-sm-12\">\n",
                                       {c == 0 ? QStringLiteral("<div class=\"item active\">")
                                               : QStringLiteral("<div class=\"item\">")});
        const CodeWidgetHelper quote = cellPart(table, 1, c, cellCode);
        const CodeWidgetHelper author = cellPart(table, 2, c, cellCode);
        Fmt::append(css, u"\n%@\n%@", {quote.headerString, author.headerString});
        Fmt::append(slides, u"\n%@\n%@\n%@\n</div>\n</div>\n</blockquote>\n</div>",
                    {head, quote.bodyString, author.bodyString});
    }
    indicators += u"\n</ol>";
    const QString controls = Fmt::fill(
        u"<a data-slide=\"prev\" href=\"#%@\" class=\"left carousel-control\"><span style=\"font-size:1em;\" "
        u"class=\"glyphicon glyphicon-chevron-left\" aria-hidden=\"true\"></span></a>\n"
        u"<a data-slide=\"next\" href=\"#%@\" class=\"right carousel-control\"><span style=\"font-size:1em;\" "
        u"class=\"glyphicon glyphicon-chevron-right\" aria-hidden=\"true\"></span></a>\n",
        {id, id});
    code.headerString = css;
    code.bodyString =
        Fmt::fill(u"%@\n%@\n<div class=\"carousel-inner\">%@</div>%@</div>",
                  {Fmt::fill(u"<div class=\"carousel slide\" data-ride=\"carousel\" id=\"%@\">\n", {id}), indicators,
                   slides, controls});
    code.javaScriptString = Fmt::fill(
        u"<script>$(document).ready(function() {\n$('#%@').carousel({\npause: true,\ninterval: 20000,\n});\n});\n"
        u"</script>\n",
        {id});
    return code;
}

CodeWidgetHelper hoverCaption(const SKTDocument &doc, const SKTTable &table, const Panels::CellCode &cellCode)
{
    CodeWidgetHelper code = start(table, true);
    const int32_t t = Panels::elementNumber(doc, &table);
    QString css = Fmt::fill(u".tableGrid%d td{padding:%dpx;}", {t, table.padding()});
    QString colour;
    double opacity = 0.0;
    QString caption;
    collectTableCellParts(
        table, 1, cellCode, css, [&](int32_t r, int32_t, const SKTTable::Cell &cell, const CodeWidgetHelper &part) {
            colour = cell->backgroundHexColorString;
            opacity = double(cell->alphaValue);
            if (r == 1)
                caption = cell->link.isEmpty()
                              ? part.bodyString
                              : Fmt::fill(u"<a href=%@>%@</a>", {Escape::quotedAttribute(cell->link), part.bodyString});
        });
    // A caption without a colour of its own is see-through.
    QString background = Escape::cssColour(colour);
    if (background.isEmpty())
        background = QStringLiteral("transparent");
    code.headerString = Fmt::fill(
        u"%@\n.thumbnail {\nposition:relative;\noverflow:hidden;\n}\n.caption%d{\nposition:absolute;\ntop:0;\n"
        u"right:0;\nbackground-color:%@;\nwidth:100%%;\nheight:100%%;\npadding:2%%;\nopacity:%f;\ndisplay: none;\n"
        u"text-align:center;\ncolor:#fff !important;\nz-index:2;\n}\n",
        {css, t, background, opacity});
    code.bodyString =
        Fmt::fill(u"<div class=\"thumbnail\">\n<div class=\"caption%d\">\n%@\n</div>\n<img src=\"%@\">\n</div>",
                  {t, caption, firstImageSource(doc, table)});
    code.javaScriptString = Fmt::fill(
        u"<script>\n$( document ).ready(function() {\n$(\"[rel='tooltip']\").tooltip();\n$('.thumbnail').hover(\n"
        u"function(){\n$(this).find('.caption%d').slideDown(1250);\n},\nfunction(){\n"
        u"$(this).find('.caption%d').slideUp(500);\n}\n);\n});\n</script>",
        {t, t});
    return code;
}

Panels::CellCode textGenerator(SKTDocument &doc, SKTTable *table)
{
    return [&doc, table](const SKTTable::Cell &cell) { return doc.generateTextViewCode(TextElement(cell), table, true); };
}

CodeWidgetHelper withTable(SKTDocument &doc, SKTTable *table,
                           CodeWidgetHelper (*generator)(const SKTDocument &, const SKTTable &, const Panels::CellCode &))
{
    return table ? generator(doc, *table, textGenerator(doc, table)) : CodeWidgetHelper();
}

} // namespace

int32_t Panels::elementNumber(const SKTDocument &doc, const SKTGraphic *graphic)
{
    return Fmt::trunc(double(doc.graphics().size()) - double(doc.indexOfGraphic(graphic)));
}

QString Panels::fullSizePath(const SKTDocument &doc, const TransformView &image)
{
    const QString folder = image.selectable ? doc.pageName : image.templateName;
    return Fmt::fill(u"%@/%@o.%@", {folder, image.imageName, image.imageType});
}

CodeWidgetHelper Panels::generateCollapsibleTextPanel(SKTDocument &doc, SKTTable *table)
{
    return withTable(doc, table, textPanel);
}

CodeWidgetHelper Panels::generateCollapsibleImagePanel(SKTDocument &doc, SKTTable *table)
{
    return withTable(doc, table, imagePanel);
}

CodeWidgetHelper Panels::generateTextCarousel(SKTDocument &doc, SKTTable *table)
{
    return withTable(doc, table, textCarousel);
}

CodeWidgetHelper Panels::generatePhoto_Hover_Caption(SKTDocument &doc, SKTTable *table)
{
    return withTable(doc, table, hoverCaption);
}

std::optional<CodeWidgetHelper> Panels::generate(const SKTDocument &doc, const SKTTable &table, const CellCode &cellCode)
{
    const QString kind = table.gridType();
    if (kind == QLatin1String("collapsible_text_panel"))
        return textPanel(doc, table, cellCode);
    if (kind == QLatin1String("collapsible_image_panel"))
        return imagePanel(doc, table, cellCode);
    if (kind == QLatin1String("text_carousel"))
        return textCarousel(doc, table, cellCode);
    if (kind == QLatin1String("photo_hover_caption"))
        return hoverCaption(doc, table, cellCode);
    return std::nullopt;
}

CodeWidgetHelper Panels::generateCarousel(SKTDocument &doc, SKTSlideshow *slideshow)
{
    if (!slideshow)
        return CodeWidgetHelper();
    CodeWidgetHelper code = start(*slideshow, false);
    const QList<SKTSlideshow::Slide> &images = slideshow->imageArray();
    const QString id = Fmt::fill(u"carousel%d", {elementNumber(doc, slideshow)});
    const QString folder = slideshow->selectable() ? doc.pageName : QStringLiteral("basetemplate");
    QString indicators = QStringLiteral("<ol class=\"carousel-indicators\">\n");
    QString slides = QStringLiteral("<div class=\"carousel-inner\" role=\"listbox\">\n");
    int32_t i = 0;
    for (const auto &image : images) {
        if (!image)
            continue;
        const bool first = i == 0;
        if (first)
            Fmt::append(indicators, u"\n<li data-target=\"#%@\" data-slide-to=\"%d\" class=\"active\"></li>\n", {id, 0});
        else
            Fmt::append(indicators, u"\n<li data-target=\"#%@\" data-slide-to=\"%d\"></li>\n", {id, i});
        const QString source = Escape::html(Fmt::fill(u"%@/%@@2x.%@", {folder, image->imageName, image->imageType}));
        const QString alt = Escape::html(image->altText);
        Fmt::append(slides,
                    u"\n<div class=\"%@\">\n<img src=\"%@\" class=\"image_fullWidth center-block\" alt=\"%@\">\n"
                    u"<div class=\"carousel-caption\">\n%@\n</div>\n</div>\n",
                    {first ? QStringLiteral("item active") : QStringLiteral("item"), source, alt, alt});
        ++i;
    }
    if (i == 0)
        return code;
    indicators += u"\n</ol>\n";
    slides += u"\n</div>\n";
    const QString controls = Fmt::fill(
        u"<a class=\"left carousel-control\" href=\"#%@\" role=\"button\" data-slide=\"prev\">\n"
        u"<span style=\"font-size:3em;\" class=\"glyphicon glyphicon-chevron-left\" aria-hidden=\"true\"></span>\n"
        u"<span class=\"sr-only\">Previous</span>\n</a>\n"
        u"<a class=\"right carousel-control\" href=\"#%@\" role=\"button\" data-slide=\"next\">\n"
        u"<span style=\"font-size:3em;\" class=\"glyphicon glyphicon-chevron-right\" aria-hidden=\"true\"></span>\n"
        u"<span class=\"sr-only\">Next</span>\n</a>\n",
        {id, id});
    code.bodyString = Fmt::fill(
        u"<div id=\"%@\" class=\"carousel slide\" data-ride=\"carousel\" data-interval=\"50000\">\n%@\n%@\n%@\n%@\n%@\n"
        u"</div>\n",
        {id, QStringLiteral("<!--START CAROUSEL-->"), indicators, slides, controls,
         QStringLiteral("<!--END CAROUSEL-->")});
    code.headerString = QString::fromUtf16(kCarouselCSS);
    return code;
}
