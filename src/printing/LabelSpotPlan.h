#pragma once
// The spot map of a label sheet: one toggle per spot, drawn at the sheet's
// print-view size divided by a whole number, titled with its 1-based spot
// ("2 x 3", row first) or "Selected" when chosen.
#include "printing/SheetGeometry.h"

#include <QList>
#include <QPoint>
#include <QRectF>
#include <QString>

struct LabelSpot {
    QRectF frame;
    int32_t tag = 0;  // row * columns + column
    int32_t rowNumber = 0;
    int32_t columnNumber = 0;
    QString title;
};

class LabelSpotPlan {
public:
    // Spots row by row at 1 / divisor, the divisor being the print scale
    // divisor times 1.5 truncated (3 for the usual 2.0).
    static LabelSpotPlan build(const SheetGeometry &geometry, float printScaleDivisor);

    static QString spotTitle(int32_t row, int32_t column);
    static QString selectedTitle() { return QStringLiteral("Selected"); }
    static QString instructions();

    // Toggles the spot between its name and "Selected"; unknown tags are ignored.
    void toggle(int32_t tag);
    // The chosen spots as (column, row), in tag order.
    QList<QPoint> selectedSpots() const;

    int32_t divisor = 1;
    QSizeF containerSize;
    QList<LabelSpot> spots;
};
