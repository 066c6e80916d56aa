#pragma once
// The canvas's commands by name, for the responder chain: the frontmost
// responder of a document window. Validation follows the canvas's own rules.
#include "platform/ActionResponder.h"

class SKTGraphicView;

class CanvasResponder : public ActionMap {
public:
    explicit CanvasResponder(SKTGraphicView &view);
    SKTGraphicView &view() const { return m_view; }

private:
    SKTGraphicView &m_view;
};
