#pragma once
// The document window: the project's page listing, the zooming canvas and
// the inspector side by side in one splitter, under the edition's toolbar.
// One window shows one page of the project at a time; choosing another page
// in the listing points the same document, canvas and inspector at it.
// Commands reach the window by name: the canvas answers first, then the
// window's own commands (and every subsystem's window commands), then the
// document's.
#include "canvas/CanvasHost.h"
#include "canvas/CanvasResponder.h"
#include "sidebar/ColorPicking.h"
#include "sidebar/SelectionProxy.h"
#include "platform/ActionResponder.h"
#include "window/EditionToolbars.h"
#include "window/MenuInsertionResponder.h"
#include "window/PageOperations.h"
#include "window/PrintTemplateChoice.h"
#include "window/ProjectPages.h"
#include "window/ProjectWindowHost.h"
#include "window/WindowMenuValidation.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class CanvasCommandPresenter;
class CanvasInsertionAdapter;
class DocumentInspector;
class InspectorBindings;
class InspectorView;
class PageListingClipView;
class QSplitter;
class QTimer;
class QToolBar;
class SKTGraphicView;
class SKTGraphicViewWidget;
class SKTGrid;
class SKTZoomingScrollView;
class ProfilePopover;
class FloatWindowController;
class QComboBox;

class SKTWindowController : public QMainWindow,
                            public ResponderHost,
                            public ProjectWindowHost,
                            public CanvasHost,
                            public PageColorSink {
    Q_OBJECT
public:
    explicit SKTWindowController(SKTDocument &document, QWidget *parent = nullptr);
    ~SKTWindowController() override;

    // The window showing a document, or null.
    static SKTWindowController *windowForDocument(const SKTDocument *document);
    // The window of a project folder (same canonical path), or null.
    static SKTWindowController *windowForProject(const QString &folder);
    static QList<SKTWindowController *> allWindows();

    SKTDocument &document() { return doc_; }
    SKTGraphicView &graphicView() { return *view_; }
    ProjectPages &project() { return *project_; }
    PageOperations &pageOperations() { return *operations_; }
    PageListingClipView *pageListing() const { return listing_; }
    SKTZoomingScrollView *zoomingScrollView() const { return zoom_; }
    SKTGraphicViewWidget *canvasWidget() const { return canvas_; }
    // The canvas's context menu and pop-overs.
    CanvasCommandPresenter *canvasPresenter() const { return canvasPresenter_; }
    // The inspector's widget (the sidebar or the fixed panel) and the inspector itself.
    QWidget *inspectorView() const { return inspector_; }
    DocumentInspector *documentInspector() const { return inspectorPanel_; }
    QSplitter *splitView() const { return split_; }
    QToolBar *editionToolbar() const { return toolbar_; }
    const EditionToolbar &editionToolbarSpec() const { return toolbarSpec_; }
    ActionMap &windowActions() { return windowActions_; }
    ActionMap &documentActions() { return documentActions_; }

    // The project: rescans it and lists its pages. Empty: a page alone.
    void setOpenWebsiteFolderPath(const QString &folder);
    QString openWebsiteFolderPath() const { return project_->openWebsiteFolderPath(); }
    // The folder's name without blanks; empty for a page opened alone.
    QString openWebsiteFolder() const;

    // Layout.
    void toggleInspector();
    void collapseInspector();
    void reopenInspector();
    // The canvas pane's width: the room left beside the listing (and the
    // inspector when shown), at most the canvas's own width; -1 for a page alone.
    int resetZoomScrollViewSize();
    void prepSingleDocWindow();
    void refreshPageBackgroundColor();
    // The page colour as the canvas shows it (a file read, the inspector's
    // canvas swatch, undo): stored on the canvas, which redraws.
    void updateDocumentColor(const QColor &colour, const QString &hex) override;
    void selectWhichToolBarToUse();
    // Gives the toolbar's items their labels in the installed translation
    // (the English labels when none is installed); again on a language change.
    void prepareToLocalizeToolbarAndStuff();
    // Enables the toolbar's items as this window's chain decides.
    void validateToolbar();
    // Whether the edition hides the named inspector control or menu item.
    bool isControlHidden(const QString &name) const { return toolbarSpec_.hidden.contains(name); }
    // Rebuilds the listing with the search text (after the debounce).
    void respondToSubviewChange();
    int pendingListingRebuilds() const { return listingRebuilds_; }

    // What menu validation needs to know now.
    WindowMenuState menuState();
    // Refuses, with an offer to open a project, when no project is open.
    bool isEditorInMultiDocMode();
    void updateCurrentlySelectedZovButton();
    void updateCurrentButtonColor();
    // The profile pop-over of a record page.
    void showProfilePopOver();
    void hideProfilePopOver();
    // Keeps a shown profile pop-over beside the canvas's top right corner.
    void resetProfilePopoverPosition();
    ProfilePopover *profilePopover() const { return profile_; }
    // The seven print-template pop-ups, each listing every template of the edition.
    QComboBox *templatePopUp(PrintTemplateChoice::PopUp which) const { return templatePopUps_.value(int(which)); }
    // The pickers and the print layout sheet (window-modal).
    FloatWindowController *showShapePopOver();
    FloatWindowController *showTextViewPopOver();
    FloatWindowController *setupPrintLayoutView();
    // Both rulers measure in the named unit, which is stored as the user's
    // choice. The unit a new window starts with: the stored choice, else the
    // edition's unit, else "Points".
    void updateRulers(const QString &unitName);
    static QString startingRulerUnit();
    // The five-line address block of the mail merge, inserted at the point.
    void addPlaceHolderAddress(const QPointF &point);
    // Stores the listing's column count and lays the listing out again.
    void adjustViewColumn(int columns);

    // ResponderHost
    QList<ActionResponder *> responderChain() override;

    // ProjectWindowHost
    void endEditing() override;
    void refreshLayerListing() override;
    void refreshPageListingDisplay() override;
    void refreshPageIcons() override;
    void setFormButtons() override;
    void setWindowAlpha(double alpha) override;
    void resetPrintCanvas(const QString &sheetDescription) override;
    // In the label edition an empty page starts with the address block at (10, 10).
    void addPlaceHolder() override;
    void selectFoldingCardTemplateTitle(const QString &title) override;
    QObject *alertWindow() override { return this; }

    // CanvasHost
    void refreshInspector() override;
    void graphicTouched() override;
    void setZoomFactor(double factor) override;
    double zoomFactor() const { return zoomFactor_; }
    QObject *alertWindow() const override { return const_cast<SKTWindowController *>(this); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

signals:
    // The document answered a close: mayClose false when the person kept it
    // open (cancelled a save question), which also cancels a quit.
    void closeAnswered(bool mayClose);

private:
    void buildPanes();
    void buildToolbar();
    void installWindowCommands();
    void installDocumentCommands();
    void observeNotifications();
    void pageClicked(int index);
    void showPageMenu(const QPoint &gridPoint, const QPoint &globalPoint);
    void updateTitle();
    void buildTemplatePopUps();
    void setCurrentTemplateSelectionValue();
    // While it is the active window, this window's canvas answers the
    // graphics' questions about their page (sections, overlaps, the last
    // touch point); it hands that over when it closes.
    void becomeGraphicEnvironment();
    void handOverGraphicEnvironment();

    SKTDocument &doc_;
    std::unique_ptr<SKTGraphicView> view_;
    std::unique_ptr<SKTGrid> grid_;
    std::unique_ptr<ProjectPages> project_;
    std::unique_ptr<PageOperations> operations_;
    std::unique_ptr<CanvasInsertionAdapter> insertions_;
    std::unique_ptr<CanvasResponder> canvasResponder_;
    std::unique_ptr<MenuInsertionResponder> menuInsertions_;
    ActionMap windowActions_;
    ActionMap documentActions_;
    EditionToolbar toolbarSpec_;

    QSplitter *split_ = nullptr;
    PageListingClipView *listing_ = nullptr;
    SKTZoomingScrollView *zoom_ = nullptr;
    SKTGraphicViewWidget *canvas_ = nullptr;
    CanvasCommandPresenter *canvasPresenter_ = nullptr;
    DocumentInspector *inspectorPanel_ = nullptr;
    QWidget *inspector_ = nullptr;
    QToolBar *toolbar_ = nullptr;
    ProfilePopover *profile_ = nullptr;
    QList<QComboBox *> templatePopUps_;
    std::unique_ptr<PrintTemplateChoice> templateChoice_;
    QTimer *listingDebounce_ = nullptr;
    int listingRebuilds_ = 0;
    static constexpr const char *kSourceLabel = "zovSourceLabel";
    double zoomFactor_ = 1.0;
    bool closing_ = false;
    bool closeApproved_ = false;
};
