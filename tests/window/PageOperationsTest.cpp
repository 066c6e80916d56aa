// Moving, deleting, duplicating and linking pages of a real project folder.
#include "ProjectFixture.h"

#include "platform/PageZip.h"
#include "window/PageOperations.h"

#include <QCoreApplication>

#include <optional>

class PageOperationsTest : public ProjectTest {
protected:
    // Four pages a, b, c, d in that order (order.index kept).
    PageOperations &openFour()
    {
        gUsesPageOrderIndex = true;
        for (const char *name : {"a", "b", "c", "d"})
            makePage(project, QString::fromLatin1(name), QString::fromLatin1(name).toUpper(), QStringLiteral("text"));
        ProjectPages &p = openProject();
        p.scan.siteIconArray = sorted(p.scan.siteIconArray);
        EXPECT_TRUE(p.scan.writePageOrderIndexFile());
        p.refreshWebsite();
        ops = std::make_unique<PageOperations>(p);
        ops->setTrashFunction([this](const QString &file) {
            trashed << QFileInfo(file).fileName();
            return trashWorks && QFile::remove(file);
        });
        return *ops;
    }
    static QList<PageEntry> sorted(QList<PageEntry> list)
    {
        std::sort(list.begin(), list.end(), [](const PageEntry &x, const PageEntry &y) { return x.pageName < y.pageName; });
        return list;
    }
    QString orderFile() const { return QString::fromUtf8(readAll(QDir(project).filePath(QStringLiteral("order.index")))); }

    std::unique_ptr<PageOperations> ops;
    QStringList trashed;
    bool trashWorks = true;
};

TEST_F(PageOperationsTest, MovingAPageLandsItBesideItsTargetAndKeepsTheOrderFile)
{
    struct Case {
        const char *moved;
        const char *target;
        QStringList expected;
    };
    const QList<Case> cases = {
        {"b.zovweb", "d.zovweb", {"a.zovweb", "c.zovweb", "d.zovweb", "b.zovweb"}},  // towards the end: after
        {"b.zovweb", "a.zovweb", {"b.zovweb", "a.zovweb", "c.zovweb", "d.zovweb"}},  // towards the start: before
        {"c.zovweb", "c.zovweb", {"a.zovweb", "b.zovweb", "c.zovweb", "d.zovweb"}},  // onto itself: nothing
    };
    for (const Case &c : cases) {
        TearDown();
        QDir(project).removeRecursively();
        QDir().mkpath(project);
        SetUp();
        PageOperations &o = openFour();
        ASSERT_EQ(listed(), (QStringList{"a.zovweb", "b.zovweb", "c.zovweb", "d.zovweb"}));
        EXPECT_TRUE(o.movePage({QString::fromLatin1(c.moved)}, QString::fromLatin1(c.target)));
        EXPECT_EQ(listed(), c.expected) << c.moved << " onto " << c.target;
        // The rescan read the order back from the file.
        EXPECT_TRUE(orderFile().startsWith(c.expected.first() + QStringLiteral(",0\n")));
    }
}

TEST_F(PageOperationsTest, ADropBesideEveryPageCellIsIgnored)
{
    PageOperations &o = openFour();
    const ListingPlan plan = PageListingPlan::layout(pages->scan.siteIconArray, {}, {}, 200, 1);
    const QPoint onD = plan.cells.at(3).frame.center();
    const QPoint below(10, plan.listingHeight + 100);
    EXPECT_EQ(o.grabPageClicked(plan, onD), 3);
    EXPECT_FALSE(o.rearrangePageOrder(plan, QStringLiteral("a.zovweb"), below));
    EXPECT_EQ(listed(), (QStringList{"a.zovweb", "b.zovweb", "c.zovweb", "d.zovweb"}));
    EXPECT_TRUE(o.rearrangePageOrder(plan, QStringLiteral("a.zovweb"), onD));
    EXPECT_EQ(listed(), (QStringList{"b.zovweb", "c.zovweb", "d.zovweb", "a.zovweb"}));

    // A context click beside the pages keeps the page chosen before.
    const ListingPlan moved = PageListingPlan::layout(pages->scan.siteIconArray, {}, {}, 200, 1);
    EXPECT_TRUE(o.determinePageClicked(moved, moved.cells.at(0).frame.center()));
    EXPECT_FALSE(o.determinePageClicked(moved, below));
    EXPECT_EQ(o.selectedPageName, QStringLiteral("b.zovweb"));
}

TEST_F(PageOperationsTest, DeletingMovesThePageToTheTrashAndAsksAgainWhenTheTrashRefuses)
{
    PageOperations &o = openFour();
    gBaseTemplateName = QStringLiteral("c.zovweb");
    alerts.answer(QStringLiteral("Delete"));
    bool done = false;
    o.deletePage(QStringLiteral("c.zovweb"), [&done](bool deleted) { done = deleted; });
    EXPECT_TRUE(done);
    EXPECT_EQ(trashed, QStringList{"c.zovweb"});
    EXPECT_EQ(alerts.shown().first().alert.messageText, QStringLiteral("Confirm File Deletion"));
    EXPECT_TRUE(alerts.shown().first().alert.informativeText.endsWith(
        QStringLiteral("inheriting content from the base template.")));
    EXPECT_EQ(listed(), (QStringList{"a.zovweb", "b.zovweb", "d.zovweb"}));
    EXPECT_FALSE(orderFile().contains(QStringLiteral("c.zovweb")));

    // "Cancel" keeps the page.
    alerts.answer(QStringLiteral("Cancel"));
    o.deletePage(QStringLiteral("a.zovweb"));
    EXPECT_EQ(listed().size(), 3);

    // The trash refuses: asked again, then kept when the user says so.
    trashWorks = false;
    trashed.clear();
    alerts.answer(QStringLiteral("Delete"));
    alerts.answer(QStringLiteral("Try Again"));
    alerts.answer(QStringLiteral("Keep"));
    o.deletePage(QStringLiteral("a.zovweb"), [&done](bool deleted) { done = deleted; });
    EXPECT_FALSE(done);
    EXPECT_EQ(trashed, (QStringList{"a.zovweb", "a.zovweb"}));
    EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("a.zovweb"))));
    EXPECT_EQ(listed().size(), 3);
}

// Answered as the window-modal alerts on screen answer, after the call has
// returned: the page goes when "Delete" and then "Try Again" come, and stays
// on "Cancel" or "Keep".
TEST_F(PageOperationsTest, DeletingActsWhenTheAnswersComeLater)
{
    PageOperations &o = openFour();
    alerts.setAnswersLater(true);
    struct Case {
        const char *page;
        QStringList answers;
        int refusals;  // how often the trash refuses first
        bool deleted;
    };
    const Case cases[] = {
        {"a.zovweb", {"Cancel"}, 0, false},
        {"a.zovweb", {"Delete"}, 0, true},
        {"b.zovweb", {"Delete", "Try Again"}, 1, true},
        {"c.zovweb", {"Delete", "Try Again", "Keep"}, 2, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page);
        const QString page = QString::fromLatin1(c.page);
        int refusals = c.refusals;
        ops->setTrashFunction([&refusals](const QString &file) { return refusals-- <= 0 && QFile::remove(file); });
        for (const QString &answer : c.answers)
            alerts.answer(answer);
        const int before = alerts.count();
        std::optional<bool> done;
        o.deletePage(page, [&done](bool deleted) { done = deleted; });
        EXPECT_FALSE(done.has_value()) << "answered before the alert did";
        EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(page)));
        QCoreApplication::processEvents();
        for (int round = 0; round < 5 && !done; ++round)
            QCoreApplication::processEvents();
        ASSERT_TRUE(done.has_value());
        EXPECT_EQ(*done, c.deleted);
        EXPECT_EQ(alerts.count() - before, c.answers.size());
        EXPECT_EQ(alerts.unansweredScripts(), 0);
        EXPECT_EQ(QFileInfo::exists(QDir(project).filePath(page)), !c.deleted);
        EXPECT_EQ(listed().contains(page), !c.deleted);
        EXPECT_EQ(orderFile().contains(page), !c.deleted);
    }
    EXPECT_EQ(alerts.mismatches(), QStringList());
}

TEST_F(PageOperationsTest, DeletingEveryPageLeavesOneBlankPage)
{
    PageOperations &o = openFour();
    bool all = false;
    o.deletePageArray(listed(), [&all](bool went) { all = went; });
    EXPECT_TRUE(all);
    EXPECT_EQ(trashed.size(), 4);
    ASSERT_EQ(listed().size(), 1);
    EXPECT_TRUE(listed().first().startsWith(QStringLiteral("page")));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Active project needs at least one file"));
    // Names that are no plain page names of the project are never touched.
    const QString outside = path(QStringLiteral("outside.zovweb"));
    QFile(outside).open(QIODevice::WriteOnly);
    all = false;
    o.deletePageArray({QStringLiteral("../outside.zovweb")}, [&all](bool went) { all = went; });
    EXPECT_TRUE(all);
    EXPECT_TRUE(QFileInfo::exists(outside));
}

TEST_F(PageOperationsTest, DuplicatingCopiesUnderADefaultNameAndOpensTheCopy)
{
    PageOperations &o = openFour();
    alerts.answer(QStringLiteral("Copy"));
    QString copy;
    o.duplicatePage(QStringLiteral("b.zovweb"), [&copy](const QString &made) { copy = made; });
    EXPECT_EQ(copy, QStringLiteral("page5.zovweb"));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Confirm File Duplication"));
    EXPECT_TRUE(listed().contains(copy));
    EXPECT_EQ(QFileInfo(document->fileURLPath).fileName(), copy);
    EXPECT_EQ(readAll(QDir(project).filePath(copy)), readAll(QDir(project).filePath(QStringLiteral("b.zovweb"))));
    EXPECT_TRUE(orderFile().contains(copy));
}

TEST_F(PageOperationsTest, PageLinksUseThePublishedNamePercentEncoded)
{
    struct Case {
        QString published;
        QString document;
        QString base;
        QString link;
    };
    const QList<Case> cases = {
        {"about us.htm", "about us.zovweb", "https://example.org/site/", "https://example.org/site/about%20us.htm"},
        {"", "contact.trelkoforms", "", "/contact.php"},
        {"", "home.zovweb", "http://h", "http://h/home.html"},
        {"a&b#c.html", "a&b#c.zovweb", "http://h", "http://h/a%26b%23c.html"},
    };
    for (const Case &c : cases) {
        PageEntry page;
        page.pagePublishFileName = c.published;
        page.documentName = c.document;
        EXPECT_EQ(PageOperations::pageLink(page, c.base), c.link) << c.document.toStdString();
    }
}

TEST_F(PageOperationsTest, TheShownPageIsMarkedAndAnUnlistedPageMarksTheFirst)
{
    QList<PageEntry> list(3);
    list[0].pageName = QStringLiteral("a.zovweb");
    list[1].pageName = QStringLiteral("b.zovweb");
    list[2].pageName = QStringLiteral("c.zovweb");
    list[2].borderFlag = true;
    EXPECT_EQ(PageOperations::updateCurrentButtonColor(list, QStringLiteral("b.zovweb")), 1);
    EXPECT_TRUE(list[1].borderFlag);
    EXPECT_FALSE(list[2].borderFlag);
    EXPECT_EQ(PageOperations::updateCurrentButtonColor(list, QStringLiteral("x.zovweb")), 0);
    EXPECT_TRUE(list[0].borderFlag);
    EXPECT_FALSE(list[1].borderFlag);
    QList<PageEntry> none;
    EXPECT_EQ(PageOperations::updateCurrentButtonColor(none, QStringLiteral("a.zovweb")), -1);
}

TEST_F(PageOperationsTest, AResponsiveDuplicateIsRepackedUnderItsNewName)
{
    gResponsiveEdition = true;
    PageOperations &o = openFour();
    // The page shown is another one than the page duplicated.
    ASSERT_TRUE(pages->launchSelected(3));
    alerts.answer(QStringLiteral("Copy"));
    QString copy;
    o.duplicatePage(QStringLiteral("b.zovweb"), [&copy](const QString &made) { copy = made; });
    ASSERT_EQ(copy, QStringLiteral("page5.zovweb"));
    PageZip zip;
    ASSERT_TRUE(zip.OpenZip(QDir(project).filePath(copy)));
    const QStringList entries = zip.entryNames();
    EXPECT_TRUE(entries.contains(QStringLiteral("page5.html"))) << entries.join(QLatin1Char(' ')).toStdString();
    for (const QString &e : entries)
        EXPECT_FALSE(e.startsWith(QStringLiteral("b."))) << e.toStdString();
    EXPECT_EQ(QFileInfo(document->fileURLPath).fileName(), copy);
}
