#include "publishing/ImageMapEmail.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

const char *const kTemplate =
    "<html>\n<head>\n<meta name=\"viewport\" content=\"width=device-width,minimum-scale=1, maximum-scale=1\" />\n"
    "</head>\n<body bgcolor=\"#%1\" align=center>\n<center><table bgcolor=\"#%2\" align=center><tr><td>%3<p>\n"
    "<div id=\"imgmapdiv\">\n<map name=\"map1\">\n%4</map>\n</div>\n"
    "<img src=%5 width=%6 height=%7 border=0 usemap=\"#map1\" alt=\"%8\">\n<p>%9<p>\n"
    "</td></tr></table></body></html>";

QString escapedText(const QString &text)
{
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return normal.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QString hexOrWhite(const QString &hex)
{
    QString digits = hex.trimmed();
    if (digits.startsWith(QLatin1Char('#')))
        digits.remove(0, 1);
    static const QString allowed = QStringLiteral("0123456789abcdefABCDEF");
    const bool valid = digits.size() == 6
        && std::all_of(digits.begin(), digits.end(), [](QChar c) { return allowed.contains(c); });
    return valid ? digits.toUpper() : QStringLiteral("FFFFFF");
}

}  // namespace

QString ImageMapEmail::remoteFileName(const QDateTime &now)
{
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(alphabet[QRandomGenerator::global()->bounded(36)]);
    const QString stamp = QLocale(QLocale::English, QLocale::UnitedStates)
                              .toString(now, QStringLiteral("MMMddyyyyddddHHmmss"));
    return stamp + suffix + QStringLiteral("_glentormails.png");
}

bool ImageMapEmail::isMappedLink(const QString &link)
{
    return !link.isEmpty() && link != QLatin1String("http://");
}

ImageMapEmail::Area ImageMapEmail::areaFor(const QRectF &bounds, const QString &link, float reflection)
{
    const int32_t x = int32_t(bounds.x());
    const int32_t y = int32_t(bounds.y());
    const int32_t w = int32_t(bounds.width());
    int32_t h = int32_t(bounds.height());
    if (reflection > 0)
        h = int32_t(float(h) / (reflection + 1.0f));
    return {std::max(x, 0), std::max(y, 0), x + w, y + h, link};
}

QString ImageMapEmail::encodedAddress(const QString &address)
{
    QString encoded = QString::fromLatin1(QUrl(address.trimmed(), QUrl::TolerantMode).toEncoded());
    encoded.replace(QLatin1Char('\''), QStringLiteral("%27"));
    encoded.replace(QLatin1Char('`'), QStringLiteral("%60"));
    encoded.replace(QLatin1Char('"'), QStringLiteral("%22"));
    encoded.replace(QLatin1Char('<'), QStringLiteral("%3C"));
    encoded.replace(QLatin1Char('>'), QStringLiteral("%3E"));
    encoded.replace(QLatin1Char(' '), QStringLiteral("%20"));
    return encoded;
}

QString ImageMapEmail::generateEmailCode(const Page &page)
{
    QString areas;
    for (const Area &area : page.areas) {
        if (!isMappedLink(area.link))
            continue;
        areas += QStringLiteral("<area shape=\"RECT\" coords=\"%1,%2,%3,%4\" href=\"%5\">\n")
                     .arg(area.left)
                     .arg(area.top)
                     .arg(area.right)
                     .arg(area.bottom)
                     .arg(area.link.trimmed().toHtmlEscaped());
    }
    const int margin = page.noCanvasMargin ? 0 : 50;
    const QString background = hexOrWhite(page.backgroundHex);
    // One pass over the template: a value that happens to hold "%1" stays as it is.
    return QString::fromLatin1(kTemplate)
        .arg(background, background, escapedText(page.header), areas, encodedAddress(page.pictureAddress),
             QString::number(int32_t(page.pictureWidth) + margin), QString::number(int32_t(page.pictureHeight) + margin),
             page.tooltip.toHtmlEscaped(), escapedText(page.footer));
}
