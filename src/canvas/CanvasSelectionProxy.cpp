#include "canvas/CanvasSelectionProxy.h"

#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"

CanvasSelectionProxy::CanvasSelectionProxy(SKTGraphicView &view)
    : m_view(view)
{
    m_connection = QObject::connect(&view, &SKTGraphicView::selectionChanged, [this] { selectionOrGraphicsChanged(); });
}

CanvasSelectionProxy::~CanvasSelectionProxy()
{
    QObject::disconnect(m_connection);
}

QList<SKTGraphic *> CanvasSelectionProxy::selectedGraphics() const
{
    return m_view.selectedGraphics();
}

UndoManager *CanvasSelectionProxy::undoManager() const
{
    return m_view.document() ? &m_view.document()->undoManager() : nullptr;
}
