#pragma once
// Where the buttons of the two preset pickers sit: shapes in rows of seven
// (column c at x = 5 + 73c, row r at y = 75r), text styles in one column
// (each 5 below the one before), every button the size of its preset.
#include "config/ShapeSelectionView.h"

#include <QList>
#include <QRect>

class PresetPickerLayout {
public:
    static QList<QRect> shapeButtonFrames(const QList<ShapeSelectionView> &presets);
    static QList<QRect> textButtonFrames(const QList<ShapeSelectionView> &presets);
};
