#pragma once
// Words of the program that differ by edition: a records edition keeps a
// database of records, not a website, and its settings say so.
#include <QString>

class EditionWords {
public:
    // The record editions (patients, pets, students).
    static bool isRecordEdition();
    // The title of the project settings sheet ("Website Preferences").
    static QString projectSettingsTitle();
    // The title of the server settings window ("FTP Settings").
    static QString serverSettingsTitle();
};
