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
    if (at < 0)
        return pageText;
    const qsizetype from = at + kOpen.size();
    const QByteArray encoded = pageText.mid(from, pageText.size() - kClose.size() - from).toLatin1();
    const auto decoded = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return pageText;
    return QString::fromUtf8(decoded.decoded);
}

QString publishedPage(const QString &pageText)
{
    const qsizetype at = blockStart(pageText);
    return at < 0 ? pageText : pageText.left(at);
}

}  // namespace PageEditingCopy
