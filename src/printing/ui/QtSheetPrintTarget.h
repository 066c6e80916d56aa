#pragma once
// The print dialog for composed sheets: window-modal over the document
// window, paper and orientation already set from the sheet; the job is
// painted on a worker thread and reported back on the main thread.
#include "printing/PrintOperations.h"

class QtSheetPrintTarget : public SheetPrintTarget {
public:
    void printSheets(const SheetComposition &composition, const SheetPaper &paper, QObject *window,
                     std::function<void(const SheetPaintResult &result)> done) override;
};
