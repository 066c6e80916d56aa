#pragma once
// The named units the canvas rulers can show, with how many canvas pixels make
// one unit. Selecting a print sheet re-registers "Inches" and "Centimeters"
// with the sheet's pixel factor, so the rulers read canvas pixels as physical
// lengths on the printed piece.
#include <QList>
#include <QString>

#include <optional>

struct RulerUnit {
    QString name;
    QString abbreviation;
    double pixelsPerUnit = 0.0;
    QList<double> stepUpCycle;
    QList<double> stepDownCycle;
};

class RulerUnits {
public:
    RulerUnits() = delete;

    // Adds a unit, or replaces the one of the same name. A unit whose pixels
    // per unit is not a finite positive number is refused (returns false): the
    // rulers divide by it.
    static bool registerUnit(const RulerUnit &unit);
    static std::optional<RulerUnit> unit(const QString &name);
    static QList<RulerUnit> units();

    // Back to the standard units at 72 pixels per inch.
    static void reset();
};
