#pragma once
// The object palette's entries, read once from data/palette_entries.tsv in
// listing order. Each entry says what the user drags onto the canvas (its
// code name), how the palette shows it and in which edition families.
#include <QList>
#include <QString>
#include <QStringList>

struct PaletteEntry {
    QString codeName;      // "zov_textbox": what the canvas inserts on a drop
    QString title;         // shown bold; English text doubles as translation key
    QString imageName;     // icon resource, or shape name for an own icon
    QStringList families;  // edition family keys ("All" would offer it everywhere)
    bool createOwnImage = false;
    bool shape = false;       // own icon with a black outline
    bool zoomBubble = false;  // own icon with a red outline and the sample photo
    QString description;
};

class PaletteCatalogue {
public:
    PaletteCatalogue() = delete;
    static const QList<PaletteEntry> &entries();
    // Parses the table text; *error names the first bad line, if any.
    static QList<PaletteEntry> parse(const QString &text, QString *error = nullptr);
    static QString dataFilePath();
};
