#pragma once
// The checks and texts of the send road before an e-mail design goes out: the mail
// settings check, the recipient lists as typed in the recipient sheet, and the review
// text the user confirms. Plain functions: the document and the settings sheet show
// what they compute.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class UserDefaults;

class MailSendReview {
public:
    MailSendReview() = delete;

    // Texts of the alerts around a send.
    static constexpr const char *kIncompleteTitle = "Sender SMTP Settings Incomplete";
    static constexpr const char *kIncompleteText =
        "SMTP Settings contain information about your email.  Please check to ensure this setting is complete with "
        "your email and accurate mail server information.";
    static constexpr const char *kCheckSettingsButton = "Check SMTP Settings";
    static constexpr const char *kDismissButton = "Dismiss";
    static constexpr const char *kSentTitle = "Mail Sent";
    static constexpr const char *kSentText = "This mail has been sent.\n\nA copy of this email has been sent to %1";
    static constexpr const char *kFailedTitle = "Oops, we seem to have run into an error";
    static constexpr const char *kFailedText = "Please double check Sender Settings and check Error Log for more details.";
    static constexpr const char *kViewLogButton = "View Error Log";
    static constexpr const char *kErrorLogTitle = "Error log";
    // The review refuses what could not be sent, before anything goes out.
    static constexpr const char *kBadAddressesTitle = "Please Correct the Recipients";
    static constexpr const char *kBadAddressesText =
        "Nothing has been sent. Please correct these in the recipient sheet:\n\n%1";
    // The failure alert when the sender settings are not what went wrong.
    static constexpr const char *kRefusedAllText =
        "The mail server refused every recipient, so nobody received this mail.\n\n%1";
    static constexpr const char *kUnreachableText =
        "The mail server could not be reached. Please check your connection and check Error Log for more details.";
    static constexpr const char *kNotTakenText =
        "The mail server did not accept the message. Please check Error Log for more details.";

    // The settings check: true when a sender address and an SMTP server are stored;
    // else false with "Sender Mail is missing" or "\nSender Mail Server is missing" in
    // *incomplete. A stored sender that is no e-mail address is incomplete too.
    static bool grabSendMailSettings(const UserDefaults &defaults, QString *incomplete);

    // What the review must refuse: one line per address that is not an e-mail address
    // or holds a line break, naming its field ("To: …"), and a subject with a line
    // break. Empty when everything can be sent.
    static QStringList addressProblems(const QString &subject, const QStringList &to, const QStringList &cc,
                                       const QStringList &bcc);

    // "Refused: a@x.org (550 …)", one line per address the server refused.
    static QString refusedLines(const QList<QPair<QString, QString>> &refused);

    // One recipient text ("a@x.org, b@x.org,") as addresses: split at commas, each
    // trimmed, empty ones dropped.
    static QStringList prepMailingList(const QString &text);

    // How many different addresses the three lists hold (the copies that go out,
    // besides the sender's).
    static int getMailingListCount(const QStringList &to, const QStringList &cc, const QStringList &bcc);

    // The text of the review sheet.
    static QString prepSendMailAlertMsg(const QString &senderAddress, const QString &senderName,
                                        const QString &subject, const QStringList &to, const QStringList &cc,
                                        const QStringList &bcc);
};
