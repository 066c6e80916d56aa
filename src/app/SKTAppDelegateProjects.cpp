// Opening and creating projects, and opening pages alone, before any window
// of them exists. A folder replaced by a new project goes to the desktop
// trash, never away for good; a folder already open brings its window
// forward instead of opening a second one over the same work copy.
#include "app/SKTAppDelegate.h"

#include "app/TemplateChooser.h"

#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/FilePanels.h"
#include "platform/NotificationCenter.h"
#include "platform/WorkFolder.h"
#include "window/ProjectPages.h"
#include "window/ProjectScan.h"
#include "window/SiteSettingsFile.h"
#include "window/TrashMover.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

QString workFolder()
{
    return gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
}

bool copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    for (const QFileInfo &info : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (info.isSymLink())
            continue;
        const QString target = QDir(to).filePath(info.fileName());
        if (info.isDir() ? !copyFolder(info.filePath(), target) : !QFile::copy(info.filePath(), target))
            return false;
    }
    return true;
}

// Asks before a new project takes the place of an existing folder; the old
// folder goes to the trash. made runs once the new folder may be used: at
// once for a new folder, else when the user has said "Yes" (the alert may
// answer after this returns).
void makeProjectFolder(const QString &folder, std::function<void()> made)
{
    auto makeIt = [folder, made = std::move(made)] {
        if (!QDir().mkpath(folder)) {
            Alerts::inform(QStringLiteral("Project Not Created"), QStringLiteral("The folder \"%1\" could not be made.").arg(folder));
            return;
        }
        made();
    };
    if (!QFileInfo::exists(folder)) {
        makeIt();
        return;
    }
    Alert alert;
    alert.messageText = QStringLiteral("Confirm replacing folder \"%1\"").arg(QFileInfo(folder).fileName());
    alert.informativeText = QStringLiteral("A folder with the same name exists already. Choosing to proceed will "
                                           "override its current contents.  Are you sure you wish to proceed?");
    alert.buttons = {QStringLiteral("Yes"), QStringLiteral("Cancel")};
    Alerts::ask(alert, nullptr, [folder, makeIt](int response) {
        if (response != Alert::FirstButton)
            return;
        if (!TrashMover::moveToTrash(folder)) {
            Alerts::inform(QStringLiteral("Folder Not Replaced"),
                           QStringLiteral("\"%1\" could not be moved to the trash, so it was left as it is.").arg(folder));
            return;
        }
        makeIt();
    });
}

} // namespace

QString SKTAppDelegate::resourcesFolder() const
{
    return m_resourcesFolder.isEmpty() ? Bundle::resourcesPath() : m_resourcesFolder;
}

void SKTAppDelegate::addNewWebsite()
{
    SavePanelOptions options;
    options.nameFieldValue = gNewProjectName.isEmpty() ? QStringLiteral("New Project") : gNewProjectName;
    options.message = QStringLiteral("Choose where the new project's folder goes");
    FilePanels::current().showSavePanel(options, nullptr, [this](const QString &folder) {
        if (folder.isEmpty())
            return;
        makeProjectFolder(folder, [this, folder] {
            if (gSimplifiedWindow)
                launchSimplifiedWindowController(folder);
            else
                launchSelectedWebsite(folder, true);
        });
    });
}

void SKTAppDelegate::openWebsite()
{
    OpenPanelOptions options;
    options.message = QStringLiteral("Please select directory folder containing saved files");
    options.canChooseFiles = false;
    options.canChooseDirectories = true;
    FilePanels::current().showOpenPanel(options, nullptr, [this](const QStringList &paths) {
        if (!paths.isEmpty())
            launchSelectedWebsite(paths.first(), false);
    });
}

void SKTAppDelegate::openNewDoc()
{
    OpenPanelOptions options;
    options.allowedTypes = {gDocumentExtension, QStringLiteral("trelkoforms")};
    FilePanels::current().showOpenPanel(options, nullptr, [this](const QStringList &paths) {
        if (!paths.isEmpty())
            openPageAlone(paths.first());
    });
}

SKTDocument *SKTAppDelegate::openPageAlone(const QString &path)
{
    gOpenFromWebsiteFolder = false;
    SKTDocument *doc = DocumentController::shared().openDocument(path);
    if (!doc)
        Alerts::inform(QStringLiteral("Page Not Opened"), QStringLiteral("\"%1\" could not be read.").arg(path));
    return doc;
}

void SKTAppDelegate::openSample()
{
    if (gSampleDocumentFile.isEmpty())
        return;
    const QString source = QDir(resourcesFolder()).filePath(gTemplateFolder + QLatin1Char('/') + gSampleDocumentFile);
    gOpenFromWebsiteFolder = false;
    if (!QFileInfo(source).isFile() || !DocumentController::shared().openUntitledDocument(source))
        Alerts::inform(QStringLiteral("Sample Not Opened"), QStringLiteral("The sample page could not be read."));
}

int SKTAppDelegate::addStarterBlankPage(const QString &folder)
{
    int placed = 0;
    const QString templates = QDir(resourcesFolder()).filePath(gTemplateFolder);
    const QString noun = gPageNoun.isEmpty() ? QStringLiteral("page") : gPageNoun;
    // The template picked in the chooser is the project's first page, named
    // after the edition's word for a page; the pick is used up.
    const bool picked = !gSelectedTemplate.fileName.isEmpty();
    if (picked) {
        const QString source = pickedTemplatePath();
        const QString target = QDir(folder).filePath(noun + QLatin1Char('.') + QFileInfo(gSelectedTemplate.fileName).suffix());
        if (!QFileInfo::exists(target) && QFile::copy(source, target))
            ++placed;
        clearSelectedTemplate();
    } else if (gAppName == QLatin1String("Tovra Greeting Card Designer") && !gStarterTemplateFiles.isEmpty()) {
        // A card is four tabs named "1" to "4", and the starters are 2 to 4:
        // with no template picked the front starts blank too.
        const QString first = gStarterTemplateFiles.first();
        const QString target = QDir(folder).filePath(noun + QLatin1Char('.') + QFileInfo(first).suffix());
        if (!QFileInfo::exists(target) && QFile::copy(QDir(templates).filePath(first), target))
            ++placed;
    }
    // The card editions start with their starter pages beside a picked
    // template too.
    const bool starters = !picked || gAppName == QLatin1String("Tovra Greeting Card Designer")
                          || gAppName == QLatin1String("Ostravel Business Card Designer");
    if (starters) {
        for (const QString &entry : gStarterTemplateFiles) {
            const QString target = QDir(folder).filePath(QFileInfo(entry).fileName());
            if (!QFileInfo::exists(target) && QFile::copy(QDir(templates).filePath(entry), target))
                ++placed;
        }
    }
    if (!gSampleDocumentFile.isEmpty()) {
        const QString target = QDir(folder).filePath(gSampleDocumentFile);
        if (!QFileInfo::exists(target) && QFile::copy(QDir(templates).filePath(gSampleDocumentFile), target))
            ++placed;
    }
    if (placed == 0) {
        // An edition that ships no starter page starts from a blank one.
        SKTDocument scratch;
        ProjectPages pages(scratch);
        pages.resourcesFolder = resourcesFolder();
        const QString blank = pages.blankTemplatePath();
        const QString target = QDir(folder).filePath(noun + QStringLiteral("1.") + gDocumentExtension);
        if (!blank.isEmpty() && !QFileInfo::exists(target) && QFile::copy(blank, target))
            ++placed;
    }
    return placed;
}

QString SKTAppDelegate::addGettingStartedPage(const QString &folder)
{
    const QString picked = pickedTemplatePath();
    const QString source = !picked.isEmpty()
                               ? picked
                               : QDir(resourcesFolder()).filePath(gTemplateFolder + QStringLiteral("/GettingStarted.")
                                                                  + gDocumentExtension);
    clearSelectedTemplate();
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(QStringLiteral("GettingStarted.") + gDocumentExtension);
    QFile::remove(target);
    return QFile::copy(source, target) ? target : QString();
}

SKTDocument *SKTAppDelegate::launchGettingStartedGuide()
{
    if (!gSelectedTemplate.fileName.isEmpty() && !pickedTemplateOpens())
        return nullptr;
    const QString starter = QDir(workFolder()).filePath(QStringLiteral("starter"));
    QDir(starter).removeRecursively();
    const QString page = addGettingStartedPage(starter);
    if (page.isEmpty()) {
        Alerts::inform(QStringLiteral("Not able to open"),
                       QStringLiteral("The getting-started page \"GettingStarted.%1\" could not be found.").arg(gDocumentExtension));
        return nullptr;
    }
    gOpenFromWebsiteFolder = false;
    SKTDocument *doc = openTemplateAsUntitled(page, true);
    if (doc)
        newWorkOpened();
    return doc;
}

SKTDocument *SKTAppDelegate::launchSelectedWebsite(const QString &folder, bool addStarterPage)
{
    if (m_projectWindows.focusProject && m_projectWindows.focusProject(folder))
        return nullptr;
    if (addStarterPage)
        addStarterBlankPage(folder);
    const QString first = ProjectScan::grabPathOfFirstFile(folder);
    if (first.isEmpty()) {
        Alert alert;
        alert.messageText = QStringLiteral("No compatible files found");
        alert.informativeText = QStringLiteral("Sorry this folder does not contain any compatible files:\n\n%1").arg(folder);
        alert.buttons = {QStringLiteral("Open Another Folder"), QStringLiteral("Cancel")};
        Alerts::ask(alert, nullptr, [this](int response) {
            if (response == Alert::FirstButton)
                openWebsite();
        });
        return nullptr;
    }
    gOpenFromWebsiteFolder = true;
    SKTDocument *doc = DocumentController::shared().openDocument(first);
    if (!doc) {
        Alerts::inform(QStringLiteral("Project Not Opened"), QStringLiteral("\"%1\" could not be read.").arg(first));
        return nullptr;
    }
    if (m_projectWindows.attachProject)
        m_projectWindows.attachProject(*doc, folder);
    newWorkOpened();
    NotificationCenter::defaultCenter().postNotification(Notifications::websiteUpdated, this);
    if (gAppName == QLatin1String("Tovra Greeting Card Designer"))
        NotificationCenter::defaultCenter().postNotification(Notifications::callRefreshTabs, this,
                                                             {{QStringLiteral("folder"), folder}});
    return doc;
}

void SKTAppDelegate::proceedToLaunchSelectedTemplateWebsite(const QString &siteFolder, const QString &destination,
                                                           std::function<void(SKTDocument *)> opened)
{
    makeProjectFolder(destination, [this, siteFolder, destination, opened] {
        SKTDocument *doc = nullptr;
        if (!copyFolder(siteFolder, destination))
            Alerts::inform(QStringLiteral("Project Not Created"),
                           QStringLiteral("The template site could not be copied to \"%1\".").arg(destination));
        else
            doc = launchSelectedWebsite(destination, false);
        if (opened)
            opened(doc);
    });
}

QList<SKTAppDelegate::WebsiteObject> SKTAppDelegate::templateSites() const
{
    QList<WebsiteObject> sites;
    const QDir root(QDir(resourcesFolder()).filePath(QStringLiteral("templates/websiteLevel")));
    for (const QString &entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const SiteSettings settings = SiteSettingsFile::read(root.filePath(entry + QStringLiteral("/site.zovs")));
        sites.append({entry, settings.title, settings.description});
    }
    return sites;
}
