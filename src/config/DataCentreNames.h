#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
#include <QList>
#include <QPartialOrdering>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <type_traits>

class DataCentreNames {
public:
    // The first index code units, or the whole string when it is shorter (a
    // negative index counts as past the end). A null string stays null.
    static QString zovSubstringToIndex(const QString &string, int32_t index);
    // From index to the end, or "" when the index is past the end or negative.
    static QString zovSubstringFromIndex(const QString &string, int32_t index);

    // A user's page, image or project name made safe as one file name. The
    // Unicode form keeps letters of any script, digits, marks and punctuation;
    // the plain form keeps A-Z, a-z, 0-9, "_" and "-". Both drop path
    // separators, control characters, direction overrides and leading dots,
    // never give "", "." or "..", fall back to "untitled", and stay within
    // 255 bytes of UTF-8.
    static QString generateNewFileName(const QString &proposed, bool unicodeNames);
    // The same, in the edition's form (gUnicodeFileNames).
    static QString generateNewFileName(const QString &proposed);

    // The whole text of resources/<name>.<type> as UTF-8; a null string when
    // it is missing or not valid UTF-8.
    static QString readBundleFile(const QString &name, const QString &type);
    // The whole text of a file as UTF-8, or a null string (missing, unreadable,
    // not valid UTF-8). An empty file gives "".
    static QString readUtf8TextFile(const QString &path);

    // A sorted copy, by the value each element gives for the key (its
    // valueForKey), ascending or descending; equal values keep their order.
    template <typename T>
    static QList<T> sortArray(const QList<T> &array, const QString &key, bool ascending)
    {
        QList<T> sorted = array;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const T &a, const T &b) {
            const QPartialOrdering order = QVariant::compare(valueOf(a, key), valueOf(b, key));
            return ascending ? order == QPartialOrdering::Less : order == QPartialOrdering::Greater;
        });
        return sorted;
    }

    // The time of day on the diagnostic log, "HH:mm:ss".
    static void printCurrentTime();

private:
    template <typename T>
    static QVariant valueOf(const T &element, const QString &key)
    {
        if constexpr (requires { element->valueForKey(key); })
            return element ? element->valueForKey(key) : QVariant();
        else
            return element.valueForKey(key);
    }
};
