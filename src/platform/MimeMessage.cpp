#include "platform/MimeMessage.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTimeZone>
#include <QUuid>

namespace {

const int kMaxLine = 76;

QByteArray crlfLines(const QByteArray &text)
{
    QByteArray normal = text;
    normal.replace("\r\n", "\n");
    normal.replace('\r', '\n');
    normal.replace("\n", "\r\n");
    return normal;
}

QString withoutLineBreaks(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

QByteArray newBoundary()
{
    // "=_" cannot occur in quoted-printable or base64 text, so the boundary can never
    // be mistaken for a line of a part.
    return "=_zov_" + QUuid::createUuid().toByteArray(QUuid::Id128);
}

// Characters a display name may hold without quotes (atext and spaces).
bool isPlainPhrase(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9!#$%&'*+/=?^_`{|}~ -]*$"));
    return plain.match(name).hasMatch() && !name.startsWith(QLatin1Char(' '))
        && !name.endsWith(QLatin1Char(' '));
}

bool isPrintableAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

QString decodeEntities(QString text)
{
    static const QRegularExpression numeric(QStringLiteral("&#(x[0-9A-Fa-f]+|[0-9]+);"));
    QString out;
    qsizetype last = 0;
    for (auto it = numeric.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString n = m.captured(1);
        bool ok = false;
        const uint code = n.startsWith(QLatin1Char('x')) ? n.mid(1).toUInt(&ok, 16) : n.toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF)
            out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        last = m.capturedEnd();
    }
    out += text.mid(last);
    out.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    out.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    out.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    out.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    out.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    out.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return out;
}

// A readable plain-text rendering of an HTML body, for mail programs that show no HTML.
QString plainTextOf(const QString &html)
{
    QString text = html;
    static const QRegularExpression hidden(
        QStringLiteral("<(head|style|script|title)\\b.*?</\\1\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression comments(QStringLiteral("<!--.*?-->"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression breaks(QStringLiteral("<\\s*(br|/p|/div|/tr|/h[1-6]|/li|/table)\\b[^>]*>"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression spaces(QStringLiteral("[ \\t\\r\\f]+"));
    static const QRegularExpression blankRuns(QStringLiteral("\\n\\s*\\n(\\s*\\n)+"));
    text.remove(hidden);
    text.remove(comments);
    text.replace(breaks, QStringLiteral("\n"));
    text.remove(tags);
    text.replace(QLatin1Char('\n'), QStringLiteral("\x01"));
    text.replace(spaces, QStringLiteral(" "));
    text.replace(QLatin1Char('\x01'), QLatin1Char('\n'));
    text = decodeEntities(text);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.trimmed();
    text = lines.join(QLatin1Char('\n'));
    text.replace(blankRuns, QStringLiteral("\n\n"));
    return text.trimmed() + QLatin1Char('\n');
}

}  // namespace

void MimeMessage::setFrom(const QString &name, const QString &address)
{
    from_ = {name, address};
}

void MimeMessage::addTo(const QString &name, const QString &address)
{
    to_.append({name, address});
}

void MimeMessage::addCc(const QString &name, const QString &address)
{
    cc_.append({name, address});
}

void MimeMessage::addBcc(const QString &name, const QString &address)
{
    bcc_.append({name, address});
}

void MimeMessage::setHtmlBody(const QString &html)
{
    html_ = html;
}

void MimeMessage::setTextBody(const QString &text)
{
    text_ = text;
    textSet_ = true;
}

void MimeMessage::addRelatedPart(const RelatedPart &part)
{
    related_.append(part);
}

QStringList MimeMessage::envelopeRecipients() const
{
    QStringList result;
    QSet<QString> seen;
    for (const QList<Address> *list : {&to_, &cc_, &bcc_}) {
        for (const Address &a : *list) {
            const QString address = a.address.trimmed();
            if (address.isEmpty())
                continue;
            if (!seen.contains(address.toLower())) {
                seen.insert(address.toLower());
                result.append(address);
            }
        }
    }
    return result;
}

bool MimeMessage::isValidAddress(const QString &address)
{
    // Plain ASCII local@domain: what every submission server takes. Quoted local
    // parts and international addresses are refused rather than sent half-right.
    static const QRegularExpression pattern(
        QStringLiteral("^[A-Za-z0-9!#$%&'*+/=?^_`{|}~.-]+@[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?"
                       "(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?)*$"));
    if (address.size() > 254 || !pattern.match(address).hasMatch())
        return false;
    const QString local = address.section(QLatin1Char('@'), 0, 0);
    return local.size() <= 64 && !local.startsWith(QLatin1Char('.')) && !local.endsWith(QLatin1Char('.'))
        && !local.contains(QStringLiteral(".."));
}

QString MimeMessage::validate() const
{
    // Every problem is named, so one look at the log shows all there is to correct.
    QStringList problems;
    if (hasLineBreak(subject_))
        problems << QStringLiteral("The subject contains a line break.");
    if (hasLineBreak(from_.name))
        problems << QStringLiteral("The sender name contains a line break.");
    if (hasLineBreak(from_.address))
        problems << QStringLiteral("The sender address contains a line break.");
    else if (!isValidAddress(from_.address))
        problems << QStringLiteral("The sender address \u201c%1\u201d is not a valid e-mail address.").arg(from_.address);
    const struct {
        const QList<Address> *list;
        const char *field;
    } lists[] = {{&to_, "To"}, {&cc_, "CC"}, {&bcc_, "BCC"}};
    for (const auto &entry : lists) {
        const QString field = QString::fromLatin1(entry.field);
        for (const Address &a : *entry.list) {
            if (hasLineBreak(a.name))
                problems << QStringLiteral("A %1 name contains a line break.").arg(field);
            if (hasLineBreak(a.address))
                problems << QStringLiteral("A %1 address contains a line break.").arg(field);
            else if (!isValidAddress(a.address))
                problems << QStringLiteral("The %1 address \u201c%2\u201d is not a valid e-mail address.").arg(field, a.address);
        }
    }
    return problems.join(QLatin1Char('\n'));
}

QByteArray MimeMessage::encodeHeaderText(const QString &text)
{
    if (isPrintableAscii(text) && !text.contains(QStringLiteral("=?")))
        return text.toLatin1();
    // Encoded words short enough to share a line with "Subject: ": 42 bytes of UTF-8
    // make 56 of base64, 68 with the markers. A word never splits a character.
    QByteArray result;
    QByteArray chunk;
    const auto flush = [&] {
        if (chunk.isEmpty())
            return;
        if (!result.isEmpty())
            result += ' ';
        result += "=?UTF-8?B?" + chunk.toBase64() + "?=";
        chunk.clear();
    };
    const QList<uint> codes = text.toUcs4();
    for (uint code : codes) {
        const QByteArray bytes = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1).toUtf8();
        if (chunk.size() + bytes.size() > 42)
            flush();
        chunk += bytes;
    }
    flush();
    return result;
}

QByteArray MimeMessage::formatAddress(const Address &address)
{
    const QString name = withoutLineBreaks(address.name).trimmed();
    const QByteArray addr = withoutLineBreaks(address.address).trimmed().toLatin1();
    if (name.isEmpty() || name.compare(address.address.trimmed(), Qt::CaseInsensitive) == 0)
        return addr;
    QByteArray phrase;
    if (!isPrintableAscii(name) || name.contains(QStringLiteral("=?"))) {
        phrase = encodeHeaderText(name);
    } else if (isPlainPhrase(name)) {
        phrase = name.toLatin1();
    } else {
        QString quoted = name;
        quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
        phrase = '"' + quoted.toLatin1() + '"';
    }
    return phrase + " <" + addr + '>';
}

QByteArray MimeMessage::foldHeader(const QByteArray &name, const QByteArray &value)
{
    QByteArray result = name + ':';
    qsizetype lineLength = result.size();
    const QList<QByteArray> words = value.split(' ');
    for (const QByteArray &word : words) {
        if (word.isEmpty())
            continue;
        if (lineLength + 1 + word.size() > 78 && lineLength > name.size() + 1) {
            result += "\r\n";
            lineLength = 0;
        }
        result += ' ' + word;
        lineLength += 1 + word.size();
    }
    return result + "\r\n";
}

QByteArray MimeMessage::quotedPrintable(const QByteArray &data)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(data.size() * 11 / 10 + 16);
    const QList<QByteArray> lines = crlfLines(data).split('\n');
    for (qsizetype li = 0; li < lines.size(); ++li) {
        QByteArray line = lines[li];
        if (line.endsWith('\r'))
            line.chop(1);
        int column = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const uchar c = uchar(line[i]);
            const bool last = i == line.size() - 1;
            bool encode = c == '=' || c > 126 || (c < 32 && c != '\t') || ((c == ' ' || c == '\t') && last);
            if (column + (encode ? 3 : 1) > kMaxLine - 1) {
                out += "=\r\n";
                column = 0;
            }
            // A leading dot is encoded too, so no transport can take the line for the
            // end of the data.
            if (c == '.' && column == 0)
                encode = true;
            if (encode) {
                out += '=';
                out += hex[c >> 4];
                out += hex[c & 15];
                column += 3;
            } else {
                out += char(c);
                column += 1;
            }
        }
        if (li + 1 < lines.size())
            out += "\r\n";
    }
    return out;
}

QByteArray MimeMessage::base64Lines(const QByteArray &data)
{
    const QByteArray encoded = data.toBase64();
    QByteArray out;
    out.reserve(encoded.size() + encoded.size() / kMaxLine * 2 + 2);
    for (qsizetype i = 0; i < encoded.size(); i += kMaxLine)
        out += encoded.mid(i, kMaxLine) + "\r\n";
    return out;
}

QByteArray MimeMessage::rfc2822Date(const QDateTime &date)
{
    const QLocale c = QLocale::c();
    const int offset = date.offsetFromUtc() / 60;
    const int absOffset = offset < 0 ? -offset : offset;
    return c.toString(date, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")).toLatin1()
        + (offset < 0 ? '-' : '+')
        + QByteArray::number(absOffset / 60).rightJustified(2, '0')
        + QByteArray::number(absOffset % 60).rightJustified(2, '0');
}

QByteArray MimeMessage::toMime() const
{
    QByteArray out;
    const QDateTime date = date_.isValid() ? date_ : QDateTime::currentDateTime();
    out += "Date: " + rfc2822Date(date) + "\r\n";
    out += foldHeader("From", formatAddress(from_));
    const auto addressList = [](const QList<Address> &list) {
        QByteArrayList items;
        for (const Address &a : list)
            items.append(formatAddress(a));
        return items.join(", ");
    };
    if (!to_.isEmpty())
        out += foldHeader("To", addressList(to_));
    if (!cc_.isEmpty())
        out += foldHeader("Cc", addressList(cc_));
    out += foldHeader("Subject", encodeHeaderText(withoutLineBreaks(subject_)));
    QString domain = from_.address.section(QLatin1Char('@'), 1);
    if (!isValidAddress(QStringLiteral("x@") + domain))
        domain = QStringLiteral("localhost");
    out += "Message-ID: <" + QUuid::createUuid().toByteArray(QUuid::Id128) + '.'
        + QByteArray::number(date.toSecsSinceEpoch()) + '@' + domain.toLatin1() + ">\r\n";
    out += "MIME-Version: 1.0\r\n";

    const auto textPart = [](const QByteArray &subtype, const QString &text) {
        return "Content-Type: text/" + subtype + "; charset=UTF-8\r\n"
               "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
            + quotedPrintable(text.toUtf8()) + "\r\n";
    };
    QByteArray body;
    if (html_.isEmpty() && related_.isEmpty()) {
        body = textPart("plain", text_);
    } else {
        const QByteArray alt = newBoundary();
        body = foldHeader("Content-Type", "multipart/alternative; boundary=\"" + alt + '"') + "\r\n";
        body += "--" + alt + "\r\n" + textPart("plain", textSet_ ? text_ : plainTextOf(html_));
        body += "--" + alt + "\r\n" + textPart("html", html_);
        body += "--" + alt + "--\r\n";
        if (!related_.isEmpty()) {
            const QByteArray rel = newBoundary();
            QByteArray wrapped = foldHeader("Content-Type", "multipart/related; type=\"multipart/alternative\"; boundary=\""
                + rel + '"') + "\r\n";
            wrapped += "--" + rel + "\r\n" + body;
            for (const RelatedPart &part : related_) {
                QByteArray name = part.fileName.toUtf8();
                name.replace('"', '_');
                name.replace('\\', '_');
                name.replace('\r', '_');
                name.replace('\n', '_');
                const QByteArray nameValue = isPrintableAscii(part.fileName)
                    ? '"' + name + '"' : '"' + encodeHeaderText(part.fileName) + '"';
                wrapped += "--" + rel + "\r\n";
                wrapped += "Content-Type: " + part.contentType.toLatin1() + "; name=" + nameValue + "\r\n";
                wrapped += "Content-Transfer-Encoding: base64\r\n";
                wrapped += "Content-ID: <" + part.contentId.toLatin1() + ">\r\n";
                wrapped += "Content-Disposition: inline; filename=" + nameValue + "\r\n\r\n";
                wrapped += base64Lines(part.data);
            }
            wrapped += "--" + rel + "--\r\n";
            body = wrapped;
        }
    }
    return out + body;
}
