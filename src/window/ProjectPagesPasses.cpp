// The whole-project passes and the record pages of ProjectPages.
#include "window/ProjectPages.h"
#include "window/ProfilePageTable.h"
#include "window/CanvasFit.h"

#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "config/DataCentreMarkers.h"
#include "platform/NotificationCenter.h"
#include "platform/WorkFolder.h"
#include "window/PageNameChecks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

bool ProjectPages::isFirstFileNewer(const QString &first, const QString &second)
{
    const QFileInfo a(first);
    const QFileInfo b(second);
    if (!a.exists() || !b.exists())
        return false;
    return a.lastModified() >= b.lastModified();
}

bool ProjectPages::needToForceRefresh() const
{
    bool needed = false;
    for (const PageEntry &entry : scan.siteIconArray)
        if (!DataCentreMarkers::isBootStrapBeingUsed(QDir(scan.openWebsiteFolderTempPath).filePath(entry.pageLocalFileName)))
            needed = true;
    return needed;
}

void ProjectPages::totalRefreshWebsite()
{
    saveShownPage();
    refreshWebsite();
    loopThroughPages(false);
    host_->refreshPageListingDisplay();
}

void ProjectPages::forceRefreshWebsite()
{
    saveShownPage();
    refreshWebsite();
    loopThroughPages(true);
    host_->refreshPageListingDisplay();
}

bool ProjectPages::loopThroughPages(bool force)
{
    ProgressModel &progress = ProgressModel::instance();
    progress.show();
    host_->setWindowAlpha(0.0);
    // However the pass ends, the window comes back.
    auto restore = qScopeGuard([this] { host_->setWindowAlpha(1.0); });
    loopThroughFlag = !force;
    const int count = int(scan.siteIconArray.size());
    const QString baseTemplate = pagePath(gBaseTemplateName);
    QStringList failed;
    for (int i = 0; i < count && i < scan.siteIconArray.size(); ++i) {
        scan.siteIconArray[i].tag = i;
        const PageEntry entry = scan.siteIconArray.at(i);
        bool due = entry.useBaseTemplateFlag == 1 && entry.pageName != gBaseTemplateName
                   && isFirstFileNewer(baseTemplate, pagePath(entry.pageName));
        due = due || force || gLoopPagesOption || gResponsiveEdition;
        if (due) {
            if (!launchSelected(i)) {
                failed << entry.pageName;
            } else if (gResponsiveEdition) {
                const QString folder = QDir(gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder)
                                           .filePath(QStringLiteral("responsiveVersion"));
                QDir().mkpath(folder);
                const QString file = QDir(folder).filePath(QFileInfo(entry.pageName).completeBaseName() + QLatin1Char('.')
                                                           + doc_.pageFileExtension);
                QFile::remove(file);
                if (!doc_.exportPublishVersion(file))
                    failed << entry.pageName;
            }
        }
        progress.update(i, count, entry.pageName);
    }
    doc_.loopThroughFlag = loopThroughFlag;
    saveShownPage();
    loopThroughFlag = false;
    progress.update(count, count, QString());
    if (!failed.isEmpty()) {
        fail(QStringLiteral("Pages Not Regenerated"),
             QStringLiteral("These pages could not be opened or written again:\n%1").arg(failed.join(QLatin1Char('\n'))));
        return false;
    }
    return true;
}

bool ProjectPages::applyTemplatePass(const DocumentLabelTemplate &labelTemplate, const QString &sheetDescription,
                                     bool withProgress)
{
    ProgressModel &progress = ProgressModel::instance();
    if (withProgress) {
        progress.show();
        host_->setWindowAlpha(0.0);
    }
    // However the pass ends, the window comes back.
    auto restore = qScopeGuard([&] {
        if (withProgress)
            host_->setWindowAlpha(1.0);
    });
    QStringList failed;
    const int count = int(scan.siteIconArray.size());
    for (int i = 0; i < count && i < scan.siteIconArray.size(); ++i) {
        const QString name = scan.siteIconArray.at(i).pageName;
        if (!launchSelected(i)) {
            failed << name;
        } else {
            doc_.labelTemplateHelper = labelTemplate;
            doc_.loopThroughFlag = true;
            doc_.documentChangedCounter += 1;
            const QSizeF before = doc_.pageCanvasSize();
            host_->resetPrintCanvas(sheetDescription);
            CanvasFit::bringInside(doc_, before);
            if (!doc_.askPageToSaveItself())
                failed << name;
        }
        if (withProgress)
            progress.update(i, count, name);
    }
    if (withProgress)
        progress.update(count, count, QString());
    if (!failed.isEmpty())
        return fail(QStringLiteral("Pages Not Updated"),
                    QStringLiteral("These pages could not take the new template:\n%1").arg(failed.join(QLatin1Char('\n'))));
    return true;
}

bool ProjectPages::applyTemplateToAllPages(const DocumentLabelTemplate &labelTemplate, const QString &sheetDescription)
{
    return applyTemplatePass(labelTemplate, sheetDescription, true);
}

bool ProjectPages::refreshTabs(const DocumentLabelTemplate &labelTemplate, const QString &sheetDescription)
{
    const bool ok = applyTemplatePass(labelTemplate, sheetDescription, false);
    host_->selectFoldingCardTemplateTitle(
        QStringLiteral("%1 %2 %3").arg(labelTemplate.brand, labelTemplate.templateNumber, labelTemplate.templateDescription).trimmed());
    if (!scan.siteIconArray.isEmpty())
        launchSelected(0);
    return ok;
}

bool ProjectPages::callRefreshTabs()
{
    const DocumentLabelTemplate chosen = doc_.labelTemplateHelper;
    if (chosen.templateDescription.isEmpty())
        return true;
    return refreshTabs(chosen, chosen.templateDescription);
}

bool ProjectPages::saveNewProfile(ProfileRecord::Kind kind, const QString &fileBaseName,
                                  const QMap<QString, QString> &fields, const QImage &photo)
{
    lastError.clear();
    if (scan.openWebsiteFolderPath.isEmpty())
        return fail(QStringLiteral("No Project Open"), QStringLiteral("Open or create a project before adding records."));
    const QString F = fileBaseName + QLatin1Char('.') + gDocumentExtension;
    const PageNameProblem problem = PageNameChecks::check(scan.openWebsiteFolderPath, F);
    if (!problem.ok())
        return fail(problem.message, problem.informative);
    host_->endEditing();
    if (!saveShownPage())
        return false;
    const QString blank = blankTemplatePath();
    if (blank.isEmpty())
        return fail(QStringLiteral("Record Not Added"), QStringLiteral("No blank page could be made."));
    const QString T = prepTempDocPath(blank, QStringLiteral("html"));
    if (T.isEmpty())
        return false;
    if (!DataCentreMarkers::appendStringToFile(T, ProfileRecord::recordText(kind, fields))
        || !DataCentreMarkers::applyBaseTemplate(T, 1)
        || !DataCentreMarkers::applyPageTitle(T, ProfileRecord::pageTitle(kind, fields)))
        return fail(QStringLiteral("Record Not Added"), QStringLiteral("The new record page could not be prepared."));
    const QString package = pagePath(F);
    if (!zipDoc(package, T))
        return false;
    gOpenFromWebsiteFolder = true;
    refreshWebsite();
    doc_.fileURLPath = package;
    if (!doc_.refreshDocument()) {
        QFile::remove(package);
        doc_.fileURLPath.clear();
        refreshWebsite();
        return fail(QStringLiteral("Record Not Added"), QStringLiteral("The new record could not be opened and was removed."));
    }
    // The page is written again at once, so that its package and its picture
    // in the listing carry what the record page shows.
    doc_.documentChangedCounter += 1;
    if (!doc_.saveThisPage(doc_.fileURLPath, false))
        fail(QStringLiteral("Record Not Saved"), doc_.lastSaveError);
    storePhoto(kind, photo);
    refreshWebsite();
    return true;
}

void ProjectPages::storePhoto(ProfileRecord::Kind kind, const QImage &photo)
{
    // A person's photo takes the place of the page picture the save drew, and
    // the package is packed again with it.
    if (kind != ProfileRecord::Kind::Person || photo.isNull())
        return;
    QString error;
    if (!doc_.saveCustomScreenshot(photo)
        || !SKTDocument::packageDocument(QDir(doc_.tempSavePathLocal).filePath(doc_.pageName), doc_.fileURLPath, &error))
        fail(QStringLiteral("Photo Not Saved"),
             QStringLiteral("The record was saved, but its photo could not be stored. %1").arg(error));
}

bool ProjectPages::saveUpdatedProfile(ProfileRecord::Kind kind, const QMap<QString, QString> &sheetFields,
                                      const QString &newFileBaseName, const QImage &photo)
{
    lastError.clear();
    const QFileInfo current(doc_.fileURLPath);
    if (doc_.fileURLPath.isEmpty() || doc_.pageUnread)
        return fail(QStringLiteral("Record Not Saved"), QStringLiteral("No record page is open."));
    const bool rename = !newFileBaseName.isEmpty() && newFileBaseName != current.completeBaseName();
    const QString typed = newFileBaseName + QLatin1Char('.') + current.suffix();
    const QString target = current.dir().filePath(typed);
    if (rename) {
        // The typed name is checked before anything changes; a name differing
        // only in case is the same file on some disks, so it is refused too.
        const PageNameProblem problem = PageNameChecks::check(current.path(), typed);
        if (!problem.ok())
            return fail(problem.message == QLatin1String("File Name Conflict") || problem.message == QLatin1String("Please Rename")
                            ? QStringLiteral("File Conflict")
                            : problem.message,
                        problem.message == QLatin1String("File Name Conflict") || problem.message == QLatin1String("Please Rename")
                            ? QStringLiteral("Sorry a file with the new file name already exists at this location.  File name has not been changed.")
                            : problem.informative);
    }
    const QMap<QString, QString> before = doc_.profileDictionary;
    ProfileRecord::updateFields(kind, sheetFields, doc_.profileDictionary);
    ProfilePageTable::refresh(doc_);
    doc_.documentChangedCounter += 1;
    if (!doc_.saveThisPage(rename ? target : doc_.fileURLPath, false)) {
        doc_.profileDictionary = before;
        return fail(QStringLiteral("Record Not Saved"), doc_.lastSaveError);
    }
    storePhoto(kind, photo);
    if (rename && !QFile::remove(current.filePath()))
        fail(QStringLiteral("Record Renamed"),
             QStringLiteral("The record was saved as %1, but %2 could not be removed.").arg(QFileInfo(target).fileName(), current.fileName()));
    if (doc_.pageName != QLatin1String("basetemplate") && gPatientProfileMode)
        NotificationCenter::defaultCenter().postNotification(QStringLiteral("displayProfilePopover"), &doc_.events());
    return true;
}
