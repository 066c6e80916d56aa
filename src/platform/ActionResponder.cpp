#include "platform/ActionResponder.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcActions, "zov.actions")

ActionResponder::~ActionResponder() = default;

bool ActionResponder::validateAction(ActionItemState &item)
{
    return item.enabled;
}

void ActionMap::add(const QString &action, Run run, Validate validate)
{
    m_entries[action] = Entry{std::move(run), std::move(validate)};
}

void ActionMap::remove(const QString &action)
{
    m_entries.erase(action);
}

QStringList ActionMap::actions() const
{
    QStringList names;
    for (const auto &[name, entry] : m_entries)
        names << name;
    return names;
}

bool ActionMap::respondsToAction(const QString &action) const
{
    return m_entries.count(action) > 0;
}

void ActionMap::performAction(const QString &action, const ActionItemState &sender)
{
    auto it = m_entries.find(action);
    if (it != m_entries.end() && it->second.run)
        it->second.run(sender);
}

bool ActionMap::validateAction(ActionItemState &item)
{
    auto it = m_entries.find(item.action);
    if (it == m_entries.end())
        return false;
    if (!it->second.validate)
        return true;
    return it->second.validate(item);
}

ResponderHost::~ResponderHost() = default;

namespace {
ResponderChain::Provider &provider()
{
    static ResponderChain::Provider p;
    return p;
}
}  // namespace

void ResponderChain::setProvider(Provider p)
{
    provider() = std::move(p);
}

QList<ActionResponder *> ResponderChain::current()
{
    return provider() ? provider()() : QList<ActionResponder *>{};
}

ActionResponder *ResponderChain::target(const QString &action)
{
    return target(current(), action);
}

bool ResponderChain::send(const QString &action, const ActionItemState &sender)
{
    return send(current(), action, sender);
}

bool ResponderChain::validate(ActionItemState &item)
{
    return validate(current(), item);
}

ActionResponder *ResponderChain::target(const QList<ActionResponder *> &chain, const QString &action)
{
    for (ActionResponder *responder : chain) {
        if (responder && responder->respondsToAction(action))
            return responder;
    }
    return nullptr;
}

bool ResponderChain::send(const QList<ActionResponder *> &chain, const QString &action, const ActionItemState &sender)
{
    ActionResponder *responder = target(chain, action);
    if (!responder) {
        qCInfo(lcActions) << "no responder takes" << action;
        return false;
    }
    ActionItemState item = sender;
    item.action = action;
    responder->performAction(action, item);
    return true;
}

bool ResponderChain::validate(const QList<ActionResponder *> &chain, ActionItemState &item)
{
    ActionResponder *responder = target(chain, item.action);
    item.enabled = responder ? responder->validateAction(item) : false;
    return item.enabled;
}
