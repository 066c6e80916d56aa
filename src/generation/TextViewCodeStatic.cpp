// The stored rule of a text element or snippet in the responsive editions:
// one rule that carries the visible style and, beside it, every editing
// attribute of the element as a declaration of its own (the page reader
// takes them back from there), then the link and hover rules. The rules are
// built from lists of declarations, each left out when it has no value.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "document/PageText.h"
#include "generation/GenerationContext.h"
#include "generation/ResponsiveText.h"
#include "model/SKTTable.h"

namespace {

using Decl = GenerateSourceCodeObject;

// A real CSS colour: "#RRGGBB", "transparent" for "CLEAR0"; nothing (the
// declaration is left out) for an unset or invalid colour.
QString cssColour(const QString &stored)
{
    return stored.isEmpty() ? QString() : ResponsiveText::colour(stored);
}

// A colour kept as an editing property: "#" and the stored six hex digits
// or "CLEAR0"; nothing for an unset or invalid colour.
QString storedColour(const QString &stored)
{
    const QString s = ResponsiveText::storedColour(stored);
    return s.isEmpty() ? QString() : QStringLiteral("#") + s;
}

QString d(int32_t v)
{
    return QString::number(v);
}

QString f2(double v)
{
    return Fmt::fill(u"%.02f", {v});
}

// The element's text as the page shows it: a person's text escaped, an HTML
// snippet's markup as written (its line breaks as tags either way).
QString bodyText(const QString &raw, bool escape, bool tabs)
{
    const PageText::Breaks breaks = tabs ? PageText::Breaks::TabParagraphs : PageText::Breaks::Br;
    return escape ? PageText::toMarkup(raw, breaks) : PageText::breaksToMarkup(Escape::typographic(raw), breaks);
}

} // namespace

QString SKTDocument::combineSourceCodeString(const QList<GenerateSourceCodeObject> &list)
{
    QString out;
    out.reserve(list.size() * 24);
    for (const GenerateSourceCodeObject &o : list) {
        if (!o.isWritten())
            continue;
        out += o.sourceCodeObjectType;
        out += QLatin1Char(':');
        out += o.sourceCodeObjectValue;
        out += o.importantFlag ? QLatin1String(" !important;") : QLatin1String(";");
    }
    return out;
}

CodeWidgetHelper SKTDocument::generateTextViewCodeStatic(TextElement element, int32_t k)
{
    CodeWidgetHelper code;
    if (element.isNull())
        return code;
    TextElement &el = element;
    const bool carrier = el.isCarrier();

    // Side effects on the element: template name, units, used font.
    el.setTemplateName(activeGeneration ? activeGeneration->templateNameFor(el.templateName())
                                        : (el.templateName().isEmpty() || el.templateName() == QLatin1String("(null)")
                                               ? mainTemplateName
                                               : el.templateName()));
    populateTextViewMarginType(el);
    const QString raw = carrier ? SKTTable::cellText(*el.carrier()) : el.text();
    const QString family = el.fontFamily();
    if (activeGeneration)
        activeGeneration->markFontUsed(family);

    QRectF b = el.bounds();
    int32_t x = 0, y = 0, w = 0, h = 0, tableNo = -99, row = -99, column = -99;
    if (carrier) {
        const myTextView &c = *el.carrier();
        x = c.originX;
        y = c.originY;
        w = c.width;
        h = c.height;
        tableNo = c.tableNumber;
        row = c.rowSpot;
        column = c.columnSpot;
    } else {
        x = Fmt::trunc(b.x());
        y = Fmt::trunc(b.y());
        w = Fmt::trunc(b.width());
        h = Fmt::trunc(b.height());
    }
    const double radius = el.cornerRadius();
    const double alpha = el.opacity();
    const QString prefix = el.textType() == QLatin1String("HTMLSnippet") ? QStringLiteral("snippet")
                                                                         : QStringLiteral("text");
    const bool snippet = prefix == QLatin1String("snippet");
    int32_t layer = el.manualLayerIndex();
    if (layer == 0)
        layer = carrier ? int32_t(graphics().size()) + 1 : elementNumber(el.graphic());
    // An empty box keeps its own size, padding and alignment: they are what
    // the person set for the text to come, and the page stores them.
    const int32_t fontSize = el.fontSize();
    // A cell's padding follows the height its rule stores: the cell's own
    // frame may not have been laid out, and read back it is that height.
    const double paddedHeight = carrier ? double(h) : b.height();
    const int32_t padding = Fmt::trunc(std::min(10.0, 0.11 * paddedHeight));
    const int32_t indent = (el.indentFlag() == 1 || el.indentFlag() == 2) ? 40 : 0;
    const QString align = ResponsiveText::alignmentWord(el.alignment());
    const bool shadow = el.shadowFlag() == 1;
    const double shadowOpacity = shadow ? 1.0 : 0.0;
    const QString shadowValue = shadow ? Fmt::fill(u"%dpx %dpx %fpx #000000", {0, 1, 1.0}) : QString();

    // Body text: a person's text is escaped in every edition; a snippet is markup.
    const bool escape = !snippet;
    QString text = bodyText(raw, escape, el.indentFlag() == 2);
    int32_t linkFlag = 0;
    if (gResponsiveEdition && el.snippetFormatFlag() && !el.link().isEmpty()) {
        text = PageText::toAttribute(el.link()) + QLatin1Char('\n') + text;
        linkFlag = 1;
    }
    const int32_t nlines = calculateNumOfLines(text);
    const double spacing = std::max(0.0, double(el.lineSpacing()));

    const auto cv = [](const QString &s) { return Escape::cssValue(s); };
    QList<Decl> main;
    main.reserve(92);
    const auto add = [&main](const QString &name, const QString &value, bool important = false) {
        main.append(Decl{name, value, important});
    };
    add(QStringLiteral("position"), el.scrollFlag() == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute"));
    add(QStringLiteral("background-color"), cssColour(el.backgroundHexColorString()));
    add(QStringLiteral("color"), cssColour(el.textHexColorString()));
    add(QStringLiteral("left"), d(x) + QStringLiteral("px"));
    add(QStringLiteral("top"), d(y) + QStringLiteral("px"));
    add(QStringLiteral("height"), d(h) + QStringLiteral("px"));
    add(QStringLiteral("width"), el.matchScreenFlag() ? QStringLiteral("100%") : d(w) + QStringLiteral("px"));
    add(QStringLiteral("z-index"), d(layer));
    add(QStringLiteral("snippetFormattingFlag"), d(el.snippetFormatFlag() ? 1 : 0));
    add(QStringLiteral("font-size"), d(fontSize));
    add(QStringLiteral("font-family"), cv(family));
    add(QStringLiteral("padding"), d(padding) + QStringLiteral("px"));
    add(QStringLiteral("border-style"), cv(el.borderStyle()));
    add(QStringLiteral("border-width"), d(el.borderWidth()) + QStringLiteral("px"));
    add(QStringLiteral("border-color"), cssColour(el.borderHexColorString()));
    add(QStringLiteral("text-align"), align);
    add(QStringLiteral("verticalAlignment"), d(el.verticalAlignment()));
    add(QStringLiteral("border-radius"), d(Fmt::trunc(radius)) + QStringLiteral("px"));
    add(QStringLiteral("-moz-border-radius"), d(Fmt::trunc(radius)) + QStringLiteral("px"));
    add(QStringLiteral("fixed"), d(el.moveLock()));
    add(QStringLiteral("shadow-opacity"), f2(shadowOpacity));
    add(QStringLiteral("shadow-radius"), f2(shadowOpacity));
    add(QStringLiteral("textAlpha"), f2(alpha));
    add(QStringLiteral("opacity"), f2(alpha));
    add(QStringLiteral("filter"), QStringLiteral("alpha(opacity=") + f2(alpha * 100.0) + QLatin1Char(')'));
    add(QStringLiteral("indent-flag"), d(el.indentFlag()));
    add(QStringLiteral("text-indent"), d(indent) + QStringLiteral("px"));
    add(QStringLiteral("shapeFlag"), d(el.shapeFlag()));
    add(QStringLiteral("groupNumber"), d(el.groupNumber()));
    add(QStringLiteral("line-height"), QStringLiteral("normal"));
    add(QStringLiteral("tableNumber"), d(tableNo));
    add(QStringLiteral("tableRowSpot"), d(row));
    add(QStringLiteral("tableColumnSpot"), d(column));
    add(QStringLiteral("templateName"), cv(el.templateName()));
    add(QStringLiteral("manualLayerIndex"), d(el.manualLayerIndex()));
    add(QStringLiteral("linkType"), cv(el.linkType()));
    add(QStringLiteral("shapeBackgroundColor"), storedColour(el.backgroundHexColorString()));
    add(QStringLiteral("nlines"), d(nlines));
    add(QStringLiteral("fixedWidthFlag"), d(el.fixedWidthFlag()));
    add(QStringLiteral("fixedHeightFlag"), d(el.fixedHeightFlag()));
    add(QStringLiteral("widthBuffer"), QStringLiteral("0"));
    add(QStringLiteral("heightBuffer"), QStringLiteral("0"));
    add(QStringLiteral("zoomBubbleFlag"), d(el.zoomBubbleFlag()));
    add(QStringLiteral("bubbleShape"), cv(el.bubbleShape()));
    add(QStringLiteral("xsColumnGrid"), d(el.xsGridColumns()));
    add(QStringLiteral("smallColumnGrid"), d(el.smallGridColumns()));
    add(QStringLiteral("mediumColumnGrid"), d(el.mediumGridColumns()));
    add(QStringLiteral("largeColumnGrid"), d(el.largeGridColumns()));
    add(QStringLiteral("shadowBlurRadius"), d(Fmt::trunc(el.shadowRadius())));
    add(QStringLiteral("shadowDistanceX"), d(Fmt::trunc(el.shadowHorizontalOffset())));
    add(QStringLiteral("shadowDistanceY"), d(Fmt::trunc(el.shadowVerticalOffset())));
    add(QStringLiteral("rotationAngle"), d(Fmt::trunc(el.rotationAngle())));
    add(QStringLiteral("responsiveResizeFlag"), d(el.responsiveResizeFlag()));
    add(QStringLiteral("responsiveAlignmentFlag"), d(el.responsiveAlignment()));
    add(QStringLiteral("sectionNumber"), d(el.sectionNumber()));
    add(QStringLiteral("sectionRowSpot"), d(el.sectionRowSpot()));
    add(QStringLiteral("sectionColumnSpot"), d(el.sectionColumnSpot()));
    add(QStringLiteral("markAsReplyFlag"), d(el.markAsReplyToEmailFlag()));
    // The rule's family and size are the cell's own, the font its text is
    // drawn and written in. The inner text view may still hold another (the
    // palette's composite makers give it one); what differs is stored beside
    // them (left out when both agree, as in every page read back) so that a
    // reading gives the cell back as it was.
    if (carrier) {
        const myTextView &c = *el.carrier();
        if (!c.textView.fontName.isEmpty() && c.textView.fontName != family)
            add(QStringLiteral("textFontFamily"), cv(c.textView.fontName));
        if (Fmt::trunc(c.textView.fontPointSize) != fontSize)
            add(QStringLiteral("textFontSize"), d(Fmt::trunc(c.textView.fontPointSize)));
    }
    add(QStringLiteral("onClickShow"), cv(el.onClickShowString()));
    add(QStringLiteral("onClickHide"), cv(el.onClickHideString()));
    static const char *const kSides[] = {"top", "bottom", "left", "right"};
    for (int i = 0; i < 4; ++i)
        add(QLatin1String(kSides[i]) + QStringLiteral("MarginStr"), d(el.boxValue(4 + i)));
    for (int i = 0; i < 4; ++i)
        add(QLatin1String(kSides[i]) + QStringLiteral("PaddingStr"), d(el.boxValue(i)));
    for (int i = 0; i < 4; ++i)
        add(QLatin1String(kSides[i]) + QStringLiteral("PaddingTypeStr"), cv(el.boxType(i)));
    for (int i = 0; i < 4; ++i)
        add(QLatin1String(kSides[i]) + QStringLiteral("MarginTypeStr"), cv(el.boxType(4 + i)));
    for (int i = 0; i < 4; ++i)
        add(QLatin1String(kSides[i]) + QStringLiteral("PaddingLevelStr"), cv(el.boxLevel(i)));
    for (int i = 0; i < 4; ++i)
        add(QLatin1String(kSides[i]) + QStringLiteral("MarginLevelStr"), cv(el.boxLevel(4 + i)));
    add(QStringLiteral("containsLinkFlag"), d(linkFlag));
    add(QStringLiteral("hoverColor"), storedColour(el.hoverColorString()));
    add(QStringLiteral("hoverTextColor"), storedColour(el.hoverTextColorString()));
    add(QStringLiteral("line-height"), f2(spacing), true);
    add(QStringLiteral("line-multiple"), f2(spacing));
    add(QStringLiteral("box-shadow"), shadowValue);

    const QString tc = cssColour(el.textHexColorString());
    const QString hoverText = cssColour(el.hoverTextColorString());
    const QList<Decl> visited = {{QStringLiteral("text-decoration"), QStringLiteral("none")},
                                 {QStringLiteral("font-weight"), QStringLiteral("normal")},
                                 {QStringLiteral("color"), tc},
                                 {QStringLiteral("formType"), cv(el.formType())},
                                 {QStringLiteral("formTag"), d(el.formTag())},
                                 {QStringLiteral("formOptionTag"), d(el.formOptionTag())},
                                 {QStringLiteral("formRequiredFlag"), d(el.formRequiredFlag())}};
    const QList<Decl> linkDecls = {{QStringLiteral("text-decoration"), QStringLiteral("none")},
                                   {QStringLiteral("font-weight"), QStringLiteral("normal")},
                                   {QStringLiteral("color"), tc}};
    const QList<Decl> hoverDecls = {{QStringLiteral("background-color"), cssColour(el.hoverColorString())},
                                    {QStringLiteral("color"), hoverText}};
    const QList<Decl> aHoverDecls = {{QStringLiteral("text-decoration"), QStringLiteral("none")},
                                     {QStringLiteral("color"), hoverText},
                                     {QStringLiteral("font-weight"), QStringLiteral("normal")}};

    const QString cls = prefix + QString::number(k);
    QString &css = code.headerString;
    css.reserve(2400);
    const auto rule = [&css, &cls](QStringView opening, const QList<Decl> &decls) {
        css += QLatin1Char('.');
        css += cls;
        css += opening;
        css += combineSourceCodeString(decls);
        css += QLatin1Char('}');
    };
    rule(u"{", main);
    rule(u" a:link {", linkDecls);
    rule(u" a:visited {", visited);
    rule(u":hover{", hoverDecls);
    rule(u" a:hover {", aHoverDecls);
    css += QStringLiteral("\n\n");
    Fmt::append(code.bodyString, u"<div class=%@>\n%@\n</div>\n", {cls, text});
    return code;
}
