#include "publishing/PublishCommands.h"

#include "config/DataCentreFiles.h"
#include "config/EditionSettings.h"
#include "config/DataCentreMarkers.h"
#include "document/SKTDocument.h"
#include "generation/JqueryFiles.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/TransformView.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/SafeFileWrite.h"
#include "platform/TextCodec.h"
#include "platform/UserDefaults.h"
#include "publishing/PageExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString setting(const char *key)
{
    return UserDefaults::standard().stringForKey(QLatin1String(key));
}

// One picture of the page as the upload list needs it.
struct PagePicture {
    QString name;
    QString type;
    QString templateName;
    bool selectable = false;
    bool forceNonRetina = false;
    int32_t enlarge = 0;
    std::function<void()> markRetina;
};

PagePicture pictureOf(const std::shared_ptr<TransformView> &view, bool selectable, bool forceNonRetina)
{
    PagePicture p;
    p.name = view->imageName;
    p.type = view->imageType;
    p.templateName = view->templateName;
    p.selectable = selectable;
    p.forceNonRetina = forceNonRetina || view->forceNonRetinaFlag;
    p.enlarge = view->imageEnlargeFlag;
    p.markRetina = [view] { view->retinaFlag = true; };
    return p;
}

bool readable(const QString &path, QString *error)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
}

const QString kSettingsBlock = QStringLiteral("\n\nCurrent FTP Settings:\nServer: %1\nUsername: %2\nRemote Path: %3\nBase URL: %4");

QString withSettings(const QString &text)
{
    return text + kSettingsBlock.arg(setting("server"), setting("username"), setting("remotepath"), setting("baseurl"));
}

}  // namespace

PublishCommands::PublishCommands(SKTDocument &document, PublishCommandsHost *host, PublishJob &job)
    : document_(document), host_(host), job_(job)
{
}

PublishCommands::MenuState PublishCommands::validateMenuItem(const QString &action, bool pagesListed)
{
    static const struct {
        const char *action;
        bool needsPages;      // enabled only while the project lists pages
        bool hiddenByPages;   // hidden while the project lists pages
    } table[] = {
        {"publishWebsiteWithImages:", true, false},
        {"publishWebsiteNoImages:", true, false},
        {"saveDocumentAs:", false, true},
    };
    for (const auto &row : table) {
        if (action != QLatin1String(row.action))
            continue;
        if (row.needsPages)
            return {pagesListed, !pagesListed};
        return {true, pagesListed};
    }
    return {};
}

bool PublishCommands::isFormPage() const
{
    return document_.pageFileType == QLatin1String("trelkoforms") || document_.pageFileExtension == QLatin1String("php");
}

void PublishCommands::publishSinglePageWithImages()
{
    uploadImageFlag = true;
    prepforUpload();
}

void PublishCommands::publishSinglePageNoImages()
{
    uploadImageFlag = false;
    prepforUpload();
}

QString PublishCommands::singlePageConfirmation() const
{
    const bool server = !setting("server").isEmpty();
    if (isFormPage()) {
        QString response = document_.siteFeedbackEmail;
        if (!document_.siteCCFeedbackEmail.isEmpty())
            response = QStringLiteral("%1 and %2").arg(document_.siteFeedbackEmail, document_.siteCCFeedbackEmail);
        const QString text = QStringLiteral("This form (%1) will be published.\n\nResponse will be sent to %2 (can be updated under Settings > Form Preferences).")
                                 .arg(document_.pageName + QStringLiteral(".php"), response);
        return server ? withSettings(text) : text;
    }
    const QString label = document_.pageName + QLatin1Char('.') + document_.publishExt;
    if (!server)
        return QStringLiteral("%1 and related files will be uploaded, this will update files with the same names on the server.").arg(label);
    if (uploadImageFlag)
        return withSettings(QStringLiteral("%1 and related files will be uploaded, this will update files with the same names on the server.").arg(label));
    return withSettings(QStringLiteral("Quick Refresh Mode selected, only text and layout changes will be updated.\n\nProceed will upload %1. This will update files with the same names on the server.").arg(label));
}

void PublishCommands::prepforUpload()
{
    if (job_.isRunning())
        return;
    uploadDocumentsFlag = false;
    uploadAllPagesFlag = false;
    QObject *window = host_ ? host_->publishWindow() : nullptr;
    if (isFormPage() && !document_.siteFeedbackEmail.contains(QLatin1Char('@'))) {
        Alert alert;
        alert.messageText = QStringLiteral("Check Form Response Email");
        alert.informativeText = QStringLiteral("A valid response email is not identified, please update Primary Response Email (available under Settings).\n\nResponse email is important as form responses will be sent to this email.");
        alert.buttons = {QObject::tr("Form Settings"), QObject::tr("Cancel")};
        PublishCommandsHost *host = host_;
        Alerts::ask(alert, window, [host](int response) {
            if (response == Alert::FirstButton && host)
                host->showFormPreferences();
        });
        return;
    }
    if (document_.fileURLPath.isEmpty()) {
        Alert alert;
        alert.messageText = QStringLiteral("Document Not Saved");
        alert.informativeText = QStringLiteral("Please save this document first and then try this action again.");
        alert.buttons = {QStringLiteral("Save"), QStringLiteral("Cancel")};
        PublishCommandsHost *host = host_;
        Alerts::ask(alert, window, [host](int response) {
            if (response == Alert::FirstButton && host)
                host->saveDocumentAs();
        });
        return;
    }
    Alert alert;
    alert.messageText = QStringLiteral("Confirm Upload");
    alert.informativeText = singlePageConfirmation();
    alert.buttons = {QObject::tr("Proceed"), QObject::tr("Cancel")};
    Alerts::ask(alert, window, [this, window](int response) {
        if (response != Alert::FirstButton)
            return;
        document_.FTPUploadFlag = 999;
        if (document_.pageName.isEmpty())
            document_.pageName = PageExport::createFileName(document_);
        if (!document_.savePageFile(true))
            return;  // the save told the user why
        QList<UploadItem> items = imageItems();
        if (document_.publishExt.isEmpty())
            document_.publishExt = document_.pageFileExtension;
        const QString pageFile = QDir(document_.tempSavePathLocal).filePath(document_.pageName + QLatin1Char('.') + document_.pageFileExtension);
        QString error;
        const QString copy = reencodedCopy(pageFile, &error);
        if (copy.isEmpty()) {
            // Sending an empty file would replace the live page with nothing.
            Alerts::inform(QStringLiteral("Page Not Uploaded"),
                           QStringLiteral("The page file could not be read, so nothing was sent:\n\n%1").arg(error), window);
            return;
        }
        items.append({copy, QString(), document_.pageName + QLatin1Char('.') + document_.publishExt, {}, {}, 0, false});
        start(items, PublishJob::Kind::Page);
    });
}

QList<UploadItem> PublishCommands::imageItems()
{
    QList<PagePicture> pictures;
    for (SKTImage *image : document_.images()) {
        PagePicture p;
        p.name = image->imageName();
        p.type = image->imageType();
        p.templateName = image->templateName();
        p.selectable = image->selectable();
        p.forceNonRetina = image->forceNonRetinaFlag();
        p.enlarge = image->imageEnlargeFlag();
        p.markRetina = [image] { image->setRetinaFlag(true); };
        pictures.append(p);
    }
    for (SKTSlideshow *show : document_.slideshows())
        for (const auto &slide : show->imageArray())
            if (slide)
                pictures.append(pictureOf(slide, show->selectable(), false));
    for (SKTGalleryGrid *gallery : document_.galleries())
        for (const auto &image : gallery->imageArray())
            if (image)
                pictures.append(pictureOf(image, gallery->selectable(), false));
    if (gTableImagesEnabled) {
        for (SKTTable *table : document_.tables())
            for (const auto &image : table->imageArray())
                if (image)
                    pictures.append(pictureOf(image, table->selectable(), false));
        for (SKTTable *table : document_.tables())
            if (const auto background = table->tableBackgroundImage())
                pictures.append(pictureOf(background, table->selectable(), true));
    }

    QList<UploadItem> items;
    if (!uploadImageFlag)
        return items;
    const QString pageFolder = QDir(document_.tempSavePathLocal).filePath(document_.pageName);
    for (const PagePicture &p : pictures) {
        const QString folder = p.selectable ? pageFolder : QDir(document_.openWebsiteFolderTempPath).filePath(p.templateName);
        const QString remote = QLatin1Char('/') + (p.selectable ? document_.pageName : QStringLiteral("basetemplate"));
        auto add = [&](const QString &name) { items.append({QDir(folder).filePath(name), remote, name, {}, {}, 0, false}); };
        if (p.forceNonRetina)
            add(QStringLiteral("%1.%2").arg(p.name, p.type));
        if (p.enlarge == 1) {
            add(QStringLiteral("%1o.%2").arg(p.name, p.type));
        } else {
            if (p.markRetina)
                p.markRetina();
            if (!p.forceNonRetina)
                add(QStringLiteral("%1@2x.%2").arg(p.name, p.type));
        }
    }
    if (document_.backgroundImageFlag > 0
        && (document_.useBaseTemplateFlag == 0 || document_.pageName == QLatin1String("basetemplate"))) {
        const QString name = document_.backgroundImageType == QLatin1String("JPG") ? QStringLiteral("background.JPG")
                                                                                 : QStringLiteral("background.PNG");
        items.append({QDir(pageFolder).filePath(name), QLatin1Char('/') + document_.pageName, name, {}, {}, 0, false});
    }
    return items;
}

QString PublishCommands::reencodedCopy(const QString &path, QString *error)
{
    if (!readable(path, error))
        return {};
    const QString text = DataCentreMarkers::grabSourceCode(path);
    const QString charset = DataCentreMarkers::grabEncodingType(path);
    QByteArray bytes;
    if (charset == QLatin1String("Win-1251"))
        bytes = TextCodec::toWindows1251(text);
    else if (charset == QLatin1String("UTF-16"))
        bytes = TextCodec::toUTF16(text);
    else
        bytes = TextCodec::toUTF8(text);
    const QString folder = QDir(gWorkFolder).filePath(QStringLiteral("tempFiles"));
    QDir().mkpath(folder);
    const QString copy = QDir(folder).filePath(QFileInfo(path).fileName());
    if (!SafeFileWrite::write(copy, bytes, error))
        return {};
    return copy;
}

QString PublishCommands::sitePublishConfirmation(bool uploadImages)
{
    const QString base = QStringLiteral("Proceed will upload all files. This will update files with the same names on the server.");
    if (setting("server").isEmpty())
        return base;
    if (uploadImages)
        return withSettings(base);
    return withSettings(QStringLiteral("Quick Refresh Mode selected, only text and layout changes will be updated.\n\n") + base);
}

void PublishCommands::publishWebsiteWithImages()
{
    if (host_ && host_->needToForceRefresh())
        host_->forceRefreshWebsite();
    uploadImageFlag = true;
    publishAllPages();
}

void PublishCommands::publishWebsiteNoImages()
{
    if (!(host_ && host_->needToForceRefresh())) {
        uploadImageFlag = false;
        publishAllPages();
        return;
    }
    host_->forceRefreshWebsite();
    Alert alert;
    alert.messageText = QStringLiteral("Recommend Publish All");
    alert.informativeText = QStringLiteral("Changes have been detected in images used in the website, to ensure all images load properly, it's recommended you choose Publish All at this time");
    alert.buttons = {QObject::tr("Publish All"), QObject::tr("Quick Refresh"), QObject::tr("Cancel")};
    Alerts::ask(alert, host_->publishWindow(), [this](int response) {
        if (response == Alert::FirstButton + 2)
            return;
        uploadImageFlag = response == Alert::FirstButton;
        publishAllPages();
    });
}

QList<UploadItem> PublishCommands::siteItems(QString *error)
{
    QList<UploadItem> items;
    if (!host_)
        return items;
    for (const PublishCommandsHost::SitePage &page : host_->sitePages()) {
        const QString file = QFileInfo(page.pageFileName).completeBaseName() + QLatin1Char('.') + document_.pageFileExtension;
        const QString source = QDir(gResponsiveEdition ? document_.tempSavePathLocal : document_.openWebsiteFolderTempPath).filePath(file);
        QString local;
        if (gResponsiveEdition) {
            QDir().mkpath(QDir(gWorkFolder).filePath(QStringLiteral("responsiveVersion")));
            local = QDir(gWorkFolder).filePath(QStringLiteral("responsiveVersion/") + file);
            if (!readable(local, error))
                return {};
        } else {
            local = reencodedCopy(source, error);
            if (local.isEmpty())
                return {};
        }
        items.append({local, QString(), page.publishFileName, {}, {}, 0, false});
        if (!uploadImageFlag)
            continue;
        const QFileInfo sourceInfo(source);
        const QString folder = QDir(sourceInfo.absolutePath()).filePath(sourceInfo.completeBaseName());
        for (const QString &entry : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted)) {
            const QString path = QDir(folder).filePath(entry);
            if (DataCentreFiles::shouldUploadThisImage(path))
                items.append({path, sourceInfo.completeBaseName(), entry, {}, {}, 0, false});
        }
    }
    JqueryFiles::transferTo(document_.tempSavePathLocal);
    const QString favicon = QDir(host_->openWebsiteFolderPath()).filePath(QStringLiteral("favicon.ico"));
    if (!host_->openWebsiteFolderPath().isEmpty() && QFileInfo(favicon).isFile())
        items.append({favicon, QString(), QStringLiteral("favicon.ico"), {}, {}, 0, false});
    return items;
}

void PublishCommands::publishAllPages()
{
    if (job_.isRunning())
        return;
    document_.askPageToSaveItself();
    uploadDocumentsFlag = false;
    uploadAllPagesFlag = true;
    QObject *window = host_ ? host_->publishWindow() : nullptr;
    Alert alert;
    alert.messageText = QStringLiteral("Confirm Upload");
    alert.informativeText = sitePublishConfirmation(uploadImageFlag);
    alert.buttons = {QObject::tr("Proceed"), QObject::tr("Cancel")};
    Alerts::ask(alert, window, [this, window](int response) {
        if (response != Alert::FirstButton)
            return;
        if (host_ && !host_->loopThroughPages(false))
            return;
        QString error;
        const QList<UploadItem> items = siteItems(&error);
        if (!error.isEmpty()) {
            Alerts::inform(QStringLiteral("Site Not Uploaded"),
                           QStringLiteral("A page file could not be read, so nothing was sent:\n\n%1").arg(error), window);
            return;
        }
        start(items, PublishJob::Kind::AllPages);
    });
}

QString PublishCommands::userFilesConfirmation() const
{
    if (setting("server").isEmpty())
        return QStringLiteral("All selected files will be uploaded, this will update files with the same names on the server.\n\nFiles will be uploaded into folder: %1")
            .arg(document_.pageName);
    return QStringLiteral("All selected files will be uploaded to %1, this will update files with the same names on the server.\n\nFiles will be uploaded into folder: %2")
        .arg(setting("server"), document_.pageName);
}

void PublishCommands::selectDocumentsToUpload()
{
    if (job_.isRunning())
        return;
    if (document_.pageName.isEmpty())
        document_.pageName = PageExport::createFileName(document_);
    OpenPanelOptions options;
    options.prompt = QStringLiteral("Upload");
    options.title = QStringLiteral("Please select one or multiple Files");
    options.allowsMultipleSelection = true;
    QObject *window = host_ ? host_->publishWindow() : nullptr;
    FilePanels::current().showOpenPanel(options, nullptr, [this, window](const QStringList &paths) {
        if (paths.isEmpty())
            return;
        QList<UploadItem> items;
        for (const QString &path : paths)
            items.append({path, document_.pageName, QFileInfo(path).fileName(), {}, {}, 0, false});
        Alert alert;
        alert.messageText = QStringLiteral("Confirm Upload");
        alert.informativeText = userFilesConfirmation();
        alert.buttons = {QObject::tr("Proceed"), QObject::tr("Cancel")};
        Alerts::ask(alert, window, [this, items](int response) {
            if (response != Alert::FirstButton)
                return;
            uploadDocumentsFlag = true;
            uploadAllPagesFlag = false;
            document_.FTPUploadFlag = 999;
            start(items, PublishJob::Kind::UserFiles);
        });
    });
}

void PublishCommands::start(const QList<UploadItem> &items, PublishJob::Kind kind)
{
    job_.start(items, document_.pageName, document_.publishExt.isEmpty() ? document_.pageFileExtension : document_.publishExt, kind);
}
