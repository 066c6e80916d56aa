#include "platform/Contacts.h"
#include "platform/PrivateFolder.h"

#include "platform/ContactFileReader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

namespace {

const qint64 kMaxImportSize = 64 * 1024 * 1024;

QJsonArray toJson(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QStringList stringsOf(const QJsonValue &value)
{
    QStringList list;
    for (const auto &v : value.toArray())
        list.append(v.toString());
    return list;
}

}  // namespace

QString Contacts::Person::displayName() const
{
    const QString name = (firstName + QLatin1Char(' ') + lastName).trimmed();
    if (!name.isEmpty())
        return name;
    if (!organisation.isEmpty())
        return organisation;
    return emails.value(0);
}

Contacts::Contacts(const QString &filePath)
    : path_(filePath.isEmpty() ? defaultFilePath() : filePath)
{
}

QString Contacts::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/zov/contacts.json");
}

void Contacts::clear()
{
    people_.clear();
    loadFailed_ = false;
}

bool Contacts::load(QString *error)
{
    people_.clear();
    loadFailed_ = false;
    QFile file(path_);
    if (!file.exists())
        return true;
    const auto fail = [&](const QString &why) {
        loadFailed_ = true;
        if (error)
            *error = why;
        return false;
    };
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("The address book %1 could not be read: %2").arg(path_, file.errorString()));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return fail(QStringLiteral("The address book %1 is damaged and was not read.").arg(path_));
    for (const auto &value : document.object().value(QStringLiteral("people")).toArray()) {
        const QJsonObject o = value.toObject();
        Person p;
        p.uid = o.value(QStringLiteral("uid")).toString();
        p.firstName = o.value(QStringLiteral("firstName")).toString();
        p.lastName = o.value(QStringLiteral("lastName")).toString();
        p.organisation = o.value(QStringLiteral("organisation")).toString();
        p.title = o.value(QStringLiteral("title")).toString();
        p.jobTitle = o.value(QStringLiteral("jobTitle")).toString();
        p.emails = stringsOf(o.value(QStringLiteral("emails")));
        p.phones = stringsOf(o.value(QStringLiteral("phones")));
        for (const auto &a : o.value(QStringLiteral("addresses")).toArray()) {
            const QJsonObject ao = a.toObject();
            p.addresses.append({ao.value(QStringLiteral("label")).toString(), ao.value(QStringLiteral("street")).toString(),
                                ao.value(QStringLiteral("city")).toString(), ao.value(QStringLiteral("state")).toString(),
                                ao.value(QStringLiteral("postalCode")).toString(),
                                ao.value(QStringLiteral("country")).toString()});
        }
        people_.append(p);
    }
    return true;
}

bool Contacts::save(QString *error) const
{
    if (loadFailed_) {
        if (error)
            *error = QStringLiteral("The address book %1 could not be read, so it is not written over.").arg(path_);
        return false;
    }
    QJsonArray people;
    for (const Person &p : people_) {
        QJsonArray addresses;
        for (const PostalAddress &a : p.addresses) {
            addresses.append(QJsonObject{{QStringLiteral("label"), a.label}, {QStringLiteral("street"), a.street},
                                         {QStringLiteral("city"), a.city}, {QStringLiteral("state"), a.state},
                                         {QStringLiteral("postalCode"), a.postalCode},
                                         {QStringLiteral("country"), a.country}});
        }
        people.append(QJsonObject{{QStringLiteral("uid"), p.uid}, {QStringLiteral("firstName"), p.firstName},
                                  {QStringLiteral("lastName"), p.lastName},
                                  {QStringLiteral("organisation"), p.organisation},
                                  {QStringLiteral("title"), p.title}, {QStringLiteral("jobTitle"), p.jobTitle},
                                  {QStringLiteral("emails"), toJson(p.emails)},
                                  {QStringLiteral("phones"), toJson(p.phones)},
                                  {QStringLiteral("addresses"), addresses}});
    }
    const QByteArray data = QJsonDocument(QJsonObject{{QStringLiteral("version"), 1},
                                                      {QStringLiteral("people"), people}})
                                .toJson(QJsonDocument::Indented);
    PrivateFolder::ensure(QFileInfo(path_).path());
    QSaveFile file(path_);
    // Names, addresses and phone numbers of other people: nobody else may read them.
    // The permissions go on the temporary file before anything is written to it.
    const bool ok = file.open(QIODevice::WriteOnly)
        && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        && file.write(data) == data.size() && file.commit();
    if (!ok && error)
        *error = QStringLiteral("The address book %1 could not be written: %2").arg(path_, file.errorString());
    return ok;
}

int Contacts::importFile(const QString &path, QString *error, QStringList *skipped)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1 could not be read: %2").arg(path, file.errorString());
        return -1;
    }
    if (file.size() > kMaxImportSize) {
        if (error)
            *error = QStringLiteral("%1 is too large for an address-book file.").arg(path);
        return -1;
    }
    const QList<Person> read = ContactFileReader::read(file.readAll(), error, skipped);
    if (read.isEmpty())
        return -1;
    return importPeople(read);
}

int Contacts::importPeople(const QList<Person> &people)
{
    for (Person person : people) {
        // Give everyone a lasting identifier, so a later import of the same export
        // replaces the entry and the merge pages keep their names.
        if (person.uid.isEmpty())
            person.uid = uniqueContactId(person);
        bool replaced = false;
        for (Person &existing : people_) {
            if (existing.uid == person.uid) {
                existing = person;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            people_.append(person);
    }
    return int(people.size());
}

QString Contacts::uniqueContactId(const Person &person)
{
    QString uid = person.uid.trimmed();
    if (uid.startsWith(QLatin1String("urn:uuid:"), Qt::CaseInsensitive))
        uid = uid.mid(9);
    QString reduced;
    for (QChar c : uid) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            reduced += c;
    }
    if (!reduced.isEmpty())
        return reduced.left(40);
    QByteArray key;
    for (const QString &s : {person.firstName, person.lastName, person.organisation, person.title, person.jobTitle})
        key += s.toUtf8() + '\x1f';
    key += person.emails.join(QLatin1Char('\x1e')).toUtf8() + '\x1f' + person.phones.join(QLatin1Char('\x1e')).toUtf8();
    for (const PostalAddress &a : person.addresses)
        key += '\x1f' + QStringList{a.street, a.city, a.state, a.postalCode, a.country}.join(QLatin1Char('\x1e')).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(12));
}

Contacts::MergeRecord Contacts::personRecord(const Person &person)
{
    MergeRecord base;
    base.insert(QStringLiteral("[UNIQUE_CONTACT_ID]"), uniqueContactId(person));
    base.insert(QStringLiteral("[FIRST_NAME]"), person.firstName);
    base.insert(QStringLiteral("[LAST_NAME]"), person.lastName);
    base.insert(QStringLiteral("[COMPANY_NAME]"), person.organisation);
    base.insert(QStringLiteral("[TITLE]"), person.title);
    base.insert(QStringLiteral("[JOB_TITLE]"), person.jobTitle);
    base.insert(QStringLiteral("[EMAIL]"), person.emails.value(0));
    base.insert(QStringLiteral("[PHONE]"), person.phones.value(0));
    return base;
}

QList<Contacts::MergeRecord> Contacts::mergeRecords(const Person &person, const QList<int> &addressIndexes)
{
    const MergeRecord base = personRecord(person);
    QList<MergeRecord> records;
    int number = 0;
    for (int index : addressIndexes) {
        if (index < 0 || index >= person.addresses.size())
            continue;
        const PostalAddress &a = person.addresses.at(index);
        MergeRecord record = base;
        const auto put = [&](const char *key, const QString &value) {
            if (!value.isEmpty())
                record.insert(QString::fromLatin1(key), value);
        };
        put("[STREET]", a.street);
        put("[STATE]", a.state);
        put("[CITY]", a.city);
        put("[ZIPCODE]", a.postalCode);
        put("[COUNTRY]", a.country);
        record.insert(QStringLiteral("Address_Number"), QString::number(number++));
        records.append(record);
    }
    return records;
}

QStringList Contacts::emailAddresses() const
{
    QStringList result;
    QSet<QString> seen;
    for (const Person &p : people_) {
        for (const QString &e : p.emails) {
            if (!seen.contains(e.toLower())) {
                seen.insert(e.toLower());
                result.append(e);
            }
        }
    }
    return result;
}
