// The responsive editions as a person uses them: the window the program makes
// is the page's section environment by itself, so a 2-column section takes a
// dropped text and photo, a text dragged into the other column joins that
// column, and the page saves and opens again with both where they were. The
// alignment and padding controls, the mobile view switch and the hand-over of
// the environment between windows are reached the same way.
#include "support/RealProgram.h"
#include "support/ResponsivePageJourney.h"
#include "support/ScriptedFilePanels.h"

#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/PageEditingCopy.h"
#include "document/SKTDocument.h"
#include "model/GraphicEnvironment.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "sidebar/SidebarActions.h"
#include "canvas/ui/DocumentSidebar.h"
#include "window/ui/SKTWindowController.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using namespace ResponsivePageJourney;

const char *const kEditions[] = {"Mirvel Responsive Website Designer", "Mirvel Responsive Email Designer", "Tovra Responsive Form Designer"};

class ResponsiveWindowTest : public RealProgramTest {
protected:
    // A window of the edition, with the Photo entry's open panel answered
    // by a wide picture.
    SKTWindowController *startIn(const QString &edition)
    {
        launchAs(edition);
        SKTWindowController *w = newPageWindow();
        if (!w)
            return nullptr;
        const QString picture = writePhoto({400, 100});
        panels.answer(picture);
        return w;
    }

    static int columnOf(const SKTGraphic &g) { return g.sectionColumnSpot(); }
};

class ResponsiveEditionTest : public ResponsiveWindowTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(ResponsiveEditionTest, TextsAndPhotosTakeTheirSectionCellsAndKeepThemThroughSaveAndOpen)
{
    for (const char *edition : {GetParam()}) {
        SCOPED_TRACE(edition);
        SKTWindowController *w = startIn(QString::fromLatin1(edition));
        ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        // This edition's own panel answers: the picture, then the saved page.
        ScriptedFilePanels journeyPanels;
        journeyPanels.answer(path(QStringLiteral("photo.png")));
        // Nobody installed anything: the window is the page's environment.
        EXPECT_EQ(GraphicEnvironment::current(), &w->graphicView());

        const TwoColumnPage page = buildTwoColumnPage(*w);
        ASSERT_TRUE(page.failure.isEmpty()) << qPrintable(page.failure) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        SKTTable *section = firstSection(*w);
        ASSERT_NE(section, nullptr);
        EXPECT_EQ(page.photo->sectionNumber(), section->sectionNumber());
        EXPECT_EQ(columnOf(*page.photo), 1);
        // The dragged text joined column 2 and is laid out in it.
        const int32_t sectionNumber = section->sectionNumber();
        EXPECT_EQ(page.text->sectionNumber(), sectionNumber);
        EXPECT_EQ(columnOf(*page.text), 1);
        const QRectF two = cellRect(*section, 1);
        EXPECT_GE(page.text->bounds().left(), two.left() - 1);
        EXPECT_LE(page.text->bounds().right(), two.right() + 1);

        // Saved from the menu, the window closed, the page opened again.
        SKTDocument &doc = w->document();
        qsizetype textsBefore = 0, photosBefore = 0;
        for (const auto &g : doc.graphics()) {
            textsBefore += dynamic_cast<SKTText *>(g.get()) ? 1 : 0;
            photosBefore += dynamic_cast<SKTImage *>(g.get()) ? 1 : 0;
        }
        const QString package = path(QStringLiteral("saved-%1.%2").arg(QString::fromLatin1(edition).split(QLatin1Char(' ')).at(2)).arg(gDocumentExtension));
        journeyPanels.answer(package);
        w->activateWindow();
        spinUntil([w] { return QApplication::activeWindow() == w; }, 2000);
        QString why;
        ASSERT_TRUE(MenuPath::trigger(w, QStringLiteral("File/Save"), &why)) << qPrintable(why);
        settleEvents();
        const QString saved = doc.fileURLPath;
        ASSERT_FALSE(saved.isEmpty()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        bool readable = false;
        const QString stored = SKTDocument::readPageText(doc.pagePath, &readable);
        ASSERT_TRUE(readable);
        EXPECT_TRUE(PageEditingCopy::hasEditingCopy(stored));
        w->close();
        settleEvents();
        ASSERT_TRUE(SKTWindowController::allWindows().isEmpty());

        SKTDocument *opened = DocumentController::shared().openDocument(saved);
        ASSERT_NE(opened, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        SKTWindowController *again = frontWindow();
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(&again->document(), opened);
        EXPECT_EQ(GraphicEnvironment::current(), &again->graphicView());
        QList<SKTGraphic *> texts, photos;
        for (const auto &g : opened->graphics()) {
            if (dynamic_cast<SKTText *>(g.get()))
                texts << g.get();
            else if (dynamic_cast<SKTImage *>(g.get()))
                photos << g.get();
        }
        // A new page may start with graphics of its own: ours are the ones in the section's column 2.
        const auto inColumnTwo = [sectionNumber](const QList<SKTGraphic *> &list) {
            return std::count_if(list.begin(), list.end(), [sectionNumber](SKTGraphic *g) {
                return g->sectionNumber() == sectionNumber && g->sectionColumnSpot() == 1;
            });
        };
        EXPECT_EQ(texts.size() + photos.size(), textsBefore + photosBefore);
        EXPECT_EQ(inColumnTwo(texts), 1);
        EXPECT_EQ(inColumnTwo(photos), 1);
        // Made in the window, saved, opened, generated: the same page text,
        // the published page and its editing copy alike.
        const QString after = opened->generatePageFileText(false);
        EXPECT_EQ(PageEditingCopy::editingPage(after).toStdString(), PageEditingCopy::editingPage(stored).toStdString());
        EXPECT_EQ(PageEditingCopy::publishedPage(after).toStdString(), PageEditingCopy::publishedPage(stored).toStdString());
        EXPECT_TRUE(after.contains(QStringLiteral("col-xs-12 col-sm-6 col-md-6 col-lg-6"))
                    || after.contains(QStringLiteral("columnContainer")));
        again->document().markClean();

        FilePanels::setCurrent(&panels);
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, ResponsiveEditionTest, ::testing::ValuesIn(kEditions));

// Moved outside every section (a graphic a damaged page left free), a graphic
// stays where it was dropped; the window's environment still answers.
TEST_F(ResponsiveWindowTest, AFreeGraphicMovedOutsideEverySectionStaysWhereItWasDropped)
{
    SKTWindowController *w = startIn(QStringLiteral("Mirvel Responsive Website Designer"));
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, 40)));
    auto loose = std::make_shared<SKTText>();
    loose->setBounds(QRectF(100, 600, 200, 40));
    loose->setSelectable(true);
    loose->setSectionNumber(-99);
    loose->setSectionRowSpot(-99);
    loose->setSectionColumnSpot(-99);
    w->document().insertGraphicAtIndex(loose, 0);
    settleEvents();
    dragOnCanvas(*w, QPointF(150, 620), QPointF(150, 720));
    EXPECT_EQ(loose->sectionNumber(), -99);
    EXPECT_EQ(loose->bounds(), QRectF(100, 700, 200, 40));
}

// The alignment control places the selection inside its cell; a padding
// change re-places it the same way; the toolbar's mobile segment sets the view.
TEST_F(ResponsiveWindowTest, AlignmentPaddingAndMobileViewControlsDoTheirWork)
{
    SKTWindowController *w = startIn(QStringLiteral("Mirvel Responsive Website Designer"));
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, 40)));
    SKTTable *section = firstSection(*w);
    ASSERT_NE(section, nullptr);
    const QRectF one = cellRect(*section, 0);
    section->drawBoxModel();
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_textbox_body_tovra_rich"),
                                 QPointF(one.left() + 40, section->contentRect().bottom() - 40)));
    SKTText *text = nullptr;  // the new one is the frontmost
    for (const auto &g : w->document().graphics())
        if (auto *t = dynamic_cast<SKTText *>(g.get()); t && !text)
            text = t;
    ASSERT_NE(text, nullptr);
    text->setBounds(QRectF(text->bounds().left(), text->bounds().top(), 100, text->bounds().height()));
    w->graphicView().setSelectedGraphics({text});
    settleEvents();

    const QRectF cell = w->graphicView().grabOverLappingSectionCell(text->bounds().topLeft());
    ASSERT_FALSE(cell.isNull());
    DocumentInspector *inspector = w->documentInspector();
    ASSERT_NE(inspector, nullptr);
    // Right: the box's right edge at the cell's.
    inspector->actions().editAndAct(inspector->bindings(), QStringLiteral("responsiveAlignmentControl"), 2);
    EXPECT_EQ(text->responsiveAlignment(), 2);
    EXPECT_DOUBLE_EQ(text->bounds().right(), std::trunc(cell.x() + cell.width()));
    // Moved back by hand, a padding edit re-places it by the control.
    text->setBounds(text->bounds().translated(-50, 0));
    inspector->actions().editAndAct(inspector->bindings(), QStringLiteral("topPaddingTextField"), 4);
    EXPECT_DOUBLE_EQ(text->bounds().right(), std::trunc(cell.x() + cell.width()));

    QString why;
    ASSERT_TRUE(ToolbarButton::click(w, QStringLiteral("Mobile View"), &why)) << qPrintable(why);
    EXPECT_TRUE(w->document().mobileVersionFlag);
    ASSERT_TRUE(ToolbarButton::click(w, QStringLiteral("Desktop View"), &why)) << qPrintable(why);
    EXPECT_FALSE(w->document().mobileVersionFlag);
    // Unsaved work survives the switch.
    EXPECT_NE(std::find_if(w->document().graphics().begin(), w->document().graphics().end(),
                           [text](const auto &g) { return g.get() == text; }),
              w->document().graphics().end());
}

}  // namespace
