#include "sidebar/PaletteCatalogue.h"

#include "platform/DataTableFile.h"
#include "platform/Bundle.h"

#include <QFile>
#include <QtDebug>

QString PaletteCatalogue::dataFilePath()
{
    return Bundle::pathForData(QStringLiteral("palette_entries.tsv"));
}

QList<PaletteEntry> PaletteCatalogue::parse(const QString &text, QString *error)
{
    QList<PaletteEntry> list;
    int lineNumber = 0;
    for (const QString &line : text.split(u'\n')) {
        ++lineNumber;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        if (f.size() != 6 || f[0].isEmpty() || f[1].isEmpty()) {
            if (error && error->isEmpty())
                *error = QStringLiteral("line %1: expected 6 fields").arg(lineNumber);
            continue;
        }
        PaletteEntry e;
        e.codeName = f[0];
        e.title = f[1];
        e.imageName = f[2];
        e.families = f[3].split(u',', Qt::SkipEmptyParts);
        const QStringList flags = f[4].split(u',', Qt::SkipEmptyParts);
        e.createOwnImage = flags.contains(QLatin1String("own"));
        e.shape = flags.contains(QLatin1String("shape"));
        e.zoomBubble = flags.contains(QLatin1String("zoom"));
        e.description = f[5];
        list.append(e);
    }
    return list;
}

const QList<PaletteEntry> &PaletteCatalogue::entries()
{
    static const QList<PaletteEntry> table =
        readDataTable<QList<PaletteEntry>>(dataFilePath(), "palette table", &PaletteCatalogue::parse);
    return table;
}
