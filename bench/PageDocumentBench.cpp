// A page of 1,000 graphics and 50 photo-like images (originals about 1,600 px,
// half JPEG, half PNG): the edit-and-save of the page against `zip -r` of the
// same working folder, opening the package against `unzip` of it, and the
// open time from 250 to 2,000 graphics. Prints medians, ratios and targets.
#include "BenchSummary.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "platform/Alerts.h"

#include "ZipTool.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

QTemporaryDir *root = nullptr;

QImage photo(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(48));
            line[x] = qRgb((x * 255 / width + grain) & 0xFF, (y * 255 / height + grain) & 0xFF,
                           ((x + y) * 255 / (width + height) + grain) & 0xFF);
        }
    }
    return image;
}

std::unique_ptr<SKTDocument> makePage(const QString &name, int graphics, int images)
{
    auto doc = std::make_unique<SKTDocument>();
    doc->pageName = name;
    doc->pageOfficialName = name;
    doc->pageFileExtension = QStringLiteral("html");
    doc->mainTemplateName = name;
    doc->encodingType = QStringLiteral("UTF-8");
    doc->tempSavePathLocal = QDir(root->path()).filePath(QStringLiteral("w-") + name);
    QDir().mkpath(doc->tempSavePathLocal);
    QList<std::shared_ptr<SKTGraphic>> list;
    for (int i = 0; i < graphics - images; ++i) {
        if (i % 4 == 3) {
            auto line = std::make_shared<SKTLine>();
            line->setBounds(QRectF(10 + i % 40 * 20, 10 + i * 3, 200, 0));
            line->setValue(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
            list << line;
        } else {
            auto t = std::make_shared<SKTText>();
            t->setTextType(QStringLiteral("Text"));
            t->setBounds(QRectF(10 + i % 40 * 20, 10 + i * 3, 180, 30));
            t->setTextString(QStringLiteral("Text number %1 of the page").arg(i));
            t->setValue(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
            list << t;
        }
    }
    for (int i = 0; i < images; ++i) {
        auto image = std::make_shared<SKTImage>();
        const QImage pixels = photo(1600, 1067, quint32(i + 1));
        image->setContents(pixels);
        image->setInputImage(pixels);
        image->setImageName(QStringLiteral("image%1").arg(i + 1));
        image->setImageType(i % 2 ? QStringLiteral("PNG") : QStringLiteral("JPG"));
        image->setBounds(QRectF(i % 10 * 120, 4000 + i / 10 * 100, 100, 67));
        image->setSlideShowNumber(-99);
        image->setGalleryNumber(-99);
        image->setSelectable(true);
        image->setValue(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
        list << image;
    }
    QList<qsizetype> indexes;
    for (qsizetype i = 0; i < list.size(); ++i)
        indexes << i;
    doc->insertGraphics(list, indexes);
    return doc;
}

struct Page {
    std::unique_ptr<SKTDocument> doc;
    QString package;
};

Page &bigPage()
{
    static Page page;
    if (!page.doc) {
        page.doc = makePage(QStringLiteral("big"), 1000, 50);
        page.package = QDir(root->path()).filePath(QStringLiteral("big.zovweb"));
        page.doc->documentChangedCounter = 1;
        page.doc->saveThisPage(page.package, false); // warm-up: originals written once
    }
    return page;
}

void editAndSave()
{
    Page &page = bigPage();
    static int round = 0;
    auto *text = page.doc->textAreas().first();
    text->setTextString(QStringLiteral("Edited %1").arg(++round));
    page.doc->undoManager().closeAutomaticGroup();
    if (!page.doc->saveThisPage(page.package, false))
        std::fprintf(stderr, "save failed: %s\n", qPrintable(page.doc->lastSaveError));
}

void zipWorkingFolder()
{
    Page &page = bigPage();
    const QString out = QDir(root->path()).filePath(QStringLiteral("tool.zip"));
    QFile::remove(out);
    QProcess::execute(QStringLiteral("zip"), zipToolArguments(out));
    Q_UNUSED(page);
}

void openPackage(const QString &package)
{
    SKTDocument doc;
    if (!doc.readFromFile(package))
        std::fprintf(stderr, "open failed: %s\n", qPrintable(doc.lastSaveError));
    QDir(QDir(gWorkFolder).filePath(QStringLiteral("Received"))).removeRecursively();
}

void unzipPackage(const QString &package)
{
    const QString out = QDir(root->path()).filePath(QStringLiteral("unzipped"));
    QDir(out).removeRecursively();
    QProcess::execute(QStringLiteral("unzip"), {QStringLiteral("-q"), QStringLiteral("-o"), package, QStringLiteral("-d"), out});
}

QString packageOf(int graphics)
{
    static std::map<int, QString> packages;
    auto it = packages.find(graphics);
    if (it != packages.end())
        return it->second;
    auto doc = makePage(QStringLiteral("g%1").arg(graphics), graphics, 0);
    const QString package = QDir(root->path()).filePath(QStringLiteral("g%1.zovweb").arg(graphics));
    doc->saveThisPage(package, false);
    packages[graphics] = package;
    return package;
}

double medianSeconds(const std::function<void()> &work, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BM_EditAndSave(benchmark::State &state)
{
    for (auto _ : state)
        editAndSave();
}
BENCHMARK(BM_EditAndSave)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ZipR(benchmark::State &state)
{
    for (auto _ : state)
        zipWorkingFolder();
}
BENCHMARK(BM_ZipR)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Open(benchmark::State &state)
{
    const QString package = bigPage().package;
    for (auto _ : state)
        openPackage(package);
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Unzip(benchmark::State &state)
{
    const QString package = bigPage().package;
    for (auto _ : state)
        unzipPackage(package);
}
BENCHMARK(BM_Unzip)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenGraphics(benchmark::State &state)
{
    const QString package = packageOf(int(state.range(0)));
    for (auto _ : state)
        openPackage(package);
}
BENCHMARK(BM_OpenGraphics)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);

class QuietAlerts : public Alerts {
public:
    void show(const Alert &alert, QObject *, Completion completion) override
    {
        std::fprintf(stderr, "alert: %s %s\n", qPrintable(alert.messageText), qPrintable(alert.informativeText));
        if (completion)
            completion(AlertReply{});
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    root = &dir;
    QuietAlerts alerts;
    Alerts::setCurrent(&alerts);
    EditionSettings::resetToInitialState();
    gAppName = QStringLiteral("Zov Web");
    gDocumentExtension = QStringLiteral("zovweb");
    gWorkFolder = QDir(dir.path()).filePath(QStringLiteral("work"));
    gReceivedPagesFolder = QStringLiteral("Received");
    QDir().mkpath(gWorkFolder);
    QDir::setCurrent(bigPage().doc->tempSavePathLocal); // zip -r of the working folder

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    // Side by side in one run: medians of five.
    const QString package = bigPage().package;
    const double save = medianSeconds(editAndSave, 5);
    const double zip = medianSeconds(zipWorkingFolder, 5);
    const double open = medianSeconds([&] { openPackage(package); }, 5);
    const double unzip = medianSeconds([&] { unzipPackage(package); }, 5);
    using benchsummary::verdict;
    std::printf("\nedit and save  %8.1f ms   zip -r %8.1f ms   ratio %.2f (target <= 2.0: %s)\n", save * 1e3, zip * 1e3,
                save / zip, verdict(save / zip <= 2.0));
    std::printf("open           %8.1f ms   unzip  %8.1f ms   ratio %.2f (target <= 2.0: %s)\n", open * 1e3, unzip * 1e3,
                open / unzip, verdict(open / unzip <= 2.0));
    double previous = 0;
    for (int graphics : {250, 500, 1000, 2000}) {
        const QString p = packageOf(graphics);
        const double t = medianSeconds([&] { openPackage(p); }, 5);
        if (previous > 0)
            std::printf("open %4d graphics %8.1f ms   x%.2f per doubling (target <= 2.2: %s)\n", graphics, t * 1e3,
                        t / previous, verdict(t / previous <= 2.2));
        else
            std::printf("open %4d graphics %8.1f ms\n", graphics, t * 1e3);
        previous = t;
    }
    benchmark::Shutdown();
    return 0;
}
