#include "model/SKTLine.h"

#include "model/GraphicColours.h"
#include "model/GraphicPainter.h"
#include "model/LineGeometry.h"

#include <cmath>

std::unique_ptr<SKTGraphic> SKTLine::copy() const
{
    std::unique_ptr<SKTGraphic> c = SKTGraphic::copy();
    if (auto *line = dynamic_cast<SKTLine *>(c.get())) {
        line->m_pointsRight = m_pointsRight;
        line->m_pointsDown = m_pointsDown;
    }
    return c;
}

QPointF SKTLine::beginPoint() const
{
    return LineGeometry::beginPoint({bounds(), m_pointsRight, m_pointsDown});
}

QPointF SKTLine::endPoint() const
{
    return LineGeometry::endPoint({bounds(), m_pointsRight, m_pointsDown});
}

void SKTLine::place(const QPointF &begin, const QPointF &end)
{
    const QPointF oldBegin = beginPoint();
    const QPointF oldEnd = endPoint();
    const LineGeometry::Placement placement = LineGeometry::placementFor(begin, end);
    m_pointsRight = placement.pointsRight;
    m_pointsDown = placement.pointsDown;
    setBounds(placement.bounds);
    // The points are what undo restores: bounds alone lose the direction.
    if (beginPoint() != oldBegin)
        reportChange(QStringLiteral("beginPoint"), oldBegin);
    if (endPoint() != oldEnd)
        reportChange(QStringLiteral("endPoint"), oldEnd);
}

void SKTLine::setBeginPoint(const QPointF &point)
{
    place(point, endPoint());
}

void SKTLine::setEndPoint(const QPointF &point)
{
    place(beginPoint(), point);
}

QVariant SKTLine::value(const QString &key) const
{
    if (key == QLatin1String("beginPoint"))
        return beginPoint();
    if (key == QLatin1String("endPoint"))
        return endPoint();
    return SKTGraphic::value(key);
}

bool SKTLine::setValue(const QString &key, const QVariant &value)
{
    if ((key == QLatin1String("beginPoint") || key == QLatin1String("endPoint")) && value.canConvert<QPointF>()) {
        key == QLatin1String("beginPoint") ? setBeginPoint(value.toPointF()) : setEndPoint(value.toPointF());
        return true;
    }
    return SKTGraphic::setValue(key, value);
}

QStringList SKTLine::keysForValuesToObserveForUndo() const
{
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys.removeAll(QStringLiteral("bounds"));
    for (const QString &key : {QStringLiteral("beginPoint"), QStringLiteral("endPoint")})
        if (!keys.contains(key))
            keys.append(key);
    return keys;
}

void SKTLine::writeProperties(GraphicProperties &p)
{
    SKTGraphic::writeProperties(p);
    p.remove(QStringLiteral("bounds"));
    p.setPoint(QStringLiteral("beginPoint"), beginPoint());
    p.setPoint(QStringLiteral("endPoint"), endPoint());
    p.setIntString(QStringLiteral("drawBeginArrow"), drawBeginArrow() ? 1 : 0);
    p.setIntString(QStringLiteral("drawEndArrow"), drawEndArrow() ? 1 : 0);
}

void SKTLine::readProperties(const GraphicProperties &p)
{
    SKTGraphic::readProperties(p);
    const QPointF begin = p.isString(QStringLiteral("beginPoint")) ? p.point(QStringLiteral("beginPoint")) : QPointF();
    const QPointF end = p.isString(QStringLiteral("endPoint")) ? p.point(QStringLiteral("endPoint")) : QPointF();
    place(begin, end);
    setDrawBeginArrow(p.integer(QStringLiteral("drawBeginArrow"), 0) != 0);
    setDrawEndArrow(p.integer(QStringLiteral("drawEndArrow"), 0) != 0);
    normaliseWidth();
}

void SKTLine::normaliseWidth()
{
    if ((borderStyle() == QLatin1String("dashed") || borderStyle() == QLatin1String("dotted")) && borderWidth() == 0)
        settleBorderWidth(1);
}

QPainterPath SKTLine::bezierPathForDrawing(GraphicPainter &painter)
{
    const QPointF begin = beginPoint();
    const QPointF end = endPoint();
    QPointF start = begin;
    QPointF stop = end;
    if (drawBeginArrow())
        start = LineGeometry::arrowBasePoint(end, begin, borderWidth());
    if (drawEndArrow())
        stop = LineGeometry::arrowBasePoint(begin, end, borderWidth());
    QPainterPath path(start);
    path.lineTo(stop);
    normaliseWidth();
    const QColor colour = GraphicColours::border(*this);
    if (const auto pen = GraphicPainter::borderPen(borderStyle(), borderWidth(), colour)) {
        QPen linePen = *pen;
        linePen.setCapStyle(Qt::FlatCap);
        painter.strokePath(path, linePen);
    }
    path.closeSubpath();
    if (drawBeginArrow())
        painter.fillPath(LineGeometry::arrowPath(end, begin, borderWidth()), colour);
    if (drawEndArrow())
        painter.fillPath(LineGeometry::arrowPath(begin, end, borderWidth()), colour);
    return path;
}

void SKTLine::drawContents(GraphicPainter &painter, bool beingCreatedOrEdited)
{
    bezierPathForDrawing(painter);
    if (beingCreatedOrEdited)
        bezierPathForDrawing(painter);
}

void SKTLine::drawHandles(QPainter &painter)
{
    if (!showsHandles())
        return;
    drawHandle(painter, beginPoint());
    drawHandle(painter, endPoint());
}

int SKTLine::handleUnderPoint(const QPointF &point) const
{
    if (isHandleAtPoint(beginPoint(), point))
        return 1;
    if (isHandleAtPoint(endPoint(), point))
        return 2;
    return 0;
}

int SKTLine::resizeByMovingHandle(int handle, const QPointF &point)
{
    if (handle == 1)
        setBeginPoint(point);
    else if (handle == 2)
        setEndPoint(point);
    return handle;
}

bool SKTLine::isContentsUnderPoint(const QPointF &point)
{
    refreshSelectedColors();
    return LineGeometry::hitTest(beginPoint(), endPoint(), borderWidth(), point);
}

double SKTLine::degreesToRadians(double degrees)
{
    return degrees * M_PI / 180.0;
}

QStringList SKTLine::keyPathsForValuesAffectingDrawingContents() const
{
    return SKTGraphic::keyPathsForValuesAffectingDrawingContents()
        + QStringList { QStringLiteral("opacity"), QStringLiteral("borderWidth"), QStringLiteral("borderStyle"),
              QStringLiteral("borderHexColorString"), QStringLiteral("borderColor"), QStringLiteral("drawEndArrow"),
              QStringLiteral("drawBeginArrow") };
}
