#include "config/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

QString findUnder(const QStringList &roots, const QString &relative)
{
    for (const QString &root : roots) {
        const QString candidate = QDir(root).filePath(relative);
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

} // namespace

QString DataFiles::dataPath(const QString &relative)
{
    return findUnder({QStringLiteral(ZOV_INSTALL_DATA "/data"), QStringLiteral(ZOV_SOURCE_DATA)}, relative);
}

QString DataFiles::resourcePath(const QString &relative)
{
    // The build tree holds what the build copies in (the web fonts).
    return findUnder({QStringLiteral(ZOV_INSTALL_DATA "/resources"), QStringLiteral(ZOV_BUILD_RESOURCES),
                      QStringLiteral(ZOV_SOURCE_RESOURCES)},
                     relative);
}

QByteArray DataFiles::readData(const QString &relative)
{
    const QString path = dataPath(relative);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList DataFiles::readDataLines(const QString &relative)
{
    QStringList lines;
    const QString text = QString::fromUtf8(readData(relative));
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    }
    return lines;
}
