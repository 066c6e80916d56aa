#include "model/Geometry.h"
#include "model/SKTText.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "model/BubbleOutline.h"
#include "model/GraphicColours.h"
#include "model/GraphicPainter.h"
#include "model/TextBlockLayout.h"

#include <cmath>

namespace {
const QColor kDarkGrey(85, 85, 85);
const QColor kLightGrey(170, 170, 170);
const QColor kGrey(128, 128, 128);

// Palette colour at a position, when the position is inside the palette.
std::optional<QColor> paletteColour(int32_t index)
{
    if (index < 0 || index >= gColorPalette.size())
        return std::nullopt;
    const QString hex = gColorPalette.at(index);
    if (hex == QLatin1String("CLEAR0"))
        return QColor(Qt::transparent);
    return DataCentre::colorWithHexString(hex);
}
} // namespace

SKTText::SKTText() = default;

std::unique_ptr<SKTGraphic> SKTText::copy() const
{
    std::unique_ptr<SKTGraphic> c = SKTGraphic::copy();
    if (auto *text = dynamic_cast<SKTText *>(c.get())) {
        // The copy carries the text with the style attributes it is drawn in.
        text->m_text = m_text;
        text->setFontFamily(fontFamily());
        text->setFontSize(fontSize());
        text->setFontColor(fontColor());
        text->setFontAlignment(fontAlignment());
        text->setLineSpacing(lineSpacing());
        text->setOpacity(opacity());
    }
    return c;
}

void SKTText::updateTextString(const QString &text)
{
    setTextString(text);
    refreshStyle();
}

void SKTText::refreshStyle()
{
    // The style is applied at every layout; observers only need a redraw.
    setBounds(bounds());
}

QStringList SKTText::keysForValuesToObserveForUndo() const
{
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    if (!m_contentsBeingChangedByScripting)
        keys.removeAll(QStringLiteral("undoContents"));
    if (m_boundsBeingChangedToMatchContents)
        keys.removeAll(QStringLiteral("bounds"));
    return keys;
}

QString SKTText::coerceValueForScriptingContents(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    // Anything else a script hands over becomes its plain text.
    return value.canConvert<QString>() ? value.toString() : QString();
}

void SKTText::setScriptingContents(const QVariant &value)
{
    const QString text = TextCodec::withoutControlCharacters(coerceValueForScriptingContents(value));
    willChangeScriptingContents();
    const QString old = m_text;
    m_text = text;
    if (old != text)
        reportChange(QStringLiteral("undoContents"), old);
    didChangeScriptingContents();
}

void SKTText::setHeightToMatchContents()
{
    m_boundsBeingChangedToMatchContents = true;
    setBounds(bounds());
    m_boundsBeingChangedToMatchContents = false;
}

QVariant SKTText::value(const QString &key) const
{
    if (key == QLatin1String("textString") || key == QLatin1String("undoContents"))
        return m_text;
    if (key == QLatin1String("zoomBubbleFlag"))
        return m_zoomBubbleFlag;
    return SKTGraphic::value(key);
}

bool SKTText::setValue(const QString &key, const QVariant &value)
{
    if (key == QLatin1String("textString")) {
        setTextString(value.toString());
        return true;
    }
    if (key == QLatin1String("undoContents")) {
        setUndoContents(value.toString());
        return true;
    }
    if (key == QLatin1String("zoomBubbleFlag")) {
        bool ok = false;
        const int flag = value.toInt(&ok);
        if (ok)
            setZoomBubbleFlag(flag);
        return ok;
    }
    return SKTGraphic::setValue(key, value);
}

void SKTText::writeProperties(GraphicProperties &p)
{
    SKTGraphic::writeProperties(p);
    p.setString(QStringLiteral("textString"), m_text);
    p.setString(QStringLiteral("fontFamily"),
                m_text.isEmpty() || fontFamily().isEmpty() ? QStringLiteral("Helvetica Neue") : fontFamily());
    // Justified text keeps its alignment through copy and paste.
    const int32_t alignment = fontAlignment() >= 0 && fontAlignment() <= 3 ? fontAlignment() : 0;
    p.setIntString(QStringLiteral("fontAlignment"), m_text.isEmpty() ? 0 : alignment);
    p.setFloatString(QStringLiteral("fontSize"), fontSize());
    p.setIntString(QStringLiteral("slideShowNumber"), -99);
    // A text without a link kind is written as a text link; writing never
    // changes the graphic (it would be an edit, and an undo step, of its own).
    p.setString(QStringLiteral("linkType"), linkType().isEmpty() ? QStringLiteral("text") : linkType());
    p.setString(QStringLiteral("hoverColorString"), hoverColorString());
    p.setString(QStringLiteral("hoverTextColorString"), hoverTextColorString());
    p.setString(QStringLiteral("bubbleShape"), bubbleShape());
    p.setIntString(QStringLiteral("zoomBubbleFlag"), m_zoomBubbleFlag);
}

void SKTText::readProperties(const GraphicProperties &p)
{
    SKTGraphic::readProperties(p);
    m_text = p.string(QStringLiteral("textString"));
    m_zoomBubbleFlag = p.integer(QStringLiteral("zoomBubbleFlag"), 0);
    setBubbleShape(p.string(QStringLiteral("bubbleShape"), QString()));
    if (bubbleShape().isNull())
        setBubbleShape(QStringLiteral(""));
    // While the text colour is being picked from the palette, the stored
    // palette position gives the text colour.
    if (fillColorIndex() >= -98 && gColorPickerTarget == 1) {
        const std::optional<QColor> colour = paletteColour(fillColorIndex());
        if (colour && *colour != fillColor())
            setFontColor(*colour);
    }
}

QRectF SKTText::drawingBounds()
{
    return SKTGraphic::drawingBounds().united(bounds().adjusted(-1, -1, 1, 1));
}

QFont SKTText::textFont() const
{
    return TextBlockLayout::fontFor(fontFamily(), fontSize());
}

QColor SKTText::textColour() const
{
    const QColor colour = fontColor().isValid() ? fontColor() : QColor(Qt::black);
    return GraphicPainter::withAlpha(colour, opacity());
}

double SKTText::lineHeight() const
{
    return double(float(fontSize()) * lineSpacing());
}

int32_t SKTText::roundedInset() const
{
    return gRoundedTextCorners ? Geometry::clampToInt(cornerRadius() * 0.25) : 0;
}

QSizeF SKTText::naturalSize() const
{
    const TextBlockLayout layout(m_text, {textFont(), textColour(), fontAlignment(), lineHeight()}, bounds().width());
    return layout.usedSize();
}

QPainterPath SKTText::shapePath()
{
    const QPointF centre = bounds().center();
    QPainterPath main;
    main.addRoundedRect(noMarginNoBorderRect(), cornerRadius(), cornerRadius());
    main = BubbleOutline::rotated(main, centre, rotationAngle());
    QString shape = bubbleShape();
    if (shape.isEmpty() && m_zoomBubbleFlag == 1) {
        shape = cornerRadius() > 0 ? QStringLiteral("circle") : QStringLiteral("rectangle");
        setBubbleShape(shape);
    }
    if (shape == QLatin1String("circle"))
        return BubbleOutline::ellipse(drawRect());
    if (shape == QLatin1String("rectangle")) {
        QPainterPath rect;
        rect.addRect(drawRect());
        return rect;
    }
    if (!shape.isEmpty())
        return BubbleOutline::rotated(BubbleOutline::fitted(shape, drawRect().topLeft(), bounds().size()), centre,
                                      rotationAngle());
    return main;
}

void SKTText::applyShadowBefore(GraphicPainter &painter) const
{
    if (shadowFlag() == 1 || m_zoomBubbleFlag == 1)
        painter.setShadow({kDarkGrey, 3.0, QPointF(0, 0)});
    else if (shadowRadius() != 0 && shadowHorizontalOffset() != 0 && shadowVerticalOffset() != 0)
        painter.setShadow({kDarkGrey, shadowRadius(), QPointF(shadowHorizontalOffset(), shadowVerticalOffset())});
}

QPainterPath SKTText::bezierPathForDrawing(GraphicPainter &painter)
{
    const QPainterPath path = shapePath();
    applyShadowBefore(painter);

    // The shape colour picked from the palette follows the stored position.
    if (fillColorIndex() >= -98 && gColorPickerTarget == 0) {
        if (fillColorIndex() == 0) {
            setFillColor(QColor(Qt::transparent));
        } else if (const std::optional<QColor> colour = paletteColour(fillColorIndex());
                   colour && *colour != fontColor()) {
            setFillColor(*colour);
        }
    }
    if (isDrawingFill())
        painter.fillPath(path, GraphicPainter::withAlpha(fillColor(), opacity()));
    if (isDrawingStroke()) {
        const bool styled = borderStyle() == QLatin1String("solid") || borderStyle() == QLatin1String("dashed")
                            || borderStyle() == QLatin1String("dotted");
        if (styled && borderWidth() == 0)
            settleBorderWidth(1);
        if (const auto pen = GraphicPainter::borderPen(borderStyle(), borderWidth(), GraphicColours::border(*this)))
            painter.strokePath(path, *pen);
    }
    const bool customShadow = shadowRadius() != 0 && shadowHorizontalOffset() != 0 && shadowVerticalOffset() != 0;
    if (shadowFlag() == 1 || (gResponsiveEdition && customShadow))
        painter.clearShadow();

    if (painter.editingAids() && !selectable() && gAlwaysOutlineText)
        painter.strokePath(path, GraphicPainter::dashedPen(Qt::blue, 1, {3, 1}, 3));
    if (formType() == QLatin1String("checkbox") || formType() == QLatin1String("radio"))
        painter.fillPath(path, Qt::white);
    if (painter.editingAids() && gResponsiveEdition) {
        const auto guide = [&](const QRectF &r, const QColor &c) {
            QPainterPath p;
            p.addRect(r);
            painter.strokePath(p, GraphicPainter::dashedPen(c, 1, {3, 1}, 3));
        };
        guide(noPaddingNoMarginRect(), kLightGrey);
        guide(noMarginRect(), kGrey);
        guide(bounds(), kDarkGrey);
    }
    return path;
}

void SKTText::drawContents(GraphicPainter &painter, bool beingCreatedOrEdited)
{
    drawBoxModel();
    bezierPathForDrawing(painter);
    if (beingCreatedOrEdited || m_text.isEmpty())
        return;
    const int32_t inset = roundedInset();
    const QRectF content = contentRect();
    const double containerWidth = textContainerWidth();
    const TextBlockLayout layout(m_text, {textFont(), textColour(), fontAlignment(), lineHeight()}, containerWidth);
    if (layout.isEmpty())
        return;
    const auto height = Geometry::clampToInt(layout.usedSize().height());
    setTextHeight(height);
    QPointF at;
    switch (verticalAlignment()) {
    case 1: at = QPointF(content.x(), content.y() + content.height() / 2 - height / 2); break;
    case 2:
        at = QPointF(content.x(), bounds().y() + bounds().height() - height - bottomMarginInPx() - bottomPaddingInPx());
        break;
    default: at = QPointF(content.x() + borderWidth() + 5 + inset, content.y()); break;
    }
    QPainter &p = painter.painter();
    p.save();
    const QPointF centre = content.center();
    p.translate(centre);
    p.rotate(rotationAngle());
    p.translate(-centre);
    painter.paint(QRectF(at, QSizeF(containerWidth, layout.usedSize().height())).adjusted(-2, -2, 2, 2),
                  [&](QPainter &q) { layout.draw(q, at); });
    p.restore();
}

double SKTText::textContainerWidth() const
{
    return gRoundedTextCorners ? bounds().width() - 2 * roundedInset() : contentRect().width();
}

void SKTText::updateTextHeight()
{
    drawBoxModel();
    if (m_text.isEmpty())
        return;
    const TextBlockLayout layout(m_text, {textFont(), textColour(), fontAlignment(), lineHeight()},
                                 textContainerWidth());
    if (!layout.isEmpty())
        setTextHeight(Geometry::clampToInt(layout.usedSize().height()));
}

bool SKTText::canEditInPlace() const
{
    if (!selectable() || m_zoomBubbleFlag == 1)
        return false;
    if (formType() == QLatin1String("textLabel") && formOptionTag() == -22)
        return false;
    static const QStringList fields{QStringLiteral("text"), QStringLiteral("textarea"), QStringLiteral("checkbox"),
                                    QStringLiteral("radio")};
    return !fields.contains(formType());
}

QRectF SKTText::editingFrame() const
{
    if (gRoundedTextCorners) {
        const int32_t i = roundedInset();
        return bounds().adjusted(i, i, -i, -i);
    }
    return contentRect();
}

double SKTText::editingMaximumHeight(const QRectF &superviewBounds) const
{
    return superviewBounds.height() - bounds().y();
}

QStringList SKTText::keyPathsForValuesAffectingDrawingContents() const
{
    return SKTGraphic::keyPathsForValuesAffectingDrawingContents()
        + QStringList { QStringLiteral("opacity"), QStringLiteral("shadowFlag"), QStringLiteral("borderStyle"),
              QStringLiteral("borderWidth"), QStringLiteral("reflection"), QStringLiteral("borderHexColorString"),
              QStringLiteral("lineSpacing"), QStringLiteral("textString"), QStringLiteral("undoContents") };
}
