#pragma once
// The canvas's selection as the inspector tests hold it: a list of the
// document's graphics, changed either directly or through select(), which
// also tells the bindings.
#include "document/SKTDocument.h"
#include "sidebar/SelectionProxy.h"
#include "platform/UndoManager.h"

class SelectionDouble : public SelectionProxy {
public:
    explicit SelectionDouble(SKTDocument &doc) : m_doc(doc) {}
    QList<SKTGraphic *> selectedGraphics() const override { return selected; }
    UndoManager *undoManager() const override { return &m_doc.undoManager(); }
    void select(QList<SKTGraphic *> graphics)
    {
        selected = std::move(graphics);
        selectionOrGraphicsChanged();
    }

    QList<SKTGraphic *> selected;

private:
    SKTDocument &m_doc;
};
