// Preview copies: one fresh folder per preview, never shared, gone when the
// document lets them go.
#include "publishing/WebPreviewFolder.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class WebPreviewFolderTest : public TempDirTest {};

TEST_F(WebPreviewFolderTest, EachPreviewGetsItsOwnFreshCopyRemovedAtTheEnd)
{
    const QString site = path(QStringLiteral("site"));
    testfiles::writeFile(QDir(site).filePath(QStringLiteral("index.html")), "first");
    testfiles::writeFile(QDir(site).filePath(QStringLiteral("index/image1o.PNG")), "png");
    const QString work = path(QStringLiteral("work"));

    QStringList made;
    {
        WebPreviewFolder previews;
        const QString first = previews.makeCopy(site, work);
        ASSERT_FALSE(first.isEmpty());
        testfiles::writeFile(QDir(site).filePath(QStringLiteral("index.html")), "second");
        const QString second = previews.makeCopy(site, work);
        ASSERT_FALSE(second.isEmpty());
        EXPECT_NE(first, second) << "two previews at once never share a folder";
        EXPECT_TRUE(first.startsWith(QDir(work).filePath(QStringLiteral("tempFiles/"))));
        EXPECT_EQ(testfiles::readFile(QDir(first).filePath(QStringLiteral("index.html"))), QByteArray("first"));
        EXPECT_EQ(testfiles::readFile(QDir(second).filePath(QStringLiteral("index.html"))), QByteArray("second"));
        EXPECT_EQ(testfiles::readFile(QDir(second).filePath(QStringLiteral("index/image1o.PNG"))), QByteArray("png"));
        EXPECT_TRUE(previews.makeCopy(path(QStringLiteral("missing")), work).isEmpty());
        made = previews.copies();
    }
    for (const QString &copy : made)
        EXPECT_FALSE(QFileInfo::exists(copy)) << copy.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(site).filePath(QStringLiteral("index.html"))));

    EXPECT_TRUE(WebPreviewFolder::isLocalPhpPage(QUrl::fromLocalFile(QStringLiteral("/w/form.php"))));
    EXPECT_FALSE(WebPreviewFolder::isLocalPhpPage(QUrl::fromLocalFile(QStringLiteral("/w/index.html"))));
    EXPECT_FALSE(WebPreviewFolder::isLocalPhpPage(QUrl(QStringLiteral("http://example.test/form.php"))));
}

}  // namespace
