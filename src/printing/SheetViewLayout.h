#pragma once
// Where the composed sheet view goes on a page printed with the layout's
// margins: scaled down (never up) to fit the area inside the margins and
// centred in it both ways.
#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

class SheetViewLayout {
public:
    SheetViewLayout() = delete;

    // The print layout's margins in points (72 per inch).
    static QMarginsF marginsInPoints();

    // The sheet frame (print-view units) placed in the printable area (device
    // units): scale from print-view units to device units, and the frame's
    // top-left corner in the printable area.
    struct Placement {
        double scale = 1.0;
        QPointF origin;
    };
    static Placement fit(const QSizeF &frame, const QSizeF &printable, double deviceUnitsPerViewUnit);
};
