#include "generation/JqueryFiles.h"

#include "platform/Bundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList JqueryFiles::fileNames()
{
    return {QStringLiteral("jquery-2.2.2.min.js"), QStringLiteral("bootstrap.min.js"),
            QStringLiteral("bootstrap.min.css")};
}

QString JqueryFiles::resourcePath(const QString &fileName)
{
    // The top of the resources folder (installed program, or a test's own folder),
    // then the build tree, where the build copied them from npm.
    const QString top = QDir(Bundle::resourcesPath()).filePath(fileName);
    if (QFileInfo(top).isFile())
        return top;
    const QString built = QDir(QStringLiteral(ZOV_BUILD_RESOURCES)).filePath(fileName);
    if (QFileInfo(built).isFile())
        return built;
    return {};
}

int JqueryFiles::transferTo(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return 0;
    int copied = 0;
    for (const QString &name : fileNames()) {
        const QString target = QDir(folder).filePath(name);
        if (QFileInfo::exists(target))
            continue;
        const QString source = resourcePath(name);
        if (!source.isEmpty() && QFile::copy(source, target))
            ++copied;
    }
    return copied;
}
