#include "insertion/DropTables.h"

#include "config/DataFiles.h"
#include "platform/Bundle.h"

#include <QFile>
#include <QList>

namespace {
QList<DropCodeName> &names()
{
    static QList<DropCodeName> list;
    return list;
}

QString readData(const QString &file)
{
    QFile f(Bundle::pathForData(file));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning("data/%s not found: palette drops insert nothing", qPrintable(file));
        return {};
    }
    return QString::fromUtf8(f.readAll());
}

void ensureLoaded()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (names().isEmpty())
        DropTables::loadCodeNames(readData(QStringLiteral("drop_code_names.tsv")));
}
} // namespace

void DropTables::loadCodeNames(const QString &text)
{
    names().clear();
    for (const QStringList &f : DataFiles::tabRows(text, 4)) {
        DropCodeName row;
        row.name = f[0];
        row.action = f[1];
        row.arguments = f[2].isEmpty() ? QStringList() : f[2].split(u',');
        row.goesOn = f[3] == QLatin1String("goes on");
        names().append(row);
    }
}

const QList<DropCodeName> &DropTables::codeNames()
{
    ensureLoaded();
    return names();
}

std::optional<DropCodeName> DropTables::codeName(const QString &name)
{
    for (const DropCodeName &row : codeNames())
        if (row.name == name)
            return row;
    return std::nullopt;
}
