// Full redraws of mixed scenes into a 1200 x 3000 picture and hit tests of
// 10,000 points, for 1,000 and 2,000 graphics. Filling the picture once is
// the floor a redraw is measured against. After the Google Benchmark runs,
// a summary prints the medians and checks that doubling the graphics at most
// doubles the time (with 10 % slack).
#include "BenchSummary.h"
#include "model/GraphicRenderer.h"
#include "model/SKTCircle.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTRectangle.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr QSize kCanvas(1200, 3000);

struct Scene {
    std::vector<std::unique_ptr<SKTGraphic>> owned;
    QList<SKTGraphic *> graphics;
    QList<QPointF> probes;
};

QImage samplePicture()
{
    QImage picture(64, 48, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&picture);
    p.fillRect(picture.rect(), QColor(30, 120, 200));
    p.fillRect(QRect(8, 8, 24, 16), QColor(240, 200, 40));
    return picture;
}

std::unique_ptr<SKTTable> makeTable(int rows, int columns, int cellWidth, int cellHeight)
{
    auto table = std::make_unique<SKTTable>();
    QList<SKTTable::Cell> cells;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto cell = std::make_shared<myTextView>();
            cell->rowSpot = r;
            cell->columnSpot = c;
            cell->width = cellWidth;
            cell->height = cellHeight;
            cell->backgroundHexColorString = (r + c) % 2 ? QStringLiteral("EEEEEE") : QStringLiteral("CLEAR0");
            cell->borderHexColorString = QStringLiteral("333333");
            cell->textStorage = QStringLiteral("%1").arg(r * columns + c);
            cell->familyName = QStringLiteral("DejaVu Sans");
            cell->fontSize = 10;
            cell->lineSpacing = 1.2f;
            cell->alphaValue = 1.0f;
            cells.append(cell);
        }
    }
    table->setCellHelperArray(cells);
    table->setNumOfRows(rows);
    table->setNumOfColumns(columns);
    table->setPadding(1);
    table->setBorderWidth(1);
    table->setBorderStyle(QStringLiteral("solid"));
    table->setBounds(QRectF(0, 0, columns * (cellWidth + 2) + 2, rows * (cellHeight + 2) + 2));
    return table;
}

Scene makeScene(int count)
{
    Scene scene;
    QRandomGenerator random(4242);
    const QImage picture = samplePicture();
    for (int i = 0; i < count; ++i) {
        const QRectF bounds(random.bounded(1100), random.bounded(2920), 40 + random.bounded(120),
                            30 + random.bounded(70));
        std::unique_ptr<SKTGraphic> graphic;
        switch (i % 6) {
        case 0: {
            auto text = std::make_unique<SKTText>();
            text->setTextString(QStringLiteral("Text box %1 with a few words to wrap").arg(i));
            text->setFontFamily(QStringLiteral("DejaVu Sans"));
            text->setFontSize(13);
            text->setLineSpacing(1.25f);
            text->setFontColor(Qt::black);
            text->setDrawingFill(true);
            text->setFillColor(QColor(250, 250, 220));
            graphic = std::move(text);
            break;
        }
        case 1: {
            auto image = std::make_unique<SKTImage>();
            image->setInputImage(picture);
            image->setContents(picture);
            image->setShadowFlag(i % 10 == 1 ? 1 : 0);
            graphic = std::move(image);
            break;
        }
        case 2: {
            auto rect = std::make_unique<SKTRectangle>();
            rect->setDrawingFill(true);
            rect->setFillColor(QColor(200, 60, 60));
            rect->setCornerRadius(6);
            graphic = std::move(rect);
            break;
        }
        case 3: {
            auto circle = std::make_unique<SKTCircle>();
            circle->setDrawingFill(true);
            circle->setFillColor(QColor(60, 160, 60));
            graphic = std::move(circle);
            break;
        }
        case 4: {
            graphic = makeTable(2, 3, 40, 20);
            break;
        }
        default: {
            auto line = std::make_unique<SKTLine>();
            line->setBorderStyle(QStringLiteral("solid"));
            line->setBorderWidth(2);
            line->setBorderColor(Qt::black);
            line->setDrawEndArrow(true);
            line->setBeginPoint(bounds.topLeft());
            line->setEndPoint(bounds.bottomRight());
            scene.graphics.append(line.get());
            scene.owned.push_back(std::move(line));
            continue;
        }
        }
        graphic->setBounds(bounds);
        scene.graphics.append(graphic.get());
        scene.owned.push_back(std::move(graphic));
    }
    for (int i = 0; i < 10000; ++i)
        scene.probes.append(QPointF(random.bounded(kCanvas.width()), random.bounded(kCanvas.height())));
    return scene;
}

void redraw(const Scene &scene, QImage &target)
{
    target.fill(Qt::white);
    QPainter painter(&target);
    GraphicRenderer::render(painter, scene.graphics, GraphicRenderer::paperOptions());
}

int hitTest(const Scene &scene)
{
    int hits = 0;
    for (const QPointF &point : scene.probes)
        hits += GraphicRenderer::graphicAt(scene.graphics, point) ? 1 : 0;
    return hits;
}

void BM_FillOnce(benchmark::State &state)
{
    QImage target(kCanvas, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        target.fill(Qt::white);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_Redraw(benchmark::State &state)
{
    const Scene scene = makeScene(int(state.range(0)));
    QImage target(kCanvas, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        redraw(scene, target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_HitTest(benchmark::State &state)
{
    const Scene scene = makeScene(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(hitTest(scene));
}

// One table of n x n cells: laying it out, drawing it and finding the cell
// under every cell's centre; linear in the cells.
void BM_TableCells(benchmark::State &state)
{
    const int n = int(state.range(0));
    auto table = makeTable(n, n, 20, 12);
    QImage target(QSize(n * 22 + 10, n * 14 + 10), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        target.fill(Qt::white);
        QPainter painter(&target);
        GraphicRenderer::render(painter, {table.get()}, GraphicRenderer::paperOptions());
        benchmark::DoNotOptimize(table->spotAt(n * 11, n * 7));
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}

BENCHMARK(BM_FillOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Redraw)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTest)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableCells)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);

// Two kinds of work measured in alternation, so that a change in the
// machine's load falls on both alike. Besides the medians of each, the median
// of the ratios of each pair: a burst of load during one pair moves one ratio,
// not the result.
struct Paired {
    double first = 0, second = 0, ratio = 0;
};

using benchsummary::median;

template <typename A, typename B>
Paired pairedMediansMs(int runs, A &&first, B &&second)
{
    // One untimed round first: caches, glyphs and shadow layers warm up.
    first();
    second();
    std::vector<double> a, b, ratios;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        first();
        a.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        second();
        b.push_back(double(timer.nsecsElapsed()) / 1e6);
        ratios.push_back(b.back() / std::max(a.back(), 1e-6));
    }
    return {median(a), median(b), median(ratios)};
}

int summary()
{
    QImage target(kCanvas, QImage::Format_ARGB32_Premultiplied);
    const Scene small = makeScene(1000);
    const Scene large = makeScene(2000);
    const Paired floor = pairedMediansMs(
        11, [&] { target.fill(Qt::white); }, [&] { redraw(small, target); });
    const Paired redraws = pairedMediansMs(
        21, [&] { redraw(small, target); }, [&] { redraw(large, target); });
    const Paired hits = pairedMediansMs(11, [&] { hitTest(small); }, [&] { hitTest(large); });
    std::printf("\nMedian full redraw of 1,000 graphics: %.2f ms (filling the picture once: %.2f ms)\n",
                floor.second, floor.first);
    std::printf("Redraw 2,000 graphics: %.2f ms, growth %.2fx\n", redraws.second, redraws.ratio);
    std::printf("Hit test 10,000 points: %.2f ms on 1,000, %.2f ms on 2,000, growth %.2fx\n", hits.first,
                hits.second, hits.ratio);
    const bool ok = redraws.ratio <= 2.2 && hits.ratio <= 2.2;
    std::printf("Growth from 1,000 to 2,000 graphics (target at most 2.2x): %s\n", benchsummary::verdict(ok));
    return ok ? 0 : 1;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return summary();
}
