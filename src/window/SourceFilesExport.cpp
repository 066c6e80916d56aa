#include "window/SourceFilesExport.h"
#include "window/LocalizedText.h"

#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/Tasks.h"
#include "platform/WorkFolder.h"
#include "window/ProjectPages.h"
#include "window/TrashMover.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

QString scratchFolder()
{
    const QString work = gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
    return QDir(work).filePath(QStringLiteral("tempFiles"));
}

// What the copy walks: the folders to make and the files to copy, found in
// one pass, so the progress has its total before the first file is copied.
struct CopyList {
    std::vector<std::filesystem::path> folders;
    std::vector<std::filesystem::path> files;  // relative to the work copy
};

CopyList listTree(const std::filesystem::path &from)
{
    namespace fs = std::filesystem;
    CopyList list;
    std::error_code ec;
    fs::recursive_directory_iterator it(from, fs::directory_options::none, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry &e = *it;
        std::error_code kind;
        // Links are never followed out of the work copy, nor copied.
        if (e.is_symlink(kind))
            continue;
        if (e.is_directory(kind))
            list.folders.push_back(e.path().lexically_relative(from));
        else if (e.is_regular_file(kind))
            list.files.push_back(e.path().lexically_relative(from));
    }
    return list;
}
}  // namespace

QString SourceFilesExport::exportFolderFor(const QString &chosenFolder, const QString &openWebsiteFolder)
{
    QString name = openWebsiteFolder;
    name.remove(QLatin1Char(' '));
    return QDir(chosenFolder).filePath(name + QStringLiteral("_SourceFiles"));
}

SourceFilesExportPlan SourceFilesExport::plan(const ProjectPages &project, const QString &chosenFolder)
{
    SourceFilesExportPlan p;
    p.workCopy = project.scan.openWebsiteFolderTempPath;
    p.scratch = scratchFolder();
    QString folderName = project.scan.openWebsiteFolder;
    if (folderName.isEmpty())
        folderName = QFileInfo(project.openWebsiteFolderPath()).fileName();
    p.exportFolder = exportFolderFor(chosenFolder, folderName);
    p.responsive = gResponsiveEdition;
    for (const PageEntry &e : project.scan.siteIconArray)
        p.pages.append({e.pageLocalFileName, e.pagePublishFileName.isEmpty() ? e.pageLocalFileName : e.pagePublishFileName});
    return p;
}

QStringList SourceFilesExport::regenerate(ProjectPages &project, const SourceFilesExportPlan &plan)
{
    QDir(plan.scratch).removeRecursively();
    QDir().mkpath(plan.scratch);
    if (!plan.responsive)
        return {};
    QStringList failed;
    SKTDocument &doc = project.document();
    const QString shown = QFileInfo(doc.fileURLPath).fileName();
    ProgressModel &progress = ProgressModel::instance();
    progress.show();
    const int count = int(project.scan.siteIconArray.size());
    for (int i = 0; i < count; ++i) {
        const PageEntry entry = project.scan.siteIconArray.at(i);
        progress.update(i, count, entry.pageName);
        if (!project.launchSelected(i) || !doc.exportPublishVersion(QDir(plan.scratch).filePath(entry.pageLocalFileName)))
            failed << entry.pageName;
    }
    const int back = project.scan.grabZovButtonWithPageName(shown);
    if (back >= 0)
        project.launchSelected(back);
    progress.update(count, count, QString());
    progress.dismiss();
    return failed;
}

SourceFilesExportResult SourceFilesExport::copy(const SourceFilesExportPlan &plan,
                                                const std::function<void(qint64, qint64)> &progress)
{
    SourceFilesExportResult r;
    r.staging = plan.exportFolder + QStringLiteral(".exporting");
    QDir(r.staging).removeRecursively();
    if (!QFileInfo(plan.workCopy).isDir()) {
        r.failures << QStringLiteral("The project's working copy %1 is missing.").arg(QDir::toNativeSeparators(plan.workCopy));
        return r;
    }
    namespace fs = std::filesystem;
    const fs::path from = plan.workCopy.toStdString();
    const fs::path to = r.staging.toStdString();
    const CopyList list = listTree(from);
    const qint64 total = qint64(list.files.size());
    std::error_code ec;
    fs::create_directories(to, ec);
    for (const fs::path &folder : list.folders)
        if (!fs::create_directories(to / folder, ec) && ec)
            r.failures << QStringLiteral("%1: the folder could not be made (%2).")
                              .arg(QString::fromStdString((to / folder).string()), QString::fromStdString(ec.message()));
    for (const fs::path &file : list.files) {
        // The kernel copies the bytes (copy_file_range/sendfile), as cp does.
        if (!fs::copy_file(from / file, to / file, fs::copy_options::overwrite_existing, ec))
            r.failures << QStringLiteral("%1 could not be copied: %2")
                              .arg(QString::fromStdString((from / file).string()), QString::fromStdString(ec.message()));
        else
            ++r.filesCopied;
        if (progress && (r.filesCopied % 64 == 0))
            progress(r.filesCopied, total);
    }
    const QDir staging(r.staging);
    for (const auto &page : plan.pages) {
        if (page.local.isEmpty())
            continue;
        const QString target = staging.filePath(page.local);
        if (plan.responsive) {
            // The working copy's file stays until its replacement is there.
            const QString fresh = QDir(plan.scratch).filePath(page.local);
            if (!QFileInfo::exists(fresh)) {
                r.failures << QStringLiteral("%1: its publishing version is missing; the working file was exported.").arg(page.local);
            } else {
                QFile::remove(target);
                if (!QFile::copy(fresh, target))
                    r.failures << QStringLiteral("%1: its publishing version could not be copied.").arg(page.local);
            }
        }
        if (page.publish != page.local) {
            const QString renamed = staging.filePath(page.publish);
            QFile::remove(renamed);
            if (!QFile::rename(target, renamed))
                r.failures << QStringLiteral("%1 could not be renamed to %2.").arg(page.local, page.publish);
        }
    }
    if (progress)
        progress(total, total);
    return r;
}

void SourceFilesExport::finish(const SourceFilesExportPlan &plan, SourceFilesExportResult &result, QObject *window)
{
    if (result.staging.isEmpty() || !QFileInfo(result.staging).isDir())
        return;
    bool cleared = true;
    if (QFileInfo::exists(plan.exportFolder)) {
        TrashMover::moveAllToTrash({plan.exportFolder}, window, [&cleared](const QStringList &left) { cleared = left.isEmpty(); });
    }
    if (!cleared || !QDir().rename(result.staging, plan.exportFolder)) {
        result.failures << QStringLiteral("The export is in %1, since %2 could not take its place.")
                               .arg(QDir::toNativeSeparators(result.staging), QDir::toNativeSeparators(plan.exportFolder));
        return;
    }
    result.staging.clear();
}

void SourceFilesExport::showExportCompleteAlert(const QString &exportFolder, const QStringList &failures, QObject *window)
{
    Alert alert;
    if (failures.isEmpty()) {
        alert.messageText = QStringLiteral("Export Complete");
        alert.buttons = {QStringLiteral("Show Exported Folder"), QStringLiteral("OK")};
        alert.style = Alert::Style::Informational;
    } else {
        alert.messageText = QStringLiteral("Export Incomplete");
        alert.informativeText = QStringLiteral("These could not be exported:\n\n%1").arg(failures.join(QLatin1Char('\n')));
        alert.buttons = {QStringLiteral("Show Exported Folder"), QStringLiteral("OK")};
    }
    Alerts::ask(alert, window, [exportFolder](int response) {
        if (response == Alert::FirstButton && QFileInfo(exportFolder).isDir())
            QDesktopServices::openUrl(QUrl::fromLocalFile(exportFolder));
    });
}

void SourceFilesExport::exportAllFileTo(ProjectPages &project, QObject *window,
                                        const std::function<void(const SourceFilesExportResult &)> &done)
{
    OpenPanelOptions options;
    options.canChooseFiles = false;
    options.canChooseDirectories = true;
    options.allowsMultipleSelection = false;
    options.prompt = QStringLiteral("Export");
    options.title = QStringLiteral("Select location for export");
    ProjectPages *p = &project;
    QPointer<QObject> guard(window);
    const bool hadWindow = window != nullptr;
    FilePanels::current().showOpenPanel(options, window, [p, guard, hadWindow, done](const QStringList &paths) {
        auto cancelled = [done] {
            SourceFilesExportResult r;
            r.cancelled = true;
            if (done)
                done(r);
        };
        if (paths.isEmpty() || (hadWindow && !guard)) {
            cancelled();
            return;
        }
        const SourceFilesExportPlan plan = SourceFilesExport::plan(*p, paths.first());
        auto start = [p, guard, plan, done] {
            const QStringList notRegenerated = regenerate(*p, plan);
            ProgressModel::instance().show();
            ProgressModel::instance().setTexts(QStringLiteral("Exporting"), plan.exportFolder, 0, 1);
            Tasks::runInBackground<SourceFilesExportResult>(
                nullptr,
                [plan] {
                    return copy(plan, [](qint64 n, qint64 total) {
                        ProgressModel::instance().update(int32_t(n), int32_t(total), QStringLiteral("Copying files"));
                    });
                },
                [plan, guard, notRegenerated, done](SourceFilesExportResult result) {
                    ProgressModel::instance().dismiss();
                    for (const QString &page : notRegenerated)
                        result.failures.prepend(QStringLiteral("%1 could not be regenerated.").arg(page));
                    finish(plan, result, guard);
                    showExportCompleteAlert(plan.exportFolder, result.failures, guard);
                    if (done)
                        done(result);
                });
        };
        if (!QFileInfo::exists(plan.exportFolder)) {
            start();
            return;
        }
        Alert alert;
        alert.messageText = QStringLiteral("File Name Conflict");
        alert.informativeText = QStringLiteral("File or folder with the same name exists already, would you like to "
                                               "replace?\n\nExport will output a folder named \"%1\" containing all files")
                                    .arg(QFileInfo(plan.exportFolder).fileName());
        alert.buttons = {QStringLiteral("Replace"), localizedText(QStringLiteral("Cancel"))};
        Alerts::ask(alert, guard, [start, cancelled](int response) {
            if (response == Alert::FirstButton)
                start();
            else
                cancelled();
        });
    });
}
