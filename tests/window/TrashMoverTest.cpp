// Moving to the desktop trash, and asking again when the trash refuses.
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"
#include "window/TrashMover.h"

#include <QDir>
#include <QFile>

class TrashMoverTest : public TempDirTest {
protected:
    void SetUp() override { oldDataHome = qgetenv("XDG_DATA_HOME"); }
    void TearDown() override
    {
        TrashMover::setMover({});
        qputenv("XDG_DATA_HOME", oldDataHome);
    }
    QString makeFile(const QString &name)
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("page");
        return f.fileName();
    }
    QByteArray oldDataHome;
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
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
    TrashMover::moveAllToTrash({page}, nullptr, [&left](const QStringList &l) { left = l; });
    EXPECT_TRUE(left.isEmpty());
    EXPECT_EQ(alerts.count(), 2);
    EXPECT_FALSE(QFile::exists(page));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("data/Trash/files/page.zovweb"))));
}
