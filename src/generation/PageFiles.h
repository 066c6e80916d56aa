#pragma once
// Files page generation writes or removes beside the page: the separate
// style sheet and the clean-up of image files the page no longer uses.
#include <QString>

class SKTDocument;

// Writes tempSavePathLocal/pageName/"full.css" ("mobile.css" for the mobile
// version) atomically by the page text rule (ASCII, else UTF-16 with a mark).
// False with *error set when the folder or the file could not be written.
bool writeStyleSheet(const SKTDocument &doc, const QString &pageName, const QString &text, QString *error);

// Removes the image and background files of openWebsiteFolderTempPath/pageName
// that the page no longer uses. Only files named like page images are ever
// touched, and nothing happens without a plain page name.
void cleanPageFolder(const SKTDocument &doc, const QString &pageName);

// Writes data to path through a temporary file and a rename.
bool writeFileAtomically(const QString &path, const QByteArray &data, QString *error);
