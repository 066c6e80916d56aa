#include "document/PagePreferences.h"

#include "config/DataCentreNames.h"
#include "config/EditionSettings.h"
#include "config/DataCentreMarkers.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTGalleryGrid.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include <QRegularExpression>
#include "platform/UserDefaults.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

const int PagePreferences::kMaxSizes[5] = {500, 1000, 1500, 2000, 5000};

namespace {
const QStringList kEncodings = {QStringLiteral("UTF-8"), QStringLiteral("UTF-16"), QStringLiteral("Win-1251")};
} // namespace

PagePreferencesValues PagePreferences::fill(SKTDocument &doc)
{
    PagePreferencesValues v;
    UserDefaults &defaults = UserDefaults::standard();
    v.fileName = doc.pageName;
    v.fileNameEditable = gOpenFromWebsiteFolder || gAppName == QLatin1String("Trelko Forms Pro 2");
    if (doc.publishExt.isEmpty())
        doc.publishExt = doc.pageFileExtension;
    v.publishExt = doc.publishExt;
    v.pageFileExtension = doc.pageFileExtension;
    v.pageTitle = doc.pageOfficialName;
    v.customHeaderCode = doc.customHeaderCode;
    v.baseTemplateHeaderCode = doc.baseTemplateCustomHeaderCode;
    v.metaDescription = doc.metaDescription;
    v.metaKeywords = doc.metaKeywords;
    const bool allInherited =
        doc.useBaseTemplateFlag == 1 && doc.inheritCustomHeaderCodeFlag == 1 && doc.inheritMetadataFlag == 1;
    const QString base = QDir(doc.openWebsiteFolderTempPath).filePath(QStringLiteral("basetemplate.html"));
    v.baseTemplateExists = !doc.openWebsiteFolderTempPath.isEmpty() && QFileInfo::exists(base);
    if (v.baseTemplateExists) {
        v.baseMetaDescription = DataCentreMarkers::grabMetaDescription(base);
        v.baseMetaKeywords = DataCentreMarkers::grabMetaKeywords(base);
    }
    if (!allInherited && v.baseTemplateExists) {
        v.baseTemplateHeaderCode = DataCentreMarkers::grabCustomHeaderCode(base);
        v.metaKeywords = DataCentreMarkers::grabMetaKeywords(base);
        v.metaDescription = DataCentreMarkers::grabMetaDescription(base);
    }
    v.widthText = QString::number(doc.webPageWidth);
    const float quality = defaults.floatForKey(QStringLiteral("backgroundQualityPercentage"));
    v.qualitySegment = quality == 0.75f ? 1 : quality == 0.5f ? 2 : 0;
    v.encodingSegment = int(kEncodings.indexOf(doc.encodingType));
    const QString imageType = defaults.stringForKey(QStringLiteral("DovrinImageType"));
    v.imageTypeSegment = imageType.isEmpty() || imageType == QLatin1String("PNG") ? 0 : 1;
    v.retina = gRetinaFlag == 1;
    v.centre = doc.centreFlag == 1;
    v.manualWidth = doc.webPageWidthManualFlag;
    const int maxSize = defaults.integerForKey(QStringLiteral("DovrinMaxImageSize"));
    v.maxSizeSegment = 4;
    for (int i = 0; i < 4; ++i)
        if (maxSize == kMaxSizes[i])
            v.maxSizeSegment = i;
    v.useBaseTemplate = doc.useBaseTemplateFlag == 1;
    v.isBaseTemplate = doc.pageName == QLatin1String("basetemplate");
    if (!v.isBaseTemplate) {
        v.inheritCustomHeader = doc.inheritCustomHeaderCodeFlag == 1;
        v.inheritMetadata = doc.inheritMetadataFlag == 1;
        v.metaFieldsEditable = !v.inheritMetadata;
    }
    v.background = doc.backgroundImage;
    return v;
}

void PagePreferences::runValueVerifications(PagePreferencesValues &values)
{
    QString digits;
    for (QChar c : values.widthText)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    values.widthText = digits;
    values.fileName = DataCentreNames::generateNewFileName(values.fileName);
}

bool PagePreferences::renameFileName(SKTDocument &doc, const QString &newName)
{
    if (newName.isEmpty() || newName == doc.pageName)
        return false;
    const QString oldPackage = doc.fileURLPath;
    const QString folder = oldPackage.isEmpty() ? doc.tempSavePathLocal : QFileInfo(oldPackage).path();
    const QString newPackage = QDir(folder).filePath(newName + QLatin1Char('.') + doc.pageFileTypeName());
    // Any other file at the new place is a conflict, whatever the letter
    // case: on this system "Home" and "home" are two files.
    if (QFileInfo::exists(newPackage) && QFileInfo(newPackage).canonicalFilePath() != QFileInfo(oldPackage).canonicalFilePath()) {
        Alerts::inform(QStringLiteral("File Conflict"),
                       QStringLiteral("Sorry a file with the new file name already exists at this location.  "
                                      "File name has not been changed."),
                       doc.windowHooks.window);
        return false;
    }
    const QString oldName = doc.pageName;
    const QString oldPagePath = doc.pagePath;
    const QString oldFolder = QDir(doc.tempSavePathLocal).filePath(oldName);
    const QString newFolder = QDir(doc.tempSavePathLocal).filePath(newName);
    // The page folder goes with the page; copy-free when it can be renamed.
    if (QFileInfo(oldFolder).isDir() && !QFileInfo::exists(newFolder) && !QDir().rename(oldFolder, newFolder)) {
        doc.lastSaveError = QStringLiteral("%1 could not be renamed.").arg(oldFolder);
        return false;
    }
    doc.pageName = newName;
    doc.pagePath = QDir(doc.tempSavePathLocal).filePath(newName + QLatin1Char('.') + doc.pageFileExtension);
    ++doc.documentChangedCounter;
    if (oldName == QLatin1String("basetemplate"))
        doc.resetTemplateName(newName);
    // Save under the new name first; the old files go only once it is there.
    if (!doc.saveThisPage(newPackage, false) || !QFileInfo(newPackage).isFile()) {
        QDir().rename(newFolder, oldFolder);
        doc.pageName = oldName;
        doc.pagePath = oldPagePath;
        return false;
    }
    if (!oldPackage.isEmpty() && oldPackage != newPackage && QFileInfo(oldPackage).canonicalFilePath() != QFileInfo(newPackage).canonicalFilePath())
        QFile::remove(oldPackage);
    if (!oldPagePath.isEmpty() && oldPagePath != doc.pagePath)
        QFile::remove(oldPagePath);
    return true;
}

bool PagePreferences::isValidPublishExtension(const QString &extension)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]{1,10}$"));
    return plain.match(extension).hasMatch();
}

bool PagePreferences::save(SKTDocument &doc, PagePreferencesValues v)
{
    runValueVerifications(v);
    // The publish extension ends up in file names on the server: a typed one is
    // refused unless it is a plain extension, before anything is changed.
    if (v.publishExt != doc.publishExt && !isValidPublishExtension(v.publishExt)) {
        doc.lastSaveError = QStringLiteral("The publish extension \"%1\" was not accepted.").arg(v.publishExt);
        Alerts::inform(QStringLiteral("Publish Extension Not Accepted"),
                       QStringLiteral("The publish extension may have 1 to 10 letters and digits only, such as \"html\" or \"php\"."),
                       doc.windowHooks.window);
        return false;
    }
    UserDefaults &defaults = UserDefaults::standard();
    doc.pageOfficialName = v.pageTitle;
    const bool newName = renameFileName(doc, v.fileName);
    const float qualities[3] = {1.0f, 0.75f, 0.5f};
    defaults.setFloat(v.qualitySegment == 1 || v.qualitySegment == 2 ? qualities[v.qualitySegment] : 1.0f,
                      QStringLiteral("backgroundQualityPercentage"));
    doc.metaKeywords = v.metaKeywords;
    doc.metaDescription = v.metaDescription;
    doc.customHeaderCode = v.customHeaderCode;
    doc.centreFlag = v.centre ? 1 : 0;
    gImageType = v.imageTypeSegment == 1 ? QStringLiteral("JPEG") : QStringLiteral("PNG");
    defaults.setString(gImageType, QStringLiteral("DovrinImageType"));
    defaults.setObject(true, QStringLiteral("DovrinSetRetinaFlag"));
    gRetinaFlag = v.retina ? 1 : 0;
    defaults.setInteger(gRetinaFlag, QStringLiteral("DovrinRetinaFlag"));
    doc.inheritMetadataFlag = v.inheritMetadata ? 1 : 0;
    doc.inheritCustomHeaderCodeFlag = v.inheritCustomHeader ? 1 : 0;
    for (SKTImage *image : doc.images())
        image->setRetinaFlag(gRetinaFlag == 1);
    for (SKTSlideshow *show : doc.slideshows())
        for (const auto &slide : show->imageArray())
            if (slide)
                slide->retinaFlag = gRetinaFlag == 1;
    for (SKTGalleryGrid *gallery : doc.galleries())
        for (const auto &item : gallery->imageArray())
            if (item)
                item->retinaFlag = gRetinaFlag == 1;
    if (v.encodingSegment >= 0 && v.encodingSegment < kEncodings.size())
        doc.encodingType = kEncodings[v.encodingSegment];
    doc.webPageWidth = v.widthText.left(9).toInt();
    doc.webPageWidthManualFlag = v.manualWidth;
    defaults.setInteger(v.maxSizeSegment >= 0 && v.maxSizeSegment <= 3 ? kMaxSizes[v.maxSizeSegment] : 5000,
                        QStringLiteral("DovrinMaxImageSize"));
    doc.updateWindowTitle();
    // The settings are a change of the page even when no graphic changed.
    doc.updateChangeCount();
    ++doc.documentChangedCounter;
    bool saved = true;
    if (v.useBaseTemplate != (doc.useBaseTemplateFlag == 1)) {
        doc.useBaseTemplateFlag = v.useBaseTemplate ? 1 : 0;
        saved = doc.fileURLPath.isEmpty() ? doc.saveDocument() : doc.saveThisPage(doc.fileURLPath, false);
        if (saved)
            doc.refreshDocument();
    } else {
        saved = doc.fileURLPath.isEmpty() ? doc.saveDocument() : doc.saveThisPage(doc.fileURLPath, false);
    }
    if (newName)
        NotificationCenter::defaultCenter().postNotification(QStringLiteral("websiteUpdated"), &doc.events());
    if (v.publishExt != doc.publishExt)
        askToChangePublishExtension(doc, v.publishExt);
    return saved;
}

void PagePreferences::askToChangePublishExtension(SKTDocument &doc, const QString &publishExt)
{
    Alert alert;
    alert.messageText = QStringLiteral("File Extension Update");
    alert.informativeText = QStringLiteral(
        "You appeared to have changed the publish file extension.  This is an advanced setting that should ONLY be "
        "changed when advised.\n\nDefault file extension is \"html\" for a web page, \"php\" for a web form.\n\nFor "
        "most designs, it's recommended to keep this field at the default value.");
    alert.buttons = {QStringLiteral("Keep default"), QStringLiteral("Change it")};
    // The alert answers whenever the user does, perhaps after this returns and
    // after the page has gone: the page is looked at only if it is still there.
    Alerts::ask(alert, doc.windowHooks.window, [page = &doc, alive = doc.lifetime(), publishExt](int response) {
        if (response != Alert::FirstButton + 1 || alive.expired())
            return;
        page->publishExt = publishExt;
        page->updateChangeCount();
        ++page->documentChangedCounter;
        if (page->fileURLPath.isEmpty() ? page->saveDocument() : page->saveThisPage(page->fileURLPath, false))
            NotificationCenter::defaultCenter().postNotification(QStringLiteral("websiteUpdated"), &page->events());
    });
}

FormPreferencesValues PagePreferences::fillForm(const SKTDocument &doc)
{
    FormPreferencesValues v;
    v.responseEmail = doc.siteFeedbackEmail;
    v.copyEmail = doc.siteCCFeedbackEmail;
    v.mailServer = doc.formEmailServer;
    v.mailUser = doc.formEmailUsername;
    v.mailPassword = doc.formEmailPassword;
    v.sentResponse = doc.formSentResponse;
    v.missingFieldResponse = doc.formRequiredResponse;
    v.submitButtonText = doc.formSubmitButtonValue;
    v.redirectURL = doc.formRedirectURL;
    v.verificationMessage = doc.formEmailVerificationMsg;
    v.botCheckMessage = doc.formBotCheckerResponse;
    v.grabIP = doc.grabIPFlag == 1;
    v.layoutColumn = doc.formOrderLayoutOption;
    return v;
}

void PagePreferences::saveForm(SKTDocument &doc, const FormPreferencesValues &v)
{
    doc.formRedirectURL = v.redirectURL;
    doc.formRequiredResponse = v.missingFieldResponse;
    doc.formSentResponse = v.sentResponse;
    doc.siteFeedbackEmail = v.responseEmail.trimmed();
    doc.siteCCFeedbackEmail = v.copyEmail.trimmed();
    doc.formEmailVerificationMsg = v.verificationMessage;
    doc.formBotCheckerResponse = v.botCheckMessage;
    doc.formEmailUsername = v.mailUser;
    doc.formEmailPassword = v.mailPassword;
    doc.formEmailServer = v.mailServer.trimmed();
    doc.grabIPFlag = v.grabIP ? 1 : 0;
    doc.formOrderLayoutOption = v.layoutColumn;
    // The form settings reach the page with the next save: mark it edited.
    doc.updateChangeCount();
}

bool PagePreferences::newBackground(SKTDocument &doc, const QString &imagePath)
{
    QImageReader reader(imagePath);
    const QImage image = reader.read();
    if (image.isNull()) {
        Alerts::inform(QStringLiteral("Not able to open"),
                       QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(imagePath), reader.errorString()),
                       doc.windowHooks.window);
        return false;
    }
    ++doc.documentChangedCounter;
    removeBackground(doc);
    const QString suffix = QFileInfo(imagePath).suffix();
    doc.backgroundImageType = suffix == QLatin1String("png") || suffix == QLatin1String("PNG") ? QStringLiteral("PNG")
                                                                                               : QStringLiteral("JPG");
    doc.backgroundImage = image;
    doc.documentColorHexString.clear();
    doc.backgroundImageFlag = 2;
    if (doc.windowHooks.refreshPageBackgroundColor)
        doc.windowHooks.refreshPageBackgroundColor();
    doc.updateChangeCount();
    return true;
}

void PagePreferences::removeBackground(SKTDocument &doc)
{
    doc.pageColor = QColor(Qt::white);
    doc.documentColorHexString = QStringLiteral("FFFFFF");
    doc.backgroundImageFlag = 0;
    doc.backgroundImage = QImage();
    if (doc.windowHooks.refreshPageBackgroundColor)
        doc.windowHooks.refreshPageBackgroundColor();
    const QString folder = QDir(doc.tempSavePathLocal).filePath(doc.pageName);
    const QString type = doc.backgroundImageType == QLatin1String("JPG") ? QStringLiteral("JPG") : QStringLiteral("PNG");
    if (!doc.tempSavePathLocal.isEmpty() && !doc.pageName.isEmpty()) {
        QFile::remove(QDir(folder).filePath(QStringLiteral("background.") + type));
        QFile::remove(QDir(folder).filePath(QStringLiteral("backgroundo.") + type));
    }
    // The page looks different now: it must be saved.
    doc.updateChangeCount();
}

void PagePreferences::showFileNameHelp(SKTDocument &doc)
{
    Alerts::inform(QStringLiteral("How to modify the file name"),
                   QStringLiteral("The file name is %1.html, this is always the same as the document name, %1.zovpage. "
                                  "To modify, please save this web page document under the new name.")
                       .arg(doc.pageName),
                   doc.windowHooks.window, Alert::Style::Informational);
}

void PagePreferences::showImageMaxSizeHelp(SKTDocument &doc)
{
    Alerts::inform(
        QStringLiteral("Image Generation Settings"),
        QStringLiteral("500|1000|1500|2000|5000: The Image Generation Resolution and performance balance factor (Each "
                       "value represent the max. width in pixels). Set to higher value for best resolution.  If you're "
                       "updating to a lower balance factor, press the \"Compress\" button to apply to all existing "
                       "images.\n\nHD Graphics: Automatically generates retina graphics to ensure your website looks "
                       "amazing on retina displays."),
        doc.windowHooks.window, Alert::Style::Informational);
}
