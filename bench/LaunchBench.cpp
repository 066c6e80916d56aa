// Time from starting zov --edition NAME to its welcome window on screen (the
// info line "zov.launch" the program prints when the window is exposed), for
// every edition, offscreen and under an X server of its own, beside a bare Qt
// Widgets program that shows one empty window and prints the same line. Five
// launches each; prints the medians, the ratio to the bare program and the
// target: under 1.0 s and at most 4x the bare program, both on one X server.
// The offscreen rows are printed for comparison only: there the bare window
// never reaches a display, so its time is no floor for a program that does.
#include "BenchSummary.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#ifndef ZOV_PROGRAM
#define ZOV_PROGRAM "zov"
#endif
#ifndef ZOV_EDITIONS_TABLE
#define ZOV_EDITIONS_TABLE "data/editions/editions.json"
#endif

Q_LOGGING_CATEGORY(lcBareLaunch, "zov.launch")

namespace {

constexpr int kLaunches = 5;
constexpr double kTargetSeconds = 1.0;
constexpr double kTargetRatio = 4.0;

// The bare program: one empty window, the same line once it is exposed.
class ExposeWatch : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed() && !reported) {
            reported = true;
            qCInfo(lcBareLaunch) << "window exposed";
        }
        return false;
    }
    bool reported = false;
};

int runBareWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(680, 420);
    window.winId();
    ExposeWatch watch;
    window.windowHandle()->installEventFilter(&watch);
    window.show();
    return app.exec();
}

struct Launcher {
    QString program;
    QStringList arguments;
    QString display;  // empty: offscreen
};

QTemporaryDir *gHome = nullptr;
QString gSelf;
QString gDisplay;
std::map<std::string, std::vector<double>> gSeconds;

// Seconds until the program says its window is exposed; negative on failure.
double launchOnce(const Launcher &launcher)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zov.launch.info=true"));
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{category}: %{message}"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), gHome->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), gHome->filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), gHome->filePath(QStringLiteral("runtime")));
    if (launcher.display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), launcher.display);
    }
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(launcher.program, launcher.arguments);
    QByteArray output;
    double seconds = -1;
    while (clock.elapsed() < 20000 && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(50);
        output += process.readAll();
        if (output.contains("zov.launch:")) {
            seconds = clock.nsecsElapsed() / 1e9;
            break;
        }
    }
    process.kill();
    process.waitForFinished(5000);
    return seconds;
}

void timeLaunches(benchmark::State &state, const std::string &key, const Launcher &launcher)
{
    for (auto _ : state) {
        const double seconds = launchOnce(launcher);
        if (seconds < 0) {
            state.SkipWithError("no window exposed");
            return;
        }
        gSeconds[key].push_back(seconds);
        state.SetIterationTime(seconds);
    }
}

using benchsummary::median;

QString startXServer(QProcess &server)
{
    for (int number = 90; number < 200; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
            QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        const QString display = QStringLiteral(":%1").arg(number);
        server.start(QStringLiteral("Xvfb"), {display, QStringLiteral("-screen"), QStringLiteral("0"),
                                              QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!server.waitForStarted(5000))
            return {};
        for (int wait = 0; wait < 100; ++wait) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                return display;
            if (server.state() == QProcess::NotRunning)
                break;
            QThread::msleep(50);
        }
        server.kill();
        server.waitForFinished();
    }
    return {};
}

QStringList editionNames()
{
    QFile file(QStringLiteral(ZOV_EDITIONS_TABLE));
    QStringList names{QString()};
    if (!file.open(QIODevice::ReadOnly))
        return names;
    for (const QJsonValue &entry : QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("editions")).toArray())
        names << entry.toObject().value(QLatin1String("key")).toString();
    return names;
}

std::string keyOf(const QString &platform, const QString &name)
{
    return (platform + QLatin1Char('/') + (name.isEmpty() ? QStringLiteral("default edition") : name)).toStdString();
}

}  // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--bare-window") == 0)
            return runBareWindow(argc, argv);
    }
    QCoreApplication app(argc, argv);
    gSelf = QCoreApplication::applicationFilePath();
    QTemporaryDir home;
    gHome = &home;
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                         QFileDevice::ExeOwner);
    QProcess server;
    gDisplay = startXServer(server);
    if (gDisplay.isEmpty())
        std::fprintf(stderr, "No X server (Xvfb): only the offscreen launches are timed.\n");

    const QStringList editions = editionNames();
    QStringList platforms{QStringLiteral("offscreen")};
    if (!gDisplay.isEmpty())
        platforms << QStringLiteral("xvfb");
    for (const QString &platform : platforms) {
        const QString display = platform == QLatin1String("xvfb") ? gDisplay : QString();
        const std::string bareKey = (QStringLiteral("bare window/") + platform).toStdString();
        benchmark::RegisterBenchmark(bareKey.c_str(), timeLaunches, bareKey,
                                     Launcher{gSelf, {QStringLiteral("--bare-window")}, display})
            ->UseManualTime()
            ->Iterations(kLaunches)
            ->Unit(benchmark::kMillisecond);
        for (const QString &name : editions) {
            const std::string key = keyOf(platform, name);
            QStringList arguments;
            if (!name.isEmpty())
                arguments << QStringLiteral("--edition") << name;
            benchmark::RegisterBenchmark(key.c_str(), timeLaunches, key,
                                         Launcher{QStringLiteral(ZOV_PROGRAM), arguments, display})
                ->UseManualTime()
                ->Iterations(kLaunches)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nMedian of %d launches to the welcome window exposed (target: under %.1f s and at most %.0fx the bare window)\n",
                kLaunches, kTargetSeconds, kTargetRatio);
    std::printf("%-58s %10s %8s  %s\n", "edition", "median ms", "ratio", "target");
    bool allMet = true;
    for (const QString &platform : platforms) {
        const double floor = median(gSeconds[(QStringLiteral("bare window/") + platform).toStdString()]);
        std::printf("%-58s %10.1f %8s\n", ("bare window/" + platform.toStdString()).c_str(), floor * 1000, "1.00");
        for (const QString &name : editions) {
            const std::string key = keyOf(platform, name);
            if (gSeconds[key].empty())
                continue;  // left out by --benchmark_filter
            const double seconds = median(gSeconds[key]);
            const double ratio = floor > 0 && seconds > 0 ? seconds / floor : -1;
            const bool met = seconds > 0 && seconds < kTargetSeconds && ratio > 0 && ratio <= kTargetRatio;
            const bool judged = platform == QLatin1String("xvfb");
            allMet = allMet && (met || !judged);
            std::printf("%-58s %10.1f %8.2f  %s\n", key.c_str(), seconds * 1000, ratio,
                        !judged ? "(no target offscreen)" : benchsummary::verdict(met));
        }
    }
    if (gDisplay.isEmpty())
        std::printf("No X server: the target is judged under one, so it is not judged here.\n");
    else
        std::printf("every edition: %s\n", benchsummary::verdict(allMet));
    if (server.state() != QProcess::NotRunning) {
        server.kill();
        server.waitForFinished();
    }
    return 0;
}
