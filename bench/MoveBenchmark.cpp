// Moving a selection of 500 graphics on pages of 1,000 and 5,000 graphics.
// The time should grow with the page only linearly (the window's answers come
// from a spatial index and per-call caches), not with selection x page.
#include "BenchSummary.h"
#include "config/EditionSettings.h"
#include "model/GraphicEnvironment.h"
#include "model/GraphicOwner.h"
#include "model/GraphicSpatialIndex.h"
#include "model/SKTGraphic.h"

#include <QCoreApplication>
#include <QHash>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <memory>
#include <vector>

namespace {
class BenchSection : public SKTGraphic {
public:
    QString gridType() const override { return QStringLiteral("section"); }
};

// A page as the canvas would keep it: graphics, an index of their bounds kept
// up to date through the owner notifications, sections by number.
class BenchPage : public GraphicEnvironment, public GraphicOwner {
public:
    explicit BenchPage(int count)
    {
        const int columns = 50;
        const int rowsPerSection = 10;
        const int rows = (count + columns - 1) / columns;
        for (int s = 0; s * rowsPerSection < rows; ++s) {
            auto section = std::make_unique<BenchSection>();
            section->setSectionNumber(s);
            section->setSelectable(true);
            section->setBounds(QRectF(0, s * rowsPerSection * 30.0 - 5, columns * 30.0 + 10, rowsPerSection * 30.0 + 10));
            sectionsByNumber.insert(s, section.get());
            graphics.push_back(std::move(section));
        }
        for (int i = 0; i < count; ++i) {
            auto g = std::make_unique<SKTGraphic>();
            const int row = i / columns;
            g->setBounds(QRectF((i % columns) * 30.0, row * 30.0, 20, 20));
            g->setSelectable(true);
            g->setSectionNumber(row / rowsPerSection);
            members[row / rowsPerSection].append(g.get());
            graphics.push_back(std::move(g));
        }
        for (auto &g : graphics) {
            g->setOwner(this);
            index.insert(g.get());
        }
    }

    QList<SKTGraphic *> selection(int count) const
    {
        QList<SKTGraphic *> picked;
        const int step = std::max<int>(1, int(graphics.size() - sectionsByNumber.size()) / count);
        for (size_t i = sectionsByNumber.size(); i < graphics.size() && picked.size() < count; i += step)
            picked.append(graphics[i].get());
        return picked;
    }

    void graphicAttributeChanged(SKTGraphic &graphic, const QString &key, const QVariant &) override
    {
        if (key == QLatin1String("bounds"))
            index.update(&graphic);
    }

    bool isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect) override
    {
        for (SKTGraphic *g : index.graphicsIntersecting(rect, &graphic)) {
            if (!g->isSection())
                return true;
        }
        return false;
    }
    bool isThereGraphicAtRect(const QRectF &rect) override { return isThereGraphicAtNewLocation(SKTGraphic(), rect); }
    SKTGraphic *grabMySection(int32_t number) override { return sectionsByNumber.value(number); }
    QList<SKTGraphic *> findObjectsInSection(SKTGraphic &section) override { return members.value(section.sectionNumber()); }
    SKTGraphic *grabTopMostObjectInSection(SKTGraphic &) override { return nullptr; }
    SKTGraphic *grabBottomMostObjectInSection(SKTGraphic &) override { return nullptr; }
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF &) override {}
    void identifyAndPushSectionsDownwardByDifference(const QRectF &) override {}
    void reAlignSectionObjects(SKTGraphic &) override {}
    SKTGraphic *isObjectStillInSameSectionGrid(SKTGraphic &graphic, const QPointF &) override { return &graphic; }
    void reAlignFormOptions() override
    {
        // Walks the page once, as realigning the form fields does.
        int fields = 0;
        for (const auto &g : graphics)
            fields += g->formType().isEmpty() ? 0 : 1;
        benchmark::DoNotOptimize(fields);
    }

    std::vector<std::unique_ptr<SKTGraphic>> graphics;
    QHash<int32_t, SKTGraphic *> sectionsByNumber;
    QHash<int32_t, QList<SKTGraphic *>> members;
    GraphicSpatialIndex index;
};

void moveSelection(benchmark::State &state, bool responsive)
{
    EditionSettings::resetToInitialState();
    gResponsiveEdition = responsive;
    gPreventOverlap = responsive;
    BenchPage page(int(state.range(0)));
    GraphicEnvironment::setCurrent(&page);
    const QList<SKTGraphic *> selection = page.selection(500);
    double dy = 1;
    for (auto _ : state) {
        SKTGraphic::translateGraphics(selection, 1, dy);
        dy = -dy;
    }
    GraphicEnvironment::setCurrent(nullptr);
    EditionSettings::resetToInitialState();
    state.SetComplexityN(state.range(0));
}

void BM_MoveSelection(benchmark::State &state) { moveSelection(state, false); }
void BM_MoveSelectionPreventingOverlap(benchmark::State &state) { moveSelection(state, true); }
} // namespace

BENCHMARK(BM_MoveSelection)->Arg(1000)->Arg(5000)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MoveSelectionPreventingOverlap)->Arg(1000)->Arg(5000)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // the delayed overlap repairs need timers
    benchmark::Initialize(&argc, argv);
    benchsummary::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nmoving 500 selected, median per move (target: 5,000 / 1,000 at most 5.5, linear in the page)\n");
    for (const char *name : {"BM_MoveSelection", "BM_MoveSelectionPreventingOverlap"}) {
        const double small = reporter.at(std::string(name) + "/1000");
        const double large = reporter.at(std::string(name) + "/5000");
        if (small <= 0 || large <= 0)
            continue;  // left out by --benchmark_filter
        const double ratio = large / small;
        std::printf("%-36s 1,000 %10.1f ns   5,000 %10.1f ns   %.2fx  %s\n", name, small, large, ratio,
                    benchsummary::verdict(ratio <= 5.5));
    }
    return 0;
}
