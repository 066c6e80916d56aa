#pragma once
// Where the shape and text preset pickers put their buttons. Shapes: rows of
// seven, column c at x = 5 + 73c, row r at y = 75r, each the preset's own
// size. Texts: one column, preset i at y = 5 + i x (h + 5).
#include "config/ShapeSelectionView.h"

#include <QList>
#include <QRect>

struct PresetButtonPlace {
    int tag = 0;  // the preset's index
    QRect frame;
};

QList<PresetButtonPlace> planShapePicker(const QList<ShapeSelectionView> &presets);
QList<PresetButtonPlace> planTextPicker(const QList<ShapeSelectionView> &presets);
