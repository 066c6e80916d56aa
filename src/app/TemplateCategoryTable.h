#pragma once
// The per-edition category lists of the template chooser, read from
// data/templates/categories.tsv. Every edition starts with "all" and "blank";
// the editions listed add theirs after them, and a few replace the whole list
// and open on a category of their own.
#include "app/TemplateCategory.h"

#include <QHash>
#include <QList>
#include <QString>

class TemplateCategoryTable {
public:
    struct Edition {
        QList<TemplateCategory> categories;  // appended after "all" and "blank", or the whole list
        bool replaces = false;
        QString initialFolder = QStringLiteral("all");
    };

    // Parses the table's text; malformed lines are skipped (and logged).
    static TemplateCategoryTable parse(const QString &text);
    // The table shipped in data/ (read once).
    static const TemplateCategoryTable &shared();

    // The chooser's list for the edition, and the category it opens on.
    QList<TemplateCategory> categoriesFor(const QString &edition, QString *initialFolder = nullptr) const;
    // The folders (never "all") an edition's templates folder is expected to hold.
    QStringList folderNamesFor(const QString &edition) const;

private:
    QHash<QString, Edition> m_editions;
};
