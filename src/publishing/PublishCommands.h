#pragma once
// The publish commands of a page document: the current page with or without its
// pictures, the whole site, and files the user picks. Each builds its upload list on
// the main thread, confirms it, and hands it to the document's publish job. What
// needs the document window (the site's pages, writing every page's publish version)
// comes through PublishCommandsHost, which the window implements.
#include "publishing/PublishJob.h"
#include "publishing/PublishJobHost.h"
#include "publishing/UploadItem.h"

#include <QList>
#include <QString>

class SKTDocument;

class PublishCommandsHost : public PublishJobHost {
public:
    struct SitePage {
        QString publishFileName;  // the name the page gets on the server
        QString pageFileName;     // its file in the project's working folder
    };
    // The project's pages in site order (none for a single page).
    virtual QList<SitePage> sitePages() { return {}; }
    virtual QString openWebsiteFolderPath() { return {}; }
    virtual bool needToForceRefresh() { return false; }
    virtual void forceRefreshWebsite() {}
    // Writes every page's publish version; false when one could not be written.
    virtual bool loopThroughPages(bool showProgress) { (void)showProgress; return true; }
    virtual void showFormPreferences() {}
    virtual void saveDocumentAs() {}
};

class PublishCommands {
public:
    PublishCommands(SKTDocument &document, PublishCommandsHost *host, PublishJob &job);

    void publishSinglePageWithImages();
    void publishSinglePageNoImages();
    void publishWebsiteWithImages();
    void publishWebsiteNoImages();
    void selectDocumentsToUpload();
    void prepforUpload();
    void publishAllPages();

    // What the menu shows for an action, given whether the project lists pages.
    struct MenuState {
        bool enabled = true;
        bool hidden = false;
    };
    static MenuState validateMenuItem(const QString &action, bool pagesListed);

    // The picture items of the current page (and its background), in upload order.
    QList<UploadItem> imageItems();
    // The page text of path re-encoded in its declared charset into tempFiles of the
    // work folder; the copy's path, or empty with *error naming the file.
    static QString reencodedCopy(const QString &path, QString *error);
    // The items of a whole-site publish; empty with *error when a page is unreadable.
    QList<UploadItem> siteItems(QString *error);

    // The confirmation texts.
    QString singlePageConfirmation() const;
    static QString sitePublishConfirmation(bool uploadImages);
    QString userFilesConfirmation() const;

    bool uploadImageFlag = false;
    bool uploadAllPagesFlag = false;
    bool uploadDocumentsFlag = false;

private:
    bool isFormPage() const;
    void start(const QList<UploadItem> &items, PublishJob::Kind kind);

    SKTDocument &document_;
    PublishCommandsHost *host_;
    PublishJob &job_;
};
