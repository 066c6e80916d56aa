#pragma once
// The document's scripting collections (rectangles, circles, lines, text
// areas, images) over its list of graphics, and the 16-bit RGB form in which
// scripting passes colours. The document exposes them; nothing here keeps state.
#include <QByteArray>
#include <QColor>
#include <QList>
#include <optional>

class SKTGraphic;

class ScriptingCollections {
public:
    static QList<SKTGraphic *> rectangles(const QList<SKTGraphic *> &graphics);
    static QList<SKTGraphic *> circles(const QList<SKTGraphic *> &graphics);
    static QList<SKTGraphic *> lines(const QList<SKTGraphic *> &graphics);
    static QList<SKTGraphic *> textAreas(const QList<SKTGraphic *> &graphics);
    static QList<SKTGraphic *> images(const QList<SKTGraphic *> &graphics);
    // The graphic at an index of one collection; null out of range.
    static SKTGraphic *at(const QList<SKTGraphic *> &collection, qsizetype index);

    // Three unsigned 16-bit values (red, green, blue) in the machine's byte order.
    static QByteArray rgbDescriptor(const QColor &colour);
    // The colour of a 6-byte descriptor, alpha 1; nothing for any other length.
    static std::optional<QColor> colourFromRgbDescriptor(const QByteArray &descriptor);

private:
    static QList<SKTGraphic *> ofClass(const QList<SKTGraphic *> &graphics, const QString &className);
};
