#pragma once
// The style of one preset shape or preset text style, as offered when a new
// shape or styled text box is inserted. A plain record: the canvas and the
// inspector draw it, nothing here draws. Absent colours are invalid QColors,
// an absent font is an empty optional.
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>

struct ShapeSelectionView {
    ShapeSelectionView() = default;
    explicit ShapeSelectionView(const QRectF &frameRect) : frame(frameRect) {}

    QRectF frame;
    bool shadowFlag = false;
    int32_t cornerRadius = 0;
    QString borderStyle;
    QColor borderColor;
    QColor fillColor;
    int32_t borderWidth = 0;
    float opacity = 0.0f;
    bool isDrawingFill = false;
    std::optional<QFont> font;
    QColor textColor;
    QString textString;
};
