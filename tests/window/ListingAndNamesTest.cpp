// The listing plan, the new-page name checks and the site settings file.
#include "ProjectFixture.h"

#include "config/DataCentreNames.h"
#include "window/AddNewPageForm.h"
#include "window/PageListingPlan.h"
#include "window/PageNameChecks.h"
#include "window/SiteSettingsFile.h"

namespace {
PageEntry entry(const QString &name, const QString &title)
{
    PageEntry e;
    e.pageName = e.documentName = name + QStringLiteral(".zovweb");
    e.pageTitle = title;
    e.pagePublishFileName = name + QStringLiteral(".html");
    e.pageLocalFileName = name + QStringLiteral(".html");
    e.fileTime = QStringLiteral("Mar 01 2024 9:00 AM");
    return e;
}
} // namespace

TEST_F(ProjectTest, NewPageNamesAreRefusedInTheirOrder)
{
    makePage(project, QStringLiteral("About"), QStringLiteral("x"), QStringLiteral("x"));
    makePage(project, QStringLiteral("form"), QStringLiteral("x"), QStringLiteral("x"), 0, QStringLiteral("trelkoforms"));
    const QString characters = QStringLiteral("File Name Characters");
    const struct {
        QString name;
        QString message;
    } cases[] = {
        {QString(), QStringLiteral("File Name Is Empty")},
        {QStringLiteral(".zovweb"), characters},
        {QStringLiteral("about.zovweb"), QStringLiteral("File Name Conflict")},
        {QStringLiteral("ABOUT.zovweb"), QStringLiteral("File Name Conflict")},
        {QStringLiteral("about.trelkoforms"), QStringLiteral("Please Rename")},
        {QStringLiteral("form.zovweb"), QStringLiteral("Please Rename")},
        {QStringLiteral("my page.zovweb"), characters},
        {QStringLiteral("a.b.zovweb"), characters},
        {QStringLiteral("../up.zovweb"), characters},
        {QStringLiteral("sub\\dir.zovweb"), characters},
        {QStringLiteral(".hidden.zovweb"), characters},
        {QStringLiteral("."), characters},
        {QStringLiteral(".."), characters},
        {QStringLiteral("bell\a.zovweb"), characters},
        {QString(300, QLatin1Char('a')) + QStringLiteral(".zovweb"), characters},
        {QStringLiteral("fine_name-2.zovweb"), QString()},
    };
    for (const auto &c : cases) {
        const PageNameProblem problem = PageNameChecks::check(project, c.name);
        EXPECT_EQ(problem.message, c.message) << c.name.toStdString();
    }
    EXPECT_TRUE(PageNameChecks::check(project, QString(300, QLatin1Char('a')) + QStringLiteral(".zovweb"))
                    .informative.contains(QStringLiteral("255")));
    EXPECT_EQ(PageNameChecks::check(project, QStringLiteral("about.zovweb")).informative,
              QStringLiteral("Sorry a file named \"about\" already exists at this location."));
    EXPECT_FALSE(PageNameChecks::runNewFileCreationChecks(project, QStringLiteral("About.zovweb")));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("File Name Conflict"));
    EXPECT_EQ(alerts.last().effectiveButtons(), QStringList{"OK"});
}

TEST(PageListing, ColumnsRowsAndCaptions)
{
    QList<PageEntry> pages;
    for (int i = 0; i < 7; ++i)
        pages << entry(QStringLiteral("page%1").arg(i), QStringLiteral("Title %1").arg(i));
    const QList<QSize> sizes(7, QSize(400, 300));
    const ListingPlan plan = PageListingPlan::layout(pages, sizes, QString(), 300, 3);
    ASSERT_EQ(plan.cells.size(), 7);
    EXPECT_EQ(plan.rows, 3);
    QList<int> perColumn(3, 0);
    for (const ListingCell &c : plan.cells)
        ++perColumn[c.column];
    EXPECT_EQ(perColumn, (QList<int>{3, 3, 1}));
    const ListingCell &first = plan.cells.first();
    EXPECT_EQ(first.frame.topLeft(), QPoint(0, 10));
    EXPECT_EQ(first.frame.width(), 100);
    EXPECT_EQ(first.buttonFrame, QRect(10, 5, 80, 60));
    EXPECT_EQ(first.frame.height(), 5 + 60 + 3 * 18);
    EXPECT_EQ(plan.cells.at(1).frame.y(), 10 + first.frame.height() + 5);
    EXPECT_EQ(plan.cells.at(3).frame.topLeft(), QPoint(100, 10));
    EXPECT_EQ(plan.listingHeight, 10 + 3 * (first.frame.height() + 5));
    EXPECT_EQ(first.nameCaption, QStringLiteral("page0"));
    EXPECT_EQ(first.titleCaption, QStringLiteral("Title 0"));

    // A missing screenshot still gets a cell, filling the thumbnail square.
    const ListingPlan missing = PageListingPlan::layout(pages.mid(0, 1), {QSize()}, QString(), 300, 1);
    EXPECT_EQ(missing.cells.first().buttonFrame.size(), QSize(240, 240));

    EXPECT_EQ(PageListingPlan::columnCount(0, 0), 1);
    EXPECT_EQ(PageListingPlan::columnCount(0, 2), 2);
    EXPECT_EQ(PageListingPlan::columnCount(3, 2), 3);
    EXPECT_EQ(PageListingPlan::summaryText(1, QStringLiteral("Shop")), QStringLiteral("1 Document\nShop"));
    EXPECT_EQ(PageListingPlan::summaryText(4, QString()), QStringLiteral("4 Documents\n"));
}

TEST(PageListing, SearchIgnoresCaseAndAccents)
{
    const QList<PageEntry> pages{entry(QStringLiteral("menu"), QStringLiteral("Caf\u00e9 Cr\u00e8me")),
                                 entry(QStringLiteral("about"), QStringLiteral("About us")),
                                 entry(QStringLiteral("na\u00efve"), QStringLiteral("Other"))};
    auto shown = [&](const QString &search) {
        QStringList names;
        for (const ListingCell &c : PageListingPlan::layout(pages, {}, search, 200, 1).cells)
            names << pages.at(c.page).pageName;
        return names;
    };
    EXPECT_EQ(shown(QStringLiteral("cafe creme")), QStringList{"menu.zovweb"});
    EXPECT_EQ(shown(QStringLiteral("CAF\u00c9")), QStringList{"menu.zovweb"});
    EXPECT_EQ(shown(QStringLiteral("naive")), QStringList{"na\u00efve.zovweb"});
    // Title, a blank, then the file name.
    EXPECT_EQ(shown(QStringLiteral("US ABOUT.ZOV")), QStringList{"about.zovweb"});
    EXPECT_EQ(shown(QStringLiteral("about us.zov")), QStringList());
    EXPECT_EQ(shown(QString()).size(), 3);
    const ListingPlan none = PageListingPlan::layout(pages, {}, QStringLiteral("nothing"), 200, 1);
    EXPECT_TRUE(none.cells.isEmpty());
    EXPECT_EQ(none.listingHeight, 0);
}

TEST(PageListing, NumberedCaptionsAndHiddenCaptions)
{
    EditionSettings::resetToInitialState();
    gPageIconOptionB = true;
    gNumberedPageIcons = true;
    gHeaderFooterBaseTemplate = true;
    gPageIconFileTime = true;
    QList<PageEntry> pages{entry(QStringLiteral("basetemplate"), QString()), entry(QStringLiteral("a"), QString())};
    ListingPlan plan = PageListingPlan::layout(pages, {}, QString(), 200, 1);
    EXPECT_EQ(plan.cells.at(0).nameCaption, QStringLiteral("Header and Footer"));
    EXPECT_EQ(plan.cells.at(1).nameCaption, QStringLiteral("Page 1"));
    EXPECT_FALSE(plan.cells.at(0).showTime);
    // Hidden captions take no room.
    EXPECT_EQ(plan.cells.at(0).frame.height(), 5 + 160 + 2 * 18);
    gNumberedPageIcons = false;
    plan = PageListingPlan::layout(pages.mid(1), {}, QString(), 200, 1);
    EXPECT_FALSE(plan.cells.at(0).showName);
    EditionSettings::resetToInitialState();
}

TEST_F(ProjectTest, SiteSettingsRoundTripInUtf8)
{
    const QString file = QDir(project).filePath(QStringLiteral("site.zovs"));
    EXPECT_EQ(SiteSettingsFile::read(file).title, QString());
    const SiteSettings settings{QStringLiteral("Caf\u00e9 \u6771\u4eac"), QStringLiteral("Line one\nLine two")};
    ASSERT_TRUE(SiteSettingsFile::write(file, settings));
    EXPECT_EQ(readAll(file),
              QStringLiteral("##WEBSITE_TITLE_START##Caf\u00e9 \u6771\u4eac##WEBSITE_TITLE_END##\n"
                             "##WEBSITE_DESCRIPTION_START##Line one\nLine two##WEBSITE_DESCRIPTION_END##")
                  .toUtf8());
    const SiteSettings back = SiteSettingsFile::read(file);
    EXPECT_EQ(back.title, settings.title);
    EXPECT_EQ(back.description, settings.description);
    const SiteSettings partial = SiteSettingsFile::parse(QStringLiteral("##WEBSITE_TITLE_START##Only title##WEBSITE_TITLE_END##"));
    EXPECT_EQ(partial.title, QStringLiteral("Only title"));
    EXPECT_EQ(partial.description, QString());
    EXPECT_EQ(SiteSettingsFile::parse(QStringLiteral("##WEBSITE_TITLE_START##unterminated")).title, QString());
}

TEST(AddNewPageSheet, BoxesAndTitleFollowEachOther)
{
    AddNewPageForm form;
    EXPECT_FALSE(form.fileNameFieldEnabled());
    form.titleChanged(QStringLiteral("Our Menu"));
    EXPECT_EQ(form.fileName, DataCentreNames::generateNewFileName(QStringLiteral("Our Menu")));
    EXPECT_FALSE(form.fileName.contains(QLatin1Char(' ')));

    form.baseTemplate = true;
    form.setDefaultLaunch(true);
    EXPECT_EQ(form.fileName, QStringLiteral("index"));
    EXPECT_TRUE(form.fileNameFieldEnabled());
    EXPECT_FALSE(form.baseTemplate);
    // Typed names are left alone by the title.
    form.titleChanged(QStringLiteral("Other"));
    EXPECT_EQ(form.fileName, QStringLiteral("index"));

    form.setBaseTemplate(true);
    EXPECT_EQ(form.fileName, QStringLiteral("basetemplate"));
    EXPECT_FALSE(form.mainLaunchPage);
    form.setDefaultLaunch(false);
    EXPECT_EQ(form.fileName, QStringLiteral("basetemplate"));
    EXPECT_FALSE(form.baseTemplate);

    form.pageFileType = QStringLiteral("zovweb");
    form.applyBaseTemplate = true;
    const AddNewPageRequest r = form.request();
    EXPECT_EQ(r.fileNameField, std::optional<QString>(QStringLiteral("basetemplate")));
    EXPECT_EQ(r.pageTitle, QStringLiteral("Other"));
    EXPECT_TRUE(r.applyBaseTemplate);
}
