#pragma once
// Background work, calls on the main thread and delayed calls.
//
// A background job gets its inputs as copies and hands its results back through
// runOnMainThread; document work stays on the main thread.
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QThreadPool;

class Tasks {
public:
    Tasks() = delete;

    // Runs job on a worker thread of the program's pool.
    static void runInBackground(std::function<void()> job);

    // Runs job on a worker thread and hands its result to done on the main thread,
    // unless context has been destroyed by then. The job must work on copies.
    template <typename Result>
    static void runInBackground(QObject *context, std::function<Result()> job, std::function<void(Result)> done)
    {
        // The guard is taken here, while context surely lives: the worker must never touch
        // the raw pointer, which may be gone by the time the job ends.
        QPointer<QObject> guard(context);
        const bool hadContext = context != nullptr;
        runInBackground([guard, hadContext, job = std::move(job), done = std::move(done)]() mutable {
            Result result = job();
            runOnMainThread([guard, hadContext, done = std::move(done), result = std::move(result)]() mutable {
                if ((hadContext && !guard) || !done)
                    return;
                done(std::move(result));
            });
        });
    }

    // Runs call on the main thread: at once when already there, else queued; with wait,
    // the caller blocks until the call has run. With a context, the call is dropped when
    // the context has been destroyed by the time it would run; the context must still be
    // alive when this is called (a worker keeps a QPointer to it, not a plain pointer).
    // Answers false when the call could not be queued (no application object).
    static bool runOnMainThread(std::function<void()> call, bool wait = false);
    static bool runOnMainThread(QObject *context, std::function<void()> call, bool wait = false);

    // Calls call after delayMs on context's thread, unless context is destroyed first.
    // Answers false (and does nothing) without a context or a call.
    static bool callLater(QObject *context, int delayMs, std::function<void()> call);

    // As callLater, but a later request with the same key on the same context replaces
    // an earlier one still waiting (for debouncing a slider or a window resize).
    static bool callLaterReplacing(QObject *context, const QString &key, int delayMs, std::function<void()> call);
    // Cancels a waiting callLaterReplacing request.
    static void cancelCall(QObject *context, const QString &key);

    static bool isMainThread();
    // Waits (at most msecs, -1 for ever) until every background job has finished.
    static bool waitForBackground(int msecs = -1);
    static QThreadPool *pool();
};
