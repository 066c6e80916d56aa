#include "sidebar/BindingTable.h"

#include "platform/DataTableFile.h"
#include "platform/Bundle.h"

#include <QFile>
#include <QtDebug>

QString BindingTable::dataFilePath()
{
    return Bundle::pathForData(QStringLiteral("control_bindings.tsv"));
}

QList<BindingSpec> BindingTable::parse(const QString &text, QString *error)
{
    static const QStringList types{QStringLiteral("int"), QStringLiteral("double"), QStringLiteral("float"),
                                   QStringLiteral("string")};
    static const QStringList options{QStringLiteral("none"), QStringLiteral("P"), QStringLiteral("S"),
                                     QStringLiteral("L"), QStringLiteral("T")};
    static const QStringList bindings{QStringLiteral("value"), QStringLiteral("selectedIndex"),
                                      QStringLiteral("selectedValue"), QStringLiteral("selectedLabel")};
    QList<BindingSpec> list;
    int lineNumber = 0;
    for (const QString &line : text.split(u'\n')) {
        ++lineNumber;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        const qsizetype type = f.size() == 5 ? types.indexOf(f[3]) : -1;
        const qsizetype option = f.size() == 5 ? options.indexOf(f[4]) : -1;
        if (type < 0 || option < 0 || !bindings.contains(f[1]) || f[0].isEmpty() || f[2].isEmpty()) {
            if (error && error->isEmpty())
                *error = QStringLiteral("line %1: expected control, binding, key, type and options").arg(lineNumber);
            continue;
        }
        list.append({f[0], f[1], f[2], BindingSpec::Type(type), BindingSpec::Options(option)});
    }
    return list;
}

const QList<BindingSpec> &BindingTable::bindings()
{
    static const QList<BindingSpec> table =
        readDataTable<QList<BindingSpec>>(dataFilePath(), "binding table", &BindingTable::parse);
    return table;
}
