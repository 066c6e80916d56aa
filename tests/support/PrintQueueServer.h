#pragma once
// A private print server for one test: cupsd on a free port of 127.0.0.1 with
// every file of its own in a fresh folder under /tmp (removed afterwards), one PDF queue (cups-pdf)
// whose finished jobs land in that folder, and Qt's print support pointed at
// it. Needs root to run the server and to give the PDF backend the queue's
// settings; a server that cannot start fails the test that asked for it.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class PrintQueueServer {
public:
    PrintQueueServer();
    ~PrintQueueServer();
    PrintQueueServer(const PrintQueueServer &) = delete;
    PrintQueueServer &operator=(const PrintQueueServer &) = delete;

    // Starts the server and adds the queue; false with why when it cannot.
    bool start(QString *why);

    QString queue() const { return queue_; }
    QString host() const { return host_; }  // "127.0.0.1:PORT"
    QString outputFolder() const;

    // The queue's first finished PDF once no job is left in the queue; empty
    // when none comes within ms.
    QString waitForOutput(int ms = 60000) const;
    // The queue's jobs and the end of the server's log, for a failure message.
    QString report() const;

    // Runs a command-line tool; its merged output, and its exit code in code.
    static QString tool(const QString &program, const QStringList &arguments, int *code = nullptr);

private:
    // The print system's library keeps the server address it first read:
    // point it at this server (or back at the default with an empty address).
    static void useServer(const QByteArray &address);
    void stop();

    QTemporaryDir home_;
    QString folder_;
    QString queue_;
    QString host_;
    QString queueConfig_;
    QProcess server_;
};
