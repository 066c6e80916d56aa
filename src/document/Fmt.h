#pragma once
// The page text is written from printf-like templates: "%d" a whole number,
// "%f" a number with six decimals, "%.02f" with two, "%@" a string, "%%" a
// percent sign. Numbers are always written in the C locale, whatever the
// user's locale, because the page is also the stored document. A double given
// for "%d" is truncated toward zero after clamping (NaN is 0), so a hostile
// value can never overflow.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <algorithm>
#include <initializer_list>
#include <type_traits>

class FmtArg {
public:
    enum class Kind { Int, Double, String };
    template <typename T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    FmtArg(T v) : m_kind(Kind::Int), m_int(clampInt(v)) {}
    FmtArg(bool v) : m_kind(Kind::Int), m_int(v ? 1 : 0) {}
    FmtArg(double v) : m_kind(Kind::Double), m_double(v) {}
    FmtArg(float v) : m_kind(Kind::Double), m_double(double(v)) {}
    FmtArg(const QString &v) : m_kind(Kind::String), m_string(&v) {}
    FmtArg(const char16_t *v) = delete; // pass a QString, so that the text outlives the call

    Kind kind() const { return m_kind; }
    int32_t asInt() const;
    double asDouble() const;
    void appendString(QString &out) const;
    qsizetype stringSize() const { return m_string ? m_string->size() : 0; }

private:
    template <typename T>
    static int32_t clampInt(T v)
    {
        if constexpr (sizeof(T) < sizeof(int32_t) || (sizeof(T) == sizeof(int32_t) && std::is_signed_v<T>))
            return int32_t(v);
        else
            return int32_t(std::clamp<long double>(static_cast<long double>(v), -2147483648.0L, 2147483647.0L));
    }
    Kind m_kind;
    int32_t m_int = 0;
    double m_double = 0.0;
    const QString *m_string = nullptr;
};

class Fmt {
public:
    Fmt() = delete;

    // Appends the filled template to out (the passes grow one text each, so
    // appending in place keeps a page linear in its size).
    static void append(QString &out, QStringView templ, std::initializer_list<FmtArg> args);
    static QString fill(QStringView templ, std::initializer_list<FmtArg> args);

    // Truncation toward zero to a whole pixel, clamped to the int32 range; NaN is 0.
    static int32_t trunc(double v);
    // "%f": six decimals, C locale; NaN and infinities are written as 0.000000.
    static QString f6(double v);
    static void appendF6(QString &out, double v);
    static QString d(int32_t v) { return QString::number(v); }
};
