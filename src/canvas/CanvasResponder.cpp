#include "canvas/CanvasResponder.h"

#include "canvas/SKTGraphicView.h"

CanvasResponder::CanvasResponder(SKTGraphicView &view)
    : m_view(view)
{
    auto hasSelection = [this](ActionItemState &) { return !m_view.selectedGraphics().isEmpty(); };
    add("copy", [this](const ActionItemState &) { m_view.copy(); }, hasSelection);
    add("cut", [this](const ActionItemState &) { m_view.cut(); }, hasSelection);
    add("paste", [this](const ActionItemState &) { m_view.paste(); });
    add("duplicate", [this](const ActionItemState &) { m_view.duplicate(); }, hasSelection);
    add("delete", [this](const ActionItemState &) { m_view.deleteSelection(); }, hasSelection);
    add("selectAll", [this](const ActionItemState &) { m_view.selectAll(); });
}
