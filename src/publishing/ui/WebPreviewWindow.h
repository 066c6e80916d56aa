#pragma once
// A window that shows a local page file as a browser would, always as it is on
// disk now: its web view has an off-the-record profile without an HTTP cache and
// every load goes to the file afresh. A local php page (a web form) raises the
// notice that forms only work once published. Built without the embedded web
// view, loadPage opens the file in the default browser instead.
#include <QString>
#include <QUrl>
#include <QWidget>

class QWebEngineProfile;
class QWebEngineView;

class WebPreviewWindow : public QWidget {
    Q_OBJECT
public:
    WebPreviewWindow(const QString &title, const QSize &size, QWidget *parent = nullptr);
    ~WebPreviewWindow() override;

    void setWebURLString(const QString &path) { webURLString_ = path; }
    const QString &webURLString() const { return webURLString_; }
    // Loads webURLString afresh (and shows the window).
    void loadPage();

    // Null when built without the embedded web view.
    QWebEngineView *webView() const { return view_; }

signals:
    // A load of the main page ended (ok: it was shown).
    void pageLoaded(bool ok);

private:
    void loadFinished(bool ok);
    // The engine behind the view stopped: say so, keep the program running.
    void webViewFailed();

    QString webURLString_;
    QWebEngineProfile *profile_ = nullptr;
    QWebEngineView *view_ = nullptr;
};
