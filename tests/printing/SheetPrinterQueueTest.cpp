// Sheets printed through QPrinter to a real print queue: a private print
// server on 127.0.0.1 with a PDF queue, whose output is read back with
// poppler.
#include "PrintingFixture.h"
#include "config/DataCentrePrinting.h"
#include "printing/SheetComposer.h"
#include "printing/ui/SheetPrinter.h"
#include "support/PrintQueueServer.h"

#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace {

// The queue turns the job into PostScript and back: colours come back a step off.
::testing::AssertionResult looksLike(const QColor &seen, Qt::GlobalColor expected)
{
    const QColor want(expected);
    if (std::abs(seen.red() - want.red()) < 24 && std::abs(seen.green() - want.green()) < 24
        && std::abs(seen.blue() - want.blue()) < 24)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << seen.name().toStdString() << " is not " << want.name().toStdString();
}

QString tool(const QString &program, const QStringList &arguments)
{
    return PrintQueueServer::tool(program, arguments);
}

class SheetPrinterQueueTest : public PrintingTest {
protected:
    QTemporaryDir root;
    std::unique_ptr<PrintQueueServer> server;
    QString queue;

    void SetUp() override
    {
        PrintingTest::SetUp();
        ASSERT_TRUE(root.isValid());
        server = std::make_unique<PrintQueueServer>();
        QString why;
        ASSERT_TRUE(server->start(&why)) << why.toStdString();
        queue = server->queue();
    }

    void TearDown() override
    {
        server.reset();
        PrintingTest::TearDown();
    }

    QString waitForOutput() { return server->waitForOutput(); }

    QString picture(const QString &name, QColor colour)
    {
        QImage image(160, 60, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = root.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

TEST_F(SheetPrinterQueueTest, TwoSheetsInThreeCopiesPrintSixTrueSizeLetterPages)
{
    DataCentrePrinting::resetPrintCanvas(sheet("Label - 30 Per Letter Sheet"));
    const SheetGeometry g = SheetGeometry::fromCurrentLayout();
    QList<SheetPage> pages;
    const QString red = picture("red.png", Qt::red);
    for (int i = 0; i < 30; ++i)
        pages.append(SheetPage(QString::number(i), red));
    pages.append(SheetPage("last", picture("blue.png", Qt::blue)));
    const auto composed = SheetComposer::composeDifferentLabels(g, pages, 0.0f, 1, 1);
    ASSERT_EQ(composed.sheets.size(), 2);

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    ASSERT_TRUE(printer.isValid()) << "Qt does not see the queue " << queue.toStdString();
    printer.setDocName("zov sheets");
    printer.setCopyCount(3);
    const LabelHelperPtr row = sheet("Label - 30 Per Letter Sheet");
    const SheetPaintResult result = SheetPrinter::print(printer, composed, SheetPainter::paperFor(g, *row, {}, {}));
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_EQ(result.pagesPainted, 6);

    const QString pdf = waitForOutput();
    ASSERT_FALSE(pdf.isEmpty()) << "the queue wrote no PDF";
    const QString info = tool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+6\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("612 x 792 pts")) << info.toStdString();

    // Collated: sheets 1, 2, 1, 2, 1, 2. At 72 dpi one pixel is one point;
    // the grid's corner is at (13.43, 36), spots 189 x 72 points, 9.07 apart.
    for (int page : {5, 6}) {
        const QString prefix = root.filePath(QString("page%1").arg(page));
        tool("pdftoppm", {"-r", "72", "-f", QString::number(page), "-l", QString::number(page), "-singlefile",
                          "-png", pdf, prefix});
        const QImage image(prefix + ".png");
        ASSERT_EQ(image.size(), QSize(612, 792));
        const QColor first = image.pixelColor(16, 39);
        const QColor gapBefore = image.pixelColor(13 + 189 + 4, 70);
        const QColor lastSpot = image.pixelColor(13 + 396 + 186, 36 + 9 * 72 + 69);
        SCOPED_TRACE(testing::Message() << "page " << page);
        EXPECT_TRUE(looksLike(first, page == 5 ? Qt::red : Qt::blue));
        EXPECT_TRUE(looksLike(lastSpot, page == 5 ? Qt::red : Qt::white));
        EXPECT_TRUE(looksLike(gapBefore, Qt::white));
        EXPECT_TRUE(looksLike(image.pixelColor(10, 39), Qt::white));
    }
}

}  // namespace
