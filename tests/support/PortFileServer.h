#pragma once
// Starting and stopping the test servers that write the port they listen on
// into a file (--port-file): the SMTP sink and the Dropbox double.
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

namespace PortFileServer {

// Runs /usr/bin/python3 with arguments and waits (up to ten seconds) for a
// port in portFile. Answers the port, or 0 when the server did not come up.
inline int start(QProcess &process, const QStringList &arguments, const QString &portFile)
{
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!process.waitForStarted(10000))
        return 0;
    for (int i = 0; i < 400; ++i) {
        QFile f(portFile);
        if (f.open(QIODevice::ReadOnly)) {
            const int port = f.readAll().trimmed().toInt();
            if (port > 0)
                return port;
        }
        if (process.state() == QProcess::NotRunning)
            return 0;
        QThread::msleep(25);
    }
    return 0;
}

inline void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(2000);
}

}  // namespace PortFileServer
