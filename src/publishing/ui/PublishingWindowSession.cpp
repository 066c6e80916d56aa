#include "publishing/ui/PublishingWindowSession.h"

#include "document/SKTDocument.h"
#include "generation/ui/FormPreferencesDialog.h"
#include "insertion/InsertionFrame.h"
#include "insertion/TextBoxFactory.h"
#include "model/SKTGraphic.h"
#include "platform/ActionResponder.h"
#include "publishing/PageExport.h"
#include "publishing/ui/ConnectionLogWindowController.h"
#include "publishing/ui/PagePreviews.h"
#include "publishing/ui/ShareWindowController.h"
#include "window/ProjectPages.h"

#include <QWidget>

PublishingWindowSession::PublishingWindowSession(DocumentWindowContext context)
    : context_(std::move(context)), job_(this)
{
}

PublishingWindowSession::~PublishingWindowSession()
{
    // The share window may outlive this object for a moment (it belongs to the
    // document window): it must not call back into it.
    if (share_) {
        QObject::disconnect(share_, &ShareWindowController::exportRequested, nullptr, nullptr);
        share_->setPictureProvider({});
    }
    // The windows belong to the document window when it has one; alone they go here.
    if (!context_.window) {
        delete share_.data();
        delete log_.data();
    }
}

SKTDocument *PublishingWindowSession::follow()
{
    SKTDocument *now = context_.currentDocument();
    if (now == document_)
        return now;
    // A running job keeps its commands: they hold the page it sends.
    if (job_.isRunning())
        return document_;
    commands_.reset();
    previews_.reset();
    exporter_.reset();
    document_ = now;
    return now;
}

PublishCommands *PublishingWindowSession::commands()
{
    SKTDocument *document = follow();
    if (!document)
        return nullptr;
    if (!commands_)
        commands_ = std::make_unique<PublishCommands>(*document, this, job_);
    return commands_.get();
}

PagePreviews *PublishingWindowSession::previews()
{
    SKTDocument *document = follow();
    if (!document)
        return nullptr;
    if (!previews_)
        previews_ = std::make_unique<PagePreviews>(*document);
    return previews_.get();
}

PageExport *PublishingWindowSession::exporter()
{
    SKTDocument *document = follow();
    if (!document)
        return nullptr;
    if (!exporter_)
        exporter_ = std::make_unique<PageExport>(*document, context_.window);
    return exporter_.get();
}

bool PublishingWindowSession::pagesListed() const
{
    return context_.project && !context_.project->scan.siteIconArray.isEmpty();
}

ShareWindowController *PublishingWindowSession::showShareWindowController()
{
    SKTDocument *document = follow();
    if (!share_) {
        share_ = new ShareWindowController(context_.window);
        QObject::connect(share_, &ShareWindowController::exportRequested, share_,
                         [this](const QString &action) { answerShareExport(action); });
    }
    share_->setPictureProvider([this]() -> QImage {
        PageExport *page = exporter();
        return page ? page->generatePNG(false) : QImage();
    });
    (void)document;
    share_->showWithLabel(shareLabel_, shareAddress_);
    return share_;
}

void PublishingWindowSession::answerShareExport(const QString &action)
{
    if (action == QLatin1String("exportAllPDF") || action == QLatin1String("exportAllPDFFast")) {
        // The book is the printing side's: it answers through the window's chain.
        ActionItemState sender;
        sender.action = action == QLatin1String("exportAllPDF") ? QStringLiteral("generateTruePDFFile")
                                                                 : QStringLiteral("generateTruePDFFileFast");
        ResponderChain::send(sender.action, sender);
        return;
    }
    PageExport *page = exporter();
    if (!page)
        return;
    if (action == QLatin1String("exportPNGPageFromShare"))
        page->exportPNGPage();
    else if (action == QLatin1String("exportJPEGPageFromShare"))
        page->exportJPEGPage();
    else if (action == QLatin1String("exportPDFPageFromShare"))
        page->exportPDFPage();
}

QObject *PublishingWindowSession::publishWindow()
{
    return context_.window;
}

void PublishingWindowSession::showShareWindow(const QString &address, const QString &label)
{
    shareAddress_ = address;
    shareLabel_ = label;
    showShareWindowController();
}

void PublishingWindowSession::showConnectionLog(const QString &log)
{
    if (!log_)
        log_ = new ConnectionLogWindowController(context_.window);
    log_->showLog(log);
}

void PublishingWindowSession::addLinkTextBox(const QString &text, const QString &link, const QRectF &frame)
{
    SKTDocument *document = follow();
    if (!document)
        return;
    // The page's own text box style, linking to the file just published.
    TextBoxSpec box;
    box.text = text;
    box.link = link;
    box.frame = frame;
    box.groupNumber = -99;
    if (auto graphic = InsertionFrame::makeGraphic(QStringLiteral("SKTText"), TextBoxFactory::textBoxProperties(box)))
        document->insertGraphicAtIndex(graphic, 0);
}

QList<PublishCommandsHost::SitePage> PublishingWindowSession::sitePages()
{
    QList<SitePage> pages;
    if (!context_.project)
        return pages;
    for (const PageEntry &entry : context_.project->scan.siteIconArray)
        pages.append({entry.pagePublishFileName, entry.pageName});
    return pages;
}

QString PublishingWindowSession::openWebsiteFolderPath()
{
    if (context_.project)
        return context_.project->openWebsiteFolderPath();
    return context_.currentProjectFolder();
}

bool PublishingWindowSession::needToForceRefresh()
{
    return context_.project && context_.project->needToForceRefresh();
}

void PublishingWindowSession::forceRefreshWebsite()
{
    if (context_.project)
        context_.project->forceRefreshWebsite();
}

bool PublishingWindowSession::loopThroughPages(bool showProgress)
{
    return !context_.project || context_.project->loopThroughPages(showProgress);
}

void PublishingWindowSession::showFormPreferences()
{
    if (SKTDocument *document = follow())
        FormPreferencesDialog::showFormPreferences(*document, context_.window);
}
