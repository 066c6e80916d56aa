#include "platform/Tasks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace {
// Runs the event loop until done() or the time is up.
template <typename F>
bool spinUntil(F done, int msecs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < msecs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}
}  // namespace

TEST(Tasks, BackgroundJobHandsItsResultToTheMainThread)
{
    std::atomic<bool> jobOnMain{true};
    bool resultOnMain = false;
    int result = 0;
    Tasks::runInBackground([&] {
        jobOnMain = Tasks::isMainThread();
        const int computed = 6 * 7;
        Tasks::runOnMainThread([&, computed] {
            resultOnMain = Tasks::isMainThread();
            result = computed;
        });
    });
    ASSERT_TRUE(spinUntil([&] { return result != 0; }));
    EXPECT_FALSE(jobOnMain);
    EXPECT_TRUE(resultOnMain);
    EXPECT_EQ(result, 42);
}

TEST(Tasks, ResultOfABackgroundJobReachesItsContext)
{
    QObject context;
    QString result;
    bool onMain = false;
    Tasks::runInBackground<QString>(
        &context, [] { return QStringLiteral("page generated"); },
        [&](QString value) {
            onMain = Tasks::isMainThread();
            result = value;
        });
    ASSERT_TRUE(spinUntil([&] { return !result.isEmpty(); }));
    EXPECT_EQ(result, "page generated");
    EXPECT_TRUE(onMain);
}

TEST(Tasks, WaitingCallHasRunWhenItReturns)
{
    std::atomic<int> seenByWorker{0};
    int value = 0;
    Tasks::runInBackground([&] {
        Tasks::runOnMainThread([&] { value = 5; }, true);
        seenByWorker = value;  // the main thread wrote it before we went on
    });
    ASSERT_TRUE(spinUntil([&] { return seenByWorker.load() != 0; }));
    EXPECT_EQ(seenByWorker.load(), 5);
}

TEST(Tasks, OnTheMainThreadACallRunsAtOnceEvenWhenWaiting)
{
    int calls = 0;
    EXPECT_TRUE(Tasks::runOnMainThread([&] { ++calls; }, true));
    EXPECT_TRUE(Tasks::runOnMainThread([&] { ++calls; }));
    EXPECT_EQ(calls, 2);
}

TEST(Tasks, CallForADeadContextIsDropped)
{
    auto context = std::make_unique<QObject>();
    std::atomic<bool> queued{false};
    bool ran = false;
    QObject *raw = context.get();
    Tasks::runInBackground([&, raw] {
        Tasks::runOnMainThread(raw, [&] { ran = true; });
        queued = true;
    });
    while (!queued)
        QThread::msleep(1);
    context.reset();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

TEST(Tasks, ContextDestroyedWhileTheJobRunsGetsNoResult)
{
    auto context = std::make_unique<QObject>();
    std::atomic<bool> started{false}, contextGone{false}, finished{false};
    bool delivered = false;
    Tasks::runInBackground<int>(
        context.get(),
        [&] {
            started = true;
            while (!contextGone)
                QThread::msleep(1);
            finished = true;
            return 1;
        },
        [&](int) { delivered = true; });
    while (!started)
        QThread::msleep(1);
    context.reset();  // the window closed while its job was running
    contextGone = true;
    ASSERT_TRUE(Tasks::waitForBackground(5000));
    ASSERT_TRUE(finished);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(delivered);
}

TEST(Tasks, DelayedCallsAreBoundToTheirContext)
{
    auto context = std::make_unique<QObject>();
    bool ran = false;
    Tasks::callLater(context.get(), 10, [&] { ran = true; });
    context.reset();
    QObject keeper;
    bool later = false;
    Tasks::callLater(&keeper, 20, [&] { later = true; });
    ASSERT_TRUE(spinUntil([&] { return later; }));
    EXPECT_FALSE(ran);
}

TEST(Tasks, ReplacingCallsDebounce)
{
    QObject context;
    QStringList calls;
    Tasks::callLaterReplacing(&context, "rotate", 30, [&] { calls << "first"; });
    Tasks::callLaterReplacing(&context, "rotate", 30, [&] { calls << "second"; });
    Tasks::callLaterReplacing(&context, "resize", 30, [&] { calls << "resize"; });
    Tasks::callLaterReplacing(&context, "cancelled", 10, [&] { calls << "cancelled"; });
    Tasks::cancelCall(&context, "cancelled");
    ASSERT_TRUE(spinUntil([&] { return calls.size() >= 2; }));
    spinUntil([] { return false; }, 60);
    calls.sort();
    EXPECT_EQ(calls, (QStringList{"resize", "second"}));
}

TEST(Tasks, WaitForBackground)
{
    std::atomic<int> done{0};
    for (int i = 0; i < 8; ++i)
        Tasks::runInBackground([&] {
            QThread::msleep(5);
            ++done;
        });
    EXPECT_TRUE(Tasks::waitForBackground(5000));
    EXPECT_EQ(done.load(), 8);
}
