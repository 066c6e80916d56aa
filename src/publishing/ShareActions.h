#pragma once
// What the share window's sharing buttons do with the published address and a
// picture of the page: open it in the browser, copy it, mail it (xdg-email, or a
// mailto: address when that is missing) or post it through the networks' public
// share addresses with the picture left on the clipboard.
#include <QImage>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class ShareActions {
public:
    // shareLink: the published address (may be empty); picture: makes the page's
    // picture when an action needs it; window: where alerts go.
    ShareActions(QString shareLink, std::function<QImage()> picture, QObject *window = nullptr);

    void launchInSafari();
    void sendShareLinkToClipboard();
    void sendShareImageToClipboard();
    void shareOnFacebook();
    void shareOnTwitter();
    void shareByEmail();
    // Asks, then opens the edition's store page.
    void rateApp();

    static QUrl facebookShareUrl(const QString &link);
    static QUrl twitterShareUrl(const QString &link);
    static QUrl mailtoUrl(const QString &subject, const QString &link);
    static QString emailSubject();
    // The program xdg-email is looked up as (tests point it elsewhere; empty: none).
    static void setMailProgram(const QString &program);

private:
    void putPictureOnClipboard();

    QString link_;
    std::function<QImage()> picture_;
    QObject *window_;
};
