// Export of all source files: the copy of a snapshot, the publishing
// versions and names, and the whole command with its questions.
#include "support/ScopedEnvironment.h"

#include <memory>
#include "ProjectFixture.h"

#include "support/ScriptedFilePanels.h"
#include "window/SourceFilesExport.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>

namespace {
void write(const QString &file, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QStringList tree(const QString &folder)
{
    QStringList list;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        list << QDir(folder).relativeFilePath(it.next());
    list.sort();
    return list;
}
}  // namespace

class SourceFilesExportTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        dataHome = std::make_unique<ScopedEnvironment>("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
        QDir().mkpath(path(QStringLiteral("data")));
        // A work copy as the listing leaves it.
        work = path(QStringLiteral("workcopy"));
        write(work + QStringLiteral("/a.html"), "working a");
        write(work + QStringLiteral("/a.png"), "shot");
        write(work + QStringLiteral("/a/image1o.JPG"), "picture");
        write(work + QStringLiteral("/b.html"), "working b");
        plan.workCopy = work;
        plan.scratch = path(QStringLiteral("scratch"));
        plan.exportFolder = path(QStringLiteral("out/Site_SourceFiles"));
        plan.pages = {{QStringLiteral("a.html"), QStringLiteral("a.php")}, {QStringLiteral("b.html"), QStringLiteral("b.html")}};
        QDir().mkpath(path(QStringLiteral("out")));
    }
    void TearDown() override
    {
        dataHome.reset();
        ProjectTest::TearDown();
    }
    std::unique_ptr<ScopedEnvironment> dataHome;
    QString work;
    SourceFilesExportPlan plan;
};

TEST_F(SourceFilesExportTest, CopiesTheWorkCopyUnderPublishingNames)
{
    EXPECT_EQ(SourceFilesExport::exportFolderFor(QStringLiteral("/x"), QStringLiteral("My Site")),
              QStringLiteral("/x/MySite_SourceFiles"));
    SourceFilesExportResult r = SourceFilesExport::copy(plan);
    EXPECT_TRUE(r.failures.isEmpty()) << r.failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(r.filesCopied, 4);
    SourceFilesExport::finish(plan, r, nullptr);
    EXPECT_TRUE(r.staging.isEmpty());
    EXPECT_EQ(tree(plan.exportFolder), (QStringList{"a.php", "a.png", "a/image1o.JPG", "b.html"}));
    EXPECT_EQ(readAll(plan.exportFolder + QStringLiteral("/a.php")), QByteArray("working a"));
    // The work copy itself is left as it was.
    EXPECT_EQ(tree(work), (QStringList{"a.html", "a.png", "a/image1o.JPG", "b.html"}));
}

TEST_F(SourceFilesExportTest, ResponsivePagesAreReplacedOnlyByAVersionThatExists)
{
    plan.responsive = true;
    write(plan.scratch + QStringLiteral("/a.html"), "published a");
    SourceFilesExportResult r = SourceFilesExport::copy(plan);
    ASSERT_EQ(r.failures.size(), 1);
    EXPECT_TRUE(r.failures[0].startsWith(QStringLiteral("b.html")));
    SourceFilesExport::finish(plan, r, nullptr);
    EXPECT_EQ(readAll(plan.exportFolder + QStringLiteral("/a.php")), QByteArray("published a"));
    // b's publishing version is missing: its working file is exported, not lost.
    EXPECT_EQ(readAll(plan.exportFolder + QStringLiteral("/b.html")), QByteArray("working b"));
}

TEST_F(SourceFilesExportTest, TheCommandAsksBeforeReplacingAndTrashesTheOldExport)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    makePage(project, QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("second"));
    ProjectPages &p = openProject();
    ScriptedFilePanels panels;
    const QString chosen = path(QStringLiteral("chosen"));
    QDir().mkpath(chosen);
    const QString out = QDir(chosen).filePath(QStringLiteral("MySite_SourceFiles"));

    auto run = [&] {
        bool finished = false;
        SourceFilesExportResult result;
        SourceFilesExport::exportAllFileTo(p, nullptr, [&](const SourceFilesExportResult &r) {
            result = r;
            finished = true;
        });
        QElapsedTimer clock;
        clock.start();
        while (!finished && clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_TRUE(finished);
        return result;
    };

    panels.answerCancel();
    SourceFilesExport::exportAllFileTo(p, nullptr);
    EXPECT_FALSE(QFileInfo::exists(out));

    panels.answer(chosen);
    SourceFilesExportResult first = run();
    EXPECT_TRUE(first.failures.isEmpty());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Export Complete"));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("a.html"))));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("b.html"))));
    write(QDir(out).filePath(QStringLiteral("leftover.txt")), "old");

    // Cancel at the question keeps the old export.
    panels.answer(chosen);
    alerts.answer(QStringLiteral("Cancel"));
    SourceFilesExport::exportAllFileTo(p, nullptr);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("File Name Conflict"));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("leftover.txt"))));

    panels.answer(chosen);
    alerts.answer(QStringLiteral("Replace"));
    run();
    EXPECT_FALSE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("leftover.txt"))));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("a.html"))));
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral(".exporting")));
    // The replaced export is in the trash, with its leftover.
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("data/Trash/files/MySite_SourceFiles/leftover.txt"))));
}
