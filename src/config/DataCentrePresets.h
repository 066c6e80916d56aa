#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
#include "config/ShapeSelectionView.h"

#include <QFont>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class DataCentrePresets {
public:
    // One preset shape: its frame from the kind ("large", "rectangle",
    // "long", "line"; any other kind is a horizontal line), the fill colour
    // from a colour string, and the corner radius.
    static ShapeSelectionView createDefaultShape(const QString &kind, const QString &fillHex, int32_t cornerRadius);
    // The seven preset shapes of one fill colour, in palette order.
    static QList<ShapeSelectionView> createBatchOfShapes(const QString &fillHex);
    // One preset text style (a 400 by 42 record).
    static ShapeSelectionView createDefaultTextView(const QString &fillHex, const QString &textHex,
                                                    const std::optional<QFont> &font, const QString &text);
    // Switches a text widget (QTextEdit, QPlainTextEdit, QLineEdit) between
    // an editable look and a read-only one: selectable and editable with the
    // flag, its text in the normal or the disabled text colour. It goes
    // through the widget's properties, so this library needs no widgets.
    static void enableTextView(bool enable, QObject *textView);
    // The fill colours of the preset shape batches, in the order offered.
    static QStringList presetShapeColours();
    // Every preset shape: the batches of presetShapeColours() in order.
    static QList<ShapeSelectionView> createPresetShapes();
};
