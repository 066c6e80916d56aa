#pragma once
// The canvas's selection as the inspector's pop-over editors see it: the
// selected graphics of the page, edited with the document's undo manager.
#include "sidebar/SelectionProxy.h"

#include <QMetaObject>

class SKTGraphicView;

class CanvasSelectionProxy : public SelectionProxy {
public:
    explicit CanvasSelectionProxy(SKTGraphicView &view);
    ~CanvasSelectionProxy() override;
    QList<SKTGraphic *> selectedGraphics() const override;
    UndoManager *undoManager() const override;

private:
    SKTGraphicView &m_view;
    QMetaObject::Connection m_connection;
};
