#pragma once
// A window that shows a local page file as a browser would, always as it is on
// disk now: its web view has an off-the-record profile without an HTTP cache and
// every load goes to the file afresh. A local php page (a web form) raises the
// notice that forms only work once published. The view comes from the web
// view module, loaded with the first preview window; without the module,
// loadPage opens the file in the default browser instead.
#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>

class EmbeddedWebView;

class WebPreviewWindow : public QWidget {
    Q_OBJECT
public:
    WebPreviewWindow(const QString &title, const QSize &size, QWidget *parent = nullptr);
    ~WebPreviewWindow() override;

    void setWebURLString(const QString &path) { webURLString_ = path; }
    const QString &webURLString() const { return webURLString_; }
    // Loads webURLString afresh (and shows the window).
    void loadPage();

    // The embedded view (a QWebEngineView); null without the web view module.
    QWidget *webView() const;

signals:
    // A load of the main page ended (ok: it was shown).
    void pageLoaded(bool ok);

private:
    void loadFinished(bool ok);
    // The engine behind the view stopped: say so, keep the program running.
    void webViewFailed();

    QString webURLString_;
    std::unique_ptr<EmbeddedWebView> view_;
};
