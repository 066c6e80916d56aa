#include "insertion/GridPictureCommands.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/PageImageService.h"
#include "insertion/PictureBatch.h"
#include "insertion/TableGridUndo.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTTable.h"
#include "platform/Alerts.h"
#include "platform/UserDefaults.h"


#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace {
int32_t whole(double v) { return int32_t(std::floor(v)); }

QString typeFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix == QLatin1String("png") || suffix == QLatin1String("PNG") ? QStringLiteral("PNG")
                                                                            : QStringLiteral("JPG");
}

void inform(InsertionFrame &frame, const QString &message, const QStringList &lines)
{
    Alert alert;
    alert.messageText = message;
    alert.informativeText = lines.join(QLatin1Char('\n'));
    frame.context().alerts().show(alert, frame.context().window(), {});
}

// Spot under a point: the grids answer the same questions under the same names.
template <typename Grid>
QPoint spotOf(Grid &grid, const QPointF &point)
{
    return {grid.grabRowSpot(whole(point.x()), whole(point.y())), grid.grabColumnSpot(whole(point.x()), whole(point.y()))};
}
} // namespace

SKTGalleryGrid *GridPictureCommands::gallery()
{
    InsertionContext &context = m_frame.context();
    return dynamic_cast<SKTGalleryGrid *>(context.stillOnPage(context.cache().selectedGalleryGrid));
}

SKTTable *GridPictureCommands::table()
{
    InsertionContext &context = m_frame.context();
    return dynamic_cast<SKTTable *>(context.stillOnPage(context.cache().selectedTable));
}

int GridPictureCommands::proceedsToAddGalleryImages(const QStringList &paths)
{
    SKTGalleryGrid *grid = gallery();
    return grid ? fill(*grid, true, paths) : 0;
}

int GridPictureCommands::proceedsToAddGalleryImagesToTable(const QStringList &paths)
{
    SKTTable *grid = table();
    return grid ? fill(*grid, false, paths) : 0;
}

bool GridPictureCommands::prepareFill(GridGraphic &grid, bool isGallery, const QStringList &paths, QPoint &spot,
                                      QStringList &taken)
{
    const QPointF touch = m_frame.context().lastTouchPoint();
    int32_t room = 0;
    if (isGallery) {
        auto &g = static_cast<SKTGalleryGrid &>(grid);
        spot = spotOf(g, touch);
        room = g.grabMaxNumToAdd(touch);
    } else {
        auto &t = static_cast<SKTTable &>(grid);
        spot = spotOf(t, touch);
        room = t.grabMaxNumToAdd(touch);
    }
    // A click outside every spot places nothing, so nothing is read or written.
    if (spot.x() < 0 || spot.y() < 0 || room <= 0 || paths.isEmpty())
        return false;
    taken = paths.mid(0, room);
    const QStringList beyond = paths.mid(room);
    // Every file is checked before anything is written: one that is no
    // picture is named, and nothing happens.
    QStringList refused;
    for (const QString &path : taken) {
        QImageReader reader(path);
        if (!reader.canRead() || !reader.size().isValid() || reader.size().isEmpty())
            refused.append(QStringLiteral("\"%1\": %2").arg(QFileInfo(path).fileName(),
                                                            QStringLiteral("not a picture that can be read")));
    }
    if (!refused.isEmpty()) {
        inform(m_frame, QStringLiteral("Some files are not pictures that can be added"), refused);
        return false;
    }
    if (!beyond.isEmpty()) {
        QStringList names;
        for (const QString &path : beyond)
            names.append(QFileInfo(path).fileName());
        inform(m_frame, QStringLiteral("Not every picture fits"),
               QStringList{QStringLiteral("These pictures lie beyond the last spot and were not added:")} + names);
    }
    return true;
}

namespace {
// A record holds its picture at twice the width of its cell, enough for a
// sharp retina drawing; the original file keeps the full picture.
int32_t recordWidth(const GridGraphic &grid)
{
    return std::max(1, int32_t(std::ceil(2 * grid.bounds().width() / std::max(1, grid.numOfColumns()))));
}

// One file made ready on a worker: decoded, scaled for the record, and its
// original written into the page folder under the name handed out on the
// page's thread, so that placing it later takes no time. The original's
// bytes are not kept: a batch of hundreds of pictures holds only records.
PictureLoad prepareGridPicture(const QString &path, int32_t width, const QString &folder, const QString &name)
{
    PictureLoad load = PageImageService::loadPicture(path, PageImageService::originalSizeLimit());
    if (load.error.isEmpty() && !load.image.isNull() && load.image.width() > width)
        load.image = load.image.scaledToWidth(width, Qt::SmoothTransformation);
    const QString file = QDir(folder).filePath(QStringLiteral("%1o.%2").arg(name, load.type));
    QSaveFile out(file);
    const bool written = load.error.isEmpty() && !load.original.isEmpty() && !folder.isEmpty()
        && !QFile::exists(file) && out.open(QIODevice::WriteOnly) && out.write(load.original) == load.original.size()
        && out.commit();
    load.original.clear();
    load.imageName = written ? name : QString();
    if (!written && load.error.isEmpty())
        load.error = QStringLiteral("The picture could not be stored.");
    return load;
}

// Places the prepared pictures from the spot on, in row order, as one undo
// step; answers how many were placed.
int placePictures(SKTDocument &document, GridGraphic &grid, bool isGallery, QPoint spot,
                  const QList<PictureLoad> &prepared)
{
    gRetinaFlag = UserDefaults::standard().integerForKey(QStringLiteral("DovrinRetinaFlag"));
    QStringList failed;
    int placed = 0;
    InsertionStep step(document, isGallery ? QStringLiteral("Add Gallery Images") : QStringLiteral("Add Table Images"));
    TableGridUndo::edit(document, grid, [&] {
        QPoint at = spot;
        for (const PictureLoad &load : prepared) {
            if (!load.error.isEmpty() || load.image.isNull() || load.imageName.isEmpty()) {
                failed.append(QFileInfo(load.path).fileName());
                continue;
            }
            auto record = std::make_shared<TransformView>();
            record->image = load.image;
            record->imageLastModDate = QDateTime::currentDateTime();
            record->imageName = load.imageName;
            record->groupNumber = -99;
            record->imageType = load.type;
            record->originalWidth = load.pixelSize.width();
            record->originalHeight = load.pixelSize.height();
            record->retinaFlag = gRetinaFlag != 0;
            record->imageEnlargeFlag = 1;
            if (isGallery) {
                record->slideShowNumber = -66;
                record->tableNumber = -99;
            } else {
                record->slideShowNumber = -99;
                record->galleryNumber = -99;
            }
            const QPoint next = placed > 0 ? grid.grabNextSpot(at.x(), at.y()) : at;
            record->rowSpot = next.x();
            record->columnSpot = next.y();
            at = next;
            grid.addIntoImageArray(record);
            ++placed;
        }
        grid.setNumOfColumns(grid.numOfColumns());
    });
    if (!failed.isEmpty()) {
        Alert alert;
        alert.messageText = QStringLiteral("Some pictures could not be added");
        alert.informativeText = failed.join(QLatin1Char('\n'));
        Alerts::current().show(alert, nullptr, {});
    }
    return placed;
}
} // namespace

std::unique_ptr<PictureBatch> GridPictureCommands::batchFor(GridGraphic &grid, bool isGallery,
                                                            const QStringList &paths, QPoint &spot)
{
    QStringList taken;
    if (!prepareFill(grid, isGallery, paths, spot, taken))
        return {};
    SKTDocument &document = m_frame.document();
    auto batch = std::make_unique<PictureBatch>(document, QStringLiteral("Adding pictures"));
    const int32_t width = recordWidth(grid);
    // Names are handed out here, on the page's thread, in the order the
    // pictures will take their spots.
    PageImageService images(document);
    const QString folder = images.pageFolder();
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    const QStringList names = images.getNextImageNames(int(taken.size()));
    for (qsizetype i = 0; i < taken.size(); ++i) {
        const QString path = taken[i], name = names[i];
        batch->addJob([path, width, folder, name](BatchControl &control) {
            QList<PictureLoad> one{prepareGridPicture(path, width, folder, name)};
            control.advance();
            return one;
        });
    }
    return batch;
}

int GridPictureCommands::fill(GridGraphic &grid, bool isGallery, const QStringList &paths)
{
    QPoint spot;
    const auto batch = batchFor(grid, isGallery, paths, spot);
    if (!batch)
        return 0;
    int placed = 0;
    batch->runNow([&](QList<PictureLoad> &prepared) {
        placed = placePictures(m_frame.document(), grid, isGallery, spot, prepared);
    });
    return placed;
}

void GridPictureCommands::addGalleryImagesInBackground(const QStringList &paths, bool toTable,
                                                       std::function<void(int placed)> done)
{
    GridGraphic *grid = toTable ? static_cast<GridGraphic *>(table()) : static_cast<GridGraphic *>(gallery());
    QPoint spot;
    const auto batch = grid ? batchFor(*grid, !toTable, paths, spot) : nullptr;
    if (!batch) {
        if (done)
            done(0);
        return;
    }
    SKTDocument *document = &m_frame.document();
    // The grid must still be on the page when the pictures are ready.
    const auto target = graphicStillOnPageAs<GridGraphic>(*document, grid);
    const QString folder = PageImageService(*document).pageFolder();
    batch->setStillWanted([target] { return target() != nullptr; });
    batch->start(
        [document, target, toTable, spot, done](QList<PictureLoad> &prepared) {
            const int placed = placePictures(*document, *target(), !toTable, spot, prepared);
            if (done)
                done(placed);
        },
        [folder, done](QList<PictureLoad> &prepared) {
            // Dropped: the originals written for it go too.
            for (const PictureLoad &load : prepared)
                if (!load.imageName.isEmpty())
                    QFile::remove(QDir(folder).filePath(QStringLiteral("%1o.%2").arg(load.imageName, load.type)));
            if (done)
                done(0);
        });
}

bool GridPictureCommands::deleteGalleryImage()
{
    SKTGalleryGrid *grid = gallery();
    if (!grid)
        return false;
    const QPointF touch = m_frame.context().lastTouchPoint();
    const auto record = grid->grabImageSelected(whole(touch.x()), whole(touch.y()));
    if (!record)
        return false;
    InsertionStep step(m_frame.document(), QStringLiteral("Delete Gallery Image"));
    TableGridUndo::edit(m_frame.document(), *grid, [&] {
        QList<GridGraphic::Image> images = grid->imageArray();
        images.removeAll(record);
        grid->setImageArray(images);
        grid->setNumOfColumns(grid->numOfColumns());
    });
    return true;
}

bool GridPictureCommands::deleteTableImage()
{
    SKTTable *grid = table();
    if (!grid)
        return false;
    const QPoint spot = spotOf(*grid, m_frame.context().lastTouchPoint());
    const auto record = grid->grabSelectedImageAtSpot(spot.x(), spot.y());
    if (!record)
        return false;
    InsertionStep step(m_frame.document(), QStringLiteral("Delete Table Image"));
    TableGridUndo::edit(m_frame.document(), *grid, [&] {
        QList<GridGraphic::Image> images = grid->imageArray();
        images.removeAll(record);
        grid->setImageArray(images);
        grid->setNumOfColumns(grid->numOfColumns());
    });
    return true;
}

std::shared_ptr<TransformView> GridPictureCommands::pictureUnderClick()
{
    SKTGalleryGrid *grid = gallery();
    if (!grid)
        return {};
    const QPointF touch = m_frame.context().lastTouchPoint();
    return grid->grabImageSelected(whole(touch.x()), whole(touch.y()));
}

bool GridPictureCommands::moveShown(int dr, int dc)
{
    // Without a picture under the click there is nothing to move.
    const auto picture = pictureUnderClick();
    SKTGalleryGrid *grid = gallery();
    if (!picture || !grid)
        return false;
    const int r = picture->rowSpot + dr, c = picture->columnSpot + dc;
    return r >= 0 && c >= 0 && r < grid->numOfRows() && c < grid->numOfColumns();
}

bool GridPictureCommands::moveImageUpShown() { return moveShown(-1, 0); }
bool GridPictureCommands::moveImageDownShown() { return moveShown(1, 0); }
bool GridPictureCommands::moveImageLeftShown() { return moveShown(0, -1); }
bool GridPictureCommands::moveImageRightShown() { return moveShown(0, 1); }
bool GridPictureCommands::moveImageUp() { return move(-1, 0, QStringLiteral("Move Image Up")); }
bool GridPictureCommands::moveImageDown() { return move(1, 0, QStringLiteral("Move Image Down")); }
bool GridPictureCommands::moveImageLeft() { return move(0, -1, QStringLiteral("Move Image Left")); }
bool GridPictureCommands::moveImageRight() { return move(0, 1, QStringLiteral("Move Image Right")); }

bool GridPictureCommands::move(int dr, int dc, const QString &name)
{
    if (!moveShown(dr, dc))
        return false;
    SKTGalleryGrid *grid = gallery();
    const auto picture = pictureUnderClick();
    const int r = picture->rowSpot, c = picture->columnSpot;
    InsertionStep step(m_frame.document(), name);
    TableGridUndo::edit(m_frame.document(), *grid, [&] {
        if (const auto neighbour = grid->grabSelectedImageAtSpot(r + dr, c + dc)) {
            neighbour->rowSpot = r;
            neighbour->columnSpot = c;
        }
        picture->rowSpot = r + dr;
        picture->columnSpot = c + dc;
        grid->setBounds(grid->bounds());
    });
    return true;
}

bool GridPictureCommands::addSectionBackgroundImage(const QString &path)
{
    SKTTable *section = table();
    if (!section)
        return false;
    const PictureLoad load = PageImageService::loadPicture(path, std::numeric_limits<int32_t>::max());
    if (!load.error.isEmpty() || load.image.isNull()) {
        inform(m_frame, QStringLiteral("The background picture could not be set"),
               {QStringLiteral("\"%1\": %2").arg(QFileInfo(path).fileName(),
                                                 load.error.isEmpty() ? QStringLiteral("no picture") : load.error)});
        return false;
    }
    const int32_t width = std::max(1, whole(section->bounds().width()));
    const int32_t height = std::max(1, int32_t(qint64(load.image.height()) * width / std::max(1, load.image.width())));
    auto record = std::make_shared<TransformView>();
    record->image = load.image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    record->imageName = PageImageService(m_frame.document()).getNextImageName();
    record->imageEnlargeFlag = -99;
    record->slideShowNumber = -99;
    record->imageType = typeFor(path);
    record->forceNonRetinaFlag = true;
    record->rowSpot = -99;
    record->columnSpot = -99;
    InsertionStep step(m_frame.document(), QStringLiteral("Section Background"));
    TableGridUndo::edit(m_frame.document(), *section, [&] {
        section->setTableBackgroundImage(record);
        section->setNumOfColumns(section->numOfColumns());
    });
    return true;
}

bool GridPictureCommands::removeTableBackgroundImage()
{
    SKTTable *section = table();
    if (!section || !section->tableBackgroundImage())
        return false;
    InsertionStep step(m_frame.document(), QStringLiteral("Remove Background"));
    TableGridUndo::edit(m_frame.document(), *section, [&] {
        section->setTableBackgroundImage({});
        section->SKTGraphic::setBounds(section->bounds());
    });
    return true;
}
