// Label sheets, a sheet of business cards and an envelope printed from the
// document window through the print dialog to a real print queue: a private
// print server with a PDF queue, picked in the dialog as a person picks a
// printer. What the queue writes is read back with poppler.
#include "PrintWindowFixture.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "config/DataCentrePrinting.h"
#include "publishing/PageExport.h"
#include "support/PrintQueueServer.h"

#include <QComboBox>
#include <QDir>
#include <QPointer>
#include <QPushButton>

#include <memory>

namespace {

using namespace printwindow;

struct QueueCase {
    const char *edition;
    const char *how;     // a menu path, or "toolbar:Text"
    const char *answer;  // the alert button to press first, or ""
    double widthPoints;  // the paper as printed
    double heightPoints;
};

// Mean grey of an area: 255 is white paper.
double meanGrey(const QImage &image, const QRectF &area)
{
    const QRect r = area.toAlignedRect().intersected(image.rect());
    if (r.isEmpty())
        return 255.0;
    double sum = 0.0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (r.width() * r.height());
}

// The cells of a coarse grid over the spot against the same cells of the
// expected picture stretched over it: the largest gap in mean grey.
double pictureDistance(const QImage &printed, const QRectF &spot, const QImage &expected)
{
    constexpr int kCells = 8;
    const QImage want = expected.scaled(spot.size().toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double worst = 0.0;
    for (int cy = 0; cy < kCells; ++cy) {
        for (int cx = 0; cx < kCells; ++cx) {
            const QRectF cell(spot.width() * cx / kCells, spot.height() * cy / kCells, spot.width() / kCells,
                              spot.height() / kCells);
            const double seen = meanGrey(printed, cell.translated(spot.topLeft()));
            const double meant = meanGrey(want, cell);
            worst = std::max(worst, std::abs(seen - meant));
        }
    }
    return worst;
}

// Dark ink in an area: how much, and its centre relative to the area.
struct Ink {
    int amount = 0;
    QPointF centre;
};

Ink inkOf(const QImage &image, const QRectF &area)
{
    Ink ink;
    const QRect r = area.toAlignedRect().intersected(image.rect());
    double x = 0, y = 0;
    for (int py = r.top(); py <= r.bottom(); ++py)
        for (int px = r.left(); px <= r.right(); ++px)
            if (qGray(image.pixel(px, py)) < 160) {
                ++ink.amount;
                x += px - area.left();
                y += py - area.top();
            }
    if (ink.amount > 0)
        ink.centre = QPointF(x / ink.amount, y / ink.amount);
    return ink;
}

// Where the picture sits in the print: the shift of the spot, in whole
// points up to 6 each way, at which the printed pixels differ least from the
// picture stretched over the spot (a 6-point border left out).
QPoint bestShift(const QImage &printed, const QRectF &spot, const QImage &want)
{
    constexpr int kReach = 6;
    QPoint best;
    double least = -1.0;
    const QPoint corner = spot.topLeft().toPoint();
    for (int dy = -kReach; dy <= kReach; ++dy) {
        for (int dx = -kReach; dx <= kReach; ++dx) {
            double sum = 0.0;
            for (int y = kReach; y < want.height() - kReach; ++y) {
                for (int x = kReach; x < want.width() - kReach; ++x) {
                    const QPoint at = corner + QPoint(x + dx, y + dy);
                    const int seen = printed.rect().contains(at) ? qGray(printed.pixel(at)) : 255;
                    sum += std::abs(seen - qGray(want.pixel(x, y)));
                }
            }
            if (least < 0.0 || sum < least || (sum == least && dx * dx + dy * dy < best.x() * best.x() + best.y() * best.y())) {
                least = sum;
                best = QPoint(dx, dy);
            }
        }
    }
    return best;
}

// The spot shows the picture: the same grey areas, about as much dark ink
// (text), and the picture in its place to within a point.
::testing::AssertionResult showsPicture(const QImage &printed, const QRectF &spot, const QImage &expected)
{
    const QImage want = expected.scaled(spot.size().toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double distance = pictureDistance(printed, spot, expected);
    const Ink seen = inkOf(printed, spot), meant = inkOf(want, want.rect());
    const double ratio = meant.amount > 0 ? double(seen.amount) / meant.amount : 0.0;
    const QPoint shift = bestShift(printed, spot, want);
    if (distance < 40.0 && ratio > 0.4 && ratio < 2.5 && std::abs(shift.x()) <= 1 && std::abs(shift.y()) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "grey distance " << distance << ", ink " << seen.amount << " for "
                                         << meant.amount << ", picture shifted by (" << shift.x() << ", "
                                         << shift.y() << ") points";
}

class PrintQueueWindowTest : public PrintWindowTest {
protected:
    // Picks the queue in the print dialog the last command opened, presses
    // Print, and waits for the job to leave the window.
    bool printToQueue(const QString &queue, QString *why)
    {
        QPrintDialog *dialog = shownWidget<QPrintDialog>();
        if (dialog == nullptr) {
            *why = "no print dialog; alerts: " + alerts.messages().join(" | ");
            return false;
        }
        QComboBox *printers = nullptr;
        for (QComboBox *box : dialog->findChildren<QComboBox *>())
            if (box->findText(queue) >= 0)
                printers = box;
        if (printers == nullptr) {
            *why = "the print dialog does not offer the queue " + queue;
            return false;
        }
        printers->setCurrentIndex(printers->findText(queue));
        settleEvents();
        // Print, as its button does; the dialog closes and goes.
        QPointer<QPrintDialog> shown(dialog);
        dialog->accept();
        const QString chosen = dialog->printer()->printerName();
        spinUntil([&] { return shown.isNull(); }, 5000);
        settleEvents(20);
        if (chosen != queue) {
            *why = "the dialog printed to \"" + chosen + "\"";
            return false;
        }
        return true;
    }
};

// Each print edition's Print item, through the dialog's choice of printer, to
// the queue: the sheet's paper at true size, pictures at 300 dpi or more, and
// every spot of the sheet showing the open page while the paper around the
// spots stays blank.
TEST_F(PrintQueueWindowTest, LabelsBusinessCardsAndEnvelopesPrintThroughTheDialogToAQueue)
{
    PrintQueueServer server;
    QString why;
    ASSERT_TRUE(server.start(&why)) << qPrintable(why);

    const QueueCase cases[] = {
        {"Tovra Label Maker", "Print/Print Sheet...", "", 612, 792},
        {"Ostravel Business Card Designer", "Print/Print Page...", "Print Full Sheet", 612, 792},
        {"Ostravel Envelope Designer", "Print/Print Page...", "", 684, 297},
    };
    int job = 0;
    for (const QueueCase &c : cases) {
        SCOPED_TRACE(std::string(c.edition) + " " + c.how);
        SKTWindowController *window = open(c.edition);
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
        settleEvents(10);
        // The sheet in force and the page as its canvas shows it.
        const LabelHelperPtr sheet = DataCentrePrinting::grabLabelHelper(gDefaultPrintSheet);
        ASSERT_TRUE(sheet) << qPrintable(gDefaultPrintSheet);
        const QImage page = PageExport(window->document()).generatePNG(false);
        ASSERT_FALSE(page.isNull());

        if (*c.answer)
            alerts.answer(c.answer);
        const QString how = c.how;
        const bool sent = how.startsWith("toolbar:") ? ToolbarButton::click(window, how.mid(8), &why)
                                                     : MenuPath::trigger(window, how, &why);
        ASSERT_TRUE(sent) << qPrintable(why);
        ASSERT_TRUE(printToQueue(server.queue(), &why)) << qPrintable(why);
        const QString pdf = server.waitForOutput();
        ASSERT_FALSE(pdf.isEmpty()) << "the queue wrote no PDF; alerts: " << qPrintable(alerts.messages().join(" | "))
                                     << "\n" << qPrintable(server.report());
        const QString kept = path(QString("queue%1.pdf").arg(++job));
        ASSERT_TRUE(QFile::rename(pdf, kept));

        // An envelope may come back on paper fed the other way round, its
        // design turned a quarter with it.
        const PdfFacts facts = factsOf(kept);
        EXPECT_EQ(facts.pages, 1);
        EXPECT_NEAR(std::max(facts.points.width(), facts.points.height()), std::max(c.widthPoints, c.heightPoints), 1.5);
        EXPECT_NEAR(std::min(facts.points.width(), facts.points.height()), std::min(c.widthPoints, c.heightPoints), 1.5);
        EXPECT_GE(facts.pictures, 1);
        EXPECT_GE(facts.lowestPpi, 299.0);

        // The grid as the catalogue places it on the paper: at the sheet's
        // margins, or centred when they do not add up to the paper.
        const QImage printed = firstPage(kept, path(QString("queue%1").arg(job)));
        ASSERT_FALSE(printed.isNull());
        const double w = sheet->printSingleLabelWidthInch * 72.0, h = sheet->printSingleLabelHeightInch * 72.0;
        const bool single = sheet->printNumOfColumnsPerSheet == 1 && sheet->printNumOfRowsPerSheet == 1;
        const bool turnedPiece = single && (w > h) != (printed.width() > printed.height());
        const double pieceW = turnedPiece ? h : w, pieceH = turnedPiece ? w : h;
        QList<QImage> expected{page};
        if ((page.width() > page.height()) != (pieceW > pieceH))
            expected = {page.transformed(QTransform().rotate(90)), page.transformed(QTransform().rotate(-90))};
        auto shows = [&](const QRectF &spot) {
            ::testing::AssertionResult result = showsPicture(printed, spot, expected.first());
            return result || expected.size() < 2 ? result : showsPicture(printed, spot, expected.last());
        };
        const double cg = sheet->printLabelColumnSpacingInch * 72.0, rg = sheet->printLabelRowSpacingInch * 72.0;
        const int columns = sheet->printNumOfColumnsPerSheet, rows = sheet->printNumOfRowsPerSheet;
        const double gridW = columns * pieceW + (columns - 1) * cg, gridH = rows * pieceH + (rows - 1) * rg;
        double left = sheet->printSheetLeftMarginInch * 72.0, top = sheet->printSheetTopMarginInch * 72.0;
        if (std::abs(2 * left + gridW - printed.width()) > 1.0 || std::abs(2 * top + gridH - printed.height()) > 1.0) {
            left = (printed.width() - gridW) / 2.0;
            top = (printed.height() - gridH) / 2.0;
        }
        // The page has something to look for.
        ASSERT_GT(inkOf(page.scaled(QSizeF(pieceW, pieceH).toSize()), QRectF(0, 0, pieceW, pieceH)).amount, 40)
            << "the new page is blank";
        for (int r = 0; r < rows; ++r) {
            for (int col = 0; col < columns; ++col) {
                const QRectF spot(left + col * (pieceW + cg), top + r * (pieceH + rg), pieceW, pieceH);
                EXPECT_TRUE(shows(spot)) << "spot " << r + 1 << " x " << col + 1;
            }
        }
        // Blank paper: the margins round the grid (2 points in from it).
        EXPECT_GT(meanGrey(printed, QRectF(0, 0, std::max(0.0, left - 2), printed.height())), 252.0);
        EXPECT_GT(meanGrey(printed, QRectF(0, 0, printed.width(), std::max(0.0, top - 2))), 252.0);
        EXPECT_GT(meanGrey(printed, QRectF(left + gridW + 2, 0, printed.width(), printed.height())), 252.0);
        EXPECT_GT(meanGrey(printed, QRectF(0, top + gridH + 2, printed.width(), printed.height())), 252.0);
        // ... and the gaps between columns.
        for (int col = 1; col < columns && cg >= 6.0; ++col)
            EXPECT_GT(meanGrey(printed, QRectF(left + col * pieceW + (col - 1) * cg + 2, top, cg - 4, gridH)), 252.0);
        TearDown();
        SetUp();
    }
}

}  // namespace
