#include "config/DataCentrePresets.h"

#include "config/DataCentreColours.h"
#include "config/DataFiles.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPalette>
#include <QSizeF>

namespace {

struct PresetTables {
    QList<QPair<QString, QSizeF>> kindSizes;
    QSizeF otherKindSize{70, 7};
    QList<QPair<QString, int32_t>> batch;
    QStringList shapeColours;
    QSizeF textStyleSize{400, 42};
};

QSizeF sizeOf(const QJsonValue &value, const QSizeF &fallback)
{
    const QJsonArray pair = value.toArray();
    if (pair.size() != 2)
        return fallback;
    return QSizeF(pair[0].toDouble(), pair[1].toDouble());
}

const PresetTables &tables()
{
    static const PresetTables loaded = [] {
        PresetTables t;
        const QJsonObject root = QJsonDocument::fromJson(DataFiles::readData(QStringLiteral("presets.json"))).object();
        for (const QJsonValue &row : root.value(QLatin1String("shapeKinds")).toArray()) {
            const QJsonObject o = row.toObject();
            t.kindSizes.append({o.value(QLatin1String("kind")).toString(), sizeOf(o.value(QLatin1String("size")), {})});
        }
        t.otherKindSize = sizeOf(root.value(QLatin1String("otherKindSize")), t.otherKindSize);
        for (const QJsonValue &row : root.value(QLatin1String("batch")).toArray()) {
            const QJsonObject o = row.toObject();
            t.batch.append({o.value(QLatin1String("kind")).toString(), o.value(QLatin1String("cornerRadius")).toInt()});
        }
        for (const QJsonValue &colour : root.value(QLatin1String("shapeColours")).toArray())
            t.shapeColours << colour.toString();
        t.textStyleSize = sizeOf(root.value(QLatin1String("textStyleSize")), t.textStyleSize);
        return t;
    }();
    return loaded;
}

} // namespace

ShapeSelectionView DataCentrePresets::createDefaultShape(const QString &kind, const QString &fillHex,
                                                         int32_t cornerRadius)
{
    QSizeF size = tables().otherKindSize;
    for (const auto &[name, kindSize] : tables().kindSizes) {
        if (name == kind) {
            size = kindSize;
            break;
        }
    }
    ShapeSelectionView shape(QRectF(QPointF(0, 0), size));
    shape.fillColor = DataCentreColours::colorWithHexString(fillHex);
    shape.cornerRadius = cornerRadius;
    return shape;
}

QList<ShapeSelectionView> DataCentrePresets::createBatchOfShapes(const QString &fillHex)
{
    QList<ShapeSelectionView> shapes;
    for (const auto &[kind, radius] : tables().batch)
        shapes << createDefaultShape(kind, fillHex, radius);
    return shapes;
}

ShapeSelectionView DataCentrePresets::createDefaultTextView(const QString &fillHex, const QString &textHex,
                                                            const std::optional<QFont> &font, const QString &text)
{
    ShapeSelectionView style(QRectF(QPointF(0, 0), tables().textStyleSize));
    style.fillColor = DataCentreColours::colorWithHexString(fillHex);
    style.font = font;
    style.textColor = DataCentreColours::colorWithHexString(textHex);
    style.textString = text;
    return style;
}

void DataCentrePresets::enableTextView(bool enable, QObject *textView)
{
    if (!textView)
        return;
    const auto has = [textView](const char *property) {
        return textView->metaObject()->indexOfProperty(property) >= 0;
    };
    if (has("readOnly"))
        textView->setProperty("readOnly", !enable);
    if (has("textInteractionFlags")) {
        const Qt::TextInteractionFlags flags =
            enable ? Qt::TextEditorInteraction : Qt::TextInteractionFlags(Qt::NoTextInteraction);
        textView->setProperty("textInteractionFlags", QVariant::fromValue(flags));
    }
    if (has("palette")) {
        // Taken from the application's palette, so that enabling again
        // brings back the normal colour however often it was switched.
        const QPalette standard = QGuiApplication::palette();
        QPalette palette = textView->property("palette").value<QPalette>();
        palette.setColor(QPalette::Text, standard.color(enable ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        textView->setProperty("palette", palette);
    }
}

QStringList DataCentrePresets::presetShapeColours()
{
    return tables().shapeColours;
}

QList<ShapeSelectionView> DataCentrePresets::createPresetShapes()
{
    QList<ShapeSelectionView> shapes;
    for (const QString &colour : presetShapeColours())
        shapes += createBatchOfShapes(colour);
    return shapes;
}
