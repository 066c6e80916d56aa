#include "insertion/TableMakers.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/CompositeMakers.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/SectionOperations.h"
#include "insertion/TableGridEditing.h"
#include "model/SKTTable.h"

#include <cmath>

namespace {
int32_t whole(double v) { return int32_t(std::trunc(v)); }

GraphicProperties tableProperties(const QRectF &rect, int columns, int rows, const QString &padding,
                                  const QString &borderStyle, const QString &borderWidth,
                                  const QList<TableGridEditing::Cell> &cells, bool withImages)
{
    GraphicProperties p = CompositeMakers::gridProperties(rect, QStringLiteral("table"), columns, rows, padding,
                                                          borderStyle, borderWidth, QStringLiteral("000000"), cells);
    if (withImages)
        p.setList(QStringLiteral("imageArray"), {});
    return p;
}
} // namespace

QString TableMakers::stripText()
{
    return QStringLiteral("Jane Doe 123-456-7890");
}

std::shared_ptr<SKTTable> TableMakers::addTable()
{
    const QPointF p = m_frame.calculateOriginPoint();
    return addTable_drag(QPointF(std::trunc(p.x()), std::trunc(p.y())));
}

std::shared_ptr<SKTTable> TableMakers::addTable_drag(const QPointF &point)
{
    QList<TableGridEditing::Cell> cells;
    for (int c = 0; c < 4; ++c) {
        auto cell = TableGridEditing::createNewTableCell();
        cell->columnSpot = c;
        cell->width = 200;
        cell->height = 100;
        // The size the cell is drawn and written in, its text's too.
        cell->fontSize = 25;
        cell->textView.fontPointSize = 25;
        cells.append(cell);
    }
    QRectF rect(whole(point.x()), whole(point.y()), 800, 100);
    if (gResponsiveEdition)
        rect = m_frame.grabSectionRect(point, QRectF(point.x(), point.y(), 1000, 100));
    auto table = std::dynamic_pointer_cast<SKTTable>(InsertionFrame::makeGraphic(
        QStringLiteral("SKTTable"), tableProperties(rect, 4, 1, QStringLiteral("5"), QStringLiteral("solid"),
                                                    QStringLiteral("1"), cells, true)));
    if (!table)
        return {};
    if (gResponsiveEdition)
        m_frame.applySection(rect.topLeft(), *table);
    InsertionStep step(m_frame.document(), QStringLiteral("Add Table"));
    m_frame.insertAtFront(table);
    return table;
}

std::shared_ptr<SKTTable> TableMakers::addTable_Responsive(const QStringList &spans, int n, const QPointF &point)
{
    if (n < 1 || spans.size() < n)
        return {};
    int total = 0;
    for (const QString &span : spans)
        total += span.toInt();
    if (total <= 0)
        return {};
    InsertionStep step(m_frame.document(), QStringLiteral("Add Table"));
    // A page that has not said its width yet takes the widest table.
    const int32_t pageWidth = m_frame.document().docSpecificPageWidth;
    const double w = pageWidth > 0 ? std::min(pageWidth, 1000) : 1000;
    QRectF rect(point.x(), point.y(), w, 100);
    if (gResponsiveEdition) {
        rect = m_frame.grabSectionRect(point, rect);
        SectionOperations(m_frame.context()).shiftObjectsInSection(point, rect);
    }
    const float unit = float(rect.width()) / float(total);
    QList<TableGridEditing::Cell> cells;
    for (int i = 0; i < n; ++i) {
        auto cell = TableGridEditing::createNewTableCell();
        cell->columnSpot = i;
        cell->width = int32_t(float(spans[i].toInt()) * unit);
        cell->height = 100;
        cell->textView.borderLine = gResponsiveEdition ? QStringLiteral("none") : QStringLiteral("solid");
        cell->fontSize = 28;
        cell->textView.fontPointSize = 28;
        cell->verticalAlignment = 1;
        cells.append(cell);
    }
    if (!gResponsiveEdition)
        rect = QRectF(whole(point.x()), whole(point.y()), whole(w), 100);
    GraphicProperties p = tableProperties(rect, n, 1, QStringLiteral("0"),
                                          gResponsiveEdition ? QStringLiteral("none") : QStringLiteral("solid"),
                                          QStringLiteral("15"), cells, true);
    for (const char *key : {"topPaddingType", "bottomPaddingType", "leftPaddingType", "rightPaddingType",
                            "topMarginType", "bottomMarginType", "leftMarginType", "rightMarginType"})
        p.setString(QString::fromLatin1(key), QStringLiteral("pixel"));
    auto table = std::dynamic_pointer_cast<SKTTable>(InsertionFrame::makeGraphic(QStringLiteral("SKTTable"), p));
    if (!table)
        return {};
    if (gResponsiveEdition)
        m_frame.applySection(rect.topLeft(), *table);
    m_frame.insertAtFront(table);
    return table;
}

std::shared_ptr<SKTTable> TableMakers::addStrip(const QPointF &point, bool dark)
{
    QList<TableGridEditing::Cell> cells;
    for (int i = 0; i < 12; ++i) {
        auto cell = TableGridEditing::createNewTableCell();
        cell->textStorage = cell->textView.string = stripText();
        cell->rowSpot = i;
        cell->textView.fontPointSize = 28;
        cell->fontSize = 28;
        cell->textView.borderLine = QStringLiteral("dashed");
        cell->textAlignment = QStringLiteral("center");
        cell->verticalAlignment = 1;
        if (dark) {
            cell->textColorString = cell->textHexColorString = QStringLiteral("FFFFFF");
            cell->colorString = cell->backgroundHexColorString = QStringLiteral("555555");
        }
        cells.append(cell);
    }
    GraphicProperties p = tableProperties(QRectF(whole(point.x()), whole(point.y()), 300, 1000), 1, 12,
                                          QStringLiteral("0"), QStringLiteral("solid"), QStringLiteral("1"), cells,
                                          false);
    p.setString(QStringLiteral("fontSize"), QStringLiteral("28"));
    p.setString(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    auto table = std::dynamic_pointer_cast<SKTTable>(InsertionFrame::makeGraphic(QStringLiteral("SKTTable"), p));
    if (!table)
        return {};
    InsertionStep step(m_frame.document(), QStringLiteral("Add Table"));
    m_frame.insertAtFront(table);
    return table;
}

std::shared_ptr<SKTTable> TableMakers::addTable_Strip(const QPointF &point) { return addStrip(point, false); }
std::shared_ptr<SKTTable> TableMakers::addTable_Strip2(const QPointF &point) { return addStrip(point, true); }

std::shared_ptr<SKTTable> TableMakers::addTable_multiColumnWidth_drag(const QPointF &point)
{
    QList<TableGridEditing::Cell> cells;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 2; ++c) {
            auto cell = CompositeMakers::compositeCell(QStringLiteral("abc"), r, c);
            cell->width = c == 0 ? 300 : 100;
            cell->fixedWidthFlag = c == 1 ? 1 : 0;
            cell->height = 50;
            cell->textView.fontName = QStringLiteral("Helvetica Neue");
            cell->textView.fontPointSize = 25;
            cell->fontSize = 25;
            cell->verticalAlignment = 1;
            cells.append(cell);
        }
    auto table = std::dynamic_pointer_cast<SKTTable>(InsertionFrame::makeGraphic(
        QStringLiteral("SKTTable"),
        tableProperties(QRectF(whole(point.x()), whole(point.y()), 415, 280), 2, 5, QStringLiteral("5"),
                        QStringLiteral("solid"), QStringLiteral("1"), cells, false)));
    if (!table)
        return {};
    InsertionStep step(m_frame.document(), QStringLiteral("Add Table"));
    m_frame.insertAtFront(table);
    return table;
}
