#pragma once
// Graphics compared property by property, through the properties dictionary
// that copies and pastes them (every editing attribute, the cells, slides and
// pictures of the composite kinds), with a readable list of what differs.
#include "model/GraphicProperties.h"
#include "model/SKTGraphic.h"

#include <QImage>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cmath>
#include <functional>
#include <memory>

namespace graphicdiff {

inline QString shown(const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("(none)");
    if (v.metaType().id() == QMetaType::QImage) {
        const QImage i = v.value<QImage>();
        return QStringLiteral("picture %1x%2").arg(i.width()).arg(i.height());
    }
    if (v.metaType().id() == QMetaType::QColor)
        return v.value<QColor>().name(QColor::HexArgb);
    if (v.metaType().id() == QMetaType::QVariantMap)
        return QStringLiteral("{...}");
    if (v.metaType().id() == QMetaType::QVariantList)
        return QStringLiteral("[%1 items]").arg(v.toList().size());
    QString s = v.toString();
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + (s.size() > 80 ? s.left(77) + QStringLiteral("...") : s) + QLatin1Char('"');
}

// Numbers stored as text ("12.000000") and as numbers compare by value.
inline bool sameNumber(const QVariant &a, const QVariant &b)
{
    bool okA = false, okB = false;
    const double x = a.toString().toDouble(&okA), y = b.toString().toDouble(&okB);
    return okA && okB && std::abs(x - y) <= 1e-4 * std::max(1.0, std::abs(x));
}

inline bool samePicture(const QImage &a, const QImage &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.size() == b.size()
        && a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// A picture read from a page travels as its file's bytes and path until it is
// shown; both sides are compared as decoded pictures, wherever they were read.
inline QVariant decodedPictures(const QVariant &v)
{
    if (v.metaType().id() == QMetaType::QVariantList) {
        QVariantList list = v.toList();
        for (QVariant &item : list)
            item = decodedPictures(item);
        return list;
    }
    if (v.metaType().id() != QMetaType::QVariantMap)
        return v;
    QVariantMap map = v.toMap();
    for (const QString &key : map.keys()) {
        if (!key.endsWith(QLatin1String("Data")) || !map.contains(key.chopped(4) + QStringLiteral("File")))
            continue;
        const QString picture = key.chopped(4);
        if (!map.contains(picture))
            map.insert(picture, QImage::fromData(map.value(key).toByteArray()));
        map.remove(key);
        map.remove(picture + QStringLiteral("File"));
    }
    for (auto it = map.begin(); it != map.end(); ++it)
        it.value() = decodedPictures(it.value());
    return map;
}

// A value never set and the value a reader fills in for it mean the same:
// an unset string reads as "", a level as "None", a target as "_self", an
// alignment as "left", a link type as "text", a colour as clear.
inline bool unsetAndDefault(const QVariant &a, const QVariant &b)
{
    static const QStringList defaults = {QString(), QStringLiteral("None"), QStringLiteral("_self"),
                                         QStringLiteral("left"), QStringLiteral("text"), QStringLiteral("CLEAR0"),
                                         QStringLiteral("(null)")};
    const auto unset = [](const QVariant &v) {
        return !v.isValid() || (v.metaType().id() == QMetaType::QString && v.toString().isNull());
    };
    return (unset(a) && defaults.contains(b.toString())) || (unset(b) && defaults.contains(a.toString()));
}

// "" and "CLEAR0" both store a clear colour.
inline bool bothClear(const QString &key, const QVariant &a, const QVariant &b)
{
    static const QStringList clear = {QString(), QStringLiteral("CLEAR0"), QStringLiteral("(null)")};
    return key.endsWith(QLatin1String("olorString")) && clear.contains(a.toString()) && clear.contains(b.toString());
}

inline bool isIgnored(const QString &key, const QString &path, const QSet<QString> &ignored)
{
    if (ignored.contains(key))
        return true;
    // "cellArray[].sectionNumber" names that key in every cell.
    static const QRegularExpression index(QStringLiteral("\\[\\d+\\]"));
    const QString general = QString(path).replace(index, QStringLiteral("[]"));
    for (const QString &entry : ignored)
        if (entry.contains(QLatin1Char('.')) && (path.endsWith(entry) || general.endsWith(entry)))
            return true;
    return false;
}

// Appends "path: expected -> actual" for every key whose values differ; keys
// in ignored (a key at any depth, or the end of a path such as
// "textView.borderWidth" or "cellArray[].sectionNumber") are skipped.
inline void compare(const QVariant &a, const QVariant &b, const QString &path, const QSet<QString> &ignored,
                    QStringList &out)
{
    const int ta = a.metaType().id(), tb = b.metaType().id();
    if (ta == QMetaType::QVariantMap && tb == QMetaType::QVariantMap) {
        const QVariantMap ma = a.toMap(), mb = b.toMap();
        QSet<QString> keys;
        for (auto it = ma.keyBegin(); it != ma.keyEnd(); ++it)
            keys.insert(*it);
        for (auto it = mb.keyBegin(); it != mb.keyEnd(); ++it)
            keys.insert(*it);
        QStringList sorted(keys.begin(), keys.end());
        sorted.sort();
        for (const QString &key : sorted) {
            const QString child = path.isEmpty() ? key : path + QLatin1Char('.') + key;
            if (isIgnored(key, child, ignored))
                continue;
            if (unsetAndDefault(ma.value(key), mb.value(key)) || bothClear(key, ma.value(key), mb.value(key)))
                continue;
            compare(ma.value(key), mb.value(key), child, ignored, out);
        }
        return;
    }
    if (ta == QMetaType::QVariantList && tb == QMetaType::QVariantList) {
        const QVariantList la = a.toList(), lb = b.toList();
        if (la.size() != lb.size())
            out << QStringLiteral("%1: %2 items -> %3 items").arg(path).arg(la.size()).arg(lb.size());
        for (qsizetype i = 0; i < std::min(la.size(), lb.size()); ++i)
            compare(la[i], lb[i], QStringLiteral("%1[%2]").arg(path).arg(i), ignored, out);
        return;
    }
    if (ta == QMetaType::QImage || tb == QMetaType::QImage) {
        if (!samePicture(a.value<QImage>(), b.value<QImage>()))
            out << QStringLiteral("%1: %2 -> %3%4")
                       .arg(path, shown(a), shown(b),
                            a.value<QImage>().size() == b.value<QImage>().size() ? QStringLiteral(" (pixels differ)")
                                                                                 : QString());
        return;
    }
    if (a == b || sameNumber(a, b))
        return;
    if (ta == QMetaType::QColor && tb == QMetaType::QColor && a.value<QColor>().rgba() == b.value<QColor>().rgba())
        return;
    out << QStringLiteral("%1: %2 -> %3").arg(path, shown(a), shown(b));
}

inline QString describe(SKTGraphic &g)
{
    const GraphicProperties p = g.properties();
    QString what = p.string(QStringLiteral("className"));
    const QString text = p.string(QStringLiteral("textString"));
    if (!text.isEmpty())
        what += QStringLiteral(" ") + shown(text);
    return what;
}

// Every difference between two lists of graphics, graphic by graphic in list
// order: empty when they are equal.
// normalise, when given, sees each graphic's dictionary first (to set aside
// what depends on where the page was opened, such as its own name).
inline QStringList differences(const QList<std::shared_ptr<SKTGraphic>> &expected,
                               const QList<std::shared_ptr<SKTGraphic>> &actual, const QSet<QString> &ignored = {},
                               const std::function<void(QVariantMap &, bool expected)> &normalise = {})
{
    QStringList out;
    if (expected.size() != actual.size())
        out << QStringLiteral("%1 graphics -> %2 graphics").arg(expected.size()).arg(actual.size());
    for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        QStringList one;
        QVariantMap a = expected[i]->properties().map(), b = actual[i]->properties().map();
        if (normalise) {
            normalise(a, true);
            normalise(b, false);
        }
        compare(decodedPictures(a), decodedPictures(b), QString(), ignored, one);
        for (const QString &d : std::as_const(one))
            out << QStringLiteral("graphic %1 (%2): %3").arg(i).arg(describe(*expected[i]), d);
    }
    return out;
}

} // namespace graphicdiff
