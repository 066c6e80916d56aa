#include "model/UndoNames.h"

#include "config/DataFiles.h"
#include "platform/Bundle.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QList>
#include <QPair>

namespace {
struct Row {
    QString className;
    QString key;
    QString name;
};

QList<Row> &rows()
{
    static QList<Row> table;
    return table;
}

bool &loaded()
{
    static bool done = false;
    return done;
}

const QString kBase = QStringLiteral("SKTGraphic");

void ensureLoaded()
{
    if (loaded())
        return;
    loaded() = true;
    QFile file(UndoNames::dataFilePath());
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        UndoNames::loadFromText(QString::fromUtf8(file.readAll()));
    else
        qWarning("data/undo_names.tsv not found: attribute changes will not be undoable");
}
} // namespace

QString UndoNames::dataFilePath()
{
    return Bundle::pathForData(QStringLiteral("undo_names.tsv"));
}

void UndoNames::loadFromText(const QString &text)
{
    loaded() = true;
    rows().clear();
    for (const QStringList &f : DataFiles::tabRows(text, 3)) {
        rows().append({f[0].trimmed(), f[1].trimmed(), f[2].trimmed()});
    }
}

QStringList UndoNames::keysForClass(const QString &className)
{
    ensureLoaded();
    QStringList keys;
    for (const Row &r : rows()) {
        if ((r.className == kBase || r.className == className) && !keys.contains(r.key))
            keys.append(r.key);
    }
    return keys;
}

QString UndoNames::nameForKey(const QString &className, const QString &key)
{
    ensureLoaded();
    QString name;
    for (const Row &r : rows()) {
        if (r.key != key)
            continue;
        if (r.className == className)
            return r.name;
        if (r.className == kBase)
            name = r.name;
    }
    return name;
}
