#pragma once
// The application delegate's road through the static gallery editions:
// settings window for the output folder, choice of the input folder, scan
// on a worker, summary, pages written on a worker, and the closing alert
// that offers to open the first page. The application-shell issue adds the
// delegate's other duties.
#include "generation/GalleryWindowsHost.h"
#include "window/ProjectLauncher.h"
#include "publishing/PageImportHost.h"
#include "publishing/PageImport.h"
#include "config/ZovFileHelper.h"
#include "app/TemplateChooser.h"
#include "app/TemplateGallery.h"
#include "platform/ActionResponder.h"
#include "platform/DropboxClient.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

// The input folder the user chose, kept for the scan and the catalog summary.
extern QUrl gInputFolderURL;

class MainMenuModel;
class SKTDocument;

class SKTAppDelegate : public QObject, public GalleryWindowsHost, public ProjectLauncher, public PageImportHost {
    Q_OBJECT
public:
    using SettingsWindowFactory = GalleryWindowsHost::SettingsWindowFactory;

    explicit SKTAppDelegate(QObject *parent = nullptr);
    ~SKTAppDelegate() override;

    // The delegate of the running program.
    static SKTAppDelegate &shared();

    // ---- application shell ----
    //
    // The launch steps that need no window, the edition's main menu, menu
    // validation and the help links. The windows of the shell (welcome,
    // feedback, categories, grid panel) live in app/ui/AppShell, which adds
    // their commands to commands().

    // Will finish launching: the edition and every setting, then the shared
    // Dropbox session of editions that have an app key. Nothing goes to the
    // network.
    void applicationWillFinishLaunching();
    // The shared session when gDropboxAppKey is set; none otherwise.
    void openDropboxSession();
    // Empties this instance's received-pages folder and makes it again.
    void prepareReceivedPagesFolder();
    // The shared Dropbox session, null in editions without an app key.
    DropboxClient *dropboxSession() const { return m_dropboxSession.get(); }

    // Autosaving is off for good once launching has finished.
    bool autosaves() const { return m_autosaves; }
    void setAutosaves(bool) {}
    double autosavingDelay() const { return m_autosavingDelay; }
    void setAutosavingDelay(double seconds) { m_autosavingDelay = seconds; }
    void didFinishLaunching() { m_autosaves = false; }

    // Fits the main menu to the edition: its hidden items, titles and
    // actions, the video-tutorial item without a tutorial address, then the
    // translated titles.
    void runAppSpecificMenuSetups(MainMenuModel &menu) const;
    static void prepareToLocalizeMenuItems(MainMenuModel &menu);
    // The actions whose address the build did not give (or whose file is not
    // shipped): their items and buttons are hidden.
    static QStringList unavailableActions();

    // Always enabled; ticks the two placement items from "InsertNewAtEndFlag".
    bool validateMenuItem(ActionItemState &item) const;
    void switchAddNewLayout_Current();
    void switchAddNewLayout_End();

    void launchAppURL();
    void launchUserGuide();
    void launchVideoTutorials();
    void showHelpAlert();
    void showiPhoneAlert();
    void launchPellamyVet();
    void launchPEL2PromotionMessage();
    void suggestFeature();
    // The shipped user guide, empty when the edition has none or it is missing.
    static QString userGuidePath();
    // The help mail and the feedback mail, subject and body percent-encoded
    // (the feedback is plain text: what the user typed is never markup).
    static QUrl helpMailURL();
    static QUrl feedbackMailURL(const QString &experience, const QString &feedback);
    // Hands a feedback message to the user's mail program.
    void sendFeedback(const QString &experience, const QString &feedback);

    // The delegate's commands, last in every responder chain.
    ActionMap &commands() { return m_commands; }
    void installOwnCommands();
    // ---- end of application shell ----

    // Makes the settings windows (installed by the program's widgets; the
    // resource name is "PhotoCatalogSettingsWindowController" or
    // "FileCatalogSettingsWindowController").
    void setSettingsWindowFactory(SettingsWindowFactory factory) override { m_factory = std::move(factory); }
    // Opens a page with the system's default application (QDesktopServices
    // unless a test installs its own).
    void setOpenURL(std::function<void(const QUrl &)> open) { m_openURL = std::move(open); }
    // Makes the photos-over-time edition's add-photo window (installed by
    // the program's widgets); it is made once per run and kept in
    // gAddPhotoSettingsController.
    void setAddPhotoSettingsFactory(std::function<QObject *()> make) override { m_addPhotoFactory = std::move(make); }

    GallerySettingsController *settingsController() const { return m_controller.get(); }

    void launchSimplifiedWindowController(const QString &outputFolderPath);
    void selectInputPhotoFolder() override;
    // Worker: scans gInputFolderURL and sorts for the edition, then hands
    // the records to doneCountingPhotos on the main thread and waits for it.
    void retrievePhotoFiles();
    void doneCountingPhotos(const QList<ZovFileHelper> &records);
    void generateGallery();
    // The "Done!" alert; files left out of the site are named in it.
    void launchGallery(const QString &pagePath, const QStringList &skipped = {});
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
    void setImportPageWindowFactory(std::function<std::unique_ptr<ImportPageWindow>()> make) override
    {
        m_importFactory = std::move(make);
    }
    void setImportTargetProvider(std::function<ImportTarget()> provider) { m_importTarget = std::move(provider); }
    ImportPageWindow *importPageWindowController() const { return m_importWindow.get(); }

    void showPageImport() override;
    // Reads the window on the main thread, then runs syncPageAction on a worker.
    void syncPage() override;
    // The download and storing of the page and its pictures (on the worker).
    static PageImport::Outcome syncPageAction(const PageImport::Input &input);
    // Back on the main thread: packs the page and opens it, or refuses.
    void finishImport(const PageImport::Outcome &outcome);
    void cancelImportView();

    // ---- templates ----
    //
    // The template chooser (prepared on a worker, shown on the main thread) and
    // new untitled documents made from a template or the blank starter page.
    void setTemplateChooserFactory(std::function<std::unique_ptr<TemplateChooser>()> make) { m_templateChooserFactory = std::move(make); }
    // Orders the welcome window out (installed by the welcome window's owner).
    void setWelcomeWindowHider(std::function<void()> hide) { m_hideWelcomeWindow = std::move(hide); }
    // Runs after a template or blank page opened as a document (the window
    // shows its page colour and selects its label template); selectTemplate is
    // false for launchTemplate.
    void setTemplateDocumentHandler(std::function<void(SKTDocument &document, bool selectTemplate)> handler) { m_templateDocumentHandler = std::move(handler); }
    TemplateChooser *templateWindowController() const { return m_templateChooser.get(); }

    void showTemplateWebsite();
    void showTemplate();
    void launchTemplatePreparation();
    bool templatePreparationRunning() const { return m_templatePreparing; }
    // Back on the main thread with the worker's result.
    void dismissProgressIndicatorOnMainThread(TemplateGallery::Result result);
    void displayTemplate();
    void categoryButtonTapped(int index);
    void templateSelected(int iconIndex);
    void clearTemplateSelection();
    void cancelTemplateView();
    void closeTemplateChooser();
    // New work is on screen: the chooser and the welcome window step aside.
    void newWorkOpened();
    void selectedATemplate();
    // What the chooser's select and open buttons do for the reason it was opened.
    void chooserSelectPressed();
    void chooserOpenPressed();
    const QList<TemplateCategory> &templateCategoryMutableArray() const { return m_templateGallery.categories; }
    const QList<TemplateIcon> &siteIconArray() const { return m_templateGallery.icons; }
    const QStringList &templatePageNameArray() const { return m_templateGallery.pageNames; }
    QString categoryFolder() const { return m_templateGallery.categoryFolder; }
    // Which category button was tapped last (-1: none since the last layout).
    int tappedCategoryIndex() const { return m_tappedCategory; }
    // The thumbnail drawn with the selection border (-1: none).
    int borderedIconIndex() const { return m_borderedIcon; }
    uint8_t templateLaunchNewDirectoryFlag = 0;

    // The template's bundle folder: <resources>/<gTemplateFolder>.
    static QString bundleTemplatesFolder();
    void launchSingleDocTemplate();
    void launchTemplate();
    void directlyLaunchSingleDocBlank();
    // Opens a template package as a new untitled document; answers it, or null
    // after telling the user ("Not able to open" with the template's name).
    SKTDocument *openTemplateAsUntitled(const QString &packagePath, bool selectTemplate);
    // The last document opened from a template, while it is open (null when
    // the last try failed or the document was closed since).
    SKTDocument *lastTemplateDocument() const;

private:
    // Select with no thumbnail clicked in a category opened by the user takes
    // that category's first template.
    void pickShownCategoryTemplate();
    std::function<std::unique_ptr<TemplateChooser>()> m_templateChooserFactory;
    std::function<void()> m_hideWelcomeWindow;
    std::function<void(SKTDocument &, bool)> m_templateDocumentHandler;
    std::unique_ptr<TemplateChooser> m_templateChooser;
    TemplateGallery::Result m_templateGallery;
    bool m_templatePreparing = false;
    bool m_templatesCopied = false;
    int m_tappedCategory = -1;
    int m_borderedIcon = -1;
    SKTDocument *m_lastTemplateDocument = nullptr;

public:
    // ---- projects ----
    //
    // Opening and creating projects (folders of page files) and pages alone.
    // The document windows install how a project reaches its window
    // (ProjectLauncher::ProjectWindows).
    void setProjectWindows(ProjectWindows windows) override { m_projectWindows = std::move(windows); }
    // The bundle's resource folder (tests point it elsewhere).
    void setResourcesFolder(const QString &folder) { m_resourcesFolder = folder; }
    QString resourcesFolder() const override;

    void addNewWebsite() override;
    void openWebsite() override;
    void openNewDoc() override;
    void openSample() override;
    // Opens folder as a project (a starter page first when addStarterPage);
    // the window that already shows it is brought forward instead. Answers
    // the document shown, null when nothing opened.
    SKTDocument *launchSelectedWebsite(const QString &folder, bool addStarterPage) override;
    // Copies the edition's starter pages into folder; a blank page when the
    // edition ships none. Answers how many pages were placed.
    int addStarterBlankPage(const QString &folder);
    // A template site of the bundle copied to destination, then opened.
    void proceedToLaunchSelectedTemplateWebsite(const QString &siteFolder, const QString &destination,
                                                std::function<void(SKTDocument *)> opened = {}) override;
    // Opens a page file on its own, outside any project.
    SKTDocument *openPageAlone(const QString &path) override;
    // The template chooser's roads to new work. mainTemplateName is "" for a
    // new page and "basetemplate" for a new base template; the page made from
    // the chooser's pick takes it.
    QString mainTemplateName;
    void startNewPage();
    void startNewTemplate();
    // The getting-started page (or the template picked in the chooser) opened
    // as a new untitled document.
    SKTDocument *launchGettingStartedGuide();
    // Copies the getting-started page, or the template picked in the chooser,
    // to folder/GettingStarted.<extension>; the pick is used up. Answers the
    // copy's path, empty when nothing could be copied.
    QString addGettingStartedPage(const QString &folder);
    // The package of the template picked in the chooser, empty when none is.
    static QString pickedTemplatePath();
    // False, after telling the user ("Not able to open" naming it), when the
    // template picked in the chooser cannot be read as a page package.
    bool pickedTemplateOpens() const;
    // The template site chooser's entries (ProjectLauncher::WebsiteObject).
    QList<WebsiteObject> templateSites() const override;

signals:
    // An import ended: the package opened (empty when refused or declined).
    void pageImported(const QString &packagePath);
    // A generator could not write its pages (after its alert).
    void galleryFailed(const QString &message);

private:
    // ---- application shell ----
    std::unique_ptr<DropboxClient> m_dropboxSession;
    bool m_autosaves = true;
    double m_autosavingDelay = 0;
    ActionMap m_commands;
    // ---- end of application shell ----

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
