#include "config/DataCentre.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool waitFor(const std::function<bool()> &condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return condition();
}

struct Report {
    int32_t completed;
    int32_t total;
    QString text;
};

class Folder : public TempDirTest {
protected:
    void make(const QString &relative, const QByteArray &content = "x")
    {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).path());
        QFile file(full);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QStringList names(const QList<ZovFileHelper> &records)
    {
        QStringList out;
        for (const ZovFileHelper &r : records)
            out << QDir(path()).relativeFilePath(r.filePath);
        out.sort();
        return out;
    }
    DataCentre::FolderScanOptions options(bool folders, bool photos, bool videos)
    {
        DataCentre::FolderScanOptions o;
        o.folders = folders;
        o.photos = photos;
        o.videos = videos;
        o.progress = [this](int32_t c, int32_t t, const QString &s) { reports.append({c, t, s}); };
        return o;
    }
    QList<Report> reports;
};

} // namespace

TEST_F(Folder, PhotoScanTakesExactExtensionsAtEveryDepth)
{
    make("IMG_1.jpeg");
    make("sub/b.GIF");
    make("sub/deeper/.hidden.png");
    make("c.Jpg");
    make("d.tiff");
    make("movie.mp4");
    const QList<ZovFileHelper> records = DataCentre::countNumberOfFiles(path(), options(false, true, false));
    EXPECT_EQ(names(records), QStringList({"IMG_1.jpeg", "sub/b.GIF", "sub/deeper/.hidden.png"}));
    for (const ZovFileHelper &r : records) {
        EXPECT_TRUE(r.fileModDate.isValid());
        EXPECT_EQ(r.fileModDateString_fileNameFormat, r.fileModDate.toString("yyyyMMdd"));
        EXPECT_FALSE(r.fileModDateString.isEmpty());
        EXPECT_TRUE(r.fileSize.isNull());
        EXPECT_EQ(r.fileSizeBytes, 0u);
    }
}

TEST_F(Folder, PhotoDateIsTheEarlierOfCreationAndModification)
{
    make("late.jpg");
    QFile file(path("late.jpg"));
    // A modification date before the file's creation (a copied photo).
    const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    const QList<ZovFileHelper> records = DataCentre::countNumberOfFiles(path(), options(false, true, false));
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].fileModDate, old);
    EXPECT_EQ(records[0].fileModDateString_fileNameFormat, "20010203");
}

TEST_F(Folder, CatalogueRecordsEveryFolderWithItsDirectSize)
{
    make("a/one.bin", QByteArray(1000, 'x'));
    make("a/b/two.bin", QByteArray(300, 'x'));
    make("a/b/c/three.bin", QByteArray(70, 'x'));
    const QList<ZovFileHelper> records = DataCentre::countNumberOfFiles(path(), options(true, false, false));
    EXPECT_EQ(names(records), QStringList({"a", "a/b", "a/b/c"}));
    for (const ZovFileHelper &r : records) {
        const QString rel = QDir(path()).relativeFilePath(r.filePath);
        if (rel == "a/b/c") {
            EXPECT_EQ(r.fileSizeBytes, 70u);
        } else if (rel == "a") { // one file and the entry of folder b
            EXPECT_EQ(r.fileSizeBytes, 1000u + uint64_t(QFileInfo(path("a/b")).size()));
        }
        EXPECT_EQ(r.fileSize, DataCentre::byteCountString(r.fileSizeBytes));
    }
}

TEST_F(Folder, VideosReportEveryFind)
{
    for (int i = 0; i < 25; ++i)
        make(QStringLiteral("f%1.%2").arg(i, 2, 10, QLatin1Char('0')).arg(i % 2 ? "mov" : "txt"));
    (void)DataCentre::countNumberOfFiles(path(), options(false, false, true));
    ASSERT_EQ(reports.size(), 12);
    EXPECT_EQ(reports.last().total, 25);
    EXPECT_EQ(reports.last().text, "Found 12 supported files");
}

TEST_F(Folder, PhotosReportAtEveryTenthItem)
{
    for (int i = 0; i < 25; ++i)
        make(QStringLiteral("p%1.png").arg(i));
    (void)DataCentre::countNumberOfFiles(path(), options(false, true, false));
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0].completed, 10);
    EXPECT_EQ(reports[1].completed, 20);
    EXPECT_EQ(reports[1].total, 25);
    EXPECT_EQ(reports[1].text, "Found 20 supported files");
}

TEST_F(Folder, StepIsFiftyPastAThousandItems)
{
    for (int i = 0; i < 1001; ++i)
        make(QStringLiteral("p%1.png").arg(i, 4, 10, QLatin1Char('0')));
    (void)DataCentre::countNumberOfFiles(path(), options(false, true, false));
    ASSERT_EQ(reports.size(), 20);
    for (const Report &r : reports)
        EXPECT_EQ(r.completed % 50, 0);
}

TEST_F(Folder, BackgroundScanAnswersOnTheCallersThread)
{
    make("x/y.png");
    QObject context;
    QList<ZovFileHelper> got;
    bool done = false;
    Qt::HANDLE answeredOn = nullptr;
    DataCentre::countNumberOfFilesInBackground(path(), options(false, true, false), &context,
                                               [&](QList<ZovFileHelper> records) {
                                                   got = std::move(records);
                                                   answeredOn = QThread::currentThreadId();
                                                   done = true;
                                               });
    EXPECT_TRUE(waitFor([&] { return done; }, 5000));
    EXPECT_EQ(answeredOn, QThread::currentThreadId());
    EXPECT_EQ(names(got), QStringList({"x/y.png"}));
}

TEST_F(Folder, DuplicatesGetNumberedNamesAndReplaceOldCopies)
{
    make("in/a.jpg", "AAA");
    make("in/b.PNG", "BBB");
    make("out/photo/photo1.PNG", "stale and longer than the new copy");
    QList<ZovFileHelper> records(2);
    records[0].filePath = path("in/a.jpg");
    records[1].filePath = path("in/b.PNG");
    const QStringList failures = DataCentre::duplicatePhotoRepository(
        path("out"), "photo", records, [this](int32_t c, int32_t t, const QString &s) { reports.append({c, t, s}); });
    EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
    EXPECT_EQ(records[0].updatedFilePath, "photo/photo0.jpg");
    EXPECT_EQ(records[1].updatedFilePath, "photo/photo1.PNG");
    QFile copy(path("out/photo/photo1.PNG"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), "BBB");
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0].completed, 0);
    EXPECT_EQ(reports[0].text, "Step 1: Preparing to generate grid");
    // No temporary files are left beside the copies.
    EXPECT_EQ(QDir(path("out/photo")).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(Folder, FailedCopiesAreReportedAndLeaveTheOldFile)
{
    make("out/photo/photo0.jpg", "old");
    QList<ZovFileHelper> records(2);
    records[0].filePath = path("in/missing.jpg");
    records[1].filePath = path("in/also-missing.png");
    const QStringList failures = DataCentre::duplicatePhotoRepository(path("out"), "photo", records,
                                                                      [](int32_t, int32_t, const QString &) {});
    EXPECT_EQ(failures.size(), 2);
    QFile old(path("out/photo/photo0.jpg"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

TEST_F(Folder, SizesAreSixtyFourBit)
{
    make("small.bin", QByteArray(1234, 'x'));
    EXPECT_EQ(DataCentre::grabFileSize(path("small.bin")), 1234);
    EXPECT_EQ(DataCentre::grabFileSize(path("missing")), 0);
    EXPECT_EQ(DataCentre::grabFileSizeStr(path("missing")), DataCentre::byteCountString(0));
    EXPECT_EQ(DataCentre::sizeOfFolder(path("no-such-folder")), 0u);

    // A sparse 5 GiB file takes no disk space but has its full size.
    const QString big = path("big.bin");
    make("big.bin", "");
    ASSERT_EQ(truncate(QFile::encodeName(big).constData(), 5LL << 30), 0);
    EXPECT_EQ(DataCentre::grabFileSize(big), 5LL << 30);
    EXPECT_EQ(DataCentre::sizeOfFolder(path()), (5ULL << 30) + 1234u);
    EXPECT_TRUE(DataCentre::grabFileSizeStr(big).contains("GB")) << DataCentre::grabFileSizeStr(big).toStdString();
}

TEST_F(Folder, UploadFilterOnlyAnswers)
{
    make("images/submit.png");
    make("images/submit@2x.png");
    make("images/logoo.png");
    make("images/banner.png");
    EXPECT_FALSE(DataCentre::shouldUploadThisImage(path("images/submit.png")));
    EXPECT_FALSE(DataCentre::shouldUploadThisImage(path("images/submit@2x.png")));
    EXPECT_TRUE(DataCentre::shouldUploadThisImage(path("images/anything@2x.jpg")));
    EXPECT_TRUE(DataCentre::shouldUploadThisImage(path("images/banner.png")));
    EXPECT_TRUE(DataCentre::shouldUploadThisImage(path("images/logoo.png")));
    make("images/logo@2x.png");
    EXPECT_FALSE(DataCentre::shouldUploadThisImage(path("images/logoo.png")));
    EXPECT_TRUE(DataCentre::isThere2xImage(path("images/logoo.png")));
    make("images/background@2x.PNG");
    EXPECT_TRUE(DataCentre::isThere2xImage(path("images/backgroundo.PNG")));
    EXPECT_FALSE(DataCentre::isThere2xImage(path("images/banner.png")));

    // Nothing is ever removed, here or in the working folder.
    make("cwd/submit.png");
    const QString before = QDir::currentPath();
    QDir::setCurrent(path("cwd"));
    DataCentre::shouldUploadThisImage(path("images/submit.png"));
    QDir::setCurrent(before);
    EXPECT_TRUE(QFile::exists(path("images/submit.png")));
    EXPECT_TRUE(QFile::exists(path("cwd/submit.png")));
}
