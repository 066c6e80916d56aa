#pragma once
// Paints composed sheets at true size on paper: one page per sheet with the
// grid at the catalogue's margins when they add up to the paper, else centred.
// The same code paints PDF files (QPdfWriter at 144 dpi, one device unit per
// print-view unit) and printers (full page, scaled resolution / 144).
#include "config/LabelHelper.h"
#include "printing/SheetComposer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QStringList>

#include <atomic>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

// The page a sheet is painted on.
struct SheetPaper {
    QPageSize pageSize;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPointF gridOrigin;  // print-view units from the paper's top-left corner
};

struct SheetPaintResult {
    bool ok = true;
    int pagesPainted = 0;
    QStringList unreadablePages;  // page names whose pictures could not be read
    QString errorText;            // set when !ok
};

class SheetPainter {
public:
    SheetPainter() = delete;

    // The paper's page size ("na-letter", "A4", "na-number-10-envelope" ...);
    // unknown names give US Letter.
    static QPageSize pageSizeForPaper(const QString &paper);
    // Whether the paper is one of those names.
    static bool knowsPaper(const QString &paper);

    // The template's paper when it names one, else the sheet's own.
    static QString paperName(const QString &templatePaper, const QString &sheetPaper);

    // In the greeting-card edition the fold decides ("Vertical" xor "Quarter"
    // in the template's description prints landscape); elsewhere portrait
    // unless only landscape holds the grid.
    static QPageLayout::Orientation orientationFor(const SheetGeometry &geometry, const QPageSize &pageSize,
                                                   const QString &templateDescription);

    static SheetPaper paperFor(const SheetGeometry &geometry, const LabelHelper &sheet, const QString &templatePaper,
                               const QString &templateDescription);

    // A page exactly the size of the sheet frame, grid at its corner.
    static SheetPaper framePaper(const SheetGeometry &geometry);

    // Paints `sheets` (all when empty) of the composition `copies` times,
    // collated, onto a device whose painter is active and whose page layout
    // is `paper` with no margins. `scale` is device units per print-view unit.
    static SheetPaintResult paint(QPainter &painter, QPagedPaintDevice &device, const SheetComposition &composition,
                                  const SheetPaper &paper, double scale, int copies = 1,
                                  const std::atomic<bool> *cancel = nullptr);

    // The whole composition as a PDF, written through QSaveFile: a failed
    // write keeps the old file and says why.
    static SheetPaintResult writePdf(const QString &path, const SheetComposition &composition,
                                     const SheetPaper &paper, const QString &title = {});

    // "card.pdf" in the folder: the last sheet on a page of its frame.
    static SheetPaintResult writeLastSheet(const QString &folder, const SheetComposition &composition);
};
