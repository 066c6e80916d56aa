// The project settings sheet's rows and what saving it does to the folder.
#include "ProjectFixture.h"

#include "config/DataCentreMarkers.h"
#include "window/CanvasSizeOperations.h"
#include "window/WebsiteSettingsSave.h"

#include <QImage>

namespace {
PageEntry entry(const QString &name)
{
    PageEntry e;
    e.pageName = e.documentName = name + QStringLiteral(".zovweb");
    e.pagePublishFileName = name + QStringLiteral(".html");
    return e;
}

QStringList names(const WebsiteSettingsRows &rows)
{
    QStringList list;
    for (const auto &r : rows.rows)
        list << r.fileName;
    return list;
}
}  // namespace

class WebsiteSettingsSaveTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        // The desktop trash of this test lies in its own folder.
        oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
        QDir().mkpath(path(QStringLiteral("data")));
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", oldDataHome);
        ProjectTest::TearDown();
    }
    QStringList trashed() const
    {
        return QDir(path(QStringLiteral("data/Trash/files"))).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
    int graphicsIn(const QString &package)
    {
        SKTDocument page;
        gOpenFromWebsiteFolder = false;
        page.readFromFile(package);
        return int(page.graphics().size());
    }
    QByteArray oldDataHome;
};

TEST_F(WebsiteSettingsSaveTest, RowActionsMoveDeleteAndDuplicateTheTickedRows)
{
    WebsiteSettingsRows rows = WebsiteSettingsRows::fromPages({entry("a"), entry("b"), entry("c"), entry("d")});
    rows.updateDeletedButtons();  // nothing ticked: nothing goes
    EXPECT_EQ(names(rows), (QStringList{"a", "b", "c", "d"}));

    rows.rows[0].selected = rows.rows[1].selected = true;
    rows.moveSelectedButtonsUp();
    EXPECT_EQ(names(rows), (QStringList{"b", "a", "c", "d"}));
    rows.moveSelectedButtonsDown();
    EXPECT_EQ(names(rows), (QStringList{"c", "b", "a", "d"}));
    // A ticked row at the bottom stays; the ticked row above it changes places with it.
    rows.moveSelectedButtonsDown();
    rows.moveSelectedButtonsDown();
    EXPECT_EQ(names(rows), (QStringList{"c", "d", "a", "b"}));

    rows.updateDuplicateButtons();
    EXPECT_EQ(names(rows), (QStringList{"c", "d", "a", "aCopy", "b", "bCopy"}));
    EXPECT_TRUE(rows.rows[3].duplicate);
    EXPECT_FALSE(rows.rows[3].selected);
    EXPECT_EQ(rows.rows[3].page.pageName, QStringLiteral("a.zovweb"));
    rows.updateDeletedButtons();
    EXPECT_EQ(names(rows), (QStringList{"c", "d", "aCopy", "bCopy"}));

    rows.rows[1].inheritMetadata = true;
    rows.checkSwitchStates(1, false);
    EXPECT_FALSE(rows.rows[1].inheritMetadata);
    EXPECT_FALSE(rows.rows[1].inheritCustomHeaderCode);
    EXPECT_FALSE(rows.rows[1].inheritBoxesEnabled);
    rows.checkSwitchStates(1, true);
    EXPECT_TRUE(rows.rows[1].inheritMetadata && rows.rows[1].inheritCustomHeaderCode && rows.rows[1].inheritBoxesEnabled);
    EXPECT_EQ(WebsiteSettingsRows::pageNumberLabel(0), QStringLiteral("Page 0"));
}

TEST_F(WebsiteSettingsSaveTest, SiteFileIsUtf8AndOldAsciiFilesStillRead)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    ProjectPages &p = openProject();
    QFile old(QDir(project).filePath(QStringLiteral("site.zovs")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("Received Pages");
    old.close();
    EXPECT_EQ(SiteSettingsFile::read(old.fileName()).title, QString());

    const WebsiteSettingsRows rows = WebsiteSettingsRows::fromPages(p.scan.siteIconArray);
    WebsiteSettingsSave::save(p, rows, {QStringLiteral("Café ☕"), QStringLiteral("")}, QImage());
    EXPECT_EQ(readAll(old.fileName()),
              QStringLiteral("##WEBSITE_TITLE_START##Café ☕##WEBSITE_TITLE_END##\n"
                             "##WEBSITE_DESCRIPTION_START####WEBSITE_DESCRIPTION_END##").toUtf8());
    EXPECT_EQ(SiteSettingsFile::read(old.fileName()).title, QStringLiteral("Café ☕"));
    // No icon chosen: no icon files.
    EXPECT_FALSE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("favicon.ico"))));

    QImage icon(64, 48, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    WebsiteSettingsSave::save(p, rows, {QStringLiteral("T"), QStringLiteral("D")}, icon);
    QImage small(QDir(project).filePath(QStringLiteral("favicon.ico")), "PNG");
    QImage original(QDir(project).filePath(QStringLiteral("favicon_original.ico")), "PNG");
    EXPECT_EQ(small.size(), QSize(32, 32));
    EXPECT_EQ(original.size(), QSize(64, 48));
}

TEST_F(WebsiteSettingsSaveTest, RenameDuplicateAndDeleteReachTheFolderSafely)
{
    gUsesPageOrderIndex = true;
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    makePage(project, QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("second"));
    const QString c = makePage(project, QStringLiteral("c"), QStringLiteral("C"), QStringLiteral("third"));
    setTime(c, 0);
    const QDateTime cTime = QFileInfo(c).lastModified();
    ProjectPages &p = openProject();
    ASSERT_EQ(listed(), (QStringList{"a.zovweb", "b.zovweb", "c.zovweb"}));

    WebsiteSettingsRows rows = WebsiteSettingsRows::fromPages(p.scan.siteIconArray);
    rows.rows[0].fileName = QStringLiteral("home");        // a rename
    rows.rows[0].title = QStringLiteral("Welcome");
    rows.rows[1].selected = true;
    rows.updateDuplicateButtons();                         // b and bCopy
    rows.rows[1].selected = false;
    rows.moveSelectedButtonsUp();
    // c is dropped.
    rows.rows[3].selected = true;
    rows.updateDeletedButtons();
    ASSERT_EQ(names(rows), (QStringList{"home", "b", "bCopy"}));

    const WebsiteSettingsOutcome out = WebsiteSettingsSave::save(p, rows, {}, QImage());
    EXPECT_TRUE(out.failures.isEmpty()) << out.failures.join(QLatin1Char('\n')).toStdString();
    const QDir dir(project);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("a.zovweb"))));
    EXPECT_FALSE(QFileInfo::exists(c));
    EXPECT_EQ(graphicsIn(dir.filePath(QStringLiteral("home.zovweb"))), 1);
    EXPECT_EQ(graphicsIn(dir.filePath(QStringLiteral("bCopy.zovweb"))), 1);
    EXPECT_EQ(graphicsIn(dir.filePath(QStringLiteral("b.zovweb"))), 1);
    // The renamed page and the dropped one are in the trash, not gone.
    EXPECT_TRUE(trashed().contains(QStringLiteral("a.zovweb")));
    EXPECT_TRUE(trashed().contains(QStringLiteral("c.zovweb")));
    EXPECT_EQ(listed(), (QStringList{"home.zovweb", "b.zovweb", "bCopy.zovweb"}));
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("order.index"))),
              QByteArray("home.zovweb,0\nb.zovweb,1\nbCopy.zovweb,2\n"));
    // The new title is in the renamed page's file.
    const QString work = QDir(p.scan.openWebsiteFolderTempPath).filePath(
        p.scan.siteIconArray[p.scan.grabZovButtonWithPageName(QStringLiteral("home.zovweb"))].pageLocalFileName);
    EXPECT_TRUE(DataCentreMarkers::readPageFile(work).contains(QStringLiteral("Welcome")));
    (void)cTime;
}

TEST_F(WebsiteSettingsSaveTest, RefusedRenamesKeepThePageAndUnchangedPagesAreNotRepacked)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    const QString b = makePage(project, QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("second"));
    setTime(b, 0);
    const QDateTime bTime = QFileInfo(b).lastModified();
    ProjectPages &p = openProject();
    WebsiteSettingsRows rows = WebsiteSettingsRows::fromPages(p.scan.siteIconArray);
    rows.rows[0].fileName = QStringLiteral("b");          // taken
    WebsiteSettingsOutcome out = WebsiteSettingsSave::save(p, rows, {}, QImage());
    ASSERT_EQ(out.failures.size(), 1);
    EXPECT_TRUE(out.failures[0].contains(QStringLiteral("File Name Conflict")));
    EXPECT_EQ(listed(), (QStringList{"a.zovweb", "b.zovweb"}));
    EXPECT_EQ(QFileInfo(b).lastModified(), bTime);
    EXPECT_TRUE(trashed().isEmpty());

    rows = WebsiteSettingsRows::fromPages(p.scan.siteIconArray);
    rows.rows[0].fileName = QStringLiteral("with space");
    out = WebsiteSettingsSave::save(p, rows, {}, QImage());
    ASSERT_EQ(out.failures.size(), 1);
    EXPECT_TRUE(out.failures[0].contains(QStringLiteral("File Name Characters")));
    EXPECT_EQ(listed(), (QStringList{"a.zovweb", "b.zovweb"}));

    // Editions that lock the file name ignore a changed name field.
    gLockPageFileNameField = true;
    rows = WebsiteSettingsRows::fromPages(p.scan.siteIconArray);
    rows.rows[0].fileName = QStringLiteral("renamed");
    out = WebsiteSettingsSave::save(p, rows, {}, QImage());
    EXPECT_TRUE(out.failures.isEmpty());
    EXPECT_EQ(listed(), (QStringList{"a.zovweb", "b.zovweb"}));
    gLockPageFileNameField = false;

    // Every page dropped: one blank page remains, and the user is told.
    rows = WebsiteSettingsRows::fromPages(p.scan.siteIconArray);
    for (auto &r : rows.rows)
        r.selected = true;
    rows.updateDeletedButtons();
    WebsiteSettingsSave::save(p, rows, {}, QImage());
    EXPECT_EQ(listed().size(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Active project needs at least one file"));
    EXPECT_EQ(trashed().size(), 2);
}

TEST_F(WebsiteSettingsSaveTest, PageTitleSheetSavesOnlyAChangedTitle)
{
    const QString a = makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    ProjectPages &p = openProject();
    setTime(a, 0);
    const QDateTime before = QFileInfo(a).lastModified();
    EXPECT_FALSE(CanvasSizeOperations::savePageTitle(p.document(), p.document().pageOfficialName));
    EXPECT_EQ(QFileInfo(a).lastModified(), before);
    EXPECT_TRUE(CanvasSizeOperations::savePageTitle(p.document(), QStringLiteral("A new title")));
    EXPECT_NE(QFileInfo(a).lastModified(), before);
}
