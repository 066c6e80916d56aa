#pragma once
// The software-update item of builds that update themselves. This program is
// updated by the system's package manager, so its distribution channel is
// "AppStore" and create() answers null; the item exists for builds of
// another channel, which put it two places above the end of the application
// menu.
#include <QObject>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class AdHocMenuDelegate;

class AdHocViewController : public QObject {
    Q_OBJECT
public:
    // Null for the "AppStore" channel.
    static std::unique_ptr<AdHocViewController> create(const QString &distributionChannel);
    ~AdHocViewController() override;

    QAction *updateMenuItem() const { return m_updateMenuItem; }
    QMenu *updateMenu() const { return m_updateMenu.get(); }

    // Puts the update item before the last two items of menu.
    void insertInto(QMenu *applicationMenu) const;

private:
    AdHocViewController();

    std::unique_ptr<QMenu> m_updateMenu;
    QAction *m_updateMenuItem = nullptr;
    AdHocMenuDelegate *m_menuDelegate = nullptr;
};
