#include "sidebar/PresetPickerPlan.h"

#include <cmath>

namespace {
int whole(double v)
{
    return std::isfinite(v) ? int(std::clamp(std::trunc(v), 0.0, 10000.0)) : 0;
}
} // namespace

QList<PresetButtonPlace> planShapePicker(const QList<ShapeSelectionView> &presets)
{
    QList<PresetButtonPlace> places;
    for (qsizetype i = 0; i < presets.size(); ++i) {
        const int row = int(i / 7);
        const int column = int(i % 7);
        const QRectF &f = presets[i].frame;
        places.append({int(i), QRect(5 + 73 * column, 75 * row, whole(f.width()), whole(f.height()))});
    }
    return places;
}

QList<PresetButtonPlace> planTextPicker(const QList<ShapeSelectionView> &presets)
{
    QList<PresetButtonPlace> places;
    int y = 5;
    for (qsizetype i = 0; i < presets.size(); ++i) {
        const QRectF &f = presets[i].frame;
        const int w = whole(f.width());
        const int h = whole(f.height());
        places.append({int(i), QRect(0, y, w, h)});
        y += h + 5;
    }
    return places;
}
