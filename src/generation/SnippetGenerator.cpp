// The snippet generator of the responsive editions: an HTML snippet (a text
// graphic of type "HTMLSnippet" or a table cell) keeps its content as the
// user wrote it; its rule stores the editing attributes, and a formatted
// snippet also carries its font, colours, border, padding and hover colours.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "document/PageText.h"
#include "generation/ResponsiveText.h"
#include "model/SKTTable.h"

namespace {

const QString kEmpty = QString(QLatin1String(""));

struct BoxInPx {
    double top = 0, bottom = 0;
};

BoxInPx verticalBoxInPx(const TextElement &el)
{
    if (const auto &c = el.carrier())
        return {double(c->topPaddingInPx) + c->topMarginInPx, double(c->bottomPaddingInPx) + c->bottomMarginInPx};
    if (const SKTText *g = el.graphic())
        return {double(g->topPaddingInPx()) + g->topMarginInPx(), double(g->bottomPaddingInPx()) + g->bottomMarginInPx()};
    return {};
}

} // namespace

CodeWidgetHelper SKTDocument::generateSnippetCode(TextElement element, SKTTable *table)
{
    CodeWidgetHelper code;
    if (element.isNull())
        return code;
    TextElement el = populateTextViewMarginType(element);
    const bool cell = el.isCarrier();

    // Name: "snippet" and the element number, after the table's name for a cell.
    QString prefix;
    int32_t n = 0;
    if (table) {
        prefix = QStringLiteral("tableGrid") + QString::number(elementNumber(table));
        n = int32_t(table->cellHelperArray().indexOf(el.carrier()));
    } else {
        n = cell ? int32_t(graphics().size()) + 1 : elementNumber(el.graphic());
    }
    const QString id = prefix + QStringLiteral("snippet") + QString::number(n);

    el.setTemplateName(activeGeneration ? activeGeneration->templateNameFor(el.templateName())
                                        : (el.templateName().isEmpty() ? mainTemplateName : el.templateName()));
    QString text = cell ? SKTTable::cellText(*el.carrier()) : el.text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    int32_t z = el.manualLayerIndex();
    if (z == 0)
        z = cell ? int32_t(graphics().size()) + 1 : elementNumber(el.graphic());
    const int32_t nlines = calculateNumOfLines(text);
    const QString templateName = Escape::cssValue(el.templateName());
    const bool formatted = el.snippetFormatFlag();
    const QRectF bounds = el.bounds();

    QString inlineStyle;
    if (!formatted) {
        Fmt::append(code.headerString,
                    u".%@{z-index:%d;nlines:%d;fixed:%d;groupNumber:%d;templateName:%@;manualLayerIndex:%d;"
                    u"snippetFormattingFlag:%d;}\n\n",
                    {id, z, nlines, el.moveLock(), el.groupNumber(), templateName, el.manualLayerIndex(), 0});
    } else {
        // 1-4. Opacity, corner radius, background, shadow.
        const double opacity = el.opacity();
        QString opacityDecl;
        if (opacity < 1.0) {
            if (cell && gResponsiveEmailEdition)
                Fmt::append(opacityDecl, u"opacity:%f;", {opacity});
            else
                Fmt::append(opacityDecl, u"opacity:%f;filter:alpha(opacity=%f);", {opacity, opacity * 100.0});
        }
        const int32_t radius = Fmt::trunc(el.cornerRadius());
        const QString background = el.backgroundHexColorString();
        const QString backgroundDecl =
            background == QLatin1String("CLEAR0") || ResponsiveText::colour(background).isEmpty()
                ? kEmpty
                : QStringLiteral("background-color:") + ResponsiveText::colour(background) + QLatin1Char(';');
        const QString shadowDecl =
            Fmt::trunc(el.shadowRadius()) != 0
                ? Fmt::fill(u"box-shadow: %dpx %dpx %dpx #5B5B5B;",
                            {Fmt::trunc(el.shadowHorizontalOffset()), -Fmt::trunc(el.shadowVerticalOffset()),
                             Fmt::trunc(el.shadowRadius())})
                : kEmpty;
        // 5, 6. Visited-link rule; a clear border is black.
        if (el.borderHexColorString() == QLatin1String("CLEAR0"))
            el.setBorderHexColorString(QStringLiteral("000000"));
        const QString tc = ResponsiveText::colour(el.textHexColorString());
        const QString visitedRule =
            Fmt::fill(u".%@ a:visited {text-decoration: none; color: %@;font-weight:normal;formType:%@;formTag:%d;"
                      u"formOptionTag:%d;formRequiredFlag:%d;}",
                      {id, tc, Escape::cssValue(el.formType()), -99, -99, 0});
        // 7. Alignment.
        // An empty snippet or cell keeps its own alignment and size: they are
        // what the person set for the text to come, and the page stores them.
        const QString align = ResponsiveText::alignmentWord(el.alignment());
        // 8. Hover rules.
        const ResponsiveText::HoverRules hover =
            ResponsiveText::hoverRules(id, tc, el.hoverColorString(), el.hoverTextColorString());
        // 9. Font.
        const int32_t fontSize = el.fontSize();
        const QString family = el.fontFamily();
        if (activeGeneration)
            activeGeneration->markFontUsed(family);
        // 10. Free space below the text goes where the vertical alignment says.
        const double height = cell ? double(el.carrier()->height) : bounds.height();
        const double textHeight =
            cell ? (text.isEmpty() ? 0.0 : double(el.carrier()->textHeight)) : double(el.graphic()->textHeight());
        const BoxInPx inPx = verticalBoxInPx(el);
        const int32_t space = Fmt::trunc(height - textHeight - inPx.top - inPx.bottom);
        int32_t top = el.boxValue(0), bottom = el.boxValue(1);
        if (el.verticalAlignment() == 0)
            bottom += space;
        else if (el.verticalAlignment() == 1) {
            top += space / 2;
            bottom += space / 2;
        } else
            top += space;
        // 11. Padding: a unit never set is "%".
        QString units[8];
        for (int i = 0; i < 8; ++i)
            units[i] = Escape::cssValue(el.boxType(i));
        QString paddingDecl = Fmt::fill(
            u"padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;margin-left:%d%@;"
            u"margin-right:%d%@;margin-top:0;margin-bottom:0;",
            {top, units[0], bottom, units[1], el.boxValue(2), units[2], el.boxValue(3), units[3], el.boxValue(6),
             units[6], el.boxValue(7), units[7]});
        paddingDecl.replace(QLatin1String("pixel"), QLatin1String("px"));
        // 12, 13. Cursor and line height.
        const QString cursor = (!el.onClickShowString().isEmpty() || !el.onClickHideString().isEmpty())
                                   ? QStringLiteral("cursor:pointer;")
                                   : kEmpty;
        const QString lineHeight =
            el.lineSpacing() > 0 ? Fmt::fill(u"line-height:%f !important;", {double(el.lineSpacing())}) : kEmpty;
        const QString cssFamily = Escape::cssValue(family);
        const QString bc = ResponsiveText::colour(el.borderHexColorString());
        const QString borderStyle = Escape::cssValue(el.borderStyle());
        // 14. The rule.
        QString &css = code.headerString;
        Fmt::append(css,
                    u".%@{%@z-index:%d;font-size:%dpx;color:%@;font-family:\"%@\";%@border-style:%@;border-width:%dpx;"
                    u"border-color:%@;text-align:%@;border-radius:%dpx;-moz-border-radius:%dpx;fixed:%d;%@%@",
                    {id, backgroundDecl, z, fontSize, tc, cssFamily, paddingDecl, borderStyle, el.borderWidth(), bc,
                     align, radius, radius, el.moveLock(), opacityDecl, shadowDecl});
        Fmt::append(css,
                    u"textAlpha:%f;indentFlag:%d;text-indent:%dpx;shapeFlag:%d;groupNumber:%d;line-height:normal;"
                    u"tableNumber:%d;tableRowSpot:%d;tableColumnSpot:%d;templateName:%@;manualLayerIndex:%d;"
                    u"linkType:%@;shapeBackgroundColor:%@;nlines:%d;snippetFormattingFlag:%d;%@%@}%@%@%@%@\n\n",
                    {opacity, 0, 0, el.shapeFlag(), el.groupNumber(), -99, -99, -99, templateName,
                     el.manualLayerIndex(), Escape::cssValue(el.linkType()), ResponsiveText::storedColour(background),
                     nlines, 1, lineHeight, cursor, hover.attributes, hover.links, visitedRule, hover.hover});
        // 15. Inline style of the e-mail markup.
        if (gResponsiveEmailEdition) {
            Fmt::append(inlineStyle,
                        u"%@z-index:%d;font-size:%dpx;color:%@;font-family:\"%@\";%@border-style:%@;border-width:%dpx;"
                        u"border-color:%@;text-align:%@;border-radius:%dpx;-moz-border-radius:%dpx;fixed:%d;%@%@"
                        u"line-height:normal;%@%@",
                        {backgroundDecl, z, fontSize, tc, cssFamily, paddingDecl, borderStyle, el.borderWidth(), bc,
                         align, radius, radius, el.moveLock(), opacityDecl, shadowDecl, lineHeight, cursor});
            inlineStyle.remove(QLatin1Char('\''));
        }
        // Body of a formatted snippet: its markup as written, line breaks as tags.
        text = PageText::breaksToMarkup(text);
    }

    // Body.
    QString &body = code.bodyString;
    const QString link = el.link();
    if (link.isEmpty()) {
        if (gResponsiveEmailEdition)
            Fmt::append(body, u"<div class=%@ id=%@ style='%@'>\n%@\n</div>\n", {id, id, inlineStyle, text});
        else
            Fmt::append(body, u"<div class=%@ id=%@>\n%@\n</div>\n", {id, id, text});
    } else {
        const QString href = Escape::quotedAttribute(link);
        const QString target = Escape::quotedAttribute(el.linkOption());
        const bool shape = el.linkType() == QLatin1String("shape");
        if (gResponsiveEmailEdition) {
            if (shape)
                Fmt::append(body, u"<a href=%@ target=%@><div class=%@ id=%@ style='%@'>%@</div></a>\n",
                            {href, target, id, id, inlineStyle, text});
            else
                Fmt::append(body, u"<div class=%@ id=%@ style='%@'><a href=%@ target=%@>%@</a></div>\n",
                            {id, id, inlineStyle, href, target, text});
        } else if (shape) {
            Fmt::append(body, u"<a href=%@ target=%@><div class=%@ id=%@>%@</div></a>\n", {href, target, id, id, text});
        } else {
            Fmt::append(body, u"<div class=%@ id=%@><a href=%@ target=%@>%@</a></div>\n", {id, id, href, target, text});
        }
    }

    code.javaScriptString = ResponsiveText::clickScript(id, el.onClickShowString(), el.onClickHideString());
    code.setRect(bounds);
    code.partOfTableFlag = table != nullptr;
    return code;
}
