#pragma once
// The application's shell around the delegate: the launch sequence, the main
// menu shared by every window's menu bar, the welcome window, the grid panel,
// the feedback sheet and the text-categories window. Linux has no dock: when
// the last window closes the welcome window comes back, and closing the
// welcome window with nothing else open ends the program.
#include "app/ui/AppMenus.h"
#include "app/ui/WelcomeWindowController.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class SKTDocument;
class AdHocViewController;
class CustomizeCategoriesWindowController;
class FeedbackWindowController;
class GridPanel;
class QWidget;
class SKTAppDelegate;

class AppShell : public QObject {
    Q_OBJECT
public:
    explicit AppShell(SKTAppDelegate &delegate, QObject *parent = nullptr);
    ~AppShell() override;

    // Will finish and did finish launching, then opens the given page files.
    void launch(const QStringList &files = {});
    // The two halves, for tests.
    void applicationWillFinishLaunching();
    void applicationDidFinishLaunching();
    // With no visible window, the welcome window.
    void applicationDidBecomeActive();

    // Replaces any welcome window with a freshly made one.
    void showWelcomeWindow();
    WelcomeWindowController *welcomeWindowController() const { return m_welcome; }

    AppMenus *menus() const { return m_menus.get(); }
    SKTAppDelegate &delegate() const { return m_delegate; }

    void showOrHideGridInspector();
    GridPanel *gridInspectorController() const { return m_grid.get(); }
    void launchFeedbackModalSheet();
    void cancelFeedbackModalSheet();
    void sendFeedback();
    FeedbackWindowController *feedbackWindowController() const { return m_feedback.get(); }
    void showCustomizeCategoriesWindowController();
    CustomizeCategoriesWindowController *customizeCategoriesWindowController() const { return m_categories.get(); }
    // The open panel for page documents.
    void openDocument();
    // The markup editions: a picture opened becomes a new page holding it; a
    // file in no format this program reads says so. Null when nothing opened.
    SKTDocument *openPictureForMarkup(const QString &path);
    static bool isMarkupEdition();
    static QStringList pictureTypes();
    // The window a detached pop-over becomes (hud: the dark variant).
    QWidget *detachableWindowForPopover(bool hud);

    // The visible menu items whose action no part of the program answers, with
    // the document window of a blank page open when the edition ships one.
    QStringList itemsWithoutHandler();

    // How the program ends (tests watch it instead).
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

    // Windows the user can see (menus, tool tips and pop-ups do not count).
    static int visibleWindowCount(const QWidget *leaving = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void installCommands();
    void attachMenus(QWidget *window);
    void lastWindowMayHaveClosed(bool welcomeClosed);
    void reportWelcomeExposed();
    void terminate();
    void windowAnsweredQuit(bool mayClose);
    void finishTerminationWhenDone();

    SKTAppDelegate &m_delegate;
    std::unique_ptr<AppMenus> m_menus;
    QPointer<WelcomeWindowController> m_welcome;
    std::unique_ptr<GridPanel> m_grid;
    std::unique_ptr<FeedbackWindowController> m_feedback;
    std::unique_ptr<CustomizeCategoriesWindowController> m_categories;
    std::unique_ptr<QWidget> m_detachedWindow;
    std::unique_ptr<QWidget> m_detachedHUDWindow;
    std::unique_ptr<AdHocViewController> m_adHoc;
    bool m_checkPending = false;
    bool m_welcomeExposedReported = false;
    bool m_terminating = false;
    std::function<void()> m_quit;
};
