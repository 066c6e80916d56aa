#include "canvas/ui/CanvasRuler.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

CanvasRuler::CanvasRuler(Qt::Orientation orientation, QWidget *parent) : QWidget(parent), m_orientation(orientation)
{
    if (orientation == Qt::Horizontal)
        setFixedHeight(kThickness);
    else
        setFixedWidth(kThickness);
}

void CanvasRuler::setZoom(double zoom)
{
    if (zoom > 0 && std::isfinite(zoom)) {
        m_zoom = zoom;
        update();
    }
}

void CanvasRuler::setOrigin(double origin)
{
    m_origin = origin;
    update();
}

void CanvasRuler::setEcho(const QRectF &rect)
{
    m_echo = rect;
    update();
}

QList<double> CanvasRuler::echoLines() const
{
    if (m_echo.isNull())
        return {};
    if (m_orientation == Qt::Horizontal)
        return {m_echo.left(), m_echo.left() + m_echo.width() * 0.5, m_echo.right()};
    return {m_echo.top(), m_echo.top() + m_echo.height() * 0.5, m_echo.bottom()};
}

namespace {
// Numbers stand at least this many pixels apart, marks at least this many.
constexpr double kNumberGap = 40.0;
constexpr double kMarkGap = 5.0;
constexpr int kMarkLevels = 4;
} // namespace

void CanvasRuler::setUnitName(const QString &name)
{
    m_unitName = RulerUnits::unit(name) ? name : QStringLiteral("Points");
    setToolTip(m_unitName);
    update();
}

RulerUnit CanvasRuler::unit() const
{
    if (const auto found = RulerUnits::unit(m_unitName))
        return *found;
    return {QStringLiteral("Points"), QStringLiteral("pt"), 1.0, {10.0}, {0.5, 0.2}};
}

QList<RulerMark> CanvasRuler::marks() const
{
    return marks(unit(), m_origin, m_zoom, m_orientation == Qt::Horizontal ? width() : height());
}

QList<RulerMark> CanvasRuler::marks(const RulerUnit &unit, double origin, double zoom, int length)
{
    QList<RulerMark> out;
    const double perUnit = unit.pixelsPerUnit * zoom;  // screen pixels per unit
    if (!std::isfinite(perUnit) || perUnit <= 0.0 || !std::isfinite(origin) || length <= 0)
        return out;
    // Numbered marks: whole units, stepped up through the unit's cycle
    // (factors above 1 only) until they stand apart.
    double numbered = 1.0;
    for (int i = 0; numbered * perUnit < kNumberGap && i < 200; ++i) {
        const double f = unit.stepUpCycle.isEmpty() ? 10.0 : unit.stepUpCycle.at(i % unit.stepUpCycle.size());
        numbered *= (std::isfinite(f) && f > 1.0) ? f : 10.0;
    }
    // Finer marks: stepped down through the unit's cycle while they stay apart.
    QList<double> steps{numbered};
    for (int i = 0; steps.size() < kMarkLevels && !unit.stepDownCycle.isEmpty(); ++i) {
        const double f = unit.stepDownCycle.at(i % unit.stepDownCycle.size());
        if (!(f > 0.0 && f < 1.0) || steps.last() * f * perUnit < kMarkGap)
            break;
        steps << steps.last() * f;
    }
    const double finest = steps.last();
    const double originUnits = origin / unit.pixelsPerUnit;
    // Marks stand kMarkGap apart, so a ruler holds at most this many; the
    // count also ends the walk where k is too large to step by one.
    const int most = int(length / kMarkGap) + 2;
    double k = std::ceil(originUnits / finest - 1e-9);
    for (int n = 0; n < most; ++n, k += 1.0) {
        const double v = k * finest;
        const double at = (v - originUnits) * perUnit;
        if (at > length)
            break;
        RulerMark mark;
        mark.at = int(std::lround(at));
        mark.level = int(steps.size()) - 1;
        for (int l = 0; l < steps.size(); ++l) {
            const double q = v / steps.at(l);
            if (std::fabs(q - std::round(q)) < 1e-6) {
                mark.level = l;
                break;
            }
        }
        if (mark.level == 0)
            mark.label = QString::number(std::fabs(v) < finest * 1e-6 ? 0.0 : v, 'g', 10);
        out << mark;
    }
    return out;
}

void CanvasRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(palette().color(QPalette::WindowText));
    const bool horizontal = m_orientation == Qt::Horizontal;
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    static constexpr int kLengths[kMarkLevels] = {kThickness, kThickness / 2, kThickness / 3, kThickness / 4};
    for (const RulerMark &mark : marks()) {
        const int tick = kLengths[std::clamp(mark.level, 0, kMarkLevels - 1)];
        if (horizontal) {
            p.drawLine(mark.at, kThickness - tick, mark.at, kThickness);
            if (!mark.label.isEmpty())
                p.drawText(mark.at + 2, 10, mark.label);
        } else {
            p.drawLine(kThickness - tick, mark.at, kThickness, mark.at);
            if (!mark.label.isEmpty()) {
                // Numbers run down the narrow ruler, so "30000" shows whole
                // instead of being cut to the ruler's width.
                p.save();
                p.translate(2, mark.at + 2);
                p.rotate(90);
                p.drawText(0, 0, mark.label);
                p.restore();
            }
        }
    }
    p.setPen(QPen(QColor(0, 90, 200), 1));
    for (double v : echoLines()) {
        const int at = int(std::lround((v - m_origin) * m_zoom));
        if (horizontal)
            p.drawLine(at, 0, at, kThickness);
        else
            p.drawLine(0, at, kThickness, at);
    }
}
