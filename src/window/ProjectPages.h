#pragma once
// The document window as editor of a project, without the window: one
// document shows one page of the project at a time; switching saves the page
// and points the same document at another package. Adding pages writes a new
// package from a template (each step checked; a half-made page is removed),
// dropped page files are copied in, and the passes open every page in turn.
// Nothing here ever writes over an existing page.
#include "document/SKTDocument.h"
#include "window/ProfileRecord.h"
#include "window/ProjectScan.h"
#include "window/ProjectWindowHost.h"

#include <QImage>
#include <QMap>
#include <QString>
#include <optional>

// What the add-page sheet hands over.
struct AddNewPageRequest {
    QString selectedTemplateCategoryFolder;
    QString selectedTemplateName;
    QString pageFileType;                  // the edition's extension, or "trelkoforms"
    std::optional<QString> fileNameField;  // unset when the sheet was never shown
    QString directlySelectFileName;
    bool applyBaseTemplate = false;
    QString pageTitle;
};

class ProjectPages {
public:
    explicit ProjectPages(SKTDocument &document, ProjectWindowHost *host = nullptr);
    ~ProjectPages();
    ProjectPages(const ProjectPages &) = delete;
    ProjectPages &operator=(const ProjectPages &) = delete;

    ProjectScan scan;
    bool loopThroughFlag = false;
    bool baseTemplateExistFlag = false;
    // The bundle's resource folder (templates live under it).
    QString resourcesFolder;
    // The last failure told to the user ("" after success).
    QString lastError;

    SKTDocument &document() { return doc_; }
    void setOpenWebsiteFolderPath(const QString &folder);
    QString openWebsiteFolderPath() const { return scan.openWebsiteFolderPath; }
    QString blankTemplatePath() const;
    QString templatePath(const QString &category, const QString &name) const;

    // Rescans the project and makes sure the document shows one of its pages.
    // The page shown is saved first, so the rescan loses none of its edits.
    void refreshWebsite();
    void sortByDate();
    void sortByFileName();

    // Switches the document to the page at index of the page list.
    bool launchSelected(int index);
    bool addBlankPage(const QString &fileName);
    bool directlyAddBlankPage();
    // Adds a blank page before the page at clickedIndex (appends when the
    // index names no page).
    bool insertBlankPage(int clickedIndex);
    // The page chosen in the add-page sheet; answers its package path, "" when
    // nothing was made.
    QString launchUsingBaseTemplate(const AddNewPageRequest &request);
    QString prepAndRenameDoc(const QString &pageFilePath, const QString &newFileName);
    QString prepTempDocPath(const QString &templatePath, const QString &pageFileExtension);
    bool zipDoc(const QString &packagePath, const QString &pageFilePath);
    // Copies a dropped page file into the project; a page of that name is
    // never replaced, and the user is told.
    bool grabDraggedInPage(const QString &path);
    // Asks "Copying New Page" first.
    void confirmAndCopyDroppedPage(const QString &path);

    // The passes.
    void totalRefreshWebsite();
    void forceRefreshWebsite();
    bool loopThroughPages(bool force);
    bool needToForceRefresh() const;
    // Every page takes the print template and sheet: the folding tabs
    // (ending on the first page), or all pages behind the progress window.
    bool refreshTabs(const DocumentLabelTemplate &labelTemplate, const QString &sheetDescription);
    bool applyTemplateToAllPages(const DocumentLabelTemplate &labelTemplate, const QString &sheetDescription);
    // A card project just opened: every tab takes the open page's template.
    bool callRefreshTabs();
    static bool isFirstFileNewer(const QString &first, const QString &second);

    // Records. A refused name leaves everything as it was (and the sheet open).
    bool saveNewProfile(ProfileRecord::Kind kind, const QString &fileBaseName, const QMap<QString, QString> &fields,
                        const QImage &photo = {});
    // A person's photo, when given, becomes the page's screenshot as on creation.
    bool saveUpdatedProfile(ProfileRecord::Kind kind, const QMap<QString, QString> &sheetFields,
                            const QString &newFileBaseName, const QImage &photo = {});

private:
    void storePhoto(ProfileRecord::Kind kind, const QImage &photo);
    bool saveShownPage();
    bool applyTemplatePass(const DocumentLabelTemplate &labelTemplate, const QString &sheetDescription, bool withProgress);
    // Points the document at a new page of the project and saves it; removes
    // the package again when it does not open.
    bool openNewPage(const QString &packagePath, bool addPlaceHolder);
    bool fail(const QString &message, const QString &informative);
    QString pagePath(const QString &fileName) const;

    SKTDocument &doc_;
    std::weak_ptr<const void> docLifetime_; // the document may die first
    ProjectWindowHost defaultHost_;
    ProjectWindowHost *host_;
};
