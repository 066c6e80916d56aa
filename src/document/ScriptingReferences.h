#pragma once
// Evaluation of scripting's range and relative references over a page's
// graphics, as plain functions. A reference is what a start, end or base
// reference names: the key of its collection and what it evaluated to.
// Keys: "graphics", "rectangles", "circles", "lines", "textAreas", "images".
// An empty answer (std::nullopt) leaves the evaluation to the default.
#include <QList>
#include <QString>
#include <optional>

class SKTGraphic;

struct ScriptingReference {
    QString key;
    QList<SKTGraphic *> evaluated;
};

class ScriptingReferences {
public:
    ScriptingReferences() = delete;
    static bool isKnownKey(const QString &key);
    // The graphics of a key's collection, in page order.
    static QList<SKTGraphic *> collection(const QList<SKTGraphic *> &graphics, const QString &key);
    static std::optional<QList<qsizetype>> rangeIndexes(const QList<SKTGraphic *> &graphics, const QString &key,
                                                       const std::optional<ScriptingReference> &start,
                                                       const std::optional<ScriptingReference> &end);
    static std::optional<QList<qsizetype>> relativeIndexes(const QList<SKTGraphic *> &graphics, const QString &key,
                                                          const std::optional<ScriptingReference> &base, bool after);
    // Where an element inserted at index of a key's collection goes in the
    // page: appended at the end of the collection, else before its element.
    // -1 when index is out of range.
    static qsizetype insertionIndex(const QList<SKTGraphic *> &graphics, const QString &key, qsizetype index);
    // "Could not find the given rectangle in the graphics." and its kin.
    static QString notFoundText(const QString &key);
};
