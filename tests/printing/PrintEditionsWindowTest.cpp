// Printing and PDFs from the document window of every print edition, reached
// as a person reaches them: menu items by their visible path, toolbar buttons
// by their text, alerts and the save panel answered, the print dialog sent to
// a PDF file. The PDFs are read back with poppler.
#include "PrintWindowFixture.h"

#include "config/EditionSettings.h"
#include "config/DataCentrePrinting.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "window/PrintTemplateChoice.h"
#include "window/ProjectScan.h"
#include "window/ui/AddNewPageViewController.h"
#include "window/ui/SKTWindowController.h"

#include <QComboBox>
#include <QPushButton>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using namespace printwindow;

using PrintEditionsWindowTest = PrintWindowTest;

struct BookCase {
    const char *edition;
    double widthInches;
    double heightInches;
};

// "All Pages as One PDF, Quickly" of a new page: pages of the piece's true
// size, whatever the edition's canvas resolution.
TEST_F(PrintEditionsWindowTest, TheQuickPdfOfANewPageHasThePiecesTrueSize)
{
    const BookCase cases[] = {
        {"Tovra Label Maker", 2.625, 1.0},
        {"Tarnaby Pro", 2.625, 1.0},
        {"Ostravel Business Card Designer", 3.5, 2.0},
        {"Ostravel Envelope Designer", 9.5, 4.125},
        {"Ostravel eCard Designer", 6.0, 4.0},
        {"Tovra PDF Author", 8.5, 11.0},
    };
    const QString only = qEnvironmentVariable("ZOV_ONLY_EDITION");
    for (const BookCase &c : cases) {
        if (!only.isEmpty() && only != c.edition)
            continue;
        SCOPED_TRACE(c.edition);
        SKTWindowController *window = open(c.edition);
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
        const QString pdf = path(QString("%1.pdf").arg(c.edition));
        panels.answer(pdf);
        QString why;
        ASSERT_TRUE(MenuPath::trigger(window, "File/Export/All Pages as One PDF, Quickly...", &why)) << qPrintable(why);
        spinUntil([&] { return QFileInfo(pdf).size() > 0; }, 20000);
        settleEvents(10);
        const PdfFacts facts = factsOf(pdf);
        // One page per page of the template's project.
        EXPECT_GE(facts.pages, 1) << qPrintable(alerts.messages().join(" | "));
        EXPECT_NEAR(facts.points.width(), c.widthInches * 72.0, 1.0);
        EXPECT_NEAR(facts.points.height(), c.heightInches * 72.0, 1.0);
        TearDown();
        SetUp();
    }
}

struct PrintCase {
    const char *edition;
    const char *how;       // a menu path, or "toolbar:Text"
    const char *answer;    // the alert button to press first, or ""
    double widthPoints;    // the paper, as printed
    double heightPoints;
    int pages;
};

// The Print item and the toolbar's Print button of every print edition print a
// new page of that edition through the print dialog, on the sheet's paper,
// with page pictures drawn at 300 dpi or more.
TEST_F(PrintEditionsWindowTest, EveryPrintEditionPrintsANewPageSharplyOnItsPaper)
{
    const PrintCase cases[] = {
        {"Tovra Label Maker", "Print/Print Sheet...", "", 612, 792, 1},
        {"Tovra Label Maker", "toolbar:Print", "", 612, 792, 1},
        {"Tarnaby Pro", "Print/Print Sheet...", "", 612, 792, 1},
        {"Mollivan Brennix", "Print/Print Sheet...", "", 612, 792, 1},
        {"Ostravel Business Card Designer", "Print/Print Page...", "Print Full Sheet", 612, 792, 1},
        {"Ostravel Envelope Designer", "Print/Print Page...", "", 684, 297, 1},
        {"Ostravel Envelope Designer", "toolbar:Print", "", 684, 297, 1},
        {"Ostravel eCard Designer", "Print/Print Page...", "", 612, 792, 1},
        {"Tovra Dazed Irizi Pro", "Print/Print Page...", "", 792, 612, 1},
        {"Wemba Image Notes", "Print/Print Page...", "", 0, 0, 0},
    };
    for (const PrintCase &c : cases) {
        SCOPED_TRACE(std::string(c.edition) + " " + c.how);
        SKTWindowController *window = open(c.edition);
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
        if (*c.answer)
            alerts.answer(c.answer);
        QString why;
        const QString how = c.how;
        const bool sent = how.startsWith("toolbar:") ? ToolbarButton::click(window, how.mid(8), &why)
                                                     : MenuPath::trigger(window, how, &why);
        ASSERT_TRUE(sent) << qPrintable(why);
        const QString pdf = path("printed.pdf");
        ASSERT_TRUE(printToFile(pdf, &why)) << qPrintable(why);
        const PdfFacts facts = factsOf(pdf);
        if (c.pages > 0) {
            EXPECT_EQ(facts.pages, c.pages);
            EXPECT_NEAR(std::max(facts.points.width(), facts.points.height()), std::max(c.widthPoints, c.heightPoints), 1.5);
            EXPECT_NEAR(std::min(facts.points.width(), facts.points.height()), std::min(c.widthPoints, c.heightPoints), 1.5);
        } else {
            EXPECT_GE(facts.pages, 1);
        }
        EXPECT_GE(facts.pictures, 1);
        EXPECT_GE(facts.lowestPpi, 299.0);
        TearDown();
        SetUp();
    }
}

// The label maker's Templates button shows one labelled pop-up of every label
// sheet of the catalogue; each can be chosen ("Change") and the canvas takes
// its size; "Cancel" keeps the sheet.
TEST_F(PrintEditionsWindowTest, EveryLabelSheetCanBeChosenAndTheCanvasTakesItsSize)
{
    SKTWindowController *window = open("Tovra Label Maker");
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    QString why;
    ASSERT_TRUE(ToolbarButton::click(window, "Templates", &why)) << qPrintable(why);
    QComboBox *popUp = window->templatePopUp(PrintTemplateChoice::PopUp::Label);
    ASSERT_TRUE(popUp->isVisible());
    QSet<QString> chosen;
    for (int i = 0; i < popUp->count(); ++i) {
        const LabelTemplateHelper &record = gLabelTemplates.at(i);
        SCOPED_TRACE(popUp->itemText(i).toStdString());
        if (record.templateDescription == gDefaultPrintSheet)
            continue;
        alerts.answer("Change");
        popUp->setCurrentIndex(i);
        emit popUp->activated(i);
        settleEvents();
        const LabelHelperPtr row = sheetRow(record.templateDescription);
        ASSERT_TRUE(row);
        EXPECT_EQ(gDefaultPrintSheet, row->printDescription);
        EXPECT_EQ(window->document().pageCanvasSize(), QSizeF(row->canvasWidth, row->canvasHeight));
        EXPECT_EQ(window->document().labelTemplateHelper.templateDescription, record.templateDescription);
        const QSize shown = window->canvasWidget()->size();
        EXPECT_NEAR(double(shown.width()) / shown.height(), double(row->canvasWidth) / row->canvasHeight, 0.05);
        chosen.insert(row->printDescription);
    }
    EXPECT_EQ(alerts.mismatches(), QStringList());
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
        if (row->printObjectType == QLatin1String("Label") && row->printDescription != gDefaultPrintSheet) {
            EXPECT_TRUE(chosen.contains(row->printDescription) || row->printDescription == "Label - 30 Per Letter Sheet")
                << row->printDescription.toStdString();
        }
    }

    // Cancel keeps the sheet in force.
    const QString before = gDefaultPrintSheet;
    const int other = popUp->findText("Avery 5160 Label - 30 Per Letter Sheet");
    ASSERT_GE(other, 0);
    alerts.answer("Cancel");
    emit popUp->activated(other);
    settleEvents();
    EXPECT_EQ(gDefaultPrintSheet, before);
}

}  // namespace

// The PDF author's book grows from its window: Add Page makes a page from the
// edition's blank template, and Insert Blank Page takes the next number after
// the book's pages (the base template is not one of them).
TEST_F(PrintEditionsWindowTest, ThePdfAuthorAddsPagesWithTheNextNumber)
{
    SKTWindowController *window = open("Tovra PDF Author");
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    const QStringList before = pageNames(window);
    const qsizetype books = before.size() - (before.contains("basetemplate.zel") ? 1 : 0);

    QString why;
    ASSERT_TRUE(ToolbarButton::click(window, "Add Page", &why)) << qPrintable(why);
    AddNewPageViewController *sheet = shownWidget<AddNewPageViewController>();
    ASSERT_NE(sheet, nullptr) << qPrintable(alerts.messages().join(" | "));
    sheet->addNewPageButton->click();
    settleEvents(20);
    const QString added = QString("%1.zel").arg(books + 1);
    EXPECT_TRUE(pageNames(window).contains(added)) << qPrintable(pageNames(window).join(' ') + " / " + alerts.messages().join(" | "));
    EXPECT_FALSE(alerts.messages().join(' ').contains("Page Not Added")) << qPrintable(alerts.messages().join(" | "));

    ASSERT_TRUE(MenuPath::trigger(window, "File/Insert Blank Page", &why)) << qPrintable(why);
    settleEvents(20);
    const QString inserted = QString("%1.zel").arg(books + 2);
    EXPECT_TRUE(pageNames(window).contains(inserted)) << qPrintable(pageNames(window).join(' ') + " / " + alerts.messages().join(" | "));
    EXPECT_EQ(pageNames(window).size(), before.size() + 2);

    // The book prints every page; the inserted one shows its "Chapter title"
    // as its canvas does: ink in the title band at the top left.
    ASSERT_TRUE(ToolbarButton::click(window, "Print", &why)) << qPrintable(why);
    const QString pdf = path("book.pdf");
    ASSERT_TRUE(printToFile(pdf, &why)) << qPrintable(why);
    const PdfFacts facts = factsOf(pdf);
    ASSERT_EQ(facts.pages, int(books) + 2);
    const QImage last = pageImage(pdf, path("last"), facts.pages);
    ASSERT_FALSE(last.isNull());
    const QRect titleBand(QPoint(int(last.width() * 0.08), int(last.height() * 0.04)),
                          QPoint(int(last.width() * 0.5) - 1, int(last.height() * 0.12) - 1));
    EXPECT_GT(matching(last, titleBand, [](QRgb pixel) { return qGray(pixel) < 160; }), 30)
        << "the inserted page printed blank";
}

// An eCard from the "Birthday" template shows its title band (a purple fill
// across the top) on the canvas and in the PDF.
TEST_F(PrintEditionsWindowTest, TheECardsTitleBandIsDrawnOnTheCanvasAndInThePdf)
{
    launchAs("Ostravel eCard Designer");
    SKTWindowController *window = newPageFromTemplate("Birthday");
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    settleEvents(10);
    auto purple = [](QRgb pixel) { return isNearPurple(pixel, 24); };
    const QImage canvas = window->canvasWidget()->grab().toImage();
    ASSERT_FALSE(canvas.isNull());
    // A band's worth of purple, not a stray edge: 500 on every other pixel
    // each way.
    EXPECT_GT(matching(canvas, canvas.rect(), purple), 4 * 500) << "no title band on the canvas";

    const QString pdf = path("ecard.pdf");
    panels.clearAnswers();
    panels.answer(pdf);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, "File/Export/All Pages as One PDF, Quickly...", &why)) << qPrintable(why);
    spinUntil([&] { return QFileInfo(pdf).size() > 0; }, 20000);
    settleEvents(10);
    const QImage page = firstPage(pdf, path("ecard"));
    ASSERT_FALSE(page.isNull()) << qPrintable(alerts.messages().join(" | "));
    // The band spans the top of the card; its bottom left holds none of it.
    EXPECT_GT(share(page, QRect(page.width() / 20, page.height() / 100, page.width() / 5, page.height() / 40), purple), 0.9);
    EXPECT_LT(share(page, QRect(0, page.height() * 9 / 10, page.width() / 2, page.height() / 20), purple), 0.05);
    // The design fills its 6 x 4 in page: the band reaches the right edge and
    // the orange dot sits near the bottom right corner, where the canvas has it
    // (84 to 94 % across, 82 to 96 % down).
    EXPECT_GT(share(page, QRect(page.width() * 95 / 100, page.height() / 100, page.width() / 25, page.height() / 20), purple), 0.9);
    const QColor dot = page.pixelColor(page.width() * 89 / 100, page.height() * 89 / 100);
    EXPECT_TRUE(dot.red() > 200 && dot.green() > 120 && dot.green() < 210 && dot.blue() < 110) << qPrintable(dot.name());
    EXPECT_EQ(page.pixelColor(page.width() * 78 / 100, page.height() * 89 / 100), QColor(Qt::white));
    for (const QString &message : alerts.messages())
        EXPECT_FALSE(message.contains("Font")) << qPrintable(message);
}

