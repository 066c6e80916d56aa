// The text element generator of the responsive editions: one text graphic or
// table cell becomes its fragment (the stored per-element rule with its
// hover and link rules, a text block or link, or a form field, and the
// show/hide click script).
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/ElementBox.h"
#include "document/Escape.h"
#include "generation/FormInputMarkup.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "document/PageText.h"
#include "generation/ResponsiveText.h"
#include "model/SKTTable.h"

namespace {

const QString kEmpty = QString(QLatin1String(""));

bool isFormType(const QString &type)
{
    static const QStringList kinds = {QStringLiteral("textLabel"), QStringLiteral("text"),
                                      QStringLiteral("password"),  QStringLiteral("radio"),
                                      QStringLiteral("checkbox"),  QStringLiteral("textarea"),
                                      QStringLiteral("submit")};
    return kinds.contains(type);
}

bool isNone(const QString &unit)
{
    return unit.isEmpty() || unit == QLatin1String("(null)");
}

void setBoxType(TextElement &el, int index, const QString &unit)
{
    ElementBox::setType<myTextView>(el.graphic(), el.carrier().get(), index, unit);
}

} // namespace

int32_t SKTDocument::elementNumber(const SKTGraphic *graphic) const
{
    qsizetype index = activeGeneration ? activeGeneration->indexOfGraphic(graphic) : -1;
    if (index < 0)
        index = indexOfGraphic(graphic); // not in the generation's index (added since)
    return int32_t(graphics().size() - index);
}

TextElement SKTDocument::populateTextViewMarginType(TextElement element)
{
    for (int i = 0; i < 8; ++i)
        if (isNone(element.boxType(i)))
            setBoxType(element, i, QStringLiteral("%"));
    return element;
}

CodeWidgetHelper SKTDocument::generateTextViewCode(TextElement element, SKTTable *table, bool cellFlag)
{
    CodeWidgetHelper code;
    if (element.isNull())
        return code;
    TextElement &el = element;
    const bool carrier = el.isCarrier();

    // Number and class prefix: a page graphic counts from the back of the
    // page; a cell is numbered within its table, after the table's number.
    QString prefix;
    int32_t n = 0;
    if (table) {
        prefix = QStringLiteral("tableGrid") + QString::number(elementNumber(table));
        n = int32_t(table->cellHelperArray().indexOf(el.carrier()));
    } else {
        n = elementNumber(el.graphic());
    }
    const QString id = prefix + QStringLiteral("text") + QString::number(n);

    // 1. Source values.
    const QString raw = carrier ? SKTTable::cellText(*el.carrier()) : el.text();
    const double opacity = el.opacity();
    // A cell has no border style of its own.
    const QString borderStyle = carrier ? QStringLiteral("(null)") : Escape::cssValue(el.borderStyle());
    const int32_t fontSize = el.fontSize();
    const QString family = el.fontFamily();
    if (activeGeneration)
        activeGeneration->markFontUsed(family);
    const QString align = raw.isEmpty() ? QStringLiteral("left") : ResponsiveText::alignmentWord(el.alignment());

    // 2. A clear text or border colour is black.
    if (el.textHexColorString() == QLatin1String("CLEAR0"))
        el.setTextHexColorString(QStringLiteral("000000"));
    if (el.borderHexColorString() == QLatin1String("CLEAR0"))
        el.setBorderHexColorString(QStringLiteral("000000"));
    const QString tc = ResponsiveText::colour(el.textHexColorString());
    const QString bc = ResponsiveText::colour(el.borderHexColorString());
    const QString bg = ResponsiveText::colour(el.backgroundHexColorString());

    // 3. Text to markup: what the person typed stays text, in every edition.
    const QString text = PageText::toMarkup(raw);
    const int32_t indent = (el.indentFlag() == 1 || el.indentFlag() == 2) ? 40 : 0;

    // 4. Effects.
    QString opacityString;
    if (opacity < 1.0)
        Fmt::append(opacityString, u"opacity:%f;filter:alpha(opacity=%f);", {opacity, opacity * 100.0});
    const int32_t s = el.shadowFlag() == 1 ? 1 : 0;
    const QString shadowString =
        s == 1 ? Fmt::fill(u"box-shadow: %dpx %dpx %fpx #000000;", {0, s, double(s)}) : kEmpty;

    // 5. Hover and link rules.
    const QString visitedRule =
        Fmt::fill(u".%@text%d a:visited {text-decoration: none; color: %@;font-weight:normal;}", {prefix, n, tc});
    const ResponsiveText::HoverRules hover =
        ResponsiveText::hoverRules(id, tc, el.hoverColorString(), el.hoverTextColorString());

    // 6. Layout strings.
    const QRectF bounds = carrier && table && el.carrier()->frame.isEmpty()
                              ? table->grabSelectedCellRect(el.carrier()->rowSpot, el.carrier()->columnSpot)
                              : el.bounds();
    const QString lineHeight =
        el.lineSpacing() > 0 ? Fmt::fill(u"line-height:%f; !important;", {double(el.lineSpacing())}) : kEmpty;
    const QString size = el.responsiveResizeFlag() == 1
                             ? Fmt::fill(u"width:%dpx;height:%dpx;", {bounds.width(), bounds.height()})
                             : kEmpty;
    QString box;
    if (table && table->gridType() == QLatin1String("navbar")) {
        box = QStringLiteral("padding:20px 20px 10px 10px;");
    } else {
        QString units[8];
        for (int i = 0; i < 8; ++i) {
            // A unit never set is "%" (never the text "(null)").
            units[i] = isNone(el.boxType(i)) ? QStringLiteral("%") : Escape::cssValue(el.boxType(i));
        }
        Fmt::append(box,
                    u"padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;margin-top:%d%@;"
                    u"margin-bottom:%d%@;margin-left:%d%@;margin-right:%d%@;",
                    {el.boxValue(0), units[0], el.boxValue(1), units[1], el.boxValue(2), units[2], el.boxValue(3),
                     units[3], el.boxValue(4), units[4], el.boxValue(5), units[5], el.boxValue(6), units[6],
                     el.boxValue(7), units[7]});
        if (units[6] == QLatin1String("%") && units[7] == QLatin1String("%"))
            Fmt::append(box, u"width:%d%%;", {100 - el.boxValue(6) - el.boxValue(7)});
        box.replace(QLatin1String("pixel"), QLatin1String("px"));
    }
    const int32_t ra = el.responsiveAlignment();
    const QString alignString = ra == 1   ? QStringLiteral("margin:0 auto;")
                                : ra == 2 ? QStringLiteral("margin-left:auto; margin-right:0;")
                                          : QStringLiteral("margin:0px;");
    const QString show = el.onClickShowString();
    const QString hide = el.onClickHideString();
    const QString cursor = (!show.isEmpty() || !hide.isEmpty()) ? QStringLiteral("cursor:pointer;") : kEmpty;
    const QString cssFamily = Escape::cssValue(family);
    const double radius = el.cornerRadius();

    // 7. The rule.
    QString &css = code.headerString;
    css.reserve(1200);
    Fmt::append(css,
                u".%@text%d{%@%@font-size:%dpx;color:%@;background-color:%@;font-family:\"%@\";border-style:%@;"
                u"border-width:%dpx;border-color:%@;text-align:%@;border-radius:%fpx;-moz-border-radius:%fpx;%@%@",
                {prefix, n, size, alignString, fontSize, tc, bg, cssFamily, borderStyle, el.borderWidth(), bc, align,
                 radius, radius, opacityString, shadowString});
    Fmt::append(css,
                u"shadowOpacity:%d;shadowRadius:%d;shadowOffSetY:%d;textAlpha:%f;text-indent:%dpx;%@;%@%@}%@%@%@%@\n\n",
                {s, s, s, opacity, indent, cursor, lineHeight, box, hover.attributes, hover.links, visitedRule, hover.hover});

    // 8. Inline style of the e-mail edition.
    QString inlineStyle;
    if (gResponsiveEmailEdition)
        Fmt::append(inlineStyle,
                    u"%@%@font-size:%dpx;color:%@;background-color:%@;font-family:\"%@\";border-style:%@;"
                    u"border-width:%dpx;border-color:%@;text-align:%@;border-radius:%fpx;%@",
                    {size, alignString, fontSize, tc, bg, cssFamily, borderStyle, el.borderWidth(), bc, align, radius,
                     box});
    // The style sits in a single-quoted attribute: no stored value may end it.
    inlineStyle.remove(QLatin1Char('\''));

    // 9. Body: a form field, or a text block or link.
    bool textBlock = true;
    if (isFormType(el.formType()))
        textBlock = FormInputMarkup::write(*this, el, n, prefix, bounds, code);
    if (textBlock) {
        const QString link = verifyLink(el.link());
        QString &body = code.bodyString;
        if (link.isEmpty() || link == QLatin1String("http://")) {
            if (gResponsiveEmailEdition)
                Fmt::append(body, u"<div class=%@ id=%@ style='%@'>%@</div>\n", {id, id, inlineStyle, text});
            else
                Fmt::append(body, u"<div class=%@ id=%@>%@</div>\n", {id, id, text});
        } else {
            const QString href = Escape::quotedAttribute(link);
            const QString target =
                Escape::quotedAttribute(el.linkOption().isEmpty() ? QStringLiteral("_self") : el.linkOption());
            const bool shape = el.linkType() == QLatin1String("shape");
            if (gResponsiveEmailEdition) {
                if (shape)
                    Fmt::append(body, u"<a href=%@ target=%@><div class=%@ id=%@ style='%@'>%@</div></a>\n",
                                {href, target, id, id, inlineStyle, text});
                else
                    Fmt::append(body, u"<div class=%@ id=%@ style='%@'><a href=%@ target=%@>%@</a></div>\n",
                                {id, id, inlineStyle, href, target, text});
            } else if (shape) {
                Fmt::append(body, u"<a href=%@ target=%@><div class=%@ id=%@>%@</div></a>\n",
                            {href, target, id, id, text});
            } else {
                Fmt::append(body, u"<div class=%@ id=%@><a href=%@ target=%@>%@</a></div>\n",
                            {id, id, href, target, text});
            }
        }
    }

    // 10. Click script.
    code.javaScriptString = ResponsiveText::clickScript(id, show, hide);

    // 11. The record.
    code.setRect(bounds);
    code.partOfTableFlag = cellFlag;
    const QString fill = el.backgroundHexColorString();
    code.fillColour = Escape::isHexColour(fill) ? fill.toUpper() : QString();
    code.emptyText = raw.trimmed().isEmpty();
    code.cornerRadius = radius;
    return code;
}
