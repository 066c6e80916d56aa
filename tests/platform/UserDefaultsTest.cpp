#include "platform/UserDefaults.h"
#include "support/ScopedUserDefaults.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
class UserDefaultsTest : public TempDirTest {
protected:
    QString file() const { return path("config/zov/zov.ini"); }
};
}  // namespace

TEST_F(UserDefaultsTest, ValuesSurviveAReopen)
{
    {
        UserDefaults defaults(file());
        defaults.setString("ftp.example.org", "server");
        defaults.setInteger(2121, "portnumber");
        defaults.setBool(true, "TextCategoryOverRide");
        defaults.setFloat(1.5f, "zoom");
        defaults.setObject(QStringList{"Headline", "Body"}, "CustomTextCategoryDescriptions");
        defaults.setObject(QStringList{"one"}, "singleList");
        defaults.setObject(QVariantMap{{"server", "a"}, {"username", "b"}}, "profile");
        defaults.setObject(QVariantList{QVariantMap{{"mailingListTitle", "Friends"}}}, "savedMailingListArray");
        ASSERT_TRUE(defaults.synchronize());
    }
    UserDefaults defaults(file());
    EXPECT_EQ(defaults.stringForKey("server"), "ftp.example.org");
    EXPECT_EQ(defaults.integerForKey("portnumber"), 2121);
    EXPECT_TRUE(defaults.boolForKey("TextCategoryOverRide"));
    EXPECT_FLOAT_EQ(defaults.floatForKey("zoom"), 1.5f);
    EXPECT_EQ(defaults.stringArrayForKey("CustomTextCategoryDescriptions"), (QStringList{"Headline", "Body"}));
    EXPECT_EQ(defaults.stringArrayForKey("singleList"), QStringList{"one"});
    EXPECT_EQ(defaults.dictionaryForKey("profile").value("username").toString(), "b");
    const QVariantList lists = defaults.arrayForKey("savedMailingListArray");
    ASSERT_EQ(lists.size(), 1);
    EXPECT_EQ(lists.first().toMap().value("mailingListTitle").toString(), "Friends");
}

TEST_F(UserDefaultsTest, FileIsPrivateToTheUser)
{
    UserDefaults defaults(file());
    defaults.setString("secret", "password");
    ASSERT_TRUE(defaults.synchronize());
    // Owner, group and other bits (the "user" bits mirror the owner's for the current user).
    EXPECT_EQ(int(QFileInfo(file()).permissions() & 0x7077), int(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

TEST_F(UserDefaultsTest, TypedReadsFallBackToRegisteredDefaultsThenZero)
{
    UserDefaults defaults(file());
    defaults.registerDefaults({{"DovrinMaxImageSize", 2000}, {"DovrinImageType", "PNG"}, {"flag", true}});
    EXPECT_EQ(defaults.integerForKey("DovrinMaxImageSize"), 2000);
    EXPECT_EQ(defaults.stringForKey("DovrinImageType"), "PNG");
    EXPECT_TRUE(defaults.boolForKey("flag"));
    EXPECT_FALSE(defaults.hasStoredValue("DovrinImageType"));
    EXPECT_FALSE(defaults.objectForKey("nothing").isValid());
    EXPECT_EQ(defaults.integerForKey("nothing"), 0);
    EXPECT_FALSE(defaults.boolForKey("nothing"));
    EXPECT_TRUE(defaults.stringForKey("nothing").isEmpty());
    EXPECT_TRUE(defaults.arrayForKey("nothing").isEmpty());

    defaults.setString("JPG", "DovrinImageType");
    EXPECT_EQ(defaults.stringForKey("DovrinImageType"), "JPG");
    defaults.removeObjectForKey("DovrinImageType");
    EXPECT_EQ(defaults.stringForKey("DovrinImageType"), "PNG");
}

TEST_F(UserDefaultsTest, TextConvertsToNumbersAndFlags)
{
    UserDefaults defaults(file());
    struct Case {
        QString text;
        int32_t integer;
        bool flag;
    };
    const Case cases[] = {
        {"21", 21, true}, {" 7 ", 7, true}, {"0", 0, false}, {"2.9", 2, true}, {"YES", 0, true},
        {"true", 0, true}, {"NO", 0, false}, {"abc", 0, false}, {"", 0, false},
    };
    for (const Case &c : cases) {
        defaults.setString(c.text, "k");
        EXPECT_EQ(defaults.integerForKey("k"), c.integer) << c.text.toStdString();
        EXPECT_EQ(defaults.boolForKey("k"), c.flag) << c.text.toStdString();
    }
}

TEST_F(UserDefaultsTest, ReportsAFileThatCannotBeWritten)
{
    UserDefaults defaults(path("config/defaults.ini"));
    defaults.setString("x", "y");
    ASSERT_TRUE(defaults.synchronize());
    // Replace the file's folder by a plain file: nothing can be written there any more.
    QDir(path("config")).removeRecursively();
    QFile blocker(path("config"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    defaults.setString("changed", "y");
    QString error;
    EXPECT_FALSE(defaults.synchronize(&error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(UserDefaultsTest, AnnouncesChanges)
{
    UserDefaults defaults(file());
    QStringList keys;
    QObject::connect(&defaults, &UserDefaults::valueChanged, [&keys](const QString &key) { keys << key; });
    defaults.setInteger(1, "a");
    defaults.removeObjectForKey("b");
    EXPECT_EQ(keys, (QStringList{"a", "b"}));
}

TEST_F(UserDefaultsTest, StandardDefaultsLiveInTheXdgConfigFolder)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(UserDefaults::defaultFilePath(), config + "/zov/zov.ini");
    UserDefaults::setStandardFilePath(file());
    UserDefaults::standard().setString("v", "k");
    EXPECT_EQ(UserDefaults::standard().filePath(), file());
    EXPECT_TRUE(UserDefaults::standard().synchronize());
    UserDefaults::setStandardFilePath({});
    EXPECT_EQ(UserDefaults::standard().filePath(), UserDefaults::defaultFilePath());
}

TEST(ScopedUserDefaults, EachScopeStartsEmpty)
{
    {
        ScopedUserDefaults scope;
        scope.defaults().setString("ftp.example.org", "server");
        EXPECT_EQ(UserDefaults::standard().stringForKey("server"), "ftp.example.org");
    }
    ScopedUserDefaults scope;
    EXPECT_TRUE(UserDefaults::standard().stringForKey("server").isEmpty());
}
