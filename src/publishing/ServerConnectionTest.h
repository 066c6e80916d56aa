#pragma once
// The server test of the settings sheet: a small page is sent with the stored
// account and fetched back from the base URL, proving both the login and the web
// address. The settings are verified and stored on the main thread before the
// worker starts; the worker only sends and fetches, and its result comes back as a
// value.
#include <QObject>
#include <QString>

#include <functional>

class ServerConnectionTest : public QObject {
    Q_OBJECT
public:
    struct Result {
        bool uploaded = false;
        bool webAccess = false;
        QString url;  // the test file's web address
        QString log;
    };

    explicit ServerConnectionTest(QObject *parent = nullptr);
    ~ServerConnectionTest() override;

    // The window the alerts belong to.
    void setWindow(QObject *window) { window_ = window; }
    // Shows the connection log (the settings window installs its log window).
    void setLogViewer(std::function<void(const QString &)> show) { showLog_ = std::move(show); }

    // Asks whether to test; on "Yes" runs verifyAndStore (which cleans the sheet's
    // fields and stores them) and then testFTPServer().
    void askToTest(std::function<void()> verifyAndStore);
    // Starts the test with the stored account; false while one runs.
    bool testFTPServer();
    bool isRunning() const { return running_; }
    const QString &connectionLog() const { return connectionLog_; }

    // The closing alert of a test whose upload succeeded.
    static void showFTPConnectionAlerts(bool webAccess, const QString &url, QObject *window);

signals:
    void finished(const ServerConnectionTest::Result &result);

private:
    void finish(const Result &result);

    QObject *window_ = nullptr;
    std::function<void(const QString &)> showLog_;
    bool running_ = false;
    QString connectionLog_;
};
