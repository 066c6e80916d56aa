#pragma once
// The contacts chosen for personalised pages. The contacts sheet fills the list and
// the page generation reads it: one list, so what the user picked is what is merged.
#include "platform/Contacts.h"

#include <QList>

// One record per chosen postal address of a chosen person, in the order chosen;
// emptied at each pick.
extern QList<Contacts::MergeRecord> gContactMergeList;

class ContactMergeList {
public:
    ContactMergeList() = delete;

    // One chosen person of the book and the indexes of the postal addresses chosen
    // for them.
    struct Choice {
        int person = -1;
        QList<int> addressIndexes;
    };

    // The contacts sheet's "save selected contacts": gContactMergeList becomes one
    // record per chosen address (a chosen person who has no postal address gives one
    // record without address, an index outside the book is skipped). Answers the
    // number of records.
    static int saveSelectedContacts(const Contacts &book, const QList<Choice> &choices);

    // The alert texts of the sheet.
    static QString recordsSelectedTitle(int count);
    static constexpr const char *kReadyText = "Now ready to generate personalized designs.";
};
