// The preset pickers' button places: shapes seven a row, texts in a column.
#include "sidebar/PresetPickerPlan.h"

#include <gtest/gtest.h>

TEST(PresetPickerPlanTest, ShapesInRowsOfSevenAndTextsInAColumn)
{
    QList<ShapeSelectionView> shapes;
    for (int i = 0; i < 14; ++i)
        shapes.append(ShapeSelectionView(QRectF(0, 0, i % 7 == 3 ? 70 : 52.5, i % 7 == 5 ? 7 : 70.9)));
    const QList<PresetButtonPlace> s = planShapePicker(shapes);
    ASSERT_EQ(s.size(), 14);
    struct Case {
        int tag;
        QRect frame;
    } expected[] = {{0, {5, 0, 52, 70}}, {3, {224, 0, 70, 70}}, {6, {443, 0, 52, 70}}, {12, {370, 75, 52, 7}}};
    for (const Case &c : expected)
        EXPECT_EQ(s[c.tag].frame, c.frame) << c.tag;

    QList<ShapeSelectionView> texts(3, ShapeSelectionView(QRectF(0, 0, 400, 42)));
    texts.append(ShapeSelectionView(QRectF(0, 0, qInf(), -3)));
    const QList<PresetButtonPlace> t = planTextPicker(texts);
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(t[0].frame, QRect(0, 5, 400, 42));
    EXPECT_EQ(t[2].frame, QRect(0, 5 + 2 * 47, 400, 42));
    EXPECT_EQ(t[3].frame, QRect(0, 5 + 3 * 47, 0, 0)) << "a preset without a usable size gets none";
}
