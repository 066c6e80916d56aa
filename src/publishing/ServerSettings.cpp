#include "publishing/ServerSettings.h"

#include "platform/CredentialStore.h"
#include "platform/UserDefaults.h"

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

}  // namespace

QString ServerSettings::pathChecks(const QString &path)
{
    QString text = path;
    if (!text.isEmpty() && isSeparator(text.back()))
        text.chop(1);
    if (!text.isEmpty() && isSeparator(text.front()))
        text.remove(0, 1);
    text.remove(QLatin1Char(' '));
    return text;
}

QString ServerSettings::URLCheck(const QString &url)
{
    if (url.size() >= 5 && !url.startsWith(QLatin1String("http")))
        return QStringLiteral("http://") + url;
    return url;
}

QString ServerSettings::portDigits(const QString &port)
{
    QString digits;
    for (const QChar c : port)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    return digits;
}

ServerAccount ServerSettings::current(UserDefaults &defaults)
{
    ServerAccount account;
    account.server = defaults.stringForKey(QStringLiteral("server"));
    account.remotepath = defaults.stringForKey(QStringLiteral("remotepath"));
    account.username = defaults.stringForKey(QStringLiteral("username"));
    account.password = CredentialStore().password(QStringLiteral("password"));
    account.baseurl = defaults.stringForKey(QStringLiteral("baseurl"));
    account.portnumber = defaults.stringForKey(QStringLiteral("portnumber"));
    account.connectionmode = defaults.stringForKey(QStringLiteral("connectionmode")) == QLatin1String("Active")
                                 ? QStringLiteral("Active")
                                 : QStringLiteral("Passive");
    account.connectiontype = typeForSegment(segmentForType(defaults.stringForKey(QStringLiteral("connectiontype"))));
    return account;
}

ServerAccount ServerSettings::runValueVerifications(const ServerAccount &fields, UserDefaults &defaults)
{
    ServerAccount clean = fields;
    clean.portnumber = portDigits(fields.portnumber);
    clean.server = pathChecks(fields.server);
    clean.remotepath = pathChecks(fields.remotepath);
    clean.baseurl = URLCheck(pathChecks(fields.baseurl));
    defaults.setString(clean.server, QStringLiteral("server"));
    defaults.setString(clean.remotepath, QStringLiteral("remotepath"));
    defaults.setString(clean.username, QStringLiteral("username"));
    defaults.setString(clean.baseurl, QStringLiteral("baseurl"));
    defaults.setString(clean.portnumber, QStringLiteral("portnumber"));
    return clean;
}

bool ServerSettings::isComplete(const ServerAccount &account)
{
    return !account.baseurl.isEmpty() && !account.server.isEmpty() && !account.username.isEmpty()
           && !account.password.isEmpty();
}

QStringList ServerSettings::missingFields(const ServerAccount &account)
{
    QStringList missing;
    if (account.server.isEmpty())
        missing << QStringLiteral("Server");
    if (account.username.isEmpty())
        missing << QStringLiteral("Username");
    if (account.password.isEmpty())
        missing << QStringLiteral("Password");
    if (account.baseurl.isEmpty())
        missing << QStringLiteral("Base URL");
    return missing;
}

bool ServerSettings::storePassword(const QString &password, QString *error)
{
    return CredentialStore().setPassword(QStringLiteral("password"), password, error);
}

bool ServerSettings::store(const ServerAccount &account, UserDefaults &defaults, QString *error)
{
    defaults.setString(account.username, QStringLiteral("username"));
    defaults.setString(account.server, QStringLiteral("server"));
    defaults.setString(account.remotepath, QStringLiteral("remotepath"));
    const bool kept = storePassword(account.password, error);
    defaults.setString(account.portnumber, QStringLiteral("portnumber"));
    defaults.setString(account.connectionmode, QStringLiteral("connectionmode"));
    defaults.setString(account.connectiontype, QStringLiteral("connectiontype"));
    defaults.setString(account.baseurl, QStringLiteral("baseurl"));
    return kept;
}

int ServerSettings::segmentForType(const QString &connectionType)
{
    if (connectionType == QLatin1String("SFTP"))
        return 1;
    if (connectionType == QLatin1String("FTPS"))
        return 2;
    return 0;
}

QString ServerSettings::typeForSegment(int segment)
{
    switch (segment) {
    case 1:
        return QStringLiteral("SFTP");
    case 2:
        return QStringLiteral("FTPS");
    default:
        return QStringLiteral("FTP");
    }
}

void ServerSettings::setFTPType(int segment, UserDefaults &defaults)
{
    defaults.setString(typeForSegment(segment), QStringLiteral("connectiontype"));
}

void ServerSettings::setFTPMode(bool passive, UserDefaults &defaults)
{
    defaults.setString(passive ? QStringLiteral("Passive") : QStringLiteral("Active"), QStringLiteral("connectionmode"));
}

QString ServerSettings::webAccessFailedText(const QString &url)
{
    return QStringLiteral(
               "This means the App is able to connect successfully and it was able to successfully upload a test file named \"app_ftp_test.html\" \n\n"
               "The reason it returned failed status for Web Access is because the App was not able to access the uploaded file at URL:\n\"%1\" \n\n"
               " Common causes:\n\n"
               " 1. Incomplete or incorrect Website Base URL. This is your domain name, and you should enter it starting with the http:// prefix. \n\n"
               " 2. Incorrect Server Remote Path. This setting may not be required if your FTP account logs you directly into the folder for publishing files to the web.\n\n"
               "If your account logs into a parent folder, you will need to enter in the remote path in order to point this App to the web publishing folder.  "
               "The most common web publishing folder name is \"public_html\", this may vary depending on your web server settings, you should contact your web host provider to verify the exact path.")
        .arg(url);
}
