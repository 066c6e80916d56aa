#include "app/ui/AppMenus.h"

#include "platform/ui/ActionBinding.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {
// The action a submenu's validation goes by (the submenu itself sends nothing).
const char *const kSubmenuAction = "zovSubmenuAction";

bool hasVisibleItem(const QMenu *menu)
{
    for (const QAction *action : menu->actions()) {
        if (action->isVisible() && !action->isSeparator())
            return true;
    }
    return false;
}
}  // namespace

AppMenus::AppMenus(const MainMenuModel &model, QObject *parent) : QObject(parent), m_model(model)
{
    for (const MenuNode &top : m_model.menus) {
        auto menu = std::make_unique<QMenu>(top.title);
        if (!top.menuOutlet.isEmpty())
            m_menus.insert(top.menuOutlet, menu.get());
        if (!top.outlet.isEmpty())
            m_items.insert(top.outlet, menu->menuAction());
        fill(menu.get(), top.items);
        menu->menuAction()->setVisible(!top.hidden && hasVisibleItem(menu.get()));
        ActionBinding::validateBeforeShowing(menu.get());
        QMenu *shown = menu.get();
        connect(shown, &QMenu::aboutToShow, this, [shown] { validateSubmenus(shown); });
        m_topMenus.push_back(std::move(menu));
    }
}

AppMenus::~AppMenus() = default;

void AppMenus::fill(QMenu *menu, const QList<MenuNode> &nodes)
{
    for (const MenuNode &node : nodes) {
        if (node.separator) {
            menu->addSeparator();
            continue;
        }
        QAction *action = nullptr;
        if (node.hasSubmenu()) {
            auto *sub = new QMenu(node.title, menu);
            fill(sub, node.items);
            if (!node.items.isEmpty() && node.menuOutlet.isEmpty() && !node.action.isEmpty() && !node.hidden
                && !hasVisibleItem(sub)) {
                // The edition hides everything below an item it keeps: the item
                // stays, as a plain command with its own title and action.
                action = ActionBinding::makeAction(node.title, node.action, menu);
                menu->addAction(action);
            } else {
                menu->addMenu(sub);
                action = sub->menuAction();
                if (!node.menuOutlet.isEmpty())
                    m_menus.insert(node.menuOutlet, sub);
                if (!node.action.isEmpty() && !node.hidden)
                    action->setProperty(kSubmenuAction, node.action);
            }
        } else if (node.hidden) {
            // An item the edition hides stays hidden for the whole run: it is
            // left unbound so that validation never shows it again.
            action = new QAction(node.title, menu);
            menu->addAction(action);
        } else {
            action = ActionBinding::makeAction(node.title, node.action, menu);
            menu->addAction(action);
        }
        if (!node.shortcut.isEmpty())
            action->setShortcut(QKeySequence(node.shortcut));
        // A submenu left with nothing to show goes too.
        action->setVisible(!node.hidden && (!action->menu() || hasVisibleItem(action->menu())));
        if (!node.outlet.isEmpty())
            m_items.insert(node.outlet, action);
    }
}

void AppMenus::validateSubmenus(QMenu *menu)
{
    for (QAction *action : menu->actions()) {
        QMenu *sub = action->menu();
        if (!sub)
            continue;
        validateSubmenus(sub);
        const QString name = action->property(kSubmenuAction).toString();
        if (name.isEmpty())
            continue;
        ActionItemState state;
        state.action = name;
        state.title = action->text();
        action->setEnabled(ResponderChain::validate(state));
        action->setVisible(state.visible && hasVisibleItem(sub));
    }
}

QList<QMenu *> AppMenus::topMenus() const
{
    QList<QMenu *> list;
    for (const auto &menu : m_topMenus)
        list << menu.get();
    return list;
}

bool AppMenus::isAttachedTo(const QMenuBar *bar) const
{
    return !m_topMenus.empty() && bar->actions().contains(m_topMenus.front()->menuAction());
}

void AppMenus::attachTo(QMenuBar *bar) const
{
    if (!bar || isAttachedTo(bar))
        return;
    for (const auto &menu : m_topMenus)
        bar->addMenu(menu.get());
}

namespace {
void collectUntaken(const QMenu *menu, const QString &path, const std::function<bool(const QString &)> &untaken,
                    QStringList &list)
{
    for (QAction *action : menu->actions()) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        const QString itemPath = path + QStringLiteral(" > ") + action->text();
        if (QMenu *sub = action->menu()) {
            const QString name = action->property(kSubmenuAction).toString();
            if (!name.isEmpty() && untaken(name))
                list << QStringLiteral("%1 (%2)").arg(itemPath, name);
            collectUntaken(sub, itemPath, untaken, list);
            continue;
        }
        const QString name = ActionBinding::actionOf(action);
        if (!name.isEmpty() && untaken(name))
            list << QStringLiteral("%1 (%2)").arg(itemPath, name);
    }
}
}  // namespace

QStringList AppMenus::visibleItemsWhere(const std::function<bool(const QString &)> &untaken) const
{
    QStringList list;
    for (const auto &menu : m_topMenus) {
        if (menu->menuAction()->isVisible())
            collectUntaken(menu.get(), menu->title(), untaken, list);
    }
    return list;
}
