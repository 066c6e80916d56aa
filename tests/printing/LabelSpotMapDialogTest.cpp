// The spot map dialog: buttons toggle their spot, and "Print Preview" hands
// on exactly the chosen spots.
#include "PrintingFixture.h"
#include "printing/DataCentrePrinting.h"
#include "printing/ui/LabelSpotMapDialog.h"

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

}  // namespace
