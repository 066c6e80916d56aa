// Packs and unpacks a page folder of 200 files (about 50 MB, mostly JPEG and PNG) with
// PageZip and with the zip/unzip command-line tools (zip storing the same picture types
// PageZip stores), and prints each time and the ratio.
#include "BenchSummary.h"
#include "platform/PageZip.h"
#include "ZipTool.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString page;       // the page folder
    QString ourZip;     // written by PageZip
    QString toolZip;    // written by zip -r
    qint64 bytes = 0;
    int files = 0;
};

Fixture *fixture = nullptr;

// A photo-like picture: smooth colour with grain, so JPEG and PNG stay large as real
// photographs do.
QImage picture(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(64));
            line[x] = qRgb((x * 255 / width + grain) & 0xFF, (y * 255 / height + grain) & 0xFF,
                           ((x + y) * 255 / (width + height) + grain) & 0xFF);
        }
    }
    return image;
}

void writeBytes(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

QByteArray encoded(const QImage &image, const char *format, int quality)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return data;
}

void makePageFolder(Fixture &f)
{
    f.page = f.dir.filePath(QStringLiteral("index"));
    QDir().mkpath(f.page);
    // 150 JPEGs and 40 PNGs made from a handful of distinct pictures, 10 text files.
    QList<QByteArray> jpegs, pngs;
    for (quint32 i = 0; i < 6; ++i)
        jpegs << encoded(picture(760, 580, i + 1), "JPG", 92);
    for (quint32 i = 0; i < 4; ++i)
        pngs << encoded(picture(260, 200, i + 100), "PNG", -1);
    for (int i = 0; i < 150; ++i)
        writeBytes(f.page + QStringLiteral("/pic%1@2x.jpg").arg(i), jpegs[i % jpegs.size()]);
    for (int i = 0; i < 40; ++i)
        writeBytes(f.page + QStringLiteral("/shape%1.png").arg(i), pngs[i % pngs.size()]);
    QByteArray css;
    for (int i = 0; i < 2000; ++i)
        css += QByteArray("#graphic") + QByteArray::number(i) + " { position: absolute; left: 12px; top: 40px; }\n";
    for (int i = 0; i < 10; ++i)
        writeBytes(f.page + QStringLiteral("/style%1.css").arg(i), css);
    for (const QFileInfo &info : QDir(f.page).entryInfoList(QDir::Files)) {
        f.bytes += info.size();
        ++f.files;
    }
    f.ourZip = f.dir.filePath(QStringLiteral("ours.zip"));
    f.toolZip = f.dir.filePath(QStringLiteral("tool.zip"));
}

bool runTool(const QString &program, const QStringList &arguments, const QString &workingFolder = {})
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void zipOurs(benchmark::State &state)
{
    for (auto _ : state) {
        PageZip zip;
        zip.NewZip(fixture->ourZip);
        zip.setAppendFromDir(fixture->page);
        zip.AppendFiles(fixture->page + QStringLiteral("/*"), true);
        if (!zip.WriteZipAndClose())
            state.SkipWithError(zip.LastErrorText().toUtf8().constData());
    }
    state.SetBytesProcessed(state.iterations() * fixture->bytes);
}

void zipTool(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(fixture->toolZip);  // zip -r would otherwise update the old archive
        state.ResumeTiming();
        if (!runTool(QStringLiteral("zip"), zipToolArguments(fixture->toolZip), fixture->page))
            state.SkipWithError("zip failed");
    }
    state.SetBytesProcessed(state.iterations() * fixture->bytes);
}

void unzipOurs(benchmark::State &state, const QString *archive)
{
    const QString target = fixture->dir.filePath(QStringLiteral("out-ours"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        state.ResumeTiming();
        PageZip zip;
        if (!zip.OpenZip(*archive) || zip.Unzip(target) != fixture->files)
            state.SkipWithError(zip.LastErrorText().toUtf8().constData());
    }
    state.SetBytesProcessed(state.iterations() * fixture->bytes);
}

void unzipTool(benchmark::State &state, const QString *archive)
{
    const QString target = fixture->dir.filePath(QStringLiteral("out-tool"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        state.ResumeTiming();
        if (!runTool(QStringLiteral("unzip"), {QStringLiteral("-q"), QStringLiteral("-o"), *archive,
                                               QStringLiteral("-d"), target}))
            state.SkipWithError("unzip failed");
    }
    state.SetBytesProcessed(state.iterations() * fixture->bytes);
}

void printRatio(const benchsummary::MedianReporter &reporter, const char *label, const std::string &ours,
                const std::string &theirs)
{
    const double a = reporter.at(ours);
    const double b = reporter.at(theirs);
    if (a < 0 || b <= 0) {
        std::printf("%-28s not measured\n", label);
        return;
    }
    // The same target as saving and opening a page against the tools.
    const double ratio = a / b;
    std::printf("%-28s ours %8.1f ms   tool %8.1f ms   ratio %.2fx (target: at most 2.0x: %s)\n", label, a, b, ratio,
                benchsummary::verdict(ratio <= 2.0));
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    Fixture f;
    fixture = &f;
    makePageFolder(f);
    std::printf("Page folder: %d files, %.1f MB\n", f.files, double(f.bytes) / (1024.0 * 1024.0));
    // Both archives exist before any unzip runs.
    {
        PageZip zip;
        zip.NewZip(f.ourZip);
        zip.setAppendFromDir(f.page);
        zip.AppendFiles(f.page + QStringLiteral("/*"), true);
        zip.WriteZipAndClose();
        runTool(QStringLiteral("zip"), zipToolArguments(f.toolZip), f.page);
    }

    const int iterations = 5;
    auto configure = [iterations](benchmark::internal::Benchmark *b) {
        b->Iterations(iterations)->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    configure(benchmark::RegisterBenchmark("zip/PageZip", zipOurs));
    configure(benchmark::RegisterBenchmark("zip/zip -r -n", zipTool));
    configure(benchmark::RegisterBenchmark("unzip package/PageZip", unzipOurs, &f.ourZip));
    configure(benchmark::RegisterBenchmark("unzip package/unzip", unzipTool, &f.ourZip));
    configure(benchmark::RegisterBenchmark("unzip zip -r archive/PageZip", unzipOurs, &f.toolZip));
    configure(benchmark::RegisterBenchmark("unzip zip -r archive/unzip", unzipTool, &f.toolZip));

    benchsummary::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    printRatio(reporter, "zip", "zip/PageZip", "zip/zip -r -n");
    printRatio(reporter, "unzip (our package)", "unzip package/PageZip", "unzip package/unzip");
    printRatio(reporter, "unzip (zip -r archive)", "unzip zip -r archive/PageZip", "unzip zip -r archive/unzip");
    return 0;
}
