#pragma once
// Lays page pictures out on sheets in the grid of the current print sheet.
// Composition is arithmetic only: pictures are named here and decoded when a
// sheet is painted (SheetPainter), so a long job never holds every picture in
// memory and a picture repeated over the sheets is decoded once.
#include "printing/PrintRenderingView.h"
#include "printing/SheetGeometry.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPicture>
#include <QString>

#include <memory>

// One picture to place: a page's drawing, drawn at the sheet's resolution
// when it is painted, else a page's cached image file or an image rendered in
// memory; turned once by `rotation` degrees when it is decoded.
struct SheetPicture {
    SheetPicture() = default;
    SheetPicture(QString path_, QImage image_ = {}, float rotation_ = 0.0f, QString pageName_ = {})
        : path(std::move(path_)), image(std::move(image_)), rotation(rotation_), pageName(std::move(pageName_))
    {
    }

    QString path;
    QImage image;
    float rotation = 0.0f;
    QString pageName;
    // The page's graphics as recorded on the main thread, over its canvas of
    // canvasSize pixels filled with background.
    std::shared_ptr<const QPicture> drawing;
    QSize canvasSize;
    QColor background = Qt::white;
};

// One project page offered to a composition.
struct SheetPage {
    SheetPage() = default;
    SheetPage(QString pageName_, QString imagePath_ = {}, QString packagePath_ = {})
        : pageName(std::move(pageName_)), imagePath(std::move(imagePath_)), packagePath(std::move(packagePath_))
    {
    }

    QString pageName;
    QString imagePath;
    QString packagePath;  // the page's file, drawn afresh for sharp sheets
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
    // Dots per inch at which drawn pictures are painted on the sheets.
    int pictureDpi = 300;
    // Whether the job leaves its last sheet in "card.pdf" (grid sheets do,
    // single spots do not).
    bool keepsLastSheet = true;

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
