#include "window/ProjectPages.h"
#include "window/LocalizedText.h"

#include "config/EditionSettings.h"
#include "config/DataCentreMarkers.h"
#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/NotificationCenter.h"
#include "platform/WorkFolder.h"
#include "document/PagePackage.h"
#include "window/PageNameChecks.h"
#include "window/CanvasFit.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString workFolder()
{
    return gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
}
} // namespace

ProjectPages::ProjectPages(SKTDocument &document, ProjectWindowHost *host)
    : doc_(document), docLifetime_(document.lifetime()), host_(host ? host : &defaultHost_)
{
    resourcesFolder = Bundle::resourcesPath();
    doc_.windowHooks.openWebsiteFolderTempPath = [this] { return scan.openWebsiteFolderTempPath; };
    doc_.windowHooks.currentPageIndex = [this] {
        const QString name = QFileInfo(doc_.fileURLPath).fileName();
        for (int i = 0; i < scan.siteIconArray.size(); ++i)
            if (scan.siteIconArray[i].pageName == name)
                return i;
        return -1;
    };
}

ProjectPages::~ProjectPages()
{
    if (docLifetime_.expired())
        return;
    doc_.windowHooks.openWebsiteFolderTempPath = nullptr;
    doc_.windowHooks.currentPageIndex = nullptr;
}

bool ProjectPages::fail(const QString &message, const QString &informative)
{
    lastError = informative;
    qWarning().noquote() << message << informative;
    Alerts::inform(message, informative, host_->alertWindow(), Alert::Style::Warning);
    return false;
}

QString ProjectPages::pagePath(const QString &fileName) const
{
    return QDir(scan.openWebsiteFolderPath).filePath(fileName);
}

void ProjectPages::setOpenWebsiteFolderPath(const QString &folder)
{
    scan.openWebsiteFolderPath = folder;
}

QString ProjectPages::templatePath(const QString &category, const QString &name) const
{
    return QDir(resourcesFolder).filePath(gTemplateFolder + QLatin1Char('/') + category + QLatin1Char('/') + name);
}

QString ProjectPages::blankTemplatePath() const
{
    const QString shipped = templatePath(QStringLiteral("blank"), QStringLiteral("Blank.") + gDocumentExtension);
    if (QFileInfo(shipped).isFile())
        return shipped;
    // An edition that ships no blank page gets one made from an empty page.
    const QString folder = QDir(workFolder()).filePath(QStringLiteral("madeBlank"));
    const QString made = QDir(folder).filePath(QStringLiteral("Blank.") + gDocumentExtension);
    if (QFileInfo(made).isFile())
        return made;
    SKTDocument blank;
    blank.pageName = QStringLiteral("Blank");
    blank.pageFileExtension = QStringLiteral("html");
    blank.mainTemplateName = QStringLiteral("Blank");
    blank.encodingType = QStringLiteral("UTF-8");
    blank.tempSavePathLocal = QDir(folder).filePath(QStringLiteral("page"));
    QDir().mkpath(blank.tempSavePathLocal);
    return blank.saveThisPage(made, false) ? made : QString();
}

bool ProjectPages::saveShownPage()
{
    // Nothing to lose: no page yet, or a page that could not be read.
    if (doc_.fileURLPath.isEmpty() || doc_.pageUnread || !QFileInfo::exists(doc_.fileURLPath))
        return true;
    return doc_.askPageToSaveItself();
}

void ProjectPages::refreshWebsite()
{
    const bool saved = saveShownPage();
    scan.resetAndGrabCurrentWebsiteFolderPath();
    scan.pickUpFileList(scan.openWebsiteFolderPath);
    host_->refreshPageListingDisplay();
    const QString current = QFileInfo(doc_.fileURLPath).fileName();
    if (!current.isEmpty() && scan.existInSiteIconArray(current)
        && QFileInfo(doc_.fileURLPath).dir() == QDir(scan.openWebsiteFolderPath)) {
        // A page whose save failed keeps its edits on screen rather than
        // being read back from the package.
        if (saved) {
            gOpenFromWebsiteFolder = true;
            doc_.refreshDocument();
        }
    } else {
        const QString first = ProjectScan::grabPathOfFirstFile(scan.openWebsiteFolderPath);
        if (!first.isEmpty()) {
            gOpenFromWebsiteFolder = true;
            doc_.fileURLPath = first;
            doc_.refreshDocument();
        }
    }
    host_->setFormButtons();
    baseTemplateExistFlag = scan.baseTemplateExists();
}

void ProjectPages::sortByDate()
{
    scan.sortByDate();
    refreshWebsite();
}

void ProjectPages::sortByFileName()
{
    scan.sortByFileName();
    refreshWebsite();
}

bool ProjectPages::launchSelected(int index)
{
    if (index < 0 || index >= scan.siteIconArray.size())
        return false;
    host_->endEditing();
    for (PageEntry &entry : scan.siteIconArray)
        entry.borderFlag = false;
    scan.siteIconArray[index].borderFlag = true;
    const QString location = pagePath(scan.siteIconArray.at(index).pageName);
    gOpenFromWebsiteFolder = true;
    doc_.loopThroughFlag = loopThroughFlag;
    if (gResponsiveEdition && !doc_.pageUnread && !doc_.fileURLPath.isEmpty())
        doc_.generatePublishVersion();
    // Switching away from a page that could not be saved would drop its edits.
    if (!saveShownPage())
        return false;
    const QString previous = doc_.fileURLPath;
    doc_.fileURLPath = location;
    if (doc_.refreshDocument()) {
        host_->refreshLayerListing();
        host_->refreshPageIcons();
        host_->setFormButtons();
        return true;
    }
    qWarning() << "could not open page" << location;
    if (!previous.isEmpty() && previous != location) {
        doc_.fileURLPath = previous;
        doc_.refreshDocument();
    }
    return false;
}

QString ProjectPages::prepTempDocPath(const QString &templatePath, const QString &pageFileExtension)
{
    const QString scratch = QDir(workFolder()).filePath(QStringLiteral("baseTemplateTemp"));
    QDir(scratch).removeRecursively();
    const QString target = QDir(scratch).filePath(QFileInfo(templatePath).fileName());
    if (!QDir().mkpath(target)) {
        fail(QStringLiteral("Page Not Added"), QStringLiteral("The folder %1 could not be made.").arg(target));
        return {};
    }
    if (!QFileInfo(templatePath).isFile()) {
        fail(QStringLiteral("Page Not Added"), QStringLiteral("The template %1 is missing.").arg(templatePath));
        return {};
    }
    if (SKTDocument::migrateWebsitePage(templatePath, target).isEmpty()) {
        fail(QStringLiteral("Page Not Added"), QStringLiteral("The template %1 could not be unpacked.").arg(templatePath));
        return {};
    }
    const QString page = QDir(scratch).filePath(QFileInfo(templatePath).completeBaseName() + QLatin1Char('.') + pageFileExtension);
    if (!QFileInfo(page).isFile()) {
        fail(QStringLiteral("Page Not Added"), QStringLiteral("The template %1 holds no page file.").arg(templatePath));
        return {};
    }
    return page;
}

QString ProjectPages::prepAndRenameDoc(const QString &pageFilePath, const QString &newFileName)
{
    const QFileInfo page(pageFilePath);
    const QDir D = page.dir();
    const QString O = page.completeBaseName();
    const QString e = page.suffix();
    const QString M = QFileInfo(newFileName).completeBaseName();
    const QString renamed = D.filePath(M + QLatin1Char('.') + e);
    if (O == M)
        return pageFilePath;
    auto move = [&](const QString &from, const QString &to) {
        // Copied, and the original removed only once the copy is whole.
        if (!QFileInfo::exists(from))
            return true;
        if (QFileInfo::exists(to) || !QFile::copy(from, to))
            return false;
        QFile::remove(from);
        return true;
    };
    if (!move(pageFilePath, renamed) || !move(D.filePath(O + QStringLiteral(".png")), D.filePath(M + QStringLiteral(".png")))
        || !move(D.filePath(O + QStringLiteral("@2x.png")), D.filePath(M + QStringLiteral("@2x.png")))) {
        fail(QStringLiteral("Page Not Added"), QStringLiteral("The page could not be renamed to %1.").arg(M));
        return {};
    }
    QFile::remove(D.filePath(O + QStringLiteral("/full.css")));
    if (QFileInfo(D.filePath(O)).isDir()) {
        if (QFileInfo::exists(D.filePath(M)) || !QDir().rename(D.filePath(O), D.filePath(M))) {
            fail(QStringLiteral("Page Not Added"), QStringLiteral("The page folder could not be renamed to %1.").arg(M));
            return {};
        }
    } else if (!QDir().mkpath(D.filePath(M))) {
        fail(QStringLiteral("Page Not Added"), QStringLiteral("The page folder %1 could not be made.").arg(M));
        return {};
    }
    return renamed;
}

bool ProjectPages::zipDoc(const QString &packagePath, const QString &pageFilePath)
{
    const QFileInfo page(pageFilePath);
    const QString base = page.dir().filePath(page.completeBaseName());
    QDir().mkpath(base);
    PagePackage transport;
    // The package is written beside itself and renamed into place.
    const bool zipped = gResponsiveEdition ? transport.zipDocument_mailchimp(base, packagePath)
                                           : transport.zipDocument(base, packagePath);
    if (!zipped)
        return fail(QStringLiteral("Page Not Added"),
                    QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(packagePath), transport.zipLog()));
    return true;
}

bool ProjectPages::openNewPage(const QString &packagePath, bool placeHolder)
{
    const DocumentLabelTemplate kept = doc_.labelTemplateHelper;
    gOpenFromWebsiteFolder = true;
    doc_.fileURLPath = packagePath;
    if (!doc_.refreshDocument()) {
        // The page that cannot open is not left behind in the project.
        QFile::remove(packagePath);
        doc_.fileURLPath.clear();
        refreshWebsite();
        return fail(QStringLiteral("Page Not Added"),
                    QStringLiteral("The new page %1 could not be opened and was removed.").arg(QFileInfo(packagePath).fileName()));
    }
    if (gReplacePageNumbers) {
        doc_.labelTemplateHelper = kept;
        const QSizeF before = doc_.pageCanvasSize();
        host_->resetPrintCanvas(kept.templateDescription);
        CanvasFit::bringInside(doc_, before);
        if (placeHolder)
            host_->addPlaceHolder();
    }
    doc_.askPageToSaveItself();
    refreshWebsite();
    doc_.askPageToSaveItself();
    return true;
}

bool ProjectPages::addBlankPage(const QString &fileName)
{
    lastError.clear();
    if (scan.openWebsiteFolderPath.isEmpty())
        return fail(QStringLiteral("No Project Open"), QStringLiteral("Open or create a project before adding pages."));
    if (!PageNameChecks::isPlainFileName(fileName) || ProjectScan::existsIgnoringCase(scan.openWebsiteFolderPath, fileName))
        return fail(QStringLiteral("File Name Conflict"),
                    QStringLiteral("Sorry a file named \"%1\" already exists at this location.").arg(fileName));
    if (!saveShownPage())
        return false;
    const QString blank = blankTemplatePath();
    if (blank.isEmpty())
        return fail(QStringLiteral("Page Not Added"), QStringLiteral("No blank page could be made."));
    const QString T = prepTempDocPath(blank, QStringLiteral("html"));
    if (T.isEmpty())
        return false;
    if (!DataCentreMarkers::applyBaseTemplate(T, 1) || !DataCentreMarkers::applyInheritCustomHeaderCode(T, 0)
        || !DataCentreMarkers::applyInheritMetadata(T, 0) || !DataCentreMarkers::applyPageTitle(T, QString()))
        return fail(QStringLiteral("Page Not Added"), QStringLiteral("The new page could not be prepared."));
    const QString package = pagePath(fileName);
    if (!zipDoc(package, T))
        return false;
    gOpenFromWebsiteFolder = true;
    refreshWebsite();
    return openNewPage(package, true);
}

bool ProjectPages::directlyAddBlankPage()
{
    const QString name = scan.generateDefaultPageName() + QLatin1Char('.') + gDocumentExtension;
    if (!addBlankPage(name))
        return false;
    const int at = scan.grabZovButtonWithPageName(name);
    if (at >= 0)
        scan.siteIconArray.move(at, scan.siteIconArray.size() - 1);
    if (gUsesPageOrderIndex) {
        QString error;
        if (!scan.writePageOrderIndexFile(&error))
            fail(QStringLiteral("Page Order Not Saved"), error);
    }
    refreshWebsite();
    return true;
}

bool ProjectPages::insertBlankPage(int clickedIndex)
{
    if (!saveShownPage())
        return false;
    const bool known = clickedIndex >= 0 && clickedIndex < scan.siteIconArray.size();
    const QString clicked = known ? scan.siteIconArray.at(clickedIndex).documentName : QString();
    const QString name = scan.generateDefaultPageName() + QLatin1Char('.') + gDocumentExtension;
    if (!addBlankPage(name))
        return false;
    const int at = scan.grabZovButtonWithPageName(name);
    if (at >= 0) {
        PageEntry entry = scan.siteIconArray.takeAt(at);
        // Before the clicked page where it now stands; at the end when no page was clicked.
        const int before = known ? scan.grabZovButtonWithPageName(clicked) : -1;
        scan.siteIconArray.insert(before >= 0 ? before : scan.siteIconArray.size(), entry);
    }
    if (gUsesPageOrderIndex) {
        QString error;
        if (!scan.writePageOrderIndexFile(&error))
            fail(QStringLiteral("Page Order Not Saved"), error);
    }
    refreshWebsite();
    return true;
}

QString ProjectPages::launchUsingBaseTemplate(const AddNewPageRequest &r)
{
    lastError.clear();
    host_->endEditing();
    const QString templ = templatePath(r.selectedTemplateCategoryFolder, r.selectedTemplateName);
    // The edition's own extension: the scan lists no other.
    const QString X = r.pageFileType.isEmpty() ? gDocumentExtension : r.pageFileType;
    const QString F = r.fileNameField ? *r.fileNameField + QLatin1Char('.') + X
                                      : r.directlySelectFileName + QLatin1Char('.') + X;
    const QString E = X == QLatin1String("trelkoforms") ? QStringLiteral("php") : QStringLiteral("html");
    if (!PageNameChecks::isPlainFileName(F)) {
        fail(QStringLiteral("File Name Characters"),
             QStringLiteral("Sorry the new file name can not contain spacing, special characters or symbols"));
        return {};
    }
    if (!QFileInfo(templ).isFile()) {
        fail(QStringLiteral("Page Not Added"), QStringLiteral("The template %1 is missing.").arg(templ));
        return {};
    }
    if (scan.openWebsiteFolderPath.isEmpty()) {
        const QString V = QDir(workFolder()).filePath(gReceivedPagesFolder);
        QDir().mkpath(V);
        const QString base = QFileInfo(F).completeBaseName();
        QString target = QDir(V).filePath(F);
        for (int n = 0; QFileInfo::exists(target); ++n)
            target = QDir(V).filePath(QStringLiteral("%1%2.%3").arg(base).arg(n).arg(X));
        if (!QFile::copy(templ, target)) {
            fail(QStringLiteral("Page Not Added"), QStringLiteral("The template could not be copied to %1.").arg(target));
            return {};
        }
        gOpenFromWebsiteFolder = false;
        if (!host_->openPageAlone(target, r.applyBaseTemplate)) {
            lastError = QStringLiteral("%1 could not be opened.").arg(target);
            return {};
        }
        return target;
    }
    if (ProjectScan::existsIgnoringCase(scan.openWebsiteFolderPath, F)) {
        fail(QStringLiteral("File Name Conflict"),
             QStringLiteral("Sorry a file named \"%1\" already exists at this location.").arg(QFileInfo(F).completeBaseName()));
        return {};
    }
    QString T = prepTempDocPath(templ, E);
    if (!T.isEmpty() && gResponsiveEdition)
        T = prepAndRenameDoc(T, F);
    if (T.isEmpty())
        return {};
    const int flag = r.applyBaseTemplate ? 1 : 0;
    if (!DataCentreMarkers::applyBaseTemplate(T, flag) || !DataCentreMarkers::applyInheritCustomHeaderCode(T, flag)
        || !DataCentreMarkers::applyInheritMetadata(T, flag) || !DataCentreMarkers::applyPageTitle(T, r.pageTitle)) {
        fail(QStringLiteral("Page Not Added"), QStringLiteral("The new page could not be prepared."));
        return {};
    }
    const QString package = pagePath(F);
    if (!zipDoc(package, T))
        return {};
    gOpenFromWebsiteFolder = true;
    refreshWebsite();
    return openNewPage(package, false) ? package : QString();
}

bool ProjectPages::grabDraggedInPage(const QString &path)
{
    lastError.clear();
    const QString name = QFileInfo(path).fileName();
    if (scan.openWebsiteFolderPath.isEmpty())
        return fail(QStringLiteral("No Project Open"), QStringLiteral("Open or create a project before adding pages."));
    if (!ProjectScan::isPageFileName(name))
        return fail(QStringLiteral("Page Not Copied"), QStringLiteral("\"%1\" is not a page file.").arg(name));
    if (ProjectScan::existsIgnoringCase(scan.openWebsiteFolderPath, name))
        return fail(QStringLiteral("Page Not Copied"),
                    QStringLiteral("A page named \"%1\" is already in this project; the dropped page was not copied.").arg(name));
    if (!QFile::copy(path, pagePath(name)))
        return fail(QStringLiteral("Page Not Copied"), QStringLiteral("\"%1\" could not be copied into the project.").arg(name));
    refreshWebsite();
    return true;
}

void ProjectPages::confirmAndCopyDroppedPage(const QString &path)
{
    Alert alert;
    alert.messageText = QStringLiteral("Copying New Page");
    alert.informativeText = QStringLiteral("Are you sure you wish to copy over document \"%1\"?\n\nThis file is currently located at\n%2")
                                .arg(QFileInfo(path).fileName(), path);
    alert.buttons = {localizedText(QStringLiteral("Proceed")), localizedText(QStringLiteral("Cancel"))};
    Alerts::ask(alert, host_->alertWindow(), [this, path](int response) {
        if (response == Alert::FirstButton)
            grabDraggedInPage(path);
    });
}
