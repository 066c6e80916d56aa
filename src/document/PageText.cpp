#include "document/PageText.h"

#include "document/Escape.h"

namespace {

struct Named {
    const char16_t *name; // without "&" and ";"
    char16_t character;
};

constexpr Named kNamed[] = {
    {u"amp", u'&'},       {u"lt", u'<'},        {u"gt", u'>'},        {u"quot", u'"'},    {u"apos", u'\''},
    {u"copy", u'\u00A9'}, {u"reg", u'\u00AE'},  {u"pound", u'\u00A3'}, {u"cent", u'\u00A2'}, {u"yen", u'\u00A5'},
    {u"euro", u'\u20AC'}, {u"iquest", u'\u00BF'}, {u"nbsp", u'\u00A0'},
};

// The reference starting at text[at] ("&"): its character(s) and length, or
// false when it is none the pages write.
bool reference(const QString &text, qsizetype at, QString *decoded, qsizetype *length)
{
    const qsizetype semicolon = text.indexOf(QLatin1Char(';'), at + 1);
    if (semicolon < 0 || semicolon - at > 10)
        return false;
    const QStringView name = QStringView(text).mid(at + 1, semicolon - at - 1);
    *length = semicolon - at + 1;
    if (name.startsWith(u'#')) {
        bool ok = false;
        const uint code = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X') ? name.mid(2).toUInt(&ok, 16)
                                                                                          : name.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        const char32_t c = char32_t(code);
        *decoded = QString::fromUcs4(&c, 1);
        return true;
    }
    for (const Named &n : kNamed) {
        if (name == QStringView(n.name)) {
            *decoded = QString(QChar(n.character));
            return true;
        }
    }
    return false;
}

} // namespace

bool PageText::isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == 0x0B || u == 0x0C || u == 0x85 || u == 0x2028 || u == 0x2029;
}

QString PageText::breaksToMarkup(const QString &text, Breaks breaks)
{
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue; // CR LF: the LF writes the break
        if (c == u'\n' && breaks == Breaks::TabParagraphs)
            out += u"<p class=\"tab\">";
        else if (isLineBreak(c))
            out += u"<br>";
        else
            out += c;
    }
    return out;
}

QString PageText::toMarkup(const QString &text, Breaks breaks)
{
    return breaksToMarkup(Escape::html(text), breaks);
}

QString PageText::toAttribute(const QString &text)
{
    QString out = Escape::html(text);
    out.replace(QLatin1Char('\r'), QLatin1String("&#13;"));
    out.replace(QLatin1Char('\n'), QLatin1String("&#10;"));
    return out;
}

QString PageText::fromMarkup(const QString &markup)
{
    QString text = markup;
    text.replace(QLatin1String("<br>"), QLatin1String("\n"));
    const QLatin1String tab("<p class=\"tab\">");
    text.replace(tab + QLatin1String("    "), tab);
    text.replace(tab, QLatin1String("\n    "));
    return decodeEntities(text);
}

QString PageText::decodeEntities(const QString &text)
{
    qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (at >= 0) {
        QString decoded;
        qsizetype length = 0;
        if (reference(text, at, &decoded, &length)) {
            out += QStringView(text).mid(from, at - from);
            out += decoded;
            from = at + length;
            at = text.indexOf(QLatin1Char('&'), from);
        } else {
            at = text.indexOf(QLatin1Char('&'), at + 1);
        }
    }
    out += QStringView(text).mid(from);
    return out;
}
