// The scan of a project folder of real page packages into page entries, its
// work copy, and the page order file.
#include "ProjectFixture.h"

#include "platform/PageZip.h"
#include "window/PageOrderFile.h"

#include <QImageReader>
#include <QRegularExpression>
#include <QSet>

TEST_F(ProjectTest, ScanReadsEachPackageAndIgnoresOtherFiles)
{
    makePage(project, QStringLiteral("index"), QStringLiteral("Home"), QStringLiteral("Welcome"));
    makePage(project, QStringLiteral("about"), QStringLiteral("About us"), QStringLiteral("Who we are"), 1);
    makePage(project, QStringLiteral("contact"), QStringLiteral("Write to us"), QStringLiteral("Form"), 0,
             QStringLiteral("trelkoforms"));
    QFile other(QDir(project).filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    ProjectPages &p = openProject();
    QStringList names = listed();
    names.sort();
    EXPECT_EQ(names, (QStringList{"about.zovweb", "contact.trelkoforms", "index.zovweb"}));
    const PageEntry about = p.scan.siteIconArray.at(p.scan.grabZovButtonWithPageName(QStringLiteral("about.zovweb")));
    EXPECT_EQ(about.pageTitle, QStringLiteral("About us"));
    EXPECT_EQ(about.useBaseTemplateFlag, 1);
    EXPECT_EQ(about.pageLocalFileName, QStringLiteral("about.html"));
    EXPECT_EQ(about.pagePublishFileName, QStringLiteral("about.html"));
    EXPECT_TRUE(QFileInfo(about.imagePath).isFile()) << about.imagePath.toStdString();
    EXPECT_EQ(about.imageSize, QImageReader(about.imagePath).size());
    EXPECT_FALSE(about.imageSize.isEmpty());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z][a-z]{2} \\d\\d \\d{4} \\d{1,2}:\\d\\d (AM|PM)$"))
                    .match(about.fileTime)
                    .hasMatch())
        << about.fileTime.toStdString();
    const PageEntry form = p.scan.siteIconArray.at(p.scan.grabZovButtonWithPageName(QStringLiteral("contact.trelkoforms")));
    EXPECT_EQ(form.pageLocalFileName, QStringLiteral("contact.php"));
    EXPECT_EQ(form.pagePublishFileName, QStringLiteral("contact.php"));
    EXPECT_EQ(form.pageTitle, QStringLiteral("Write to us"));
    // The document shows a page of the project, read from the work copy.
    EXPECT_TRUE(p.scan.existInSiteIconArray(QFileInfo(document->fileURLPath).fileName()));
    EXPECT_FALSE(document->pageUnread);
    EXPECT_TRUE(document->pagePath.startsWith(p.scan.openWebsiteFolderTempPath));
}

TEST_F(ProjectTest, ProjectsOfOneFolderNameKeepSeparateWorkCopies)
{
    const QString other = path(QStringLiteral("elsewhere/My Site"));
    QDir().mkpath(other);
    makePage(project, QStringLiteral("mine"), QStringLiteral("Mine"), QStringLiteral("a"));
    makePage(other, QStringLiteral("theirs"), QStringLiteral("Theirs"), QStringLiteral("b"));

    ProjectScan first;
    first.openWebsiteFolderPath = project;
    first.resetAndGrabCurrentWebsiteFolderPath();
    first.pickUpFileList(project);
    ProjectScan second;
    second.openWebsiteFolderPath = other;
    second.resetAndGrabCurrentWebsiteFolderPath();
    second.pickUpFileList(other);
    first.pickUpFileList(project);

    EXPECT_EQ(first.openWebsiteFolder, QStringLiteral("MySite"));
    EXPECT_NE(first.openWebsiteFolderTempPath, second.openWebsiteFolderTempPath);
    EXPECT_TRUE(QFileInfo(first.openWebsiteFolderTempPath).fileName().startsWith(QStringLiteral("MySite-")));
    EXPECT_TRUE(first.openWebsiteFolderTempPath.startsWith(gWorkFolder));
    EXPECT_TRUE(QFileInfo::exists(QDir(first.openWebsiteFolderTempPath).filePath(QStringLiteral("mine.html"))));
    EXPECT_TRUE(QFileInfo::exists(QDir(second.openWebsiteFolderTempPath).filePath(QStringLiteral("theirs.html"))));
    // A path spelled differently names the same project.
    EXPECT_EQ(ProjectScan::workCopyPathFor(project + QStringLiteral("/../My Site/")), first.openWebsiteFolderTempPath);
}

TEST_F(ProjectTest, RescanUnpacksOnlyChangedPackagesAndDropsRemovedOnes)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("a"));
    const QString b = makePage(project, QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("b"));
    const QString c = makePage(project, QStringLiteral("c"), QStringLiteral("C"), QStringLiteral("c"));
    ProjectScan scan;
    scan.openWebsiteFolderPath = project;
    scan.resetAndGrabCurrentWebsiteFolderPath();
    scan.pickUpFileList(project);
    const QDir work(scan.openWebsiteFolderTempPath);
    // Marks in the unpacked pages: an unchanged package keeps its mark.
    for (const QString &stem : {QStringLiteral("a"), QStringLiteral("b")}) {
        QFile mark(work.filePath(stem + QStringLiteral("/mark")));
        ASSERT_TRUE(mark.open(QIODevice::WriteOnly));
    }
    makePage(project, QStringLiteral("b"), QStringLiteral("B again"), QStringLiteral("changed"));
    setTime(b, 100);
    ASSERT_TRUE(QFile::remove(c));

    scan.resetAndGrabCurrentWebsiteFolderPath();
    scan.pickUpFileList(project);
    EXPECT_TRUE(QFileInfo::exists(work.filePath(QStringLiteral("a/mark"))));
    EXPECT_FALSE(QFileInfo::exists(work.filePath(QStringLiteral("b/mark"))));
    EXPECT_EQ(scan.siteIconArray.at(scan.grabZovButtonWithPageName(QStringLiteral("b.zovweb"))).pageTitle,
              QStringLiteral("B again"));
    EXPECT_FALSE(QFileInfo::exists(work.filePath(QStringLiteral("c.html"))));
    EXPECT_FALSE(QFileInfo::exists(work.filePath(QStringLiteral("c"))));
    EXPECT_EQ(scan.siteIconArray.size(), 2);
    // No second copy of a page under a numbered name.
    EXPECT_FALSE(QFileInfo::exists(work.filePath(QStringLiteral("b4.html"))));
}

TEST_F(ProjectTest, SortsByNameWithoutNumericOrderAndByDateNewestFirst)
{
    for (const QString &name : {QStringLiteral("page2"), QStringLiteral("page10"), QStringLiteral("page1")})
        makePage(project, name, name, name);
    setTime(QDir(project).filePath(QStringLiteral("page2.zovweb")), 30);
    setTime(QDir(project).filePath(QStringLiteral("page10.zovweb")), 10);
    setTime(QDir(project).filePath(QStringLiteral("page1.zovweb")), 20);
    ProjectPages &p = openProject();
    p.sortByFileName();
    EXPECT_EQ(listed(), (QStringList{"page1.zovweb", "page10.zovweb", "page2.zovweb"}));
    p.sortByDate();
    EXPECT_EQ(listed(), (QStringList{"page2.zovweb", "page1.zovweb", "page10.zovweb"}));
}

TEST(ProjectScanText, PageWidthIsTheLastViewportLine)
{
    const struct {
        const char *text;
        const char *width;
    } cases[] = {
        {"<html>\n<body></body>", ""},
        {"<meta name='viewport' content='width=1024'>\n", "1024"},
        {"  <meta name='viewport' content='width=600'>\nx\n<meta name='viewport' content='width=900'>", "900"},
        {"<meta name='viewport' content='width=device-width'>", "0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProjectScan::grabPageWidth(QString::fromUtf8(c.text)), QString::fromUtf8(c.width)) << c.text;
}

TEST_F(ProjectTest, OrderFileKeepsOrderInBothEncodingsAndIsAppliedAfterTheScan)
{
    gUsesPageOrderIndex = true;
    for (const QString &name : {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("caf\u00e9, menu"),
                                QStringLiteral("basetemplate"), QStringLiteral("new")})
        makePage(project, name, name, name);
    const QString order = QDir(project).filePath(QStringLiteral("order.index"));

    // ASCII names: an ASCII file, one line per page with its position.
    QList<PageEntry> ascii(2);
    ascii[0].documentName = QStringLiteral("two.zovweb");
    ascii[1].documentName = QStringLiteral("one.zovweb");
    EXPECT_EQ(PageOrderFile::encode(ascii), QByteArray("two.zovweb,0\none.zovweb,1\n"));
    EXPECT_EQ(PageOrderFile::encode({}), QByteArray());

    // One accented name (with a comma) turns the file into UTF-16 with a mark,
    // and its line still names it.
    QList<PageEntry> wanted(4);
    wanted[0].documentName = QStringLiteral("two.zovweb");
    wanted[1].documentName = QStringLiteral("caf\u00e9, menu.zovweb");
    wanted[2].documentName = QStringLiteral("one.zovweb");
    wanted[3].documentName = QStringLiteral("basetemplate.zovweb");
    ASSERT_TRUE(PageOrderFile::write(order, wanted));
    EXPECT_TRUE(readAll(order).startsWith("\xff\xfe"));
    EXPECT_TRUE(QDir(project).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral("zovpart")).isEmpty());

    openProject();
    // The base template goes first; "new" is missing from the file and takes
    // 0 like "two" (their order is the folder's).
    const QStringList first = listed();
    ASSERT_EQ(first.size(), 5);
    EXPECT_EQ(first.at(0), QStringLiteral("basetemplate.zovweb"));
    EXPECT_EQ((QSet<QString>{first.at(1), first.at(2)}), (QSet<QString>{"two.zovweb", "new.zovweb"}));
    EXPECT_EQ(first.mid(3), (QStringList{"caf\u00e9, menu.zovweb", "one.zovweb"}));
    EXPECT_TRUE(pages->baseTemplateExistFlag);

    // Written back from the list and read again: the same order.
    ASSERT_TRUE(pages->scan.writePageOrderIndexFile());
    pages->refreshWebsite();
    EXPECT_EQ(listed(), first);

    // A line without a comma, or naming no page, changes nothing.
    ASSERT_TRUE(QFile::remove(order));
    QFile f(order);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("garbage\nnothere.zovweb,0\r\none.zovweb,1\n");
    f.close();
    pages->refreshWebsite();
    EXPECT_EQ(listed().last(), QStringLiteral("one.zovweb"));
}

TEST_F(ProjectTest, DefaultPageNameSkipsTakenNamesIgnoringCaseAndExtension)
{
    ProjectPages &p = openProject();
    EXPECT_EQ(p.scan.generateDefaultPageName(), QStringLiteral("page1"));
    makePage(project, QStringLiteral("Page1"), QStringLiteral("x"), QStringLiteral("x"));
    p.refreshWebsite();
    // n = 1: page2 is tried first.
    EXPECT_EQ(p.scan.generateDefaultPageName(), QStringLiteral("page2"));
    makePage(project, QStringLiteral("page2"), QStringLiteral("x"), QStringLiteral("x"), 0, QStringLiteral("trelkoforms"));
    p.refreshWebsite();
    // n = 2: page3 is free.
    EXPECT_EQ(p.scan.generateDefaultPageName(), QStringLiteral("page3"));
    UserDefaults::standard().setString(QStringLiteral("ipad-"), QStringLiteral("devicePrefix"));
    EXPECT_EQ(p.scan.generateDefaultPageName(), QStringLiteral("ipad-page3"));
}

TEST_F(ProjectTest, PagesSharingAStemGetTheirOwnWorkCopyNames)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("Page A"), QStringLiteral("page"));
    makePage(project, QStringLiteral("a"), QStringLiteral("Form A"), QStringLiteral("form"), 0, QStringLiteral("trelkoforms"));
    for (int i = 0; i < 12; ++i)
        makePage(project, QStringLiteral("p%1").arg(i), QStringLiteral("P%1").arg(i), QStringLiteral("x"));
    ProjectScan scan;
    scan.openWebsiteFolderPath = project;
    scan.resetAndGrabCurrentWebsiteFolderPath();
    scan.pickUpFileList(project);
    ASSERT_EQ(scan.siteIconArray.size(), 14);
    const PageEntry page = scan.siteIconArray.at(scan.grabZovButtonWithPageName(QStringLiteral("a.zovweb")));
    const PageEntry form = scan.siteIconArray.at(scan.grabZovButtonWithPageName(QStringLiteral("a.trelkoforms")));
    EXPECT_EQ(page.pageTitle, QStringLiteral("Page A"));
    EXPECT_EQ(form.pageTitle, QStringLiteral("Form A"));
    EXPECT_NE(QFileInfo(page.pageLocalFileName).completeBaseName(), QFileInfo(form.pageLocalFileName).completeBaseName());
    EXPECT_NE(page.imagePath, form.imagePath);
    for (const PageEntry &e : scan.siteIconArray)
        EXPECT_TRUE(QFileInfo::exists(QDir(scan.openWebsiteFolderTempPath).filePath(e.pageLocalFileName))) << e.pageName.toStdString();
    // Nothing left half-unpacked beside the pages.
    EXPECT_TRUE(QDir(scan.openWebsiteFolderTempPath).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot)
                    .filter(QStringLiteral(".unpack"))
                    .isEmpty());
}

TEST_F(ProjectTest, OldRecordHeadersAreConvertedInTheWorkCopyOnly)
{
    const QString folder = path(QStringLiteral("old"));
    QDir().mkpath(folder);
    {
        QFile f(QDir(folder).filePath(QStringLiteral("ann.html")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<!--\nAnn\n\nLee\n12\n4 years\n1\n(null)\n555-1234\nann@example.org\n-->\n<html><body>old</body></html>\n");
    }
    const QString package = QDir(project).filePath(QStringLiteral("ann.zovweb"));
    PageZip zip;
    ASSERT_TRUE(zip.NewZip(package));
    zip.setAppendFromDir(folder);
    ASSERT_TRUE(zip.AppendFiles(folder + QStringLiteral("/ann.html"), false));
    ASSERT_TRUE(zip.WriteZipAndClose());
    const QByteArray stored = readAll(package);

    ProjectScan scan;
    scan.openWebsiteFolderPath = project;
    scan.resetAndGrabCurrentWebsiteFolderPath();
    scan.pickUpFileList(project);
    ASSERT_EQ(scan.siteIconArray.size(), 1);
    const PageEntry entry = scan.siteIconArray.first();
    EXPECT_TRUE(entry.oldPelprofileFlag);
    EXPECT_EQ(entry.pageTitle, QStringLiteral("Ann Lee 12"));
    const QString text = SKTDocument::readPageText(QDir(scan.openWebsiteFolderTempPath).filePath(QStringLiteral("ann.html")));
    EXPECT_TRUE(text.contains(QStringLiteral("Owner First NameSTARTSTRING--Ann--"))) << text.toStdString();
    EXPECT_FALSE(text.startsWith(QStringLiteral("<!--\nAnn")));
    EXPECT_EQ(readAll(package), stored);
    // The next scan keeps the converted copy and what it read.
    scan.pickUpFileList(project);
    EXPECT_TRUE(scan.siteIconArray.first().oldPelprofileFlag);
    EXPECT_EQ(scan.siteIconArray.first().pageTitle, QStringLiteral("Ann Lee 12"));
}
