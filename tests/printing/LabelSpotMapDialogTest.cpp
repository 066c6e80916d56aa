// The spot map dialog: buttons toggle their spot, and "Print Preview" hands
// on exactly the chosen spots.
#include "PrintingFixture.h"
#include "config/DataCentrePrinting.h"
#include "printing/ui/LabelSpotMapDialog.h"
#include "printing/ui/PrintPreviewWindowController.h"

#include <QImage>
#include <QPrintPreviewWidget>

#include <QPushButton>

namespace {

class LabelSpotMapDialogTest : public PrintingTest {};

TEST_F(LabelSpotMapDialogTest, ClicksToggleSpotsAndPrintPreviewHandsOnTheChosenOnes)
{
    gPrintScaleDivisor = 2.0f;
    DataCentrePrinting::resetPrintCanvas(sheet("Label - 30 Per Letter Sheet"));
    LabelSpotMapDialog dialog(LabelSpotPlan::build(SheetGeometry::fromCurrentLayout(), gPrintScaleDivisor), nullptr);
    QList<QList<QPoint>> printed;
    QObject::connect(&dialog, &LabelSpotMapDialog::printSpots, [&](const QList<QPoint> &spots) { printed << spots; });

    QPushButton *spot = dialog.spotButton(5);
    ASSERT_NE(spot, nullptr);
    EXPECT_EQ(spot->text(), "2 x 3");
    spot->click();
    EXPECT_EQ(spot->text(), "Selected");
    spot->click();
    EXPECT_EQ(spot->text(), "2 x 3");

    dialog.spotButton(0)->click();
    dialog.spotButton(29)->click();
    dialog.show();
    if (const QByteArray folder = qgetenv("ZOV_SCREENSHOT_DIR"); !folder.isEmpty())
        dialog.grab().save(QString::fromLocal8Bit(folder) + "/spot-map.png");
    dialog.printButton()->click();
    EXPECT_EQ(printed, (QList<QList<QPoint>>{{{0, 0}, {2, 9}}}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(LabelSpotMapDialogTest, ThePreviewShowsOnePagePerSheetAndItsPrintButtonAsksToPrint)
{
    DataCentrePrinting::resetPrintCanvas(sheet("Business Card - 10 Per Letter Sheet"));
    const SheetGeometry g = SheetGeometry::fromCurrentLayout();
    QImage picture(105, 60, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QList<int> items(13, 0);
    auto composed = SheetComposer::layOutGrid(g, {{{}, picture, 0.0f, "card"}}, items, 1, 1);
    ASSERT_EQ(composed.sheets.size(), 2);
    PrintPreviewWindowController preview(composed,
                                         SheetPainter::paperFor(g, *sheet("Business Card - 10 Per Letter Sheet"), {}, {}),
                                         nullptr);
    preview.show();
    preview.pdfView()->updatePreview();
    EXPECT_EQ(preview.pdfView()->pageCount(), 2);
    if (const QByteArray folder = qgetenv("ZOV_SCREENSHOT_DIR"); !folder.isEmpty())
        preview.grab().save(QString::fromLocal8Bit(folder) + "/print-preview.png");
    bool asked = false;
    QObject::connect(&preview, &PrintPreviewWindowController::printRequested, [&] { asked = true; });
    preview.printPreviewButton()->click();
    EXPECT_TRUE(asked);
}

}  // namespace
