#include "generation/JqueryFiles.h"

#include "support/TempDir.h"

#include <QFile>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class JqueryFilesTest : public TempDirTest {};

// The build ships the versions the pages name, under the names the pages use.
TEST_F(JqueryFilesTest, ShippedFilesAreThePinnedVersions)
{
    ASSERT_EQ(JqueryFiles::fileNames(),
              (QStringList{"jquery-2.2.2.min.js", "bootstrap.min.js", "bootstrap.min.css"}));
    EXPECT_TRUE(readAll(JqueryFiles::resourcePath("jquery-2.2.2.min.js")).contains("jQuery v2.2.2"));
    EXPECT_TRUE(readAll(JqueryFiles::resourcePath("bootstrap.min.js")).contains("Bootstrap v3.3.4"));
    EXPECT_TRUE(readAll(JqueryFiles::resourcePath("bootstrap.min.css")).contains("Bootstrap v3.3.4"));
    EXPECT_TRUE(JqueryFiles::resourcePath("no-such-file.js").isEmpty());
}

// Only missing files are copied: a file the user left beside the page is kept.
TEST_F(JqueryFilesTest, CopiesOnlyMissingFiles)
{
    QFile own(path("bootstrap.min.css"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("/* mine */");
    own.close();

    EXPECT_EQ(JqueryFiles::transferTo(path()), 2);
    EXPECT_EQ(readAll(path("bootstrap.min.css")), QByteArray("/* mine */"));
    EXPECT_EQ(readAll(path("jquery-2.2.2.min.js")), readAll(JqueryFiles::resourcePath("jquery-2.2.2.min.js")));
    EXPECT_FALSE(readAll(path("bootstrap.min.js")).isEmpty());

    EXPECT_EQ(JqueryFiles::transferTo(path()), 0);  // nothing missing any more
    EXPECT_EQ(JqueryFiles::transferTo(path("missing-folder")), 0);
    EXPECT_FALSE(QFile::exists(path("missing-folder")));
    EXPECT_EQ(JqueryFiles::transferTo(QString()), 0);
}
