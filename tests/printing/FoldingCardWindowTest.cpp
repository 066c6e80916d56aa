// Folding cards printed from the greeting-card edition's window, as a person
// prints them: a new card from the chooser's template of each fold, the
// toolbar's Print button, the card question answered, the print dialog sent
// to a PDF. The sheet is read back with poppler and each panel is looked at:
// the template's front (a purple band at its top, so upside down the band is
// at the panel's bottom), the blank second page (no band) and the inside
// pages (a purple band, upright).
#include "printing/PrintWindowFixture.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"
#include "window/ProjectScan.h"
#include "window/ui/SKTWindowController.h"

#include <QColor>
#include <QMap>

#include <gtest/gtest.h>

namespace {

// What a panel of the printed sheet shows.
enum class Panel { FrontTurned, FrontUpright, Blank, InsideUpright };

struct CardCase {
    const char *templateFile;  // the chooser's template of the fold
    const char *sheet;         // the card sheet the card is printed on
    double widthPoints;        // the paper as printed
    double heightPoints;
    std::vector<Panel> outside;  // "Front and Back", in grid order; for a quarter fold every page
    std::vector<Panel> inside;   // "Inside"; empty for a quarter fold (no question asked)
};

using printwindow::isInk;
using printwindow::isPurple;
using printwindow::share;

// A horizontal strip of the panel: from `top` to `bottom` in shares of its
// height, its middle 80 % across, split into a left and a right half so that
// content cut off at either side shows.
QRectF strip(const QRectF &panel, double top, double bottom, bool left)
{
    const double x0 = panel.left() + panel.width() * (left ? 0.1 : 0.5);
    return {x0, panel.top() + panel.height() * top, panel.width() * 0.4, panel.height() * (bottom - top)};
}

void expectPanel(const QImage &page, const QRectF &panel, Panel what, const std::string &where)
{
    SCOPED_TRACE(where);
    for (bool left : {true, false}) {
        const double bandTop = share(page, strip(panel, 0.03, 0.12, left), isPurple);
        const double bandBottom = share(page, strip(panel, 0.88, 0.97, left), isPurple);
        switch (what) {
        case Panel::FrontUpright:
        case Panel::InsideUpright:
            EXPECT_GT(bandTop, 0.5) << "no band at the top, left half " << left;
            EXPECT_LT(bandBottom, 0.05);
            break;
        case Panel::FrontTurned:
            EXPECT_GT(bandBottom, 0.5) << "not turned: no band at the bottom, left half " << left;
            EXPECT_LT(bandTop, 0.05);
            break;
        case Panel::Blank:
            EXPECT_LT(bandTop + bandBottom, 0.05);
            break;
        }
    }
}

class FoldingCardWindowTest : public PrintWindowTest {
protected:
    // Prints with the toolbar's Print button, answering the card question
    // when one is given, and checks the sheet.
    void printAndCheck(SKTWindowController *window, const CardCase &c, const char *answer,
                       const std::vector<Panel> &expected)
    {
        SCOPED_TRACE(std::string(c.sheet) + " / " + (*answer ? answer : "no question"));
        const qsizetype asked = alerts.messages().count("Preview and print Card");
        if (*answer)
            alerts.answer(answer);
        QString why;
        ASSERT_TRUE(ToolbarButton::click(window, "Print", &why)) << qPrintable(why);
        const QString pdf = path(QString("card-%1.pdf").arg(*answer ? answer : "all").replace(' ', '_'));
        ASSERT_TRUE(printToFile(pdf, &why)) << qPrintable(why);
        EXPECT_EQ(alerts.messages().count("Preview and print Card"), asked + (*answer ? 1 : 0));
        const printwindow::PdfFacts facts = printwindow::factsOf(pdf);
        EXPECT_EQ(facts.pages, 1);
        EXPECT_NEAR(facts.points.width(), c.widthPoints, 1.5);
        EXPECT_NEAR(facts.points.height(), c.heightPoints, 1.5);
        const QImage page = printwindow::firstPage(pdf, path("card"));
        ASSERT_FALSE(page.isNull());
        const QList<QRectF> panels = printwindow::spotsInPoints(c.sheet);
        ASSERT_GE(panels.size(), qsizetype(expected.size()));
        QRectF used;
        for (size_t i = 0; i < expected.size(); ++i) {
            expectPanel(page, panels.at(qsizetype(i)), expected.at(i), "panel " + std::to_string(i + 1));
            used |= panels.at(qsizetype(i));
        }
        // Nothing is printed beyond the card's panels.
        QImage outside = page.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < outside.height(); ++y)
            for (int x = 0; x < outside.width(); ++x)
                if (used.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5)))
                    outside.setPixel(x, y, qRgb(255, 255, 255));
        EXPECT_LT(share(outside, outside.rect(), isInk), 0.001) << "ink outside the panels";
    }
};

// Every card sheet from a new card of its fold: "Front and Back" and "Inside"
// on the half folds, all four pages at once on the quarter folds, each on one
// sheet of its paper with every panel in its place and the right ones turned.
TEST_F(FoldingCardWindowTest, EveryFoldPrintsItsPanelsInPlaceFromTheWindow)
{
    using P = Panel;
    const double letterW = 612, letterH = 792, a4W = 595.3, a4H = 841.9, a5W = 419.5, a5H = 595.3;
    const std::vector<P> halfFront = {P::FrontTurned, P::Blank};
    const std::vector<P> verticalFront = {P::Blank, P::FrontUpright};
    const std::vector<P> inside = {P::InsideUpright, P::InsideUpright};
    const std::vector<P> quarter = {P::FrontTurned, P::Blank, P::InsideUpright, P::InsideUpright};
    const CardCase cases[] = {
        {"Letter Half Fold - 8_5 x 5_5", "Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", letterW, letterH,
         halfFront, inside},
        {"Letter Half Fold - 5_5 x 8_5", "Card - Letter Sheet Vertical Half Fold (5.5\" x 8.5\")", letterH, letterW,
         verticalFront, inside},
        {"Letter Quarter Fold - 5_5 x 4_25", "Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")", letterH,
         letterW, quarter, {}},
        {"Letter Quarter Fold - 4_25 x 5_5", "Card - Letter Sheet Vertical Quarter Fold (4.25\" x 5.5\")", letterW,
         letterH, quarter, {}},
        {"A4 Half Fold - 8_3 x 5_85", "Card - A4 Sheet Horizontal Half Fold (8.3\" x 5.85\")", a4W, a4H, halfFront,
         inside},
        {"A4 Half Fold - 5_85 x 8_3", "Card - A4 Sheet Vertical Half Fold (5.85\" x 8.3\")", a4H, a4W, verticalFront,
         inside},
        {"A4 Quarter Fold - 5_85 x 4_15", "Card - A4 Sheet Horizontal Quarter Fold (5.85\" x 4.15\")", a4H, a4W,
         quarter, {}},
        {"A4 Quarter Fold - 4_15 x 5_85", "Card - A4 Sheet Vertical Quarter Fold (4.15\" x 5.85\")", a4W, a4H, quarter,
         {}},
        // The fold would say portrait, where the 8.3" wide grid is cut off:
        // the sheet goes the way its grid fits.
        {"A5 Half Fold - 8_3 x 2_9", "Card - A5 Sheet Horizontal Half Fold (8.3\" x 2.9\")", a5H, a5W, halfFront,
         inside},
        {"A5 Half Fold - 4_15 x 5_8", "Card - A5 Sheet Vertical Half Fold (4.15\" x 5.8\")", a5H, a5W, verticalFront,
         inside},
        {"A5 Quarter Fold - 4_15 x 2_9", "Card - A5 Sheet Horizontal Quarter Fold (4.15\" x 2.9\")", a5H, a5W, quarter,
         {}},
        {"A5 Quarter Fold - 2_9 x 4_15", "Card - A5 Sheet Vertical Quarter Fold (2.9\" x 4.15\")", a5W, a5H, quarter,
         {}},
    };
    const QString only = qEnvironmentVariable("ZOV_ONLY_CARD");
    for (const CardCase &c : cases) {
        if (!only.isEmpty() && !QString(c.templateFile).contains(only))
            continue;
        SCOPED_TRACE(c.templateFile);
        launchAs("Tovra Greeting Card Designer");
        SKTWindowController *window = newPageFromTemplate(c.templateFile);
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
        // A new card is its four tabs, every one on the fold's sheet.
        QStringList names = printwindow::pageNames(window);
        names.sort();
        EXPECT_EQ(names, QStringList({"1.quandrel", "2.quandrel", "3.quandrel", "4.quandrel"}));
        EXPECT_EQ(gDefaultPrintSheet, c.sheet);
        EXPECT_EQ(window->document().labelTemplateHelper.templateDescription, c.sheet);
        if (c.inside.empty()) {
            printAndCheck(window, c, "", c.outside);
        } else {
            printAndCheck(window, c, "Front and Back", c.outside);
            printAndCheck(window, c, "Inside", c.inside);
        }
        EXPECT_EQ(alerts.mismatches(), QStringList());
        TearDown();
        SetUp();
    }
}

// A card made with no template clicked still has its four tabs, on the card
// sheet the chooser opened on.
TEST_F(FoldingCardWindowTest, ANewCardWithNoTemplatePickedHasFourTabs)
{
    launchAs("Tovra Greeting Card Designer");
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    QStringList names = printwindow::pageNames(window);
    names.sort();
    EXPECT_EQ(names, QStringList({"1.quandrel", "2.quandrel", "3.quandrel", "4.quandrel"}));
    EXPECT_EQ(gDefaultPrintSheet, "Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")");
    // Its outside prints on one Letter sheet, both panels on it.
    alerts.answer("Front and Back");
    QString why;
    ASSERT_TRUE(ToolbarButton::click(window, "Print", &why)) << qPrintable(why);
    const QString pdf = path("blank-card.pdf");
    ASSERT_TRUE(printToFile(pdf, &why)) << qPrintable(why);
    const printwindow::PdfFacts facts = printwindow::factsOf(pdf);
    EXPECT_EQ(facts.pages, 1);
    EXPECT_NEAR(facts.points.width(), 612, 1.5);
    EXPECT_NEAR(facts.points.height(), 792, 1.5);
}

// Every tab of a new card keeps its whole design on its canvas once the
// tabs have taken the fold. The starter tabs are made for the Letter half
// fold's panel; on the smaller folds their pieces are brought inside, and
// none is lost: each tab keeps the texts it has on the Letter fold.
TEST_F(FoldingCardWindowTest, EveryTabOfANewCardKeepsItsDesignOnTheFoldsCanvas)
{
    const char *folds[] = {
        "Letter Half Fold - 8_5 x 5_5",  "Letter Quarter Fold - 4_25 x 5_5", "A4 Quarter Fold - 5_85 x 4_15",
        "A5 Half Fold - 8_3 x 2_9",      "A5 Half Fold - 4_15 x 5_8",        "A5 Quarter Fold - 4_15 x 2_9",
        "A5 Quarter Fold - 2_9 x 4_15",
    };
    QMap<QString, QStringList> lettersTexts;  // the starter tabs' texts on the Letter half fold
    for (const char *fold : folds) {
        SCOPED_TRACE(fold);
        launchAs("Tovra Greeting Card Designer");
        SKTWindowController *window = newPageFromTemplate(fold);
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
        ProjectPages &project = window->project();
        ASSERT_EQ(project.scan.siteIconArray.size(), 4);
        for (int i = 0; i < 4; ++i) {
            const QString tab = project.scan.siteIconArray.at(i).pageName;
            SCOPED_TRACE(tab.toStdString());
            ASSERT_TRUE(project.launchSelected(i));
            settleEvents();
            const SKTDocument &page = window->document();
            EXPECT_EQ(page.labelTemplateHelper.templateDescription, gDefaultPrintSheet);
            const QRectF canvas(QPointF(0, 0), page.pageCanvasSize());
            QStringList texts;
            for (const auto &graphic : page.graphics()) {
                texts << graphic->textString();
                const QRectF frame = graphic->bounds();
                EXPECT_TRUE(canvas.adjusted(-0.5, -0.5, 0.5, 0.5).contains(frame) && !frame.isEmpty())
                    << qPrintable(graphic->className()) << " \"" << qPrintable(graphic->textString()) << "\" at "
                    << frame.x() << ", " << frame.y() << ", " << frame.width() << " x " << frame.height()
                    << " on a canvas of " << canvas.width() << " x " << canvas.height();
            }
            // The front is the fold's own template; the others are the starters.
            if (tab == QLatin1String("1.quandrel"))
                continue;
            texts.sort();
            if (lettersTexts.contains(tab))
                EXPECT_EQ(texts, lettersTexts.value(tab));
            else
                lettersTexts.insert(tab, texts);
        }
        if (const char *shots = getenv("ZOV_SHOTS")) {
            project.launchSelected(1);
            settleEvents(10);
            window->grab().save(QString("%1/%2.png").arg(shots, fold));
        }
        TearDown();
        SetUp();
    }
    EXPECT_TRUE(lettersTexts.value("2.quandrel").contains("Your design"));
}

}  // namespace
