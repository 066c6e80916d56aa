#pragma once
// The frame every maker shares: the insertion point of menu commands, the
// section cell under a point and the fitting of a new object into it, the
// section placement, and the insertion of a built graphic in front of the
// page (or behind it, for a new page section) through the document, which
// records the undo. Also the page's next free group number and form tag.
#include "model/GraphicProperties.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <memory>

class InsertionContext;
class SKTDocument;
class SKTGraphic;
class SKTTable;

class InsertionFrame {
public:
    explicit InsertionFrame(InsertionContext &context) : m_context(context) {}

    InsertionContext &context() { return m_context; }
    SKTDocument &document();

    // Where a menu command inserts: 100 right of and 30 below the visible
    // corner of the canvas ((100, 30) without a scroll view); with the user
    // default "InsertNewAtEndFlag", 30 below the lowest object of the page.
    QPointF calculateOriginPoint();
    // calculateOriginPoint with whole coordinates, as the menu wrappers pass it.
    QPointF menuPoint();

    // The section (gridType "section" or "sectionTemplate") nearest the front
    // whose cell holds the whole-number point, with that cell's row and column.
    struct SectionHit {
        SKTTable *section = nullptr;
        int32_t row = -99;
        int32_t column = -99;
    };
    SectionHit sectionCellAt(const QPointF &point);
    // The cell rectangle under the point (insets taken off in responsive
    // editions); a null rectangle when no cell holds it. A hit becomes the
    // context's selectedTable.
    QRectF grabOverLappingSectionCell(const QPointF &point);
    // The rectangle moved to the cell's left edge and width at the point's y,
    // its own height kept; unchanged when no cell holds the point.
    QRectF grabSectionRect(const QPointF &point, const QRectF &rect);
    // Stamps the section, row and column of the cell under the point on the
    // graphic; false (and the graphic untouched) when there is none.
    bool applySection(const QPointF &point, SKTGraphic &graphic);

    // A graphic of the class built from the dictionary; null for an unknown class.
    static std::shared_ptr<SKTGraphic> makeGraphic(const QString &className, const GraphicProperties &properties);
    // Inserts at index 0 (front-most) through the document.
    void insertAtFront(const std::shared_ptr<SKTGraphic> &graphic);
    // Appends behind everything (new page sections).
    void insertAtBack(const std::shared_ptr<SKTGraphic> &graphic);

    // In responsive editions, the section the graphic belongs to grows to
    // hold it, pushing lower sections down.
    void growSectionToHold(const SKTGraphic &graphic);

    // One above the highest groupNumber of the page; 1 on an empty page.
    static int32_t findNextGroupNumber(const SKTDocument &document);
    // One above the highest formTag (at least 0) of the page's plain texts;
    // 1 when there are none.
    static int32_t findNextFormTag(const SKTDocument &document);

    static bool isSection(const SKTGraphic &graphic);

private:
    InsertionContext &m_context;
};
