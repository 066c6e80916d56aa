#include "document/PageEditingCopy.h"

#include <QByteArray>

namespace {
const QLatin1String kOpen("\n<script type=\"application/x-zov-page\" id=\"zovEditingPage\">");
const QLatin1String kClose("</script>\n");

// Where the block starts, or -1. Only the last one counts: it is the one the
// writer appended, whatever the page's own texts hold.
qsizetype blockStart(const QString &text)
{
    const qsizetype at = text.lastIndexOf(kOpen);
    if (at < 0 || !text.endsWith(kClose))
        return -1;
    return at;
}

bool isBase64Character(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'+'
        || c == u'/';
}

// The whole lines of the editing page that the intact start of a damaged
// block still encodes; empty when there is no block or nothing of it is left.
QString salvagedEditingPage(const QString &text)
{
    const qsizetype at = text.lastIndexOf(kOpen);
    if (at < 0)
        return {};
    const qsizetype from = at + kOpen.size();
    qsizetype end = from;
    while (end < text.size() && isBase64Character(text.at(end)))
        ++end;
    // Whole groups of four characters decode on their own.
    const qsizetype whole = (end - from) / 4 * 4;
    const QByteArray decoded = QByteArray::fromBase64(text.mid(from, whole).toLatin1());
    // The last line may be cut in the middle of a rule: only lines that end are kept.
    const qsizetype lastBreak = decoded.lastIndexOf('\n');
    if (lastBreak < 0)
        return {};
    return QString::fromUtf8(decoded.left(lastBreak + 1));
}
} // namespace

namespace PageEditingCopy {

QString wrap(const QString &publishedPage, const QString &editingPage)
{
    return publishedPage + kOpen + QString::fromLatin1(editingPage.toUtf8().toBase64()) + kClose;
}

bool hasEditingCopy(const QString &pageText)
{
    return blockStart(pageText) >= 0;
}

QString editingPage(const QString &pageText)
{
    const qsizetype at = blockStart(pageText);
    if (at >= 0) {
        const qsizetype from = at + kOpen.size();
        const QByteArray encoded = pageText.mid(from, pageText.size() - kClose.size() - from).toLatin1();
        const auto decoded = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
        if (decoded && !decoded.decoded.isEmpty())
            return QString::fromUtf8(decoded.decoded);
    }
    // A copy cut short or spoilt part-way still holds the rules before the
    // damage, which place every graphic they name; the published page alone
    // no longer says where anything sits.
    const QString salvaged = salvagedEditingPage(pageText);
    return salvaged.isEmpty() ? pageText : salvaged;
}

QString publishedPage(const QString &pageText)
{
    const qsizetype at = blockStart(pageText);
    return at < 0 ? pageText : pageText.left(at);
}

}  // namespace PageEditingCopy
