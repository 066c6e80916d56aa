#pragma once
// The two tables behind palette drops, read once from data/: the code names
// the canvas understands (what each one does, and whether a drop goes on to
// the next name), and the text-box and line presets that many of them build.
#include "model/GraphicProperties.h"

#include <QDateTime>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>

struct DropCodeName {
    QString name;
    // "preset", "callout", "line", or the name of an insertion operation.
    QString action;
    QStringList arguments;
    bool goesOn = false;
};

// What a preset is built for: the drop point, the zoom (sizes written n/z
// are divided by it) and the time of the drop (date stamps).
struct PresetContext {
    QPointF point;
    double zoom = 1.0;
    QDateTime now;
    int32_t groupNumber = -99;
};

class DropTables {
public:
    DropTables() = delete;

    static const QList<DropCodeName> &codeNames();
    static std::optional<DropCodeName> codeName(const QString &name);
    static bool hasPreset(const QString &name);
    static bool isLinePreset(const QString &name);
    // The text-box factory's values, as properties: text, link, bounds,
    // groupNumber, fillHex, textHex, fontName, fontSize, cornerRadius,
    // opacity, hoverColor, hoverTextColor, linkType, borderStyle,
    // borderWidth, borderColor, alignment, textType, fullWidth, placement.
    static GraphicProperties textBoxPreset(const QString &name, const PresetContext &context);
    // The line factory's values: beginPoint, endPoint, colour, style, width,
    // beginArrow, endArrow ("0"/"1"), groupNumber.
    static GraphicProperties linePreset(const QString &name, const PresetContext &context);
    // The width of dashed markup borders and callout lines: trunc(max(2 / zoom, 1)).
    static int32_t strokeScale(double zoom);
    // A size of the table ("300", "300/z", "W*0.75", "stroke", ...).
    static double evaluate(const QString &expression, const PresetContext &context);

    // Parses table texts (tests, loading).
    static void loadCodeNames(const QString &text);
    static void loadPresets(const QString &text);
};
