// The text and form element pass: one CSS rule per text element (real CSS,
// then every editing attribute as a property of its own, which is how the
// page reader rebuilds the element), its markup, and for form fields the PHP
// lines and mail pieces the form mailer joins.
#include "generation/TextFormPass.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/FormMailer.h"
#include "generation/GenerationContext.h"
#include "generation/PieceRoom.h"
#include "document/PageText.h"
#include "generation/ResponsiveText.h"
#include "model/SKTTable.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

const QString kEmpty = QString(QLatin1String(""));

// A caption or button text inside a double-quoted attribute value.
QString attributeText(const QString &raw)
{
    QString out = Escape::html(raw);
    out.replace(QLatin1String("&quot;"), QLatin1String("&#34;"));
    return out;
}

// A label in the mail: the page text with its quotes as numeric references
// (the mail piece sits in PHP string literals of either kind).
QString quotedText(const QString &converted)
{
    QString out = converted;
    out.replace(QLatin1String("&quot;"), QLatin1String("&#34;"));
    out.replace(QLatin1Char('\''), QLatin1String("&#39;"));
    out.replace(QLatin1Char('"'), QLatin1String("&#34;"));
    return out;
}

// A stored colour for a "#RRGGBB" declaration; anything that is not six hex
// digits becomes the fallback, so no value can leave its declaration.
QString hexOr(const QString &colour, const QString &fallback)
{
    return Escape::isHexColour(colour) ? colour : fallback;
}

QString boxTypeOf(const TextElement &el, int i)
{
    const QString t = el.boxType(i);
    if (t.isEmpty() || t == QLatin1String("(null)"))
        return QStringLiteral("%");
    return Escape::cssValue(t);
}

QString boxLevelOf(const TextElement &el, int i)
{
    const QString level = el.boxLevel(i);
    if (level.isEmpty() || level == QLatin1String("(null)"))
        return QStringLiteral("None");
    return Escape::cssValue(level);
}

double clamped(double v, double lo, double hi)
{
    if (!std::isfinite(v))
        return lo;
    return std::clamp(v, lo, hi);
}

// Where a table cell stands on the page and what it says: the table lays
// its cells out (pushSettingsIntoCells, before generation) from their border
// corner, and keeps a cell's text in its own storage.
class CellLookup {
public:
    static QRectF bounds(const TextElement &el)
    {
        if (!el.isCarrier())
            return el.bounds();
        const myTextView &cell = *el.carrier();
        if (!cell.frame.isEmpty() || !cell.partOfTableFlag)
            return cell.frame;
        return QRectF(double(cell.originX) + cell.borderWidth, double(cell.originY) + cell.borderWidth, cell.width,
                      cell.height);
    }
    static QString text(const TextElement &el) { return el.isCarrier() ? SKTTable::cellText(*el.carrier()) : el.text(); }
};

struct FormState {
    QSet<QString> phpLines;   // PHP lines written once
    QSet<int32_t> mailedTags; // form tags whose mail piece is written
    // Radio and checkbox captions by (formTag, formOptionTag): the last label found.
    QHash<QPair<int32_t, int32_t>, QString> captions;
};

void addPhpLine(GenerationContext &ctx, FormState &state, const QString &line)
{
    if (state.phpLines.contains(line))
        return;
    state.phpLines.insert(line);
    ctx.phpVariableLines += line;
}

void addRecord(GenerationContext &ctx, const QString &body, const QString &quote, const QString &markup,
               const QRectF &bounds)
{
    FormSortHelper r;
    r.formMessageBody = body;
    r.formMessageBody_quote = quote;
    r.formBodyString = markup;
    r.formXPosition = Fmt::trunc(bounds.x());
    r.formYPosition = Fmt::trunc(bounds.y());
    ctx.formRecords.append(r);
}

// The markup of a plain text or a label, with or without its link.
void appendTextMarkup(QString &markup, TextElement &el, int32_t n, const QString &text)
{
    const QString link = SKTDocument::verifyLink(el.link());
    if (link.isEmpty() || link == QLatin1String("http://")) {
        Fmt::append(markup, u"<div class=text%d>%@</div>\n", {n, text});
        return;
    }
    if (el.linkOption().isEmpty())
        el.setLinkOption(QStringLiteral("_self"));
    const QString href = Escape::quotedAttribute(link);
    const QString target = Escape::quotedAttribute(el.linkOption());
    if (el.linkType() == QLatin1String("shape"))
        Fmt::append(markup, u"<a href=%@ target=%@><div class=text%d>%@</div></a>\n", {href, target, n, text});
    else
        Fmt::append(markup, u"<div class=text%d><a href=%@ target=%@>%@</a></div>\n", {n, href, target, text});
}

// Markup, PHP lines and mail pieces of one element (by its form type).
void writeMarkup(GenerationContext &ctx, FormState &state, TextElement &el, int32_t n, const QRectF &bounds,
                 const QString &raw, const QString &text)
{
    SKTDocument &doc = ctx.doc;
    const QString type = el.formType();
    const int32_t tag = el.formTag();
    QString markup;

    auto mailField = [&](const QString &line) {
        addPhpLine(ctx, state, line);
        if (state.mailedTags.contains(tag))
            return;
        state.mailedTags.insert(tag);
        addRecord(ctx, Fmt::fill(u"$form%d<p>", {tag}), Fmt::fill(u"'.$form%d.'<p>", {tag}), markup, bounds);
    };
    const QString valueLine = Fmt::fill(u"$form%d = zovFormValue('form%d');\n", {tag, tag});

    if (type == QLatin1String("textLabel")) {
        if (el.formOptionTag() == -22)
            appendTextMarkup(markup, el, n, QStringLiteral("<?php echo $questionString;?>"));
        else
            appendTextMarkup(markup, el, n, text);
        if (el.formOptionTag() == -99) {
            const QString piece = QStringLiteral("<b>") + quotedText(text) + QStringLiteral("</b><p>");
            addRecord(ctx, Escape::phpDouble(piece), Escape::phpSingle(piece), markup, bounds);
        }
    } else if (type == QLatin1String("text") || type == QLatin1String("password")) {
        const bool required = type == QLatin1String("text") && el.formRequiredFlag() == 1;
        Fmt::append(markup,
                    required ? u"<input class=text%d type=\"%@\" name=form%d required>\n"
                             : u"<input class=text%d type=\"%@\" name=form%d>\n",
                    {n, type, tag});
        mailField(valueLine);
        // The signed answer of the bot question travels with its field (the
        // mailer checks it where the visitor's session could not start).
        if (el.formOptionTag() == -22 && type == QLatin1String("text") && FormMailer::isFormPage(doc))
            markup += QStringLiteral("<input type=\"hidden\" name=formCheck value=\"<?php echo $formCheck;?>\">\n");
    } else if (type == QLatin1String("radio") || type == QLatin1String("checkbox")) {
        const QString caption = attributeText(state.captions.value(qMakePair(tag, el.formOptionTag())));
        if (type == QLatin1String("radio")) {
            Fmt::append(markup, u"<input class=text%d type=\"%@\" value=\"%@\" name=form%d>\n\n",
                        {n, type, caption, tag});
        } else {
            const QString name = Fmt::fill(u"form%d[]", {tag});
            Fmt::append(markup, u"<input class=text%d type=\"%@\" value=\"%@\" name=\"%@\">\n",
                        {n, type, caption, name});
        }
        // A group (one form tag) is one field of the mail; the mailer joins
        // the ticked boxes of a group.
        mailField(valueLine);
    } else if (type == QLatin1String("submit")) {
        Fmt::append(markup, u"<input class=text%d type=\"%@\" value=\"%@\" name=form%d>\n",
                    {n, type, attributeText(raw), tag});
        doc.formSubmitButtonValue = raw;
    } else if (type == QLatin1String("textarea")) {
        const int32_t cols = Fmt::trunc(bounds.width()) / 10;
        const int32_t rows = Fmt::trunc(bounds.height()) / 10;
        Fmt::append(markup,
                    el.formRequiredFlag() == 1
                        ? u"<textarea class=text%d cols=%d rows=%d name=form%d required></textarea>\n"
                        : u"<textarea class=text%d cols=%d rows=%d name=form%d></textarea>\n",
                    {n, cols, rows, tag});
        mailField(Fmt::fill(u"$form%d = nl2br(zovFormValue('form%d'));\n", {tag, tag}));
    } else {
        appendTextMarkup(markup, el, n, text);
    }
    ctx.textMarkup += markup;
}

// The two-declaration rule of a radio button or checkbox.
void writeChoiceRule(GenerationContext &ctx, const TextElement &el, int32_t n, int32_t z, const QRectF &b)
{
    Fmt::append(ctx.textCSS,
                u".text%d{position:%@;left:%dpx;top:%dpx;z-index:%d;formType:%@;formTag:%d;formOptionTag:%d;}\n",
                {n, GenerationContext::positionKeyword(el.scrollFlag()), b.x(), b.y(), z, Escape::cssValue(el.formType()),
                 el.formTag(), el.formOptionTag()});
}

void writeFullRule(GenerationContext &ctx, TextElement &el, int32_t n, int32_t z, const QRectF &b, const QString &raw)
{
    QString &css = ctx.textCSS;
    const bool graphic = !el.isCarrier();

    // An empty text box keeps its own colour, size, family, padding and
    // alignment: they are what the person set for the text to come, and the
    // page is where they are stored.
    const QString textColour = hexOr(el.textHexColorString(), QStringLiteral("000000"));
    const int32_t fontSize = el.fontSize();
    const QString family = el.fontFamily();
    ctx.markFontUsed(family);

    const QString width = el.matchScreenFlag() ? QStringLiteral("100%") : Fmt::fill(u"%dpx", {b.width()});
    const QString background = el.backgroundHexColorString();
    const QString backgroundPiece =
        Escape::isHexColour(background) ? Fmt::fill(u"background-color:#%@;", {background}) : kEmpty;
    const int32_t padding = graphic ? Fmt::trunc(std::min(10.0, 0.11 * b.height())) : 0;
    const int32_t radius = Fmt::trunc(el.cornerRadius());
    const double opacity = clamped(el.opacity(), 0.0, 1.0);
    const QString opacityPiece =
        opacity < 1.0 ? Fmt::fill(u"opacity:%f;filter:alpha(opacity=%f);", {opacity, opacity * 100.0}) : kEmpty;
    const bool shadow = el.shadowFlag() == 1;
    const double shadowValue = shadow ? 1.0 : 0.0;
    const int32_t shadowOffset = shadow ? 1 : 0;
    const QString shadowPiece =
        shadow ? Fmt::fill(u"box-shadow: %dpx %dpx %fpx #000000;", {0, shadowOffset, shadowValue}) : kEmpty;
    const int32_t indent = (el.indentFlag() == 1 || el.indentFlag() == 2) ? 40 : 0;
    const QString alignment = ResponsiveText::alignmentWord(el.alignment());

    Fmt::append(css,
                u".text%d{position:%@;%@left:%dpx;top:%dpx;z-index:%d;font-size:%dpx;color:#%@;width:%@;height:%dpx;"
                u"font-family:\"%@\";padding:%dpx;border-style:%@;border-width:%dpx;margin:0px;border-color:#%@;"
                u"text-align:%@;border-radius:%dpx;-moz-border-radius:%dpx;fixed:%d;%@%@",
                {n, GenerationContext::positionKeyword(el.scrollFlag()), backgroundPiece, b.x(), b.y(), z, fontSize,
                 textColour, width, b.height(), Escape::cssValue(family), padding, Escape::cssValue(el.borderStyle()),
                 el.borderWidth(), hexOr(el.borderHexColorString(), QStringLiteral("000000")), alignment, radius,
                 radius, el.moveLock(), opacityPiece, shadowPiece});
    Fmt::append(css,
                u"shadowOpacity:%f;shadowRadius:%f;shadowOffSetY:%d;textAlpha:%f;indentFlag:%d;text-indent:%dpx;"
                u"shapeFlag:%d;groupNumber:%d;line-height:normal;tableNumber:%d;tableRowSpot:%d;tableColumnSpot:%d;"
                u"templateName:%@;manualLayerIndex:%d;linkType:%@;shapeBackgroundColor:%@;nlines:%d;",
                {shadowValue, shadowValue, shadowOffset, opacity, el.indentFlag(), indent, el.shapeFlag(),
                 el.groupNumber(), el.tableNumber(), el.rowSpot(), el.columnSpot(),
                 Escape::cssValue(ctx.templateNameFor(el.templateName())), el.manualLayerIndex(),
                 Escape::cssValue(el.linkType()), Escape::cssValue(background),
                 SKTDocument::calculateNumOfLines(raw)});
    Fmt::append(css,
                u"fixedWidthFlag:%d;fixedHeightFlag:%d;widthBuffer:%d;heightBuffer:%d;zoomBubbleFlag:%d;bubbleShape:%@;"
                u"xsColumnGrid:%d;smallColumnGrid:%d;mediumColumnGrid:%d;largeColumnGrid:%d;shadowBlurRadius:%f;"
                u"shadowDistanceX:%f;shadowDistanceY:%f;rotationAngle:%f;responsiveResizeFlag:%d;"
                u"responsiveAlignmentFlag:%d;sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;"
                u"markAsReplyFlag:%d;onClickShow:%@;onClickHide:%@;",
                {el.fixedWidthFlag(), el.fixedHeightFlag(), 0, 0, el.zoomBubbleFlag(), Escape::cssValue(el.bubbleShape()),
                 el.xsGridColumns(), el.smallGridColumns(), el.mediumGridColumns(), el.largeGridColumns(),
                 el.shadowRadius(), el.shadowHorizontalOffset(), el.shadowVerticalOffset(), el.rotationAngle(),
                 el.responsiveResizeFlag(), el.responsiveAlignment(), el.sectionNumber(), el.sectionRowSpot(),
                 el.sectionColumnSpot(), el.markAsReplyToEmailFlag(), Escape::cssValue(el.onClickShowString()),
                 Escape::cssValue(el.onClickHideString())});
    Fmt::append(css,
                u"topPaddingStr:%d;bottomPaddingStr:%d;leftPaddingStr:%d;rightPaddingStr:%d;topMarginStr:%d;"
                u"bottomMarginStr:%d;leftMarginStr:%d;rightMarginStr:%d;topPaddingTypeStr:%@;bottomPaddingTypeStr:%@;"
                u"leftPaddingTypeStr:%@;rightPaddingTypeStr:%@;topMarginTypeStr:%@;bottomMarginTypeStr:%@;"
                u"leftMarginTypeStr:%@;rightMarginTypeStr:%@;verticalAlignment:%d;",
                {el.boxValue(0), el.boxValue(1), el.boxValue(2), el.boxValue(3), el.boxValue(4), el.boxValue(5),
                 el.boxValue(6), el.boxValue(7), boxTypeOf(el, 0), boxTypeOf(el, 1), boxTypeOf(el, 2), boxTypeOf(el, 3),
                 boxTypeOf(el, 4), boxTypeOf(el, 5), boxTypeOf(el, 6), boxTypeOf(el, 7), el.verticalAlignment()});
    // The padding and margin levels the inspector sets, which the reader takes
    // back (a page without them reads "None").
    Fmt::append(css,
                u"topPaddingLevelStr:%@;bottomPaddingLevelStr:%@;leftPaddingLevelStr:%@;rightPaddingLevelStr:%@;"
                u"topMarginLevelStr:%@;bottomMarginLevelStr:%@;leftMarginLevelStr:%@;rightMarginLevelStr:%@;",
                {boxLevelOf(el, 0), boxLevelOf(el, 1), boxLevelOf(el, 2), boxLevelOf(el, 3), boxLevelOf(el, 4),
                 boxLevelOf(el, 5), boxLevelOf(el, 6), boxLevelOf(el, 7)});
    const double spacing = el.lineSpacing();
    if (spacing > 0.0 && std::isfinite(spacing))
        Fmt::append(css, u"line-height:%f; !important;lineSpacingMultiple:%f;", {spacing, spacing});
    css += QLatin1Char('}');

    // Hover marker rule, link rule, visited rule, hover rule. A hover colour
    // that is not six hex digits counts as none.
    const QString hover = hexOr(el.hoverColorString(), kEmpty);
    const QString hoverText = hexOr(el.hoverTextColorString(), kEmpty);
    if (!hover.isEmpty() && !hoverText.isEmpty())
        Fmt::append(css, u".text%d{hoverColor:%@;hoverTextColor:%@;}", {n, hover, hoverText});
    else if (!hover.isEmpty())
        Fmt::append(css, u".text%d{hoverColor:%@;}", {n, hover});
    else if (!hoverText.isEmpty())
        Fmt::append(css, u".text%d{hoverTextColor:%@;}", {n, hoverText});
    if (!hoverText.isEmpty())
        Fmt::append(css,
                    u".text%d a:link {text-decoration: none; color: #%@;font-weight:normal;}"
                    u".text%d a:hover {text-decoration: none; color: #%@;font-weight:normal;}",
                    {n, textColour, n, hoverText});
    else
        Fmt::append(css, u".text%d a:link {text-decoration: none; color: #%@;font-weight:normal;}", {n, textColour});
    Fmt::append(css,
                u".text%d a:visited {text-decoration: none; color: #%@;font-weight:normal;formType:%@;formTag:%d;"
                u"formOptionTag:%d;formRequiredFlag:%d;}",
                {n, textColour, Escape::cssValue(el.formType()), el.formTag(), el.formOptionTag(),
                 el.formRequiredFlag()});
    if (!hover.isEmpty() && !hoverText.isEmpty())
        Fmt::append(css, u".text%d:hover{background-color:#%@;color:#%@;}\n", {n, hover, hoverText});
    else if (!hover.isEmpty())
        Fmt::append(css, u".text%d:hover{background-color:#%@;}\n", {n, hover});
    else if (!hoverText.isEmpty())
        Fmt::append(css, u".text%d:hover{color:#%@ !important;}\n", {n, hoverText});
    css += u"\n\n";
}

} // namespace

void TextFormPass::run(GenerationContext &ctx)
{
    SKTDocument &doc = ctx.doc;
    QList<TextElement> &elements = doc.textViewArray;

    FormState state;
    for (const TextElement &el : std::as_const(elements))
        if (el.formType() == QLatin1String("textLabel"))
            state.captions.insert(qMakePair(el.formTag(), el.formOptionTag()), CellLookup::text(el));

    PieceRoom room({&ctx.textCSS, &ctx.textMarkup}, elements.size());
    int32_t n = 0;
    for (qsizetype i = elements.size() - 1; i >= 0; --i, ++n) {
        room.nextItem();
        TextElement &el = elements[i];
        // 1. Colours CSS cannot take, and the form tag of a plain text.
        if (el.textHexColorString() == QLatin1String("CLEAR0"))
            el.setTextHexColorString(QStringLiteral("000000"));
        if (el.borderHexColorString() == QLatin1String("CLEAR0"))
            el.setBorderHexColorString(QStringLiteral("000000"));
        if (el.formType().isEmpty())
            el.setFormTag(-99);

        // 2. Stacking value and template name.
        int32_t z = el.manualLayerIndex();
        if (z == 0)
            z = el.isCarrier() ? ctx.containerStackingValue(el.identity()) : ctx.stackingValue(el.graphic());
        el.setTemplateName(ctx.templateNameFor(el.templateName()));

        // 3. The text as the page shows it.
        const QString raw = CellLookup::text(el);
        const QRectF bounds = CellLookup::bounds(el);
        const QString text = PageText::toMarkup(raw);

        // 4. Responsive editions also lay the element out in the grid.
        // Table cells are written by their table's own generator, not again here.
        if (gResponsiveEdition && !el.isCarrier()) {
            CodeWidgetHelper code = doc.generateTextViewCode(el, nullptr, false);
            code.responsiveResizeFlag = el.responsiveResizeFlag();
            code.partOfTableFlag = el.partOfTableFlag();
            code.setRect(bounds);
            doc.sourceCodeArray.append(code);
        }

        // 5, 6. Markup and rule.
        writeMarkup(ctx, state, el, n, bounds, raw, text);
        const QString type = el.formType();
        if (type == QLatin1String("radio") || type == QLatin1String("checkbox"))
            writeChoiceRule(ctx, el, n, z, bounds);
        else
            writeFullRule(ctx, el, n, z, bounds, raw);
    }

    // 7. Captions of enlargeable gallery images.
    if (doc.needImagePopupScript())
        ctx.galleryCaptionCSS = QStringLiteral(
            ".galleryImageCaption{font-size:12px; text-decoration: none; color: #4f4c4c;font-weight:normal;} "
            ".galleryImageCaption a:link{font-size:12px; text-decoration: none; color: #4f4c4c;font-weight:normal;}\n"
            ".galleryImageCaption span {display:block;word-wrap:break-word;}\n");
}
