// Photo pages by day over a real project and real JPEG files.
#include "ProjectFixture.h"

#include "model/SKTImage.h"
#include "window/PhotoPagesJob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLocale>

namespace {
ZovFileHelper photo(const QString &file, const QDateTime &when)
{
    ZovFileHelper h;
    h.filePath = file;
    h.fileModDate = when;
    h.fileModDateString = QLocale::c().toString(when, QStringLiteral("MMM dd yyyy"));
    h.fileModDateString_fileNameFormat = when.toString(QStringLiteral("yyyyMMdd"));
    return h;
}
}  // namespace

class PhotoPagesJobTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        gMaxInsertedImageSize = 600;
        photos = path(QStringLiteral("photos"));
        QDir().mkpath(photos);
    }
    QString jpeg(const QString &name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(40, 120, 200));
        const QString file = QDir(photos).filePath(name);
        EXPECT_TRUE(image.save(file, "JPG"));
        return file;
    }
    void run(ProjectPages &p, const QList<ZovFileHelper> &list, PhotoPageOptions options = {})
    {
        PhotoPagesJob job(p, list, options, nullptr);
        bool done = false;
        QObject::connect(&job, &PhotoPagesJob::finished, [&] { done = true; });
        job.start();
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(done);
        unreadable = job.unreadable();
    }
    // The page's graphics, front first.
    QList<std::shared_ptr<SKTGraphic>> graphicsOf(const QString &fileName)
    {
        page = std::make_unique<SKTDocument>();
        gOpenFromWebsiteFolder = false;
        EXPECT_TRUE(page->readFromFile(QDir(project).filePath(fileName)));
        return page->graphics();
    }
    // Headings: texts at the top of the page.
    static int countText(const QList<std::shared_ptr<SKTGraphic>> &graphics, const QString &text)
    {
        int n = 0;
        for (const auto &g : graphics)
            n += g->textString() == text && g->bounds().y() == 0;
        return n;
    }
    QString photos;
    QStringList unreadable;
    std::unique_ptr<SKTDocument> page;
};

TEST_F(PhotoPagesJobTest, SizesTypesAndCaptions)
{
    EXPECT_EQ(PhotoPagesJob::photoSize({1200, 900}), QSize(600, 450));
    EXPECT_EQ(PhotoPagesJob::photoSize({400, 300}), QSize(400, 300));
    EXPECT_EQ(PhotoPagesJob::photoSize({0, 0}), QSize(0, 0));
    gMaxInsertedImageSize = 0;
    EXPECT_EQ(PhotoPagesJob::photoSize({1800, 1001}), QSize(600, 333));
    EXPECT_EQ(PhotoPagesJob::photoType(QStringLiteral("a.gif")), QStringLiteral("PNG"));
    EXPECT_EQ(PhotoPagesJob::photoType(QStringLiteral("a.jpeg")), QStringLiteral("JPG"));
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7));
    EXPECT_EQ(PhotoPagesJob::captionText(when, QStringLiteral("/p/x.jpg"), {}),
              QStringLiteral("Mar 05 2024 02:07 PM Tuesday\n/p/x.jpg"));
    EXPECT_EQ(PhotoPagesJob::captionText(when, QStringLiteral("/p/x.jpg"), {true, false, false}), QStringLiteral("\n"));
    EXPECT_FALSE(PhotoPagesJob::decode(QStringLiteral("/nonexistent/x.jpg")).error.isEmpty());
}

TEST_F(PhotoPagesJobTest, OnePagePerDayAndAnIndexThatARerunRebuilds)
{
    makePage(project, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("welcome"));
    ProjectPages &p = openProject();
    const QDateTime day1(QDate(2024, 3, 5), QTime(9, 0));
    const QDateTime day2(QDate(2024, 3, 6), QTime(9, 0));
    const QString wide = jpeg(QStringLiteral("wide.jpg"), {1200, 600});
    const QString small = jpeg(QStringLiteral("small.jpg"), {400, 300});
    QFile junk(QDir(photos).filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    run(p, {photo(wide, day1), photo(small, day1.addSecs(60)), photo(junk.fileName(), day2)});

    ASSERT_EQ(unreadable.size(), 1);
    EXPECT_TRUE(unreadable[0].startsWith(junk.fileName()));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Photos Added To Collection"));
    EXPECT_TRUE(alerts.last().informativeText.contains(junk.fileName()));
    EXPECT_TRUE(listed().contains(QStringLiteral("20240305.zovweb")));
    EXPECT_TRUE(listed().contains(QStringLiteral("20240306.zovweb")));
    EXPECT_TRUE(listed().contains(QStringLiteral("index.zovweb")));

    auto g = graphicsOf(QStringLiteral("20240305.zovweb"));
    EXPECT_EQ(countText(g, QStringLiteral("Mar 05 2024 Tuesday")), 1);
    QList<QRectF> images;
    for (const auto &x : g)
        if (dynamic_cast<SKTImage *>(x.get()))
            images << x->bounds();
    std::sort(images.begin(), images.end(), [](const QRectF &a, const QRectF &b) { return a.y() < b.y(); });
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images[0], QRectF(100, 110, 600, 300));
    EXPECT_EQ(images[1], QRectF(100, 110 + 300 + 60, 400, 300));
    // The unreadable photo's day has its heading and a caption only.
    g = graphicsOf(QStringLiteral("20240306.zovweb"));
    EXPECT_EQ(g.size(), 2);

    auto index = graphicsOf(QStringLiteral("index.zovweb"));
    EXPECT_EQ(countText(index, QStringLiteral("Summary")), 1);
    // The heading and one row per page of the project, the index included.
    EXPECT_EQ(index.size(), 1 + p.scan.siteIconArray.size());

    // A second run with another photo of the first day: appended below, no
    // second heading; the index is rebuilt, not stacked.
    const QString later = jpeg(QStringLiteral("later.jpg"), {200, 100});
    run(p, {photo(later, day1.addSecs(3600))});
    g = graphicsOf(QStringLiteral("20240305.zovweb"));
    EXPECT_EQ(countText(g, QStringLiteral("Mar 05 2024 Tuesday")), 1);
    double lowest = 0;
    for (const auto &x : g)
        if (dynamic_cast<SKTImage *>(x.get()))
            lowest = std::max(lowest, x->bounds().y());
    EXPECT_EQ(lowest, 110 + 300 + 60 + 300 + 50 + 10);
    index = graphicsOf(QStringLiteral("index.zovweb"));
    EXPECT_EQ(countText(index, QStringLiteral("Summary")), 1);
    EXPECT_EQ(index.size(), 1 + p.scan.siteIconArray.size());
}

TEST_F(PhotoPagesJobTest, WithoutThumbnailsCaptionsKeepThePhotosRoom)
{
    makePage(project, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("welcome"));
    ProjectPages &p = openProject();
    const QDateTime day(QDate(2024, 5, 1), QTime(10, 0));
    const QString a = jpeg(QStringLiteral("a.jpg"), {1200, 600});
    const QString b = jpeg(QStringLiteral("b.jpg"), {300, 200});
    run(p, {photo(a, day), photo(b, day.addSecs(5))}, {false, true, false});
    const auto g = graphicsOf(QStringLiteral("20240501.zovweb"));
    QList<QRectF> captions;
    for (const auto &x : g) {
        EXPECT_EQ(dynamic_cast<SKTImage *>(x.get()), nullptr);
        if (x->bounds().y() > 0)
            captions << x->bounds();
    }
    std::sort(captions.begin(), captions.end(), [](const QRectF &l, const QRectF &r) { return l.y() < r.y(); });
    ASSERT_EQ(captions.size(), 2);
    EXPECT_EQ(captions[0].topLeft(), QPointF(100, 110 + 300));
    EXPECT_EQ(captions[1].topLeft(), QPointF(100, 110 + 300 + 60 + 200));
}
