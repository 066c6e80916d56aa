#include "document/PageRule.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// A value as the generators write it, less its dressing: quotes around it, a
// "px" unit after a number, the "#" before a colour.
QString cleanValue(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    if (value.startsWith(QLatin1Char('#')))
        value.remove(0, 1);
    if (value.endsWith(QLatin1String("px")) && value.size() > 2) {
        const QChar last = value.at(value.size() - 3);
        if (last.isDigit() || last == QLatin1Char('.'))
            value.chop(2);
    }
    return value;
}

} // namespace

PageRule::PageRule(const QString &ruleText) : m_text(ruleText)
{
    // Declarations end at ";", "{" and "}" outside quotes; the text before the
    // first "{" is the selector.
    bool inQuotes = false;
    bool seenBrace = false;
    qsizetype start = 0;
    const qsizetype n = ruleText.size();
    auto take = [&](qsizetype end) {
        const QStringView piece = QStringView(ruleText).mid(start, end - start);
        if (!seenBrace) {
            m_selector = piece.trimmed().toString();
            return;
        }
        qsizetype colon = -1;
        bool quoted = false;
        for (qsizetype i = 0; i < piece.size(); ++i) {
            if (piece[i] == QLatin1Char('"'))
                quoted = !quoted;
            else if (piece[i] == QLatin1Char(':') && !quoted) {
                colon = i;
                break;
            }
        }
        if (colon < 0)
            return; // a bare word is no declaration
        const QString name = piece.left(colon).trimmed().toString();
        if (name.isEmpty() || m_values.contains(name))
            return;
        m_values.insert(name, cleanValue(piece.mid(colon + 1).toString()));
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = ruleText.at(i);
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            continue;
        }
        if (inQuotes)
            continue;
        if (c == QLatin1Char(';') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            take(i);
            if (c == QLatin1Char('{'))
                seenBrace = true;
            start = i + 1;
        }
    }
    if (start < n)
        take(n);
}

bool PageRule::has(const QString &key) const
{
    return m_values.contains(key);
}

bool PageRule::has(std::initializer_list<QString> keys) const
{
    for (const QString &key : keys)
        if (m_values.contains(key))
            return true;
    return false;
}

QString PageRule::value(std::initializer_list<QString> keys) const
{
    for (const QString &key : keys) {
        auto it = m_values.constFind(key);
        if (it != m_values.constEnd())
            return *it;
    }
    return QString();
}

QString PageRule::string(const QString &key, const QString &fallback) const
{
    auto it = m_values.constFind(key);
    return it == m_values.constEnd() ? fallback : *it;
}

QString PageRule::string(std::initializer_list<QString> keys, const QString &fallback) const
{
    return has(keys) ? value(keys) : fallback;
}

int32_t PageRule::integer(const QString &key, int32_t fallback, double low, double high) const
{
    auto it = m_values.constFind(key);
    return it == m_values.constEnd() ? fallback : clampToInt(leadingNumber(*it), low, high);
}

int32_t PageRule::integer(std::initializer_list<QString> keys, int32_t fallback, double low, double high) const
{
    return has(keys) ? clampToInt(leadingNumber(value(keys)), low, high) : fallback;
}

int32_t PageRule::wholeNumber(const QString &key, int32_t fallback) const
{
    auto it = m_values.constFind(key);
    if (it == m_values.constEnd())
        return fallback;
    const QString text = it->trimmed();
    qsizetype i = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (i == text.size() || text.size() - i > 10)
        return fallback;
    for (qsizetype j = i; j < text.size(); ++j)
        if (text.at(j) < QLatin1Char('0') || text.at(j) > QLatin1Char('9'))
            return fallback;
    const qint64 value = text.toLongLong();
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return fallback;
    return int32_t(value);
}

float PageRule::number(const QString &key, float fallback, double low, double high) const
{
    auto it = m_values.constFind(key);
    if (it == m_values.constEnd())
        return fallback;
    return float(std::clamp(leadingNumber(*it), low, high));
}

float PageRule::number(std::initializer_list<QString> keys, float fallback, double low, double high) const
{
    if (!has(keys))
        return fallback;
    return float(std::clamp(leadingNumber(value(keys)), low, high));
}

int32_t PageRule::truncated(const QString &key, int32_t fallback, double low, double high) const
{
    return integer(key, fallback, low, high);
}

QString PageRule::requiredString(const QString &key) const
{
    auto it = m_values.constFind(key);
    if (it == m_values.constEnd())
        throw ReadError(QStringLiteral("The rule %1 has no \"%2\".").arg(m_selector.left(40), key));
    return *it;
}

int32_t PageRule::requiredInteger(const QString &key, double low, double high) const
{
    return clampToInt(leadingNumber(requiredString(key)), low, high);
}

double PageRule::leadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    // Gather the number's characters (ASCII only) and let from_chars, which
    // ignores the locale, read them.
    QByteArray digits;
    qsizetype j = i;
    if (j < n && (text.at(j) == QLatin1Char('-') || text.at(j) == QLatin1Char('+')))
        ++j;
    bool any = false;
    while (j < n && text.at(j).isDigit() && text.at(j).unicode() < 128) {
        ++j;
        any = true;
    }
    if (j < n && text.at(j) == QLatin1Char('.')) {
        ++j;
        while (j < n && text.at(j).unicode() < 128 && text.at(j).isDigit()) {
            ++j;
            any = true;
        }
    }
    if (!any)
        return 0.0;
    if (j < n && (text.at(j) == QLatin1Char('e') || text.at(j) == QLatin1Char('E'))) {
        qsizetype k = j + 1;
        if (k < n && (text.at(k) == QLatin1Char('-') || text.at(k) == QLatin1Char('+')))
            ++k;
        if (k < n && text.at(k).unicode() < 128 && text.at(k).isDigit()) {
            while (k < n && text.at(k).unicode() < 128 && text.at(k).isDigit())
                ++k;
            j = k;
        }
    }
    digits = text.mid(i, j - i).toLatin1();
    const char *first = digits.constData();
    if (*first == '+')
        ++first;
    double result = 0.0;
    const auto [ptr, ec] = std::from_chars(first, digits.constData() + digits.size(), result);
    Q_UNUSED(ptr);
    if (ec == std::errc::result_out_of_range) {
        // Too large either way: as far as it goes; too small: zero.
        const bool negative = digits.startsWith('-');
        const bool tiny = digits.contains("e-") || digits.contains("E-");
        return tiny ? 0.0 : (negative ? -1e308 : 1e308);
    }
    if (ec != std::errc() || !std::isfinite(result))
        return 0.0;
    return result;
}

int32_t PageRule::clampToInt(double value, double low, double high)
{
    if (!std::isfinite(value))
        return 0;
    return int32_t(std::trunc(std::clamp(value, low, high)));
}
