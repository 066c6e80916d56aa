// Canvas commands on pages of 1,000 and 5,000 graphics with 500 selected:
// bring to front, send to back, align left edges and lock, each beside its
// undo. The summary prints the median of each, the ratio from 1,000 to 5,000
// and the goal: at most 5.5x (linear in the page).
#include "BenchSummary.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
std::map<std::string, std::vector<double>> gSamples;

struct Page {
    std::unique_ptr<SKTDocument> document = std::make_unique<SKTDocument>();
    std::unique_ptr<SKTGraphicView> view = std::make_unique<SKTGraphicView>();
    explicit Page(int count)
    {
        QList<std::shared_ptr<SKTGraphic>> list;
        for (int i = 0; i < count; ++i) {
            auto t = std::make_shared<SKTText>();
            t->setBounds(QRectF(i * 7 % 1100, i * 13 % (count * 3), 60, 30));
            t->setSelectable(true);
            t->setGroupNumber(-99);
            list.append(t);
        }
        document->setGraphics(list);
        view->setDocument(document.get());
        QList<SKTGraphic *> chosen;
        const QList<SKTGraphic *> all = view->graphics();
        for (int i = 0; i < 500; ++i)
            chosen.append(all[qsizetype(i) * count / 500]);
        view->setSelectedGraphics(chosen);
        view->contextMenuAt(chosen.first()->bounds().center());
    }
};

void run(benchmark::State &state, const char *name, void (SKTGraphicView::*command)(), bool timeUndo)
{
    Page page(int(state.range(0)));
    const std::string key = std::string(name) + (timeUndo ? " undo" : "") + "/" + std::to_string(state.range(0));
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!timeUndo)
            (page.view.get()->*command)();
        page.document->undoManager().closeAutomaticGroup();
        const qint64 commandNs = timer.nsecsElapsed();
        timer.restart();
        page.view->undo();
        const qint64 undoNs = timer.nsecsElapsed();
        if (timeUndo) {
            // The command ran untimed before; time only the undo of it.
            (page.view.get()->*command)();
            page.document->undoManager().closeAutomaticGroup();
            timer.restart();
            page.view->undo();
        }
        const double ns = timeUndo ? double(timer.nsecsElapsed()) : double(commandNs);
        (void)undoNs;
        state.SetIterationTime(ns / 1e9);
        gSamples[key].push_back(ns / 1e6);
    }
}

#define ZOV_ARRANGE_BENCH(NAME, COMMAND) \
    void NAME(benchmark::State &s) { run(s, #NAME, &SKTGraphicView::COMMAND, false); } \
    void NAME##Undo(benchmark::State &s) { run(s, #NAME, &SKTGraphicView::COMMAND, true); } \
    BENCHMARK(NAME)->Arg(1000)->Arg(5000)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond); \
    BENCHMARK(NAME##Undo)->Arg(1000)->Arg(5000)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

ZOV_ARRANGE_BENCH(BringToFront, bringToFront)
ZOV_ARRANGE_BENCH(SendToBack, sendToBack)
ZOV_ARRANGE_BENCH(AlignLeftEdges, alignLeftEdges)
ZOV_ARRANGE_BENCH(Lock, lockObjects)

using benchsummary::median;
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    EditionSettings::resetToInitialState();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\n%-24s %12s %12s %8s %8s\n", "command", "1000 (ms)", "5000 (ms)", "ratio", "goal");
    bool allMet = true;
    for (const char *name : {"BringToFront", "BringToFront undo", "SendToBack", "SendToBack undo", "AlignLeftEdges",
                             "AlignLeftEdges undo", "Lock", "Lock undo"}) {
        const double small = median(gSamples[std::string(name) + "/1000"]);
        const double large = median(gSamples[std::string(name) + "/5000"]);
        const double ratio = small > 0 ? large / small : 0.0;
        const bool met = ratio > 0 && ratio <= 5.5;
        allMet = allMet && met;
        std::printf("%-24s %12.3f %12.3f %8.2f %8s %s\n", name, small, large, ratio, "<= 5.5", benchsummary::verdict(met));
    }
    std::printf("every goal: %s\n", benchsummary::verdict(allMet));
    return 0;
}
