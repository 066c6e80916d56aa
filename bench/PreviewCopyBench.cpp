// The desktop preview's fresh copy of a project folder (50 pages, 2,000 pictures)
// beside `cp -r` of the same folder; prints the medians and the ratio against the
// target of 1.0.
#include "BenchSummary.h"
#include "publishing/WebPreviewFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

QString gProject;
QString gWork;

void makeProject(const QString &folder)
{
    QRandomGenerator random(7);
    QByteArray picture(6000, Qt::Uninitialized);
    for (int page = 0; page < 50; ++page) {
        const QString name = QStringLiteral("page%1").arg(page);
        QFile html(QDir(folder).filePath(name + QStringLiteral(".html")));
        html.open(QIODevice::WriteOnly);
        html.write(QByteArray(12000, 'p'));
        QDir().mkpath(QDir(folder).filePath(name));
        for (int i = 0; i < 40; ++i) {
            for (char &c : picture)
                c = char(random.bounded(256));
            QFile file(QDir(folder).filePath(QStringLiteral("%1/image%2@2x.png").arg(name).arg(i)));
            file.open(QIODevice::WriteOnly);
            file.write(picture);
        }
    }
}

void previewCopy(benchmark::State &state)
{
    for (auto _ : state) {
        WebPreviewFolder copies;
        if (copies.makeCopy(gProject, gWork).isEmpty())
            state.SkipWithError("the copy failed");
        state.PauseTiming();
        copies.removeAll();
        state.ResumeTiming();
    }
}

void cpR(benchmark::State &state)
{
    const QString target = QDir(gWork).filePath(QStringLiteral("cp-copy"));
    for (auto _ : state) {
        if (QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), gProject, target}) != 0)
            state.SkipWithError("cp failed");
        state.PauseTiming();
        QDir(target).removeRecursively();
        state.ResumeTiming();
    }
}

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    QTemporaryDir home;
    gProject = home.filePath(QStringLiteral("project"));
    gWork = home.filePath(QStringLiteral("work"));
    QDir().mkpath(gProject);
    QDir().mkpath(gWork);
    makeProject(gProject);

    auto configure = [](benchmark::internal::Benchmark *b) {
        b->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    configure(benchmark::RegisterBenchmark("preview copy", previewCopy));
    configure(benchmark::RegisterBenchmark("cp -r", cpR));
    benchsummary::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double ours = reporter.at("preview copy");
    const double theirs = reporter.at("cp -r");
    const double ratio = ours > 0 && theirs > 0 ? ours / theirs : -1.0;
    std::printf("\npreview copy %.1f ms, cp -r %.1f ms: %.2fx (target at most 1.0x: %s)\n", ours, theirs, ratio,
                benchsummary::verdict(ratio > 0 && ratio <= 1.0));
    return 0;
}
