#pragma once
// Pictures in the spots of galleries and tables, and a section's background
// picture: filling spots in row order from the clicked one, replacing and
// deleting the picture under the click, moving a gallery picture one spot,
// and setting or clearing the background. Files are read on worker threads;
// unreadable files are refused in one message and nothing is written; a
// click outside every spot inserts and writes nothing; files beyond the last
// spot are named in a message. Each command is one undo step that gives the
// grid back whole.
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class GridGraphic;
class PictureBatch;
class InsertionFrame;
class SKTGalleryGrid;
class SKTTable;
class TransformView;

class GridPictureCommands {
public:
    explicit GridPictureCommands(InsertionFrame &frame) : m_frame(frame) {}

    // Into the selected gallery (table) from the spot under the last click.
    // Answers how many pictures were placed.
    int proceedsToAddGalleryImages(const QStringList &paths);
    int proceedsToAddGalleryImagesToTable(const QStringList &paths);
    // The same without holding the event loop: files are decoded, scaled
    // and encoded on worker threads behind the progress window, then placed
    // in one step. Closing the page (or the grid leaving it) drops what is
    // pending; done is then called with 0. done runs on the main thread.
    void addGalleryImagesInBackground(const QStringList &paths, bool toTable, std::function<void(int placed)> done);

    bool deleteGalleryImage();
    bool deleteTableImage();

    bool moveImageUpShown();
    bool moveImageDownShown();
    bool moveImageLeftShown();
    bool moveImageRightShown();
    bool moveImageUp();
    bool moveImageDown();
    bool moveImageLeft();
    bool moveImageRight();

    // The selected section's background, scaled to the section's width.
    bool addSectionBackgroundImage(const QString &path);
    bool removeTableBackgroundImage();

private:
    int fill(GridGraphic &grid, bool gallery, const QStringList &paths);
    // The batch that reads the files the grid takes from the spot under the
    // click; null (after any message) when nothing is to be added.
    std::unique_ptr<PictureBatch> batchFor(GridGraphic &grid, bool gallery, const QStringList &paths, QPoint &spot);
    // The spot under the click, how many files fit from it, and the refusal
    // of unreadable files; false when nothing is to be added.
    bool prepareFill(GridGraphic &grid, bool gallery, const QStringList &paths, QPoint &spot, QStringList &taken);
    std::shared_ptr<TransformView> pictureUnderClick();
    bool moveShown(int dr, int dc);
    bool move(int dr, int dc, const QString &name);
    SKTGalleryGrid *gallery();
    SKTTable *table();
    InsertionFrame &m_frame;
};
