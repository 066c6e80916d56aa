#pragma once
// What one document window keeps for publishing: the publish job of its page, the
// commands that fill it, the share window and the connection log, and the page's
// previews. The window's commands reach them through this object; it follows the
// page the window shows, so switching pages never publishes the page left behind.
#include "publishing/PublishCommands.h"
#include "publishing/PublishJob.h"
#include "publishing/ui/ConnectionLogWindowController.h"
#include "publishing/ui/ShareWindowController.h"
#include "platform/ui/CommandRegistry.h"

#include <QObject>
#include <QPointer>

#include <memory>

class PagePreviews;
class PageExport;

class PublishingWindowSession : public PublishCommandsHost {
public:
    explicit PublishingWindowSession(DocumentWindowContext context);
    ~PublishingWindowSession() override;
    PublishingWindowSession(const PublishingWindowSession &) = delete;
    PublishingWindowSession &operator=(const PublishingWindowSession &) = delete;

    const DocumentWindowContext &context() const { return context_; }

    // The page's commands; null when the window shows no page.
    PublishCommands *commands();
    PagePreviews *previews();
    // The exporter of the current page (alerts on the window); null without a page.
    // Kept, since its panels answer later.
    PageExport *exporter();
    PublishJob &job() { return job_; }
    bool isPublishing() const { return job_.isRunning(); }
    // Whether the project lists pages (the site commands need some).
    bool pagesListed() const;

    // The share window of the window's page, labelled with the last published
    // address; made on first use.
    ShareWindowController *showShareWindowController();
    ShareWindowController *shareWindowController() const { return share_; }
    ConnectionLogWindowController *connectionLogWindowController() const { return log_; }

    // PublishCommandsHost
    QObject *publishWindow() override;
    void showShareWindow(const QString &address, const QString &label) override;
    void showConnectionLog(const QString &log) override;
    void addLinkTextBox(const QString &text, const QString &link, const QRectF &frame) override;
    QList<SitePage> sitePages() override;
    QString openWebsiteFolderPath() override;
    bool needToForceRefresh() override;
    void forceRefreshWebsite() override;
    bool loopThroughPages(bool showProgress) override;
    void showFormPreferences() override;

private:
    // The document the window shows now; rebuilds what depends on it when the
    // window shows another document object.
    SKTDocument *follow();
    void answerShareExport(const QString &action);

    DocumentWindowContext context_;
    PublishJob job_;
    SKTDocument *document_ = nullptr;
    std::unique_ptr<PublishCommands> commands_;
    std::unique_ptr<PagePreviews> previews_;
    std::unique_ptr<PageExport> exporter_;
    QPointer<ShareWindowController> share_;
    QPointer<ConnectionLogWindowController> log_;
    QString shareLabel_;
    QString shareAddress_;
};
