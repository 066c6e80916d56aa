#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

// Code page 1251, bytes 0x80 to 0xFF (0x98 is unassigned).
constexpr std::array<char16_t, 128> kWindows1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

}  // namespace

bool TextCodec::canEncodeAsASCII(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return true;
}

QByteArray TextCodec::toASCII(const QString &text, bool *ok)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool clean = true;
    for (QChar c : text) {
        if (c.unicode() > 0x7F) {
            clean = false;
            bytes.append('?');
        } else {
            bytes.append(char(c.unicode()));
        }
    }
    if (ok)
        *ok = clean;
    return bytes;
}

QByteArray TextCodec::toUTF8(const QString &text)
{
    return text.toUtf8();
}

QByteArray TextCodec::toUTF16(const QString &text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

QByteArray TextCodec::toWindows1251(const QString &text, bool *ok)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool clean = true;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            bytes.append(char(u));
            continue;
        }
        int found = -1;
        if (u != 0xFFFD) {
            for (int i = 0; i < 128; ++i) {
                if (kWindows1251[i] == u) {
                    found = i;
                    break;
                }
            }
        }
        if (found < 0) {
            clean = false;
            bytes.append('?');
        } else {
            bytes.append(char(0x80 + found));
        }
    }
    if (ok)
        *ok = clean;
    return bytes;
}

QByteArray TextCodec::encode(const QString &text, Encoding encoding, bool *ok)
{
    if (ok)
        *ok = true;
    switch (encoding) {
    case Encoding::ASCII:
        return toASCII(text, ok);
    case Encoding::UTF8:
        return toUTF8(text);
    case Encoding::UTF16:
        return toUTF16(text);
    case Encoding::Windows1251:
        return toWindows1251(text, ok);
    }
    return {};
}

QString TextCodec::fromWindows1251(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        text.append(u < 0x80 ? QChar(u) : QChar(kWindows1251[u - 0x80]));
    }
    return text;
}

QString TextCodec::fromUTF16(const QByteArray &bytes)
{
    // The mark is taken off here; a second one is a character of the text
    // (a zero-width no-break space), which the decoder must keep.
    constexpr auto keepMark = QStringConverter::Flag::ConvertInitialBom;
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE, keepMark).decode(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE, keepMark).decode(bytes.mid(2));
    qsizetype zeroEven = 0, zeroOdd = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == 0)
            ++(i % 2 ? zeroOdd : zeroEven);
    }
    const auto order = zeroEven > zeroOdd ? QStringConverter::Utf16BE : QStringConverter::Utf16LE;
    return QStringDecoder(order).decode(bytes);
}

QByteArray TextCodec::encodePageText(const QString &text)
{
    return canEncodeAsASCII(text) && !text.contains(QChar(0)) ? toASCII(text) : toUTF16(text);
}

bool TextCodec::isUnwantedControl(char16_t c)
{
    if (c == u'\t' || c == u'\n' || c == u'\r')
        return false;
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

QString TextCodec::withoutControlCharacters(const QString &text)
{
    // Most texts hold none: answer them without a copy.
    qsizetype first = 0;
    while (first < text.size() && !isUnwantedControl(text.at(first).unicode()))
        ++first;
    if (first == text.size())
        return text;
    QString clean = text.left(first);
    clean.reserve(text.size());
    for (qsizetype i = first + 1; i < text.size(); ++i) {
        if (!isUnwantedControl(text.at(i).unicode()))
            clean.append(text.at(i));
    }
    return clean;
}

TextCodec::Encoding TextCodec::encodingForCharset(const QString &charset)
{
    if (charset == QLatin1String("Win-1251"))
        return Encoding::Windows1251;
    if (charset == QLatin1String("UTF-8"))
        return Encoding::UTF8;
    return Encoding::UTF16;
}

bool TextCodec::isValidUTF8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString TextCodec::decodePageText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return fromUTF16(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    bool ascii = true;
    qsizetype zeros = 0;
    for (char b : bytes) {
        if (static_cast<unsigned char>(b) > 0x7F)
            ascii = false;
        if (b == 0)
            ++zeros;
    }
    // Plain ASCII text has no NUL bytes; UTF-16 of Latin text is full of them.
    if (ascii && zeros == 0)
        return QString::fromLatin1(bytes);
    if (zeros == 0 && isValidUTF8(bytes))
        return QString::fromUtf8(bytes);
    if (bytes.size() % 2 == 0 && zeros > 0)
        return fromUTF16(bytes);
    return fromWindows1251(bytes);
}
