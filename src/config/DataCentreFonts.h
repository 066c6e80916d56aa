#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
#include "config/CustomFont.h"

#include <QList>
#include <QString>
#include <QStringList>

// The web-font names and request names, sorted as gCustomFonts; refilled
// by prepCustomFont.
extern QStringList gCustomFontNames;
extern QStringList gCustomFontSourceCodeNames;

class DataCentreFonts {
public:
    // Makes the web-font files of the resources folder "fonts" usable by this
    // process (never installed for other programs), and lets a stored family
    // name that differs from the file's family draw with the file. Returns
    // the families that were added; a missing folder adds none. Main thread
    // only (it registers with the font database).
    static QStringList loadCustomFont();
    static QStringList loadCustomFont(const QString &folder);

    // At launch the program shows its first window before the web fonts are
    // ready: with deferred loading on, loadCustomFont only lists the files;
    // registerPendingFontsWhenIdle then registers a few at a time from the
    // event loop, and finishLoadingCustomFonts registers whatever is left at
    // once. Anything that draws or writes a page calls it first (opening a
    // document does). Main thread only.
    static void setDeferredLoading(bool deferred);
    static void registerPendingFontsWhenIdle();
    static void finishLoadingCustomFonts();
    static bool hasPendingFonts();

    // Rebuilds gCustomFonts, the web-font records that page generation
    // marks, every record unused. Page generation calls it on every run.
    static void prepCustomFont();
    // The web-font records, sorted by family name without regard to case.
    static QList<CustomFont> customFontRecords();
    // The families whose files did not load (the canvas substitutes them).
    static QStringList missingCustomFonts();
};
