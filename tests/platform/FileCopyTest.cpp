// Copying one file into a new place: the bytes and permission bits arrive whole,
// an existing target is never overwritten, and a failed copy leaves nothing.
#include "platform/FileCopy.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using FileCopyTest = TempDirTest;

TEST_F(FileCopyTest, CopiesBytesAndModeAndNeverOverwrites)
{
    QByteArray big(300000, Qt::Uninitialized);
    for (int i = 0; i < big.size(); ++i)
        big[i] = char((i * 131) >> 2);
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {{"big.bin", big}, {"empty.txt", QByteArray()}, {"small.html", QByteArray("<p>hi</p>")}};
    for (const auto &c : cases) {
        ASSERT_TRUE(testfiles::writeFile(path(c.name), c.bytes));
        const QString copy = path(QStringLiteral("copy-") + c.name);
        ASSERT_TRUE(FileCopy::copyFile(path(c.name), copy)) << c.name;
        EXPECT_EQ(testfiles::readFile(copy), c.bytes) << c.name;
    }
    QFile::setPermissions(path("small.html"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    ASSERT_TRUE(FileCopy::copyFile(path("small.html"), path("script")));
    EXPECT_EQ(QFile::permissions(path("script")) & (QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);

    // An existing target keeps its bytes; a missing source or folder leaves nothing.
    EXPECT_FALSE(FileCopy::copyFile(path("big.bin"), path("copy-small.html")));
    EXPECT_EQ(testfiles::readFile(path("copy-small.html")), QByteArray("<p>hi</p>"));
    EXPECT_FALSE(FileCopy::copyFile(path("absent"), path("copy-absent")));
    EXPECT_FALSE(QFile::exists(path("copy-absent")));
    EXPECT_FALSE(FileCopy::copyFile(path(), path("copy-of-folder")));
    EXPECT_FALSE(FileCopy::copyFile(path("big.bin"), path("no/such/folder/big.bin")));
}

}  // namespace
