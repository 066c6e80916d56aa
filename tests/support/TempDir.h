#pragma once
// A fresh folder per test, removed afterwards.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class TempDirTest : public ::testing::Test {
protected:
    QTemporaryDir tempDir;
    QString path(const QString &relative = {}) const
    {
        return relative.isEmpty() ? tempDir.path() : QDir(tempDir.path()).filePath(relative);
    }
};
