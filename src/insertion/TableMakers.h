#pragma once
// The makers of plain tables: the table of the Insert menu and the palette,
// a responsive row of columns on the 12-column grid, the two tear-off
// strips for flyers, and a two-column table with a fixed narrow column.
// Each insertion is one named undo step.
#include <QPointF>
#include <QStringList>
#include <memory>

class InsertionFrame;
class SKTTable;

class TableMakers {
public:
    explicit TableMakers(InsertionFrame &frame) : m_frame(frame) {}

    // The menu command: addTable_drag at the insertion point.
    std::shared_ptr<SKTTable> addTable();
    std::shared_ptr<SKTTable> addTable_drag(const QPointF &point);
    // Null when the spans are fewer than n or add up to nothing.
    std::shared_ptr<SKTTable> addTable_Responsive(const QStringList &spans, int n, const QPointF &point);
    std::shared_ptr<SKTTable> addTable_Strip(const QPointF &point);
    std::shared_ptr<SKTTable> addTable_Strip2(const QPointF &point);
    std::shared_ptr<SKTTable> addTable_multiColumnWidth_drag(const QPointF &point);

    // The sample contact line of the tear-off strips.
    static QString stripText();

private:
    std::shared_ptr<SKTTable> addStrip(const QPointF &point, bool dark);
    InsertionFrame &m_frame;
};
