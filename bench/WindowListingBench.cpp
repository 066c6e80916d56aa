// The page listing of the document window with its widgets, for projects of
// 100 and 1,000 pages (page counts as arguments): laying the listing out
// again for a search keystroke (target: under 30 ms at 1,000 pages, growing
// at most 12x from 100 to 1,000). Each page has a real PNG screenshot.
#include "BenchSummary.h"
#include "config/EditionSettings.h"
#include "window/ui/PageListingClipView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {
QTemporaryDir *root = nullptr;
std::map<int, double> medians;

QList<PageEntry> makePages(int count)
{
    QList<PageEntry> pages;
    const QString folder = QDir(root->path()).filePath(QString::number(count));
    QDir().mkpath(folder);
    QImage shot(200, 260, QImage::Format_ARGB32);
    for (int i = 0; i < count; ++i) {
        shot.fill(QColor::fromHsv(i * 37 % 360, 120, 220));
        PageEntry e;
        e.pageName = e.documentName = QStringLiteral("page%1.zovpage").arg(i + 1);
        e.pageTitle = QStringLiteral("Page number %1").arg(i + 1);
        e.pagePublishFileName = QStringLiteral("page%1.html").arg(i + 1);
        e.fileTime = QStringLiteral("Mar 01 2024 9:00 AM");
        e.imagePath = QDir(folder).filePath(QStringLiteral("page%1.png").arg(i + 1));
        e.imageSize = shot.size();
        shot.save(e.imagePath);
        pages << e;
    }
    return pages;
}

void searchKeystroke(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QList<PageEntry> pages = makePages(count);
    PageListingClipView listing;
    listing.resize(260, 800);
    listing.display(pages, QStringLiteral("summary"), 1);  // first showing reads the pictures
    const QStringList keys = {QStringLiteral("p"), QStringLiteral("pa"), QStringLiteral("pag"), QString()};
    std::vector<double> times;
    int k = 0;
    for (auto _ : state) {
        listing.searchField()->blockSignals(true);
        listing.searchField()->setText(keys.at(k++ % keys.size()));
        listing.searchField()->blockSignals(false);
        QElapsedTimer timer;
        timer.start();
        listing.display(pages, QStringLiteral("summary"), 1);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    medians[count] = times.empty() ? 0 : times[times.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    root = &dir;
    EditionSettings::resetToInitialState();
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        if (const int n = std::atoi(argv[i]); n > 0)
            counts.push_back(n);
    if (counts.empty())
        counts = {100, 1000};
    for (int n : counts)
        benchmark::RegisterBenchmark("listing/searchKeystroke", searchKeystroke)->Arg(n)->Iterations(20)->Unit(benchmark::kMillisecond);
    int benchArgc = 1;
    benchmark::Initialize(&benchArgc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nmedian re-layout per keystroke (ms):\n");
    for (const auto &[n, ms] : medians)
        if (n >= 1000)
            std::printf("  %5d pages: %8.2f ms  (target < 30 ms: %s)\n", n, ms, benchsummary::verdict(ms < 30));
        else
            std::printf("  %5d pages: %8.2f ms\n", n, ms);
    if (medians.size() >= 2) {
        const double ratio = medians.rbegin()->second / std::max(1e-6, medians.begin()->second);
        // Linear in the pages: 12x for 10x pages, scaled to the counts measured.
        const double scale = double(medians.rbegin()->first) / medians.begin()->first;
        std::printf("  growth %d -> %d pages: %.1fx (target at most %.0fx): %s\n", medians.begin()->first,
                    medians.rbegin()->first, ratio, 1.2 * scale, benchsummary::verdict(ratio <= 1.2 * scale));
    }
    return 0;
}
