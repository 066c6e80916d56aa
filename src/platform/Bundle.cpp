#include "platform/Bundle.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {

struct BundleState {
    QMutex mutex;
    QString displayName;
    QString resourcesOverride;
    QString dataOverride;
    // File name -> path, for lookups below the top of the resources folder.
    QString indexedFolder;
    QHash<QString, QString> index;
};

BundleState &state()
{
    static BundleState s;
    return s;
}

QString defaultFolder(const char *subfolder, const QString &sourceFolder)
{
    const QString share =
        QCoreApplication::instance() ? Bundle::installedShareFolder(QCoreApplication::applicationDirPath()) : QString();
    if (!share.isEmpty())
        return share + QLatin1Char('/') + QLatin1String(subfolder);
    // Run from the build tree: the source tree it was built from holds the files.
    if (QFileInfo(QFileInfo(sourceFolder).absolutePath()).isDir())
        return sourceFolder;
    return QStringLiteral(ZOV_INSTALL_DATA "/") + QLatin1String(subfolder);
}

QString fileName(const QString &name, const QString &type)
{
    if (type.isEmpty())
        return name;
    const QString dotted = type.startsWith(QLatin1Char('.')) ? type : QLatin1Char('.') + type;
    return name + dotted;
}

QString existingFile(const QString &path)
{
    return QFileInfo(path).isFile() ? QFileInfo(path).absoluteFilePath() : QString();
}

}  // namespace

bool Bundle::initialize(const QStringList &arguments, QString *error)
{
    QString edition;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--edition")) {
            if (i + 1 >= arguments.size()) {
                if (error)
                    *error = QStringLiteral("--edition needs the name of an edition");
                return false;
            }
            edition = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--edition="))) {
            edition = argument.mid(int(sizeof("--edition=") - 1));
        }
    }
    setDisplayName(edition);
    return true;
}

QString Bundle::displayName()
{
    QMutexLocker lock(&state().mutex);
    return state().displayName;
}

void Bundle::setDisplayName(const QString &name)
{
    QMutexLocker lock(&state().mutex);
    state().displayName = name;
}

QString Bundle::version()
{
    return QStringLiteral(ZOV_VERSION);
}

QString Bundle::identifier()
{
    return QStringLiteral(ZOV_IDENTIFIER);
}

QString Bundle::dropboxAppKey()
{
    return QStringLiteral(ZOV_DROPBOX_APP_KEY);
}

QString Bundle::resourcesPath()
{
    {
        QMutexLocker lock(&state().mutex);
        if (!state().resourcesOverride.isEmpty())
            return state().resourcesOverride;
    }
    return defaultFolder("resources", QStringLiteral(ZOV_SOURCE_RESOURCES));
}

QString Bundle::dataPath()
{
    {
        QMutexLocker lock(&state().mutex);
        if (!state().dataOverride.isEmpty())
            return state().dataOverride;
    }
    return defaultFolder("data", QStringLiteral(ZOV_SOURCE_DATA));
}

void Bundle::setResourcesPath(const QString &path)
{
    QMutexLocker lock(&state().mutex);
    state().resourcesOverride = path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath());
    state().indexedFolder.clear();
    state().index.clear();
}

void Bundle::setDataPath(const QString &path)
{
    QMutexLocker lock(&state().mutex);
    state().dataOverride = path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath());
}

QString Bundle::pathForResource(const QString &name, const QString &type)
{
    if (name.isEmpty())
        return {};
    const QString root = resourcesPath();
    const QString wanted = fileName(name, type);
    const QString direct = existingFile(QDir(root).filePath(wanted));
    if (!direct.isEmpty() || wanted.contains(QLatin1Char('/')))
        return direct;

    QMutexLocker lock(&state().mutex);
    BundleState &s = state();
    if (s.indexedFolder != root) {
        s.index.clear();
        QStringList paths;
        QDirIterator it(root, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            paths << it.next();
        paths.sort();  // the same answer on every machine, whatever the directory order
        for (const QString &path : std::as_const(paths)) {
            const QString file = QFileInfo(path).fileName();
            if (!s.index.contains(file))
                s.index.insert(file, path);
        }
        s.indexedFolder = root;
    }
    return existingFile(s.index.value(wanted));
}

QString Bundle::pathForResource(const QString &name, const QString &type, const QString &subfolder)
{
    if (subfolder.isEmpty())
        return pathForResource(name, type);
    if (name.isEmpty())
        return {};
    return existingFile(QDir(resourcesPath()).filePath(subfolder + QLatin1Char('/') + fileName(name, type)));
}

QString Bundle::installedShareFolder(const QString &executableFolder)
{
    const QDir bin(executableFolder);
    if (executableFolder.isEmpty() || bin.dirName() != QLatin1String("bin"))
        return {};
    const QString share = QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../share/zov")));
    return QFileInfo(share).isDir() ? share : QString();
}

QString Bundle::pathForData(const QString &relativePath)
{
    if (relativePath.isEmpty())
        return {};
    return existingFile(QDir(dataPath()).filePath(relativePath));
}
