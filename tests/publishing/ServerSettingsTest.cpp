// The publishing account's clean-up, storage and saved profiles.
#include "platform/CredentialStore.h"
#include "platform/NotificationCenter.h"
#include "publishing/ServerProfiles.h"
#include "publishing/ServerSettings.h"
#include "support/FileHelpers.h"
#include "support/ScopedUserDefaults.h"

#include <QObject>
#include <gtest/gtest.h>

namespace {

TEST(ServerSettingsTest, PathsUrlsAndPortsAreCleanedAsTheyAreStored)
{
    struct Case {
        const char *in;
        const char *path;
        const char *url;
    } cases[] = {
        {"/public_html/", "public_html", "http://public_html"},
        {"//public_html//", "/public_html/", "http:///public_html/"},
        {"\\www\\", "www", "www"},
        {"my site/pages", "mysite/pages", "http://mysite/pages"},
        {"https://example.test/", "https://example.test", "https://example.test"},
        {"HTTPS://example.test", "HTTPS://example.test", "http://HTTPS://example.test"},
        {"example.test", "example.test", "http://example.test"},
        {"ab.c", "ab.c", "ab.c"},
        {"", "", ""},
        {"a\tb", "a\tb", "a\tb"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ServerSettings::pathChecks(QString::fromUtf8(c.in)), QString::fromUtf8(c.path));
        EXPECT_EQ(ServerSettings::URLCheck(ServerSettings::pathChecks(QString::fromUtf8(c.in))), QString::fromUtf8(c.url));
    }
    EXPECT_EQ(ServerSettings::portDigits(QStringLiteral("21a")), QStringLiteral("21"));
    EXPECT_EQ(ServerSettings::portDigits(QStringLiteral(" 2 2-2")), QStringLiteral("222"));
    EXPECT_EQ(ServerSettings::portDigits(QStringLiteral("ftp")), QString());
}

TEST(ServerSettingsTest, VerificationStoresFiveCleanedKeysAndCompletenessNeedsFour)
{
    ScopedUserDefaults scoped;
    UserDefaults &defaults = scoped.defaults();
    EXPECT_EQ(ServerSettings::current(defaults), ServerAccount());  // empty, FTP, passive

    ServerAccount typed;
    typed.server = QStringLiteral("/ftp.example.test/");
    typed.remotepath = QStringLiteral("/public html/");
    typed.username = QStringLiteral("me");
    typed.baseurl = QStringLiteral("example.test/");
    typed.portnumber = QStringLiteral("2121x");
    typed.connectiontype = QStringLiteral("SFTP");
    const ServerAccount clean = ServerSettings::runValueVerifications(typed, defaults);
    EXPECT_EQ(clean.server, QStringLiteral("ftp.example.test"));
    EXPECT_EQ(clean.remotepath, QStringLiteral("publichtml"));
    EXPECT_EQ(clean.baseurl, QStringLiteral("http://example.test"));
    EXPECT_EQ(clean.portnumber, QStringLiteral("2121"));
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("baseurl")), QStringLiteral("http://example.test"));
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("portnumber")), QStringLiteral("2121"));
    // Protocol, mode and password are stored by their own controls, not here.
    EXPECT_FALSE(defaults.hasStoredValue(QStringLiteral("connectiontype")));
    EXPECT_FALSE(defaults.hasStoredValue(QStringLiteral("password")));

    EXPECT_FALSE(ServerSettings::isComplete(clean));  // no password
    // The incomplete-settings alert names what is still empty.
    EXPECT_EQ(ServerSettings::missingFields(clean), QStringList{QStringLiteral("Password")});
    EXPECT_EQ(ServerSettings::missingFields(ServerAccount()),
              (QStringList{"Server", "Username", "Password", "Base URL"}));
    ServerAccount complete = clean;
    complete.password = QStringLiteral("pw");
    EXPECT_TRUE(ServerSettings::isComplete(complete));
    complete.portnumber.clear();
    complete.remotepath.clear();
    EXPECT_TRUE(ServerSettings::isComplete(complete));

    ServerSettings::setFTPType(2, defaults);
    ServerSettings::setFTPMode(false, defaults);
    ASSERT_TRUE(ServerSettings::storePassword(QStringLiteral("pw")));
    const ServerAccount now = ServerSettings::current(defaults);
    EXPECT_EQ(now.connectiontype, QStringLiteral("FTPS"));
    EXPECT_EQ(now.connectionmode, QStringLiteral("Active"));
    EXPECT_EQ(now.password, QStringLiteral("pw"));
    EXPECT_EQ(ServerSettings::typeForSegment(7), QStringLiteral("FTP"));
    EXPECT_EQ(ServerSettings::segmentForType(QStringLiteral("sftp")), 0);
}

TEST(ServerProfilesTest, ProfilesAreRecordedOncePerAccountAndUpdatedInPlace)
{
    ScopedUserDefaults scoped;
    UserDefaults &defaults = scoped.defaults();
    ServerProfiles profiles(defaults);
    QObject owner;
    int updates = 0;
    int applied = 0;
    NotificationCenter::defaultCenter().addObserver(&owner, Notifications::mailingListUpdated, nullptr, [&](const Notification &) { ++updates; });
    NotificationCenter::defaultCenter().addObserver(&owner, Notifications::contactUpdated, nullptr, [&](const Notification &) { ++applied; });

    ServerAccount a;
    a.server = QStringLiteral("ftp.example.test");
    a.username = QStringLiteral("me");
    a.password = QStringLiteral("first-secret");
    a.baseurl = QStringLiteral("http://example.test");
    a.remotepath = QStringLiteral("www/site");
    a.portnumber = QStringLiteral("21");
    EXPECT_TRUE(profiles.record(a));
    EXPECT_FALSE(profiles.record(a));  // the same account again
    EXPECT_EQ(updates, 1);

    // A new password and base URL replace the old ones in place.
    ServerAccount renewed = a;
    renewed.password = QStringLiteral("second-secret");
    renewed.baseurl = QStringLiteral("https://example.test");
    EXPECT_TRUE(profiles.record(renewed));
    ASSERT_EQ(profiles.profiles().size(), 1);
    EXPECT_EQ(profiles.profiles().first(), renewed);

    // Another protocol or mode is another account.
    ServerAccount sftp = a;
    sftp.connectiontype = QStringLiteral("SFTP");
    ServerAccount active = a;
    active.connectionmode = QStringLiteral("Active");
    EXPECT_TRUE(profiles.record(sftp));
    EXPECT_TRUE(profiles.record(active));
    ASSERT_EQ(profiles.profiles().size(), 3);
    EXPECT_EQ(updates, 4);

    // Passwords never sit in the list.
    for (const QVariant &v : defaults.arrayForKey(QStringLiteral("savedMailingListArray")))
        EXPECT_TRUE(v.toMap().value(QStringLiteral("password")).toString().isEmpty());

    EXPECT_EQ(ServerProfiles::rowText(profiles.profiles().at(1)),
              QStringLiteral("SFTP me ftp.example.test\nhttp://example.test\nwww/site\n"));
    ServerAccount bare = a;
    bare.baseurl.clear();
    bare.remotepath.clear();
    EXPECT_EQ(ServerProfiles::rowText(bare), QStringLiteral("FTP me ftp.example.test\n\n\n"));

    ASSERT_TRUE(profiles.apply(0));
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(ServerSettings::current(defaults), renewed);
    EXPECT_FALSE(profiles.apply(3));
    EXPECT_FALSE(profiles.remove(-1));

    ASSERT_TRUE(profiles.remove(0));
    ASSERT_TRUE(profiles.remove(0));
    ASSERT_TRUE(profiles.remove(0));
    EXPECT_TRUE(profiles.profiles().isEmpty());
    EXPECT_TRUE(defaults.hasStoredValue(QStringLiteral("savedMailingListArray")));
    EXPECT_TRUE(CredentialStore().password(ServerProfiles::passwordKey(renewed)).isEmpty());
}

}  // namespace
