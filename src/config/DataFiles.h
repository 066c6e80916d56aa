#pragma once
// Where the tables under data/ and the files under resources/ are found:
// the installed data folder first, then the source tree (a build that was
// not installed, and the tests).
#include <QByteArray>
#include <QString>

class DataFiles {
public:
    // Full path of data/<relative>, or an empty string when it is nowhere.
    static QString dataPath(const QString &relative);
    // Full path of resources/<relative>, or an empty string when it is nowhere.
    static QString resourcePath(const QString &relative);
    // The whole of data/<relative>; empty when it cannot be read.
    static QByteArray readData(const QString &relative);
    // Lines of a text table under data/: trimmed, blank lines and lines
    // starting with '#' left out.
    static QStringList readDataLines(const QString &relative);
};
