#pragma once
// Moving the user's files to the desktop trash instead of deleting them: a
// deleted page, a page dropped in the settings sheet or a replaced export
// folder can be brought back. When the trash refuses, the user is asked
// again ("Try Again") or may keep the files where they are.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class TrashMover {
public:
    // Moves one file or folder; false with the reason when the trash refused.
    static bool moveToTrash(const QString &path, QString *error = nullptr);
    // Moves every path; what the trash refused is offered again until it
    // goes or the user gives up. done gets the paths that are still there.
    static void moveAllToTrash(const QStringList &paths, QObject *window,
                               const std::function<void(const QStringList &left)> &done = {});

    // Replaces the desktop trash (tests make it refuse); empty restores it.
    using Mover = std::function<bool(const QString &path, QString *error)>;
    static void setMover(Mover mover);
};
