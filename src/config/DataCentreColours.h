#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
// Colours travel through the program as colour strings: six uppercase hex
// digits (red, green, blue) or "CLEAR0" for transparent.
#include <QColor>
#include <QString>
#include <QStringList>

class DataCentreColours {
public:
    // Opaque colour of a six-digit hex string (an optional "0x" prefix is
    // dropped); anything else is opaque black. "CLEAR0" gets no special
    // meaning here: callers test for it (see isClearColorString).
    static QColor colorWithHexString(const QString &hex);
    // The colour string of a colour, alpha ignored; an empty (null) string
    // for an invalid colour. Looks the rounded form up in the edition's
    // palette, as stored pages were written that way.
    static QString asHexString(const QColor &color, const QStringList &palette);
    // The same against the edition's palette (gColorPalette).
    static QString asHexString(const QColor &color);

    // A stored colour property that means "no colour": "CLEAR0" or empty.
    static bool isClearColorString(const QString &hex);
    // colorWithHexString, but transparent for "CLEAR0" and the empty string.
    static QColor colorOrClearWithHexString(const QString &hex);

    // The three swatch palettes, read from data/palettes. Entry 0 is "CLEAR0".
    static const QStringList &paletteA();
    // Palette A without its repeated entries (first occurrences kept).
    static const QStringList &paletteB();
    static const QStringList &paletteC();
};
