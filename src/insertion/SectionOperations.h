#pragma once
// The operations that keep page sections and their contents consistent:
// pushing lower sections down, making room in a cell, re-aligning a
// section's objects to their cells, moving an object to the section it was
// dragged into, the look-ups of sections, cells and objects, the free-spot
// tests and the next section number. Every look-up is one pass over the
// page's graphics; none sorts the page. Moves go through the graphics'
// setters, so the document records them for undo.
#include "insertion/InsertionFrame.h"
#include "model/myTextView.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <memory>

class SectionOperations {
public:
    explicit SectionOperations(InsertionContext &context) : m_frame(context) {}

    SKTGraphic *grabOverLappingSection(const QRectF &rect);
    void identifyAndPushSectionsDownward(const QRectF &rect);
    void identifyAndPushSectionsDownwardByDifference(const QRectF &rect) { identifyAndPushSectionsDownward(rect); }
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect);
    void pushSectionObjectsDown(int32_t sectionNumber, int32_t distance);
    void shiftObjectsInSection(const QPointF &point, const QRectF &rect);
    void reAlignSectionObjects(SKTGraphic &section);
    // Moved to the cell under the point when that is another cell than its
    // own: the graphic takes the cell, the section is laid out again, the
    // graphic goes below whatever it would cover there, and the section grows
    // to hold it.
    SKTGraphic *isObjectStillInSameSectionGrid(const QPointF &point, SKTGraphic &graphic);
    // A section is at least as tall as what its cells hold (with the 2 px a
    // member keeps from the content's bottom edge); when it has to grow, it
    // leaves room below for one more object, and pushes the sections below
    // it down with their contents when it would reach them.
    void growToHoldContents(SKTGraphic &section);
    // After a graphic joined a section: that section grows to hold it.
    void growSectionOf(const SKTGraphic &graphic);
    std::shared_ptr<myTextView> grabOverLappingSectionCellView(const QPointF &point);
    SKTGraphic *grabMySection(int32_t sectionNumber);
    QList<SKTGraphic *> findObjectsInSection(SKTGraphic &section);
    QList<SKTGraphic *> findObjectsInSectionCell(const myTextView &cell);
    SKTGraphic *grabTopMostObjectInSection(SKTGraphic &section);
    SKTGraphic *grabBottomMostObjectInSection(SKTGraphic &section);
    bool isThereGraphicAtRect(const QRectF &rect);
    bool isThereGraphicAtRect_includingSection(const QRectF &rect);
    bool isThereGraphicAtPoint(const QPointF &point);
    bool isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect);
    // One above the highest sectionNumber of any graphic; 1 on an empty page.
    int32_t findNextSectionNumber();
    static bool showSectionEditorFlag() { return false; }

    InsertionFrame &frame() { return m_frame; }

private:
    void placeClearOfOthers(SKTGraphic &graphic);
    void layOutCell(const QList<SKTGraphic *> &members, const QRectF &cell);
    void pushDown(const QRectF &rect, SKTGraphic &section, int32_t distance);
    InsertionFrame m_frame;
};
