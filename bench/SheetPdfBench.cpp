// Composing label pictures into sheet PDFs: 3,000 different 1575 x 600 PNG
// labels on "Label - 30 Per Letter Sheet", 50 and 100 sheets, written by the
// sheet composer and painter against the floor: a plain loop loading the same
// files and drawing each once with QPdfWriter at the same rectangles. 100
// blank pages show what the PDF writer costs on its own. Prints medians, the
// ratio to the floor (target at most 1.2) and the growth from 50 to 100
// sheets (target at most 2.2).
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "config/DataCentrePrinting.h"
#include "printing/SheetComposer.h"
#include "printing/SheetPainter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int kPictures = 3000;
constexpr QSize kLabelSize(1575, 600);
const char *const kSheet = "Label - 30 Per Letter Sheet";

QString gFolder;
QList<SheetPage> gPages;
std::map<std::string, std::vector<double>> gSeconds;

QList<SheetPicture> gDrawn;

void drawLabel(QPainter &painter, int i)
{
    painter.setPen(QPen(Qt::black, 6));
        painter.drawRoundedRect(QRectF(10, 10, 1555, 580), 40, 40);
        painter.setBrush(QColor::fromHsv((i * 53) % 360, 200, 200));
        painter.drawEllipse(QPointF(300 + (i % 900), 300), 180, 180);
        QFont font;
        font.setPixelSize(120);
        painter.setFont(font);
        painter.drawText(QRectF(700, 200, 800, 200), Qt::AlignCenter, QString("Label %1").arg(i));
}

bool writeLabels()
{
    for (int i = 0; i < kPictures; ++i) {
        QImage image(kLabelSize, QImage::Format_ARGB32);
        image.fill(QColor::fromHsv((i * 37) % 360, 60, 250));
        QPainter painter(&image);
        drawLabel(painter, i);
        painter.end();
        // The same label as the page's recorded drawing, which the sheets
        // draw afresh at their resolution.
        auto drawing = std::make_shared<QPicture>();
        QPainter recorder(drawing.get());
        drawLabel(recorder, i);
        recorder.end();
        SheetPicture drawn;
        drawn.pageName = QString("label%1").arg(i);
        drawn.drawing = drawing;
        drawn.canvasSize = kLabelSize;
        drawn.background = QColor::fromHsv((i * 37) % 360, 60, 250);
        gDrawn.append(drawn);
        const QString path = QDir(gFolder).filePath(QString("label%1.png").arg(i));
        if (!image.save(path))
            return false;
        gPages.append(SheetPage(QString("label%1").arg(i), path));
    }
    return true;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_Composer(benchmark::State &state)
{
    const int sheets = static_cast<int>(state.range(0));
    DataCentrePrinting::resetPrintCanvas(DataCentrePrinting::grabLabelHelper(kSheet));
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const LabelHelperPtr row = DataCentrePrinting::grabLabelHelper(kSheet);
    const QList<SheetPage> pages = gPages.mid(0, sheets * 30);
    const QString out = QDir(gFolder).filePath("ours.pdf");
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const SheetComposition composed = SheetComposer::composeDifferentLabels(geometry, pages, 0.0f, 1, 1);
        const SheetPaintResult result =
            SheetPainter::writePdf(out, composed, SheetPainter::paperFor(geometry, *row, {}, {}));
        const double seconds = timer.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        gSeconds["ours" + std::to_string(sheets)].push_back(seconds);
        if (!result.ok || result.pagesPainted != sheets)
            state.SkipWithError("the sheets were not written");
    }
}

// The pages drawn afresh from their recorded drawings, as the window prints
// them, at the printer resolution the sheets use at most (600 dpi).
void BM_ComposerDrawn(benchmark::State &state)
{
    const int sheets = static_cast<int>(state.range(0));
    DataCentrePrinting::resetPrintCanvas(DataCentrePrinting::grabLabelHelper(kSheet));
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const LabelHelperPtr row = DataCentrePrinting::grabLabelHelper(kSheet);
    const QList<SheetPicture> pictures = gDrawn.mid(0, sheets * 30);
    const QString out = QDir(gFolder).filePath("drawn.pdf");
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        SheetComposition composed = SheetComposer::layOutGrid(geometry, pictures, {}, 1, 1);
        composed.pictureDpi = 600;
        const SheetPaintResult result =
            SheetPainter::writePdf(out, composed, SheetPainter::paperFor(geometry, *row, {}, {}));
        const double seconds = timer.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        gSeconds["drawn" + std::to_string(sheets)].push_back(seconds);
        if (!result.ok || result.pagesPainted != sheets)
            state.SkipWithError("the sheets were not written");
    }
}

void BM_Floor(benchmark::State &state)
{
    const int sheets = static_cast<int>(state.range(0));
    DataCentrePrinting::resetPrintCanvas(DataCentrePrinting::grabLabelHelper(kSheet));
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const QString out = QDir(gFolder).filePath("floor.pdf");
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        {
            QPdfWriter writer(out);
            writer.setResolution(144);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
            QPainter painter(&writer);
            painter.translate(26.86, 72);
            for (int s = 0; s < sheets; ++s) {
                if (s > 0)
                    writer.newPage();
                for (int spot = 0; spot < 30; ++spot) {
                    const QImage image(gPages.at(s * 30 + spot).imagePath);
                    painter.drawImage(geometry.spotRect(spot / 3, spot % 3), image);
                }
            }
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        gSeconds["floor" + std::to_string(sheets)].push_back(seconds);
    }
}

void BM_BlankPages(benchmark::State &state)
{
    const QString out = QDir(gFolder).filePath("blank.pdf");
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        {
            QPdfWriter writer(out);
            writer.setResolution(144);
            QPainter painter(&writer);
            for (int s = 1; s < 100; ++s)
                writer.newPage();
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        gSeconds["blank"].push_back(seconds);
    }
}

BENCHMARK(BM_Composer)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_ComposerDrawn)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_Floor)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_BlankPages)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    EditionSettings::resetToInitialState();
    gPrintPixelsPerInch = 144.0f;
    DataCentre::loadPrintLabels();
    QTemporaryDir folder;
    gFolder = folder.path();
    if (!writeLabels()) {
        std::fprintf(stderr, "cannot write the label pictures\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d label pictures of %dx%d on \"%s\" (median of runs)\n", kPictures, kLabelSize.width(),
                kLabelSize.height(), kSheet);
    for (int sheets : {50, 100}) {
        const double ours = median(gSeconds["ours" + std::to_string(sheets)]);
        const double floor = median(gSeconds["floor" + std::to_string(sheets)]);
        const double drawn = median(gSeconds["drawn" + std::to_string(sheets)]);
        std::printf("%3d sheets: ours %8.1f ms, floor %8.1f ms, ratio %.2f (target at most 1.20)\n", sheets,
                    ours * 1000, floor * 1000, floor > 0 ? ours / floor : 0.0);
        std::printf("%3d sheets drawn afresh at 600 dpi: %8.1f ms, ratio to the floor %.2f (target at most 1.20)\n",
                    sheets, drawn * 1000, floor > 0 ? drawn / floor : 0.0);
    }
    const double ours50 = median(gSeconds["ours50"]);
    if (ours50 > 0)
        std::printf("ours 100 / 50 sheets: %.2f (target at most 2.20)\n", median(gSeconds["ours100"]) / ours50);
    std::printf("100 blank pages: %.1f ms\n", median(gSeconds["blank"]) * 1000);
    return 0;
}
