// The document window's own commands and its document's, by name.
#include "window/ui/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/ui/CanvasRuler.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "canvas/CanvasInsertionAdapter.h"
#include "config/EditionSettings.h"
#include "insertion/InsertionFrame.h"
#include "insertion/ObjectMakers.h"
#include "canvas/ui/DocumentSidebar.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/NotificationCenter.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/PageListingClipView.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QPointer>
#include <QUrl>

void SKTWindowController::installWindowCommands()
{
    ActionMap &map = windowActions_;
    auto validated = [this](ActionItemState &item) { return WindowMenuValidation::validate(item, menuState()); };
    auto add = [&](const QString &name, std::function<void()> run) {
        map.add(name, [run](const ActionItemState &) { run(); }, validated);
    };
    auto withProject = [this] { return !openWebsiteFolderPath().isEmpty(); };

    add(QStringLiteral("toggleInspector"), [this] { toggleInspector(); });
    add(QStringLiteral("toggleSidebarDrawer"), [this] { toggleInspector(); });
    add(QStringLiteral("toggleGridConstraining"), [this] { grid_->setConstraining(!grid_->isConstraining()); });
    add(QStringLiteral("toggleGridShowing"), [this] { grid_->setAlwaysShown(!grid_->isAlwaysShown()); });
    add(QStringLiteral("refreshWebsite"), [this, withProject] {
        if (withProject())
            project_->refreshWebsite();
    });
    add(QStringLiteral("totalRefreshWebsite"), [this, withProject] {
        if (withProject())
            project_->totalRefreshWebsite();
    });
    add(QStringLiteral("sortByFileName"), [this] { project_->sortByFileName(); });
    add(QStringLiteral("sortByDate"), [this] { project_->sortByDate(); });
    add(QStringLiteral("directlyAddBlankPage"), [this] {
        if (isEditorInMultiDocMode())
            project_->directlyAddBlankPage();
    });
    add(QStringLiteral("insertBlankPage"), [this] {
        const int clicked = operations_->grabPageClicked(listing_->plan(), listing_->lastTouchPoint);
        project_->insertBlankPage(clicked);
    });
    add(QStringLiteral("deletePage"), [this] { operations_->deletePage(operations_->selectedPageName); });
    add(QStringLiteral("duplicatePage"), [this] { operations_->duplicatePage(operations_->selectedPageName); });
    add(QStringLiteral("grabPageLink"), [this] {
        operations_->grabPageLink(operations_->selectedPageName,
                                  [](const QString &link) { QGuiApplication::clipboard()->setText(link); });
    });
    add(QStringLiteral("showProfilePopOver"), [this] { showProfilePopOver(); });
    add(QStringLiteral("showShapePopOver"), [this] { showShapePopOver(); });
    add(QStringLiteral("showTextViewPopOver"), [this] { showTextViewPopOver(); });
    add(QStringLiteral("setupPrintLayoutView"), [this] { setupPrintLayoutView(); });
    add(QStringLiteral("view1Column"), [this] { adjustViewColumn(1); });
    add(QStringLiteral("view2Column"), [this] { adjustViewColumn(2); });
    add(QStringLiteral("view3Column"), [this] { adjustViewColumn(3); });
    add(QStringLiteral("stopEditingInGraphicView"), [this] { view_->stopEditing(); });
    add(QStringLiteral("testShareOnTwitter"), [this] {
        inspectorPanel_->unbindEverything();
        QDesktopServices::openUrl(QUrl(QStringLiteral("https://twitter.com/intent/tweet?text=")));
    });
    // "Switch Side Panel" rebuilds the inspector's tab that its tab bar selects.
    add(QStringLiteral("switchSideBarView"), [this] {
        if (inspectorPanel_)
            inspectorPanel_->refreshNow();
    });
    // The one "Rotate Canvas" item turns the canvas a quarter to the right,
    // and back upright when it is already turned.
    add(QStringLiteral("rotateCanvas"), [this] {
        ActionItemState sender;
        sender.action = gCanvasRotation == 90 ? QStringLiteral("rotateCanvas0") : QStringLiteral("rotateCanvas90Right");
        ResponderChain::send(responderChain(), sender.action, sender);
    });
    // The View menu's zoom steps through the zoom box's entries.
    map.add(QStringLiteral("zoomIn"), [this](const ActionItemState &) { zoom_->stepZoom(1); },
            [this](ActionItemState &) { return zoom_->canStepZoom(1); });
    map.add(QStringLiteral("zoomOut"), [this](const ActionItemState &) { zoom_->stepZoom(-1); },
            [this](ActionItemState &) { return zoom_->canStepZoom(-1); });
    map.add(QStringLiteral("zoomToActualSize"), [this](const ActionItemState &) { zoom_->zoomToActualSize(); });
    // The table the canvas remembered loses its background pattern (one undo
    // step); the item shows only while that table has one.
    add(QStringLiteral("removeTableBackgroundPattern"), [this] {
        ActionItemState sender;
        sender.action = QStringLiteral("removeTableBackgroundImage");
        ResponderChain::send(responderChain(), sender.action, sender);
    });
    // Menu items that only show or hide.
    for (const char *name : {"addIntoGroup", "showViewOptions", "addFormObjects"})
        add(QString::fromLatin1(name), [] {});
    for (const auto &[name, unit] : {std::pair{"updateRulers_points", "Points"}, {"updateRulers_centimeters", "Centimeters"},
                                     {"updateRulers_inches", "Inches"}}) {
        const QString u = QString::fromLatin1(unit);
        // The unit the rulers show is ticked.
        map.add(QString::fromLatin1(name), [this, u](const ActionItemState &) { updateRulers(u); },
                [this, u](ActionItemState &item) {
                    item.enabled = true;
                    item.checked = zoom_->horizontalRuler() && zoom_->horizontalRuler()->unitName() == u;
                    return true;
                });
    }

    DocumentWindowContext context;
    context.window = this;
    context.document = [this] { return &doc_; };
    context.canvas = [this] { return view_.get(); };
    context.projectFolder = [this] { return openWebsiteFolderPath(); };
    context.host = this;
    context.project = project_.get();
    CommandRegistry::installWindowCommands(map, context);
}

QString SKTWindowController::startingRulerUnit()
{
    const QString stored = UserDefaults::standard().stringForKey(QStringLiteral("RulerUnits"));
    if (!stored.isEmpty())
        return stored;
    return gMeasurementUnit.isEmpty() ? QStringLiteral("Points") : gMeasurementUnit;
}

void SKTWindowController::updateRulers(const QString &unitName)
{
    UserDefaults::standard().setString(unitName, QStringLiteral("RulerUnits"));
    for (CanvasRuler *ruler : {zoom_->horizontalRuler(), zoom_->verticalRuler()}) {
        if (ruler)
            ruler->setUnitName(unitName);
    }
}

void SKTWindowController::addPlaceHolderAddress(const QPointF &point)
{
    InsertionFrame frame(*insertions_);
    ObjectMakers(frame).addFullAddress_drag(point);
}

void SKTWindowController::addPlaceHolder()
{
    if (gAppName != QLatin1String("Tovra Label Maker") || !doc_.graphics().isEmpty())
        return;
    addPlaceHolderAddress(QPointF(10, 10));
}

void SKTWindowController::installDocumentCommands()
{
    ActionMap &map = documentActions_;
    // "Save As..." writes the page alone to a package the user names, and
    // later saves go there; a project's pages keep their places, so the item
    // hides while the project lists pages.
    map.add(
        QStringLiteral("saveDocumentAs"),
        [this](const ActionItemState &) {
            view_->stopEditing();
            SavePanelOptions options;
            options.nameFieldValue = doc_.pageName.isEmpty() ? QStringLiteral("untitled") : doc_.pageName;
            options.allowedTypes = {doc_.pageFileTypeName()};
            FilePanels::current().showSavePanel(options, this, [this](const QString &path) {
                if (path.isEmpty())
                    return;
                if (!doc_.saveThisPage(path, false) && !doc_.lastSaveError.isEmpty())
                    Alerts::inform(QStringLiteral("Page Not Saved"), doc_.lastSaveError, this);
                updateTitle();
            });
        },
        [this](ActionItemState &item) {
            item.visible = project_->scan.siteIconArray.isEmpty();
            return true;
        });
    map.add(QStringLiteral("saveDocument"), [this](const ActionItemState &) {
        view_->stopEditing();
        // A new page asks for its file first: the outcome is told when known.
        doc_.lastSaveError.clear();
        doc_.saveDocument([this, window = QPointer<SKTWindowController>(this)](bool saved) {
            if (!window)
                return;
            if (!saved && !doc_.lastSaveError.isEmpty())
                Alerts::inform(QStringLiteral("Page Not Saved"), doc_.lastSaveError, this);
            updateTitle();
        });
    });
    map.add(
        QStringLiteral("undo"), [this](const ActionItemState &) { doc_.undoManager().undo(); },
        [this](ActionItemState &item) {
            item.title = doc_.undoManager().undoMenuItemTitle();
            return doc_.undoManager().canUndo();
        });
    map.add(
        QStringLiteral("redo"), [this](const ActionItemState &) { doc_.undoManager().redo(); },
        [this](ActionItemState &item) {
            item.title = doc_.undoManager().redoMenuItemTitle();
            return doc_.undoManager().canRedo();
        });
    map.add(
        QStringLiteral("revertDocumentToSaved"),
        [this](const ActionItemState &) {
            Alert alert;
            alert.messageText = QStringLiteral("Revert to the saved page?");
            alert.informativeText = QStringLiteral("Your current changes will be lost.");
            alert.buttons = {QStringLiteral("Revert"), QStringLiteral("Cancel")};
            Alerts::ask(alert, this, [this](int response) {
                if (response != Alert::FirstButton)
                    return;
                view_->deselectAll();
                doc_.refreshDocument();
                doc_.markClean();
                updateTitle();
            });
        },
        [this](ActionItemState &) { return !doc_.fileURLPath.isEmpty() && doc_.isDocumentEdited(); });
    map.add(QStringLiteral("performClose"), [this](const ActionItemState &) { close(); });
    map.add(QStringLiteral("closeDocument"), [this](const ActionItemState &) { close(); });
}
