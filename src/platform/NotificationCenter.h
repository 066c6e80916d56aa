#pragma once
// Named notifications between parts of the program that hold no reference to each
// other. A notification carries the object that sent it and a map of extra values.
//
// An observer belongs to an owner QObject and is dropped when the owner is destroyed.
// An observer given a sender hears only that sender's notifications (and nothing more
// once the sender is gone). Delivery is synchronous, in the order observers were added;
// observers may be added or removed while a notification is delivered. A post from
// another thread is delivered on the main thread.
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

struct Notification {
    QString name;
    QObject *object = nullptr;
    QVariantMap userInfo;
};

// The names the program posts.
namespace Notifications {
inline const QString websiteUpdated = QStringLiteral("websiteUpdated");
inline const QString totalWebsiteUpdated = QStringLiteral("totalWebsiteUpdated");
inline const QString refreshDocIcon = QStringLiteral("refreshDocIcon");
inline const QString updateCurrentButtonColor = QStringLiteral("updateCurrentButtonColor");
inline const QString callRefreshTabs = QStringLiteral("callRefreshTabs");
inline const QString displayProfilePopover = QStringLiteral("displayProfilePopover");
inline const QString hideProfilePopover = QStringLiteral("hideProfilePopover");
inline const QString refreshInspectorPanel = QStringLiteral("refreshInspectorPanel");
inline const QString displayToolbars = QStringLiteral("displayToolbars");
inline const QString clearDragAndDropIcons = QStringLiteral("clearDragAndDropIcons");
inline const QString clearLayerListingIcons = QStringLiteral("clearLayerListingIcons");
inline const QString clearTemplateSelection = QStringLiteral("clearTemplateSelection");
inline const QString unbindEverything = QStringLiteral("unbindEverything");
inline const QString mailingListUpdated = QStringLiteral("mailingListUpdated");
inline const QString contactUpdated = QStringLiteral("contactUpdated");
inline const QString mailingListUpdatedMail = QStringLiteral("mailingListUpdatedMail");
inline const QString contactUpdatedMail = QStringLiteral("contactUpdatedMail");
inline const QString grabCurrentListAsShown = QStringLiteral("grabCurrentListAsShown");
}  // namespace Notifications

class NotificationCenter {
public:
    using Handler = std::function<void(const Notification &)>;
    using ObserverId = quint64;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter &) = delete;
    NotificationCenter &operator=(const NotificationCenter &) = delete;

    static NotificationCenter &defaultCenter();

    // Calls handler for every notification named name (any name when empty) posted by
    // sender (any sender when null), as long as owner lives. owner must not be null.
    ObserverId addObserver(QObject *owner, const QString &name, const QObject *sender, Handler handler);

    void removeObserver(ObserverId id);
    // Every observer of owner; or only those for name (and sender, when given).
    void removeObserver(QObject *owner);
    void removeObserver(QObject *owner, const QString &name, const QObject *sender = nullptr);

    void postNotification(const Notification &notification);
    void postNotification(const QString &name, QObject *object = nullptr, const QVariantMap &userInfo = {});

    int observerCount() const;

private:
    struct Entry {
        ObserverId id = 0;
        QPointer<QObject> owner;
        QString name;
        QPointer<const QObject> sender;
        bool filtersSender = false;
        Handler handler;
        bool removed = false;
    };
    void deliver(const Notification &notification);
    void purge();

    mutable QMutex mutex_;
    QObject guard_;  // ends the owners' destroyed connections together with the center
    std::vector<std::shared_ptr<Entry>> entries_;
    ObserverId nextId_ = 1;
};
