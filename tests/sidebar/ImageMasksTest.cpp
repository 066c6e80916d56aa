// Image masks over real graphics of a page document: the shipped shapes, the
// chooser's places, mask and flag set together as one undo step, unreadable
// files reported with the mask kept, several own files with the last kept.
#include "SelectionDouble.h"
#include "document/SKTDocument.h"
#include "sidebar/ImageMasks.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"
#include "support/ScriptedFilePanels.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <gtest/gtest.h>


TEST(ImageMasksShapesTest, ADozenShapesWithTheDefaultAndChooserPlaces)
{
    const QStringList files = ImageMasks::maskFiles();
    EXPECT_GE(files.size(), 12);
    QStringList names;
    for (const QString &f : files)
        names << QFileInfo(f).fileName();
    ASSERT_TRUE(names.contains(ImageMasks::defaultMaskName()));
    const QImage circle(QFileInfo(ImageMasks::folder() + "/" + ImageMasks::defaultMaskName()).filePath());
    EXPECT_EQ(circle.pixelColor(circle.width() / 2, circle.height() / 2).alpha(), 255);
    EXPECT_EQ(circle.pixelColor(1, 1).alpha(), 0);
    EXPECT_EQ(ImageMasks::choiceFrame(0), QRect(5, 0, 50, 50));
    EXPECT_EQ(ImageMasks::choiceFrame(10), QRect(5, 100, 50, 50));
    EXPECT_EQ(ImageMasks::choiceFrame(11), QRect(55, 100, 50, 50));
}

class ImageMasksTest : public TempDirTest {
protected:
    void SetUp() override
    {
        image = std::make_shared<SKTImage>();
        image->setBounds({10, 10, 80, 60});
        text = std::make_shared<SKTText>();
        text->setBounds({150, 10, 80, 60});
        doc.insertGraphics({image, text}, {0, 1});
        doc.undoManager().closeAutomaticGroup();
        selection.selected = {image.get(), text.get()};
    }
    QString shape(const QString &name, const QRect &opaque)
    {
        QImage img(20, 20, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter(&img).fillRect(opaque, Qt::black);
        const QString p = path(name);
        img.save(p);
        return p;
    }
    SKTDocument doc;
    SelectionDouble selection{doc};
    std::shared_ptr<SKTImage> image;
    std::shared_ptr<SKTText> text;
};

TEST_F(ImageMasksTest, ApplyMaskSetsMaskAndFlagAsOneStepAndUndoRemovesBoth)
{
    const GraphicProperties before = image->properties(), textBefore = text->properties();
    const int steps = doc.undoManager().undoCount();
    EXPECT_EQ(ImageMasks::adjustMaskFilter(selection, true), QString());
    EXPECT_FALSE(image->maskImage().isNull());
    EXPECT_EQ(image->maskFlag(), 1);
    const QImage mask = image->maskImage();
    EXPECT_EQ(mask.pixelColor(mask.width() / 2, mask.height() / 2), QColor(Qt::white));
    EXPECT_EQ(text->properties(), textBefore);
    EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
    ASSERT_TRUE(doc.undoManager().undo());
    EXPECT_TRUE(image->maskImage().isNull());
    EXPECT_EQ(image->maskFlag(), 0);
    EXPECT_EQ(image->properties(), before);

    ASSERT_TRUE(doc.undoManager().redo());
    EXPECT_EQ(ImageMasks::adjustMaskFilter(selection, false), QString());
    EXPECT_TRUE(image->maskImage().isNull());
    EXPECT_EQ(image->maskFlag(), 0);
}

TEST_F(ImageMasksTest, OwnFilesTheLastKeptAndUnreadableReported)
{
    ScriptedFilePanels panels;
    FilePanels::setCurrent(&panels);
    const QString a = shape("a.png", {0, 0, 5, 5}), b = shape("b.png", {0, 0, 20, 20});
    QFile broken(path("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG\r\n\x1a\nnot a picture");
    broken.close();

    QStringList reports;
    panels.answer(QStringList{a, b});
    ImageMasks::selectCustomImageAsMask(selection, nullptr, [&](const QString &e) { reports << e; });
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_EQ(image->maskImage().pixelColor(15, 15), QColor(Qt::white));  // b's shape
    const QImage kept = image->maskImage();

    panels.answer(QStringList{broken.fileName()});
    ImageMasks::selectCustomImageAsMask(selection, nullptr, [&](const QString &e) { reports << e; });
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains("broken.png"));
    EXPECT_EQ(image->maskImage(), kept);
    EXPECT_EQ(image->maskFlag(), 1);
    FilePanels::setCurrent(nullptr);
}

#include "sidebar/ui/ImageMaskChooser.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTest>

TEST_F(ImageMasksTest, ChooserClicksApplyShapesAndReportBadOwnFiles)
{
    ScriptedFilePanels panels;
    FilePanels::setCurrent(&panels);
    ImageMaskChooser chooser(selection);
    chooser.show();
    ASSERT_GE(chooser.choices().size(), 12);
    EXPECT_EQ(chooser.choices()[11]->geometry(), QRect(55, 100, 50, 50));
    QTest::mouseClick(chooser.choices()[0], Qt::LeftButton);
    EXPECT_FALSE(image->maskImage().isNull());
    EXPECT_EQ(image->maskFlag(), 1);
    EXPECT_TRUE(chooser.messageLabel()->text().isEmpty());

    const QImage kept = image->maskImage();
    QFile broken(path("bad.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("nope");
    broken.close();
    panels.answer(broken.fileName());
    QTest::mouseClick(chooser.useMyOwnButton(), Qt::LeftButton);
    EXPECT_TRUE(chooser.messageLabel()->text().contains("bad.png"));
    EXPECT_EQ(image->maskImage(), kept);
    FilePanels::setCurrent(nullptr);
}
