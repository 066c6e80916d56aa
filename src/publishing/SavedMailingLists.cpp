#include "publishing/SavedMailingLists.h"

#include "platform/UserDefaults.h"

#include <QLocale>
#include <QVariantMap>

namespace {

const QString kKey = QStringLiteral("savedMailingListArrayMail");

}  // namespace

SavedMailingLists::SavedMailingLists(UserDefaults &defaults)
    : defaults_(defaults)
{
}

QList<SavedMailingLists::Record> SavedMailingLists::records() const
{
    QList<Record> list;
    for (const QVariant &value : defaults_.arrayForKey(kKey)) {
        const QVariantMap map = value.toMap();
        list.append({map.value(QStringLiteral("toMailingList")).toString(),
                     map.value(QStringLiteral("ccMailingList")).toString(),
                     map.value(QStringLiteral("bccMailingList")).toString(),
                     map.value(QStringLiteral("mailingListTitle")).toString()});
    }
    return list;
}

void SavedMailingLists::store(const QList<Record> &records)
{
    QVariantList array;
    for (const Record &r : records) {
        array.append(QVariantMap{{QStringLiteral("toMailingList"), r.to},
                                 {QStringLiteral("ccMailingList"), r.cc},
                                 {QStringLiteral("bccMailingList"), r.bcc},
                                 {QStringLiteral("mailingListTitle"), r.title}});
    }
    defaults_.setObject(array, kKey);
}

void SavedMailingLists::append(const Record &record)
{
    QList<Record> list = records();
    list.append(record);
    store(list);
}

bool SavedMailingLists::replace(int index, const Record &record)
{
    QList<Record> list = records();
    if (index < 0 || index >= list.size())
        return false;
    list[index] = record;
    store(list);
    return true;
}

bool SavedMailingLists::remove(int index)
{
    QList<Record> list = records();
    if (index < 0 || index >= list.size())
        return false;
    list.removeAt(index);
    store(list);
    return true;
}

QString SavedMailingLists::createMailingListName(const QDateTime &now)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(now, QStringLiteral("MMM dd yyyy hh:mm AP"));
}

QString SavedMailingLists::appendPicked(const QString &stored, const QStringList &picked)
{
    QString text;
    for (const QString &address : picked)
        text += address + QLatin1Char(',');
    if (stored.isEmpty())
        return text;
    if (stored.endsWith(QLatin1Char(',')))
        return stored + text;
    return stored + QLatin1Char(',') + text;
}
