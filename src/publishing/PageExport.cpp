#include "publishing/PageExport.h"

#include "config/EditionSettings.h"
#include "document/PagePicture.h"
#include "document/SKTDocument.h"
#include "generation/JqueryFiles.h"
#include "model/GraphicRenderer.h"
#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/FilePanels.h"
#include "platform/SafeFileWrite.h"
#include "publishing/UploadFTPS.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QUrl>

namespace {

const QString kPart = QStringLiteral(".zov-part");
const QString kOld = QStringLiteral(".zov-old");

bool removePath(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return !info.exists() && !info.isSymLink() ? true : QFile::remove(path);
}

// Copies the folder from into to (which must not exist), file by file.
bool copyFolder(const QString &from, const QString &to, QStringList &failures)
{
    if (!QDir().mkpath(to)) {
        failures << QStringLiteral("%1: the folder could not be made").arg(to);
        return false;
    }
    bool ok = true;
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target)) {
                failures << QStringLiteral("%1: the folder could not be made").arg(target);
                ok = false;
            }
        } else if (!QFile::copy(source, target)) {
            failures << QStringLiteral("%1: could not be copied to %2").arg(source, target);
            ok = false;
        }
    }
    return ok;
}

// Puts the finished built in place of target: the old one is moved aside first and
// removed only once the new one is there.
bool swapInto(const QString &built, const QString &target, QStringList &failures)
{
    const QString aside = target + kOld;
    removePath(aside);
    const bool hadOld = QFileInfo::exists(target);
    if (hadOld && !QDir().rename(target, aside)) {
        failures << QStringLiteral("%1: the old copy could not be replaced").arg(target);
        removePath(built);
        return false;
    }
    if (!QDir().rename(built, target)) {
        failures << QStringLiteral("%1: could not be written").arg(target);
        if (hadOld)
            QDir().rename(aside, target);
        removePath(built);
        return false;
    }
    if (hadOld)
        removePath(aside);
    return true;
}

}  // namespace

PageExport::PageExport(SKTDocument &document, QObject *window) : document_(document), window_(window) {}

QStringList PageExport::pageScriptFileNames()
{
    // The exported page loads jQuery and Bootstrap (its own modal script needs
    // jQuery) and our picture enlarger; these are the copies it finds beside itself
    // when opened without a network.
    QStringList names = JqueryFiles::fileNames();
    names << QStringLiteral("popup-image-scaling.js");
    return names;
}

QString PageExport::pageScriptPath(const QString &fileName)
{
    const QStringList places{QDir(Bundle::resourcesPath()).filePath(gTemplateFolder + QLatin1Char('/') + fileName),
                             QDir(Bundle::resourcesPath()).filePath(fileName),
                             QDir(Bundle::resourcesPath()).filePath(QStringLiteral("pagescripts/") + fileName),
                             QDir(QStringLiteral(ZOV_BUILD_RESOURCES)).filePath(fileName),
                             QDir(QStringLiteral(ZOV_SOURCE_RESOURCES)).filePath(QStringLiteral("pagescripts/") + fileName)};
    for (const QString &path : places)
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

QString PageExport::withDefaultExtension(const QString &path, const QString &extension)
{
    if (QFileInfo(path).suffix().isEmpty())
        return path.endsWith(QLatin1Char('.')) ? path + extension : path + QLatin1Char('.') + extension;
    return path;
}

QString PageExport::createFileName(const SKTDocument &document)
{
    if (!document.fileURLPath.isEmpty())
        return QFileInfo(document.fileURLPath).completeBaseName();
    if (!document.mainTemplateName.isEmpty())
        return QFileInfo(document.mainTemplateName).completeBaseName();
    return QStringLiteral("untitled");
}

bool PageExport::prepForPresentation(bool publish)
{
    if (document_.pageName.isEmpty())
        document_.pageName = createFileName(document_);
    QDir().mkdir(QDir(document_.tempSavePathLocal).filePath(document_.pageName));
    document_.storeImageNowFlag = true;
    return document_.savePageFile(publish);
}

bool PageExport::documentSaved()
{
    if (!document_.fileURLPath.isEmpty())
        return true;
    Alert alert;
    alert.messageText = QStringLiteral("Document Not Saved");
    alert.informativeText = QStringLiteral("Please save this document first and then try this action again.");
    alert.buttons = {QStringLiteral("Save"), QStringLiteral("Cancel")};
    SKTDocument *document = &document_;
    Alerts::ask(alert, window_, [document](int response) {
        if (response == Alert::FirstButton)
            document->saveDocument();
    });
    return false;
}

QStringList PageExport::exportFileToFolder(const QString &folder, const std::function<bool()> &confirmReplace)
{
    QStringList failures;
    if (!prepForPresentation(false) || (gResponsiveEdition && !prepForPresentation(true)))
        return {QStringLiteral("%1: the page could not be saved. %2").arg(document_.tempSavePathLocal, document_.lastSaveError)};
    const QString publishExt = document_.publishExt.isEmpty() ? document_.pageFileExtension : document_.publishExt;
    const QString source = QDir(document_.tempSavePathLocal).filePath(document_.pageName + QLatin1Char('.') + document_.pageFileExtension);
    const QString target = QDir(folder).filePath(document_.pageName + QLatin1Char('.') + publishExt);
    const QString sourceFolder = QDir(document_.tempSavePathLocal).filePath(document_.pageName);
    const QString targetFolder = QDir(folder).filePath(document_.pageName);
    if ((QFileInfo::exists(target) || QFileInfo::exists(targetFolder)) && !(confirmReplace && confirmReplace()))
        return {};

    // Built beside the targets; nothing old goes before everything new is whole.
    const QString builtPage = target + kPart;
    const QString builtFolder = targetFolder + kPart;
    removePath(builtPage);
    removePath(builtFolder);
    bool whole = QFile::copy(source, builtPage);
    if (!whole)
        failures << QStringLiteral("%1: could not be copied to %2").arg(source, target);
    const bool withFolder = QFileInfo(sourceFolder).isDir();
    if (whole && withFolder)
        whole = copyFolder(sourceFolder, builtFolder, failures);
    if (!whole) {
        removePath(builtPage);
        removePath(builtFolder);
        return failures;
    }
    if (!swapInto(builtPage, target, failures)) {
        removePath(builtFolder);
        return failures;
    }
    if (withFolder)
        swapInto(builtFolder, targetFolder, failures);
    else if (QFileInfo::exists(targetFolder))
        removePath(targetFolder);  // replaced by a page without pictures

    for (const QString &name : pageScriptFileNames()) {
        const QString into = QDir(folder).filePath(name);
        if (QFileInfo::exists(into))
            continue;
        const QString from = pageScriptPath(name);
        if (from.isEmpty())
            failures << QStringLiteral("%1: the program's copy of %2 is missing").arg(into, name);
        else if (!QFile::copy(from, into))
            failures << QStringLiteral("%1: could not be copied to %2").arg(from, into);
    }
    return failures;
}

QStringList PageExport::exportZipTo(const QString &path)
{
    if (!prepForPresentation(false) || (gResponsiveEdition && !prepForPresentation(true)))
        return {QStringLiteral("%1: the page could not be saved. %2").arg(document_.tempSavePathLocal, document_.lastSaveError)};
    const QString built = path + kPart;
    removePath(built);
    UploadFTPS transport;
    if (!transport.zipDocument_mailchimp(QDir(document_.tempSavePathLocal).filePath(document_.pageName), built)) {
        removePath(built);
        return {QStringLiteral("%1: %2").arg(path, transport.zipLog())};
    }
    QStringList failures;
    QString error;
    if (!SafeFileWrite::commit(built, path, &error)) {
        removePath(built);
        failures << error;
    }
    return failures;
}

QSize PageExport::pictureSize() const
{
    return PagePicture::size(document_);
}

QImage PageExport::generatePNG(bool transparent)
{
    return PagePicture::render(document_, transparent);
}

QStringList PageExport::exportPictureTo(const QString &path, PictureType type)
{
    const QImage picture = generatePNG(false);
    if (picture.isNull())
        return {QStringLiteral("%1: the page picture could not be drawn").arg(path)};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    bool made = false;
    if (type == PictureType::PDF) {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(picture.width(), picture.height()), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (painter.begin(&pdf)) {
            painter.drawImage(QRectF(0, 0, picture.width(), picture.height()), picture);
            made = painter.end();
        }
    } else {
        QImageWriter writer(&buffer, type == PictureType::PNG ? "png" : "jpeg");
        if (type == PictureType::JPEG)
            writer.setQuality(100);
        made = writer.write(type == PictureType::JPEG ? picture.convertToFormat(QImage::Format_RGB32) : picture);
    }
    buffer.close();
    if (!made || data.isEmpty())
        return {QStringLiteral("%1: the picture could not be encoded").arg(path)};
    QString error;
    if (!SafeFileWrite::write(path, data, &error))
        return {error};
    return {};
}

void PageExport::reportOutcome(const QString &title, const QStringList &failures, const QString &folderToShow)
{
    if (!failures.isEmpty()) {
        Alerts::inform(QStringLiteral("Export Failed"),
                       QStringLiteral("These files could not be exported:\n\n") + failures.join(QLatin1Char('\n')), window_);
        return;
    }
    if (folderToShow.isEmpty())
        return;
    Alert alert;
    alert.messageText = title;
    alert.buttons = {QStringLiteral("Show Folder With Export Files"), QStringLiteral("OK")};
    Alerts::ask(alert, window_, [folderToShow](int response) {
        if (response == Alert::FirstButton)
            QDesktopServices::openUrl(QUrl::fromLocalFile(folderToShow));
    });
}

void PageExport::exportFileTo()
{
    if (!documentSaved())
        return;
    OpenPanelOptions options;
    options.canChooseFiles = false;
    options.canChooseDirectories = true;
    options.prompt = QStringLiteral("Export");
    options.title = QStringLiteral("Select location for export");
    FilePanels::current().showOpenPanel(options, nullptr, [this](const QStringList &paths) {
        if (paths.isEmpty())
            return;
        const QString folder = paths.first();
        if (document_.pageName.isEmpty())
            document_.pageName = createFileName(document_);
        const QString publishExt = document_.publishExt.isEmpty() ? document_.pageFileExtension : document_.publishExt;
        const bool conflict = QFileInfo::exists(QDir(folder).filePath(document_.pageName + QLatin1Char('.') + publishExt))
                              || QFileInfo::exists(QDir(folder).filePath(document_.pageName));
        auto run = [this, folder] {
            reportOutcome(QStringLiteral("Export Complete"), exportFileToFolder(folder, [] { return true; }), folder);
        };
        if (!conflict) {
            run();
            return;
        }
        Alert alert;
        alert.messageText = QStringLiteral("File Name Conflict");
        alert.informativeText = QStringLiteral(
            "File with the same name exists already, would you like to replace?\n\n"
            "Export will output document source file as well as a folder with the same name containing image files used on the web page.");
        if (document_.needImagePopupScript())
            alert.informativeText += QStringLiteral(
                "\n\nThis document uses jQuery scripts, a set of jQuery files will also be exported if they're not already available at this location.");
        alert.buttons = {QObject::tr("Replace"), QObject::tr("Cancel")};
        Alerts::ask(alert, window_, [run](int response) {
            if (response == Alert::FirstButton)
                run();
        });
    });
}

void PageExport::exportZip()
{
    if (!documentSaved())
        return;
    if (document_.pageName.isEmpty())
        document_.pageName = createFileName(document_);
    SavePanelOptions options;
    options.allowedTypes = {QStringLiteral("zip"), QStringLiteral("ZIP")};
    options.nameFieldValue = QStringLiteral("%1_MailChimpExport").arg(document_.pageName);
    FilePanels::current().showSavePanel(options, window_, [this](const QString &chosen) {
        if (chosen.isEmpty())
            return;
        const QString path = withDefaultExtension(chosen, QStringLiteral("zip"));
        reportOutcome(QString(), exportZipTo(path), QString());
    });
}

namespace {

void exportPicture(PageExport &exporter, SKTDocument &document, QObject *window, const QStringList &types,
                   PageExport::PictureType type)
{
    if (document.pageName.isEmpty())
        document.pageName = PageExport::createFileName(document);
    SavePanelOptions options;
    options.allowedTypes = types;
    options.nameFieldValue = document.pageName;
    const QString extension = types.first();
    FilePanels::current().showSavePanel(options, window, [&exporter, extension, type, window](const QString &chosen) {
        if (chosen.isEmpty())
            return;
        // The name says the format: a ".jpg" name gets JPEG bytes whichever
        // item asked, so the file is what its name promises.
        const QString suffix = QFileInfo(chosen).suffix().toLower();
        PageExport::PictureType chosenType = type;
        if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
            chosenType = PageExport::PictureType::JPEG;
        else if (suffix == QLatin1String("png"))
            chosenType = PageExport::PictureType::PNG;
        else if (suffix == QLatin1String("pdf"))
            chosenType = PageExport::PictureType::PDF;
        const QStringList failures = exporter.exportPictureTo(PageExport::withDefaultExtension(chosen, extension), chosenType);
        if (!failures.isEmpty())
            Alerts::inform(QStringLiteral("Export Failed"), failures.join(QLatin1Char('\n')), window);
    });
}

}  // namespace

void PageExport::exportPDFPage()
{
    exportPicture(*this, document_, window_, {QStringLiteral("PDF")}, PictureType::PDF);
}

void PageExport::exportPNGPage()
{
    // Where the item reads "Image", the name chosen may ask for JPEG too.
    exportPicture(*this, document_, window_,
                  {QStringLiteral("PNG"), QStringLiteral("png"), QStringLiteral("JPG"), QStringLiteral("jpg"),
                   QStringLiteral("JPEG"), QStringLiteral("jpeg")},
                  PictureType::PNG);
}

void PageExport::exportJPEGPage()
{
    exportPicture(*this, document_, window_,
                  {QStringLiteral("JPG"), QStringLiteral("JPEG"), QStringLiteral("jpg"), QStringLiteral("jpeg")}, PictureType::JPEG);
}
