#include "window/PresetPickerLayout.h"

QList<QRect> PresetPickerLayout::shapeButtonFrames(const QList<ShapeSelectionView> &presets)
{
    QList<QRect> frames;
    for (int i = 0; i < presets.size(); ++i) {
        const int row = i / 7;
        const int column = i % 7;
        const QRectF &f = presets.at(i).frame;
        frames << QRect(5 + 73 * column, 75 * row, int(f.width()), int(f.height()));
    }
    return frames;
}

QList<QRect> PresetPickerLayout::textButtonFrames(const QList<ShapeSelectionView> &presets)
{
    QList<QRect> frames;
    int y = 5;
    for (const ShapeSelectionView &preset : presets) {
        const int w = int(preset.frame.width());
        const int h = int(preset.frame.height());
        frames << QRect(0, y, w, h);
        y += h + 5;
    }
    return frames;
}
