#pragma once
// Which of the document window's menu items are enabled, ticked, retitled or
// hidden, as one table read before a menu shows. The window hands over what
// it knows of the moment (pages in the project, the page under the last
// context click, the grid, the selected table); nothing here needs a widget.
#include "platform/ActionResponder.h"

#include <QString>
#include <QStringList>

#include <functional>

struct WindowMenuState {
    int pageCount = 0;
    // Whether a page cell lies under the last context click in the listing
    // (asked only for the items that need it; it records that page).
    std::function<bool()> pageClicked;
    bool formPage = false;            // a forms page or a "php" page
    bool gridUsable = false;
    bool gridConstraining = false;
    bool gridAlwaysShown = false;
    bool selectedTableHasBackgroundPattern = false;
    QString documentDisplayName;
};

class WindowMenuValidation {
public:
    // Sets enabled, checked, title and visible of item by its action; answers
    // enabled. Actions outside the table stay enabled and unchanged.
    static bool validate(ActionItemState &item, const WindowMenuState &state);
    // The actions whose items the table decides.
    static QStringList ruledActions();
    // The project-page actions: enabled and shown only while the project has pages.
    static const QStringList &pageListActions();
};
