#include "publishing/ContactMergeList.h"

QList<Contacts::MergeRecord> gContactMergeList;

int ContactMergeList::saveSelectedContacts(const Contacts &book, const QList<Choice> &choices)
{
    gContactMergeList.clear();
    const QList<Contacts::Person> &people = book.people();
    for (const Choice &choice : choices) {
        if (choice.person < 0 || choice.person >= people.size())
            continue;
        gContactMergeList += Contacts::mergeRecords(people.at(choice.person), choice.addressIndexes);
    }
    return int(gContactMergeList.size());
}

QString ContactMergeList::recordsSelectedTitle(int count)
{
    return QStringLiteral("%1 records selected").arg(count);
}
