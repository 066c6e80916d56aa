#include "platform/DropboxClient.h"

#include "platform/Bundle.h"
#include "platform/CredentialStore.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>

namespace {

// The upload endpoint takes at most this much in one call.
constexpr qint64 kMaxUploadBytes = 150LL * 1024 * 1024;
constexpr int kMaxRateLimitRetries = 3;

QByteArray base64Url(const QByteArray &data)
{
    return data.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

QByteArray formBody(const QList<QPair<QString, QString>> &fields)
{
    QByteArray body;
    for (const auto &[name, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    return body;
}

// "/folder/name" with single slashes whatever the folder's own slashes.
QString joinedPath(const QString &folder, const QString &name)
{
    QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    parts.append(name);
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

// What Dropbox said, shortest first: its error summary, an OAuth description, or the
// body as text.
QString answerText(const QJsonObject &json, const QByteArray &body)
{
    const QString summary = json.value(QStringLiteral("error_summary")).toString();
    if (!summary.isEmpty())
        return summary;
    const QString description = json.value(QStringLiteral("error_description")).toString();
    if (!description.isEmpty())
        return json.value(QStringLiteral("error")).toString() + QStringLiteral(": ") + description;
    return QString::fromUtf8(body.left(500)).trimmed();
}

}  // namespace

DropboxClient::DropboxClient(const QString &appKey, UserDefaults *defaults)
    : appKey_(appKey)
    , defaults_(defaults)
{
}

DropboxClient::DropboxClient()
    : DropboxClient(Bundle::dropboxAppKey())
{
}

void DropboxClient::setBaseAddresses(const QString &web, const QString &api, const QString &content)
{
    auto trimmed = [](QString address) {
        while (address.endsWith(QLatin1Char('/')))
            address.chop(1);
        return address;
    };
    web_ = trimmed(web);
    api_ = trimmed(api);
    content_ = trimmed(content);
}

QString DropboxClient::refreshToken()
{
    if (!refreshTokenRead_) {
        refreshToken_ = CredentialStore(defaults_).password(refreshTokenKey());
        refreshTokenRead_ = true;
    }
    return refreshToken_;
}

bool DropboxClient::isLinked()
{
    return !refreshToken().isEmpty();
}

QString DropboxClient::beginSignIn()
{
    QByteArray random(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
    verifier_ = QString::fromLatin1(base64Url(random));
    const QByteArray challenge = base64Url(QCryptographicHash::hash(verifier_.toLatin1(), QCryptographicHash::Sha256));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("client_id"), appKey_);
    query.addQueryItem(QStringLiteral("response_type"), QStringLiteral("code"));
    query.addQueryItem(QStringLiteral("code_challenge"), QString::fromLatin1(challenge));
    query.addQueryItem(QStringLiteral("code_challenge_method"), QStringLiteral("S256"));
    query.addQueryItem(QStringLiteral("token_access_type"), QStringLiteral("offline"));
    QUrl url(web_ + QStringLiteral("/oauth2/authorize"));
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

bool DropboxClient::finishSignIn(const QString &code)
{
    needsRelink_ = false;
    lastError_.clear();
    const QString pasted = code.trimmed();
    if (verifier_.isEmpty()) {
        lastError_ = QStringLiteral("The sign-in was not started here; start linking Dropbox again.");
        return false;
    }
    if (pasted.isEmpty()) {
        lastError_ = QStringLiteral("No code was entered.");
        return false;
    }
    Answer answer = call(api_ + QStringLiteral("/oauth2/token"), "application/x-www-form-urlencoded",
                         formBody({{QStringLiteral("code"), pasted},
                                   {QStringLiteral("grant_type"), QStringLiteral("authorization_code")},
                                   {QStringLiteral("client_id"), appKey_},
                                   {QStringLiteral("code_verifier"), verifier_}}));
    const QString refresh = answer.json.value(QStringLiteral("refresh_token")).toString();
    if (answer.response.status != 200 || refresh.isEmpty())
        return fail(QStringLiteral("Dropbox did not accept the code."), answer);
    // A verifier serves one code only.
    verifier_.clear();
    QString error;
    if (!CredentialStore(defaults_).setPassword(refreshTokenKey(), refresh, &error)) {
        lastError_ = QStringLiteral("The Dropbox link could not be stored: %1").arg(error);
        return false;
    }
    refreshToken_ = refresh;
    refreshTokenRead_ = true;
    accessToken_ = answer.json.value(QStringLiteral("access_token")).toString();
    http_.addSecret(accessToken_);
    http_.addSecret(refresh);
    return true;
}

void DropboxClient::unlink()
{
    if (!accessToken_.isEmpty() || (!refreshToken().isEmpty() && refreshAccessToken())) {
        // Revoking the access token ends its refresh token too.
        call(api_ + QStringLiteral("/2/auth/token/revoke"), "application/json", "null");
    }
    CredentialStore(defaults_).removePassword(refreshTokenKey());
    accessToken_.clear();
    refreshToken_.clear();
    refreshTokenRead_ = true;
}

bool DropboxClient::refreshAccessToken()
{
    const QString refresh = refreshToken();
    if (refresh.isEmpty()) {
        needsRelink_ = true;
        lastError_ = QStringLiteral("No Dropbox account is linked.");
        return false;
    }
    http_.addSecret(refresh);
    Answer answer = call(api_ + QStringLiteral("/oauth2/token"), "application/x-www-form-urlencoded",
                         formBody({{QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
                                   {QStringLiteral("refresh_token"), refresh},
                                   {QStringLiteral("client_id"), appKey_}}));
    const QString token = answer.json.value(QStringLiteral("access_token")).toString();
    if (answer.response.status == 200 && !token.isEmpty()) {
        accessToken_ = token;
        http_.addSecret(token);
        return true;
    }
    if (answer.response.ok && answer.json.value(QStringLiteral("error")).toString() == QLatin1String("invalid_grant")) {
        // The user revoked the app's access elsewhere: this token is of no further use.
        CredentialStore(defaults_).removePassword(refreshTokenKey());
        refreshToken_.clear();
        needsRelink_ = true;
    }
    return fail(QStringLiteral("Dropbox did not renew the sign-in."), answer);
}

bool DropboxClient::ensureAccessToken()
{
    return !accessToken_.isEmpty() || refreshAccessToken();
}

DropboxClient::Answer DropboxClient::call(const QString &url, const QByteArray &contentType, const QByteArray &body,
                                          const QByteArray &apiArg)
{
    const bool tokenCall = url.endsWith(QLatin1String("/oauth2/token"));
    bool renewed = false;
    int rateLimited = 0;
    for (;;) {
        Answer answer;
        QList<QByteArray> headers{"Content-Type: " + contentType};
        if (!tokenCall) {
            if (!ensureAccessToken()) {
                answer.response.error = lastError_;
                return answer;
            }
            headers.append("Authorization: Bearer " + accessToken_.toUtf8());
        }
        if (!apiArg.isEmpty())
            headers.append("Dropbox-API-Arg: " + apiArg);
        answer.response = http_.post(url, headers, body, 300000);
        if (!answer.response.ok)
            return answer;
        answer.json = QJsonDocument::fromJson(answer.response.body).object();
        answer.tag = answer.json.value(QStringLiteral("error")).toObject().value(QStringLiteral(".tag")).toString();
        const int status = answer.response.status;
        if (status == 401 && !tokenCall && !renewed) {
            // Expired, or revoked and replaced: one renewal, then the call again.
            renewed = true;
            accessToken_.clear();
            if (!refreshAccessToken())
                return answer;
            continue;
        }
        if (status == 429 && rateLimited < kMaxRateLimitRetries) {
            const QJsonObject error = answer.json.value(QStringLiteral("error")).toObject();
            const int waitMs = qMax(1, error.value(QStringLiteral("retry_after")).toInt(1)) * 1000;
            if (waitMs <= maxRetryWaitMs_) {
                ++rateLimited;
                QThread::msleep(ulong(waitMs));
                continue;
            }
        }
        return answer;
    }
}

bool DropboxClient::fail(const QString &what, const Answer &answer)
{
    const HttpClient::Response &r = answer.response;
    QString detail;
    if (!r.ok) {
        detail = r.error;
    } else if (r.status == 401) {
        needsRelink_ = true;
        detail = QStringLiteral("Dropbox no longer accepts the link to your account (%1).")
                     .arg(answerText(answer.json, r.body));
    } else if (r.status == 429) {
        const int seconds = answer.json.value(QStringLiteral("error")).toObject().value(QStringLiteral("retry_after")).toInt(1);
        detail = QStringLiteral("Dropbox asks to wait %1 seconds before the next call.").arg(seconds);
    } else {
        detail = QStringLiteral("Dropbox answered %1: %2").arg(r.status).arg(answerText(answer.json, r.body));
    }
    lastError_ = what + QLatin1Char('\n') + detail;
    return false;
}

QByteArray DropboxClient::apiArgument(const QJsonObject &argument)
{
    const QString json = QString::fromUtf8(QJsonDocument(argument).toJson(QJsonDocument::Compact));
    QByteArray out;
    for (const QChar c : json) {
        if (c.unicode() < 0x7f && c.unicode() >= 0x20)
            out += char(c.unicode());
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
    }
    return out;
}

bool DropboxClient::upload(const QString &localPath, const QString &folder, const QString &name, Uploaded *uploaded)
{
    needsRelink_ = false;
    lastError_.clear();
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        lastError_ = QStringLiteral("Cannot read %1: %2").arg(localPath, file.errorString());
        return false;
    }
    if (file.size() > kMaxUploadBytes) {
        lastError_ = QStringLiteral("%1 is larger than the 150 MB Dropbox takes in one upload.").arg(localPath);
        return false;
    }
    const QByteArray data = file.readAll();
    if (data.size() != file.size()) {
        lastError_ = QStringLiteral("Cannot read %1: %2").arg(localPath, file.errorString());
        return false;
    }
    const QJsonObject argument{{QStringLiteral("path"), joinedPath(folder, name)},
                               {QStringLiteral("mode"), QStringLiteral("add")},
                               {QStringLiteral("autorename"), true},
                               {QStringLiteral("mute"), true}};
    Answer answer = call(content_ + QStringLiteral("/2/files/upload"), "application/octet-stream", data,
                         apiArgument(argument));
    if (answer.response.status != 200)
        return fail(QStringLiteral("The upload of %1 failed.").arg(QFileInfo(localPath).fileName()), answer);
    const QString path = answer.json.value(QStringLiteral("path_display")).toString();
    const qint64 size = answer.json.value(QStringLiteral("size")).toInteger(-1);
    if (path.isEmpty() || size != data.size()) {
        lastError_ = QStringLiteral("Dropbox stored %1 of the %2 bytes of %3; the upload does not count.")
                         .arg(size).arg(data.size()).arg(QFileInfo(localPath).fileName());
        return false;
    }
    if (uploaded)
        *uploaded = {path, size};
    return true;
}

bool DropboxClient::sharedLink(const QString &path, QString *url)
{
    needsRelink_ = false;
    lastError_.clear();
    const QByteArray argument = QJsonDocument(QJsonObject{{QStringLiteral("path"), path}}).toJson(QJsonDocument::Compact);
    Answer answer = call(api_ + QStringLiteral("/2/sharing/create_shared_link_with_settings"), "application/json", argument);
    QString link;
    if (answer.response.status == 200) {
        link = answer.json.value(QStringLiteral("url")).toString();
    } else if (answer.response.status == 409 && answer.tag == QLatin1String("shared_link_already_exists")) {
        link = answer.json.value(QStringLiteral("error")).toObject().value(QStringLiteral("shared_link_already_exists"))
                   .toObject().value(QStringLiteral("metadata")).toObject().value(QStringLiteral("url")).toString();
        if (link.isEmpty()) {
            const QByteArray listArgument = QJsonDocument(QJsonObject{{QStringLiteral("path"), path},
                                                                      {QStringLiteral("direct_only"), true}})
                                                .toJson(QJsonDocument::Compact);
            answer = call(api_ + QStringLiteral("/2/sharing/list_shared_links"), "application/json", listArgument);
            if (answer.response.status == 200) {
                const QJsonArray links = answer.json.value(QStringLiteral("links")).toArray();
                if (!links.isEmpty())
                    link = links.first().toObject().value(QStringLiteral("url")).toString();
            }
        }
    }
    if (link.isEmpty()) {
        if (answer.response.status == 200)
            lastError_ = QStringLiteral("Dropbox gave no link to %1.").arg(path);
        else
            fail(QStringLiteral("Dropbox gave no link to %1.").arg(path), answer);
        return false;
    }
    if (url)
        *url = link;
    return true;
}

QString DropboxClient::directLink(const QString &url)
{
    QUrl parsed(url);
    QUrlQuery query(parsed);
    query.removeAllQueryItems(QStringLiteral("dl"));
    query.addQueryItem(QStringLiteral("dl"), QStringLiteral("1"));
    parsed.setQuery(query);
    return parsed.toString(QUrl::FullyEncoded);
}
