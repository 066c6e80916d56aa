#pragma once
// What a record page shows of its record: the name as a heading, a table of
// the record's fields ("Birth Date: Mar 04 1990", one a line) and the notes,
// three text boxes at the top of the page. The boxes are made from the fields
// each time the page is opened or the record changes, so the page, its
// picture, its print-out and its export always carry what the record holds;
// the fields themselves stay stored as field blocks in the page.
#include <QList>
#include <QMap>
#include <QString>

class SKTDocument;

class ProfilePageTable {
public:
    // The template names that mark the three boxes on the page.
    static const QString kNameBox;
    static const QString kTableBox;
    static const QString kNotesBox;

    struct Row {
        QString label;
        QString value;
    };
    // The rows of the table, in the order the edition shows them.
    static QList<Row> rows(const QMap<QString, QString> &profile, const QString &edition);
    static QString headingText(const QMap<QString, QString> &profile, const QString &edition);
    static QString tableText(const QMap<QString, QString> &profile, const QString &edition);
    static QString notesText(const QMap<QString, QString> &profile);

    // A page of a record edition that is a record (not the base template).
    static bool isRecordPage(const SKTDocument &doc);
    // Puts the boxes on a record page, or brings them up to date with the
    // document's profile, moving what lies below when they grow or shrink.
    // No undo step is recorded: the boxes follow the record. True when the
    // page changed.
    static bool refresh(SKTDocument &doc);
};
