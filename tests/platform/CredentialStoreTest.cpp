// CredentialStore with a real keyring (gnome-keyring-daemon, unlocked, on a private
// session bus) and without any bus. The session bus is chosen once per process, so
// each case runs this binary again inside the session it needs.
#include "platform/CredentialStore.h"
#include "platform/Tasks.h"
#include "platform/UserDefaults.h"
#include "support/FileHelpers.h"
#include "support/ScopedUserDefaults.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <future>

namespace {

const char *const kSessionVariable = "ZOV_CREDENTIAL_SESSION";

// Runs the in-session test of this binary with the given extra environment, through
// command (e.g. dbus-run-session); true when it ran and passed.
void runInSession(const QString &mode, const QString &program, const QStringList &arguments,
                  const QProcessEnvironment &extra = {})
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kSessionVariable), mode);
    for (const QString &key : extra.keys())
        environment.insert(key, extra.value(key));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, arguments);
    ASSERT_TRUE(child.waitForStarted(10000)) << program.toStdString();
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
}

QString selfFilter()
{
    return QStringLiteral("--gtest_filter=CredentialStoreInSession.*");
}

QString alsoDisabled()
{
    return QStringLiteral("--gtest_also_run_disabled_tests");
}

}  // namespace

TEST(CredentialStoreTest, KeyringHoldsPasswordsAndTakesThemOverFromTheFile)
{
    // The keyring's files go to this run's private data folder (set by the test main).
    const QString script = QStringLiteral(
        "printf unlock | gnome-keyring-daemon --unlock --components=secrets >/dev/null || exit 3; "
        "exec \"$0\" \"$1\" \"$2\"");
    runInSession(QStringLiteral("keyring"), QStringLiteral("dbus-run-session"),
                 {QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                  QCoreApplication::applicationFilePath(), selfFilter(), alsoDisabled()});
}

TEST(CredentialStoreTest, WithoutABusPasswordsStayInTheOwnersFile)
{
    QProcessEnvironment noBus;
    noBus.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/zov-no-bus"));
    runInSession(QStringLiteral("nobus"), QCoreApplication::applicationFilePath(), {selfFilter(), alsoDisabled()}, noBus);
}

// Run only by the two cases above, inside the session each starts.
TEST(CredentialStoreInSession, DISABLED_Run)
{
    const QByteArray mode = qgetenv(kSessionVariable);
    ASSERT_FALSE(mode.isEmpty());
    ScopedUserDefaults scoped;
    UserDefaults &defaults = scoped.defaults();
    CredentialStore store;

    if (mode == "keyring") {
        ASSERT_TRUE(CredentialStore::keyringAvailable());
        // A password left in the file by an older version moves on first read.
        defaults.setString(QStringLiteral("old-secret"), QStringLiteral("password"));
        ASSERT_TRUE(defaults.synchronize());
        QString error;
        EXPECT_EQ(store.password(QStringLiteral("password"), &error), QStringLiteral("old-secret")) << error.toStdString();
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_FALSE(defaults.hasStoredValue(QStringLiteral("password")));
        EXPECT_FALSE(testfiles::readFile(defaults.filePath()).contains("old-secret"));
        EXPECT_EQ(CredentialStore().password(QStringLiteral("password")), QStringLiteral("old-secret"));

        ASSERT_TRUE(store.setPassword(QStringLiteral("password"), QStringLiteral("new-secret"), &error)) << error.toStdString();
        ASSERT_TRUE(store.setPassword(QStringLiteral("mailPassword"), QStringLiteral("mail-secret")));
        EXPECT_FALSE(testfiles::readFile(defaults.filePath()).contains("secret"));
        // A background job reads it too (the publish job does).
        std::promise<QString> fromWorker;
        Tasks::runInBackground([&fromWorker] { fromWorker.set_value(CredentialStore().password(QStringLiteral("password"))); });
        EXPECT_EQ(fromWorker.get_future().get(), QStringLiteral("new-secret"));
        EXPECT_EQ(store.password(QStringLiteral("mailPassword")), QStringLiteral("mail-secret"));

        ASSERT_TRUE(store.removePassword(QStringLiteral("password")));
        EXPECT_EQ(store.password(QStringLiteral("password")), QString());
        EXPECT_EQ(store.password(QStringLiteral("mailPassword")), QStringLiteral("mail-secret"));
        EXPECT_TRUE(store.removePassword(QStringLiteral("password")));  // gone already: fine
    } else {
        ASSERT_FALSE(CredentialStore::keyringAvailable());
        ASSERT_TRUE(store.setPassword(QStringLiteral("password"), QStringLiteral("file-secret")));
        EXPECT_EQ(store.password(QStringLiteral("password")), QStringLiteral("file-secret"));
        const QFile::Permissions permissions = QFile::permissions(defaults.filePath());
        EXPECT_TRUE(permissions.testFlags(QFile::ReadOwner | QFile::WriteOwner));
        EXPECT_FALSE(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
        ASSERT_TRUE(store.setPassword(QStringLiteral("password"), QStringLiteral("changed")));
        EXPECT_EQ(CredentialStore().password(QStringLiteral("password")), QStringLiteral("changed"));
        ASSERT_TRUE(store.removePassword(QStringLiteral("password")));
        EXPECT_FALSE(defaults.hasStoredValue(QStringLiteral("password")));
    }
}
