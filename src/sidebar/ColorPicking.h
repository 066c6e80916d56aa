#pragma once
// The colour targets and what a swatch does to the selection. Six targets
// (shape fill, text, hover background, hover text, canvas, border); a pick
// writes the colour and its hex string into every selected graphic that the
// target names, as one undo step. The canvas target sets the page colour as
// an undoable change of the document and tells the window (PageColorSink).
#include "sidebar/SelectionProxy.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <optional>
#include <QStringList>

class SKTDocument;

enum class ColorTarget { Shape = 0, Text = 1, HoverBackground = 2, HoverText = 3, Canvas = 4, Border = 5 };

// The window's side of a new page colour (updateDocumentColor); a stand-in
// that does nothing serves until the window provides it.
class PageColorSink {
public:
    virtual ~PageColorSink() = default;
    virtual void updateDocumentColor(const QColor &, const QString &) {}
};

class ColorPicking {
public:
    ColorPicking() = delete;

    static QString clearEntry() { return QStringLiteral("CLEAR0"); }
    // The pop-up's titles, in target order.
    static QString titleForTarget(ColorTarget target);
    // setTypeOfColorFlag: the target a pop-up title names; none keeps current.
    static ColorTarget targetForTitle(const QString &title, ColorTarget current);
    // The target of a colour button by its control name ("selectedTextColorButton" ...).
    static std::optional<ColorTarget> targetForButton(const QString &controlName);
    // The graphic's hex string for a graphic target (empty for the canvas).
    static QString hexOfTarget(const SKTGraphic &graphic, ColorTarget target);
    // Text and border offer no transparent swatch.
    static bool offersClear(ColorTarget target) { return target != ColorTarget::Text && target != ColorTarget::Border; }

    struct Swatch {
        QString hex;
        QRect frame;       // in the grid, 20 x 20
        bool enabled = true;
        bool marked = false;  // the current colour
    };
    // 20 a row; only whole rows are shown. "CLEAR0" first.
    static QList<Swatch> swatchGrid(const QStringList &palette, ColorTarget target, const QString &currentHex);
    static QSize gridSize(const QStringList &palette) { return QSize(400, int(palette.size() / 20) * 20); }

    // The colour a hex string stands for when applied: clear for "CLEAR0" except
    // on text and borders, which show black.
    static QColor colorForHex(const QString &hex, bool clearAllowed);

    // pickedAColor: applies hex to the selection by target as one step.
    static void pickedAColor(SelectionProxy &selection, ColorTarget target, const QString &hex);
    // The canvas target: the page colour, one undoable step that marks the page edited.
    static void setCanvasColor(SKTDocument &document, const QString &hex, PageColorSink *sink);
};
