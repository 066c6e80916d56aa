#include "platform/CurlConnection.h"

#include "platform/TrustStore.h"

#include <QFile>
#include <QRegularExpression>

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <mutex>

struct CurlConnection::Upload {
    QFile file;
};

namespace {

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int connectionIndex()
{
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

}  // namespace

CurlConnection::CurlConnection()
{
    initialiseCurlOnce();
    handle_ = curl_easy_init();
    multi_ = curl_multi_init();
}

CurlConnection::~CurlConnection()
{
    // The multi handle owns the live connections; cleaning it up closes them politely.
    if (multi_)
        curl_multi_cleanup(multi_);
    if (handle_)
        curl_easy_cleanup(handle_);
    delete upload_;
}

void CurlConnection::closeConnections()
{
    if (multi_)
        curl_multi_cleanup(multi_);
    multi_ = curl_multi_init();
}

void CurlConnection::addSecret(const QString &secret)
{
    if (!secret.isEmpty() && !secrets_.contains(secret))
        secrets_.append(secret);
}

void CurlConnection::begin(int connectTimeoutMs)
{
    curl_easy_reset(handle_);
    delete upload_;
    upload_ = nullptr;
    body_.clear();
    maxBody_ = 0;
    bodyTooLarge_ = false;
    callTranscript_.clear();
    replies_.clear();
    lastError_.clear();
    rejectedPem_.clear();
    offeredPem_.clear();
    offeredFailed_ = false;
    errorBuffer_[0] = 0;
    curl_easy_setopt(handle_, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT_MS, long(connectTimeoutMs));
    // A server that stops answering mid-transfer must not hang the job for ever.
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(handle_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(handle_, CURLOPT_DEBUGFUNCTION, &CurlConnection::debugCallback);
    curl_easy_setopt(handle_, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &CurlConnection::writeCallback);
    curl_easy_setopt(handle_, CURLOPT_WRITEDATA, this);
}

void CurlConnection::verifyTls()
{
    // The system authorities come from libcurl's own bundle, whose parsed form it keeps
    // between handshakes (an FTPS job makes one per file) and may share between
    // handles: nothing is ever added to it. The certificates the user trusted are
    // pins of their own server, checked where that verification fails.
    // The bundle file alone (not also the hashed folder): only then may libcurl keep
    // the parsed store, instead of decoding some 140 certificates per handshake.
    char *bundle = nullptr;
    curl_easy_getinfo(handle_, CURLINFO_CAINFO, &bundle);
    if (bundle && *bundle)
        curl_easy_setopt(handle_, CURLOPT_CAPATH, static_cast<char *>(nullptr));
    curl_easy_setopt(handle_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle_, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle_, CURLOPT_SSL_CTX_FUNCTION, &CurlConnection::sslContextCallback);
    curl_easy_setopt(handle_, CURLOPT_SSL_CTX_DATA, this);
}

void CurlConnection::collectBody(qint64 maxBytes)
{
    maxBody_ = maxBytes;
    if (maxBytes > 0)
        curl_easy_setopt(handle_, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maxBytes));
}

bool CurlConnection::uploadFile(const QString &path, QString *error)
{
    delete upload_;
    upload_ = new Upload;
    upload_->file.setFileName(path);
    if (!upload_->file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, upload_->file.errorString());
        delete upload_;
        upload_ = nullptr;
        return false;
    }
    curl_easy_setopt(handle_, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle_, CURLOPT_READFUNCTION, &CurlConnection::readCallback);
    curl_easy_setopt(handle_, CURLOPT_READDATA, this);
    curl_easy_setopt(handle_, CURLOPT_INFILESIZE_LARGE, curl_off_t(upload_->file.size()));
    // More of a file in flight at once than libcurl's 64 KiB: each SFTP write
    // waits on its reply, so fewer, larger writes publish a site sooner.
    curl_easy_setopt(handle_, CURLOPT_UPLOAD_BUFFERSIZE, 256L * 1024L);
    return true;
}

CURLcode CurlConnection::runTransfer()
{
    // Our own loop instead of curl_easy_perform: libcurl 7.88 sometimes has a reply in
    // hand (the answer to EPSV) yet sleeps until its next one-second tick before it
    // opens the data connection. Polling in short steps takes that second off each file.
    if (curl_multi_add_handle(multi_, handle_) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode result = CURLE_OK;
    bool done = false;
    while (!done) {
        int running = 0;
        if (curl_multi_perform(multi_, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        int queued = 0;
        while (CURLMsg *message = curl_multi_info_read(multi_, &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == handle_) {
                result = message->data.result;
                done = true;
            }
        }
        if (done || running == 0)
            break;
        long timeout = -1;
        curl_multi_timeout(multi_, &timeout);
        const int wait = (timeout < 0 || timeout > 10) ? 10 : int(timeout);
        curl_multi_poll(multi_, nullptr, 0, wait, nullptr);
    }
    curl_multi_remove_handle(multi_, handle_);
    return result;
}

CURLcode CurlConnection::perform()
{
    CURLcode code = runTransfer();
    if (upload_) {
        delete upload_;
        upload_ = nullptr;
    }
    if (code == CURLE_WRITE_ERROR && bodyTooLarge_)
        code = CURLE_FILESIZE_EXCEEDED;
    if (code == CURLE_OK)
        return code;
    if (code == CURLE_PEER_FAILED_VERIFICATION || (code == CURLE_SSL_CACERT_BADFILE && offeredFailed_))
        rejectedPem_ = offeredPem_;
    QString message = QString::fromUtf8(errorBuffer_).trimmed();
    if (message.isEmpty() || code == CURLE_FILESIZE_EXCEEDED)
        message = QString::fromUtf8(curl_easy_strerror(code));
    if (!rejectedPem_.isEmpty())
        message += QStringLiteral("\nServer certificate SHA-256 fingerprint: ") + rejectedCertificateFingerprint();
    lastError_ = message + QStringLiteral("\n\n") + callTranscript();
    return code;
}

QString CurlConnection::rejectedCertificateFingerprint() const
{
    return rejectedPem_.isEmpty() ? QString() : TrustStore::fingerprintOfPem(rejectedPem_);
}

void CurlConnection::setLastError(const QString &message)
{
    lastError_ = message + QStringLiteral("\n\n") + callTranscript();
}

QString CurlConnection::masked(QString line) const
{
    static const QRegularExpression pass(QStringLiteral("^(PASS|AUTHORIZATION:|Authorization:)\\s.*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pass.match(line);
    if (match.hasMatch())
        return match.captured(1) + QStringLiteral(" ********");
    for (const QString &secret : secrets_)
        line.replace(secret, QStringLiteral("********"));
    return line;
}

void CurlConnection::note(char prefix, const QByteArray &text)
{
    const QList<QByteArray> lines = text.split('\n');
    for (QByteArray raw : lines) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.isEmpty())
            continue;
        QString line = masked(QString::fromUtf8(raw));
        if (prefix == '<')
            replies_.append(line);
        if (prefix != '*')
            line.prepend(QString(QLatin1Char(prefix)) + QLatin1Char(' '));
        callTranscript_.append(line);
        transcript_.append(line);
    }
}

int CurlConnection::debugCallback(CURL *, curl_infotype type, char *data, size_t size, void *self)
{
    auto *connection = static_cast<CurlConnection *>(self);
    const QByteArray text(data, qsizetype(size));
    switch (type) {
    case CURLINFO_TEXT:
        connection->note('*', text);
        break;
    case CURLINFO_HEADER_IN:
        connection->note('<', text);
        break;
    case CURLINFO_HEADER_OUT:
        connection->note('>', text);
        break;
    default:
        break;
    }
    return 0;
}

size_t CurlConnection::writeCallback(char *data, size_t size, size_t count, void *self)
{
    auto *connection = static_cast<CurlConnection *>(self);
    const size_t bytes = size * count;
    if (connection->maxBody_ > 0 && connection->body_.size() + qint64(bytes) > connection->maxBody_) {
        connection->bodyTooLarge_ = true;
        return 0;
    }
    connection->body_.append(data, qsizetype(bytes));
    return bytes;
}

size_t CurlConnection::readCallback(char *buffer, size_t size, size_t count, void *self)
{
    auto *connection = static_cast<CurlConnection *>(self);
    if (!connection->upload_)
        return 0;
    const qint64 read = connection->upload_->file.read(buffer, qint64(size * count));
    return read < 0 ? CURL_READFUNC_ABORT : size_t(read);
}

CURLcode CurlConnection::sslContextCallback(CURL *curl, void *sslContext, void *self)
{
    auto *context = static_cast<SSL_CTX *>(sslContext);
    auto *connection = static_cast<CurlConnection *>(self);
    SSL_CTX_set_ex_data(context, connectionIndex(), self);
    SSL_CTX_set_verify(context, SSL_VERIFY_PEER, &CurlConnection::verifyCallback);
    return CertificatePins::contextCallback(curl, sslContext, &connection->pins_);
}

// Keeps the server's own certificate (depth 0) so that a refusal can show its
// fingerprint; the verdict stays OpenSSL's.
int CurlConnection::verifyCallback(int preverifyOk, X509_STORE_CTX *store)
{
    SSL *ssl = static_cast<SSL *>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    auto *connection = ssl ? static_cast<CurlConnection *>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), connectionIndex()))
                           : nullptr;
    if (!connection)
        return preverifyOk;
    X509 *leaf = X509_STORE_CTX_get0_cert(store);
    if (leaf && connection->offeredPem_.isEmpty()) {
        BIO *bio = BIO_new(BIO_s_mem());
        if (bio && PEM_write_bio_X509(bio, leaf)) {
            char *data = nullptr;
            const long length = BIO_get_mem_data(bio, &data);
            connection->offeredPem_ = QByteArray(data, length);
        }
        BIO_free(bio);
    }
    if (!preverifyOk)
        connection->offeredFailed_ = true;
    return preverifyOk;
}
