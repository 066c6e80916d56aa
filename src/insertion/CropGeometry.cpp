#include "insertion/CropGeometry.h"

#include <algorithm>
#include <cmath>

CropGeometry::CropGeometry(const QSize &pictureSize)
    : m_size(std::max(1, pictureSize.width()), std::max(1, pictureSize.height())), m_rect(QPoint(0, 0), m_size)
{
}

void CropGeometry::setRect(const QRect &rect)
{
    const int left = std::clamp(rect.left(), 0, m_size.width() - 1);
    const int top = std::clamp(rect.top(), 0, m_size.height() - 1);
    const int right = std::clamp(rect.left() + rect.width(), left + 1, m_size.width());
    const int bottom = std::clamp(rect.top() + rect.height(), top + 1, m_size.height());
    m_rect = QRect(left, top, right - left, bottom - top);
}

CropGeometry::Handle CropGeometry::handleAt(const QPointF &p, double tolerance) const
{
    const double l = m_rect.left(), t = m_rect.top();
    const double r = l + m_rect.width(), b = t + m_rect.height();
    const bool nearL = std::abs(p.x() - l) <= tolerance, nearR = std::abs(p.x() - r) <= tolerance;
    const bool nearT = std::abs(p.y() - t) <= tolerance, nearB = std::abs(p.y() - b) <= tolerance;
    const bool withinX = p.x() >= l - tolerance && p.x() <= r + tolerance;
    const bool withinY = p.y() >= t - tolerance && p.y() <= b + tolerance;
    if (nearL && nearT)
        return Handle::TopLeft;
    if (nearR && nearT)
        return Handle::TopRight;
    if (nearR && nearB)
        return Handle::BottomRight;
    if (nearL && nearB)
        return Handle::BottomLeft;
    if (nearT && withinX)
        return Handle::Top;
    if (nearB && withinX)
        return Handle::Bottom;
    if (nearL && withinY)
        return Handle::Left;
    if (nearR && withinY)
        return Handle::Right;
    if (p.x() > l && p.x() < r && p.y() > t && p.y() < b)
        return Handle::Inside;
    return Handle::None;
}

void CropGeometry::drag(Handle handle, const QRect &start, const QPointF &delta)
{
    const int dx = int(std::lround(delta.x())), dy = int(std::lround(delta.y()));
    int l = start.left(), t = start.top();
    int r = l + start.width(), b = t + start.height();
    switch (handle) {
    case Handle::None:
        return;
    case Handle::Inside: {
        // The whole rectangle moves, its size kept, and stops at the edges.
        const int x = std::clamp(l + dx, 0, m_size.width() - start.width());
        const int y = std::clamp(t + dy, 0, m_size.height() - start.height());
        m_rect = QRect(x, y, start.width(), start.height());
        return;
    }
    case Handle::TopLeft: l += dx; t += dy; break;
    case Handle::Top: t += dy; break;
    case Handle::TopRight: r += dx; t += dy; break;
    case Handle::Right: r += dx; break;
    case Handle::BottomRight: r += dx; b += dy; break;
    case Handle::Bottom: b += dy; break;
    case Handle::BottomLeft: l += dx; b += dy; break;
    case Handle::Left: l += dx; break;
    }
    // An edge stops one pixel before the opposite one.
    l = std::clamp(l, 0, start.left() + start.width() - 1);
    t = std::clamp(t, 0, start.top() + start.height() - 1);
    r = std::clamp(r, l + 1, m_size.width());
    b = std::clamp(b, t + 1, m_size.height());
    m_rect = QRect(l, t, r - l, b - t);
}

QImage CropGeometry::crop(const QImage &picture) const
{
    return picture.copy(m_rect.intersected(picture.rect()));
}
