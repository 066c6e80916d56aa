// Publishes a site of 500 files (100 pages, 400 pictures, about 60 MB) with UploadFTPS
// to vsftpd over FTP and FTPS and to sshd over SFTP, and in the same run sends the same
// folder with `lftp -e "mirror -R"` to the same servers, in five rounds of the three
// side by side; prints the median times and the ratio per protocol, and ours for
// 1,000 files against ours for 500.
//
// The servers are the test servers of tests/servers; they need root (a throw-away
// system user) and Debian's vsftpd, openssh-server, lftp and python3.
#include "BenchSummary.h"
#include "platform/TrustStore.h"
#include "platform/UserDefaults.h"
#include "platform/CredentialStore.h"
#include "publishing/UploadFTPS.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// The test servers lie beside the sources, wherever the program is run from.
const QString kServers = QStringLiteral(ZOV_SOURCE_RESOURCES "/../tests/servers/");

// One server script of tests/servers, kept until destroyed.
class Server {
public:
    explicit Server(const QString &script)
    {
        process_.setProgram(QStringLiteral("/usr/bin/python3"));
        process_.setArguments({kServers + script});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        QByteArray line;
        while (process_.waitForReadyRead(30000)) {
            line += process_.readAll();
            if (line.endsWith('\n'))
                break;
        }
        const qsizetype at = line.indexOf("READY ");
        if (at >= 0)
            info = QJsonDocument::fromJson(line.mid(at + 6).trimmed()).object();
    }
    ~Server()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000))
            process_.kill();
    }
    QString value(const char *key) const { return info.value(QLatin1String(key)).toVariant().toString(); }
    QJsonObject info;

private:
    QProcess process_;
};

struct Site {
    QString folder;
    QList<UploadItem> items;
    qint64 bytes = 0;
};

// pages pages at the root, each with four pictures in a folder named after it.
Site makeSite(const QString &folder, int pages, quint32 seed)
{
    Site site;
    site.folder = folder;
    QRandomGenerator random(seed);
    for (int p = 0; p < pages; ++p) {
        const QString page = QStringLiteral("page%1").arg(p);
        QDir().mkpath(folder + QLatin1Char('/') + page);
        for (int i = 0; i < 4; ++i) {
            QByteArray data(145 * 1024, Qt::Uninitialized);
            random.fillRange(reinterpret_cast<quint32 *>(data.data()), data.size() / 4);
            const QString name = QStringLiteral("photo%1@2x.jpg").arg(i);
            const QString path = folder + QLatin1Char('/') + page + QLatin1Char('/') + name;
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(data);
            site.items.append({path, QLatin1Char('/') + page, name, {}, {}, 0, false});
            site.bytes += data.size();
        }
        QByteArray html = "<html><body>";
        while (html.size() < 20000)
            html += "<div class=\"graphic\" style=\"left:12px;top:40px\">" + page.toUtf8() + "</div>\n";
        html += "</body></html>";
        const QString path = folder + QLatin1Char('/') + page + QStringLiteral(".html");
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(html);
        site.items.append({path, QString(), page + QStringLiteral(".html"), {}, {}, 0, false});
        site.bytes += html.size();
    }
    return site;
}

struct Target {
    const char *name;      // "FTP", "FTPS", "SFTP"
    const Server *server;
};

struct Counter : UploadFTPSViewDelegate {
    int sent = 0;
    bool failed = false;
    QString details;
    void UploadUpdate(UploadFTPS *, bool result, const QString &text, int32_t) override
    {
        if (result)
            ++sent;
        else {
            failed = true;
            details = text;
        }
    }
};

void clearRemote(const Server &server, const QString &folder)
{
    QDir(server.value("home") + QLatin1Char('/') + folder).removeRecursively();
}

void makeRemote(const Server &server, const QString &folder)
{
    // Made by the server's own user: the upload needs its remote path to exist.
    QProcess::execute(QStringLiteral("install"), {QStringLiteral("-d"), QStringLiteral("-o"), server.value("user"),
                                                  server.value("home") + QLatin1Char('/') + folder});
}

void publishOurs(benchmark::State &state, Target target, const Site *site)
{
    const QString remote = QStringLiteral("ours");
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(QStringLiteral("127.0.0.1"), QStringLiteral("server"));
    defaults.setString(target.server->value("user"), QStringLiteral("username"));
    defaults.setString(QString::number(target.server->info.value(QStringLiteral("port")).toInt()), QStringLiteral("portnumber"));
    defaults.setString(remote, QStringLiteral("remotepath"));
    defaults.setString(QString::fromLatin1(target.name), QStringLiteral("connectiontype"));
    CredentialStore().setPassword(QStringLiteral("password"), target.server->value("password"));
    for (auto _ : state) {
        state.PauseTiming();
        clearRemote(*target.server, remote);
        makeRemote(*target.server, remote);
        state.ResumeTiming();
        Counter counter;
        UploadFTPS transport;
        transport.setDelegate(&counter);
        transport.setHostKeyConsent([](const QString &, const QString &) { return true; });
        transport.grabCurrentSettings();
        transport.setUploadItemArray(site->items);
        transport.uploadSingleFile();
        if (counter.failed || counter.sent != site->items.size())
            state.SkipWithError(("upload failed: " + counter.details.right(600)).toStdString().c_str());
    }
    state.SetBytesProcessed(state.iterations() * site->bytes);
}

void publishLftp(benchmark::State &state, Target target, const Site *site)
{
    const QString remote = QStringLiteral("lftp");
    const QString name = QString::fromLatin1(target.name);
    QString settings = QStringLiteral("set net:max-retries 1; set cmd:fail-exit true; ");
    QString url;
    const QString port = QString::number(target.server->info.value(QStringLiteral("port")).toInt());
    if (name == QLatin1String("SFTP")) {
        settings += QStringLiteral("set sftp:auto-confirm yes; set sftp:connect-program \"ssh -a -x -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null\"; ");
        url = QStringLiteral("sftp://127.0.0.1:") + port;
    } else {
        settings += name == QLatin1String("FTPS")
                        // TLS 1.2 as ours: vsftpd loses the end of TLS 1.3 uploads.
                        ? QStringLiteral("set ftp:ssl-force true; set ftp:ssl-protect-data true; "
                                         "set ssl:priority NORMAL:-VERS-TLS1.3; set ssl:ca-file \"%1\"; ")
                              .arg(target.server->value("certificate"))
                        : QStringLiteral("set ftp:ssl-allow false; ");
        settings += QStringLiteral("set ftp:passive-mode true; ");
        url = QStringLiteral("ftp://127.0.0.1:") + port;
    }
    const QString command = settings + QStringLiteral("mirror -R --no-perms \"%1\" \"%2\"; quit").arg(site->folder, remote);
    for (auto _ : state) {
        state.PauseTiming();
        clearRemote(*target.server, remote);
        state.ResumeTiming();
        QProcess lftp;
        lftp.setProcessChannelMode(QProcess::MergedChannels);
        lftp.start(QStringLiteral("lftp"), {QStringLiteral("-u"), target.server->value("user") + QLatin1Char(',') + target.server->value("password"),
                                            QStringLiteral("-e"), command, url});
        if (!lftp.waitForFinished(300000) || lftp.exitCode() != 0) {
            lftp.kill();
            lftp.waitForFinished(5000);
            state.SkipWithError(("lftp failed: " + lftp.readAll().right(600)).toStdString().c_str());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * site->bytes);
}

}  // namespace

int main(int argc, char **argv)
{
    // Settings, trusted certificates and known hosts of this run stay in a folder of its own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zov-bench");
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    UserDefaults::setStandardFilePath(home.filePath(QStringLiteral("zov.ini")));

    Server vsftpd(QStringLiteral("vsftpd_server.py"));
    Server sshd(QStringLiteral("sshd_server.py"));
    if (vsftpd.info.isEmpty() || sshd.info.isEmpty()) {
        std::fprintf(stderr, "the test servers did not start (they need root)\n");
        return 1;
    }
    QFile certificate(vsftpd.value("certificate"));
    certificate.open(QIODevice::ReadOnly);
    // Trusted for this server alone, as a person's "Trust" answer does.
    TrustStore::trustCertificate(certificate.readAll(),
                                 TrustStore::serverName(QStringLiteral("127.0.0.1"),
                                                        vsftpd.info.value(QStringLiteral("port")).toInt()));

    const Site site500 = makeSite(home.filePath(QStringLiteral("site500")), 100, 1);
    const Site site1000 = makeSite(home.filePath(QStringLiteral("site1000")), 200, 2);
    std::printf("Site: %lld files, %.1f MB; larger site: %lld files, %.1f MB\n", qlonglong(site500.items.size()),
                double(site500.bytes) / (1024.0 * 1024.0), qlonglong(site1000.items.size()),
                double(site1000.bytes) / (1024.0 * 1024.0));

    const Target targets[] = {{"FTP", &vsftpd}, {"FTPS", &vsftpd}, {"SFTP", &sshd}};
    // Rounds of the three runs side by side, so that the load of a shared
    // machine and its disk falls on ours and lftp's alike.
    const int rounds = 5;
    auto configure = [](benchmark::internal::Benchmark *b) {
        b->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    for (int round = 0; round < rounds; ++round) {
        const std::string suffix = "/round:" + std::to_string(round);
        for (const Target &target : targets) {
            const std::string name = target.name;
            configure(benchmark::RegisterBenchmark((name + "/UploadFTPS 500" + suffix).c_str(), publishOurs, target,
                                                   &site500));
            configure(benchmark::RegisterBenchmark((name + "/lftp mirror -R 500" + suffix).c_str(), publishLftp,
                                                   target, &site500));
            configure(benchmark::RegisterBenchmark((name + "/UploadFTPS 1000" + suffix).c_str(), publishOurs, target,
                                                   &site1000));
        }
    }
    benchsummary::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nmedians of %d rounds; the ratios are the medians of each round's own ratio\n", rounds);
    std::printf("%-6s %14s %14s %8s %14s   %16s %14s\n", "", "UploadFTPS ms", "lftp ms", "ratio", "target",
                "1000 vs 500", "target");
    for (const Target &target : targets) {
        const std::string name = target.name;
        std::vector<double> ours, theirs, large, ratios, growths;
        for (int round = 0; round < rounds; ++round) {
            const std::string suffix = "/round:" + std::to_string(round);
            const double a = reporter.at(name + "/UploadFTPS 500" + suffix);
            const double b = reporter.at(name + "/lftp mirror -R 500" + suffix);
            const double c = reporter.at(name + "/UploadFTPS 1000" + suffix);
            if (a > 0)
                ours.push_back(a);
            if (b > 0)
                theirs.push_back(b);
            if (c > 0)
                large.push_back(c);
            if (a > 0 && b > 0)
                ratios.push_back(a / b);
            if (a > 0 && c > 0)
                growths.push_back(c / a);
        }
        if (ours.empty() && theirs.empty() && large.empty())
            continue;  // left out by --benchmark_filter, or failed (the runs above say why)
        const double ratio = benchsummary::median(ratios);
        const double growth = benchsummary::median(growths);
        std::printf("%-6s %14.0f %14.0f %7.2fx  <= 1.0x %-7s  %15.2fx  <= 2.2x %-7s\n", target.name,
                    benchsummary::median(ours), benchsummary::median(theirs), ratio,
                    benchsummary::verdict(ratio > 0 && ratio <= 1.0), growth,
                    benchsummary::verdict(growth > 0 && growth <= 2.2));
    }
    return 0;
}
