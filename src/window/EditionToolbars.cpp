#include "window/EditionToolbars.h"

#include "config/DataFiles.h"

#include <QHash>

namespace {
EditionToolbar defaultToolbar(const QHash<QString, QList<ToolbarItemSpec>> &itemSets)
{
    EditionToolbar t;
    t.toolbar = QStringLiteral("defaultToolbar");
    t.hidingSet = QStringLiteral("none");
    t.items = itemSets.value(QStringLiteral("default"));
    return t;
}

QHash<QString, QList<ToolbarItemSpec>> &defaultItems()
{
    static QHash<QString, QList<ToolbarItemSpec>> sets;
    return sets;
}
} // namespace

QList<EditionToolbar> EditionToolbars::parse(const QStringList &lines)
{
    QHash<QString, QStringList> hideSets;
    QHash<QString, QList<ToolbarItemSpec>> itemSets;
    QList<EditionToolbar> toolbars;
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() < 2)
            continue;
        if (f[0] == QLatin1String("hide")) {
            hideSets.insert(f[1], f.size() > 2 ? f[2].split(QLatin1Char(','), Qt::SkipEmptyParts) : QStringList());
        } else if (f[0] == QLatin1String("items") && f.size() > 2) {
            QList<ToolbarItemSpec> items;
            for (const QString &pair : f[2].split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
                const qsizetype eq = pair.indexOf(QLatin1Char('='));
                ToolbarItemSpec item = eq < 0 ? ToolbarItemSpec{pair, pair} : ToolbarItemSpec{pair.left(eq), pair.mid(eq + 1)};
                const qsizetype colon = item.action.indexOf(QLatin1Char(':'));
                if (colon > 0) {
                    bool ok = false;
                    const int segment = item.action.mid(colon + 1).toInt(&ok);
                    item.action = item.action.left(colon);
                    item.segment = ok && segment >= 0 ? segment : -1;
                }
                items.append(item);
            }
            itemSets.insert(f[1], items);
        } else if (f[0] == QLatin1String("edition") && f.size() >= 5) {
            EditionToolbar t;
            t.edition = f[1];
            t.toolbar = f[2];
            t.hidingSet = f[3];
            t.hidden = hideSets.value(f[3]);
            t.items = itemSets.value(f[4]);
            toolbars.append(t);
        }
    }
    defaultItems() = itemSets;
    return toolbars;
}

const QList<EditionToolbar> &EditionToolbars::all()
{
    static const QList<EditionToolbar> table = parse(DataFiles::readDataLines(QStringLiteral("edition_toolbars.tsv")));
    return table;
}

EditionToolbar EditionToolbars::forEdition(const QString &edition)
{
    for (const EditionToolbar &t : all())
        if (t.edition == edition)
            return t;
    EditionToolbar t = defaultToolbar(defaultItems());
    t.edition = edition;
    return t;
}
