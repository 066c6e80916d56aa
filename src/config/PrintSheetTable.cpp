#include "config/PrintSheetTable.h"

#include <iterator>

namespace {

// Field order of a row: kind, description (the unique key), columns, rows,
// piece width and height, column gap, row gap, top-and-bottom margin,
// left-and-right margin (all inches), paper name, canvas pixels per inch.
// Every sheet has equal top/bottom and equal left/right margins.
struct SheetRow {
    const char *objectType;
    const char *description;
    int32_t columns;
    int32_t rows;
    float width;
    float height;
    float columnSpacing;
    float rowSpacing;
    float topBottomMargin;
    float leftRightMargin;
    const char *paperSize;
    float pixelFactor;
};

constexpr const char *kPostCard = "Post Card";
constexpr const char *kBusinessCard = "Business Card";
constexpr const char *kLabel = "Label";
constexpr const char *kCards = "Cards";
constexpr const char *kFlyer = "Flyer";
constexpr const char *kEnvelope = "Envelope";

// Paper names as the print system knows them.
constexpr const char *kLetter = "na-letter";
constexpr const char *kLegal = "na-legal";
constexpr const char *kTabloid = "Tabloid";
constexpr const char *kTabloidOversize = "Tabloid Oversize";
constexpr const char *kA3 = "A3";
constexpr const char *kA4 = "A4";
constexpr const char *kA5 = "A5";
constexpr const char *kB5 = "B5";
constexpr const char *kEnvelope10 = "na-number-10-envelope";
constexpr const char *kEnvelopeDL = "iso-designated-long-envelope";
constexpr const char *kEnvelopeMonarch = "monarch-envelope";
constexpr const char *kEnvelope9 = "na-number-9-envelope";

// The order matters: look-ups return the first match, so business cards must
// stay ahead of the labels with the same count per sheet.
constexpr SheetRow kSheets[] = {
    // Post Card
    {kPostCard, "Post Card - 4\" x 6\"", 1, 1, 6.0f, 4.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 300.0f},
    {kPostCard, "Post Card - 5\" x 7\"", 1, 1, 7.0f, 5.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 300.0f},
    {kPostCard, "Post Card - 6\" x 9\"", 1, 1, 9.0f, 6.0f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 300.0f},
    {kPostCard, "Post Card - 6\" x 11\"", 1, 1, 11.0f, 6.0f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 300.0f},

    // Business Card
    {kBusinessCard, "Business Card - 10 Per Letter Sheet", 2, 5, 3.5f, 2.0f, 0.0f, 0.0f, 0.5f, 0.75f, kLetter, 300.0f},
    {kBusinessCard, "Business Card - 8 Per Letter Sheet", 2, 4, 3.5f, 2.0f, 0.5f, 0.5f, 0.75f, 0.5f, kLetter, 300.0f},
    {kBusinessCard, "Business Card - 10 Per A4 Sheet", 2, 5, 3.34646f, 2.12598f, 0.393701f, 0.0f, 0.5314961f, 0.590551f, kA4, 300.0f},
    {kBusinessCard, "Business Card - 8 Per A4 Sheet", 2, 4, 3.34646f, 2.12598f, 0.23622f, 0.23622f, 1.240157f, 0.669291f, kA4, 300.0f},

    // Label
    {kLabel, "Label - 30 Per Letter Sheet", 3, 10, 2.625f, 1.0f, 0.125984f, 0.0f, 0.5f, 0.21975f, kLetter, 600.0f},
    {kLabel, "Label - 30 Per Letter Sheet Foil", 3, 10, 2.25f, 0.75f, 0.5f, 0.25f, 0.625f, 0.375f, kLetter, 600.0f},
    {kLabel, "Label - 30 Filing Label Per Letter Sheet", 2, 15, 3.4375f, 0.667f, 0.55f, 0.0f, 0.4975f, 0.5375f, kLetter, 300.0f},
    {kLabel, "Label - 32 Per Letter Sheet", 4, 8, 1.75f, 1.25f, 0.16666666f, 0.0f, 0.5f, 0.468f, kLetter, 300.0f},
    {kLabel, "Label - 6 Per Letter Sheet", 2, 3, 4.0f, 3.3333333f, 0.19685f, 0.0f, 0.5f, 0.156f, kLetter, 300.0f},
    {kLabel, "Label - 14 Per Letter Sheet", 2, 7, 4.0f, 1.3333334f, 0.1875f, 0.0f, 0.8333333f, 0.15625f, kLetter, 300.0f},
    {kLabel, "Label - 80 Per Letter Sheet", 4, 20, 1.75f, 0.5f, 0.3125f, 0.0f, 0.5f, 0.28125f, kLetter, 300.0f},
    {kLabel, "Label - 10 Per Letter Sheet", 2, 5, 4.0f, 2.0f, 0.1875f, 0.0f, 0.5f, 0.1625f, kLetter, 300.0f},
    {kLabel, "Label - 33 Per Letter Sheet", 3, 11, 2.8f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 300.0f},
    {kLabel, "Label - 2 Per Letter Sheet", 1, 2, 8.5f, 5.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 300.0f},
    {kLabel, "Label - 4 Per Letter Sheet", 2, 2, 3.5f, 5.0f, 0.5f, 0.0f, 0.5f, 0.5f, kLetter, 300.0f},
    {kLabel, "Label - 20 Per Letter Sheet", 2, 10, 4.0f, 1.0f, 0.1876f, 0.0f, 0.5f, 0.1562f, kLetter, 300.0f},
    {kLabel, "Label - 12 Per Letter Sheet", 2, 6, 4.0f, 1.5f, 0.166f, 0.0f, 1.0f, 0.167f, kLetter, 300.0f},
    {kLabel, "Label - 12 Square Per Letter Sheet", 3, 4, 2.0f, 2.0f, 0.6f, 0.6f, 0.6f, 0.65f, kLetter, 300.0f},
    {kLabel, "Label - 60 Per Letter Sheet", 4, 15, 1.75f, 0.6666f, 0.295f, 0.0f, 0.505f, 0.3075f, kLetter, 300.0f},
    {kLabel, "Label - 65 Per A4 Sheet", 5, 13, 1.5f, 0.8346457f, 0.0787402f, 0.0f, 0.4212598f, 0.226378f, kA4, 300.0f},
    {kLabel, "Label - 1 Per Letter Sheet", 1, 1, 8.0f, 11.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 300.0f},
    {kLabel, "Label - 1 Per A4 Sheet", 1, 1, 7.858268f, 11.38189f, 0.0f, 0.0f, 0.15748f, 0.19685f, kA4, 300.0f},
    {kLabel, "Label - 8 Per A4 Sheet", 2, 4, 3.901575f, 2.665354f, 0.0984252f, 0.0f, 0.515748f, 0.177165f, kA4, 300.0f},
    {kLabel, "Label - 10 Per A4 Sheet", 2, 5, 3.901575f, 2.255906f, 0.0787402f, 0.0f, 0.2066929f, 0.192913f, kA4, 300.0f},
    {kLabel, "Label - 10 Diskette Labels Per A4 Sheet", 2, 5, 2.75591f, 2.04724f, 0.9094488f, 0.0f, 0.7559055f, 0.9173228f, kA4, 300.0f},
    {kLabel, "Label - 4 Per A4 Sheet", 1, 4, 7.87402f, 2.3622f, 0.0f, 0.0f, 1.122047f, 0.19685f, kA4, 300.0f},
    {kLabel, "Label - 6 Per A4 Sheet", 2, 3, 3.901575f, 3.665354f, 0.01023622f, 0.0f, 0.03740157f, 0.0185039f, kA4, 300.0f},
    {kLabel, "Label - 21 Per A4 Sheet", 3, 7, 2.5f, 1.5f, 0.1f, 0.0f, 0.0f, 0.279921f, kA4, 300.0f},
    {kLabel, "Label - 20 Per A4 Sheet", 10, 2, 0.669291f, 4.72441f, 0.0f, 0.0f, 1.06299f, 0.787402f, kA4, 300.0f},
    {kLabel, "Label - 14 Per A4 Sheet", 2, 7, 3.901575f, 1.5f, 0.0984252f, 0.0f, 0.0f, 0.1830709f, kA4, 300.0f},
    {kLabel, "Label - 14 Wide Per A4 Sheet", 2, 7, 4.13386f, 1.665354f, 0.0f, 0.0f, 0.019685f, 0.0f, kA4, 300.0f},
    {kLabel, "Label - 16 Per A4 Sheet", 2, 8, 3.901575f, 1.334646f, 0.0787402f, 0.0f, 0.5362205f, 0.192913f, kA4, 300.0f},
    {kLabel, "Label - 18 Per A4 Sheet", 3, 6, 2.5f, 1.834646f, 0.1f, 0.0f, 0.374016f, 0.283465f, kA4, 300.0f},
    {kLabel, "Label - 24 Per A4 Sheet", 3, 8, 2.5f, 1.334646f, 0.0f, 0.0f, 0.519685f, 0.275591f, kA4, 300.0f},
    {kLabel, "Label - 24 Large Labels Per A4 Sheet", 3, 8, 2.75591f, 1.41732f, 0.0f, 0.0f, 0.177165f, 0.0f, kA4, 300.0f},
    {kLabel, "Label - 24 File Label Per A4 Sheet", 1, 24, 5.27559f, 0.433071f, 0.0f, 0.0f, 0.6496063f, 1.49606f, kA4, 300.0f},
    {kLabel, "Label - 12 Per A4 Sheet", 3, 4, 2.75591f, 2.661417f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 300.0f},
    {kLabel, "Label - 12 Envelope Labels Per A4 Sheet", 2, 6, 3.8189f, 1.665354f, 0.0f, 0.0f, 0.8503937f, 0.314961f, kA4, 300.0f},
    {kLabel, "Label - 64 Per A4 Sheet", 4, 16, 1.909449f, 0.6653543f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 300.0f},
    {kLabel, "Label - 80 Per A4 Sheet", 5, 16, 1.401575f, 0.6653543f, 0.0984252f, 0.0f, 0.0f, 0.0f, kA4, 300.0f},
    {kLabel, "Label - 7 Per A4 Sheet", 1, 7, 7.55906f, 1.49606f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 300.0f},
    {kLabel, "Label - 4 Per A4 Sheet Binder", 1, 4, 7.55906f, 2.40157f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 300.0f},

    // Cards
    {kCards, "Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", 1, 2, 8.5f, 5.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kCards, "Card - Letter Sheet Vertical Half Fold (5.5\" x 8.5\")", 2, 1, 5.5f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kCards, "Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")", 2, 2, 5.5f, 4.25f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kCards, "Card - Letter Sheet Vertical Quarter Fold (4.25\" x 5.5\")", 2, 2, 4.25f, 5.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kCards, "Card - A4 Sheet Horizontal Half Fold (8.3\" x 5.85\")", 1, 2, 8.3f, 5.85f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kCards, "Card - A4 Sheet Vertical Half Fold (5.85\" x 8.3\")", 2, 1, 5.85f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kCards, "Card - A4 Sheet Horizontal Quarter Fold (5.85\" x 4.15\")", 2, 2, 5.85f, 4.15f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kCards, "Card - A4 Sheet Vertical Quarter Fold (4.15\" x 5.85\")", 2, 2, 4.15f, 5.85f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kCards, "Card - A5 Sheet Horizontal Half Fold (8.3\" x 2.9\")", 1, 2, 8.3f, 2.9f, 0.0f, 0.0f, 0.0f, 0.0f, kA5, 150.0f},
    {kCards, "Card - A5 Sheet Vertical Half Fold (4.15\" x 5.8\")", 2, 1, 4.15f, 5.8f, 0.0f, 0.0f, 0.0f, 0.0f, kA5, 150.0f},
    {kCards, "Card - A5 Sheet Horizontal Quarter Fold (4.15\" x 2.9\")", 2, 2, 4.15f, 2.9f, 0.0f, 0.0f, 0.0f, 0.0f, kA5, 150.0f},
    {kCards, "Card - A5 Sheet Vertical Quarter Fold (2.9\" x 4.15\")", 2, 2, 2.9f, 4.15f, 0.0f, 0.0f, 0.0f, 0.0f, kA5, 150.0f},

    // Flyer
    {kFlyer, "US Letter - Landscape", 1, 1, 11.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "US Letter - Portrait", 1, 1, 8.5f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "US Legal - Landscape", 1, 1, 14.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLegal, 150.0f},
    {kFlyer, "US Legal - Portrait", 1, 1, 8.5f, 14.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLegal, 150.0f},
    {kFlyer, "Tabloid - Landscape", 1, 1, 17.0f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, kTabloid, 150.0f},
    {kFlyer, "Tabloid - Portrait", 1, 1, 11.0f, 17.0f, 0.0f, 0.0f, 0.0f, 0.0f, kTabloid, 150.0f},
    {kFlyer, "Tabloid Oversize - Landscape", 1, 1, 18.0f, 12.0f, 0.0f, 0.0f, 0.0f, 0.0f, kTabloidOversize, 150.0f},
    {kFlyer, "Tabloid Oversize - Portrait", 1, 1, 12.0f, 18.0f, 0.0f, 0.0f, 0.0f, 0.0f, kTabloidOversize, 150.0f},
    {kFlyer, "A3 - Landscape", 1, 1, 16.5f, 11.7f, 0.0f, 0.0f, 0.0f, 0.0f, kA3, 150.0f},
    {kFlyer, "A3 - Portrait", 1, 1, 11.7f, 16.5f, 0.0f, 0.0f, 0.0f, 0.0f, kA3, 150.0f},
    {kFlyer, "A4 - Landscape", 1, 1, 11.7f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kFlyer, "A4 - Portrait", 1, 1, 8.3f, 11.7f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kFlyer, "A5 - Landscape", 1, 1, 8.3f, 5.8f, 0.0f, 0.0f, 0.0f, 0.0f, kA5, 150.0f},
    {kFlyer, "A5 - Portrait", 1, 1, 5.8f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, kA5, 150.0f},
    {kFlyer, "B5 - Landscape", 1, 1, 9.8f, 6.9f, 0.0f, 0.0f, 0.0f, 0.0f, kB5, 150.0f},
    {kFlyer, "B5 - Portrait", 1, 1, 6.9f, 9.8f, 0.0f, 0.0f, 0.0f, 0.0f, kB5, 150.0f},
    {kFlyer, "US Letter - Landscape HD", 1, 1, 11.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "US Letter - Portrait HD", 1, 1, 8.5f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "US Legal - Landscape HD", 1, 1, 14.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLegal, 150.0f},
    {kFlyer, "US Legal - Portrait HD", 1, 1, 8.5f, 14.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLegal, 150.0f},
    {kFlyer, "A4 - Landscape HD", 1, 1, 11.7f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kFlyer, "A4 - Portrait HD", 1, 1, 8.3f, 11.7f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kFlyer, "3.5\" x 4.3\" HD", 1, 1, 3.5f, 4.3f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "4.3\" x 3.5\" HD", 1, 1, 4.3f, 3.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "4.25\" x 5.5\" HD", 1, 1, 4.25f, 5.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "5.5\" x 4.25\" HD", 1, 1, 5.5f, 4.25f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "4.15\" x 5.85\" HD", 1, 1, 4.15f, 5.85f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kFlyer, "5.85\" x 4.15\" HD", 1, 1, 5.85f, 4.15f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 150.0f},
    {kFlyer, "5.5\" x 8.5\" HD", 1, 1, 5.5f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "8.5\" x 5.5\" HD", 1, 1, 8.5f, 5.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "4.75\" x 4.75\" HD", 1, 1, 4.75f, 4.75f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "5\" x 7\" HD", 1, 1, 5.0f, 7.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "7\" x 5\" HD", 1, 1, 7.0f, 5.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "6\" x 11\" HD", 1, 1, 6.0f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "11\" x 6\" HD", 1, 1, 11.0f, 6.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "6\" x 6\" HD", 1, 1, 6.0f, 6.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "7\" x 7\" HD", 1, 1, 7.0f, 7.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "8\" x 8\" HD", 1, 1, 8.0f, 8.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "12\" x 12\" HD", 1, 1, 12.0f, 12.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 150.0f},
    {kFlyer, "US Letter - Landscape - 72 DPI", 1, 1, 11.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 72.0f},
    {kFlyer, "US Letter - Portrait - 72 DPI", 1, 1, 8.5f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLetter, 72.0f},
    {kFlyer, "US Legal - Portrait - 72 DPI", 1, 1, 8.5f, 14.0f, 0.0f, 0.0f, 0.0f, 0.0f, kLegal, 72.0f},
    {kFlyer, "US Legal - Landscape - 72 DPI", 1, 1, 14.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, kLegal, 72.0f},
    {kFlyer, "A4 - Landscape - 72 DPI", 1, 1, 11.7f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 72.0f},
    {kFlyer, "A4 - Portrait - 72 DPI", 1, 1, 8.3f, 11.7f, 0.0f, 0.0f, 0.0f, 0.0f, kA4, 72.0f},

    // Envelope
    {kEnvelope, "Envelope #10 4.125\" x 9.5\"", 1, 1, 9.5f, 4.125f, 0.0f, 0.0f, 0.0f, 0.0f, kEnvelope10, 72.0f},
    {kEnvelope, "Envelope DL 4.4\" x 8.8\"", 1, 1, 8.8f, 4.4f, 0.0f, 0.0f, 0.0f, 0.0f, kEnvelopeDL, 72.0f},
    {kEnvelope, "Monarch 3.875\" x 7.5\"", 1, 1, 7.5f, 3.875f, 0.0f, 0.0f, 0.0f, 0.0f, kEnvelopeMonarch, 72.0f},
    {kEnvelope, "Envelope #9 3.875\" x 8.875\"", 1, 1, 8.875f, 3.875f, 0.0f, 0.0f, 0.0f, 0.0f, kEnvelope9, 72.0f},
};

} // namespace

QList<LabelHelperPtr> PrintSheetTable::build()
{
    QList<LabelHelperPtr> sheets;
    sheets.reserve(static_cast<qsizetype>(std::size(kSheets)));
    for (const SheetRow &row : kSheets) {
        auto sheet = std::make_shared<LabelHelper>();
        sheet->printNumOfRowsPerSheet = row.rows;
        sheet->printNumOfColumnsPerSheet = row.columns;
        sheet->printSingleLabelWidthInch = row.width;
        sheet->printSingleLabelHeightInch = row.height;
        sheet->printLabelColumnSpacingInch = row.columnSpacing;
        sheet->printLabelRowSpacingInch = row.rowSpacing;
        sheet->printSheetTopMarginInch = row.topBottomMargin;
        sheet->printSheetBottomMarginInch = row.topBottomMargin;
        sheet->printSheetLeftMarginInch = row.leftRightMargin;
        sheet->printSheetRightMarginInch = row.leftRightMargin;
        sheet->printObjectType = QString::fromLatin1(row.objectType);
        sheet->printDescription = QString::fromLatin1(row.description);
        sheet->paperSize = QString::fromLatin1(row.paperSize);
        sheet->canvasPixelFactor = row.pixelFactor;
        sheet->updateCanvasSize();
        sheets.append(std::move(sheet));
    }
    return sheets;
}
