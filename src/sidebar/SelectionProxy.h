#pragma once
// The selection that the inspector shows and edits: the main window's canvas
// selection. The canvas implements it; the inspector reads the selected
// graphics once per read or edit and records its edits on the document's
// undo manager.
#include <QList>

#include <functional>

class SKTGraphic;
class UndoManager;

class SelectionProxy {
public:
    virtual ~SelectionProxy() = default;
    // In the order of the page's graphics list.
    virtual QList<SKTGraphic *> selectedGraphics() const = 0;
    // The undo manager of the document that owns the graphics; null records nothing.
    virtual UndoManager *undoManager() const = 0;
    // The implementer calls this after every selection change and after every
    // change of a selected graphic's attributes.
    void setChangeHandler(std::function<void()> handler) { m_changeHandler = std::move(handler); }
    void selectionOrGraphicsChanged() const
    {
        if (m_changeHandler)
            m_changeHandler();
    }

private:
    std::function<void()> m_changeHandler;
};
