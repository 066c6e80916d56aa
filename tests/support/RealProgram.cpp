#include "support/RealProgram.h"

#include "app/SKTAppDelegate.h"
#include "app/TemplateChooser.h"
#include "app/ui/AppShell.h"
#include "app/ui/ProgramCommands.h"
#include "app/ui/TemplateIconButton.h"
#include "app/ui/TemplateWindowController.h"
#include "app/ui/WelcomeWindowController.h"
#include "config/EditionSettings.h"
#include "config/ui/ProgressWindowPresenter.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "platform/ActionResponder.h"
#include "platform/Bundle.h"
#include "platform/ui/ActionBinding.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/SKTWindowController.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolBar>

namespace {

// A title as compared: no mnemonic ampersands, no trailing ellipsis, no
// surrounding blanks.
QString comparable(QString title)
{
    title = title.trimmed();
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3);
    else if (title.endsWith(QChar(0x2026)))
        title.chop(1);
    return title.trimmed();
}

void showing(QMenu *menu)
{
    emit menu->aboutToShow();
}

// The visible actions of a menu bar or menu, after it validated itself.
QList<QAction *> visibleActionsOf(const QList<QAction *> &actions)
{
    QList<QAction *> visible;
    for (QAction *action : actions)
        if (action->isVisible() && !action->isSeparator())
            visible << action;
    return visible;
}

QStringList titlesOf(const QList<QAction *> &actions)
{
    QStringList titles;
    for (const QAction *action : actions)
        titles << MenuPath::visibleText(action);
    return titles;
}

void collect(QMenu *menu, const QString &prefix, QStringList &out)
{
    showing(menu);
    for (QAction *action : visibleActionsOf(menu->actions())) {
        const QString path = prefix + QLatin1Char('/') + MenuPath::visibleText(action);
        if (action->menu())
            collect(action->menu(), path, out);
        else
            out << path;
    }
}

QList<QToolBar *> toolbarsOf(QMainWindow *window)
{
    QList<QToolBar *> bars;
    for (QToolBar *bar : window->findChildren<QToolBar *>())
        if (bar->parentWidget() == window || bar->window() == window)
            bars << bar;
    return bars;
}

// Triggers action as a click does, when it is enabled; named says what it is
// in the reason otherwise.
bool triggerWhenEnabled(QAction *action, const QString &named, QString *why)
{
    if (!action->isEnabled()) {
        if (why)
            *why = named + QStringLiteral(" is disabled");
        return false;
    }
    action->trigger();
    settleEvents();
    return true;
}

}  // namespace

QString MenuPath::visibleText(const QAction *action)
{
    QString text = action->text();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text.at(i);
    }
    return out;
}

QAction *MenuPath::find(QMainWindow *window, const QString &path, QString *why)
{
    auto fail = [why](const QString &message) -> QAction * {
        if (why)
            *why = message;
        return nullptr;
    };
    if (!window)
        return fail(QStringLiteral("no window"));
    QStringList steps = path.split(QLatin1Char('/'));
    QList<QAction *> level = visibleActionsOf(window->menuBar()->actions());
    QString walked;
    QAction *found = nullptr;
    while (!steps.isEmpty()) {
        // A title may itself hold a "/": the longest run of steps that names an
        // item wins.
        QAction *match = nullptr;
        int used = 0;
        for (int take = int(steps.size()); take >= 1 && !match; --take) {
            const QString wanted = comparable(QStringList(steps.mid(0, take)).join(QLatin1Char('/')));
            for (QAction *action : level) {
                if (comparable(visibleText(action)) == wanted) {
                    match = action;
                    used = take;
                    break;
                }
            }
        }
        if (!match)
            return fail(QStringLiteral("no visible \"%1\" under \"%2\"; there: %3")
                            .arg(steps.first(), walked.isEmpty() ? QStringLiteral("the menu bar") : walked,
                                 titlesOf(level).join(QStringLiteral(", "))));
        walked += (walked.isEmpty() ? QString() : QStringLiteral("/")) + visibleText(match);
        steps = steps.mid(used);
        found = match;
        if (QMenu *menu = match->menu()) {
            showing(menu);
            level = visibleActionsOf(menu->actions());
        } else if (!steps.isEmpty()) {
            return fail(QStringLiteral("\"%1\" is an item, not a menu").arg(walked));
        }
    }
    return found;
}

bool MenuPath::trigger(QMainWindow *window, const QString &path, QString *why)
{
    QString reason;
    QAction *action = find(window, path, &reason);
    if (!action) {
        if (why)
            *why = reason;
        return false;
    }
    if (action->menu()) {
        if (why)
            *why = QStringLiteral("\"%1\" is a menu").arg(path);
        return false;
    }
    return triggerWhenEnabled(action, QStringLiteral("\"%1\"").arg(path), why);
}

QStringList MenuPath::visibleItems(QMainWindow *window)
{
    QStringList out;
    if (!window)
        return out;
    for (QAction *top : visibleActionsOf(window->menuBar()->actions()))
        if (QMenu *menu = top->menu())
            collect(menu, visibleText(top), out);
    return out;
}

QAction *ToolbarButton::find(QMainWindow *window, const QString &text, QString *why)
{
    if (!window) {
        if (why)
            *why = QStringLiteral("no window");
        return nullptr;
    }
    QStringList there;
    for (QToolBar *bar : toolbarsOf(window)) {
        ActionBinding::validateNow(bar);
        if (auto *controller = qobject_cast<SKTWindowController *>(window))
            controller->validateToolbar();
        if (!bar->isVisible() && window->isVisible())
            continue;
        for (QAction *action : bar->actions()) {
            if (!action->isVisible() || action->isSeparator())
                continue;
            if (comparable(MenuPath::visibleText(action)) == comparable(text))
                return action;
            there << MenuPath::visibleText(action);
        }
    }
    if (why)
        *why = QStringLiteral("no toolbar button \"%1\"; there: %2").arg(text, there.join(QStringLiteral(", ")));
    return nullptr;
}

bool ToolbarButton::click(QMainWindow *window, const QString &text, QString *why)
{
    QAction *action = find(window, text, why);
    return action && triggerWhenEnabled(action, QStringLiteral("toolbar button \"%1\"").arg(text), why);
}

QStringList ToolbarButton::texts(QMainWindow *window)
{
    QStringList out;
    if (!window)
        return out;
    for (QToolBar *bar : toolbarsOf(window))
        for (QAction *action : bar->actions())
            if (action->isVisible() && !action->isSeparator())
                out << MenuPath::visibleText(action);
    return out;
}

void clickWidget(QWidget *widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
    settleEvents();
}

void settleEvents(int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool spinUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

RealProgramTest::RealProgramTest() = default;
RealProgramTest::~RealProgramTest() = default;

void RealProgramTest::SetUp()
{
    // Deleted pages go to a trash of the test's own.
    dataHome = std::make_unique<ScopedEnvironment>("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
    // A fresh program has no template picked and reads its own resources (a
    // test of another kind may have left either behind).
    clearSelectedTemplate();
    SKTAppDelegate::shared().setResourcesFolder({});
    // What main() does before the shell starts.
    CommandRegistry::clear();
    ProgressWindowPresenter::install();
    registerProgramCommands();
}

void RealProgramTest::TearDown()
{
    for (SKTWindowController *w : SKTWindowController::allWindows()) {
        w->document().markClean();
        w->close();
    }
    settleEvents();
    shell.reset();
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    settleEvents();
    DocumentController::shared().setWindowControllerFactory({});
    SKTAppDelegate::shared().setProjectWindows({});
    ResponderChain::setProvider({});
    CommandRegistry::clear();
    Bundle::setDisplayName({});
    // A template picked in one edition's chooser is no pick of the next one.
    clearSelectedTemplate();
    EditionSettings::resetToInitialState();
    dataHome.reset();
}

void RealProgramTest::launchAs(const QString &edition)
{
    Bundle::setDisplayName(edition);
    shell = std::make_unique<AppShell>(SKTAppDelegate::shared());
    shell->setQuitHandler([] {});
    shell->launch();
    settleEvents();
}

SKTWindowController *RealProgramTest::frontWindow()
{
    const auto all = SKTWindowController::allWindows();
    if (all.size() != 1)
        return nullptr;
    SKTWindowController *w = all.first();
    w->show();
    w->activateWindow();
    w->raise();
    spinUntil([w] { return QApplication::activeWindow() == w; }, 2000);
    return w;
}

SKTWindowController *RealProgramTest::newPageWindow()
{
    if (SKTWindowController *window = newPageWindowPicking({}))
        return window;
    // A chooser whose Select makes nothing until a template is picked (the
    // responsive e-mail edition's) gets its first template clicked, as a
    // person must, and Select again.
    TemplateWindowController *chooser = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *c = qobject_cast<TemplateWindowController *>(top); c && c->isVisible())
            chooser = c;
    if (!chooser || !SKTWindowController::allWindows().isEmpty())
        return nullptr;
    for (TemplateIconButton *icon : chooser->findChildren<TemplateIconButton *>())
        if (icon->isVisible()) {
            icon->click();
            settleEvents();
            break;
        }
    if (chooser->isVisible() && chooser->selectButton()->isEnabled()) {
        chooser->selectButton()->click();
        settleEvents();
    }
    spinUntil([] { return !SKTWindowController::allWindows().isEmpty(); }, 5000);
    return frontWindow();
}

SKTWindowController *RealProgramTest::newPageWindowPicking(const QString &fileName)
{
    if (!shell || !shell->welcomeWindowController())
        return nullptr;
    WelcomeWindowController *welcome = shell->welcomeWindowController();
    // Editions that start a project ask where it goes.
    panels.answer(path(QStringLiteral("New Project")));
    welcome->activateWindow();
    welcome->validateButtons();
    QPushButton *button = welcome->addNewWebsiteButton();
    if (!button || !button->isEnabled())
        return nullptr;
    button->click();
    settleEvents();
    // Editions whose New leads through the template chooser take its
    // selected (first) template, as a person pressing Select does.
    TemplateWindowController *chooser = nullptr;
    spinUntil([&chooser] {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *c = qobject_cast<TemplateWindowController *>(top); c && c->isVisible())
                chooser = c;
        return chooser || !SKTWindowController::allWindows().isEmpty();
    }, 5000);
    if (SKTWindowController::allWindows().isEmpty() && chooser && !fileName.isEmpty()) {
        // The chooser shows one category at a time: each is clicked in turn
        // until the template shows.
        bool picked = false;
        for (QPushButton *category : chooser->templateCategoryButtonArray()) {
            category->click();
            settleEvents();
            for (TemplateIconButton *icon : chooser->findChildren<TemplateIconButton *>())
                if (!picked && icon->isVisible() && icon->fileName().contains(fileName)) {
                    icon->click();
                    settleEvents();
                    picked = true;
                }
            if (picked)
                break;
        }
    }
    if (SKTWindowController::allWindows().isEmpty() && chooser && chooser->isVisible() && chooser->selectButton()->isEnabled()) {
        chooser->selectButton()->click();
        settleEvents();
    }
    waitForNewWindow();
    return frontWindow();
}

// A template is unpacked in the background before its window opens; on a
// busy machine that takes a while, so the wait is for the unpacking first and
// then for the window.
void RealProgramTest::waitForNewWindow()
{
    SKTAppDelegate &delegate = SKTAppDelegate::shared();
    spinUntil([&delegate] {
        return !delegate.templatePreparationRunning() || !SKTWindowController::allWindows().isEmpty();
    }, 60000);
    spinUntil([] { return !SKTWindowController::allWindows().isEmpty(); }, 10000);
}

SKTWindowController *RealProgramTest::openProject(const QString &name)
{
    const QString folder = path(name);
    QDir().mkpath(folder);
    if (!SKTAppDelegate::shared().launchSelectedWebsite(folder, true))
        return nullptr;
    settleEvents();
    return SKTWindowController::windowForProject(folder);
}

QString RealProgramTest::writePhoto(QSize size)
{
    const QString picture = path(QStringLiteral("photo.png"));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image.save(picture) ? picture : QString();
}

SKTWindowController *RealProgramTest::newPageFromTemplate(const QString &fileName)
{
    if (SKTWindowController *window = newPageWindowPicking(fileName))
        return window;
    // The chooser took no project folder: a template may still ask for one.
    panels.clearAnswers();
    panels.answer(path(QStringLiteral("New Project")));
    SKTAppDelegate &delegate = SKTAppDelegate::shared();
    spinUntil([&delegate] { return !delegate.templatePreparationRunning(); }, 20000);
    TemplateWindowController *chooser = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<TemplateWindowController *>(widget); found && found->isVisible())
            chooser = found;
    }
    if (chooser == nullptr)
        return nullptr;
    TemplateIconButton *icon = nullptr;
    for (TemplateIconButton *button : chooser->findChildren<TemplateIconButton *>()) {
        if (fileName.isEmpty() || button->fileName().contains(fileName)) {
            icon = button;
            break;
        }
    }
    if (icon == nullptr)
        return nullptr;
    icon->click();
    settleEvents();
    if (chooser->isVisible() && chooser->selectButton()->isEnabled())
        chooser->selectButton()->click();
    settleEvents();
    waitForNewWindow();
    panels.clearAnswers();
    return frontWindow();
}

bool RealProgramTest::sendAction(const QString &action, int tag)
{
    ActionItemState item;
    item.action = action;
    item.tag = tag;
    item.enabled = true;
    if (!ResponderChain::validate(item))
        return false;
    const bool sent = ResponderChain::send(action, item);
    settleEvents();
    return sent;
}
