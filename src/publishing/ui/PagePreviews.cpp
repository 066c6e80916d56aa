#include "publishing/ui/PagePreviews.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "publishing/PageExport.h"
#include "publishing/ui/WebPreviewWindow.h"

#include <QDir>
#include <QFileInfo>

PagePreviews::PagePreviews(SKTDocument &document, QObject *parent) : QObject(parent), document_(document) {}

PagePreviews::~PagePreviews() = default;

bool PagePreviews::showWebPreview()
{
    // Written in the page's declared encoding, as the preview generation reads it.
    // The page is stored first, as exporting stores it: that writes the
    // pictures added since the last save, which the copy for presenting
    // does not write.
    if (!PageExport(document_).prepForPresentation(false))
        return false;
    document_.FTPUploadFlag = 999;
    gPreviewMode = true;
    const bool written = PageExport(document_).prepForPresentation(true);
    gPreviewMode = false;
    if (!written)
        return false;
    const QString source = gOpenFromWebsiteFolder && !document_.openWebsiteFolderTempPath.isEmpty()
                               ? document_.openWebsiteFolderTempPath
                               : QFileInfo(document_.pagePath).path();
    const QString copy = copies_.makeCopy(source, gWorkFolder);
    auto window = std::make_unique<WebPreviewWindow>(QStringLiteral("Preview"), QSize(1200, 800));
    if (desktop_)
        window->move(desktop_->pos().x(), desktop_->pos().y() + 20);
    desktop_ = std::move(window);
    desktop_->setWebURLString(QDir(copy).filePath(document_.pageName + QLatin1Char('.') + document_.pageFileExtension));
    desktop_->loadPage();
    return !copy.isEmpty();
}

bool PagePreviews::showMobileWebPreview()
{
    if (!mobile_)
        mobile_ = std::make_unique<WebPreviewWindow>(QStringLiteral("Mobile Preview"), QSize(800, 600));
    if (!PageExport(document_).prepForPresentation(false))
        return false;
    document_.FTPUploadFlag = 999;
    if (!PageExport(document_).prepForPresentation(true))
        return false;
    mobile_->setWebURLString(QDir(document_.tempSavePathLocal).filePath(document_.pageName + QLatin1Char('.') + document_.pageFileExtension));
    mobile_->loadPage();
    return true;
}
