#include "sidebar/LinkPolicy.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("LinkPolicy", text);
}

bool isElementId(const QString &id)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9_-]*$"));
    return re.match(id).hasMatch();
}
} // namespace

QString LinkPolicy::refusalForLink(const QString &input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return QString();
    for (const QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c == u'<' || c == u'>' || c == u'"'
            || c == u'\'' || c == u'\\' || c == u'`')
            return tr("A link may not hold spaces, quotes, angle brackets or backslashes.");
    }
    if (text.startsWith(u'#')) {
        if (text.size() == 1 || isElementId(text.mid(1)))
            return QString();
        return tr("An anchor is \"#\" followed by an element id.");
    }
    if (text.startsWith(QLatin1String("//")))
        return tr("Begin a link to another site with http:// or https://.");
    static const QRegularExpression schemeRe(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const auto m = schemeRe.match(text);
    // A colon after the first "/", "?" or "#" belongs to a relative address.
    const qsizetype firstDelimiter = text.indexOf(QRegularExpression(QStringLiteral("[/?#]")));
    if (m.hasMatch() && (firstDelimiter < 0 || m.capturedEnd(1) < firstDelimiter)) {
        const QString scheme = m.captured(1).toLower();
        const QString rest = text.mid(m.capturedEnd(0));
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
            const QUrl url(text, QUrl::StrictMode);
            if (!url.isValid() || url.host().isEmpty())
                return tr("The web address has no valid host.");
            return QString();
        }
        if (scheme == QLatin1String("mailto")) {
            static const QRegularExpression mailRe(QStringLiteral("^[^@?]+@[^@?]+(\\?.*)?$"));
            return mailRe.match(rest).hasMatch() ? QString() : tr("A mailto link needs an email address.");
        }
        if (scheme == QLatin1String("tel")) {
            static const QRegularExpression telRe(QStringLiteral("^\\+?[0-9().-]+$"));
            return telRe.match(rest).hasMatch() && rest.contains(QRegularExpression(QStringLiteral("[0-9]")))
                       ? QString()
                       : tr("A tel link needs a phone number.");
        }
        return tr("Links may use http, https, mailto or tel, or be relative.");
    }
    return QString();
}

QString LinkPolicy::refusalForElementIds(const QString &input, bool several)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return QString();
    const QStringList ids = several ? text.split(u',') : QStringList{text};
    for (const QString &id : ids)
        if (!isElementId(id.trimmed()))
            return several ? tr("Element ids begin with a letter and hold letters, digits, \"-\" and \"_\"; "
                                "separate several with commas.")
                           : tr("An element id begins with a letter and holds letters, digits, \"-\" and \"_\".");
    return QString();
}
