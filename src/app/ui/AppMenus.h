#pragma once
// The main menu's menus and items, made once per run from the edition's menu
// plan and shared by the menu bar of every window: each window's QMenuBar
// holds the same QMenus, so an item hidden or retitled here changes in every
// window at once. Items are bound to their action names and validated through
// the responder chain of the active window just before a menu shows.
#include "app/MainMenuModel.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

class AppMenus : public QObject {
    Q_OBJECT
public:
    explicit AppMenus(const MainMenuModel &model, QObject *parent = nullptr);
    ~AppMenus() override;

    // The item (its QAction; a submenu's menuAction) or the menu of an outlet.
    QAction *item(const QString &outlet) const { return m_items.value(outlet); }
    QMenu *menu(const QString &outlet) const { return m_menus.value(outlet); }
    QList<QMenu *> topMenus() const;
    const MainMenuModel &model() const { return m_model; }

    // Puts the shared menus into bar (once; a bar that has them is left alone).
    void attachTo(QMenuBar *bar) const;
    bool isAttachedTo(const QMenuBar *bar) const;

    // The visible items with an action, as "Menu > Item (action)", for which
    // taken answers false.
    QStringList visibleItemsWhere(const std::function<bool(const QString &action)> &untaken) const;

    // Shows, hides or disables the submenus that go by an action, as the
    // responder chain decides (called just before menu shows).
    static void validateSubmenus(QMenu *menu);

private:
    void fill(QMenu *menu, const QList<MenuNode> &nodes);

    MainMenuModel m_model;
    std::vector<std::unique_ptr<QMenu>> m_topMenus;
    QHash<QString, QAction *> m_items;
    QHash<QString, QMenu *> m_menus;
};
