#include "document/MarkerValue.h"

#include <initializer_list>

namespace {

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == 0x85 || u == 0x2028 || u == 0x2029 || u == 0x0B || u == 0x0C;
}

// Removes every occurrence of the sequences, again and again, since removing
// one may join the pieces of another ("--->>" holds "-->" twice).
void removeAll(QString &text, std::initializer_list<QLatin1String> sequences)
{
    bool changed = true;
    while (changed) {
        changed = false;
        for (const QLatin1String &s : sequences) {
            if (text.contains(s)) {
                text.remove(s);
                changed = true;
            }
        }
    }
}

} // namespace

QString MarkerValue::clean(const QString &value, bool inPhp)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value)
        if (!isLineBreak(c))
            out += c;
    if (inPhp)
        removeAll(out, {QLatin1String("-->"), QLatin1String("?>"), QLatin1String("<?")});
    else
        removeAll(out, {QLatin1String("-->")});
    return out;
}
