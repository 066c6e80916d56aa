#pragma once
// The mail account as the mail settings sheet shows and stores it: sender, server,
// login, port and connection security, kept in the preferences (the password in the
// credential store), and the test e-mail sent with what is typed.
#include <QObject>
#include <QString>

#include <functional>

class MailAccountSettings {
public:
    MailAccountSettings() = delete;

    struct Fields {
        QString name;
        QString address;
        QString server;
        QString username;
        QString password;
        QString port;
        QString connectionType;  // "STARTTLS", "SSL" or "None"
    };

    // What is stored ("" where nothing is).
    static Fields load();
    // Writes the fields (not the connection type, which is stored as soon as it is
    // chosen). An empty port is saved as "25" and fields.port shows it.
    static void saveMailSettings(Fields &fields);

    // The connection control: 0 "STARTTLS", 1 "SSL", 2 "None".
    static int segmentFor(const QString &connectionType);
    static QString connectionTypeForSegment(int segment);
    // updatedConnection: stores the type of the chosen segment at once.
    static void updatedConnection(int segment);

    // The test message shipped with the edition ("test/testemail.html" in its
    // template folder), or a small page of our own written to the work folder when the
    // edition has none. Empty when neither can be had.
    static QString testEmailPath();
    // The confirmation text of the test e-mail.
    static QString testEmailText(const Fields &fields);

    // Sends the test e-mail to the sender address with the stored settings, on a
    // worker; done gets the outcome and the log on the main thread (unless context
    // is gone by then).
    static void sendTestEmail(QObject *context, std::function<void(bool sent, const QString &log)> done,
                              const QByteArray &certificateBundle = {});
};
