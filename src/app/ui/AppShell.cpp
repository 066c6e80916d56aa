#include "app/ui/AppShell.h"

#include "app/SKTAppDelegate.h"
#include "app/MenuMnemonics.h"
#include "app/WelcomePlan.h"
#include "app/ui/AdHocViewController.h"
#include "app/ui/CustomizeCategoriesWindowController.h"
#include "app/ui/FeedbackWindowController.h"
#include "publishing/ui/ImportPageWindowController.h"
#include "app/ui/GridPanel.h"
#include "app/ui/SKTConvenience.h"
#include "app/ui/WelcomeWindowController.h"
#include "config/DataCentreFonts.h"
#include "canvas/CanvasResponder.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "canvas/CanvasInsertions.h"
#include <QImageReader>
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "sidebar/ui/AddPhotoSettingsWindowController.h"
#include "sidebar/ui/PhotoCatalogSettingsWindowController.h"
#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/FilePanels.h"
#include "platform/NotificationCenter.h"
#include "platform/ui/ActionBinding.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScreen>
#include <QLoggingCategory>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

Q_LOGGING_CATEGORY(lcLaunch, "zov.launch")

namespace {

QElapsedTimer &launchClock()
{
    static QElapsedTimer clock;
    return clock;
}

void hideActions(QList<MenuNode> &nodes, const QStringList &actions)
{
    for (MenuNode &node : nodes) {
        if (!node.action.isEmpty() && actions.contains(node.action))
            node.hidden = true;
        hideActions(node.items, actions);
    }
}

bool countsAsWindow(const QWidget *widget)
{
    if (!widget->isWindow() || !widget->isVisible() || qobject_cast<const QMenu *>(widget))
        return false;
    switch (widget->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::Desktop:
    case Qt::SplashScreen:
        return false;
    default:
        return true;
    }
}

// Window systems without stacking (the offscreen one of the tests) have
// nothing to raise.
void bringToFront(QWidget *window)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    window->raise();
    window->activateWindow();
}

}  // namespace

AppShell::AppShell(SKTAppDelegate &delegate, QObject *parent) : QObject(parent), m_delegate(delegate)
{
    if (!launchClock().isValid())
        launchClock().start();
    m_quit = [] { QCoreApplication::quit(); };
}

AppShell::~AppShell()
{
    if (qApp)
        qApp->removeEventFilter(this);
    NotificationCenter::defaultCenter().removeObserver(this);
    m_delegate.setWelcomeWindowHider({});
    if (m_welcome)
        delete m_welcome.data();
}

void AppShell::launch(const QStringList &files)
{
    applicationWillFinishLaunching();
    applicationDidFinishLaunching();
    // Folders (projects) and pages named on the command line open once the
    // program is up; one that cannot be read says why in its own alert.
    for (const QString &file : files) {
        const QFileInfo info(file);
        if (info.isDir())
            m_delegate.launchSelectedWebsite(info.absoluteFilePath(), false);
        else
            m_delegate.openPageAlone(info.absoluteFilePath());
    }
}

void AppShell::applicationWillFinishLaunching()
{
    // The welcome window needs none of the web fonts: they are registered
    // once it is on screen, and at the latest when a page opens.
    DataCentreFonts::setDeferredLoading(true);
    m_delegate.applicationWillFinishLaunching();
    DataCentreFonts::setDeferredLoading(false);
    // Alerts, sheets and windows without a title of their own carry the
    // edition's name, the name the person bought the program under.
    QGuiApplication::setApplicationDisplayName(gAppName.isEmpty() ? QStringLiteral("Zov") : gAppName);
    // The delegate's own windows for the gallery and page-import roads.
    PhotoCatalogSettingsWindowController::install(m_delegate);
    AddPhotoSettingsWindowController::install(m_delegate);
    ImportPageWindowController::install(m_delegate);
    WelcomePlan::installFontSubstitutions();
    MainMenuModel model = MainMenuModel::standard();
    m_delegate.runAppSpecificMenuSetups(model);
    // An address the build did not give leaves its items out.
    const QStringList unavailable = SKTAppDelegate::unavailableActions();
    for (MenuNode &menu : model.menus)
        hideActions(menu.items, unavailable);
    // The application menu carries the name the user started.
    const QString name = gAppName.isEmpty() ? QStringLiteral("Zov") : gAppName;
    if (MenuNode *appMenu = model.find(QStringLiteral("mainAppMenu"))) {
        appMenu->title = name;
        for (MenuNode &item : appMenu->items) {
            if (item.action == QLatin1String("orderFrontStandardAboutPanel"))
                item.title = tr("About %1").arg(name);
            else if (item.action == QLatin1String("terminate"))
                item.title = tr("Quit %1").arg(name);
        }
    }
    MenuMnemonics::assign(model);
    m_menus = std::make_unique<AppMenus>(model);
    installCommands();
}

void AppShell::applicationDidFinishLaunching()
{
    m_delegate.didFinishLaunching();
    m_delegate.prepareReceivedPagesFolder();
    m_adHoc = AdHocViewController::create(gDistributionChannel);
    if (m_adHoc && m_menus)
        m_adHoc->insertInto(m_menus->menu(QStringLiteral("mainAppMenu")));

    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            applicationDidBecomeActive();
    });
    showWelcomeWindow();
    NotificationCenter::defaultCenter().addObserver(this, Notifications::clearTemplateSelection, nullptr,
                                                    [this](const Notification &) {
                                                        ActionMap &commands = m_delegate.commands();
                                                        if (commands.respondsToAction(QStringLiteral("clearTemplateSelection")))
                                                            commands.performAction(QStringLiteral("clearTemplateSelection"), {});
                                                    });
}

void AppShell::applicationDidBecomeActive()
{
    if (visibleWindowCount() < 1)
        showWelcomeWindow();
}

void AppShell::installCommands()
{
    m_delegate.installOwnCommands();
    m_delegate.setWelcomeWindowHider([this] {
        if (m_welcome)
            m_welcome->hide();
    });
    ActionMap &commands = m_delegate.commands();
    const ActionMap::Validate validate = [this](ActionItemState &item) { return m_delegate.validateMenuItem(item); };
    auto add = [&commands, &validate](const QString &name, std::function<void()> run) {
        commands.add(name, [run](const ActionItemState &) { run(); }, validate);
    };
    add(QStringLiteral("showWelcomeWindow"), [this] { showWelcomeWindow(); });
    add(QStringLiteral("openDocument"), [this] { openDocument(); });
    add(QStringLiteral("showOrHideGridInspector"), [this] { showOrHideGridInspector(); });
    if (!SKTAppDelegate::unavailableActions().contains(QStringLiteral("launchFeedbackModalSheet"))) {
        add(QStringLiteral("launchFeedbackModalSheet"), [this] { launchFeedbackModalSheet(); });
        add(QStringLiteral("cancelFeedbackModalSheet"), [this] { cancelFeedbackModalSheet(); });
        add(QStringLiteral("sendFeedback"), [this] { sendFeedback(); });
    }
    add(QStringLiteral("showCustomizeCategoriesWindowController"), [this] { showCustomizeCategoriesWindowController(); });
    add(QStringLiteral("saveCategories"), [this] {
        if (m_categories)
            m_categories->saveCategories();
    });
    add(QStringLiteral("resetCategories"), [this] {
        if (m_categories)
            m_categories->resetCategories();
    });
    add(QStringLiteral("performClose"), [] {
        if (QWidget *window = QApplication::activeWindow())
            window->close();
    });
    add(QStringLiteral("performMiniaturize"), [] {
        if (QWidget *window = QApplication::activeWindow())
            window->showMinimized();
    });
    add(QStringLiteral("terminate"), [this] { terminate(); });
    add(QStringLiteral("showPageImport"), [this] { m_delegate.showPageImport(); });
    add(QStringLiteral("selectInputPhotoFolder"), [this] { m_delegate.selectInputPhotoFolder(); });
    add(QStringLiteral("orderFrontStandardAboutPanel"), [] {
        const QString name = gAppName.isEmpty() ? QStringLiteral("Zov") : gAppName;
        Alerts::inform(name, QStringLiteral("Version %1").arg(gAppVersion));
    });
    // Every other part of the program adds its application commands after the
    // shell's own, so it may answer a name differently.
    CommandRegistry::installApplicationCommands(commands);
    ActionBinding::installActiveWindowChain(&commands);
}

void AppShell::terminate()
{
    // Each document window may still ask about unsaved changes, and answers
    // later; the program ends once every window has gone. A window kept open
    // (its save question cancelled) cancels the quit.
    m_terminating = true;
    for (SKTWindowController *window : SKTWindowController::allWindows())
        connect(window, &SKTWindowController::closeAnswered, this, &AppShell::windowAnsweredQuit,
                Qt::UniqueConnection);
    QApplication::closeAllWindows();
    finishTerminationWhenDone();
}

void AppShell::windowAnsweredQuit(bool mayClose)
{
    if (!mayClose && m_terminating) {
        m_terminating = false;
        // The windows that did close leave the kept one alone; nothing else
        // comes back.
        return;
    }
    QTimer::singleShot(0, this, &AppShell::finishTerminationWhenDone);
}

void AppShell::finishTerminationWhenDone()
{
    if (!m_terminating || visibleWindowCount() > 0)
        return;
    m_terminating = false;
    m_quit();
}

void AppShell::showWelcomeWindow()
{
    if (m_welcome) {
        // The old window goes without counting as the user closing it.
        WelcomeWindowController *old = m_welcome.data();
        m_welcome.clear();
        old->hide();
        old->deleteLater();
    }
    auto *window = new WelcomeWindowController();
    m_welcome = window;
    attachMenus(window);
    window->winId();
    if (QWindow *handle = window->windowHandle())
        handle->installEventFilter(this);
    window->show();
    bringToFront(window);
}

void AppShell::attachMenus(QWidget *window)
{
    auto *main = qobject_cast<QMainWindow *>(window);
    if (!main || !m_menus)
        return;
    main->menuBar()->setNativeMenuBar(false);
    m_menus->attachTo(main->menuBar());
}

void AppShell::showOrHideGridInspector()
{
    if (!m_grid)
        m_grid = std::make_unique<GridPanel>();
    SKTConvenience::showOrHideWindow(m_grid.get());
}

void AppShell::launchFeedbackModalSheet()
{
    if (!m_feedback) {
        m_feedback = std::make_unique<FeedbackWindowController>();
        connect(m_feedback->cancelButton(), &QPushButton::clicked, this, &AppShell::cancelFeedbackModalSheet);
        connect(m_feedback->sendEmailButton(), &QPushButton::clicked, this, &AppShell::sendFeedback);
    }
    QWidget *window = QApplication::activeWindow();
    if (window == m_feedback.get())
        window = nullptr;
    m_feedback->begin(window);
}

void AppShell::cancelFeedbackModalSheet()
{
    if (m_feedback)
        m_feedback->done(1);
}

void AppShell::sendFeedback()
{
    if (!m_feedback)
        return;
    cancelFeedbackModalSheet();
    m_delegate.sendFeedback(m_feedback->selectedExperience(), m_feedback->feedbackTextView()->toPlainText());
}

void AppShell::showCustomizeCategoriesWindowController()
{
    if (!m_categories)
        m_categories = std::make_unique<CustomizeCategoriesWindowController>();
    m_categories->reloadData();
    m_categories->show();
    bringToFront(m_categories.get());
}

void AppShell::openDocument()
{
    OpenPanelOptions options;
    options.title = tr("Open");
    options.allowedTypes = {gDocumentExtension.isEmpty() ? QStringLiteral("zovpage") : gDocumentExtension};
    if (gDocumentExtension != QLatin1String("trelkoforms"))
        options.allowedTypes << QStringLiteral("trelkoforms");
    // The markup editions open a picture to mark up as well as their pages.
    const bool markup = isMarkupEdition();
    if (markup)
        options.allowedTypes << pictureTypes();
    options.allowsMultipleSelection = true;
    FilePanels::current().showOpenPanel(options, QApplication::activeWindow(), [this, markup](const QStringList &paths) {
        for (const QString &path : paths) {
            const QString suffix = QFileInfo(path).suffix().toLower();
            if (markup && suffix != gDocumentExtension && suffix != QLatin1String("trelkoforms"))
                openPictureForMarkup(path);
            else
                DocumentController::shared().openDocument(path);
        }
    });
}

bool AppShell::isMarkupEdition()
{
    return gAppName == QLatin1String("Tovra Markup") || gAppName == QLatin1String("Tovra Markup Express")
           || gAppName == QLatin1String("Wemba Image Notes");
}

QStringList AppShell::pictureTypes()
{
    return {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("gif"),
            QStringLiteral("bmp"), QStringLiteral("tif"), QStringLiteral("tiff"), QStringLiteral("webp")};
}

SKTDocument *AppShell::openPictureForMarkup(const QString &path)
{
    QImageReader reader(path);
    if (!reader.canRead()) {
        Alerts::inform(QStringLiteral("Picture Not Opened"),
                       QStringLiteral("\"%1\" is not a picture in a format this program can read (PNG, JPEG, GIF, "
                                      "BMP, TIFF or WebP).")
                           .arg(QFileInfo(path).fileName()),
                       QApplication::activeWindow());
        return nullptr;
    }
    // A new page from the edition's blank template, with the picture on it.
    const QString blank = QDir(m_delegate.resourcesFolder())
                              .filePath(gTemplateFolder + QStringLiteral("/blank/Blank.") + gDocumentExtension);
    SKTDocument *doc = QFileInfo(blank).isFile() ? DocumentController::shared().openUntitledDocument(blank) : nullptr;
    if (!doc) {
        Alerts::inform(QStringLiteral("Picture Not Opened"), QStringLiteral("No blank page could be made for the picture."));
        return nullptr;
    }
    for (SKTWindowController *window : SKTWindowController::allWindows())
        if (&window->document() == doc && window->graphicView().insertions())
            window->graphicView().insertions()->addImageFilesLater(*doc, {path}, QPointF(20, 20), 0, 0);
    return doc;
}

QWidget *AppShell::detachableWindowForPopover(bool hud)
{
    std::unique_ptr<QWidget> &window = hud ? m_detachedHUDWindow : m_detachedWindow;
    if (!window) {
        window = std::make_unique<QWidget>(nullptr, Qt::Tool);
        if (hud)
            window->setStyleSheet(QStringLiteral("background: #262626; color: #f0f0f0;"));
    }
    return window.get();
}

int AppShell::visibleWindowCount(const QWidget *leaving)
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget != leaving && countsAsWindow(widget))
            ++count;
    }
    return count;
}

bool AppShell::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && m_welcome && watched == m_welcome->windowHandle()) {
        if (m_welcome->windowHandle()->isExposed())
            reportWelcomeExposed();
        return false;
    }
    if (!watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (!widget->isWindow())
        return false;
    if (event->type() == QEvent::Show) {
        // Every window opens within the screen's usable room (the offscreen
        // screen of the tests is smaller than any real one and is left be).
        if (countsAsWindow(widget) && QGuiApplication::platformName() != QLatin1String("offscreen"))
            WindowPlacement::keepOnScreen(widget);
        // Every document window shares the one main menu, and the welcome
        // window steps aside for it.
        if (dynamic_cast<ResponderHost *>(widget)) {
            attachMenus(widget);
            if (m_welcome && m_welcome->isVisible())
                m_welcome->hide();
        }
    } else if (event->type() == QEvent::Close && countsAsWindow(widget) && m_terminating) {
        QTimer::singleShot(0, this, &AppShell::finishTerminationWhenDone);
    } else if (event->type() == QEvent::Close && countsAsWindow(widget) && !m_terminating) {
        const bool welcome = widget == m_welcome.data();
        QTimer::singleShot(0, this, [this, welcome] { lastWindowMayHaveClosed(welcome); });
    }
    return false;
}

void AppShell::lastWindowMayHaveClosed(bool welcomeClosed)
{
    if (m_terminating || visibleWindowCount() > 0)
        return;
    if (welcomeClosed)
        m_quit();
    else
        showWelcomeWindow();
}

QStringList AppShell::itemsWithoutHandler()
{
    if (!m_menus)
        return {};
    // What a document window answers counts: a real window over a blank
    // page (never shown) gives the canvas's, the window's own, every
    // subsystem's window commands and the document's; the delegate comes last
    // as it does in every window's chain.
    SKTDocument page;
    SKTWindowController window(page);
    QList<ActionResponder *> responders = window.responderChain();
    responders += &m_delegate.commands();
    return m_menus->visibleItemsWhere([&responders](const QString &action) {
        return !ResponderChain::target(responders, action);
    });
}

void AppShell::reportWelcomeExposed()
{
    if (m_welcomeExposedReported)
        return;
    m_welcomeExposedReported = true;
    DataCentreFonts::registerPendingFontsWhenIdle();
    qCInfo(lcLaunch).noquote() << "welcome window exposed after" << launchClock().elapsed() << "ms";
    // The launch test asks which menu items nobody answers.
    const QString audit = qEnvironmentVariable("ZOV_MENU_AUDIT");
    if (!audit.isEmpty()) {
        QTimer::singleShot(0, this, [this, audit] {
            QSaveFile out(audit);
            if (out.open(QIODevice::WriteOnly)) {
                out.write(itemsWithoutHandler().join(QLatin1Char('\n')).toUtf8());
                out.commit();
            }
            m_quit();
        });
        return;
    }
    // The launch test and the benchmark ask for a picture of the window and
    // an exit once it is on screen.
    const QString picture = qEnvironmentVariable("ZOV_WELCOME_SCREENSHOT");
    if (picture.isEmpty())
        return;
    QTimer::singleShot(300, this, [this, picture] {
        if (!m_welcome)
            return QCoreApplication::quit();
        // Where there is a real screen the picture is what it shows; offscreen
        // the window draws itself.
        QScreen *screen = m_welcome->screen();
        const QPixmap shot = QGuiApplication::platformName() != QLatin1String("offscreen") && screen
                                 ? screen->grabWindow(m_welcome->winId())
                                 : m_welcome->grab();
        if (!shot.save(picture))
            qCWarning(lcLaunch).noquote() << "Cannot write" << picture;
        QCoreApplication::quit();
    });
}
