#pragma once
// The FORMAT tab's rows, read once from data/format_rows.tsv in catalogue
// order: which selected kinds use a row, in which edition families it is
// offered, its height, the inspector controls it holds, and the kinds that
// responsive editions keep from showing it.
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// Where one control or caption of a row stands, in the row's top-down coordinates.
struct FormatRowPlacement {
    bool caption = false;
    QString name;  // the control, or the caption's text
    double x = 0, y = 0, width = 0, height = 0;
    bool widthFromInspector = false;  // width is the inspector's width plus `width` (negative)
    QRectF frame(double inspectorWidth) const
    {
        return QRectF(x, y, widthFromInspector ? inspectorWidth + width : width, height);
    }
};

struct FormatRowSpec {
    QString title;
    QString imageName;
    QString codeName;       // colour rows: their swatch button; "ImageMask"; else "zov_textbox"
    QStringList kinds;      // "Text", "Image", "Line", "Section", "Table", "Slideshow", "Gallery", "Canvas"
    QStringList families;   // expanded family keys, or "All"
    int height = 0;         // 0: the default row height
    QStringList controls;   // control names, in the order they are added to the row
    QList<FormatRowPlacement> placements;
    QString description;
};

struct FormatRowExclusion {
    QString title;
    QString kind;
    QString edition;  // empty: every responsive edition
};

struct FormatRowTable {
    QList<FormatRowSpec> rows;
    QList<FormatRowExclusion> exclusions;
};

class FormatRowCatalogue {
public:
    FormatRowCatalogue() = delete;
    static const FormatRowTable &table();
    static FormatRowTable parse(const QString &text, QString *error = nullptr);
    static QString dataFilePath();
    static constexpr int kDefaultRowHeight = 100;
};
