#pragma once
// Class-level operations of DataCentre: see config/DataCentre.h.
// The print-sheet catalogue, the current sheet and the print canvas set from it.
#include "config/LabelHelper.h"

#include <QList>
#include <QString>

#include <cstdint>

// Every print sheet, in catalogue order; replaced as a whole by
// DataCentre::loadPrintLabels. Main thread only.
extern QList<LabelHelperPtr> gPrintLabels;

class DataCentrePrinting {
public:
    // Builds the catalogue afresh into gPrintLabels.
    static void loadPrintLabels();

    // The first sheet whose description equals the argument exactly, or null.
    // A hit makes it the current sheet: gDefaultPrintSheet takes the
    // description and the "Inches" and "Centimeters" ruler units take the
    // sheet's pixel factor. A miss changes nothing.
    static LabelHelperPtr grabLabelHelper(const QString &description);

    // The first sheet on the given paper with rows x columns equal to count,
    // or null. No side effects.
    static LabelHelperPtr grabLabelHelperBasedOnSelection(int32_t count, const QString &paper);

    // Copies the sheet into the print-layout values and sizes the canvas,
    // previews, screenshot and selection handles from it (width and height
    // exchanged while gCanvasRotation is 90). Null, or a sheet that cannot be
    // laid out, leaves every value as it was.
    static void resetPrintCanvas(const LabelHelperPtr &labelHelper);
    // The paper of the sheet resetPrintCanvas last laid out ("" before any).
    static QString currentSheetPaper();

    // Selection-handle scale for a canvas width: smaller handles on wider
    // canvases, which are shown zoomed out.
    static float handleScaleForCanvasWidth(int32_t canvasWidth);

    // The "Please wait" window while sheets are composed: a fresh window with
    // the second spinner running and no level bar. Hiding puts it away but
    // keeps it for the next composition.
    static void showMainThreadProgressIndicator();
    static void hideMainThreadProgressIndicator();
};
