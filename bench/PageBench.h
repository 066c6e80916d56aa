#pragma once
// What the page generation benchmarks share: the page and its graphics made
// in code, the floor they are measured against, and the reporter that keeps
// each run's median for the summary table.
#include "BenchSummary.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pagebench {

// The application the generator runs in (off screen unless told otherwise),
// benchmark's own options taken from the command line, the program's name and
// version as generated pages carry them. argc must outlive the application.
inline std::unique_ptr<QGuiApplication> start(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    benchmark::Initialize(&argc, argv);
    gAppName = QStringLiteral("Zov Web");
    gAppVersion = QStringLiteral("bench");
    return app;
}

// An empty page named "bench" in the main template.
inline std::unique_ptr<SKTDocument> emptyPage()
{
    auto doc = std::make_unique<SKTDocument>();
    doc->pageName = QStringLiteral("bench");
    doc->pageOfficialName = QStringLiteral("Bench page");
    doc->mainTemplateName = QStringLiteral("main");
    doc->pageFileExtension = QStringLiteral("html");
    return doc;
}

// Text graphic number i of type ("Text" or "HTMLSnippet"), two lines long.
inline std::shared_ptr<SKTText> text(const QRectF &bounds, int i, const QString &type)
{
    auto text = std::make_shared<SKTText>();
    text->setTextType(type);
    text->setBounds(bounds);
    text->setTextString(QStringLiteral("Some text number %1\nwith a second line").arg(i));
    text->setFontFamily(QStringLiteral("Helvetica Neue"));
    text->setFontSize(14);
    return text;
}

// Image graphic number i, in no slideshow or gallery, its file imageNumber.
inline std::shared_ptr<SKTImage> image(const QRectF &bounds, int i, int imageNumber)
{
    auto image = std::make_shared<SKTImage>();
    image->setImageName(QStringLiteral("image%1").arg(imageNumber));
    image->setImageType(QStringLiteral("PNG"));
    image->setBounds(bounds);
    image->setSlideShowNumber(-99);
    image->setGalleryNumber(-99);
    image->setAltText(QStringLiteral("Picture %1").arg(i));
    return image;
}

// The floor: length characters written once into a buffer made beforehand,
// which takes time in proportion to the length. (Appending to a growing string
// is not linear here: each reallocation copies what came before, and a large
// page leaves the caches, so its ratio would mean nothing.)
inline void writeOnce(benchmark::State &state, qsizetype length)
{
    const std::vector<char16_t> source(static_cast<std::size_t>(length), u'x');
    std::vector<char16_t> target(static_cast<std::size_t>(length));
    for (auto _ : state) {
        std::copy(source.begin(), source.end(), target.begin());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

// Five timed runs of fn on n graphics, in milliseconds of real time.
template <class Fn>
void registerTimed(const char *name, Fn fn, int n)
{
    benchmark::RegisterBenchmark(name, fn)->Arg(n)->Repetitions(5)->Unit(benchmark::kMillisecond)->UseRealTime();
}

class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians; // run name -> median in ms
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace pagebench
