// The window's long jobs against their natural peers:
//  (a) exporting the source files of a 1,000-page project (the copy of the
//      work copy, publishing names, the final rename) against `cp -r` of the
//      same work copy, side by side: at most 1.2x;
//  (b) photo pages from 100 and from 1,000 real JPEG files: the time may grow
//      at most 12x, and the resident memory after 1,000 photos stays within
//      50 MB of that after 100.
// Arguments: the page count of (a) (default 1000) and the photo counts of (b)
// (default 100 1000).
#include "BenchSummary.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "platform/WorkFolder.h"
#include "window/PhotoPagesJob.h"
#include "window/ProjectPages.h"
#include "window/SourceFilesExport.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QTemporaryDir *root = nullptr;
int counter = 0;

QString fresh(const QString &prefix)
{
    const QString folder = QDir(root->path()).filePath(prefix + QString::number(++counter));
    QDir().mkpath(folder);
    return folder;
}

using benchsummary::median;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::exit(1);
}

// A work copy as the listing leaves it: per page its file, two screenshots
// and a page folder with a style sheet and two pictures; one page in ten
// publishes as PHP.
SourceFilesExportPlan makeWorkCopy(int pages)
{
    SourceFilesExportPlan plan;
    plan.workCopy = fresh(QStringLiteral("workcopy"));
    plan.scratch = fresh(QStringLiteral("scratch"));
    QByteArray page(12 * 1024, 'p');
    QByteArray shot(30 * 1024, 's');
    QByteArray picture(60 * 1024, 'j');
    const QDir w(plan.workCopy);
    for (int i = 0; i < pages; ++i) {
        const QString base = QStringLiteral("page%1").arg(i);
        writeFile(w.filePath(base + QStringLiteral(".html")), page);
        writeFile(w.filePath(base + QStringLiteral(".png")), shot);
        writeFile(w.filePath(base + QStringLiteral("@2x.png")), shot);
        w.mkpath(base);
        writeFile(w.filePath(base + QStringLiteral("/full.css")), page);
        writeFile(w.filePath(base + QStringLiteral("/image1o.JPG")), picture);
        writeFile(w.filePath(base + QStringLiteral("/image1@2x.JPG")), picture);
        plan.pages.append({base + QStringLiteral(".html"),
                           base + (i % 10 == 0 ? QStringLiteral(".php") : QStringLiteral(".html"))});
    }
    return plan;
}

std::vector<double> exportMs, copyMs, ratios;

void exportSideBySide(benchmark::State &state, const SourceFilesExportPlan &base)
{
    for (auto _ : state) {
        SourceFilesExportPlan plan = base;
        plan.exportFolder = QDir(fresh(QStringLiteral("out"))).filePath(QStringLiteral("Site_SourceFiles"));
        const QString peerTarget = QDir(fresh(QStringLiteral("peer"))).filePath(QStringLiteral("Site_SourceFiles"));
        QElapsedTimer clock;
        clock.start();
        SourceFilesExportResult r = SourceFilesExport::copy(plan);
        SourceFilesExport::finish(plan, r, nullptr);
        const double ours = clock.nsecsElapsed() / 1e6;
        if (!r.failures.isEmpty()) {
            state.SkipWithError("export failed");
            return;
        }
        clock.restart();
        if (QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), plan.workCopy, peerTarget}) != 0) {
            state.SkipWithError("cp failed");
            return;
        }
        const double peer = clock.nsecsElapsed() / 1e6;
        exportMs.push_back(ours);
        copyMs.push_back(peer);
        ratios.push_back(ours / peer);
        state.SetIterationTime(ours / 1000);
        QDir(plan.exportFolder).removeRecursively();
        QDir(QFileInfo(peerTarget).path()).removeRecursively();
    }
}

// Real JPEG files of 1600 x 1200 with some detail, made once.
QStringList makePhotos(int count)
{
    const QString folder = QDir(root->path()).filePath(QStringLiteral("photos"));
    QDir().mkpath(folder);
    QStringList files;
    QImage image(1600, 1200, QImage::Format_RGB32);
    for (int i = 0; i < count; ++i) {
        const QString file = QDir(folder).filePath(QStringLiteral("photo%1.jpg").arg(i));
        if (!QFileInfo::exists(file)) {
            image.fill(QColor::fromHsv((i * 37) % 360, 120, 200));
            QPainter p(&image);
            for (int k = 0; k < 40; ++k)
                p.fillRect((k * 97 + i * 13) % 1500, (k * 53 + i * 7) % 1100, 100, 80, QColor::fromHsv((k * 11) % 360, 200, 150));
            p.end();
            image.save(file, "JPG", 80);
        }
        files << file;
    }
    return files;
}

struct PhotoRun {
    double ms = 0;
    double rssMb = 0;
};

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Ten photos a day, as a camera folder gives them.
PhotoRun photoPages(const QStringList &files)
{
    const QString project = fresh(QStringLiteral("photoproject"));
    SKTDocument document;
    ProjectPages pages(document);
    pages.resourcesFolder = fresh(QStringLiteral("resources"));
    pages.setOpenWebsiteFolderPath(project);
    pages.refreshWebsite();
    QList<ZovFileHelper> photos;
    const QDateTime start(QDate(2023, 1, 1), QTime(8, 0));
    for (int i = 0; i < files.size(); ++i) {
        ZovFileHelper h;
        h.filePath = files[i];
        h.fileModDate = start.addDays(i / 10).addSecs(60 * (i % 10));
        h.fileModDateString = QLocale::c().toString(h.fileModDate, QStringLiteral("MMM dd yyyy"));
        h.fileModDateString_fileNameFormat = h.fileModDate.toString(QStringLiteral("yyyyMMdd"));
        photos << h;
    }
    PhotoPagesJob job(pages, photos, {}, nullptr);
    QEventLoop loop;
    QObject::connect(&job, &PhotoPagesJob::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    job.start();
    loop.exec();
    PhotoRun run;
    run.ms = clock.nsecsElapsed() / 1e6;
    if (!job.unreadable().isEmpty())
        std::fprintf(stderr, "unreadable: %s\n", qPrintable(job.unreadable().join(QLatin1Char('\n'))));
    return run;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir temp;
    root = &temp;
    EditionSettings::resetToInitialState();
    gAppName = QStringLiteral("Zov Web");
    gDocumentExtension = QStringLiteral("zovweb");
    gBaseTemplateName = QStringLiteral("basetemplate.zovweb");
    gPageNoun = QStringLiteral("page");
    gMaxInsertedImageSize = 600;
    gWorkFolder = fresh(QStringLiteral("work"));
    gReceivedPagesFolder = QStringLiteral("Received");
    QDir().mkpath(QDir(gWorkFolder).filePath(gReceivedPagesFolder));

    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int small = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
    const int large = argc > 3 ? std::max(small, std::atoi(argv[3])) : 1000;

    const SourceFilesExportPlan plan = makeWorkCopy(pages);
    benchmark::RegisterBenchmark(("export/" + std::to_string(pages)).c_str(), exportSideBySide, plan)
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true);
    benchmark::RunSpecifiedBenchmarks();

    const QStringList files = makePhotos(large);
    // One warm-up run, so that the first run's one-time costs (fonts,
    // plug-ins, pools) count in neither figure.
    photoPages(files.mid(0, 10));
    // The short run is timed three times and its median taken: on a shared
    // machine a single few-second run swings the ratio more than the code does.
    PhotoRun low = photoPages(files.mid(0, small));
    low.rssMb = residentMb();
    std::vector<double> lowMs = {low.ms, photoPages(files.mid(0, small)).ms, photoPages(files.mid(0, small)).ms};
    low.ms = median(lowMs);
    PhotoRun high = photoPages(files);
    high.rssMb = residentMb();
    benchmark::Shutdown();

    const double ratio = median(ratios);
    std::printf("\n(a) export of %d pages: median %.1f ms, cp -r median %.1f ms, median ratio of side-by-side pairs "
                "%.2fx (target at most 1.2x) %s\n",
                pages, median(exportMs), median(copyMs), ratio, benchsummary::verdict(ratio <= 1.2));
    const double growth = high.ms / std::max(low.ms, 1.0);
    std::printf("(b) photo pages: %d photos %.0f ms, %d photos %.0f ms, growth %.1fx (target at most 12x) %s\n", small,
                low.ms, large, high.ms, growth, benchsummary::verdict(growth <= 12.0));
    std::printf("    resident memory after %d photos %.1f MB, after %d photos %.1f MB, difference %.1f MB "
                "(target at most 50 MB) %s\n",
                small, low.rssMb, large, high.rssMb, high.rssMb - low.rssMb, benchsummary::verdict(high.rssMb - low.rssMb <= 50.0));
    return 0;
}
