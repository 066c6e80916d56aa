#include "platform/NotificationCenter.h"
#include "platform/Tasks.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

TEST(NotificationCenter, DeliversNameObjectAndUserInfo)
{
    NotificationCenter center;
    QObject owner, document;
    QList<Notification> heard;
    center.addObserver(&owner, Notifications::websiteUpdated, nullptr,
                       [&](const Notification &n) { heard << n; });
    center.postNotification(Notifications::websiteUpdated, &document, {{"page", "index"}});
    center.postNotification(Notifications::refreshDocIcon, &document);
    ASSERT_EQ(heard.size(), 1);
    EXPECT_EQ(heard[0].name, "websiteUpdated");
    EXPECT_EQ(heard[0].object, &document);
    EXPECT_EQ(heard[0].userInfo.value("page").toString(), "index");
}

TEST(NotificationCenter, SenderFilterAndAnyName)
{
    NotificationCenter center;
    QObject owner, mine, other;
    int fromMine = 0, everything = 0;
    center.addObserver(&owner, "refreshDocIcon", &mine, [&](const Notification &) { ++fromMine; });
    center.addObserver(&owner, QString(), nullptr, [&](const Notification &) { ++everything; });
    center.postNotification("refreshDocIcon", &mine);
    center.postNotification("refreshDocIcon", &other);
    center.postNotification("refreshDocIcon");
    center.postNotification("somethingElse", &mine);
    EXPECT_EQ(fromMine, 1);
    EXPECT_EQ(everything, 4);
}

TEST(NotificationCenter, ObserverOfADeadSenderHearsNothing)
{
    NotificationCenter center;
    QObject owner;
    int calls = 0;
    auto sender = std::make_unique<QObject>();
    center.addObserver(&owner, "x", sender.get(), [&](const Notification &) { ++calls; });
    sender.reset();
    // Whatever comes to live at the same address is another object.
    auto successor = std::make_unique<QObject>();
    center.postNotification("x", successor.get());
    center.postNotification("x");
    EXPECT_EQ(calls, 0);
}

TEST(NotificationCenter, ObserversDieWithTheirOwner)
{
    NotificationCenter center;
    int calls = 0;
    auto owner = std::make_unique<QObject>();
    center.addObserver(owner.get(), "x", nullptr, [&](const Notification &) { ++calls; });
    EXPECT_EQ(center.observerCount(), 1);
    owner.reset();
    EXPECT_EQ(center.observerCount(), 0);
    center.postNotification("x");
    EXPECT_EQ(calls, 0);
}

TEST(NotificationCenter, RemovalDuringDeliveryIsSafe)
{
    NotificationCenter center;
    QObject a;
    auto b = std::make_unique<QObject>();
    auto c = std::make_unique<QObject>();
    QStringList order;
    NotificationCenter::ObserverId selfId = 0;
    selfId = center.addObserver(&a, "x", nullptr, [&](const Notification &) {
        order << "a";
        center.removeObserver(selfId);  // removes itself
        b.reset();                      // destroys a later observer's owner
        center.removeObserver(c.get()); // removes another later observer
        center.addObserver(&a, "x", nullptr, [&](const Notification &) { order << "new"; });
    });
    center.addObserver(b.get(), "x", nullptr, [&](const Notification &) { order << "b"; });
    center.addObserver(c.get(), "x", nullptr, [&](const Notification &) { order << "c"; });
    center.postNotification("x");
    EXPECT_EQ(order, QStringList{"a"});
    center.postNotification("x");
    EXPECT_EQ(order, (QStringList{"a", "new"}));
}

TEST(NotificationCenter, RemovalByOwnerNameAndSender)
{
    NotificationCenter center;
    QObject owner, s1, s2;
    QStringList heard;
    center.addObserver(&owner, "x", &s1, [&](const Notification &) { heard << "x1"; });
    center.addObserver(&owner, "x", &s2, [&](const Notification &) { heard << "x2"; });
    center.addObserver(&owner, "y", nullptr, [&](const Notification &) { heard << "y"; });
    center.removeObserver(&owner, "x", &s1);
    center.postNotification("x", &s1);
    center.postNotification("x", &s2);
    center.postNotification("y");
    EXPECT_EQ(heard, (QStringList{"x2", "y"}));
    center.removeObserver(&owner);
    EXPECT_EQ(center.observerCount(), 0);
}

TEST(NotificationCenter, PostFromAWorkerIsDeliveredOnTheMainThread)
{
    NotificationCenter center;
    QObject owner;
    bool onMain = false;
    int calls = 0;
    QEventLoop loop;
    center.addObserver(&owner, "done", nullptr, [&](const Notification &) {
        onMain = Tasks::isMainThread();
        ++calls;
        loop.quit();
    });
    Tasks::runInBackground([&center] { center.postNotification("done"); });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(onMain);
}
