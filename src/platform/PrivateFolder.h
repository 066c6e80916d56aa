#pragma once
// A folder of the program's own that holds what nobody else may read (trusted
// certificates, known hosts, settings, contacts): made owner-only (0700) when
// the program makes it, whichever part of the program gets there first.
#include <QString>

class PrivateFolder {
public:
    PrivateFolder() = delete;

    // Makes the folder (and its missing parents) when it does not exist; the
    // folder itself is then 0700. A folder that exists keeps its permissions.
    // False when it could not be made.
    static bool ensure(const QString &path);
};
