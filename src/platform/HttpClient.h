#pragma once
// Fetches a web address over http or https (nothing else, redirects included) with
// a time-out and a size limit, the certificate verified as for every connection of
// the program, or posts a body to a web service. One client may serve many calls
// over kept-alive connections.
#include "platform/CurlConnection.h"

#include <QByteArray>
#include <QList>
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
        QString rejectedCertificateServer; // "host:port"
    };

    HttpClient() = default;

    // Asks again instead of answering from a cache (web servers and proxies honour it).
    Response get(const QString &url, int timeoutMs = 60000, qint64 maxBytes = 16 * 1024 * 1024);
    // Posts body with the given header lines ("Name: value"); redirects are not
    // followed (a web service that moves a call has refused it).
    Response post(const QString &url, const QList<QByteArray> &headers, const QByteArray &body,
                  int timeoutMs = 60000, qint64 maxBytes = 16 * 1024 * 1024);

    // Texts never to show in the transcript (a token sent in a body, say).
    void addSecret(const QString &secret) { connection_.addSecret(secret); }

    QString transcript() const { return connection_.transcript(); }

private:
    Response perform(const QString &url, const QList<QByteArray> &headers, const QByteArray *postBody,
                     int timeoutMs, qint64 maxBytes);

    CurlConnection connection_;
};
