#include "platform/NotificationCenter.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::ObserverId NotificationCenter::addObserver(QObject *owner, const QString &name,
                                                               const QObject *sender, Handler handler)
{
    if (!owner || !handler)
        return 0;
    auto entry = std::make_shared<Entry>();
    entry->owner = owner;
    entry->name = name;
    entry->sender = sender;
    entry->filtersSender = sender != nullptr;
    entry->handler = std::move(handler);
    {
        QMutexLocker lock(&mutex_);
        entry->id = nextId_++;
        purge();
        entries_.push_back(entry);
    }
    // Drop the entry as soon as its owner goes, so the handler never runs on a dead owner
    // and the list does not grow with forgotten observers.
    std::weak_ptr<Entry> weak = entry;
    QObject::connect(owner, &QObject::destroyed, &guard_, [this, weak] {
        if (auto e = weak.lock())
            removeObserver(e->id);
    }, Qt::DirectConnection);
    return entry->id;
}

void NotificationCenter::removeObserver(ObserverId id)
{
    QMutexLocker lock(&mutex_);
    for (auto &entry : entries_) {
        if (entry->id == id)
            entry->removed = true;
    }
    purge();
}

void NotificationCenter::removeObserver(QObject *owner)
{
    QMutexLocker lock(&mutex_);
    for (auto &entry : entries_) {
        if (entry->owner == owner)
            entry->removed = true;
    }
    purge();
}

void NotificationCenter::removeObserver(QObject *owner, const QString &name, const QObject *sender)
{
    QMutexLocker lock(&mutex_);
    for (auto &entry : entries_) {
        if (entry->owner == owner && entry->name == name && (!sender || entry->sender == sender))
            entry->removed = true;
    }
    purge();
}

void NotificationCenter::postNotification(const QString &name, QObject *object, const QVariantMap &userInfo)
{
    postNotification(Notification{name, object, userInfo});
}

void NotificationCenter::postNotification(const Notification &notification)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        deliver(notification);
        return;
    }
    // Observers are mostly windows: hand a post from a worker thread to the main thread.
    // A notification whose sender died on the way is dropped.
    QPointer<QObject> sender = notification.object;
    const bool hadSender = notification.object != nullptr;
    Notification copy = notification;
    QMetaObject::invokeMethod(app, [this, copy, sender, hadSender] {
        if (hadSender && !sender)
            return;
        deliver(copy);
    }, Qt::QueuedConnection);
}

void NotificationCenter::deliver(const Notification &notification)
{
    std::vector<std::shared_ptr<Entry>> targets;
    {
        QMutexLocker lock(&mutex_);
        for (const auto &entry : entries_) {
            if (entry->removed || !entry->owner)
                continue;
            if (!entry->name.isEmpty() && entry->name != notification.name)
                continue;
            if (entry->filtersSender && (!entry->sender || entry->sender.data() != notification.object))
                continue;
            targets.push_back(entry);
        }
    }
    for (const auto &entry : targets) {
        bool live = false;
        {
            QMutexLocker lock(&mutex_);
            live = !entry->removed && entry->owner;
        }
        // An observer removed by an earlier handler of this same post hears nothing more.
        if (live)
            entry->handler(notification);
    }
}

int NotificationCenter::observerCount() const
{
    QMutexLocker lock(&mutex_);
    return int(std::count_if(entries_.begin(), entries_.end(),
                             [](const auto &e) { return !e->removed && e->owner; }));
}

void NotificationCenter::purge()
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [](const auto &e) { return e->removed || !e->owner; }),
                   entries_.end());
}
