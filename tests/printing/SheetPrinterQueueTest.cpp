// Sheets printed through QPrinter to a real print queue: a private print
// server on 127.0.0.1 with a PDF queue, whose output is read back with
// poppler. Needs root to run the server and add the queue.
#include "PrintingFixture.h"
#include "config/DataCentrePrinting.h"
#include "printing/SheetComposer.h"
#include "printing/ui/SheetPrinter.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <dlfcn.h>
#include <grp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

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

QString tool(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    if (exitCode != nullptr)
        *exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
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

// The queue turns the job into PostScript and back: colours come back a step off.
::testing::AssertionResult looksLike(const QColor &seen, Qt::GlobalColor expected)
{
    const QColor want(expected);
    if (std::abs(seen.red() - want.red()) < 24 && std::abs(seen.green() - want.green()) < 24
        && std::abs(seen.blue() - want.blue()) < 24)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << seen.name().toStdString() << " is not " << want.name().toStdString();
}

class SheetPrinterQueueTest : public PrintingTest {
protected:
    QTemporaryDir root;
    QProcess server;
    QString queue = QStringLiteral("zovsheets%1").arg(::getpid());
    QString queueConfig;
    QString host;

    void SetUp() override
    {
        PrintingTest::SetUp();
        if (::geteuid() != 0)
            GTEST_SKIP() << "a private print server and queue need root";
        ASSERT_TRUE(root.isValid());
        const QString base = root.path();
        const group *lp = ::getgrnam("lp");
        ASSERT_NE(lp, nullptr) << "no lp group: is cups installed?";
        for (const char *folder : {"tmp", "spool", "cache", "state", "out", "ppd"})
            ASSERT_TRUE(QDir(base).mkpath(folder));
        const QByteArray tmp = QFile::encodeName(base + "/tmp");
        ASSERT_EQ(::chown(tmp.constData(), 0, lp->gr_gid), 0);
        ASSERT_EQ(::chmod(tmp.constData(), 01770), 0);

        const int port = freePort();
        ASSERT_GT(port, 0);
        host = QStringLiteral("127.0.0.1:%1").arg(port);
        ASSERT_TRUE(writeFrom("cupsd.conf", base + "/cupsd.conf", {{"@PORT@", QString::number(port)}}));
        ASSERT_TRUE(writeFrom("cups-files.conf", base + "/cups-files.conf", {{"@ROOT@", base}}));

        // The PDF backend reads its settings for a queue named by its device
        // address from a file beside its main settings.
        queueConfig = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue);
        QFile config(queueConfig);
        ASSERT_TRUE(config.open(QIODevice::WriteOnly)) << "cannot write " << queueConfig.toStdString();
        config.write(QStringLiteral("Out %1/out\nAnonDirName %1/out\nLabel 0\nGrp lp\n").arg(base).toUtf8());
        config.close();

        server.setProcessChannelMode(QProcess::ForwardedChannels);
        server.start("/usr/sbin/cupsd", {"-f", "-c", base + "/cupsd.conf", "-s", base + "/cups-files.conf"});
        ASSERT_TRUE(server.waitForStarted(10000)) << "cupsd did not start";

        int code = -1;
        QString said;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 15000) {
            said = tool("lpadmin", {"-h", host, "-p", queue, "-E", "-v", "cups-pdf:/" + queue, "-P",
                                    "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"},
                        &code);
            if (code == 0)
                break;
            QThread::msleep(200);
        }
        ASSERT_EQ(code, 0) << "lpadmin: " << said.toStdString();
        useServer(host.toUtf8());
    }

    // Qt's print support reads the server through the print system's library,
    // which keeps the address it first read: when an earlier test has loaded
    // it, point it at this server directly.
    static void useServer(const QByteArray &address)
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

    void TearDown() override
    {
        if (server.state() != QProcess::NotRunning) {
            server.terminate();
            if (!server.waitForFinished(10000)) {
                server.kill();
                server.waitForFinished(5000);
            }
        }
        if (!queueConfig.isEmpty())
            QFile::remove(queueConfig);
        useServer({});
        PrintingTest::TearDown();
    }

    // The queue's first finished PDF.
    QString waitForOutput()
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 60000) {
            QDirIterator it(root.path() + "/out", {"*.pdf"}, QDir::Files, QDirIterator::Subdirectories);
            if (it.hasNext()) {
                const QString pdf = it.next();
                int code = -1;
                const QString info = tool("pdfinfo", {pdf}, &code);
                if (code == 0 && tool("lpstat", {"-h", host, "-o", queue}).trimmed().isEmpty())
                    return pdf;
            }
            QThread::msleep(250);
        }
        return {};
    }

    QString picture(const QString &name, QColor colour)
    {
        QImage image(160, 60, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = root.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

TEST_F(SheetPrinterQueueTest, TwoSheetsInThreeCopiesPrintSixTrueSizeLetterPages)
{
    DataCentrePrinting::resetPrintCanvas(sheet("Label - 30 Per Letter Sheet"));
    const SheetGeometry g = SheetGeometry::fromCurrentLayout();
    QList<SheetPage> pages;
    const QString red = picture("red.png", Qt::red);
    for (int i = 0; i < 30; ++i)
        pages.append(SheetPage(QString::number(i), red));
    pages.append(SheetPage("last", picture("blue.png", Qt::blue)));
    const auto composed = SheetComposer::composeDifferentLabels(g, pages, 0.0f, 1, 1);
    ASSERT_EQ(composed.sheets.size(), 2);

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    ASSERT_TRUE(printer.isValid()) << "Qt does not see the queue " << queue.toStdString();
    printer.setDocName("zov sheets");
    printer.setCopyCount(3);
    const LabelHelperPtr row = sheet("Label - 30 Per Letter Sheet");
    const SheetPaintResult result = SheetPrinter::print(printer, composed, SheetPainter::paperFor(g, *row, {}, {}));
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_EQ(result.pagesPainted, 6);

    const QString pdf = waitForOutput();
    ASSERT_FALSE(pdf.isEmpty()) << "the queue wrote no PDF";
    const QString info = tool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+6\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("612 x 792 pts")) << info.toStdString();

    // Collated: sheets 1, 2, 1, 2, 1, 2. At 72 dpi one pixel is one point;
    // the grid's corner is at (13.43, 36), spots 189 x 72 points, 9.07 apart.
    for (int page : {5, 6}) {
        const QString prefix = root.filePath(QString("page%1").arg(page));
        tool("pdftoppm", {"-r", "72", "-f", QString::number(page), "-l", QString::number(page), "-singlefile",
                          "-png", pdf, prefix});
        const QImage image(prefix + ".png");
        ASSERT_EQ(image.size(), QSize(612, 792));
        const QColor first = image.pixelColor(16, 39);
        const QColor gapBefore = image.pixelColor(13 + 189 + 4, 70);
        const QColor lastSpot = image.pixelColor(13 + 396 + 186, 36 + 9 * 72 + 69);
        SCOPED_TRACE(testing::Message() << "page " << page);
        EXPECT_TRUE(looksLike(first, page == 5 ? Qt::red : Qt::blue));
        EXPECT_TRUE(looksLike(lastSpot, page == 5 ? Qt::red : Qt::white));
        EXPECT_TRUE(looksLike(gapBefore, Qt::white));
        EXPECT_TRUE(looksLike(image.pixelColor(10, 39), Qt::white));
    }
}

}  // namespace
