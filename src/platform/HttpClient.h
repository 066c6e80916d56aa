#pragma once
// Fetches a web address over http or https (nothing else, redirects included) with
// a time-out and a size limit, the certificate verified as for every connection of
// the program. One client may fetch many addresses over kept-alive connections.
#include "platform/CurlConnection.h"

#include <QByteArray>
#include <QString>

class HttpClient {
public:
    struct Response {
        bool ok = false;        // the transfer completed (any status)
        int status = 0;         // HTTP status of the last response
        QByteArray body;
        QString finalUrl;       // after redirects
        QString error;          // why it failed, empty when ok
        QString rejectedCertificateFingerprint;
        QByteArray rejectedCertificatePem;
    };

    HttpClient() = default;

    // Asks again instead of answering from a cache (web servers and proxies honour it).
    Response get(const QString &url, int timeoutMs = 60000, qint64 maxBytes = 16 * 1024 * 1024);

    QString transcript() const { return connection_.transcript(); }

private:
    CurlConnection connection_;
};
