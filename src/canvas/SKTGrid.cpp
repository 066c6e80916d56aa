#include "canvas/SKTGrid.h"

#include "config/EditionSettings.h"
#include "platform/UserDefaults.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {
const QString kSpacingKey = QStringLiteral("gridSpacing");
const QString kShownKey = QStringLiteral("drawGridFlag");
const QString kSnapKey = QStringLiteral("snapGridFlag");

double snap(double v, double s)
{
    return std::floor(v / s + 0.5) * s;
}
} // namespace

SKTGrid::SKTGrid(QObject *parent) : QObject(parent)
{
    UserDefaults &defaults = UserDefaults::standard();
    const double stored = defaults.floatForKey(kSpacingKey);
    m_spacing = stored > 0 && std::isfinite(stored) ? stored : 9.0;
    m_isAlwaysShown = defaults.boolForKey(kShownKey);
    m_isConstraining = defaults.boolForKey(kSnapKey);
    if (gFormFieldSizing) {
        m_isAlwaysShown = true;
        m_isConstraining = true;
        m_spacing = gFormFieldSize;
    }
    m_hidingTimer.setSingleShot(true);
    connect(&m_hidingTimer, &QTimer::timeout, this, &SKTGrid::stopShowingGridForTimer);
}

void SKTGrid::setSpacing(double spacing)
{
    if (!std::isfinite(spacing))
        return;
    UserDefaults::standard().setFloat(float(spacing), kSpacingKey);
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    // A running timer restarts: the grid stays one second after the last change.
    if (spacing > 0 && !m_isAlwaysShown)
        m_hidingTimer.start(kShowAfterChangeMs);
    emit changed();
}

void SKTGrid::setAlwaysShown(bool on)
{
    UserDefaults::standard().setBool(on, kShownKey);
    if (on == m_isAlwaysShown)
        return;
    m_isAlwaysShown = on;
    m_hidingTimer.stop();
    emit changed();
}

void SKTGrid::setConstraining(bool on)
{
    UserDefaults::standard().setBool(on, kSnapKey);
    if (on == m_isConstraining)
        return;
    m_isConstraining = on;
    emit changed();
}

void SKTGrid::stopShowingGridForTimer()
{
    emit changed();
}

QPointF SKTGrid::constrainedPoint(const QPointF &point) const
{
    if (!isUsable() || !m_isConstraining)
        return point;
    return QPointF(snap(point.x(), m_spacing), snap(point.y(), m_spacing));
}

QRectF SKTGrid::alignedRect(const QRectF &rect) const
{
    if (!isUsable())
        return rect;
    const double x = snap(rect.x(), m_spacing), y = snap(rect.y(), m_spacing);
    const double right = snap(rect.x() + rect.width(), m_spacing);
    const double bottom = snap(rect.y() + rect.height(), m_spacing);
    return QRectF(x, y, right - x, bottom - y);
}

void SKTGrid::drawRect(QPainter &painter, const QRectF &rect, double devicePixelsPerPoint) const
{
    if (!isShowing() || !rect.isValid())
        return;
    const double s = m_spacing;
    if (!(s * devicePixelsPerPoint >= 2.0))
        return;
    QPainterPath path;
    for (double i = std::ceil(rect.left() / s); i <= std::floor(rect.right() / s); ++i) {
        path.moveTo(i * s, rect.top());
        path.lineTo(i * s, rect.bottom());
    }
    for (double j = std::ceil(rect.top() / s); j <= std::floor(rect.bottom() / s); ++j) {
        path.moveTo(rect.left(), j * s);
        path.lineTo(rect.right(), j * s);
    }
    painter.save();
    QPen pen(m_color, 0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}
