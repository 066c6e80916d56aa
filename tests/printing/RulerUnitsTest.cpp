// The table of ruler units the canvas rulers read.
#include "config/RulerUnits.h"

#include <gtest/gtest.h>

#include <limits>

class RulerUnitsTest : public ::testing::Test {
protected:
    void SetUp() override { RulerUnits::reset(); }
    void TearDown() override { RulerUnits::reset(); }
};

TEST_F(RulerUnitsTest, RegisteringReplacesByNameAndRefusesUnusableFactors)
{
    ASSERT_TRUE(RulerUnits::unit("Inches"));
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 72.0);
    const qsizetype standard = RulerUnits::units().size();

    EXPECT_TRUE(RulerUnits::registerUnit({"Inches", "Inches", 300.0, {10.0}, {0.5, 0.2}}));
    EXPECT_EQ(RulerUnits::units().size(), standard);
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 300.0);

    // The rulers divide by the factor: zero, negative or non-finite ones are refused.
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(RulerUnits::registerUnit({"Inches", "Inches", bad, {10.0}, {0.5}}));
        EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 300.0);
    }
    EXPECT_FALSE(RulerUnits::registerUnit({"", "", 10.0, {}, {}}));

    EXPECT_TRUE(RulerUnits::registerUnit({"Pixels", "px", 1.0, {10.0}, {0.5}}));
    EXPECT_EQ(RulerUnits::units().size(), standard + 1);
    EXPECT_FALSE(RulerUnits::unit("inches"));

    RulerUnits::reset();
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 72.0);
    EXPECT_FALSE(RulerUnits::unit("Pixels"));
}
