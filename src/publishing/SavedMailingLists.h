#pragma once
// The recipient lists kept in the preferences: the saved mailing lists
// ("savedMailingListArrayMail", newest last) and the default To, CC and BCC texts.
#include <QDateTime>
#include <QList>
#include <QString>

class UserDefaults;

class SavedMailingLists {
public:
    struct Record {
        QString to;     // "toMailingList", the text as typed
        QString cc;     // "ccMailingList"
        QString bcc;    // "bccMailingList"
        QString title;  // "mailingListTitle"
        bool operator==(const Record &) const = default;
    };

    explicit SavedMailingLists(UserDefaults &defaults);

    QList<Record> records() const;
    // Each writer stores the whole array. Out-of-range indexes change nothing.
    void append(const Record &record);
    bool replace(int index, const Record &record);
    bool remove(int index);

    // A new list's name: the time in "MMM dd yyyy hh:mm a" (US English, calendar year).
    static QString createMailingListName(const QDateTime &now = QDateTime::currentDateTime());

    // Picked addresses added to a stored recipient text: each picked address followed
    // by ",", joined to the stored text with one "," between them.
    static QString appendPicked(const QString &stored, const QStringList &picked);

private:
    void store(const QList<Record> &records);

    UserDefaults &defaults_;
};
