#include "sidebar/ColorSwatchStyle.h"

#include "config/DataCentreColours.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPen>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("Inspector", text);
}
} // namespace

QColor ColorSwatchStyle::invertedColor(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return QColor::fromRgbF(1.0f - rgb.redF(), 1.0f - rgb.greenF(), 1.0f - rgb.blueF(), rgb.alphaF());
}

ColorSwatchStyle::Swatch ColorSwatchStyle::swatch(const QColor &colour, double inspectorWidth, const QImage &clearGrid)
{
    Swatch s;
    const bool clear = !colour.isValid() || colour.alpha() == 0;
    s.image = QImage(200, 30, QImage::Format_ARGB32_Premultiplied);
    if (clear) {
        s.image.fill(Qt::transparent);
        if (!clearGrid.isNull()) {
            QPainter p(&s.image);
            p.drawImage(QRectF(0, 0, 200, 30), clearGrid);
        }
        s.title = tr("Clear");
        s.titleColor = Qt::black;
    } else {
        s.image.fill(colour);
        QPainter p(&s.image);
        p.setPen(QPen(DataCentreColours::colorWithHexString(QStringLiteral("000000")), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(QRectF(1, 1, 198, 28));
        s.title = DataCentreColours::asHexString(colour);
        s.titleColor = invertedColor(colour);
    }
    s.frame = QRectF(20, 55, inspectorWidth - 40, 30);
    return s;
}

QList<ColorSwatchStyle::Caption> ColorSwatchStyle::fixedPanelCaptions(bool wideBorderOption, bool hoverColorsShown)
{
    const QString border = wideBorderOption ? QStringLiteral("%1 / %2").arg(tr("Border"), tr("Line")) : tr("Border");
    struct Row {
        const char *name;
        double y;
        QString text;
        const char *button;
        bool hover;
    };
    const QList<Row> rows{
        {"selectedTextColorLabel", 30, tr("Text"), "selectedTextColorButton", false},
        {"selectedShapeColorLabel", 95, tr("Shape"), "selectedShapeColorButton", false},
        {"selectedBorderColorLabel", 160, border, "selectedBorderColorButton", false},
        {"selectedCanvasColorLabel", 225, tr("Background"), "canvasColorButton", false},
        {"selectedHoverTextColorLabel", 290, tr("Hover Text"), "selectedHoverTextColorButton", true},
        {"selectedHoverColorLabel", 355, tr("Hover Shape"), "selectedHoverColorButton", true},
    };
    QList<Caption> list;
    for (const Row &r : rows) {
        const QRectF caption(35, r.y, 200, 20);
        list.append({QLatin1String(r.name), r.text, caption, QLatin1String(r.button),
                     QRectF(35, caption.bottom() + 5, 200, 30), !r.hover || hoverColorsShown});
    }
    return list;
}
