// Sends one HTML design with a picture to 1,000 recipients through a local SMTP server
// with SmtpSender, and the same message to the same envelope with Python's smtplib,
// and prints the medians, recipients per second and the ratio against the target.
// Then makes personalised pages for 500 and 1,000 contacts in a project, beside the
// floor of opening that page and saving it as a new page 1,000 times, and prints pages
// per second.
#include "BenchSummary.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "platform/MimeMessage.h"
#include "platform/SmtpSender.h"
#include "publishing/MergePages.h"
#include "window/ProjectPages.h"

#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

const int kRecipients = 1000;
const double kTarget = 1.0;  // ours / smtplib
const double kMergeScaleTarget = 2.2;  // 1,000 contacts / 500 contacts
const double kMergeFloorTarget = 1.2;  // 1,000 contacts / opening and saving 1,000 new pages

struct Fixture {
    QTemporaryDir dir;
    QProcess server;
    int port = 0;
    MimeMessage message;
    QProcess python;  // the smtplib peer, started once, sends on each "go"
};

Fixture *fixture = nullptr;

const char *kPeer = R"PY(
import smtplib, sys
port, eml, rcpt = int(sys.argv[1]), sys.argv[2], sys.argv[3]
data = open(eml, 'rb').read()
recipients = open(rcpt).read().split()
for line in sys.stdin:
    s = smtplib.SMTP('127.0.0.1', port)
    refused = s.sendmail('sender@example.org', recipients, data)
    s.quit()
    print('done %d' % (len(recipients) - len(refused)), flush=True)
)PY";

bool startServer(Fixture &f)
{
    const QString script = QStringLiteral(ZOV_SOURCE_DATA "/../tests/servers/smtp_server.py");
    const QString portFile = f.dir.filePath(QStringLiteral("port"));
    f.server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    f.server.start(QStringLiteral("/usr/bin/python3"),
                   {script, QStringLiteral("--port-file"), portFile, QStringLiteral("--mail-dir"),
                    f.dir.filePath(QStringLiteral("mail"))});
    for (int i = 0; i < 400 && f.port == 0; ++i) {
        QFile file(portFile);
        if (file.open(QIODevice::ReadOnly))
            f.port = file.readAll().trimmed().toInt();
        else
            QThread::msleep(25);
    }
    return f.port > 0;
}

void makeMessage(Fixture &f)
{
    MimeMessage &m = f.message;
    m.setFrom(QStringLiteral("Sender"), QStringLiteral("sender@example.org"));
    m.setSubject(QStringLiteral("Our spring collection – 20 % off"));
    QString html = QStringLiteral("<html><body><table>");
    for (int i = 0; i < 200; ++i)
        html += QStringLiteral("<tr><td style=\"font-family:Arial\">Row %1 of the design, with text ä ö ü</td></tr>\n").arg(i);
    html += QStringLiteral("<img src=\"cid:pic@zov\"></table></body></html>");
    m.setHtmlBody(html);
    m.addRelatedPart({QByteArray(60 * 1024, 'P'), QStringLiteral("image/png"), QStringLiteral("pic@zov"),
                      QStringLiteral("design.png")});
    QByteArray list;
    for (int i = 0; i < kRecipients; ++i) {
        const QString address = QStringLiteral("person%1@example.org").arg(i);
        (i % 3 ? m.addBcc({}, address) : m.addTo({}, address));
        list += address.toLatin1() + '\n';
    }
    QFile rcpt(f.dir.filePath(QStringLiteral("rcpt.txt")));
    rcpt.open(QIODevice::WriteOnly);
    rcpt.write(list);
    QFile eml(f.dir.filePath(QStringLiteral("message.eml")));
    eml.open(QIODevice::WriteOnly);
    eml.write(m.toMime());
}

void ours(benchmark::State &state)
{
    SmtpSender::Settings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = fixture->port;
    settings.security = SmtpSender::Security::None;
    for (auto _ : state) {
        const auto result = SmtpSender(settings).send(fixture->message);
        if (!result.complete() || result.delivered.size() != kRecipients)
            state.SkipWithError(result.error.toUtf8().constData());
    }
    state.counters["recipients/s"] = benchmark::Counter(double(kRecipients), benchmark::Counter::kIsIterationInvariantRate);
}

void smtplibPeer(benchmark::State &state)
{
    for (auto _ : state) {
        fixture->python.write("go\n");
        while (!fixture->python.canReadLine() && fixture->python.waitForReadyRead(60000)) {
        }
        const QByteArray answer = fixture->python.readLine().trimmed();
        if (answer != "done " + QByteArray::number(kRecipients))
            state.SkipWithError(("smtplib did not deliver to everyone: " + answer.toStdString()).c_str());
    }
    state.counters["recipients/s"] = benchmark::Counter(double(kRecipients), benchmark::Counter::kIsIterationInvariantRate);
}

// A project folder with one page holding personalisation tags, made afresh per run.
struct MergeProject {
    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<ProjectPages> pages;

    MergeProject()
    {
        gWorkFolder = dir.filePath(QStringLiteral("work"));
        QDir().mkpath(QDir(gWorkFolder).filePath(gReceivedPagesFolder));
        folder = dir.filePath(QStringLiteral("project"));
        QDir().mkpath(folder);
        SKTDocument page;
        page.pageName = QStringLiteral("index");
        page.pageOfficialName = QStringLiteral("Home");
        page.pageFileExtension = QStringLiteral("html");
        page.pageFileType = gDocumentExtension;
        page.mainTemplateName = QStringLiteral("index");
        page.encodingType = QStringLiteral("UTF-8");
        page.tempSavePathLocal = dir.filePath(QStringLiteral("make"));
        QDir().mkpath(page.tempSavePathLocal);
        for (int i = 0; i < 6; ++i) {
            auto t = std::make_shared<SKTText>();
            t->setTextType(QStringLiteral("Text"));
            t->setBounds({20.0, 30.0 + 60 * i, 500, 50});
            t->setTextString(QStringLiteral("Dear [FIRST_NAME] [LAST_NAME],\n[COMPANY_NAME]\n[STREET]\n[CITY] [ZIPCODE]"));
            t->setValue(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
            page.insertGraphicAtIndex(t, 0);
        }
        page.saveThisPage(QDir(folder).filePath(QStringLiteral("index.") + gDocumentExtension), false);
        document = std::make_unique<SKTDocument>();
        pages = std::make_unique<ProjectPages>(*document);
        pages->setOpenWebsiteFolderPath(folder);
        pages->refreshWebsite();
    }
};

QList<Contacts::MergeRecord> contacts(int count)
{
    QList<Contacts::MergeRecord> list;
    for (int i = 0; i < count; ++i) {
        Contacts::MergeRecord r;
        r.insert(QStringLiteral("[UNIQUE_CONTACT_ID]"), QStringLiteral("u%1").arg(i));
        r.insert(QStringLiteral("[FIRST_NAME]"), QStringLiteral("First%1").arg(i));
        r.insert(QStringLiteral("[LAST_NAME]"), QStringLiteral("Last%1").arg(i));
        r.insert(QStringLiteral("[COMPANY_NAME]"), QStringLiteral("Company %1").arg(i));
        r.insert(QStringLiteral("[STREET]"), QStringLiteral("%1 Main Street").arg(i));
        r.insert(QStringLiteral("[CITY]"), QStringLiteral("Springfield"));
        r.insert(QStringLiteral("Address_Number"), QStringLiteral("0"));
        list << r;
    }
    return list;
}

void mergePages(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QList<Contacts::MergeRecord> list = contacts(count);
    for (auto _ : state) {
        state.PauseTiming();
        MergeProject project;
        state.ResumeTiming();
        const MergePages::Outcome outcome = MergePages(*project.pages).populatePersonalizedDocuments(list);
        if (outcome.created.size() != count)
            state.SkipWithError("not every page was made");
    }
    state.counters["pages/s"] = benchmark::Counter(double(count), benchmark::Counter::kIsIterationInvariantRate);
}

// Opens and saves the same page count times: in place (the floor of editing
// one page), or under as many new names (newPages), so each save writes a
// package, a working page and screenshots that did not exist before, as each
// personalised page must. Saving in place rewrites files that are already there
// and lets the save skip what did not change, so it is no floor for making many.
void openAndSaveTimes(benchmark::State &state, bool newPages)
{
    const int count = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        MergeProject project;
        SKTDocument &document = *project.document;
        const QString page = document.fileURLPath;
        state.ResumeTiming();
        for (int i = 0; i < count; ++i) {
            document.fileURLPath = page;
            document.refreshDocument();
            if (newPages) {
                const QString name = QStringLiteral("page%1").arg(i);
                document.pageName = name;
                document.pagePath.clear();
                document.fileURLPath = QDir(project.folder).filePath(name + QLatin1Char('.') + gDocumentExtension);
            }
            document.documentChangedCounter += 1;
            if (!document.askPageToSaveItself())
                state.SkipWithError("the page could not be saved");
        }
    }
    state.counters["pages/s"] = benchmark::Counter(double(count), benchmark::Counter::kIsIterationInvariantRate);
}

void openAndSave(benchmark::State &state) { openAndSaveTimes(state, false); }
void openAndSaveAsNewPages(benchmark::State &state) { openAndSaveTimes(state, true); }

}  // namespace

int main(int argc, char **argv)
{
    // Saving a page draws its screenshots: fonts need a GUI application, no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture f;
    fixture = &f;
    if (!startServer(f)) {
        std::fprintf(stderr, "the SMTP test server did not start\n");
        return 1;
    }
    makeMessage(f);
    f.python.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    f.python.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-c"), QString::fromLatin1(kPeer), QString::number(f.port),
                    f.dir.filePath(QStringLiteral("message.eml")), f.dir.filePath(QStringLiteral("rcpt.txt"))});
    f.python.waitForStarted();

    benchmark::RegisterBenchmark("SmtpSender_1000_recipients", ours)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(9);
    benchmark::RegisterBenchmark("smtplib_1000_recipients", smtplibPeer)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(9);
    EditionSettings::resetToInitialState();
    gAppName = QStringLiteral("Glentor Mails Pro 2");
    gDocumentExtension = QStringLiteral("glentormails");
    gReceivedPagesFolder = QStringLiteral("Received");
    gPersonalizationTags = {QStringLiteral("[FIRST_NAME]"), QStringLiteral("[LAST_NAME]"), QStringLiteral("[COMPANY_NAME]"),
                            QStringLiteral("[STREET]"), QStringLiteral("[CITY]"), QStringLiteral("[ZIPCODE]")};
    benchmark::RegisterBenchmark("MergePages", mergePages)
        ->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
    benchmark::RegisterBenchmark("OpenAndSavePage", openAndSave)
        ->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
    benchmark::RegisterBenchmark("OpenAndSaveAsNewPages", openAndSaveAsNewPages)
        ->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
    benchsummary::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    using benchsummary::verdict;
    const double a = reporter.at("SmtpSender_1000_recipients");
    const double b = reporter.at("smtplib_1000_recipients");
    if (a > 0 && b > 0) {
        std::printf("\nOne design to %d recipients (medians)\n", kRecipients);
        std::printf("  ours     %8.1f ms  %8.0f recipients/s\n", a, kRecipients / (a / 1000.0));
        std::printf("  smtplib  %8.1f ms  %8.0f recipients/s\n", b, kRecipients / (b / 1000.0));
        std::printf("  ratio    %.2fx   target <= %.2fx   %s\n", a / b, kTarget, verdict(a / b <= kTarget));
    }
    const double m500 = reporter.at("MergePages/500");
    const double m1000 = reporter.at("MergePages/1000");
    const double floor1000 = reporter.at("OpenAndSaveAsNewPages/1000");
    if (m500 > 0 && m1000 > 0 && floor1000 > 0) {
        const double c500 = reporter.cpuAt("MergePages/500");
        const double c1000 = reporter.cpuAt("MergePages/1000");
        const double cFloor = reporter.cpuAt("OpenAndSaveAsNewPages/1000");
        std::printf("\nPersonalised pages (medians)\n");
        std::printf("  500 contacts    %8.1f ms  %8.1f pages/s\n", m500, 500 / (m500 / 1000.0));
        std::printf("  1,000 contacts  %8.1f ms  %8.1f pages/s\n", m1000, 1000 / (m1000 / 1000.0));
        std::printf("  floor (1,000 opens, each saved as a new page) %8.1f ms\n", floor1000);
        std::printf("  1,000 / 500     %.2fx   target <= %.2fx   %s   (CPU %.2fx)\n", m1000 / m500, kMergeScaleTarget,
                    verdict(m1000 / m500 <= kMergeScaleTarget), c500 > 0 ? c1000 / c500 : 0.0);
        std::printf("  1,000 / floor   %.2fx   target <= %.2fx   %s   (CPU %.2fx)\n", m1000 / floor1000, kMergeFloorTarget,
                    verdict(m1000 / floor1000 <= kMergeFloorTarget), cFloor > 0 ? c1000 / cFloor : 0.0);
        // Each personalised page is a new page, so saving in place is no floor for
        // the merge: it rewrites files already there and skips what did not change.
        const double inPlace = reporter.at("OpenAndSavePage/1000");
        if (inPlace > 0)
            std::printf("  for comparison, 1,000 opens each saved in place: %.1f ms (1,000 contacts / that %.2fx, no target)\n",
                        inPlace, m1000 / inPlace);
    }
    f.python.closeWriteChannel();
    f.python.waitForFinished(5000);
    f.server.terminate();
    f.server.waitForFinished(5000);
    benchmark::Shutdown();
    return 0;
}
