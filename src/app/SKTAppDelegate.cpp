// The static gallery road. Everything that touches a window or the shared
// scan list runs on the main thread: the settings are read into a record
// there before the worker starts, the scan's records replace gScannedFiles
// there, and progress reaches the progress window through its own main
// thread hand-over.
#include "app/SKTAppDelegate.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/Tasks.h"

#include <algorithm>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

QUrl gInputFolderURL;

SKTAppDelegate::SKTAppDelegate(QObject *parent) : QObject(parent)
{
    m_openURL = [](const QUrl &url) { QDesktopServices::openUrl(url); };
}

SKTAppDelegate::~SKTAppDelegate() = default;

SKTAppDelegate &SKTAppDelegate::shared()
{
    static SKTAppDelegate *delegate = new SKTAppDelegate();
    return *delegate;
}

// The document windows reach the delegate through this interface alone.
ProjectLauncher &ProjectLauncher::shared()
{
    return SKTAppDelegate::shared();
}

// The page import's window and commands reach the delegate through this interface alone.
PageImportHost &PageImportHost::shared()
{
    return SKTAppDelegate::shared();
}

void SKTAppDelegate::launchSimplifiedWindowController(const QString &outputFolderPath)
{
    if (!m_factory)
        return;
    const QString resource = gAppName == QLatin1String("Dunmarra") ? QStringLiteral("FileCatalogSettingsWindowController")
                                                                   : QStringLiteral("PhotoCatalogSettingsWindowController");
    m_controller = m_factory(resource);
    if (!m_controller)
        return;
    m_controller->setOpenWebsiteFolderPath(outputFolderPath);
    m_controller->showWindow();
}

void SKTAppDelegate::selectInputPhotoFolder()
{
    OpenPanelOptions options;
    options.canChooseFiles = false;
    options.canChooseDirectories = true;
    options.allowsMultipleSelection = false;
    FilePanels::current().showOpenPanel(options, nullptr, [this](const QStringList &paths) {
        if (paths.isEmpty())
            return;
        gInputFolderURL = QUrl::fromLocalFile(paths.first());
        DataCentre::showProgressIndicator();
        Tasks::runInBackground([this] { retrievePhotoFiles(); });
    });
}

void SKTAppDelegate::retrievePhotoFiles()
{
    // The folder is copied on the main thread before the scan starts.
    QString folder;
    Tasks::runOnMainThread([&folder] { folder = gInputFolderURL.toLocalFile(); }, true);
    QList<ZovFileHelper> records = DataCentre::countNumberOfFiles(folder);
    if (gPhotoGalleryEdition)
        records = DataCentre::sortArray(records, QStringLiteral("fileModDate"), true);
    else if (gFileCatalogEdition)
        records = DataCentre::sortArray(records, QStringLiteral("fileSizeBytes"), false);
    Tasks::runOnMainThread(this, [this, records] { doneCountingPhotos(records); }, true);
}

void SKTAppDelegate::doneCountingPhotos(const QList<ZovFileHelper> &records)
{
    gScannedFiles = records;
    DataCentre::dismissProgressIndicator();
    Alert alert;
    alert.messageText = QStringLiteral("Summary");
    alert.style = Alert::Style::Informational;
    if (records.isEmpty()) {
        alert.informativeText = QStringLiteral("Did not find any supported files in this folder");
        alert.buttons = {tr("Cancel")};
        Alerts::current().show(alert, nullptr, {});
        return;
    }
    // The earliest and latest dates whatever order the scan listed the files in.
    const auto [earliest, latest] = std::minmax_element(records.cbegin(), records.cend(), [](const auto &a, const auto &b) {
        return a.fileModDate < b.fileModDate;
    });
    alert.informativeText = QStringLiteral("Total count: %1\nEarliest date: %2\nLatest date: %3")
                                .arg(records.size())
                                .arg(earliest->fileModDateString, latest->fileModDateString);
    alert.buttons = {QStringLiteral("Next"), tr("Cancel")};
    Alerts::ask(alert, nullptr, [this](int response) {
        if (response != Alert::FirstButton)
            return;
        if (gAppName == QLatin1String("Fenmoor"))
            showAddPhotoSettings();
        else if (gAppName == QLatin1String("Sorvane") || gAppName == QLatin1String("Kambrel") ||
                 gAppName == QLatin1String("Dunmarra"))
            generateGallery();
    });
}

void SKTAppDelegate::generateGallery()
{
    if (!m_controller)
        return;
    StaticGallerySettings settings = m_controller->settings();
    settings.outputFolder = m_controller->openWebsiteFolderPath();
    settings.inputFolder = gInputFolderURL.toLocalFile();
    settings.pageNoun = gPageNoun;
    settings.appName = gAppName;
    const QList<ZovFileHelper> records = gScannedFiles;
    const bool photos = gPhotoGalleryEdition;
    const bool catalog = gFileCatalogEdition;
    const bool videos = gVideoGalleryEdition;
    if (!photos && !catalog && !videos)
        return;
    DataCentre::showProgressIndicator();
    QPointer<SKTAppDelegate> guard(this);
    Tasks::runInBackground([guard, records, settings, photos, catalog] {
        const StaticGallery::Progress progress = [](int32_t done, int32_t total, const QString &text) {
            DataCentre::updateProgressBar(done, total, text);
        };
        QString error;
        QString first;
        QStringList skipped;
        if (photos)
            first = StaticGallery::generatePhotoGalleryCode(records, settings, progress, &error, &skipped);
        else if (catalog)
            first = StaticGallery::generateFileGalleryCode(records, settings, progress, &error);
        else
            first = StaticGallery::generateVideoGalleryCode(records, settings, progress, &error, &skipped);
        DataCentre::dismissProgressIndicator();
        Tasks::runOnMainThread([guard, first, error, skipped] {
            if (!guard)
                return;
            if (first.isEmpty()) {
                // A failed write is reported, never announced as done.
                Alerts::inform(QStringLiteral("The pages could not be written."), error);
                emit guard->galleryFailed(error);
                return;
            }
            guard->launchGallery(first, skipped);
        });
    });
}

void SKTAppDelegate::launchGallery(const QString &pagePath, const QStringList &skipped)
{
    Alert alert;
    alert.messageText = QStringLiteral("Done!");
    alert.informativeText = QStringLiteral("Saved at selected path:\n %1").arg(pagePath);
    if (!skipped.isEmpty())
        alert.informativeText += QStringLiteral("\n\nThese files could not be used and were left out:\n%1").arg(skipped.join(QLatin1Char('\n')));
    alert.buttons = {QStringLiteral("Launch Now"), QStringLiteral("Dismiss")};
    alert.style = Alert::Style::Informational;
    Alerts::ask(alert, nullptr, [this, pagePath](int response) {
        if (response == Alert::FirstButton && m_openURL)
            m_openURL(QUrl::fromLocalFile(pagePath));
    });
}

void SKTAppDelegate::showAddPhotoSettings()
{
    if (!gAddPhotoSettingsController && m_addPhotoFactory)
        gAddPhotoSettingsController = m_addPhotoFactory();
    if (gAddPhotoSettingsController)
        QMetaObject::invokeMethod(gAddPhotoSettingsController, "showWindow");
}
