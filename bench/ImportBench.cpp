// Imports a published page of 100 and of 200 pictures (each with its retina copy)
// from Python's web server on 127.0.0.1, and in the same run fetches the same
// addresses with one `curl` run; prints the medians, the 200-to-100 ratio (target
// 2.2) and the import's downloads against curl's (target 1.2).
#include "BenchSummary.h"
#include "platform/HttpClient.h"
#include "publishing/PageImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The test servers lie beside the sources, wherever the program is run from.
const QString kServers = QStringLiteral(ZOV_SOURCE_RESOURCES "/../tests/servers/");

// The web server of tests/servers, kept until destroyed.
class WebServer {
public:
    explicit WebServer(const QString &root)
    {
        process_.setProgram(QStringLiteral("/usr/bin/python3"));
        process_.setArguments({kServers + QStringLiteral("http_server.py"), root});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        QByteArray line;
        while (!line.endsWith('\n') && process_.waitForReadyRead(30000))
            line += process_.readAll();
        const qsizetype at = line.indexOf("READY ");
        if (at >= 0)
            port = QJsonDocument::fromJson(line.mid(at + 6).trimmed()).object().value(QStringLiteral("port")).toInt();
    }
    ~WebServer()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000))
            process_.kill();
    }
    int port = 0;

private:
    QProcess process_;
};

struct Page {
    QString address;
    QStringList addresses;  // the page and every picture import asks for
};

// A page in the form our generator writes, with count pictures and their retina copies.
Page makePage(const QString &root, const QString &name, int count, int port)
{
    QString rules;
    QImage plain(200, 150, QImage::Format_RGB32);
    QImage retina(400, 300, QImage::Format_RGB32);
    const QString base = QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(name);
    Page page;
    page.address = base + QStringLiteral(".html");
    page.addresses << page.address;
    QDir().mkpath(QDir(root).filePath(name));
    for (int i = 0; i < count; ++i) {
        const QString picture = QStringLiteral("image%1").arg(i);
        rules += QStringLiteral(".%1{position:absolute;left:10px;top:20px;z-index:1;imagename:%1;imagetype:png;width:200px;"
                                "height:150px;reflection:0;border-width:0px;border-style:none;fixed:0;}\n")
                     .arg(picture);
        plain.fill(QColor::fromHsv((i * 37) % 360, 200, 200));
        retina.fill(QColor::fromHsv((i * 37) % 360, 200, 200));
        plain.save(QDir(root).filePath(name + QLatin1Char('/') + picture + QStringLiteral(".png")));
        retina.save(QDir(root).filePath(name + QLatin1Char('/') + picture + QStringLiteral("@2x.png")));
        page.addresses << base + QLatin1Char('/') + picture + QStringLiteral(".png")
                       << base + QLatin1Char('/') + picture + QStringLiteral("@2x.png");
    }
    const QString text = QStringLiteral("<!DOCTYPE html>\n<html><head>\n<meta charset='utf-8'>\n") + PageImport::kWebMark
                         + QStringLiteral(" 1.0'>\n<style type='text/css'>\n") + rules
                         + QStringLiteral("</style></head>\n<body></body></html>\n");
    QFile file(QDir(root).filePath(name + QStringLiteral(".html")));
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
    return page;
}

QString gReceived;

void importPage(benchmark::State &state, const Page *page)
{
    for (auto _ : state) {
        PageImport::Input input;
        input.typedAddress = page->address;
        input.receivedFolder = gReceived;
        input.documentExtension = QStringLiteral("zov");
        const PageImport::Outcome outcome = PageImport::run(input);
        state.PauseTiming();
        if (!outcome.ok || outcome.imagesWritten.size() * 2 + 1 != page->addresses.size()) {
            std::fprintf(stderr, "import %d: %s, %lld pictures\n", int(outcome.ok), qPrintable(outcome.reason),
                         qlonglong(outcome.imagesWritten.size()));
            state.SkipWithError("the import failed");
            break;
        }
        QDir(gReceived).removeRecursively();
        QDir().mkpath(gReceived);
        state.ResumeTiming();
    }
}

// The downloads of an import alone: the same addresses through one HttpClient, as
// the import fetches them (its pictures are then decoded, scaled and written).
void downloadPage(benchmark::State &state, const Page *page)
{
    for (auto _ : state) {
        HttpClient client;
        for (const QString &address : page->addresses) {
            if (!client.get(address, 10000, PageImport::kMaxImageBytes).ok) {
                state.SkipWithError("a download failed");
                break;
            }
        }
    }
}

void curlPage(benchmark::State &state, const Page *page)
{
    // One curl run, one connection, every address of the import.
    QTemporaryDir folder;
    QString config;
    for (const QString &address : page->addresses)
        config += QStringLiteral("url = \"%1\"\noutput = \"/dev/null\"\n").arg(address);
    const QString configPath = folder.filePath(QStringLiteral("addresses"));
    QFile file(configPath);
    file.open(QIODevice::WriteOnly);
    file.write(config.toUtf8());
    file.close();
    for (auto _ : state) {
        if (QProcess::execute(QStringLiteral("curl"), {QStringLiteral("-sf"), QStringLiteral("-K"), configPath}) != 0)
            state.SkipWithError("curl failed");
    }
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir home;
    const QString root = home.filePath(QStringLiteral("site"));
    gReceived = home.filePath(QStringLiteral("received"));
    QDir().mkpath(root);
    QDir().mkpath(gReceived);
    WebServer web(root);
    if (web.port == 0) {
        std::fprintf(stderr, "the web server did not start\n");
        return 1;
    }
    const Page page100 = makePage(root, QStringLiteral("page100"), 100, web.port);
    const Page page200 = makePage(root, QStringLiteral("page200"), 200, web.port);

    auto configure = [](benchmark::internal::Benchmark *b) {
        b->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    configure(benchmark::RegisterBenchmark("import 100", importPage, &page100));
    configure(benchmark::RegisterBenchmark("downloads 100", downloadPage, &page100));
    configure(benchmark::RegisterBenchmark("curl 100", curlPage, &page100));
    configure(benchmark::RegisterBenchmark("import 200", importPage, &page200));
    benchsummary::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double ours = reporter.at("import 100");
    const double curl = reporter.at("curl 100");
    const double large = reporter.at("import 200");
    const double growth = ours > 0 && large > 0 ? large / ours : -1.0;
    std::printf("\nimport 100: %.0f ms, import 200: %.0f ms: %.2fx (target at most 2.2x: %s)\n", ours, large, growth,
                benchsummary::verdict(growth > 0 && growth <= 2.2));
    const double downloads = reporter.at("downloads 100");
    const double against = curl > 0 && downloads > 0 ? downloads / curl : -1.0;
    std::printf("downloads of import 100: %.0f ms against one curl run of the same addresses (%.0f ms): %.2fx "
                "(target at most 1.2x: %s)\n",
                downloads, curl, against, benchsummary::verdict(against > 0 && against <= 1.2));
    return 0;
}
