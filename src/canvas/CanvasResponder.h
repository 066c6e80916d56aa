#pragma once
// The canvas's commands by name, for the responder chain: the frontmost
// responder of a document window. It answers every command of the canvas's
// menus; each is validated by the canvas's CanvasMenuValidator (hidden,
// disabled or retitled as its table says), so a shortcut never runs what the
// menu hides.
//
// Commands carried out by other parts of the program (table and gallery
// editing, slides, form fields ...) are added by name with addCommand before
// a window opens; the widgets of the canvas (pop-overs, code editor, print
// settings) replace their commands with add() on the responder they get.
#include "platform/ActionResponder.h"

#include <functional>

class CanvasMenuValidator;
class SKTGraphicView;

class CanvasResponder : public ActionMap {
public:
    explicit CanvasResponder(SKTGraphicView &view);
    SKTGraphicView &view() const { return m_view; }
    CanvasMenuValidator &validator() const;

    // A command of another subsystem that acts on the canvas. Registering the
    // same name again replaces it; responders made afterwards use it.
    using Command = std::function<void(SKTGraphicView &view, const ActionItemState &sender)>;
    static void addCommand(const QString &action, Command command);

    // Every action the canvas answers, in table order, then the rest.
    static QStringList canvasActions();

    // The responders after the canvas in its window's chain. A command the
    // canvas validates but that another part carries out (a table's rows, a
    // gallery's pictures, the Add New makers ...) is validated here, so the
    // context menu hides what does not apply, and then runs there.
    using Rest = std::function<QList<ActionResponder *>()>;
    void setRestOfChain(Rest rest) { m_rest = std::move(rest); }

private:
    // Adds the action with the validator's rule.
    void addValidated(const QString &action, Run run);
    SKTGraphicView &m_view;
    Rest m_rest;
};
