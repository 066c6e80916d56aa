#pragma once
// Showing and toggling any window the same way: the template chooser, the
// page import window and the grid panel close themselves with these.
class QWidget;

namespace SKTConvenience {

bool isWindowShown(const QWidget *window);
// Hides a visible window; otherwise shows it and brings it to the front.
void showOrHideWindow(QWidget *window);

}  // namespace SKTConvenience
