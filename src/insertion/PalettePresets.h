#pragma once
// The palette presets of data/drop_presets.tsv: text boxes, markups,
// shapes, callouts, lines and bubbles that a dropped code name makes with
// one call of a maker. One entry point for the canvas's drop dispatcher:
// insert(code name, point, zoom) answers whether it knew the code.
#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringList>

class InsertionFrame;

class PalettePresets {
public:
    // The table as the program's data folder holds it (read once).
    static const PalettePresets &shared();
    // A table from its lines (comments and blank lines already left out).
    static PalettePresets fromLines(const QStringList &lines);

    bool contains(const QString &code) const { return m_rows.contains(code); }
    QStringList codes() const { return m_order; }
    // Makes the preset's objects at the drop point as one undo step; false
    // when the code is not in the table (nothing is inserted).
    bool insert(InsertionFrame &frame, const QString &code, const QPointF &point, double zoom) const;

    // A size of the table at the zoom ("25/z", "stroke", "W*0.75", "Wdiv500*30", ...).
    static int32_t evaluate(const QString &cell, double zoom, int32_t fallback);
    // A coordinate: px, py, px+size, py-size or a size.
    static double coordinate(const QString &cell, const QPointF &point, double zoom);

private:
    QHash<QString, QStringList> m_rows;
    QStringList m_order;
};
