#include "platform/Bundle.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class BundleTest : public TempDirTest {
protected:
    void TearDown() override
    {
        Bundle::setResourcesPath({});
        Bundle::setDataPath({});
        Bundle::setDisplayName({});
    }
};

}  // namespace

TEST_F(BundleTest, EditionComesFromTheCommandLine)
{
    struct Case {
        QStringList arguments;
        QString edition;
    };
    const Case cases[] = {
        {{"zov"}, ""},
        {{"zov", "--edition", "Web Designer Plus"}, "Web Designer Plus"},
        {{"zov", "--edition=Label Maker"}, "Label Maker"},
        {{"zov", "file.html", "--edition", "A", "--edition", "B"}, "B"},
    };
    for (const Case &c : cases) {
        QString error;
        EXPECT_TRUE(Bundle::initialize(c.arguments, &error)) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(Bundle::displayName(), c.edition);
    }
}

TEST_F(BundleTest, EditionWithoutAValueIsAnError)
{
    Bundle::setDisplayName("Before");
    QString error;
    EXPECT_FALSE(Bundle::initialize({"zov", "--edition"}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Bundle::displayName(), "Before");
}

TEST_F(BundleTest, VersionAndIdentifierComeFromTheBuild)
{
    EXPECT_FALSE(Bundle::version().isEmpty());
    EXPECT_TRUE(Bundle::version().front().isDigit());
    EXPECT_FALSE(Bundle::identifier().isEmpty());
}

TEST_F(BundleTest, FoldersOfTheBuildTree)
{
    // The tests run from the build tree, so the folders are the source tree's.
    EXPECT_EQ(Bundle::resourcesPath(), QStringLiteral(ZOV_SOURCE_RESOURCES));
    EXPECT_EQ(Bundle::dataPath(), QStringLiteral(ZOV_SOURCE_DATA));
}

TEST_F(BundleTest, InstalledProgramUsesItsShareFolder)
{
    QDir().mkpath(path("prefix/bin"));
    EXPECT_TRUE(Bundle::installedShareFolder(path("prefix/bin")).isEmpty()) << "nothing installed beside it";
    QDir().mkpath(path("prefix/share/zov/resources"));
    EXPECT_EQ(Bundle::installedShareFolder(path("prefix/bin")), path("prefix/share/zov"));
    EXPECT_TRUE(Bundle::installedShareFolder(path("prefix/share")).isEmpty()) << "not a bin folder";
    EXPECT_TRUE(Bundle::installedShareFolder(QString()).isEmpty());
}

TEST_F(BundleTest, ResourceLookup)
{
    touch(path("res/jquery-1.7.2.min.js"));
    touch(path("res/templates/Blank/blank.html"));
    touch(path("res/icons/logo.png"));
    touch(path("res/zz/logo.png"));
    Bundle::setResourcesPath(path("res"));

    EXPECT_EQ(Bundle::pathForResource("jquery-1.7.2.min", "js"), path("res/jquery-1.7.2.min.js"));
    EXPECT_EQ(Bundle::pathForResource("jquery-1.7.2.min.js"), path("res/jquery-1.7.2.min.js"));
    EXPECT_EQ(Bundle::pathForResource("jquery-1.7.2.min", ".js"), path("res/jquery-1.7.2.min.js"));
    // Found below the top, the first in sorted order when two share a name.
    EXPECT_EQ(Bundle::pathForResource("blank", "html"), path("res/templates/Blank/blank.html"));
    EXPECT_EQ(Bundle::pathForResource("logo", "png"), path("res/icons/logo.png"));
    EXPECT_EQ(Bundle::pathForResource("logo", "png", "zz"), path("res/zz/logo.png"));
    EXPECT_EQ(Bundle::pathForResource("templates/Blank/blank", "html"), path("res/templates/Blank/blank.html"));

    EXPECT_TRUE(Bundle::pathForResource("missing", "js").isEmpty());
    EXPECT_TRUE(Bundle::pathForResource("", "js").isEmpty());
    EXPECT_TRUE(Bundle::pathForResource("templates", "").isEmpty()) << "a folder is not a resource file";
    EXPECT_TRUE(Bundle::pathForResource("blank", "html", "icons").isEmpty());
}

TEST_F(BundleTest, DataLookup)
{
    touch(path("data/editions.csv"));
    Bundle::setDataPath(path("data"));
    EXPECT_EQ(Bundle::dataPath(), path("data"));
    EXPECT_EQ(Bundle::pathForData("editions.csv"), path("data/editions.csv"));
    EXPECT_TRUE(Bundle::pathForData("nothing.csv").isEmpty());
}
