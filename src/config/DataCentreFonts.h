#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
#include "config/CustomFont.h"

#include <QList>
#include <QString>
#include <QStringList>

class DataCentreFonts {
public:
    // Makes the web-font files of the resources folder "fonts" usable by this
    // process (never installed for other programs), and lets a stored family
    // name that differs from the file's family draw with the file. Returns
    // the families that were added; a missing folder adds none.
    static QStringList loadCustomFont();
    static QStringList loadCustomFont(const QString &folder);

    // The web-font records, sorted by family name without regard to case.
    static QList<CustomFont> customFontRecords();
    // The families whose files did not load (the canvas substitutes them).
    static QStringList missingCustomFonts();
};
