#pragma once
// The program's own address book: people with their e-mail addresses, phone numbers
// and postal addresses, kept in <XDG data>/zov/contacts.json (readable by the user
// alone) and filled by importing vCard (3.0 and 4.0) and CSV files.
//
// The recipient pickers take e-mail addresses from it; personalised pages take one
// merge record per chosen postal address of a person.
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class Contacts {
public:
    struct PostalAddress {
        QString label;  // "home", "work", … as the file named it
        QString street;
        QString city;
        QString state;
        QString postalCode;
        QString country;
        bool operator==(const PostalAddress &) const = default;
    };
    struct Person {
        QString uid;
        QString firstName;
        QString lastName;
        QString organisation;
        QString title;     // honorific: "Dr."
        QString jobTitle;  // "Sales Manager"
        QStringList emails;
        QStringList phones;
        QList<PostalAddress> addresses;
        QString displayName() const;
        bool operator==(const Person &) const = default;
    };
    using MergeRecord = QMap<QString, QString>;

    // A book kept in filePath; empty means the default file.
    explicit Contacts(const QString &filePath = {});
    static QString defaultFilePath();
    QString filePath() const { return path_; }

    // A missing file is an empty book. False, with the reason, when the file cannot be
    // read or is not a contacts file (the book is then left empty and is not saved
    // over the file by accident: save() refuses until load() succeeds or clear()).
    bool load(QString *error = nullptr);
    // Written atomically, mode 0600.
    bool save(QString *error = nullptr) const;
    void clear();

    const QList<Person> &people() const { return people_; }
    void setPeople(const QList<Person> &people) { people_ = people; loadFailed_ = false; }

    // Reads a .vcf or .csv file (by its content: "BEGIN:VCARD" or a header row) and adds
    // its people; a person whose identifier is already in the book replaces the entry.
    // Answers how many were read, or -1 with the reason in *error.
    // *skipped names the lines of a CSV file that held no contact.
    int importFile(const QString &path, QString *error = nullptr, QStringList *skipped = nullptr);
    int importPeople(const QList<Person> &people);

    // "[UNIQUE_CONTACT_ID]": the identifier reduced to letters and digits (it becomes
    // part of file names), else a short hash of what the person holds.
    static QString uniqueContactId(const Person &person);

    // The person's own tags (name, company, titles, first e-mail and phone), no address.
    static MergeRecord personRecord(const Person &person);
    // One record per chosen postal address (indexes into person.addresses), keyed by
    // the personalisation tags; a person with no chosen address gives none.
    static QList<MergeRecord> mergeRecords(const Person &person, const QList<int> &addressIndexes);

    // Every e-mail address in the book, once, in the book's order (the address picker).
    QStringList emailAddresses() const;

private:
    QString path_;
    QList<Person> people_;
    bool loadFailed_ = false;
};
