// A child process saves changed versions of one page in a loop; this process
// kills it with SIGKILL at random moments and opens the package after each
// kill. The package must always open, as the last completed version or the
// one being written, with all its graphics, and part files must not pile up.
//
//   document_crash_safety [kills]          the parent (default 300 kills)
//   document_crash_safety --child DIR      one saving child
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "platform/Alerts.h"
#include "platform/SafeFileWrite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <sys/types.h>

namespace {
void setUpEdition(const QString &dir, const QString &workName)
{
    EditionSettings::resetToInitialState();
    gAppName = QStringLiteral("Zov Web");
    gAppVersion = QStringLiteral("1.0");
    gDocumentExtension = QStringLiteral("zovweb");
    gPageTitleEnabled = true;
    gWorkFolder = QDir(dir).filePath(workName);
    gReceivedPagesFolder = QStringLiteral("Received");
    QDir().mkpath(gWorkFolder);
}

QString packagePath(const QString &dir)
{
    return QDir(dir).filePath(QStringLiteral("page.zovweb"));
}

int graphicsOfVersion(int version)
{
    return 3 + version % 5;
}

QString textOf(int version, int item)
{
    return QStringLiteral("version %1 item %2").arg(version).arg(item);
}

void fill(SKTDocument &doc, int version)
{
    doc.clearAllGraphics();
    const int count = graphicsOfVersion(version);
    for (int i = 0; i + 1 < count; ++i) {
        auto t = std::make_shared<SKTText>();
        t->setTextType(QStringLiteral("Text"));
        t->setBounds(QRectF(10, 10 + 50 * i, 200, 40));
        t->setTextString(textOf(version, i));
        t->setValue(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
        doc.addInGraphics(t);
    }
    auto line = std::make_shared<SKTLine>();
    line->setBounds(QRectF(0, 5, 300 + version % 50, 0));
    doc.addInGraphics(line);
}

int readDone(const QString &dir)
{
    QFile f(QDir(dir).filePath(QStringLiteral("done")));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toInt() : 0;
}

int runChild(const QString &dir)
{
    setUpEdition(dir, QStringLiteral("child-work"));
    int version = readDone(dir) + 1;
    const QString working = QDir(dir).filePath(QStringLiteral("child-page"));
    QDir(working).removeRecursively();
    QDir().mkpath(working);
    SKTDocument doc;
    doc.pageName = QStringLiteral("page");
    doc.pageOfficialName = QStringLiteral("Page");
    doc.pageFileExtension = QStringLiteral("html");
    doc.mainTemplateName = QStringLiteral("page");
    doc.encodingType = QStringLiteral("UTF-8");
    doc.tempSavePathLocal = working;
    auto saveVersion = [&](int v) {
        fill(doc, v);
        if (!doc.saveThisPage(packagePath(dir), false)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(doc.lastSaveError));
            std::exit(2);
        }
        SafeFileWrite::write(QDir(dir).filePath(QStringLiteral("done")), QByteArray::number(v));
    };
    // The very first version is saved before the parent may kill, so that
    // there is always a package to open.
    if (version == 1)
        saveVersion(version++);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;; ++version)
        saveVersion(version);
}

// The version the opened page holds, or -1 when it is not a whole version.
int versionOfPackage(const QString &dir, int *graphics)
{
    SKTDocument doc;
    if (!doc.readFromFile(packagePath(dir)))
        return -1;
    *graphics = int(doc.graphics().size());
    const QList<SKTText *> texts = doc.textAreas();
    if (texts.isEmpty())
        return -1;
    QStringList words = texts.first()->textString().split(QLatin1Char(' '));
    const int version = words.size() == 4 ? words[1].toInt() : -1;
    if (*graphics != graphicsOfVersion(version))
        return -1;
    for (SKTText *t : texts)
        if (!t->textString().startsWith(QStringLiteral("version %1 ").arg(version)))
            return -1;
    QDir(QDir(gWorkFolder).filePath(QStringLiteral("Received"))).removeRecursively();
    return version;
}

int runParent(const QString &program, int wantedKills)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    setUpEdition(dir, QStringLiteral("parent-work"));
    int kills = 0, opened = 0, oldCount = 0, newCount = 0, lost = 0;
    QElapsedTimer clock;
    clock.start();
    auto *random = QRandomGenerator::global();
    while (kills < wantedKills) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(program, {QStringLiteral("--child"), dir});
        if (!child.waitForReadyRead(10000)) {
            std::fprintf(stderr, "the child did not start\n");
            return 1;
        }
        // Let the first save get under way on most runs, and kill at any
        // moment of the save loop after that.
        QThread::usleep(random->bounded(2000, 60000));
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished(10000);
        if (child.exitStatus() != QProcess::CrashExit) {
            std::fprintf(stderr, "the child ended by itself\n");
            return 1;
        }
        ++kills;
        const int done = readDone(dir);
        int graphics = 0;
        const int version = versionOfPackage(dir, &graphics);
        if (version < 0) {
            ++lost;
            std::fprintf(stderr, "kill %d: the package did not open as a whole version (done %d)\n", kills, done);
            continue;
        }
        ++opened;
        if (version == done)
            ++oldCount;
        else if (version == done + 1)
            ++newCount;
        else {
            ++lost;
            std::fprintf(stderr, "kill %d: opened version %d, last completed %d\n", kills, version, done);
        }
    }
    // At most one part file (of the write that was killed) may be left.
    const QStringList parts =
        QDir(dir).entryList({QStringLiteral(".*.zovpart*")}, QDir::Files | QDir::Hidden | QDir::System);
    std::printf("kills=%d opened=%d old=%d new=%d lost=%d\n", kills, opened, oldCount, newCount, lost);
    std::printf("part files left=%d, %.1f s\n", int(parts.size()), clock.elapsed() / 1000.0);
    return lost == 0 && parts.size() <= 1 && opened == kills ? 0 : 1;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The children inherit this private runtime folder.
    QTemporaryDir runtime;
    if (qgetenv("XDG_RUNTIME_DIR").isEmpty() && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("--child"))
        return runChild(args[2]);
    const int kills = args.size() >= 2 ? args[1].toInt() : 300;
    return runParent(app.applicationFilePath(), kills > 0 ? kills : 300);
}
