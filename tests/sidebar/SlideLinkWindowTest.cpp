// The slide link window: the current slide's link shown, a typed link saved
// as one undo step, an unsafe one refused with the window left open.
#include "document/SKTDocument.h"
#include "sidebar/ui/HyperLinkWindowController.h"
#include "sidebar/ui/ZovNSTextField.h"
#include "model/SKTSlideshow.h"
#include "model/TransformView.h"
#include "platform/UndoManager.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(SlideLinkWindowTest, SavesTheSlidesLinkOrRefusesUnsafeOnes)
{
    SKTDocument doc;
    auto show = std::make_shared<SKTSlideshow>();
    for (int i = 0; i < 3; ++i) {
        auto slide = std::make_shared<TransformView>();
        slide->link = i == 1 ? QStringLiteral("old.html") : QString();
        show->addIntoImageArray(slide);
    }
    doc.insertGraphic(show, 0);
    doc.undoManager().closeAutomaticGroup();

    HyperLinkWindowController window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Apply Hyper Link"));
    window.linkCurrentSlide(*show, 1, &doc.undoManager(), {{QStringLiteral("a.zovpage"), QStringLiteral("about.html")}});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.linkTextbox()->text(), QStringLiteral("old.html"));

    window.linkTextbox()->clear();
    QTest::keyClicks(window.linkTextbox(), QStringLiteral("javascript:alert(1)"));
    QTest::mouseClick(window.saveLinkButton(), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.refusalLabel()->text().isEmpty());
    EXPECT_EQ(window.linkTextbox()->text(), QStringLiteral("javascript:alert(1)"));
    EXPECT_EQ(show->imageArray()[1]->link, QStringLiteral("old.html"));

    window.linkTextbox()->clear();
    QTest::keyClicks(window.linkTextbox(), QStringLiteral(" https://example.org/a b "));
    QTest::keyClick(window.linkTextbox(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(show->imageArray()[1]->link, QStringLiteral("https://example.org/a%20b"));
    EXPECT_EQ(show->imageArray()[0]->link, QString());
    doc.undoManager().undo();
    EXPECT_EQ(show->imageArray()[1]->link, QStringLiteral("old.html"));
    doc.undoManager().redo();
    EXPECT_EQ(show->imageArray()[1]->link, QStringLiteral("https://example.org/a%20b"));

    // A slide number the slideshow no longer has changes nothing.
    window.linkCurrentSlide(*show, 7, &doc.undoManager());
    EXPECT_EQ(window.linkTextbox()->text(), QString());
    QTest::keyClicks(window.linkTextbox(), QStringLiteral("x.html"));
    EXPECT_TRUE(window.saveSlideLink());
    for (const auto &slide : show->imageArray())
        EXPECT_NE(slide->link, QStringLiteral("x.html"));
}
