#include "insertion/InsertionStep.h"

#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"

#include <QHash>

namespace {
using Saved = QList<QPair<std::shared_ptr<SKTGraphic>, QVariantMap>>;

void registerRestore(SKTDocument &document, const Saved &saved)
{
    document.undoManager().registerUndo([&document, saved] {
        Saved now;
        now.reserve(saved.size());
        for (const auto &[graphic, values] : saved) {
            QVariantMap current;
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                current.insert(it.key(), graphic->value(it.key()));
            now.append({graphic, current});
        }
        registerRestore(document, now);
        // This closure and its inverse record the change; the document must not again.
        document.undoManager().disableUndoRegistration();
        for (const auto &[graphic, values] : saved)
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                graphic->setValue(it.key(), it.value());
        document.undoManager().enableUndoRegistration();
    });
}
} // namespace

void InsertionStep::recordValues(SKTDocument &document, const QList<SKTGraphic *> &graphics, const QStringList &keys)
{
    if (graphics.isEmpty() || !document.undoManager().isUndoRegistrationEnabled())
        return;
    QHash<const SKTGraphic *, std::shared_ptr<SKTGraphic>> onPage;
    onPage.reserve(document.graphics().size());
    for (const auto &g : document.graphics())
        onPage.insert(g.get(), g);
    Saved saved;
    for (SKTGraphic *graphic : graphics) {
        const auto shared = onPage.value(graphic);
        if (!shared)
            continue;
        QVariantMap values;
        for (const QString &key : keys)
            values.insert(key, graphic->value(key));
        saved.append({shared, values});
    }
    if (!saved.isEmpty())
        registerRestore(document, saved);
}

void InsertionStep::recordValues(SKTDocument &document, SKTGraphic &graphic, const QStringList &keys)
{
    recordValues(document, QList<SKTGraphic *>{&graphic}, keys);
}

void InsertionStep::setBounds(SKTDocument &document, const QList<QPair<SKTGraphic *, QRectF>> &moves)
{
    if (moves.isEmpty())
        return;
    QList<SKTGraphic *> graphics;
    graphics.reserve(moves.size());
    for (const auto &move : moves)
        graphics.append(move.first);
    const bool recording = document.undoManager().isUndoRegistrationEnabled();
    recordValues(document, graphics, {QStringLiteral("bounds")});
    if (recording)
        document.undoManager().disableUndoRegistration();
    for (const auto &[graphic, bounds] : moves)
        graphic->setBounds(bounds);
    if (recording)
        document.undoManager().enableUndoRegistration();
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
