#include "config/DataCentreOutlines.h"

#include "config/DataFiles.h"

#include <QHash>
#include <QPolygonF>
#include <algorithm>

namespace {

struct OutlineTable {
    QStringList names;
    QHash<QString, QPainterPath> paths;
};

QPainterPath buildOutline(const QString &kind, const QStringList &values)
{
    QPainterPath path;
    if (kind == QLatin1String("polygon")) {
        QPolygonF corners;
        for (const QString &pair : values) {
            const QStringList xy = pair.split(QLatin1Char(','));
            if (xy.size() == 2)
                corners << QPointF(xy[0].toDouble(), xy[1].toDouble());
        }
        if (!corners.isEmpty()) {
            path.moveTo(corners.first());
            for (qsizetype i = 1; i < corners.size(); ++i)
                path.lineTo(corners[i]);
            path.closeSubpath();
        }
    } else if ((kind == QLatin1String("rect") && values.size() == 4)
               || (kind == QLatin1String("roundrect") && values.size() == 6)) {
        const QRectF box(values[0].toDouble(), values[1].toDouble(), values[2].toDouble(), values[3].toDouble());
        if (kind == QLatin1String("rect")) {
            path.addRect(box);
        } else {
            const qreal rx = std::min(values[4].toDouble(), box.width() / 2);
            const qreal ry = std::min(values[5].toDouble(), box.height() / 2);
            path.addRoundedRect(box, rx, ry);
        }
    }
    return path;
}

const OutlineTable &outlines()
{
    static const OutlineTable table = [] {
        OutlineTable t;
        for (const QString &line : DataFiles::readDataLines(QStringLiteral("outlines.txt"))) {
            QStringList cells = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (cells.size() < 3 || t.paths.contains(cells[0]))
                continue;
            const QString name = cells.takeFirst();
            const QString kind = cells.takeFirst();
            t.names << name;
            t.paths.insert(name, buildOutline(kind, cells));
        }
        return t;
    }();
    return table;
}

} // namespace

QPainterPath DataCentreOutlines::grabShapeBezierPath(const QString &name)
{
    // QPainterPath is a value: the caller's changes never reach the table.
    return outlines().paths.value(name);
}

QStringList DataCentreOutlines::shapeOutlineNames()
{
    return outlines().names;
}
