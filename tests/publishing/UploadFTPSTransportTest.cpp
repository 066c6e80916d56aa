// The server half of UploadFTPS against real servers: vsftpd (FTP, FTPS), sshd (SFTP)
// and pyftpdlib for faults, with the reports its delegate receives.
#include "platform/CredentialStore.h"
#include "platform/TrustStore.h"
#include "publishing/UploadFTPS.h"
#include "support/FileHelpers.h"
#include "support/ScopedUserDefaults.h"
#include "support/TestServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

namespace {

struct Report {
    bool result;
    QString details;
    int32_t counter;
};

class RecordingDelegate : public UploadFTPSViewDelegate {
public:
    void UploadUpdate(UploadFTPS *sender, bool uploadResult, const QString &uploadDetails, int32_t fileCounter) override
    {
        reports.append({uploadResult, uploadDetails, fileCounter});
        if (onReport)
            onReport(sender);
    }
    QString outcome() const
    {
        QStringList parts;
        for (const Report &r : reports)
            parts.append(QStringLiteral("%1%2").arg(r.result ? QStringLiteral("YES") : QStringLiteral("NO")).arg(r.counter));
        return parts.join(QLatin1Char(' '));
    }
    QList<Report> reports;
    std::function<void(UploadFTPS *)> onReport;
};

struct Account {
    QString server = QStringLiteral("127.0.0.1");
    int port = 0;
    QString user;
    QString password;
    QString remotePath;
    QString mode;  // "connectionmode"; empty: not stored
    QString type;  // "connectiontype"; empty: not stored
};

void store(const Account &account)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(account.server, QStringLiteral("server"));
    defaults.setString(account.user, QStringLiteral("username"));
    defaults.setString(account.remotePath, QStringLiteral("remotepath"));
    defaults.setString(QString::number(account.port), QStringLiteral("portnumber"));
    defaults.removeObjectForKey(QStringLiteral("connectionmode"));
    defaults.removeObjectForKey(QStringLiteral("connectiontype"));
    if (!account.mode.isEmpty())
        defaults.setString(account.mode, QStringLiteral("connectionmode"));
    if (!account.type.isEmpty())
        defaults.setString(account.type, QStringLiteral("connectiontype"));
    ASSERT_TRUE(CredentialStore().setPassword(QStringLiteral("password"), account.password));
}

// Makes a folder on the server's side owned by the server's user.
void makeRemoteFolder(const QString &home, const QString &relative)
{
    ASSERT_TRUE(QDir().mkpath(home + QLatin1Char('/') + relative));
    struct stat owner {};
    ASSERT_EQ(::stat(home.toLocal8Bit().constData(), &owner), 0);
    QString path = home;
    for (const QString &part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        ASSERT_EQ(::chown(path.toLocal8Bit().constData(), owner.st_uid, owner.st_gid), 0);
    }
}

class UploadFTPSTransportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        vsftpd = new TestServer(QStringLiteral("vsftpd_server.py"));
        sshd = new TestServer(QStringLiteral("sshd_server.py"));
    }
    static void TearDownTestSuite()
    {
        delete vsftpd;
        delete sshd;
    }

    void SetUp() override
    {
        ASSERT_TRUE(vsftpd->ok() && sshd->ok());
        const QByteArray pem = testfiles::readFile(vsftpd->value("certificate"));
        const QString name = TrustStore::serverName(QStringLiteral("127.0.0.1"), vsftpd->port());
        if (!TrustStore::fingerprintsTrustedFor(name).contains(TrustStore::fingerprintOfPem(pem))) {
            ASSERT_TRUE(TrustStore::trustCertificate(pem, name));
        }
    }

    static Account vsftpdAccount(const QString &remotePath = QStringLiteral("www"))
    {
        Account a;
        a.port = vsftpd->port();
        a.user = vsftpd->value("user");
        a.password = vsftpd->value("password");
        a.remotePath = remotePath;
        return a;
    }
    static Account sshdAccount(const QString &remotePath = QStringLiteral("www"))
    {
        Account a;
        a.port = sshd->port();
        a.user = sshd->value("user");
        a.password = sshd->value("password");
        a.remotePath = remotePath;
        a.type = QStringLiteral("SFTP");
        return a;
    }

    // A page with two pictures in its folder: the pictures first, the page last.
    QList<UploadItem> pageItems(const QString &page, int pictureSize = 40000)
    {
        QList<UploadItem> items;
        for (int i = 1; i <= 2; ++i) {
            const QString name = QStringLiteral("photo%1@2x.png").arg(i);
            QByteArray data(pictureSize, char('a' + i));
            data.prepend(name.toUtf8());
            const QString path = local.filePath(page + QLatin1Char('/') + name);
            testfiles::writeFile(path, data);
            items.append({path, QLatin1Char('/') + page, name, {}, {}, 0, false});
        }
        const QString pagePath = local.filePath(page + QStringLiteral(".html"));
        testfiles::writeFile(pagePath, "<html><body>" + page.toUtf8() + "</body></html>");
        items.append({pagePath, QString(), page + QStringLiteral(".html"), {}, {}, 0, false});
        return items;
    }

    static void run(UploadFTPS &transport, RecordingDelegate &delegate, const QList<UploadItem> &items,
                    const QString &folder = {})
    {
        transport.setDelegate(&delegate);
        transport.currentSiteFolder = QStringLiteral("Haverloft");
        transport.grabCurrentSettings();
        transport.setUploadItemArray(items);
        if (!folder.isEmpty())
            transport.createNewFolder(folder);
        transport.uploadSingleFile();
    }

    static void expectOnServer(const QString &home, const QString &remotePath, const QList<UploadItem> &items)
    {
        for (const UploadItem &item : items) {
            QString remote = home + QLatin1Char('/') + remotePath + item.remoteFolder + QLatin1Char('/') + item.remoteFileName;
            EXPECT_EQ(testfiles::readFile(remote), testfiles::readFile(item.localPath)) << remote.toStdString();
        }
    }

    ScopedUserDefaults scopedDefaults;
    QTemporaryDir local;
    static TestServer *vsftpd;
    static TestServer *sshd;
};

TestServer *UploadFTPSTransportTest::vsftpd = nullptr;
TestServer *UploadFTPSTransportTest::sshd = nullptr;

TEST(UploadFTPSSettingsTest, GrabCurrentSettingsFillsTheGaps)
{
    struct Case {
        const char *name;
        QVariantMap stored;
        int32_t port;
        bool passive;
        QString type;
    } cases[] = {
        {"nothing stored", {}, 21, true, QStringLiteral("FTP")},
        {"port 0", {{QStringLiteral("portnumber"), QStringLiteral("0")}}, 21, true, QStringLiteral("FTP")},
        {"SFTP without a port", {{QStringLiteral("connectiontype"), QStringLiteral("SFTP")}}, 21, true, QStringLiteral("SFTP")},
        {"own port, active", {{QStringLiteral("portnumber"), QStringLiteral("2121")}, {QStringLiteral("connectionmode"), QStringLiteral("Active")}}, 2121, false, QStringLiteral("FTP")},
        {"mode spelled otherwise", {{QStringLiteral("connectionmode"), QStringLiteral("active")}}, 21, true, QStringLiteral("FTP")},
        {"FTPS", {{QStringLiteral("connectiontype"), QStringLiteral("FTPS")}, {QStringLiteral("connectionmode"), QStringLiteral("Passive")}}, 21, true, QStringLiteral("FTPS")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScopedUserDefaults scoped;
        for (auto it = c.stored.begin(); it != c.stored.end(); ++it)
            scoped.defaults().setObject(it.value(), it.key());
        UploadFTPS transport;
        transport.grabCurrentSettings();
        EXPECT_EQ(transport.portnumber_local, c.port);
        EXPECT_EQ(transport.FTPPassiveMode, c.passive);
        EXPECT_EQ(transport.FTPProtocolType_local, c.type);
        EXPECT_EQ(transport.remoteDirectory_local, QString());
        EXPECT_EQ(transport.server_local, QString());
    }
    ScopedUserDefaults scoped;
    ASSERT_TRUE(CredentialStore().setPassword(QStringLiteral("password"), QStringLiteral("s3cret")));
    UploadFTPS transport;
    transport.grabCurrentSettings();
    EXPECT_EQ(transport.password_local, QStringLiteral("s3cret"));
    scoped.defaults().setString(QStringLiteral("Active"), QStringLiteral("connectionmode"));
    transport.determineFTPMode();
    EXPECT_FALSE(transport.FTPPassiveMode);
}

TEST(UploadFTPSSettingsTest, RemotePaths)
{
    struct Case {
        QString remotePath;
        QString folder;
        QString ftpFolder;
        QString sftpPath;
    } cases[] = {
        {QString(), QString(), QStringLiteral("/"), QStringLiteral("a.png")},
        {QString(), QStringLiteral("/page"), QStringLiteral("//page"), QStringLiteral("page/a.png")},
        {QStringLiteral("www"), QStringLiteral("/page"), QStringLiteral("/www/page"), QStringLiteral("www/page/a.png")},
        {QStringLiteral("www/"), QString(), QStringLiteral("/www/"), QStringLiteral("www/a.png")},
        {QStringLiteral("/var/www/"), QStringLiteral("/page"), QStringLiteral("//var/www/page"), QStringLiteral("/var/www/page/a.png")},
        {QStringLiteral("public_html"), QStringLiteral("/basetemplate"), QStringLiteral("/public_html/basetemplate"),
         QStringLiteral("public_html/basetemplate/a.png")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.remotePath.toStdString() + " + " + c.folder.toStdString());
        UploadFTPS transport;
        transport.remoteDirectory_local = c.remotePath;
        const UploadItem item{QStringLiteral("/tmp/a.png"), c.folder, QStringLiteral("a.png"), {}, {}, 0, false};
        EXPECT_EQ(transport.ftpFolderFor(item), c.ftpFolder);
        EXPECT_EQ(transport.sftpPathFor(item), c.sftpPath);
    }
    EXPECT_EQ(UploadFTPS::joinPath(QStringLiteral("a/"), QStringLiteral("/b")), QStringLiteral("a/b"));
    EXPECT_EQ(UploadFTPS::joinPath(QStringLiteral("/"), QStringLiteral("b")), QStringLiteral("/b"));
    EXPECT_EQ(UploadFTPS::joinPath(QStringLiteral("a"), QString()), QStringLiteral("a"));
}

TEST_F(UploadFTPSTransportTest, SendsAPageOverEveryProtocol)
{
    struct Case {
        const char *name;
        Account account;
        QString home;
        QString protocolText;
    };
    Account active = vsftpdAccount();
    active.mode = QStringLiteral("Active");
    Account ftps = vsftpdAccount();
    ftps.type = QStringLiteral("FTPS");
    const Case cases[] = {
        {"FTP passive", vsftpdAccount(), vsftpd->value("home"), QStringLiteral("FTP")},
        {"FTP active", active, vsftpd->value("home"), QStringLiteral("FTP")},
        {"FTPS", ftps, vsftpd->value("home"), QStringLiteral("FTP/SSL")},
        {"SFTP", sshdAccount(), sshd->value("home"), QStringLiteral("SFTP")},
    };
    int round = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        makeRemoteFolder(c.home, QStringLiteral("www"));
        store(c.account);
        const QString page = QStringLiteral("page%1").arg(++round);
        const QList<UploadItem> items = pageItems(page);
        RecordingDelegate delegate;
        UploadFTPS transport;
        transport.setHostKeyConsent([](const QString &, const QString &) { return true; });
        run(transport, delegate, items, page);
        ASSERT_EQ(delegate.outcome(), QStringLiteral("YES0 YES1 YES2"))
            << (delegate.reports.isEmpty() ? std::string() : delegate.reports.last().details.toStdString());
        expectOnServer(c.home, QStringLiteral("www"), items);
        EXPECT_TRUE(transport.pendingItems().isEmpty());
        const QString details = delegate.reports.last().details;
        if (c.account.type == QLatin1String("SFTP")) {
            EXPECT_EQ(details, QStringLiteral("Success"));
        } else {
            const QString connected = QStringLiteral("Connection Log\n\n**Connected successfully to 127.0.0.1 on port %1 using protocol %2.")
                                          .arg(c.account.port)
                                          .arg(c.protocolText);
            EXPECT_TRUE(details.startsWith(connected)) << details.toStdString();
            EXPECT_TRUE(details.endsWith(QStringLiteral("\n\nSuccessfully changed to remote directory /www\n\nSuccessfully uploaded file %1.html").arg(page)))
                << details.toStdString();
            EXPECT_TRUE(details.contains(QStringLiteral("\n\nSuccessfully changed to remote directory /www/%1\n\nSuccessfully uploaded file photo2@2x.png").arg(page)));
            // Each report carries the log so far.
            EXPECT_TRUE(details.startsWith(delegate.reports.first().details));
        }
    }
}

TEST_F(UploadFTPSTransportTest, EmptyListReportsNothing)
{
    for (const Account &account : {vsftpdAccount(QString()), sshdAccount(QString())}) {
        store(account);
        RecordingDelegate delegate;
        UploadFTPS transport;
        transport.setHostKeyConsent([](const QString &, const QString &) { return true; });
        run(transport, delegate, {});
        EXPECT_EQ(delegate.outcome(), QString());
    }
}

TEST_F(UploadFTPSTransportTest, ConnectionAndFolderFailuresUseTheirTexts)
{
    Account wrongPassword = vsftpdAccount();
    wrongPassword.password = QStringLiteral("wrong");
    Account wrongPortFtps = vsftpdAccount();
    wrongPortFtps.port = 1;
    wrongPortFtps.type = QStringLiteral("FTPS");
    wrongPortFtps.mode = QStringLiteral("Active");
    Account sftpWrongPassword = sshdAccount();
    sftpWrongPassword.password = QStringLiteral("wrong");
    Account sftpWrongPort = sshdAccount();
    sftpWrongPort.port = 1;
    // Asking TLS of a server that has none.
    QTemporaryDir plainRoot;
    TestServer plain(QStringLiteral("pyftpd_server.py"), {plainRoot.path()});
    ASSERT_TRUE(plain.ok());
    Account ftpsToPlain = vsftpdAccount(QString());
    ftpsToPlain.port = plain.port();
    ftpsToPlain.user = plain.value("user");
    ftpsToPlain.password = plain.value("password");
    ftpsToPlain.type = QStringLiteral("FTPS");

    testfiles::writeFile(vsftpd->value("home") + QStringLiteral("/blocker"), "a file, not a folder");
    Account folderIsAFile = vsftpdAccount(QStringLiteral("blocker"));
    const QString user = vsftpd->value("user");
    const QString sshUser = sshd->value("user");

    struct Case {
        const char *name;
        Account account;
        QStringList fragments;  // in this order
    } cases[] = {
        {"FTP wrong password", wrongPassword,
         {QStringLiteral("Connection Log\n\n**Not able to connect to 127.0.0.1 on port %1 using protocol FTP. Mode Passive. "
                         "The connection was attempted using username %2 and the specified password. \n\nCommon causes:\n\n1. Incorrect Username and Password.")
              .arg(vsftpd->port())
              .arg(user),
          QStringLiteral("3. Incorrect type of connection protocol: You have selected to connect with FTP, please verify"),
          QStringLiteral("4. Incorrect server port number. The current connection was attempted using port number %1.\n\n").arg(vsftpd->port()),
          QStringLiteral("6. Open FTP Settings, set Classic Mode switch to ON and try again\n\n"),
          QStringLiteral("(free for both Mac and PC)\n\nRaw Log:\n\n"), QStringLiteral("530")}},
        {"FTPS wrong port", wrongPortFtps,
         {QStringLiteral("Connection Log\n\n**Not able to connect to 127.0.0.1 on port 1 using protocol FTP/SSL. Mode Active. "
                         "The connection was attempted using username %1 and the specified password. \n\nHow to troubleshoot:\n\n- Check Username and Password.")
              .arg(user),
          QStringLiteral("You have selected to connect with FTP/SSL. Please note FTP/SSL is not supported by all web host providers"),
          QStringLiteral("- Incorrect server port number. The current connection was attempted using port number 1.\n\n"),
          QStringLiteral("Raw Log:\n\n")}},
        {"FTPS asked of a plain server", ftpsToPlain,
         {QStringLiteral("Connection Log\n\n**Not able to connect to 127.0.0.1 on port %1 using protocol FTP/SSL. Mode Passive.").arg(plain.port()),
          QStringLiteral("Raw Log:\n\n"), QStringLiteral("AUTH TLS")}},

        {"SFTP wrong password", sftpWrongPassword,
         {QStringLiteral("Connection Log\n\n**Connected successfully to 127.0.0.1 on port %1 using protocol SFTP.\n\n"
                         "**Not able to log in using username %2 and the specified password. This type of error is usually caused when the incorrect "
                         "username or password is entered into FTP Settings. Please double check FTP Settings and contact your web host provider to verify these details if needed.")
              .arg(sshd->port())
              .arg(sshUser)}},
        {"SFTP wrong port", sftpWrongPort,
         {QStringLiteral("Connection Log\n\n**Not able to connect to 127.0.0.1 on port 1 using protocol SFTP.\n\nCommon causes:\n\n1. Incorrect Server:"),
          QStringLiteral("2. Incorrect type of connection protocol: You have selected to connect with SFTP. Please note SFTP is not supported"),
          QStringLiteral("3. Incorrect server port number. The current connection was attempted using port number 1.\n\n4. Your firewall")}},
        {"folder is a file", folderIsAFile,
         {QStringLiteral("Connection Log\n\n**Connected successfully to 127.0.0.1 on port %1 using protocol FTP.\n\n"
                         "Not able to access remote directory /blocker/pagex.\n\nIncorrect FTP server remote path is a common cause for this error.")
              .arg(vsftpd->port()),
          QStringLiteral("sufficient free disk space.\n\nRaw Log:\n\n")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        store(c.account);
        RecordingDelegate delegate;
        UploadFTPS transport;
        transport.setHostKeyConsent([](const QString &, const QString &) { return true; });
        run(transport, delegate, pageItems(QStringLiteral("pagex"), 100), QStringLiteral("pagex"));
        ASSERT_EQ(delegate.outcome(), QStringLiteral("NO0"));
        const QString details = delegate.reports.first().details;
        qsizetype from = 0;
        for (const QString &fragment : c.fragments) {
            const qsizetype at = details.indexOf(fragment, from);
            EXPECT_TRUE(at >= 0 && (from > 0 || at == 0)) << "missing: " << fragment.toStdString() << "\nin: " << details.toStdString();
            if (at >= 0)
                from = at + fragment.size();
        }
        EXPECT_FALSE(details.contains(c.account.password + QLatin1Char('\n')));
        EXPECT_EQ(transport.pendingItems().size(), 3);
        EXPECT_LT(timer.elapsed(), 5000);
    }
}

TEST_F(UploadFTPSTransportTest, RefusedCertificateAndHostKeyAreNamed)
{
    QFile::remove(TrustStore::trustedCertificatesPath());
    Account ftps = vsftpdAccount();
    ftps.type = QStringLiteral("FTPS");
    store(ftps);
    RecordingDelegate delegate;
    UploadFTPS transport;
    run(transport, delegate, pageItems(QStringLiteral("p")));
    ASSERT_EQ(delegate.outcome(), QStringLiteral("NO0"));
    const QString fingerprint = TrustStore::fingerprintOfPem(testfiles::readFile(vsftpd->value("certificate")));
    EXPECT_EQ(transport.rejectedCertificateFingerprint(), fingerprint);
    EXPECT_TRUE(delegate.reports.first().details.contains(fingerprint));

    QFile::remove(TrustStore::knownHostsPath());
    store(sshdAccount());
    RecordingDelegate refused;
    UploadFTPS noConsent;
    run(noConsent, refused, pageItems(QStringLiteral("p")));
    ASSERT_EQ(refused.outcome(), QStringLiteral("NO0"));
    EXPECT_TRUE(refused.reports.first().details.startsWith(QStringLiteral("Connection Log\n\n**Not able to connect to 127.0.0.1")));
    EXPECT_TRUE(noConsent.rejectedHostKeyFingerprint().startsWith(QLatin1String("SHA256:")));
    EXPECT_TRUE(refused.reports.first().details.contains(noConsent.rejectedHostKeyFingerprint()));
}

TEST_F(UploadFTPSTransportTest, CancelEndsBeforeTheNextFile)
{
    store(vsftpdAccount());
    makeRemoteFolder(vsftpd->value("home"), QStringLiteral("www"));
    const QList<UploadItem> items = pageItems(QStringLiteral("cancelled"));
    RecordingDelegate delegate;
    delegate.onReport = [](UploadFTPS *sender) { sender->cancel(); };
    UploadFTPS transport;
    run(transport, delegate, items);
    ASSERT_EQ(delegate.outcome(), QStringLiteral("YES0 NO1"));
    EXPECT_TRUE(delegate.reports.last().details.endsWith(QLatin1String("\n\nUpload cancelled.")));
    ASSERT_EQ(transport.pendingItems().size(), 2);
    EXPECT_EQ(transport.pendingItems().first().remoteFileName, items.at(1).remoteFileName);
}

TEST_F(UploadFTPSTransportTest, DeletesFoldersAndFilesOverFtp)
{
    const QString home = vsftpd->value("home");
    makeRemoteFolder(home, QStringLiteral("www/old/deeper"));
    testfiles::writeFile(home + QStringLiteral("/www/old/deeper/a.png"), "a");
    testfiles::writeFile(home + QStringLiteral("/www/old/b.html"), "b");
    testfiles::writeFile(home + QStringLiteral("/www/gone.html"), "g");
    store(vsftpdAccount());
    RecordingDelegate delegate;
    UploadFTPS transport;
    transport.setDelegate(&delegate);
    transport.grabCurrentSettings();
    transport.fileArray = {QStringLiteral("gone.html"), QStringLiteral("never-there.html")};
    transport.deleteFolder(QStringLiteral("old"));
    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/www/old")));
    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/www/gone.html")));
    ASSERT_EQ(delegate.outcome(), QStringLiteral("YES0 NO1"));
    EXPECT_EQ(delegate.reports.first().details, QStringLiteral("Success"));
    EXPECT_TRUE(delegate.reports.last().details.contains(QLatin1String("550")));
}

// Faults of a plain FTP server, one server per fault.
class UploadFTPSFaultTest : public ::testing::Test {
protected:
    QList<UploadItem> items(const QStringList &names)
    {
        QList<UploadItem> list;
        int i = 0;
        for (const QString &name : names) {
            const QString path = local.filePath(name);
            ++i;
            testfiles::writeFile(path, QByteArray(3000 + 100 * i, char('0' + i)));
            list.append({path, QString(), name, {}, {}, 0, false});
        }
        return list;
    }
    void start(const QStringList &options)
    {
        root = std::make_unique<QTemporaryDir>();
        server = std::make_unique<TestServer>(QStringLiteral("pyftpd_server.py"),
                                              QStringList{root->path(), QStringLiteral("--log"), local.filePath(QStringLiteral("ftp.log"))} + options);
        ASSERT_TRUE(server->ok());
        Account account;
        account.port = server->port();
        account.user = server->value("user");
        account.password = server->value("password");
        store(account);
    }
    QStringList stored() const { return TestServer::ftpStoredNames(local.filePath(QStringLiteral("ftp.log"))); }

    ScopedUserDefaults scopedDefaults;
    QTemporaryDir local;
    std::unique_ptr<QTemporaryDir> root;
    std::unique_ptr<TestServer> server;
};

TEST_F(UploadFTPSFaultTest, AFailingFileEndsTheJobAtItsIndex)
{
    struct Case {
        const char *name;
        QStringList options;
        const char *expectedReply;
    } cases[] = {
        {"refused", {QStringLiteral("--refuse"), QStringLiteral("b.png")}, "550"},
        {"disk full", {QStringLiteral("--full-disk"), QStringLiteral("b.png")}, "452"},
        {"cut short", {QStringLiteral("--truncate"), QStringLiteral("b.png")}, "holds"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.options);
        RecordingDelegate delegate;
        UploadFTPS transport;
        transport.setDelegate(&delegate);
        transport.grabCurrentSettings();
        transport.setUploadItemArray(items({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.html")}));
        transport.uploadSingleFile();
        ASSERT_EQ(delegate.outcome(), QStringLiteral("YES0 NO1"));
        const QString details = delegate.reports.last().details;
        EXPECT_TRUE(details.contains(QLatin1String(
            "\n\nSuccessfully uploaded file a.png\n\nSuccessfully changed to remote directory /\n\nNot able to upload file b.png.\n\nPlease try again.  "
            "If you continue to receive this error, please contact your web host provider to verify your FTP account has the appropriate settings, "
            "permissions and available disk space.\n\nIn addition, you may also try turning off the Passive Mode switch under FTP Settings.\n\nRaw Log:\n\n")))
            << details.toStdString();
        EXPECT_TRUE(details.contains(QLatin1String(c.expectedReply)));
        EXPECT_EQ(transport.pendingItems().size(), 2);
        EXPECT_FALSE(stored().contains(QStringLiteral("c.html")));
    }
}

TEST_F(UploadFTPSFaultTest, AfterADropARetrySendsOnlyWhatIsMissing)
{
    start({QStringLiteral("--drop-after"), QStringLiteral("b.png")});
    const QList<UploadItem> all = items({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png"), QStringLiteral("d.html")});
    RecordingDelegate first;
    UploadFTPS transport;
    transport.setDelegate(&first);
    transport.grabCurrentSettings();
    transport.setUploadItemArray(all);
    transport.uploadSingleFile();
    ASSERT_EQ(first.outcome(), QStringLiteral("YES0 NO1"));
    // b.png may have arrived, but nobody confirmed it: it is sent again.
    const QList<UploadItem> missing = transport.pendingItems();
    ASSERT_EQ(missing.size(), 3);

    RecordingDelegate second;
    UploadFTPS retry;
    retry.setDelegate(&second);
    retry.grabCurrentSettings();
    retry.setUploadItemArray(missing);
    retry.uploadSingleFile();
    EXPECT_EQ(second.outcome(), QStringLiteral("YES0 YES1 YES2"));
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("b.png"),
                                     QStringLiteral("c.png"), QStringLiteral("d.html")}));
    for (const UploadItem &item : all)
        EXPECT_EQ(testfiles::readFile(root->filePath(item.remoteFileName)), testfiles::readFile(item.localPath));
}

}  // namespace

namespace {

TEST(UploadFTPSConvertTest, HtmlBecomesWellFormedXml)
{
    UploadFTPS transport;
    const QString xml = transport.convertHTML(QStringLiteral(
        "<html><body><p class=note>Caf\u00e9 &amp; more<br><img src=a.png alt=\"x\"><p>second</body></html>"));
    EXPECT_TRUE(xml.startsWith(QLatin1String("<?xml version=\"1.0\" encoding=\"utf-8\""))) << xml.toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral("<p class=\"note\">Caf\u00e9 &amp; more<br/><img src=\"a.png\" alt=\"x\"/></p>")))
        << xml.toStdString();
    EXPECT_TRUE(xml.contains(QLatin1String("<p>second</p>")));
    EXPECT_EQ(transport.convertHTML(QString()), QString());
}

}  // namespace
