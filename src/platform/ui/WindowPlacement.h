#pragma once
// Keeps a window within the part of its screen that windows may use (the
// screen less panels and docks): a window taller or wider than that room is
// made smaller, down to its minimum size, and one that reaches past an edge
// is moved back in. The room left for the window manager's title bar and
// borders is allowed for before the window has a frame of its own.
#include <QRect>

class QWidget;

namespace WindowPlacement {

// Room a frame adds around the client area when none is known yet.
inline constexpr int kTitleBarAllowance = 32;
inline constexpr int kBorderAllowance = 4;

// The client geometry that keeps geometry, with the frame margins given, inside
// available; never below minimum.
QRect fitted(const QRect &geometry, const QRect &available, const QSize &minimum, int titleBar = kTitleBarAllowance,
             int border = kBorderAllowance);

// Fits window (a top-level widget) into its screen's available geometry.
void keepOnScreen(QWidget *window);

}  // namespace WindowPlacement
