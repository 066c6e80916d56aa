// The static gallery and catalog pages: golden pages for photos (with and
// without pagination), videos and the catalog, the files they are written
// to, and the escaping of names and paths.
#include "PageFixture.h"

#include "generation/StaticGallery.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QTimeZone>

namespace {

QList<ZovFileHelper> records(int count, const QString &folder = QStringLiteral("/photos/my trip"))
{
    QList<ZovFileHelper> list;
    for (int i = 1; i <= count; ++i) {
        ZovFileHelper r;
        r.filePath = QStringLiteral("%1/img %2.jpg").arg(folder).arg(i);
        r.updatedFilePath = QStringLiteral("photo/photo%1.jpg").arg(i);
        r.fileModDate = QDateTime(QDate(2020, 1, i % 28 + 1), QTime(10, 0), QTimeZone::utc());
        r.fileModDateString = r.fileModDate.toString(QStringLiteral("yyyy-MM-dd"));
        r.fileSizeBytes = uint64_t(i) * 1000000;
        r.fileSize = QStringLiteral("%1 MB").arg(i);
        list << r;
    }
    return list;
}

StaticGallerySettings settings(const QString &folder)
{
    StaticGallerySettings s;
    s.outputFolder = folder;
    s.inputFolder = QStringLiteral("/photos/my trip");
    s.pageNoun = QStringLiteral("photo");
    s.appName = QStringLiteral("Dunmarra");
    s.title = QStringLiteral("Trip <2020>");
    s.fileName = true;
    s.timestamp = true;
    s.filePath = true;
    s.skipLabel = QStringLiteral("Skip folders of 1 MB or less");
    return s;
}

} // namespace

TEST_F(PageTest, PhotoPagesWithPagination)
{
    const QStringList pages = StaticGallery::photoGalleryPages(records(25), settings(path()));
    ASSERT_EQ(pages.size(), 3);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(pages[p].count(QStringLiteral("<li class=\"col-lg-2")), p < 2 ? 10 : 5);
        EXPECT_EQ(pages[p].count(QStringLiteral("<li class=\"active\"><a href=photo%1.html>%1</a></li>").arg(p + 1)), 1);
        for (int k = 1; k <= 3; ++k)
            EXPECT_TRUE(pages[p].contains(QStringLiteral("<a href=photo%1.html>%1</a>").arg(k)));
        EXPECT_FALSE(pages[p].contains(QStringLiteral("http:")));
    }
    expectGolden(QStringLiteral("components/photos-page3.html"), pages[2]);
}

TEST_F(PageTest, PhotoPageWithoutPagination)
{
    StaticGallerySettings s = settings(path());
    s.theme = 1;
    s.alignment = 1;
    s.duplicateOption = 1;
    const QStringList pages = StaticGallery::photoGalleryPages(records(8), s);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("pagination")));
    expectGolden(QStringLiteral("components/photos-single.html"), pages[0]);
}

TEST_F(PageTest, VideoPage)
{
    StaticGallerySettings s = settings(path());
    QList<ZovFileHelper> list = records(2, QStringLiteral("/videos/a \"b\""));
    const QStringList pages = StaticGallery::videoGalleryPages(list, s);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("<source src=\"/videos/a%20&quot;b&quot;/img%201.jpg\"")));
    expectGolden(QStringLiteral("components/videos.html"), pages[0]);
}

TEST_F(PageTest, CatalogPage)
{
    QList<ZovFileHelper> list = records(3, QStringLiteral("/data/folder"));
    std::reverse(list.begin(), list.end()); // largest first, as the scan sorts them
    StaticGallerySettings s = settings(path());
    s.skipFolderSize = 0; // a folder of exactly 1,000,000 bytes is skipped
    const QString page =
        StaticGallery::fileGalleryPage(list, s, QDateTime(QDate(2024, 3, 5), QTime(14, 7), QTimeZone::utc()));
    EXPECT_EQ(page.count(QStringLiteral("<tr><td>")), 2);
    EXPECT_TRUE(page.contains(QStringLiteral("<li>Total: 3 folders<li>Indexed: 2 folders<li>Skipped: 1 folders")));
    expectGolden(QStringLiteral("components/catalog.html"), page);
    EXPECT_EQ(StaticGallery::skipThreshold(3), 20000000u);
    EXPECT_EQ(StaticGallery::skipThreshold(7), 0u);
}

// Pages are written as "<noun><n>.html": ASCII when they can be, else
// UTF-16 with a byte-order mark; the first page's path is answered.
TEST_F(PageTest, GalleryPagesAreWrittenByThePageTextRule)
{
    StaticGallerySettings s = settings(path());
    QString error;
    const QString first = StaticGallery::generateVideoGalleryCode(records(25), s, {}, &error);
    EXPECT_EQ(first, QDir(path()).filePath(QStringLiteral("photo1.html"))) << error.toStdString();
    for (int p = 1; p <= 3; ++p)
        EXPECT_TRUE(QFileInfo::exists(QDir(path()).filePath(QStringLiteral("photo%1.html").arg(p))));
    EXPECT_FALSE(QFileInfo::exists(QDir(path()).filePath(QStringLiteral("photo4.html"))));
    EXPECT_FALSE(readFile(first).startsWith("\xff\xfe"));

    s.title = QStringLiteral("Été");
    StaticGallery::generateFileGalleryCode(records(1), s, {}, &error);
    const QByteArray bytes = readFile(first);
    EXPECT_EQ(TextCodec::decodePageText(bytes).contains(QStringLiteral("<title>Dunmarra</title>")), true);
    ASSERT_TRUE(StaticGallery::generatePhotoGalleryCode({}, s, {}, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());

    s.pageNoun = QStringLiteral("photo");
    QList<ZovFileHelper> one = records(1);
    one[0].filePath = QStringLiteral("/photos/été.jpg");
    const QString written = StaticGallery::generateVideoGalleryCode(one, s, {}, &error);
    const QByteArray utf16 = readFile(written);
    EXPECT_TRUE(utf16.startsWith("\xff\xfe") || utf16.startsWith("\xfe\xff"));
    EXPECT_TRUE(TextCodec::decodePageText(utf16).contains(QStringLiteral("été.jpg")));

    EXPECT_TRUE(StaticGallery::generateVideoGalleryCode(one, settings(path() + QStringLiteral("/missing/x")), {}, &error)
                    .isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

// "Copy the files first" from a real folder: photos get thumbnails at the
// grid's size and the pages point at the copies by relative paths; a file
// that is no picture is named and left out; videos are copied too.
TEST_F(PageTest, CopiedSitesPointAtTheCopiesAndLeaveOutUnreadableFiles)
{
    const QString in = path(QStringLiteral("in folder"));
    QDir().mkpath(in);
    QList<ZovFileHelper> photos;
    for (int i = 1; i <= 3; ++i) {
        ZovFileHelper r;
        r.filePath = QDir(in).filePath(QStringLiteral("shot %1.jpg").arg(i));
        if (i == 2) {
            QFile broken(r.filePath);
            ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
            broken.write("not a picture");
        } else {
            QImage image(1600, 1200, QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            ASSERT_TRUE(image.save(r.filePath, "JPEG"));
        }
        photos << r;
    }
    const QString out = path(QStringLiteral("site"));
    QDir().mkpath(out);
    StaticGallerySettings s = settings(out);
    s.duplicateOption = 1;
    QString error;
    QStringList skipped;
    const QString first = StaticGallery::generatePhotoGalleryCode(photos, s, {}, &error, &skipped);
    ASSERT_FALSE(first.isEmpty()) << qPrintable(error);
    ASSERT_EQ(skipped.size(), 1);
    EXPECT_TRUE(skipped.first().contains(QStringLiteral("shot 2.jpg")));
    const QString page = QString::fromUtf8(readFile(first));
    EXPECT_EQ(page.count(QStringLiteral("<li class=\"col-lg-2")), 2);
    EXPECT_FALSE(page.contains(in)) << "no absolute paths";
    EXPECT_TRUE(page.contains(QStringLiteral("src=\"thumbnails/photo0.jpg\" data-full=\"photo/photo0.jpg\"")));
    const QImage thumb(QDir(out).filePath(QStringLiteral("thumbnails/photo0.jpg")));
    EXPECT_EQ(thumb.width(), StaticGallery::kThumbnailWidth);
    EXPECT_LT(QFileInfo(QDir(out).filePath(QStringLiteral("thumbnails/photo0.jpg"))).size(),
              QFileInfo(photos.first().filePath).size());

    // Two videos, copied and pointed at by relative paths.
    QList<ZovFileHelper> videos;
    for (int i = 1; i <= 2; ++i) {
        ZovFileHelper v;
        v.filePath = QDir(in).filePath(QStringLiteral("clip %1.mp4").arg(i));
        QFile clip(v.filePath);
        ASSERT_TRUE(clip.open(QIODevice::WriteOnly));
        clip.write("....");
        videos << v;
    }
    s.pageNoun = QStringLiteral("video");
    const QString videoPage = StaticGallery::generateVideoGalleryCode(videos, s, {}, &error, &skipped);
    ASSERT_FALSE(videoPage.isEmpty()) << qPrintable(error);
    const QString videoText = QString::fromUtf8(readFile(videoPage));
    EXPECT_TRUE(videoText.contains(QStringLiteral("<source src=\"video/video0.mp4\"")));
    EXPECT_FALSE(videoText.contains(QStringLiteral("<source src=\"/")));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("video/video1.mp4"))));
}
