// A text swatch colour and then the opacity action over 100 and 1,000
// selected graphics (half text boxes, half 3 x 3 tables), beside the floor of
// the same calls made straight on the graphics in one undo group. Targets:
// from 100 to 1,000 at most 11 times slower; each within 2 times of the floor.
#include "SelectionBench.h"
#include "document/SKTDocument.h"
#include "sidebar/ColorPicking.h"
#include "sidebar/SidebarActions.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
using bench::PageSelection;
using bench::medianMicroseconds;

std::shared_ptr<SKTTable> table3x3(double x, double y)
{
    auto table = std::make_shared<SKTTable>();
    QList<SKTTable::Cell> cells;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            auto cell = std::make_shared<myTextView>();
            cell->rowSpot = r;
            cell->columnSpot = c;
            cell->width = 20;
            cell->height = 10;
            cells.append(cell);
        }
    table->setCellHelperArray(cells);
    table->setNumOfRows(3);
    table->setNumOfColumns(3);
    table->SKTGraphic::setBounds(QRectF(x, y, 60, 30));
    table->refreshLayout();
    return table;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    SKTDocument doc;
    doc.undoManager().setLevelsOfUndo(20);
    QList<std::shared_ptr<SKTGraphic>> graphics;
    QList<qsizetype> indexes;
    for (int i = 0; i < 1000; ++i) {
        const double x = (i % 25) * 70.0, y = (i / 25) * 40.0;
        if (i % 2) {
            graphics.append(table3x3(x, y));
        } else {
            auto t = std::make_shared<SKTText>();
            t->setBounds(QRectF(x, y, 60, 30));
            t->setTextString(QStringLiteral("Some words"));
            graphics.append(t);
        }
        indexes.append(i);
    }
    doc.insertGraphics(graphics, indexes);
    doc.undoManager().closeAutomaticGroup();
    PageSelection selection(doc);
    InspectorActions actions(selection);

    struct Result {
        double edit, floor;
    };
    const auto measure = [&](int count) {
        selection.m_selected.clear();
        // Half text boxes (even places), half tables (odd places), spread over the page.
        const int stride = 1000 / count;
        for (int i = 0; i < count; ++i)
            selection.m_selected.append(graphics[(i / 2) * 2 * stride + (i % 2)].get());
        Result r{};
        bool flip = false;
        r.edit = medianMicroseconds(
            [&] {
                flip = !flip;
                ColorPicking::pickedAColor(selection, ColorTarget::Text, flip ? QStringLiteral("336699") : QStringLiteral("993366"));
                actions.updateOpacity();
            },
            21);
        UndoManager &undo = doc.undoManager();
        r.floor = medianMicroseconds(
            [&] {
                flip = !flip;
                const QString hex = flip ? QStringLiteral("336699") : QStringLiteral("993366");
                const QColor colour(QStringLiteral("#") + hex);
                undo.beginUndoGrouping();
                for (SKTGraphic *g : selection.m_selected) {
                    g->setFontColor(colour);
                    g->setTextHexColorString(hex);
                    if (auto *text = dynamic_cast<SKTText *>(g)) {
                        text->refreshStyle();
                        g->refreshSelectedColors();
                        text->refreshStyle();
                    } else if (auto *table = dynamic_cast<SKTTable *>(g)) {
                        table->updateTextColor();
                        g->refreshSelectedColors();
                        table->updateOpacity();
                    }
                }
                undo.endUndoGrouping();
                undo.closeAutomaticGroup();
            },
            21);
        return r;
    };
    const Result small = measure(100);
    const Result large = measure(1000);
    bench::printHeader(32);
    bench::printGrowthRow(32, "text swatch + updateOpacity", small.edit, large.edit);
    bench::printGrowthRow(32, "floor: same calls in a group", small.floor, large.floor);
    bench::printOverFloorRow(32, "edit / floor", small.edit / small.floor, large.edit / large.floor);
    return 0;
}
