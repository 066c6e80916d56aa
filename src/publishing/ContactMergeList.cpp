#include "publishing/ContactMergeList.h"

QList<Contacts::MergeRecord> gContactMergeList;

int ContactMergeList::saveSelectedContacts(const Contacts &book, const QList<Choice> &choices)
{
    gContactMergeList.clear();
    const QList<Contacts::Person> &people = book.people();
    for (const Choice &choice : choices) {
        if (choice.person < 0 || choice.person >= people.size())
            continue;
        const Contacts::Person &person = people.at(choice.person);
        if (choice.addressIndexes.isEmpty() && person.addresses.isEmpty()) {
            // A ticked person with no postal address at all (an export of names and
            // e-mail addresses) still gets a design: its address tags stay empty.
            Contacts::MergeRecord record = Contacts::personRecord(person);
            record.insert(QStringLiteral("Address_Number"), QStringLiteral("0"));
            gContactMergeList.append(record);
            continue;
        }
        gContactMergeList += Contacts::mergeRecords(person, choice.addressIndexes);
    }
    return int(gContactMergeList.size());
}

QString ContactMergeList::recordsSelectedTitle(int count)
{
    return QStringLiteral("%1 records selected").arg(count);
}
