#include "platform/ContactFileReader.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace {

using Person = Contacts::Person;
using PostalAddress = Contacts::PostalAddress;

// Splits a vCard value at unescaped separators, then resolves the escapes.
QStringList splitEscaped(const QString &value, QChar separator)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            if (next == QLatin1Char('n') || next == QLatin1Char('N'))
                current += QLatin1Char('\n');
            else
                current += next;  // \, \; \\ and anything else stand for themselves
        } else if (c == separator) {
            parts.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.append(current);
    return parts;
}

QString unescape(const QString &value)
{
    return splitEscaped(value, QChar(0)).join(QString());
}

QString part(const QStringList &parts, int index)
{
    return index < parts.size() ? parts.at(index).trimmed() : QString();
}

struct Property {
    QString name;                        // upper case, group removed
    QMap<QString, QStringList> params;   // upper-case names; values lower case
    QString value;                       // raw, escapes still in
};

// "item1.EMAIL;TYPE=work,pref:ann@example.org" -> its parts. Colons inside quoted
// parameter values do not end the name.
bool parseLine(const QString &line, Property &property)
{
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('"'))
            quoted = !quoted;
        else if (line.at(i) == QLatin1Char(':') && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon <= 0)
        return false;
    const QStringList head = line.left(colon).split(QLatin1Char(';'));
    QString name = head.first().trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf(QLatin1Char('.')); dot >= 0)
        name = name.mid(dot + 1);
    property.name = name;
    property.params.clear();
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QString param = head.at(i);
        const qsizetype eq = param.indexOf(QLatin1Char('='));
        // vCard 2.1 style bare types ("TEL;CELL:") count as TYPE.
        const QString key = eq < 0 ? QStringLiteral("TYPE") : param.left(eq).trimmed().toUpper();
        QString values = eq < 0 ? param : param.mid(eq + 1);
        values.remove(QLatin1Char('"'));
        for (const QString &v : values.split(QLatin1Char(','), Qt::SkipEmptyParts))
            property.params[key].append(v.trimmed().toLower());
    }
    property.value = line.mid(colon + 1);
    return true;
}

bool isPreferred(const Property &p)
{
    return p.params.value(QStringLiteral("TYPE")).contains(QStringLiteral("pref"))
        || p.params.value(QStringLiteral("PREF")).contains(QStringLiteral("1"));
}

// Keeps the file's order but puts the one marked preferred first: it is "the first
// e-mail address" a merge uses.
void addValue(QStringList &list, const QString &value, bool preferred)
{
    if (value.isEmpty() || list.contains(value))
        return;
    if (preferred)
        list.prepend(value);
    else
        list.append(value);
}

QString decodeQuotedPrintable(const QString &value)
{
    QByteArray out;
    const QByteArray in = value.toLatin1();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '=' && i + 2 < in.size() && QByteArray("0123456789ABCDEFabcdef").contains(in[i + 1])) {
            out += char(in.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += in[i];
        }
    }
    return QString::fromUtf8(out);
}

}  // namespace

QString ContactFileReader::decodeText(const QByteArray &data)
{
    const auto utf16 = [&data](bool littleEndian, qsizetype skip) {
        QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return QString(decoder(data.mid(skip)));
    };
    if (data.startsWith("\xFF\xFE"))
        return utf16(true, 2);
    if (data.startsWith("\xFE\xFF"))
        return utf16(false, 2);
    if (data.size() >= 4 && data.at(0) != 0 && data.at(1) == 0 && data.at(3) == 0)
        return utf16(true, 0);
    if (data.size() >= 4 && data.at(0) == 0 && data.at(1) != 0 && data.at(2) == 0)
        return utf16(false, 0);
    QString text;
    QStringDecoder utf8(QStringConverter::Utf8);
    text = utf8(data);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    // Windows-1252: Latin-1 with printable characters in 0x80-0x9F.
    static const char16_t high[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    text.clear();
    text.reserve(data.size());
    for (const char c : data) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0x80 && byte < 0xA0 ? QChar(high[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QList<Person> ContactFileReader::read(const QByteArray &data, QString *error, QStringList *skipped)
{
    // UTF-16 exports are read as UTF-8 from here on, vCards included.
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")
        || (data.size() >= 4 && (data.at(1) == 0 || data.at(0) == 0)))
        return read(decodeText(data).toUtf8(), error, skipped);
    QByteArray head = data.left(4096).trimmed();
    if (head.startsWith("\xEF\xBB\xBF"))
        head = head.mid(3);
    if (head.toUpper().startsWith("BEGIN:VCARD"))
        return readVCards(data, error);
    return readCsv(data, error, skipped);
}

QList<Person> ContactFileReader::readVCards(const QByteArray &data, QString *error)
{
    // Unfolding works on the bytes: a writer may fold inside a UTF-8 character. A line
    // that starts with a space or tab continues the one before.
    QByteArray bytes = data;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    bytes.replace("\n ", "");
    bytes.replace("\n\t", "");
    const QString text = QString::fromUtf8(bytes);

    QList<Person> people;
    Person person;
    bool inside = false;
    QString fullName;
    Property p;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype li = 0; li < lines.size(); ++li) {
        const QString &line = lines.at(li);
        if (line.trimmed().isEmpty() || !parseLine(line, p))
            continue;
        QString value = p.value;
        if (p.params.value(QStringLiteral("ENCODING")).contains(QStringLiteral("quoted-printable"))) {
            // vCard 2.1: a quoted-printable value continues while its lines end in "=".
            while (value.endsWith(QLatin1Char('=')) && li + 1 < lines.size()) {
                value.chop(1);
                value += lines.at(++li);
            }
            value = decodeQuotedPrintable(value);
        }
        if (p.name == QLatin1String("BEGIN") && value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0) {
            person = Person();
            fullName.clear();
            inside = true;
            continue;
        }
        if (!inside)
            continue;
        if (p.name == QLatin1String("END")) {
            if (person.firstName.isEmpty() && person.lastName.isEmpty() && !fullName.isEmpty()) {
                const qsizetype space = fullName.lastIndexOf(QLatin1Char(' '));
                person.firstName = space < 0 ? fullName : fullName.left(space);
                person.lastName = space < 0 ? QString() : fullName.mid(space + 1);
            }
            people.append(person);
            inside = false;
        } else if (p.name == QLatin1String("UID")) {
            person.uid = unescape(value).trimmed();
        } else if (p.name == QLatin1String("N")) {
            const QStringList n = splitEscaped(value, QLatin1Char(';'));
            person.lastName = part(n, 0);
            person.firstName = part(n, 1);
            person.title = part(n, 3);
        } else if (p.name == QLatin1String("FN")) {
            fullName = unescape(value).trimmed();
        } else if (p.name == QLatin1String("ORG")) {
            person.organisation = part(splitEscaped(value, QLatin1Char(';')), 0);
        } else if (p.name == QLatin1String("TITLE")) {
            person.jobTitle = unescape(value).trimmed();
        } else if (p.name == QLatin1String("EMAIL")) {
            QString address = unescape(value).trimmed();
            if (address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
                address = address.mid(7);
            addValue(person.emails, address, isPreferred(p));
        } else if (p.name == QLatin1String("TEL")) {
            QString number = unescape(value).trimmed();
            if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
                number = number.mid(4);
            addValue(person.phones, number, isPreferred(p));
        } else if (p.name == QLatin1String("ADR")) {
            const QStringList a = splitEscaped(value, QLatin1Char(';'));
            PostalAddress address;
            QStringList types = p.params.value(QStringLiteral("TYPE"));
            types.removeAll(QStringLiteral("pref"));
            address.label = types.value(0);
            QStringList street;
            for (int i : {0, 1, 2}) {
                if (!part(a, i).isEmpty())
                    street << part(a, i);
            }
            address.street = street.join(QLatin1Char('\n'));
            address.city = part(a, 3);
            address.state = part(a, 4);
            address.postalCode = part(a, 5);
            address.country = part(a, 6);
            if (!(address == PostalAddress{address.label, {}, {}, {}, {}, {}}))
                person.addresses.append(address);
        }
    }
    if (people.isEmpty() && error)
        *error = QStringLiteral("The file holds no vCard.");
    return people;
}

QList<QStringList> ContactFileReader::csvRows(const QString &text, QList<int> *lines)
{
    int line = 1;       // the line the reader is on
    int rowLine = 1;    // the line the current row started on
    const qsizetype headerEnd = text.indexOf(QLatin1Char('\n'));
    const QString header = text.left(headerEnd < 0 ? text.size() : headerEnd);
    QChar separator = QLatin1Char(',');
    if (!header.contains(QLatin1Char(','))) {
        if (header.contains(QLatin1Char(';')))
            separator = QLatin1Char(';');
        else if (header.contains(QLatin1Char('\t')))
            separator = QLatin1Char('\t');
    }
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('\n'))
                ++line;
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == separator) {
            row.append(field);
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (any || !field.isEmpty()) {
                row.append(field);
                rows.append(row);
                if (lines)
                    lines->append(rowLine);
            }
            row.clear();
            field.clear();
            any = false;
            rowLine = ++line;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        row.append(field);
        rows.append(row);
        if (lines)
            lines->append(rowLine);
    }
    return rows;
}

QList<Person> ContactFileReader::readCsv(const QByteArray &data, QString *error, QStringList *skipped)
{
    const QString text = decodeText(data);
    QList<int> lineOf;
    const QList<QStringList> rows = csvRows(text, &lineOf);
    if (rows.size() < 2) {
        if (error)
            *error = QStringLiteral("The file has no header row with contacts below it.");
        return {};
    }
    enum Field { None, First, Last, Full, Company, Title, JobTitle, Uid, Email, Phone,
                 Street, City, State, Zip, Country };
    static const QMap<QString, Field> exact = {
        {QStringLiteral("firstname"), First}, {QStringLiteral("givenname"), First}, {QStringLiteral("first"), First},
        {QStringLiteral("lastname"), Last}, {QStringLiteral("familyname"), Last}, {QStringLiteral("surname"), Last},
        {QStringLiteral("last"), Last},
        {QStringLiteral("name"), Full}, {QStringLiteral("fullname"), Full}, {QStringLiteral("displayname"), Full},
        {QStringLiteral("company"), Company}, {QStringLiteral("organization"), Company},
        {QStringLiteral("organisation"), Company}, {QStringLiteral("organization1name"), Company},
        {QStringLiteral("org"), Company},
        {QStringLiteral("title"), Title}, {QStringLiteral("nameprefix"), Title}, {QStringLiteral("prefix"), Title},
        {QStringLiteral("jobtitle"), JobTitle}, {QStringLiteral("organization1title"), JobTitle},
        {QStringLiteral("position"), JobTitle}, {QStringLiteral("role"), JobTitle},
        {QStringLiteral("uid"), Uid}, {QStringLiteral("id"), Uid}, {QStringLiteral("contactid"), Uid},
        {QStringLiteral("address"), Street}, {QStringLiteral("streetaddress"), Street},
    };
    const auto isAddressField = [](Field f) { return f == Street || f == City || f == State || f == Zip || f == Country; };
    // Longer suffixes first: "countryregion" must not be read as a "region" column.
    static const QList<QPair<QString, Field>> addressSuffixes = {
        {QStringLiteral("countryregion"), Country}, {QStringLiteral("street"), Street}, {QStringLiteral("city"), City}, {QStringLiteral("state"), State},
        {QStringLiteral("region"), State}, {QStringLiteral("province"), State},
        {QStringLiteral("postalcode"), Zip}, {QStringLiteral("zipcode"), Zip}, {QStringLiteral("zip"), Zip},
        {QStringLiteral("postcode"), Zip}, {QStringLiteral("country"), Country},
    };
    struct Column {
        Field field = None;
        QString group;  // address columns: "home", "business", "address1", …
    };
    QList<Column> columns;
    QStringList groups;  // in order of first appearance
    for (const QString &name : rows.first()) {
        QString n = name.toLower();
        n.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
        Column column;
        if (exact.contains(n)) {
            column.field = exact.value(n);
        } else {
            for (const auto &[suffix, field] : addressSuffixes) {
                if (n.endsWith(suffix)) {
                    column.field = field;
                    column.group = n.chopped(suffix.size());
                    if (column.group.endsWith(QLatin1String("address")) && column.group != QLatin1String("address"))
                        column.group.chop(7);
                    break;
                }
            }
            // "E-mail 1 - Type", "E-mail Display Name", "Phone 1 - Label" describe a value.
            const bool describes = n.contains(QLatin1String("type")) || n.contains(QLatin1String("label"))
                || n.contains(QLatin1String("display")) || n.contains(QLatin1String("name"));
            if (column.field == None && !describes) {
                if (n.contains(QLatin1String("mail")))
                    column.field = Email;
                else if (n.contains(QLatin1String("phone")) || n.contains(QLatin1String("mobile"))
                         || n.startsWith(QLatin1String("tel")))
                    column.field = Phone;
            }
        }
        if (isAddressField(column.field)) {
            if (!groups.contains(column.group))
                groups.append(column.group);
        }
        columns.append(column);
    }
    const bool known = std::any_of(columns.begin(), columns.end(), [](const Column &c) { return c.field != None; });
    if (!known) {
        if (error)
            *error = QStringLiteral("The header row names no column of a contact (name, e-mail, address …).");
        return {};
    }

    QList<Person> people;
    for (qsizetype r = 1; r < rows.size(); ++r) {
        const QStringList &row = rows.at(r);
        Person person;
        QString fullName;
        QList<PostalAddress> addresses(groups.size());
        for (qsizetype c = 0; c < columns.size() && c < row.size(); ++c) {
            const QString value = row.at(c).trimmed();
            if (value.isEmpty())
                continue;
            const Column &column = columns.at(c);
            PostalAddress *address = nullptr;
            if (isAddressField(column.field))
                address = &addresses[groups.indexOf(column.group)];
            switch (column.field) {
            case First: person.firstName = value; break;
            case Last: person.lastName = value; break;
            case Full: fullName = value; break;
            case Company: person.organisation = value; break;
            case Title: person.title = value; break;
            case JobTitle: person.jobTitle = value; break;
            case Uid: person.uid = value; break;
            case Email:
                for (const QString &e : value.split(QRegularExpression(QStringLiteral("\\s*:::\\s*|\\s*;\\s*")), Qt::SkipEmptyParts))
                    addValue(person.emails, e.trimmed(), false);
                break;
            case Phone: addValue(person.phones, value, false); break;
            case Street: address->street = value; break;
            case City: address->city = value; break;
            case State: address->state = value; break;
            case Zip: address->postalCode = value; break;
            case Country: address->country = value; break;
            case None: break;
            }
        }
        if (person.firstName.isEmpty() && person.lastName.isEmpty() && !fullName.isEmpty()) {
            const qsizetype space = fullName.lastIndexOf(QLatin1Char(' '));
            person.firstName = space < 0 ? fullName : fullName.left(space);
            person.lastName = space < 0 ? QString() : fullName.mid(space + 1);
        }
        for (qsizetype g = 0; g < groups.size(); ++g) {
            PostalAddress address = addresses.at(g);
            if (address == PostalAddress())
                continue;
            address.label = groups.at(g);
            person.addresses.append(address);
        }
        if (person == Person()) {
            // Named, so the user can mend the line and import again.
            if (skipped)
                *skipped << QStringLiteral("line %1: no name, e-mail, phone or address under the header's columns")
                                .arg(lineOf.value(r));
            continue;
        }
        people.append(person);
    }
    if (people.isEmpty() && error)
        *error = QStringLiteral("The file holds no contacts below its header row.");
    return people;
}
