// The image-map half of MailSendRoad: the design drawn as one picture, put online,
// and the small page that shows it with a rectangle per link.
#include "publishing/MailSendRoad.h"

#include "config/DataCentreImages.h"
#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/Alerts.h"
#include "platform/DropboxClient.h"
#include "platform/UserDefaults.h"
#include "platform/WorkFolder.h"
#include "publishing/DropboxAccountLink.h"
#include "publishing/DropboxPictureUpload.h"
#include "publishing/ImageMapEmail.h"
#include "publishing/PageExport.h"
#include "publishing/PublishJob.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

const QString kPictureName = QStringLiteral("glentormails.png");

QString workFolder()
{
    return gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
}

QString uploadOption()
{
    return UserDefaults::standard().stringForKey(QStringLiteral("uploadOption"));
}

// The number an image's name carries from its sixth character on ("image12" is 12),
// read as far as it has digits.
int imageNameIndex(const QString &imageName)
{
    const QString rest = imageName.mid(5).trimmed();
    qsizetype end = 0;
    if (end < rest.size() && (rest.at(0) == QLatin1Char('-') || rest.at(0) == QLatin1Char('+')))
        ++end;
    while (end < rest.size() && rest.at(end).isDigit())
        ++end;
    return rest.left(end).toInt();
}

}  // namespace

bool MailSendRoad::savePNG(const QString &path)
{
    mailImage = PageExport(document_, window_).generatePNG(true);
    if (mailImage.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(DataCentreImages::PNGRepresentationOfImage(mailImage));
    return file.commit();
}

void MailSendRoad::uploadPNG()
{
    if (hooks.deselectAll)
        hooks.deselectAll();
    const QString picture = QDir(workFolder()).filePath(kPictureName);
    QFile::remove(picture);
    if (!savePNG(picture)) {
        Alerts::inform(QStringLiteral("Mail Not Sent"),
                       QStringLiteral("The picture of the design could not be written to %1.").arg(picture), window_);
        return;
    }
    // "<stamp>_glentormails.png": a fresh name per upload, so a later upload never
    // replaces the picture that mails already sent show.
    const QString remoteName = ImageMapEmail::remoteFileName();
    uploadTimeStampFolder = remoteName.left(remoteName.size() - kPictureName.size() - 1);
    const QString option = uploadOption();
    UploadItem item;
    item.localPath = picture;
    item.remoteFolder = option == QLatin1String("ftp") ? QString() : QStringLiteral("/");
    item.remoteFileName = remoteName;
    item.imageName = QStringLiteral("glentormails");
    item.originalImageFlag = false;
    item.imageIndex = 0;
    uploadItemArray = {item};
    uploadCounter = 0;
    dropboxLink.clear();

    if (option == QLatin1String("dropbox")) {
        if (!dropboxClient_)
            dropboxClient_ = DropboxAccountLink::newClient();
        if (!dropboxClient_ || !dropboxClient_->isLinked()) {
            Alerts::inform(QStringLiteral("Dropbox Account Not Linked"),
                           QStringLiteral("Dropbox is selected as the current image upload option, but your Dropbox "
                                          "account does not appear to be properly linked.\n\nTo re-link or choose a "
                                          "different image upload option, please visit Settings to configure your "
                                          "image hosting options."),
                           window_);
            return;
        }
        ProgressModel::instance().show();
        DropboxPictureUpload &upload = dropboxUpload();
        upload.setClient(dropboxClient_);
        upload.uploadItemArray = uploadItemArray;
        upload.startDropboxUpload();
        return;
    }
    if (option == QLatin1String("ftp")) {
        publishJob().start(uploadItemArray, document_.pageName, document_.publishExt, PublishJob::Kind::Page);
        return;
    }
    pictureOnline();
}

void MailSendRoad::pictureOnline()
{
    if (document_.showCodeOnlyFlag)
        presentGeneratedSourceCode();
    else
        sendHTMLEmail();
}

QString MailSendRoad::pictureAddress() const
{
    const QString option = uploadOption();
    if (option == QLatin1String("dropbox"))
        return dropboxLink;
    if (option == QLatin1String("ftp")) {
        const QString base = UserDefaults::standard().stringForKey(QStringLiteral("baseurl"));
        return base + QLatin1Char('/') + (uploadItemArray.isEmpty() ? QString() : uploadItemArray.first().remoteFileName);
    }
    return kPictureName;
}

QString MailSendRoad::generateEmailCode()
{
    ImageMapEmail::Page page;
    page.pictureAddress = pictureAddress();
    if (uploadOption() == QLatin1String("ftp"))
        uploadCounter = 0;

    // Linked pictures by their number, then linked texts, then linked table cells
    // table by table.
    QList<SKTImage *> images = document_.images();
    std::stable_sort(images.begin(), images.end(), [](const SKTImage *a, const SKTImage *b) {
        return imageNameIndex(a->imageName()) < imageNameIndex(b->imageName());
    });
    if (!images.isEmpty() && document_.pageName.isEmpty())
        document_.pageName = PageExport::createFileName(document_);
    for (const SKTImage *image : images) {
        if (image->slideShowNumber() != -99 || !ImageMapEmail::isMappedLink(image->link()))
            continue;
        page.areas << ImageMapEmail::areaFor(image->bounds(), image->link(), float(image->reflection()));
    }
    for (const SKTText *text : document_.textAreas()) {
        if (text->textType() != QLatin1String("Text") || !ImageMapEmail::isMappedLink(text->link()))
            continue;
        page.areas << ImageMapEmail::areaFor(text->bounds(), text->link());
    }
    for (const SKTTable *table : document_.tables()) {
        const QList<SKTTable::Cell> &cells = table->cellHelperArray();
        for (auto it = cells.crbegin(); it != cells.crend(); ++it) {
            const SKTTable::Cell &cell = *it;
            if (!cell || !ImageMapEmail::isMappedLink(cell->link))
                continue;
            page.areas << ImageMapEmail::areaFor(QRectF(cell->originX, cell->originY, cell->width, cell->height),
                                                 cell->link);
        }
    }
    page.backgroundHex = document_.documentColorHexString;
    page.header = mailHeader;
    page.footer = mailFooter;
    page.tooltip = mailTooltipText;
    page.pictureWidth = mailImage.width();
    page.pictureHeight = mailImage.height();
    page.noCanvasMargin = gNoCanvasMargin;
    const QString code = ImageMapEmail::generateEmailCode(page);
    gGeneratedSource = code;
    return code;
}

QString MailSendRoad::generateImageMapEmail()
{
    const QString path = QDir(workFolder()).filePath(QStringLiteral("imagemap.html"));
    QFile::remove(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(SKTDocument::encodePageText(generateEmailCode(), false, QString()));
    return file.commit() ? path : QString();
}

void MailSendRoad::presentGeneratedSourceCode()
{
    document_.showCodeOnlyFlag = false;
    const QString code = generateEmailCode();
    if (hooks.presentSource)
        hooks.presentSource(code);
}
