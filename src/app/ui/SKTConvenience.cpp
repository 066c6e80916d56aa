#include "app/ui/SKTConvenience.h"

#include <QGuiApplication>
#include <QWidget>

namespace SKTConvenience {

bool isWindowShown(const QWidget *window)
{
    return window && window->isVisible();
}

void showOrHideWindow(QWidget *window)
{
    if (!window)
        return;
    if (window->isVisible()) {
        window->hide();
        return;
    }
    window->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        window->raise();
        window->activateWindow();
    }
}

}  // namespace SKTConvenience
