#pragma once
// The user's Dropbox, through its HTTP API v2, for hosting the pictures of e-mail
// designs: sign-in, upload into the app folder, a public link to the upload, and
// sign-out.
//
// Sign-in is OAuth 2 with PKCE and no app secret: the browser opens the address of
// beginSignIn(), Dropbox shows a code after the user allows access, the user pastes it
// and finishSignIn() trades it (with the verifier made for that address) for a
// refresh token, which the credential store keeps under "dropboxRefreshToken". Access
// tokens live in memory only and are renewed from the refresh token when missing or
// refused as expired.
//
// Calls block; run them off the main thread. One client serves one job at a time.
#include "platform/HttpClient.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

class UserDefaults;

class DropboxClient {
public:
    // appKey empty: the build has no app key and Dropbox stays hidden.
    explicit DropboxClient(const QString &appKey, UserDefaults *defaults = nullptr);
    // The app key of the build.
    DropboxClient();

    static QString refreshTokenKey() { return QStringLiteral("dropboxRefreshToken"); }

    bool isAvailable() const { return !appKey_.isEmpty(); }
    // True when a refresh token is stored.
    bool isLinked();

    // Where the three Dropbox hosts are (tests point all three at one stand-in).
    void setBaseAddresses(const QString &web, const QString &api, const QString &content);
    void setBaseAddress(const QString &all) { setBaseAddresses(all, all, all); }

    // A new verifier and the address that asks the user to allow access.
    QString beginSignIn();
    // Trades the code the browser showed for a refresh token and stores it.
    bool finishSignIn(const QString &code);
    // Revokes the tokens (a failure to reach Dropbox does not keep the link) and
    // forgets the refresh token.
    void unlink();

    struct Uploaded {
        QString path;   // as Dropbox stored it (path_display)
        qint64 size = 0;
    };
    // Uploads the file at localPath as folder/name in the app folder; a name already
    // taken gets Dropbox's numbered variant. Fails unless the stored size is the file's.
    bool upload(const QString &localPath, const QString &folder, const QString &name, Uploaded *uploaded);
    // A public link to the file at path: a new one, else the one it already has.
    bool sharedLink(const QString &path, QString *url);

    // The link as a direct download: its "dl" query item set to 1, once.
    static QString directLink(const QString &url);

    // Why the last call failed, in words for the user, then what Dropbox answered.
    QString lastError() const { return lastError_; }
    // The last failure needs the user to link the account again.
    bool needsRelink() const { return needsRelink_; }
    // Waits this long at most when Dropbox asks to slow down (tests shorten it).
    void setMaximumRetryWaitMs(int ms) { maxRetryWaitMs_ = ms; }

    // The "Dropbox-API-Arg" header value: JSON with everything outside ASCII escaped,
    // as HTTP headers must be.
    static QByteArray apiArgument(const QJsonObject &argument);

private:
    struct Answer {
        HttpClient::Response response;
        QJsonObject json;
        QString tag;  // error[".tag"] of an error answer
    };
    bool ensureAccessToken();
    bool refreshAccessToken();
    Answer call(const QString &url, const QByteArray &contentType, const QByteArray &body,
                const QByteArray &apiArg = {});
    bool fail(const QString &what, const Answer &answer);
    QString refreshToken();

    QString appKey_;
    UserDefaults *defaults_ = nullptr;
    QString web_ = QStringLiteral("https://www.dropbox.com");
    QString api_ = QStringLiteral("https://api.dropboxapi.com");
    QString content_ = QStringLiteral("https://content.dropboxapi.com");
    QString verifier_;
    QString accessToken_;
    QString refreshToken_;
    bool refreshTokenRead_ = false;
    QString lastError_;
    bool needsRelink_ = false;
    int maxRetryWaitMs_ = 10000;
    HttpClient http_;
};
