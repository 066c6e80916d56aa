#include "sidebar/FormatRowCatalogue.h"

#include "platform/DataTableFile.h"
#include "platform/Bundle.h"

#include <QFile>
#include <QHash>
#include <QtDebug>
#include <algorithm>

QString FormatRowCatalogue::dataFilePath()
{
    return Bundle::pathForData(QStringLiteral("format_rows.tsv"));
}

FormatRowTable FormatRowCatalogue::parse(const QString &text, QString *error)
{
    FormatRowTable table;
    QHash<QString, QStringList> lists;
    const auto fail = [error](int line, const QString &what) {
        if (error && error->isEmpty())
            *error = QStringLiteral("line %1: %2").arg(line).arg(what);
    };
    int lineNumber = 0;
    for (const QString &line : text.split(u'\n')) {
        ++lineNumber;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        if (f[0] == QLatin1String("family") && f.size() == 3) {
            lists.insert(f[1], f[2].split(u',', Qt::SkipEmptyParts));
        } else if (f[0] == QLatin1String("row") && f.size() == 9) {
            FormatRowSpec r;
            r.title = f[1];
            r.imageName = f[2];
            r.codeName = f[3];
            r.kinds = f[4].split(u',', Qt::SkipEmptyParts);
            for (const QString &name : f[5].split(u',', Qt::SkipEmptyParts)) {
                // A named list stands for its keys; anything else is a key.
                for (const QString &key : lists.value(name, {name}))
                    if (!r.families.contains(key))
                        r.families.append(key);
            }
            bool ok = false;
            r.height = f[6].toInt(&ok);
            if (!ok || r.height < 0)
                fail(lineNumber, QStringLiteral("bad height"));
            r.controls = f[7].split(u',', Qt::SkipEmptyParts);
            r.description = f[8];
            table.rows.append(r);
        } else if ((f[0] == QLatin1String("control") || f[0] == QLatin1String("caption")) && f.size() == 7) {
            FormatRowPlacement place;
            place.caption = f[0] == QLatin1String("caption");
            place.name = f[2];
            QString width = f[5];
            if (width.startsWith(u'W')) {
                place.widthFromInspector = true;
                width = width.mid(1);
            }
            bool okX = false, okY = false, okW = false, okH = false;
            place.x = f[3].toDouble(&okX);
            place.y = f[4].toDouble(&okY);
            place.width = width.isEmpty() ? 0 : width.toDouble(&okW);
            okW = okW || width.isEmpty();
            place.height = f[6].toDouble(&okH);
            auto row = std::find_if(table.rows.begin(), table.rows.end(),
                                    [&](const FormatRowSpec &r) { return r.title == f[1]; });
            if (!(okX && okY && okW && okH) || row == table.rows.end())
                fail(lineNumber, QStringLiteral("bad placement"));
            else
                row->placements.append(place);
        } else if (f[0] == QLatin1String("exclude") && f.size() == 4) {
            table.exclusions.append({f[1], f[2], f[3]});
        } else {
            fail(lineNumber, QStringLiteral("unknown or short line"));
        }
    }
    return table;
}

const FormatRowTable &FormatRowCatalogue::table()
{
    static const FormatRowTable loaded =
        readDataTable<FormatRowTable>(dataFilePath(), "format row table", &FormatRowCatalogue::parse);
    return loaded;
}
