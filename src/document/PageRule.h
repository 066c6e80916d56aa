#pragma once
// One element's CSS rule line of a stored page, split into declarations, with
// the typed lookups every element reader uses.
//
// The rule is split outside double quotes: declarations end at ";", "{" or
// "}", and a declaration's name runs to its first ":" (so a value may hold
// ":" or "="). A value loses the quotes around it, a "px" unit after a number
// and the "#" before a hex colour, and nothing else. Names match exactly:
// "width" never matches "border-width". The first declaration of a name wins,
// which is also how the hover rules written on the same line stay out of the
// element's own values.
//
// Numbers are read like C's leading-number parse (leading digits, 0 when
// none), must be finite, and are clamped to a range before conversion.
#include "document/ReadError.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>

class PageRule {
public:
    // Positions and sizes on a page stay within this many pixels.
    static constexpr double kMaxCoordinate = 100000.0;
    // Any other number read from a rule stays within this magnitude.
    static constexpr double kMaxMagnitude = 1000000000.0;

    explicit PageRule(const QString &ruleText);

    const QString &text() const { return m_text; }
    QString selector() const { return m_selector; }

    // True when a declaration of that name (or of one of its spellings) exists.
    bool has(const QString &key) const;
    bool has(std::initializer_list<QString> keys) const;
    // The value of the first declaration of the first spelling present; null when none.
    QString value(std::initializer_list<QString> keys) const;

    // Lookups with a default: parseForItemTypeString, ...Int, ...Float.
    QString string(const QString &key, const QString &fallback) const;
    QString string(std::initializer_list<QString> keys, const QString &fallback) const;
    int32_t integer(const QString &key, int32_t fallback, double low = -kMaxMagnitude,
                    double high = kMaxMagnitude) const;
    int32_t integer(std::initializer_list<QString> keys, int32_t fallback, double low = -kMaxMagnitude,
                    double high = kMaxMagnitude) const;
    float number(const QString &key, float fallback, double low = -kMaxMagnitude, double high = kMaxMagnitude) const;
    float number(std::initializer_list<QString> keys, float fallback, double low = -kMaxMagnitude,
                 double high = kMaxMagnitude) const;
    // A value that is a whole number and nothing else (optional blanks and
    // sign, digits), within int32 range; fallback when missing or written
    // any other way. For numbers that name something, where the leading
    // number of "2x" or "1e99" would name the wrong thing.
    int32_t wholeNumber(const QString &key, int32_t fallback) const;
    // A float value truncated toward zero.
    int32_t truncated(const QString &key, int32_t fallback, double low = -kMaxMagnitude,
                      double high = kMaxMagnitude) const;

    // The typed lookups under the names the element readers were first
    // written with.
    QString parseForItemTypeString(const QString &key, const QString &fallback) const { return string(key, fallback); }
    int32_t parseForItemTypeInt(const QString &key, int32_t fallback) const { return integer(key, fallback); }
    float parseForItemTypeFloat(const QString &key, float fallback) const { return number(key, fallback); }

    // Required keys: a ReadError when the declaration is missing.
    QString requiredString(const QString &key) const;
    int32_t requiredInteger(const QString &key, double low = -kMaxMagnitude, double high = kMaxMagnitude) const;
    // A required position or size, within kMaxCoordinate.
    int32_t requiredCoordinate(const QString &key) const
    {
        return requiredInteger(key, -kMaxCoordinate, kMaxCoordinate);
    }
    int32_t coordinate(const QString &key, int32_t fallback) const
    {
        return integer(key, fallback, -kMaxCoordinate, kMaxCoordinate);
    }

    // The leading number of a text: optional blanks and sign, digits, a
    // fraction and an exponent; 0 when there is none or it is not finite.
    static double leadingNumber(const QString &text);
    static int32_t clampToInt(double value, double low, double high);

private:
    QString m_text;
    QString m_selector;
    QHash<QString, QString> m_values; // first declaration of each name
};
