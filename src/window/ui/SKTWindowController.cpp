#include "window/ui/SKTWindowController.h"
#include "window/MultiDocumentModeAlert.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/CanvasMenuValidator.h"
#include "canvas/ui/CanvasCommandPresenter.h"
#include "canvas/ui/CanvasRuler.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "config/EditionSettings.h"
#include "canvas/CanvasMenuValidator.h"
#include "model/GraphicEnvironment.h"
#include "sidebar/SidebarActions.h"
#include "sidebar/SidebarBindings.h"
#include "canvas/ui/DocumentSidebar.h"
#include "sidebar/ui/SidebarView.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "platform/ui/ActionBinding.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/PageListingClipView.h"
#include "window/ui/ProfilePopover.h"
#include "window/ui/ZovNSButton.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QSplitter>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QActionGroup>
#include <QHash>

namespace {
// The inspector's fixed width.
constexpr int kSidebarContentWidth = 270;

QList<SKTWindowController *> &openWindows()
{
    static QList<SKTWindowController *> list;
    return list;
}
} // namespace

SKTWindowController::SKTWindowController(SKTDocument &document, QWidget *parent)
    : QMainWindow(parent), doc_(document)
{
    setObjectName(QStringLiteral("documentWindow"));
    openWindows().append(this);
    doc_.windowHooks.window = this;
    doc_.windowHooks.refreshPageBackgroundColor = [this] { refreshPageBackgroundColor(); };

    grid_ = std::make_unique<SKTGrid>();
    view_ = std::make_unique<SKTGraphicView>();
    view_->setDocument(&doc_);
    view_->setGrid(grid_.get());
    view_->setHost(this);
    // A new window is the main window: its canvas answers the page's graphics.
    becomeGraphicEnvironment();
    project_ = std::make_unique<ProjectPages>(doc_, this);
    operations_ = std::make_unique<PageOperations>(*project_, this);
    // Drops and the palette's inserts go through the one insertion dispatcher.
    insertions_ = std::make_unique<CanvasInsertionAdapter>(*view_);
    insertions_->pageListProvider = [this] {
        QList<InsertionPageEntry> pages;
        for (const PageEntry &entry : project_->scan.siteIconArray)
            pages.append({entry.pageTitle, entry.pagePublishFileName});
        return pages;
    };
    view_->setInsertions(insertions_.get());
    canvasResponder_ = std::make_unique<CanvasResponder>(*view_);
    menuInsertions_ = std::make_unique<MenuInsertionResponder>(*view_, [this]() -> QList<ActionResponder *> {
        return {canvasResponder_.get(), &windowActions_, &documentActions_};
    });

    buildPanes();
    buildTemplatePopUps();
    selectWhichToolBarToUse();
    installWindowCommands();
    installDocumentCommands();
    observeNotifications();
    if (!gInspectorExpanded)
        collapseInspector();
    refreshPageBackgroundColor();
    updateTitle();
    validateToolbar();
    resize(1200, 800);
}

SKTWindowController::~SKTWindowController()
{
    openWindows().removeAll(this);
    handOverGraphicEnvironment();
    NotificationCenter::defaultCenter().removeObserver(this, QString());
    if (doc_.windowHooks.window == this) {
        doc_.windowHooks.window = nullptr;
        doc_.windowHooks.refreshPageBackgroundColor = nullptr;
    }
    // The widgets go before the canvas model and the inspector's bindings they show.
    delete takeCentralWidget();
    view_->setInsertions(nullptr);
    view_->setHost(nullptr);
}

SKTWindowController *SKTWindowController::windowForDocument(const SKTDocument *document)
{
    for (SKTWindowController *w : openWindows())
        if (&w->doc_ == document)
            return w;
    return nullptr;
}

SKTWindowController *SKTWindowController::windowForProject(const QString &folder)
{
    const QString wanted = QFileInfo(folder).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (SKTWindowController *w : openWindows())
        if (!w->openWebsiteFolderPath().isEmpty() && QFileInfo(w->openWebsiteFolderPath()).canonicalFilePath() == wanted)
            return w;
    return nullptr;
}

QList<SKTWindowController *> SKTWindowController::allWindows()
{
    return openWindows();
}

void SKTWindowController::buildPanes()
{
    split_ = new QSplitter(Qt::Horizontal, this);
    split_->setObjectName(QStringLiteral("splitView"));
    split_->setChildrenCollapsible(false);

    listing_ = new PageListingClipView(split_);
    listing_->setObjectName(QStringLiteral("sidebarSplitView"));
    listing_->setMinimumWidth(120);
    listing_->installEventFilter(this);

    zoom_ = new SKTZoomingScrollView(split_);
    zoom_->setObjectName(QStringLiteral("zoomingScrollView"));
    canvas_ = new SKTGraphicViewWidget(*view_);
    canvas_->setObjectName(QStringLiteral("graphicView"));
    zoom_->setCanvas(canvas_);
    // The canvas's context menu, pop-overs and code editor; commands the
    // canvas validates but others carry out go on along this window's chain.
    canvasPresenter_ = new CanvasCommandPresenter(*canvas_, *canvasResponder_);
    canvasResponder_->setRestOfChain([this] { return QList<ActionResponder *>{&windowActions_, &documentActions_}; });
    canvasResponder_->add(
        QStringLiteral("showOrHideRulers"),
        [this](const ActionItemState &) {
            zoom_->setShowsRulers(!zoom_->showsRulers());
            updateRulers(startingRulerUnit());
        },
        [this](ActionItemState &item) { return view_->menuValidator().validate(item); });
    zoom_->setShowsRulers(true);
    zoom_->horizontalRuler()->setUnitName(startingRulerUnit());
    zoom_->verticalRuler()->setUnitName(startingRulerUnit());
    // Menu commands insert 100 right of and 30 below the visible corner.
    insertions_->visibleOriginProvider = [this]() -> std::optional<QPointF> {
        const double z = canvas_->zoomFactor() > 0 ? canvas_->zoomFactor() : 1.0;
        return QPointF(zoom_->horizontalScrollBar()->value() / z, zoom_->verticalScrollBar()->value() / z);
    };

    // A new object from the menu avoids what the person can see already.
    insertions_->visibleRectProvider = [this]() -> QRectF {
        const double z = canvas_->zoomFactor() > 0 ? canvas_->zoomFactor() : 1.0;
        const QSize port = zoom_->viewport()->size();
        return QRectF(zoom_->horizontalScrollBar()->value() / z, zoom_->verticalScrollBar()->value() / z,
                      port.width() / z, port.height() / z)
            .intersected(QRectF(QPointF(0, 0), QSizeF(canvas_->width() / z, canvas_->height() / z)));
    };

    insertions_->revealProvider = [this](const QRectF &rect) {
        const double z = canvas_->zoomFactor() > 0 ? canvas_->zoomFactor() : 1.0;
        const QPointF centre = rect.center() * z;
        zoom_->ensureVisible(int(centre.x()), int(centre.y()), int(rect.width() * z / 2) + 10,
                             int(rect.height() * z / 2) + 10);
    };

    // The inspector follows the canvas's selection and this page.
    inspectorPanel_ = new DocumentInspector(doc_, *view_, split_);
    inspectorPanel_->hideEditionControls(EditionToolbars::forEdition(gAppName).hidden);
    inspector_ = inspectorPanel_->widget();
    inspectorPanel_->setPageColorSink(this);
    inspector_->setObjectName(QStringLiteral("inspectorView"));
    inspector_->setFixedWidth(kSidebarContentWidth);
    insertions_->refocusResponsiveAlignmentHandler = [this](SKTGraphic &section) {
        if (inspectorPanel_)
            inspectorPanel_->actions().refocusResponsiveAlignment(section);
    };

    split_->addWidget(listing_);
    split_->addWidget(zoom_);
    split_->addWidget(inspector_);
    // The listing and the inspector keep their widths; the canvas takes what
    // the window gains or loses.
    split_->setStretchFactor(0, 0);
    split_->setStretchFactor(1, 1);
    split_->setStretchFactor(2, 0);
    // Only the divider between the listing and the canvas moves.
    split_->handle(2)->setEnabled(false);
    split_->handle(2)->setCursor(Qt::ArrowCursor);
    const int side = gSidePanelWidth > 0 ? gSidePanelWidth : 260;
    split_->setSizes({side, 700, inspector_->width()});
    setCentralWidget(split_);

    listingDebounce_ = new QTimer(this);
    listingDebounce_->setSingleShot(true);
    listingDebounce_->setInterval(100);
    connect(listingDebounce_, &QTimer::timeout, this, &SKTWindowController::respondToSubviewChange);

    connect(listing_, &PageListingClipView::pageClicked, this, &SKTWindowController::pageClicked);
    connect(listing_, &PageListingClipView::searchChanged, this, [this] { refreshPageIcons(); });
    connect(listing_, &PageListingClipView::contextMenuRequested, this, &SKTWindowController::showPageMenu);
    connect(listing_, &PageListingClipView::pageDropped, this, [this](const QString &name, const QPoint &point) {
        operations_->rearrangePageOrder(listing_->plan(), name, point);
    });
    connect(listing_, &PageListingClipView::fileDropped, this,
            [this](const QString &path) { project_->confirmAndCopyDroppedPage(path); });
    connect(view_.get(), &SKTGraphicView::selectionChanged, this, [this] { refreshInspector(); });
    connect(view_.get(), &SKTGraphicView::rulerEchoChanged, this, [this](const QRectF &rect) {
        if (zoom_->horizontalRuler())
            zoom_->horizontalRuler()->setEcho(rect);
        if (zoom_->verticalRuler())
            zoom_->verticalRuler()->setEcho(rect);
    });
    connect(&doc_.events(), &DocumentEvents::titleChanged, this, [this] { updateTitle(); });
    connect(&doc_.events(), &DocumentEvents::editedChanged, this, [this] { updateTitle(); });
    connect(&doc_.events(), &DocumentEvents::graphicsChanged, this, [this] { refreshInspector(); });
}

void SKTWindowController::selectWhichToolBarToUse()
{
    const EditionToolbar spec = EditionToolbars::forEdition(gAppName);
    // Chosen again on every rescan: the same toolbar stays as it is, so a
    // menu or button holding one of its actions never loses it.
    const bool same = toolbar_ && spec.toolbar == toolbarSpec_.toolbar && spec.items == toolbarSpec_.items;
    toolbarSpec_ = spec;
    if (!same)
        buildToolbar();
    prepareToLocalizeToolbarAndStuff();
    validateToolbar();
}

void SKTWindowController::buildToolbar()
{
    if (!toolbar_) {
        toolbar_ = new QToolBar(this);
        toolbar_->setMovable(false);
        toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
        addToolBar(Qt::TopToolBarArea, toolbar_);
    }
    toolbar_->clear();
    toolbar_->setObjectName(toolbarSpec_.toolbar);
    QHash<QString, QActionGroup *> segmented;
    for (const ToolbarItemSpec &item : toolbarSpec_.items) {
        QAction *action = ActionBinding::makeAction(item.label, item.action, toolbar_, std::max(item.segment, 0));
        action->setObjectName(item.action);
        action->setProperty(kSourceLabel, item.label);
        if (item.segment >= 0) {
            // The segments of one control: one checked at a time.
            QActionGroup *&group = segmented[item.action];
            if (!group) {
                group = new QActionGroup(toolbar_);
                group->setExclusive(true);
                toolbar_->addSeparator();
            }
            action->setCheckable(true);
            action->setObjectName(item.action + QString::number(item.segment));
            group->addAction(action);
        }
        toolbar_->addAction(action);
    }
    // Responsive editions show the page as a desktop or a mobile design: two
    // segments sending updateMobileView with the segment as the tag.
    if (gResponsiveEdition) {
        toolbar_->addSeparator();
        auto *segments = new QActionGroup(toolbar_);
        segments->setObjectName(QStringLiteral("mobileDesignViewSegmentedControl"));
        segments->setExclusive(true);
        const QStringList labels = {QStringLiteral("Desktop View"), QStringLiteral("Mobile View")};
        for (int segment = 0; segment < labels.size(); ++segment) {
            QAction *action = ActionBinding::makeAction(labels[segment], QStringLiteral("updateMobileView"), toolbar_,
                                                        segment);
            action->setObjectName(QStringLiteral("updateMobileView%1").arg(segment));
            action->setProperty(kSourceLabel, labels[segment]);
            action->setCheckable(true);
            segments->addAction(action);
            toolbar_->addAction(action);
        }
    }
}

void SKTWindowController::prepareToLocalizeToolbarAndStuff()
{
    if (!toolbar_)
        return;
    // Each item keeps its English label: a later change of language
    // translates from it again rather than from a translation.
    for (QAction *action : toolbar_->actions()) {
        const QString source = action->property(kSourceLabel).toString();
        if (!source.isEmpty())
            action->setText(QCoreApplication::translate("Toolbar", source.toUtf8().constData()));
    }
}

void SKTWindowController::validateToolbar()
{
    if (!toolbar_)
        return;
    for (QAction *action : toolbar_->actions()) {
        const QString name = ActionBinding::actionOf(action);
        if (name.isEmpty())
            continue;
        ActionItemState item;
        item.action = name;
        item.title = action->text();
        item.tag = action->property("zovTag").isValid() ? action->property("zovTag").toInt() : 0;
        action->setEnabled(ResponderChain::validate(responderChain(), item));
        if (name == QLatin1String("updateMobileView"))
            action->setChecked(action->objectName()
                               == QStringLiteral("updateMobileView%1").arg(doc_.mobileVersionFlag ? 1 : 0));
        else if (action->isCheckable())
            action->setChecked(item.checked);
    }
}

void SKTWindowController::observeNotifications()
{
    auto &center = NotificationCenter::defaultCenter();
    QObject *events = &doc_.events();
    center.addObserver(this, Notifications::refreshDocIcon, events, [this](const Notification &) {
        updateCurrentlySelectedZovButton();
    });
    center.addObserver(this, Notifications::updateCurrentButtonColor, events, [this](const Notification &) {
        updateCurrentButtonColor();
    });
    center.addObserver(this, Notifications::websiteUpdated, nullptr, [this](const Notification &) {
        if (!openWebsiteFolderPath().isEmpty())
            project_->refreshWebsite();
    });
    // A card project just opened: its tabs take the open page's fold. Only the
    // window of that project answers; other cards keep their own.
    center.addObserver(this, Notifications::callRefreshTabs, nullptr, [this](const Notification &note) {
        const QString folder = note.userInfo.value(QStringLiteral("folder")).toString();
        if (!openWebsiteFolderPath().isEmpty() && QDir(folder) == QDir(openWebsiteFolderPath()))
            project_->callRefreshTabs();
    });
    center.addObserver(this, Notifications::totalWebsiteUpdated, events, [this](const Notification &) {
        if (!openWebsiteFolderPath().isEmpty())
            project_->totalRefreshWebsite();
    });
    center.addObserver(this, Notifications::displayProfilePopover, events,
                       [this](const Notification &) { showProfilePopOver(); });
    center.addObserver(this, Notifications::hideProfilePopover, events,
                       [this](const Notification &) { hideProfilePopOver(); });
    center.addObserver(this, Notifications::displayToolbars, nullptr, [this](const Notification &) { setFormButtons(); });
    // Only this window's page asks this window's inspector to rebuild.
    center.addObserver(this, Notifications::refreshInspectorPanel, events, [this](const Notification &) {
        if (inspectorPanel_)
            inspectorPanel_->graphicTouched();
    });
}

// ---- project ----------------------------------------------------------------

void SKTWindowController::setOpenWebsiteFolderPath(const QString &folder)
{
    project_->setOpenWebsiteFolderPath(folder);
    if (folder.isEmpty()) {
        prepSingleDocWindow();
    } else {
        listing_->show();
        project_->refreshWebsite();
    }
    refreshPageBackgroundColor();
    updateTitle();
    validateToolbar();
}

QString SKTWindowController::openWebsiteFolder() const
{
    const QString folder = openWebsiteFolderPath();
    if (folder.isEmpty())
        return {};
    return QFileInfo(folder).fileName().remove(QLatin1Char(' '));
}

void SKTWindowController::pageClicked(int index)
{
    if (index < 0 || index >= project_->scan.siteIconArray.size())
        return;
    view_->deselectAll();
    if (project_->launchSelected(index)) {
        updateCurrentButtonColor();
        refreshInspector();
    }
}

void SKTWindowController::showPageMenu(const QPoint &gridPoint, const QPoint &globalPoint)
{
    listing_->lastTouchPoint = gridPoint;
    QMenu menu(this);
    const QList<QPair<QString, QString>> items = {
        {QStringLiteral("Add New Page"), QStringLiteral("directlyAddBlankPage")},
        {QStringLiteral("Insert Blank Page"), QStringLiteral("insertBlankPage")},
        {QStringLiteral("Duplicate Page"), QStringLiteral("duplicatePage")},
        {QStringLiteral("Delete Page"), QStringLiteral("deletePage")},
        {QStringLiteral("Copy Page Link"), QStringLiteral("grabPageLink")},
        {QStringLiteral("Sort by File Name"), QStringLiteral("sortByFileName")},
        {QStringLiteral("Sort by Date"), QStringLiteral("sortByDate")},
    };
    // The listing's menu belongs to this window: its items go to this
    // window's chain whichever window is active.
    for (const auto &item : items) {
        if (item.second == QLatin1String("grabPageLink") && isControlHidden(QStringLiteral("grabPageLinkMenuItem")))
            continue;
        ActionItemState state;
        state.action = item.second;
        state.title = item.first;
        ResponderChain::validate(responderChain(), state);
        QAction *action = menu.addAction(state.title);
        action->setObjectName(item.second);
        action->setEnabled(state.enabled);
        action->setVisible(state.visible);
        const QString name = item.second;
        connect(action, &QAction::triggered, this, [this, name, title = item.first] {
            ActionItemState sender;
            sender.action = name;
            sender.title = title;
            ResponderChain::send(responderChain(), name, sender);
        });
    }
    menu.exec(globalPoint);
}

// ---- layout -----------------------------------------------------------------

void SKTWindowController::toggleInspector()
{
    if (inspector_->isHidden())
        reopenInspector();
    else
        collapseInspector();
}

void SKTWindowController::collapseInspector()
{
    inspectorPanel_->unbindEverything();
    inspector_->hide();
    resetZoomScrollViewSize();
}

void SKTWindowController::reopenInspector()
{
    inspector_->show();
    inspectorPanel_->restoreBinding();
    inspectorPanel_->refreshNow();
    resetZoomScrollViewSize();
}

int SKTWindowController::resetZoomScrollViewSize()
{
    if (openWebsiteFolder().isEmpty())
        return -1;
    int available = split_->width() - listing_->width();
    if (!inspector_->isHidden())
        available -= inspector_->width();
    const int canvasWidth = canvas_->width();
    return std::min(available, canvasWidth);
}

void SKTWindowController::prepSingleDocWindow()
{
    // A page alone has no listing; the split gives its room to the canvas.
    listing_->hide();
    split_->setHandleWidth(1);
}

void SKTWindowController::updateDocumentColor(const QColor &colour, const QString &hex)
{
    view_->pageColor = colour.isValid() ? colour : QColor(Qt::white);
    view_->pageColorHexString = hex;
    canvas_->update();
}

void SKTWindowController::refreshPageBackgroundColor()
{
    updateDocumentColor(doc_.pageColor, doc_.documentColorHexString);
    resetZoomScrollViewSize();
    if (openWebsiteFolderPath().isEmpty())
        prepSingleDocWindow();
}

void SKTWindowController::respondToSubviewChange()
{
    ++listingRebuilds_;
    refreshPageIcons();
}

bool SKTWindowController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == listing_ && event->type() == QEvent::Resize)
        listingDebounce_->start();  // restarts: many resizes, one rebuild
    return QMainWindow::eventFilter(watched, event);
}

void SKTWindowController::setFormButtons()
{
    selectWhichToolBarToUse();
}

void SKTWindowController::setWindowAlpha(double alpha)
{
    setWindowOpacity(alpha);
}

void SKTWindowController::endEditing()
{
    view_->stopEditing();
    canvas_->setFocus();
}

void SKTWindowController::refreshLayerListing()
{
    InspectorView *sidebar = inspectorPanel_ ? inspectorPanel_->sidebar() : nullptr;
    if (sidebar && sidebar->currentTab() == InspectorView::Layer)
        inspectorPanel_->graphicTouched();
}

void SKTWindowController::refreshPageListingDisplay()
{
    refreshPageIcons();
}

void SKTWindowController::refreshPageIcons()
{
    const QString folder = openWebsiteFolderPath();
    if (folder.isEmpty())
        return;
    PageOperations::updateCurrentButtonColor(project_->scan.siteIconArray, QFileInfo(doc_.fileURLPath).fileName());
    const int columns = PageListingPlan::columnCount(
        UserDefaults::standard().integerForKey(QStringLiteral("numOfColumnListings")), gPageIconColumns);
    validateToolbar();
    listing_->display(project_->scan.siteIconArray,
                      PageListingPlan::summaryText(int(project_->scan.siteIconArray.size()), QFileInfo(folder).fileName()),
                      columns);
}

void SKTWindowController::updateCurrentButtonColor()
{
    PageOperations::updateCurrentButtonColor(project_->scan.siteIconArray, QFileInfo(doc_.fileURLPath).fileName());
    listing_->updateMarks(project_->scan.siteIconArray);
}

void SKTWindowController::updateCurrentlySelectedZovButton()
{
    // Only the button of the page shown changes; a page missing from the
    // listing leaves every button as it is.
    const int at = project_->scan.grabZovButtonWithPageName(QFileInfo(doc_.fileURLPath).fileName());
    if (at < 0)
        return;
    PageEntry &entry = project_->scan.siteIconArray[at];
    entry.pageTitle = doc_.pageOfficialName;
    entry.fileTime = QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("MMM dd yyyy h:mm a"));
    refreshPageIcons();
}

// ---- canvas host ------------------------------------------------------------

void SKTWindowController::refreshInspector()
{
    if (inspector_ && !inspector_->isHidden())
        inspectorPanel_->graphicTouched();
    inspectorPanel_->selectionOrGraphicsChanged();
}

void SKTWindowController::graphicTouched()
{
    // A press on the canvas closes the window's transient pop-overs.
    hideProfilePopOver();
}

void SKTWindowController::setZoomFactor(double factor)
{
    // The scroll view reports each factor it takes; a factor set from
    // elsewhere goes to the scroll view, which then reports it back.
    zoomFactor_ = factor;
    if (zoom_ && zoom_->factor() != factor)
        zoom_->setFactor(factor);
}

// ---- pop-over and guard -----------------------------------------------------

void SKTWindowController::showProfilePopOver()
{
    if (!profile_)
        profile_ = new ProfilePopover(this);
    profile_->hide();
    profile_->setLines(ProfilePopover::summaryOf(doc_.profileDictionary, gAppName));
    profile_->showAt(zoom_->mapToGlobal(QPoint(zoom_->width() - 10, 150)));
    if (doc_.pageName == QLatin1String("basetemplate"))
        hideProfilePopOver();
}

void SKTWindowController::resetProfilePopoverPosition()
{
    if (profile_ && profile_->isVisible())
        profile_->showAt(zoom_->mapToGlobal(QPoint(zoom_->width() - 10, 150)));
}

void SKTWindowController::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    resetZoomScrollViewSize();
    resetProfilePopoverPosition();
}

void SKTWindowController::hideProfilePopOver()
{
    if (profile_)
        profile_->hide();
}

bool SKTWindowController::isEditorInMultiDocMode()
{
    if (!openWebsiteFolder().isEmpty())
        return true;
    const Alert alert = multiDocumentModeAlert();
    Alerts::ask(alert, this, [this](int response) {
        if (response == Alert::FirstButton) {
            close();
            ResponderChain::send(QStringLiteral("openWebsite"));
        }
    });
    return false;
}

WindowMenuState SKTWindowController::menuState()
{
    WindowMenuState state;
    state.pageCount = int(project_->scan.siteIconArray.size());
    state.pageClicked = [this] { return operations_->determinePageClicked(listing_->plan(), listing_->lastTouchPoint); };
    state.formPage = doc_.pageFileType == QLatin1String("trelkoforms") || doc_.pageFileExtension == QLatin1String("php");
    state.gridUsable = grid_->isUsable();
    state.gridConstraining = grid_->isConstraining();
    state.gridAlwaysShown = grid_->isAlwaysShown();
    state.documentDisplayName = doc_.windowTitle();
    state.selectedTableHasBackgroundPattern = view_->menuValidator().doesSelectedTableContainBackgroundPattern();
    return state;
}

QList<ActionResponder *> SKTWindowController::responderChain()
{
    return {menuInsertions_.get(), canvasResponder_.get(), &windowActions_, &documentActions_};
}

void SKTWindowController::updateTitle()
{
    QString title = doc_.windowTitle();
    if (title.isEmpty())
        title = doc_.fileURLPath.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(doc_.fileURLPath).fileName();
    if (!openWebsiteFolder().isEmpty())
        title = QFileInfo(openWebsiteFolderPath()).fileName() + QStringLiteral(" — ") + title;
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(doc_.isDocumentEdited());
}

// ---- closing and deactivation ----------------------------------------------

void SKTWindowController::closeEvent(QCloseEvent *event)
{
    if (closeApproved_) {
        event->accept();
        handOverGraphicEnvironment();
        return;
    }
    event->ignore();
    if (closing_)
        return;
    closing_ = true;
    view_->stopEditing();
    doc_.canCloseDocument([this](bool mayClose) {
        closing_ = false;
        emit closeAnswered(mayClose);
        if (!mayClose)
            return;
        closeApproved_ = true;
        QTimer::singleShot(0, this, [this] { close(); });
    });
}

void SKTWindowController::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        prepareToLocalizeToolbarAndStuff();
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // The page's graphics ask the main window's canvas about the page
        // (the last click, sections, image names).
        becomeGraphicEnvironment();
        validateToolbar();
    }
    // Leaving the window saves its page, so switching to another program
    // never leaves edits unsaved.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !gSingleDocumentMode && !closing_
        && !closeApproved_ && !doc_.fileURLPath.isEmpty() && doc_.isDocumentEdited() && !doc_.pageUnread)
        doc_.askPageToSaveItself();
}

void SKTWindowController::becomeGraphicEnvironment()
{
    GraphicEnvironment::setCurrent(view_.get());
}

void SKTWindowController::handOverGraphicEnvironment()
{
    if (GraphicEnvironment::current() != view_.get())
        return;
    // The active document window takes over; else the last one still open;
    // with none, the graphics behave as if no window were open.
    SKTWindowController *next = qobject_cast<SKTWindowController *>(QApplication::activeWindow());
    if (next == this || !openWindows().contains(next))
        next = nullptr;
    for (qsizetype i = openWindows().size() - 1; !next && i >= 0; --i)
        if (openWindows()[i] != this && !openWindows()[i]->closeApproved_)
            next = openWindows()[i];
    GraphicEnvironment::setCurrent(next ? next->view_.get() : nullptr);
}
