#include "model/CanvasIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

void CanvasIcons::drawCheckMark(QPainter &painter, const QRectF &r)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.15, r.top() + r.height() * 0.55);
    tick.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.85);
    tick.lineTo(r.left() + r.width() * 0.88, r.top() + r.height() * 0.15);
    painter.strokePath(tick, QPen(QColor(0x22, 0x8B, 0x22), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.restore();
}

void CanvasIcons::drawArrow(QPainter &painter, const QRectF &r, bool forward)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(r, QColor(0, 0, 0, 153));
    const double tipX = forward ? r.left() + r.width() * 0.68 : r.left() + r.width() * 0.32;
    const double tailX = forward ? r.left() + r.width() * 0.38 : r.left() + r.width() * 0.62;
    QPainterPath chevron;
    chevron.moveTo(tailX, r.top() + r.height() * 0.3);
    chevron.lineTo(tipX, r.center().y());
    chevron.lineTo(tailX, r.top() + r.height() * 0.7);
    painter.strokePath(chevron, QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.restore();
}

void CanvasIcons::drawCaption(QPainter &painter, const QRectF &rect, const QString &text)
{
    if (rect.isEmpty())
        return;
    painter.save();
    painter.fillRect(rect, QColor(0, 0, 0, 128));
    QFont font(QStringLiteral("Heiti TC"));
    font.setPixelSize(std::max(8, int(std::min(15.0, rect.height() - 2))));
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 128));
    painter.drawText(rect, Qt::AlignCenter, text);
    painter.restore();
}
