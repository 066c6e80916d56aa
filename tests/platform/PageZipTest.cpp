#include "platform/PageZip.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <sys/stat.h>

namespace {

using testfiles::filesBelow;
using testfiles::readFile;

void writeFile(const QString &path, const QByteArray &data)
{
    ASSERT_TRUE(testfiles::writeFile(path, data)) << path.toStdString();
}

// An archive written straight with libzip, to hold what our writer never would.
struct RawEntry {
    QByteArray name;
    QByteArray data;
    bool symlink = false;
    bool store = false;
};

void writeRawArchive(const QString &path, const QList<RawEntry> &entries)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(archive, nullptr);
    QList<QByteArray> keep;
    for (const RawEntry &entry : entries) {
        keep << entry.data;
        zip_source_t *source = zip_source_buffer(archive, keep.last().constData(), zip_uint64_t(keep.last().size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.constData(), source, ZIP_FL_ENC_RAW);
        ASSERT_GE(index, 0) << entry.name.constData();
        if (entry.symlink)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
        if (entry.store)
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

int compressionOf(const QString &archivePath, const char *name)
{
    zip_t *archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, nullptr);
    if (!archive)
        return -100;
    zip_stat_t stat;
    const int result = zip_stat(archive, name, 0, &stat) == 0 ? int(stat.comp_method) : -100;
    zip_discard(archive);
    return result;
}

class PageZipTest : public TempDirTest {
protected:
    void SetUp() override
    {
        writeFile(path("W/index/photo.jpg"), QByteArray(4000, 'j'));
        writeFile(path("W/index/logo.PNG"), QByteArray(3000, 'p'));
        writeFile(path("W/index/full.css"), QByteArray(3000, ' ') + "body{}");
        writeFile(path("W/index/sub/deep.txt"), "deep");
        writeFile(path("W/index.html"), "<html></html>");
    }
};

}  // namespace

TEST_F(PageZipTest, NamesRelativeToTheAppendFolderAndRoundTrip)
{
    PageZip zip;
    ASSERT_TRUE(zip.NewZip(path("out/p.zov")) == false) << "the archive's folder must exist";
    QDir().mkpath(path("out"));
    ASSERT_TRUE(zip.NewZip(path("out/p.zov")));
    zip.setAppendFromDir(path("W/index"));
    ASSERT_TRUE(zip.AppendFiles(path("W/index") + "/*", true)) << zip.LastErrorText().toStdString();
    ASSERT_TRUE(zip.AppendFiles(path("W/index.html"), false));  // outside: its own name
    EXPECT_EQ(zip.entryNames(),
              (QStringList{"full.css", "logo.PNG", "photo.jpg", "sub/", "sub/deep.txt", "index.html"}));
    ASSERT_TRUE(zip.WriteZipAndClose()) << zip.LastErrorText().toStdString();

    PageZip reader;
    ASSERT_TRUE(reader.OpenZip(path("out/p.zov")));
    EXPECT_EQ(reader.Unzip(path("x")), 5);
    EXPECT_EQ(filesBelow(path("x")),
              (QStringList{"full.css", "index.html", "logo.PNG", "photo.jpg", "sub", "sub/deep.txt"}));
    EXPECT_EQ(readFile(path("x/photo.jpg")), readFile(path("W/index/photo.jpg")));
    EXPECT_EQ(readFile(path("x/full.css")), readFile(path("W/index/full.css")));
}

TEST_F(PageZipTest, NonRecursivePatternsAndRelativePaths)
{
    PageZip zip;
    ASSERT_TRUE(zip.NewZip(path("a.zip")));
    zip.setAppendFromDir(path("W"));
    ASSERT_TRUE(zip.AppendFiles("index/*", false));
    ASSERT_TRUE(zip.AppendFiles("index.html", false));
    EXPECT_EQ(zip.entryNames(), (QStringList{"index/full.css", "index/logo.PNG", "index/photo.jpg", "index.html"}));
    ASSERT_TRUE(zip.NewZip(path("b.zip")));
    ASSERT_TRUE(zip.AppendFiles("index", true));  // a folder: its own entry and everything below
    EXPECT_EQ(zip.entryNames().first(), "index/");
    EXPECT_TRUE(zip.entryNames().contains("index/sub/deep.txt"));
    EXPECT_FALSE(zip.AppendFiles("missing.html", false));
    EXPECT_TRUE(zip.LastErrorText().contains("missing.html"));
}

TEST_F(PageZipTest, PicturesAreStoredOtherFilesDeflated)
{
    PageZip zip;
    ASSERT_TRUE(zip.NewZip(path("p.zip")));
    zip.setAppendFromDir(path("W/index"));
    ASSERT_TRUE(zip.AppendFiles(path("W/index/*"), true));
    ASSERT_TRUE(zip.WriteZipAndClose());
    EXPECT_EQ(compressionOf(path("p.zip"), "photo.jpg"), ZIP_CM_STORE);
    EXPECT_EQ(compressionOf(path("p.zip"), "logo.PNG"), ZIP_CM_STORE);
    EXPECT_EQ(compressionOf(path("p.zip"), "full.css"), ZIP_CM_DEFLATE);
}

TEST_F(PageZipTest, FailedWriteLeavesThePreviousArchiveWhole)
{
    PageZip zip;
    ASSERT_TRUE(zip.NewZip(path("p.zip")));
    ASSERT_TRUE(zip.AppendFiles(path("W/index.html"), false));
    ASSERT_TRUE(zip.WriteZipAndClose());
    const QByteArray before = readFile(path("p.zip"));

    writeFile(path("W/vanishing.txt"), "soon gone");
    ASSERT_TRUE(zip.NewZip(path("p.zip")));
    ASSERT_TRUE(zip.AppendFiles(path("W/index/*"), true));
    ASSERT_TRUE(zip.AppendFiles(path("W/vanishing.txt"), false));
    QFile::remove(path("W/vanishing.txt"));
    EXPECT_FALSE(zip.WriteZipAndClose());
    EXPECT_FALSE(zip.LastErrorText().isEmpty());
    EXPECT_EQ(readFile(path("p.zip")), before);
    EXPECT_EQ(QDir(path()).entryList({"p.zip*"}, QDir::Files), QStringList{"p.zip"}) << "no temporary left";
}

TEST_F(PageZipTest, InterruptedWriteLeavesThePreviousArchiveWhole)
{
    PageZip zip;
    ASSERT_TRUE(zip.NewZip(path("p.zip")));
    ASSERT_TRUE(zip.AppendFiles(path("W/index.html"), false));
    ASSERT_TRUE(zip.WriteZipAndClose());
    const QByteArray before = readFile(path("p.zip"));

    for (int i = 0; i < 20; ++i)
        writeFile(path("W/index/big%1.bin").arg(i), QByteArray(64 * 1024, char('a' + i)));
    ASSERT_TRUE(zip.NewZip(path("p.zip")));
    ASSERT_TRUE(zip.AppendFiles(path("W/index/*"), true));
    bool intactWhileWriting = true;
    int calls = 0;
    zip.setProgressHandler([&](double fraction) {
        ++calls;
        intactWhileWriting = intactWhileWriting && readFile(path("p.zip")) == before;
        return fraction < 0.5;  // the user stops it half way
    });
    EXPECT_FALSE(zip.WriteZipAndClose());
    EXPECT_TRUE(zip.LastErrorText().contains("stopped")) << zip.LastErrorText().toStdString();
    EXPECT_GT(calls, 1);
    EXPECT_TRUE(intactWhileWriting);
    EXPECT_EQ(readFile(path("p.zip")), before);
    EXPECT_EQ(QDir(path()).entryList({"p.zip*"}, QDir::Files), QStringList{"p.zip"}) << "no temporary left";
}

TEST_F(PageZipTest, DamagedEntryFailsAndLeavesNoHalfFile)
{
    writeRawArchive(path("a.zip"), {{"good.txt", "good"}, {"pic.jpg", QByteArray(5000, 'x'), false, true}});
    QByteArray bytes = readFile(path("a.zip"));
    const qsizetype at = bytes.indexOf(QByteArray(100, 'x'));
    ASSERT_GT(at, 0);
    bytes[at + 50] = 'y';  // the stored data no longer matches its checksum
    writeFile(path("a.zip"), bytes);
    PageZip zip;
    ASSERT_TRUE(zip.OpenZip(path("a.zip")));
    EXPECT_EQ(zip.Unzip(path("t")), -1);
    EXPECT_TRUE(zip.LastErrorText().contains("damaged")) << zip.LastErrorText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("t/pic.jpg")));
}

TEST_F(PageZipTest, AnEmptyArchiveIsWrittenNotDeleted)
{
    PageZip zip;
    ASSERT_TRUE(zip.NewZip(path("p.zip")));
    ASSERT_TRUE(zip.AppendFiles(path("W/index.html"), false));
    ASSERT_TRUE(zip.WriteZipAndClose());
    QDir().mkpath(path("empty"));
    ASSERT_TRUE(zip.NewZip(path("p.zip")));
    ASSERT_TRUE(zip.AppendFiles(path("empty/*"), true));
    ASSERT_TRUE(zip.WriteZipAndClose());
    PageZip reader;
    ASSERT_TRUE(reader.OpenZip(path("p.zip"))) << reader.LastErrorText().toStdString();
    EXPECT_EQ(reader.Unzip(path("x")), 0);
}

TEST_F(PageZipTest, CallsOutOfOrderAndBadArchivesAreReported)
{
    PageZip zip;
    EXPECT_FALSE(zip.AppendFiles(path("W/index.html"), false));
    EXPECT_FALSE(zip.WriteZipAndClose());
    EXPECT_EQ(zip.Unzip(path("x")), -1);
    writeFile(path("junk.zov"), "this is no zip archive");
    EXPECT_FALSE(zip.OpenZip(path("junk.zov")));
    EXPECT_FALSE(zip.LastErrorText().isEmpty());
    EXPECT_FALSE(zip.OpenZip(path("none.zov")));
}

TEST_F(PageZipTest, UnsafeArchivesAreRefusedWithNothingWritten)
{
    struct Case {
        const char *label;
        QList<RawEntry> entries;
        const char *reason;
    };
    const QByteArray zeros(1 << 20, '\0');
    const Case cases[] = {
        {"absolute name", {{"ok.txt", "fine"}, {"/tmp/evil.txt", "x"}}, "absolute"},
        {"drive letter", {{"C:/evil.txt", "x"}}, "absolute"},
        {"dot-dot", {{"ok.txt", "fine"}, {"a/../../evil.txt", "x"}}, "out of the folder"},
        {"dot-dot with backslashes", {{"..\\evil.txt", "x"}}, "out of the folder"},
        {"symbolic link", {{"link", "/etc/passwd", true}}, "symbolic link"},
        {"zip bomb", {{"ok.txt", "fine"}, {"bomb.txt", zeros}}, "expands more than 200"},
    };
    for (const Case &c : cases) {
        const QString archive = path("bad.zip");
        writeRawArchive(archive, c.entries);
        PageZip zip;
        ASSERT_TRUE(zip.OpenZip(archive)) << c.label;
        EXPECT_EQ(zip.Unzip(path("target/inner")), -1) << c.label;
        EXPECT_TRUE(zip.LastErrorText().contains(c.reason)) << c.label << ": " << zip.LastErrorText().toStdString();
        EXPECT_TRUE(filesBelow(path("target")).isEmpty()) << c.label;
        EXPECT_FALSE(QFileInfo::exists(path("evil.txt"))) << c.label;
        EXPECT_FALSE(QFileInfo::exists("/tmp/evil.txt")) << c.label;
    }
}

TEST_F(PageZipTest, TooManyEntriesOrTooMuchDataAreRefused)
{
    PageZip zip;
    EXPECT_EQ(zip.limits().maxEntries, 10000);
    EXPECT_EQ(zip.limits().maxExpandedSize, qint64(2) << 30);
    EXPECT_EQ(zip.limits().maxRatio, 200);

    QList<RawEntry> many;
    for (int i = 0; i <= 10000; ++i)
        many.append({QByteArray("f") + QByteArray::number(i), QByteArray(), false, true});
    writeRawArchive(path("many.zip"), many);
    ASSERT_TRUE(zip.OpenZip(path("many.zip")));
    EXPECT_EQ(zip.Unzip(path("target")), -1);
    EXPECT_TRUE(zip.LastErrorText().contains("10001 entries"));
    EXPECT_TRUE(filesBelow(path("target")).isEmpty());

    // The size limit, scaled down: 2 GiB of test data would take too long to make.
    writeRawArchive(path("big.zip"), {{"a.bin", QByteArray(600, 'a'), false, true},
                                      {"b.bin", QByteArray(600, 'b'), false, true}});
    PageZip small;
    small.setLimits({10000, 1000, 200});
    ASSERT_TRUE(small.OpenZip(path("big.zip")));
    EXPECT_EQ(small.Unzip(path("target")), -1);
    EXPECT_TRUE(small.LastErrorText().contains("more than 1000 bytes"));
    EXPECT_TRUE(filesBelow(path("target")).isEmpty());
}

TEST_F(PageZipTest, NeverWritesThroughALinkInTheTarget)
{
    QDir().mkpath(path("outside"));
    QDir().mkpath(path("target"));
    ASSERT_TRUE(QFile::link(path("outside"), path("target/images")));
    writeRawArchive(path("a.zip"), {{"images/pic.jpg", "jpeg", false, true}});
    PageZip zip;
    ASSERT_TRUE(zip.OpenZip(path("a.zip")));
    EXPECT_EQ(zip.Unzip(path("target")), -1);
    EXPECT_TRUE(zip.LastErrorText().contains("symbolic link"));
    EXPECT_TRUE(filesBelow(path("outside")).isEmpty());
}

TEST_F(PageZipTest, HarmlessOddNamesAreNormalised)
{
    writeRawArchive(path("a.zip"), {{"./a.txt", "a"}, {"dir\\b.txt", "b"}, {"d//c.txt", "c"}, {"e/", ""}});
    PageZip zip;
    ASSERT_TRUE(zip.OpenZip(path("a.zip")));
    EXPECT_EQ(zip.Unzip(path("t")), 3) << zip.LastErrorText().toStdString();
    EXPECT_EQ(filesBelow(path("t")), (QStringList{"a.txt", "d", "d/c.txt", "dir", "dir/b.txt", "e"}));
}
