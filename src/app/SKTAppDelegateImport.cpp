// Importing a published page. The window's fields, the alerts, the packing into
// the project and the opening of the document all run on the main thread; only
// the downloads and the files under the received pages folder run on the worker.
#include "app/SKTAppDelegate.h"

#include "config/DataCentreFiles.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "platform/Tasks.h"
#include "publishing/UploadFTPS.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

void SKTAppDelegate::showPageImport()
{
    if (!m_importWindow && m_importFactory)
        m_importWindow = m_importFactory();
    if (m_importWindow)
        m_importWindow->showWindow();
}

void SKTAppDelegate::syncPage()
{
    if (!m_importWindow || m_importing)
        return;
    PageImport::Input input;
    input.typedAddress = m_importWindow->address();
    input.encoding = m_importWindow->encoding();
    input.receivedFolder = QDir(gWorkFolder).filePath(gReceivedPagesFolder);
    input.documentExtension = gDocumentExtension;
    // The completed address goes back into the field before the download starts.
    m_importWindow->setAddress(PageImport::completedAddress(input.typedAddress));
    m_importing = true;
    m_importWindow->setImporting(true);
    DataCentreFiles::showProgressIndicator();
    Tasks::runInBackground<PageImport::Outcome>(
        this, [input] { return syncPageAction(input); }, [this](PageImport::Outcome outcome) { finishImport(outcome); });
}

PageImport::Outcome SKTAppDelegate::syncPageAction(const PageImport::Input &input)
{
    return PageImport::run(input);
}

void SKTAppDelegate::finishImport(const PageImport::Outcome &outcome)
{
    m_importing = false;
    if (m_importWindow)
        m_importWindow->setImporting(false);
    QObject *window = m_importWindow ? m_importWindow->windowObject() : nullptr;
    if (!outcome.ok) {
        qInfo() << "page import refused:" << outcome.reason;
        DataCentreFiles::dismissProgressIndicator();
        Alerts::inform(PageImport::refusalTitle(), PageImport::refusalText(), window);
        emit pageImported(QString());
        return;
    }

    const ImportTarget target = m_importTarget ? m_importTarget() : ImportTarget{};
    const bool intoProject = target.document && !target.projectFolder.isEmpty();
    const QString folder = intoProject ? target.projectFolder : QFileInfo(outcome.imageFolder).path() + QStringLiteral("/..");
    const QString package = QDir::cleanPath(QDir(folder).filePath(outcome.packageName));

    auto pack = [this, outcome, package, intoProject, target] {
        UploadFTPS packer;
        if (!packer.zipDocument(outcome.imageFolder, package)) {
            qWarning() << "page import: could not pack" << package << packer.zipLog();
            DataCentreFiles::dismissProgressIndicator();
            Alerts::inform(QStringLiteral("The page could not be saved"), packer.zipLog());
            emit pageImported(QString());
            return;
        }
        cancelImportView();
        if (intoProject) {
            NotificationCenter::defaultCenter().postNotification(QStringLiteral("websiteUpdated"));
            gOpenFromWebsiteFolder = true;
            target.document->fileURLPath = package;
            target.document->refreshDocument();
        } else {
            gOpenFromWebsiteFolder = false;
            DocumentController::shared().openUntitledDocument(package);
        }
        emit pageImported(package);
    };

    // A page of the same name in the project is the user's work: replace it only
    // when asked to.
    if (intoProject && QFileInfo::exists(package)) {
        Alert alert;
        alert.messageText = QStringLiteral("Replace the page \"%1\"?").arg(QFileInfo(package).completeBaseName());
        alert.informativeText = QStringLiteral("The project already has a page of this name. The imported page replaces it.");
        alert.buttons = {QStringLiteral("Replace"), QStringLiteral("Cancel")};
        Alerts::ask(alert, window, [this, pack](int response) {
            if (response == Alert::FirstButton) {
                pack();
                return;
            }
            DataCentreFiles::dismissProgressIndicator();
            emit pageImported(QString());
        });
        return;
    }
    pack();
}

void SKTAppDelegate::cancelImportView()
{
    if (m_importWindow)
        m_importWindow->hideWindow();
    DataCentreFiles::dismissProgressIndicator();
}
