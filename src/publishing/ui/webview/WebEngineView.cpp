// The web view module: previews in an embedded Chromium view. Built as a
// shared library of its own and loaded on the first preview, so the program
// starts without the web engine.
#include "publishing/ui/EmbeddedWebView.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>

namespace {

class WebEngineView final : public EmbeddedWebView {
public:
    explicit WebEngineView(QWidget *parent)
    {
        // A profile without a storage name keeps nothing on disk; with no HTTP
        // cache a preview never shows an older page or picture.
        profile_ = new QWebEngineProfile(parent);
        profile_->setHttpCacheType(QWebEngineProfile::NoCache);
        view_ = new QWebEngineView(parent);
        view_->setPage(new QWebEnginePage(profile_, view_));
        QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) {
            if (finished)
                finished(ok);
        });
        QObject::connect(view_->page(), &QWebEnginePage::renderProcessTerminated, view_,
                         [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                             if (status != QWebEnginePage::NormalTerminationStatus && failed)
                                 failed();
                         });
    }

    ~WebEngineView() override
    {
        // The page must go before the profile it uses.
        delete view_;
        delete profile_;
    }

    QWidget *widget() override { return view_; }

    void load(const QUrl &url) override
    {
        profile_->clearHttpCache();
        view_->load(url);
    }

private:
    QWebEngineProfile *profile_ = nullptr;
    QWebEngineView *view_ = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT EmbeddedWebView *zovCreateEmbeddedWebView(QWidget *parent)
{
    return new WebEngineView(parent);
}
