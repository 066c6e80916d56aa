#include "model/Geometry.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

bool Geometry::isEmpty(const QRectF &r)
{
    return !(r.width() > 0.0) || !(r.height() > 0.0);
}

bool Geometry::pointInRect(const QPointF &p, const QRectF &r)
{
    return p.x() >= r.left() && p.x() < r.left() + r.width()
        && p.y() >= r.top() && p.y() < r.top() + r.height();
}

QRectF Geometry::unionRect(const QRectF &a, const QRectF &b)
{
    const bool ea = isEmpty(a);
    const bool eb = isEmpty(b);
    if (ea && eb)
        return QRectF();
    if (ea)
        return b;
    if (eb)
        return a;
    const double x0 = std::min(a.left(), b.left());
    const double y0 = std::min(a.top(), b.top());
    const double x1 = std::max(a.left() + a.width(), b.left() + b.width());
    const double y1 = std::max(a.top() + a.height(), b.top() + b.height());
    return QRectF(x0, y0, x1 - x0, y1 - y0);
}

bool Geometry::containsRect(const QRectF &outer, const QRectF &inner)
{
    if (isEmpty(inner))
        return false;
    return outer.left() <= inner.left() && outer.top() <= inner.top()
        && inner.left() + inner.width() <= outer.left() + outer.width()
        && inner.top() + inner.height() <= outer.top() + outer.height();
}

bool Geometry::intersects(const QRectF &a, const QRectF &b)
{
    return !isEmpty(intersection(a, b));
}

QRectF Geometry::intersection(const QRectF &a, const QRectF &b)
{
    const double x0 = std::max(a.left(), b.left());
    const double y0 = std::max(a.top(), b.top());
    const double x1 = std::min(a.left() + a.width(), b.left() + b.width());
    const double y1 = std::min(a.top() + a.height(), b.top() + b.height());
    if (x1 <= x0 || y1 <= y0)
        return QRectF();
    return QRectF(x0, y0, x1 - x0, y1 - y0);
}

QRectF Geometry::inset(const QRectF &r, double dx, double dy)
{
    return QRectF(r.x() + dx, r.y() + dy, r.width() - 2 * dx, r.height() - 2 * dy);
}

namespace {
QString num(double v)
{
    // 'g' with 17 digits is exact but noisy; shortest round-trip form instead.
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QList<double> numbersIn(const QString &s)
{
    static const QRegularExpression re(QStringLiteral("[-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?"));
    QList<double> out;
    auto it = re.globalMatch(s);
    while (it.hasNext()) {
        bool ok = false;
        const double v = it.next().captured(0).toDouble(&ok);
        out.append(ok && std::isfinite(v) ? v : 0.0);
    }
    return out;
}
} // namespace

QString Geometry::rectToString(const QRectF &r)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}").arg(num(r.x()), num(r.y()), num(r.width()), num(r.height()));
}

QString Geometry::pointToString(const QPointF &p)
{
    return QStringLiteral("{%1, %2}").arg(num(p.x()), num(p.y()));
}

QRectF Geometry::rectFromString(const QString &s)
{
    const QList<double> n = numbersIn(s);
    if (n.size() < 4)
        return QRectF();
    return QRectF(n[0], n[1], n[2], n[3]);
}

QPointF Geometry::pointFromString(const QString &s)
{
    const QList<double> n = numbersIn(s);
    if (n.size() < 2)
        return QPointF();
    return QPointF(n[0], n[1]);
}

int32_t Geometry::clampToInt(double v)
{
    if (std::isnan(v))
        return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (v <= lo)
        return std::numeric_limits<int32_t>::min();
    if (v >= hi)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

int32_t Geometry::saturate(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

float Geometry::clampToFloat(double v)
{
    if (std::isnan(v))
        return 0.0f;
    constexpr double hi = std::numeric_limits<float>::max();
    return float(std::clamp(v, -hi, hi));
}
