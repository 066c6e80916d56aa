#include "platform/TextCodec.h"

#include <gtest/gtest.h>
#include <string_view>

namespace {
const QString kRussian = QString::fromUtf8("Привет, мир");
using namespace std::string_view_literals;
// A UTF-16 literal that may hold NUL characters.
QString text16(std::u16string_view s)
{
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}
} // namespace

TEST(TextCodec, AsciiCheckAndEncoding)
{
    EXPECT_TRUE(TextCodec::canEncodeAsASCII("<p>Hello</p>\n"));
    EXPECT_TRUE(TextCodec::canEncodeAsASCII(""));
    EXPECT_FALSE(TextCodec::canEncodeAsASCII(QString::fromUtf8("café")));
    bool ok = true;
    EXPECT_EQ(TextCodec::toASCII(QString::fromUtf8("café"), &ok), QByteArray("caf?"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(TextCodec::toASCII("abc", &ok), QByteArray("abc"));
    EXPECT_TRUE(ok);
}

TEST(TextCodec, Utf16HasALittleEndianMark)
{
    EXPECT_EQ(TextCodec::toUTF16("Ab"), QByteArray("\xFF\xFE" "A\0b\0", 6));
    EXPECT_EQ(TextCodec::toUTF8(QString::fromUtf8("é")), QByteArray("\xC3\xA9"));
}

TEST(TextCodec, Windows1251)
{
    bool ok = false;
    EXPECT_EQ(TextCodec::toWindows1251(QString::fromUtf8("Привет №1"), &ok),
              QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2 \xB9" "1"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(TextCodec::fromWindows1251("\xCF\xF0\xE8\xE2\xE5\xF2"), QString::fromUtf8("Привет"));
    EXPECT_EQ(TextCodec::toWindows1251(QString::fromUtf8("日本"), &ok), QByteArray("??"));
    EXPECT_FALSE(ok) << "a character outside the code page is reported";
}

TEST(TextCodec, PageTextWrittenAsAsciiElseUtf16)
{
    EXPECT_EQ(TextCodec::encodePageText("<html>"), QByteArray("<html>"));
    const QByteArray wide = TextCodec::encodePageText(QString::fromUtf8("<p>é</p>"));
    EXPECT_TRUE(wide.startsWith("\xFF\xFE"));
    EXPECT_EQ(TextCodec::decodePageText(wide), QString::fromUtf8("<p>é</p>"));
}

TEST(TextCodec, CharsetSettingChoosesTheUploadEncoding)
{
    EXPECT_EQ(TextCodec::encodingForCharset("Win-1251"), TextCodec::Encoding::Windows1251);
    EXPECT_EQ(TextCodec::encodingForCharset("UTF-8"), TextCodec::Encoding::UTF8);
    EXPECT_EQ(TextCodec::encodingForCharset("UTF-16"), TextCodec::Encoding::UTF16);
    EXPECT_EQ(TextCodec::encodingForCharset(""), TextCodec::Encoding::UTF16);
    // Pure ASCII text still goes out in code page 1251 when the page says so.
    EXPECT_EQ(TextCodec::encode("abc", TextCodec::Encoding::Windows1251), QByteArray("abc"));
}

TEST(TextCodec, PageFileReadRule)
{
    struct Case {
        const char *label;
        QByteArray bytes;
        QString text;
    };
    const QString e = QString::fromUtf8("é");
    QByteArray bigEndian("\xFE\xFF\0A\0\xE9", 6);
    QByteArray unmarkedLittle("<\0p\0>\0", 6);
    const Case cases[] = {
        {"ascii", "<p>plain</p>", "<p>plain</p>"},
        {"empty", "", ""},
        {"utf-16 le mark", TextCodec::toUTF16(kRussian), kRussian},
        {"utf-16 be mark", bigEndian, "A" + e},
        {"utf-8 without mark", kRussian.toUtf8(), kRussian},
        {"utf-8 with mark", "\xEF\xBB\xBF" + kRussian.toUtf8(), kRussian},
        {"utf-16 without mark", unmarkedLittle, "<p>"},
        {"neither: code page 1251", QByteArray("\xCF\xF0\xE8"), QString::fromUtf8("При")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TextCodec::decodePageText(c.bytes), c.text) << c.label;
}

TEST(TextCodec, RoundTripOfEveryEncoding)
{
    const QString text = QString::fromUtf8("Здравствуйте — \"quotes\" & <tags>");
    EXPECT_EQ(TextCodec::decodePageText(TextCodec::toUTF16(text)), text);
    EXPECT_EQ(TextCodec::decodePageText(TextCodec::toUTF8(text)), text);
    EXPECT_EQ(TextCodec::fromWindows1251(TextCodec::toWindows1251(text)), text);
}

TEST(TextCodec, PageTextIsWrittenSoThatItReadsBackTheSame)
{
    // A NUL in ASCII text would be taken for UTF-16 on reading; a leading
    // zero-width no-break space for a second byte-order mark.
    const QString texts[] = {
        text16(u"<p>a\u0000b</p>"sv),
        text16(u"\u0000"sv),
        text16(u"\uFEFF<p>x</p>"sv),
        text16(u"\uFEFF"sv),
        text16(u"tab\tbell\u0007del\u007F"sv),
        text16(u"caf\u00E9\u0000"sv),
        QString(),
    };
    for (const QString &text : texts) {
        const QByteArray bytes = TextCodec::encodePageText(text);
        EXPECT_EQ(TextCodec::decodePageText(bytes), text) << bytes.toHex().toStdString();
    }
    EXPECT_EQ(TextCodec::encodePageText(text16(u"a\u0007"sv)), QByteArray("a\x07"));

    // Whatever a file holds, what is read from it is written back so that it reads the same.
    const QByteArray files[] = {
        QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx"),
        QByteArray("\xFF\xFE\xFF\xFE" "A\0", 6),
        QByteArray("\xFE\xFF\xFE\xFF\0A", 6),
        QByteArray("A\0B\0", 4),
        QByteArray("\x01\0", 2),
        QByteArray("\x80\x98\0", 3),
        QByteArray("\xFF\xFE" "A", 3),
    };
    for (const QByteArray &file : files) {
        const QString text = TextCodec::decodePageText(file);
        EXPECT_EQ(TextCodec::decodePageText(TextCodec::encodePageText(text)), text) << file.toHex().toStdString();
    }
}

TEST(TextCodec, ControlCharactersOtherThanTabAndLineBreaksAreDropped)
{
    EXPECT_EQ(TextCodec::withoutControlCharacters(text16(u"a\u0000b\u001Fc\td\ne\rf\u007Fg\u0080h\u009Fi\u00A0"sv)),
              text16(u"abc\td\ne\rfghi\u00A0"sv));
    const QString plain = QStringLiteral("nothing to drop");
    EXPECT_EQ(TextCodec::withoutControlCharacters(plain), plain);
    EXPECT_TRUE(TextCodec::withoutControlCharacters(text16(u"\u0001\u0002"sv)).isEmpty());
}
