#include "insertion/SavedTextStore.h"

#include "platform/UserDefaults.h"

namespace {
const QString kKey = QStringLiteral("savedTextArray");
}

QList<SavedText> SavedTextStore::records() const
{
    QList<SavedText> list;
    for (const QVariant &entry : UserDefaults::standard().arrayForKey(kKey)) {
        const QVariantMap map = entry.toMap();
        if (!map.value(QStringLiteral("textContent")).canConvert<QString>())
            continue;
        list.append({map.value(QStringLiteral("title")).toString(), map.value(QStringLiteral("textContent")).toString()});
    }
    return list;
}

void SavedTextStore::append(const SavedText &record)
{
    QVariantList list = UserDefaults::standard().arrayForKey(kKey);
    list.append(QVariantMap{{QStringLiteral("title"), record.title},
                            {QStringLiteral("textContent"), record.textContent}});
    UserDefaults::standard().setObject(list, kKey);
    emit changed();
}
