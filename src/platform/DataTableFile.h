#pragma once
// Reads one of the program's tab-separated data tables through its parser.
// A missing file or a line the parser refuses is logged, never fatal: the
// program runs on with what it could read. Callers keep the result in a
// function-local static, so each table is read once.
#include <QDebug>
#include <QFile>
#include <QString>

template <class Table, class Parse>
Table readDataTable(const QString &path, const char *name, Parse parse)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().nospace() << name << " not found: " << path;
        return Table();
    }
    QString error;
    Table table = parse(QString::fromUtf8(file.readAll()), &error);
    if (!error.isEmpty())
        qWarning().nospace() << name << ": " << error;
    return table;
}
