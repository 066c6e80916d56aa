#include "publishing/ui/WebPreviewWindow.h"

#include "platform/Alerts.h"
#include "publishing/WebPreviewFolder.h"
#include "publishing/ui/WebViewModule.h"

#include <QDesktopServices>
#include <QVBoxLayout>

WebPreviewWindow::WebPreviewWindow(const QString &title, const QSize &size, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(title);
    resize(size);
    view_ = WebViewModule::create(this);
    if (!view_)
        return;
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_->widget());
    view_->finished = [this](bool ok) { loadFinished(ok); };
    view_->failed = [this] { webViewFailed(); };
}

WebPreviewWindow::~WebPreviewWindow() = default;

QWidget *WebPreviewWindow::webView() const
{
    return view_ ? view_->widget() : nullptr;
}

void WebPreviewWindow::loadPage()
{
    const QUrl url = QUrl::fromLocalFile(webURLString_);
    if (view_) {
        view_->load(url);
        show();
        raise();
        return;
    }
    QDesktopServices::openUrl(url);
    loadFinished(true);
}

void WebPreviewWindow::webViewFailed()
{
    // Only the preview is lost: the page was written before it was shown.
    const QString path = webURLString_;
    hide();
    Alerts::inform(QStringLiteral("Preview Not Available"),
                   QStringLiteral("The web view could not show the page. Your work is kept; the generated page "
                                  "is at:\n%1").arg(path),
                   nullptr);
    emit pageLoaded(false);
}

void WebPreviewWindow::loadFinished(bool ok)
{
    const QUrl url = QUrl::fromLocalFile(webURLString_);
    if (WebPreviewFolder::isLocalPhpPage(url))
        Alerts::inform(WebPreviewFolder::phpNoticeTitle(), WebPreviewFolder::phpNoticeText(), this);
    emit pageLoaded(ok);
}
