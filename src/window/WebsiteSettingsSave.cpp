#include "window/WebsiteSettingsSave.h"

#include "config/EditionSettings.h"
#include "config/DataCentreMarkers.h"
#include "platform/Alerts.h"
#include "platform/SafeFileWrite.h"
#include "platform/WorkFolder.h"
#include "window/PageNameChecks.h"
#include "window/PageOrderFile.h"
#include "window/ProjectPages.h"
#include "window/TrashMover.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

QByteArray pngData(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool copyTree(const QString &from, const QString &to)
{
    if (QFileInfo(from).isFile())
        return QFile::copy(from, to);
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isSymLink())
            continue;
        if (!copyTree(entry.filePath(), QDir(to).filePath(entry.fileName())))
            return false;
    }
    return true;
}

// Copies the unpacked page W (page file, both screenshots, page folder) into
// a fresh scratch folder; answers the copied page file, "" on failure.
QString copyToScratch(const QString &pageFile)
{
    const QFileInfo page(pageFile);
    const QString base = page.completeBaseName();
    const QString scratch = QDir(WorkFolder::shared().path()).filePath(QStringLiteral("settingsSheetTemp"));
    QDir(scratch).removeRecursively();
    if (!QDir().mkpath(scratch))
        return {};
    const QDir from = page.dir();
    for (const QString &name : {page.fileName(), base + QStringLiteral(".png"), base + QStringLiteral("@2x.png"), base})
        if (QFileInfo::exists(from.filePath(name)) && !copyTree(from.filePath(name), QDir(scratch).filePath(name)))
            return {};
    return QDir(scratch).filePath(page.fileName());
}

// The marker, title and extension changes of a row on the page file at W;
// answers whether anything changed, adding what failed to failures. A copy
// (all) takes every value of its row, whatever the page had.
bool applyRowValues(const WebsiteSettingsRow &row, const QString &W, QStringList &failures, bool all = false)
{
    bool changed = false;
    auto note = [&](bool ok, const QString &what) {
        changed = true;
        if (!ok)
            failures << QStringLiteral("%1: the %2 could not be changed.").arg(row.page.pageName, what);
    };
    const bool baseRow = row.page.pageName == gBaseTemplateName;
    if (!baseRow) {
        if (all || row.inheritBaseTemplate != (row.page.useBaseTemplateFlag == 1))
            note(DataCentreMarkers::applyBaseTemplate(W, row.inheritBaseTemplate ? 1 : 0), QStringLiteral("base template choice"));
        if (all || row.inheritMetadata != (row.page.inheritMetadataFlag == 1))
            note(DataCentreMarkers::applyInheritMetadata(W, row.inheritMetadata ? 1 : 0), QStringLiteral("metadata choice"));
        if (all || row.inheritCustomHeaderCode != (row.page.inheritCustomHeaderCodeFlag == 1))
            note(DataCentreMarkers::applyInheritCustomHeaderCode(W, row.inheritCustomHeaderCode ? 1 : 0),
                 QStringLiteral("header code choice"));
    }
    if (all || row.title != row.page.pageTitle)
        note(DataCentreMarkers::applyPageTitle(W, row.title), QStringLiteral("title"));
    if (all || row.publishExt != QFileInfo(row.page.pagePublishFileName).suffix())
        note(DataCentreMarkers::applyPublishingExt(W, row.publishExt), QStringLiteral("publishing extension"));
    return changed;
}

// A name for a renamed or copied page, checked like a new page's. A rename
// that changes only the letter case of the page's own name is its own clash.
bool nameIsFree(const QString &folder, const WebsiteSettingsRow &row, QStringList &failures)
{
    const QString name = row.newPageName();
    PageNameProblem problem = PageNameChecks::check(folder, name);
    if (!problem.ok() && !row.duplicate && name.compare(row.page.pageName, Qt::CaseInsensitive) == 0
        && PageNameChecks::isPlainFileName(name))
        problem = {};
    if (problem.ok())
        return true;
    failures << QStringLiteral("%1 was not renamed to %2: %3 %4")
                    .arg(row.page.pageName, name, problem.message, problem.informative);
    return false;
}

}  // namespace

bool WebsiteSettingsSave::writeFavicons(const QString &projectFolder, const QImage &icon, QString *error)
{
    if (icon.isNull())
        return true;
    const QDir dir(projectFolder);
    return SafeFileWrite::write(dir.filePath(QStringLiteral("favicon_original.ico")), pngData(icon), error)
           && SafeFileWrite::write(dir.filePath(QStringLiteral("favicon.ico")),
                                   pngData(icon.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)), error);
}

WebsiteSettingsOutcome WebsiteSettingsSave::save(ProjectPages &project, const WebsiteSettingsRows &rows,
                                                 const SiteSettings &site, const QImage &favicon, QObject *window)
{
    WebsiteSettingsOutcome out;
    SKTDocument &doc = project.document();
    const QString folder = project.openWebsiteFolderPath();
    const QDir dir(folder);
    QString error;

    // The page on screen is written first; from here on the work copy is
    // edited directly, so the document lets go of its page until the end.
    if (!doc.fileURLPath.isEmpty() && !doc.pageUnread && doc.isDocumentEdited() && !doc.askPageToSaveItself())
        out.failures << QStringLiteral("%1: %2").arg(QFileInfo(doc.fileURLPath).fileName(), doc.lastSaveError);
    const QString shownBefore = QFileInfo(doc.fileURLPath).fileName();
    doc.fileURLPath.clear();

    if (!SiteSettingsFile::write(dir.filePath(QStringLiteral("site.zovs")), site, &error))
        out.failures << QStringLiteral("site.zovs: %1").arg(error);
    if (!writeFavicons(folder, favicon, &error))
        out.failures << QStringLiteral("favicon: %1").arg(error);

    // Pages no longer in the list go to the trash.
    QSet<QString> kept;
    for (const WebsiteSettingsRow &r : rows.rows)
        if (!r.duplicate)
            kept.insert(r.page.pageName);
    QStringList dropped;
    for (const PageEntry &e : project.scan.siteIconArray)
        if (!kept.contains(e.pageName))
            dropped << dir.filePath(e.pageName);

    const QString work = project.scan.openWebsiteFolderTempPath;
    QStringList toResave;      // package names to read back and save again
    QStringList oldPackages;   // renamed away: trashed once the new one exists
    QList<PageEntry> order;
    QString shownAfter = shownBefore;

    for (const WebsiteSettingsRow &row : rows.rows) {
        const QString W = QDir(work).filePath(row.page.pageLocalFileName);
        const bool wantsNewName = !gLockPageFileNameField && row.newPageName() != row.page.pageName;
        if (row.duplicate) {
            // A real copy: the page's work files copied, given the row's
            // values and the new name, and packed as a page of its own.
            if (!nameIsFree(folder, row, out.failures))
                continue;
            const QString copy = copyToScratch(W);
            // The original row may have changed the work files already.
            if (!copy.isEmpty())
                applyRowValues(row, copy, out.failures, true);
            const QString renamed = copy.isEmpty() ? QString() : project.prepAndRenameDoc(copy, row.newPageName());
            if (renamed.isEmpty() || !project.zipDoc(dir.filePath(row.newPageName()), renamed)) {
                out.failures << QStringLiteral("%1 could not be copied to %2.").arg(row.page.pageName, row.newPageName());
                continue;
            }
            out.written << row.newPageName();
            toResave << row.newPageName();
            PageEntry e;
            e.pageName = e.documentName = row.newPageName();
            order << e;
            continue;
        }
        bool changed = applyRowValues(row, W, out.failures);
        QString name = row.page.pageName;
        if (wantsNewName) {
            if (row.isBaseTemplate()) {
                out.failures << QStringLiteral("%1 keeps its name: pages inherit from it by that name.").arg(name);
            } else if (nameIsFree(folder, row, out.failures)) {
                const QString copy = copyToScratch(W);
                const QString renamed = copy.isEmpty() ? QString() : project.prepAndRenameDoc(copy, row.newPageName());
                if (!renamed.isEmpty() && project.zipDoc(dir.filePath(row.newPageName()), renamed)) {
                    oldPackages << dir.filePath(name);
                    if (name == shownBefore)
                        shownAfter = row.newPageName();
                    name = row.newPageName();
                    out.written << name;
                    toResave << name;
                    changed = false;  // packed already
                } else {
                    out.failures << QStringLiteral("%1 could not be renamed to %2.").arg(name, row.newPageName());
                }
            }
        }
        if (changed) {
            if (project.zipDoc(dir.filePath(name), W)) {
                out.written << name;
                toResave << name;
            } else {
                out.failures << QStringLiteral("%1 could not be packed.").arg(name);
            }
        }
        PageEntry e;
        e.pageName = e.documentName = name;
        order << e;
    }

    const QStringList trash = dropped + oldPackages;
    TrashMover::moveAllToTrash(trash, window, [&](const QStringList &left) {
        for (const QString &path : trash)
            if (!left.contains(path))
                out.trashed << QFileInfo(path).fileName();
        for (const QString &path : left)
            out.failures << QStringLiteral("%1 is still in the project folder.").arg(QFileInfo(path).fileName());
    });

    if (gUsesPageOrderIndex && !PageOrderFile::write(dir.filePath(QStringLiteral("order.index")), order, &error))
        out.failures << QStringLiteral("order.index: %1").arg(error);

    project.refreshWebsite();
    if (project.scan.siteIconArray.isEmpty()) {
        project.directlyAddBlankPage();
        Alerts::inform(QStringLiteral("Active project needs at least one file"), {}, window);
    }

    // Each changed page is read back and written again from its new state.
    for (const QString &name : toResave) {
        if (!project.scan.existInSiteIconArray(name))
            continue;
        gOpenFromWebsiteFolder = true;
        doc.fileURLPath = dir.filePath(name);
        if (!doc.refreshDocument())
            continue;
        doc.documentChangedCounter += 1;
        if (!doc.askPageToSaveItself())
            out.failures << QStringLiteral("%1: %2").arg(name, doc.lastSaveError);
    }
    if (!toResave.isEmpty() || shownAfter != QFileInfo(doc.fileURLPath).fileName()) {
        if (!shownAfter.isEmpty() && project.scan.existInSiteIconArray(shownAfter))
            doc.fileURLPath = dir.filePath(shownAfter);
        project.refreshWebsite();
    }
    return out;
}
