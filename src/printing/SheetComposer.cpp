#include "printing/SheetComposer.h"

#include <QCoreApplication>
#include <QPoint>

QString SheetComposition::problemText() const
{
    switch (problem) {
    case Problem::NoSheet:
        return QCoreApplication::translate("SheetComposer", "No print sheet is selected, so there is nothing to print.");
    case Problem::StartSpotOutside:
        return QCoreApplication::translate(
            "SheetComposer", "The starting spot in Print Settings lies outside the sheet of %1 rows and %2 columns.")
            .arg(geometry.rows)
            .arg(geometry.columns);
    case Problem::NothingToPlace:
        return QCoreApplication::translate("SheetComposer", "There is nothing to place on the sheet.");
    case Problem::None:
        break;
    }
    return {};
}

int32_t SheetComposer::startOffset(const SheetGeometry &geometry, int32_t startRow, int32_t startColumn)
{
    if (geometry.isEmpty())
        return -1;
    const int32_t r0 = startRow > 1 ? startRow - 1 : 0;
    const int32_t c0 = startColumn > 1 ? startColumn - 1 : 0;
    if (r0 >= geometry.rows || c0 >= geometry.columns)
        return -1;
    return r0 * geometry.columns + c0;
}

SheetComposition SheetComposer::layOutGrid(const SheetGeometry &geometry, QList<SheetPicture> pictures,
                                           const QList<int> &pictureOfItem, int32_t startRow, int32_t startColumn)
{
    SheetComposition out;
    out.geometry = geometry;
    out.pictures = std::move(pictures);
    if (geometry.isEmpty()) {
        out.problem = SheetComposition::Problem::NoSheet;
        return out;
    }
    const int32_t offset = startOffset(geometry, startRow, startColumn);
    if (offset < 0) {
        out.problem = SheetComposition::Problem::StartSpotOutside;
        return out;
    }
    const qsizetype n = pictureOfItem.isEmpty() ? out.pictures.size() : pictureOfItem.size();
    if (n == 0) {
        out.problem = SheetComposition::Problem::NothingToPlace;
        return out;
    }
    const qsizetype perSheet = geometry.spotsPerSheet();
    const qsizetype sheetCount = (offset + n + perSheet - 1) / perSheet;
    out.sheets.reserve(sheetCount);
    qsizetype item = 0;
    for (qsizetype s = 0; s < sheetCount; ++s) {
        PrintRenderingView sheet;
        sheet.frame = geometry.frame();
        for (qsizetype spot = s == 0 ? offset : 0; spot < perSheet && item < n; ++spot, ++item) {
            const auto row = static_cast<int32_t>(spot / geometry.columns);
            const auto column = static_cast<int32_t>(spot % geometry.columns);
            const int picture = pictureOfItem.isEmpty() ? static_cast<int>(item) : pictureOfItem.at(item);
            sheet.placements.append({geometry.spotRect(row, column), picture});
        }
        out.sheets.append(std::move(sheet));
    }
    return out;
}

SheetComposition SheetComposer::layOutSingleSpot(const SheetGeometry &geometry, const SheetPicture &picture,
                                                 int32_t row, int32_t column)
{
    SheetComposition out = layOutSpots(geometry, picture, {QPoint(column, row)});
    out.keepsLastSheet = false;
    return out;
}

SheetComposition SheetComposer::layOutSpots(const SheetGeometry &geometry, const SheetPicture &picture,
                                            const QList<QPoint> &spots)
{
    SheetComposition out;
    out.geometry = geometry;
    if (geometry.isEmpty()) {
        out.problem = SheetComposition::Problem::NoSheet;
        return out;
    }
    PrintRenderingView sheet;
    sheet.frame = geometry.frame();
    for (const QPoint &spot : spots) {
        const int32_t column = spot.x();
        const int32_t row = spot.y();
        if (row < 0 || column < 0 || row >= geometry.rows || column >= geometry.columns)
            continue;
        sheet.placements.append({geometry.spotRect(row, column), 0});
    }
    if (sheet.placements.isEmpty()) {
        out.problem = spots.size() == 1 ? SheetComposition::Problem::StartSpotOutside
                                        : SheetComposition::Problem::NothingToPlace;
        return out;
    }
    out.pictures.append(picture);
    out.sheets.append(std::move(sheet));
    return out;
}

SheetComposition SheetComposer::composeSameLabel(const SheetGeometry &geometry, const SheetPicture &picture,
                                                 int32_t startRow, int32_t startColumn)
{
    // Outside or no sheet: one item, and layOutGrid names the problem.
    const int32_t offset = startOffset(geometry, startRow, startColumn);
    const qsizetype copies = offset < 0 ? 1 : geometry.spotsPerSheet() - offset;
    return layOutGrid(geometry, {picture}, QList<int>(copies, 0), startRow, startColumn);
}

SheetComposition SheetComposer::composeDifferentLabels(const SheetGeometry &geometry, const QList<SheetPage> &pages,
                                                       float rotation, int32_t startRow, int32_t startColumn)
{
    QList<SheetPicture> pictures;
    pictures.reserve(pages.size());
    for (const SheetPage &page : pages)
        pictures.append({page.imagePath, {}, rotation, page.pageName});
    return layOutGrid(geometry, std::move(pictures), {}, startRow, startColumn);
}
