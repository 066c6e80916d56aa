// Composing label pictures into sheet PDFs: 3,000 different 1575 x 600 PNG
// labels on "Label - 30 Per Letter Sheet", 50 and 100 sheets, written by the
// sheet composer and painter against the floor: a plain loop loading the same
// files and drawing each once with QPdfWriter at the same rectangles. 100
// blank pages show what the PDF writer costs on its own. Prints medians, the
// ratio to the floor (target at most 1.2) and the growth from 50 to 100
// sheets (target at most 2.2); then the peak memory of 100 sheets, each side
// in a process of its own, against the floor's (target at most 2x).
#include "BenchSummary.h"
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "config/DataCentrePrinting.h"
#include "printing/SheetComposer.h"
#include "printing/SheetPainter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The label's recorded drawing, which the sheets draw afresh at their
// resolution.
SheetPicture recordedLabel(int i)
{
    auto drawing = std::make_shared<QPicture>();
    QPainter recorder(drawing.get());
    drawLabel(recorder, i);
    recorder.end();
    SheetPicture drawn;
    drawn.pageName = QString("label%1").arg(i);
    drawn.drawing = drawing;
    drawn.canvasSize = kLabelSize;
    drawn.background = QColor::fromHsv((i * 37) % 360, 60, 250);
    return drawn;
}

QString labelPath(int i)
{
    return QDir(gFolder).filePath(QString("label%1.png").arg(i));
}

// The first count labels as pictures and files (written when write is set).
bool prepareLabels(int count, bool write)
{
    for (int i = 0; i < count; ++i) {
        if (write) {
            QImage image(kLabelSize, QImage::Format_ARGB32);
            image.fill(QColor::fromHsv((i * 37) % 360, 60, 250));
            QPainter painter(&image);
            drawLabel(painter, i);
            painter.end();
            if (!image.save(labelPath(i)))
                return false;
        }
        gDrawn.append(recordedLabel(i));
        gPages.append(SheetPage(QString("label%1").arg(i), labelPath(i)));
    }
    return true;
}

using benchsummary::median;

// One run of each side over the first `sheets` sheets; false when ours did
// not write them all.
bool writeOurs(int sheets)
{
    DataCentrePrinting::resetPrintCanvas(DataCentrePrinting::grabLabelHelper(kSheet));
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const LabelHelperPtr row = DataCentrePrinting::grabLabelHelper(kSheet);
    const SheetComposition composed =
        SheetComposer::composeDifferentLabels(geometry, gPages.mid(0, sheets * 30), 0.0f, 1, 1);
    const SheetPaintResult result = SheetPainter::writePdf(QDir(gFolder).filePath("ours.pdf"), composed,
                                                           SheetPainter::paperFor(geometry, *row, {}, {}));
    return result.ok && result.pagesPainted == sheets;
}

// The pages drawn afresh from their recorded drawings, as the window prints
// them, at the printer resolution the sheets use at most (600 dpi).
bool writeDrawn(int sheets)
{
    DataCentrePrinting::resetPrintCanvas(DataCentrePrinting::grabLabelHelper(kSheet));
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const LabelHelperPtr row = DataCentrePrinting::grabLabelHelper(kSheet);
    SheetComposition composed = SheetComposer::layOutGrid(geometry, gDrawn.mid(0, sheets * 30), {}, 1, 1);
    composed.pictureDpi = 600;
    const SheetPaintResult result = SheetPainter::writePdf(QDir(gFolder).filePath("drawn.pdf"), composed,
                                                           SheetPainter::paperFor(geometry, *row, {}, {}));
    return result.ok && result.pagesPainted == sheets;
}

// The floor: a plain loop loading each file and drawing it once.
bool writeFloor(int sheets)
{
    DataCentrePrinting::resetPrintCanvas(DataCentrePrinting::grabLabelHelper(kSheet));
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    QPdfWriter writer(QDir(gFolder).filePath("floor.pdf"));
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
    return true;
}

const std::map<std::string, bool (*)(int)> kSides = {
    {"ours", writeOurs}, {"drawn", writeDrawn}, {"floor", writeFloor}};

void runSide(benchmark::State &state, const std::string &side)
{
    const int sheets = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const bool ok = kSides.at(side)(sheets);
        const double seconds = timer.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        gSeconds[side + std::to_string(sheets)].push_back(seconds);
        if (!ok)
            state.SkipWithError("the sheets were not written");
    }
}

void BM_Composer(benchmark::State &state)
{
    runSide(state, "ours");
}

void BM_ComposerDrawn(benchmark::State &state)
{
    runSide(state, "drawn");
}

void BM_Floor(benchmark::State &state)
{
    runSide(state, "floor");
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

// Peak memory of one side in a process of its own: the program started again
// with "--memory SIDE SHEETS FOLDER" over the label files already written.
// Kilobytes of the child's peak resident set, or -1 when it failed.
long peakKilobytesOf(const char *self, const std::string &side, int sheets)
{
    const std::string count = std::to_string(sheets);
    const QByteArray folder = QFile::encodeName(gFolder);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(self, self, "--memory", side.c_str(), count.c_str(), folder.constData(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    if (child < 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

int memoryChild(const std::string &side, int sheets, const QString &folder)
{
    gFolder = folder;
    if (!prepareLabels(sheets * 30, false))
        return 1;
    if (side == "idle")
        return 0;
    const auto it = kSides.find(side);
    return it != kSides.end() && it->second(sheets) ? 0 : 1;
}

void reportMemory(const char *self)
{
    constexpr int kSheets = 100;
    const long idle = peakKilobytesOf(self, "idle", kSheets);
    const long floor = peakKilobytesOf(self, "floor", kSheets);
    std::printf("\npeak memory of one %d-sheet PDF, each side in a process of its own (ru_maxrss):\n", kSheets);
    std::printf("  the process with the pictures named but nothing drawn: %7.1f MB\n", idle / 1024.0);
    std::printf("  floor (plain QPdfWriter loop):                          %7.1f MB\n", floor / 1024.0);
    for (const std::string side : {"ours", "drawn"}) {
        const long peak = peakKilobytesOf(self, side, kSheets);
        const double ratio = floor > 0 && peak > 0 ? double(peak) / floor : 0.0;
        std::printf("  %-5s %7.1f MB, ratio to the floor %.2f (target at most 2.00): %s\n", side.c_str(),
                    peak / 1024.0, ratio, benchsummary::verdict(peak > 0 && floor > 0 && ratio <= 2.0));
        if (idle > 0 && floor > idle && peak > idle)
            std::printf("        above the idle process: %.1f MB against the floor's %.1f MB\n", (peak - idle) / 1024.0,
                        (floor - idle) / 1024.0);
    }
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    EditionSettings::resetToInitialState();
    gPrintPixelsPerInch = 144.0f;
    DataCentre::loadPrintLabels();
    if (argc == 5 && std::string(argv[1]) == "--memory")
        return memoryChild(argv[2], std::atoi(argv[3]), QFile::decodeName(argv[4]));
    benchmark::Initialize(&argc, argv);
    QTemporaryDir folder;
    gFolder = folder.path();
    if (!prepareLabels(kPictures, true)) {
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
        const double ratio = floor > 0 ? ours / floor : 0.0;
        const double drawnRatio = floor > 0 ? drawn / floor : 0.0;
        std::printf("%3d sheets: ours %8.1f ms, floor %8.1f ms, ratio %.2f (target at most 1.20): %s\n", sheets,
                    ours * 1000, floor * 1000, ratio, benchsummary::verdict(ratio > 0 && ratio <= 1.2));
        std::printf("%3d sheets drawn afresh at 600 dpi: %8.1f ms, ratio to the floor %.2f (target at most 1.20): %s\n",
                    sheets, drawn * 1000, drawnRatio, benchsummary::verdict(drawnRatio > 0 && drawnRatio <= 1.2));
    }
    const double ours50 = median(gSeconds["ours50"]);
    if (ours50 > 0) {
        const double growth = median(gSeconds["ours100"]) / ours50;
        std::printf("ours 100 / 50 sheets: %.2f (target at most 2.20): %s\n", growth,
                    benchsummary::verdict(growth <= 2.2));
    }
    std::printf("100 blank pages: %.1f ms\n", median(gSeconds["blank"]) * 1000);
    reportMemory("/proc/self/exe");
    return 0;
}
