#include "sidebar/SavedTextCollection.h"

#include "model/SKTText.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"

#include <QLocale>
#include <QVariantMap>

SavedTextCollection::SavedTextCollection(UserDefaults *defaults) : m_defaults(defaults) {}

UserDefaults &SavedTextCollection::defaults() const
{
    return m_defaults ? *m_defaults : UserDefaults::standard();
}

QList<SavedTextRecord> SavedTextCollection::records() const
{
    QList<SavedTextRecord> out;
    const QVariantList stored = defaults().arrayForKey(defaultsKey());
    for (const QVariant &entry : stored) {
        const QVariantMap map = entry.toMap();
        out.append({map.value(QStringLiteral("title")).toString(), map.value(QStringLiteral("textContent")).toString()});
    }
    return out;
}

int SavedTextCollection::count() const
{
    return int(defaults().arrayForKey(defaultsKey()).size());
}

void SavedTextCollection::store(const QList<SavedTextRecord> &records)
{
    QVariantList list;
    for (const SavedTextRecord &r : records) {
        QVariantMap map;
        map.insert(QStringLiteral("title"), r.title);
        map.insert(QStringLiteral("textContent"), r.textContent);
        list.append(map);
    }
    defaults().setObject(list, defaultsKey());
}

void SavedTextCollection::append(const SavedTextRecord &record)
{
    QList<SavedTextRecord> all = records();
    all.append(record);
    store(all);
}

void SavedTextCollection::update(int index, const SavedTextRecord &record)
{
    QList<SavedTextRecord> all = records();
    if (index >= 0 && index < all.size())
        all[index] = record;
    else
        all.append(record);
    store(all);
}

bool SavedTextCollection::remove(int index)
{
    QList<SavedTextRecord> all = records();
    if (index < 0 || index >= all.size())
        return false;
    all.removeAt(index);
    store(all);
    return true;
}

QString SavedTextCollection::addedTitle(const QDateTime &when)
{
    // "yyyy" is the calendar year; a week-based year would say next year in
    // the last days of December.
    return QStringLiteral("Added %1")
        .arg(QLocale::c().toString(when, QStringLiteral("MMM dd yyyy,  dddd 'at' h:mm AP")));
}

void SavedTextCollection::pullInto(SKTText &text, const QString &snippet, UndoManager *undo)
{
    if (undo)
        undo->beginUndoGrouping();
    text.setTextString(QStringLiteral("%1\n%2").arg(text.textString(), snippet));
    if (undo) {
        undo->setActionName(QStringLiteral("Paste Saved Text"));
        undo->endUndoGrouping();
        undo->closeAutomaticGroup();
    }
}
