#include "insertion/InsertionStep.h"

#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"

namespace {
void registerRestore(SKTDocument &document, const std::shared_ptr<SKTGraphic> &graphic, const QVariantMap &values)
{
    document.undoManager().registerUndo([&document, graphic, values] {
        QVariantMap now;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            now.insert(it.key(), graphic->value(it.key()));
        registerRestore(document, graphic, now);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            graphic->setValue(it.key(), it.value());
    });
}
} // namespace

void InsertionStep::recordValues(SKTDocument &document, SKTGraphic &graphic, const QStringList &keys)
{
    std::shared_ptr<SKTGraphic> shared;
    for (const auto &g : document.graphics())
        if (g.get() == &graphic)
            shared = g;
    if (!shared || !document.undoManager().isUndoRegistrationEnabled())
        return;
    QVariantMap values;
    for (const QString &key : keys)
        values.insert(key, graphic.value(key));
    registerRestore(document, shared, values);
}

InsertionStep::InsertionStep(SKTDocument &document, QString name) : m_document(document), m_name(std::move(name))
{
    // Changes made earlier in the same event pass are not part of the command.
    m_document.undoManager().closeAutomaticGroup();
    m_document.undoManager().beginUndoGrouping();
}

InsertionStep::~InsertionStep()
{
    // Named last: attribute changes inside the step name it after themselves.
    m_document.undoManager().setActionName(m_name);
    m_document.undoManager().endUndoGrouping();
    // The outermost command is a step of its own at once (inside a drag's
    // explicit group this does nothing).
    m_document.undoManager().closeAutomaticGroup();
}
