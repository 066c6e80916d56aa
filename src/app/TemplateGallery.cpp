#include "app/TemplateGallery.h"

#include "app/TemplateCategoryTable.h"
#include "document/PagePackage.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Listing order is the platform's; sorted by name it is the same on every machine.
QStringList sortedEntries(const QString &folder, QDir::Filters filters)
{
    return QDir(folder).entryList(filters | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList packagesIn(const QString &folder, const QString &extension)
{
    QStringList packages;
    for (const QString &name : sortedEntries(folder, QDir::Files))
        if (TemplateGallery::isTemplatePackage(name, extension))
            packages << name;
    return packages;
}

// A thumbnail is at most a 200 square: a huge or broken picture must not cost
// more than that to read.
QImage readPicture(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setAllocationLimit(256);
    return reader.read();
}

}  // namespace

QList<TemplateCategory> TemplateGallery::prepTemplateCategories(const QString &edition, QString *categoryFolder)
{
    return TemplateCategoryTable::shared().categoriesFor(edition, categoryFolder);
}

bool TemplateGallery::isTemplatePackage(const QString &fileName, const QString &documentExtension)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.isEmpty())
        return false;
    return suffix == QLatin1String("trelkoforms") || (!documentExtension.isEmpty() && suffix == documentExtension);
}

QString TemplateGallery::pageExtensionForPackage(const QString &packageName)
{
    static const QStringList htmlPackages{
        QStringLiteral("zovpage"),   QStringLiteral("zel"),      QStringLiteral("quandrel"),
        QStringLiteral("kx"),        QStringLiteral("vtq"),      QStringLiteral("glentormails"),
        QStringLiteral("quorle"),    QStringLiteral("mollivan"), QStringLiteral("haverloft"),
        QStringLiteral("morvanlog"), QStringLiteral("pelprofile"), QStringLiteral("profile")};
    const QString suffix = QFileInfo(packageName).suffix();
    if (suffix == QLatin1String("trelkoforms"))
        return QStringLiteral("php");
    return htmlPackages.contains(suffix) ? QStringLiteral("html") : QString();
}

QSize TemplateGallery::returnNewSize(const QSize &size, int side)
{
    const qint64 w = size.width() > 0 ? size.width() : 1;
    const qint64 h = size.height() > 0 ? size.height() : 1;
    if (w < h)
        return QSize(int(w * side / h), side);
    return QSize(side, int(h * side / w));
}

bool TemplateGallery::copyFolder(const QString &from, const QString &to)
{
    if (!QFileInfo(from).isDir() || !QDir().mkpath(to))
        return false;
    bool whole = true;
    for (const QFileInfo &entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isSymLink())
            continue;  // a link could lead anywhere; templates never need one
        if (entry.isDir())
            whole = copyFolder(entry.filePath(), target) && whole;
        else
            whole = QFile::copy(entry.filePath(), target) && whole;
    }
    return whole;
}

QString TemplateGallery::migratePage(const QString &package, const QString &destination)
{
    QDir(destination).removeRecursively();
    PagePackage transport;
    const bool unzipped = transport.unzipDocument(package, destination);
    if (!unzipped) {
        // Nothing half-unpacked may stay behind to be taken for a template.
        QDir(destination).removeRecursively();
        return {};
    }
    const QString extension = pageExtensionForPackage(package);
    for (const QString &name : sortedEntries(destination, QDir::Files)) {
        if (extension.isEmpty() || QFileInfo(name).suffix() != extension)
            continue;
        const QString page = QFileInfo(name).completeBaseName();
        const QString retina = QDir(destination).filePath(page + QStringLiteral("@2x.png"));
        return QFileInfo(retina).isFile() ? retina : QDir(destination).filePath(page + QStringLiteral(".png"));
    }
    return {};
}

void TemplateGallery::RefreshFileList(const Input &input, const QList<TemplateCategory> &categories, bool copy)
{
    if (copy) {
        QDir(input.workTemplatesFolder).removeRecursively();
        if (!copyFolder(input.bundleTemplatesFolder, input.workTemplatesFolder))
            qInfo().noquote() << "templates: the work copy of" << input.bundleTemplatesFolder << "is incomplete";
    }
    for (const TemplateCategory &category : categories) {
        const QString folder = category.categoryFolderName();
        if (folder == QLatin1String("all"))
            continue;
        const QString work = QDir(input.workTemplatesFolder).filePath(folder);
        for (const QString &name : packagesIn(QDir(input.bundleTemplatesFolder).filePath(folder), input.documentExtension)) {
            const QString package = QDir(work).filePath(name);
            const QString destination = QDir(work).filePath(QFileInfo(name).completeBaseName());
            if (input.responsive) {
                QDir(destination).removeRecursively();
                PagePackage transport;
                if (!transport.unzipDocument(package, destination))
                    QDir(destination).removeRecursively();
            } else {
                migratePage(package, destination);
            }
        }
    }
}

void TemplateGallery::PopulateTemplateIcons(const Input &input, const QList<TemplateCategory> &categories, Result &result)
{
    result.icons.clear();
    result.pageNames.clear();
    for (const TemplateCategory &category : categories) {
        const QString folder = category.categoryFolderName();
        if (folder == QLatin1String("all"))
            continue;
        const QString dir = QDir(input.workTemplatesFolder).filePath(folder);
        const QStringList packages = packagesIn(dir, input.documentExtension);
        for (const QString &sub : sortedEntries(dir, QDir::Dirs)) {
            const QString unpacked = QDir(dir).filePath(sub);
            const QStringList pages = QDir(unpacked).entryList({QStringLiteral("*.html"), QStringLiteral("*.php")},
                                                               QDir::Files, QDir::Name);
            if (pages.size() != 1)
                continue;
            QString package;
            for (const QString &candidate : packages)
                if (QFileInfo(candidate).completeBaseName() == sub)
                    package = candidate;
            // A folder that no package of the category explains is not a template.
            if (package.isEmpty())
                continue;
            const QString page = QFileInfo(pages.first()).completeBaseName();
            const QImage picture = readPicture(QDir(unpacked).filePath(page + QStringLiteral("@2x.png")));
            TemplateIcon icon;
            icon.fileName = package;
            icon.categoryFolder = folder;
            icon.size = returnNewSize(picture.size());
            if (!picture.isNull())
                icon.image = picture.scaled(icon.size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            result.icons.append(icon);
        }
        result.pageNames += packages;
    }
}

TemplateGallery::Result TemplateGallery::prepTemplatesInBackground(const Input &input)
{
    Result result;
    result.categories = prepTemplateCategories(input.edition, &result.categoryFolder);
    RefreshFileList(input, result.categories, input.copyNeeded);
    result.copied = input.copyNeeded;
    PopulateTemplateIcons(input, result.categories, result);
    result.passes = 1;
    if (result.icons.isEmpty()) {
        // Once more from a fresh copy (the work copy may have been removed
        // under us); then the chooser opens, empty if need be.
        RefreshFileList(input, result.categories, true);
        result.copied = true;
        PopulateTemplateIcons(input, result.categories, result);
        result.passes = 2;
    }
    return result;
}
