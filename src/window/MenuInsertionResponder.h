#pragma once
// The front of a document window's responder chain for the Add New menu's
// insertions. It hands each insertion to whoever answers it further down the
// chain, then treats what the command put on the page as a person expects:
// one undo step, on a free spot of the visible area when the menu's point is
// taken, and selected, so the next key press or inspector change acts on it.
// Commands that open a window first (an open panel, a sheet) insert later and
// are left as they are.
#include "platform/ActionResponder.h"

#include <functional>

class SKTGraphic;
class SKTGraphicView;

class MenuInsertionResponder : public ActionResponder {
public:
    using Chain = std::function<QList<ActionResponder *>()>;
    MenuInsertionResponder(SKTGraphicView &view, Chain rest);

    // The Add New menu's commands that insert at once at the menu's point.
    static bool isMenuInsertion(const QString &action);

    bool respondsToAction(const QString &action) const override;
    void performAction(const QString &action, const ActionItemState &sender) override;
    bool validateAction(ActionItemState &item) override;

private:
    SKTGraphicView &m_view;
    Chain m_rest;
};
