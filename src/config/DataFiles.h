#pragma once
// Reading the tables under data/ and finding the web-font folder, over
// Bundle's folders.
#include <QByteArray>
#include <QString>
#include <QStringList>

class DataFiles {
public:
    // The whole of data/<relative>; empty when it cannot be read.
    static QByteArray readData(const QString &relative);
    // Lines of a text table under data/: trimmed, blank lines and lines
    // starting with '#' left out.
    static QStringList readDataLines(const QString &relative);
    // The folder of web-font files: the resources folder's "fonts" when it
    // holds fonts (an installed program), else the build tree's copy.
    static QString fontsFolder();
};
