#include "document/Fmt.h"

#include <cmath>
#include <cstdio>
#include <limits>

int32_t Fmt::trunc(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(v); // truncates toward zero
}

void Fmt::appendF6(QString &out, double v)
{
    if (!std::isfinite(v))
        v = 0.0;
    // snprintf under a comma locale would write a comma; QString::number is
    // always the C locale.
    out += QString::number(v, 'f', 6);
}

QString Fmt::f6(double v)
{
    QString s;
    appendF6(s, v);
    return s;
}

int32_t FmtArg::asInt() const
{
    switch (m_kind) {
    case Kind::Int:
        return m_int;
    case Kind::Double:
        return Fmt::trunc(m_double);
    case Kind::String:
        return m_string ? m_string->toInt() : 0;
    }
    return 0;
}

double FmtArg::asDouble() const
{
    switch (m_kind) {
    case Kind::Int:
        return double(m_int);
    case Kind::Double:
        return m_double;
    case Kind::String:
        return m_string ? m_string->toDouble() : 0.0;
    }
    return 0.0;
}

void FmtArg::appendString(QString &out) const
{
    switch (m_kind) {
    case Kind::Int:
        out += QString::number(m_int);
        break;
    case Kind::Double:
        Fmt::appendF6(out, m_double);
        break;
    case Kind::String:
        if (m_string)
            out += *m_string;
        break;
    }
}

void Fmt::append(QString &out, QStringView templ, std::initializer_list<FmtArg> args)
{
    const FmtArg *arg = args.begin();
    const FmtArg *end = args.end();
    const qsizetype n = templ.size();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (templ[i] != u'%' || i + 1 >= n)
            continue;
        const QChar next = templ[i + 1];
        qsizetype consumed = 0;
        if (next == u'%') {
            out += templ.mid(runStart, i - runStart);
            out += u'%';
            consumed = 2;
        } else if (next == u'd' || next == u'f' || next == u'@') {
            out += templ.mid(runStart, i - runStart);
            if (arg != end) {
                if (next == u'd')
                    out += QString::number(arg->asInt());
                else if (next == u'f')
                    appendF6(out, arg->asDouble());
                else
                    arg->appendString(out);
                ++arg;
            }
            consumed = 2;
        } else if (templ.mid(i, 5) == u"%.02f" || templ.mid(i, 4) == u"%.2f") {
            const qsizetype len = templ.mid(i, 5) == u"%.02f" ? 5 : 4;
            out += templ.mid(runStart, i - runStart);
            if (arg != end) {
                double v = arg->asDouble();
                if (!std::isfinite(v))
                    v = 0.0;
                out += QString::number(v, 'f', 2);
                ++arg;
            }
            consumed = len;
        }
        if (consumed) {
            i += consumed - 1;
            runStart = i + 1;
        }
    }
    out += templ.mid(runStart);
    Q_ASSERT_X(arg == end, "Fmt::append", "more arguments than placeholders");
}

QString Fmt::fill(QStringView templ, std::initializer_list<FmtArg> args)
{
    // Reserve for the whole result: page-sized pieces are copied once, not
    // again at each growth of the text.
    qsizetype size = templ.size();
    for (const FmtArg &arg : args)
        size += arg.kind() == FmtArg::Kind::String ? arg.stringSize() : 16;
    QString out;
    out.reserve(size);
    append(out, templ, args);
    return out;
}
