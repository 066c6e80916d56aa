#include "platform/Tasks.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

namespace {

QString timerName(const QString &key)
{
    return QStringLiteral("zov-delayed-call:") + key;
}

}  // namespace

QThreadPool *Tasks::pool()
{
    static QThreadPool threadPool;
    return &threadPool;
}

void Tasks::runInBackground(std::function<void()> job)
{
    if (!job)
        return;
    pool()->start(std::move(job));
}

bool Tasks::isMainThread()
{
    QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool Tasks::runOnMainThread(std::function<void()> call, bool wait)
{
    return runOnMainThread(nullptr, std::move(call), wait);
}

bool Tasks::runOnMainThread(QObject *context, std::function<void()> call, bool wait)
{
    if (!call)
        return false;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    const bool hadContext = context != nullptr;
    QPointer<QObject> guard(context);
    auto guarded = [guard, hadContext, call = std::move(call)] {
        if (hadContext && !guard)
            return;
        call();
    };
    if (QThread::currentThread() == app->thread()) {
        guarded();
        return true;
    }
    return QMetaObject::invokeMethod(app, std::move(guarded),
                                     wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
}

bool Tasks::callLater(QObject *context, int delayMs, std::function<void()> call)
{
    if (!context || !call)
        return false;
    QTimer::singleShot(delayMs, context, std::move(call));
    return true;
}

bool Tasks::callLaterReplacing(QObject *context, const QString &key, int delayMs, std::function<void()> call)
{
    if (!context || !call)
        return false;
    cancelCall(context, key);
    auto *timer = new QTimer(context);
    timer->setObjectName(timerName(key));
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, context, [timer, call = std::move(call)] {
        timer->deleteLater();
        timer->setObjectName(QString());
        call();
    });
    timer->start(delayMs);
    return true;
}

void Tasks::cancelCall(QObject *context, const QString &key)
{
    if (!context)
        return;
    const auto timers = context->findChildren<QTimer *>(timerName(key), Qt::FindDirectChildrenOnly);
    for (QTimer *timer : timers) {
        timer->stop();
        timer->setObjectName(QString());
        timer->deleteLater();
    }
}

bool Tasks::waitForBackground(int msecs)
{
    return pool()->waitForDone(msecs);
}
