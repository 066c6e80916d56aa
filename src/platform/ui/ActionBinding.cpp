#include "platform/ui/ActionBinding.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QWidget>

namespace {
const char *const kActionProperty = "zovAction";
const char *const kTagProperty = "zovTag";
const char *const kValidatingProperty = "zovValidates";
const char *const kAutoHiddenProperty = "zovAutoHidden";

ActionItemState stateOf(const QAction *qaction)
{
    ActionItemState state;
    state.action = ActionBinding::actionOf(qaction);
    state.title = qaction->text();
    state.tag = qaction->property(kTagProperty).toInt();
    state.representedObject = qaction->data();
    state.enabled = true;
    state.checked = qaction->isChecked();
    state.visible = true;
    return state;
}

void applyState(QAction *qaction, const ActionItemState &state)
{
    qaction->setEnabled(state.enabled);
    qaction->setVisible(state.visible);
    if (qaction->isCheckable() || state.checked) {
        qaction->setCheckable(true);
        qaction->setChecked(state.checked);
    }
    if (!state.title.isEmpty() && state.title != qaction->text())
        qaction->setText(state.title);
}

void validateAction(QAction *qaction)
{
    if (ActionBinding::actionOf(qaction).isEmpty())
        return;
    ActionItemState state = stateOf(qaction);
    ResponderChain::validate(state);
    applyState(qaction, state);
}
}  // namespace

namespace ActionBinding {

QAction *makeAction(const QString &title, const QString &action, QObject *parent, int tag)
{
    auto *qaction = new QAction(title, parent);
    bind(qaction, action, tag);
    return qaction;
}

void bind(QAction *qaction, const QString &action, int tag)
{
    const bool alreadyBound = !actionOf(qaction).isEmpty();
    qaction->setProperty(kActionProperty, action);
    qaction->setProperty(kTagProperty, tag);
    if (alreadyBound)
        return;
    QObject::connect(qaction, &QAction::triggered, qaction, [qaction](bool) {
        const ActionItemState sender = stateOf(qaction);
        // Validation right before running keeps a shortcut from reaching a
        // command its menu would show disabled or hide (the menu is validated
        // only when it opens, so its items may still show an older state).
        ActionItemState check = sender;
        if (!ResponderChain::validate(check) || !check.visible)
            return;
        ResponderChain::send(sender.action, sender);
    });
}

QString actionOf(const QAction *qaction)
{
    return qaction ? qaction->property(kActionProperty).toString() : QString();
}

void validateNow(QMenu *menu)
{
    for (QAction *qaction : menu->actions()) {
        if (QMenu *sub = qaction->menu()) {
            validateNow(sub);
            // A submenu whose every item validation hid is hidden with them,
            // and comes back when one of them shows again. A submenu hidden
            // for other reasons (the edition's menu rows) is left alone.
            bool anyShown = false;
            for (const QAction *item : sub->actions())
                anyShown = anyShown || (item->isVisible() && !item->isSeparator());
            const bool hiddenHere = qaction->property(kAutoHiddenProperty).toBool();
            if (!anyShown && qaction->isVisible() && !sub->actions().isEmpty()) {
                qaction->setVisible(false);
                qaction->setProperty(kAutoHiddenProperty, true);
            } else if (anyShown && hiddenHere) {
                qaction->setVisible(true);
                qaction->setProperty(kAutoHiddenProperty, false);
            }
        } else {
            validateAction(qaction);
        }
    }
}

void validateBeforeShowing(QMenu *menu)
{
    if (menu->property(kValidatingProperty).toBool())
        return;
    menu->setProperty(kValidatingProperty, true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { validateNow(menu); });
}

void validateNow(QToolBar *toolbar)
{
    for (QAction *qaction : toolbar->actions())
        validateAction(qaction);
}

void installActiveWindowChain(ActionResponder *extra)
{
    ResponderChain::setProvider([extra] {
        // The document window used last: a free-standing panel (the template
        // chooser, a colour panel) sends its commands there, as a panel
        // works on the main window behind it.
        static QPointer<QWidget> lastHostWindow;
        QList<ActionResponder *> chain;
        QWidget *window = QApplication::activeWindow();
        if (!window && QApplication::focusWidget())
            window = QApplication::focusWidget()->window();
        // A sheet or pop-over of a document window passes on to its window.
        bool found = false;
        for (QWidget *w = window; w; w = w->parentWidget()) {
            if (auto *host = dynamic_cast<ResponderHost *>(w)) {
                chain = host->responderChain();
                lastHostWindow = w;
                found = true;
                break;
            }
        }
        if (!found && lastHostWindow && lastHostWindow->isVisible()) {
            if (auto *host = dynamic_cast<ResponderHost *>(lastHostWindow.data()))
                chain = host->responderChain();
        }
        if (extra)
            chain << extra;
        return chain;
    });
}

}  // namespace ActionBinding
