#include "window/PageOperations.h"
#include "window/LocalizedText.h"

#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "platform/UserDefaults.h"
#include "window/TrashMover.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

PageOperations::PageOperations(ProjectPages &project, ProjectWindowHost *host)
    : project_(project), host_(host ? host : &defaultHost_),
      trash_([](const QString &path) { return TrashMover::moveToTrash(path); })
{
}

QString PageOperations::pagePath(const QString &name) const
{
    return QDir(project_.openWebsiteFolderPath()).filePath(name);
}

int PageOperations::grabPageClicked(const ListingPlan &plan, const QPoint &point) const
{
    int found = -1;
    for (const ListingCell &cell : plan.cells)
        if (cell.frame.contains(point))
            found = cell.page;
    return found;
}

bool PageOperations::determinePageClicked(const ListingPlan &plan, const QPoint &point)
{
    const int index = grabPageClicked(plan, point);
    if (index < 0 || index >= project_.scan.siteIconArray.size())
        return false;
    selectedPageName = project_.scan.siteIconArray.at(index).documentName;
    return true;
}

void PageOperations::writeOrderFile()
{
    if (!gUsesPageOrderIndex)
        return;
    QString error;
    if (!project_.scan.writePageOrderIndexFile(&error))
        Alerts::inform(QStringLiteral("Page Order Not Saved"), error, host_->alertWindow());
}

bool PageOperations::movePage(const QStringList &names, const QString &target)
{
    if (names.isEmpty())
        return false;
    project_.document().askPageToSaveItself();
    QList<PageEntry> &pages = project_.scan.siteIconArray;
    const int targetIndex = project_.scan.grabZovButtonWithPageName(target);
    const int moving = project_.scan.grabZovButtonWithPageName(names.constLast());
    if (targetIndex < 0 || moving < 0)
        return false;
    pages.move(moving, targetIndex);
    writeOrderFile();
    project_.refreshWebsite();
    return true;
}

bool PageOperations::rearrangePageOrder(const ListingPlan &plan, const QString &draggedName, const QPoint &point)
{
    // A drop beside every page cell has no target: the order stays as it is.
    const int index = grabPageClicked(plan, point);
    if (index < 0 || index >= project_.scan.siteIconArray.size())
        return false;
    return movePage({draggedName}, project_.scan.siteIconArray.at(index).documentName);
}

void PageOperations::deletePage(const QString &pageName, std::function<void(bool)> done)
{
    if (pageName.isEmpty() || project_.scan.grabZovButtonWithPageName(pageName) < 0) {
        if (done)
            done(false);
        return;
    }
    project_.document().askPageToSaveItself();
    Alert alert;
    alert.messageText = QStringLiteral("Confirm File Deletion");
    alert.informativeText =
        QStringLiteral("%1\n%2\n\n%3")
            .arg(localizedText(QStringLiteral("Are you sure you want to delete selected?")), pagePath(pageName),
                 pageName == gBaseTemplateName
                     ? QStringLiteral("This is the base template, deleting this file will also impact any documents "
                                      "that are inheriting content from the base template.")
                     : QString());
    alert.buttons = {localizedText(QStringLiteral("Delete")), localizedText(QStringLiteral("Cancel"))};
    Alerts::ask(alert, host_->alertWindow(), [this, pageName, done](int response) {
        if (response != Alert::FirstButton) {
            if (done)
                done(false);
            return;
        }
        deletePageArray({pageName}, [this, done](bool deleted) {
            writeOrderFile();
            if (done)
                done(deleted);
        });
    });
}

void PageOperations::deletePageArray(const QStringList &pageNames, std::function<void(bool all)> done)
{
    bool addedBlank = false;
    if (!pageNames.isEmpty() && pageNames.size() >= project_.scan.siteIconArray.size()) {
        // A project is never left without a page.
        addedBlank = project_.directlyAddBlankPage();
    }
    QStringList paths;
    for (const QString &name : pageNames)
        if (!name.isEmpty() && QFileInfo(name).fileName() == name)  // only plain names of the project's own pages
            paths << pagePath(name);
    trashPages(paths, true, addedBlank, std::move(done));
}

void PageOperations::trashPages(QStringList paths, bool all, bool addedBlank, std::function<void(bool all)> done)
{
    while (!paths.isEmpty()) {
        const QString path = paths.first();
        if (!QFileInfo::exists(path) || trash_(path)) {
            paths.removeFirst();
            continue;
        }
        // A page that cannot reach the trash is kept: it is never removed for
        // good. The pass goes on once the user has answered.
        Alert alert;
        alert.messageText = QStringLiteral("Could Not Move to Trash");
        alert.informativeText = QStringLiteral("\"%1\" could not be moved to the trash. It has been kept.").arg(path);
        alert.buttons = {QStringLiteral("Try Again"), QStringLiteral("Keep")};
        Alerts::ask(alert, host_->alertWindow(), [this, paths, all, addedBlank, done](int response) mutable {
            if (response != Alert::FirstButton) {
                paths.removeFirst();
                all = false;
            }
            trashPages(paths, all, addedBlank, done);
        });
        return;
    }
    project_.refreshWebsite();
    if (addedBlank)
        Alerts::inform(QStringLiteral("Active project needs at least one file"),
                       QStringLiteral("You have deleted all the files in this folder.\n\nAn active project needs to have "
                                      "at least one file, a default starter document has been added."),
                       host_->alertWindow());
    if (done)
        done(all);
}

void PageOperations::duplicatePage(const QString &pageName, std::function<void(const QString &)> done)
{
    if (pageName.isEmpty() || project_.scan.grabZovButtonWithPageName(pageName) < 0) {
        if (done)
            done({});
        return;
    }
    SKTDocument &doc = project_.document();
    if (QFileInfo(pageName).completeBaseName() == QLatin1String("basetemplate"))
        doc.duplicateBasetemplateFlag = true;
    doc.askPageToSaveItself();
    Alert alert;
    alert.messageText = QStringLiteral("Confirm File Duplication");
    alert.informativeText = QStringLiteral("Are you sure you wish to duplicate \"%1\"?\n\nThis file is located at\n%2")
                                .arg(pageName, pagePath(pageName));
    alert.buttons = {localizedText(QStringLiteral("Copy")), localizedText(QStringLiteral("Cancel"))};
    Alerts::ask(alert, host_->alertWindow(), [this, pageName, done](int response) {
        const QString copy = response == Alert::FirstButton ? duplicatePageNow(pageName) : QString();
        if (done)
            done(copy);
    });
}

QString PageOperations::duplicatePageNow(const QString &pageName)
{
    const QString source = pagePath(pageName);
    const QString extension = QFileInfo(pageName).suffix();
    const QString newName = project_.scan.generateDefaultPageName() + QLatin1Char('.') + extension;
    const QString destination = pagePath(newName);
    if (QFileInfo::exists(destination))
        return {};
    bool made = false;
    if (gResponsiveEdition) {
        // The copy unpacks with the source page's own file extension ("html"
        // or "php"), not the open page's.
        const PageEntry &entry = project_.scan.siteIconArray.at(project_.scan.grabZovButtonWithPageName(pageName));
        QString pageExtension = QFileInfo(entry.pageLocalFileName).suffix();
        if (pageExtension.isEmpty())
            pageExtension = extension == QLatin1String("trelkoforms") ? QStringLiteral("php") : QStringLiteral("html");
        const QString scratch = project_.prepTempDocPath(source, pageExtension);
        if (!scratch.isEmpty()) {
            const QString renamed = project_.prepAndRenameDoc(scratch, QFileInfo(newName).completeBaseName());
            made = !renamed.isEmpty() && project_.zipDoc(destination, renamed);
        }
    } else {
        made = QFile::copy(source, destination);
    }
    if (!made) {
        Alerts::inform(QStringLiteral("Page Not Duplicated"),
                       QStringLiteral("\"%1\" could not be copied to \"%2\".").arg(pageName, newName), host_->alertWindow());
        return {};
    }
    project_.refreshWebsite();
    const int at = project_.scan.grabZovButtonWithPageName(newName);
    if (at >= 0)
        project_.launchSelected(at);
    writeOrderFile();
    return newName;
}

QString PageOperations::pageLink(const PageEntry &page, const QString &baseURL)
{
    QString published = page.pagePublishFileName;
    if (published.isEmpty()) {
        const QFileInfo info(page.documentName);
        published = info.completeBaseName()
                    + (info.suffix() == QLatin1String("trelkoforms") ? QStringLiteral(".php") : QStringLiteral(".html"));
    }
    const QByteArray encoded = QUrl::toPercentEncoding(published);
    QString base = baseURL;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + QLatin1Char('/') + QString::fromLatin1(encoded);
}

bool PageOperations::grabPageLink(const QString &pageName, const std::function<void(const QString &)> &copy)
{
    const int at = project_.scan.grabZovButtonWithPageName(pageName);
    if (at < 0)
        return false;
    const QString link =
        pageLink(project_.scan.siteIconArray.at(at), UserDefaults::standard().stringForKey(QStringLiteral("baseurl")));
    if (copy)
        copy(link);
    Alerts::inform(QStringLiteral("Copied to Clipboard"), link, host_->alertWindow(), Alert::Style::Informational);
    return true;
}

int PageOperations::updateCurrentButtonColor(QList<PageEntry> &pages, const QString &shownFileName)
{
    if (pages.isEmpty())
        return -1;
    int marked = 0;
    for (int i = 0; i < pages.size(); ++i) {
        pages[i].borderFlag = false;
        if (marked == 0 && pages.at(i).pageName == shownFileName)
            marked = i;
    }
    pages[marked].borderFlag = true;
    return marked;
}
