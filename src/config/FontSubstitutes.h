#pragma once
// The families the program itself writes into pages (preset text styles,
// starter pages, templates, the label maker's address block) that a Linux
// machine does not have under that name. Each is drawn silently with a
// look-alike Debian ships; the stored name is never changed. A family a user's
// page names that is neither one of these nor installed is what the "Font Not
// Supported" alert is for.
#include <QString>
#include <QStringList>

class FontSubstitutes {
public:
    FontSubstitutes() = delete;

    // Registers the look-alikes with the font database for every program
    // family the machine lacks. Idempotent; main thread only. Each family
    // asked about costs a font match, so a launch asks only for the ones the
    // welcome window draws with (installFor), the rest with the web fonts.
    static void install();
    static void installFor(const QString &family);
    // The family is one the program assigns itself (compared without case).
    static bool isProgramFamily(const QString &family);
    // The look-alikes tried for a program family, best first; empty for others.
    static QStringList lookAlikes(const QString &family);
};
