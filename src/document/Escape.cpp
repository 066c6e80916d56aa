#include "document/Escape.h"

namespace {

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == 0x85 || u == 0x2028 || u == 0x2029 || u == 0x0B || u == 0x0C;
}

void appendSymbolEntity(QString &out, QChar c)
{
    switch (c.unicode()) {
    case 0x00A9: out += u"&copy;"; break;
    case 0x00AE: out += u"&reg;"; break;
    case 0x00A3: out += u"&pound;"; break;
    case 0x00A2: out += u"&cent;"; break;
    case 0x00A5: out += u"&yen;"; break;
    case 0x20AC: out += u"&euro;"; break;
    case 0x00BF: out += u"&iquest;"; break;
    default: out += c; break;
    }
}

QChar plainQuote(QChar c)
{
    switch (c.unicode()) {
    case 0x2019:
    case 0x2018: return QLatin1Char('\'');
    case 0x201C:
    case 0x201D: return QLatin1Char('"');
    case 0x2014: return QLatin1Char('-');
    default: return c;
    }
}

} // namespace

QString Escape::plainQuotes(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = plainQuote(c);
    return out;
}

QString Escape::typographic(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        appendSymbolEntity(out, plainQuote(c));
    return out;
}

QString Escape::html(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c0 : text) {
        const QChar c = plainQuote(c0);
        switch (c.unicode()) {
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u'"': out += u"&quot;"; break;
        case u'\'': out += u"&#39;"; break;
        default: appendSymbolEntity(out, c); break;
        }
    }
    return out;
}

QString Escape::quotedAttribute(const QString &text)
{
    return QLatin1Char('"') + html(text) + QLatin1Char('"');
}

QString Escape::cssValue(const QString &text)
{
    // Symbols stay characters here: their entities would bring a ";" along.
    const QString t = plainQuotes(text);
    QString out;
    out.reserve(t.size());
    for (QChar c : t) {
        if (c == u';' || c == u'{' || c == u'}' || c == u'<' || c == u'>' || c == u'"' || c == u'\\'
            || isLineBreak(c))
            continue;
        out += c;
    }
    return out;
}

QString Escape::jsString(const QString &text)
{
    const QString t = typographic(text);
    QString out;
    out.reserve(t.size() + 8);
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        switch (c.unicode()) {
        case u'\\': out += u"\\\\"; break;
        case u'\'': out += u"\\'"; break;
        case u'"': out += u"\\\""; break;
        case u'\n': out += u"\\n"; break;
        case u'\r': out += u"\\r"; break;
        case 0x2028: out += u"\\u2028"; break;
        case 0x2029: out += u"\\u2029"; break;
        case u'<':
            // "</script" would end the script element around the literal.
            out += (i + 1 < t.size() && (t[i + 1] == u'/' || t[i + 1] == u'!')) ? QStringLiteral("<\\") : QStringLiteral("<");
            break;
        default: out += c; break;
        }
    }
    return out;
}

QString Escape::phpSingle(const QString &text)
{
    const QString t = typographic(text);
    QString out;
    out.reserve(t.size() + 8);
    for (QChar c : t) {
        if (c == u'\\' || c == u'\'')
            out += u'\\';
        out += c;
    }
    return out;
}

QString Escape::phpDouble(const QString &text)
{
    const QString t = typographic(text);
    QString out;
    out.reserve(t.size() + 8);
    for (QChar c : t) {
        switch (c.unicode()) {
        case u'\\': out += u"\\\\"; break;
        case u'"': out += u"\\\""; break;
        case u'$': out += u"\\$"; break;
        case u'\n': out += u"\\n"; break;
        case u'\r': out += u"\\r"; break;
        default: out += c; break;
        }
    }
    return out;
}

bool Escape::isHexColour(const QString &text)
{
    if (text.size() != 6)
        return false;
    for (QChar c : text)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}

QString Escape::storedColour(const QString &text, const QString &fallback)
{
    if (text == QLatin1String("CLEAR0") || isHexColour(text))
        return text;
    return fallback;
}

QString Escape::cssColour(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String("CLEAR0"))
        return QStringLiteral("transparent");
    if (isHexColour(text))
        return QLatin1Char('#') + text;
    return QString();
}

bool Escape::isPlainName(const QString &text)
{
    if (text.isEmpty() || text.size() > 100)
        return false;
    for (QChar c : text)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'
              || c == u'-'))
            return false;
    return true;
}

bool Escape::isSafeFolderName(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String(".") || text == QLatin1String(".."))
        return false;
    for (QChar c : text)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    return true;
}
