#pragma once
// Sends a MimeMessage through the user's submission server, over libcurl.
//
// Security: "STARTTLS" requires the upgrade (a server that does not offer it is an
// error, never a silent fall back to plain text), "SSL" is TLS from the first byte,
// "None" is plain text; port 465 is always TLS from the first byte. Certificates are
// verified against the system authorities plus the certificates the user chose to
// trust (<XDG config>/zov/trusted-certificates.pem).
//
// The envelope holds every address once. A recipient the server refuses is listed
// with the server's answer and the others are still delivered; recipients deferred
// as too many for one transaction (452) go in further transactions on the same
// connection. A message counts as sent once the server has accepted its data: a
// connection that breaks at QUIT afterwards changes nothing.
#include "platform/MimeMessage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class SmtpSender {
public:
    enum class Security { StartTls, ImplicitTls, None };

    struct Settings {
        QString host;
        int port = 587;
        Security security = Security::StartTls;
        QString username;  // empty: no AUTH
        QString password;
        int connectTimeoutMs = 30000;
        int responseTimeoutMs = 60000;
    };

    struct Refusal {
        QString address;
        int code = 0;
        QString reply;  // the server's answer, e.g. "550 5.1.1 unknown user"
    };

    // Where a send that stopped went wrong: what the user has to look at.
    enum class Failure {
        None,
        Message,     // refused before connecting (a line break in a field, no recipient …)
        Connection,  // the server could not be reached, or the secure connection failed
        Login,       // the server refused the user name or password
        Sender,      // the server refused the sender address (MAIL FROM)
        Recipients,  // the server refused every recipient
        Data,        // the server did not take the message itself
    };

    struct Result {
        bool sent = false;        // the data was accepted for at least one recipient
        Failure failure = Failure::None;
        QStringList delivered;    // recipients the server took the message for
        QList<Refusal> refused;   // one entry per refused address, in envelope order
        QString error;            // empty unless the send stopped on an error
        QString log;              // the conversation, credentials left out
        bool complete() const { return sent && refused.isEmpty() && error.isEmpty(); }
    };

    // "SSL", "STARTTLS" or "None" as stored with the mail account; anything else is
    // STARTTLS. Port 465 is implicit TLS whatever the setting says.
    static Security securityFor(const QString &connectionType, int port);

    explicit SmtpSender(const Settings &settings);

    // The certificates to verify against, in place of the system authorities plus the
    // certificates the user trusted (TrustStore).
    void setCertificateBundle(const QByteArray &pem) { bundle_ = pem; }

    // Checks the message (nothing is sent when a field is refused), then sends it to
    // every envelope recipient.
    Result send(const MimeMessage &message);

private:
    Settings settings_;
    QByteArray bundle_;
};
