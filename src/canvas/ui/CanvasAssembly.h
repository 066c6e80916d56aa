#pragma once
// One page's canvas as a document window embeds it: the widget-free canvas,
// its insertion adapter (the makers of palette drops and menu commands), its
// responder (every canvas command by name, first in the window's chain), the
// zooming scroll view with the canvas widget, and the presenter of its
// context menu, pop-overs and windows. The window owns one per page shown.
#include <QObject>
#include <memory>

class CanvasCommandPresenter;
class CanvasInsertionAdapter;
class CanvasResponder;
class QWidget;
class SKTDocument;
class SKTGraphicView;
class SKTGraphicViewWidget;
class SKTZoomingScrollView;

class CanvasAssembly {
public:
    explicit CanvasAssembly(SKTDocument *document, QWidget *parent = nullptr);
    ~CanvasAssembly();
    CanvasAssembly(const CanvasAssembly &) = delete;
    CanvasAssembly &operator=(const CanvasAssembly &) = delete;

    SKTGraphicView &view() const { return *m_view; }
    CanvasInsertionAdapter &insertions() const { return *m_insertions; }
    CanvasResponder &responder() const { return *m_responder; }
    // The widget to put into the window (it holds the canvas widget).
    SKTZoomingScrollView *scrollView() const { return m_scrollView; }
    SKTGraphicViewWidget *canvasWidget() const { return m_widget; }
    CanvasCommandPresenter *presenter() const { return m_presenter; }

    // Shows or hides the rulers (the "Show Ruler" / "Hide Ruler" command).
    void showOrHideRulers();

private:
    std::unique_ptr<SKTGraphicView> m_view;
    std::unique_ptr<CanvasInsertionAdapter> m_insertions;
    std::unique_ptr<CanvasResponder> m_responder;
    SKTZoomingScrollView *m_scrollView = nullptr;
    SKTGraphicViewWidget *m_widget = nullptr;
    CanvasCommandPresenter *m_presenter = nullptr;
};
