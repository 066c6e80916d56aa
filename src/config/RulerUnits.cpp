#include "config/RulerUnits.h"

#include <cmath>

namespace {

// The standard units before any print sheet is chosen: one canvas pixel is
// one point.
const QList<RulerUnit> &standardUnits()
{
    static const QList<RulerUnit> units = {
        {QStringLiteral("Inches"), QStringLiteral("in"), 72.0, {2.0}, {0.5, 0.25}},
        {QStringLiteral("Centimeters"), QStringLiteral("cm"), 72.0 / 2.54, {2.0}, {0.5, 0.2}},
        {QStringLiteral("Points"), QStringLiteral("pt"), 1.0, {10.0}, {0.5, 0.2}},
        {QStringLiteral("Picas"), QStringLiteral("pc"), 12.0, {10.0}, {0.5}},
    };
    return units;
}

QList<RulerUnit> &registry()
{
    static QList<RulerUnit> units = standardUnits();
    return units;
}

} // namespace

bool RulerUnits::registerUnit(const RulerUnit &unit)
{
    if (unit.name.isEmpty() || !std::isfinite(unit.pixelsPerUnit) || unit.pixelsPerUnit <= 0.0)
        return false;
    QList<RulerUnit> &units = registry();
    for (RulerUnit &existing : units) {
        if (existing.name == unit.name) {
            existing = unit;
            return true;
        }
    }
    units.append(unit);
    return true;
}

std::optional<RulerUnit> RulerUnits::unit(const QString &name)
{
    for (const RulerUnit &existing : registry()) {
        if (existing.name == name)
            return existing;
    }
    return std::nullopt;
}

QList<RulerUnit> RulerUnits::units()
{
    return registry();
}

void RulerUnits::reset()
{
    registry() = standardUnits();
}
