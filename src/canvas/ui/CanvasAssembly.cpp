#include "canvas/ui/CanvasAssembly.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/CanvasMenuValidator.h"
#include "canvas/CanvasResponder.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/ui/CanvasCommandPresenter.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "canvas/ui/SKTZoomingScrollView.h"

#include <QScrollBar>

CanvasAssembly::CanvasAssembly(SKTDocument *document, QWidget *parent)
    : m_view(std::make_unique<SKTGraphicView>())
{
    m_view->setDocument(document);
    m_insertions = std::make_unique<CanvasInsertionAdapter>(*m_view);
    m_view->setInsertions(m_insertions.get());
    m_responder = std::make_unique<CanvasResponder>(*m_view);
    m_scrollView = new SKTZoomingScrollView(parent);
    m_widget = new SKTGraphicViewWidget(*m_view);
    m_scrollView->setCanvas(m_widget);
    m_presenter = new CanvasCommandPresenter(*m_widget, *m_responder);

    // Menu commands insert 100 right of and 30 below the visible corner.
    SKTZoomingScrollView *scroll = m_scrollView;
    SKTGraphicViewWidget *widget = m_widget;
    m_insertions->visibleOriginProvider = [scroll, widget]() -> std::optional<QPointF> {
        const double z = widget->zoomFactor() > 0 ? widget->zoomFactor() : 1.0;
        return QPointF(scroll->horizontalScrollBar()->value() / z, scroll->verticalScrollBar()->value() / z);
    };
    m_responder->add(
        QStringLiteral("showOrHideRulers"), [this](const ActionItemState &) { showOrHideRulers(); },
        [this](ActionItemState &item) { return m_view->menuValidator().validate(item); });
}

CanvasAssembly::~CanvasAssembly()
{
    // The widgets go first: they refer to the canvas and its responder.
    delete m_scrollView;
    m_view->setInsertions(nullptr);
}

void CanvasAssembly::showOrHideRulers()
{
    const bool show = !m_scrollView->showsRulers();
    m_scrollView->setShowsRulers(show);
    m_view->rulersVisible = show;
}
