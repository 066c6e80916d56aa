// The template chooser and new documents from templates, on the templates
// the build draws for every edition: each chooser lists its edition's
// categories and every template in it opens as a new untitled document, as
// do the blank starter page and the sample document. Then what goes wrong:
// missing or broken templates, a second copy of a template, commands while
// the chooser is being prepared, an edition without templates.
#include "app/SKTAppDelegate.h"
#include "app/TemplateCategoryTable.h"
#include "app/ui/TemplateCommands.h"
#include "app/ui/TemplateIconButton.h"
#include "app/ui/TemplateWindowController.h"
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "config/EditionTable.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "platform/Bundle.h"
#include "platform/NotificationCenter.h"
#include "platform/Tasks.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"
#include "window/ProjectPages.h"
#include "platform/ui/CommandRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QScrollArea>

namespace {

class TemplateChooserTest : public TempDirTest {
protected:
    void SetUp() override
    {
        DataCentre::loadPrintLabels();
        // The web-font names the templates use count as installed, as at launch.
        DataCentre::prepCustomFont();
        TemplateWindowController::install(delegate);
        clearSelectedTemplate();
    }
    void TearDown() override
    {
        Tasks::waitForBackground(10000);
        for (SKTDocument *doc : DocumentController::shared().documents())
            DocumentController::shared().closeDocument(doc);
        clearSelectedTemplate();
        Bundle::setResourcesPath({});
        EditionSettings::resetToInitialState();
    }

    void useEdition(const EditionEntry &entry)
    {
        EditionSettings::resetToInitialState();
        gAppName = entry.key;
        DataCentre::applyEdition(entry);
        gWorkFolder = path(QStringLiteral("work"));
        gTempFolder = path(QStringLiteral("work/temp"));
        gReceivedPagesFolder = QStringLiteral("0000Received_Pages");
        QDir().mkpath(gWorkFolder);
    }

    template <typename Done>
    bool spinUntil(Done done)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    TemplateWindowController *chooser() const
    {
        return dynamic_cast<TemplateWindowController *>(delegate.templateWindowController());
    }

    // Opens the chooser as the welcome window does and waits for it.
    bool openChooser()
    {
        delegate.showTemplateWebsite();
        return spinUntil([this] { return !delegate.templatePreparationRunning(); }) && chooser() && chooser()->isVisible();
    }

    void saveScreenshot(const QString &name)
    {
        const QByteArray folder = qgetenv("ZOV_SCREENSHOT_DIR");
        if (!folder.isEmpty() && chooser())
            chooser()->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(name));
    }

    void write(const QString &relative, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    ScriptedAlerts alerts;
    SKTAppDelegate delegate;
};

// Warnings while the templates open (a picture the page names but the
// package lacks, say); the offscreen platform's notices aside.
QStringList gWarnings;
void recordWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if ((type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) && !message.startsWith(QLatin1String("This plugin does not support")))
        gWarnings << message;
}

QStringList titlesOf(const QList<QPushButton *> &buttons)
{
    QStringList titles;
    for (const QPushButton *b : buttons)
        titles << b->text();
    return titles;
}

// The label maker's blank label ships empty: the window puts the address
// block on it. Every other template has something on it.
bool isEmptyLabel(const EditionEntry &entry, const TemplateIcon &icon)
{
    return entry.key == QLatin1String("Tovra Label Maker") && icon.fileName.startsWith(QLatin1String("Blank."));
}

}  // namespace

TEST_F(TemplateChooserTest, EachEditionListsItsCategoriesAndOpensEveryTemplate)
{
    gWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordWarnings);
    int editions = 0;
    for (const EditionEntry &entry : EditionTable::shared().editions()) {
        useEdition(entry);
        if (gTemplateFolder.isEmpty())
            continue;
        ++editions;
        SCOPED_TRACE(qPrintable(entry.key));
        ASSERT_TRUE(openChooser());

        // The category column is the edition's list, in order, titles as written.
        QStringList expected;
        for (const TemplateCategory &c : TemplateCategoryTable::shared().categoriesFor(entry.key))
            expected << c.categoryDescription();
        EXPECT_EQ(titlesOf(chooser()->templateCategoryButtonArray()), expected);
        const QList<TemplateIcon> icons = delegate.siteIconArray();
        EXPECT_EQ(chooser()->windowTitle(), QStringLiteral("Choose a Template (%1)").arg(icons.size()));

        saveScreenshot(entry.key + QStringLiteral(".png"));
        // Every category holds a template, with a picture.
        for (qsizetype i = 0; i < delegate.templateCategoryMutableArray().size(); ++i) {
            delegate.categoryButtonTapped(int(i));
            EXPECT_FALSE(chooser()->gridButtons().isEmpty())
                << qPrintable(delegate.templateCategoryMutableArray().at(i).categoryFolderName());
        }
        for (const TemplateIcon &icon : icons)
            EXPECT_FALSE(icon.image.isNull()) << qPrintable(icon.fileName);

        // Every template opens as an untitled document, and the chooser goes away.
        for (qsizetype i = 0; i < icons.size(); ++i) {
            delegate.templateSelected(int(i));
            delegate.launchTemplate();
            SKTDocument *doc = delegate.lastTemplateDocument();
            ASSERT_NE(doc, nullptr) << qPrintable(icons.at(i).categoryFolder + QLatin1Char('/') + icons.at(i).fileName + QLatin1Char(' ')
                                                  + (alerts.count() ? alerts.last().informativeText : QString()));
            EXPECT_TRUE(doc->fileURLPath.isEmpty());
            EXPECT_EQ(doc->graphics().isEmpty(), isEmptyLabel(entry, icons.at(i))) << qPrintable(icons.at(i).fileName);
            DocumentController::shared().closeDocument(doc);
        }
        // In the editions that work on projects, every template also becomes
        // a page of a new project.
        if (!gSingleDocumentMode) {
            const QString project = path(QStringLiteral("projects/") + QString::number(editions));
            QDir().mkpath(project);
            SKTDocument shown;
            ProjectPages pages(shown);
            pages.resourcesFolder = Bundle::resourcesPath();
            pages.setOpenWebsiteFolderPath(project);
            pages.refreshWebsite();
            for (qsizetype i = 0; i < icons.size(); ++i) {
                AddNewPageRequest request;
                request.selectedTemplateCategoryFolder = icons.at(i).categoryFolder;
                request.selectedTemplateName = icons.at(i).fileName;
                request.pageFileType = QFileInfo(icons.at(i).fileName).suffix();
                request.fileNameField = QStringLiteral("page%1").arg(i);
                const QString made = pages.launchUsingBaseTemplate(request);
                EXPECT_FALSE(made.isEmpty()) << qPrintable(icons.at(i).fileName + QLatin1Char(' ') + pages.lastError);
                EXPECT_EQ(shown.graphics().isEmpty(), isEmptyLabel(entry, icons.at(i))) << qPrintable(icons.at(i).fileName);
            }
        }
        // And so do the blank starter page and the sample document.
        if (!gStarterTemplateFiles.isEmpty()) {
            delegate.directlyLaunchSingleDocBlank();
            ASSERT_NE(delegate.lastTemplateDocument(), nullptr) << qPrintable(gStarterTemplateFiles.first() + alerts.messages().join(QLatin1Char(' ')) + (alerts.count() ? alerts.last().informativeText : QString()));
            DocumentController::shared().closeDocument(delegate.lastTemplateDocument());
        }
        for (const QString &file : gStarterTemplateFiles + QStringList{gSampleDocumentFile}) {
            if (file.isEmpty())
                continue;
            SKTDocument *doc = delegate.openTemplateAsUntitled(QDir(SKTAppDelegate::bundleTemplatesFolder()).filePath(file), false);
            ASSERT_NE(doc, nullptr) << qPrintable(file);
            DocumentController::shared().closeDocument(doc);
        }
        EXPECT_TRUE(alerts.messages().isEmpty()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        EXPECT_FALSE(chooser()->isVisible());
    }
    qInstallMessageHandler(previous);
    EXPECT_GE(editions, 30);
    EXPECT_TRUE(gWarnings.isEmpty()) << qPrintable(gWarnings.join(QLatin1Char('\n')));
}

TEST_F(TemplateChooserTest, SelectionBorderAndCategories)
{
    useEdition(EditionTable::shared().select(QStringLiteral("Tovra Greeting Card Designer")));
    ASSERT_TRUE(openChooser());
    // A "replaces" edition opens on its own first category only.
    EXPECT_EQ(delegate.categoryFolder(), QStringLiteral("letter_2fold_horizontal"));
    EXPECT_EQ(chooser()->gridButtons().size(), 1);
    EXPECT_EQ(delegate.siteIconArray().size(), 12);

    delegate.categoryButtonTapped(3);
    chooser()->gridButtons().first()->click();
    const QString chosen = gSelectedTemplate.fileName;
    EXPECT_EQ(gSelectedTemplate.categoryFolder, QStringLiteral("letter_4fold_vertical"));
    EXPECT_TRUE(chooser()->gridButtons().first()->borderFlag());
    ASSERT_NE(gSelectedTemplateButton, nullptr);
    EXPECT_EQ(gSelectedTemplateButton->property("fileName").toString(), chosen);

    // A click on the background clears the border, not the selection.
    delegate.clearTemplateSelection();
    EXPECT_FALSE(chooser()->gridButtons().first()->borderFlag());
    EXPECT_EQ(gSelectedTemplate.fileName, chosen);

    // Switching category lays out again without a border; the select button
    // still makes the document from the template clicked before.
    chooser()->gridButtons().first()->click();
    chooser()->templateCategoryButtonArray().at(0)->click();
    for (TemplateIconButton *b : chooser()->gridButtons())
        EXPECT_FALSE(b->borderFlag());
    gSingleDocumentMode = true;
    chooser()->selectButton()->click();
    ASSERT_NE(delegate.lastTemplateDocument(), nullptr);
    EXPECT_EQ(delegate.lastTemplateDocument()->labelTemplateHelper.templateDescription,
              QStringLiteral("Card - Letter Sheet Vertical Quarter Fold (4.25\" x 5.5\")"));
    EXPECT_FALSE(chooser()->isVisible());
}

TEST_F(TemplateChooserTest, CommandsWaitWhilePreparingAndAnEmptyEditionShowsZero)
{
    // An edition whose templates folder is missing: the chooser still opens,
    // empty, instead of retrying for ever.
    EditionSettings::resetToInitialState();
    gAppName = QStringLiteral("Zov Test");
    gTemplateFolder = QStringLiteral("no_such_templates");
    gDocumentExtension = QStringLiteral("zovpage");
    gWorkFolder = path(QStringLiteral("work"));
    int preparations = 0;
    delegate.setTemplateChooserFactory([this, &preparations]() -> std::unique_ptr<TemplateChooser> {
        ++preparations;
        return std::make_unique<TemplateWindowController>(delegate);
    });
    delegate.showTemplateWebsite();
    EXPECT_TRUE(delegate.templatePreparationRunning());
    // A second opening while the first runs is ignored.
    delegate.showTemplate();
    EXPECT_EQ(delegate.templateLaunchNewDirectoryFlag, 1);
    ASSERT_TRUE(spinUntil([this] { return !delegate.templatePreparationRunning(); }));
    ASSERT_NE(chooser(), nullptr);
    EXPECT_EQ(preparations, 1);
    EXPECT_EQ(chooser()->windowTitle(), QStringLiteral("Choose a Template (0)"));
    EXPECT_TRUE(chooser()->gridButtons().isEmpty());
    EXPECT_EQ(chooser()->scrollView()->widget()->height(), 0);
    EXPECT_EQ(titlesOf(chooser()->templateCategoryButtonArray()), (QStringList{"  All", "  Blank"}));
    // Without a selection the select button opens nothing.
    gSingleDocumentMode = true;
    chooser()->selectButton()->click();
    EXPECT_EQ(delegate.lastTemplateDocument(), nullptr);
    EXPECT_TRUE(alerts.messages().isEmpty());
}

TEST_F(TemplateChooserTest, FailuresAreToldWithTheTemplatesName)
{
    useEdition(EditionTable::shared().select(QStringLiteral("HTML Zov Pro")));
    Bundle::setResourcesPath(path(QStringLiteral("bundle")));
    write(QStringLiteral("bundle/templates/business/Broken.zovpage"), "this is no page package");

    struct Case {
        QString category;
        QString file;
    } cases[] = {{QStringLiteral("business"), QStringLiteral("Missing.zovpage")},
                 {QStringLiteral("business"), QStringLiteral("Broken.zovpage")}};
    for (const Case &c : cases) {
        TemplateIcon icon;
        icon.fileName = c.file;
        icon.categoryFolder = c.category;
        setSelectedTemplate(icon);
        const int before = alerts.count();
        delegate.launchSingleDocTemplate();
        EXPECT_EQ(delegate.lastTemplateDocument(), nullptr);
        // Told once, with the template's name.
        ASSERT_EQ(alerts.count(), before + 1) << qPrintable(c.file);
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Not able to open"));
        EXPECT_TRUE(alerts.last().informativeText.contains(QFileInfo(c.file).completeBaseName())) << qPrintable(alerts.last().informativeText);
    }
    EXPECT_TRUE(DocumentController::shared().documents().isEmpty());

    // An edition whose starter list is empty: the blank command opens nothing.
    int hidden = 0;
    delegate.setWelcomeWindowHider([&hidden] { ++hidden; });
    gStarterTemplateFiles.clear();
    delegate.directlyLaunchSingleDocBlank();
    EXPECT_EQ(hidden, 1);
    delegate.setWelcomeWindowHider({});
    EXPECT_TRUE(DocumentController::shared().documents().isEmpty());
}

TEST_F(TemplateChooserTest, EachCopyOfATemplateIsADocumentOfItsOwn)
{
    // A page edition and a responsive one (whose pages share one received
    // folder per second, under free names).
    for (const char *edition : {"HTML Zov Pro", "Tovra Responsive Form Designer"}) {
        SCOPED_TRACE(edition);
        useEdition(EditionTable::shared().select(QString::fromUtf8(edition)));
        const QString templatePath = QDir(SKTAppDelegate::bundleTemplatesFolder()).filePath(gStarterTemplateFiles.first());
        QFile original(templatePath);
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        const QByteArray before = original.readAll();
        original.close();

        delegate.directlyLaunchSingleDocBlank();
        SKTDocument *first = delegate.lastTemplateDocument();
        ASSERT_NE(first, nullptr);
        delegate.directlyLaunchSingleDocBlank();
        SKTDocument *second = delegate.lastTemplateDocument();
        ASSERT_NE(second, nullptr);
        ASSERT_NE(first, second);
        EXPECT_NE(first->pagePath, second->pagePath);
        EXPECT_TRUE(QFileInfo(first->pagePath).isFile());
        EXPECT_TRUE(QFileInfo(second->pagePath).isFile());

        // Edited and saved elsewhere, the first leaves the template and the
        // second as they were.
        const QByteArray secondPage = [&] {
            QFile f(second->pagePath);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        first->clearAllGraphics();
        ASSERT_TRUE(first->saveThisPage(path(QStringLiteral("mine.") + gDocumentExtension), false)) << qPrintable(first->lastSaveError);
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        EXPECT_EQ(original.readAll(), before);
        original.close();
        QFile f(second->pagePath);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), secondPage);

        // Closed, and opened once more: a fresh copy again.
        DocumentController::shared().closeDocument(first);
        delegate.directlyLaunchSingleDocBlank();
        ASSERT_NE(delegate.lastTemplateDocument(), nullptr);
        EXPECT_TRUE(alerts.messages().isEmpty()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        for (SKTDocument *doc : DocumentController::shared().documents())
            DocumentController::shared().closeDocument(doc);
    }
}

TEST_F(TemplateChooserTest, CommandsReachTheDelegateByName)
{
    CommandRegistry::clear();
    registerTemplateCommands();
    ActionMap commands;
    CommandRegistry::installApplicationCommands(commands);
    for (const char *name : {"showTemplateWebsite", "showTemplate", "launchSingleDocTemplate", "launchTemplate",
                             "directlyLaunchSingleDocBlank"})
        EXPECT_TRUE(commands.respondsToAction(QString::fromLatin1(name))) << name;

    // The blank page of the edition opens through the command's name.
    useEdition(EditionTable::shared().select(QStringLiteral("Ostravel Business Card Designer")));
    const qsizetype before = DocumentController::shared().documents().size();
    ResponderChain::send({&commands}, QStringLiteral("directlyLaunchSingleDocBlank"), {});
    EXPECT_EQ(DocumentController::shared().documents().size(), before + 1);

    // While the chooser is prepared, its commands are disabled.
    ActionItemState item;
    item.action = QStringLiteral("showTemplateWebsite");
    EXPECT_TRUE(ResponderChain::validate({&commands}, item));
    SKTAppDelegate::shared().showTemplateWebsite();
    item.enabled = true;
    EXPECT_FALSE(ResponderChain::validate({&commands}, item));
    ASSERT_TRUE(spinUntil([] { return !SKTAppDelegate::shared().templatePreparationRunning(); }));
    if (SKTAppDelegate::shared().templateWindowController())
        SKTAppDelegate::shared().templateWindowController()->setVisible(false);
    CommandRegistry::clear();
}
