// The document's answers to its window: mobile view, toolbar validation,
// drafts, the base-template chooser and the background pattern.
#include "DocumentFixture.h"

#include "canvas/SKTGraphicView.h"
#include "support/ScriptedFilePanels.h"

#include <QPainter>

class DocumentWindowSideTest : public DocumentTest {};

TEST_F(DocumentWindowSideTest, MobileViewToolbarAndDraftState)
{
    for (const auto &[segment, mobile] : {std::pair{0, false}, {1, true}, {2, true}}) {
        doc->updateMobileView(segment);
        EXPECT_EQ(doc->mobileVersionFlag, mobile) << segment;
    }
    // The switch reads the saved page again in the chosen view.
    doc->insertGraphicAtIndex(makeText({10, 10, 100, 30}, QStringLiteral("kept")), 0);
    const QString package = packagePath(QStringLiteral("index"));
    ASSERT_TRUE(doc->saveThisPage(package, false));
    doc->fileURLPath = package;
    doc->updateMobileView(0);
    EXPECT_FALSE(doc->mobileVersionFlag);
    ASSERT_EQ(doc->graphics().size(), 1);
    EXPECT_EQ(doc->graphics()[0]->textString(), QStringLiteral("kept"));

    EXPECT_TRUE(SKTDocument::validateToolbarItem(QStringLiteral("showWebPreview"), false));
    EXPECT_FALSE(SKTDocument::validateToolbarItem(QStringLiteral("showWebPreview"), true));
    EXPECT_TRUE(SKTDocument::validateToolbarItem(QStringLiteral("saveDocument"), true));

    SKTDocument untitled;
    EXPECT_TRUE(untitled.isDraft());
    EXPECT_FALSE(doc->isDraft());
    gNoDraftPages = true;
    EXPECT_FALSE(untitled.isDraft());
}

TEST_F(DocumentWindowSideTest, BaseTemplateChooserOffersPagesOfTheEditionOnly)
{
    ScriptedFilePanels panels;
    panels.answer(QStringLiteral("/projects/site/base.zovweb"));
    QString got;
    doc->applyBaseTemplate([&got](const QString &path) { got = path; });
    ASSERT_EQ(panels.openPanels().size(), 1);
    EXPECT_EQ(panels.openPanels()[0].allowedTypes, QStringList{QStringLiteral("zovweb")});
    EXPECT_TRUE(panels.openPanels()[0].canChooseFiles);
    EXPECT_FALSE(panels.openPanels()[0].allowsMultipleSelection);
    EXPECT_EQ(got, QStringLiteral("/projects/site/base.zovweb"));
    panels.answerCancel();
    doc->applyBaseTemplate();
    EXPECT_EQ(doc->chosenBaseTemplatePath, QStringLiteral("/projects/site/base.zovweb"));
    // Choosing changes nothing of the page.
    EXPECT_FALSE(doc->isDocumentEdited());
}

TEST_F(DocumentWindowSideTest, TheCanvasShowsTheBackgroundPictureAsAPattern)
{
    QImage tile(2, 1, QImage::Format_RGB32);
    tile.setPixelColor(0, 0, Qt::red);
    tile.setPixelColor(1, 0, Qt::blue);
    doc->pageColor = Qt::green;
    SKTGraphicView view;
    view.setDocument(doc.get());
    view.pageColor = Qt::green;
    auto paint = [&] {
        QImage out(8, 4, QImage::Format_RGB32);
        out.fill(Qt::black);
        QPainter p(&out);
        view.draw(p, QRectF(0, 0, 8, 4), 1.0);
        return out;
    };
    EXPECT_EQ(paint().pixelColor(3, 2), QColor(Qt::green));
    doc->backgroundImage = tile;
    doc->backgroundImageFlag = 2;
    const QImage shown = paint();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(1, 0), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(6, 3), QColor(Qt::red));
    EXPECT_EQ(doc->pageBackgroundBrush().style(), Qt::TexturePattern);
    // A flag without a picture falls back to the colour.
    doc->backgroundImage = QImage();
    EXPECT_EQ(doc->pageBackgroundBrush().color(), QColor(Qt::green));
}
