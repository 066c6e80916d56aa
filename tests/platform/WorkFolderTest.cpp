#include "platform/WorkFolder.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {
constexpr auto kPrivate = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

QFileDevice::Permissions unixBits(const QString &path)
{
    return QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}
}  // namespace

using WorkFolderTest = TempDirTest;

TEST_F(WorkFolderTest, PrivateInstanceFolderRemovedAtTheEnd)
{
    QString instance;
    {
        WorkFolder folder(path("work"));
        ASSERT_TRUE(folder.open()) << folder.errorString().toStdString();
        instance = folder.path();
        EXPECT_TRUE(QFileInfo(instance).isDir());
        EXPECT_EQ(QFileInfo(instance).absolutePath(), path("work"));
        EXPECT_EQ(unixBits(path("work")), kPrivate);
        EXPECT_EQ(unixBits(instance), kPrivate);

        const QString received = folder.subfolder("0000Received_Pages");
        EXPECT_EQ(received, instance + "/0000Received_Pages");
        EXPECT_TRUE(QFileInfo(received).isDir());
        EXPECT_TRUE(folder.subfolder("../escape").isEmpty());
        EXPECT_TRUE(folder.subfolder("/etc").isEmpty());
        EXPECT_FALSE(QFileInfo::exists(path("escape")));
    }
    EXPECT_FALSE(QFileInfo::exists(instance));
}

TEST_F(WorkFolderTest, TwoInstancesWorkApart)
{
    WorkFolder first(path("work"));
    WorkFolder second(path("work"));
    ASSERT_FALSE(first.path().isEmpty());
    ASSERT_FALSE(second.path().isEmpty());
    EXPECT_NE(first.path(), second.path());
    // Opening the second did not sweep away the first, whose lock is held.
    EXPECT_TRUE(QFileInfo(first.path()).isDir());
}

TEST_F(WorkFolderTest, OnlyFoldersWithAFreeLockAreRemoved)
{
    QDir().mkpath(path("work/instance-1-left"));             // no lock at all
    QDir().mkpath(path("work/instance-2-crashed"));          // lock of a process that is gone
    {
        QFile stale(path("work/instance-2-crashed.lock"));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("999999999\nzov\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    QDir().mkpath(path("work/instance-3-running"));          // held by a live instance
    QLockFile held(path("work/instance-3-running.lock"));
    held.setStaleLockTime(0);
    ASSERT_TRUE(held.tryLock(0));
    QDir().mkpath(path("work/keep-me"));                     // not ours

    EXPECT_EQ(WorkFolder::removeStaleInstances(path("work")), 2);
    EXPECT_FALSE(QFileInfo::exists(path("work/instance-1-left")));
    EXPECT_FALSE(QFileInfo::exists(path("work/instance-2-crashed")));
    EXPECT_FALSE(QFileInfo::exists(path("work/instance-2-crashed.lock")));
    EXPECT_TRUE(QFileInfo::exists(path("work/instance-3-running")));
    EXPECT_TRUE(QFileInfo::exists(path("work/keep-me")));
}

TEST_F(WorkFolderTest, OpeningSweepsStaleFolders)
{
    QDir().mkpath(path("work/instance-7-old/page"));
    WorkFolder folder(path("work"));
    ASSERT_TRUE(folder.open());
    EXPECT_FALSE(QFileInfo::exists(path("work/instance-7-old")));
}

TEST_F(WorkFolderTest, ReportsAFolderThatCannotBeMade)
{
    QFile blocker(path("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    WorkFolder folder(path("file/work"));
    EXPECT_FALSE(folder.open());
    EXPECT_FALSE(folder.errorString().isEmpty());
    EXPECT_TRUE(folder.path().isEmpty());
}

TEST_F(WorkFolderTest, DefaultIsInTheUsersCacheNotInTmp)
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    EXPECT_EQ(WorkFolder::defaultBasePath(), cache + "/zov/work");
    EXPECT_FALSE(WorkFolder::defaultBasePath().startsWith("/tmp/zov"));
}
