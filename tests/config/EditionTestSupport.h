#pragma once
// Runs the edition chain as a launch under a given display name would, with
// the user defaults in a throw-away file.
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "platform/Bundle.h"
#include "platform/UserDefaults.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class EditionTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        UserDefaults::setStandardFilePath(dir.filePath(QStringLiteral("defaults.ini")));
        EditionSettings::resetToInitialState();
    }
    void TearDown() override
    {
        Bundle::setDisplayName({});
        UserDefaults::setStandardFilePath({});
        EditionSettings::resetToInitialState();
    }
    static void launch(const QString &displayName)
    {
        EditionSettings::resetToInitialState();
        Bundle::setDisplayName(displayName);
        DataCentre::runAppSpecificSetups();
    }
    static UserDefaults &defaults() { return UserDefaults::standard(); }
};
