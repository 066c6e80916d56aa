#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "config/ui/ProgressWindowPresenter.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

class Progress : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgressModel::instance().setThrottleInterval(kInterval);
        ProgressWindowPresenter::install();
        DataCentre::dismissProgressIndicator();
        settle();
    }
    void TearDown() override
    {
        DataCentre::dismissProgressIndicator();
        settle();
        ProgressModel::instance().setThrottleInterval(100);
    }
    static constexpr int kInterval = 25;
    static void settle()
    {
        // Lets queued notifications and the throttle timer run.
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ProgressModel::instance().throttleInterval() + 30) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
    }
    static ProgressIndicatorWindowController *window() { return ProgressWindowPresenter::instance()->window(); }
};

} // namespace

TEST_F(Progress, ShowStartsFresh)
{
    DataCentre::showProgressIndicator();
    settle();
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->progressStatusTextfield()->text(), "Please wait");
    EXPECT_EQ(window()->progressFileTextField()->text(), "");
    EXPECT_EQ(window()->levelIndicator()->value(), 0);
    EXPECT_TRUE(window()->progressIndicator()->isVisible());
    EXPECT_FALSE(window()->progressIndicator2()->isVisible());
    EXPECT_EQ(ProgressModel::instance().state().levelMaximum, 10.0);
}

TEST_F(Progress, UpdateShowsCountAndName)
{
    DataCentre::showProgressIndicator();
    DataCentre::updateProgressBar(3, 10, "beach.jpg");
    settle();
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->progressStatusTextfield()->text(), "Please wait: 3/10 completed");
    EXPECT_EQ(window()->progressFileTextField()->text(), "beach.jpg");
    EXPECT_EQ(window()->levelIndicator()->value(), ProgressIndicatorWindowController::kLevelSteps * 3 / 10);
}

TEST_F(Progress, LastStepPutsTheWindowAwayButKeepsIt)
{
    QMainWindow main;
    main.setWindowOpacity(0.0);
    main.show();
    DataCentre::showProgressIndicator();
    DataCentre::updateProgressBar(0, 0, "");
    settle();
    const ProgressState state = ProgressModel::instance().state();
    EXPECT_EQ(state.statusText, "Please wait: 0/0 completed");
    EXPECT_EQ(state.levelMaximum, 0.0);
    EXPECT_TRUE(state.hasController);
    ASSERT_NE(window(), nullptr);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(window()->levelIndicator()->value(), 0);
    EXPECT_EQ(main.windowOpacity(), 1.0);

    DataCentre::dismissProgressIndicator();
    settle();
    EXPECT_EQ(window(), nullptr);
    EXPECT_FALSE(ProgressModel::instance().state().hasController);
}

TEST_F(Progress, ShowingTwiceReplacesTheWindow)
{
    DataCentre::showProgressIndicator();
    DataCentre::updateProgressBar(5, 10, "half");
    settle();
    QPointer<ProgressIndicatorWindowController> first = window();
    DataCentre::showProgressIndicator();
    settle();
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->progressStatusTextfield()->text(), "Please wait");
    EXPECT_EQ(window()->levelIndicator()->value(), 0);
}

TEST_F(Progress, UpdatesWithoutAWindowOnlyRestoreTheMainWindow)
{
    DataCentre::updateProgressBar(2, 10, "ignored");
    settle();
    EXPECT_EQ(window(), nullptr);
    EXPECT_TRUE(ProgressModel::instance().state().fileText.isEmpty());
    const uint64_t finished = ProgressModel::instance().state().finishedSerial;
    DataCentre::updateProgressBar(10, 10, "");
    EXPECT_EQ(ProgressModel::instance().state().finishedSerial, finished + 1);
}

TEST_F(Progress, WorkersMayReportAndUpdatesAreThrottled)
{
    DataCentre::showProgressIndicator();
    settle();
    const Qt::HANDLE mainThread = QThread::currentThreadId();
    std::vector<Qt::HANDLE> seenOn;
    QObject probe;
    QObject::connect(&ProgressModel::instance(), &ProgressModel::stateChanged, &probe,
                     [&] { seenOn.push_back(QThread::currentThreadId()); });

    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w)
        workers.emplace_back([w] {
            for (int i = 0; i < 2000; ++i)
                DataCentre::updateProgressBar(i, 5000, QStringLiteral("worker %1").arg(w));
        });
    for (std::thread &t : workers)
        t.join();
    DataCentre::updateProgressBar(4999, 5000, "last");
    settle();
    settle();
    // 8001 updates reach the window a handful of times.
    EXPECT_GE(int(seenOn.size()), 1);
    EXPECT_LT(int(seenOn.size()), 20);
    for (Qt::HANDLE id : seenOn)
        EXPECT_EQ(id, mainThread);
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->progressStatusTextfield()->text(), "Please wait: 4999/5000 completed");
    EXPECT_EQ(window()->progressFileTextField()->text(), "last");
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(Progress, SheetCompositionForm)
{
    ProgressModel::instance().showMainThreadForm();
    settle();
    ASSERT_NE(window(), nullptr);
    EXPECT_FALSE(window()->levelIndicator()->isVisible());
    EXPECT_TRUE(window()->progressIndicator2()->isVisible());
    ProgressModel::instance().hide();
    settle();
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(ProgressModel::instance().state().hasController);
}

TEST_F(Progress, BusyMainThreadStillSeesProgress)
{
    DataCentre::showProgressIndicator();
    ASSERT_NE(window(), nullptr); // made at once, without the event loop
    // A long loop on the main thread that never returns to the event loop.
    int notifications = 0;
    QObject probe;
    QObject::connect(&ProgressModel::instance(), &ProgressModel::stateChanged, &probe, [&] { ++notifications; });
    QElapsedTimer timer;
    timer.start();
    int i = 0;
    while (timer.elapsed() < 7 * kInterval) {
        ++i;
        DataCentre::updateProgressBar(i, 1000000, QStringLiteral("item %1").arg(i));
    }
    EXPECT_GE(notifications, 2);
    EXPECT_LE(notifications, 9);
    EXPECT_TRUE(window()->progressFileTextField()->text().startsWith("item "));
}

TEST_F(Progress, OnlyTheLabelMakerBringsTheWindowToTheFront)
{
    const QString edition = gAppName;
    gAppName = QStringLiteral("Tovra Label Maker");
    DataCentre::showProgressIndicator();
    EXPECT_TRUE(ProgressModel::instance().state().raiseWhenShown);
    gAppName = QStringLiteral("Tarnaby Pro");
    DataCentre::showProgressIndicator();
    EXPECT_FALSE(ProgressModel::instance().state().raiseWhenShown);
    gAppName = edition;
}
