#include "document/PageBodyText.h"

#include "document/ReadError.h"
#include "document/PageText.h"

namespace {

const QLatin1String kDivClass("<div class=");

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-');
}

// Removes every opening tag that starts with the given text, through its ">",
// in one pass (a line of many such tags costs no more than its length).
void removeTagsStartingWith(QString &text, const QString &start)
{
    qsizetype at = text.indexOf(start);
    if (at < 0)
        return;
    QString kept;
    kept.reserve(text.size());
    qsizetype from = 0;
    while (at >= 0) {
        kept += QStringView(text).mid(from, at - from);
        const qsizetype close = text.indexOf(QLatin1Char('>'), at + start.size());
        from = close < 0 ? text.size() : close + 1;
        at = text.indexOf(start, from);
    }
    kept += QStringView(text).mid(from);
    text = kept;
}

// The text after `key` up to the nearer of ">" and a blank.
// An attribute value as pages write it: in double quotes (the quotes are
// not part of it), or bare up to the next blank or the tag's end (older pages).
QString valueUpToTagEnd(const QString &line, qsizetype from)
{
    if (from < line.size() && line.at(from) == QLatin1Char('"')) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), from + 1);
        return line.mid(from + 1, close < 0 ? -1 : close - from - 1);
    }
    qsizetype end = from;
    while (end < line.size() && line.at(end) != QLatin1Char('>') && line.at(end) != QLatin1Char(' '))
        ++end;
    return line.mid(from, end - from);
}

} // namespace

QString PageBodyText::decodeEntities(QString text)
{
    return PageText::decodeEntities(text);
}

TextContentResult PageBodyText::grabTextContent(const QStringList &bodyLines,
                                                const QList<std::shared_ptr<myTextView>> &snippets,
                                                const QString &prefix)
{
    TextContentResult result;
    result.inputObjectArray = snippets;
    QList<bool> consumed(bodyLines.size(), false);
    qsizetype j = 0;
    qsizetype k = 0;
    while (j < bodyLines.size() && k < snippets.size()) {
        const QString marker = QStringLiteral("<div class=%1%2>").arg(prefix).arg(k);
        if (!bodyLines.at(j).startsWith(marker)) {
            ++j;
            continue;
        }
        myTextView &carrier = *snippets.at(k);
        const qsizetype n = std::max<int32_t>(carrier.nlines, 0);
        if (n > bodyLines.size() - j - 1)
            throw ReadError(QStringLiteral("Snippet %1 reaches past the end of the page.").arg(k));
        QStringList textLines;
        for (qsizetype i = 1; i <= n; ++i) {
            const QString &line = bodyLines.at(j + i);
            consumed[j + i] = true;
            if (i == 1 && carrier.containsLinkFlag == 1)
                carrier.link = line;
            else
                textLines.append(line);
        }
        consumed[j] = true;
        QString text = textLines.join(QLatin1Char('\n'));
        if (carrier.snippetFormatFlag)
            text.replace(QLatin1String("<br>"), QLatin1String("\n")); // the snippet's markup stays as written
        carrier.textView.string += text;
        j += n + 1;
        ++k;
    }
    result.bodyStringArray.reserve(bodyLines.size());
    for (qsizetype i = 0; i < bodyLines.size(); ++i)
        if (!consumed.at(i))
            result.bodyStringArray.append(bodyLines.at(i));
    return result;
}

PageBodyText::LineIndex::LineIndex(const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        qsizetype at = 0;
        while ((at = line.indexOf(kDivClass, at)) >= 0) {
            at += kDivClass.size();
            qsizetype end = at;
            while (end < line.size() && line.at(end) != QLatin1Char(' ') && line.at(end) != QLatin1Char('>'))
                ++end;
            if (end < line.size() && !m_div.contains(line.mid(at, end - at)))
                m_div.insert(line.mid(at, end - at), i);
            qsizetype word = at;
            while (word < line.size() && isNameChar(line.at(word)))
                ++word;
            if (word > at && !m_divPrefix.contains(line.mid(at, word - at)))
                m_divPrefix.insert(line.mid(at, word - at), i);
        }
        if (line.startsWith(QLatin1String("<a class="))) {
            const qsizetype start = 9;
            const qsizetype end = line.indexOf(QLatin1Char(' '), start);
            if (end > start && !m_anchor.contains(line.mid(start, end - start)))
                m_anchor.insert(line.mid(start, end - start), i);
        }
        at = 0;
        const QLatin1String quoted("class=\"");
        while ((at = line.indexOf(quoted, at)) >= 0) {
            at += quoted.size();
            const qsizetype end = line.indexOf(QLatin1Char('"'), at);
            if (end < 0)
                break;
            const QString name = line.mid(at, end - at);
            if (!m_quoted.contains(name))
                m_quoted.insert(name, i);
            at = end + 1;
        }
    }
}

qsizetype PageBodyText::LineIndex::divLine(const QString &className) const
{
    return m_div.value(className, -1);
}

qsizetype PageBodyText::LineIndex::imageLine(const QString &imageName, bool bootstrap) const
{
    qsizetype best = -1;
    auto consider = [&](const QHash<QString, qsizetype> &index) {
        const qsizetype line = index.value(imageName, -1);
        if (line >= 0 && (best < 0 || line < best))
            best = line;
    };
    consider(m_div);
    consider(m_anchor);
    consider(m_quoted);
    if (bootstrap)
        consider(m_divPrefix);
    return best;
}

void PageBodyText::applyTextLine(const QString &line, const QString &className, myTextView &carrier)
{
    QString text = line;
    // The element's own opening tag, whatever attributes follow its class.
    removeTagsStartingWith(text, QStringLiteral("<div class=%1 ").arg(className));
    text.remove(QStringLiteral("<div class=%1>").arg(className));
    text.remove(QLatin1String("id=content>"));
    text.remove(QLatin1String("</div>"));

    // Tags first, so that text that only looks like a tag once decoded stays text.
    const QLatin1String anchor("<a href=");
    const qsizetype a = text.indexOf(anchor);
    if (a >= 0) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), a);
        const QString inside = text.mid(a + anchor.size(), (close < 0 ? text.size() : close) - a - anchor.size());
        const qsizetype target = inside.indexOf(QLatin1String("target="));
        // Both values may be quoted (pages quote them) or bare (older pages).
        const auto unquoted = [](QString value) {
            value = value.trimmed();
            if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
                value = value.mid(1, value.size() - 2);
            return value;
        };
        if (target >= 0) {
            carrier.link = decodeEntities(unquoted(inside.left(target)));
            carrier.linkOption = decodeEntities(unquoted(inside.mid(target + 7)));
        } else {
            carrier.link = decodeEntities(unquoted(inside));
        }
        removeTagsStartingWith(text, anchor);
    }
    text.remove(QLatin1String("</a>"));
    text = PageText::fromMarkup(text);

    if (carrier.indentFlag == 1 || carrier.indentFlag == 2)
        text = QLatin1String("    ") + text.trimmed();
    if (carrier.formOptionTag == -22 && carrier.formType == QLatin1String("textLabel"))
        text = QStringLiteral("1+2=");
    carrier.textView.string = text;
}

void PageBodyText::applyImageLine(const QString &line, TransformView &image)
{
    // Slides keep their alternative text in the link's title; free images
    // only in the picture's alt attribute, which would otherwise be lost.
    qsizetype from = -1;
    if (const qsizetype title = line.indexOf(QLatin1String("title=")); title >= 0)
        from = title + 6;
    else if (const qsizetype alt = line.indexOf(QLatin1String(" alt=")); alt >= 0)
        from = alt + 5;
    if (from >= 0) {
        if (from < line.size() && line.at(from) == QLatin1Char('"'))
            ++from;
        const qsizetype end = line.indexOf(QLatin1Char('"'), from);
        image.altText = decodeEntities(line.mid(from, end < 0 ? -1 : end - from));
    }
    const qsizetype href = line.lastIndexOf(QLatin1String("href="));
    if (href >= 0) {
        const QString link = valueUpToTagEnd(line, href + 5);
        if (!link.contains(QLatin1String("#popup_image")))
            image.link = decodeEntities(link);
    }
    const qsizetype target = line.indexOf(QLatin1String("target="));
    if (target >= 0) {
        const QString option = valueUpToTagEnd(line, target + 7);
        const bool known = option == QLatin1String("_self") || option == QLatin1String("_blank")
            || option == QLatin1String("_parent");
        image.linkOption = known ? option : QLatin1String("");
    }
}

void PageBodyText::fillProfileCells(const QStringList &bodyLines, const QList<std::shared_ptr<myTextView>> &cells)
{
    qsizetype n = 0;
    for (const QString &line : bodyLines) {
        if (n >= cells.size())
            break;
        const QString marker = QStringLiteral("<div class=ttext%1>").arg(n);
        if (!line.startsWith(marker))
            continue;
        QString text = line.mid(marker.size());
        text.remove(QLatin1String("</div>"));
        cells.at(n)->textView.string = PageText::fromMarkup(text);
        ++n;
    }
}
