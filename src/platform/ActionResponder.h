#pragma once
// Commands travel by name. A menu item or toolbar button names its action
// ("saveDocument", "addNewPage", "alignLeftEdges" ...); the responder chain
// of the moment (canvas, window, document, application delegate) is asked in
// turn and the first responder that takes the name runs it. Before a menu
// shows, the same chain decides whether each item is enabled, ticked,
// retitled or hidden. Nothing here needs a widget, so the decisions are
// tested without a screen.
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <map>

// What a menu item or toolbar button shows; validation may change it.
struct ActionItemState {
    QString action;            // the action's name
    QString title;             // the title shown; validation may retitle
    int tag = 0;               // the item's tag (presets, edition rows ...)
    QVariant representedObject;
    bool enabled = true;
    bool checked = false;
    bool visible = true;
};

class ActionResponder {
public:
    virtual ~ActionResponder();

    // True when this object handles the named action.
    virtual bool respondsToAction(const QString &action) const = 0;
    // Runs the action; sender describes the item that sent it.
    virtual void performAction(const QString &action, const ActionItemState &sender) = 0;
    // May tick, retitle or hide the item; returns whether it is enabled. Only
    // asked of the responder that takes the action.
    virtual bool validateAction(ActionItemState &item);
};

// A responder made of a table of named handlers: the usual way a controller
// answers its commands.
class ActionMap : public ActionResponder {
public:
    using Run = std::function<void(const ActionItemState &sender)>;
    using Validate = std::function<bool(ActionItemState &item)>;

    // Adds (or replaces) the action; without a validator it is always enabled.
    void add(const QString &action, Run run, Validate validate = {});
    void remove(const QString &action);
    QStringList actions() const;

    bool respondsToAction(const QString &action) const override;
    void performAction(const QString &action, const ActionItemState &sender) override;
    bool validateAction(ActionItemState &item) override;

private:
    struct Entry {
        Run run;
        Validate validate;
    };
    std::map<QString, Entry> m_entries;
};

// Something that offers responders in order, frontmost first: a document
// window offers its canvas, itself and its document.
class ResponderHost {
public:
    virtual ~ResponderHost();
    virtual QList<ActionResponder *> responderChain() = 0;
};

// The chain in use. The program installs a provider (the active window's
// chain followed by the application delegate); tests install their own.
class ResponderChain {
public:
    using Provider = std::function<QList<ActionResponder *>()>;

    static void setProvider(Provider provider);
    static QList<ActionResponder *> current();

    // The first responder of the current chain that takes the action, or null.
    static ActionResponder *target(const QString &action);
    // Runs the action on its target; false when no responder takes it.
    static bool send(const QString &action, const ActionItemState &sender = {});
    // Validates item.action on its target: disabled when nobody takes it.
    // Returns item.enabled.
    static bool validate(ActionItemState &item);

    // The same, on an explicit chain.
    static ActionResponder *target(const QList<ActionResponder *> &chain, const QString &action);
    static bool send(const QList<ActionResponder *> &chain, const QString &action, const ActionItemState &sender);
    static bool validate(const QList<ActionResponder *> &chain, ActionItemState &item);
};
