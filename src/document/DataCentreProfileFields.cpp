#include "config/DataCentreProfileFields.h"

#include "config/EditionSettings.h"
#include "config/DataCentreMarkers.h"
#include "document/PageRule.h"

#include <QLocale>
#include <QSet>

namespace {

QString escapeValue(QString value)
{
    value.replace(QLatin1String("&"), QLatin1String("&amp;"));
    value.replace(QLatin1String("<"), QLatin1String("&lt;"));
    value.replace(QLatin1String(">"), QLatin1String("&gt;"));
    return value;
}

QString decodeValue(QString value)
{
    if (!value.contains(QLatin1Char('&')))
        return value;
    value.replace(QLatin1String("&lt;"), QLatin1String("<"));
    value.replace(QLatin1String("&gt;"), QLatin1String(">"));
    value.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return value;
}

// The lines of a text as the old scanner saw them: leading blanks and empty
// lines passed over, each line up to its line feed.
QStringList scannedLines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QString trimmed = line;
        qsizetype i = 0;
        while (i < trimmed.size() && trimmed.at(i).isSpace())
            ++i;
        trimmed = trimmed.mid(i);
        if (trimmed.endsWith(QLatin1Char('\r')))
            trimmed.chop(1);
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    return lines;
}

QString firstScannedLine(const QString &text)
{
    const QStringList lines = scannedLines(text.left(4096));
    return lines.isEmpty() ? QString() : lines.first();
}

QString nullAsEmpty(const QString &value)
{
    return (value.isNull() || value == QLatin1String("(null)")) ? QString(QLatin1String("")) : value;
}

} // namespace

QString DataCentreProfileFields::generateStartString(const QString &label)
{
    return QStringLiteral("<!====") + label + QStringLiteral("STARTSTRING--");
}

QString DataCentreProfileFields::generateEndString(const QString &label)
{
    return QStringLiteral("--") + label + QStringLiteral("ENDSTRING====>");
}

QString DataCentreProfileFields::generateFullString(const QString &value, const QString &label)
{
    return generateRawFullString(escapeValue(value), label);
}

QString DataCentreProfileFields::generateRawFullString(const QString &rawValue, const QString &label)
{
    return generateStartString(label) + rawValue + generateEndString(label);
}

QString DataCentreProfileFields::grabProfileField(const QString &label, const QString &text)
{
    return decodeValue(
        DataCentreMarkers::grabMiddleString(generateStartString(label), generateEndString(label), text));
}

QString DataCentreProfileFields::decodeProfileText(const QString &stored)
{
    return decodeValue(stored);
}

QList<ProfileBlock> DataCentreProfileFields::grabOtherProfileBlocks(const QString &text,
                                                                    const QStringList &knownLabels)
{
    // A page holds one block per field; past this many start markers the
    // rest is not looked at, so a hostile page cannot make the scan quadratic.
    constexpr int kMaxBlocks = 4096;
    QList<ProfileBlock> blocks;
    QSet<QString> seen;    // labels already taken: only a label's first block is read
    QSet<QString> unended; // labels whose end marker is nowhere further on
    const QLatin1String open("<!====");
    const QLatin1String startTail("STARTSTRING--");
    qsizetype at = 0;
    for (int scanned = 0; scanned < kMaxBlocks; ++scanned) {
        const qsizetype tail = text.indexOf(startTail, at);
        if (tail < 0)
            break;
        // Labels are short: the opening is looked for just before the tail.
        constexpr qsizetype kMaxLabel = 256;
        const qsizetype window = std::max<qsizetype>(at, tail - kMaxLabel - open.size());
        const qsizetype found = QStringView(text).mid(window, tail - window).lastIndexOf(open);
        const qsizetype opening = found < 0 ? -1 : window + found;
        const qsizetype valueStart = tail + startTail.size();
        at = valueStart;
        if (opening < 0)
            continue;
        const QString label = text.mid(opening + open.size(), tail - opening - open.size());
        if (label.contains(QLatin1Char('\n')) || unended.contains(label))
            continue;
        const QString endMarker = generateEndString(label);
        const qsizetype end = text.indexOf(endMarker, valueStart);
        if (end < 0) {
            unended.insert(label);
            continue;
        }
        if (!knownLabels.contains(label) && !seen.contains(label))
            blocks.append({label, text.mid(valueStart, end - valueStart)});
        seen.insert(label);
        at = end + endMarker.size();
    }
    return blocks;
}

bool DataCentreProfileFields::oldPelprofileFlag(const QString &text)
{
    return firstScannedLine(text) == QLatin1String("<!--");
}

Person DataCentreProfileFields::grabOldPelprofileData(const QString &text)
{
    Person person;
    const qsizetype close = text.indexOf(QLatin1String("-->"));
    const QStringList lines = scannedLines(close < 0 ? text : text.left(close));
    auto line = [&](qsizetype i) { return i < lines.size() ? lines.at(i) : QString(); };
    person.firstName = nullAsEmpty(line(1));
    person.lastName = nullAsEmpty(line(2));
    person.chartNumber = nullAsEmpty(line(3));
    person.age = nullAsEmpty(line(4));
    person.genderFlag = PageRule::clampToInt(PageRule::leadingNumber(line(5)), -1e9, 1e9);
    person.birthDate = nullAsEmpty(line(6));
    person.phoneNumber = nullAsEmpty(line(7));
    person.email = nullAsEmpty(line(8));
    return person;
}

QString DataCentreProfileFields::convertPelprofileDataToNew(const Person &person, const QDate &today)
{
    // "yyyy": the calendar year ("YYYY" would be the week-based year).
    const QString date = QLocale(QLocale::English, QLocale::UnitedStates).toString(today, QStringLiteral("MMM dd yyyy"));
    const QList<QPair<QString, QString>> fields {
        {QStringLiteral("Owner First Name"), person.firstName},
        {QStringLiteral("Owner Last Name"), person.lastName},
        {QStringLiteral("Owner Email"), person.email},
        {QStringLiteral("Owner Home Phone Number"), person.phoneNumber},
        {QStringLiteral("Pet Chart Number"), person.chartNumber},
        {QStringLiteral("Pet Sex"), QString::number(person.genderFlag)},
        {QStringLiteral("Birth Date Status"), QStringLiteral("1")},
        {QStringLiteral("Notes"),
         QStringLiteral("Additional data from profile (transferred on %1), please review and update:\nAge: %2\nBirth Date: %3")
             .arg(date, person.age, person.birthDate)},
    };
    QString result = QLatin1String("");
    for (const auto &field : fields)
        result += QStringLiteral("\n\n") + generateFullString(field.second, field.first);
    return result;
}

QString DataCentreProfileFields::grabPageTitleFromPellprofile(const Person &person)
{
    QString title = person.firstName + QLatin1Char(' ') + person.lastName;
    if (!person.chartNumber.isEmpty())
        title += QLatin1Char(' ') + person.chartNumber;
    return title;
}

bool DataCentreProfileFields::removeOldPelprofileStringFromFile(const QString &path)
{
    const QString text = DataCentreMarkers::readPageFile(path);
    if (text.isNull())
        return false;
    const qsizetype close = text.indexOf(QLatin1String("-->"));
    if (close < 0)
        return false;
    return DataCentreMarkers::writePageFile(path, text.mid(close + 3));
}

bool DataCentreProfileFields::convertOldPelprofileFile(const QString &path, const QDate &today)
{
    const QString text = DataCentreMarkers::readPageFile(path);
    if (text.isNull() || !oldPelprofileFlag(text))
        return false;
    const qsizetype close = text.indexOf(QLatin1String("-->"));
    if (close < 0)
        return false;
    const QString converted = convertPelprofileDataToNew(grabOldPelprofileData(text), today);
    return DataCentreMarkers::writePageFile(path, text.mid(close + 3) + QStringLiteral("\n\n") + converted);
}

QString DataCentreProfileFields::grabPageTitle(const QString &text)
{
    if (!gPageTitleEnabled)
        return QLatin1String("");
    QString title = DataCentreMarkers::grabMiddleString(QStringLiteral("<!--PAGETITLESTART=="),
                                                        QStringLiteral("==PAGETITLEEND-->"), text);
    if (!title.isEmpty())
        return nullAsEmpty(title);
    const QString first = firstScannedLine(text);
    if (first.startsWith(QLatin1String("<!--")) && first.size() >= 7)
        return nullAsEmpty(first.mid(4, first.size() - 7));
    return QLatin1String("");
}

ProfileRecordRead DataCentreProfileFields::openRecordPage(const QString &path, const QStringList &fieldKeys,
                                                          const QDate &today)
{
    ProfileRecordRead read;
    QString text = DataCentreMarkers::readPageFile(path);
    if (text.isNull())
        text = QLatin1String("");
    if (oldPelprofileFlag(text)) {
        const Person person = grabOldPelprofileData(text);
        read.converted = convertOldPelprofileFile(path, today);
        if (read.converted) {
            read.pageTitle = grabPageTitleFromPellprofile(person);
            text = DataCentreMarkers::readPageFile(path);
        }
    }
    if (!read.converted)
        read.pageTitle = grabPageTitle(text);
    for (const QString &key : fieldKeys)
        read.profileDictionary.append({key, grabProfileField(key, text)});
    read.otherBlocks = grabOtherProfileBlocks(text, fieldKeys);
    return read;
}
