#include "support/PrintQueueServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QThread>

#include <arpa/inet.h>
#include <dlfcn.h>
#include <grp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

namespace {

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool writeFrom(const QString &fixture, const QString &target, const QHash<QString, QString> &values)
{
    QFile in(QStringLiteral(ZOV_TEST_FIXTURES "/printing/") + fixture);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    QString text = QString::fromUtf8(in.readAll());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        text.replace(it.key(), it.value());
    return out.write(text.toUtf8()) > 0;
}

// Queues of one process get names of their own: the PDF backend's settings
// file is named by the queue and lives in the system's folder.
QString nextQueueName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("zovsheets%1x%2").arg(::getpid()).arg(++count);
}

}  // namespace

PrintQueueServer::PrintQueueServer()
    : home_(QStringLiteral("/tmp/zov-print-server-XXXXXX")), folder_(home_.path()), queue_(nextQueueName())
{
}

PrintQueueServer::~PrintQueueServer()
{
    stop();
}

QString PrintQueueServer::outputFolder() const
{
    return folder_ + QStringLiteral("/out");
}

QString PrintQueueServer::tool(const QString &program, const QStringList &arguments, int *code)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    if (code != nullptr)
        *code = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

bool PrintQueueServer::start(QString *why)
{
    auto fail = [why](const QString &text) {
        *why = text;
        return false;
    };
    if (::geteuid() != 0)
        return fail(QStringLiteral("a private print server and its PDF queue need root"));
    if (!QFile::exists(QStringLiteral("/usr/sbin/cupsd")) || !QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
        return fail(QStringLiteral("cupsd or the cups-pdf backend is not installed"));
    const group *lp = ::getgrnam("lp");
    if (lp == nullptr)
        return fail(QStringLiteral("no lp group: is cups installed?"));
    // Filters run as lp and read the spooled jobs below the folder.
    if (!home_.isValid() || ::chmod(QFile::encodeName(folder_).constData(), 0755) != 0)
        return fail(QStringLiteral("cannot make the server's folder under /tmp"));
    for (const char *sub : {"tmp", "spool", "cache", "state", "out", "ppd"}) {
        if (!QDir(folder_).mkpath(QString::fromLatin1(sub)))
            return fail(QStringLiteral("cannot make %1/%2").arg(folder_, QString::fromLatin1(sub)));
    }
    // ... and need a temporary folder of group lp, mode 1770.
    const QByteArray tmp = QFile::encodeName(folder_ + QStringLiteral("/tmp"));
    if (::chown(tmp.constData(), 0, lp->gr_gid) != 0 || ::chmod(tmp.constData(), 01770) != 0)
        return fail(QStringLiteral("cannot give the server's temporary folder to lp"));

    const int port = freePort();
    if (port <= 0)
        return fail(QStringLiteral("no free port on 127.0.0.1"));
    host_ = QStringLiteral("127.0.0.1:%1").arg(port);
    if (!writeFrom(QStringLiteral("cupsd.conf"), folder_ + QStringLiteral("/cupsd.conf"), {{QStringLiteral("@PORT@"), QString::number(port)}})
        || !writeFrom(QStringLiteral("cups-files.conf"), folder_ + QStringLiteral("/cups-files.conf"), {{QStringLiteral("@ROOT@"), folder_}}))
        return fail(QStringLiteral("cannot write the server's settings"));

    // The PDF backend reads its settings for a queue named by its device
    // address from a file beside its main settings.
    queueConfig_ = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue_);
    QFile config(queueConfig_);
    if (!config.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write ") + queueConfig_);
    config.write(QStringLiteral("Out %1\nAnonDirName %1\nLabel 0\nGrp lp\n").arg(outputFolder()).toUtf8());
    config.close();

    server_.setProcessChannelMode(QProcess::ForwardedChannels);
    server_.start(QStringLiteral("/usr/sbin/cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), folder_ + QStringLiteral("/cupsd.conf"),
                                                       QStringLiteral("-s"), folder_ + QStringLiteral("/cups-files.conf")});
    if (!server_.waitForStarted(10000))
        return fail(QStringLiteral("cupsd did not start"));

    int code = -1;
    QString said;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        said = tool(QStringLiteral("lpadmin"), {QStringLiteral("-h"), host_, QStringLiteral("-p"), queue_, QStringLiteral("-E"),
                                                QStringLiteral("-v"), QStringLiteral("cups-pdf:/") + queue_, QStringLiteral("-P"),
                                                QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")},
                    &code);
        if (code == 0)
            break;
        if (server_.state() == QProcess::NotRunning)
            return fail(QStringLiteral("cupsd stopped: ") + said);
        QThread::msleep(200);
    }
    if (code != 0)
        return fail(QStringLiteral("lpadmin: ") + said);
    useServer(host_.toUtf8());
    return true;
}

void PrintQueueServer::stop()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(10000)) {
            server_.kill();
            server_.waitForFinished(5000);
        }
    }
    if (!queueConfig_.isEmpty())
        QFile::remove(queueConfig_);
    queueConfig_.clear();
    if (!host_.isEmpty())
        useServer({});
    host_.clear();
}

QString PrintQueueServer::waitForOutput(int ms) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QDirIterator it(outputFolder(), {QStringLiteral("*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
        if (it.hasNext()) {
            const QString pdf = it.next();
            int code = -1;
            tool(QStringLiteral("pdfinfo"), {pdf}, &code);
            if (code == 0 && tool(QStringLiteral("lpstat"), {QStringLiteral("-h"), host_, QStringLiteral("-o"), queue_}).trimmed().isEmpty())
                return pdf;
        }
        // Jobs the program hands over from its event loop go on meanwhile.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        QThread::msleep(50);
    }
    return {};
}

void PrintQueueServer::useServer(const QByteArray &address)
{
    if (address.isEmpty())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", address);
    using SetServer = void (*)(const char *);
    void *library = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr)
        return;
    if (auto setServer = reinterpret_cast<SetServer>(::dlsym(library, "cupsSetServer")))
        setServer(address.isEmpty() ? nullptr : address.constData());
    ::dlclose(library);
}

QString PrintQueueServer::report() const
{
    QFile log(folder_ + QStringLiteral("/error_log"));
    const QString logged = log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).right(3000) : QString();
    return QStringLiteral("queue %1 on %2: %3\n%4")
        .arg(queue_, host_,
             tool(QStringLiteral("lpstat"), {QStringLiteral("-h"), host_, QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")}),
             logged);
}
