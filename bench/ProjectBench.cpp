// Opening, refreshing and searching projects of real page packages, with the
// page counts given as arguments (default 100 and 1000):
//  (a) opening (scan into a fresh work copy, listing) against unpacking the
//      same packages with PageZip alone: at most 1.5x;
//  (b) refreshing an unchanged project: at most 0.2x of (a);
//  (c) re-laying out the listing for a search keystroke: under 30 ms at 1,000.
// Each may grow at most 12x from the smallest to the largest project.
#include "BenchSummary.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "platform/PageZip.h"
#include "window/PageListingPlan.h"
#include "window/ProjectScan.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

QTemporaryDir *root = nullptr;
int freshCounter = 0;

QString freshFolder(const QString &prefix)
{
    const QString folder = QDir(root->path()).filePath(prefix + QString::number(++freshCounter));
    QDir().mkpath(folder);
    return folder;
}

// One real page package, saved by the page document.
QString makeTemplatePackage()
{
    SKTDocument page;
    page.pageName = QStringLiteral("page");
    page.pageOfficialName = QStringLiteral("A page of the project");
    page.pageFileExtension = QStringLiteral("html");
    page.mainTemplateName = QStringLiteral("page");
    page.encodingType = QStringLiteral("UTF-8");
    page.tempSavePathLocal = freshFolder(QStringLiteral("make"));
    for (int i = 0; i < 12; ++i) {
        auto t = std::make_shared<SKTText>();
        t->setTextType(QStringLiteral("Text"));
        t->setBounds({20.0, 30.0 + 60 * i, 500, 40});
        t->setTextString(QStringLiteral("Paragraph %1 of the page, long enough to wrap on a narrow screen.").arg(i));
        t->setValue(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
        page.insertGraphicAtIndex(t, 0);
    }
    const QString package = QDir(root->path()).filePath(QStringLiteral("page.zovweb"));
    if (!page.saveThisPage(package, false)) {
        std::fprintf(stderr, "could not make a page: %s\n", qPrintable(page.lastSaveError));
        std::exit(1);
    }
    return package;
}

// A project of packages as the document saves them: each holds its page
// file and screenshots under its own name, beside the page folder's files.
QString makeProject(const QString &package, int pages)
{
    const QString folder = freshFolder(QStringLiteral("project"));
    const QString unpacked = freshFolder(QStringLiteral("unpacked"));
    PageZip reader;
    if (!reader.OpenZip(package) || reader.Unzip(unpacked) < 0)
        std::exit(1);
    QString current = QStringLiteral("page");
    for (int i = 0; i < pages; ++i) {
        const QString name = QStringLiteral("page%1").arg(i);
        for (const QString &suffix : {QStringLiteral(".html"), QStringLiteral(".png"), QStringLiteral("@2x.png")})
            QFile::rename(QDir(unpacked).filePath(current + suffix), QDir(unpacked).filePath(name + suffix));
        current = name;
        PageZip zip;
        zip.NewZip(QDir(folder).filePath(name + QStringLiteral(".zovweb")));
        zip.setAppendFromDir(unpacked);
        zip.AppendFiles(unpacked + QStringLiteral("/*"), true);
        if (!zip.WriteZipAndClose())
            std::exit(1);
    }
    return folder;
}

ListingPlan listing(const ProjectScan &scan, const QString &search)
{
    return PageListingPlan::layout(scan.siteIconArray, {}, search, 300, 2);
}

// Opening against unpacking alone, side by side: each iteration unpacks the
// packages with PageZip into a fresh folder, then opens the project into a
// fresh work folder, so both see the same machine load. The benchmark's time
// is the opening; the pairs are kept for the ratio.
std::map<int, std::vector<std::pair<double, double>>> pairs; // pages -> (open ms, unzip ms)

double unzipAll(const QString &folder, const QStringList &packages, benchmark::State &state)
{
    const QString target = freshFolder(QStringLiteral("unzip"));
    QElapsedTimer timer;
    timer.start();
    for (const QString &name : packages) {
        PageZip zip;
        if (!zip.OpenZip(QDir(folder).filePath(name)) || zip.Unzip(QDir(target).filePath(name)) < 0)
            state.SkipWithError("unzip failed");
    }
    return timer.nsecsElapsed() / 1e6;
}

void openProject(benchmark::State &state, QString folder)
{
    const QStringList packages = QDir(folder).entryList(QDir::Files);
    for (auto _ : state) {
        const double unzip = unzipAll(folder, packages, state);
        gWorkFolder = freshFolder(QStringLiteral("work"));
        QDir().mkpath(QDir(gWorkFolder).filePath(gReceivedPagesFolder));
        QElapsedTimer timer;
        timer.start();
        ProjectScan scan;
        scan.openWebsiteFolderPath = folder;
        scan.resetAndGrabCurrentWebsiteFolderPath();
        scan.pickUpFileList(folder);
        benchmark::DoNotOptimize(listing(scan, QString()).cells.size());
        const double open = timer.nsecsElapsed() / 1e6;
        state.SetIterationTime(open / 1e3);
        pairs[int(packages.size())].push_back({open, unzip});
    }
}

using benchsummary::median;

void refreshProject(benchmark::State &state, QString folder)
{
    gWorkFolder = freshFolder(QStringLiteral("work"));
    QDir().mkpath(QDir(gWorkFolder).filePath(gReceivedPagesFolder));
    ProjectScan scan;
    scan.openWebsiteFolderPath = folder;
    scan.resetAndGrabCurrentWebsiteFolderPath();
    scan.pickUpFileList(folder);
    for (auto _ : state) {
        scan.resetAndGrabCurrentWebsiteFolderPath();
        scan.pickUpFileList(folder);
        benchmark::DoNotOptimize(listing(scan, QString()).cells.size());
    }
}

void searchKeystroke(benchmark::State &state, QString folder)
{
    gWorkFolder = freshFolder(QStringLiteral("work"));
    QDir().mkpath(QDir(gWorkFolder).filePath(gReceivedPagesFolder));
    ProjectScan scan;
    scan.openWebsiteFolderPath = folder;
    scan.resetAndGrabCurrentWebsiteFolderPath();
    scan.pickUpFileList(folder);
    const QList<QSize> sizes;
    const QString keys[] = {QStringLiteral("p"), QStringLiteral("pa"), QStringLiteral("pag"), QStringLiteral("page5")};
    int k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(PageListingPlan::layout(scan.siteIconArray, sizes, keys[k++ % 4], 300, 2).cells.size());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        if (const int n = std::atoi(argv[i]); n > 0)
            counts << n;
    if (counts.isEmpty())
        counts = {100, 1000};

    QTemporaryDir dir;
    root = &dir;
    EditionSettings::resetToInitialState();
    gAppName = QStringLiteral("Zov Web");
    gDocumentExtension = QStringLiteral("zovweb");
    gReceivedPagesFolder = QStringLiteral("Received");
    gPageTitleEnabled = true;
    gWorkFolder = freshFolder(QStringLiteral("work"));
    const QString package = makeTemplatePackage();

    for (const int n : counts) {
        const QString folder = makeProject(package, n);
        const std::string suffix = "/" + std::to_string(n);
        const int repetitions = 5;
        benchmark::RegisterBenchmark(("open" + suffix).c_str(), openProject, folder)
            ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(n >= 1000 ? 3 : 10)->Repetitions(repetitions)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("refresh" + suffix).c_str(), refreshProject, folder)
            ->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(repetitions)->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("search" + suffix).c_str(), searchKeystroke, folder)
            ->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(repetitions)->ReportAggregatesOnly(true);
    }
    benchsummary::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n(a) is the median ratio of side-by-side pairs, target at most 1.5; times are medians.\n"
                "(b) refresh / open, target at most 0.2; (c) a search keystroke, target under 30 ms at 1,000 pages.\n");
    std::printf("%-8s %12s %12s %8s %8s %12s %8s %12s\n", "pages", "open ms", "unzip ms", "(a) x", "<=1.5",
                "refresh ms", "(b) x", "search ms");
    for (const int n : counts) {
        const std::string s = "/" + std::to_string(n);
        std::vector<double> opens, unzips, ratios;
        for (const auto &[open, unzip] : pairs[n]) {
            opens.push_back(open);
            unzips.push_back(unzip);
            ratios.push_back(open / unzip);
        }
        const double open = median(opens), unzip = median(unzips), ratio = median(ratios);
        const double refresh = reporter.at("refresh" + s), search = reporter.at("search" + s);
        std::printf("%-8d %12.2f %12.2f %8.2f %8s %12.2f %8.3f %12.3f  (b) %s, (c) %s\n", n, open, unzip, ratio,
                    benchsummary::verdict(ratio <= 1.5), refresh, refresh / open, search, benchsummary::verdict(refresh <= 0.2 * open),
                    benchsummary::verdict(n < 1000 || search < 30.0));
    }
    if (counts.size() >= 2) {
        const std::string lo = "/" + std::to_string(counts.first()), hi = "/" + std::to_string(counts.last());
        const double scale = double(counts.last()) / counts.first();
        for (const char *name : {"open", "refresh", "search"}) {
            double growth = reporter.at(name + hi) / reporter.at(name + lo);
        if (std::string(name) == "open") {
            std::vector<double> low, high;
            for (const auto &p : pairs[counts.first()])
                low.push_back(p.first);
            for (const auto &p : pairs[counts.last()])
                high.push_back(p.first);
            growth = median(high) / median(low);
        }
            std::printf("growth of %-8s %dx pages: %.1fx (target at most 12x for 10x pages) %s\n", name, int(scale),
                        growth, benchsummary::verdict(growth <= 12.0 * scale / 10.0));
        }
    }
    return 0;
}
