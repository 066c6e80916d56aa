#pragma once
// Base of the element carriers: plain data records that hold one page
// element's attributes between the page reader, the insertion operations and
// page generation (text, image, line, table grid, gallery grid, slideshow).
// A carrier turns into a GraphicProperties map and back without loss, which
// is how composite graphics keep their cells and slides in their properties
// and on the clipboard.
#include "model/Geometry.h"
#include "model/GraphicProperties.h"
#include "model/LazyPicture.h"

#include <QDateTime>
#include <QImage>
#include <QRectF>
#include <QString>
#include <memory>

class ElementCarrier {
public:
    ElementCarrier() = default;
    // A carrier of an element at that rectangle, every other field at its start value.
    explicit ElementCarrier(const QRectF &frameRect) : frame(frameRect) {}
    virtual ~ElementCarrier() = default;

    // The carrier's class name, stored under "carrierClass" in its map.
    virtual QString carrierClassName() const = 0;
    virtual GraphicProperties toProperties() const;
    // Rebuilds a carrier of the class named in the map; null for anything else.
    static std::shared_ptr<ElementCarrier> fromProperties(const GraphicProperties &properties);

    QRectF frame; // the element's rectangle on the page

protected:
    virtual void writeFields(GraphicProperties &properties) const = 0;
    virtual void readFields(const GraphicProperties &properties) = 0;

public:
    // Typed field access for the carriers' field tables. A null string, an
    // invalid colour or date and a null image are left out of the map, so
    // they come back null.
    static void put(GraphicProperties &p, const QString &key, int32_t v) { p.set(key, int(v)); }
    static void put(GraphicProperties &p, const QString &key, bool v) { p.setFlag(key, v); }
    static void put(GraphicProperties &p, const QString &key, float v) { p.setNumber(key, double(v)); }
    static void put(GraphicProperties &p, const QString &key, double v) { p.setNumber(key, v); }
    static void put(GraphicProperties &p, const QString &key, const QString &v);
    static void put(GraphicProperties &p, const QString &key, const QColor &v);
    static void put(GraphicProperties &p, const QString &key, const QRectF &v) { p.setRect(key, v); }
    static void put(GraphicProperties &p, const QString &key, const QPointF &v) { p.setPoint(key, v); }
    static void put(GraphicProperties &p, const QString &key, const QDateTime &v);
    static void put(GraphicProperties &p, const QString &key, const QImage &v);
    static void put(GraphicProperties &p, const QString &key, const LazyPicture &v) { v.write(p, key); }
    static void get(const GraphicProperties &p, const QString &key, int32_t &v) { v = p.integer(key, v); }
    static void get(const GraphicProperties &p, const QString &key, bool &v) { v = p.flag(key, v); }
    static void get(const GraphicProperties &p, const QString &key, float &v) { v = Geometry::clampToFloat(p.number(key, double(v))); }
    static void get(const GraphicProperties &p, const QString &key, double &v) { v = p.number(key, v); }
    static void get(const GraphicProperties &p, const QString &key, QString &v);
    static void get(const GraphicProperties &p, const QString &key, QColor &v);
    static void get(const GraphicProperties &p, const QString &key, QRectF &v);
    static void get(const GraphicProperties &p, const QString &key, QPointF &v);
    static void get(const GraphicProperties &p, const QString &key, QDateTime &v);
    static void get(const GraphicProperties &p, const QString &key, QImage &v);
    static void get(const GraphicProperties &p, const QString &key, LazyPicture &v) { v.read(p, key); }
};

// Field groups several carriers share: padding and margin amounts with their
// units, their named levels, and the common fields of grid containers.
#define ZOV_CARRIER_BOX_FIELDS(X) \
    X(int32_t, topPadding, 0) \
    X(int32_t, bottomPadding, 0) \
    X(int32_t, leftPadding, 0) \
    X(int32_t, rightPadding, 0) \
    X(int32_t, topMargin, 0) \
    X(int32_t, bottomMargin, 0) \
    X(int32_t, leftMargin, 0) \
    X(int32_t, rightMargin, 0) \
    X(QString, topPaddingType, QString()) \
    X(QString, bottomPaddingType, QString()) \
    X(QString, leftPaddingType, QString()) \
    X(QString, rightPaddingType, QString()) \
    X(QString, topMarginType, QString()) \
    X(QString, bottomMarginType, QString()) \
    X(QString, leftMarginType, QString()) \
    X(QString, rightMarginType, QString())
#define ZOV_CARRIER_BOX_LEVELS(X) \
    X(QString, topPaddingLevelString, QString()) \
    X(QString, bottomPaddingLevelString, QString()) \
    X(QString, leftPaddingLevelString, QString()) \
    X(QString, rightPaddingLevelString, QString()) \
    X(QString, topMarginLevelString, QString()) \
    X(QString, bottomMarginLevelString, QString()) \
    X(QString, leftMarginLevelString, QString()) \
    X(QString, rightMarginLevelString, QString())
#define ZOV_CARRIER_GRID_FIELDS(X) \
    X(int32_t, shadowFlag, 0) \
    X(int32_t, backdropLightingFlag, 0) \
    X(int32_t, groupNumber, 0) \
    X(int32_t, moveLock, 0) \
    X(int32_t, scrollFlag, 0) \
    X(int32_t, manualLayerIndex, 0)

// Shadow, rotation, responsive and section placement of texts and images.
#define ZOV_CARRIER_PLACEMENT_FIELDS(X) \
    X(float, shadowRadius, 0.0f) \
    X(float, shadowHorizontalOffset, 0.0f) \
    X(float, shadowVerticalOffset, 0.0f) \
    X(float, rotationAngle, 0.0f) \
    X(int32_t, responsiveResizeFlag, 0) \
    X(int32_t, responsiveAlignment, 0) \
    X(int32_t, sectionNumber, 0) \
    X(int32_t, sectionRowSpot, 0) \
    X(int32_t, sectionColumnSpot, 0)

// Expansions shared by the carriers' field tables.
#define ZOV_CARRIER_MEMBER(Type, name, initial) Type name = initial;
#define ZOV_CARRIER_PUT(Type, name, initial) put(p, QStringLiteral(#name), name);
#define ZOV_CARRIER_GET(Type, name, initial) get(p, QStringLiteral(#name), name);
