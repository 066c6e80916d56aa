#include "platform/ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

QRect fitted(const QRect &geometry, const QRect &available, const QSize &minimum, int titleBar, int border)
{
    if (!available.isValid() || geometry.isEmpty())
        return geometry;
    // The client area's share of the room once the frame is drawn around it.
    const int roomWidth = available.width() - 2 * border;
    const int roomHeight = available.height() - titleBar - border;
    const int width = std::max(std::min(geometry.width(), roomWidth), minimum.width());
    const int height = std::max(std::min(geometry.height(), roomHeight), minimum.height());
    const int left = available.left() + border;
    const int top = available.top() + titleBar;
    int x = geometry.x();
    int y = geometry.y();
    x = std::min(x, available.right() - border - width + 1);
    y = std::min(y, available.bottom() - border - height + 1);
    x = std::max(x, left);
    y = std::max(y, top);
    return QRect(x, y, width, height);
}

void keepOnScreen(QWidget *window)
{
    if (!window || !window->isWindow())
        return;
    QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect geometry = window->geometry();
    const QRect frame = window->frameGeometry();
    // Once the window manager has framed the window its real margins count.
    const bool framed = frame != geometry && frame.contains(geometry);
    const int titleBar = framed ? geometry.top() - frame.top() : kTitleBarAllowance;
    const int border = framed ? std::max(geometry.left() - frame.left(), 0) : kBorderAllowance;
    const QRect wanted = fitted(geometry, screen->availableGeometry(), window->minimumSize(), titleBar, border);
    if (wanted != geometry)
        window->setGeometry(wanted);
}

}  // namespace WindowPlacement
