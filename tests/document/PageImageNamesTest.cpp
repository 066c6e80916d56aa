#include "document/PageImageNames.h"

#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

void writeImage(const QString &path, const QSize &size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::shared_ptr<TransformView> named(const QString &name, const QString &type = QStringLiteral("JPG"))
{
    auto image = std::make_shared<TransformView>();
    image->imageName = name;
    image->imageType = type;
    return image;
}

} // namespace

class PageImageNamesTest : public TempDirTest {};

TEST_F(PageImageNamesTest, FindsTheBestPictureAmongTheVariants)
{
    writeBytes(path(QStringLiteral("image3o.PNG")), QByteArray()); // empty: not there
    writeImage(path(QStringLiteral("image3@2x.JPG")), QSize(8, 6), Qt::red);
    writeImage(path(QStringLiteral("image3.JPG")), QSize(4, 3), Qt::blue);
    EXPECT_EQ(PageImageNames::retrieveImageFile(path(), QStringLiteral("image3"), QStringLiteral("JPG")).size(),
              QSize(8, 6));
    // An original kept as PNG serves an image of type JPG.
    writeImage(path(QStringLiteral("image3o.PNG")), QSize(16, 12), Qt::green);
    EXPECT_EQ(PageImageNames::retrieveImageFile(path(), QStringLiteral("image3"), QStringLiteral("JPG")).size(),
              QSize(16, 12));
    // Names and types from the page never reach outside the folder.
    writeImage(path(QStringLiteral("outside.PNG")), QSize(2, 2), Qt::black);
    EXPECT_TRUE(PageImageNames::retrieveImageFile(path(QStringLiteral("sub")), QStringLiteral("../outside"),
                                                  QStringLiteral("PNG"))
                    .isNull());
    EXPECT_TRUE(PageImageNames::retrieveImageFile(path(), QStringLiteral("image3"), QStringLiteral("JPG/../x")).isNull());
}

TEST_F(PageImageNamesTest, NextNameIsNumericAndSkipsNoGapsBack)
{
    EXPECT_EQ(PageImageNames::getNextImageName({}), QStringLiteral("image0"));
    EXPECT_EQ(PageImageNames::getNextImageName({named(QStringLiteral("image2")), named(QStringLiteral("image10"))}),
              QStringLiteral("image11"));
    EXPECT_EQ(PageImageNames::getNextImageName({named(QStringLiteral("logo"))}), QStringLiteral("image1"));
    EXPECT_EQ(PageImageNames::getNextImageName({named(QStringLiteral("image1"))}, {QStringLiteral("image5")}),
              QStringLiteral("image6"));
}

TEST_F(PageImageNamesTest, ClashesRenameTheEarlierAndUnsafeNamesGetFreshOnes)
{
    auto first = named(QStringLiteral("image4"), QStringLiteral("PNG"));
    auto second = named(QStringLiteral("image4"));
    auto hostile = named(QStringLiteral("../../etc/passwd"));
    hostile->image = QImage(2, 2, QImage::Format_RGB32);
    auto badType = named(QStringLiteral("image8"), QStringLiteral("exe"));
    auto fine = named(QStringLiteral("image7"));
    const QList<ImageRename> renames = PageImageNames::settleImageNameClashes({first, second, hostile, badType, fine});
    ASSERT_EQ(renames.size(), 3);
    EXPECT_EQ(renames[0], (ImageRename {QStringLiteral("image4"), QStringLiteral("image9"), QStringLiteral("PNG"), true}));
    EXPECT_EQ(first->imageName, QStringLiteral("image9"));
    EXPECT_EQ(second->imageName, QStringLiteral("image4"));
    EXPECT_FALSE(renames[1].copyFiles);
    EXPECT_EQ(hostile->imageName, QStringLiteral("image10"));
    EXPECT_TRUE(hostile->image.isNull());
    EXPECT_EQ(badType->imageName, QStringLiteral("image11"));
    EXPECT_EQ(badType->imageType, QStringLiteral("JPG"));
    EXPECT_EQ(fine->imageName, QStringLiteral("image7"));
    EXPECT_TRUE(PageImageNames::isImageNameAlreadyInUse(fine.get(), {fine}, {QStringLiteral("image7")}));
    EXPECT_FALSE(PageImageNames::isImageNameAlreadyInUse(fine.get(), {fine, second}));
}

TEST_F(PageImageNamesTest, RenamingCopiesOnlyTheVariantsThatExist)
{
    writeBytes(path(QStringLiteral("image4.PNG")), "plain");
    PageImageNames::transferImageFilesForNewName(path(), QStringLiteral("image4"), QStringLiteral("image9"),
                                                 QStringLiteral("PNG"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("image9.PNG"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("image9@2x.PNG"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("image9o.PNG"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("image4.PNG"))));
    PageImageNames::transferImageFilesForNewName(path(), QStringLiteral("image4"), QStringLiteral("../image9"),
                                                 QStringLiteral("PNG"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("../image9.PNG"))));
}
