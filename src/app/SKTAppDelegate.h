#pragma once
// The application delegate's road through the static gallery editions:
// settings window for the output folder, choice of the input folder, scan
// on a worker, summary, pages written on a worker, and the closing alert
// that offers to open the first page. The application-shell issue adds the
// delegate's other duties.
#include "app/GallerySettingsController.h"
#include "app/ImportPageWindow.h"
#include "publishing/PageImport.h"
#include "config/ZovFileHelper.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

// The input folder the user chose, kept for the scan and the catalog summary.
extern QUrl gInputFolderURL;

class SKTDocument;

class SKTAppDelegate : public QObject {
    Q_OBJECT
public:
    using SettingsWindowFactory = std::function<std::unique_ptr<GallerySettingsController>(const QString &resourceName)>;

    explicit SKTAppDelegate(QObject *parent = nullptr);
    ~SKTAppDelegate() override;

    // The delegate of the running program.
    static SKTAppDelegate &shared();

    // Makes the settings windows (installed by the program's widgets; the
    // resource name is "PhotoCatalogSettingsWindowController" or
    // "FileCatalogSettingsWindowController").
    void setSettingsWindowFactory(SettingsWindowFactory factory) { m_factory = std::move(factory); }
    // Opens a page with the system's default application (QDesktopServices
    // unless a test installs its own).
    void setOpenURL(std::function<void(const QUrl &)> open) { m_openURL = std::move(open); }
    // Makes the photos-over-time edition's add-photo window (installed by
    // the program's widgets); it is made once per run and kept in
    // gAddPhotoSettingsController.
    void setAddPhotoSettingsFactory(std::function<QObject *()> make) { m_addPhotoFactory = std::move(make); }

    GallerySettingsController *settingsController() const { return m_controller.get(); }

    void launchSimplifiedWindowController(const QString &outputFolderPath);
    void selectInputPhotoFolder();
    // Worker: scans gInputFolderURL and sorts for the edition, then hands
    // the records to doneCountingPhotos on the main thread and waits for it.
    void retrievePhotoFiles();
    void doneCountingPhotos(const QList<ZovFileHelper> &records);
    void generateGallery();
    void launchGallery(const QString &pagePath);
    void showAddPhotoSettings();

    // ---- page import ----
    //
    // Where an imported page goes: the main window's page document and its project
    // folder; without a document or a folder the page opens as an untitled page.
    struct ImportTarget {
        SKTDocument *document = nullptr;
        QString projectFolder;
    };
    // Makes the "Import Page" window (installed by the program's widgets).
    void setImportPageWindowFactory(std::function<std::unique_ptr<ImportPageWindow>()> make) { m_importFactory = std::move(make); }
    void setImportTargetProvider(std::function<ImportTarget()> provider) { m_importTarget = std::move(provider); }
    ImportPageWindow *importPageWindowController() const { return m_importWindow.get(); }

    void showPageImport();
    // Reads the window on the main thread, then runs syncPageAction on a worker.
    void syncPage();
    // The download and storing of the page and its pictures (on the worker).
    static PageImport::Outcome syncPageAction(const PageImport::Input &input);
    // Back on the main thread: packs the page and opens it, or refuses.
    void finishImport(const PageImport::Outcome &outcome);
    void cancelImportView();

    // ---- projects ----
    //
    // Opening and creating projects (folders of page files) and pages alone.
    // The document windows install how a project reaches its window: focusing
    // the window that already shows a folder, and tying a newly opened page's
    // window to its folder.
    struct ProjectWindows {
        std::function<bool(const QString &folder)> focusProject;
        std::function<void(SKTDocument &document, const QString &folder)> attachProject;
    };
    void setProjectWindows(ProjectWindows windows) { m_projectWindows = std::move(windows); }
    // The bundle's resource folder (tests point it elsewhere).
    void setResourcesFolder(const QString &folder) { m_resourcesFolder = folder; }
    QString resourcesFolder() const;

    void addNewWebsite();
    void openWebsite();
    void openNewDoc();
    void openSample();
    // Opens folder as a project (a starter page first when addStarterPage);
    // the window that already shows it is brought forward instead. Answers
    // the document shown, null when nothing opened.
    SKTDocument *launchSelectedWebsite(const QString &folder, bool addStarterPage);
    // Copies the edition's starter pages into folder; a blank page when the
    // edition ships none. Answers how many pages were placed.
    int addStarterBlankPage(const QString &folder);
    // A template site of the bundle copied to destination, then opened.
    SKTDocument *proceedToLaunchSelectedTemplateWebsite(const QString &siteFolder, const QString &destination);
    // Opens a page file on its own, outside any project.
    SKTDocument *openPageAlone(const QString &path);
    // The template site chooser's entries.
    struct WebsiteObject {
        QString websiteFolder;
        QString websiteTitle;
        QString websiteDescription;
    };
    QList<WebsiteObject> templateSites() const;

signals:
    // An import ended: the package opened (empty when refused or declined).
    void pageImported(const QString &packagePath);
    // A generator could not write its pages (after its alert).
    void galleryFailed(const QString &message);

private:
    SettingsWindowFactory m_factory;
    std::unique_ptr<GallerySettingsController> m_controller;
    std::function<void(const QUrl &)> m_openURL;
    std::function<QObject *()> m_addPhotoFactory;
    std::function<std::unique_ptr<ImportPageWindow>()> m_importFactory;
    std::function<ImportTarget()> m_importTarget;
    std::unique_ptr<ImportPageWindow> m_importWindow;
    bool m_importing = false;
    ProjectWindows m_projectWindows;
    QString m_resourcesFolder;
};
