#pragma once
// Watches the update menu: highlighting its "Update" item makes every
// document window drop its inspector bindings before the update can replace
// the program underneath them.
#include <QObject>

class QAction;
class QMenu;

class AdHocMenuDelegate : public QObject {
    Q_OBJECT
public:
    explicit AdHocMenuDelegate(QMenu *menu);

    void menuWillHighlightItem(QAction *item);
    void menuWillOpen() {}
};
