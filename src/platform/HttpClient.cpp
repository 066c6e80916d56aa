#include "platform/HttpClient.h"

#include <QUrl>

HttpClient::Response HttpClient::get(const QString &url, int timeoutMs, qint64 maxBytes)
{
    return perform(url, {"Cache-Control: no-cache", "Pragma: no-cache"}, nullptr, timeoutMs, maxBytes);
}

HttpClient::Response HttpClient::post(const QString &url, const QList<QByteArray> &headers, const QByteArray &body,
                                      int timeoutMs, qint64 maxBytes)
{
    return perform(url, headers, &body, timeoutMs, maxBytes);
}

HttpClient::Response HttpClient::perform(const QString &url, const QList<QByteArray> &headerLines,
                                         const QByteArray *postBody, int timeoutMs, qint64 maxBytes)
{
    Response response;
    const QUrl parsed(url);
    const QString scheme = parsed.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        response.error = QStringLiteral("Only http and https addresses can be fetched: %1").arg(url);
        return response;
    }
    connection_.begin(qMin(timeoutMs, 15000));
    CURL *curl = connection_.handle();
    const QByteArray encoded = parsed.toEncoded();
    curl_easy_setopt(curl, CURLOPT_URL, encoded.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    if (postBody) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, postBody->constData());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(postBody->size()));
    } else {
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    }
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(timeoutMs));
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_slist *headers = nullptr;
    for (const QByteArray &line : headerLines)
        headers = curl_slist_append(headers, line.constData());
    // A body of some size would otherwise wait a second for "100 Continue".
    if (postBody)
        headers = curl_slist_append(headers, "Expect:");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    connection_.verifyTls();
    connection_.collectBody(maxBytes);
    const CURLcode code = connection_.perform();
    curl_slist_free_all(headers);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    char *effective = nullptr;
    curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &effective);
    response.status = int(status);
    response.finalUrl = effective ? QString::fromUtf8(effective) : url;
    if (code != CURLE_OK) {
        response.error = connection_.lastErrorText();
        response.rejectedCertificatePem = connection_.rejectedCertificatePem();
        response.rejectedCertificateFingerprint = connection_.rejectedCertificateFingerprint();
        response.rejectedCertificateServer = connection_.rejectedCertificateServer();
        return response;
    }
    response.ok = true;
    response.body = connection_.body();
    return response;
}
