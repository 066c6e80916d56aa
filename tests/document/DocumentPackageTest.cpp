// Saving a page into its package and opening it again.
#include "DocumentFixture.h"

#include "document/DocumentController.h"
#include "platform/PageZip.h"
#include "support/ScriptedFilePanels.h"
#include "platform/NotificationCenter.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <optional>
#include <thread>

namespace {
QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QStringList entriesOf(const QString &package)
{
    PageZip zip;
    if (!zip.OpenZip(package))
        return {};
    QStringList names = zip.entryNames();
    names.sort();
    return names;
}
} // namespace

class DocumentPackageTest : public DocumentTest {
protected:
    void fillPage(SKTDocument &page)
    {
        page.insertGraphicAtIndex(makeText({20, 30, 200, 40}, QStringLiteral("Welcome to the page")), 0);
        page.insertGraphicAtIndex(makeText({20, 100, 300, 60}, QStringLiteral("Second text, caf\u00e9")), 1);
        page.insertGraphicAtIndex(makeLine({10, 200, 300, 0}), 2);
        page.undoManager().closeAutomaticGroup();
    }

    std::unique_ptr<SKTDocument> open(const QString &package)
    {
        auto page = std::make_unique<SKTDocument>();
        page->readFromFile(package);
        return page;
    }
};

TEST_F(DocumentPackageTest, SaveOpenGenerateGivesTheSameTextAndFlatEntries)
{
    fillPage(*doc);
    ASSERT_TRUE(doc->isDocumentEdited());
    const QString package = packagePath(QStringLiteral("index"));
    QStringList posted;
    QObject observer;
    const auto token = NotificationCenter::defaultCenter().addObserver(
        &observer, QString(), nullptr, [&posted](const Notification &n) { posted << n.name; });
    ASSERT_TRUE(doc->saveThisPage(package, false)) << doc->lastSaveError.toStdString();
    EXPECT_FALSE(doc->isDocumentEdited());
    EXPECT_TRUE(posted.contains(QStringLiteral("websiteUpdated")));
    EXPECT_EQ(doc->fileURLPath, package);
    const QString saved = doc->generateSourceCode(doc->pageName, false, false);

    const QStringList entries = entriesOf(package);
    EXPECT_TRUE(entries.contains(QStringLiteral("index.html")));
    EXPECT_TRUE(entries.contains(QStringLiteral("index.png")));
    EXPECT_TRUE(entries.contains(QStringLiteral("index@2x.png")));
    for (const QString &e : entries)
        EXPECT_FALSE(e.contains(QStringLiteral("zovpart"))) << e.toStdString();
    // The non-ASCII character makes the page file UTF-16 with a mark.
    EXPECT_TRUE(readAll(QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index.html"))).startsWith("\xff\xfe"));

    auto opened = open(package);
    ASSERT_FALSE(opened->pageUnread) << opened->lastSaveError.toStdString();
    EXPECT_EQ(opened->graphics().size(), 3);
    EXPECT_FALSE(opened->isDocumentEdited());
    EXPECT_FALSE(opened->undoManager().canUndo());
    EXPECT_EQ(opened->pageName, QStringLiteral("index"));
    EXPECT_TRUE(opened->pagePath.startsWith(gWorkFolder + QStringLiteral("/Received/")));
    EXPECT_TRUE(QFileInfo::exists(QFileInfo(opened->pagePath).dir().filePath(QStringLiteral("../site.zovs"))));
    const QString reopened = opened->generateSourceCode(opened->pageName, false, false);
    EXPECT_EQ(reopened.toStdString(), saved.toStdString());

    // Opening and saving at once writes nothing.
    const QDateTime before = QFileInfo(package).lastModified();
    posted.clear();
    const QByteArray bytes = readAll(package);
    ASSERT_TRUE(opened->saveThisPage(package, false));
    EXPECT_EQ(readAll(package), bytes);
    EXPECT_EQ(QFileInfo(package).lastModified(), before);
    EXPECT_FALSE(posted.contains(QStringLiteral("websiteUpdated")));

    // A second open of the same name gets its own numbered folder (unless the
    // clock moved on to the next second, whose received-pages folder is empty).
    auto again = open(package);
    const auto receivedFolder = [](const SKTDocument &page) { return QFileInfo(QFileInfo(page.pagePath).path()).path(); };
    const QString expected = receivedFolder(*again) == receivedFolder(*opened) ? QStringLiteral("index4") : QStringLiteral("index");
    EXPECT_EQ(again->pageName, expected);
    EXPECT_TRUE(again->pagePath.endsWith(QStringLiteral("/%1/%1.html").arg(expected)));
    NotificationCenter::defaultCenter().removeObserver(token);
}

TEST_F(DocumentPackageTest, AFailedWriteKeepsTheOldPackageAndThePageEdited)
{
    fillPage(*doc);
    const QString package = packagePath(QStringLiteral("index"));
    ASSERT_TRUE(doc->saveThisPage(package, false));
    const QByteArray old = readAll(package);

    doc->insertGraphicAtIndex(makeText({20, 300, 100, 30}, QStringLiteral("new")), 0);
    doc->undoManager().closeAutomaticGroup();
    // The page file's place is taken by a folder: the page file cannot be written.
    const QString pageFile = QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index.html"));
    QFile::remove(pageFile);
    QDir().mkpath(pageFile + QStringLiteral("/x"));
    EXPECT_FALSE(doc->saveThisPage(package, false));
    EXPECT_TRUE(doc->isDocumentEdited());
    EXPECT_EQ(readAll(package), old);
    ASSERT_GE(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Not able to save"));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("index.html")));

    // The package folder cannot take the archive: the save fails the same way.
    QDir(pageFile).removeRecursively();
    const QString blocked = path(QStringLiteral("nowhere/index.") + gDocumentExtension);
    EXPECT_FALSE(doc->saveThisPage(blocked, false));
    EXPECT_TRUE(doc->isDocumentEdited());
    EXPECT_EQ(doc->fileURLPath, package);
}

TEST_F(DocumentPackageTest, UnreadablePackagesFailWithoutStalePathsAndAreNeverSavedOver)
{
    fillPage(*doc);
    const QString good = packagePath(QStringLiteral("good"));
    ASSERT_TRUE(doc->saveThisPage(good, false));

    // Hostile or broken packages, each as the file the user opens.
    const QString notZip = packagePath(QStringLiteral("notzip"));
    QFile f(notZip);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a zip archive");
    f.close();
    const QString truncated = packagePath(QStringLiteral("truncated"));
    QFile t(truncated);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write(readAll(good).left(200));
    t.close();
    const QString noPage = packagePath(QStringLiteral("nopage"));
    {
        QDir().mkpath(path(QStringLiteral("np")));
        QFile x(path(QStringLiteral("np/readme.txt")));
        ASSERT_TRUE(x.open(QIODevice::WriteOnly));
        x.write("nothing");
        x.close();
        PageZip zip;
        ASSERT_TRUE(zip.NewZip(noPage));
        zip.setAppendFromDir(path(QStringLiteral("np")));
        ASSERT_TRUE(zip.AppendFiles(path(QStringLiteral("np/readme.txt")), false));
        ASSERT_TRUE(zip.WriteZipAndClose());
    }
    for (const QString &bad : {notZip, truncated, noPage}) {
        SCOPED_TRACE(bad.toStdString());
        auto page = std::make_unique<SKTDocument>();
        const int shown = alerts.count();
        // A page was open before: none of its paths may survive.
        ASSERT_TRUE(page->readFromFile(good));
        EXPECT_FALSE(page->readFromFile(bad));
        ASSERT_EQ(alerts.count(), shown + 1);
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Not able to open"));
        EXPECT_TRUE(page->pagePath.isEmpty());
        EXPECT_TRUE(page->tempSavePathLocal.isEmpty());
        EXPECT_TRUE(page->graphics().isEmpty());
        const QByteArray before = readAll(bad);
        page->insertGraphicAtIndex(makeText({0, 0, 10, 10}, QStringLiteral("x")), 0);
        EXPECT_FALSE(page->saveThisPage(bad, false));
        EXPECT_EQ(readAll(bad), before);
    }
    // Nothing of the work was written outside the work folder.
    EXPECT_EQ(filesUnder(path(QStringLiteral("packages"))).size(), 4);
}

TEST_F(DocumentPackageTest, MigrationNumbersAFreeNameAndRenamesTheScreenshots)
{
    fillPage(*doc);
    const QString package = packagePath(QStringLiteral("home"));
    ASSERT_TRUE(doc->saveThisPage(package, false));
    const QString project = path(QStringLiteral("project"));
    QDir().mkpath(project);
    QFile existing(QDir(project).filePath(QStringLiteral("home.html")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    const QString unpack = QDir(project).filePath(QStringLiteral("incoming"));
    QDir().mkpath(unpack);
    const QString shot = SKTDocument::migrateWebsitePage(package, unpack);
    EXPECT_EQ(shot, QDir(project).filePath(QStringLiteral("home4@2x.png")));
    EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("home4.html"))));
    EXPECT_TRUE(QFileInfo(QDir(project).filePath(QStringLiteral("home4"))).isDir());
    EXPECT_EQ(readAll(QDir(project).filePath(QStringLiteral("home.html"))), QByteArray("keep me"));

    QFile junk(path(QStringLiteral("packages/junk.") + gDocumentExtension));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("PK no");
    junk.close();
    EXPECT_EQ(SKTDocument::migrateWebsitePage(junk.fileName(), unpack), QString());
}

// The caller's unpack folder is usually named after the page it receives:
// it must not count as a page already there.
TEST_F(DocumentPackageTest, MigrationIntoAFolderNamedAfterThePageKeepsTheName)
{
    fillPage(*doc);
    const QString package = packagePath(QStringLiteral("about"));
    ASSERT_TRUE(doc->saveThisPage(package, false));
    const QString project = path(QStringLiteral("project2"));
    const QString unpack = QDir(project).filePath(QStringLiteral("about"));
    ASSERT_TRUE(QDir().mkpath(unpack));
    const QString shot = SKTDocument::migrateWebsitePage(package, unpack);
    EXPECT_EQ(shot, QDir(project).filePath(QStringLiteral("about@2x.png")));
    EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("about.html"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("about4.html"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("about4"))));
    // The page folder took the unpack folder's place, without the scratch inside.
    EXPECT_TRUE(QFileInfo(unpack).isDir());
    EXPECT_FALSE(QFileInfo::exists(QDir(unpack).filePath(QStringLiteral(".migrating"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(project).filePath(QStringLiteral(".migrating-about"))));

    // A second page of that name next to it still gets a free name.
    const QString again = QDir(project).filePath(QStringLiteral("incoming"));
    ASSERT_TRUE(QDir().mkpath(again));
    EXPECT_EQ(SKTDocument::migrateWebsitePage(package, again), QDir(project).filePath(QStringLiteral("about4@2x.png")));
    EXPECT_TRUE(QFileInfo(QDir(project).filePath(QStringLiteral("about4"))).isDir());
    EXPECT_FALSE(QFileInfo::exists(again));
}

TEST_F(DocumentPackageTest, ScreenshotSizesFitTheBox)
{
    EXPECT_EQ(SKTDocument::screenshotSize({1000, 500}, 200), QSize(200, 100));
    EXPECT_EQ(SKTDocument::screenshotSize({500, 1000}, 200), QSize(100, 200));
    EXPECT_EQ(SKTDocument::screenshotSize({1000, 500}, 400), QSize(400, 200));
    EXPECT_EQ(SKTDocument::screenshotSize({0, 500}, 200), QSize(1, 200));
}

TEST_F(DocumentPackageTest, HostilePackagesEndInNotAbleToOpenAndWriteNothingOutside)
{
    // The fuzzer's seeds: one package a save wrote and an empty page, the rest hostile.
    const QDir seeds(QStringLiteral(ZOV_TEST_FIXTURES "/../fuzz/corpus/fuzz_package_open"));
    const QStringList names = seeds.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 10);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString outside = path(QStringLiteral("outside-") + name);
        QDir().mkpath(outside);
        const QString package = QDir(outside).filePath(QStringLiteral("page.zovweb"));
        ASSERT_TRUE(QFile::copy(seeds.filePath(name), package));
        const int shown = alerts.count();
        SKTDocument page;
        const bool opened = page.readFromFile(package);
        const bool good = name == QLatin1String("saved_flat.zovweb");
        EXPECT_EQ(opened, good || name == QLatin1String("empty_page.zovweb"));
        EXPECT_EQ(filesUnder(outside), QStringList{QStringLiteral("page.zovweb")});
        EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("escape.txt"))));
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/tmp/escape.txt")));
        if (!opened) {
            ASSERT_EQ(alerts.count(), shown + 1);
            EXPECT_EQ(alerts.last().messageText, QStringLiteral("Not able to open"));
            EXPECT_GT(alerts.last().informativeText.size(), 40) << "a reason in plain words";
        } else if (good) {
            EXPECT_EQ(page.graphics().size(), page.textAreas().size() + page.lines().size());
            EXPECT_GE(page.graphics().size(), 3);
        }
    }
}

TEST_F(DocumentPackageTest, ClosingAndTheDocumentController)
{
    fillPage(*doc);
    const QString package = packagePath(QStringLiteral("index"));
    ASSERT_TRUE(doc->saveThisPage(package, false));

    // One document per package; each new one gets its window controllers.
    DocumentController controller;
    int windows = 0;
    controller.setWindowControllerFactory([&windows](SKTDocument &) { ++windows; });
    SKTDocument *first = controller.openDocument(package);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(controller.openDocument(package), first);
    EXPECT_EQ(windows, 1);

    // An untitled page from the template: saving asks for a file and never
    // writes the template.
    const QByteArray templateBytes = readAll(package);
    SKTDocument *untitled = controller.openUntitledDocument(package);
    ASSERT_NE(untitled, nullptr);
    EXPECT_TRUE(untitled->fileURLPath.isEmpty());
    EXPECT_EQ(untitled->graphics().size(), 3);
    untitled->insertGraphicAtIndex(makeText({0, 400, 50, 20}, QStringLiteral("more")), 0);
    untitled->undoManager().closeAutomaticGroup();
    ScriptedFilePanels panels;
    const QString chosen = packagePath(QStringLiteral("chosen"));
    panels.answer(chosen);

    // "Yes" saves, and the window closes because the save succeeded.
    alerts.answer(QStringLiteral("Yes"));
    bool mayClose = false;
    untitled->canCloseDocument([&mayClose](bool answer) { mayClose = answer; });
    EXPECT_TRUE(mayClose);
    EXPECT_EQ(untitled->fileURLPath, chosen);
    EXPECT_FALSE(untitled->isDocumentEdited());
    EXPECT_EQ(readAll(package), templateBytes);

    // "Yes" with a failing save keeps the window; "Cancel" keeps it; "No" closes.
    untitled->insertGraphicAtIndex(makeText({0, 500, 50, 20}, QStringLiteral("again")), 0);
    untitled->undoManager().closeAutomaticGroup();
    QFile::remove(chosen);
    QDir().mkpath(chosen + QStringLiteral("/blocked"));
    alerts.answer(QStringLiteral("Yes"));
    untitled->canCloseDocument([&mayClose](bool answer) { mayClose = answer; });
    EXPECT_FALSE(mayClose);
    alerts.answer(QStringLiteral("Cancel"));
    untitled->canCloseDocument([&mayClose](bool answer) { mayClose = answer; });
    EXPECT_FALSE(mayClose);
    alerts.answer(QStringLiteral("No"));
    untitled->canCloseDocument([&mayClose](bool answer) { mayClose = answer; });
    EXPECT_TRUE(mayClose);

    // The alert and the save panel answer as they do on screen, after the
    // calls have returned: the window may close once the page is saved, and
    // not when the panel is cancelled.
    QDir(chosen).removeRecursively();
    const QString later = packagePath(QStringLiteral("later"));
    alerts.setAnswersLater(true);
    panels.setAnswersLater(true);
    for (const QString &path : {QString(), later}) {
        SCOPED_TRACE(path.isEmpty() ? "cancelled" : "saved");
        untitled->fileURLPath.clear();
        untitled->insertGraphicAtIndex(makeText({0, 600, 50, 20}, QStringLiteral("later")), 0);
        untitled->undoManager().closeAutomaticGroup();
        alerts.answer(QStringLiteral("Yes"));
        if (path.isEmpty())
            panels.answerCancel();
        else
            panels.answer(path);
        std::optional<bool> answered;
        untitled->canCloseDocument([&answered](bool answer) { answered = answer; });
        EXPECT_FALSE(answered.has_value());
        for (int round = 0; round < 5 && !answered; ++round)
            QCoreApplication::processEvents();
        ASSERT_TRUE(answered.has_value());
        EXPECT_EQ(*answered, !path.isEmpty());
        EXPECT_EQ(untitled->fileURLPath, path);
        EXPECT_EQ(QFileInfo::exists(later), !path.isEmpty());
        EXPECT_EQ(untitled->isDocumentEdited(), path.isEmpty());
    }
    alerts.setAnswersLater(false);
    controller.closeDocument(untitled);
    EXPECT_EQ(controller.documents(), QList<SKTDocument *>{first});
}

TEST_F(DocumentPackageTest, ResponsivePagesUseTheMirroredLayoutAndReadBackTheSame)
{
    gResponsiveEdition = true;
    fillPage(*doc);
    const QString package = packagePath(QStringLiteral("index"));
    ASSERT_TRUE(doc->saveThisPage(package, false)) << doc->lastSaveError.toStdString();
    const QStringList entries = entriesOf(package);
    EXPECT_TRUE(entries.contains(QStringLiteral("index.html")));
    EXPECT_TRUE(entries.contains(QStringLiteral("index/"))) << entries.join(QLatin1Char(' ')).toStdString();
    auto opened = open(package);
    ASSERT_FALSE(opened->pageUnread) << opened->lastSaveError.toStdString();
    EXPECT_EQ(opened->pageName, QStringLiteral("index"));
    EXPECT_EQ(opened->generateSourceCode(opened->pageName, false, false).toStdString(),
              doc->generateSourceCode(doc->pageName, false, false).toStdString());
    // A second open of the same package does not land on the first.
    auto again = open(package);
    EXPECT_NE(again->pagePath, opened->pagePath);
}

TEST_F(DocumentPackageTest, PagesAreSavedAndReadOnTheMainThreadOnly)
{
    fillPage(*doc);
    const QString package = packagePath(QStringLiteral("index"));
    bool saved = true;
    bool read = true;
    std::thread worker([&] {
        saved = doc->saveThisPage(package, false);
        SKTDocument other;
        other.fileURLPath = package;
        read = other.refreshDocument();
    });
    worker.join();
    EXPECT_FALSE(saved);
    EXPECT_FALSE(read);
    EXPECT_FALSE(QFileInfo::exists(package));
    EXPECT_TRUE(doc->isDocumentEdited());
}
