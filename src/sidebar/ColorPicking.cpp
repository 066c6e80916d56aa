#include "sidebar/ColorPicking.h"

#include <QHash>

#include "config/DataCentreColours.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

namespace {
const char *const kTitles[] = {"Shape", "Text", "Hover Background", "Hover Text", "Canvas", "Border"};

// The colour keys are not among the attributes the document records for
// undo (drawing writes some of them), so a pick records its own: the values
// before, put back by undo, which records the way forward again for redo.
void restoreKeys(UndoManager *undo, SKTGraphic *g, const QVariantMap &values)
{
    QVariantMap current;
    for (auto it = values.begin(); it != values.end(); ++it)
        current.insert(it.key(), g->value(it.key()));
    undo->registerUndo([undo, g, current] { restoreKeys(undo, g, current); });
    for (auto it = values.begin(); it != values.end(); ++it)
        g->setValue(it.key(), it.value());
    if (auto *text = dynamic_cast<SKTText *>(g))
        text->refreshStyle();
}

QStringList keysForTarget(ColorTarget target)
{
    switch (target) {
    case ColorTarget::Text:
        return {QStringLiteral("fontColor"), QStringLiteral("textHexColorString")};
    case ColorTarget::HoverBackground:
        return {QStringLiteral("hoverColorString")};
    case ColorTarget::HoverText:
        return {QStringLiteral("hoverTextColorString")};
    case ColorTarget::Border:
        return {QStringLiteral("borderColor"), QStringLiteral("borderHexColorString")};
    case ColorTarget::Shape:
        return {QStringLiteral("fillColor"), QStringLiteral("backgroundHexColorString")};
    case ColorTarget::Canvas:
        break;
    }
    return {};
}
} // namespace

QString ColorPicking::titleForTarget(ColorTarget target)
{
    return QString::fromLatin1(kTitles[int(target)]);
}

ColorTarget ColorPicking::targetForTitle(const QString &title, ColorTarget current)
{
    for (int i = 0; i < 6; ++i)
        if (title == QLatin1String(kTitles[i]))
            return ColorTarget(i);
    return current;
}

QList<ColorPicking::Swatch> ColorPicking::swatchGrid(const QStringList &palette, ColorTarget target,
                                                     const QString &currentHex)
{
    QList<Swatch> out;
    const int rows = int(palette.size() / 20);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 20; ++c) {
            const int i = 20 * r + c;
            Swatch s;
            s.hex = palette[i];
            s.frame = QRect(20 * c, 20 * r, 20, 20);
            if (i == 0)
                s.enabled = offersClear(target);
            else
                s.marked = palette[i] == currentHex;
            out.append(s);
        }
    }
    return out;
}

QColor ColorPicking::colorForHex(const QString &hex, bool clearAllowed)
{
    if (hex == clearEntry())
        return clearAllowed ? QColor(Qt::transparent) : QColor(Qt::black);
    return DataCentreColours::colorWithHexString(hex);
}

void ColorPicking::pickedAColor(SelectionProxy &selection, ColorTarget target, const QString &hex)
{
    UndoManager *undo = selection.undoManager();
    if (undo)
        undo->beginUndoGrouping();
    const QColor opaque = colorForHex(hex, false);
    const QColor fill = colorForHex(hex, true);
    // Showing the colours writes "CLEAR0" into an empty background string; record it too.
    QStringList keys = keysForTarget(target);
    if (!keys.contains(QStringLiteral("backgroundHexColorString")))
        keys << QStringLiteral("backgroundHexColorString");
    for (SKTGraphic *g : selection.selectedGraphics()) {
        QVariantMap before;
        for (const QString &key : keys)
            before.insert(key, g->value(key));
        auto *text = dynamic_cast<SKTText *>(g);
        auto *table = dynamic_cast<SKTTable *>(g);
        switch (target) {
        case ColorTarget::Text:
            if (text || table) {
                g->setFontColor(opaque);
                g->setTextHexColorString(hex);
                if (text)
                    text->refreshStyle();
                else
                    table->updateTextColor();
                g->refreshSelectedColors();
            }
            break;
        case ColorTarget::HoverBackground:
            if (text || table) {
                g->setHoverColorString(hex);
                if (table)
                    table->updateHoverBackgroundColor();
                g->refreshSelectedColors();
            }
            break;
        case ColorTarget::HoverText:
            if (text || table) {
                g->setHoverTextColorString(hex);
                if (table)
                    table->updateHoverTextColor();
                g->refreshSelectedColors();
            }
            break;
        case ColorTarget::Canvas:
            break;
        case ColorTarget::Border:
            if (text || table || dynamic_cast<SKTLine *>(g) || dynamic_cast<SKTImage *>(g)) {
                g->setBorderColor(opaque);
                g->setBorderHexColorString(hex);
                if (text)
                    text->refreshStyle();
                else if (table)
                    table->updateBorderColor();
                g->refreshSelectedColors();
            }
            break;
        case ColorTarget::Shape:
            if (text || table) {
                g->setFillColor(fill);
                g->setBackgroundHexColorString(hex);
                if (table)
                    table->updateBackgroundColor();
                g->refreshSelectedColors();
            }
            break;
        }
        if (undo) {
            bool changed = false;
            for (const QString &key : keys)
                changed = changed || g->value(key) != before.value(key);
            if (changed)
                undo->registerUndo([undo, g, before] { restoreKeys(undo, g, before); });
        }
    }
    if (undo) {
        undo->setActionName(QStringLiteral("%1 Color").arg(titleForTarget(target)));
        undo->endUndoGrouping();
        undo->closeAutomaticGroup();
    }
}

namespace {
void applyPageColor(SKTDocument &document, const QString &hex, const QColor &colour, PageColorSink *sink)
{
    const QString oldHex = document.documentColorHexString;
    const QColor oldColour = document.pageColor;
    // Undo may run after the inspector that picked the colour has gone: it
    // reaches the window through the document.
    document.undoManager().registerUndo(
        [&document, oldHex, oldColour] { applyPageColor(document, oldHex, oldColour, nullptr); });
    document.documentColorHexString = hex;
    document.pageColor = colour;
    if (sink)
        sink->updateDocumentColor(colour, hex);
    else if (document.windowHooks.refreshPageBackgroundColor)
        document.windowHooks.refreshPageBackgroundColor();
}
} // namespace

void ColorPicking::setCanvasColor(SKTDocument &document, const QString &hex, PageColorSink *sink)
{
    if (document.documentColorHexString == hex)
        return;
    UndoManager &undo = document.undoManager();
    undo.beginUndoGrouping();
    applyPageColor(document, hex, colorForHex(hex, true), sink);
    undo.setActionName(QStringLiteral("Canvas Color"));
    undo.endUndoGrouping();
    undo.closeAutomaticGroup();
}

std::optional<ColorTarget> ColorPicking::targetForButton(const QString &controlName)
{
    static const QHash<QString, ColorTarget> targets = {
        {QStringLiteral("selectedShapeColorButton"), ColorTarget::Shape},
        {QStringLiteral("selectedTextColorButton"), ColorTarget::Text},
        {QStringLiteral("selectedHoverColorButton"), ColorTarget::HoverBackground},
        {QStringLiteral("selectedHoverTextColorButton"), ColorTarget::HoverText},
        {QStringLiteral("canvasColorButton"), ColorTarget::Canvas},
        {QStringLiteral("selectedBorderColorButton"), ColorTarget::Border},
    };
    const auto it = targets.constFind(controlName);
    if (it == targets.constEnd())
        return std::nullopt;
    return *it;
}

QString ColorPicking::hexOfTarget(const SKTGraphic &graphic, ColorTarget target)
{
    switch (target) {
    case ColorTarget::Shape:
        return graphic.backgroundHexColorString();
    case ColorTarget::Text:
        return graphic.textHexColorString();
    case ColorTarget::HoverBackground:
        return graphic.hoverColorString();
    case ColorTarget::HoverText:
        return graphic.hoverTextColorString();
    case ColorTarget::Border:
        return graphic.borderHexColorString();
    case ColorTarget::Canvas:
        break;
    }
    return {};
}
