// Link, tooltip and caption pop-overs over real graphics of a page document:
// the link clean-up, unsafe links refused with the pop-over left open, page
// drops, and each save one undo step.
#include "SelectionDouble.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "sidebar/LinkEditing.h"
#include "sidebar/ui/GalleryGridCaptionViewController.h"
#include "sidebar/ui/HyperLinkViewController.h"
#include "sidebar/ui/TooltipViewController.h"
#include "sidebar/ui/ZovNSTextField.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>


TEST(LinkEditingRulesTest, CleanUpAndPageDrops)
{
    const std::pair<QString, QString> links[] = {
        {"  about us.html \n", "about%20us.html"},
        {"first.html\nsecond.html", "first.html"},
        {"http://example.org/a b", "http://example.org/a%20b"},
    };
    for (const auto &[typed, stored] : links)
        EXPECT_EQ(LinkEditing::cleanLink(typed), stored);

    const QString extension = gDocumentExtension;
    gDocumentExtension = QStringLiteral("zovpage");
    const QList<ProjectPage> pages = {{"about.zovpage", "about-us.html"}};
    EXPECT_EQ(LinkEditing::pageLinkForDrop("DragAndDrop/contact.zovpage", pages), QStringLiteral("contact.html"));
    EXPECT_EQ(LinkEditing::pageLinkForDrop("DragAndDrop/about.zovpage", pages), QStringLiteral("about-us.html"));
    EXPECT_EQ(LinkEditing::pageLinkForDrop("/home/me/pictures/photo.png", pages), QStringLiteral("photo.png"));
    ZovNSTextField field;
    field.setPagesProvider([&] { return pages; });
    field.takeDroppedText("DragAndDrop/about.zovpage");
    EXPECT_EQ(field.text(), QStringLiteral("about-us.html"));
    gDocumentExtension = extension;
}

class LinkEditingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        text = std::make_shared<SKTText>();
        text->setBounds({10, 10, 100, 40});
        image = std::make_shared<SKTImage>();
        image->setBounds({150, 10, 80, 60});
        doc.insertGraphics({text, image}, {0, 1});
        doc.undoManager().closeAutomaticGroup();
        selection.selected = {text.get(), image.get()};
    }
    SKTDocument doc;
    SelectionDouble selection{doc};
    std::shared_ptr<SKTText> text;
    std::shared_ptr<SKTImage> image;
};

TEST_F(LinkEditingTest, SaveGivesTextsEverythingAndImagesLinkAndOptionInOneStep)
{
    const GraphicProperties textBefore = text->properties(), imageBefore = image->properties();
    const int steps = doc.undoManager().undoCount();
    EXPECT_EQ(LinkEditing::saveLink(selection, {" about us.html", 1, 1, "menu", "intro,banner"}), QString());
    EXPECT_EQ(text->link(), QStringLiteral("about%20us.html"));
    EXPECT_EQ(text->linkOption(), QStringLiteral("_blank"));
    EXPECT_EQ(text->linkType(), QStringLiteral("shape"));
    EXPECT_EQ(text->onClickHideString(), QStringLiteral("intro,banner"));
    EXPECT_EQ(image->link(), QStringLiteral("about%20us.html"));
    EXPECT_EQ(image->linkOption(), QStringLiteral("_blank"));
    EXPECT_EQ(image->onClickShowString(), QString());
    EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
    ASSERT_TRUE(doc.undoManager().undo());
    EXPECT_EQ(text->properties(), textBefore);
    EXPECT_EQ(image->properties(), imageBefore);
}

TEST_F(LinkEditingTest, UnsafeLinksAndIdsAreRefused)
{
    const LinkEditing::LinkValues refused[] = {
        {"javascript:alert(1)", 0, 0, {}, {}},
        {"  JavaScript:alert(1)", 0, 0, {}, {}},
        {"data:text/html,<script>x</script>", 0, 0, {}, {}},
        {"file:///etc/passwd", 0, 0, {}, {}},
        {"ok.html", 0, 0, "a\" onmouseover=\"x", {}},
        {"ok.html", 0, 0, {}, "#menu"},
    };
    const int steps = doc.undoManager().undoCount();
    for (const LinkEditing::LinkValues &v : refused) {
        EXPECT_FALSE(LinkEditing::saveLink(selection, v).isEmpty()) << v.link.toStdString();
        EXPECT_EQ(text->link(), QString());
    }
    EXPECT_EQ(doc.undoManager().undoCount(), steps);
}

TEST_F(LinkEditingTest, PopOverRefusesATypedUnsafeLinkAndStaysOpen)
{
    HyperLinkViewController pop(true);
    bool closed = false;
    pop.show();
    pop.applyLinkPopOver(selection, {{"home.zovpage", "index.html"}}, "", "", "", [&] { closed = true; });
    EXPECT_EQ(pop.selectPagePopButton()->itemText(0), HyperLinkViewController::pagePlaceholder());
    QTest::keyClicks(pop.linkTextbox(), "javascript:alert(document.cookie)");
    QTest::mouseClick(pop.saveLinkButton(), Qt::LeftButton);
    EXPECT_FALSE(closed);
    EXPECT_FALSE(pop.refusalLabel()->text().isEmpty());
    EXPECT_EQ(pop.linkTextbox()->text(), QStringLiteral("javascript:alert(document.cookie)"));
    EXPECT_EQ(text->link(), QString());

    // Picking a page puts its published name in the field; Save closes.
    pop.selectPagePopButton()->setCurrentIndex(1);
    emit pop.selectPagePopButton()->activated(1);
    EXPECT_EQ(pop.linkTextbox()->text(), QStringLiteral("index.html"));
    QTest::mouseClick(pop.linkOptionSegmentedControl()->button(2), Qt::LeftButton);
    QTest::mouseClick(pop.saveLinkButton(), Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_EQ(text->link(), QStringLiteral("index.html"));
    EXPECT_EQ(text->linkOption(), QStringLiteral("_parent"));
}

TEST_F(LinkEditingTest, TooltipFirstLineOnImagesOnly)
{
    TooltipViewController pop;
    pop.show();
    selection.selected = {text.get()};
    const int steps = doc.undoManager().undoCount();
    pop.applyTooltip(selection, "", [] {});
    QTest::keyClicks(pop.tooltipTextbox(), "a tip");
    QTest::mouseClick(pop.saveButton(), Qt::LeftButton);
    EXPECT_EQ(text->altText(), QString());
    EXPECT_EQ(doc.undoManager().undoCount(), steps);
    selection.selected = {text.get(), image.get()};
    EXPECT_EQ(LinkEditing::saveTooltip(selection, "<b>one</b>\ntwo"), QStringLiteral("<b>one</b>"));
    EXPECT_EQ(image->altText(), QStringLiteral("<b>one</b>"));  // kept as typed: generation escapes it
}

TEST_F(LinkEditingTest, CaptionIsOneUndoableStepAndRefusesUnsafeLinks)
{
    auto gallery = std::make_shared<SKTGalleryGrid>();
    gallery->setNumOfColumns(1);
    gallery->setNumOfRows(1);
    auto picture = std::make_shared<TransformView>();
    gallery->setImageArray({picture});
    doc.insertGraphics({gallery}, {2});
    doc.undoManager().closeAutomaticGroup();
    GalleryGridCaptionViewController pop;
    pop.show();
    bool closed = false;
    pop.configureGalleryImageCaption(selection, *gallery, picture, [&] { closed = true; });
    QTest::keyClicks(pop.captionTextField(), "\"><script>x</script>");
    QTest::keyClicks(pop.linkTextField(), "data:text/html,x");
    QTest::mouseClick(pop.saveButton(), Qt::LeftButton);
    EXPECT_FALSE(closed);
    EXPECT_EQ(picture->altText, QString());
    pop.linkTextField()->setText("shop.html");
    QTest::mouseClick(pop.saveButton(), Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_EQ(picture->altText, QStringLiteral("\"><script>x</script>"));
    ASSERT_TRUE(doc.undoManager().undo());
    EXPECT_EQ(picture->altText, QString());
    ASSERT_TRUE(doc.undoManager().redo());
    EXPECT_EQ(picture->link, QStringLiteral("shop.html"));
}
