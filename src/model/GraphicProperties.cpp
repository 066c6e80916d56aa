#include "model/GraphicProperties.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "model/Geometry.h"
#include "model/GraphicLimits.h"
#include "platform/TextCodec.h"

#include <QBuffer>
#include <QCborArray>
#include <QCborMap>
#include <QDateTime>
#include <QImageReader>
#include <QImageWriter>
#include <cmath>

void GraphicProperties::setString(const QString &key, const QString &value)
{
    // A null string is still a string entry: readers see "".
    m_map.insert(key, value.isNull() ? QString(QLatin1String("")) : value);
}

void GraphicProperties::setNumber(const QString &key, double value) { m_map.insert(key, value); }
void GraphicProperties::setFlag(const QString &key, bool value) { m_map.insert(key, value); }

void GraphicProperties::setIntString(const QString &key, int32_t value)
{
    m_map.insert(key, QString::number(value));
}

void GraphicProperties::setFloatString(const QString &key, double value)
{
    QString text = QString::number(value, 'f', 6);
    // A small negative value rounds to "-0.000000", which reads back as a
    // zero that writes "0.000000": write zero one way only, so a copy of a
    // copy keeps its properties.
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0.0)
        text.remove(0, 1);
    m_map.insert(key, text);
}

void GraphicProperties::setRect(const QString &key, const QRectF &value)
{
    m_map.insert(key, Geometry::rectToString(value));
}

void GraphicProperties::setPoint(const QString &key, const QPointF &value)
{
    m_map.insert(key, Geometry::pointToString(value));
}

void GraphicProperties::setColour(const QString &key, const QColor &value)
{
    m_map.insert(key, QVariant::fromValue(value));
}

void GraphicProperties::setImage(const QString &key, const QImage &value)
{
    m_map.insert(key, QVariant::fromValue(value));
}

void GraphicProperties::setDate(const QString &key, const QDateTime &value)
{
    m_map.insert(key, value);
}

void GraphicProperties::setChild(const QString &key, const GraphicProperties &value)
{
    m_map.insert(key, value.m_map);
}

void GraphicProperties::setList(const QString &key, const QList<GraphicProperties> &value)
{
    QVariantList list;
    list.reserve(value.size());
    for (const GraphicProperties &p : value)
        list.append(p.m_map);
    m_map.insert(key, list);
}

bool GraphicProperties::isString(const QString &key) const
{
    return m_map.value(key).typeId() == QMetaType::QString;
}

QString GraphicProperties::string(const QString &key, const QString &missing) const
{
    const QVariant v = m_map.value(key);
    // Control characters would reach the page file, where they do not belong.
    return v.typeId() == QMetaType::QString ? TextCodec::withoutControlCharacters(v.toString()) : missing;
}

bool GraphicProperties::isNumber(const QString &key) const
{
    switch (m_map.value(key).typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

std::optional<double> GraphicProperties::number(const QString &key) const
{
    const QVariant v = m_map.value(key);
    double d = 0.0;
    if (isNumber(key)) {
        d = v.typeId() == QMetaType::Bool ? (v.toBool() ? 1.0 : 0.0) : v.toDouble();
    } else if (v.typeId() == QMetaType::QString) {
        // Like the original's numeric value of a string: leading number, else 0.
        const QString s = v.toString().trimmed();
        bool ok = false;
        d = s.toDouble(&ok);
        if (!ok) {
            qsizetype end = 0;
            while (end < s.size() && (s[end].isDigit() || s[end] == u'.' || ((s[end] == u'-' || s[end] == u'+') && end == 0)))
                ++end;
            d = s.left(end).toDouble(&ok);
            if (!ok)
                d = 0.0;
        }
    } else {
        return std::nullopt;
    }
    // Out-of-range numbers are cut back to what a page holds; NaN and
    // infinities read as absent, so the key's default applies.
    return GraphicLimits::clamp(key, d);
}

double GraphicProperties::number(const QString &key, double missing) const
{
    return number(key).value_or(missing);
}

int32_t GraphicProperties::integer(const QString &key, int32_t missing) const
{
    const auto n = number(key);
    return n ? Geometry::clampToInt(std::trunc(*n)) : missing;
}

bool GraphicProperties::flag(const QString &key, bool missing) const
{
    const auto n = number(key);
    return n ? *n != 0.0 : missing;
}

QRectF GraphicProperties::rect(const QString &key) const
{
    const QVariant v = m_map.value(key);
    if (v.typeId() == QMetaType::QString)
        return GraphicLimits::clampRect(Geometry::rectFromString(v.toString()));
    if (v.typeId() == QMetaType::QRectF)
        return GraphicLimits::clampRect(v.toRectF());
    return QRectF();
}

QPointF GraphicProperties::point(const QString &key) const
{
    const QVariant v = m_map.value(key);
    if (v.typeId() == QMetaType::QString)
        return GraphicLimits::clampPoint(Geometry::pointFromString(v.toString()));
    if (v.typeId() == QMetaType::QPointF)
        return GraphicLimits::clampPoint(v.toPointF());
    return QPointF();
}

std::optional<QColor> GraphicProperties::colour(const QString &key) const
{
    const QVariant v = m_map.value(key);
    if (v.typeId() == QMetaType::QColor)
        return v.value<QColor>();
    return std::nullopt;
}

QImage GraphicProperties::image(const QString &key) const
{
    const QVariant v = m_map.value(key);
    return v.typeId() == QMetaType::QImage ? v.value<QImage>() : QImage();
}

QDateTime GraphicProperties::date(const QString &key) const
{
    const QVariant v = m_map.value(key);
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime() : QDateTime();
}

GraphicProperties GraphicProperties::child(const QString &key) const
{
    const QVariant v = m_map.value(key);
    return v.typeId() == QMetaType::QVariantMap ? GraphicProperties(v.toMap()) : GraphicProperties();
}

QList<GraphicProperties> GraphicProperties::list(const QString &key) const
{
    QList<GraphicProperties> out;
    const QVariant v = m_map.value(key);
    if (v.typeId() != QMetaType::QVariantList)
        return out;
    // No composite holds more members than a full grid has cells.
    for (const QVariant &e : v.toList()) {
        if (out.size() >= GraphicLimits::kMaxListLength)
            break;
        if (e.typeId() == QMetaType::QVariantMap)
            out.append(GraphicProperties(e.toMap()));
    }
    return out;
}

QString GraphicProperties::hexString(const QColor &colour)
{
    return DataCentre::asHexString(colour, gColorPalette);
}

QColor GraphicProperties::colourFromHex(const QString &hex)
{
    return DataCentre::colorWithHexString(hex);
}

// --- CBOR ------------------------------------------------------------------

namespace {
constexpr int kMaxDepth = 16;
constexpr int kImageAllocationLimitMB = 256;

QCborValue toCborValue(const QVariant &v, int depth)
{
    if (depth > kMaxDepth)
        return QCborValue();
    switch (v.typeId()) {
    case QMetaType::Bool:
        return QCborValue(v.toBool());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return QCborValue(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return QCborValue(v.toDouble());
    case QMetaType::QString:
        return QCborValue(v.toString());
    case QMetaType::QByteArray: // a picture's bytes as read from its file
        return QCborValue(v.toByteArray());
    case QMetaType::QRectF:
        return QCborValue(Geometry::rectToString(v.toRectF()));
    case QMetaType::QPointF:
        return QCborValue(Geometry::pointToString(v.toPointF()));
    case QMetaType::QDateTime:
        return v.toDateTime().isValid() ? QCborValue(v.toDateTime()) : QCborValue(QString());
    case QMetaType::QColor: {
        const QColor c = v.value<QColor>().toRgb();
        QString hex;
        for (int component : {c.red(), c.green(), c.blue(), c.alpha()})
            hex += QStringLiteral("%1").arg(component, 2, 16, QLatin1Char('0'));
        hex = hex.toUpper();
        return QCborValue(QCborTag(GraphicProperties::kColourTag), hex);
    }
    case QMetaType::QImage: {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.write(v.value<QImage>());
        return QCborValue(QCborTag(GraphicProperties::kImageTag), png);
    }
    case QMetaType::QVariantMap: {
        QCborMap m;
        const QVariantMap map = v.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            m.insert(it.key(), toCborValue(it.value(), depth + 1));
        return m;
    }
    case QMetaType::QVariantList: {
        QCborArray a;
        for (const QVariant &e : v.toList())
            a.append(toCborValue(e, depth + 1));
        return a;
    }
    default:
        return QCborValue();
    }
}

QImage decodePng(const QByteArray &png)
{
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAllocationLimit(kImageAllocationLimitMB);
    return reader.read();
}

QVariant fromCborValue(const QCborValue &v, int depth)
{
    if (depth > kMaxDepth)
        return QVariant();
    if (v.isTag()) {
        const quint64 tag = quint64(v.tag());
        const QCborValue inner = v.taggedValue();
        if (tag == GraphicProperties::kColourTag && inner.isString()) {
            const QString s = inner.toString();
            if (s.size() != 8)
                return QVariant();
            bool ok = false;
            const uint rgba = s.toUInt(&ok, 16);
            if (!ok)
                return QVariant();
            return QVariant::fromValue(QColor((rgba >> 24) & 0xff, (rgba >> 16) & 0xff, (rgba >> 8) & 0xff, rgba & 0xff));
        }
        if (tag == GraphicProperties::kImageTag && inner.isByteArray()) {
            const QImage img = decodePng(inner.toByteArray());
            return img.isNull() ? QVariant() : QVariant::fromValue(img);
        }
        if (v.isDateTime())
            return v.toDateTime();
        return QVariant();
    }
    if (v.isBool())
        return v.toBool();
    if (v.isInteger()) {
        const qint64 i = v.toInteger();
        if (i >= INT32_MIN && i <= INT32_MAX)
            return int(i);
        return double(i);
    }
    if (v.isDouble())
        return v.toDouble();
    if (v.isString()) {
        // An empty text comes back as a null string; it must stay an empty
        // one, which carriers write, rather than a missing one, which they leave out.
        const QString s = v.toString();
        return s.isNull() ? QString(QLatin1String("")) : s;
    }
    if (v.isByteArray())
        return v.toByteArray();
    if (v.isMap()) {
        QVariantMap m;
        const QCborMap map = v.toMap();
        for (auto it = map.begin(); it != map.end(); ++it) {
            if (!it.key().isString())
                continue;
            const QVariant e = fromCborValue(it.value(), depth + 1);
            if (e.isValid())
                m.insert(it.key().toString(), e);
        }
        return m;
    }
    if (v.isArray()) {
        QVariantList l;
        for (const QCborValue &e : v.toArray()) {
            const QVariant x = fromCborValue(e, depth + 1);
            if (x.isValid())
                l.append(x);
        }
        return l;
    }
    return QVariant();
}
} // namespace

QCborValue GraphicProperties::toCbor() const
{
    return toCborValue(QVariant(m_map), 0);
}

GraphicProperties GraphicProperties::fromCbor(const QCborMap &map)
{
    return GraphicProperties(fromCborValue(QCborValue(map), 0).toMap());
}
