#pragma once
// The inspector of one document window, ready to embed: it follows the
// window's canvas selection and its document, owns the bindings and shows
// either the sidebar (InspectorView, in the editions with canvas drags) or
// the fixed panel. Selection and page changes arriving during one pass of
// the event loop are shown once, at its end.
//
//     auto *inspector = new DocumentInspector(document, canvas, window);
//     splitter->addWidget(inspector->widget());
#include "sidebar/SelectionProxy.h"
#include "sidebar/ui/FixedSidebarPanel.h"
#include "sidebar/ui/SidebarView.h"

#include <QObject>
#include <QPointer>
#include <memory>

class InspectorActions;
class InspectorBindings;
class PageColorSink;
class QWidget;
class SKTDocument;
class SKTGraphic;
class SKTGraphicView;
class UndoManager;

class DocumentInspector : public QObject, public SelectionProxy {
    Q_OBJECT
public:
    // sidebar: the three-tab sidebar; false builds the fixed panel. By
    // default the edition decides (gCanvasDragOption).
    DocumentInspector(SKTDocument &document, SKTGraphicView &canvas, QWidget *parent = nullptr);
    DocumentInspector(SKTDocument &document, SKTGraphicView &canvas, bool sidebar, QWidget *parent);
    ~DocumentInspector() override;

    // The widget to place in the window: the sidebar or the fixed panel.
    QWidget *widget() const;
    InspectorView *sidebar() const { return m_sidebar; }
    FixedInspectorPanel *fixedPanel() const { return m_fixed; }
    InspectorBindings &bindings() { return *m_bindings; }
    InspectorActions &actions() { return *m_actions; }
    SKTDocument &document() const { return m_document; }

    // SelectionProxy: the canvas's selection, undone on the document's manager.
    QList<SKTGraphic *> selectedGraphics() const override;
    UndoManager *undoManager() const override;

    // The selection or the page changed: shown once at the end of this pass.
    void graphicTouched();
    bool refreshPending() const { return m_pending; }
    // Shows the selection now (what the end of the pass does).
    void refreshNow();
    // "refreshInspectorPanel" for a document: only that document's inspector acts.
    void refreshInspectorPanel(const SKTDocument *document);
    // The colour buttons' pop-over (showColorSelectorPopOver): the swatches
    // for the button's colour under the button; and the mask chooser under
    // the mask button. Each replaces the pop-over shown; a click elsewhere
    // closes it.
    void showColorSelectorPopOver(const QString &buttonName, QWidget *anchor);
    void showImageMaskPopOver(QWidget *anchor);
    QWidget *popOver() const { return m_popOver; }
    void closePopOver();
    // The window's side of a new page colour (it redraws the canvas).
    void setPageColorSink(PageColorSink *sink) { m_colorSink = sink; }

    // The edition's hiding set: the fixed panel's controls and captions, and
    // the sidebar's FORMAT rows that hold nothing else.
    void hideEditionControls(const QStringList &names);

    // "unbindEverything" / "restoreBinding" for the whole window.
    void unbindEverything();
    void restoreBinding();

private:
    void build(bool sidebar, QWidget *parent);
    QString pageColourHex() const;

    SKTDocument &m_document;
    QPointer<SKTGraphicView> m_canvas;
    std::unique_ptr<InspectorBindings> m_bindings;
    InspectorActions *m_actions = nullptr;
    QPointer<InspectorView> m_sidebar;
    QPointer<FixedInspectorPanel> m_fixed;
    bool m_pending = false;
    QPointer<QWidget> m_popOver;
    PageColorSink *m_colorSink = nullptr;
};
