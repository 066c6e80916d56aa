// Saving a page: the page file, style sheet and screenshots into the working
// folder, then the package. Every file goes through SafeFileWrite (a part
// file beside it, synced and renamed), and the package through PageZip,
// which does the same: a crash at any moment leaves the old package or the
// new one. A failed step stops the save with an alert naming the file and
// the reason; the page then stays edited.
#include "document/SKTDocument.h"
#include "document/PageEditingCopy.h"

#include "config/EditionSettings.h"
#include "model/GraphicRenderer.h"
#include "model/SKTGraphic.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/NotificationCenter.h"
#include "platform/SafeFileWrite.h"
#include "platform/TextCodec.h"
#include "document/PagePackage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QThread>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {
bool failSave(SKTDocument &doc, const QString &why)
{
    doc.lastSaveError = why;
    Alert alert;
    alert.messageText = QStringLiteral("Not able to save");
    alert.informativeText = why;
    Alerts::current().show(alert, doc.windowHooks.window, {});
    return false;
}

QString pageFolderOf(const SKTDocument &doc)
{
    return QDir(doc.tempSavePathLocal).filePath(doc.pageName);
}

bool ensureFolder(const QString &folder, QString *error)
{
    if (QDir().mkpath(folder))
        return true;
    if (error)
        *error = QStringLiteral("%1: the folder could not be made").arg(QDir::toNativeSeparators(folder));
    return false;
}
} // namespace

QString SKTDocument::pageFileTypeName() const
{
    return pageFileType.isEmpty() ? gDocumentExtension : pageFileType;
}

QByteArray SKTDocument::encodePageText(const QString &text, bool forUpload, const QString &encoding)
{
    if (!forUpload)
        return TextCodec::encodePageText(text);
    return TextCodec::encode(text, TextCodec::encodingForCharset(encoding));
}

QString SKTDocument::readPageText(const QString &path, bool *ok)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return TextCodec::decodePageText(file.readAll());
}

QString SKTDocument::generatePageFileText(bool saveImages)
{
    // Other editions store, publish and preview the absolute page.
    if (!gResponsiveEdition)
        return generateSourceCode(pageName, false, saveImages);
    // A responsive edition's page is the responsive page, carrying its
    // editing form (the absolute page) for the next opening.
    const QString editing = generateSourceCode(pageName, false, saveImages);
    const QString editingError = lastWriteError;
    const QString responsive = generateSourceCode(pageName, true, saveImages);
    if (lastWriteError.isEmpty())
        lastWriteError = editingError;
    gGeneratedSource = PageEditingCopy::wrap(responsive, editing);
    return gGeneratedSource;
}

bool SKTDocument::compareSource(bool publish)
{
    const bool images = documentChangedCounter >= 1;
    lastWriteError.clear();
    QString text = generatePageFileText(images && !publish);
    bool readable = false;
    const QString stored = readPageText(pagePath, &readable);
    if (readable && text == stored)
        return true;
    if (!images || publish)
        text = generatePageFileText(!publish);
    return false;
}

bool SKTDocument::directlySavePageFile()
{
    const QString folder = pageFolderOf(*this);
    QString error;
    if (!ensureFolder(folder, &error))
        return failSave(*this, error);
    const QString file = QDir(tempSavePathLocal).filePath(pageName + QLatin1Char('.') + pageFileExtension);
    if (!SafeFileWrite::write(file, encodePageText(gGeneratedSource, FTPUploadFlag == 999, encodingType), &error))
        return failSave(*this, error);
    pagePath = file;
    ++documentChangedCounter;
    return true;
}

bool SKTDocument::savePageFile(bool publish)
{
    bool ok = true;
    if (!compareSource(publish))
        ok = lastWriteError.isEmpty() ? directlySavePageFile() : failSave(*this, lastWriteError);
    FTPUploadFlag = 0;
    return ok;
}

bool SKTDocument::saveCSSFile()
{
    if (!gSeparateCSSFile)
        return true;
    const QString folder = pageFolderOf(*this);
    QString error;
    if (!ensureFolder(folder, &error))
        return failSave(*this, error);
    const QString name = mobileVersionFlag ? QStringLiteral("mobile.css") : QStringLiteral("full.css");
    if (!SafeFileWrite::write(QDir(folder).filePath(name), TextCodec::encodePageText(fullCSSString), &error))
        return failSave(*this, error);
    return true;
}

bool SKTDocument::packageDocument(const QString &pageFolder, const QString &packagePath, QString *error)
{
    PagePackage transport;
    if (transport.zipDocument(pageFolder, packagePath))
        return true;
    if (error)
        *error = transport.zipLog();
    return false;
}

bool SKTDocument::saveThisPage(const QString &packagePath, bool publish)
{
    lastSaveError.clear();
    // Generation shares process-wide values: pages are saved on the main thread only.
    if (QCoreApplication::instance() && QThread::currentThread() != QCoreApplication::instance()->thread()) {
        lastSaveError = QStringLiteral("A page can only be saved on the main thread.");
        return false;
    }
    if (pageUnread) {
        // The working folder holds no readable copy of this page: writing
        // the package now would replace the stored page with an empty one.
        lastSaveError = QStringLiteral("%1: the page could not be read, so it is not saved over")
                            .arg(QDir::toNativeSeparators(packagePath));
        return false;
    }
    if (pageName.isEmpty())
        pageName = QFileInfo(packagePath).completeBaseName();
    if (pageFileExtension.isEmpty())
        pageFileExtension = QStringLiteral("html");
    if (pagePath.isEmpty())
        pagePath = QDir(tempSavePathLocal).filePath(pageName + QLatin1Char('.') + pageFileExtension);
    const bool same = compareSource(publish);
    if (gNoDraftPages) {
        markClean();
        updateWindowTitle();
        return true;
    }
    if (same && packagePath == fileURLPath && documentChangedCounter < 1 && lastWriteError.isEmpty()
        && QFileInfo::exists(packagePath)) {
        markClean();
        updateWindowTitle();
        return true;
    }
    if (!lastWriteError.isEmpty()) {
        if (!originalImagesLookSaved() && !ignoreImageSaveErrorFlag) {
            checkToMakeSureOriginalImagesAreSavedProperly();
            lastSaveError = lastWriteError;
            return false;
        }
        return failSave(*this, lastWriteError);
    }
    const QString oldPath = fileURLPath;
    QString error;
    if (!ensureFolder(pageFolderOf(*this), &error))
        return failSave(*this, error);
    if (!saveScreenshot())
        return false;
    if (!gTempFolder.isEmpty()) {
        QDir(gTempFolder).removeRecursively();
        QDir().mkpath(gTempFolder);
    }
    storeImageNowFlag = true;
    if (!savePageFile(false) || !saveCSSFile())
        return false;

    PagePackage transport;
    const bool zipped = gResponsiveEdition ? transport.zipDocument_mailchimp(pageFolderOf(*this), packagePath)
                                           : transport.zipDocument(pageFolderOf(*this), packagePath);
    if (!zipped)
        return failSave(*this, transport.zipLog());

    fileURLPath = packagePath;
    documentChangedCounter = 0;
    if (packagePath != oldPath)
        NotificationCenter::defaultCenter().postNotification(QStringLiteral("websiteUpdated"), m_events.get());
    if (gRefreshDocIconOnSave)
        NotificationCenter::defaultCenter().postNotification(QStringLiteral("refreshDocIcon"), m_events.get());
    markClean();
    updateWindowTitle();
    return true;
}

bool SKTDocument::askPageToSaveItself()
{
    if (fileURLPath.isEmpty())
        return false;
    return saveThisPage(fileURLPath, false);
}

bool SKTDocument::saveDocument(std::function<void(bool saved)> done)
{
    if (!fileURLPath.isEmpty()) {
        const bool saved = saveThisPage(fileURLPath, false);
        if (done)
            done(saved);
        return saved;
    }
    SavePanelOptions options;
    options.nameFieldValue = pageName.isEmpty() ? QStringLiteral("untitled") : pageName;
    options.allowedTypes = {pageFileTypeName()};
    // The panel answers whenever the user does, perhaps after this returns
    // and after the page has gone.
    auto savedByNow = std::make_shared<bool>(false);
    FilePanels::current().showSavePanel(options, windowHooks.window,
                                        [this, alive = lifetime(), savedByNow, done](const QString &path) {
                                            if (alive.expired())
                                                return;
                                            *savedByNow = !path.isEmpty() && saveThisPage(path, false);
                                            updateWindowTitle();
                                            if (done)
                                                done(*savedByNow);
                                        });
    return *savedByNow;
}

bool SKTDocument::exportPublishVersion(const QString &path)
{
    generatePageFileText(false);
    QString error;
    if (!SafeFileWrite::write(path, encodePageText(gGeneratedSource, true, encodingType), &error))
        return failSave(*this, error);
    return true;
}

QString SKTDocument::generatePublishVersion()
{
    const QString folder = QDir(gWorkFolder).filePath(QStringLiteral("tempFiles"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(pageName + QLatin1Char('.') + pageFileExtension);
    return exportPublishVersion(path) ? path : QString();
}

QString SKTDocument::windowTitle() const
{
    if (gUnicodeFileNames || fileURLPath.isEmpty())
        return pageOfficialName;
    const QString last = QUrl::fromLocalFile(fileURLPath).toEncoded().split('/').last();
    QString title = QStringLiteral("%1 (%2)").arg(pageOfficialName, last);
    return title.replace(QStringLiteral("%20"), QStringLiteral(" "));
}

void SKTDocument::updateWindowTitle()
{
    const QString title = windowTitle();
    if (!title.isEmpty())
        emit m_events->titleChanged(title);
}

// --- screenshots ------------------------------------------------------------------

QSize SKTDocument::screenshotSize(const QSize &picture, int32_t box)
{
    const int64_t w = std::max(1, picture.width());
    const int64_t h = std::max(1, picture.height());
    if (w < h)
        return QSize(int(std::max<int64_t>(1, w * box / h)), box);
    return QSize(box, int(std::max<int64_t>(1, h * box / w)));
}

QImage SKTDocument::imageWithSubviews() const
{
    QSize size;
    if (docSpecificFixedCanvasFlag == 1)
        size = QSize(docSpecificPageWidth, docSpecificPageHeight);
    else if (gPreviewCanvasWidth != 0 && gPreviewCanvasHeight != 0)
        size = QSize(gPreviewCanvasWidth, gPreviewCanvasHeight);
    else
        size = QSize(findMaxScreenWidth(), findMaxScreenHeight());
    size = size.expandedTo(QSize(1, 1)).boundedTo(QSize(8000, 8000));
    // Drawn for paper: the selection and its handles never show.
    return GraphicRenderer::renderImage(graphicPointers(), size, pageColor.isValid() ? pageColor : QColor(Qt::white));
}

bool SKTDocument::saveCustomScreenshot(const QImage &picture)
{
    QString error;
    if (!ensureFolder(pageFolderOf(*this), &error))
        return failSave(*this, error);
    const int32_t box = gScreenshotWidth > 0 ? gScreenshotWidth : 200;
    const struct {
        QString suffix;
        int32_t box;
    } shots[] = {{QStringLiteral(".png"), box}, {QStringLiteral("@2x.png"), box * 2}};
    for (const auto &shot : shots) {
        const QImage scaled = picture.isNull() ? QImage(screenshotSize({1, 1}, shot.box), QImage::Format_ARGB32)
                                               : picture.scaled(screenshotSize(picture.size(), shot.box),
                                                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        const QString file = QDir(tempSavePathLocal).filePath(pageName + shot.suffix);
        if (!scaled.save(&buffer, "PNG"))
            return failSave(*this, QStringLiteral("%1: the picture could not be encoded").arg(file));
        if (!SafeFileWrite::write(file, png, &error))
            return failSave(*this, error);
    }
    return true;
}

bool SKTDocument::saveScreenshot()
{
    QImage picture;
    // A record page is known by its picture (its name and fields on it);
    // other pages of these editions show the edition's icon.
    if (gHideTotalRefresh && !gAppIcon.isNull() && profileDictionary.isEmpty())
        picture = gAppIcon;
    else
        picture = imageWithSubviews();
    return saveCustomScreenshot(picture);
}
