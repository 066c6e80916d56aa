#include "document/PagePackage.h"

#include "platform/PageZip.h"

#include <QDir>
#include <QFileInfo>

bool PagePackage::zip(const QString &folder, const QString &packagePath, bool mirrored)
{
    const QString pageFolder = QDir::cleanPath(folder);
    PageZip archive;
    if (!archive.NewZip(packagePath)) {
        zipLog_ = archive.LastErrorText();
        return false;
    }
    if (mirrored) {
        archive.setAppendFromDir(QFileInfo(pageFolder).absolutePath());
        // The folder's own entry first, then everything below it.
        if (!archive.AppendFiles(QFileInfo(pageFolder).fileName(), true)) {
            zipLog_ = archive.LastErrorText();
            return false;
        }
    } else {
        archive.setAppendFromDir(pageFolder);
        if (!QFileInfo(pageFolder).isDir() || !archive.AppendFiles(pageFolder + QStringLiteral("/*"), true)) {
            zipLog_ = QFileInfo(pageFolder).isDir() ? archive.LastErrorText()
                                                   : QStringLiteral("The page folder %1 does not exist.").arg(pageFolder);
            return false;
        }
    }

    // The page file and the two screenshots lie beside the folder; each is optional.
    QStringList beside;
    if (mirrored) {
        beside << pageFolder + QStringLiteral(".html") << pageFolder + QStringLiteral(".php");
    } else {
        const bool forms = QFileInfo(packagePath).suffix() == QLatin1String("trelkoforms");
        beside << pageFolder + (forms ? QStringLiteral(".php") : QStringLiteral(".html"));
    }
    beside << pageFolder + QStringLiteral(".png") << pageFolder + QStringLiteral("@2x.png");
    for (const QString &file : std::as_const(beside)) {
        if (QFileInfo(file).isFile() && !archive.AppendFiles(file, false)) {
            zipLog_ = archive.LastErrorText();
            return false;
        }
    }

    if (!archive.WriteZipAndClose()) {
        zipLog_ = archive.LastErrorText();
        return false;
    }
    zipLog_ = QStringLiteral("Zip Created!");
    return true;
}

bool PagePackage::zipDocument(const QString &folder, const QString &packagePath)
{
    return zip(folder, packagePath, false);
}

bool PagePackage::zipDocument_mailchimp(const QString &folder, const QString &packagePath)
{
    return zip(folder, packagePath, true);
}

bool PagePackage::unzipDocument(const QString &packagePath, const QString &targetFolder)
{
    PageZip archive;
    if (!archive.OpenZip(packagePath)) {
        zipLog_ = archive.LastErrorText();
        return false;
    }
    const int32_t files = archive.Unzip(targetFolder);
    if (files < 0) {
        zipLog_ = archive.LastErrorText();
        return false;
    }
    zipLog_ = QStringLiteral("Unzipped %1 files").arg(files);
    return true;
}
