#include "publishing/MergePages.h"

#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "publishing/ContactMergeList.h"
#include "publishing/PersonalizedPages.h"
#include "window/ProjectPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

MergePages::MergePages(ProjectPages &project, ProjectWindowHost *host, QObject *window)
    : project_(project)
    , host_(host)
    , window_(window)
{
}

MergePages::Outcome MergePages::populatePersonalizedDocuments()
{
    return populatePersonalizedDocuments(gContactMergeList);
}

MergePages::Outcome MergePages::populatePersonalizedDocuments(const QList<Contacts::MergeRecord> &contacts)
{
    Outcome outcome;
    const QString folder = project_.openWebsiteFolderPath();
    if (folder.isEmpty())
        return outcome;
    if (contacts.isEmpty()) {
        Alerts::inform(QStringLiteral("Please define contact list"),
                       QStringLiteral("You can add personalized tags to the design, then have this app automatically "
                                      "generate customized designs selected from Contacts.\n\nSettings > Contacts > "
                                      "Define Contacts List"),
                       window_);
        return outcome;
    }
    SKTDocument &document = project_.document();
    if (document.fileURLPath.isEmpty() || document.pageUnread) {
        Alerts::inform(QStringLiteral("Personalized Designs Not Made"),
                       QStringLiteral("Open a page of the project first: its copies are made from it."), window_);
        return outcome;
    }
    const QString source = QFileInfo(document.fileURLPath).fileName();
    ProgressModel &progress = ProgressModel::instance();
    if (host_)
        host_->setWindowAlpha(0.0);
    progress.show();
    // However the run ends, the window comes back and the listing shows what was made.
    const auto comeBack = [&] {
        progress.dismiss();
        if (host_)
            host_->setWindowAlpha(1.0);
        NotificationCenter::defaultCenter().postNotification(Notifications::websiteUpdated, &document.events());
    };
    auto restore = qScopeGuard(comeBack);
    if (!document.askPageToSaveItself()) {
        outcome.failed << QStringLiteral("%1: the page could not be saved first. %2").arg(source, document.lastSaveError);
        restore.dismiss();
        comeBack();
        Alerts::inform(QStringLiteral("Personalized Designs Not Made"), outcome.failed.join(QLatin1Char('\n')), window_);
        return outcome;
    }
    const QString sourcePath = QDir(folder).filePath(source);
    const int count = int(contacts.size());
    QString shown = sourcePath;
    for (int i = 0; i < count; ++i) {
        const Contacts::MergeRecord &contact = contacts.at(i);
        const QString name = PersonalizedPages::pageNameFor(contact, i);
        const QString target = PersonalizedPages::targetFileName(
            name, gDocumentExtension, source,
            [&folder](const QString &fileName) { return QFileInfo::exists(QDir(folder).filePath(fileName)); });
        QString error;
        if (!duplicateDocument(folder, source, target, &error)) {
            outcome.failed << QStringLiteral("%1: %2").arg(target, error);
            continue;
        }
        const QString targetPath = QDir(folder).filePath(target);
        if (!copyWorkingPage(targetPath, QFileInfo(source).completeBaseName(), &error)) {
            outcome.failed << QStringLiteral("%1: %2").arg(target, error);
            QFile::remove(targetPath);
            continue;
        }
        gOpenFromWebsiteFolder = true;
        document.fileURLPath = targetPath;
        if (!document.refreshDocument()) {
            outcome.failed << QStringLiteral("%1: the copy could not be opened. %2").arg(target, document.lastSaveError);
            QFile::remove(targetPath);
            continue;
        }
        replacePersonalizedTags(document, contact);
        document.documentChangedCounter += 1;
        if (!document.askPageToSaveItself()) {
            // The copy still holds the design's bare tags: it must not pass for a
            // personalised page.
            outcome.failed << QStringLiteral("%1: the page could not be saved. %2").arg(target, document.lastSaveError);
            QFile::remove(targetPath);
            continue;
        }
        shown = targetPath;
        outcome.created << target;
        progress.update(i + 1, count, target);
    }
    // The document ends on the last page made (or back on the source).
    if (document.fileURLPath != shown) {
        document.fileURLPath = shown;
        document.refreshDocument();
    }
    // The window is back before the user reads what failed.
    restore.dismiss();
    comeBack();
    if (!outcome.failed.isEmpty()) {
        Alerts::inform(QStringLiteral("Some Personalized Designs Not Made"),
                       QStringLiteral("These pages could not be made:\n%1").arg(outcome.failed.join(QLatin1Char('\n'))),
                       window_);
    }
    return outcome;
}

void MergePages::replacePersonalizedTags(SKTDocument &document, const Contacts::MergeRecord &contact)
{
    for (SKTText *text : document.textAreas()) {
        const QString before = text->contents();
        const QString after = PersonalizedPages::replacePersonalizedTags(before, contact, gPersonalizationTags);
        if (after != before)
            text->updateTextString(after);
    }
}

bool MergePages::duplicateDocument(const QString &folder, const QString &source, const QString &target,
                                   QString *error)
{
    const QDir dir(folder);
    const QString from = dir.filePath(source);
    const QString to = dir.filePath(target);
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (source == target || QFileInfo::exists(to))
        return fail(QStringLiteral("a page of that name is already there."));
    const QString part = to + QStringLiteral(".zov-part");
    QFile::remove(part);
    QFile in(from);
    if (!QFile::copy(from, part)) {
        QFile::remove(part);
        return fail(QStringLiteral("%1 could not be copied (%2).").arg(from, in.exists() ? QStringLiteral("write failed")
                                                                                          : QStringLiteral("missing")));
    }
    if (!QFile::rename(part, to)) {
        QFile::remove(part);
        return fail(QStringLiteral("%1 could not be put in place.").arg(to));
    }
    return true;
}

namespace {

bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    const QDir in(from);
    for (const QFileInfo &entry : in.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isSymLink())
            continue;  // a page folder holds plain files; a link is never followed out
        if (entry.isDir() ? !copyTree(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

}  // namespace

bool MergePages::copyWorkingPage(const QString &packagePath, const QString &sourceStem, QString *error)
{
    const QString workPath = project_.scan.openWebsiteFolderTempPath;
    if (workPath.isEmpty()) {
        if (error)
            *error = QStringLiteral("the project has no working folder.");
        return false;
    }
    const QDir work(workPath);
    const QString stem = QFileInfo(packagePath).completeBaseName();
    const auto removeUnpacked = [&work, &stem] {
        for (const QString &suffix : {QStringLiteral(".html"), QStringLiteral(".php"), QStringLiteral(".png"), QStringLiteral("@2x.png")})
            QFile::remove(work.filePath(stem + suffix));
        QDir(work.filePath(stem)).removeRecursively();
    };
    // What an earlier page of this name left in the working folder goes first.
    removeUnpacked();
    // The source was just saved, so its working copy is the package's content: copying
    // it under the new name is what unpacking the copied package would give.
    QString pageFile;
    for (const QString &extension : {QStringLiteral(".html"), QStringLiteral(".php")}) {
        if (QFileInfo(work.filePath(sourceStem + extension)).isFile()) {
            pageFile = extension;
            break;
        }
    }
    bool copied = !pageFile.isEmpty()
        && QFile::copy(work.filePath(sourceStem + pageFile), work.filePath(stem + pageFile));
    // The screenshots are not copied: saving the copy draws its own.
    if (copied && QFileInfo(work.filePath(sourceStem)).isDir())
        copied = copyTree(work.filePath(sourceStem), work.filePath(stem));
    if (!copied) {
        removeUnpacked();
        if (error)
            *error = QStringLiteral("the page could not be copied in %1.").arg(workPath);
    }
    return copied;
}

QString MergePages::replacePageNumbers(const QString &text) const
{
    const QString name = QFileInfo(project_.document().fileURLPath).fileName();
    int index = -1;
    const auto &pages = project_.scan.siteIconArray;
    for (int i = 0; i < pages.size(); ++i) {
        if (pages.at(i).pageName == name) {
            index = i;
            break;
        }
    }
    return PersonalizedPages::replacePageNumbers(text, index);
}
