#pragma once
// Preparing the template chooser: the edition's categories, a work copy of
// the bundle's templates folder with every package unpacked next to itself,
// and one thumbnail record per unpacked template, its "@2x.png" picture
// scaled into a 200 square.
//
// Everything here runs on a worker and works on copies: the inputs are taken
// on the main thread, and the result (plain records and QImages, no widget)
// is handed back to it, where the chooser makes its buttons.
#include "app/TemplateCategory.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// One thumbnail of the chooser.
struct TemplateIcon {
    QString fileName;        // the package's file name, with extension, in its category folder
    QString categoryFolder;  // the category's folder name
    QImage image;            // the scaled picture; null when the package had none
    QSize size;              // the scaled size, whole points
};

class TemplateGallery {
public:
    struct Input {
        QString edition;                // gAppName
        QString bundleTemplatesFolder;  // <resources>/<gTemplateFolder>
        QString workTemplatesFolder;    // <gWorkFolder>/<gTemplateFolder>
        QString documentExtension;      // gDocumentExtension
        bool responsive = false;        // gResponsiveEdition: packages are unzipped as they are
        bool copyNeeded = true;         // no work copy made yet in this run
    };
    struct Result {
        QList<TemplateCategory> categories;
        QString categoryFolder = QStringLiteral("all");
        QList<TemplateIcon> icons;      // category by category, folder-listing order within
        QStringList pageNames;          // package file names found, category by category
        bool copied = false;            // a work copy was made
        int passes = 0;                 // 1, or 2 when the first found nothing
    };

    // The chooser's categories for an edition and the category it opens on.
    static QList<TemplateCategory> prepTemplateCategories(const QString &edition, QString *categoryFolder);

    // The whole preparation: categories, RefreshFileList, PopulateTemplateIcons,
    // and one more copy-and-unpack pass when that found nothing. After that the
    // chooser is shown even when empty; it never loops.
    static Result prepTemplatesInBackground(const Input &input);

    // Copies the bundle's folder over the work copy (when asked) and unpacks every
    // package of every category but "all".
    static void RefreshFileList(const Input &input, const QList<TemplateCategory> &categories, bool copy);
    // Unpacks package into destination (removed first). Answers the template's
    // picture ("@2x.png", else ".png"), or "" when it could not be unpacked or
    // holds no page file.
    static QString migratePage(const QString &package, const QString &destination);
    static void PopulateTemplateIcons(const Input &input, const QList<TemplateCategory> &categories, Result &result);

    // Fits size into a side x side square in whole points (a zero side counts as 1).
    static QSize returnNewSize(const QSize &size, int side = 200);
    // The package extensions a category folder may hold: the edition's and "trelkoforms".
    static bool isTemplatePackage(const QString &fileName, const QString &documentExtension);
    // The page file extension of a package ("php", "html" or "").
    static QString pageExtensionForPackage(const QString &packageName);
    // Copies a folder tree; answers false when something could not be copied.
    static bool copyFolder(const QString &from, const QString &to);
};
