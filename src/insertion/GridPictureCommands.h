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
#include <memory>

class GridGraphic;
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
    std::shared_ptr<TransformView> pictureUnderClick();
    bool moveShown(int dr, int dc);
    bool move(int dr, int dc, const QString &name);
    SKTGalleryGrid *gallery();
    SKTTable *table();
    InsertionFrame &m_frame;
};
