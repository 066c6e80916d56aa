#pragma once
// The program as a person meets it: the shell launched as main() launches it,
// with every part's commands registered the same way, and helpers that reach
// menu items by their visible path ("Add New/Text Box") and toolbar buttons by
// their visible text, validating them first as a click would. Alerts and file
// panels are scripted; settings and data folders are the test's own.
#include "support/ScopedEnvironment.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"
#include "support/TempDir.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class AppShell;
class QAction;
class QMainWindow;
class QWidget;
class SKTWindowController;

namespace MenuPath {

// The item at path in window's menu bar: titles separated by "/", compared
// without mnemonic ampersands and trailing ellipses. Each menu on the way gets
// its aboutToShow first, as when a person opens it. Null when any step is
// missing or hidden; why then says which step and what was there.
QAction *find(QMainWindow *window, const QString &path, QString *why = nullptr);
// Finds the item and triggers it when it is visible and enabled, then lets the
// event loop run. False (with why) when it could not be triggered.
bool trigger(QMainWindow *window, const QString &path, QString *why = nullptr);
// Every visible item with an action under the menu bar, as "Menu/Sub/Item",
// each menu validated as it would be when shown.
QStringList visibleItems(QMainWindow *window);
// The visible text of an action: ampersands of mnemonics removed.
QString visibleText(const QAction *action);

}  // namespace MenuPath

namespace ToolbarButton {

// The toolbar action of window whose visible text is text, after the window's
// toolbars are validated as on a selection change. Null when there is none.
QAction *find(QMainWindow *window, const QString &text, QString *why = nullptr);
// Clicks the button when it is visible and enabled, then lets the event loop run.
bool click(QMainWindow *window, const QString &text, QString *why = nullptr);
// The visible texts of the window's toolbar buttons.
QStringList texts(QMainWindow *window);

}  // namespace ToolbarButton

// A press and release of the left button in the middle of the widget, as
// the window system delivers them, then the event loop runs.
void clickWidget(QWidget *widget);
// Runs the event loop a few rounds, deferred deletions included.
void settleEvents(int rounds = 5);
// Runs the event loop until done() holds or ms pass; answers done().
bool spinUntil(const std::function<bool()> &done, int ms = 10000);

class RealProgramTest : public TempDirTest {
protected:
    RealProgramTest();
    ~RealProgramTest() override;
    void SetUp() override;
    void TearDown() override;

    // Starts the program as the named edition (empty: the default edition) and
    // leaves its welcome window on screen.
    void launchAs(const QString &edition);
    // The one document window on screen, made the active window as a click on
    // it would; null when there is not exactly one.
    SKTWindowController *frontWindow();
    // A new untitled page of the edition, made as the welcome window's blank
    // page command makes it ("newDocument" along the chain), in front. Where
    // New opens the template chooser, its selected template is taken (its
    // first one when Select makes nothing without a pick).
    SKTWindowController *newPageWindow();
    // A new design from the edition's template chooser, as editions whose
    // welcome window opens the chooser make it: the welcome window's new
    // button, then the template whose file name contains fileName (the first
    // one when empty) clicked and Select, as a person would; a project goes
    // into a folder the panel is answered with. Null when no window opened.
    SKTWindowController *newPageFromTemplate(const QString &fileName = {});
    // newPageWindow, taking from the chooser the template whose file name
    // contains fileName (its selected one when empty or none matches).
    SKTWindowController *newPageWindowPicking(const QString &fileName);
    // Waits for a template being unpacked, then for a document window.
    void waitForNewWindow();
    // A new project in the folder name of the test's folder, opened as the
    // program opens a folder named on its command line: its starter page in
    // a window of its own, or null.
    SKTWindowController *openProject(const QString &name);
    // Writes "photo.png", a plain dark cyan picture of size, into the test's
    // folder; its path, or empty when it could not be written.
    QString writePhoto(QSize size);

    // Sends an action along the active window's chain as a keyboard shortcut
    // would: validated first. False when it is disabled or answered by nobody.
    bool sendAction(const QString &action, int tag = 0);

    ScopedUserDefaults defaults;
    ScriptedAlerts alerts;
    ScriptedFilePanels panels;
    std::unique_ptr<ScopedEnvironment> dataHome;
    std::unique_ptr<AppShell> shell;
};
