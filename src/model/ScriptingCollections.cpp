#include "model/ScriptingCollections.h"

#include "model/SKTGraphic.h"

#include <cstring>

QList<SKTGraphic *> ScriptingCollections::ofClass(const QList<SKTGraphic *> &graphics, const QString &className)
{
    QList<SKTGraphic *> result;
    for (SKTGraphic *graphic : graphics)
        if (graphic && graphic->className() == className)
            result.append(graphic);
    return result;
}

QList<SKTGraphic *> ScriptingCollections::rectangles(const QList<SKTGraphic *> &g)
{
    return ofClass(g, QStringLiteral("SKTRectangle"));
}

QList<SKTGraphic *> ScriptingCollections::circles(const QList<SKTGraphic *> &g)
{
    return ofClass(g, QStringLiteral("SKTCircle"));
}

QList<SKTGraphic *> ScriptingCollections::lines(const QList<SKTGraphic *> &g)
{
    return ofClass(g, QStringLiteral("SKTLine"));
}

QList<SKTGraphic *> ScriptingCollections::textAreas(const QList<SKTGraphic *> &g)
{
    return ofClass(g, QStringLiteral("SKTText"));
}

QList<SKTGraphic *> ScriptingCollections::images(const QList<SKTGraphic *> &g)
{
    return ofClass(g, QStringLiteral("SKTImage"));
}

SKTGraphic *ScriptingCollections::at(const QList<SKTGraphic *> &collection, qsizetype index)
{
    return index >= 0 && index < collection.size() ? collection.at(index) : nullptr;
}

QByteArray ScriptingCollections::rgbDescriptor(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    const quint16 values[3] = {quint16(rgb.redF() * 65535.0), quint16(rgb.greenF() * 65535.0),
                               quint16(rgb.blueF() * 65535.0)};
    return QByteArray(reinterpret_cast<const char *>(values), sizeof(values));
}

std::optional<QColor> ScriptingCollections::colourFromRgbDescriptor(const QByteArray &descriptor)
{
    if (descriptor.size() != 6)
        return std::nullopt;
    quint16 values[3];
    std::memcpy(values, descriptor.constData(), sizeof(values));
    return QColor::fromRgbF(float(values[0] / 65535.0), float(values[1] / 65535.0), float(values[2] / 65535.0), 1.0f);
}
