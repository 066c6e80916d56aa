#pragma once
// The program's own description and its shipped files: the edition it was started as,
// its version and identifier, and the folders of resources and data tables.
//
// Resources are looked up in the installed share folder when the program runs from
// <prefix>/bin, otherwise in the source tree it was built from.
#include <QString>
#include <QStringList>

class Bundle {
public:
    Bundle() = delete;

    // Reads "--edition NAME" (or "--edition=NAME") from the program's arguments.
    // Without it the display name is empty, which stands for the default edition.
    // Answers false, with a message in *error, when --edition lacks its value.
    static bool initialize(const QStringList &arguments, QString *error = nullptr);

    static QString displayName();
    static void setDisplayName(const QString &name);

    static QString version();
    static QString identifier();
    static QString dropboxAppKey();

    // Folders holding the shipped resources (templates, scripts, fonts, icons) and the
    // data tables. Tests may point them elsewhere; an empty path restores the default.
    static QString resourcesPath();
    static QString dataPath();
    static void setResourcesPath(const QString &path);
    static void setDataPath(const QString &path);

    // The path of resource "name.type" (type may be empty, or already part of name),
    // found at the top of the resources folder, under a relative path given in name,
    // or anywhere below (the first match in sorted order). Empty when missing.
    static QString pathForResource(const QString &name, const QString &type = {});
    // As above, looked up only in the given sub-folder of the resources.
    static QString pathForResource(const QString &name, const QString &type, const QString &subfolder);
    // The path of a data table (relative to the data folder), empty when missing.
    static QString pathForData(const QString &relativePath);

    // <prefix>/share/zov for a program installed as <prefix>/bin/zov, when that folder
    // exists; empty for a program run from its build tree.
    static QString installedShareFolder(const QString &executableFolder);
};
