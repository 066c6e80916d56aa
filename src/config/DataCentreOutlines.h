#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
#include <QPainterPath>
#include <QString>
#include <QStringList>

class DataCentreOutlines {
public:
    // The closed outline of a named shape ("star", "polygon6", "circle", ...)
    // in a 100 x 100 box, y growing downwards; callers scale it to their own
    // bounds. An unknown name gives an empty path.
    static QPainterPath grabShapeBezierPath(const QString &name);
    // Every known outline name, in table order.
    static QStringList shapeOutlineNames();
};
