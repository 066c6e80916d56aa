#include "window/ProjectScan.h"

#include "config/EditionSettings.h"
#include "config/DataCentreMarkers.h"
#include "config/DataCentreProfileFields.h"
#include "document/SKTDocument.h"
#include "document/PageEditingCopy.h"
#include "platform/SafeFileWrite.h"
#include "platform/UserDefaults.h"
#include "platform/WorkFolder.h"
#include "document/PagePackage.h"
#include "window/PageOrderFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>
#include <cstdio>

namespace {
const QString kFormsExtension = QStringLiteral("trelkoforms");
// What the work copy holds: per package name the size and time it was
// unpacked at and what was read from it.
const QString kManifestName = QStringLiteral(".pages.json");

QString workFolder()
{
    return gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
}

QJsonObject toJson(const PageEntry &e, qint64 size, qint64 time)
{
    return QJsonObject{{"size", QString::number(size)},
                       {"time", QString::number(time)},
                       {"imagePath", QFileInfo(e.imagePath).fileName()},
                       {"imageWidth", e.imageSize.width()},
                       {"imageHeight", e.imageSize.height()},
                       {"pageTitle", e.pageTitle},
                       {"pageWidth", e.pageWidth},
                       {"pagePublishFileName", e.pagePublishFileName},
                       {"pageLocalFileName", e.pageLocalFileName},
                       {"useBaseTemplateFlag", e.useBaseTemplateFlag},
                       {"inheritMetadataFlag", e.inheritMetadataFlag},
                       {"inheritCustomHeaderCodeFlag", e.inheritCustomHeaderCodeFlag},
                       {"oldPelprofileFlag", e.oldPelprofileFlag}};
}

PageEntry fromJson(const QJsonObject &o, const QString &workCopy)
{
    PageEntry e;
    const QString image = o.value("imagePath").toString();
    e.imagePath = image.isEmpty() ? QString() : QDir(workCopy).filePath(image);
    e.imageSize = QSize(o.value("imageWidth").toInt(), o.value("imageHeight").toInt());
    if (!e.imageSize.isValid() || e.imageSize.isEmpty())
        e.imageSize = QSize();
    e.pageTitle = o.value("pageTitle").toString();
    e.pageWidth = o.value("pageWidth").toString();
    e.pagePublishFileName = o.value("pagePublishFileName").toString();
    e.pageLocalFileName = o.value("pageLocalFileName").toString();
    e.useBaseTemplateFlag = o.value("useBaseTemplateFlag").toInt();
    e.inheritMetadataFlag = o.value("inheritMetadataFlag").toInt();
    e.inheritCustomHeaderCodeFlag = o.value("inheritCustomHeaderCodeFlag").toInt();
    e.oldPelprofileFlag = o.value("oldPelprofileFlag").toBool();
    return e;
}

QJsonObject readManifest(const QString &workCopy)
{
    QFile f(QDir(workCopy).filePath(kManifestName));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

// The page file's extension inside a package of that extension.
QString sourceExtensionOf(const QString &packageExtension)
{
    return packageExtension == kFormsExtension ? QStringLiteral("php") : QStringLiteral("html");
}

// A rename within the work copy; the target name was chosen free.
bool moveFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString formatFileTime(const QDateTime &time)
{
    return QLocale::c().toString(time, QStringLiteral("MMM dd yyyy h:mm AP"));
}
} // namespace

bool ProjectScan::isPageFileName(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix();
    return !ext.isEmpty() && (ext == gDocumentExtension || ext == kFormsExtension);
}

bool ProjectScan::existsIgnoringCase(const QString &folder, const QString &name)
{
    if (QFileInfo::exists(QDir(folder).filePath(name)))
        return true;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString ProjectScan::workCopyPathFor(const QString &projectFolder)
{
    if (projectFolder.isEmpty())
        return {};
    QString canonical = QFileInfo(projectFolder).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(QFileInfo(projectFolder).absoluteFilePath());
    QString name = QFileInfo(canonical).fileName();
    name.remove(QLatin1Char(' '));
    // The name alone would give two projects of one folder name one work copy.
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(10);
    return QDir(QDir(workFolder()).filePath(gReceivedPagesFolder)).filePath(name + QLatin1Char('-') + QString::fromLatin1(hash));
}

QString ProjectScan::resetAndGrabCurrentWebsiteFolderPath()
{
    openWebsiteFolder = QFileInfo(QDir::cleanPath(openWebsiteFolderPath)).fileName();
    openWebsiteFolder.remove(QLatin1Char(' '));
    openWebsiteFolderTempPath = workCopyPathFor(openWebsiteFolderPath);
    if (!openWebsiteFolder.isEmpty() && !openWebsiteFolderTempPath.isEmpty())
        QDir().mkpath(openWebsiteFolderTempPath);
    return openWebsiteFolderPath;
}

QString ProjectScan::grabPathOfFirstFile(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names)
        if (isPageFileName(name))
            return QDir(folder).filePath(name);
    return {};
}

QString ProjectScan::grabPageWidth(const QString &text)
{
    static const QString marker = QStringLiteral("<meta name='viewport' content='width=");
    QString width;
    // Each line holding the marker, the last one winning; only those lines
    // are looked at.
    for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, at + 1)) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            end = text.size();
        const qsizetype from = at + marker.size();
        const QStringView rest = QStringView(text).mid(from, std::max<qsizetype>(0, end - from - 2));
        qsizetype i = 0;
        while (i < rest.size() && rest.at(i).isSpace())
            ++i;
        qsizetype stop = i;
        if (stop < rest.size() && (rest.at(stop) == QLatin1Char('-') || rest.at(stop) == QLatin1Char('+')))
            ++stop;
        while (stop < rest.size() && rest.at(stop).isDigit())
            ++stop;
        bool ok = false;
        const int value = rest.mid(i, stop - i).toInt(&ok);
        width = QString::number(ok ? value : 0);
    }
    return width;
}

QSize ProjectScan::pngSize(const QString &path)
{
    // The size stands in the PNG header: signature, IHDR length and type,
    // then width and height, big-endian.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const QByteArray head = file.read(24);
    if (head.size() < 24 || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR")
        return {};
    auto number = [&](int at) {
        return (quint32(uchar(head[at])) << 24) | (quint32(uchar(head[at + 1])) << 16) | (quint32(uchar(head[at + 2])) << 8)
               | quint32(uchar(head[at + 3]));
    };
    const quint32 w = number(16), h = number(20);
    if (w == 0 || h == 0 || w > 1000000 || h > 1000000)
        return {};
    return {int(w), int(h)};
}

void ProjectScan::removeUnpacked(const QString &localFileName)
{
    if (localFileName.isEmpty() || openWebsiteFolderTempPath.isEmpty())
        return;
    const QString stem = QFileInfo(localFileName).completeBaseName();
    const QDir dir(openWebsiteFolderTempPath);
    QFile::remove(dir.filePath(localFileName));
    QFile::remove(dir.filePath(stem + QStringLiteral(".png")));
    QFile::remove(dir.filePath(stem + QStringLiteral("@2x.png")));
    QDir(dir.filePath(stem)).removeRecursively();
}

QString ProjectScan::freeStem(const QString &packagePath, const QSet<QString> &reserved) const
{
    const QFileInfo package(packagePath);
    const QString S = package.completeBaseName();
    const QString dotE = QLatin1Char('.') + sourceExtensionOf(package.suffix());
    const QDir work(openWebsiteFolderTempPath);
    QString N = S;
    for (int n = 4; reserved.contains(N) || QFileInfo::exists(work.filePath(N + dotE)) || QFileInfo::exists(work.filePath(N));
         ++n)
        N = S + QString::number(n);
    return N;
}

QString ProjectScan::migratePage(const QString &packagePath)
{
    return unpackAt(packagePath, freeStem(packagePath, {}));
}

QString ProjectScan::unpackAt(const QString &packagePath, const QString &N) const
{
    const QFileInfo package(packagePath);
    const QString S = package.completeBaseName();
    const QDir work(openWebsiteFolderTempPath);
    const QString E = sourceExtensionOf(package.suffix());
    const QString dotE = QLatin1Char('.') + E;
    // Unpacked into the page folder's place; the page file and the
    // screenshots then move beside it. A package that cannot be unpacked
    // leaves nothing behind.
    const QString folder = work.filePath(N);
    PagePackage transport;
    if (!transport.unzipDocument(packagePath, folder)) {
        QDir(folder).removeRecursively();
        return {};
    }
    // A page saved under its package's name holds S.E; a page made from a
    // template holds the template's name.
    QString G;
    if (QFileInfo(QDir(folder).filePath(S + dotE)).isFile()) {
        G = S + dotE;
    } else {
        const QStringList items = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &item : items)
            if (QFileInfo(item).suffix() == E) {
                G = item;
                break;
            }
    }
    if (G.isEmpty() || !moveFile(QDir(folder).filePath(G), work.filePath(N + dotE))) {
        QDir(folder).removeRecursively();
        return {};
    }
    const QString Q = QFileInfo(G).completeBaseName();
    for (const QString &suffix : {QStringLiteral(".png"), QStringLiteral("@2x.png")})
        moveFile(QDir(folder).filePath(Q + suffix), work.filePath(N + suffix));
    const QString retina = work.filePath(N + QStringLiteral("@2x.png"));
    return QFileInfo::exists(retina) ? retina : work.filePath(N + QStringLiteral(".png"));
}

bool ProjectScan::readEntry(const QString &projectFolder, const QString &fileName, PageEntry &entry,
                            const QString &stem) const
{
    const QString packagePath = QDir(projectFolder).filePath(fileName);
    const QString S = QFileInfo(fileName).completeBaseName();
    const QString ext = QFileInfo(fileName).suffix();
    const QDir work(openWebsiteFolderTempPath);
    QString screenshot;
    if (gResponsiveEdition) {
        PagePackage transport;
        if (!transport.unzipDocument(packagePath, openWebsiteFolderTempPath))
            return false;
        screenshot = work.filePath(S + QStringLiteral("@2x.png"));
    } else {
        screenshot = unpackAt(packagePath, stem.isEmpty() ? freeStem(packagePath, {}) : stem);
        if (screenshot.isEmpty()) {
            qWarning() << "could not find any files unzipped" << packagePath;
            return false;
        }
    }
    entry.imagePath = screenshot;
    entry.imageSize = pngSize(screenshot);
    QString sourceExt = ext == kFormsExtension ? QStringLiteral("php")
                        : ext == gDocumentExtension ? QStringLiteral("html")
                                                    : QString();
    if (gResponsiveEdition)
        sourceExt = QFileInfo::exists(work.filePath(S + QStringLiteral(".html"))) ? QStringLiteral("html") : QStringLiteral("php");
    QString localStem = QFileInfo(screenshot).completeBaseName();
    localStem.remove(QStringLiteral("@2x"));
    const QString sourcePath = QFileInfo(screenshot).dir().filePath(localStem + QLatin1Char('.') + sourceExt);
    bool readable = false;
    QString text = PageEditingCopy::editingPage(SKTDocument::readPageText(sourcePath, &readable));
    if (DataCentreProfileFields::oldPelprofileFlag(text)) {
        // Converted in the work copy only; the package keeps its old header
        // until the page is saved.
        const Person person = DataCentreProfileFields::grabOldPelprofileData(text);
        entry.oldPelprofileFlag = DataCentreProfileFields::convertOldPelprofileFile(sourcePath);
        if (entry.oldPelprofileFlag) {
            entry.pageTitle = DataCentreProfileFields::grabPageTitleFromPellprofile(person);
            text = PageEditingCopy::editingPage(SKTDocument::readPageText(sourcePath, &readable));
        } else {
            entry.pageTitle = DataCentreProfileFields::grabPageTitle(text);
        }
    } else {
        entry.pageTitle = DataCentreProfileFields::grabPageTitle(text);
    }
    entry.pageWidth = grabPageWidth(text);
    // The markers come from the text read once, as the marker readers would
    // read them from the file.
    entry.useBaseTemplateFlag = text.contains(DataCentreMarkers::kUseBaseTemplate) ? 1 : 0;
    entry.inheritMetadataFlag = text.contains(DataCentreMarkers::kInheritMetadata) ? 1 : 0;
    entry.inheritCustomHeaderCodeFlag = text.contains(DataCentreMarkers::kInheritCustomHeader) ? 1 : 0;
    QString publishExt = DataCentreMarkers::grabMiddleString(QStringLiteral("<!--PUBLISHEXTSTART=="),
                                                             QStringLiteral("==PUBLISHEXTEND-->"), text);
    if (publishExt.isEmpty())
        publishExt = sourceExt;
    entry.pagePublishFileName = S + QLatin1Char('.') + publishExt;
    entry.pageLocalFileName = localStem + QLatin1Char('.') + sourceExt;
    return true;
}

void ProjectScan::pickUpFileList(const QString &projectFolder)
{
    pageNameArray.clear();
    siteIconArray.clear();
    // No project: nothing to list (an empty path would name the current folder).
    if (projectFolder.isEmpty())
        return;

    QFileInfoList files;
    const QFileInfoList listed = QDir(projectFolder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &info : listed)
        if (isPageFileName(info.fileName()))
            files << info;
    if (sortListingBy == QLatin1String("fileName")) {
        std::stable_sort(files.begin(), files.end(), [](const QFileInfo &a, const QFileInfo &b) {
            return QString::localeAwareCompare(a.fileName(), b.fileName()) < 0;
        });
    } else if (sortListingBy == QLatin1String("modDate")) {
        std::stable_sort(files.begin(), files.end(), [](const QFileInfo &a, const QFileInfo &b) {
            return a.lastModified() > b.lastModified();
        });
    }

    const bool haveWorkCopy = !openWebsiteFolderTempPath.isEmpty() && QFileInfo(openWebsiteFolderTempPath).isDir();
    const QJsonObject before = haveWorkCopy ? readManifest(openWebsiteFolderTempPath) : QJsonObject();
    QJsonObject after;
    struct Job {
        int index;
        QString stem;
        bool read = false;
    };
    QList<Job> jobs;
    QList<qint64> sizes, times;
    for (const QFileInfo &info : files) {
        const QString name = info.fileName();
        pageNameArray << name;
        const QDateTime modified = info.lastModified();
        sizes << info.size();
        times << modified.toMSecsSinceEpoch();
        PageEntry entry;
        if (haveWorkCopy) {
            const QJsonObject known = before.value(name).toObject();
            bool read = false;
            if (!known.isEmpty() && known.value("size").toString() == QString::number(sizes.last())
                && known.value("time").toString() == QString::number(times.last())) {
                entry = fromJson(known, openWebsiteFolderTempPath);
                read = QFileInfo::exists(QDir(openWebsiteFolderTempPath).filePath(entry.pageLocalFileName));
            }
            if (!read) {
                if (!known.isEmpty())
                    removeUnpacked(known.value("pageLocalFileName").toString());
                // A copy the work copy holds without knowing it (left by an
                // interrupted scan) would push the new one to another name.
                const QString local = info.completeBaseName() + QLatin1Char('.') + sourceExtensionOf(info.suffix());
                if (!before.isEmpty() || QFileInfo::exists(QDir(openWebsiteFolderTempPath).filePath(local)))
                    removeUnpacked(local);
                entry = PageEntry();
                jobs.append({int(siteIconArray.size()), QString()});
            }
        }
        entry.pageName = name;
        entry.documentName = name;
        entry.fileTime = formatFileTime(modified);
        siteIconArray << entry;
    }
    // Pages gone from the folder leave the work copy first, so their names
    // are free again.
    if (haveWorkCopy) {
        const QSet<QString> present(pageNameArray.begin(), pageNameArray.end());
        for (auto it = before.begin(); it != before.end(); ++it)
            if (!present.contains(it.key()))
                removeUnpacked(it.value().toObject().value("pageLocalFileName").toString());
    }

    if (!jobs.isEmpty()) {
        // The work copy names are chosen here, one after another, so that the
        // packages can then be unpacked and read side by side: each job writes
        // only under its own name and fills only its own entry.
        auto run = [&](Job &job) {
            PageEntry &entry = siteIconArray[job.index];
            PageEntry read;
            job.read = readEntry(projectFolder, entry.pageName, read, job.stem);
            read.pageName = entry.pageName;
            read.documentName = entry.documentName;
            read.fileTime = entry.fileTime;
            entry = read;
        };
        if (gResponsiveEdition) {
            // Responsive packages unpack straight into the work copy.
            for (Job &job : jobs)
                run(job);
        } else {
            QSet<QString> reserved;
            for (Job &job : jobs) {
                job.stem = freeStem(QDir(projectFolder).filePath(siteIconArray.at(job.index).pageName), reserved);
                reserved.insert(job.stem);
            }
            const int workers = int(std::min<qsizetype>(jobs.size(), std::clamp(int(std::thread::hardware_concurrency()), 1, 8)));
            std::atomic<int> next{0};
            auto work = [&] {
                for (int i = next++; i < jobs.size(); i = next++)
                    run(jobs[i]);
            };
            std::vector<std::thread> threads;
            for (int t = 1; t < workers; ++t)
                threads.emplace_back(work);
            work();
            for (std::thread &thread : threads)
                thread.join();
        }
    }
    if (haveWorkCopy) {
        QSet<int> failed;
        for (const Job &job : jobs)
            if (!job.read)
                failed.insert(job.index);
        for (int i = 0; i < siteIconArray.size(); ++i)
            if (!failed.contains(i))
                after.insert(siteIconArray.at(i).pageName, toJson(siteIconArray.at(i), sizes.at(i), times.at(i)));
        if (after != before)
            SafeFileWrite::write(QDir(openWebsiteFolderTempPath).filePath(kManifestName),
                                 QJsonDocument(after).toJson(QJsonDocument::Compact));
    }
    if (gUsesPageOrderIndex)
        grabPageOrderIndexFile();
}

bool ProjectScan::existInSiteIconArray(const QString &fileName) const
{
    return std::any_of(siteIconArray.begin(), siteIconArray.end(),
                       [&](const PageEntry &e) { return e.pageName == fileName; });
}

int ProjectScan::grabZovButtonWithPageName(const QString &fileName) const
{
    for (int i = int(siteIconArray.size()) - 1; i >= 0; --i)
        if (siteIconArray.at(i).documentName == fileName)
            return i;
    return -1;
}

int ProjectScan::findCurrentlySelectedZovButton(const QString &name) const
{
    if (siteIconArray.isEmpty())
        return -1;
    for (int i = 0; i < siteIconArray.size(); ++i)
        if (siteIconArray.at(i).pageName == name)
            return i;
    return 0;
}

bool ProjectScan::baseTemplateExists() const
{
    return std::any_of(siteIconArray.begin(), siteIconArray.end(),
                       [](const PageEntry &e) { return e.pageName == gBaseTemplateName; });
}

QString ProjectScan::generateDefaultPageName() const
{
    const QString prefix = UserDefaults::standard().stringForKey(QStringLiteral("devicePrefix"));
    // The base template is listed among the pages but is not one of them: the
    // next page of a book of three is page 4.
    const int n = int(std::count_if(siteIconArray.cbegin(), siteIconArray.cend(), [](const PageEntry &entry) {
        return QFileInfo(entry.documentName).completeBaseName() != QLatin1String("basetemplate");
    }));
    auto taken = [&](const QString &candidate) {
        return existsIgnoringCase(openWebsiteFolderPath, candidate + QLatin1Char('.') + gDocumentExtension)
               || existsIgnoringCase(openWebsiteFolderPath, candidate + QLatin1Char('.') + kFormsExtension);
    };
    auto candidate = [&](int number) { return prefix + gPageNoun + QString::number(number); };
    if (!taken(candidate(n + 1)))
        return candidate(n + 1);
    if (!taken(candidate(n)))
        return candidate(n);
    for (int number = n + 2;; ++number)
        if (!taken(candidate(number)))
            return candidate(number);
}

void ProjectScan::grabPageOrderIndexFile()
{
    PageOrderFile::apply(QDir(openWebsiteFolderPath).filePath(QStringLiteral("order.index")), siteIconArray);
    const QString base = QStringLiteral("basetemplate.") + gDocumentExtension;
    for (int i = 0; i < siteIconArray.size(); ++i)
        if (siteIconArray.at(i).documentName == base) {
            siteIconArray.move(i, 0);
            break;
        }
}

bool ProjectScan::writePageOrderIndexFile(QString *error) const
{
    return PageOrderFile::write(QDir(openWebsiteFolderPath).filePath(QStringLiteral("order.index")), siteIconArray, error);
}
