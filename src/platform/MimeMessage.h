#pragma once
// One e-mail message, written out as MIME text for SMTP.
//
// The text always carries Date, Message-ID and MIME-Version; headers with non-ASCII
// text are RFC 2047 encoded words, long headers are folded, and no Bcc header is
// ever written (blind copies live only in the envelope). An HTML body travels as
// multipart/alternative with a plain-text rendering beside it; pictures added with a
// Content-ID make a multipart/related around that, so the HTML can name them as
// "cid:<id>". Text parts are quoted-printable UTF-8, everything else base64.
//
// Addresses and display names are checked before anything is written: a line break
// in the subject, a name or an address, or an address that is not one, is refused
// with a message naming the field.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class MimeMessage {
public:
    struct Address {
        QString name;
        QString address;
    };
    struct RelatedPart {
        QByteArray data;
        QString contentType;  // "image/png"
        QString contentId;    // without angle brackets
        QString fileName;
    };

    void setFrom(const QString &name, const QString &address);
    Address from() const { return from_; }
    void setSubject(const QString &subject) { subject_ = subject; }
    QString subject() const { return subject_; }
    void addTo(const QString &name, const QString &address);
    void addCc(const QString &name, const QString &address);
    void addBcc(const QString &name, const QString &address);
    QList<Address> to() const { return to_; }
    QList<Address> cc() const { return cc_; }
    QList<Address> bcc() const { return bcc_; }

    void setHtmlBody(const QString &html);
    QString htmlBody() const { return html_; }
    // Replaces the plain-text alternative (made from the HTML when never set).
    void setTextBody(const QString &text);
    void addRelatedPart(const RelatedPart &part);
    QList<RelatedPart> relatedParts() const { return related_; }

    // Fixed for reproducible output in tests; the current time otherwise.
    void setDate(const QDateTime &date) { date_ = date; }

    // Every address of To, CC and BCC once (compared without case), in that order.
    QStringList envelopeRecipients() const;

    // Empty when the message can be written; otherwise what is wrong, naming the field.
    QString validate() const;

    // The whole message, CRLF line ends. Call validate() first: fields it would refuse
    // are written with their line breaks replaced by spaces.
    QByteArray toMime() const;

    // Helpers, public for the tests and for other writers of mail headers.
    static bool isValidAddress(const QString &address);
    // A header value as ASCII: the text itself when plain, else encoded words.
    static QByteArray encodeHeaderText(const QString &text);
    // "name <address>" with the name quoted or encoded as needed.
    static QByteArray formatAddress(const Address &address);
    // "Name: value" folded at spaces to lines of at most 78 characters.
    static QByteArray foldHeader(const QByteArray &name, const QByteArray &value);
    static QByteArray quotedPrintable(const QByteArray &data);
    static QByteArray base64Lines(const QByteArray &data);
    static QByteArray rfc2822Date(const QDateTime &date);

private:
    Address from_;
    QString subject_;
    QList<Address> to_, cc_, bcc_;
    QString html_;
    QString text_;
    bool textSet_ = false;
    QList<RelatedPart> related_;
    QDateTime date_;
};
