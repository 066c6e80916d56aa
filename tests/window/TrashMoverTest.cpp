// Moving to the desktop trash, and asking again when the trash refuses.
#include "support/ScopedEnvironment.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"
#include "window/TrashMover.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

class TrashMoverTest : public TempDirTest {
protected:
    void TearDown() override
    {
        TrashMover::setMover({});
    }
    QString makeFile(const QString &name)
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("page");
        return f.fileName();
    }
    ScriptedAlerts alerts;
};

TEST_F(TrashMoverTest, RefusedMovesAreOfferedAgainUntilTheUserGivesUp)
{
    const QString page = makeFile(QStringLiteral("page.zovweb"));
    TrashMover::setMover([](const QString &, QString *error) {
        *error = QStringLiteral("the trash is full");
        return false;
    });
    QString why;
    ASSERT_FALSE(TrashMover::moveToTrash(page, &why));
    EXPECT_FALSE(why.isEmpty());

    alerts.answer(QStringLiteral("Try Again"));
    alerts.answer(QStringLiteral("Keep Them"));
    QStringList left{QStringLiteral("unset")};
    TrashMover::moveAllToTrash({page}, nullptr, [&left](const QStringList &l) { left = l; });
    EXPECT_EQ(alerts.messages(), (QStringList{"Not Moved To Trash", "Not Moved To Trash"}));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("page.zovweb: the trash is full")));
    EXPECT_EQ(left, QStringList{page});
    EXPECT_TRUE(QFile::exists(page));

    // Once the trash works again the same call moves it without a question.
    TrashMover::setMover({});
    QDir().mkpath(path(QStringLiteral("data")));
    ScopedEnvironment dataHome("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
    TrashMover::moveAllToTrash({page}, nullptr, [&left](const QStringList &l) { left = l; });
    EXPECT_TRUE(left.isEmpty());
    EXPECT_EQ(alerts.count(), 2);
    EXPECT_FALSE(QFile::exists(page));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("data/Trash/files/page.zovweb"))));
}

TEST_F(TrashMoverTest, AMissingDataFolderIsMadeSoTheTrashNeverLandsInTheWorkingFolder)
{
    const QString page = makeFile(QStringLiteral("gone.zovweb"));
    const QString dataHome = path(QStringLiteral("fresh/share"));
    ASSERT_FALSE(QFileInfo::exists(dataHome));
    ScopedEnvironment environment("XDG_DATA_HOME", dataHome.toUtf8());
    QString why;
    ASSERT_TRUE(TrashMover::moveToTrash(page, &why)) << why.toStdString();
    EXPECT_TRUE(QFile::exists(dataHome + QStringLiteral("/Trash/files/gone.zovweb")));
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath(QStringLiteral("files/gone.zovweb"))));
}
