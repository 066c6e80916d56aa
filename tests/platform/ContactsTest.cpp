#include "support/TempDir.h"
#include "platform/ContactFileReader.h"
#include "platform/Contacts.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <sys/stat.h>

namespace {

using Person = Contacts::Person;

QByteArray run(const QString &script)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script});
    python.waitForFinished(30000);
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().constData();
    return python.readAllStandardOutput();
}

const Person *byLastName(const QList<Person> &people, const QString &name)
{
    for (const Person &p : people) {
        if (p.lastName == name)
            return &p;
    }
    return nullptr;
}

}  // namespace

// Cards written by a real vCard library: folded lines (one folded inside a UTF-8
// character), escaped commas, semicolons and line breaks, repeated fields.
TEST(ContactFileReader, ReadsVCardsWrittenByAnotherProgram)
{
    const QByteArray cards = run(QStringLiteral(R"PY(
import sys, vobject
out = []
c = vobject.vCard()
c.add('n').value = vobject.vcard.Name(family='Müller-Lüdenscheidt', given='Zoë', prefix='Dr.')
c.add('fn').value = 'Zoë Müller-Lüdenscheidt'
c.add('uid').value = 'a1b2-c3d4@example.org'
e = c.add('email'); e.value = 'zoe@example.org'; e.type_param = 'INTERNET'
c.add('email').value = 'zoe.work@example.org'
c.add('tel').value = '+49 30 1234'
c.add('tel').value = '+49 170 555'
c.add('org').value = ['Acme, Inc.', 'Sales']
c.add('title').value = 'Head of Sales; Europe, and a title long enough to be folded: ' + 'ä' * 40
a = c.add('adr'); a.value = vobject.vcard.Address(street='Hauptstraße 1\nHinterhaus', city='Berlin', region='BE', code='10115', country='Germany'); a.type_param = 'HOME'
a = c.add('adr'); a.value = vobject.vcard.Address(street='Work St 9', city='Potsdam', code='14467'); a.type_param = 'WORK'
out.append(c.serialize())
d = vobject.vCard()
d.add('n').value = vobject.vcard.Name(family='Solo', given='Sam')
d.add('fn').value = 'Sam Solo'
out.append(d.serialize())
sys.stdout.buffer.write(''.join(out).encode('utf-8'))
)PY"));
    QString error;
    const QList<Person> people = ContactFileReader::read(cards, &error);
    ASSERT_EQ(people.size(), 2) << error.toStdString();
    const Person &zoe = people[0];
    EXPECT_EQ(zoe.uid, QStringLiteral("a1b2-c3d4@example.org"));
    EXPECT_EQ(zoe.firstName, QStringLiteral("Zoë"));
    EXPECT_EQ(zoe.lastName, QStringLiteral("Müller-Lüdenscheidt"));
    EXPECT_EQ(zoe.title, QStringLiteral("Dr."));
    EXPECT_EQ(zoe.organisation, QStringLiteral("Acme, Inc."));
    EXPECT_EQ(zoe.jobTitle, QStringLiteral("Head of Sales; Europe, and a title long enough to be folded: ") + QString(40, QChar(0xE4)));
    EXPECT_EQ(zoe.emails, (QStringList{QStringLiteral("zoe@example.org"), QStringLiteral("zoe.work@example.org")}));
    EXPECT_EQ(zoe.phones, (QStringList{QStringLiteral("+49 30 1234"), QStringLiteral("+49 170 555")}));
    ASSERT_EQ(zoe.addresses.size(), 2);
    EXPECT_EQ(zoe.addresses[0], (Contacts::PostalAddress{QStringLiteral("home"), QStringLiteral("Hauptstraße 1\nHinterhaus"),
                                                         QStringLiteral("Berlin"), QStringLiteral("BE"),
                                                         QStringLiteral("10115"), QStringLiteral("Germany")}));
    EXPECT_EQ(zoe.addresses[1].label, QStringLiteral("work"));
    EXPECT_EQ(zoe.addresses[1].state, QString());
    EXPECT_EQ(people[1].firstName, QStringLiteral("Sam"));
    EXPECT_TRUE(people[1].uid.isEmpty());
}

TEST(ContactFileReader, ReadsVCard4WithGroupsPreferencesAndUris)
{
    const QByteArray card =
        "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:4fbe8971-0bc3-424c-9c26-36c3e1eff6b1\r\n"
        "FN:Ann Lee\r\nN:Lee;Ann;;;\r\n"
        "EMAIL;TYPE=home:ann@home.example\r\n"
        "item1.EMAIL;PREF=1;TYPE=work:ann@work.example\r\n"
        "TEL;VALUE=uri;TYPE=\"voice,cell\":tel:+1-555-0100\r\n"
        "ADR;TYPE=work;LABEL=\"Suite 5: 1 Main St\\nSpringfield\":;Suite 5;1 Main St;Spring\r\n"
        "\tfield;IL;62701;USA\r\n"
        "NOTE:ignored\\, fine\r\nEND:VCARD\r\n";
    const QList<Person> people = ContactFileReader::read(card);
    ASSERT_EQ(people.size(), 1);
    EXPECT_EQ(people[0].emails.value(0), QStringLiteral("ann@work.example"));
    EXPECT_EQ(people[0].phones, QStringList{QStringLiteral("+1-555-0100")});
    ASSERT_EQ(people[0].addresses.size(), 1);
    EXPECT_EQ(people[0].addresses[0].street, QStringLiteral("Suite 5\n1 Main St"));
    EXPECT_EQ(people[0].addresses[0].city, QStringLiteral("Springfield"));
    EXPECT_EQ(Contacts::uniqueContactId(people[0]), QStringLiteral("4fbe89710bc3424c9c2636c3e1eff6b1"));
}

TEST(ContactFileReader, ReadsCsvWithAHeaderRow)
{
    const QByteArray csv =
        "\xEF\xBB\xBF" "First Name,Last Name,Company,Job Title,E-mail Address,E-mail 2 Address,Mobile Phone,"
        "Home Street,Home City,Home State,Home Postal Code,Home Country/Region,Business Street,Business City,E-mail Display Name\r\n"
        "Ann,Lee,\"Lee, Lee & Partners\",CEO,ann@example.org,ann2@example.org,555-1,"
        "\"1 Main St\nFlat 2\",Springfield,IL,62701,USA,,,\"She said \"\"hi\"\"\"\r\n"
        ",,,,,,,,,,,,,,\r\n"
        "Bob,Ray,,,bob@example.org,,,,,,,,9 Work Rd,Shelbyville,\r\n";
    QString error;
    const QList<Person> people = ContactFileReader::read(csv, &error);
    ASSERT_EQ(people.size(), 2) << error.toStdString();
    const Person *ann = byLastName(people, QStringLiteral("Lee"));
    ASSERT_TRUE(ann);
    EXPECT_EQ(ann->organisation, QStringLiteral("Lee, Lee & Partners"));
    EXPECT_EQ(ann->jobTitle, QStringLiteral("CEO"));
    EXPECT_EQ(ann->emails, (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("ann2@example.org")}));
    ASSERT_EQ(ann->addresses.size(), 1);
    EXPECT_EQ(ann->addresses[0].street, QStringLiteral("1 Main St\nFlat 2"));
    EXPECT_EQ(ann->addresses[0].label, QStringLiteral("home"));
    EXPECT_EQ(ann->addresses[0].country, QStringLiteral("USA"));
    const Person *bob = byLastName(people, QStringLiteral("Ray"));
    ASSERT_TRUE(bob);
    ASSERT_EQ(bob->addresses.size(), 1);
    EXPECT_EQ(bob->addresses[0].city, QStringLiteral("Shelbyville"));
    EXPECT_EQ(bob->addresses[0].label, QStringLiteral("business"));

    EXPECT_TRUE(ContactFileReader::read("just,some,words\r\n1,2,3\r\n", &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

// Exports in other encodings read right; short lines give what they hold; lines with
// no contact are named, and the rest imports.
TEST(ContactFileReader, CsvInOtherEncodingsOrWithMissingColumnsImportsWhatItCanAndNamesSkippedLines)
{
    const QString text = QStringLiteral("First Name,Last Name,E-mail,City\r\n"
                                        "J\u00fcrgen,M\u00fcller,jm@example.org,K\u00f6ln\r\n"
                                        "Zo\u00eb,Smith\r\n"
                                        ",,,\r\n"
                                        "\r\n"
                                        "Ann,Lee,ann@example.org\r\n");
    QByteArray utf16le("\xFF\xFE");
    for (const QChar c : text)
        utf16le += char(c.unicode() & 0xFF), utf16le += char(c.unicode() >> 8);
    QByteArray cp1252;
    for (const QChar c : text)
        cp1252 += char(c.unicode());
    const struct {
        const char *what;
        QByteArray data;
    } files[] = {{"UTF-8", text.toUtf8()}, {"UTF-16 with its mark", utf16le}, {"Windows-1252", cp1252}};
    for (const auto &f : files) {
        SCOPED_TRACE(f.what);
        QString error;
        QStringList skipped;
        const QList<Person> people = ContactFileReader::read(f.data, &error, &skipped);
        ASSERT_EQ(people.size(), 3) << error.toStdString();
        const Person *muller = byLastName(people, QStringLiteral("M\u00fcller"));
        ASSERT_TRUE(muller);
        EXPECT_EQ(muller->firstName, QStringLiteral("J\u00fcrgen"));
        ASSERT_EQ(muller->addresses.size(), 1);
        EXPECT_EQ(muller->addresses[0].city, QStringLiteral("K\u00f6ln"));
        const Person *zoe = byLastName(people, QStringLiteral("Smith"));
        ASSERT_TRUE(zoe);
        EXPECT_EQ(zoe->firstName, QStringLiteral("Zo\u00eb"));
        EXPECT_TRUE(zoe->emails.isEmpty());
        ASSERT_EQ(skipped.size(), 1) << skipped.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(skipped[0].startsWith(QStringLiteral("line 4:"))) << skipped[0].toStdString();
    }
}

TEST(Contacts, UniqueContactIdIsMadeOfLettersAndDigits)
{
    Person p;
    p.firstName = QStringLiteral("Ann");
    p.uid = QStringLiteral("ABC/def:ghi-123@host");
    EXPECT_EQ(Contacts::uniqueContactId(p), QStringLiteral("ABCdefghi123host"));
    p.uid = QStringLiteral("--//--");
    const QString hashed = Contacts::uniqueContactId(p);
    EXPECT_EQ(hashed.size(), 12);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]+$")).match(hashed).hasMatch());
    p.uid.clear();
    EXPECT_EQ(Contacts::uniqueContactId(p), hashed);
    p.emails << QStringLiteral("ann@example.org");
    EXPECT_NE(Contacts::uniqueContactId(p), hashed);
}

TEST(Contacts, MergeRecordsOnePerChosenAddress)
{
    Person p;
    p.uid = QStringLiteral("u-1");
    p.firstName = QStringLiteral("Ann");
    p.emails = {QStringLiteral("a@x.org"), QStringLiteral("b@x.org")};
    p.addresses = {{QStringLiteral("home"), QStringLiteral("1 Main St"), QStringLiteral("Springfield"), {}, QStringLiteral("62701"), {}},
                   {QStringLiteral("work"), QStringLiteral("9 Work Rd"), QStringLiteral("Shelbyville"), QStringLiteral("IL"), {}, QStringLiteral("USA")}};
    const auto records = Contacts::mergeRecords(p, {1, 0});
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].value(QStringLiteral("[STREET]")), QStringLiteral("9 Work Rd"));
    EXPECT_EQ(records[0].value(QStringLiteral("Address_Number")), QStringLiteral("0"));
    EXPECT_EQ(records[1].value(QStringLiteral("Address_Number")), QStringLiteral("1"));
    EXPECT_FALSE(records[1].contains(QStringLiteral("[STATE]")));
    EXPECT_EQ(records[1].value(QStringLiteral("[EMAIL]")), QStringLiteral("a@x.org"));
    EXPECT_EQ(records[1].value(QStringLiteral("[LAST_NAME]")), QString());
    EXPECT_TRUE(records[1].contains(QStringLiteral("[LAST_NAME]")));
    EXPECT_EQ(records[1].value(QStringLiteral("[UNIQUE_CONTACT_ID]")), QStringLiteral("u1"));
    EXPECT_TRUE(Contacts::mergeRecords(p, {}).isEmpty());
}

class ContactsFile : public TempDirTest {};

// The book survives a restart, only its owner can read it, a second import of the
// same export replaces rather than doubles, and a damaged file is never written over.
TEST_F(ContactsFile, KeepsThePeoplePrivatelyAndImportsWithoutDoubles)
{
    const QString vcf = path("export.vcf");
    {
        QFile f(vcf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BEGIN:VCARD\nVERSION:3.0\nUID:one\nN:Lee;Ann\nEMAIL:ann@x.org\nEND:VCARD\n"
                "BEGIN:VCARD\nVERSION:3.0\nN:Ray;Bob\nEMAIL:bob@x.org\nEMAIL:ANN@x.org\nEND:VCARD\n");
    }
    Contacts book(path("data/zov/contacts.json"));
    ASSERT_TRUE(book.load());
    EXPECT_EQ(book.importFile(vcf), 2);
    EXPECT_EQ(book.importFile(vcf), 2);
    ASSERT_EQ(book.people().size(), 2);
    EXPECT_EQ(book.emailAddresses(), (QStringList{QStringLiteral("ann@x.org"), QStringLiteral("bob@x.org")}));
    ASSERT_TRUE(book.save());
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(book.filePath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    Contacts again(book.filePath());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.people(), book.people());

    QString error;
    EXPECT_EQ(again.importFile(path("missing.vcf"), &error), -1);
    EXPECT_FALSE(error.isEmpty());

    {
        QFile f(book.filePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{ not json");
    }
    Contacts damaged(book.filePath());
    EXPECT_FALSE(damaged.load(&error));
    EXPECT_FALSE(damaged.save());
    QFile f(book.filePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("{ not json"));
}
