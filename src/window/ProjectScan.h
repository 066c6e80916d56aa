#pragma once
// The pages of a project folder: every page package of the folder becomes a
// PageEntry, read from its unpacked copy in the project's work copy. The work
// copy belongs to the project's canonical path (two projects of one folder
// name never share one) and lives in this instance's work folder; it is kept
// between scans, and only packages whose name, size or time changed are
// unpacked again, so a rescan neither loses what the open page keeps there
// nor pays for unchanged pages.
#include "window/PageEntry.h"

#include <QList>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>

class ProjectScan {
public:
    QString openWebsiteFolderPath;
    QString openWebsiteFolder;         // the folder name without blanks
    QString openWebsiteFolderTempPath; // the work copy
    QString sortListingBy;             // "fileName", "modDate" or ""
    QList<PageEntry> siteIconArray;
    QStringList pageNameArray;

    // Points the scan at the project's work copy and makes sure it exists.
    // Answers the project folder.
    QString resetAndGrabCurrentWebsiteFolderPath();
    // Rebuilds the page list from the folder (and the order file when the
    // edition keeps one).
    void pickUpFileList(const QString &projectFolder);
    // Unpacks a page package into the work copy; the screenshot path, or ""
    // when the package could not be unpacked.
    QString migratePage(const QString &packagePath);
    static QString grabPageWidth(const QString &text);
    // A PNG file's size from its header; empty when it is no PNG.
    static QSize pngSize(const QString &path);

    void sortByDate() { sortListingBy = QStringLiteral("modDate"); }
    void sortByFileName() { sortListingBy = QStringLiteral("fileName"); }

    bool existInSiteIconArray(const QString &fileName) const;
    // Index of the last entry whose documentName is fileName, -1 when none.
    int grabZovButtonWithPageName(const QString &fileName) const;
    // Index of the first entry whose pageName is name; 0 when none does; -1
    // without pages.
    int findCurrentlySelectedZovButton(const QString &name) const;
    bool baseTemplateExists() const;
    // A free page name (no extension) for a new page of the project.
    QString generateDefaultPageName() const;

    void grabPageOrderIndexFile();
    bool writePageOrderIndexFile(QString *error = nullptr) const;

    // The first page package of the folder in the file system's order, "" when none.
    static QString grabPathOfFirstFile(const QString &folder);
    static bool isPageFileName(const QString &fileName);
    // The work copy of a project folder in this instance's work folder.
    static QString workCopyPathFor(const QString &projectFolder);
    // Whether folder holds an entry whose name equals name ignoring case.
    static bool existsIgnoringCase(const QString &folder, const QString &name);

private:
    // Unpacks and reads one package; stem is its name in the work copy (a
    // free one is chosen when empty). Safe to run for several pages at once.
    bool readEntry(const QString &projectFolder, const QString &fileName, PageEntry &entry, const QString &stem = {}) const;
    QString freeStem(const QString &packagePath, const QSet<QString> &reserved) const;
    QString unpackAt(const QString &packagePath, const QString &stem) const;
    void removeUnpacked(const QString &localFileName);
};
