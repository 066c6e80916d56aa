#pragma once
// The text encodings of page files and of what is uploaded: ASCII, UTF-8, UTF-16 with
// a byte-order mark and Windows code page 1251, with the page files' read rule.
#include <QByteArray>
#include <QString>

class TextCodec {
public:
    TextCodec() = delete;

    enum class Encoding { ASCII, UTF8, UTF16, Windows1251 };

    static bool canEncodeAsASCII(const QString &text);
    // Each answers the bytes; *ok (when given) is false when a character could not be
    // represented (it is then written as "?").
    static QByteArray toASCII(const QString &text, bool *ok = nullptr);
    static QByteArray toUTF8(const QString &text);
    // Little-endian with the byte-order mark FF FE in front.
    static QByteArray toUTF16(const QString &text);
    static QByteArray toWindows1251(const QString &text, bool *ok = nullptr);
    static QByteArray encode(const QString &text, Encoding encoding, bool *ok = nullptr);

    static QString fromWindows1251(const QByteArray &bytes);
    // UTF-16 with either byte-order mark; without one, the byte order is guessed
    // from where the zero bytes of plain Latin text fall (little-endian when unclear).
    static QString fromUTF16(const QByteArray &bytes);

    // The page file encoding: ASCII when the whole text fits, else UTF-16 with a
    // mark. A text holding a NUL goes as UTF-16 too: its ASCII bytes would be
    // read back as UTF-16. decodePageText reads every result back unchanged.
    static QByteArray encodePageText(const QString &text);
    // The text without control characters other than tab, line feed and
    // carriage return (C0, DEL and C1): they have no place in a page.
    static QString withoutControlCharacters(const QString &text);
    static bool isUnwantedControl(char16_t c);
    // The encoding named by a page's charset setting: "Win-1251", "UTF-8", or UTF-16
    // for anything else.
    static Encoding encodingForCharset(const QString &charset);

    // Reads a page file: a byte-order mark decides; else ASCII when every byte is
    // 7-bit; else UTF-8 when the bytes are valid UTF-8; else UTF-16 when the text
    // looks like it; else Windows code page 1251, so no byte is ever lost.
    static QString decodePageText(const QByteArray &bytes);
    static bool isValidUTF8(const QByteArray &bytes);
};
