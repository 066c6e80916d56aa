#include "platform/PageZip.h"
#include "publishing/UploadFTPS.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    ASSERT_TRUE(testfiles::writeFile(path, data)) << path.toStdString();
}

QStringList entries(const QString &package)
{
    PageZip zip;
    if (!zip.OpenZip(package))
        return {"<unreadable>"};
    QStringList names = zip.entryNames();
    names.sort();
    return names;
}

// A working folder W holding one page N = "index".
class PackageTest : public TempDirTest {
protected:
    void SetUp() override
    {
        writeFile(path("W/index/pic1@2x.jpg"), "jpeg");
        writeFile(path("W/index/full.css"), "body{}");
        writeFile(path("W/index.html"), "<html></html>");
        writeFile(path("W/index.png"), "png");
        writeFile(path("W/index@2x.png"), "png2");
    }
    QString folder() const { return path("W/index"); }
};

}  // namespace

TEST_F(PackageTest, FlatLayout)
{
    UploadFTPS transport;
    ASSERT_TRUE(transport.zipDocument(folder(), path("index.zov"))) << transport.zipLog().toStdString();
    EXPECT_EQ(transport.zipLog(), "Zip Created!");
    EXPECT_EQ(entries(path("index.zov")),
              (QStringList{"full.css", "index.html", "index.png", "index@2x.png", "pic1@2x.jpg"}));
}

TEST_F(PackageTest, FormsPackageHoldsThePhpPage)
{
    writeFile(path("W/index.php"), "<?php ?>");
    UploadFTPS transport;
    ASSERT_TRUE(transport.zipDocument(folder(), path("index.trelkoforms")));
    const QStringList names = entries(path("index.trelkoforms"));
    EXPECT_TRUE(names.contains("index.php"));
    EXPECT_FALSE(names.contains("index.html"));
}

TEST_F(PackageTest, MirroredLayoutKeepsBothPageFiles)
{
    writeFile(path("W/index.php"), "<?php ?>");
    UploadFTPS transport;
    ASSERT_TRUE(transport.zipDocument_mailchimp(folder(), path("index.zov")));
    EXPECT_EQ(entries(path("index.zov")), (QStringList{"index.html", "index.php", "index.png", "index/",
                                                        "index/full.css", "index/pic1@2x.jpg", "index@2x.png"}));
}

TEST_F(PackageTest, MissingScreenshotsAreSkipped)
{
    QFile::remove(path("W/index.png"));
    QFile::remove(path("W/index@2x.png"));
    QFile::remove(path("W/index.html"));
    UploadFTPS transport;
    ASSERT_TRUE(transport.zipDocument(folder(), path("index.zov")));
    EXPECT_EQ(entries(path("index.zov")), (QStringList{"full.css", "pic1@2x.jpg"}));
}

TEST_F(PackageTest, MissingFolderFailsAndKeepsTheOldPackage)
{
    UploadFTPS transport;
    ASSERT_TRUE(transport.zipDocument(folder(), path("index.zov")));
    QDir(folder()).removeRecursively();
    EXPECT_FALSE(transport.zipDocument(folder(), path("index.zov")));
    EXPECT_FALSE(transport.zipLog().isEmpty());
    EXPECT_TRUE(entries(path("index.zov")).contains("full.css"));
}

TEST_F(PackageTest, UnzipRoundTripAndRefusal)
{
    UploadFTPS transport;
    ASSERT_TRUE(transport.zipDocument_mailchimp(folder(), path("index.zov")));
    ASSERT_TRUE(transport.unzipDocument(path("index.zov"), path("opened")));
    EXPECT_TRUE(QFileInfo(path("opened/index/full.css")).isFile());
    EXPECT_TRUE(QFileInfo(path("opened/index.html")).isFile());

    writeFile(path("broken.zov"), "not a zip");
    EXPECT_FALSE(transport.unzipDocument(path("broken.zov"), path("opened2")));
    EXPECT_FALSE(transport.zipLog().isEmpty());
}
