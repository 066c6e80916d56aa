// The inspector on a page of 5,000 graphics: showing a selection of 100 and
// then 1,000 graphics (every bound value or mixed state), and changing their
// opacity as a typed field edit does, beside the floor of setting the value
// on the same graphics in one undo group. Each should be one linear pass:
// from 100 to 1,000 at most 11 times slower, and the edit with its refresh
// within 2 times of the floor.
#include "SelectionBench.h"
#include "document/SKTDocument.h"
#include "sidebar/SidebarBindings.h"
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
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    SKTDocument doc;
    doc.undoManager().setLevelsOfUndo(20);
    QList<std::shared_ptr<SKTGraphic>> graphics;
    QList<qsizetype> indexes;
    for (int i = 0; i < 5000; ++i) {
        auto t = std::make_shared<SKTText>();
        t->setBounds(QRectF((i % 50) * 30.0, (i / 50) * 30.0, 20, 20));
        t->setOpacity(i % 3 ? 1.0 : 0.5);
        t->setFontSize(12 + i % 2);
        graphics.append(t);
        indexes.append(i);
    }
    doc.insertGraphics(graphics, indexes);
    doc.undoManager().closeAutomaticGroup();

    PageSelection selection(doc);
    InspectorBindings bindings(selection);
    bindings.setObserver([](const QString &, const ControlDisplay &d) { benchmark::DoNotOptimize(d); });

    struct Result {
        double show, change, floor;
    };
    const auto measure = [&](int count) {
        selection.m_selected.clear();
        for (int i = 0; i < count; ++i)
            selection.m_selected.append(graphics[i * (5000 / count)].get());
        Result r{};
        r.show = medianMicroseconds([&] { bindings.restoreBinding(); }, 41);
        bool flip = false;
        r.change = medianMicroseconds(
            [&] {
                flip = !flip;
                bindings.edit(QStringLiteral("opacityTextField"), flip ? QStringLiteral("0.3") : QStringLiteral("0.6"));
            },
            41);
        UndoManager &undo = doc.undoManager();
        r.floor = medianMicroseconds(
            [&] {
                flip = !flip;
                undo.beginUndoGrouping();
                for (SKTGraphic *g : selection.m_selected)
                    g->setValue(QStringLiteral("opacity"), flip ? 0.3 : 0.6);
                undo.endUndoGrouping();
                undo.closeAutomaticGroup();
            },
            41);
        return r;
    };
    const Result small = measure(100);
    const Result large = measure(1000);
    bench::printHeader(28);
    bench::printGrowthRow(28, "show selection", small.show, large.show);
    bench::printGrowthRow(28, "change opacity + refresh", small.change, large.change);
    bench::printGrowthRow(28, "floor: setValue in a group", small.floor, large.floor);
    bench::printOverFloorRow(28, "change / floor", small.change / small.floor, large.change / large.floor);
    return 0;
}
