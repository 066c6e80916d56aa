#include "document/ScriptingReferences.h"

#include "model/ScriptingCollections.h"

bool ScriptingReferences::isKnownKey(const QString &key)
{
    static const QStringList keys = {QStringLiteral("graphics"), QStringLiteral("rectangles"), QStringLiteral("circles"),
                                     QStringLiteral("lines"),    QStringLiteral("textAreas"),  QStringLiteral("images")};
    return keys.contains(key);
}

QList<SKTGraphic *> ScriptingReferences::collection(const QList<SKTGraphic *> &graphics, const QString &key)
{
    if (key == QLatin1String("rectangles"))
        return ScriptingCollections::rectangles(graphics);
    if (key == QLatin1String("circles"))
        return ScriptingCollections::circles(graphics);
    if (key == QLatin1String("lines"))
        return ScriptingCollections::lines(graphics);
    if (key == QLatin1String("textAreas"))
        return ScriptingCollections::textAreas(graphics);
    if (key == QLatin1String("images"))
        return ScriptingCollections::images(graphics);
    return graphics;
}

std::optional<QList<qsizetype>> ScriptingReferences::rangeIndexes(const QList<SKTGraphic *> &graphics, const QString &key,
                                                                  const std::optional<ScriptingReference> &start,
                                                                  const std::optional<ScriptingReference> &end)
{
    if (!isKnownKey(key) || (!start && !end))
        return std::nullopt;
    if ((start && !isKnownKey(start->key)) || (end && !isKnownKey(end->key)))
        return std::nullopt;
    if (graphics.isEmpty())
        return QList<qsizetype>{};
    qsizetype from = 0;
    qsizetype to = graphics.size() - 1;
    if (start) {
        if (start->evaluated.isEmpty())
            return std::nullopt;
        from = graphics.indexOf(start->evaluated.first());
        if (from < 0)
            return std::nullopt;
    }
    if (end) {
        if (end->evaluated.isEmpty())
            return std::nullopt;
        to = graphics.indexOf(end->evaluated.last());
        if (to < 0)
            return std::nullopt;
    }
    if (from > to)
        std::swap(from, to);
    const QList<SKTGraphic *> members = collection(graphics, key);
    QList<qsizetype> indexes;
    for (qsizetype i = from; i <= to; ++i) {
        if (key == QLatin1String("graphics")) {
            indexes.append(i);
        } else {
            const qsizetype at = members.indexOf(graphics[i]);
            if (at >= 0)
                indexes.append(at);
        }
    }
    return indexes;
}

std::optional<QList<qsizetype>> ScriptingReferences::relativeIndexes(const QList<SKTGraphic *> &graphics,
                                                                     const QString &key,
                                                                     const std::optional<ScriptingReference> &base,
                                                                     bool after)
{
    if (!base || !isKnownKey(base->key) || !isKnownKey(key))
        return std::nullopt;
    if (graphics.isEmpty())
        return QList<qsizetype>{};
    if (base->evaluated.isEmpty())
        return std::nullopt;
    const qsizetype from = graphics.indexOf(after ? base->evaluated.last() : base->evaluated.first());
    if (from < 0)
        return std::nullopt;
    const QList<SKTGraphic *> members = collection(graphics, key);
    for (qsizetype i = from + (after ? 1 : -1); i >= 0 && i < graphics.size(); i += after ? 1 : -1) {
        const qsizetype at = members.indexOf(graphics[i]);
        if (at >= 0)
            return QList<qsizetype>{at};
    }
    return QList<qsizetype>{};
}

qsizetype ScriptingReferences::insertionIndex(const QList<SKTGraphic *> &graphics, const QString &key, qsizetype index)
{
    const QList<SKTGraphic *> members = collection(graphics, key);
    if (index == members.size())
        return graphics.size();
    if (index < 0 || index > members.size())
        return -1;
    return graphics.indexOf(members[index]);
}

QString ScriptingReferences::notFoundText(const QString &key)
{
    QString noun = QStringLiteral("graphic");
    if (key == QLatin1String("rectangles"))
        noun = QStringLiteral("rectangle");
    else if (key == QLatin1String("circles"))
        noun = QStringLiteral("circle");
    else if (key == QLatin1String("lines"))
        noun = QStringLiteral("line");
    else if (key == QLatin1String("textAreas"))
        noun = QStringLiteral("text area");
    else if (key == QLatin1String("images"))
        noun = QStringLiteral("image");
    return QStringLiteral("Could not find the given %1 in the graphics.").arg(noun);
}
