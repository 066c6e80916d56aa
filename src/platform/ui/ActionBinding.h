#pragma once
// QActions that send their named action along the responder chain, and menus
// that validate their items through it just before they show.
#include "platform/ActionResponder.h"

#include <QString>

class QAction;
class QMenu;
class QObject;
class QToolBar;
class QWidget;

namespace ActionBinding {

// Makes a QAction titled title that sends action when triggered.
QAction *makeAction(const QString &title, const QString &action, QObject *parent, int tag = 0);
// Makes an existing QAction send action (its title and tag become the sender's).
void bind(QAction *qaction, const QString &action, int tag = 0);
// The action name a QAction sends, or empty.
QString actionOf(const QAction *qaction);

// Re-validates every bound item of menu (and its submenus) each time it is
// about to show: enabled, ticked, retitled or hidden as the chain decides.
void validateBeforeShowing(QMenu *menu);
// Validates the items of a menu now (also used by tests).
void validateNow(QMenu *menu);
// Validates the bound actions of a toolbar now (call on selection changes).
void validateNow(QToolBar *toolbar);

// The program's chain: the active window's responders when it is a
// ResponderHost (or the window of the focused widget), then extra, which is
// normally the application delegate.
void installActiveWindowChain(ActionResponder *extra);

}  // namespace ActionBinding
