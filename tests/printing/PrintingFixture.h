#pragma once
// Fresh edition settings, standard ruler units and a loaded sheet catalogue for
// every test, with the print view at its usual 144 units per inch; no edition
// chain is needed.
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "config/RulerUnits.h"

#include <gtest/gtest.h>

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        RulerUnits::reset();
        gPrintPixelsPerInch = 144.0f;
        DataCentre::loadPrintLabels();
    }

    void TearDown() override
    {
        EditionSettings::resetToInitialState();
        RulerUnits::reset();
        gPrintLabels.clear();
    }

    static LabelHelperPtr sheet(const char *description)
    {
        for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
            if (row->printDescription == QLatin1String(description))
                return row;
        }
        ADD_FAILURE() << "no sheet " << description;
        return nullptr;
    }
};
