// The template chooser as a person walks it in the running program: the
// welcome window's new button opens the chooser, a click on a thumbnail and
// the select button make the new project from that template, and the chooser
// and the welcome window step aside. From an open project the chooser adds a
// page; the getting-started guide opens the page picked in the chooser. A
// template that cannot be opened is named, and the chooser stays.
#include "support/RealProgram.h"

#include "app/SKTAppDelegate.h"
#include "app/TemplateChooser.h"
#include "app/ui/AppShell.h"
#include "app/ui/TemplateIconButton.h"
#include "app/ui/TemplateWindowController.h"
#include "app/ui/WelcomeWindowController.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "platform/Bundle.h"
#include "platform/Tasks.h"
#include "platform/WorkFolder.h"
#include "window/ui/AddNewPageViewController.h"
#include "window/ui/SKTWindowController.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ChooserRoadTest : public RealProgramTest {
protected:
    void TearDown() override
    {
        Tasks::waitForBackground(10000);
        if (TemplateChooser *chooser = delegate().templateWindowController())
            chooser->setVisible(false);
        clearSelectedTemplate();
        RealProgramTest::TearDown();
        Bundle::setResourcesPath({});
    }

    static SKTAppDelegate &delegate() { return SKTAppDelegate::shared(); }

    TemplateWindowController *chooser() const
    {
        return dynamic_cast<TemplateWindowController *>(delegate().templateWindowController());
    }

    // Waits for the chooser that the last command opened.
    TemplateWindowController *shownChooser()
    {
        spinUntil([this] { return !delegate().templatePreparationRunning() && chooser() && chooser()->isVisible(); }, 20000);
        return chooser() && chooser()->isVisible() ? chooser() : nullptr;
    }

    // The welcome window's new button, clicked.
    void clickNew()
    {
        WelcomeWindowController *welcome = shell->welcomeWindowController();
        ASSERT_NE(welcome, nullptr);
        welcome->validateButtons();
        ASSERT_TRUE(welcome->addNewWebsiteButton()->isEnabled());
        welcome->addNewWebsiteButton()->click();
        settleEvents();
    }

    // The bundle's package of a thumbnail.
    static QString bundlePackage(const TemplateIconButton *button)
    {
        return QDir(Bundle::resourcesPath())
            .filePath(gTemplateFolder + QLatin1Char('/') + button->categoryFolder() + QLatin1Char('/') + button->fileName());
    }
};

TEST_F(ChooserRoadTest, TheTemplatePickedInTheChooserMakesTheNewProject)
{
    for (const char *edition : {"Trelko Forms Pro", "Ostravel Envelope Designer", "Tovra Greeting Card Designer"}) {
        SCOPED_TRACE(edition);
        launchAs(QString::fromLatin1(edition));
        clickNew();
        TemplateWindowController *window = shownChooser();
        ASSERT_NE(window, nullptr);
        // Titled with the count of every template, whatever category shows.
        EXPECT_EQ(window->windowTitle(),
                  QStringLiteral("Choose a Template (%1)").arg(delegate().siteIconArray().size()));
        ASSERT_FALSE(window->gridButtons().isEmpty());

        // The last thumbnail, so that it is not what a new project gets anyway.
        TemplateIconButton *pick = window->gridButtons().last();
        const QString package = bundlePackage(pick);
        pick->click();
        const QString folder = path(QStringLiteral("%1 Project").arg(QString::fromLatin1(edition)));
        const bool singleDocument = gSingleDocumentMode;
        if (!singleDocument)
            panels.answer(folder);
        window->selectButton()->click();
        settleEvents();
        ASSERT_TRUE(spinUntil([] { return !SKTWindowController::allWindows().isEmpty(); }, 10000))
            << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        SKTWindowController *front = frontWindow();
        ASSERT_NE(front, nullptr);

        if (singleDocument) {
            // A new untitled document made from the template.
            EXPECT_EQ(&front->document(), delegate().lastTemplateDocument());
            EXPECT_TRUE(front->document().fileURLPath.isEmpty());
            EXPECT_FALSE(QFileInfo::exists(folder));
        } else {
            // The template's copy is the project's page, named after the
            // edition's word for a page.
            const QString page = QDir(folder).filePath(gPageNoun + QLatin1Char('.') + QFileInfo(package).suffix());
            ASSERT_TRUE(QFileInfo(page).isFile()) << qPrintable(QDir(folder).entryList().join(QLatin1Char(' ')));
            EXPECT_EQ(QFileInfo(front->document().fileURLPath).fileName(), QFileInfo(page).fileName());
            EXPECT_EQ(QDir(front->openWebsiteFolderPath()).canonicalPath(), QDir(folder).canonicalPath());
            const bool cardEdition = gAppName == QLatin1String("Tovra Greeting Card Designer");
            for (const QString &starter : gStarterTemplateFiles)
                EXPECT_EQ(QFileInfo::exists(QDir(folder).filePath(QFileInfo(starter).fileName())), cardEdition)
                    << qPrintable(starter);
            // A project made from the pick uses it up.
            EXPECT_TRUE(gSelectedTemplate.fileName.isEmpty());
        }

        // The chooser and the welcome window have stepped aside.
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(shell->welcomeWindowController() && shell->welcomeWindowController()->isVisible());
        EXPECT_TRUE(alerts.messages().isEmpty()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));

        for (SKTWindowController *w : SKTWindowController::allWindows()) {
            w->document().markClean();
            w->close();
        }
        settleEvents();
        shell.reset();
        settleEvents();
    }
}

TEST_F(ChooserRoadTest, ATemplateThatCannotBeOpenedIsNamedAndTheChooserStays)
{
    // A bundle of the test's own: the program's resources, its templates
    // copied so that one of them can be spoiled once the chooser shows it.
    const QString original = Bundle::resourcesPath();
    const QString bundle = path(QStringLiteral("bundle"));
    QDir().mkpath(bundle);
    for (const QFileInfo &entry : QDir(original).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (entry.fileName() == QLatin1String("form_templates")) {
            QDirIterator it(entry.filePath(), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                const QString target = QDir(bundle).filePath(QDir(original).relativeFilePath(file));
                QDir().mkpath(QFileInfo(target).path());
                ASSERT_TRUE(QFile::copy(file, target));
            }
        } else {
            ASSERT_TRUE(QFile::link(entry.filePath(), QDir(bundle).filePath(entry.fileName())));
        }
    }
    Bundle::setResourcesPath(bundle);

    launchAs(QStringLiteral("Trelko Forms Pro"));
    clickNew();
    TemplateWindowController *window = shownChooser();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(window->gridButtons().isEmpty());
    TemplateIconButton *pick = window->gridButtons().last();
    const QString package = bundlePackage(pick);
    const QString name = QFileInfo(pick->fileName()).completeBaseName();

    struct Spoil {
        const char *what;
        QByteArray bytes;  // empty: the package is gone
    } spoils[] = {{"not a package", "this is no page package"}, {"gone", QByteArray()}};
    for (const Spoil &spoil : spoils) {
        SCOPED_TRACE(spoil.what);
        QFile::remove(package);
        if (!spoil.bytes.isEmpty()) {
            QFile file(package);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(spoil.bytes);
        }
        pick->click();
        const int before = alerts.count();
        window->selectButton()->click();
        settleEvents();
        ASSERT_EQ(alerts.count(), before + 1);
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Not able to open"));
        EXPECT_TRUE(alerts.last().informativeText.contains(name)) << qPrintable(alerts.last().informativeText);
        // Nothing was made, nothing asked for; the chooser waits for another pick.
        EXPECT_TRUE(panels.savePanels().isEmpty());
        EXPECT_TRUE(SKTWindowController::allWindows().isEmpty());
        EXPECT_TRUE(window->isVisible());
    }
}

TEST_F(ChooserRoadTest, FromAnOpenProjectTheChooserAddsAPageAndOpensTheGettingStartedGuide)
{
    launchAs(QStringLiteral("HTML Zov Pro"));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    const QString project = window->openWebsiteFolderPath();
    const int pagesBefore = int(QDir(project).entryList({QStringLiteral("*.zovpage")}, QDir::Files).size());

    // File ▸ Add New ▸ New Page From Template: the add-page sheet, whose
    // template button opens the chooser for a page of this project.
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Add New.../New Page From Template..."), &why))
        << qPrintable(why) << qPrintable(MenuPath::visibleItems(window).join(QLatin1Char('\n')));
    auto *sheet = window->findChild<AddNewPageViewController *>();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(sheet->chooseTemplateButton->isVisible());
    sheet->chooseTemplateButton->click();
    TemplateWindowController *chooserWindow = shownChooser();
    ASSERT_NE(chooserWindow, nullptr);
    EXPECT_EQ(delegate().mainTemplateName, QString());
    ASSERT_FALSE(chooserWindow->gridButtons().isEmpty());
    chooserWindow->gridButtons().first()->click();
    chooserWindow->selectButton()->click();
    settleEvents();
    EXPECT_EQ(QDir(project).entryList({QStringLiteral("*.zovpage")}, QDir::Files).size(), pagesBefore + 1)
        << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    EXPECT_FALSE(chooserWindow->isVisible());

    // A new base template goes through the same chooser.
    ASSERT_TRUE(sendAction(QStringLiteral("startNewTemplate")));
    ASSERT_NE(shownChooser(), nullptr);
    EXPECT_EQ(delegate().mainTemplateName, QStringLiteral("basetemplate"));
    chooserWindow->cancelButton()->click();
    EXPECT_FALSE(chooserWindow->isVisible());

    // The getting-started guide: the edition's page, or the template picked.
    const QString work = gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
    const QString starter = QDir(work).filePath(QStringLiteral("starter/GettingStarted.zovpage"));
    struct Case {
        const char *what;
        bool pick;
    } cases[] = {{"the edition's page", false}, {"the picked template", true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QString expected = QDir(Bundle::resourcesPath()).filePath(gTemplateFolder + QStringLiteral("/GettingStarted.zovpage"));
        if (c.pick) {
            ASSERT_TRUE(sendAction(QStringLiteral("startNewPage")));
            ASSERT_NE(shownChooser(), nullptr);
            TemplateIconButton *pick = chooserWindow->gridButtons().last();
            expected = bundlePackage(pick);
            pick->click();
        }
        const auto before = SKTWindowController::allWindows().size();
        ASSERT_TRUE(sendAction(QStringLiteral("launchGettingStartedGuide")));
        ASSERT_TRUE(spinUntil([before] { return SKTWindowController::allWindows().size() == before + 1; }, 10000))
            << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        EXPECT_EQ(bytesOf(starter), bytesOf(expected));
        EXPECT_TRUE(SKTWindowController::allWindows().constLast()->document().fileURLPath.isEmpty());
        EXPECT_FALSE(chooserWindow->isVisible());
        EXPECT_TRUE(gSelectedTemplate.fileName.isEmpty());
    }
    EXPECT_TRUE(alerts.messages().isEmpty()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
}

}  // namespace
