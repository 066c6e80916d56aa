#include "window/TrashMover.h"

#include "platform/Alerts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
TrashMover::Mover &customMover()
{
    static TrashMover::Mover mover;
    return mover;
}
}  // namespace

void TrashMover::setMover(Mover mover)
{
    customMover() = std::move(mover);
}

bool TrashMover::moveToTrash(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    if (customMover())
        return customMover()(path, error);
    // Without the user's data folder, Qt's trash lands in the working
    // folder ("files" and "info" wherever the program was started): make
    // the folder first, as a desktop session would have.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome)) {
        if (error)
            *error = QStringLiteral("there is no folder for the trash");
        return false;
    }
    QFile file(path);
    if (file.moveToTrash())
        return true;
    if (error)
        *error = file.errorString().isEmpty() ? QStringLiteral("the trash refused it") : file.errorString();
    return false;
}

void TrashMover::moveAllToTrash(const QStringList &paths, QObject *window,
                                const std::function<void(const QStringList &left)> &done)
{
    QStringList left;
    QStringList reasons;
    for (const QString &path : paths) {
        QString why;
        if (!moveToTrash(path, &why)) {
            left << path;
            reasons << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
        }
    }
    if (left.isEmpty()) {
        if (done)
            done({});
        return;
    }
    Alert alert;
    alert.messageText = QStringLiteral("Not Moved To Trash");
    alert.informativeText = QStringLiteral("These could not be moved to the trash and are still there:\n\n%1")
                                .arg(reasons.join(QLatin1Char('\n')));
    alert.buttons = {QStringLiteral("Try Again"), QStringLiteral("Keep Them")};
    Alerts::ask(alert, window, [left, window, done](int response) {
        if (response == Alert::FirstButton)
            moveAllToTrash(left, window, done);
        else if (done)
            done(left);
    });
}
