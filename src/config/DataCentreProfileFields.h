#pragma once
// Class-level operations of DataCentre: see config/DataCentre.h. Declared
// here for the facade; defined in document/DataCentreProfileFields.cpp, since
// they work on page files. The profile field blocks of record pages
// ("<!====LABELSTARTSTRING--value--LABELENDSTRING====>"), the page title of a record, and the one-time conversion of the older
// record header (bare lines in a comment at the top of the page).
//
// Values are written with "&", "<" and ">" escaped, so a value can neither
// spill into the page nor hold an end marker; reading decodes them, and
// values written before read as they were.
#include "config/Person.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// A field block the edition does not know, kept as it stood.
struct ProfileBlock {
    QString label;
    QString rawValue; // as stored, still escaped
    bool operator==(const ProfileBlock &) const = default;
};

// What opening a record page reads of it.
struct ProfileRecordRead {
    QString pageTitle;
    QList<QPair<QString, QString>> profileDictionary; // the edition's keys, in order, with their values
    QList<ProfileBlock> otherBlocks;                   // blocks of labels the edition does not know
    bool converted = false;                            // the old header was converted
};

class DataCentreProfileFields {
public:
    static QString generateStartString(const QString &label);
    static QString generateEndString(const QString &label);
    // value, label in this order.
    static QString generateFullString(const QString &value, const QString &label);
    // The block of an already escaped value (written back as it was read).
    static QString generateRawFullString(const QString &rawValue, const QString &label);
    // The value of the first block of that label, decoded; "" when none.
    static QString grabProfileField(const QString &label, const QString &text);
    // A stored value or label as the user wrote it ("&lt;" back to "<" ...).
    static QString decodeProfileText(const QString &stored);
    // The blocks whose labels are not among the known ones, in page order.
    static QList<ProfileBlock> grabOtherProfileBlocks(const QString &text, const QStringList &knownLabels);

    static bool oldPelprofileFlag(const QString &text);
    static Person grabOldPelprofileData(const QString &text);
    static QString convertPelprofileDataToNew(const Person &person, const QDate &today = QDate::currentDate());
    static QString grabPageTitleFromPellprofile(const Person &person);
    // Removes the old header (through the first "-->") from the file.
    static bool removeOldPelprofileStringFromFile(const QString &path);
    // The conversion of an old record page in one atomic write: the converted
    // blocks appended and the old header removed. False, leaving the file
    // alone, when it has no old header or the header is not closed.
    static bool convertOldPelprofileFile(const QString &path, const QDate &today = QDate::currentDate());
    static QString grabPageTitle(const QString &text);

    // Opening a record page: an old header is converted first (one write),
    // then the title and the fields are read from the page as it now is.
    static ProfileRecordRead openRecordPage(const QString &path, const QStringList &fieldKeys,
                                            const QDate &today = QDate::currentDate());
};
