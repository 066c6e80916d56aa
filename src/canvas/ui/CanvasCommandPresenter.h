#pragma once
// The widgets of one canvas's commands: its context menu, its one pop-over
// (zovPopOver) holding the tooltip, layer-index, link or branch editor, its
// code editor window and the print-settings window. The document window
// makes one beside its canvas widget; it takes over the commands of the
// canvas's responder that open these widgets, and the rules of what is
// saved stay in the plain classes they call.
#include "canvas/ui/CanvasPopOver.h"
#include "canvas/ui/CodeEditorWindowController.h"
#include "canvas/ui/PrintSettingsWindowController.h"
#include "insertion/ui/MultiplyViewController.h"
#include "sidebar/LinkEditing.h"
#include "sidebar/ui/GalleryGridCaptionViewController.h"
#include "sidebar/ui/HyperLinkViewController.h"
#include "sidebar/ui/LayerArrangementViewController.h"
#include "sidebar/ui/TooltipViewController.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class CanvasContextMenu;
class CanvasPopOver;
class CanvasResponder;
class CanvasSelectionProxy;
class CodeEditorWindowController;
class HyperLinkViewController;
class InspectorBindings;
class LayerArrangementViewController;
class MultiplyViewController;
class PrintSettingsWindowController;
class SKTGraphic;
class SKTGraphicView;
class SKTGraphicViewWidget;
class TooltipViewController;

class CanvasCommandPresenter : public QObject {
    Q_OBJECT
public:
    CanvasCommandPresenter(SKTGraphicViewWidget &widget, CanvasResponder &responder);
    ~CanvasCommandPresenter() override;

    // The project's pages as the link pop-over lists them (none for a page
    // opened alone); unset, the canvas's host is asked.
    std::function<QList<ProjectPage>()> pageList;

    CanvasContextMenu *contextMenu() const { return m_menu; }
    // The pop-over shown now, or null.
    CanvasPopOver *zovPopOver() const { return m_popOver; }
    TooltipViewController *tooltipViewController() const { return m_tooltip; }
    LayerArrangementViewController *layerArrangementViewController() const { return m_layer; }
    HyperLinkViewController *hyperLinkViewController() const { return m_link; }
    MultiplyViewController *multipleViewController() const { return m_multiply; }
    GalleryGridCaptionViewController *galleryGridCaptionViewController() const { return m_caption; }
    CodeEditorWindowController *codeEditorWindowController() const { return m_codeEditor; }
    PrintSettingsWindowController *printSettingsWindowController() const { return m_printSettings; }

    void applyTooltip();
    void applyLayerIndex();
    void applyLinkPopOver();
    void showCodeEditor();
    void saveCodeEditor();
    void launchPrintSettings();
    void multiplyNewShapes();
    // The link pop-over for the current slide of the slideshow the menu found.
    void linkSlide();
    // The caption and link of the gallery picture under the last click.
    void configureGalleryImageCaption();
    void closePopOver();

private:
    // Shows content in a new pop-over beside the first selected graphic.
    void showPopOver(QWidget *content);
    QRect anchorRect() const;

    SKTGraphicViewWidget &m_widget;
    SKTGraphicView &m_view;
    CanvasResponder &m_responder;
    std::unique_ptr<CanvasSelectionProxy> m_selection;
    std::unique_ptr<InspectorBindings> m_bindings;
    CanvasContextMenu *m_menu = nullptr;
    QPointer<CanvasPopOver> m_popOver;
    QPointer<TooltipViewController> m_tooltip;
    QPointer<LayerArrangementViewController> m_layer;
    QPointer<HyperLinkViewController> m_link;
    QPointer<MultiplyViewController> m_multiply;
    QPointer<GalleryGridCaptionViewController> m_caption;
    QPointer<CodeEditorWindowController> m_codeEditor;
    QPointer<PrintSettingsWindowController> m_printSettings;
    // The snippet the code editor shows: its Save writes there, or nowhere
    // once it has left the page.
    std::weak_ptr<SKTGraphic> m_editedSnippet;
};
