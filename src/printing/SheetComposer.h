#pragma once
// Lays page pictures out on sheets in the grid of the current print sheet.
// Composition is arithmetic only: pictures are named here and decoded when a
// sheet is painted (SheetPainter), so a long job never holds every picture in
// memory and a picture repeated over the sheets is decoded once.
#include "printing/PrintRenderingView.h"
#include "printing/SheetGeometry.h"

#include <QImage>
#include <QList>
#include <QString>

// One picture to place: a page's cached image file or an image rendered in
// memory, turned once by `rotation` degrees when it is decoded.
struct SheetPicture {
    QString path;
    QImage image;
    float rotation = 0.0f;
    QString pageName;
};

// One project page offered to a composition.
struct SheetPage {
    QString pageName;
    QString imagePath;
};

struct SheetComposition {
    enum class Problem {
        None,
        NoSheet,           // the sheet has no spots
        StartSpotOutside,  // the start spot lies beyond the grid
        NothingToPlace,    // no picture to place (or no spot chosen)
    };

    SheetGeometry geometry;
    QList<SheetPicture> pictures;
    QList<PrintRenderingView> sheets;
    Problem problem = Problem::None;

    bool isPrintable() const { return problem == Problem::None && !sheets.isEmpty(); }
    // What to tell the user when the composition is not printable.
    QString problemText() const;
};

class SheetComposer {
public:
    SheetComposer() = delete;

    // Index of the first spot used on the first sheet for the 1-based start
    // spot of the Print Settings window (values below 1 count as 1), or -1
    // when the spot lies outside the grid.
    static int32_t startOffset(const SheetGeometry &geometry, int32_t startRow, int32_t startColumn);

    // Places pictures 0 .. count - 1 (or `pictureOfItem`) in grid order from
    // the start spot. The start spot applies to the first sheet only; sheets
    // = ceil((offset + n) / P), so no picture is ever left out.
    static SheetComposition layOutGrid(const SheetGeometry &geometry, QList<SheetPicture> pictures,
                                       const QList<int> &pictureOfItem, int32_t startRow, int32_t startColumn);

    // One picture on the 0-based spot, one sheet.
    static SheetComposition layOutSingleSpot(const SheetGeometry &geometry, const SheetPicture &picture,
                                             int32_t row, int32_t column);

    // The picture on every chosen spot ((row, column) 0-based), one sheet.
    static SheetComposition layOutSpots(const SheetGeometry &geometry, const SheetPicture &picture,
                                        const QList<QPoint> &rowColumnSpots);

    // A full sheet of one label from the start spot: P - offset copies of one
    // picture, decoded and embedded once.
    static SheetComposition composeSameLabel(const SheetGeometry &geometry, const SheetPicture &picture,
                                             int32_t startRow, int32_t startColumn);

    // Every page once, in page order, each turned by `rotation`.
    static SheetComposition composeDifferentLabels(const SheetGeometry &geometry, const QList<SheetPage> &pages,
                                                   float rotation, int32_t startRow, int32_t startColumn);
};
