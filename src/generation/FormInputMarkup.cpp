#include "generation/FormInputMarkup.h"

#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "document/PageText.h"
#include "generation/ResponsiveText.h"
#include "model/SKTTable.h"

namespace {

QString plainText(const TextElement &el)
{
    return el.isCarrier() ? SKTTable::cellText(*el.carrier()) : el.text();
}

// A caption in an attribute value, a label or the mail (inside a PHP
// string literal of either kind): markup, quotes, "$" and "\" as references.
QString captionText(const QString &raw)
{
    QString out = PageText::toMarkup(raw);
    out.replace(QLatin1String("&quot;"), QLatin1String("&#34;"));
    out.replace(QLatin1Char('$'), QLatin1String("&#36;"));
    out.replace(QLatin1Char('\\'), QLatin1String("&#92;"));
    return out;
}

// The bot check's question, printed by the mailer's PHP when the page is
// served (a full open tag: short ones are off on most servers).
const QString kBotQuestion = QStringLiteral("<?php echo $questionString;?>");
// The bot check's answer in the mailed response.
const QString kBotAnswerCaption = QStringLiteral("Bot check answer");

} // namespace

bool FormInputMarkup::IsThisMultipleChoiceLabel(const SKTDocument &doc, const TextElement &label)
{
    for (const TextElement &el : doc.textViewArray) {
        const QString type = el.formType();
        if ((type == QLatin1String("radio") || type == QLatin1String("checkbox")) && el.formTag() == label.formTag())
            return true;
    }
    return false;
}

TextElement FormInputMarkup::grabRadioLabel(const SKTDocument &doc, const TextElement &element)
{
    TextElement found;
    for (const TextElement &el : doc.textViewArray)
        if (el.formType() == QLatin1String("textLabel") && el.formTag() == element.formTag()
            && el.formOptionTag() == -99)
            found = el;
    return found;
}

bool FormInputMarkup::write(SKTDocument &doc, const TextElement &el, int32_t n, const QString &prefix,
                            const QRectF &bounds, CodeWidgetHelper &code)
{
    const QString type = el.formType();
    const int32_t f = el.formTag();
    const QString cls = prefix + QStringLiteral("text") + QString::number(n);
    QString &body = code.bodyString;

    if (type == QLatin1String("textLabel")) {
        // A group's question is the visible text of the group; other labels
        // are written by the field they caption.
        if (el.formOptionTag() == -99 && IsThisMultipleChoiceLabel(doc, el))
            return true;
        code.noMarginAddOnFlag = true;
        return false;
    }

    if (type == QLatin1String("submit")) {
        doc.formSubmitButtonValue = plainText(el);
        const QString value = captionText(plainText(el));
        const int32_t a = el.responsiveAlignment();
        const QString input =
            Fmt::fill(u"<input class=%@ type=\"%@\" value=\"%@\" name=form%d>", {cls, type, value, f});
        if (a == 1)
            body = QStringLiteral("<p align=center>") + input + QStringLiteral("</p>\n");
        else if (a == 2)
            body = QStringLiteral("<p align=right>") + input + QStringLiteral("</p>\n");
        else
            body = input + QLatin1Char('\n');
        return false;
    }

    code.noMarginAddOnFlag = true;
    const QString q = Fmt::fill(u"'.$form%d.'<p>", {f});

    // Caption: the last label with the same field and option numbers.
    QString t;      // the caption as page text
    QString tq;     // escaped for attributes, labels and the mail
    int32_t L = int32_t(doc.textViewArray.size());
    bool found = false;
    if (type == QLatin1String("radio") || type == QLatin1String("checkbox") || type == QLatin1String("text")
        || type == QLatin1String("textarea")) {
        for (const TextElement &label : doc.textViewArray) {
            if (label.formType() == QLatin1String("textLabel") && label.formTag() == f
                && label.formOptionTag() == el.formOptionTag()) {
                t = plainText(label);
                L = label.isCarrier() ? int32_t(doc.textViewArray.size()) : doc.elementNumber(label.graphic());
                found = true;
            }
        }
    }
    if (el.formOptionTag() == -22) {
        t = kBotQuestion;
        tq = kBotQuestion;
    } else {
        if (!found)
            t = plainText(el);
        tq = captionText(t);
        t = PageText::toMarkup(t);
    }
    const bool required = el.formRequiredFlag() == 1;

    if (type == QLatin1String("text")) {
        const QString input =
            Fmt::fill(required ? u"<input class=\"form-control %@\" type=\"%@\" name=form%d required>\n"
                               : u"<input class=\"form-control %@\" type=\"%@\" name=form%d>\n",
                      {cls, type, f});
        Fmt::append(body, u"<div class=\"form-group\"><label for=\"form%d\"><div class=text%d>%@</div></label>\n%@\n</div>",
                    {f, L, tq, input});
        // The signed answer of the bot question travels with its field (the
        // mailer checks it where the visitor's session could not start).
        if (el.formOptionTag() == -22)
            body += QStringLiteral("\n<input type=\"hidden\" name=formCheck value=\"<?php echo $formCheck;?>\">");
        code.formResponseBody = Fmt::fill(u"$form%d = zovFormValue('form%d');\n", {f, f});
        // The mail is a PHP string: the bot question's printing tag would
        // arrive as its own source text, so the answer gets a caption of its own.
        code.formMessageBody = Fmt::fill(u"<b>%@</b><p>%@", {el.formOptionTag() == -22 ? kBotAnswerCaption : tq, q});
    } else if (type == QLatin1String("password")) {
        Fmt::append(body, u"<input class=%@ type=\"%@\" name=form%d>\n", {cls, type, f});
        code.formResponseBody = Fmt::fill(u"$form%d = zovFormValue('form%d');\n", {f, f});
        code.formMessageBody = Fmt::fill(u"$form%d<p>", {f});
    } else if (type == QLatin1String("radio") || type == QLatin1String("checkbox")) {
        if (type == QLatin1String("radio")) {
            Fmt::append(body,
                        u"<div class=radio>\n<label>\n<input class=%@ type=\"%@\" value=\"%@\" name=form%d>\n"
                        u"<div class=text%d>%@</div>\n</label>\n</div>",
                        {cls, type, tq, f, L, tq});
            code.formResponseBody = Fmt::fill(u"$form%d = zovFormValue('form%d');\n", {f, f});
        } else {
            const QString name = Fmt::fill(u"form%d[]", {f});
            const QString input =
                Fmt::fill(u"<input class=%@ type=\"%@\" value=\"%@\" name=\"%@\">\n", {cls, type, tq, name});
            Fmt::append(body, u"<div class=checkbox>\n<label>\n%@\n<div class=text%d>%@</div>\n</label>\n</div>",
                        {input, L, t});
            // The ticked values arrive as an array; the mailer joins them with ", ".
            code.formResponseBody = Fmt::fill(u"$form%d = zovFormValue('form%d');\n", {f, f});
        }
        const TextElement question = grabRadioLabel(doc, el);
        code.formMessageBody = question.isNull()
                                   ? q
                                   : Fmt::fill(u"<b>%@</b><p>%@", {captionText(plainText(question)), q});
    } else if (type == QLatin1String("textarea")) {
        const int32_t rows = Fmt::trunc(bounds.height()) / 15;
        const QString area =
            Fmt::fill(required ? u"<textarea class=\"form-control %@\" rows=%d name=form%d required></textarea>\n"
                               : u"<textarea class=\"form-control %@\" rows=%d name=form%d></textarea>\n",
                      {cls, rows, f});
        Fmt::append(body, u"<div class=\"form-group\"><label for=\"form%d\"><div class=text%d>%@</div></label>\n%@\n</div>",
                    {f, L, t, area});
        code.formResponseBody = Fmt::fill(u"$form%d = nl2br(zovFormValue('form%d'));\n", {f, f});
        code.formMessageBody = Fmt::fill(u"<b>%@</b><p>%@", {tq, q});
    }
    return false;
}
