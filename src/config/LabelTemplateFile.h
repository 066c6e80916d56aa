#pragma once
// The label edition's catalogue of label stocks: the bundle file "labels.csv",
// one stock per line as brand, template number, sheet description, paper.
#include "config/LabelTemplateHelper.h"

#include <QByteArray>
#include <QList>
#include <QString>

class LabelTemplateFile {
public:
    LabelTemplateFile() = delete;

    // The records of the shipped file, sorted by template number; an empty
    // list when the file is missing or is not UTF-8.
    static QList<LabelTemplateHelper> read();
    // The records of file content, sorted by template number (compared as
    // text, so "22805" comes before "5160"; equal numbers keep file order).
    // Blank lines and lines of fewer than four fields are skipped; fields are
    // trimmed of spaces and tabs; fields past the fourth are ignored; the
    // paper "US Letter" is stored as "na-letter". Invalid UTF-8 gives nothing.
    // Lines that name no sheet of the print catalogue or a paper the print
    // system does not know are skipped too; each skipped line that is not
    // blank is told to `skipped` with the reason.
    static QList<LabelTemplateHelper> parse(const QByteArray &content, QStringList *skipped = nullptr);
};
