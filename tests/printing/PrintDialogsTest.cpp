// The window's two simpler print paths and its print commands: the composed
// sheet view inside the layout's margins, the page alone across the paper, the
// window's pages and template as a print job sees them, and the project check
// before sheets of different labels.
#include "PrintingFixture.h"
#include "document/SKTDocument.h"
#include "platform/ActionResponder.h"
#include "config/DataCentrePrinting.h"
#include "printing/PrintOperations.h"
#include "printing/SheetViewLayout.h"
#include "printing/ui/PrintDialogs.h"
#include "printing/ui/PrintingCommands.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"
#include "window/ProjectPages.h"
#include "platform/ui/CommandRegistry.h"

#include <QApplication>
#include <QImage>
#include <QPrintDialog>
#include <QWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct PdfPage {
    QString pageSize;  // "612 x 792 pts (letter)" ...
    int pages = 0;
};

PdfPage pdfInfo(const QString &pdf)
{
    QProcess process;
    process.start("pdfinfo", {pdf});
    process.waitForFinished(30000);
    PdfPage info;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("Pages:"))
            info.pages = line.mid(6).trimmed().toInt();
        if (line.startsWith("Page size:"))
            info.pageSize = line.mid(10).trimmed();
    }
    return info;
}

QImage firstPage(const QString &pdf, const QString &stem)
{
    QProcess process;
    process.start("pdftoppm", {"-r", "72", "-singlefile", "-png", pdf, stem});
    process.waitForFinished(30000);
    return QImage(stem + ".png");
}

class PrintDialogsTest : public PrintingTest {
protected:
    QTemporaryDir dir;
    ScriptedAlerts alerts;

    void TearDown() override
    {
        CommandRegistry::clear();
        PrintingTest::TearDown();
    }

    // A printer that writes a PDF, as a print-to-file queue would.
    std::unique_ptr<QPrinter> pdfPrinter(const QString &name)
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dir.filePath(name));
        return printer;
    }
};

TEST_F(PrintDialogsTest, TheSheetViewFitsInsideTheMarginsCentred)
{
    const struct {
        QSizeF frame;
        QSizeF printable;
        double trueScale;
        double scale;
        QPointF origin;
    } cases[] = {
        // Smaller than the area: true size, centred.
        {{144, 72}, {400, 300}, 2.0, 2.0, {56, 78}},
        // Wider than the area: scaled down to its width, centred vertically.
        {{1000, 100}, {500, 500}, 1.0, 0.5, {0, 225}},
        // Taller: scaled to its height.
        {{100, 1000}, {500, 250}, 1.0, 0.25, {237.5, 0}},
        // Nothing to place.
        {{0, 0}, {500, 500}, 1.0, 1.0, {0, 0}},
    };
    for (const auto &c : cases) {
        const SheetViewLayout::Placement p = SheetViewLayout::fit(c.frame, c.printable, c.trueScale);
        EXPECT_DOUBLE_EQ(p.scale, c.scale) << c.frame.width();
        EXPECT_EQ(p.origin, c.origin) << c.frame.width();
    }
    gPrintTopMarginInch = 0.5f;
    gPrintLeftMarginInch = 0.25f;
    gPrintRightMarginInch = 0.25f;
    gPrintBottomMarginInch = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(SheetViewLayout::marginsInPoints(), QMarginsF(18, 36, 18, 0));
}

TEST_F(PrintDialogsTest, StartPrintingPutsEverySheetOnThePaperInsideTheMargins)
{
    DataCentrePrinting::grabLabelHelper("Label - 30 Per Letter Sheet");
    DataCentrePrinting::resetPrintCanvas(sheet("Label - 30 Per Letter Sheet"));
    QImage label(300, 100, QImage::Format_RGB32);
    label.fill(Qt::red);
    const QString labelPath = dir.filePath("label.png");
    ASSERT_TRUE(label.save(labelPath));
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const SheetComposition composition =
        SheetComposer::composeDifferentLabels(geometry, QList<SheetPage>(40, SheetPage{"p", labelPath}), 0.0f, 0, 0);
    ASSERT_EQ(composition.sheets.size(), 2);

    auto printer = pdfPrinter("view.pdf");
    PrintDialogs::prepareSheetViewPrinter(*printer, "na-letter");
    EXPECT_EQ(PrintDialogs::paintSheetView(*printer, composition, geometry), 2);
    const PdfPage info = pdfInfo(dir.filePath("view.pdf"));
    EXPECT_EQ(info.pages, 2);
    EXPECT_TRUE(info.pageSize.startsWith("612 x 792")) << info.pageSize.toStdString();
    // Red labels on the page, white paper in its corner (inside the margin).
    const QImage page = firstPage(dir.filePath("view.pdf"), dir.filePath("view"));
    ASSERT_EQ(page.size(), QSize(612, 792));
    EXPECT_EQ(page.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_GE(page.pixelColor(306, 396).red(), 250);
    EXPECT_LT(page.pixelColor(306, 396).green(), 40);
}

TEST_F(PrintDialogsTest, ThePageAloneRunsOnOverPagesAndAFlyerFitsBothWays)
{
    QImage tall(850, 2200, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    auto printer = pdfPrinter("tall.pdf");
    EXPECT_FALSE(PrintDialogs::preparePagePrinter(*printer, QString()));
    EXPECT_EQ(PrintDialogs::paintPage(*printer, tall, false), 2);
    EXPECT_EQ(pdfInfo(dir.filePath("tall.pdf")).pages, 2);

    // A flyer canvas wider than tall on a template paper: landscape, one page.
    gPageNoun = "flyer";
    gCanvasWidth = 1650;
    gCanvasMaxHeight = 1275;
    QImage flyer(1650, 1275, QImage::Format_RGB32);
    flyer.fill(Qt::green);
    auto flyerPrinter = pdfPrinter("flyer.pdf");
    EXPECT_TRUE(PrintDialogs::preparePagePrinter(*flyerPrinter, "na-letter"));
    EXPECT_EQ(flyerPrinter->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(PrintDialogs::paintPage(*flyerPrinter, flyer, true), 1);
    const PdfPage info = pdfInfo(dir.filePath("flyer.pdf"));
    EXPECT_EQ(info.pages, 1);
    EXPECT_TRUE(info.pageSize.startsWith("792 x 612")) << info.pageSize.toStdString();
}

TEST_F(PrintDialogsTest, CommandsSeeTheWindowsPagesAndAskForAProject)
{
    SKTDocument document;
    document.fileURLPath = dir.filePath("site/two.zovweb");
    document.labelTemplateHelper = {"Avery", "5160", "Label - 30 Per Letter Sheet"};
    gLabelTemplates = {{"Avery", "5160", "na-letter", "Label - 30 Per Letter Sheet"}};
    ProjectPages project(document);
    project.setOpenWebsiteFolderPath(dir.filePath("site"));
    PageEntry one;
    one.pageName = "one.zovweb";
    one.imagePath = dir.filePath("one.png");
    one.pagePublishFileName = "one.html";
    PageEntry two = one;
    two.pageName = "two.zovweb";
    project.scan.siteIconArray = {one, two};

    DocumentWindowContext context;
    context.document = [&] { return &document; };
    context.project = &project;
    const PrintContext print = printContextFor(context);
    EXPECT_EQ(print.currentPageName, "two.zovweb");
    EXPECT_EQ(print.labelTemplate.paperSize, "na-letter");
    ASSERT_EQ(print.pages.size(), 2);
    EXPECT_EQ(print.pages.at(1).pageName, "two.zovweb");
    ASSERT_EQ(print.bookPages.size(), 2);
    EXPECT_EQ(print.bookPages.at(0).packagePath, dir.filePath("site/one.zovweb"));
    EXPECT_EQ(print.bookPages.at(0).publishFileName, "one.html");

    registerPrintingCommands();
    ActionMap commands;
    DocumentWindowContext alone;
    alone.document = [&] { return &document; };
    CommandRegistry::installWindowCommands(commands, alone);
    for (const char *name : {"printSheetWithSameLabels", "printSheetWithDifferentLabels", "exportSheetSameLabel",
                             "exportSheetDifferentLabels", "printCard", "printBusinessCard", "showPrintSinglePopOver",
                             "exportSingleLabelSheet",
                             "generateTruePDFFile", "generateTruePDFFileFast", "putTogetherPDFFiles", "printManual",
                             "startPrinting", "printPage", "endPDFPrintSheet"})
        EXPECT_TRUE(commands.respondsToAction(QString::fromLatin1(name))) << name;

    // A page opened alone: sheets of different labels need a project.
    alerts.answer("Dismiss");
    commands.performAction("printSheetWithDifferentLabels", {});
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, "Please launch editor in multi-document mode");
}

TEST_F(PrintDialogsTest, ThePrintDialogIsWindowModalAndCancellingPrintsNothing)
{
    QWidget window;
    window.show();
    QImage page(100, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    int answered = -1;
    PrintDialogs::printPage(page, "A4", &window, [&](int pages) { answered = pages; });
    QPrintDialog *dialog = window.findChild<QPrintDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->printer()->pageLayout().pageSize().id(), QPageSize::A4);
    if (const QByteArray folder = qgetenv("ZOV_SCREENSHOTS"); !folder.isEmpty())
        dialog->grab().save(QString::fromLocal8Bit(folder) + "/print-page-dialog.png");
    dialog->reject();
    EXPECT_EQ(answered, 0);
}

// Start Printing prints the sheets last composed in the window (here by the
// sheet export, whose save panel was cancelled) even after the start spot
// changed; a window that composed nothing gets a fresh sheet of its page.
TEST_F(PrintDialogsTest, StartPrintingReusesTheLastComposedSheets)
{
    gDefaultPrintSheet = "Label - 30 Per Letter Sheet";
    DataCentrePrinting::resetPrintCanvas(sheet("Label - 30 Per Letter Sheet"));
    QImage red(300, 100, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.filePath("two.png")));
    SKTDocument document;
    document.fileURLPath = dir.filePath("site/two.zovweb");
    // The open page is drawn afresh on the sheets: a red page.
    document.pageColor = Qt::red;
    ProjectPages project(document);
    project.setOpenWebsiteFolderPath(dir.filePath("site"));
    PageEntry two;
    two.pageName = "two.zovweb";
    two.imagePath = dir.filePath("two.png");
    two.pagePublishFileName = "two.html";
    project.scan.siteIconArray = {two};
    QWidget window;
    window.show();
    DocumentWindowContext context;
    context.window = &window;
    context.document = [&] { return &document; };
    context.project = &project;
    registerPrintingCommands();

    // Red pixels in the top quarter of the printed sheet: the first rows.
    const auto printTopRows = [&](ActionMap &commands, const QString &name) {
        commands.performAction("startPrinting", {});
        auto *dialog = window.findChild<QPrintDialog *>();
        if (dialog == nullptr) {
            ADD_FAILURE() << "no print dialog";
            return -1;
        }
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(dir.filePath(name + ".pdf"));
        dialog->done(QDialog::Accepted);
        delete dialog;
        const QImage page = firstPage(dir.filePath(name + ".pdf"), dir.filePath(name));
        int redPixels = 0;
        for (int y = 0; y < page.height() / 4; ++y)
            for (int x = 0; x < page.width(); ++x)
                redPixels += page.pixelColor(x, y).red() > 200 && page.pixelColor(x, y).green() < 60;
        return redPixels;
    };

    gPrintStartingRow = 1;
    gPrintStartingColumn = 1;
    ScriptedFilePanels panels;
    panels.answerCancel();
    ActionMap composed;
    CommandRegistry::installWindowCommands(composed, context);
    composed.performAction("exportSheetSameLabel", {});
    gPrintStartingRow = 6;
    EXPECT_GT(printTopRows(composed, "reused"), 1000);

    ActionMap fresh;
    CommandRegistry::installWindowCommands(fresh, context);
    EXPECT_EQ(printTopRows(fresh, "fresh"), 0);
}

}  // namespace
