// The window's print and export commands: what reaches the printer or the
// saved file, and what the user is told when there is nothing to print.
#include "PrintingFixture.h"
#include "config/DataCentrePrinting.h"
#include "printing/CardPlan.h"
#include "printing/PrintOperations.h"
#include "config/ProgressModel.h"
#include "platform/Tasks.h"
#include "support/QtPrinters.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class RecordingPrinter : public SheetPrintTarget {
public:
    QList<SheetComposition> jobs;
    SheetPaintResult answer;
    void printSheets(const SheetComposition &composition, const SheetPaper &, QObject *,
                     std::function<void(const SheetPaintResult &)> done) override
    {
        jobs.append(composition);
        done(answer);
    }
};

QString pdfPages(const QString &pdf)
{
    QProcess process;
    process.start("pdfinfo", {pdf});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString &line : info.split('\n')) {
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed();
    }
    return {};
}

QStringList turnedNames(const SheetComposition &composition)
{
    QStringList names;
    for (const PrintPlacement &placement : composition.sheets.value(0).placements) {
        const SheetPicture &picture = composition.pictures.at(placement.picture);
        names << picture.pageName + (picture.rotation == 180.0f ? "^" : "");
    }
    return names;
}

class PrintOperationsTest : public PrintingTest {
protected:
    QTemporaryDir dir;
    ScriptedAlerts alerts;
    ScriptedFilePanels panels;
    RecordingPrinter printer;

    void SetUp() override
    {
        PrintingTest::SetUp();
        gWorkFolder = dir.filePath("work");
        QDir().mkpath(gWorkFolder);
    }

    void select(const char *description)
    {
        DataCentrePrinting::grabLabelHelper(description);
        DataCentrePrinting::resetPrintCanvas(sheet(description));
    }

    QString picture(const QString &name)
    {
        QImage image(90, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    PrintContext context(const QStringList &pageNames, const char *templateDescription = "")
    {
        PrintContext c;
        for (const QString &name : pageNames)
            c.pages.append(SheetPage(name, picture(name + ".png")));
        c.currentPageName = pageNames.value(0);
        c.renderPage = [] {
            QImage image(20, 20, QImage::Format_RGB32);
            image.fill(Qt::red);
            return image;
        };
        c.labelTemplate.templateDescription = templateDescription;
        c.printer = &printer;
        return c;
    }
};

TEST_F(PrintOperationsTest, ExportingDifferentLabelsSavesEverySheetAndKeepsTheLastInCardPdf)
{
    select("Label - 30 Per Letter Sheet");
    QStringList names;
    for (int i = 0; i < 35; ++i)
        names << QString("page%1").arg(i);
    PrintOperations operations(context(names));
    panels.answer(dir.filePath("sheets"));
    operations.exportSheetDifferentLabels();
    EXPECT_EQ(alerts.count(), 0) << alerts.messages().join("; ").toStdString();
    EXPECT_EQ(pdfPages(dir.filePath("sheets.PDF")), "2");
    EXPECT_EQ(pdfPages(QDir(gWorkFolder).filePath("card.pdf")), "1");

    panels.answer(dir.filePath("kept.pdf"));
    operations.exportSheetDifferentLabels();
    EXPECT_TRUE(QFile::exists(dir.filePath("kept.pdf")));
    EXPECT_FALSE(QFile::exists(dir.filePath("kept.pdf.PDF")));

    panels.answerCancel();
    operations.exportSheetSameLabel();
    EXPECT_EQ(alerts.count(), 0);
}

TEST_F(PrintOperationsTest, NothingToPrintIsSaidAndNothingIsPrintedOrAsked)
{
    select("Label - 30 Per Letter Sheet");
    PrintOperations operations(context({"a", "b"}));
    gPrintStartingRow = 11;
    operations.printSheetWithSameLabels();
    operations.exportSheetDifferentLabels();
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(alerts.messages(), (QStringList{"Nothing was printed.", "Nothing was exported."}));
    EXPECT_TRUE(alerts.last().informativeText.contains("outside the sheet"));

    gPrintStartingRow = 1;
    operations.printSelectedSpots({});
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(alerts.count(), 3);

    PrintOperations noCard(context({"a", "b"}, "Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")"));
    alerts.answer("Inside");
    noCard.printCard();
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(alerts.last().informativeText, CardPlan::noCardPagesText());
}

TEST_F(PrintOperationsTest, UnreadablePicturesAndFailedWritesAreNamedAfterTheJob)
{
    select("Label - 30 Per Letter Sheet");
    PrintContext c = context({"good"});
    c.pages.append(SheetPage("lost page", dir.filePath("nowhere.png")));
    PrintOperations operations(c);
    panels.answer(dir.filePath("out.pdf"));
    operations.exportSheetDifferentLabels();
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_TRUE(alerts.last().informativeText.contains("lost page"));
    EXPECT_EQ(pdfPages(dir.filePath("out.pdf")), "1");

    panels.answer(dir.filePath("no such folder/out.pdf"));
    operations.exportSheetSameLabel();
    ASSERT_EQ(alerts.count(), 2);
    EXPECT_EQ(alerts.last().messageText, "The PDF could not be saved.");
    EXPECT_TRUE(alerts.last().informativeText.contains("no such folder"));

    printer.answer.ok = false;
    printer.answer.errorText = "The printer \"x\" could not be opened.";
    operations.printSheetWithSameLabels();
    EXPECT_EQ(alerts.last().informativeText, printer.answer.errorText);
}

TEST_F(PrintOperationsTest, CardsAndBusinessCardsGoThroughTheirChoices)
{
    select("Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")");
    const QStringList card = {"1.html", "2.html", "3.html", "4.html"};
    PrintOperations quarter(context(card, "Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")"));
    quarter.printCard();
    EXPECT_EQ(alerts.count(), 0);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(turnedNames(printer.jobs.last()), (QStringList{"1.html^", "2.html^", "3.html", "4.html"}));

    select("Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")");
    PrintOperations half(context(card, "Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")"));
    alerts.answer("Front and Back");
    half.printCard();
    EXPECT_EQ(alerts.last().buttons, (QStringList{"Front and Back", "Inside", "Cancel"}));
    EXPECT_EQ(turnedNames(printer.jobs.last()), (QStringList{"1.html^", "2.html"}));
    alerts.answer("Cancel");
    half.printCard();
    EXPECT_EQ(printer.jobs.size(), 2);

    select("Business Card - 10 Per Letter Sheet");
    PrintOperations cards(context({"card.html"}));
    bool choseSpots = false;
    alerts.answer("Print A Single Card");
    cards.printBusinessCard([&] { choseSpots = true; });
    EXPECT_TRUE(choseSpots);
    alerts.answer("Print Full Sheet");
    cards.printBusinessCard({});
    ASSERT_EQ(printer.jobs.size(), 3);
    EXPECT_EQ(printer.jobs.last().sheets.first().placements.size(), 10);
    EXPECT_EQ(printer.jobs.last().pictures.size(), 1);

    // A page without a cached picture is rendered afresh.
    PrintContext unsaved = context({"card.html"});
    unsaved.currentPageName = "new.html";
    PrintOperations fresh(unsaved);
    fresh.printOrExportSingleSpot(4, 1, true);
    ASSERT_EQ(printer.jobs.size(), 4);
    EXPECT_FALSE(printer.jobs.last().pictures.first().image.isNull());
    EXPECT_EQ(printer.jobs.last().sheets.first().placements.first().rect,
              SheetGeometry::fromCurrentLayout().spotRect(4, 1));
}

TEST_F(PrintOperationsTest, TheBookSuggestsItsNameAndAppendsTheExtension)
{
    gAppName = "Zov Author";
    PrintContext c = context({});
    c.openWebsiteFolder = "Holiday";
    c.bookPages = {{"base", picture("base.png"), {}, "basetemplate.html"},
                   {"one", picture("one.png"), {}, "one.html"},
                   {"gone", dir.filePath("gone.png"), {}, "gone.html"}};
    PrintOperations operations(c);
    panels.answer(dir.filePath("book"));
    operations.putTogetherPDFFiles();
    EXPECT_EQ(panels.savePanels().last().nameFieldValue, "Zov Author");
    EXPECT_EQ(pdfPages(dir.filePath("book.PDF")), "1");
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_TRUE(alerts.last().informativeText.contains("gone"));

    panels.answerCancel();
    operations.generateTruePDFFileFast();
    EXPECT_EQ(panels.savePanels().last().nameFieldValue, "Holiday");

    PrintOperations empty(context({}));
    empty.generateTruePDFFile();
    EXPECT_EQ(alerts.last().messageText, "Nothing was saved.");
}

TEST_F(PrintOperationsTest, OnAWorkerSheetsAndBooksArePaintedBehindTheProgressWindow)
{
    select("Label - 30 Per Letter Sheet");
    QStringList names;
    for (int i = 0; i < 35; ++i)
        names << QString("page%1").arg(i);
    PrintContext c = context(names);
    c.useWorker = true;
    c.openWebsiteFolder = "Holiday";
    c.bookPages = {{"one", picture("one.png"), {}, "one.html"}, {"two", picture("two.png"), {}, "two.html"}};
    PrintOperations operations(c);
    const auto finishWorker = [] {
        ASSERT_TRUE(Tasks::waitForBackground(60000));
        QCoreApplication::processEvents();
    };

    panels.answer(dir.filePath("sheets"));
    operations.exportSheetDifferentLabels();
    EXPECT_TRUE(ProgressModel::instance().state().visible);
    finishWorker();
    EXPECT_FALSE(ProgressModel::instance().state().visible);
    EXPECT_EQ(pdfPages(dir.filePath("sheets.PDF")), "2");

    panels.answer(dir.filePath("book"));
    operations.generateTruePDFFileFast();
    finishWorker();
    EXPECT_EQ(pdfPages(dir.filePath("book.PDF")), "2");
    EXPECT_EQ(alerts.count(), 0) << alerts.messages().join("; ").toStdString();

    // A write that fails is told once the worker is back.
    panels.answer(dir.filePath("missing/folder/sheet.pdf"));
    operations.exportSheetSameLabel();
    finishWorker();
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, "The PDF could not be saved.");
    EXPECT_FALSE(ProgressModel::instance().state().visible);
}

}  // namespace
