#pragma once
// The properties dictionary: the key-to-value form of one graphic, used for
// copy and paste, duplication and loading. Values are typed (string, number,
// flag, rectangle, colour, image, nested maps and lists of maps). Readers are
// type-checked: a value of the wrong type reads as the caller's default, so
// a pasted or damaged map can never put a foreign type into a graphic.
// Numbers written as text always use the C locale.
#include <QByteArray>
#include <QCborValue>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <cstdint>
#include <optional>

class GraphicProperties {
public:
    GraphicProperties() = default;
    explicit GraphicProperties(const QVariantMap &map) : m_map(map) {}

    const QVariantMap &map() const { return m_map; }
    bool contains(const QString &key) const { return m_map.contains(key); }
    QVariant value(const QString &key) const { return m_map.value(key); }
    void remove(const QString &key) { m_map.remove(key); }
    QStringList keys() const { return m_map.keys(); }
    bool isEmpty() const { return m_map.isEmpty(); }
    bool operator==(const GraphicProperties &other) const { return m_map == other.m_map; }

    // Writers.
    void set(const QString &key, const QVariant &value) { m_map.insert(key, value); }
    void setString(const QString &key, const QString &value);
    void setNumber(const QString &key, double value);
    void setFlag(const QString &key, bool value);
    void setIntString(const QString &key, int32_t value);  // "%d"
    void setFloatString(const QString &key, double value); // "%f": six decimals
    void setRect(const QString &key, const QRectF &value);  // rectangle string
    void setPoint(const QString &key, const QPointF &value); // point string
    void setColour(const QString &key, const QColor &value);
    void setImage(const QString &key, const QImage &value);
    void setDate(const QString &key, const QDateTime &value);
    void setChild(const QString &key, const GraphicProperties &value);
    void setList(const QString &key, const QList<GraphicProperties> &value);

    // Readers; each returns missing when the key is absent or of the wrong type.
    bool isString(const QString &key) const;
    // A number or a flag (not a string holding one).
    bool isNumber(const QString &key) const;
    QString string(const QString &key, const QString &missing = QString()) const;
    // A number, a flag or a string holding a number, within the key's range;
    // NaN and infinities read as missing.
    std::optional<double> number(const QString &key) const;
    double number(const QString &key, double missing) const;
    // As number, truncated toward zero and clamped to the int32 range.
    int32_t integer(const QString &key, int32_t missing) const;
    bool flag(const QString &key, bool missing) const;
    // A rectangle string (or a rectangle); anything else gives the zero rectangle.
    QRectF rect(const QString &key) const;
    QPointF point(const QString &key) const;
    std::optional<QColor> colour(const QString &key) const;
    QImage image(const QString &key) const;
    QDateTime date(const QString &key) const;
    GraphicProperties child(const QString &key) const;
    QList<GraphicProperties> list(const QString &key) const;

    // CBOR form used on the clipboard. Colours are tagged hex strings with
    // alpha ("RRGGBBAA"), images tagged PNG data.
    QCborValue toCbor() const;
    static GraphicProperties fromCbor(const QCborMap &map);

    // Forwards to DataCentre::asHexString (edition palette) and
    // DataCentre::colorWithHexString; prefer those in new code.
    static QString hexString(const QColor &colour);
    static QColor colourFromHex(const QString &hex);

    static constexpr quint64 kColourTag = 0x5A4F5601; // private CBOR tags
    static constexpr quint64 kImageTag = 0x5A4F5602;

private:
    QVariantMap m_map;
};

