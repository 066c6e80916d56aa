#include "publishing/WebPreviewFolder.h"

#include "platform/FileCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

bool copyFolder(const QString &from, const QString &to)
{
    bool ok = true;
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(path));
        if (it.fileInfo().isDir())
            ok = QDir().mkpath(target) && ok;
        else
            ok = FileCopy::copyFile(path, target) && ok;
    }
    return ok;
}

}  // namespace

WebPreviewFolder::~WebPreviewFolder()
{
    removeAll();
}

QString WebPreviewFolder::makeCopy(const QString &sourceFolder, const QString &workFolder)
{
    const QString parent = QDir(workFolder).filePath(QStringLiteral("tempFiles"));
    if (!QDir().mkpath(parent) || !QFileInfo(sourceFolder).isDir())
        return {};
    QTemporaryDir folder(QDir(parent).filePath(QStringLiteral("preview-XXXXXX")));
    if (!folder.isValid())
        return {};
    folder.setAutoRemove(false);
    copies_.append(folder.path());
    if (!copyFolder(sourceFolder, folder.path()))
        return {};
    return folder.path();
}

void WebPreviewFolder::removeAll()
{
    for (const QString &copy : std::as_const(copies_))
        QDir(copy).removeRecursively();
    copies_.clear();
}

bool WebPreviewFolder::isLocalPhpPage(const QUrl &url)
{
    return url.isLocalFile() && QFileInfo(url.path()).suffix() == QLatin1String("php");
}

QString WebPreviewFolder::phpNoticeTitle()
{
    return QStringLiteral("Web Forms Do Not Show In Preview");
}

QString WebPreviewFolder::phpNoticeText()
{
    return QStringLiteral(
        "Web forms need to be published to a web host with PHP support in order to load properly.\nWhen previewed locally, only "
        "the raw source code will be visible.");
}
