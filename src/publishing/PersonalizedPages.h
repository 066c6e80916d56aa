#pragma once
// The text side of personalised pages: one copy of a page per contact, its tags
// replaced by the contact's values. The document makes the copies; these functions
// decide their names and texts.
#include "platform/Contacts.h"

#include <QString>
#include <QStringList>
#include <functional>

class PersonalizedPages {
public:
    PersonalizedPages() = delete;

    // Every tag of tags in text replaced by the contact's value. A tag without a value
    // disappears, and a line made only of such tags disappears with it; blank lines of
    // the design stay. Values are put in as they are and never read as tags again.
    static QString replacePersonalizedTags(const QString &text, const Contacts::MergeRecord &contact,
                                           const QStringList &tags);

    // The page name for the contact at index (from 0): first name, last name and
    // contact identifier, "_" and the address number, made safe as a file name;
    // "contact<index>" when nothing of it is left.
    static QString pageNameFor(const Contacts::MergeRecord &contact, int index);

    // name + "." + extension, or with "_2", "_3", … before the extension when that
    // file exists or is the source page: a merge never replaces a page.
    static QString targetFileName(const QString &name, const QString &extension, const QString &sourceFileName,
                                  const std::function<bool(const QString &fileName)> &exists);

    // Every "[PAGE_NUMBER]" replaced by the page's position (from 0; -1 when it has none).
    static QString replacePageNumbers(const QString &text, int pageIndex);
};
