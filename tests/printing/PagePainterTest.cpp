// The open page alone on paper: fitted to the width and running on over
// pages, or fitted both ways and centred for flyers.
#include "printing/PagePainter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString pdfInfo(const QString &pdf)
{
    QProcess process;
    process.start("pdfinfo", {pdf});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage firstPage(const QString &pdf, const QString &prefix, int page = 1)
{
    QProcess process;
    process.start("pdftoppm", {"-r", "72", "-f", QString::number(page), "-l", QString::number(page), "-singlefile",
                               "-png", pdf, prefix});
    process.waitForFinished(30000);
    return QImage(prefix + ".png");
}

// Pictures are stored as JPEG: colours come back a step off.
::testing::AssertionResult looksLike(const QColor &seen, Qt::GlobalColor expected)
{
    const QColor want(expected);
    if (std::abs(seen.red() - want.red()) < 8 && std::abs(seen.green() - want.green()) < 8
        && std::abs(seen.blue() - want.blue()) < 8)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << seen.name().toStdString() << " is not " << want.name().toStdString();
}

int paintTo(const QString &pdf, const QImage &page, QPageLayout::Orientation orientation, bool fitBothWays)
{
    QPdfWriter writer(pdf);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), orientation, QMarginsF()));
    QPainter painter(&writer);
    return PagePainter::paint(painter, writer, page, fitBothWays);
}

TEST(PagePainter, AFlyerFitsBothWaysCentredAndATallPageRunsOnOverPages)
{
    QTemporaryDir dir;
    EXPECT_EQ(PagePainter::orientationFor(1650, 1275), QPageLayout::Landscape);
    EXPECT_EQ(PagePainter::orientationFor(1275, 1650), QPageLayout::Portrait);

    // 1650 x 1275 on landscape letter (792 x 612): scale 0.48, one page, edge to edge.
    QImage flyer(1650, 1275, QImage::Format_RGB32);
    flyer.fill(Qt::blue);
    const QString flyerPdf = dir.filePath("flyer.pdf");
    EXPECT_EQ(paintTo(flyerPdf, flyer, QPageLayout::Landscape, true), 1);
    EXPECT_TRUE(pdfInfo(flyerPdf).contains(QRegularExpression("Page size:\\s+792 x 612 pts")));
    const QImage flyerPage = firstPage(flyerPdf, dir.filePath("f"));
    EXPECT_TRUE(looksLike(flyerPage.pixelColor(396, 306), Qt::blue));
    EXPECT_TRUE(looksLike(flyerPage.pixelColor(2, 2), Qt::blue));
    EXPECT_TRUE(looksLike(flyerPage.pixelColor(789, 609), Qt::blue));

    // 612 wide, 1900 tall, red above 792 and green below on portrait letter:
    // three pages at full scale, the second starting green.
    QImage tall(612, 1900, QImage::Format_RGB32);
    tall.fill(Qt::red);
    QPainter painter(&tall);
    painter.fillRect(QRect(0, 792, 612, 1108), Qt::green);
    painter.end();
    const QString tallPdf = dir.filePath("tall.pdf");
    EXPECT_EQ(paintTo(tallPdf, tall, QPageLayout::Portrait, false), 3);
    EXPECT_TRUE(pdfInfo(tallPdf).contains(QRegularExpression("Pages:\\s+3\\n")));
    EXPECT_TRUE(looksLike(firstPage(tallPdf, dir.filePath("t1"), 1).pixelColor(300, 780), Qt::red));
    EXPECT_TRUE(looksLike(firstPage(tallPdf, dir.filePath("t2"), 2).pixelColor(300, 10), Qt::green));
    const QImage last = firstPage(tallPdf, dir.filePath("t3"), 3);
    EXPECT_TRUE(looksLike(last.pixelColor(300, 300), Qt::green));
    EXPECT_TRUE(looksLike(last.pixelColor(300, 400), Qt::white));  // 1900 - 1584 = 316 points left
}

}  // namespace
