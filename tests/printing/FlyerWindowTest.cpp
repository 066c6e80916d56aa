// The flyer edition from its window: a page of the orientation picked in the
// chooser, and another paper from the window's template list, kept with the
// page and used when it prints.
#include "printing/PrintWindowFixture.h"

#include "app/SKTAppDelegate.h"
#include "app/ui/AppShell.h"
#include "app/ui/TemplateIconButton.h"
#include "app/ui/TemplateWindowController.h"
#include "app/ui/WelcomeWindowController.h"
#include "config/EditionSettings.h"
#include "window/PrintTemplateChoice.h"
#include "window/ProjectScan.h"
#include "window/ui/SKTWindowController.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class FlyerWindowTest : public PrintWindowTest {
protected:
    // The chooser New opened, once it shows.
    TemplateWindowController *chooser() { return shownWidget<TemplateWindowController>(20000); }
};

struct OrientationCase {
    const char *category;  // the chooser's category button
    bool clickThumbnail;   // the template clicked too, or only the category
    const char *sheet;
    bool portrait;
};

// "Portrait" and "Landscape" in the chooser make a page of that orientation
// (its thumbnail clicked, or only its category opened), and the chooser goes.
TEST_F(FlyerWindowTest, TheChoosersOrientationMakesAPageOfThatOrientation)
{
    const OrientationCase cases[] = {
        {"Portrait", true, "US Letter - Portrait", true},
        {"Portrait", false, "US Letter - Portrait", true},
        {"Landscape", true, "US Letter - Landscape", false},
        {"Landscape", false, "US Letter - Landscape", false},
    };
    for (const OrientationCase &c : cases) {
        SCOPED_TRACE(std::string(c.category) + (c.clickThumbnail ? " with its thumbnail" : " only"));
        launchAs("Tovra Dazed Irizi Pro");
        panels.answer(path("Flyer Project"));
        WelcomeWindowController *welcome = shell->welcomeWindowController();
        ASSERT_NE(welcome, nullptr);
        welcome->validateButtons();
        welcome->addNewWebsiteButton()->click();
        settleEvents();
        TemplateWindowController *templates = chooser();
        ASSERT_NE(templates, nullptr);
        bool found = false;
        for (QPushButton *category : templates->templateCategoryButtonArray())
            if (category->text().trimmed() == c.category) {
                category->click();
                found = true;
            }
        ASSERT_TRUE(found);
        settleEvents();
        if (c.clickThumbnail) {
            const QList<TemplateIconButton *> icons = templates->gridButtons();
            TemplateIconButton *shown = nullptr;
            for (TemplateIconButton *icon : icons)
                if (icon->isVisible())
                    shown = icon;
            ASSERT_NE(shown, nullptr);
            shown->click();
            settleEvents();
        }
        templates->selectButton()->click();
        spinUntil([] { return !SKTWindowController::allWindows().isEmpty(); }, 5000);
        SKTWindowController *window = frontWindow();
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
        EXPECT_FALSE(templates->isVisible()) << "the chooser stayed open";
        EXPECT_NE(window->document().pageName, "Blank");
        EXPECT_EQ(window->document().labelTemplateHelper.templateDescription, c.sheet);
        const QSizeF canvas = window->document().pageCanvasSize();
        EXPECT_EQ(canvas.height() > canvas.width(), c.portrait) << canvas.width() << " x " << canvas.height();
        TearDown();
        SetUp();
    }
}

// "A4 - Portrait" from the window's template list, then "Change": the canvas
// takes A4 portrait, the page keeps it when opened again, and the Print item,
// the toolbar's Print button and the PDF are on A4 portrait.
TEST_F(FlyerWindowTest, AnotherPaperFromTheTemplateListResizesStaysAndPrints)
{
    launchAs("Tovra Dazed Irizi Pro");
    SKTWindowController *window = newPageFromTemplate("Landscape");
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    ASSERT_EQ(window->document().labelTemplateHelper.templateDescription, "US Letter - Landscape");
    QString why;
    ASSERT_TRUE(ToolbarButton::click(window, "Templates", &why)) << qPrintable(why);
    QComboBox *popUp = window->templatePopUp(PrintTemplateChoice::PopUp::Flyer);
    ASSERT_TRUE(popUp->isVisible());
    const int a4 = popUp->findText("A4 - Portrait");
    ASSERT_GE(a4, 0);
    // Answered as the alert on screen answers: after the pop-up's handler
    // has returned.
    alerts.setAnswersLater(true);
    alerts.answer("Change");
    popUp->setCurrentIndex(a4);
    emit popUp->activated(a4);
    settleEvents();
    alerts.setAnswersLater(false);
    EXPECT_EQ(alerts.mismatches(), QStringList());
    EXPECT_EQ(popUp->currentText(), "A4 - Portrait");
    EXPECT_EQ(gDefaultPrintSheet, "A4 - Portrait");
    EXPECT_EQ(window->document().labelTemplateHelper.templateDescription, "A4 - Portrait");
    // A4 at 150 pixels per inch, portrait.
    EXPECT_EQ(window->document().pageCanvasSize(), QSizeF(1245, 1755));

    for (const char *how : {"menu", "toolbar"}) {
        SCOPED_TRACE(how);
        const bool sent = QString(how) == "menu" ? MenuPath::trigger(window, "Print/Print Page...", &why)
                                                 : ToolbarButton::click(window, "Print", &why);
        ASSERT_TRUE(sent) << qPrintable(why);
        const QString pdf = path(QString("flyer-%1.pdf").arg(how));
        ASSERT_TRUE(printToFile(pdf, &why)) << qPrintable(why);
        const printwindow::PdfFacts facts = printwindow::factsOf(pdf);
        EXPECT_EQ(facts.pages, 1);
        EXPECT_NEAR(facts.points.width(), 595.3, 1.0);
        EXPECT_NEAR(facts.points.height(), 841.9, 1.0);
        EXPECT_GE(facts.lowestPpi, 299.0);
    }
    const QString pdf = path("flyer-book.pdf");
    panels.answer(pdf);
    ASSERT_TRUE(MenuPath::trigger(window, "File/Export/All Pages as One PDF, Quickly...", &why)) << qPrintable(why);
    spinUntil([&] { return QFileInfo(pdf).size() > 0; }, 20000);
    settleEvents(10);
    const printwindow::PdfFacts book = printwindow::factsOf(pdf);
    // The piece's own size: the sheet's 8.3" x 11.7", A4 to within a millimetre.
    EXPECT_NEAR(book.points.width(), 8.3 * 72, 1.0) << qPrintable(alerts.messages().join(" | "));
    EXPECT_NEAR(book.points.height(), 11.7 * 72, 1.0);

    // Stored with the page: the project opened again shows it on A4 portrait.
    const QString folder = window->openWebsiteFolderPath();
    window->close();
    settleEvents(10);
    ASSERT_NE(SKTAppDelegate::shared().launchSelectedWebsite(folder, false), nullptr);
    settleEvents(10);
    SKTWindowController *reopened = frontWindow();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->document().labelTemplateHelper.templateDescription, "A4 - Portrait");
    EXPECT_EQ(gDefaultPrintSheet, "A4 - Portrait");
    EXPECT_EQ(reopened->document().pageCanvasSize(), QSizeF(1245, 1755));
}

}  // namespace
