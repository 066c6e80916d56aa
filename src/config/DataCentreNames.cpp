#include "config/DataCentreNames.h"

#include "config/EditionSettings.h"
#include "platform/Bundle.h"

#include <QDebug>
#include <QFile>
#include <QStringDecoder>
#include <QTime>

QString DataCentreNames::zovSubstringToIndex(const QString &string, int32_t index)
{
    if (index < 0 || string.size() <= index)
        return string;
    return string.left(index);
}

QString DataCentreNames::zovSubstringFromIndex(const QString &string, int32_t index)
{
    if (index < 0 || string.size() <= index)
        return QLatin1String("");
    return string.mid(index);
}

namespace {

bool keepInUnicodeName(char32_t c)
{
    // Path separators and control characters would let a name reach outside
    // its folder or hide in a listing.
    if (c == U'/' || c == U'\\' || c == U' ')
        return false;
    // Embedding and override marks turn the rest of a name around on
    // screen ("photo\u202Egpj.exe" reads as "photoexe.jpg").
    if (c >= 0x202A && c <= 0x202E)
        return false;
    if (QChar::isSpace(c) || QChar::isNonCharacter(c) || QChar::isSurrogate(c))
        return false;
    if (QChar::unicodeVersion(c) == QChar::Unicode_Unassigned || QChar::unicodeVersion(c) > QChar::Unicode_3_2)
        return false;
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
        return false;
    default:
        return true;
    }
}

bool keepInPlainName(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_'
           || c == u'-';
}

// At most 255 bytes of UTF-8, cut between code points.
QString capToFileNameBytes(const QString &name)
{
    constexpr qsizetype kMaxBytes = 255;
    if (name.toUtf8().size() <= kMaxBytes)
        return name;
    QString capped;
    qsizetype bytes = 0;
    for (const char32_t c : name.toUcs4()) {
        const qsizetype width = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (bytes + width > kMaxBytes)
            break;
        bytes += width;
        capped += QString::fromUcs4(&c, 1);
    }
    return capped;
}

} // namespace

QString DataCentreNames::generateNewFileName(const QString &proposed)
{
    return generateNewFileName(proposed, gUnicodeFileNames);
}

QString DataCentreNames::generateNewFileName(const QString &proposed, bool unicodeNames)
{
    QString cleaned;
    if (unicodeNames) {
        for (const char32_t c : proposed.toUcs4()) {
            if (keepInUnicodeName(c))
                cleaned += QString::fromUcs4(&c, 1);
        }
    } else {
        for (const QChar c : proposed) {
            if (keepInPlainName(c.unicode()))
                cleaned += c;
        }
    }
    // A leading dot hides the file, and "." or ".." name a folder.
    qsizetype dots = 0;
    while (dots < cleaned.size() && cleaned[dots] == QLatin1Char('.'))
        ++dots;
    cleaned = capToFileNameBytes(cleaned.mid(dots));
    if (cleaned.isEmpty())
        return QStringLiteral("untitled");
    return cleaned;
}

QString DataCentreNames::readBundleFile(const QString &name, const QString &type)
{
    const QString path = Bundle::pathForResource(name, type);
    if (path.isEmpty())
        return {};
    return readUtf8TextFile(path);
}

QString DataCentreNames::readUtf8TextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return {};
    return text.isNull() ? QLatin1String("") : text;
}

void DataCentreNames::printCurrentTime()
{
    qInfo().noquote() << QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}
