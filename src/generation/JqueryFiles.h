#pragma once
// The three script and style files a locally previewed page loads from beside
// itself: "jquery-2.2.2.min.js", "bootstrap.min.js" and "bootstrap.min.css". The
// build copies them from npm into its resources; an installed program has them in
// its share folder.
#include <QString>
#include <QStringList>

class JqueryFiles {
public:
    JqueryFiles() = delete;

    // The file names, in the order they are copied.
    static QStringList fileNames();
    // Where the shipped copy of one of them lies; empty when it is missing.
    static QString resourcePath(const QString &fileName);
    // Copies each file that is missing from folder into it. A copy that fails is
    // skipped: the page still works from the public addresses it also names. Answers
    // how many files were copied.
    static int transferTo(const QString &folder);
};
