#include "publishing/ui/WebPreviewWindow.h"

#include "platform/Alerts.h"
#include "publishing/WebPreviewFolder.h"
#include "publishing/ui/WebViewStart.h"

#include <QDesktopServices>
#include <QVBoxLayout>

#ifdef ZOV_WITH_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#endif

WebPreviewWindow::WebPreviewWindow(const QString &title, const QSize &size, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(title);
    resize(size);
#ifdef ZOV_WITH_WEBENGINE
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // A profile without a storage name keeps nothing on disk; with no HTTP cache
    // a preview never shows an older page or picture.
    WebViewStart::prepare();
    profile_ = new QWebEngineProfile(this);
    profile_->setHttpCacheType(QWebEngineProfile::NoCache);
    view_ = new QWebEngineView(this);
    view_->setPage(new QWebEnginePage(profile_, view_));
    layout->addWidget(view_);
    connect(view_, &QWebEngineView::loadFinished, this, &WebPreviewWindow::loadFinished);
    connect(view_->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    webViewFailed();
            });
#endif
}

WebPreviewWindow::~WebPreviewWindow()
{
#ifdef ZOV_WITH_WEBENGINE
    // The page must go before the profile it uses.
    delete view_;
    view_ = nullptr;
#endif
}

void WebPreviewWindow::loadPage()
{
    const QUrl url = QUrl::fromLocalFile(webURLString_);
#ifdef ZOV_WITH_WEBENGINE
    view_->page()->profile()->clearHttpCache();
    view_->load(url);
    show();
    raise();
#else
    QDesktopServices::openUrl(url);
    loadFinished(true);
#endif
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
