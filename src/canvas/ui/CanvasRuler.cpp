#include "canvas/ui/CanvasRuler.h"

#include <QPainter>
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

void CanvasRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(palette().color(QPalette::WindowText));
    const bool horizontal = m_orientation == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    // Ticks at least 4 pixels apart, whatever the zoom.
    double step = 10;
    while (step * m_zoom < 4)
        step *= 10;
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    for (double v = std::floor(m_origin / step) * step; (v - m_origin) * m_zoom <= length; v += step) {
        const int at = int(std::lround((v - m_origin) * m_zoom));
        const bool major = std::fmod(std::fabs(v), step * 10) < 0.5;
        const int tick = major ? kThickness : kThickness / 4;
        if (horizontal) {
            p.drawLine(at, kThickness - tick, at, kThickness);
            if (major)
                p.drawText(at + 2, 10, QString::number(v, 'f', 0));
        } else {
            p.drawLine(kThickness - tick, at, kThickness, at);
            if (major)
                p.drawText(1, at + 10, QString::number(v, 'f', 0));
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
