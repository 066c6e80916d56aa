#pragma once
// Points UserDefaults::standard() at a fresh file for the life of this object, so a
// test starts from empty defaults and leaves nothing behind for the next one.
#include "platform/UserDefaults.h"

#include <QTemporaryDir>

class ScopedUserDefaults {
public:
    ScopedUserDefaults() { UserDefaults::setStandardFilePath(dir_.filePath("zov.ini")); }
    ~ScopedUserDefaults() { UserDefaults::setStandardFilePath({}); }
    ScopedUserDefaults(const ScopedUserDefaults &) = delete;
    ScopedUserDefaults &operator=(const ScopedUserDefaults &) = delete;

    UserDefaults &defaults() { return UserDefaults::standard(); }

private:
    QTemporaryDir dir_;
};
