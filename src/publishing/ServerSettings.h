#pragma once
// The one current publishing account (eight preference keys, the password in the
// credential store) and the clean-up its fields get before they are stored.
#include <QString>
#include <QStringList>

class UserDefaults;

struct ServerAccount {
    QString server;
    QString remotepath;
    QString username;
    QString password;
    QString baseurl;
    QString portnumber;
    QString connectionmode = QStringLiteral("Passive");  // "Passive" or "Active"
    QString connectiontype = QStringLiteral("FTP");      // "FTP", "SFTP" or "FTPS"
    bool operator==(const ServerAccount &) const = default;
};

class ServerSettings {
public:
    ServerSettings() = delete;

    // One slash or backslash trimmed at each end, then every blank removed.
    static QString pathChecks(const QString &path);
    // "http://" put in front of a text of 5 characters or more that does not start
    // with "http".
    static QString URLCheck(const QString &url);
    // The decimal digits of the text, in order.
    static QString portDigits(const QString &port);

    // The account as the sheet shows it: stored values, the mode and protocol with
    // their fallbacks, the password from the credential store.
    static ServerAccount current(UserDefaults &defaults);
    // Cleans the fields as typed (port digits, paths, base URL) and stores server,
    // remote path, user name, base URL and port. Answers the cleaned fields.
    static ServerAccount runValueVerifications(const ServerAccount &fields, UserDefaults &defaults);
    // Base URL, server, user name and password are required.
    static bool isComplete(const ServerAccount &account);
    // The required fields left empty, by the names the settings sheet shows
    // ("Server", "Username", "Password", "Base URL"), in the sheet's order.
    static QStringList missingFields(const ServerAccount &account);
    // Stores the password in the credential store; false (with error) when it could
    // not be kept.
    static bool storePassword(const QString &password, QString *error = nullptr);
    // Stores every value of account, the password in the credential store.
    static bool store(const ServerAccount &account, UserDefaults &defaults, QString *error = nullptr);

    // The protocol segment: 0 FTP, 1 SFTP, 2 FTPS.
    static int segmentForType(const QString &connectionType);
    static QString typeForSegment(int segment);
    static void setFTPType(int segment, UserDefaults &defaults);
    static void setFTPMode(bool passive, UserDefaults &defaults);

    // Texts of the server test's closing alert.
    static QString webAccessFailedText(const QString &url);
};
