#include "printing/LabelSpotPlan.h"

#include <QCoreApplication>

LabelSpotPlan LabelSpotPlan::build(const SheetGeometry &geometry, float printScaleDivisor)
{
    LabelSpotPlan plan;
    const auto divisor = static_cast<int32_t>(printScaleDivisor * 1.5f);
    plan.divisor = divisor >= 1 ? divisor : 1;
    const auto s = static_cast<float>(plan.divisor);
    plan.containerSize = {geometry.sheetWidth / s, geometry.sheetHeight / s};
    for (int32_t r = 0; r < geometry.rows; ++r) {
        for (int32_t c = 0; c < geometry.columns; ++c) {
            const auto cf = static_cast<float>(c);
            const auto rf = static_cast<float>(r);
            LabelSpot spot;
            spot.frame = QRectF(cf * geometry.columnGap / s + cf * geometry.pieceWidth / s,
                                rf * geometry.rowGap / s + rf * geometry.pieceHeight / s, geometry.pieceWidth / s,
                                geometry.pieceHeight / s);
            spot.tag = r * geometry.columns + c;
            spot.rowNumber = r;
            spot.columnNumber = c;
            spot.title = spotTitle(r, c);
            plan.spots.append(spot);
        }
    }
    return plan;
}

QString LabelSpotPlan::spotTitle(int32_t row, int32_t column)
{
    return QString::asprintf("%d x %d", row + 1, column + 1);
}

QString LabelSpotPlan::instructions()
{
    return QCoreApplication::translate(
        "LabelSpotPlan", "Please choose one or multiple available spots, choose \"Print Preview\" when ready to proceed");
}

void LabelSpotPlan::toggle(int32_t tag)
{
    for (LabelSpot &spot : spots) {
        if (spot.tag != tag)
            continue;
        spot.title = spot.title == selectedTitle() ? spotTitle(spot.rowNumber, spot.columnNumber) : selectedTitle();
        return;
    }
}

QList<QPoint> LabelSpotPlan::selectedSpots() const
{
    QList<QPoint> out;
    for (const LabelSpot &spot : spots) {
        if (spot.title == selectedTitle())
            out.append(QPoint(spot.columnNumber, spot.rowNumber));
    }
    return out;
}
