#include "insertion/InsertionPlacement.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *name;
    QRectF rect;
    QList<QRectF> occupied;
    QRectF visible;
    QRectF page;
    QRectF expected;
};

class InsertionPlacementTest : public ::testing::TestWithParam<Case> {};

TEST_P(InsertionPlacementTest, FindsTheFreeSpot)
{
    const Case &c = GetParam();
    EXPECT_EQ(InsertionPlacement::freeSpot(c.rect, c.occupied, c.visible, c.page), c.expected) << c.name;
}

const QRectF kVisible(0, 0, 800, 600);
const QRectF kPage(0, 0, 1000, 2000);

INSTANTIATE_TEST_SUITE_P(
    Cases, InsertionPlacementTest,
    ::testing::Values(
        Case{"a free point is kept", QRectF(100, 30, 200, 50), {QRectF(400, 400, 50, 50)}, kVisible, kPage,
             QRectF(100, 30, 200, 50)},
        Case{"below what covers the point", QRectF(100, 30, 200, 50), {QRectF(90, 20, 300, 40)}, kVisible, kPage,
             QRectF(100, 70, 200, 50)},
        Case{"down past a stack of objects", QRectF(100, 30, 200, 50),
             {QRectF(100, 30, 200, 50), QRectF(100, 90, 200, 50)}, kVisible, kPage, QRectF(100, 150, 200, 50)},
        Case{"to the right when the column is full", QRectF(100, 30, 200, 300),
             {QRectF(100, 30, 200, 300), QRectF(100, 340, 200, 250)}, kVisible, kPage, QRectF(310, 30, 200, 300)},
        Case{"a wide object only has to fit the height", QRectF(20, 30, 1200, 50), {QRectF(100, 30, 300, 150)},
             kVisible, kPage, QRectF(20, 190, 1200, 50)},
        Case{"further down the page when the visible area is full", QRectF(100, 30, 200, 50),
             {QRectF(0, 0, 800, 600).adjusted(1, 1, -1, -1)}, kVisible, kPage, QRectF(100, 609, 200, 50)},
        Case{"cascades when the page is full", QRectF(100, 30, 200, 50),
             {QRectF(0, 0, 1000, 2000).adjusted(1, 1, -1, -1), QRectF(100, 30, 10, 10)}, kVisible, kPage,
             QRectF(120, 50, 200, 50)}),
    [](const ::testing::TestParamInfo<Case> &info) { return "case" + std::to_string(info.index); });

}  // namespace
