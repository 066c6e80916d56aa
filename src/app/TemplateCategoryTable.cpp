#include "app/TemplateCategoryTable.h"

#include "config/DataFiles.h"

#include <QDebug>
#include <QStringList>

TemplateCategoryTable TemplateCategoryTable::parse(const QString &text)
{
    TemplateCategoryTable table;
    QList<QPair<QString, QString>> aliases;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        // Titles keep their leading blanks: only tabs separate the columns.
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.size() != 3 || cells.at(0).isEmpty() || cells.at(1).isEmpty()) {
            qWarning().noquote() << "template categories: line skipped:" << line;
            continue;
        }
        if (cells.at(0) == QLatin1String("same")) {
            aliases.append({cells.at(1), cells.at(2)});
            continue;
        }
        Edition &edition = table.m_editions[cells.at(0)];
        if (cells.at(1) == QLatin1String("replaces")) {
            edition.replaces = true;
            edition.initialFolder = cells.at(2);
        } else {
            edition.categories.append(TemplateCategory(cells.at(1), cells.at(2)));
        }
    }
    for (const auto &alias : std::as_const(aliases))
        table.m_editions.insert(alias.first, table.m_editions.value(alias.second));
    return table;
}

const TemplateCategoryTable &TemplateCategoryTable::shared()
{
    static const TemplateCategoryTable table =
        parse(QString::fromUtf8(DataFiles::readData(QStringLiteral("templates/categories.tsv"))));
    return table;
}

QList<TemplateCategory> TemplateCategoryTable::categoriesFor(const QString &edition, QString *initialFolder) const
{
    const auto found = m_editions.constFind(edition);
    QList<TemplateCategory> list;
    QString initial = QStringLiteral("all");
    if (found == m_editions.constEnd() || !found->replaces)
        list = {TemplateCategory(QStringLiteral("all"), QStringLiteral("  All")),
                TemplateCategory(QStringLiteral("blank"), QStringLiteral("  Blank"))};
    if (found != m_editions.constEnd()) {
        list += found->categories;
        initial = found->initialFolder;
    }
    if (initialFolder)
        *initialFolder = initial;
    return list;
}

QStringList TemplateCategoryTable::folderNamesFor(const QString &edition) const
{
    QStringList folders;
    for (const TemplateCategory &category : categoriesFor(edition))
        if (category.categoryFolderName() != QLatin1String("all"))
            folders << category.categoryFolderName();
    return folders;
}
