#pragma once
// Reading the tables under data/ and finding the web-font folder, over
// Bundle's folders.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class DataFiles {
public:
    // The whole of data/<relative>; empty when it cannot be read.
    static QByteArray readData(const QString &relative);
    // Lines of a text table under data/: trimmed, blank lines and lines
    // starting with '#' left out.
    static QStringList readDataLines(const QString &relative);
    // The rows of a tab-separated table: each line split at its tabs, blank
    // lines, lines starting with '#' and rows of fewer than minimumFields
    // fields left out. Fields keep their spaces.
    static QList<QStringList> tabRows(const QString &text, qsizetype minimumFields);
    // The folder of web-font files: the resources folder's "fonts" when it
    // holds fonts (an installed program), else the build tree's copy.
    static QString fontsFolder();
};
