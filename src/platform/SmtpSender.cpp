#include "platform/SmtpSender.h"

#include "platform/CertificatePins.h"

#include <curl/curl.h>

#include <cstring>
#include <memory>

namespace {

// Keep going past refused recipients. Older headers spell the option's name with
// three L's; its number has never changed.
const CURLoption kMailRcptAllowFails = static_cast<CURLoption>(CURLOPTTYPE_LONG + 290);

// What one curl_easy_perform needs: the data to upload and the conversation seen.
struct Conversation {
    const QByteArray *data = nullptr;
    qsizetype offset = 0;
    QString *log = nullptr;
    QString pendingRecipient;   // RCPT sent, answer not yet read
    bool pendingIsRcpt = false;
    bool hideNextCommand = false;  // after a 334 challenge the client answers with secrets
    QList<QPair<QString, QString>> rcptReplies;  // address, full answer
    QString lastCommand;    // the verb of the last command sent ("AUTH", "MAIL", "DATA" …)
    QString failedCommand;  // the verb of the last command the server refused (QUIT aside)
    QString lastReply;
    QString partialReply;
};

size_t readData(char *buffer, size_t size, size_t count, void *user)
{
    auto *c = static_cast<Conversation *>(user);
    const qsizetype left = c->data->size() - c->offset;
    const qsizetype n = qMin<qsizetype>(left, qsizetype(size * count));
    std::memcpy(buffer, c->data->constData() + c->offset, size_t(n));
    c->offset += n;
    return size_t(n);
}

int debugData(CURL *, curl_infotype type, char *data, size_t size, void *user)
{
    auto *c = static_cast<Conversation *>(user);
    if (type != CURLINFO_HEADER_IN && type != CURLINFO_HEADER_OUT)
        return 0;
    const QString text = QString::fromUtf8(data, qsizetype(size));
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (QString line : lines) {
        line.remove(QLatin1Char('\n'));
        if (type == CURLINFO_HEADER_OUT) {
            if (line.startsWith(QStringLiteral("AUTH "), Qt::CaseInsensitive)) {
                *c->log += QStringLiteral("> ") + line.section(QLatin1Char(' '), 0, 1) + QStringLiteral(" …\n");
            } else if (c->hideNextCommand) {
                *c->log += QStringLiteral("> …\n");
            } else {
                *c->log += QStringLiteral("> ") + line + QLatin1Char('\n');
            }
            if (!c->hideNextCommand)
                c->lastCommand = line.section(QLatin1Char(' '), 0, 0).toUpper();
            c->hideNextCommand = false;
            c->pendingIsRcpt = line.startsWith(QStringLiteral("RCPT TO:"), Qt::CaseInsensitive);
            if (c->pendingIsRcpt) {
                QString address = line.mid(8).trimmed();
                if (address.startsWith(QLatin1Char('<')))
                    address = address.mid(1, address.indexOf(QLatin1Char('>')) - 1);
                c->pendingRecipient = address;
            }
        } else {
            *c->log += QStringLiteral("< ") + line + QLatin1Char('\n');
            // "250-..." continues an answer, "250 ..." ends it.
            const bool last = line.size() < 4 || line.at(3) != QLatin1Char('-');
            c->partialReply += (c->partialReply.isEmpty() ? QString() : QStringLiteral(" ")) + line;
            if (!last)
                continue;
            c->lastReply = c->partialReply;
            c->partialReply.clear();
            if (c->lastReply.startsWith(QStringLiteral("334")))
                c->hideNextCommand = true;
            if (c->lastReply.left(3).toInt() >= 400 && c->lastCommand != QLatin1String("QUIT"))
                c->failedCommand = c->lastCommand;
            if (c->pendingIsRcpt) {
                c->rcptReplies.append({c->pendingRecipient, c->lastReply});
                c->pendingIsRcpt = false;
            }
        }
    }
    return 0;
}

// Where a conversation that ended with code broke off.
SmtpSender::Failure failureOf(CURLcode code, const Conversation &c)
{
    using Failure = SmtpSender::Failure;
    const QString &step = c.failedCommand.isEmpty() ? c.lastCommand : c.failedCommand;
    if (code == CURLE_LOGIN_DENIED || step == QLatin1String("AUTH"))
        return Failure::Login;
    if (step == QLatin1String("MAIL"))
        return Failure::Sender;
    if (step == QLatin1String("RCPT"))
        return Failure::Recipients;
    if (step == QLatin1String("DATA") || step == QLatin1String("QUIT") || c.offset > 0)
        return Failure::Data;
    return Failure::Connection;
}

struct CurlDeleter {
    void operator()(CURL *handle) const { curl_easy_cleanup(handle); }
};
struct SlistDeleter {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

}  // namespace

SmtpSender::Security SmtpSender::securityFor(const QString &connectionType, int port)
{
    if (port == 465 || connectionType == QLatin1String("SSL"))
        return Security::ImplicitTls;
    if (connectionType == QLatin1String("None"))
        return Security::None;
    return Security::StartTls;
}

SmtpSender::SmtpSender(const Settings &settings)
    : settings_(settings)
{
}

SmtpSender::Result SmtpSender::send(const MimeMessage &message)
{
    Result result;
    result.error = message.validate();
    if (!result.error.isEmpty()) {
        result.failure = Failure::Message;
        return result;
    }
    const QStringList recipients = message.envelopeRecipients();
    if (recipients.isEmpty()) {
        result.error = QStringLiteral("The message has no recipients.");
        result.failure = Failure::Message;
        return result;
    }
    if (settings_.host.trimmed().isEmpty()) {
        result.error = QStringLiteral("No SMTP server is set.");
        result.failure = Failure::Connection;
        return result;
    }

    std::unique_ptr<CURL, CurlDeleter> handle(curl_easy_init());
    if (!handle) {
        result.error = QStringLiteral("The mail connection could not be set up.");
        result.failure = Failure::Connection;
        return result;
    }
    CURL *curl = handle.get();
    const int port = settings_.port > 0 ? settings_.port : 587;
    const Security security = port == 465 ? Security::ImplicitTls : settings_.security;
    QString host = settings_.host.trimmed();
    // Only an IPv6 literal holds colons; a URL wants it in brackets.
    if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('[')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    const QByteArray url = (security == Security::ImplicitTls ? QByteArray("smtps://") : QByteArray("smtp://"))
        + host.toUtf8() + ':' + QByteArray::number(port);
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(settings_.connectTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(qMax(1, settings_.responseTimeoutMs / 1000)));
    // A server that stalls while taking the data must not hang the send for ever.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(qMax(1, settings_.responseTimeoutMs / 1000)));
    curl_easy_setopt(curl, CURLOPT_USE_SSL, long(security == Security::None ? CURLUSESSL_NONE : CURLUSESSL_ALL));
    // The system authorities (libcurl's bundle), then the certificates the user
    // trusted for this very server; or the bundle given instead.
    CertificatePins pins;
    if (security != Security::None) {
        if (!bundle_.isEmpty()) {
            curl_blob blob{bundle_.data(), size_t(bundle_.size()), CURL_BLOB_COPY};
            curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &blob);
        } else {
            curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, &CertificatePins::contextCallback);
            curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, &pins);
        }
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    }
    const QByteArray user = settings_.username.toUtf8();
    const QByteArray password = settings_.password.toUtf8();
    if (!user.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    }
    const QByteArray from = '<' + message.from().address.trimmed().toLatin1() + '>';
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, kMailRcptAllowFails, 1L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &readData);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &debugData);
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);

    const QByteArray data = message.toMime();
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(data.size()));

    QStringList pending = recipients;
    qsizetype batchLimit = 0;  // learnt from the first 452: how many one transaction takes
    while (!pending.isEmpty()) {
        const QStringList batch = batchLimit > 0 ? pending.mid(0, batchLimit) : pending;
        QStringList later = batchLimit > 0 ? pending.mid(batchLimit) : QStringList();
        std::unique_ptr<curl_slist, SlistDeleter> rcpt;
        curl_slist *list = nullptr;
        for (const QString &address : batch) {
            curl_slist *next = curl_slist_append(list, ('<' + address.toLatin1() + '>').constData());
            if (!next) {
                curl_slist_free_all(list);
                result.error = QStringLiteral("Out of memory while listing recipients.");
                return result;
            }
            list = next;
        }
        rcpt.reset(list);
        curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, list);
        Conversation conversation;
        conversation.data = &data;
        conversation.log = &result.log;
        curl_easy_setopt(curl, CURLOPT_READDATA, &conversation);
        curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &conversation);
        errorBuffer[0] = 0;
        const CURLcode code = curl_easy_perform(curl);

        QStringList accepted;
        QStringList deferred;
        for (const auto &[address, reply] : conversation.rcptReplies) {
            const int status = reply.left(3).toInt();
            if (status >= 200 && status < 300)
                accepted.append(address);
            else if (status == 452)
                deferred.append(address);
            else
                result.refused.append({address, status, reply});
        }
        if (code != CURLE_OK && !accepted.isEmpty()) {
            // Connection, TLS, login or data failure: stop here, keep what went before.
            QString text = QString::fromUtf8(*errorBuffer ? errorBuffer : curl_easy_strerror(code));
            if (!conversation.lastReply.isEmpty() && !text.contains(conversation.lastReply))
                text += QStringLiteral(" (server: %1)").arg(conversation.lastReply);
            result.error = text;
            result.failure = failureOf(code, conversation);
            return result;
        }
        // A conversation that broke off before every recipient was answered: the ones
        // left unanswered must not vanish from the result.
        const bool unanswered = conversation.rcptReplies.size() < batch.size();
        if (code != CURLE_OK && (conversation.rcptReplies.isEmpty() || unanswered)) {
            QString text = QString::fromUtf8(*errorBuffer ? errorBuffer : curl_easy_strerror(code));
            if (!conversation.lastReply.isEmpty() && !text.contains(conversation.lastReply))
                text += QStringLiteral(" (server: %1)").arg(conversation.lastReply);
            result.error = text;
            result.failure = failureOf(code, conversation);
            return result;
        }
        if (code == CURLE_OK) {
            result.sent = true;
            result.delivered += accepted;
        }
        if (!deferred.isEmpty()) {
            if (accepted.isEmpty()) {
                // The server takes nobody at all: asking again would never end.
                for (const QString &address : deferred)
                    result.refused.append({address, 452, QStringLiteral("452 too many recipients")});
                deferred.clear();
            } else {
                batchLimit = accepted.size();
            }
        }
        pending = deferred + later;
    }
    if (!result.sent && result.error.isEmpty()) {
        // The server answered every step but took nobody: the addresses are the trouble.
        result.failure = Failure::Recipients;
        result.error = QStringLiteral("The server refused every recipient.");
    }
    return result;
}
