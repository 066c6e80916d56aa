#pragma once
// What the inspector's three lists show, decided without widgets: which
// palette entries a window lists and where, which FORMAT rows the selection
// uses and their frames, and the LAYER list of the page's graphics. The
// widgets realise these plans; every window makes its own, so nothing here
// is shared between windows.
#include "sidebar/FormatRowCatalogue.h"
#include "sidebar/PaletteCatalogue.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class SKTGraphic;

struct PalettePlan {
    struct Item {
        int entry = 0;  // index into the catalogue
        QRectF frame;
    };
    QString headerText;  // "Drag and drop to add"
    QRectF headerFrame;
    QList<Item> listed;
    double containerHeight = 0;
};
// width: the inspector's width; pageExtension: the current page's publish extension.
PalettePlan planPalette(const QList<PaletteEntry> &entries, const QString &familyKey,
                        const QString &pageExtension, double width);

// The FORMAT kind of a graphic: "Text", "Image", "Line", "Section", "Table",
// "Slideshow", "Gallery", or "" for a kind no row applies to.
QString formatKindOf(const SKTGraphic &graphic);

struct FormatPlanInput {
    QStringList kinds;          // one per selected graphic, in page order; empty: nothing selected
    QString familyKey;
    bool responsiveEdition = false;
    QString appName;
    double width = 0;
    // Controls the edition hides: a row holding only such controls is not shown.
    QStringList hiddenControls;
};

struct FormatPlan {
    struct Row {
        int row = 0;  // index into the catalogue
        bool shown = false;
        QRectF frame;  // every row gets one; only shown rows enter the view
    };
    QString headerText;
    int headerHeight = 20;
    QList<Row> rows;  // all rows, catalogue order
    double containerHeight = 0;
    // A line is selected: the border colour row reads "Color - Line".
    bool borderRowForLine = false;
    QStringList shownTitles(const FormatRowTable &table) const;
};
FormatPlan planFormatRows(const FormatRowTable &table, const FormatPlanInput &input);

struct LayerPlan {
    struct Row {
        int objectIndex = 0;
        QString imageName;
        QString kindLabel;  // "" for kinds without one
        QString detail;     // "Layer 3\nx:12 y:40 size:100x50 opacity:45%"
        QRectF frame;
    };
    QString headerText;  // "2 layers"
    QRectF headerFrame;
    QList<Row> rows;
    double contentHeight = 0;
};
LayerPlan planLayers(const QList<SKTGraphic *> &graphics, double width);

// The layer index typed into the pop-over: the text up to its first line
// break. Empty text clears the index; text that is not a whole number is refused.
struct LayerIndexInput {
    enum class Kind { Clear, Set, Refused };
    Kind kind = Kind::Refused;
    int value = 0;
};
LayerIndexInput parseLayerIndex(const QString &text);
