#include "app/ui/AdHocMenuDelegate.h"

#include "platform/NotificationCenter.h"

#include <QAction>
#include <QMenu>

AdHocMenuDelegate::AdHocMenuDelegate(QMenu *menu) : QObject(menu)
{
    connect(menu, &QMenu::hovered, this, &AdHocMenuDelegate::menuWillHighlightItem);
    connect(menu, &QMenu::aboutToShow, this, &AdHocMenuDelegate::menuWillOpen);
}

void AdHocMenuDelegate::menuWillHighlightItem(QAction *item)
{
    if (item && item->text() == QLatin1String("Update"))
        NotificationCenter::defaultCenter().postNotification(Notifications::unbindEverything, this);
}
