#include "config/DataCentre.h"
#include "config/ZovFileHelper.h"
#include "support/TempDir.h"

#include <QFile>

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(Names, SafeSubstrings)
{
    const QString s = QStringLiteral("abcdef");
    EXPECT_EQ(DataCentre::zovSubstringToIndex(s, 3), "abc");
    for (int i : {6, 10, -1})
        EXPECT_EQ(DataCentre::zovSubstringToIndex(s, i), s) << i;
    EXPECT_EQ(DataCentre::zovSubstringToIndex(s, 0), "");
    EXPECT_TRUE(DataCentre::zovSubstringToIndex(QString(), 2).isNull());

    EXPECT_EQ(DataCentre::zovSubstringFromIndex(s, 3), "def");
    EXPECT_EQ(DataCentre::zovSubstringFromIndex(s, 0), s);
    for (int i : {6, 10, -1}) {
        const QString tail = DataCentre::zovSubstringFromIndex(s, i);
        EXPECT_TRUE(tail.isEmpty() && !tail.isNull()) << i;
    }
    EXPECT_FALSE(DataCentre::zovSubstringFromIndex(QString(), 0).isNull());
}

TEST(Names, PlainFileNames)
{
    const struct { const char *in; const char *out; } table[] = {
        {"My Page #1 (Copy)", "MyPage1Copy"},
        {"\u00e9t\u00e9-2_b", "t-2_b"},
        {"../../etc/passwd", "etcpasswd"},
        {"   ", "untitled"},
        {"", "untitled"},
        {"...", "untitled"},
    };
    for (const auto &row : table)
        EXPECT_EQ(DataCentre::generateNewFileName(QString::fromUtf8(row.in), false), QString::fromUtf8(row.out))
            << row.in;
    EXPECT_EQ(DataCentre::generateNewFileName(QString(), false), "untitled");
}

TEST(Names, UnicodeFileNamesCannotLeaveTheirFolder)
{
    const struct { const char *in; const char *out; } table[] = {
        {"\u00c9t\u00e9 2024 \u20ac!", "\u00c9t\u00e92024!"},
        {"\u65e5\u672c\u8a9e\u306e\u30da\u30fc\u30b8", "\u65e5\u672c\u8a9e\u306e\u30da\u30fc\u30b8"},
        {"caf\u00e9 \u2013 men\u00fc", "caf\u00e9\u2013men\u00fc"}, // the dash is punctuation
        {"a+b=c <x>", "abcx"},                                        // symbols go
        {"../../etc/passwd", "etcpasswd"},
        {"..\\..\\boot.ini", "boot.ini"},
        {"name/with/slashes", "namewithslashes"},
        {"tab\there\x01\x7f", "tabhere"},
        {"photo\u202Egpj.exe", "photogpj.exe"},
        {".hidden", "hidden"},
        {".", "untitled"},
        {"..", "untitled"},
        {" . . ", "untitled"},
        {"\u20ac\u20ac", "untitled"},
        {"", "untitled"},
        {"report.v2.final", "report.v2.final"},
    };
    for (const auto &row : table)
        EXPECT_EQ(DataCentre::generateNewFileName(QString::fromUtf8(row.in), true), QString::fromUtf8(row.out))
            << row.in;
}

TEST(Names, LongNamesAreCutAtACharacterWithin255Bytes)
{
    const QString plain = DataCentre::generateNewFileName(QString(300, 'a'), false);
    EXPECT_EQ(plain.size(), 255);
    // Three bytes each in UTF-8: 85 fit.
    const QString wide = DataCentre::generateNewFileName(QString(100, QChar(0x65e5)), true);
    EXPECT_EQ(wide.size(), 85);
    EXPECT_LE(wide.toUtf8().size(), 255);
    // Two bytes each, after one ASCII letter: the cut never splits a character.
    const QString mixed = DataCentre::generateNewFileName("x" + QString(200, QChar(0xe9)), true);
    EXPECT_EQ(mixed.toUtf8().size(), 255);
    EXPECT_EQ(QString::fromUtf8(mixed.toUtf8()), mixed);
}

TEST(Names, SortByOneKey)
{
    ZovFileHelper a, b, c;
    a.filePath = "a";
    a.fileModDate = QDateTime(QDate(2020, 1, 3), QTime(0, 0));
    a.fileSizeBytes = 5'000'000'000ULL;
    b.filePath = "b";
    b.fileModDate = QDateTime(QDate(2020, 1, 1), QTime(0, 0));
    b.fileSizeBytes = 10;
    c.filePath = "c";
    c.fileModDate = QDateTime(QDate(2020, 1, 2), QTime(0, 0));
    c.fileSizeBytes = 10;
    const QList<ZovFileHelper> records{a, b, c};

    auto paths = [](const QList<ZovFileHelper> &list) {
        QStringList out;
        for (const ZovFileHelper &r : list)
            out << r.filePath;
        return out.join(',');
    };
    EXPECT_EQ(paths(DataCentre::sortArray(records, "fileModDate", true)), "b,c,a");
    EXPECT_EQ(paths(DataCentre::sortArray(records, "fileModDate", false)), "a,c,b");
    EXPECT_EQ(paths(DataCentre::sortArray(records, "fileSizeBytes", false)), "a,b,c"); // ties keep order
    EXPECT_EQ(paths(DataCentre::sortArray(records, "filePath", false)), "c,b,a");
    EXPECT_EQ(paths(records), "a,b,c"); // the input is left as it was
    EXPECT_TRUE(DataCentre::sortArray(QList<ZovFileHelper>(), "fileModDate", true).isEmpty());

    QList<std::shared_ptr<ZovFileHelper>> shared{std::make_shared<ZovFileHelper>(a),
                                                 std::make_shared<ZovFileHelper>(b)};
    EXPECT_EQ(DataCentre::sortArray(shared, "fileModDate", true).first()->filePath, "b");
}

class BundleFiles : public TempDirTest {};

TEST_F(BundleFiles, MissingResourcesReadAsNothing)
{
    EXPECT_TRUE(DataCentre::readBundleFile("no-such-resource", "csv").isNull());
}

TEST_F(BundleFiles, TextMustBeUtf8)
{
    auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path(name);
    };
    EXPECT_EQ(DataCentre::readUtf8TextFile(write("good.csv", "Avery,5160,\xc3\xa9\n")), QString::fromUtf8("Avery,5160,\u00e9\n"));
    EXPECT_TRUE(DataCentre::readUtf8TextFile(write("bad.csv", "Avery,\xff\xfe,5160")).isNull());
    const QString empty = DataCentre::readUtf8TextFile(write("empty.csv", ""));
    EXPECT_TRUE(empty.isEmpty() && !empty.isNull());
    EXPECT_TRUE(DataCentre::readUtf8TextFile(path("missing.csv")).isNull());
}

TEST(BundleText, ShippedTablesReadWhole)
{
    // The label list the label edition reads at start-up.
    const QString labels = DataCentre::readBundleFile("labels", "csv");
    ASSERT_FALSE(labels.isNull());
    EXPECT_TRUE(labels.contains("Avery"));
}
