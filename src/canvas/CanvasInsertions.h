#pragma once
// The insertion operations the canvas calls but does not own: text boxes,
// lines and images placed on the page, table copies, the section look-ups,
// the partners that go with a deleted graphic, and the palette's dropped code
// names. The insertion subsystem fills this in; the defaults answer as a page
// without sections or partners would and insert nothing themselves.
#include "insertion/DropTables.h"
#include "model/GraphicProperties.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class GraphicEnvironment;
class SKTDocument;
class SKTGraphic;
class SKTTable;

class CanvasInsertions {
public:
    virtual ~CanvasInsertions() = default;

    // A text box or line built from preset properties at the point; the new
    // graphic, or null when none was inserted.
    virtual SKTGraphic *addTextBox(SKTDocument &, const GraphicProperties &, const QPointF &) { return nullptr; }
    virtual SKTGraphic *addTrueLine(SKTDocument &, const GraphicProperties &, const QPointF &) { return nullptr; }
    // An image of the given kind ("PNG" or "JPG") shown in frame; sourcePath
    // is the file it came from ("" for image data).
    virtual SKTGraphic *addImageIntoArray(SKTDocument &, const QImage &, const QString &, const QRectF &,
                                          const QString &)
    {
        return nullptr;
    }
    // Picture files dropped on the canvas, read on workers behind the
    // progress window and placed as one step when ready: file i at
    // (x + firstOffset + i * step, y). False when this side does not read
    // them later, and the canvas reads them itself at once.
    virtual bool addImageFilesLater(SKTDocument &, const QStringList &, const QPointF &, int32_t, int32_t)
    {
        return false;
    }
    // Picture files dropped onto a slideshow (new last slides), a gallery or
    // a table that holds pictures (spots filled from the one under the
    // point). False when this side does not take them, and the canvas
    // inserts them as pictures of their own.
    virtual bool addPicturesInto(SKTDocument &, SKTGraphic &, const QStringList &, const QPointF &) { return false; }
    // A deep copy of the table in front of the page; a page section's copy
    // goes to y in editions that paste into sections. The originals of its
    // pictures are copied from sourceFolder (empty: the page's own folder).
    virtual SKTGraphic *duplicateTable(SKTDocument &, SKTTable &, int32_t, const QString &) { return nullptr; }
    // The section under rect, and the cell rectangle of a section under a point.
    virtual SKTGraphic *grabOverLappingSection(SKTDocument &, const QRectF &) { return nullptr; }
    virtual QRectF grabOverLappingSectionCell(SKTDocument &, const QPointF &) { return QRectF(); }
    // The section nearest the front with a cell under the point, and that
    // cell's row and column; no section when no cell holds the point.
    struct SectionCell {
        SKTTable *section = nullptr;
        int32_t row = -1;
        int32_t column = -1;
    };
    virtual SectionCell sectionCellAt(SKTDocument &, const QPointF &) { return {}; }
    virtual void applySection(SKTDocument &, SKTGraphic &, const QPointF &) {}
    // The graphics that must be deleted with the selection (a label's radio button).
    virtual QList<SKTGraphic *> fetchAllPartnerViews(SKTDocument &, const QList<SKTGraphic *> &) { return {}; }
    // Decides what happens to selected sections that hold graphics on
    // delete: for each, "Delete All" adds its graphics, "Skip Sections" keeps
    // it. Calls done with the final list of graphics to delete.
    virtual void checkForSelectedSections(SKTDocument &document, const QList<SKTGraphic *> &selection,
                                          const std::function<void(QList<SKTGraphic *>)> &done);
    // A palette code name of the drop table whose action is an insertion
    // operation (a section, a table, a navigation bar, a form field, a
    // snippet, a background panel ...), dropped at the point.
    virtual bool insertCodeName(SKTDocument &, const DropCodeName &, const QPointF &) { return false; }
    // Copies a pasted image's original file (oldName) from the source page
    // folder into the page's folder as newName.
    virtual void makeCopyOfOriginalImage(const QString &, const QString &, const QString &) {}
    // Top-left corner of the visible part of the canvas; none when the
    // canvas is not inside a scroll view.
    virtual std::optional<QPointF> visibleOrigin() const { return std::nullopt; }
    // The section half of the canvas's environment (sections pushed down,
    // objects re-aligned to their cells, image names); null: the canvas
    // answers from the page alone.
    virtual GraphicEnvironment *sectionEnvironment() { return nullptr; }
};
