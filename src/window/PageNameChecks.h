#pragma once
// The checks a new page's file name passes before anything is written: not
// empty, a plain name (no separators, control characters, leading dot, "."
// or "..", at most 255 bytes), not taken in the project folder, ignoring case
// and the page/form extension, and nothing the edition's name cleaning would
// change.
#include <QObject>
#include <QString>

struct PageNameProblem {
    QString message;      // "" when the name passes
    QString informative;
    bool ok() const { return message.isEmpty(); }
};

class PageNameChecks {
public:
    // fileName carries its extension.
    static PageNameProblem check(const QString &folder, const QString &fileName);
    // The same, telling the user about the first problem (one "OK" button).
    static bool runNewFileCreationChecks(const QString &folder, const QString &fileName, QObject *window = nullptr);
    // Only the plain-name part: no separators, control characters, leading
    // dot, "." or "..", and at most 255 bytes of UTF-8.
    static bool isPlainFileName(const QString &fileName);
};
