// Full redraws of mixed scenes into a 1200 x 3000 picture and hit tests of
// 10,000 points, for 1,000 and 2,000 graphics. Filling the picture once is
// the floor a redraw is measured against. After the Google Benchmark runs,
// a summary prints the medians and checks that doubling the graphics at most
// doubles the time (with 10 % slack).
#include "model/GraphicRenderer.h"
#include "model/SKTCircle.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTRectangle.h"
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

Scene makeScene(int count)
{
    Scene scene;
    QRandomGenerator random(4242);
    const QImage picture = samplePicture();
    for (int i = 0; i < count; ++i) {
        const QRectF bounds(random.bounded(1100), random.bounded(2920), 40 + random.bounded(120),
                            30 + random.bounded(70));
        std::unique_ptr<SKTGraphic> graphic;
        switch (i % 5) {
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

BENCHMARK(BM_FillOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Redraw)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTest)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

template <typename F>
double medianMs(int runs, F &&work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int summary()
{
    QImage target(kCanvas, QImage::Format_ARGB32_Premultiplied);
    const Scene small = makeScene(1000);
    const Scene large = makeScene(2000);
    const double fill = medianMs(9, [&] { target.fill(Qt::white); });
    const double redraw1000 = medianMs(7, [&] { redraw(small, target); });
    const double redraw2000 = medianMs(7, [&] { redraw(large, target); });
    const double hit1000 = medianMs(5, [&] { hitTest(small); });
    const double hit2000 = medianMs(5, [&] { hitTest(large); });
    const double redrawGrowth = redraw2000 / redraw1000;
    const double hitGrowth = hit2000 / hit1000;
    std::printf("\nMedian full redraw of 1,000 graphics: %.2f ms (filling the picture once: %.2f ms)\n",
                redraw1000, fill);
    std::printf("Redraw 2,000 graphics: %.2f ms, growth %.2fx\n", redraw2000, redrawGrowth);
    std::printf("Hit test 10,000 points: %.2f ms on 1,000, %.2f ms on 2,000, growth %.2fx\n", hit1000, hit2000,
                hitGrowth);
    const bool ok = redrawGrowth <= 2.2 && hitGrowth <= 2.2;
    std::printf("Growth from 1,000 to 2,000 graphics within 2.2x: %s\n", ok ? "yes" : "NO");
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
