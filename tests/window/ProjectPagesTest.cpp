// Switching, adding and dropping pages, and the passes, over real packages.
#include "ProjectFixture.h"

#include "config/DataCentreMarkers.h"
#include "platform/PageZip.h"

namespace {
// Records what the operations ask of the window.
class RecordingHost : public ProjectWindowHost {
public:
    explicit RecordingHost(SKTDocument *&doc) : doc_(doc) {}
    void refreshLayerListing() override { opened << QFileInfo(doc_->fileURLPath).fileName(); }
    void setWindowAlpha(double a) override { alpha << a; }
    // As the print catalogue does: the sheet named becomes the one in force.
    void resetPrintCanvas(const QString &sheet) override { gDefaultPrintSheet = sheet; }
    bool openPageAlone(const QString &path, bool useBase) override
    {
        alone << path;
        aloneUsesBase = useBase;
        return true;
    }
    QStringList opened;
    QList<double> alpha;
    QStringList alone;
    bool aloneUsesBase = false;

private:
    SKTDocument *&doc_;
};
} // namespace

class ProjectPagesTest : public ProjectTest {
protected:
    ProjectPages &openWithHost()
    {
        document = std::make_unique<SKTDocument>();
        docPointer = document.get();
        pages = std::make_unique<ProjectPages>(*document, &host);
        pages->resourcesFolder = path(QStringLiteral("resources"));
        pages->setOpenWebsiteFolderPath(project);
        pages->refreshWebsite();
        host.opened.clear();
        return *pages;
    }
    int indexOf(const QString &name) const { return pages->scan.grabZovButtonWithPageName(name); }
    int graphicsIn(const QString &package)
    {
        SKTDocument page;
        gOpenFromWebsiteFolder = false;
        page.readFromFile(package);
        return int(page.graphics().size());
    }
    QString workFile(const QString &name) const { return QDir(pages->scan.openWebsiteFolderTempPath).filePath(name); }

    SKTDocument *docPointer = nullptr;
    RecordingHost host{docPointer};
};

TEST_F(ProjectPagesTest, RescanSavesTheShownPageFirstAndFollowsADeletedPage)
{
    const QString a = makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    const QString b = makePage(project, QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("second"));
    ProjectPages &p = openWithHost();
    ASSERT_TRUE(p.launchSelected(indexOf(QStringLiteral("b.zovweb"))));
    EXPECT_EQ(host.opened, QStringList{"b.zovweb"});
    auto t = std::make_shared<SKTText>();
    t->setTextType(QStringLiteral("Text"));
    t->setBounds({20, 200, 200, 40});
    t->setTextString(QStringLiteral("added before the rescan"));
    document->insertGraphicAtIndex(t, 0);
    document->undoManager().closeAutomaticGroup();
    ASSERT_TRUE(document->isDocumentEdited());

    p.refreshWebsite();
    EXPECT_EQ(document->graphics().size(), 2);
    EXPECT_EQ(graphicsIn(b), 2);

    ASSERT_TRUE(QFile::remove(b));
    p.refreshWebsite();
    EXPECT_EQ(document->fileURLPath, a);
    EXPECT_FALSE(QFileInfo::exists(b)) << "a deleted page is not saved back";
}

TEST_F(ProjectPagesTest, SwitchingToAPageThatCannotOpenStaysOnTheShownPage)
{
    const QString a = makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    QFile broken(QDir(project).filePath(QStringLiteral("broken.zovweb")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a zip");
    broken.close();
    ProjectPages &p = openWithHost();
    ASSERT_TRUE(p.launchSelected(indexOf(QStringLiteral("a.zovweb"))));
    EXPECT_FALSE(p.launchSelected(indexOf(QStringLiteral("broken.zovweb"))));
    EXPECT_EQ(document->fileURLPath, a);
    EXPECT_FALSE(document->pageUnread);
    EXPECT_EQ(document->graphics().size(), 1);
    EXPECT_FALSE(p.launchSelected(99));
}

TEST_F(ProjectPagesTest, BlankPagesAreAppendedOrInsertedBeforeTheClickedPage)
{
    gUsesPageOrderIndex = true;
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    makePage(project, QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("second"));
    ProjectPages &p = openWithHost();
    ASSERT_TRUE(p.scan.writePageOrderIndexFile());
    p.refreshWebsite();
    const QStringList before = listed();

    ASSERT_TRUE(p.directlyAddBlankPage()) << p.lastError.toStdString();
    EXPECT_EQ(listed(), before + QStringList{"page3.zovweb"});
    EXPECT_EQ(QFileInfo(document->fileURLPath).fileName(), QStringLiteral("page3.zovweb"));
    const QString text = QString::fromLatin1(readAll(workFile(QStringLiteral("page3.html"))));
    EXPECT_TRUE(text.contains(DataCentreMarkers::kUseBaseTemplate));
    EXPECT_EQ(p.scan.siteIconArray.last().pageTitle, QString());
    EXPECT_EQ(p.scan.siteIconArray.last().useBaseTemplateFlag, 1);

    ASSERT_TRUE(p.insertBlankPage(1)) << p.lastError.toStdString();
    EXPECT_EQ(listed(), (QStringList{before.at(0), "page4.zovweb", before.at(1), "page3.zovweb"}));
    EXPECT_TRUE(readAll(QDir(project).filePath(QStringLiteral("order.index"))).contains("page4.zovweb,1\n"));

    // A name already taken (in any case) is never written over.
    const QByteArray original = readAll(QDir(project).filePath(QStringLiteral("a.zovweb")));
    EXPECT_FALSE(p.addBlankPage(QStringLiteral("A.zovweb")));
    EXPECT_EQ(readAll(QDir(project).filePath(QStringLiteral("a.zovweb"))), original);
    EXPECT_FALSE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("A.zovweb"))));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("File Name Conflict"));
}

TEST_F(ProjectPagesTest, PagesFromTemplatesAreCheckedAtEveryStep)
{
    gTemplateFolder = QStringLiteral("templates");
    const QString category = path(QStringLiteral("resources/templates/business"));
    QDir().mkpath(category);
    makePage(category, QStringLiteral("Fancy"), QStringLiteral("Template"), QStringLiteral("from the template"));
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    ProjectPages &p = openWithHost();

    AddNewPageRequest r;
    r.selectedTemplateCategoryFolder = QStringLiteral("business");
    r.selectedTemplateName = QStringLiteral("Fancy.zovweb");
    r.pageFileType = QStringLiteral("zovweb");
    r.fileNameField = QStringLiteral("fancy");
    r.applyBaseTemplate = true;
    r.pageTitle = QStringLiteral("Fancy page");
    const QString made = p.launchUsingBaseTemplate(r);
    ASSERT_EQ(made, QDir(project).filePath(QStringLiteral("fancy.zovweb"))) << p.lastError.toStdString();
    const PageEntry entry = p.scan.siteIconArray.at(indexOf(QStringLiteral("fancy.zovweb")));
    EXPECT_EQ(entry.pageTitle, QStringLiteral("Fancy page"));
    EXPECT_EQ(entry.useBaseTemplateFlag, 1);
    EXPECT_EQ(entry.inheritMetadataFlag, 1);
    EXPECT_EQ(document->fileURLPath, made);

    const struct {
        const char *field;
        const char *templateName;
        const char *message;
    } refused[] = {
        {"A", "Fancy.zovweb", "File Name Conflict"},
        {"../x", "Fancy.zovweb", "File Name Characters"},
        {"ok", "Missing.zovweb", "Page Not Added"},
    };
    for (const auto &c : refused) {
        AddNewPageRequest bad = r;
        bad.fileNameField = QString::fromUtf8(c.field);
        bad.selectedTemplateName = QString::fromUtf8(c.templateName);
        const int shown = alerts.count();
        EXPECT_TRUE(p.launchUsingBaseTemplate(bad).isEmpty()) << c.field;
        ASSERT_EQ(alerts.count(), shown + 1) << c.field;
        EXPECT_EQ(alerts.last().messageText, QString::fromUtf8(c.message)) << c.field;
    }
    EXPECT_EQ(QDir(project).entryList(QDir::Files), (QStringList{"a.zovweb", "fancy.zovweb"}));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("x.zovweb"))));

    // Without a project the template is copied under a free name and opened alone.
    ProjectPages alone(*document, &host);
    alone.resourcesFolder = path(QStringLiteral("resources"));
    r.fileNameField = QStringLiteral("page");
    const QString received = QDir(gWorkFolder).filePath(gReceivedPagesFolder);
    EXPECT_EQ(alone.launchUsingBaseTemplate(r), QDir(received).filePath(QStringLiteral("page.zovweb")));
    EXPECT_EQ(alone.launchUsingBaseTemplate(r), QDir(received).filePath(QStringLiteral("page0.zovweb")));
    EXPECT_EQ(alone.launchUsingBaseTemplate(r), QDir(received).filePath(QStringLiteral("page1.zovweb")));
    EXPECT_TRUE(host.aloneUsesBase);
}

TEST_F(ProjectPagesTest, RenamingAnUnpackedPageMovesItsFilesOnlyWhenTheCopyWorked)
{
    ProjectPages &p = openWithHost();
    const QString D = path(QStringLiteral("unpacked"));
    QDir().mkpath(D + QStringLiteral("/O"));
    for (const QString &f : {QStringLiteral("O.html"), QStringLiteral("O.png"), QStringLiteral("O@2x.png"),
                             QStringLiteral("O/full.css"), QStringLiteral("O/image1.png")}) {
        QFile file(QDir(D).filePath(f));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(f.toUtf8());
    }
    EXPECT_EQ(p.prepAndRenameDoc(QDir(D).filePath(QStringLiteral("O.html")), QStringLiteral("M.vtq")),
              QDir(D).filePath(QStringLiteral("M.html")));
    QStringList files = QDir(D).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_EQ(files, (QStringList{"M", "M.html", "M.png", "M@2x.png"}));
    EXPECT_EQ(QDir(D + QStringLiteral("/M")).entryList(QDir::Files), QStringList{"image1.png"});
    EXPECT_EQ(readAll(QDir(D).filePath(QStringLiteral("M.html"))), QByteArray("O.html"));

    // Renaming onto an existing page keeps both as they were.
    QFile other(QDir(D).filePath(QStringLiteral("K.html")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("K");
    other.close();
    EXPECT_TRUE(p.prepAndRenameDoc(QDir(D).filePath(QStringLiteral("M.html")), QStringLiteral("K")).isEmpty());
    EXPECT_EQ(readAll(QDir(D).filePath(QStringLiteral("M.html"))), QByteArray("O.html"));
    EXPECT_EQ(readAll(QDir(D).filePath(QStringLiteral("K.html"))), QByteArray("K"));
}

TEST_F(ProjectPagesTest, DroppedPagesAreCopiedInButNeverOverAPage)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    const QString outside = path(QStringLiteral("outside"));
    QDir().mkpath(outside);
    const QString fresh = makePage(outside, QStringLiteral("fresh"), QStringLiteral("Fresh"), QStringLiteral("new"));
    const QString clash = makePage(outside, QStringLiteral("A"), QStringLiteral("Other A"), QStringLiteral("other"));
    ProjectPages &p = openWithHost();
    const QByteArray original = readAll(QDir(project).filePath(QStringLiteral("a.zovweb")));

    alerts.answer(QStringLiteral("Cancel"));
    p.confirmAndCopyDroppedPage(fresh);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Copying New Page"));
    EXPECT_FALSE(p.scan.existInSiteIconArray(QStringLiteral("fresh.zovweb")));

    alerts.answer(QStringLiteral("Proceed"));
    p.confirmAndCopyDroppedPage(fresh);
    EXPECT_TRUE(p.scan.existInSiteIconArray(QStringLiteral("fresh.zovweb")));
    EXPECT_EQ(QFileInfo(document->fileURLPath).fileName(), QStringLiteral("a.zovweb")) << "the document stays";

    EXPECT_FALSE(p.grabDraggedInPage(clash));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Page Not Copied"));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("A.zovweb")));
    EXPECT_EQ(readAll(QDir(project).filePath(QStringLiteral("a.zovweb"))), original);
}

TEST_F(ProjectPagesTest, RegenerationPassOpensTheDuePagesAndAlwaysBringsTheWindowBack)
{
    const QString base = makePage(project, QStringLiteral("basetemplate"), QStringLiteral("Base"), QStringLiteral("base"));
    const QString older = makePage(project, QStringLiteral("older"), QStringLiteral("Older"), QStringLiteral("o"), 1);
    const QString newer = makePage(project, QStringLiteral("newer"), QStringLiteral("Newer"), QStringLiteral("n"), 1);
    const QString own = makePage(project, QStringLiteral("own"), QStringLiteral("Own"), QStringLiteral("w"), 0);
    setTime(base, 100);
    setTime(older, 100); // as old as the base template: regenerated
    setTime(newer, 200);
    setTime(own, 0);
    ProjectPages &p = openWithHost();

    EXPECT_TRUE(p.loopThroughPages(false));
    EXPECT_EQ(host.opened, QStringList{"older.zovweb"});
    EXPECT_EQ(host.alpha, (QList<double>{0.0, 1.0}));
    EXPECT_FALSE(ProgressModel::instance().state().visible);
    EXPECT_FALSE(p.loopThroughFlag);

    host.opened.clear();
    EXPECT_TRUE(p.loopThroughPages(true));
    EXPECT_EQ(host.opened.size(), 4);

    // Publishing must regenerate when any page is not a Bootstrap page.
    auto writeWork = [&](const QString &name, const QByteArray &text) {
        QFile f(workFile(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    for (const PageEntry &e : p.scan.siteIconArray)
        writeWork(e.pageLocalFileName, "<link href='css/bootstrap.min.css'>");
    EXPECT_FALSE(p.needToForceRefresh());
    writeWork(QStringLiteral("own.html"), "<html></html>");
    EXPECT_TRUE(p.needToForceRefresh());

    // A page that cannot be opened fails the pass, says so, and the window
    // still comes back.
    QFile broken(QDir(project).filePath(QStringLiteral("broken.zovweb")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a zip");
    broken.close();
    p.refreshWebsite();
    host.alpha.clear();
    EXPECT_FALSE(p.loopThroughPages(true));
    EXPECT_EQ(host.alpha.last(), 1.0);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Pages Not Regenerated"));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("broken.zovweb")));
}

TEST_F(ProjectPagesTest, EmptyProjectPassEndsAtOnce)
{
    ProjectPages &p = openWithHost();
    EXPECT_TRUE(p.loopThroughPages(false));
    EXPECT_TRUE(host.opened.isEmpty());
    EXPECT_EQ(host.alpha, (QList<double>{0.0, 1.0}));
    EXPECT_FALSE(p.needToForceRefresh());

    // A window showing a page outside any project lists nothing, even when
    // the current folder holds pages.
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("a"));
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(project);
    ProjectPages alone(*document, &host);
    const QString shown = document->fileURLPath;
    alone.refreshWebsite();
    EXPECT_EQ(document->fileURLPath, shown);
    QDir::setCurrent(cwd);
    EXPECT_TRUE(alone.scan.siteIconArray.isEmpty());
    EXPECT_FALSE(alone.directlyAddBlankPage());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("No Project Open"));
}

TEST_F(ProjectPagesTest, PrintTemplatePassesGiveEveryPageTheTemplate)
{
    gDefaultPrintSheet = QStringLiteral("Business Card"); // a print edition
    gReplacePageNumbers = true;
    makePage(project, QStringLiteral("front"), QStringLiteral("Front"), QStringLiteral("f"));
    makePage(project, QStringLiteral("inside"), QStringLiteral("Inside"), QStringLiteral("i"));
    ProjectPages &p = openWithHost();
    DocumentLabelTemplate card;
    card.brand = QStringLiteral("Avery");
    card.templateNumber = QStringLiteral("3268");
    card.templateDescription = QStringLiteral("Folding Card");

    ASSERT_TRUE(p.refreshTabs(card, card.templateDescription));
    EXPECT_EQ(host.opened.size(), 3) << "each page, then the first again";
    EXPECT_EQ(document->fileURLPath, QDir(project).filePath(p.scan.siteIconArray.first().pageName));
    for (const PageEntry &e : p.scan.siteIconArray) {
        SKTDocument page;
        gOpenFromWebsiteFolder = false;
        ASSERT_TRUE(page.readFromFile(QDir(project).filePath(e.pageName)));
        EXPECT_EQ(page.labelTemplateHelper.templateDescription, QStringLiteral("Folding Card")) << e.pageName.toStdString();
        EXPECT_EQ(page.labelTemplateHelper.templateNumber, QStringLiteral("3268"));
    }
    EXPECT_TRUE(host.alpha.isEmpty());

    card.templateDescription = QStringLiteral("Label 30 per sheet");
    ASSERT_TRUE(p.applyTemplateToAllPages(card, card.templateDescription));
    EXPECT_EQ(host.alpha, (QList<double>{0.0, 1.0}));
    EXPECT_FALSE(ProgressModel::instance().state().visible);
}

TEST_F(ProjectPagesTest, ResponsiveTemplatePagesTakeTheEditionsExtensionAndTheirName)
{
    gResponsiveEdition = true;
    gTemplateFolder = QStringLiteral("templates");
    const QString category = path(QStringLiteral("resources/templates/blank"));
    QDir().mkpath(category);
    makePage(category, QStringLiteral("Starter"), QStringLiteral("Starter"), QStringLiteral("from the template"));
    makePage(project, QStringLiteral("index"), QStringLiteral("Home"), QStringLiteral("home"));
    ProjectPages &p = openWithHost();
    ASSERT_EQ(listed(), QStringList{"index.zovweb"});

    AddNewPageRequest r;
    r.selectedTemplateCategoryFolder = QStringLiteral("blank");
    r.selectedTemplateName = QStringLiteral("Starter.zovweb");
    r.pageFileType = gDocumentExtension;
    r.fileNameField = QStringLiteral("shop");
    r.pageTitle = QStringLiteral("Shop");
    const QString made = p.launchUsingBaseTemplate(r);
    ASSERT_EQ(made, QDir(project).filePath(QStringLiteral("shop.zovweb"))) << p.lastError.toStdString();
    EXPECT_TRUE(p.scan.existInSiteIconArray(QStringLiteral("shop.zovweb")));
    EXPECT_EQ(QFileInfo(document->fileURLPath).fileName(), QStringLiteral("shop.zovweb"));
    PageZip zip;
    ASSERT_TRUE(zip.OpenZip(made));
    const QStringList entries = zip.entryNames();
    EXPECT_TRUE(entries.contains(QStringLiteral("shop.html"))) << entries.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(entries.contains(QStringLiteral("shop@2x.png")));
    for (const QString &e : entries) {
        EXPECT_FALSE(e.startsWith(QStringLiteral("Starter"))) << e.toStdString();
        EXPECT_FALSE(e.endsWith(QStringLiteral("full.css"))) << e.toStdString();
    }
}
