#pragma once
// One libcurl easy handle and what every network session needs around it: the
// transcript of the conversation (passwords masked) for the connection log, TLS
// verified against the system authorities and the certificates the user trusted for
// this server (CertificatePins), the
// server's certificate kept when verification fails, and the error text of a call.
//
// The handle and its live connection outlive each call, so one connection serves a
// whole job: a call starts with begin(), which clears the options but keeps the
// connection.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/CertificatePins.h"

#include <curl/curl.h>

#include <functional>

class CurlConnection {
public:
    CurlConnection();
    ~CurlConnection();
    CurlConnection(const CurlConnection &) = delete;
    CurlConnection &operator=(const CurlConnection &) = delete;

    CURL *handle() const { return handle_; }

    // Texts never to show in the transcript (the password of the session).
    void addSecret(const QString &secret);

    // Starts a call: options back to their defaults (the live connection stays), the
    // transcript and error of the last call cleared, timeouts and tracing set.
    void begin(int connectTimeoutMs);
    // Verifies the server's certificate against the system authorities, then the
    // certificates trusted for this server; keeps the certificate offered in the
    // handshake.
    void verifyTls();
    // Collects what the transfer receives; more than maxBytes (0: no limit) ends the
    // call with CURLE_FILESIZE_EXCEEDED.
    void collectBody(qint64 maxBytes = 0);
    // Sends the file at path as the upload body; false when it cannot be opened.
    bool uploadFile(const QString &path, QString *error);

    CURLcode perform();
    // Ends the live connections (politely: QUIT, close notify); the next call opens anew.
    void closeConnections();

    const QByteArray &body() const { return body_; }
    // Reply lines of the server in the last call ("213 1234", …), oldest first.
    const QStringList &replies() const { return replies_; }

    // The error of the last perform(): libcurl's message, then the transcript of that
    // call. Empty after a success.
    QString lastErrorText() const { return lastError_; }
    // Everything said on this connection so far, passwords masked.
    QString transcript() const { return transcript_.join(QLatin1Char('\n')); }
    // The lines of the last call alone.
    QString callTranscript() const { return callTranscript_.join(QLatin1Char('\n')); }

    // The server's certificate when the last call failed its verification: PEM text
    // and SHA-256 fingerprint; empty otherwise.
    QByteArray rejectedCertificatePem() const { return rejectedPem_; }
    QString rejectedCertificateFingerprint() const;
    // The server ("host:port") whose certificate was refused: what trusting it covers.
    QString rejectedCertificateServer() const { return rejectedPem_.isEmpty() ? QString() : pins_.server(); }

    // Adds a line of our own to the transcript.
    void addNote(const QString &text) { note('*', text.toUtf8()); }

    // Sets the error of the last call by hand (a check of our own failed).
    void setLastError(const QString &message);

private:
    static int debugCallback(CURL *, curl_infotype type, char *data, size_t size, void *self);
    static size_t writeCallback(char *data, size_t size, size_t count, void *self);
    static size_t readCallback(char *buffer, size_t size, size_t count, void *self);
    static CURLcode sslContextCallback(CURL *, void *sslContext, void *self);
    static int verifyCallback(int preverifyOk, struct x509_store_ctx_st *store);

    CURLcode runTransfer();
    void note(char prefix, const QByteArray &text);
    QString masked(QString line) const;

    CURL *handle_ = nullptr;
    CURLM *multi_ = nullptr;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
    QStringList secrets_;
    QStringList transcript_;
    QStringList callTranscript_;
    QStringList replies_;
    QByteArray body_;
    qint64 maxBody_ = 0;
    bool bodyTooLarge_ = false;
    struct Upload;
    Upload *upload_ = nullptr;
    CertificatePins pins_;
    QByteArray offeredPem_;
    bool offeredFailed_ = false;
    QByteArray rejectedPem_;
    QString lastError_;
};
