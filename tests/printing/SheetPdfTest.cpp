// Composed sheets written as PDF at true size on paper, read back with
// poppler's pdfinfo and pdftoppm: page size and count, pixels in and out of
// the spots, turned pictures, a picture embedded once per job.
#include "PrintingFixture.h"
#include "config/DataCentrePrinting.h"
#include "printing/SheetComposer.h"
#include "printing/SheetPainter.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfInfoField(const QString &pdf, const QString &field)
{
    const QString info = run("pdfinfo", {pdf});
    const QRegularExpression line("^" + QRegularExpression::escape(field) + ":\\s*(.*)$",
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

// Page `page` (1-based) at 72 pixels per inch: one pixel per point.
QImage pageAt72(const QString &pdf, int page, const QString &scratch)
{
    const QString prefix = QDir(scratch).filePath(QString("page%1").arg(page));
    run("pdftoppm", {"-r", "72", "-f", QString::number(page), "-l", QString::number(page), "-singlefile", "-png",
                     pdf, prefix});
    return QImage(prefix + ".png");
}

bool near(QRgb pixel, QColor expected)
{
    return std::abs(qRed(pixel) - expected.red()) < 40 && std::abs(qGreen(pixel) - expected.green()) < 40
           && std::abs(qBlue(pixel) - expected.blue()) < 40;
}

#define EXPECT_COLOUR(image, x, y, colour)                                                                         \
    EXPECT_TRUE(near((image).pixel(static_cast<int>(x), static_cast<int>(y)), colour))                               \
        << "at " << (x) << ", " << (y) << ": " << QColor((image).pixel(static_cast<int>(x), static_cast<int>(y)))    \
                                                   .name()                                                           \
                                                   .toStdString()

class SheetPdfTest : public PrintingTest {
protected:
    QTemporaryDir dir;

    QString file(const QString &name) const { return QDir(dir.path()).filePath(name); }

    // A picture of plain colour, or split left / right in two colours.
    QString picture(const QString &name, QColor left, QColor right = {}, QSize size = {200, 100})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(left);
        if (right.isValid()) {
            QPainter painter(&image);
            painter.fillRect(QRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height()), right);
        }
        const QString path = file(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    SheetGeometry select(const char *description)
    {
        DataCentrePrinting::resetPrintCanvas(sheet(description));
        return SheetGeometry::fromCurrentLayout();
    }
};

TEST_F(SheetPdfTest, DifferentLabelsPrintTrueSizeOnLetterFromTheStartSpotAndNameUnreadablePages)
{
    const SheetGeometry g = select("Label - 30 Per Letter Sheet");
    const QList<SheetPage> pages = {{"red", picture("red.png", Qt::red)},
                                    {"green", picture("green.png", Qt::green)},
                                    {"blue", picture("blue.png", Qt::blue)},
                                    {"broken page", file("missing.png")}};
    const auto composed = SheetComposer::composeDifferentLabels(g, pages, 0.0f, 1, 2);
    const LabelHelperPtr row = sheet("Label - 30 Per Letter Sheet");
    const SheetPaper paper = SheetPainter::paperFor(g, *row, {}, {});
    const QString pdf = file("sheet.pdf");
    const SheetPaintResult result = SheetPainter::writePdf(pdf, composed, paper, "Labels");
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_EQ(result.unreadablePages, QStringList{"broken page"});

    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "1");
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "612 x 792 pts (letter)");
    const QImage page = pageAt72(pdf, 1, dir.path());
    ASSERT_EQ(page.size(), QSize(612, 792));
    // Grid corner at (13.43, 36); spots 189 x 72 points, 9.07 points apart.
    const double x0 = 13.43, y0 = 36;
    EXPECT_COLOUR(page, x0 + 94, y0 + 36, Qt::white);                // spot 1 x 1: before the start spot
    EXPECT_COLOUR(page, x0 + 198.07 + 3, y0 + 3, Qt::red);           // spot 1 x 2, its corner
    EXPECT_COLOUR(page, x0 + 198.07 + 186, y0 + 69, Qt::red);        // and its far corner
    EXPECT_COLOUR(page, x0 + 198.07 - 3, y0 + 36, Qt::white);        // the gap before it
    EXPECT_COLOUR(page, x0 + 396.14 + 94, y0 + 36, Qt::green);       // spot 1 x 3
    EXPECT_COLOUR(page, x0 + 94, y0 + 72 + 36, Qt::blue);            // spot 2 x 1
    EXPECT_COLOUR(page, x0 + 198.07 + 94, y0 + 72 + 36, Qt::white);  // unreadable: empty
    EXPECT_COLOUR(page, x0 - 5, y0 + 36, Qt::white);                 // left of the grid
    EXPECT_COLOUR(page, x0 + 94, y0 - 5, Qt::white);                 // above it
}

TEST_F(SheetPdfTest, ASameLabelSheetTurnsItsPictureOnceAndEmbedsItOnce)
{
    const SheetGeometry g = select("Business Card - 10 Per Letter Sheet");
    // Red on the left, blue on the right; a quarter turn counter-clockwise
    // brings blue to the top.
    const SheetPicture turned{picture("split.png", Qt::red, Qt::blue), {}, 90.0f, "card"};
    const auto composed = SheetComposer::composeSameLabel(g, turned, 1, 1);
    const LabelHelperPtr row = sheet("Business Card - 10 Per Letter Sheet");
    const QString pdf = file("cards.pdf");
    ASSERT_TRUE(SheetPainter::writePdf(pdf, composed, SheetPainter::paperFor(g, *row, {}, {})).ok);

    QFile raw(pdf);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll().count("/Subtype /Image"), 1);

    const QImage page = pageAt72(pdf, 1, dir.path());
    ASSERT_EQ(page.size(), QSize(612, 792));
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 2; ++c) {
            SCOPED_TRACE(testing::Message() << "spot " << r << ", " << c);
            const double x = 54 + c * 252 + 126;
            const double y = 36 + r * 144;
            EXPECT_COLOUR(page, x, y + 20, Qt::blue);
            EXPECT_COLOUR(page, x, y + 124, Qt::red);
        }
    }
    EXPECT_COLOUR(page, 50, 400, Qt::white);
}

TEST_F(SheetPdfTest, EnvelopesPrintLandscapeOnePagePerSheetAndCardPdfHoldsTheLastSheet)
{
    const SheetGeometry g = select("Envelope #10 4.125\" x 9.5\"");
    const QList<SheetPage> pages = {{"first", picture("a.png", Qt::red)}, {"second", picture("b.png", Qt::blue)}};
    const auto composed = SheetComposer::composeDifferentLabels(g, pages, 0.0f, 1, 1);
    ASSERT_EQ(composed.sheets.size(), 2);
    const LabelHelperPtr row = sheet("Envelope #10 4.125\" x 9.5\"");
    const QString pdf = file("envelopes.pdf");
    ASSERT_TRUE(SheetPainter::writePdf(pdf, composed, SheetPainter::paperFor(g, *row, {}, {})).ok);
    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "2");
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "684 x 297 pts");
    EXPECT_COLOUR(pageAt72(pdf, 2, dir.path()), 342, 148, Qt::blue);

    ASSERT_TRUE(SheetPainter::writeLastSheet(dir.path(), composed).ok);
    EXPECT_EQ(pdfInfoField(file("card.pdf"), "Pages"), "1");
    const QImage last = pageAt72(file("card.pdf"), 1, dir.path());
    EXPECT_EQ(last.size(), QSize(684, 297));
    EXPECT_COLOUR(last, 10, 10, Qt::blue);
}

TEST_F(SheetPdfTest, AFailedWriteSaysWhere)
{
    const SheetGeometry g = select("Label - 30 Per Letter Sheet");
    const auto composed = SheetComposer::composeSameLabel(g, {picture("p.png", Qt::red), {}, 0.0f, "p"}, 1, 1);
    const LabelHelperPtr row = sheet("Label - 30 Per Letter Sheet");
    const SheetPaper paper = SheetPainter::paperFor(g, *row, {}, {});

    const QString blocker = file("not a folder");
    QFile block(blocker);
    ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    block.write("keep me");
    block.close();
    const SheetPaintResult failed = SheetPainter::writePdf(blocker + "/out.pdf", composed, paper);
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.errorText.contains("not a folder/out.pdf")) << failed.errorText.toStdString();

    QFile old(blocker);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "keep me");
}

}  // namespace
